// The sound page on a real Wine prefix: a sound chosen through the page and
// saved as a scheme is what Wine reads back.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pages/widgets/clickable_label.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro {
namespace {

using SoundPageOnWineTest = testing::WinePrefixTest;

TEST_F(SoundPageOnWineTest, AChosenSoundAndItsSchemeAreWhatWineReads) {
  const std::string chosen = "C:\\windows\\Media\\kelvaro-test.wav";
  {
    auto session = open();
    Page* page = session->showAndLoad("dzwieki");
    ASSERT_NE(page, nullptr);
    // Wine may have no sound for the event: then the outer button offers the chooser.
    QTest::mouseClick(page->findChild<ClickableLabel*>("event17"), Qt::LeftButton);
    auto* inner = page->findChild<QPushButton*>("zmienButton");
    auto* outer = page->findChild<QPushButton*>("zmienOuter");
    ASSERT_TRUE(inner->isVisible() || outer->isVisible());
    dialogs.shown.clear();
    dialogs.answer(std::optional<std::string>(chosen));
    QTest::mouseClick(inner->isVisible() ? inner : outer, Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;

    auto* save = page->findChild<QPushButton*>("dzwiekiApply");
    ASSERT_TRUE(save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);
    auto* field = page->findChild<QLineEdit*>("soundSchemeField");
    QTest::keyClicks(field, "KelvaroWine");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
    EXPECT_FALSE(save->isEnabled());
  }
  const std::string apps = "HKCU\\AppEvents\\Schemes\\Apps\\";
  for (const char* leaf : {".Current", "KelvaroWine"}) {
    const std::string current = wine("reg query '" + apps + ".Default\\.Default\\" + leaf + "' /ve");
    EXPECT_NE(current.find("REG_SZ"), std::string::npos) << current;
    EXPECT_NE(current.find("kelvaro-test.wav"), std::string::npos) << current;
  }
  // Every event has a copy in the scheme, also those without a sound.
  const std::string start = wine("reg query '" + apps + ".Default\\SystemStart\\KelvaroWine' /ve");
  EXPECT_NE(start.find("REG_SZ"), std::string::npos) << start;
  const std::string name = wine("reg query 'HKCU\\AppEvents\\Schemes\\Names\\KelvaroWine' /ve");
  EXPECT_NE(name.find("KelvaroWine - schemat d"), std::string::npos) << name;
  const std::string scheme = wine("reg query 'HKCU\\AppEvents\\Schemes' /ve");
  EXPECT_NE(scheme.find("KelvaroWine"), std::string::npos) << scheme;
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro
