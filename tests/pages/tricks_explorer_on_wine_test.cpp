// The tricks and Explorer pages on a real Wine prefix: what their Apply
// commands write is what `wine reg query` reads back. Every apply rewrites
// all of a page's settings (and the tricks page registers .icl), so the test
// keeps the prefix's registry files and puts them back afterwards.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <filesystem>

#include "pages/shell/explorer_page.h"
#include "pages/shell/tricks_page.h"
#include "pages/widgets/in_place_editor.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

class TricksExplorerOnWineTest : public WinePrefixTest {
 protected:
  // Each Apply rewrites every setting of its page: the registry files go back whole.
  void SetUp() override {
    WinePrefixTest::SetUp();
    for (const char* file : {"system.reg", "user.reg", "userdef.reg"}) keep(prefix / file);
  }
  // The data of a value (/ve: the default) as `reg query` prints it, or "" when it is missing.
  std::string data(const std::string& key, const std::string& name) const {
    const std::string out = wine("reg query '" + key + "' " + (name.empty() ? "/ve" : "/v '" + name + "'"));
    for (const char* kind : {"REG_SZ", "REG_DWORD", "REG_BINARY"}) {
      const std::size_t at = out.find(kind);
      if (at == std::string::npos) continue;
      std::string value = out.substr(at + std::string(kind).size());
      value.erase(0, value.find_first_not_of(' '));
      value.erase(value.find_last_not_of("\r\n ") + 1);
      return std::string(kind) + " " + value;
    }
    return {};
  }
  static void tick(QCheckBox* box, bool on) {
    ASSERT_NE(box, nullptr);
    if (box->isChecked() != on) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    ASSERT_EQ(box->isChecked(), on);
  }
};

TEST_F(TricksExplorerOnWineTest, TricksSwitchedOnThroughThePageAreWhatWineReads) {
  {
    auto session = open();
    auto* tricks = static_cast<TricksPage*>(session->showAndLoad("triki"));
    ASSERT_NE(tricks, nullptr);
    tick(tricks->findChild<QCheckBox*>("trikiKopiuj"), true);
    tick(tricks->findChild<QCheckBox*>("trikiEksploracja"), true);
    tick(tricks->findChild<QCheckBox*>("trikiSkanuj"), true);
    auto* title = tricks->findChild<QLabel*>("trikiTytul");
    QTest::mouseDClick(title, Qt::LeftButton, {}, QPoint(3, 3));
    QLineEdit* editor = tricks->titleEditor()->textEditor();
    ASSERT_TRUE(editor->isVisible());
    editor->selectAll();
    QTest::keyClicks(editor, "Kelvaro");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::mouseClick(tricks->findChild<QPushButton*>("trikiApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  EXPECT_EQ(data("HKCR\\*\\shellex\\ContextMenuHandlers\\Copyto", ""),
            "REG_SZ {C2FBB630-2971-11d1-A18C-00C04FD75D13}");
  EXPECT_EQ(data("HKCR\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell", ""), "REG_SZ Eksplo&ruj");
  EXPECT_EQ(data("HKCR\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Eksplo&ruj\\command", ""),
            "REG_SZ Explorer.exe");
  EXPECT_EQ(data("HKCR\\Drive\\shell\\ScanDisk\\Command", ""), "REG_SZ scandskw.exe");
  EXPECT_EQ(data("HKCU\\Software\\Policies\\Microsoft\\WindowsMediaPlayer", "TitleBar"), "REG_SZ Kelvaro");
  // The icon-library trick's apply registers .icl where Wine has none.
  EXPECT_NE(data("HKCR\\.icl", ""), "");

  // Switched off again, the keys are gone.
  stopWineserver();
  {
    auto session = open();
    auto* tricks = static_cast<TricksPage*>(session->showAndLoad("triki"));
    ASSERT_NE(tricks, nullptr);
    EXPECT_TRUE(tricks->findChild<QCheckBox*>("trikiKopiuj")->isChecked());
    EXPECT_EQ(tricks->findChild<QLabel*>("trikiTytul")->text(),
              "Program Windows Media Player dostarczony przez Kelvaro");
    tick(tricks->findChild<QCheckBox*>("trikiKopiuj"), false);
    QTest::mouseClick(tricks->findChild<QPushButton*>("trikiApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  EXPECT_EQ(data("HKCR\\*\\shellex\\ContextMenuHandlers\\Copyto", ""), "");
}

TEST_F(TricksExplorerOnWineTest, ExplorerBoxesAndTheTimeoutAreWhatWineReads) {
  const std::string explorer = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
  // A fresh Wine prefix has no Unknown\shell; ticking the box there makes the apply fail.
  const bool unknownShell =
      wine("reg query 'HKCR\\Unknown\\shell'").find("HKEY_CLASSES_ROOT\\Unknown\\shell") != std::string::npos;
  stopWineserver();
  {
    auto session = open();
    auto* page = static_cast<ExplorerPage*>(session->showAndLoad("explorer2"));
    ASSERT_NE(page, nullptr) << (dialogs.boxes().empty() ? "" : dialogs.boxes().front().text);
    tick(page->box("explorer2NoFolderOptions"), true);
    tick(page->box("explorer2NoFileMenu"), false);
    tick(page->box("explorer2TaskbarSizeMove"), true);
    tick(page->box("explorer2NoDriveTypeAutoRun"), true);
    tick(page->box("explorer2Notepad"), unknownShell);
    QSpinBox* timeout = page->timeout();
    timeout->setFocus();
    timeout->selectAll();
    QTest::keyClicks(timeout, "5000");
    QTest::keyClick(timeout, Qt::Key_Return);
    QTest::mouseClick(page->findChild<QPushButton*>("explorer2Apply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  EXPECT_EQ(data(explorer, "NoFolderOptions"), "REG_DWORD 0x1");
  EXPECT_EQ(data(explorer, "NoFileMenu"), "");
  EXPECT_EQ(data(explorer, "NoDriveTypeAutoRun"), "REG_BINARY B5000000");
  EXPECT_EQ(data("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced", "TaskbarSizeMove"),
            "REG_DWORD 0x0");
  EXPECT_EQ(
      data("HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ActiveDesktop", "NoMovingBands"),
      "REG_DWORD 0x1");
  EXPECT_EQ(data("HKCU\\Control Panel\\Desktop", "WaitToKillAppTimeout"), "REG_SZ 5000");
  EXPECT_EQ(data("HKLM\\System\\CurrentControlSet\\Control\\Update", "UpdateMode"), "REG_BINARY 00");
  if (unknownShell) {
    EXPECT_EQ(data("HKCR\\Unknown\\shell", ""), "REG_SZ OpenInNotepad");
    EXPECT_EQ(data("HKCR\\Unknown\\shell\\OpenInNotepad\\Command", ""), "REG_SZ NOTEPAD.EXE %1");
  }
}

}  // namespace
}  // namespace kelvaro::testing
