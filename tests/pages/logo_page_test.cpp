// The logo page: the three slots from their files and the stock picture,
// make-current on mouse movement, picking with its size and format rules,
// the schemes (a missing file, "(brak LOGO)"), the files written with their
// own size and depth, and the preview window.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "dialogs/tpodglad.h"
#include "pages/logos/logo_page.h"
#include "tests/pages/logo_pages_fixture.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kRequirements[] = "Wybrane logo nie spełnia okreśclonych wymagań\r\r";

class LogoPageTest : public LogoPagesTest {
 protected:
  void SetUp() override {
    for (const char* file : {"C:\\logo.sys", "C:\\WINDOWS\\logow.sys", "C:\\WINDOWS\\logos.sys"})
      fs::remove(hostPath(file));
  }
  LogoPage& open() {
    EXPECT_NE(start(), nullptr);
    frame().showPage("logo", "");
    return static_cast<LogoPage&>(page("logo"));
  }
  QLabel* image(const char* name) { return find<QLabel>(name); }
  QPushButton* applyButton() { return find<QPushButton>("logoZastosuj"); }
  QPushButton* previewButton() { return find<QPushButton>("logoPodglad"); }
  QPushButton* schemeApply() { return find<QPushButton>("logoZastosujSchemat"); }
  // Two moves, as a move to where the pointer already is reaches no widget.
  void hover(const char* name) {
    QTest::mouseMove(image(name), QPoint(2, 2));
    QTest::mouseMove(image(name), image(name)->rect().center());
  }
  void pick(const char* name, const std::string& answer) {
    dialogs.answer(std::optional<std::string>(answer));
    hover(name);
    doubleClick(image(name), image(name)->rect().center());
  }
  void clickScheme(const char* name) {
    frame().showPage("logo", "");
    click("logoWybierzSchemat");
    ASSERT_TRUE(clickItem(find<QListWidget>("logoListaSchematow"), QString::fromUtf8(name))) << name;
  }
};

TEST_F(LogoPageTest, WithoutLogoFilesTheStartSlotShowsTheStockPictureButHoveringEnablesNothing) {
  copyProgramFile("Logo/logowin/Win98Logo.bmp");
  LogoPage& page = open();
  for (LogoSlot slot : {LogoSlot::Start, LogoSlot::ShutDown, LogoSlot::SwitchOff})
    EXPECT_FALSE(page.slotReady(slot));
  EXPECT_EQ(page.slotPicture(LogoSlot::Start).image.size(), QSize(320, 400));  // the stock Win98 picture
  EXPECT_TRUE(page.slotPicture(LogoSlot::ShutDown).image.isNull());
  hover("logow");
  hover("LogoWin");
  EXPECT_EQ(page.currentSlot(), LogoSlot::Start);
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_FALSE(previewButton()->isEnabled());
  EXPECT_FALSE(schemeApply()->isVisible());
}

TEST_F(LogoPageTest, AnInstalledStartLogoIsShownInsteadOfTheStockOneAndHoveringOverItEnablesApply) {
  copyProgramFile("Logo/logowin/Win98Logo.bmp");
  writeBmp("C:\\logo.sys", {320, 200}, 4);
  LogoPage& page = open();
  EXPECT_TRUE(page.slotReady(LogoSlot::Start));
  EXPECT_EQ(page.slotPicture(LogoSlot::Start).image.size(), QSize(320, 200));
  EXPECT_FALSE(applyButton()->isEnabled());

  hover("LogoWin");
  EXPECT_TRUE(applyButton()->isEnabled());
  EXPECT_TRUE(previewButton()->isEnabled());
  EXPECT_TRUE(page.hasPendingEdits());  // the mere movement counts at close
  hover("logos");
  EXPECT_EQ(page.currentSlot(), LogoSlot::SwitchOff);
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_EQ(applyButton()->geometry().left(), image("logos")->geometry().left() + 150 - 72);
}

