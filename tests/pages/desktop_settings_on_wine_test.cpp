// The desktop settings, the desktop policies and a desktop shortcut on a
// real Wine prefix: what the sub-pages write is what `wine reg query` reads,
// and the shortcut our writer saves is one lnkinfo reads.
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <QSpinBox>

#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <vector>

#include "pages/desktop/desktop_page.h"
#include "pages/desktop/desktop_settings_tabs.h"
#include "pages/shell/dos_folder_tree.h"
#include "platform/file_system.h"
#include "platform/linux_shell_links.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

const std::string kDesktop = "HKCU\\Control Panel\\Desktop";
const std::string kMetrics = "HKCU\\Control Panel\\Desktop\\WindowMetrics";
const std::string kRecycleBin = "HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
const std::string kExplorer = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kActiveDesktop =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ActiveDesktop";

// "Local path : C:\x" lines of lnkinfo, by their label.
std::map<std::string, std::string> lnkinfo(const std::filesystem::path& file) {
  std::map<std::string, std::string> fields;
  std::istringstream lines(capture("lnkinfo '" + file.string() + "' 2>&1"));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t colon = line.find(": ");
    if (colon == std::string::npos) continue;
    std::string label = line.substr(0, colon);
    label.erase(0, label.find_first_not_of("\t "));
    label.erase(label.find_last_not_of("\t ") + 1);
    if (!fields.count(label)) fields[label] = line.substr(colon + 2);
  }
  return fields;
}

std::string shellQuote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

class DesktopSettingsOnWineTest : public WinePrefixTest {
 protected:
  // A value as `wine reg query` shows it: its kind and its data.
  struct Value {
    std::string kind, data;
    bool operator==(const Value&) const = default;
  };
  std::optional<Value> value(const std::string& key, const std::string& name) const {
    const std::string out = query(key, name);
    static const std::regex line(R"(^\s+(.+?)\s+(REG_[A-Z_]+)\s*(.*?)\s*$)");
    std::istringstream lines(out);
    for (std::string l; std::getline(lines, l);) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      std::smatch m;
      if (std::regex_match(l, m, line) && m[1] == name) return Value{m[2], m[3]};
    }
    return std::nullopt;
  }
  // reg query prints an error, not the key's name, for a key that is not there.
  bool keyThere(const std::string& key) const {
    return wine("reg query " + shellQuote(key)).find("HKEY_") != std::string::npos;
  }

  // Notes a value, to put it back at the end.
  void keep(const std::string& key, const std::string& name) {
    kept_.push_back({key, name, value(key, name)});
  }
  void keepKey(const std::string& key) {
    if (!keyThere(key)) {
      wine("reg add " + shellQuote(key) + " /f");
      madeKeys_.push_back(key);
    }
  }
  // Also after a failed check: the prefix is shared with other tests.
  void TearDown() override {
    putBack();
    for (const auto& path : madePaths_) std::filesystem::remove(path);
  }
  void putBack() {
    if (kept_.empty() && madeKeys_.empty()) return;
    stopWineserver();
    for (const auto& k : kept_) {
      const std::string where = shellQuote(k.key) + " /v " + shellQuote(k.name);
      if (!k.before) {
        wine("reg delete " + where + " /f");
      } else {
        // reg add wants DWORDs in hex with 0x, as reg query shows them.
        wine("reg add " + where + " /t " + k.before->kind + " /d " + shellQuote(k.before->data) + " /f");
      }
    }
    for (const std::string& key : madeKeys_) wine("reg delete " + shellQuote(key) + " /f");
    kept_.clear();
    madeKeys_.clear();
    stopWineserver();
  }

  static void tick(QCheckBox* box, bool on) {
    ASSERT_NE(box, nullptr);
    if (box->isChecked() != on) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    ASSERT_EQ(box->isChecked(), on) << box->objectName().toStdString();
  }

  struct Kept {
    std::string key, name;
    std::optional<Value> before;
  };
  std::vector<Kept> kept_;
  std::vector<std::string> madeKeys_;
  // Files and folders a test made on the prefix, innermost first.
  std::vector<std::filesystem::path> madePaths_;
};

const char* const kPolicies[][2] = {
    {"Explorer", "NoDesktop"},
    {"Explorer", "NoActiveDesktop"},
    {"Explorer", "NoActiveDesktopChanges"},
    {"ActiveDesktop", "NoAddingComponents"},
    {"ActiveDesktop", "NoDeletingComponents"},
    {"ActiveDesktop", "NoEditingComponents"},
    {"ActiveDesktop", "NoClosingComponents"},
    {"ActiveDesktop", "NoChangingWallPaper"},
    {"ActiveDesktop", "NoHTMLWallPaper"},
    {"Explorer", "NoSaveSettings"},
    {"Explorer", "NoInternetIcon"},
    {"Explorer", "NoNetHood"},
    {"Explorer", "NoWinKeys"},
};

