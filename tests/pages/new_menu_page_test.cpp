// The New menu page: which extensions are entries, how they are named and
// ordered, that listing creates no key, and switching an entry off and on
// in its own ShellNew key.
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "pages/shell/new_menu_page.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

class NewMenuPageTest : public PageHarness {
 protected:
  void SetUp() override {
    // Under the extension, active, named by its type's description.
    set(Root::ClassesRoot, ".zqa", "", std::string("zqafile"));
    set(Root::ClassesRoot, "zqafile", "", std::string("Zqa dokument"));
    set(Root::ClassesRoot, ".zqa\\ShellNew", "FileName", std::string("szablon.zqa"));
    set(Root::ClassesRoot, ".zqa\\ShellNew", "Data", std::string("abc"));
    // Only a Command: inactive; its type has no description, so the extension names it.
    set(Root::ClassesRoot, ".zqb", "", std::string("zqbfile"));
    set(Root::ClassesRoot, "zqbfile", "x", std::string(""));
    set(Root::ClassesRoot, ".zqb\\ShellNew", "Command", std::string("C:\\x.exe"));
    // Under the type, no description: the type name upper-cased.
    set(Root::ClassesRoot, ".zqc", "", std::string("Zqc.Type"));
    set(Root::ClassesRoot, ".zqc\\Zqc.Type\\ShellNew", "NullFile", std::string(""));
    // No ShellNew anywhere: no entry.
    set(Root::ClassesRoot, ".zqd", "", std::string("zqdfile"));
    set(Root::ClassesRoot, "zqdfile", "", std::string("Zqd"));
  }
  NewMenuPage& open() {
    makeWindow();
    return static_cast<NewMenuPage&>(showAndLoad("MenuNOWY"));
  }
  QTreeWidget* list() { return find<QTreeWidget>("MenuNOWYLista"); }
  const NewMenuEntry* entry(NewMenuPage& page, const std::string& extension) {
    for (const NewMenuEntry& e : page.entries())
      if (e.extension == extension) return &e;
    return nullptr;
  }
  QString text(const char* label) { return find<QLabel>(label)->text(); }
};

TEST_F(NewMenuPageTest, EntriesAreNamedAndOrderedAndListingCreatesNoKey) {
  NewMenuPage& page = open();
  const NewMenuEntry* a = entry(page, "ZQA");
  const NewMenuEntry* b = entry(page, "ZQB");
  const NewMenuEntry* c = entry(page, "ZQC");
  ASSERT_TRUE(a && b && c);
  EXPECT_EQ(entry(page, "ZQD"), nullptr);
  EXPECT_EQ(a->name, "Zqa dokument");
  EXPECT_TRUE(a->active);
  EXPECT_EQ(a->key, ".zqa\\ShellNew");
  EXPECT_EQ(b->name, "ZQB");
  EXPECT_FALSE(b->active);
  EXPECT_EQ(c->name, "ZQC.TYPE");
  EXPECT_TRUE(c->active);
  EXPECT_EQ(c->key, ".zqc\\Zqc.Type\\ShellNew");
  ASSERT_EQ(list()->topLevelItemCount(), static_cast<int>(page.entries().size()));
  for (int i = 1; i < list()->topLevelItemCount(); ++i) {
    EXPECT_LE(
        QString::localeAwareCompare(list()->topLevelItem(i - 1)->text(0), list()->topLevelItem(i)->text(0)),
        0);
  }
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".zqc\\ShellNew"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".zqd\\ShellNew"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".zqd\\zqdfile"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".zqd\\zqdfile\\ShellNew"));
  // Nothing selected: the buttons are hidden.
  EXPECT_TRUE(find<QPushButton>("MenuNOWYAktywuj")->isHidden());
  EXPECT_TRUE(find<QPushButton>("MenuNOWYDeaktywuj")->isHidden());
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(NewMenuPageTest, SwitchingOffDeletesTheTemplateAndOnWritesAnEmptyFile) {
  open();
  ASSERT_TRUE(clickItem(list(), "Zqa dokument"));
  EXPECT_EQ(text("MenuNOWYNazwa"), "Zqa dokument");
  EXPECT_EQ(text("MenuNOWYRozszerzenie"), "ZQA");
  EXPECT_EQ(text("MenuNOWYStan"), "AKTYWNA");
  EXPECT_FALSE(find<QLabel>("MenuNOWYDuzaIkona")->pixmap().isNull());
  EXPECT_FALSE(find<QLabel>("MenuNOWYMalaIkona")->pixmap().isNull());
  EXPECT_EQ(icons.calls().back().operation, "fileTypeIcon");
  EXPECT_EQ(icons.calls().back().argument, "ZQA");
  auto* off = find<QPushButton>("MenuNOWYDeaktywuj");
  auto* on = find<QPushButton>("MenuNOWYAktywuj");
  EXPECT_FALSE(off->isHidden());
  EXPECT_TRUE(off->isEnabled());
  EXPECT_TRUE(on->isHidden());

  click(off);
  EXPECT_FALSE(stored(Root::ClassesRoot, ".zqa\\ShellNew", "FileName"));
  EXPECT_FALSE(stored(Root::ClassesRoot, ".zqa\\ShellNew", "Data"));
  EXPECT_TRUE(keyStored(Root::ClassesRoot, ".zqa\\ShellNew"));
  EXPECT_EQ(text("MenuNOWYNazwa"), "");  // read again: the details cleared
  EXPECT_TRUE(off->isHidden());

  ASSERT_TRUE(clickItem(list(), "Zqa dokument"));
  EXPECT_EQ(text("MenuNOWYStan"), "NIEAKTYWNA");
  EXPECT_FALSE(on->isHidden());
  EXPECT_TRUE(off->isHidden());
  click(on);
  EXPECT_EQ(stored(Root::ClassesRoot, ".zqa\\ShellNew", "NullFile"), StoredValue(std::string("")));
  EXPECT_EQ(stored(Root::ClassesRoot, ".zqa\\ShellNew", "FileName"), StoredValue(std::string("")));
  EXPECT_FALSE(stored(Root::ClassesRoot, ".zqa\\ShellNew", "Data"));
}

TEST_F(NewMenuPageTest, AnEntryUnderTheTypeIsSwitchedInPlace) {
  open();
  ASSERT_TRUE(clickItem(list(), "ZQC.TYPE"));
  EXPECT_EQ(text("MenuNOWYStan"), "AKTYWNA");
  click("MenuNOWYDeaktywuj");
  EXPECT_FALSE(stored(Root::ClassesRoot, ".zqc\\Zqc.Type\\ShellNew", "NullFile"));
  ASSERT_TRUE(clickItem(list(), "ZQB"));  // Command only: inactive
  EXPECT_EQ(text("MenuNOWYStan"), "NIEAKTYWNA");
  ASSERT_TRUE(clickItem(list(), "ZQC.TYPE"));
  click("MenuNOWYAktywuj");
  EXPECT_EQ(stored(Root::ClassesRoot, ".zqc\\Zqc.Type\\ShellNew", "NullFile"), StoredValue(std::string("")));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".zqc\\ShellNew"));
}

}  // namespace
}  // namespace kelvaro::testing
