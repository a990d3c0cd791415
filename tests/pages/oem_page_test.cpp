// The OEM page: what load makes of the two files, the choice of a picture
// and its place in the logo box, the two tests of Apply, the three
// placements with the files they write (checked with ImageMagick), the crop
// window's ranges, Remove and the preview command.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "dialogs/toem_form.h"
#include "dialogs/twycinek.h"
#include "pages/logos/oem_files.h"
#include "pages/logos/oem_page.h"
#include "tests/pages/logo_pages_fixture.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kLogo[] = "C:\\WINDOWS\\SYSTEM\\oemlogo.bmp";
constexpr char kInfo[] = "C:\\WINDOWS\\SYSTEM\\oeminfo.ini";
constexpr char kNoTexts[] = "Musisz podać jeszcze Nazwę produktu, Firmę i wstawić jakiś dowolny tekst";
constexpr char kNoPicture[] = "Nie możesz zastosować OEM, ponieważ nie wybrałeś go !!!";

class OemPageTest : public LogoPagesTest {
 protected:
  void SetUp() override {
    for (const char* file : {kLogo, kInfo}) fs::remove(hostPath(file));
  }
  OemPage& open() {
    EXPECT_NE(start(), nullptr);
    frame().showPage("OEM", "");
    return static_cast<OemPage&>(page("OEM"));
  }
  QPushButton* applyButton() { return find<QPushButton>("OEMZastosuj"); }
  QWidget* panel() { return find<QWidget>("OEMPanelZastosuj"); }
  void choose(const std::string& file) {
    dialogs.answer(std::optional<std::string>(file));
    click("OEMZmienLogo");
  }
  void fillTexts() {
    type("OEMTekst", "Serwis: 0 800 123 456");
    ASSERT_FALSE(find<QLineEdit>("OEMFirma")->text().isEmpty());
    ASSERT_FALSE(find<QLineEdit>("OEMNazwaProduktu")->text().isEmpty());
  }
  // Zastosuj, a placement, then OK.
  void applyWith(const char* placement) {
    click(applyButton());
    ASSERT_TRUE(panel()->isVisible());
    click(placement);
    ASSERT_EQ(applyButton()->text(), "OK");
    click(applyButton());
  }
  std::string fileText(const char* dos) {
    std::ifstream in(hostPath(dos), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  QImage written(const char* dos) { return QImage(QString::fromStdString(hostPath(dos).string())); }
};

TEST_F(OemPageTest, ALogoWithoutItsInformationFileIsNoInstalledSet) {
  writeBmp(kLogo, {180, 114}, 24);
  open();
  EXPECT_EQ(find<QLabel>("OEMStatus")->text(), "Nie masz zainstalowanego certyfikatu OEM");
  EXPECT_EQ(find<QLineEdit>("OEMFirma")->text(), "Pracownia Kowalski");
  EXPECT_EQ(find<QLineEdit>("OEMNazwaProduktu")->text(), "Microsoft Windows 98");
  EXPECT_TRUE(find<QLabel>("OEMLogoZaslona")->isVisible());
  EXPECT_FALSE(find<QPushButton>("OEMUsun")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("OEMPodglad")->isEnabled());
}

TEST_F(OemPageTest, AnInstalledSetFillsTheFieldsWithALineForEveryRawLineOfItsSupportSection) {
  writeBmp(kLogo, {100, 50}, 8);
  writeBytes(hostPath(kInfo), {});
  {
    std::ofstream ini(hostPath(kInfo), std::ios::binary);
    ini << "[General]\r\nManufacturer=Komputery\r\nModel=Firma \xb9\r\n[Support Information]\r\n"
           "Line1=pierwsza\r\nLine2=druga\r\nInny=klucz\r\n";
  }
  OemPage& page = open();
  EXPECT_EQ(find<QLabel>("OEMStatus")->text(), "Posiadasz certyfikat OEM");
  EXPECT_EQ(find<QLineEdit>("OEMNazwaProduktu")->text(), "Komputery");
  EXPECT_EQ(find<QLineEdit>("OEMFirma")->text(), "Firma ą");  // windows-1250
  EXPECT_EQ(find<QPlainTextEdit>("OEMTekst")->toPlainText(), "pierwsza\ndruga\n");
  EXPECT_EQ(page.iniLines().size(), 3u);
  EXPECT_EQ(find<QLabel>("OEMRozmiar")->text(), "Rozmiar twojego rysunku:  100 x 50");
  EXPECT_EQ(page.picturePosition(), QPoint(40, 32));
  EXPECT_FALSE(find<QLabel>("OEMLogoZaslona")->isVisible());
  EXPECT_TRUE(find<QPushButton>("OEMUsun")->isEnabled());
  EXPECT_FALSE(applyButton()->isEnabled());

  click("OEMPodglad");
  ASSERT_EQ(launcher.calls.size(), 1u);
  EXPECT_EQ(launcher.calls[0].kind, "run");
  EXPECT_EQ(launcher.calls[0].target, "Control.exe Sysdm.cpl");

  click("OEMUsun");
  EXPECT_FALSE(fs::exists(hostPath(kLogo)));
  EXPECT_FALSE(fs::exists(hostPath(kInfo)));
  EXPECT_EQ(find<QLabel>("OEMStatus")->text(), "Nie masz zainstalowanego certyfikatu OEM");
  EXPECT_TRUE(find<QLineEdit>("OEMFirma")->text().isEmpty());
  EXPECT_TRUE(find<QPlainTextEdit>("OEMTekst")->toPlainText().isEmpty());
  EXPECT_FALSE(find<QPushButton>("OEMUsun")->isEnabled());
  EXPECT_FALSE(applyButton()->isEnabled());
}

TEST_F(OemPageTest, ChoosingAPictureChecksTheExtensionExactlyAndPlacesThePictureInTheBox) {
  struct Case {
    const char* file;
    QSize size;
    bool accepted;
    QPoint at;
  };
  const Case cases[] = {
      {"C:\\pics\\rowny.bmp", {180, 114}, true, {0, 0}},
      {"C:\\pics\\maly.bmp", {100, 50}, true, {40, 32}},
      {"C:\\pics\\duzy.BMP", {300, 200}, true, {-60, -43}},
      {"C:\\pics\\mieszany.Bmp", {100, 50}, false, {}},
      {"C:\\pics\\brak.gif", {}, false, {}},
  };
  for (const Case& c : cases) {
    if (!c.size.isEmpty()) writeBmp(c.file, c.size, 24);
  }
  OemPage& page = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    dialogs.shown.clear();
    choose(c.file);
    if (!c.accepted) {
      ASSERT_EQ(dialogs.boxes().size(), 1u);
      EXPECT_EQ(dialogs.boxes()[0].text,
                "Format wybranego pliku jest nieprawidłowy. Wybierz inny plik, lub sprawdź czy wybrany plik "
                "istnieje.");
      continue;
    }
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(page.logoPicture().size(), c.size);
    EXPECT_EQ(page.picturePosition(), c.at);
    // Shown by the first picture that does not fit; an exact one leaves it as it was.
    EXPECT_EQ(find<QCheckBox>("OEMDopasuj")->isVisible(), c.size != QSize(180, 114));
    EXPECT_EQ(find<QLabel>("OEMNazwaRysunku")->text().toStdString(),
              "Nazwa rysunku : " + std::string(c.file).substr(8));
    EXPECT_TRUE(applyButton()->isEnabled());
  }
  const ScriptedDialogs::Shown& picker = dialogs.shown.front();
  EXPECT_EQ(picker.file.title, "Wybierz odpowiednie logo OEM");
  EXPECT_EQ(picker.file.initialFolder, programDos("Logo\\OEM"));
  EXPECT_TRUE(
      picker.file.filter.starts_with("Wszystkie pliki graficzne|*.gif;*.gif;*.jpg;*.jpeg;*.bmp;*.ico;"));

  // "Dopasuj" stretches the picture over the box.
  choose("C:\\pics\\duzy.BMP");
  click("OEMDopasuj");
  EXPECT_TRUE(page.pictureStretched());
  EXPECT_EQ(find<QLabel>("OEMRozmiar")->text(), "Rozmiar twojego rysunku 180 x 114");
  click("OEMDopasuj");
  EXPECT_EQ(find<QLabel>("OEMRozmiar")->text(), "Rozmiar twojego rysunku 300 x 200");
}

TEST_F(OemPageTest, ApplyTestsThePictureAndTheTextsBeforeItOffersAPlacement) {
  writeBmp("C:\\pics\\maly.bmp", {100, 50}, 24);
  open();
  find<QLineEdit>("OEMFirma")->clear();
  type("OEMTekst", "tekst");
  click(applyButton());
  ASSERT_EQ(dialogs.boxes().size(), 2u);
  EXPECT_EQ(dialogs.boxes()[0].text, kNoPicture);
  EXPECT_EQ(dialogs.boxes()[1].text, kNoTexts);
  EXPECT_FALSE(panel()->isVisible());

  dialogs.shown.clear();
  type("OEMFirma", "Firma");
  click(applyButton());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, kNoPicture);
  EXPECT_FALSE(panel()->isVisible());