TEST_F(DesktopSettingsOnWineTest, SettingsAndRestrictionsAreWhatWineReads) {
  for (const char* name : {"PaintDesktopVersion", "DragFullWindows", "FontSmoothing"}) keep(kDesktop, name);
  for (const char* name :
       {"MinAnimate", "Shell Icon BPP", "IconVerticalSpacing", "IconSpacing", "Shell Icon Size"})
    keep(kMetrics, name);
  keepKey(kMetrics);
  keep(kRecycleBin, "Attributes");
  keepKey(kRecycleBin);
  keepKey(kExplorer);
  keepKey(kActiveDesktop);
  for (const auto& [key, name] : kPolicies)
    keep(key == std::string("Explorer") ? kExplorer : kActiveDesktop, name);
  // One policy set beforehand, to be pruned.
  wine("reg add " + shellQuote(kActiveDesktop) + " /v NoHTMLWallPaper /t REG_DWORD /d 0 /f");
  stopWineserver();
  {
    auto session = open();
    auto* page = static_cast<DesktopPage*>(session->showAndLoad("pulpit"));
    ASSERT_NE(page, nullptr);
    session->window->showPage("pulpit", "pulpitustawienia");
    tick(page->findChild<QCheckBox*>("pulpitPaintDesktopVersion"), true);
    tick(page->findChild<QCheckBox*>("pulpitFontSmoothing"), true);
    tick(page->findChild<QCheckBox*>("pulpitLargeIcons"), false);
    tick(page->findChild<QCheckBox*>("pulpitLargeIcons"), true);
    tick(page->findChild<QCheckBox*>("pulpitRecycleBin"), true);
    QTest::mouseClick(page->findChild<QPushButton*>("pulpitustawieniaApply"), Qt::LeftButton);

    session->window->showPage("pulpit", "pulpitograniczenia");
    for (const auto& [key, name] : kPolicies) {
      const std::string n = name;
      tick(page->findChild<QCheckBox*>(QString::fromStdString("pulpit" + n)),
           n == "NoDesktop" || n == "NoWinKeys");
    }
    QTest::mouseClick(page->findChild<QPushButton*>("pulpitograniczeniaApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().box.text;
    EXPECT_TRUE(session->app->restartNeeded());
  }
  EXPECT_EQ(value(kDesktop, "PaintDesktopVersion"), (Value{"REG_DWORD", "0x1"}));
  EXPECT_EQ(value(kDesktop, "FontSmoothing"), (Value{"REG_SZ", "1"}));
  EXPECT_EQ(value(kMetrics, "Shell Icon Size"), (Value{"REG_SZ", "48"}));
  EXPECT_EQ(value(kMetrics, "IconVerticalSpacing"), (Value{"REG_SZ", "-1365"}));
  EXPECT_EQ(value(kMetrics, "IconSpacing"), (Value{"REG_SZ", "-1365"}));
  EXPECT_EQ(value(kMetrics, "Shell Icon BPP").value_or(Value{}).kind, "REG_SZ");
  EXPECT_EQ(value(kRecycleBin, "Attributes"), (Value{"REG_BINARY", "70010020"}));
  for (const auto& [key, name] : kPolicies) {
    const std::string n = name;
    const auto stored = value(key == std::string("Explorer") ? kExplorer : kActiveDesktop, name);
    if (n == "NoDesktop" || n == "NoWinKeys") {
      EXPECT_EQ(stored, (Value{"REG_DWORD", "0x1"})) << n;
    } else {
      EXPECT_EQ(stored, std::nullopt) << n;
    }
  }

  // Unticked, the version value goes.
  stopWineserver();
  {
    auto session = open();
    auto* page = static_cast<DesktopPage*>(session->showAndLoad("pulpit"));
    ASSERT_NE(page, nullptr);
    session->window->showPage("pulpit", "pulpitustawienia");
    EXPECT_TRUE(page->findChild<QCheckBox*>("pulpitLargeIcons")->isChecked());
    EXPECT_EQ(page->settingsTabs()->horizontalSpacing()->value(), 59);
    tick(page->findChild<QCheckBox*>("pulpitPaintDesktopVersion"), false);
    QTest::mouseClick(page->findChild<QPushButton*>("pulpitustawieniaApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.shown.empty());
  }
  EXPECT_EQ(value(kDesktop, "PaintDesktopVersion"), std::nullopt);
}

TEST_F(DesktopSettingsOnWineTest, ADesktopShortcutIsAShellLinkLnkinfoReads) {
  stopWineserver();
  auto session = std::make_unique<Session>();
  session->environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
  LinuxShellLinks links(session->environment->ansiCodePage());
  Platform services = platform(session->environment.get());
  services.shellLinks = &links;
  session->app = std::make_unique<AppContext>(services);
  session->window = std::make_unique<TKelvaro>(*session->app, createPage);
  session->window->show();

  auto* page = static_cast<DesktopPage*>(session->showAndLoad("pulpit"));
  ASSERT_NE(page, nullptr);
  session->window->showPage("pulpit", "TabSheet8");
  FileSystem& files = session->environment->files();
  const std::string folder = page->settingsTabs()->desktopFolder().toStdString();
  // A fresh prefix may lack the folder the fallback names; the test makes it.
  if (!files.directoryExists(folder) && files.createDirectory(folder))
    madePaths_.push_back(files.hostPath(folder).value());
  ASSERT_TRUE(files.directoryExists(folder)) << folder;
  session->app->run([page] { page->reload(); });
  const std::string program = "C:\\windows\\notepad.exe";
  ASSERT_TRUE(files.fileExists(program));
  dialogs.answer(std::optional<std::string>(program));
  QTest::mouseClick(page->findChild<QPushButton*>("PulpitAddShortcut"), Qt::LeftButton);
  QTest::mouseClick(page->findChild<QPushButton*>("PulpitShortcutOk"), Qt::LeftButton);
  EXPECT_EQ(dialogs.shown.size(), 1u);  // the chooser only

  const auto file = files.hostPath(folder + "\\notepad.lnk");
  ASSERT_TRUE(file && std::filesystem::exists(*file)) << folder;
  madePaths_.insert(madePaths_.begin(), *file);
  auto fields = lnkinfo(*file);
  EXPECT_EQ(fields["Local path"], program);
  EXPECT_EQ(fields["Working directory"], "C:\\windows");
  EXPECT_NE(page->settingsTabs()->tree()->itemOf(folder + "\\notepad.lnk"), nullptr);
}

}  // namespace
}  // namespace kelvaro::testing
