// The cursor page: stored paths expanded, a cursor chosen through the
// two-step "Zmień" and checked, previewed and saved as a scheme in two steps
// in its fixed order; the keyboard and double-click sliders acting on the
// running system at once.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStyleHints>
#include <QTest>

#include "pages/appearance/cursor_page.h"
#include "pages/appearance/cursor_scheme.h"
#include "pages/appearance/path_expansion.h"
#include "pages/widgets/double_click_die.h"
#include "platform/file_system.h"
#include "platform/linux_system_settings.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kCursors[] = "Control Panel\\Cursors";
constexpr char kSchemes[] = "Control Panel\\Cursors\\Schemes";
constexpr char kArrow[] = "C:\\WINDOWS\\CURSORS\\b_strzalka.cur";

TEST(PathExpansion, VariablesAreReplacedWhereTheyStandAndOtherPathsKeptAsStored) {
  const struct {
    const char* stored;
    const char* programFiles;
    const char* shown;
  } cases[] = {
      {"%SystemRoot%\\Cursors\\Arrow.cur", "C:\\Program Files", "C:\\WINDOWS\\cursors\\arrow.cur"},
      {"%WINDIR%\\Cursors\\Zajety.ANI", "C:\\Program Files", "C:\\WINDOWS\\cursors\\zajety.ani"},
      {"%ProgramFiles%\\Kursory\\Ręka.cur", "D:\\Programy", "D:\\Programy\\kursory\\ręka.cur"},
      // Without the Program Files folder the shell folders page's text stands there.
      {"%programfiles%\\a.cur", "(nie znaleziono folderu)", "(nie znaleziono folderu)\\a.cur"},
      {"%UserProfile%\\Moje\\k.cur", "C:\\Program Files", "\\moje\\k.cur"},
      // Further inside a path: the folders before it stay (lowercased).
      {"D:\\Dane\\%windir%\\k.cur", "C:\\Program Files", "d:\\dane\\C:\\WINDOWS\\k.cur"},
      // %systemroot% is tried first.
      {"%windir%\\%SystemRoot%\\k.cur", "C:\\Program Files", "%windir%\\C:\\WINDOWS\\k.cur"},
      {"C:\\Kursory\\Duży.CUR", "C:\\Program Files", "C:\\Kursory\\Duży.CUR"},
      {"%TEMP%\\k.cur", "C:\\Program Files", "%TEMP%\\k.cur"},
      {"", "C:\\Program Files", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(expandStoredPath(c.stored, "C:\\WINDOWS", c.programFiles), c.shown) << c.stored;
  }
}

TEST(CursorScheme, FourteenPathsWithEmptyPlacesAndNeverTheHand) {
  CursorPaths paths;
  paths[0] = "C:\\a.cur";
  paths[3] = "C:\\wait.ani";
  paths[13] = "C:\\up.cur";
  paths[14] = "C:\\hand.cur";
  EXPECT_EQ(cursorSchemeString(paths), "C:\\a.cur,,,C:\\wait.ani,,,,,,,,,,C:\\up.cur");
  EXPECT_EQ(cursorSchemeString(CursorPaths{}), std::string(13, ','));
}

TEST(CursorScheme, OnlyAnExistingFileWithACursorExtensionInOneCaseIsACursor) {
  const struct {
    const char* path;
    bool exists;
    CursorChoice choice;
  } cases[] = {
      {"", false, CursorChoice::NoFile},
      {"C:\\brak.cur", false, CursorChoice::MissingFile},
      {"C:\\a.cur", true, CursorChoice::Valid},
      {"C:\\a.CUR", true, CursorChoice::Valid},
      {"C:\\a.ani", true, CursorChoice::Valid},
      {"C:\\a.ANI", true, CursorChoice::Valid},
      {"C:\\a.Cur", true, CursorChoice::NotACursor},
      {"C:\\a.aNi", true, CursorChoice::NotACursor},
      {"C:\\a.ico", true, CursorChoice::NotACursor},
      {"cur", true, CursorChoice::NotACursor},
  };
  for (const auto& c : cases) EXPECT_EQ(checkChosenCursor(c.path, c.exists), c.choice) << c.path;
}

TEST(LinuxSystemSettings, TheDoubleClickTimeIsTheApplicationsOwnAndTheKeyboardIsKept) {
  const int before = QGuiApplication::styleHints()->mouseDoubleClickInterval();
  LinuxSystemSettings system;
  EXPECT_EQ(system.doubleClickTime(), before);
  system.setDoubleClickTime(725);
  EXPECT_EQ(QGuiApplication::styleHints()->mouseDoubleClickInterval(), 725);
  EXPECT_EQ(system.doubleClickTime(), 725);
  system.setDoubleClickTime(before);
  system.setKeyboardSpeed(255);
  system.setKeyboardDelay(3);
  EXPECT_EQ(system.keyboardSpeed(), 255);
  EXPECT_EQ(system.keyboardDelay(), 3);
}

class CursorPageTest : public PageHarness {
 protected:
  CursorPage& startOnPage() {
    EXPECT_NE(start(), nullptr);
    frame().showPage("kursory", "TabSheet11");
    return static_cast<CursorPage&>(page("kursory"));
  }
  CursorPage& cursorPage() { return static_cast<CursorPage&>(page("kursory")); }
  QPushButton* changeButton() { return find<QPushButton>("zmienKursor"); }
  QPushButton* saveButton() { return find<QPushButton>("zapiszSchemat"); }
  QLineEdit* nameField() { return find<QLineEdit>("nazwaSchematu"); }
  QGroupBox* previewArea() { return find<QGroupBox>("podgladKursora"); }
  QSlider* slider(const char* name) { return find<QSlider>(name); }

  // A cursor picture the recording Pictures serves for a file.
  void serveCursor(std::string_view dosPath, std::vector<QRgb> colours, QPoint hotspot = {3, 4}) {
    Animation a;
    for (std::size_t i = 0; i < colours.size(); ++i) {
      QImage frame(32, 32, QImage::Format_ARGB32);
      frame.fill(colours[i]);
      a.frames.push_back(frame);
      a.steps.push_back({static_cast<int>(i), 30});
    }
    a.hotspot = hotspot;
    pictures.addAnimation(hostPath(dosPath), a);
  }
  // "Zmień", the Windows folder as the source, " Zmień ": the chooser opens
  // with this answer.
  void chooseFromWindows(std::optional<std::string> answer) {
    if (changeButton()->text() == "Zmień") {
      click(changeButton());
      click(find<QRadioButton>("kursoryWindows"));
    }
    dialogs.answer(std::move(answer));
    click(changeButton());
    // Where the page moved the pointer, as the window system reports it.
    QApplication::processEvents();
  }
  // Typing that Polish letters survive: a key without a code carries them.
  void typeName(std::string_view text) {
    nameField()->setFocus(Qt::OtherFocusReason);
    for (const QChar c : QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(nameField(), c.toLatin1());
      } else {
        QTest::sendKeyEvent(QTest::Click, nameField(), Qt::Key_unknown, QString(c), Qt::NoModifier);
      }
    }
  }
  std::string schemeLine() { return find<QLabel>("cursorSchemeName")->text().toStdString(); }
};

