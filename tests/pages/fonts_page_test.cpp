// The fonts page and the environment's fonts: the families, the style rows,
// deleting styles, the character preview.
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "pages/appearance/fonts_page.h"
#include "platform/environment_fonts.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char k9xFonts[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
constexpr char kNtFonts[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
enum { Normal, Bold, Italic, BoldItalic };

TEST(FontRegistrationTest, TheFamilyIsTheValueNameWithoutItsStyle) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"Arial (TrueType)", "Arial"},
      {"Arial Bold (TrueType)", "Arial"},
      {"Arial Pogrubiony (TrueType)", "Arial"},
      {"Arial Pogrubiona kursywa (TrueType)", "Arial"},
      {"Arial Bold Italic (TrueType)", "Arial"},
      {"Arial Black (TrueType)", "Arial Black"},
      {"Courier 10,12,15", std::nullopt},  // a raster font: no TrueType registration
      {"Bold (TrueType)", "Bold"},
  };
  for (const auto& [name, family] : cases)
    EXPECT_EQ(EnvironmentFonts::registeredFamily(name), family) << name;
}

class FontsPageTest : public PageHarness {
 protected:
  FontsPage& page() { return static_cast<FontsPage&>(PageHarness::page("czcionki")); }
  QStringList families() {
    QStringList names;
    for (int i = 0; i < page().fontList()->count(); ++i) names << page().fontList()->item(i)->text();
    return names;
  }
  void choose(const QString& family) {
    ASSERT_TRUE(clickItem(page().fontList(), family)) << family.toStdString();
    ASSERT_EQ(page().fontList()->currentItem()->text(), family);
  }
  bool fontFileThere(const char* file) {
    return std::filesystem::exists(hostPath(std::string("C:\\WINDOWS\\FONTS\\") + file));
  }
  std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.boxes()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(FontsPageTest, ListsTheFamiliesOfFilesAndRegistrationsSortedAndDrawsThemFromTheirFiles) {
  set(Root::LocalMachine, k9xFonts, "Tylko Wpis Bold (TrueType)", std::string("brak.ttf"));
  ASSERT_NE(start(), nullptr);
  // Listed when the page first shows, not while the program starts.
  EXPECT_EQ(page().fontList()->count(), 0);
  frame().showPage("czcionki");
  const QStringList names = families();
  for (const char* family : {"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "Liberation Mono",
                             "Liberation Sans", "Liberation Serif", "Tylko Wpis"})
    EXPECT_TRUE(names.contains(family)) << family;
  EXPECT_EQ(names.count("DejaVu Sans"), 1);
  QStringList sorted = names;
  std::sort(sorted.begin(), sorted.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  EXPECT_EQ(names, sorted);
  // The sandbox's own file draws the family.
  EXPECT_EQ(QFontInfo(fonts->font("Liberation Serif", 10)).family(), "Liberation Serif");
  // Items are as tall as "Wg" in their font plus two pixels.
  QListWidget* list = page().fontList();
  const QFontMetrics metrics(fonts->font("DejaVu Sans", list->font().pointSize()));
  EXPECT_EQ(list->sizeHintForIndex(list->model()->index(names.indexOf("DejaVu Sans"), 0)).height(),
            metrics.boundingRect("Wg").height() + 2);
}

TEST_F(FontsPageTest, AFamilyRegisteredOnlyAsBoldOffersOnlyItsBoldStyle) {
  set(Root::LocalMachine, k9xFonts, "Pojedyncza Bold (TrueType)", std::string("pojedyncza-b.ttf"));
  ASSERT_NE(start(), nullptr);
  frame().showPage("czcionki");
  choose("Pojedyncza");
  EXPECT_EQ(find<QLabel>("fontFamilyName")->text(), "Pojedyncza");
  EXPECT_TRUE(page().styleButton(Bold)->isEnabled());
  EXPECT_EQ(page().fileLabel(Bold)->text(), "pojedyncza-b.ttf");
  for (int s : {Normal, Italic, BoldItalic}) {
    EXPECT_FALSE(page().styleButton(s)->isEnabled()) << s;
    EXPECT_EQ(page().fileLabel(s)->text(), "") << s;
  }
  EXPECT_TRUE(find<QPushButton>("fontPreviewButton")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("fontDelete")->isEnabled());
  click(page().styleButton(Bold));
  EXPECT_TRUE(find<QPushButton>("fontDelete")->isEnabled());
  click(page().styleButton(Bold));
  EXPECT_FALSE(find<QPushButton>("fontDelete")->isEnabled());
}

TEST_F(FontsPageTest, DeleteWithNoStyleDownRemovesNothing) {
  ASSERT_NE(start(), nullptr);
  frame().showPage("czcionki");
  const int before = page().fontList()->count();
  choose("Liberation Sans");
  key(page().fontList(), Qt::Key_Delete);
  EXPECT_EQ(messages(), std::vector<std::string>{"Nie wybrałeś żadnego typu do skasowania."});
  EXPECT_EQ(page().fontList()->count(), before);
  EXPECT_TRUE(fontFileThere("LiberationSans-Regular.ttf"));
}

TEST_F(FontsPageTest, DeletingOneStyleRemovesItsFileAndBothNamesAndTheFamilyFromTheList) {
  set(Root::LocalMachine, k9xFonts, "Liberation Sans Bold (TrueType)",
      std::string("LiberationSans-Bold.ttf"));
  ASSERT_NE(start(), nullptr);
  frame().showPage("czcionki");
  choose("Liberation Sans");
  click(page().styleButton(Bold));
  click("fontDelete");
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_FALSE(families().contains("Liberation Sans"));
  EXPECT_FALSE(fontFileThere("LiberationSans-Bold.ttf"));
  EXPECT_EQ(stored(Root::LocalMachine, k9xFonts, "Liberation Sans Pogrubiony (TrueType)"), std::nullopt);
  EXPECT_EQ(stored(Root::LocalMachine, k9xFonts, "Liberation Sans Bold (TrueType)"), std::nullopt);
  // The other styles stay installed, and the rows still show the family.
  EXPECT_TRUE(fontFileThere("LiberationSans-Regular.ttf"));
  EXPECT_TRUE(fontFileThere("LiberationSans-Italic.ttf"));
  EXPECT_EQ(stored(Root::LocalMachine, k9xFonts, "Liberation Sans (TrueType)"),
            StoredValue(std::string("LiberationSans-Regular.ttf")));
  EXPECT_EQ(find<QLabel>("fontFamilyName")->text(), "Liberation Sans");
  EXPECT_EQ(page().fileLabel(Bold)->text(), "LiberationSans-Bold.ttf");
  EXPECT_FALSE(find<QPushButton>("fontDelete")->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
}

TEST_F(FontsPageTest, AMissingFileIsReportedWithItsPathAndItsRegistrationStillGoes) {
  set(Root::LocalMachine, k9xFonts, "Znikająca (TrueType)", std::string("brak.ttf"));
  ASSERT_NE(start(), nullptr);
  frame().showPage("czcionki");
  choose("Znikająca");
  click(page().styleButton(Normal));
  key(page().fontList(), Qt::Key_Delete);
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Nie mogę skasować pliku C:\\WINDOWS\\FONTS\\brak.ttf lub jest on "
                                     "zabezpieczony przed usunięciem."});
  EXPECT_EQ(stored(Root::LocalMachine, k9xFonts, "Znikająca (TrueType)"), std::nullopt);
}

TEST_F(FontsPageTest, WithAnNtKeyTheNtRegistrationsAreShownAndKeptWhileTheFilesGo) {
  set(Root::LocalMachine, kNtFonts, "DejaVu Serif (TrueType)", std::string("DejaVuSerif.ttf"));
  ASSERT_NE(start(), nullptr);
  frame().showPage("czcionki");
  choose("DejaVu Serif");
  EXPECT_TRUE(page().styleButton(Normal)->isEnabled());
  EXPECT_FALSE(page().styleButton(Bold)->isEnabled());  // the NT key registers no bold
  click(page().styleButton(Normal));
  click("fontDelete");
  EXPECT_FALSE(fontFileThere("DejaVuSerif.ttf"));
  EXPECT_EQ(stored(Root::LocalMachine, kNtFonts, "DejaVu Serif (TrueType)"),
            StoredValue(std::string("DejaVuSerif.ttf")));
  EXPECT_EQ(stored(Root::LocalMachine, k9xFonts, "DejaVu Serif (TrueType)"), std::nullopt);
}

TEST_F(FontsPageTest, ThePreviewDrawsTheCharactersInTheirCellsAndAReReadResetsTheRows) {
  ASSERT_NE(start(), nullptr);
  frame().showPage("czcionki");
  EXPECT_FALSE(find<QWidget>("fontPreviewArea")->isVisible());
  choose("DejaVu Sans");
  click("fontPreviewButton");
  ASSERT_TRUE(find<QWidget>("fontPreviewArea")->isVisible());
  EXPECT_EQ(find<QLabel>("fontPreviewLine")->text(), "Czcionka: DejaVu Sans");
  const QImage image = page().preview()->pixmap().toImage();
  ASSERT_EQ(image.size(), QSize(448, 154));
  auto inked = [&](int code) {
    const QRect cell(((code - 32) % 32) * 14, ((code - 32) / 32) * 22, 14, 22);
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x)
        if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
    return false;
  };
  EXPECT_FALSE(inked(' '));
  EXPECT_TRUE(inked('A'));
  EXPECT_TRUE(inked(0xA5));  // "Ą" in the sandbox's code page

  click(page().styleButton(Normal));
  click("reReadButton");
  EXPECT_EQ(find<QLabel>("fontFamilyName")->text(), "");
  for (int s = 0; s < FontsPage::kStyles; ++s) {
    EXPECT_FALSE(page().styleButton(s)->isEnabled());
    EXPECT_FALSE(page().styleButton(s)->isChecked());
    EXPECT_EQ(page().fileLabel(s)->text(), "");
  }
  EXPECT_FALSE(find<QPushButton>("fontPreviewButton")->isEnabled());
  EXPECT_TRUE(families().contains("DejaVu Sans"));
}

}  // namespace
}  // namespace kelvaro::testing
