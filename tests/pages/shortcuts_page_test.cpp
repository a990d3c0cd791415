// The shortcuts page: one Rundll32 shortcut on the desktop per ticked box,
// checked with lnkinfo.
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <sstream>

#include "pages/shell/shortcuts_page.h"
#include "platform/linux_shell_links.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string shellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// lnkinfo's "Label : value" lines.
std::map<std::string, std::string> lnkinfo(const fs::path& file) {
  std::string output;
  if (FILE* pipe = ::popen(("lnkinfo -c windows-1250 " + shellQuote(file.string()) + " 2>&1").c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, got);
    EXPECT_EQ(::pclose(pipe), 0) << output;
  }
  std::map<std::string, std::string> fields;
  std::istringstream lines(output);
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

class ShortcutsPageTest : public PageHarness {
 protected:
  void SetUp() override {
    // The page writes real shortcuts here, for lnkinfo to read.
    Platform platform = app->platform();
    links = std::make_unique<LinuxShellLinks>(environment->ansiCodePage());
    platform.shellLinks = links.get();
    app = std::make_unique<AppContext>(platform);
    ASSERT_NE(start(), nullptr);
    frame().showPage("skroty");
  }
  ShortcutsPage& page() { return static_cast<ShortcutsPage&>(PageHarness::page("skroty")); }
  QPushButton* create() { return find<QPushButton>("skrotyCreate"); }

  std::unique_ptr<LinuxShellLinks> links;
};

TEST_F(ShortcutsPageTest, TickedBoxesBecomeRundllShortcutsOnTheDesktop) {
  EXPECT_FALSE(create()->isEnabled());
  click(page().box(0));
  click(page().box(21));
  EXPECT_TRUE(create()->isEnabled());
  click(page().box(21));
  EXPECT_TRUE(create()->isEnabled());
  click(page().box(21));
  click(create());

  const std::string windows = app->environment().windowsDirectory();
  const std::pair<const char*, const char*> made[] = {{"Zamknij Windows.lnk", "user,exitwindows"},
                                                      {"Wyłącz mysz.lnk", "mouse,disable"}};
  for (const auto& [name, arguments] : made) {
    SCOPED_TRACE(name);
    const fs::path file = hostPath("C:\\WINDOWS\\Pulpit") / fs::u8path(name);
    ASSERT_TRUE(fs::is_regular_file(file));
    std::map<std::string, std::string> fields = lnkinfo(file);
    EXPECT_EQ(fields["Local path"], windows + "\\Rundll32.exe");
    EXPECT_EQ(fields["Command line arguments"], arguments);
    EXPECT_EQ(fields["Working directory"], windows + "\\");
  }
  EXPECT_FALSE(fs::exists(hostPath("C:\\WINDOWS\\Pulpit") / "Restartuj Windows.lnk"));
  for (std::size_t i = 0; i < ShortcutsPage::kShortcuts; ++i) EXPECT_FALSE(page().box(i)->isChecked()) << i;
  EXPECT_FALSE(create()->isEnabled());
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(ShortcutsPageTest, EnterOnABoxCreatesAndAMissingDesktopIsReported) {
  click(page().box(1));
  page().box(1)->setFocus();
  QTest::keyClick(page().box(1), Qt::Key_Return);
  EXPECT_TRUE(fs::is_regular_file(hostPath("C:\\WINDOWS\\Pulpit\\Restartuj Windows.lnk")));
  EXPECT_FALSE(create()->isEnabled());

  remove(Root::CurrentUser, kShellFolders, "Desktop");
  click(page().box(6));
  click(create());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_NE(dialogs.boxes()[0].text.find("Odświerz Ekran"), std::string::npos) << dialogs.boxes()[0].text;
  EXPECT_FALSE(page().box(6)->isChecked());
}

}  // namespace
}  // namespace kelvaro::testing
