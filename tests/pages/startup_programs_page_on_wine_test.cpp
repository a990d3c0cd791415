// The start-up programs page on a real Wine prefix: Wine's own entries are
// listed, and what the page adds and edits is what Wine reads.
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "pages/system/startup_programs_page.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

using StartupProgramsOnWineTest = WinePrefixTest;

TEST_F(StartupProgramsOnWineTest, ListsWinesEntriesAndWritesWhatWineReads) {
  const std::string run = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
  {
    auto session = open();
    auto* page = static_cast<StartupProgramsPage*>(session->showAndLoad("AutoRUN"));
    ASSERT_NE(page, nullptr);
    // Wine starts its menu builder from RunServices.
    QTreeWidget* services = page->list(1);
    EXPECT_EQ(services->findItems("winemenubuilder", Qt::MatchExactly).size(), 1);

    QTabBar* bar = page->subPageControl()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(3).center());
    dialogs.answer(std::string("C:\\windows\\notepad.exe"));
    QTest::mouseClick(page->findChild<QPushButton*>("HKCUrunAdd"), Qt::LeftButton);
    QTest::keyClick(page->findChild<QLineEdit*>("autorunAddPanelName"), Qt::Key_Return);

    // Renamed through the edit panel: the old name goes, the new one is written.
    QTreeWidget* list = page->list(3);
    ASSERT_TRUE(clickItem(list, "notepad"));
    QTest::keyClick(list, Qt::Key_Return);
    auto* name = page->findChild<QLineEdit*>("autorunEditPanelName");
    name->selectAll();
    QTest::keyClicks(name, "Notatnik");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  const std::string written = query(run, "Notatnik");
  EXPECT_NE(written.find("C:\\windows\\notepad.exe"), std::string::npos) << written;
  EXPECT_EQ(query(run, "notepad").find("REG_SZ"), std::string::npos);
  wine("reg delete '" + run + "' /v Notatnik /f");
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro::testing