TEST_F(CursorPageTest, TheLoaderShowsTheSchemeNameAndTheExpandedPathsAndDecodesNothing) {
  set(Root::CurrentUser, kCursors, "Arrow", std::string("%SystemRoot%\\Cursors\\Arrow.cur"));
  set(Root::CurrentUser, kCursors, "Wait", 7);
  set(Root::CurrentUser, kCursors, "Help", std::string("%ProgramFiles%\\Kursory\\Pomoc.cur"));
  set(Root::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
      std::string("D:\\Programy"));
  CursorPage& p = startOnPage();
  EXPECT_EQ(schemeLine(), "Nazwa schematu: \"Trójwymiarowy biały\"");
  EXPECT_EQ(p.paths()[0], "C:\\WINDOWS\\cursors\\arrow.cur");
  EXPECT_EQ(p.paths()[1], "D:\\Programy\\kursory\\pomoc.cur");  // the shell folders page's label
  EXPECT_EQ(p.paths()[2], "C:\\WINDOWS\\CURSORS\\b_praca.ani");
  EXPECT_EQ(p.paths()[3], "");  // a number is no path
  EXPECT_FALSE(find<QWidget>("kursorEditPanel")->isVisible());
  EXPECT_FALSE(saveButton()->isEnabled());
  // The logo pages' loaders decode their bitmaps; no cursor is decoded.
  for (const RecordingPictures::Call& call : pictures.calls())
    EXPECT_NE(call.operation, "loadAnimation") << "the loader made a preview of " << call.file;

  // Without the key: no paths and no name.
  {
    RegistryHandle reg(app->registry());
    reg.deleteKey(kCursors);
    app->flush();
  }
  click("reReadButton");
  EXPECT_EQ(schemeLine(), "Nazwa schematu: (nieznany)");
  EXPECT_EQ(p.paths(), CursorPaths{});
}

TEST_F(CursorPageTest, ChoosingARoleShowsItsPanelBesideItWithTheCursorAsPictureAndPointer) {
  serveCursor(kArrow, {qRgb(255, 0, 0)}, {5, 7});
  serveCursor("C:\\WINDOWS\\CURSORS\\b_praca.ani", {qRgb(0, 255, 0), qRgb(0, 0, 255)});
  CursorPage& p = startOnPage();
  QWidget* panel = find<QWidget>("kursorEditPanel");
  auto* picture = find<QLabel>("widokKursora");

  QCursor::setPos(40, 333);
  click("ArrowCaption");
  EXPECT_EQ(p.chosenRole(), 0u);
  ASSERT_TRUE(panel->isVisible());
  EXPECT_TRUE(previewArea()->isVisible());
  EXPECT_EQ(picture->pixmap().toImage().pixel(10, 10), qRgb(255, 0, 0));
  EXPECT_EQ(previewArea()->cursor().hotSpot(), QPoint(5, 7));
  EXPECT_EQ(previewArea()->cursor().pixmap().size(), QSize(32, 32));
  EXPECT_EQ(QCursor::pos(), QPoint(changeButton()->mapToGlobal(changeButton()->rect().center()).x(), 333));
  const int captionTop = find<QWidget>("ArrowCaption")->geometry().top();
  EXPECT_EQ(panel->geometry().top(), captionTop);
  EXPECT_GT(panel->geometry().left(), find<QWidget>("ArrowCaption")->geometry().right());

  // An animated cursor is shown moving through its frames; the picture of a role acts like its caption.
  click("AppStartingPicture");
  EXPECT_EQ(p.chosenRole(), 2u);
  QTRY_COMPARE(picture->pixmap().toImage().pixel(10, 10), qRgb(0, 0, 255));
  QTRY_COMPARE(picture->pixmap().toImage().pixel(10, 10), qRgb(0, 255, 0));

  // A role whose file is missing: no preview, its path kept.
  set(Root::CurrentUser, kCursors, "Hand", std::string("C:\\WINDOWS\\CURSORS\\brak.cur"));
  click("reReadButton");
  auto* list = find<QScrollArea>("kursoryList");
  click(find<QWidget>("HandCaption"));
  EXPECT_FALSE(previewArea()->isVisible());
  EXPECT_EQ(p.paths()[14], "C:\\WINDOWS\\CURSORS\\brak.cur");
  // Low in the list: scrolled so that the panel shows.
  EXPECT_GT(list->verticalScrollBar()->value(), 0);
  const QRect shown(panel->mapTo(list->viewport(), QPoint(0, 0)), panel->size());
  EXPECT_TRUE(list->viewport()->rect().contains(shown)) << "panel not in view";
}

TEST_F(CursorPageTest, ZmienAsksForTheSourceOnceAndThenOpensTheChooserThere) {
  startOnPage();
  click("ArrowCaption");
  auto* sources = find<QGroupBox>("zrodloKursora");
  EXPECT_FALSE(sources->isVisible());
  click(changeButton());
  EXPECT_TRUE(sources->isVisible());
  EXPECT_TRUE(dialogs.shown.empty());
  click(find<QRadioButton>("kursoryProgramu"));
  EXPECT_EQ(changeButton()->text(), " Zmień ");

  dialogs.answer(std::nullopt);
  click(changeButton());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  const FileOpenSpec& own = dialogs.shown[0].file;
  EXPECT_EQ(own.title, "Wybierz kursor z przygotowanych przezemnie");
  EXPECT_EQ(
      own.filter,
      "Wszystkie kursory (*.cur, *.ani)|*.ani;*.cur|Kursory (*.cur)|*.cur|Animowane Kursory (*.ani)|*.ani");
  EXPECT_EQ(own.initialFolder, environment->programDirectory() + "\\Kursory");
  EXPECT_TRUE(own.mustExist);
  EXPECT_FALSE(sources->isVisible());

  // Another role opens the chooser at once, with the same source.
  click("HelpCaption");
  dialogs.answer(std::nullopt);
  click(changeButton());
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].file.initialFolder, environment->programDirectory() + "\\Kursory");

  // Ctrl held while the mouse passes over the button starts again.
  const QPoint at = changeButton()->rect().center();
  QMouseEvent move(QEvent::MouseMove, at, changeButton()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::ControlModifier);
  QApplication::sendEvent(changeButton(), &move);
  EXPECT_EQ(changeButton()->text(), "Zmień");
  EXPECT_FALSE(find<QRadioButton>("kursoryProgramu")->isChecked());
  EXPECT_FALSE(find<QRadioButton>("kursoryWindows")->isChecked());

  chooseFromWindows(std::nullopt);
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[2].file.title, "Wybierz kursor z zasobów Windows");
  EXPECT_EQ(dialogs.shown[2].file.initialFolder, "C:\\WINDOWS\\Cursors");
  EXPECT_TRUE(dialogs.boxes().empty());

  // A right-button press sends the pointer back towards the list.
  QCursor::setPos(700, 300);
  QTest::mousePress(changeButton(), Qt::RightButton);
  EXPECT_EQ(QCursor::pos(), QPoint(520, 300));
  QTest::mouseRelease(changeButton(), Qt::RightButton);
}

TEST_F(CursorPageTest, AnInvalidChoiceIsRefusedWithItsMessageAndChangesNothing) {
  const std::string mixedCase = "C:\\WINDOWS\\CURSORS\\Mieszany.Cur";
  ASSERT_TRUE(environment->files().copyFile(kArrow, mixedCase, false));
  CursorPage& p = startOnPage();
  click("HelpCaption");
  const CursorPaths before = p.paths();
  const struct {
    std::string answer;
    std::string message;
  } cases[] = {
      {"", "Nie wybrałeś żadnego pliku !!!\rKliknij na przycisk \"Zmień\" i wybierz kursor ponownie."},
      {"C:\\WINDOWS\\CURSORS\\brak.cur", "Wskazany plik nie istnieje !!!"},
      {mixedCase,
       "Wybrany przez Ciebie plik jest nieprawidłowy !!!\r\rKursory są plikami typu CUR lub ANI i taki typ "
       "powinieneś wybrać."},
  };
  for (const auto& c : cases) {
    dialogs.shown.clear();
    chooseFromWindows(c.answer);
    ASSERT_EQ(dialogs.boxes().size(), 1u) << c.answer;
    EXPECT_EQ(dialogs.boxes()[0].text, c.message);
    EXPECT_EQ(dialogs.boxes()[0].title, kProgramTitle);
    EXPECT_EQ(dialogs.boxes()[0].buttons, BoxButton::Ok);
    EXPECT_EQ(p.paths(), before);
    EXPECT_FALSE(saveButton()->isEnabled());
  }
}

TEST_F(CursorPageTest, AValidChoiceIsPreviewedAndPendsTheSaveWhichTheCloseCheckSees) {
  const std::string chosen = "C:\\WINDOWS\\CURSORS\\c_zajety.ani";
  serveCursor(chosen, {qRgb(1, 2, 3)}, {9, 9});
  CursorPage& p = startOnPage();
  click("WaitCaption");
  chooseFromWindows(chosen);
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(p.paths()[3], chosen);
  EXPECT_TRUE(previewArea()->isVisible());
  EXPECT_EQ(previewArea()->cursor().hotSpot(), QPoint(9, 9));
  EXPECT_EQ(QCursor::pos(), previewArea()->mapToGlobal(previewArea()->rect().center()));
  EXPECT_TRUE(saveButton()->isEnabled());
  EXPECT_TRUE(p.hasPendingEdits());

  dialogs.answer(BoxButton::No);
  frame().close();
  ASSERT_FALSE(dialogs.boxes().empty());
  EXPECT_EQ(dialogs.boxes().back().text, "Czy chcesz zamknąć program bez zapisania zmian ?");
  EXPECT_TRUE(frame().isVisible());

  // Re-reading discards the choice.
  click("reReadButton");
  EXPECT_EQ(p.paths()[3], "C:\\WINDOWS\\CURSORS\\b_zajety.ani");
  EXPECT_FALSE(p.hasPendingEdits());
}

