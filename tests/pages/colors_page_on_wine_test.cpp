// The colours page on a real Wine prefix: a scheme applied is what Wine
// reads from the registry, win.ini's [colors] holds the 29 colours and no
// more, and the prefix's colours are the running system's when it opens.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <fstream>
#include <iterator>
#include <regex>

#include "platform/linux_system_settings.h"
#include "store/ini_file.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

class ColorsPageOnWineTest : public testing::WinePrefixTest {
 protected:
  // The page changes the prefix's colours; other tests get them back.
  void SetUp() override {
    WinePrefixTest::SetUp();
    winIniFile_ = prefix / "drive_c" / "windows" / "win.ini";
    keep(prefix / "user.reg");
    keep(winIniFile_);
  }

  fs::path winIniFile_;
};

TEST_F(ColorsPageOnWineTest, AnAppliedSchemeIsWhatWineReadsAndWinIniHoldsExactlyTheColours) {
  {
    auto session = open();
    Page* page = session->showAndLoad("kolory");
    ASSERT_NE(page, nullptr);
    auto* box = page->findChild<QComboBox*>("ComboBox2");
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();  // typing replaces "(Aktualna kompozycja)"
    QTest::keyClicks(box->lineEdit(), "Windows 98");
    auto* save = page->findChild<QPushButton*>("koloryZapisz");
    ASSERT_TRUE(save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
    EXPECT_EQ(systemSettings.colourSets().size(), 29u);
  }
  const std::string key = "HKCU\\Control Panel\\Colors";
  for (const auto& [name, text] :
       std::vector<std::pair<std::string, std::string>>{{"Background", "0 128 128"},
                                                        {"ButtonLight", "224 224 224"},
                                                        {"GradientActiveTitle", "112 172 232"}}) {
    const std::string answer = query(key, name);
    EXPECT_TRUE(std::regex_search(answer, std::regex(name + "\\s+REG_SZ\\s+" + text))) << answer;
  }

  IniFile ini(winIniFile_);
  const std::vector<std::string> lines = ini.readSectionValues("colors");
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_EQ(lines.front(), "Scrollbar=192 192 192");
  EXPECT_EQ(lines.back(), "ButtonFace=192 192 192");

  // Opened again, the prefix's colours are the running system's.
  auto environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
  LinuxSystemSettings system(&environment->registry());
  EXPECT_EQ(system.systemColour(22), (Rgb{224, 224, 224}));
  EXPECT_EQ(system.systemColour(27), (Rgb{112, 172, 232}));
}

}  // namespace
}  // namespace kelvaro
