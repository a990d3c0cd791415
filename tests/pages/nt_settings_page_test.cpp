// The NT settings page beyond its two bound switches: the ZIP folder handler
// on every Apply, the consoles, and their desktop shortcuts.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <fstream>

#include "pages/system/nt_settings_page.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";

class NtSettingsPageTest : public PageHarness {
 protected:
  void SetUp() override {
    set(Root::LocalMachine, kCurrentVersion, "NoZipFolders", 1);
    ASSERT_NE(start(), nullptr);
    frame().showPage("SystemNT");
  }
  NtSettingsPage& page() { return static_cast<NtSettingsPage&>(PageHarness::page("SystemNT")); }
  // Picks a console with the keyboard, as a user steps through the list.
  void pick(const QString& entry) {
    QComboBox* list = page().consoles();
    list->lineEdit()->setFocus();
    for (int i = 0; i <= list->count() && list->currentText() != entry; ++i)
      key(list->lineEdit(), Qt::Key_Down);
    ASSERT_EQ(list->currentText(), entry);
  }
};

TEST_F(NtSettingsPageTest, EveryApplyRegistersOrUnregistersTheZipFolderHandler) {
  auto* zip = find<QCheckBox>("NoZipFolders");
  EXPECT_TRUE(zip->isChecked());
  click("systemNtApply");  // disabled: nothing pending yet
  EXPECT_TRUE(launcher.calls.empty());
  click(zip);
  EXPECT_TRUE(page().hasPendingEdits());
  click("systemNtApply");
  EXPECT_EQ(stored(Root::LocalMachine, kCurrentVersion, "NoZipFolders"), std::nullopt);
  ASSERT_EQ(launcher.calls.size(), 1U);
  EXPECT_EQ(launcher.calls[0].kind, "run");
  EXPECT_EQ(launcher.calls[0].target, "regsvr32 zipfldr.dll");
  click(zip);
  key(find<QPushButton>("systemNtApply"), Qt::Key_Space);
  EXPECT_EQ(stored(Root::LocalMachine, kCurrentVersion, "NoZipFolders"), StoredValue(1));
  ASSERT_EQ(launcher.calls.size(), 2U);
  EXPECT_EQ(launcher.calls[1].target, "regsvr32 /u zipfldr.dll");
  EXPECT_FALSE(app->restartNeeded());
}

TEST_F(NtSettingsPageTest, AConsoleOpensWhenItsFileIsThereAndOtherwiseSaysWhy) {
  EXPECT_FALSE(find<QPushButton>("systemNtOpen")->isEnabled());
  type(page().consoles()->lineEdit(), "nic takiego");
  EXPECT_TRUE(find<QPushButton>("systemNtOpen")->isEnabled());
  click("systemNtOpen");
  ASSERT_EQ(dialogs.boxes().size(), 1U);
  EXPECT_EQ(
      dialogs.boxes()[0].text,
      "Nie można uruchomić żądanej usługi ponieważ nie można odnaleźć plików potrzebnych do uruchomienia "
      "wybranej opcji\n\nUsługa albo nie została zainstalowana, albo pliki potrzebne do jej uruchomienia "
      "zostały usunięte.\n\nUpewnij się również czy wybrałeś usługę znajdującą się na liście dostępnych "
      "pozycji.");
  EXPECT_TRUE(launcher.calls.empty());

  std::ofstream(hostPath("C:\\WINDOWS\\SYSTEM\\services.msc")) << "console";
  pick("Usługi");
  click("systemNtOpen");
  ASSERT_EQ(launcher.calls.size(), 1U);
  EXPECT_EQ(launcher.calls[0].kind, "open");
  EXPECT_EQ(launcher.calls[0].target, "C:\\WINDOWS\\SYSTEM\\services.msc");
}

TEST_F(NtSettingsPageTest, TheShortcutGoesToTheDesktopTheFoldersPageShows) {
  pick("Usługi");
  click("systemNtShortcut");
  const auto link = hostPath("C:\\WINDOWS\\Pulpit\\Usługi.lnk");
  ASSERT_EQ(shellLinks.created().count(link), 1U);
  EXPECT_EQ(shellLinks.created().at(link).target, "C:\\WINDOWS\\SYSTEM\\services.msc");
  EXPECT_EQ(shellLinks.created().at(link).workingDirectory, "C:\\WINDOWS\\SYSTEM");
  EXPECT_FALSE(find<QPushButton>("systemNtShortcut")->isEnabled());

  // A typed name is a file name in that folder, never a path out of it.
  type(page().consoles()->lineEdit(), "\\..\\x");
  click("systemNtShortcut");
  EXPECT_EQ(shellLinks.created().size(), 1U);
}

}  // namespace
}  // namespace kelvaro::testing
