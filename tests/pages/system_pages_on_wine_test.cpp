// The history, installed programs and NT settings pages on a real Wine
// prefix: what they delete and write is what Wine reads.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "pages/system/history_page.h"
#include "pages/system/installed_programs_page.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

using SystemPagesOnWineTest = WinePrefixTest;

TEST_F(SystemPagesOnWineTest, HistoryUninstallListAndNtSwitchesAreWhatWineReads) {
  const std::string runMru = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
  const std::string entry = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KelvaroTest";
  const std::string memory = "HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  wine("reg add '" + runMru + "' /v a /d 'notepad\\1' /f");
  wine("reg add '" + runMru + "' /v b /d 'winecfg\\1' /f");
  wine("reg add '" + runMru + "' /v MRUList /d ba /f");
  wine("reg add '" + entry + "' /v DisplayName /d 'Program testowy' /f");
  stopWineserver();
  {
    auto session = open();
    auto* history = static_cast<HistoryPage*>(session->showAndLoad("ustawienia"));
    ASSERT_NE(history, nullptr);
    QComboBox* run = history->list(HistoryPage::Run);
    ASSERT_EQ(run->count(), 2);
    EXPECT_EQ(run->itemText(0), "winecfg");
    QTest::mouseClick(history->findChild<QPushButton*>("runHistoryRemove"), Qt::LeftButton);

    auto* programs = static_cast<InstalledProgramsPage*>(session->showAndLoad("dodajusun"));
    ASSERT_NE(programs, nullptr);
    QListWidget* list = programs->list();
    ASSERT_TRUE(clickItem(list, "Program testowy"));
    QTest::keyClick(list, Qt::Key_Return);
    auto* command = programs->findChild<QLineEdit*>("uninstallCommand");
    QTest::keyClicks(command, "C:\\windows\\notepad.exe");
    QTest::keyClick(command, Qt::Key_Return);

    Page* nt = session->showAndLoad("SystemNT");
    ASSERT_NE(nt, nullptr);
    auto* pageFile = nt->findChild<QCheckBox*>("ClearPageFileAtShutdown");
    if (pageFile->isChecked()) pageFile->click();
    pageFile->click();
    QTest::mouseClick(nt->findChild<QPushButton*>("systemNtApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  EXPECT_EQ(query(runMru, "b").find("REG_SZ"), std::string::npos);
  EXPECT_NE(query(runMru, "MRUList").find("REG_SZ    a"), std::string::npos) << query(runMru, "MRUList");
  EXPECT_NE(query(entry, "UninstallString").find("C:\\windows\\notepad.exe"), std::string::npos);
  EXPECT_NE(query(memory, "ClearPageFileAtShutdown").find("0x1"), std::string::npos);
  EXPECT_EQ(launcher.calls.back().target, "regsvr32 zipfldr.dll");
  wine("reg delete '" + entry + "' /f");
  wine("reg delete '" + memory + "' /v ClearPageFileAtShutdown /f");
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro::testing
