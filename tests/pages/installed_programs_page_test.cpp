// The installed programs page: the entries in subkey order, uninstalling
// through the shell, removing and editing an entry at once.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "pages/system/installed_programs_page.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

class InstalledProgramsPageTest : public PageHarness {
 protected:
  void SetUp() override {
    // Subkeys B and A: listed in subkey order, whatever their names say.
    set(Root::LocalMachine, sub("B"), "DisplayName", std::string("Alpha"));
    set(Root::LocalMachine, sub("A"), "DisplayName", std::string("Beta"));
    set(Root::LocalMachine, sub("A"), "UninstallString", std::string("C:\\Beta\\usun.exe /q"));
    set(Root::LocalMachine, sub("Liczbowy"), "DisplayName", 5);
    ASSERT_NE(start(), nullptr);
    frame().showPage("dodajusun");
  }
  static std::string sub(const std::string& name) { return std::string(kUninstall) + "\\" + name; }
  InstalledProgramsPage& page() {
    return static_cast<InstalledProgramsPage&>(PageHarness::page("dodajusun"));
  }
  QStringList names() {
    QStringList out;
    for (int i = 0; i < page().list()->count(); ++i) out << page().list()->item(i)->text();
    return out;
  }
  void choose(const QString& name) { ASSERT_TRUE(clickItem(page().list(), name)) << name.toStdString(); }
};

TEST_F(InstalledProgramsPageTest, ListsNamedEntriesInSubkeyOrderAndUninstallsThroughTheShell) {
  const QStringList shown = names();
  EXPECT_EQ(shown.mid(0, 2), (QStringList{"Beta", "Alpha"}));
  EXPECT_FALSE(shown.contains("Pakiet aktualizacji"));  // a subkey without DisplayName
  // "Gra w kulki" comes before "Komunikator", whatever the names say.
  EXPECT_LT(shown.indexOf("Kulki 98"), shown.indexOf("Komunikator internetowy 2000"));
  EXPECT_FALSE(find<QPushButton>("uninstallRun")->isEnabled());

  choose("Beta");
  click("uninstallRun");
  ASSERT_EQ(launcher.calls.size(), 1U);
  EXPECT_EQ(launcher.calls[0].kind, "open");
  EXPECT_EQ(launcher.calls[0].target, "C:\\Beta\\usun.exe /q");

  // Without an uninstall command the entry can be edited and removed only.
  choose("Alpha");
  EXPECT_FALSE(find<QPushButton>("uninstallRun")->isEnabled());
  EXPECT_TRUE(find<QPushButton>("uninstallEdit")->isEnabled());
  EXPECT_TRUE(find<QPushButton>("uninstallRemove")->isEnabled());
}

TEST_F(InstalledProgramsPageTest, EditingWritesNameAndCommandAndEscapeWritesNothing) {
  choose("Alpha");
  key(page().list(), Qt::Key_Return);
  QLineEdit* name = find<QLineEdit>("uninstallName");
  ASSERT_TRUE(name->isVisible());
  EXPECT_EQ(name->text(), "Alpha");
  EXPECT_FALSE(page().list()->isEnabled());
  EXPECT_FALSE(find<QPushButton>("uninstallApply")->isEnabled());
  name->selectAll();
  key(name, Qt::Key_Delete);
  EXPECT_FALSE(find<QPushButton>("uninstallApply")->isEnabled());
  type(name, "Alfa");
  EXPECT_TRUE(page().hasPendingEdits());
  key(name, Qt::Key_Escape);
  EXPECT_FALSE(name->isVisible());
  EXPECT_EQ(stored(Root::LocalMachine, sub("B"), "DisplayName"), StoredValue(std::string("Alpha")));

  click("uninstallEdit");
  name->selectAll();
  type(name, "Alfa");
  type("uninstallCommand", "C:\\Alfa\\usun.exe");
  key(find<QLineEdit>("uninstallCommand"), Qt::Key_Return);
  EXPECT_EQ(stored(Root::LocalMachine, sub("B"), "DisplayName"), StoredValue(std::string("Alfa")));
  EXPECT_EQ(stored(Root::LocalMachine, sub("B"), "UninstallString"),
            StoredValue(std::string("C:\\Alfa\\usun.exe")));
  EXPECT_TRUE(names().contains("Alfa"));
  EXPECT_FALSE(page().hasPendingEdits());
}

TEST_F(InstalledProgramsPageTest, RemovingDeletesTheSubkeyAndNeedsAnEntry) {
  set(Root::LocalMachine, sub("A") + "\\Extra", "x", std::string("y"));
  click("reReadButton");
  const int before = page().list()->count();
  key(page().list(), Qt::Key_Delete);
  EXPECT_EQ(page().list()->count(), before);
  choose("Beta");
  key(page().list(), Qt::Key_Delete);
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_FALSE(keyStored(Root::LocalMachine, sub("A")));
  EXPECT_FALSE(names().contains("Beta"));
  EXPECT_FALSE(app->restartNeeded());
}

}  // namespace
}  // namespace kelvaro::testing