TEST_F(CursorPageTest, SavingWritesTheSchemeTheNameAndTheSetRolesInItsOrder) {
  set(Root::CurrentUser, kCursors, "Help", 42);
  set(Root::CurrentUser, kCursors, "IBeam", std::string(""));
  const std::string chosen = "C:\\WINDOWS\\CURSORS\\c_strzalka.cur";
  CursorPage& p = startOnPage();
  click("ArrowCaption");
  chooseFromWindows(chosen);
  // What another program leaves: every value gone but the number, so that
  // each value the save writes is a change.
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::CurrentUser);
    ASSERT_TRUE(reg.openKey(kCursors, false));
    for (const std::string& name : reg.valueNames()) {
      if (name != "Help") reg.deleteValue(name);
    }
    app->flush();
  }

  click(saveButton());
  EXPECT_TRUE(nameField()->isVisible());
  EXPECT_EQ(frame().focusWidget(), nameField());
  EXPECT_EQ(saveButton()->text(), "Zapisz schemat");
  // An empty name: the button only refocuses the field.
  click(saveButton());
  EXPECT_EQ(stored(Root::CurrentUser, kCursors, ""), std::nullopt);
  typeName("Trójwymiarowy czarny");
  EXPECT_EQ(saveButton()->text(), "OK");

  // One write at a time: each press writes one value more, and a refused
  // write leaves what came before it written and the save still to do.
  const std::vector<std::pair<const char*, const char*>> order{
      {kSchemes, "Trójwymiarowy czarny"},
      {kCursors, ""},
      {kCursors, "AppStarting"},
      {kCursors, "Arrow"},
      {kCursors, "Crosshair"},
      {kCursors, "No"},
      {kCursors, "NWPen"},
      {kCursors, "SizeAll"},
      {kCursors, "SizeNESW"},
      {kCursors, "SizeNS"},
      {kCursors, "SizeNWSE"},
      {kCursors, "SizeWE"},
      {kCursors, "UpArrow"},
      {kCursors, "Wait"},
      {kCursors, "Hand"},
  };
  const std::optional<StoredValue> replaced = stored(Root::CurrentUser, kSchemes, "Trójwymiarowy czarny");
  ASSERT_NE(replaced, std::nullopt);
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    writesLeft = 1;
    key(nameField(), Qt::Key_Return);
    ASSERT_EQ(dialogs.boxes().size(), i + 1) << order[i].second;
    EXPECT_EQ(dialogs.boxes().back().icon, BoxIcon::Error);
    // The first write replaces a scheme that is there; the others add values.
    const auto written = stored(Root::CurrentUser, order[i].first, order[i].second);
    EXPECT_TRUE(written && (i > 0 || written != replaced)) << order[i].second;
    EXPECT_EQ(stored(Root::CurrentUser, order[i + 1].first, order[i + 1].second), std::nullopt)
        << order[i + 1].second << " before " << order[i].second;
    EXPECT_TRUE(saveButton()->isEnabled());
    EXPECT_FALSE(app->restartNeeded());
  }
  writesLeft = 1;
  key(nameField(), Qt::Key_Return);
  writesLeft = -1;
  EXPECT_EQ(dialogs.boxes().size(), order.size() - 1);

  // The existing scheme of that name is replaced; the others stay.
  const std::string scheme = chosen +
                             ",,C:\\WINDOWS\\CURSORS\\b_praca.ani,C:\\WINDOWS\\CURSORS\\b_zajety.ani,"
                             "C:\\WINDOWS\\CURSORS\\b_krzyz.cur,,C:\\WINDOWS\\CURSORS\\b_pioro.cur,"
                             "C:\\WINDOWS\\CURSORS\\b_nie.cur,C:\\WINDOWS\\CURSORS\\b_pion.cur,"
                             "C:\\WINDOWS\\CURSORS\\b_poziom.cur,C:\\WINDOWS\\CURSORS\\b_skos1.cur,"
                             "C:\\WINDOWS\\CURSORS\\b_skos2.cur,C:\\WINDOWS\\CURSORS\\b_przenies.cur,"
                             "C:\\WINDOWS\\CURSORS\\b_alter.cur";
  EXPECT_EQ(stored(Root::CurrentUser, kSchemes, "Trójwymiarowy czarny"), StoredValue(scheme));
  EXPECT_EQ(
      stored(Root::CurrentUser, kSchemes, "Animowany"),
      StoredValue(std::string("%SystemRoot%\\Cursors\\c_strzalka.cur,,%SystemRoot%\\Cursors\\b_praca.ani,"
                              "%SystemRoot%\\Cursors\\b_zajety.ani,,,,,,,,,,")));
  EXPECT_EQ(stored(Root::CurrentUser, kCursors, ""), StoredValue(std::string("Trójwymiarowy czarny")));
  EXPECT_EQ(stored(Root::CurrentUser, kCursors, "Arrow"), StoredValue(chosen));
  EXPECT_EQ(stored(Root::CurrentUser, kCursors, "Help"), StoredValue(42));  // a number is left alone
  EXPECT_EQ(stored(Root::CurrentUser, kCursors, "IBeam"), std::nullopt);    // an empty path writes nothing
  EXPECT_EQ(stored(Root::CurrentUser, kCursors, "Hand"),
            StoredValue(std::string("C:\\WINDOWS\\CURSORS\\b_reka.cur")));

  // Then the page is loaded again, and the restart is due.
  EXPECT_EQ(schemeLine(), "Nazwa schematu: \"Trójwymiarowy czarny\"");
  EXPECT_FALSE(nameField()->isVisible());
  EXPECT_EQ(saveButton()->text(), "Zapisz schemat");
  EXPECT_FALSE(saveButton()->isEnabled());
  EXPECT_FALSE(find<QWidget>("kursorEditPanel")->isVisible());
  EXPECT_EQ(p.paths()[0], chosen);
  EXPECT_TRUE(app->restartNeeded());
}

TEST_F(CursorPageTest, TheNameFieldGoesOverThePreviewAndOverANeutralArea) {
  const std::string chosen = "C:\\WINDOWS\\CURSORS\\c_strzalka.cur";
  startOnPage();
  click("ArrowCaption");
  chooseFromWindows(chosen);
  click(saveButton());
  type(nameField(), "Nowy");
  // On the way from the button to the field the name stays.
  QWidget* strip = find<QWidget>("zapiszSchematStrip");
  for (int x = saveButton()->geometry().left(); x < nameField()->mapTo(strip, QPoint(4, 0)).x(); x += 2)
    QTest::mouseMove(strip, QPoint(x, saveButton()->geometry().center().y()));
  EXPECT_TRUE(nameField()->isVisible());
  EXPECT_EQ(nameField()->text(), "Nowy");
  QTest::mouseMove(previewArea(), QPoint(5, 20));
  EXPECT_FALSE(nameField()->isVisible());
  EXPECT_EQ(saveButton()->text(), "OK");  // the name is only out of sight

  QTest::mouseMove(find<QWidget>("bottomBar"), QPoint(300, 5));
  EXPECT_FALSE(nameField()->isVisible());
  EXPECT_EQ(nameField()->text(), "");
  EXPECT_EQ(saveButton()->text(), "Zapisz schemat");
  EXPECT_EQ(stored(Root::CurrentUser, kSchemes, "Nowy"), std::nullopt);
  EXPECT_TRUE(saveButton()->isEnabled());
}

TEST_F(CursorPageTest, TheSlidersSetTheRunningSystemAtOnceAndOnlyTheDoubleClickOneIsReadBack) {
  systemSettings.doubleClickTimeValue = 450;
  startOnPage();
  frame().showPage("kursory", "TabSheet12");
  EXPECT_EQ(slider("czestotliwosc")->value(), 180);
  EXPECT_EQ(slider("opoznienie")->value(), 0);
  EXPECT_EQ(slider("RxSlider1")->value(), 450);
  EXPECT_TRUE(systemSettings.sets().empty()) << "loading set " << systemSettings.sets()[0].operation;

  key(slider("czestotliwosc"), Qt::Key_Right);
  key(slider("opoznienie"), Qt::Key_Right);
  key(slider("RxSlider1"), Qt::Key_Left);
  using Call = RecordingSystemSettings::Call;
  EXPECT_EQ(
      systemSettings.sets(),
      (std::vector<Call>{{"setKeyboardSpeed", 185}, {"setKeyboardDelay", 1}, {"setDoubleClickTime", 445}}));
  // Beyond what the system takes, passed on as it is.
  key(slider("czestotliwosc"), Qt::Key_End);
  EXPECT_EQ(systemSettings.sets().back(), (Call{"setKeyboardSpeed", 255}));
  type(find<QLineEdit>("testPowtarzania"), "aaaa");

  systemSettings.doubleClickTimeValue = 640;
  systemSettings.clear();
  click("reReadButton");
  EXPECT_EQ(slider("RxSlider1")->value(), 640);
  EXPECT_EQ(slider("czestotliwosc")->value(), 255);
  EXPECT_EQ(slider("opoznienie")->value(), 1);
  EXPECT_EQ(find<QLineEdit>("testPowtarzania")->text(), "");
  EXPECT_TRUE(systemSettings.sets().empty());
}

TEST_F(CursorPageTest, TheDieTurnsOnEachDoubleClickButNotOnAClick) {
  startOnPage();
  frame().showPage("kursory", "TabSheet12");
  auto* die = find<DoubleClickDie>("kostka");
  click(die);
  EXPECT_FALSE(die->turned());
  doubleClick(die);
  EXPECT_TRUE(die->turned());
  doubleClick(die);
  EXPECT_FALSE(die->turned());
}

}  // namespace
}  // namespace kelvaro::testing
