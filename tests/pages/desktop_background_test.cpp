// The desktop page's wallpaper, pattern and screen saver sub-pages: what
// their loader shows, the picture chooser's rules, the wallpaper's styles,
// position and installation (copied, or converted to a bitmap ImageMagick
// reads), the 39 patterns and Control.INI, the screen saver options'
// conversions, and the screen saver commands through the launcher.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "dialogs/tpodglad.h"
#include "pages/desktop/desktop_page.h"
#include "pages/desktop/desktop_patterns.h"
#include "pages/desktop/desktop_widgets.h"
#include "pages/desktop/wallpaper.h"
#include "store/ini_file.h"
#include "store/registry_handle.h"
#include "tests/pages/logo_pages_fixture.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kBadFormat[] =
    "Format wybranego pliku jest nieprawidłowy. Wybierz inny plik, lub sprawdź czy wybrany plik istnieje.";

std::string readAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class DesktopBackgroundTest : public LogoPagesTest {
 protected:
  DesktopPage& open(const char* subPage) {
    EXPECT_NE(start(), nullptr);
    frame().showPage("pulpit", subPage);
    return static_cast<DesktopPage&>(page("pulpit"));
  }
  void setDesktop(const char* name, const std::string& text) { set(Root::CurrentUser, kDesktop, name, text); }
  std::optional<StoredValue> desktop(const char* name) const {
    return stored(Root::CurrentUser, kDesktop, name);
  }
  static StoredValue text(const char* t) { return StoredValue(std::string(t)); }

  // A picture file of the kind its extension says, made from a BMP by ImageMagick.
  void writePicture(const std::string& dos, QSize size, QColor colour = QColor(200, 30, 30)) {
    const std::string extension = fileExtension(dos);
    if (extension == ".bmp" || extension == ".BMP") {
      writeBmp(dos, size, 24, colour);
      return;
    }
    const fs::path source = prefix.parent_path() / "source.bmp";
    writeBytes(source, formats::BmpWriter::encode(drawing(size, colour), 24));
    const fs::path target = newHostPath(dos);
    fs::create_directories(target.parent_path());
    const std::string format = (extension == ".gif" || extension == ".GIF") ? "gif:" : "jpg:";
    shell("convert '" + source.string() + "' '" + format + target.string() + "' 2>&1");
    ASSERT_TRUE(fs::exists(target)) << dos;
  }
  void choose(const std::string& answer) {
    dialogs.answer(std::optional<std::string>(answer));
    click("tapetaZmien");
  }
  std::vector<std::string> messages() const {
    std::vector<std::string> out;
    for (const auto& box : dialogs.boxes()) out.push_back(box.text);
    return out;
  }
  QSize screen() const { return QGuiApplication::primaryScreen()->size(); }
  QPushButton* wallpaperApply() { return find<QPushButton>("tapetaZastosuj"); }
  QPushButton* patternApply() { return find<QPushButton>("desenZastosuj"); }
  QPushButton* saverApply() { return find<QPushButton>("wygaszaczZastosuj"); }
};

// --- Tapeta ---------------------------------------------------------------

TEST_F(DesktopBackgroundTest, OnlyAnExistingBitmapOrJpegWithAnExactExtensionIsShownAtLoad) {
  writePicture("C:\\WINDOWS\\Chmury.bmp", {64, 48});
  writePicture("C:\\WINDOWS\\Las.Jpg", {64, 48});
  writePicture("C:\\WINDOWS\\Ruch.gif", {64, 48});
  writePicture("C:\\WINDOWS\\Zima.w.gorach.jpg", {64, 48});
  struct Case {
    const char* stored;
    const char* name;  // "(brak tapety)" when not shown
    const char* type;
  };
  for (const Case& c : std::initializer_list<Case>{{"C:\\WINDOWS\\Chmury.bmp", "Chmury", "bmp"},
                                                   {"C:\\WINDOWS\\Zima.w.gorach.jpg", "Zima", "w.gorach.jpg"},
                                                   {"C:\\WINDOWS\\Ruch.gif", "(brak tapety)", ""},
                                                   {"C:\\WINDOWS\\Las.Jpg", "(brak tapety)", ""},
                                                   {"C:\\WINDOWS\\Nie.ma.bmp", "(brak tapety)", ""},
                                                   {"", "(brak tapety)", ""}}) {
    SCOPED_TRACE(c.stored);
    setDesktop("Wallpaper", c.stored);
    setDesktop("TileWallpaper", "0");
    setDesktop("WallpaperStyle", "0");
    window.reset();
    DesktopPage& page = open("pulpittapeta");
    const bool shown = std::string(c.name) != "(brak tapety)";
    EXPECT_EQ(find<QLabel>("tapetaPlik")->text().toStdString(), c.name);
    EXPECT_EQ(find<QLabel>("tapetaTyp")->text().toStdString(), c.type);
    EXPECT_EQ(find<QLabel>("tapetaRozmiar")->text().toStdString(), shown ? "64 x 48" : "");
    for (const char* name :
         {"tapetaSasiadujaca", "tapetaWysrodkowana", "tapetaDopasowana", "tapetaUsun", "tapetaPelnyEkran"})
      EXPECT_EQ(widget(name)->isEnabled(), shown) << name;
    EXPECT_EQ(find<QRadioButton>("tapetaWysrodkowana")->isChecked(), shown);
    EXPECT_EQ(widget("tapetaX")->isEnabled(), shown);  // centred
    EXPECT_EQ(find<QLabel>("tapetaPodglad")->pixmap().isNull(), !shown);
    EXPECT_TRUE(widget("tapetaZmien")->isEnabled());
    EXPECT_FALSE(wallpaperApply()->isEnabled());
    EXPECT_EQ(page.wallpaperFile().empty(), !shown);
  }
}