TEST_F(LogoPageTest, PickingAcceptsAWidthOf320OrAHeightOf400AndABmpExtensionInAnyCase) {
  struct Case {
    const char* file;
    QSize size;
    bool accepted;
    bool formatMessage;
  };
  const Case cases[] = {
      {"C:\\pics\\szeroki.bmp", {320, 200}, true, false},
      {"C:\\pics\\wysoki.BMP", {640, 400}, true, false},
      {"C:\\pics\\duzy.bmp", {640, 480}, false, false},
      {"C:\\pics\\inny.dib", {320, 400}, false, true},
      {"C:\\pics\\brak.bmp", {}, false, true},
  };
  for (const Case& c : cases) {
    if (!c.size.isEmpty()) writeBmp(c.file, c.size, 8);
  }
  LogoPage& page = open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    writeBmp("C:\\pics\\ok.bmp", {320, 400}, 4);
    pick("logow", "C:\\pics\\ok.bmp");  // the slot holds a picture before each case
    ASSERT_TRUE(page.slotReady(LogoSlot::ShutDown));
    dialogs.shown.clear();
    pick("logow", c.file);
    const std::vector<MessageBoxSpec> boxes = dialogs.boxes();
    EXPECT_EQ(page.slotReady(LogoSlot::ShutDown), c.accepted || c.formatMessage);
    EXPECT_EQ(applyButton()->isEnabled(), c.accepted || c.formatMessage);
    if (c.accepted) {
      EXPECT_TRUE(boxes.empty());
      EXPECT_EQ(page.slotPicture(LogoSlot::ShutDown).image.size(), c.size);
    } else if (c.formatMessage) {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_NE(boxes[0].text.find("zamykania Windows-a plik musi być w formacie BMP"), std::string::npos);
      EXPECT_EQ(page.slotPicture(LogoSlot::ShutDown).image.size(), QSize(320, 400));  // kept
    } else {
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].text.rfind(kRequirements, 0), 0u);
      EXPECT_TRUE(boxes[0].text.ends_with("przygotowanych przezemnie :-)"));
      EXPECT_TRUE(page.slotPicture(LogoSlot::ShutDown).image.isNull());
    }
  }
  const ScriptedDialogs::Shown& picker = dialogs.shown.front();
  EXPECT_EQ(picker.kind, "picture");
  EXPECT_EQ(picker.file.title, "LOGO podczas zamykania Windows`a");
  EXPECT_EQ(picker.file.filter, "Bitmapy|*.bmp");
  EXPECT_EQ(picker.file.initialFolder, programDos("Logo\\logow"));
}

TEST_F(LogoPageTest, ThreeAcceptedPicksOfferTheSchemeApplyWhichWritesEachPictureWithItsOwnSizeAndDepth) {
  writeBmp("C:\\pics\\start.bmp", {320, 400}, 4);
  writeBmp("C:\\pics\\koniec.bmp", {320, 200}, 8);
  writeBmp("C:\\pics\\wylacz.bmp", {640, 400}, 24);
  open();
  pick("LogoWin", "C:\\pics\\start.bmp");
  pick("logow", "C:\\pics\\koniec.bmp");
  EXPECT_FALSE(schemeApply()->isVisible());
  // The "Zmień" link picks for its slot without making it current.
  dialogs.answer(std::optional<std::string>("C:\\pics\\wylacz.bmp"));
  click("logosZmien");
  EXPECT_TRUE(schemeApply()->isVisible());

  click(schemeApply());
  EXPECT_EQ(identify(hostPath("C:\\logo.sys")), "BMP3 320 400 4 PseudoClass");
  EXPECT_EQ(identify(hostPath("C:\\WINDOWS\\logow.sys")), "BMP3 320 200 8 PseudoClass");
  EXPECT_EQ(identify(hostPath("C:\\WINDOWS\\logos.sys")), "BMP3 640 400 8 DirectClass");
  EXPECT_EQ(bmpBitCount(hostPath("C:\\WINDOWS\\logos.sys")), 24);
  EXPECT_FALSE(schemeApply()->isVisible());
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_TRUE(app->restartNeeded());
}

TEST_F(LogoPageTest, ApplyWritesTheCurrentSlotOnlyAndAnErrorKeepsItPending) {
  writeBmp("C:\\pics\\koniec.bmp", {320, 400}, 4);
  writeBmp("C:\\logo.sys", {320, 400}, 4, Qt::blue);
  const auto startBefore = fs::last_write_time(hostPath("C:\\logo.sys"));
  LogoPage& page = open();
  pick("logow", "C:\\pics\\koniec.bmp");
  ASSERT_EQ(page.currentSlot(), LogoSlot::ShutDown);
  click(applyButton());
  EXPECT_EQ(identify(hostPath("C:\\WINDOWS\\logow.sys")), "BMP3 320 400 4 PseudoClass");
  EXPECT_FALSE(fs::exists(hostPath("C:\\WINDOWS\\logos.sys")));
  EXPECT_EQ(fs::last_write_time(hostPath("C:\\logo.sys")), startBefore);
  EXPECT_FALSE(page.slotReady(LogoSlot::ShutDown));
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_TRUE(app->restartNeeded());

  // A read-only target is not replaced, and the command says so and stays pending.
  pick("logow", "C:\\pics\\koniec.bmp");
  ASSERT_TRUE(app->files().setAttributes("C:\\WINDOWS\\logow.sys", kAttributeReadOnly));
  dialogs.shown.clear();
  click(applyButton());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, "Nie można zapisać pliku C:\\WINDOWS\\logow.sys.");
  EXPECT_TRUE(applyButton()->isEnabled());
  app->files().setAttributes("C:\\WINDOWS\\logow.sys", kAttributeNormal);
}

TEST_F(LogoPageTest, ASchemeLoadsItsThreeFilesAndStopsWithAMessageAtAMissingOne) {
  for (const char* file :
       {"Logo/logowin/Win95PlusLogo.bmp", "Logo/logow/Win95Logow.bmp", "Logo/logos/WinLogos.bmp",
        "Logo/logowin/MatrixLogo.bmp", "Logo/logos/MatrixLogos.bmp"})
    copyProgramFile(file);
  LogoPage& page = open();
  EXPECT_EQ(page.schemeName(), "schemat");
  EXPECT_EQ(find<QListWidget>("logoListaSchematow")->count(), 49);
  clickScheme("Win95 PLUS!");
  EXPECT_EQ(page.schemeName(), "Win95 PLUS!");
  const QImage expected[] = {
      QImage(QString::fromStdString((programFolder / "Logo/logowin/Win95PlusLogo.bmp").string())),
      QImage(QString::fromStdString((programFolder / "Logo/logow/Win95Logow.bmp").string())),
      QImage(QString::fromStdString((programFolder / "Logo/logos/WinLogos.bmp").string()))};
  int i = 0;
  for (LogoSlot slot : {LogoSlot::Start, LogoSlot::ShutDown, LogoSlot::SwitchOff}) {
    EXPECT_TRUE(page.slotReady(slot));
    EXPECT_EQ(page.slotPicture(slot).image.convertToFormat(QImage::Format_RGB32),
              expected[i++].convertToFormat(QImage::Format_RGB32));
  }
  EXPECT_TRUE(schemeApply()->isVisible());
  EXPECT_TRUE(dialogs.boxes().empty());

  clickScheme("Matrix");  // its shut-down picture is missing
  EXPECT_TRUE(page.slotReady(LogoSlot::Start));
  EXPECT_FALSE(page.slotReady(LogoSlot::ShutDown));
  EXPECT_FALSE(page.slotReady(LogoSlot::SwitchOff));
  EXPECT_TRUE(page.slotPicture(LogoSlot::SwitchOff).image.isNull());
  EXPECT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_FALSE(schemeApply()->isVisible());

  // The arrow keys load the scheme they move to; Enter closes the panel.
  dialogs.shown.clear();
  key(find<QListWidget>("logoListaSchematow"), Qt::Key_Up);  // "Linux": none of its files is there
  EXPECT_EQ(page.schemeName(), "Linux");
  EXPECT_EQ(dialogs.boxes().size(), 1u);
  key(find<QListWidget>("logoListaSchematow"), Qt::Key_Return);
  EXPECT_FALSE(find<QWidget>("logoSchematy")->isVisible());
}