  dialogs.shown.clear();
  choose("C:\\pics\\maly.bmp");
  click(applyButton());
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_TRUE(panel()->isVisible());
  EXPECT_TRUE(find<QRadioButton>("OEMDopasowane")->isEnabled());
  EXPECT_FALSE(find<QRadioButton>("OEMWycinek")->isEnabled());
  EXPECT_FALSE(fs::exists(hostPath(kLogo)));  // nothing before a placement
}

TEST_F(OemPageTest, AsItIsWritesASmallPictureAtItsSizeOrTheMiddleOfALargeOneAndTheInformationLines) {
  writeBmp("C:\\pics\\maly.bmp", {100, 50}, 24);
  writeBmp("C:\\pics\\duzy.bmp", {300, 200}, 24);
  OemPage& page = open();
  choose("C:\\pics\\maly.bmp");
  fillTexts();
  auto* text = find<QPlainTextEdit>("OEMTekst");
  QTest::keyClick(text, Qt::Key_Return);
  QTest::keyClicks(text, "Druga linia");
  applyWith("OEMTakJakJest");
  EXPECT_EQ(identify(hostPath(kLogo)), "BMP3 100 50 8 DirectClass");
  EXPECT_EQ(written(kLogo).convertToFormat(QImage::Format_RGB32), drawing({100, 50}));
  EXPECT_EQ(fileText(kInfo),
            "[General]\r\nManufacturer=Microsoft Windows 98\r\nModel=Pracownia Kowalski\r\n"
            "Manufactured=Zrobiony przez: Pracownia Kowalski\r\n[Support Information]\r\n"
            "Line1=Serwis: 0 800 123 456\r\nLine2=Druga linia\r\n");
  // Load ran: the set is installed, the command back to "Zastosuj".
  EXPECT_EQ(find<QLabel>("OEMStatus")->text(), "Posiadasz certyfikat OEM");
  EXPECT_EQ(applyButton()->text(), "Zastosuj");
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_FALSE(panel()->isVisible());
  EXPECT_FALSE(app->restartNeeded());
  ASSERT_NE(page.captureWindow(), nullptr);
  EXPECT_FALSE(page.captureWindow()->isVisible());
  // The capture window stood over the logo box, and the screen was asked first.
  ASSERT_EQ(screenCapture.calls.size(), 1u);
  EXPECT_EQ(screenCapture.calls[0].area, QRect(0, 0, 100, 50));
  EXPECT_EQ(page.captureWindow()->pos(), frame().pos() + QPoint(79, 174));

  choose("C:\\pics\\duzy.bmp");
  applyWith("OEMTakJakJest");
  EXPECT_EQ(identify(hostPath(kLogo)), "BMP3 180 114 8 DirectClass");
  EXPECT_EQ(written(kLogo).convertToFormat(QImage::Format_RGB32), drawing({300, 200}).copy(60, 43, 180, 114));
}

TEST_F(OemPageTest, FittedSqueezesTheWholePictureAndWhatTheScreenGivesIsWhatIsWritten) {
  writeBmp("C:\\pics\\duzy.bmp", {300, 200}, 24);
  open();
  choose("C:\\pics\\duzy.bmp");
  fillTexts();
  applyWith("OEMDopasowane");
  EXPECT_EQ(identify(hostPath(kLogo)), "BMP3 180 114 8 DirectClass");
  const QImage logo = written(kLogo);
  EXPECT_EQ(logo.pixelColor(5, 5), QColor(200, 30, 30));
  EXPECT_EQ(logo.pixelColor(175, 110), QColor(Qt::yellow));
  EXPECT_EQ(logo.pixelColor(175, 5), QColor(0, 128, 128));

  QImage screen(180, 114, QImage::Format_RGB32);
  screen.fill(Qt::green);
  screenCapture.shot = screen;
  choose("C:\\pics\\duzy.bmp");
  applyWith("OEMDopasowane");
  EXPECT_EQ(written(kLogo).pixelColor(90, 57), QColor(Qt::green));
}

TEST_F(OemPageTest, AsItIsWithFitTickedWritesNothingAndClosesThePanel) {
  writeBmp("C:\\pics\\maly.bmp", {100, 50}, 24);
  open();
  choose("C:\\pics\\maly.bmp");
  fillTexts();
  click(applyButton());
  click("OEMTakJakJest");
  click("OEMDopasuj");
  click(applyButton());
  EXPECT_FALSE(fs::exists(hostPath(kLogo)));
  EXPECT_FALSE(fs::exists(hostPath(kInfo)));
  EXPECT_FALSE(panel()->isVisible());
  EXPECT_EQ(applyButton()->text(), "Zastosuj");
  EXPECT_FALSE(find<QRadioButton>("OEMTakJakJest")->isChecked());
}

TEST_F(OemPageTest, AnExactSizeEnablesNeitherChoiceUnlessAnEarlierApplyDid) {
  writeBmp("C:\\pics\\rowny.bmp", {180, 114}, 24);
  writeBmp("C:\\pics\\maly.bmp", {100, 50}, 24);
  open();
  choose("C:\\pics\\rowny.bmp");
  fillTexts();
  click(applyButton());
  EXPECT_FALSE(find<QRadioButton>("OEMDopasowane")->isEnabled());
  EXPECT_FALSE(find<QRadioButton>("OEMWycinek")->isEnabled());
  choose("C:\\pics\\maly.bmp");
  click(applyButton());
  choose("C:\\pics\\rowny.bmp");
  click(applyButton());
  EXPECT_TRUE(find<QRadioButton>("OEMDopasowane")->isEnabled());
  EXPECT_FALSE(find<QRadioButton>("OEMWycinek")->isEnabled());
}

TEST_F(OemPageTest, TheCropWindowScrollsOverWhatIsOutsideTheViewAndWritesTheViewOnOk) {
  writeBmp("C:\\pics\\szeroki.bmp", {300, 100}, 24);
  OemPage& page = open();
  choose("C:\\pics\\szeroki.bmp");
  fillTexts();
  click(applyButton());
  ASSERT_TRUE(find<QRadioButton>("OEMWycinek")->isEnabled());
  click("OEMWycinek");
  click(applyButton());
  Twycinek* crop = page.cropWindow();
  ASSERT_NE(crop, nullptr);
  ASSERT_TRUE(crop->isVisible());
  EXPECT_EQ(crop->windowTitle(), "wycinek");
  EXPECT_EQ(crop->horizontalBar()->minimum(), 0);
  EXPECT_EQ(crop->horizontalBar()->maximum(), 120);
  EXPECT_EQ(crop->verticalBar()->maximum(), 0);
  EXPECT_EQ(crop->view()->cursor().shape(), Qt::SizeAllCursor);
  EXPECT_EQ(QCursor::pos(), crop->pos() + QPoint(45, 70));
  EXPECT_TRUE(fs::exists(hostPath(kInfo)));
  EXPECT_FALSE(fs::exists(hostPath(kLogo)));  // written when the window closes
  EXPECT_EQ(find<QLabel>("OEMStatus")->text(), "Posiadasz certyfikat OEM");
  EXPECT_FALSE(applyButton()->isEnabled());

  crop->horizontalBar()->setValue(120);
  click(crop->findChild<QPushButton*>("wycinekOK"));
  EXPECT_FALSE(crop->isVisible());
  EXPECT_EQ(identify(hostPath(kLogo)), "BMP3 180 114 8 DirectClass");
  const QImage logo = written(kLogo).convertToFormat(QImage::Format_RGB32);
  // The view's left edge is the picture's x 120; below the picture, the button face.
  const QImage source = drawing({300, 100});
  EXPECT_EQ(logo.copy(0, 0, 180, 100), source.copy(120, 0, 180, 100));
  EXPECT_EQ(logo.pixelColor(90, 110), crop->view()->palette().color(QPalette::Button));
  EXPECT_TRUE(page.pictureStretched());
  EXPECT_EQ(find<QLabel>("OEMRozmiar")->text(), "Rozmiar twojego rysunku 180 x 114");
  EXPECT_EQ(app->windowsDirectory(), "C:\\WINDOWS");  // what the registry named
}

TEST_F(OemPageTest, TheCropWindowTakesTheWindowsDirectoryTheRegistryNamesWhereThatFolderExists) {
  constexpr char kSetup[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup";
  constexpr char kNt[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
  struct Case {
    std::optional<StoredValue> winDir, pathName;
    const char* windows;
    const char* system;
  };
  const Case cases[] = {
      {StoredValue(std::string("C:\\WINDOWS")), std::nullopt, "C:\\WINDOWS", "C:\\WINDOWS\\System"},
      {StoredValue(std::string("C:\\NIEMA")), StoredValue(std::string("C:\\WINDOWS\\")), "C:\\WINDOWS",
       "C:\\WINDOWS\\System"},
      {StoredValue(1), StoredValue(std::string("C:\\NIEMA")), "C:\\Windows", "C:\\Windows\\System"},
      {StoredValue(std::string("C:\\Moje dokumenty")), std::nullopt, "C:\\Moje dokumenty",
       "C:\\Windows\\System"},
  };
  for (const Case& c : cases) {
    remove(Root::LocalMachine, kSetup, "WinDir");
    remove(Root::LocalMachine, kNt, "PathName");
    if (c.winDir) set(Root::LocalMachine, kSetup, "WinDir", *c.winDir);
    if (c.pathName) set(Root::LocalMachine, kNt, "PathName", *c.pathName);
    const CropDirectories found = cropDirectories(app->registry(), app->files());
    EXPECT_EQ(found.windows, c.windows);
    EXPECT_EQ(found.system, c.system);
  }
}

TEST(OemFilesTest, TextLinesCountAsTheFieldCountsThemAndPicturesAreCentredOnTheBox) {
  EXPECT_EQ(textLines(""), std::vector<std::string>{});
  EXPECT_EQ(textLines("a\n"), std::vector<std::string>{"a"});
  EXPECT_EQ(textLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(oemPlacement({181, 115}), QPoint(0, 0));
  EXPECT_EQ(oemPlacement({301, 101}), QPoint(-60, 7));
}

}  // namespace
}  // namespace kelvaro::testing