TEST_F(DesktopBackgroundTest, TheStoredStyleSelectsOneChoiceOrNone) {
  writePicture("C:\\WINDOWS\\Chmury.bmp", {64, 48});
  setDesktop("Wallpaper", "C:\\WINDOWS\\Chmury.bmp");
  struct Case {
    std::optional<std::string> tile, style;
    WallpaperStyle expected;
  };
  for (const Case& c : std::initializer_list<Case>{{"1", "2", WallpaperStyle::Tiled},
                                                   {"0", "2", WallpaperStyle::Stretched},
                                                   {std::nullopt, "2", WallpaperStyle::Stretched},
                                                   {"0", "0", WallpaperStyle::Centred},
                                                   {std::nullopt, "0", WallpaperStyle::None},
                                                   {"tak", std::nullopt, WallpaperStyle::None}}) {
    SCOPED_TRACE(c.tile.value_or("-") + "/" + c.style.value_or("-"));
    c.tile ? setDesktop("TileWallpaper", *c.tile) : remove(Root::CurrentUser, kDesktop, "TileWallpaper");
    c.style ? setDesktop("WallpaperStyle", *c.style) : remove(Root::CurrentUser, kDesktop, "WallpaperStyle");
    window.reset();
    DesktopPage& page = open("pulpittapeta");
    EXPECT_EQ(page.wallpaperStyle(), c.expected);
    EXPECT_EQ(widget("tapetaX")->isEnabled(), c.expected == WallpaperStyle::Centred);
  }
}

TEST_F(DesktopBackgroundTest, TheQuarterPreviewPlacesThePictureByStyle) {
  const QColor desktop(0, 128, 128);  // Windows 98's desktop colour, the recording double's
  const QSize screen(800, 600);
  QImage picture(80, 40, QImage::Format_RGB32);
  picture.fill(Qt::red);
  const QImage centred = quarterPreview(picture, WallpaperStyle::Centred, screen, desktop);
  ASSERT_EQ(centred.size(), QSize(200, 150));
  // A 20 x 10 picture at ((200 - 20) / 2, (150 - 10) / 2) = (90, 70).
  EXPECT_EQ(centred.pixelColor(90, 70), QColor(Qt::red));
  EXPECT_EQ(centred.pixelColor(109, 79), QColor(Qt::red));
  EXPECT_EQ(centred.pixelColor(89, 70), desktop);
  EXPECT_EQ(centred.pixelColor(110, 80), desktop);
  const QImage tiled = quarterPreview(picture, WallpaperStyle::Tiled, screen, desktop);
  // Sixteen copies from (2, 2): 4 x 20 wide, 4 x 10 high.
  EXPECT_EQ(tiled.pixelColor(1, 1), desktop);
  EXPECT_EQ(tiled.pixelColor(2, 2), QColor(Qt::red));
  EXPECT_EQ(tiled.pixelColor(81, 41), QColor(Qt::red));
  EXPECT_EQ(tiled.pixelColor(82, 41), desktop);
  EXPECT_EQ(tiled.pixelColor(81, 42), desktop);
  const QImage stretched = quarterPreview(picture, WallpaperStyle::Stretched, screen, desktop);
  EXPECT_EQ(stretched.pixelColor(0, 0), QColor(Qt::red));
  EXPECT_EQ(stretched.pixelColor(199, 149), QColor(Qt::red));
}

TEST_F(DesktopBackgroundTest, TheChooserRefusesOtherExtensionsAndMissingFilesAndTakesAValidPicture) {
  writePicture("C:\\pics\\rysunek.png", {64, 48});
  writePicture("C:\\pics\\Las.Jpg", {64, 48});
  writePicture("C:\\pics\\Zima.w.gorach.jpg", {120, 90});
  fs::create_directories(newHostPath("C:\\WINDOWS\\Web\\Wallpaper"));
  setDesktop("Wallpaper", "");
  DesktopPage& page = open("pulpittapeta");

  for (const char* refused : {"C:\\pics\\rysunek.png", "C:\\pics\\Las.Jpg", "C:\\pics\\nie-ma.jpg"}) {
    SCOPED_TRACE(refused);
    dialogs.shown.clear();
    choose(refused);
    EXPECT_EQ(messages(), std::vector<std::string>{kBadFormat});
    EXPECT_EQ(find<QLabel>("tapetaPlik")->text(), "(brak tapety)");
    EXPECT_FALSE(wallpaperApply()->isEnabled());
  }
  const auto& chooser = dialogs.shown.front();
  EXPECT_EQ(chooser.kind, "picture");
  EXPECT_EQ(chooser.file.title, "Wybierz rysunek na tapetę:");
  EXPECT_EQ(chooser.file.filter,
            "Wszystkie pliki "
            "graficzne|*.bmp;*.gif;*.jpg;*.jpeg;*.jpe|Bitmapy|*.bmp|Gify|*.gif|Jpegi|*.jpg;*.jpeg;*.jpe;");
  EXPECT_EQ(chooser.file.initialFolder, "C:\\WINDOWS\\Web\\Wallpaper");

  // The program's own wallpapers come first.
  fs::create_directories(programFolder / "Logo" / "Pulpit");
  dialogs.shown.clear();
  choose("C:\\pics\\Zima.w.gorach.jpg");
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(dialogs.shown.front().file.initialFolder, programDos("Logo\\Pulpit"));
  EXPECT_EQ(find<QLabel>("tapetaPlik")->text(), "Zima");
  EXPECT_EQ(find<QLabel>("tapetaTyp")->text(), "w.gorach.jpg");
  EXPECT_EQ(find<QLabel>("tapetaRozmiar")->text(), "120 x 90");
  EXPECT_EQ(page.wallpaperStyle(), WallpaperStyle::Centred);
  EXPECT_EQ(frame().focusWidget(), widget("tapetaWysrodkowana"));
  EXPECT_TRUE(wallpaperApply()->isEnabled());
  EXPECT_TRUE(widget("tapetaPelnyEkran")->isEnabled());
  EXPECT_TRUE(widget("tapetaX")->isEnabled());
  EXPECT_FALSE(widget("tapetaPostep")->isVisible());
  EXPECT_EQ(find<QProgressBar>("tapetaPostep")->maximum(), 11);
  EXPECT_FALSE(find<QLabel>("tapetaPodglad")->pixmap().isNull());

  // Tiled and stretched leave the position alone; centred gives it back.
  click("tapetaSasiadujaca");
  EXPECT_FALSE(widget("tapetaX")->isEnabled());
  EXPECT_FALSE(widget("tapetaY")->isEnabled());
  click("tapetaDopasowana");
  EXPECT_FALSE(widget("tapetaX")->isEnabled());
  click("tapetaWysrodkowana");
  EXPECT_TRUE(widget("tapetaY")->isEnabled());

  // A double-click on the preview opens the chooser too.
  dialogs.shown.clear();
  dialogs.answer(std::optional<std::string>());
  doubleClick(find<QLabel>("tapetaPodglad"));
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown.front().kind, "picture");
  EXPECT_EQ(find<QLabel>("tapetaPlik")->text(), "Zima");  // cancelled: kept
}

TEST_F(DesktopBackgroundTest, PositionFieldsKeepToTheScreenAndAreWrittenOnlyWhenNeitherIsZero) {
  writePicture("C:\\WINDOWS\\Chmury.bmp", {64, 48});
  setDesktop("Wallpaper", "C:\\WINDOWS\\Chmury.bmp");
  setDesktop("TileWallpaper", "0");
  setDesktop("WallpaperStyle", "0");
  setDesktop("WallpaperOriginX", "12");
  setDesktop("WallpaperOriginY", "dwa");
  open("pulpittapeta");
  auto* x = find<PositionField>("tapetaX");
  auto* y = find<PositionField>("tapetaY");
  EXPECT_EQ(x->value(), 12);
  EXPECT_EQ(y->value(), 0);  // not an integer
  EXPECT_EQ(find<QLabel>("tapetaRozdzielczosc")->text().toStdString(),
            "Rozdzielczość twojego ekranu " + std::to_string(screen().width()) + " x " +
                std::to_string(screen().height()));
  type(x, "99999");
  EXPECT_EQ(x->value(), screen().width());
  EXPECT_TRUE(wallpaperApply()->isEnabled());

  struct Case {
    const char* x;
    const char* y;
    bool written;
  };
  for (const Case& c :
       std::initializer_list<Case>{{"0", "40", false}, {"10", "0", false}, {"10", "40", true}}) {
    SCOPED_TRACE(std::string(c.x) + "," + c.y);
    remove(Root::CurrentUser, kDesktop, "WallpaperOriginX");
    remove(Root::CurrentUser, kDesktop, "WallpaperOriginY");
    type(x, c.x);
    type(y, c.y);
    click(wallpaperApply());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(desktop("WallpaperStyle"), text("0"));
    EXPECT_EQ(desktop("TileWallpaper"), text("0"));
    EXPECT_EQ(desktop("WallpaperOriginX"), c.written ? std::optional(text(c.x)) : std::nullopt);
    EXPECT_EQ(desktop("WallpaperOriginY"), c.written ? std::optional(text(c.y)) : std::nullopt);
    EXPECT_FALSE(wallpaperApply()->isEnabled());
  }
}

TEST_F(DesktopBackgroundTest, ApplyWritesEachStyleAndInstallsABitmapWithoutReplacingOneOfThatName) {
  writePicture("C:\\pics\\Chmury.bmp", {64, 48}, Qt::blue);
  writePicture("C:\\WINDOWS\\Chmury.bmp", {32, 32}, Qt::green);
  const std::string before = readAll(hostPath("C:\\WINDOWS\\Chmury.bmp"));
  setDesktop("Wallpaper", "");
  open("pulpittapeta");
  choose("C:\\pics\\Chmury.bmp");
  EXPECT_FALSE(widget("tapetaUsun")->isEnabled());

  struct Case {
    const char* button;
    const char* style;
    const char* tile;
  };
  for (const Case& c : std::initializer_list<Case>{{"tapetaSasiadujaca", "0", "1"},
                                                   {"tapetaDopasowana", "2", "0"},
                                                   {"tapetaWysrodkowana", "0", "0"}}) {
    SCOPED_TRACE(c.button);
    click(c.button);
    systemSettings.clear();
    click(wallpaperApply());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(desktop("WallpaperStyle"), text(c.style));
    EXPECT_EQ(desktop("TileWallpaper"), text(c.tile));
    EXPECT_EQ(desktop("Wallpaper"), text("C:\\WINDOWS\\Chmury.bmp"));
    using Texts = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(systemSettings.texts(),
              (Texts{{"setWallpaper", "C:\\WINDOWS\\Chmury.bmp"}, {"redrawDesktop", ""}}));
    EXPECT_TRUE(widget("tapetaUsun")->isEnabled());
  }
  EXPECT_EQ(readAll(hostPath("C:\\WINDOWS\\Chmury.bmp")), before);

  // Without one there, the bitmap is copied as it is.
  fs::remove(hostPath("C:\\WINDOWS\\Chmury.bmp"));
  click("tapetaSasiadujaca");
  click(wallpaperApply());
  EXPECT_EQ(readAll(hostPath("C:\\WINDOWS\\Chmury.bmp")), readAll(hostPath("C:\\pics\\Chmury.bmp")));
}

TEST_F(DesktopBackgroundTest, JpegAndGifPicturesBecomeBitmapsNamedUpToTheirFirstDot) {
  writePicture("C:\\pics\\Zima.w.gorach.jpg", {160, 120});
  writePicture("C:\\pics\\Ruch.gif", {90, 70});
  writePicture("C:\\WINDOWS\\Zima.bmp", {32, 32}, Qt::green);
  setDesktop("Wallpaper", "");
  open("pulpittapeta");

  choose("C:\\pics\\Zima.w.gorach.jpg");
  click(wallpaperApply());
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(identify(hostPath("C:\\WINDOWS\\Zima.bmp")).substr(0, 12), "BMP3 160 120");
  EXPECT_EQ(desktop("Wallpaper"), text("C:\\WINDOWS\\Zima.bmp"));
  EXPECT_FALSE(fs::exists(newHostPath("C:\\WINDOWS\\Zima.w.gorach.bmp")));

  choose("C:\\pics\\Ruch.gif");
  click(wallpaperApply());
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(identify(hostPath("C:\\WINDOWS\\Ruch.bmp")).substr(0, 10), "BMP3 90 70");
  EXPECT_EQ(desktop("Wallpaper"), text("C:\\WINDOWS\\Ruch.bmp"));

  // A picture that went bad after it was chosen stops the apply before Wallpaper.
  choose("C:\\pics\\Zima.w.gorach.jpg");
  std::ofstream(hostPath("C:\\pics\\Zima.w.gorach.jpg"), std::ios::trunc) << "nie jpeg";
  dialogs.shown.clear();
  click(wallpaperApply());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  EXPECT_EQ(desktop("Wallpaper"), text("C:\\WINDOWS\\Ruch.bmp"));
  EXPECT_TRUE(wallpaperApply()->isEnabled());
}

TEST_F(DesktopBackgroundTest, RemovingTheWallpaperEmptiesItAndLoadsThePageAgain) {
  writePicture("C:\\WINDOWS\\Chmury.bmp", {64, 48});
  setDesktop("Wallpaper", "C:\\WINDOWS\\Chmury.bmp");
  setDesktop("TileWallpaper", "0");
  DesktopPage& page = open("pulpittapeta");
  ASSERT_EQ(page.wallpaperFile(), "C:\\WINDOWS\\Chmury.bmp");
  systemSettings.clear();
  click("tapetaUsun");
  EXPECT_EQ(desktop("Wallpaper"), text(""));
  using Texts = std::vector<std::pair<std::string, std::string>>;
  const Texts& calls = systemSettings.texts();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(Texts(calls.begin(), calls.begin() + 2), (Texts{{"setWallpaper", ""}, {"redrawDesktop", ""}}));
  EXPECT_EQ(find<QLabel>("tapetaPlik")->text(), "(brak tapety)");
  EXPECT_FALSE(widget("tapetaUsun")->isEnabled());
  EXPECT_FALSE(find<QRadioButton>("tapetaWysrodkowana")->isChecked());
  EXPECT_TRUE(fs::exists(hostPath("C:\\WINDOWS\\Chmury.bmp")));  // the file stays
}

TEST_F(DesktopBackgroundTest, TheFullScreenPreviewShowsTheStyleAndDescribesThePicture) {
  writePicture("C:\\pics\\Zima.w.gorach.jpg", {120, 90});
  setDesktop("Wallpaper", "");
  DesktopPage& page = open("pulpittapeta");
  choose("C:\\pics\\Zima.w.gorach.jpg");
  click("tapetaPelnyEkran");
  Tpodglad* preview = page.previewWindow();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->geometry(), QRect(QPoint(0, 0), screen()));
  EXPECT_EQ(preview->descriptionLine()->text(),
            QString::fromUtf8(
                "Podgląd  wybranej tapety (\"Zima.w.gorach.jpg\" Rozmiar: 120 x 90 Styl: Wyśrodkowana)"));
  EXPECT_EQ(preview->picture().size(), QSize(120, 90));
  EXPECT_FALSE(preview->tiledBackgroundShown());
  EXPECT_TRUE(frame().isEnabled());
  preview->close();

  click("tapetaSasiadujaca");
  click("tapetaPelnyEkran");
  EXPECT_TRUE(preview->tiledBackgroundShown());  // smaller than the screen
  EXPECT_TRUE(preview->descriptionLine()->text().endsWith(QString::fromUtf8("Styl: Sąsiadująca)")));
  preview->close();
  click("tapetaDopasowana");
  click("tapetaPelnyEkran");
  EXPECT_FALSE(preview->tiledBackgroundShown());
  EXPECT_TRUE(preview->descriptionLine()->text().endsWith("Styl: Dopasowana do rozmiaru pulpitu)"));
  preview->close();
}

// --- Deseń ----------------------------------------------------------------

TEST_F(DesktopBackgroundTest, TheStoredPatternPicksTheFirstMatchAndThePreviewIsDrawnOnlyWhenShown) {
  struct Case {
    std::optional<std::string> stored;
    int shown;
  };
  for (const Case& c : std::initializer_list<Case>{{"0 0 0 0 0 0 0 0", 2},
                                                   {"(brak)", 0},
                                                   {"", 0},
                                                   {std::nullopt, 0},
                                                   {"85 170 85 170 85 170 85 170", 33},
                                                   {"1 2 3", 0}}) {
    SCOPED_TRACE(c.stored.value_or("-"));
    c.stored ? setDesktop("Pattern", *c.stored) : remove(Root::CurrentUser, kDesktop, "Pattern");
    window.reset();
    DesktopPage& page = open("pulpittapeta");
    EXPECT_EQ(page.previewedPattern(), c.shown);
    EXPECT_EQ(find<QListWidget>("desenLista")->selectedItems().size(), 0);
    EXPECT_FALSE(find<PatternPreview>("desenPodglad")->stripDrawn());
  }
  frame().showPage("pulpit", "pulpitdesen");
  auto* preview = find<PatternPreview>("desenPodglad");
  const QImage shown = preview->grab().toImage();
  EXPECT_TRUE(preview->stripDrawn());
  // "1 2 3" shows pattern 0: the desktop colour everywhere.
  EXPECT_EQ(shown.pixelColor(0, 0), QColor(0, 128, 128));
  EXPECT_EQ(shown.pixelColor(7, 7), QColor(0, 128, 128));
}

TEST_F(DesktopBackgroundTest, ChoosingAPatternPreviewsItsRowsInTheDesktopColour) {
  open("pulpitdesen");
  auto* list = find<QListWidget>("desenLista");
  ASSERT_EQ(list->count(), 39);
  ASSERT_TRUE(clickItem(list, QString::fromUtf8("Szachownica duża")));  // 51 51 204 204 ...
  auto* preview = find<PatternPreview>("desenPodglad");
  EXPECT_EQ(preview->shownPattern(), 32);
  EXPECT_TRUE(patternApply()->isEnabled());
  const QImage shown = preview->grab().toImage();
  const QColor desktop(0, 128, 128), black(0, 0, 0);
  // 51 = 00110011: two desktop, two black, ...; 204 = 11001100.
  EXPECT_EQ(shown.pixelColor(0, 0), desktop);
  EXPECT_EQ(shown.pixelColor(2, 0), black);
  EXPECT_EQ(shown.pixelColor(4, 1), desktop);
  EXPECT_EQ(shown.pixelColor(0, 2), black);
  EXPECT_EQ(shown.pixelColor(2, 3), desktop);
  EXPECT_EQ(shown.pixelColor(8, 0), desktop);  // tiled: the next copy
  EXPECT_EQ(shown.pixelColor(10, 8), black);

  // The keys move the choice too.
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(preview->shownPattern(), 33);
  EXPECT_EQ(static_cast<DesktopPage&>(page("pulpit")).currentPatternText(), "85 170 85 170 85 170 85 170");
}

