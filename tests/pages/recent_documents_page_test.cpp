// The recent documents page: the Recent folder's entries under a counted
// heading, deleted one, all, or all but one at once.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <fstream>

#include "pages/shell/recent_documents_page.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kEmpty[] = "Zawartość menu \"Dokumenty\" (brak elementów w menu)";

class RecentDocumentsPageTest : public PageHarness {
 protected:
  void SetUp() override { ASSERT_NE(start(), nullptr); }
  RecentDocumentsPage& show() { return static_cast<RecentDocumentsPage&>(showAndLoad("Doki")); }
  fs::path recent() { return hostPath("C:\\WINDOWS\\Recent"); }
  // The Recent folder holding n shortcuts named 01.txt.lnk, 02.txt.lnk, ...
  void fill(int n) {
    for (const auto& entry : fs::directory_iterator(recent())) fs::remove(entry.path());
    for (int i = 1; i <= n; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "%02d.txt.lnk", i);
      std::ofstream(recent() / name) << "x";
    }
  }
  std::set<std::string> files() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(recent())) names.insert(entry.path().filename().string());
    return names;
  }
  QPushButton* button(const char* name) { return find<QPushButton>(name); }
};

TEST_F(RecentDocumentsPageTest, TheHeadingCountsTheEntries) {
  const std::pair<int, const char*> cases[] = {
      {1, "Zawartość menu \"Dokumenty\" (1 element w menu)"},
      {3, "Zawartość menu \"Dokumenty\" (3 elemeny w menu)"},
      {4, "Zawartość menu \"Dokumenty\" (4 elemeny w menu)"},
      {5, "Zawartość menu \"Dokumenty\" (5 elementów w menu)"},
      {12, "Zawartość menu \"Dokumenty\" (12 elementów w menu)"},
      {22, "Zawartość menu \"Dokumenty\" (22 elementów w menu)"},
  };
  for (const auto& [count, heading] : cases) {
    fill(count);
    RecentDocumentsPage& page = show();
    EXPECT_EQ(page.heading()->text().toStdString(), heading);
    EXPECT_EQ(page.entryList()->count(), count);
    EXPECT_TRUE(button("DokiClear")->isEnabled());
    EXPECT_FALSE(button("DokiRemove")->isEnabled());
    EXPECT_FALSE(button("DokiAllBut")->isEnabled());
  }
  EXPECT_EQ(show().entryList()->item(0)->text(), "01.txt");
}

TEST_F(RecentDocumentsPageTest, NoEntriesGiveTheEmptyHeadingAndDisabledButtons) {
  const std::function<void()> setups[] = {
      [&] { fill(0); },
      [&] { set(Root::CurrentUser, kShellFolders, "Recent", std::string("C:\\WINDOWS\\Nie ma")); },
      [&] { remove(Root::CurrentUser, kShellFolders, "Recent"); },
  };
  for (std::size_t i = 0; i < std::size(setups); ++i) {
    SCOPED_TRACE(i);
    setups[i]();
    RecentDocumentsPage& page = show();
    EXPECT_EQ(page.heading()->text().toStdString(), kEmpty);
    for (const char* b : {"DokiRemove", "DokiClear", "DokiAllBut"}) EXPECT_FALSE(button(b)->isEnabled()) << b;
  }
}

TEST_F(RecentDocumentsPageTest, DeletesOneEntryAndAllButTheChosenOne) {
  fill(5);
  RecentDocumentsPage& page = show();
  // Delete before any entry is chosen does nothing.
  key(page.entryList(), Qt::Key_Delete);
  EXPECT_EQ(files().size(), 5u);
  ASSERT_TRUE(clickItem(page.entryList(), "02.txt"));
  key(page.entryList(), Qt::Key_Delete);
  EXPECT_FALSE(files().contains("02.txt.lnk"));
  EXPECT_EQ(page.entryList()->count(), 4);
  EXPECT_FALSE(button("DokiRemove")->isEnabled());

  fill(5);
  show();
  ASSERT_TRUE(clickItem(page.entryList(), "03.txt"));
  click("DokiAllBut");
  EXPECT_EQ(files(), std::set<std::string>{"03.txt.lnk"});
  EXPECT_EQ(page.heading()->text().toStdString(), "Zawartość menu \"Dokumenty\" (1 element w menu)");
  // The only entry, chosen to be kept, is kept.
  ASSERT_TRUE(clickItem(page.entryList(), "03.txt"));
  click("DokiAllBut");
  EXPECT_EQ(files(), std::set<std::string>{"03.txt.lnk"});
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(RecentDocumentsPageTest, ClearingDeletesEveryEntryThatCanBeDeleted) {
  fill(3);
  const fs::path locked = recent() / "03.txt.lnk";
  fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  RecentDocumentsPage& page = show();
  QTest::keyClick(page.entryList(), Qt::Key_Delete, Qt::ShiftModifier);
  // A read-only entry stays, silently, and shows at the next load.
  EXPECT_EQ(files(), std::set<std::string>{"03.txt.lnk"});
  EXPECT_EQ(page.entryList()->count(), 0);
  EXPECT_EQ(page.heading()->text().toStdString(), kEmpty);
  for (const char* b : {"DokiRemove", "DokiClear", "DokiAllBut"}) EXPECT_FALSE(button(b)->isEnabled()) << b;
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(show().entryList()->count(), 1);
  fs::permissions(locked, fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
}  // namespace kelvaro::testing
