// The frame on a real Wine prefix: what its pages write is what Wine reads.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include "app/windows_page.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro {
namespace {

using FrameOnWineTest = testing::WinePrefixTest;

// A click where a user clicks a check box: on its mark.
void clickBox(QCheckBox* box) {
  QStyleOptionButton option;
  option.initFrom(box);
  QTest::mouseClick(box, Qt::LeftButton, {},
                    box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
}

TEST_F(FrameOnWineTest, TheWindowsPageAndClosingWriteWhatWineReads) {
  {
    auto session = open();
    auto* page = static_cast<WindowsPage*>(session->showAndLoad("windows"));
    ASSERT_NE(page, nullptr);

    QLabel* owner = page->field(7);
    QTest::mouseDClick(owner, Qt::LeftButton, {}, QPoint(3, 3));
    QLineEdit* editor = page->editor()->textEditor();
    editor->selectAll();
    QTest::keyClicks(editor, "Kelvaro Tester");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::mouseClick(page->findChild<QPushButton*>("windowsApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
    session->window->close();
  }
  const std::string nine =
      wine("reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion' /v RegisteredOwner");
  EXPECT_NE(nine.find("Kelvaro Tester"), std::string::npos) << nine;
  const std::string nt =
      wine("reg query 'HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion' /v RegisteredOwner");
  EXPECT_NE(nt.find("Kelvaro Tester"), std::string::npos) << nt;
  const std::string page = wine("reg query 'HKCU\\Software\\Morvane\\Kelvaro' /v ActivePageName");
  EXPECT_NE(page.find("REG_SZ"), std::string::npos) << page;
  EXPECT_NE(page.find(" 3"), std::string::npos) << page;
  stopWineserver();
}

TEST_F(FrameOnWineTest, TheControlPanelRestrictionsAreWhatWineReads) {
  const std::string policies = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
  // Wine stores one restriction; the page must show it and, unticked, remove it.
  wine("reg add '" + policies + "Network' /v NoFileSharingControl /t REG_DWORD /d 1 /f");
  ASSERT_NE(wine("reg query '" + policies + "Network' /v NoFileSharingControl").find("0x1"),
            std::string::npos);
  stopWineserver();
  {
    auto session = open();
    Page* page = session->showAndLoad("ograniczenia");
    ASSERT_NE(page, nullptr);
    // One restriction on, one that may be stored switched off.
    auto* printers = page->findChild<QCheckBox*>("NoPrinters");
    auto* sharing = page->findChild<QCheckBox*>("NoFileSharingControl");
    EXPECT_TRUE(sharing->isChecked());
    if (!printers->isChecked()) clickBox(printers);
    clickBox(sharing);
    QTest::mouseClick(page->findChild<QPushButton*>("ograniczeniaApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  const std::string on = wine("reg query '" + policies + "Explorer' /v NoPrinters");
  EXPECT_NE(on.find("REG_DWORD"), std::string::npos) << on;
  EXPECT_NE(on.find("0x1"), std::string::npos) << on;
  // Unchecked restrictions leave no value at all.
  const std::string off = wine("reg query '" + policies + "Network' /v NoFileSharingControl");
  EXPECT_EQ(off.find("REG_DWORD"), std::string::npos) << off;
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro
