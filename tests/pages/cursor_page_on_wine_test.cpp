// The cursor page on a real Wine prefix: a cursor chosen through the page
// and saved as a scheme is what Wine reads.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "tests/support/wine_prefix_test.h"

namespace kelvaro {
namespace {

using CursorPageOnWineTest = testing::WinePrefixTest;

TEST_F(CursorPageOnWineTest, AChosenCursorAndTheSavedSchemeAreWhatWineReads) {
  std::string program;
  {
    auto session = open();
    Page* page = session->showAndLoad("kursory");
    ASSERT_NE(page, nullptr);
    program = session->environment->programDirectory();
    ASSERT_FALSE(program.empty());
    QTest::mouseClick(page->findChild<QWidget*>("UpArrowCaption"), Qt::LeftButton);
    auto* change = page->findChild<QPushButton*>("zmienKursor");
    QTest::mouseClick(change, Qt::LeftButton);
    auto* own = page->findChild<QRadioButton*>("kursoryProgramu");
    QTest::mouseClick(own, Qt::LeftButton, {}, QPoint(6, own->height() / 2));
    ASSERT_EQ(change->text(), " Zmień ");
    dialogs.answer(program + "\\Kursory\\niebieski krzyż.cur");
    QTest::mouseClick(change, Qt::LeftButton);
    auto* save = page->findChild<QPushButton*>("zapiszSchemat");
    ASSERT_TRUE(save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);
    auto* name = page->findChild<QLineEdit*>("nazwaSchematu");
    QTest::keyClicks(name, "Kelvaro test");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
    EXPECT_FALSE(save->isEnabled());
  }
  const std::string key = "HKCU\\Control Panel\\Cursors";
  const std::string upArrow = query(key, "UpArrow");
  EXPECT_NE(upArrow.find("REG_SZ"), std::string::npos) << upArrow;
  EXPECT_NE(upArrow.find("Kursory\\niebieski krzy"), std::string::npos) << upArrow;
  const std::string current = wine("reg query '" + key + "' /ve");
  EXPECT_NE(current.find("Kelvaro test"), std::string::npos) << current;
  const std::string scheme = query(key + "\\Schemes", "Kelvaro test");
  EXPECT_NE(scheme.find("REG_SZ"), std::string::npos) << scheme;
  // The chosen cursor is the scheme's last place.
  EXPECT_NE(scheme.find(",Z:\\"), std::string::npos) << scheme;
  EXPECT_NE(scheme.find("Kursory\\niebieski krzy"), std::string::npos) << scheme;
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro
