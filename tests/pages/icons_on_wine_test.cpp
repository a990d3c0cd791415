// The icon picker and the system icons page on a real Wine prefix: the
// picker lists the icons of Wine's own shell32.dll, and what "Zapisz" writes
// is what Wine reads back.
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <map>
#include <optional>

#include "dialogs/icon_picker.h"
#include "pages/appearance/system_icons_page.h"
#include "pages/widgets/icon_picture.h"
#include "platform/linux_icons.h"
#include "store/registry_handle.h"
#include "store/wine_registry_files.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

constexpr char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";

// Every key the page writes, with its values, as they were before the test,
// so that the shared prefix gets them back.
class WrittenKeys {
 public:
  struct Key {
    Root root;
    std::string path;
    std::vector<std::string> values;
  };

  explicit WrittenKeys(const std::filesystem::path& prefix) : prefix_(prefix) {
    for (const char* clsid :
         {"{208D2C60-3AEA-1069-A2D7-08002B30309D}", "{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
          "{21EC2020-3AEA-1069-A2DD-08002B30309D}", "{2227A280-3AEA-1069-A2DE-08002B30309D}",
          "{871C5380-42A0-1069-A2EA-08002B30309D}", "{450D8FBA-AD25-11D0-98A8-0800361B1103}",
          "{FF393560-C2A7-11CF-BFF4-444553540000}", "{85BBD920-42A0-1069-A2E4-08002B30309D}",
          "{8369AB20-56C9-11D0-94E8-00AA0059CE02}", "{8E6E6079-0CB7-11d2-8F10-0000F87ABD16}",
          "{992CFFA0-F557-101A-88EC-00DD010CCC48}", "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}",
          "{BD84B380-8CA2-1069-AB1D-08000948F534}", "{00021400-0000-0000-C000-000000000046}"}) {
      keys_.push_back({Root::ClassesRoot, std::string("CLSID\\") + clsid + "\\DefaultIcon", {""}});
    }
    keys_.push_back(
        {Root::ClassesRoot, "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon", {"Empty", "Full"}});
    keys_.push_back({Root::LocalMachine,
                     kShellIcons,
                     {"17", "35", "37", "31", "32", "33", "34", "4", "3", "36", "6", "8", "11", "29", "40"}});
    const auto files = WineRegistryFiles::open(prefix_);
    RegistryHandle reg(*files);
    for (const Key& key : keys_) {
      reg.closeKey();
      reg.setRoot(key.root);
      Saved saved;
      // The first missing key on the path is the one to delete afterwards.
      std::string path;
      for (std::size_t start = 0; start != std::string::npos;) {
        const std::size_t end = key.path.find('\\', start);
        path = key.path.substr(0, end);
        if (!reg.keyExists("\\" + path)) {
          saved.firstMissing = path;
          break;
        }
        start = end == std::string::npos ? end : end + 1;
      }
      if (!saved.firstMissing && reg.openKey("\\" + key.path, false)) {
        for (const std::string& name : key.values) {
          if (const RegistryValue* v = reg.rawValue(name)) saved.values[name] = *v;
        }
      }
      saved_.push_back(std::move(saved));
    }
  }

  void restore() {
    const auto files = WineRegistryFiles::open(prefix_);
    RegistryHandle reg(*files);
    for (std::size_t i = 0; i < keys_.size(); ++i) {
      const Key& key = keys_[i];
      const Saved& saved = saved_[i];
      reg.closeKey();
      reg.setRoot(key.root);
      if (saved.firstMissing) {
        reg.deleteKey("\\" + *saved.firstMissing);
        continue;
      }
      if (!reg.openKey("\\" + key.path, false)) continue;
      for (const std::string& name : key.values) {
        const auto it = saved.values.find(name);
        if (it == saved.values.end()) {
          reg.deleteValue(name);
        } else {
          reg.writeRaw(name, it->second.type, it->second.data);
        }
      }
    }
    files->flush();
  }

 private:
  struct Saved {
    std::optional<std::string> firstMissing;
    std::map<std::string, RegistryValue> values;
  };
  std::filesystem::path prefix_;
  std::vector<Key> keys_;
  std::vector<Saved> saved_;
};

class IconsOnWineTest : public WinePrefixTest {};

TEST_F(IconsOnWineTest, ThePickerListsWinesShell32IconsAndTheChosenOneReachesWine) {
  const std::filesystem::path shell32 = prefix / "drive_c" / "windows" / "system32" / "shell32.dll";
  ASSERT_TRUE(std::filesystem::exists(shell32));
  // wrestool lists one line per icon group.
  const std::string groups = capture("wrestool -l --type=14 '" + shell32.string() + "' 2>/dev/null");
  const int expected = static_cast<int>(std::count(groups.begin(), groups.end(), '\n'));
  ASSERT_GT(expected, 3);

  WrittenKeys keys(prefix);
  {
    auto session = openWithIcons();
    auto* page = static_cast<SystemIconsPage*>(session->showAndLoad("ikony"));
    ASSERT_NE(page, nullptr);
    doubleClick(page->picture(18), QPoint(16, 16));
    TIkonyForm& picker = session->app->iconPicker();
    ASSERT_TRUE(picker.isVisible());
    EXPECT_EQ(picker.folder(), session->environment->systemDirectory());
    ASSERT_TRUE(clickItem(picker.fileList(), "shell32.dll"));
    ASSERT_EQ(picker.iconList()->count(), expected);
    int shown = 0;
    for (int i = 0; i < picker.iconList()->count(); ++i)
      shown += picker.iconList()->item(i)->icon().isNull() ? 0 : 1;
    EXPECT_EQ(shown, expected);
    ASSERT_TRUE(clickItem(picker.iconList(), "3"));
    QTest::mouseClick(picker.okButton(), Qt::LeftButton);
    const std::string location = session->environment->systemDirectory() + "\\shell32.dll,3";
    EXPECT_EQ(page->location(18), location);
    EXPECT_EQ(page->picture(18)->icon(),
              realIcons->extractIcon(location.substr(0, location.size() - 2), 3).large);
    QTest::mouseClick(page->findChild<QPushButton*>("ikonyZapisz"), Qt::LeftButton);
    for (const auto& box : dialogs.boxes()) ADD_FAILURE() << box.text;
  }
  const std::string after = query("HKLM\\" + std::string(kShellIcons), "3");
  EXPECT_NE(after.find("REG_SZ"), std::string::npos) << after;
  EXPECT_NE(after.find("shell32.dll,3"), std::string::npos) << after;
  stopWineserver();
  keys.restore();
}

}  // namespace
}  // namespace kelvaro::testing
