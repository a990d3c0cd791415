// The shell folders page on a real Wine prefix: it shows Wine's folders and
// what it writes is what Wine reads.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pages/shell/shell_folders_page.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

using ShellFoldersOnWineTest = WinePrefixTest;

constexpr char kShellFolders[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST_F(ShellFoldersOnWineTest, ShowsWinesFoldersAndWritesAnEditedOne) {
  const std::string before = query(kShellFolders, "Personal");
  ASSERT_NE(before.find("REG_SZ"), std::string::npos) << before;
  const std::string original = before.substr(before.find("REG_SZ") + 6);
  stopWineserver();
  {
    auto session = open();
    auto* page = static_cast<ShellFoldersPage*>(session->showAndLoad("foldery"));
    ASSERT_NE(page, nullptr);
    auto* personal = page->findChild<QLabel*>("PersonalPath");
    EXPECT_NE(original.find(personal->text().toStdString()), std::string::npos)
        << personal->text().toStdString() << " vs " << original;
    EXPECT_EQ(page->findChild<QLabel*>("WinDirPath")->text().toStdString(),
              session->environment->windowsDirectory());

    doubleClick(personal, QPoint(3, 3));
    QLineEdit* field = page->editor()->folderEditor();
    field->selectAll();
    QTest::keyClicks(field, "C:\\windows\\temp");
    QTest::keyClick(field, Qt::Key_Return);
    QTest::mouseClick(page->findChild<QPushButton*>("folderyApply"), Qt::LeftButton);
    // Rows Wine has no folder for are refused one by one; no store error.
    for (const auto& box : dialogs.boxes()) EXPECT_EQ(box.icon, BoxIcon::None) << box.text;
  }
  const std::string after = query(kShellFolders, "Personal");
  EXPECT_NE(after.find("C:\\windows\\temp"), std::string::npos) << after;
  const std::string windows = query("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "WinDir");
  EXPECT_NE(windows.find("REG_SZ"), std::string::npos) << windows;
  // The prefix is shared with other tests: put Wine's folder back.
  std::string value = original;
  value.erase(0, value.find_first_not_of(' '));
  value.erase(value.find_last_not_of("\r\n ") + 1);
  wine("reg add '" + std::string(kShellFolders) + "' /v Personal /t REG_SZ /d '" + value + "' /f");
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro::testing
