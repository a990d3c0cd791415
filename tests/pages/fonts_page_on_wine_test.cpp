// The fonts page on a real Wine prefix: Wine registers the host's fonts by
// their full paths; the page lists them and never deletes a host file.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "pages/appearance/fonts_page.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

using FontsOnWineTest = WinePrefixTest;

TEST_F(FontsOnWineTest, ListsWinesRegisteredFontsAndLeavesTheHostsFilesAlone) {
  const std::string nt = "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
  const std::string registered = query(nt, "DejaVu Sans (TrueType)");
  stopWineserver();
  if (registered.find("REG_SZ") == std::string::npos) GTEST_SKIP() << "Wine registered no DejaVu Sans here";
  const std::filesystem::path hostFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  ASSERT_TRUE(std::filesystem::exists(hostFile));
  {
    auto session = open();
    auto* page = static_cast<FontsPage*>(session->showAndLoad("czcionki"));
    ASSERT_NE(page, nullptr);
    QListWidget* list = page->fontList();
    ASSERT_TRUE(clickItem(list, "DejaVu Sans"));
    EXPECT_TRUE(page->styleButton(0)->isEnabled());
    EXPECT_TRUE(page->styleButton(1)->isEnabled());  // "DejaVu Sans Bold (TrueType)"
    QTest::mouseClick(page->styleButton(0), Qt::LeftButton);
    QTest::mouseClick(page->findChild<QPushButton*>("fontDelete"), Qt::LeftButton);
    // The registration names a host file outside the Fonts folder: refused.
    ASSERT_EQ(dialogs.boxes().size(), 1U);
    EXPECT_EQ(dialogs.boxes()[0].text.rfind("Nie mogę skasować pliku C:\\windows\\Fonts\\Z:\\", 0), 0U)
        << dialogs.boxes()[0].text;
  }
  EXPECT_TRUE(std::filesystem::exists(hostFile));
  EXPECT_NE(query(nt, "DejaVu Sans (TrueType)").find("DejaVuSans.ttf"), std::string::npos);
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro::testing