TEST_F(DesktopBackgroundTest, ApplyingAPatternRewritesControlIniWithTheThirtyNineInOrder) {
  const fs::path controlIni = hostPath("C:\\WINDOWS\\control.ini");
  ASSERT_FALSE(controlIni.empty());
  open("pulpitdesen");
  ASSERT_TRUE(clickItem(find<QListWidget>("desenLista"), "(brak)"));
  systemSettings.clear();
  click(patternApply());
  EXPECT_TRUE(messages().empty());
  EXPECT_FALSE(patternApply()->isEnabled());
  EXPECT_EQ(desktop("Pattern"), text("0 0 0 0 0 0 0 0"));
  using Texts = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(systemSettings.texts(), (Texts{{"setPattern", "0 0 0 0 0 0 0 0"}, {"redrawDesktop", ""}}));

  IniFile ini(controlIni, "CP1250");
  const std::vector<std::string> lines = ini.readSectionValues("Patterns");
  const std::vector<std::string> names = {"(brak)",
                                          "Cegiełki",
                                          "Cegiełki2",
                                          "Drabinki",
                                          "Efekt pola",
                                          "Falki",
                                          "Kamień",
                                          "Klucz",
                                          "Koloseum",
                                          "Kostka",
                                          "Kropeczki",
                                          "Kropeczki po skosie",
                                          "Krzyżyki",
                                          "Kulki",
                                          "Kwadraciki",
                                          "Labirynt",
                                          "Łuski",
                                          "Pled",
                                          "Przyciski",
                                          "Sąsiadująco",
                                          "Schematy",
                                          "Schodki",
                                          "Siatka",
                                          "Siateczka",
                                          "Sieć",
                                          "Stokrotki",
                                          "Szachownica mała",
                                          "Szachownica duża",
                                          "Paski pionowe cienkie",
                                          "Paski pionowe grube",
                                          "Paski poziome cienki",
                                          "Paski poziome grube",
                                          "Trójkąty",
                                          "Uśmiech",
                                          "Wafle",
                                          "Wzorek",
                                          "Zygzaki",
                                          "Cały czarny",
                                          "Cały w kolorze pulpitu"};
  ASSERT_EQ(lines.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(lines[i].substr(0, lines[i].find('=')), names[i]);
  EXPECT_EQ(lines[6], "Kamień=174 77 239 255 8 77 174 77");
  EXPECT_EQ(lines[0], "(brak)=0 0 0 0 0 0 0 0");
  // The rest of the file stays, in the code page.
  EXPECT_EQ(ini.readString("Screen Saver.Gwiazdy", "Density", ""), "120");
  EXPECT_EQ(ini.readString("current", "color schemes", ""), "Windows 98");
  const std::string bytes = readAll(controlIni);
  EXPECT_NE(bytes.find("Kamie\xF1="), std::string::npos);

  // Enter in the list applies again, even when nothing is pending.
  systemSettings.clear();
  key(find<QListWidget>("desenLista"), Qt::Key_Return);
  EXPECT_EQ(systemSettings.texts().size(), 2u);
  EXPECT_EQ(IniFile(controlIni, "CP1250").readSectionValues("Patterns").size(), 39u);
}

TEST_F(DesktopBackgroundTest, ControlIniSectionReplacementKeepsOtherBytesAndPutsTheSectionLast) {
  const std::string before = "[a]\r\nx=1\r\n[PATTERNS]\r\nstary=1\r\n[b]\r\ny=\x81\r\n";
  const std::string after = replaceIniSection(before, "Patterns", {{"Sieć", "1 2"}}, "CP1250");
  EXPECT_EQ(after, "[a]\r\nx=1\r\n[b]\r\ny=\x81\r\n[Patterns]\r\nSie\xE6=1 2\r\n");
  EXPECT_EQ(replaceIniSection("", "Patterns", {{"a", "b"}}, "CP1250"), "[Patterns]\r\na=b\r\n");
  EXPECT_EQ(replaceIniSection("\xEF\xBB\xBF[x]\nk=v", "Patterns", {{"Sieć", "1"}}, "CP1250"),
            "\xEF\xBB\xBF[x]\nk=v\r\n[Patterns]\r\nSieć=1\r\n");
}

// --- Wygaszacz ------------------------------------------------------------

TEST_F(DesktopBackgroundTest, TimeoutsLoadAsWholeMinutesWithinTheFieldsAndAreWrittenBackAsSeconds) {
  setDesktop("ScreenSaveActive", "1");
  setDesktop("ScreenSaveTimeOut", "90");
  setDesktop("ScreenSaveLowPowerActive", "0");
  setDesktop("ScreenSaveLowPowerTimeout", "30");
  setDesktop("ScreenSavePowerOffActive", "1");
  setDesktop("ScreenSavePowerOffTimeout", "7200");
  set(Root::CurrentUser, kDesktop, "ScreenSaveUsePassword", 0);
  DesktopPage& page = open("pulpitwygaszaczekranu");
  EXPECT_TRUE(page.lowPowerPresent());
  EXPECT_TRUE(widget("wygaszaczMonitor")->isVisible());
  EXPECT_EQ(find<QSpinBox>("wygaszaczCzas")->value(), 1);
  EXPECT_EQ(find<QSpinBox>("wygaszaczCzasWygaszania")->value(), 1);
  EXPECT_EQ(find<QSpinBox>("wygaszaczCzasWylaczania")->value(), 60);
  EXPECT_TRUE(widget("wygaszaczCzas")->isEnabled());
  EXPECT_FALSE(widget("wygaszaczCzasWygaszania")->isEnabled());
  EXPECT_TRUE(widget("wygaszaczCzasWylaczania")->isEnabled());
  EXPECT_FALSE(saverApply()->isEnabled());

  click("wygaszaczHaslo");
  EXPECT_TRUE(saverApply()->isEnabled());
  click(saverApply());
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(desktop("ScreenSaveActive"), text("1"));
  EXPECT_EQ(desktop("ScreenSaveTimeOut"), text("60"));
  EXPECT_EQ(desktop("ScreenSaveLowPowerActive"), text("0"));
  EXPECT_EQ(desktop("ScreenSaveLowPowerTimeout"), text("30"));  // not written while unticked
  EXPECT_EQ(desktop("ScreenSavePowerOffActive"), text("1"));
  EXPECT_EQ(desktop("ScreenSavePowerOffTimeout"), text("3600"));
  EXPECT_EQ(desktop("ScreenSaveUsePassword"), StoredValue(1));
  EXPECT_FALSE(saverApply()->isEnabled());

  // A box enables its field; unticked, its minutes are not written; Enter applies.
  click("wygaszaczWygasMonitor");
  EXPECT_TRUE(widget("wygaszaczCzasWygaszania")->isEnabled());
  click("wygaszaczUruchom");
  EXPECT_FALSE(widget("wygaszaczCzas")->isEnabled());
  setDesktop("ScreenSaveTimeOut", "600");
  key(widget("wygaszaczWygasMonitor"), Qt::Key_Return);
  EXPECT_EQ(desktop("ScreenSaveActive"), text("0"));
  EXPECT_EQ(desktop("ScreenSaveTimeOut"), text("600"));
  EXPECT_EQ(desktop("ScreenSaveLowPowerActive"), text("1"));
  EXPECT_EQ(desktop("ScreenSaveLowPowerTimeout"), text("60"));
}

TEST_F(DesktopBackgroundTest, WithoutALowPowerValueTheMonitorGroupIsHiddenAndItsValuesAreNotWritten) {
  remove(Root::CurrentUser, kDesktop, "ScreenSaveLowPowerActive");
  remove(Root::CurrentUser, kDesktop, "ScreenSaveLowPowerTimeout");
  remove(Root::CurrentUser, kDesktop, "ScreenSavePowerOffActive");
  setDesktop("ScreenSaveActive", "0");
  setDesktop("ScreenSaveTimeOut", "kilka");
  DesktopPage& page = open("pulpitwygaszaczekranu");
  EXPECT_FALSE(page.lowPowerPresent());
  EXPECT_FALSE(page.powerOffPresent());
  EXPECT_FALSE(widget("wygaszaczMonitor")->isVisible());
  EXPECT_FALSE(widget("wygaszaczCzas")->isEnabled());
  EXPECT_EQ(find<QSpinBox>("wygaszaczCzas")->value(), 1);  // "kilka" left the field as it was
  click("wygaszaczUruchom");
  click(saverApply());
  EXPECT_EQ(desktop("ScreenSaveActive"), text("1"));
  EXPECT_EQ(desktop("ScreenSaveTimeOut"), text("60"));
  EXPECT_EQ(desktop("ScreenSaveLowPowerActive"), std::nullopt);
  EXPECT_EQ(desktop("ScreenSaveLowPowerTimeout"), std::nullopt);
  EXPECT_EQ(desktop("ScreenSavePowerOffActive"), std::nullopt);
}

TEST_F(DesktopBackgroundTest, TheScreenSaverListAndItsCommandsGoThroughTheLauncher) {
  for (const char* name : {"Gwiazdy.scr", "abc.SCR", "Latające okna.scr", "nie.exe"})
    std::ofstream(hostPath("C:\\WINDOWS\\SYSTEM") / name) << "MZ";
  open("pulpitwygaszaczekranu");
  auto* list = find<QListWidget>("wygaszaczLista");
  QStringList names;
  for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
  // The sandbox's own savers are there too.
  QStringList sorted = names;
  std::sort(sorted.begin(), sorted.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  EXPECT_EQ(names, sorted);
  EXPECT_EQ(names.front(), "(brak)");
  for (const QString& name :
       {QString("abc.SCR"), QString("Gwiazdy.scr"), QString::fromUtf8("Latające okna.scr")})
    EXPECT_TRUE(names.contains(name)) << name.toStdString();
  EXPECT_FALSE(names.contains("nie.exe"));
  EXPECT_FALSE(widget("wygaszaczPodglad")->isEnabled());
  EXPECT_FALSE(widget("wygaszaczZastosujWygaszacz")->isEnabled());

  ASSERT_TRUE(clickItem(list, "(brak)"));
  EXPECT_FALSE(widget("wygaszaczPodglad")->isEnabled());
  EXPECT_TRUE(widget("wygaszaczZastosujWygaszacz")->isEnabled());
  click("wygaszaczZastosujWygaszacz");
  ASSERT_EQ(launcher.calls.size(), 1u);
  EXPECT_EQ(launcher.calls[0].kind, "run");
  EXPECT_EQ(launcher.calls[0].target, "C:\\WINDOWS\\rundll32.exe desk.cpl,InstallScreenSaver ");

  ASSERT_TRUE(clickItem(list, "Gwiazdy.scr"));
  EXPECT_TRUE(widget("wygaszaczPodglad")->isEnabled());
  launcher.calls.clear();
  dialogs.shown.clear();
  click("wygaszaczPodglad");
  QTest::keyClick(list, Qt::Key_Return, Qt::ControlModifier);
  click("wygaszaczZastosujWygaszacz");
  ASSERT_EQ(launcher.calls.size(), 3u);
  for (int i : {0, 1}) {
    EXPECT_EQ(launcher.calls[i].kind, "open");
    EXPECT_EQ(launcher.calls[i].target, "C:\\WINDOWS\\SYSTEM\\Gwiazdy.scr");
    EXPECT_EQ(launcher.calls[i].show, ShowWindow::Normal);
  }
  EXPECT_EQ(launcher.calls[2].target,
            "C:\\WINDOWS\\rundll32.exe desk.cpl,InstallScreenSaver C:\\WINDOWS\\SYSTEM\\Gwiazdy.scr");
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Po kliknięciu w przycisk OK pojawi się okno \"Właściwości: "
                                     "Ekran\". Aby zastosować wygaszacz ekranu kliknij na przycisk OK "
                                     "na tym oknie."});
  EXPECT_TRUE(widget("wygaszaczZastosujWygaszacz")->isEnabled());
  EXPECT_FALSE(page("pulpit").hasPendingEdits());  // installing a saver is no pending edit

  // Alt+Enter in the list applies the options.
  remove(Root::CurrentUser, kDesktop, "ScreenSaveActive");
  QTest::keyClick(list, Qt::Key_Return, Qt::AltModifier);
  EXPECT_TRUE(desktop("ScreenSaveActive").has_value());
}

TEST_F(DesktopBackgroundTest, AScreenSaverNameWiderThanTheListShowsInFullAsTheHint) {
  const std::string wide =
      "Wygaszacz o bardzo długiej nazwie, której lista nie zmieści w swojej szerokości.scr";
  std::ofstream(hostPath("C:\\WINDOWS\\SYSTEM") / wide) << "MZ";
  open("pulpitwygaszaczekranu");
  auto* list = find<QListWidget>("wygaszaczLista");
  const QList<QListWidgetItem*> found = list->findItems(QString::fromStdString(wide), Qt::MatchExactly);
  ASSERT_EQ(found.size(), 1);
  ASSERT_GT(list->fontMetrics().horizontalAdvance(found.front()->text()), list->viewport()->width());
  const QPoint over = list->visualItemRect(found.front()).center();
  QTest::mouseMove(list->viewport(), over - QPoint(1, 0));
  QTest::mouseMove(list->viewport(), over);
  QTRY_COMPARE(QToolTip::text(), QString::fromStdString(wide));

  // A short name brings no hint of its own.
  QToolTip::hideText();
  const QRect shortRow = list->visualItemRect(list->findItems("(brak)", Qt::MatchExactly).front());
  QTest::mouseMove(list->viewport(), shortRow.center() - QPoint(1, 0));
  QTest::mouseMove(list->viewport(), shortRow.center());
  QTest::qWait(200);
  EXPECT_NE(QToolTip::text(), "(brak)");
}