TEST_F(LogoPageTest, NoLogoSchemeDeletesTheFilesThatExistAndWritesNothing) {
  writeBmp("C:\\logo.sys", {320, 400}, 4);
  writeBmp("C:\\WINDOWS\\logos.sys", {320, 400}, 4);
  LogoPage& page = open();
  clickScheme("(brak LOGO)");
  for (LogoSlot slot : {LogoSlot::Start, LogoSlot::ShutDown, LogoSlot::SwitchOff}) {
    EXPECT_FALSE(page.slotReady(slot));
    EXPECT_TRUE(page.slotPicture(slot).image.isNull());
  }
  ASSERT_TRUE(schemeApply()->isVisible());
  click(schemeApply());
  for (const char* file : {"C:\\logo.sys", "C:\\WINDOWS\\logow.sys", "C:\\WINDOWS\\logos.sys"})
    EXPECT_FALSE(fs::exists(hostPath(file))) << file;
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_TRUE(app->restartNeeded());
  EXPECT_FALSE(page.hasPendingEdits());  // the scheme command is not asked at close
}

TEST_F(LogoPageTest, ThePreviewShowsTheCurrentSlotIn640By480AndKeepsTheWindowDisabledUntilClicked) {
  writeBmp("C:\\WINDOWS\\logos.sys", {320, 400}, 24);
  LogoPage& page = open();
  hover("logos");
  click(previewButton());
  Tpodglad* preview = page.previewWindow();
  ASSERT_NE(preview, nullptr);
  EXPECT_TRUE(preview->isVisible());
  EXPECT_EQ(preview->size(), QSize(640, 480));
  EXPECT_EQ(preview->windowTitle(), "Podgląd LOGO kiedy możesz bezpiecznie wyłączyć komputer");
  EXPECT_TRUE(preview->windowFlags().testFlag(Qt::Tool));
  EXPECT_FALSE(preview->descriptionLine()->isVisible());
  EXPECT_FALSE(frame().isEnabled());
  // The picture is stretched over the whole window.
  const QImage shown = preview->grab().toImage();
  EXPECT_EQ(shown.pixelColor(10, 10), QColor(200, 30, 30));
  EXPECT_EQ(shown.pixelColor(630, 470), QColor(Qt::yellow));

  QTest::mouseClick(preview, Qt::LeftButton, {}, {300, 200});
  EXPECT_FALSE(preview->isVisible());
  EXPECT_TRUE(preview->picture().isNull());
  EXPECT_TRUE(frame().isEnabled());
}

TEST_F(LogoPageTest, TheNoteAndTheHelpLine) {
  open();
  click("logoUwaga");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].title, kProgramTitle);
  EXPECT_TRUE(dialogs.boxes()[0].text.starts_with("Możesz wprawdzie wybrać sobie dowolne logo"));
  click("logoWybierzSchemat");
  EXPECT_EQ(find<QLabel>("logoPomoc")->text(), "Kliknij na wybrany schemat, aby go załadować.");
  EXPECT_TRUE(find<QWidget>("logoSchematy")->isVisible());
  hover("LogoWin");  // the panel floats over the middle slot
  EXPECT_EQ(find<QLabel>("logoPomoc")->text(), "Kliknij dwukrotnie na logo, które chcesz zmienić.");
  EXPECT_FALSE(find<QWidget>("logoSchematy")->isVisible());
}

}  // namespace
}  // namespace kelvaro::testing
