// The names, tips and Start menu pages on a real Wine prefix: a renamed
// object, a typed tip, the Start menu settings and a picked Start menu icon
// are what Wine reads back; everything they wrote is put back afterwards.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <map>
#include <optional>

#include "dialogs/icon_picker.h"
#include "pages/shell/info_tips_page.h"
#include "pages/shell/object_names_page.h"
#include "pages/shell/start_menu_page.h"
#include "pages/widgets/icon_picture.h"
#include "pages/widgets/in_place_editor.h"
#include "platform/linux_icons.h"
#include "store/registry_handle.h"
#include "store/wine_registry_files.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

constexpr char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kRecycleBin[] = "{645FF040-5081-101B-9F08-00AA002F954E}";

// The values the pages write, as they were before the test: each value's
// raw form, or for a key that was missing the first missing key on its path.
class SavedValues {
 public:
  SavedValues(const std::filesystem::path& prefix,
              std::vector<std::tuple<Root, std::string, std::string>> values)
      : prefix_(prefix), values_(std::move(values)) {
    const auto files = WineRegistryFiles::open(prefix_);
    RegistryHandle reg(*files);
    for (const auto& [root, key, name] : values_) {
      reg.closeKey();
      reg.setRoot(root);
      Saved saved;
      for (std::size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
        const std::string path = key.substr(0, end);
        if (!reg.keyExists("\\" + path)) {
          saved.firstMissing = path;
          break;
        }
        if (end == std::string::npos) break;
      }
      if (!saved.firstMissing && reg.openKey("\\" + key, false)) {
        if (const RegistryValue* v = reg.rawValue(name)) saved.value = *v;
      }
      saved_.push_back(std::move(saved));
    }
  }

  void restore() {
    const auto files = WineRegistryFiles::open(prefix_);
    RegistryHandle reg(*files);
    for (std::size_t i = 0; i < values_.size(); ++i) {
      const auto& [root, key, name] = values_[i];
      const Saved& saved = saved_[i];
      reg.closeKey();
      reg.setRoot(root);
      if (saved.firstMissing) {
        if (reg.keyExists("\\" + *saved.firstMissing)) reg.deleteKey("\\" + *saved.firstMissing);
        continue;
      }
      if (!reg.openKey("\\" + key, false)) continue;
      if (saved.value) {
        reg.writeRaw(name, saved.value->type, saved.value->data);
      } else if (reg.valueExists(name)) {
        reg.deleteValue(name);
      }
    }
    files->flush();
  }

 private:
  struct Saved {
    std::optional<std::string> firstMissing;
    std::optional<RegistryValue> value;
  };
  std::filesystem::path prefix_;
  std::vector<std::tuple<Root, std::string, std::string>> values_;
  std::vector<Saved> saved_;
};

std::vector<std::tuple<Root, std::string, std::string>> writtenValues() {
  std::vector<std::tuple<Root, std::string, std::string>> out;
  for (const char* clsid :
       {kRecycleBin, "{21EC2020-3AEA-1069-A2DD-08002B30309D}", "{2227A280-3AEA-1069-A2DE-08002B30309D}",
        "{992CFFA0-F557-101A-88EC-00DD010CCC48}", "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}",
        "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}", "{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
        "{450D8FBA-AD25-11D0-98A8-0800361B1103}"}) {
    out.emplace_back(Root::ClassesRoot, std::string("CLSID\\") + clsid, "");
    out.emplace_back(Root::CurrentUser, std::string("SOFTWARE\\Classes\\CLSID\\") + clsid, "");
  }
  for (const char* value : {"19", "20", "21", "22", "23", "24", "27", "25", "35", "37", "44", "43"})
    out.emplace_back(Root::LocalMachine, kShellIcons, value);
  for (const char* value :
       {"ClearRecentDocsOnExit", "NoRecentDocsHistory", "NoEditMenu", "NoChangeStartMenu"})
    out.emplace_back(Root::CurrentUser, kPolicies, value);
  out.emplace_back(Root::CurrentUser, kAdvanced, "StartMenuScrollPrograms");
  out.emplace_back(Root::CurrentUser, kDesktop, "MenuShowDelay");
  return out;
}

class StartMenuPagesOnWineTest : public WinePrefixTest {
 protected:
  std::string defaultValue(const std::string& key) const { return wine("reg query '" + key + "' /ve"); }
};

