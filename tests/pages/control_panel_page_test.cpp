// The Control Panel restrictions page beyond its bound settings: the
// masters, Enter on a box, write-then-prune over the three keys, errors.
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include "store/registry_handle.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kSystem[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kNetwork[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

class ControlPanelPageTest : public PageHarness {
 protected:
  void SetUp() override {
    for (const char* key : {kSystem, kNetwork, kExplorer}) clearKey(key);
  }
  void clearKey(const char* key) {
    RegistryHandle reg(app->registry());
    reg.deleteKey(key);
    app->flush();
  }
  QCheckBox* box(const char* value) { return find<QCheckBox>(value); }
  QPushButton* applyButton() { return find<QPushButton>("ograniczeniaApply"); }
  std::optional<StoredValue> system(const char* value) { return stored(Root::CurrentUser, kSystem, value); }
};

TEST_F(ControlPanelPageTest, AMasterDisablesTheRestOfItsGroupAfterLoadingAndOnAClick) {
  set(Root::CurrentUser, kSystem, "NoSecCPL", 1);
  set(Root::CurrentUser, kExplorer, "NoAddPrinter", 1);
  ASSERT_NE(start(), nullptr);
  frame().showPage("ograniczenia");
  for (const char* v : {"NoPwdPage", "NoAdminPage", "NoProfilePage"}) EXPECT_FALSE(box(v)->isEnabled()) << v;
  for (const char* v : {"NoDispBackgroundPage", "NoPrinterTabs", "NoNetSetupIDPage"})
    EXPECT_TRUE(box(v)->isEnabled()) << v;

  click(box("NoPrinters"));
  for (const char* v : {"NoPrinterTabs", "NoAddPrinter", "NoDeletePrinter"})
    EXPECT_FALSE(box(v)->isEnabled()) << v;
  EXPECT_TRUE(box("NoAddPrinter")->isChecked());  // disabled boxes keep their checks
  EXPECT_TRUE(applyButton()->isEnabled());
  // The system group has no master.
  for (const char* v : {"NoDevMgrPage", "NoConfigPage", "NoFileSysPage", "NoVirtMemPage"}) {
    EXPECT_TRUE(box(v)->isEnabled()) << v;
  }

  click(applyButton());
  EXPECT_EQ(stored(Root::CurrentUser, kExplorer, "NoPrinters"), StoredValue(1));
  EXPECT_EQ(stored(Root::CurrentUser, kExplorer, "NoAddPrinter"), StoredValue(1));
  EXPECT_EQ(stored(Root::CurrentUser, kExplorer, "NoDeletePrinter"), std::nullopt);

  click(box("NoPrinters"));
  for (const char* v : {"NoPrinterTabs", "NoAddPrinter", "NoDeletePrinter"})
    EXPECT_TRUE(box(v)->isEnabled()) << v;
}

TEST_F(ControlPanelPageTest, EnterOnABoxRewritesEveryValueWhetherOrNotAnythingIsPending) {
  set(Root::CurrentUser, kSystem, "NoDispCPL", 0);
  set(Root::CurrentUser, kSystem, "NoPwdPage", 5);
  set(Root::CurrentUser, kNetwork, "NoNetSetup", Bytes{1, 0, 0, 0});
  set(Root::CurrentUser, kExplorer, "NoPrinterTabs", std::string("1"));
  ASSERT_NE(start(), nullptr);
  frame().showPage("ograniczenia");
  ASSERT_FALSE(applyButton()->isEnabled());
  EXPECT_TRUE(box("NoPwdPage")->isChecked());
  EXPECT_FALSE(box("NoNetSetup")->isChecked());
  EXPECT_FALSE(box("NoPrinterTabs")->isChecked());

  key(box("NoFileSysPage"), Qt::Key_Return);
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(system("NoDispCPL"), std::nullopt);  // 0 is pruned
  EXPECT_EQ(system("NoPwdPage"), StoredValue(1));
  EXPECT_EQ(stored(Root::CurrentUser, kNetwork, "NoNetSetup"), std::nullopt);
  EXPECT_EQ(stored(Root::CurrentUser, kExplorer, "NoPrinterTabs"), std::nullopt);
  EXPECT_FALSE(box("NoFileSysPage")->isChecked());  // Enter does not toggle the box
  EXPECT_TRUE(app->restartNeeded());

  // Closing now asks nothing and tells about the restart.
  frame().close();
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text,
            "Wprowadzone przez ciebie zmiany będą widoczne dopiero po ponownym uruchomieniu komputera.");
}

TEST_F(ControlPanelPageTest, ApplyCreatesTheThreeKeysAndLeavesOnlyTheCheckedValues) {
  ASSERT_NE(start(), nullptr);
  frame().showPage("ograniczenia");
  for (const char* key : {kSystem, kNetwork, kExplorer}) clearKey(key);
  click(box("NoVirtMemPage"));
  click(box("NoPrintSharingControl"));
  click(applyButton());
  EXPECT_EQ(system("NoVirtMemPage"), StoredValue(1));
  EXPECT_EQ(stored(Root::CurrentUser, kNetwork, "NoPrintSharingControl"), StoredValue(1));
  EXPECT_TRUE(keyStored(Root::CurrentUser, kExplorer));
  EXPECT_EQ(stored(Root::CurrentUser, kExplorer, "NoPrinters"), std::nullopt);
  EXPECT_EQ(system("NoDispCPL"), std::nullopt);
  EXPECT_FALSE(applyButton()->isEnabled());
}

TEST_F(ControlPanelPageTest, AStoreErrorInApplyIsShownAndKeepsTheCommandPending) {
  ASSERT_NE(start(), nullptr);
  frame().showPage("ograniczenia");
  click(box("NoDispCPL"));
  refuseWrites = true;
  click(applyButton());
  refuseWrites = false;
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  EXPECT_TRUE(applyButton()->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
  EXPECT_EQ(system("NoDispCPL"), std::nullopt);
}

}  // namespace
}  // namespace kelvaro::testing