// --- all three -------------------------------------------------------------

TEST_F(DesktopBackgroundTest, WithTheDesktopKeyGoneEachApplyStopsAtItsFirstWriteAndCreatesNothing) {
  writePicture("C:\\pics\\Kelwin.bmp", {64, 48});
  setDesktop("Wallpaper", "");
  open("pulpittapeta");
  choose("C:\\pics\\Kelwin.bmp");
  frame().showPage("pulpit", "pulpitdesen");
  ASSERT_TRUE(clickItem(find<QListWidget>("desenLista"), "Wafle"));
  frame().showPage("pulpit", "pulpitwygaszaczekranu");
  click("wygaszaczHaslo");
  {
    RegistryHandle reg(app->registry());
    ASSERT_TRUE(reg.deleteKey(kDesktop));
  }
  systemSettings.clear();
  struct Case {
    const char* subPage;
    const char* apply;
    const char* firstValue;
  };
  for (const Case& c :
       std::initializer_list<Case>{{"pulpittapeta", "tapetaZastosuj", "WallpaperStyle"},
                                   {"pulpitdesen", "desenZastosuj", "Pattern"},
                                   {"pulpitwygaszaczekranu", "wygaszaczZastosuj", "ScreenSaveActive"}}) {
    SCOPED_TRACE(c.apply);
    frame().showPage("pulpit", c.subPage);
    dialogs.shown.clear();
    click(c.apply);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
    EXPECT_NE(dialogs.boxes()[0].text.find(c.firstValue), std::string::npos) << dialogs.boxes()[0].text;
    EXPECT_TRUE(widget(c.apply)->isEnabled());
    EXPECT_FALSE(keyStored(Root::CurrentUser, kDesktop));
  }
  EXPECT_TRUE(systemSettings.texts().empty());
  EXPECT_FALSE(fs::exists(newHostPath("C:\\WINDOWS\\Kelwin.bmp")));
}

}  // namespace
}  // namespace kelvaro::testing