TEST_F(StartMenuPagesOnWineTest, ARenamedObjectTheStartMenuSettingsAndAPickedIconReachWine) {
  SavedValues saved(prefix, writtenValues());
  {
    auto session = openWithIcons();
    auto* names = static_cast<ObjectNamesPage*>(session->showAndLoad("Nazwy"));
    ASSERT_NE(names, nullptr);
    doubleClick(names->nameLabel(0), QPoint(3, 3));
    QLineEdit* field = names->editor()->textEditor();
    ASSERT_TRUE(field->isVisible());
    field->selectAll();
    QTest::keyClicks(field, "KoszTestowy");
    QTest::keyClick(field, Qt::Key_Return);
    QTest::mouseClick(names->findChild<QPushButton*>("NazwyZastosuj"), Qt::LeftButton);

    auto* menu = static_cast<StartMenuPage*>(session->showAndLoad("menustart"));
    ASSERT_NE(menu, nullptr);
    session->window->showPage("menustart", "menustartustawienia");
    auto* noEdit = menu->findChild<QCheckBox*>("menustartNoEditMenu");
    if (noEdit->isChecked()) QTest::mouseClick(noEdit, Qt::LeftButton, {}, QPoint(5, noEdit->height() / 2));
    QTest::mouseClick(noEdit, Qt::LeftButton, {}, QPoint(5, noEdit->height() / 2));
    QCheckBox* columns = menu->columns();
    if (!columns->isChecked())
      QTest::mouseClick(columns, Qt::LeftButton, {}, QPoint(5, columns->height() / 2));
    MenuDelayBox* delay = menu->delay();
    delay->setFocus();
    delay->selectAll();
    QTest::keyClicks(delay, "300");
    QTest::keyClick(delay, Qt::Key_Return);

    session->window->showPage("menustart", "menustartikony");
    doubleClick(menu->iconPicture(6), QPoint(16, 16));
    TIkonyForm& picker = session->app->iconPicker();
    ASSERT_TRUE(picker.isVisible());
    EXPECT_EQ(picker.slot(), 60);
    ASSERT_TRUE(clickItem(picker.fileList(), "shell32.dll"));
    ASSERT_TRUE(clickItem(picker.iconList(), "3"));
    QTest::mouseClick(picker.okButton(), Qt::LeftButton);
    QTest::mouseClick(menu->findChild<QPushButton*>("menustartIkonyZastosuj"), Qt::LeftButton);
    for (const auto& box : dialogs.boxes()) ADD_FAILURE() << box.text;
  }
  const std::string machineName = defaultValue(std::string("HKLM\\Software\\Classes\\CLSID\\") + kRecycleBin);
  EXPECT_NE(machineName.find("KoszTestowy"), std::string::npos) << machineName;
  const std::string userName = defaultValue(std::string("HKCU\\Software\\Classes\\CLSID\\") + kRecycleBin);
  EXPECT_NE(userName.find("KoszTestowy"), std::string::npos) << userName;
  const std::string delay = query(std::string("HKCU\\") + kDesktop, "MenuShowDelay");
  EXPECT_NE(delay.find("REG_SZ"), std::string::npos) << delay;
  EXPECT_NE(delay.find("300"), std::string::npos) << delay;
  const std::string columns = query(std::string("HKCU\\") + kAdvanced, "StartMenuScrollPrograms");
  EXPECT_NE(columns.find("yes"), std::string::npos) << columns;
  const std::string noEdit = query(std::string("HKCU\\") + kPolicies, "NoEditMenu");
  EXPECT_NE(noEdit.find("REG_DWORD"), std::string::npos) << noEdit;
  EXPECT_NE(noEdit.find("0x1"), std::string::npos) << noEdit;
  // Unticked boxes leave no value.
  EXPECT_EQ(query(std::string("HKCU\\") + kPolicies, "NoChangeStartMenu").find("NoChangeStartMenu"),
            std::string::npos);
  const std::string favourites = query(std::string("HKLM\\") + kShellIcons, "43");
  EXPECT_NE(favourites.find("shell32.dll,3"), std::string::npos) << favourites;
  stopWineserver();
  saved.restore();
  const std::string back = defaultValue(std::string("HKLM\\Software\\Classes\\CLSID\\") + kRecycleBin);
  EXPECT_EQ(back.find("KoszTestowy"), std::string::npos) << back;
  stopWineserver();
}

TEST_F(StartMenuPagesOnWineTest, ATipTypedOnThePageIsTheInfoTipWineReads) {
  // Apply writes every row's tip into the classes: the file goes back whole.
  keep(prefix / "system.reg");
  {
    auto session = open();
    Page* tips = session->showAndLoad("podpowiedzi");
    ASSERT_NE(tips, nullptr);
    auto* field = tips->findChild<QLineEdit*>("podpowiedz2");
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "Podpowiedz z testu");
    QTest::mouseClick(tips->findChild<QPushButton*>("podpowiedziZastosuj"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  stopWineserver();
  const std::string tip = query("HKCR\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "InfoTip");
  EXPECT_NE(tip.find("REG_SZ"), std::string::npos) << tip;
  EXPECT_NE(tip.find("Podpowiedz z testu"), std::string::npos) << tip;
}

}  // namespace
}  // namespace kelvaro::testing
