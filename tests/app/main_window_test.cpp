#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

QStringList captions(const QMenu* menu) {
  QStringList out;
  for (const QAction* a : menu->actions()) out << a->text();
  return out;
}

QAction* action(const QMenu* menu, const QString& caption) {
  for (QAction* a : menu->actions()) {
    if (a->text() == caption) return a;
  }
  ADD_FAILURE() << "no menu entry " << caption.toStdString();
  return nullptr;
}

class MainWindowTest : public PageHarness {
 protected:
  TKelvaro& makeWindow(std::set<std::string> withLoader = {"kursory", "kolory", "windows", "ograniczenia",
                                                           "logo", "OEM", "ikony", "internet", "triki"}) {
    return PageHarness::makeWindow(recordingPages(std::move(withLoader)));
  }
  std::string storedActivePage() const {
    const auto v = programOption("ActivePageName");
    return v ? std::get<std::string>(*v) : "(none)";
  }
};

TEST_F(MainWindowTest, HasThe37PagesInTabOrderWithTheirCaptions) {
  makeWindow();
  QTabWidget* stronki = find<QTabWidget>("stronki");
  ASSERT_EQ(stronki->count(), 37);
  const struct {
    int index;
    const char* id;
    const char* caption;
  } spots[] = {{0, "kursory", "Kursor"},
               {7, "ustawienia", "Wyczyść ..."},
               {8, "ograniczenia", "Panel Sterowania"},
               {14, "skroty", "Skróty ..."},
               {21, "Menu", "Otwórz z ..."},
               {28, "SzybkieUruchamianie", "Szybkie urucham."},
               {34, "Properties", "Opcje"},
               {36, "oprog", "O programie"}};
  for (const auto& s : spots) {
    EXPECT_EQ(stronki->widget(s.index)->objectName(), s.id);
    EXPECT_EQ(stronki->tabText(s.index), QString::fromUtf8(s.caption));
    EXPECT_FALSE(stronki->tabIcon(s.index).isNull());
  }
  // Sub-pages are there with their identifiers and captions.
  QTabWidget* autorun = find<QTabWidget>("PageControl2");
  ASSERT_EQ(autorun->count(), 4);
  EXPECT_EQ(autorun->widget(1)->objectName(), "HKLMrunservices");
  EXPECT_EQ(autorun->tabText(1), "HKLM \\ Run Services");
  QTabWidget* pulpit = window->page("pulpit")->subPageControl();
  EXPECT_EQ(pulpit->tabText(4), "Wygaszacz");
  EXPECT_EQ(pulpit->widget(4)->objectName(), "pulpitwygaszaczekranu");
  EXPECT_EQ(window->windowTitle(), "Morvane Kelvaro  v. 3.7.37.1249");
}

TEST_F(MainWindowTest, BottomBarButtonsHaveTheirCaptionsAndHints) {
  makeWindow();
  const struct {
    const char* name;
    const char* caption;
    const char* hint;
  } buttons[] = {{"closeButton", "&Zamknij", "Zakończ działanie programu"},
                 {"reReadButton", "&Odczytaj", "Odczytaj twoje ustawienia dotyczące powyższej zakładki"},
                 {"previousButton", "&Poprzednia", "Poprzednia strona"},
                 {"nextButton", "&Następna", "Następna Strona"}};
  for (const auto& b : buttons) {
    QPushButton* button = find<QPushButton>(b.name);
    EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint));
  }
  EXPECT_EQ(find<QWidget>("menuButton")->toolTip(), "Wyświetl menu");
}

TEST_F(MainWindowTest, NavigationStateOnEveryPage) {
  makeWindow();
  QTabWidget* stronki = find<QTabWidget>("stronki");
  auto* previous = find<QPushButton>("previousButton");
  auto* next = find<QPushButton>("nextButton");
  auto* reRead = find<QPushButton>("reReadButton");
  for (int i = 0; i < stronki->count(); ++i) {
    // Click the tab, as a user would.
    QTabBar* bar = stronki->tabBar();
    bar->setCurrentIndex(i);
    const QString id = stronki->currentWidget()->objectName();
    EXPECT_EQ(previous->isEnabled(), id != "kursory") << id.toStdString();
    EXPECT_EQ(next->isEnabled(), id != "oprog") << id.toStdString();
    EXPECT_EQ(reRead->isHidden(), id == "oprog" || id == "skroty") << id.toStdString();
  }
}

TEST_F(MainWindowTest, PreviousAndNextFollowThePageOrderAndKeepSubPages) {
  makeWindow();
  window->showPage("pulpit", "pulpittapeta");
  window->showPage("dzwieki");
  QTest::mouseClick(find<QPushButton>("previousButton"), Qt::LeftButton);
  EXPECT_EQ(activeId(), "kursory");
  QTest::mouseClick(find<QPushButton>("previousButton"), Qt::LeftButton);  // disabled: nothing happens
  EXPECT_EQ(activeId(), "kursory");

  window->showPage("pomoc");
  QTest::mouseClick(find<QPushButton>("nextButton"), Qt::LeftButton);
  EXPECT_EQ(activeId(), "oprog");
  window->showNextPage();
  EXPECT_EQ(activeId(), "oprog");

  window->showPage("skroty");
  QTest::mouseClick(find<QPushButton>("nextButton"), Qt::LeftButton);
  EXPECT_EQ(activeId(), "pulpit");
  EXPECT_EQ(window->page("pulpit")->subPageControl()->currentWidget()->objectName(), "pulpittapeta");
}

TEST_F(MainWindowTest, PageOrderMenuListsPagesWithSubMenus) {
  makeWindow();
  const QStringList entries = captions(window->pageOrderMenu());
  ASSERT_EQ(entries.size(), 37);
  EXPECT_EQ(entries[0], "Kursor");
  EXPECT_EQ(entries[14], "Skróty");
  EXPECT_EQ(entries[28], "Szybkie uruchamianie");
  EXPECT_EQ(entries[36], "O programie");
  QMenu* pulpit = action(window->pageOrderMenu(), "Pulpit")->menu();
  ASSERT_NE(pulpit, nullptr);
  EXPECT_EQ(captions(pulpit),
            (QStringList{"Ustawienia", "Ograniczenia", "Deseń", "Tapeta", "Wygaszacz ekranu", "Organizuj"}));
  QMenu* menuStart = action(window->pageOrderMenu(), "Menu Start")->menu();
  EXPECT_EQ(captions(menuStart).last(), "Organizuj Menu Start");
}

TEST_F(MainWindowTest, AlphabeticalMenuHasItsFixedOrder) {
  makeWindow();
  const QStringList expected{"AutoRUN",
                             "Czcionki",
                             "Dodaj/Usuń",
                             "Dokumenty",
                             "Dźwięki",
                             "Eksplorator",
                             "Foldery",
                             "Ikony",
                             "Ikony folderów",
                             "Ikony plików",
                             "Internet",
                             "Kolor",
                             "Kursory",
                             "Logo",
                             "Menu kontekstowe",
                             "Menu NOWY",
                             "Menu Start",
                             "Nazwy",
                             "Otwórz z ...",
                             "O programie",
                             "OEM",
                             "Opcje",
                             "Panel Sterowania",
                             "Podpowiedzi",
                             "Pomoc",
                             "Pulpit",
                             "Sieć",
                             "Skróty",
                             "System NT",
                             "Szybkie uruchamianie",
                             "Triki",
                             "Typy plików",
                             "Ukryj folder",
                             "Ulubione",
                             "Windows",
                             "Wyczyść ...",
                             "Wyślij do ..."};
  EXPECT_EQ(captions(window->alphabeticalMenu()), expected);
  EXPECT_EQ(captions(action(window->alphabeticalMenu(), "AutoRUN")->menu()),
            (QStringList{"HKLM \\ Run", "HKLM \\ Run Services", "HKLM \\ Run Once", "HKCU \\ Run"}));
}

TEST_F(MainWindowTest, PulpitTapetaInEitherMenuShowsThatSubPage) {
  makeWindow();
  for (QMenu* menu : {window->pageOrderMenu(), window->alphabeticalMenu()}) {
    window->showPage("pulpit", "pulpitdesen");
    window->showPage("kolory");
    action(action(menu, "Pulpit")->menu(), "Tapeta")->trigger();
    EXPECT_EQ(activeId(), "pulpit");
    EXPECT_EQ(window->page("pulpit")->subPageControl()->currentWidget()->objectName(), "pulpittapeta");
  }
  action(window->alphabeticalMenu(), "Kolor")->trigger();
  EXPECT_EQ(activeId(), "kolory");
  action(action(window->alphabeticalMenu(), "Kursory")->menu(), "Ustawienia")->trigger();
  EXPECT_EQ(window->page("kursory")->subPageControl()->currentWidget()->objectName(), "TabSheet12");
}

TEST_F(MainWindowTest, TheWindowMenuListsPageOrderEntriesWhateverTheMenuChoice) {
  makeWindow();
  window->setPageMenuChoice(PageMenuChoice::Alphabetical);
  std::unique_ptr<QMenu> menu(window->buildWindowMenu(window.get()));
  EXPECT_EQ(captions(menu.get()), captions(window->pageOrderMenu()));
  action(menu.get(), "Opcje")->trigger();
  EXPECT_EQ(activeId(), "Properties");
}

TEST_F(MainWindowTest, F1ShowsHelpWhenTheKeyReachesTheWindow) {
  makeWindow();
  window->showPage("kolory");
  QTest::keyClick(window.get(), Qt::Key_F1);
  EXPECT_EQ(activeId(), "pomoc");

  // A key that a focused control passes on reaches the window too.
  window->showPage("kolory");
  auto* field = new QLineEdit(window->page("kolory"));
  QTest::keyClick(field, Qt::Key_F1);
  EXPECT_EQ(activeId(), "pomoc");
}

TEST_F(MainWindowTest, ReReadRunsTheActiveLoaderAndDiscardsEdits) {
  makeWindow();
  window->showPage("windows");
  recording["windows"]->command->markPending();
  log.clear();
  QTest::mouseClick(find<QPushButton>("reReadButton"), Qt::LeftButton);
  EXPECT_EQ(log, (std::vector<std::string>{"load windows"}));
  EXPECT_FALSE(recording["windows"]->apply->isEnabled());
  EXPECT_GT(flushes, 0);
}

TEST_F(MainWindowTest, AReReadErrorIsShownAndKeepsTheApplyState) {
  makeWindow();
  window->showPage("windows");
  recording["windows"]->command->markPending();
  recording["windows"]->failLoad = true;
  window->reReadActivePage();
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  const MessageBoxSpec box = dialogs.boxes()[0];
  EXPECT_EQ(box.title, "Morvane Kelvaro");
  EXPECT_EQ(box.text, "Invalid data type for 'Kolor'");
  EXPECT_EQ(box.icon, BoxIcon::Error);
  EXPECT_TRUE(recording["windows"]->apply->isEnabled());
}

TEST_F(MainWindowTest, HoverResetOverNeutralAreasInItsOrderButNotOverControls) {
  makeWindow();
  window->show();
  auto* field = new QLineEdit(window->page("kursory"));
  field->setGeometry(10, 10, 100, 20);
  window->showPage("kursory");
  field->show();

  log.clear();
  QTest::mouseMove(field, QPoint(5, 5));
  EXPECT_TRUE(log.empty());

  QTest::mouseMove(find<QWidget>("bottomBar"), QPoint(300, 5));
  EXPECT_EQ(log, (std::vector<std::string>{"reset logo", "reset kursory", "reset OEM", "reset ikony",
                                           "reset internet", "reset triki", "reset windows"}));
}

TEST_F(MainWindowTest, ApplyWritesSetsTheRestartFlagWhenMarkedAndDisablesItself) {
  makeWindow();
  RecordingPage* kolory = recording["kolory"];
  kolory->command->markPending();
  QTest::mouseClick(kolory->apply, Qt::LeftButton);
  EXPECT_FALSE(kolory->apply->isEnabled());
  EXPECT_FALSE(app->restartNeeded());

  RecordingPage* limits = recording["ograniczenia"];
  limits->command->markPending();
  limits->failApply = true;
  QTest::mouseClick(limits->apply, Qt::LeftButton);
  EXPECT_TRUE(limits->apply->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
  EXPECT_EQ(dialogs.boxes().back().text, "Failed to set data for 'x'");

  limits->failApply = false;
  QTest::mouseClick(limits->apply, Qt::LeftButton);
  EXPECT_FALSE(limits->apply->isEnabled());
  EXPECT_TRUE(app->restartNeeded());
}

TEST_F(MainWindowTest, ClosingWithNothingPendingOrAppliedAsksNothing) {
  makeWindow();
  window->show();
  window->showPage("ograniczenia");
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(storedActivePage(), "8");
}

TEST_F(MainWindowTest, ClosingAfterARestartApplyShowsTheRestartMessage) {
  makeWindow();
  window->show();
  RecordingPage* limits = recording["ograniczenia"];
  limits->command->markPending();
  QTest::mouseClick(limits->apply, Qt::LeftButton);
  QTest::mouseClick(find<QPushButton>("closeButton"), Qt::LeftButton);
  EXPECT_FALSE(window->isVisible());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].title, "Morvane Kelvaro");
  EXPECT_EQ(dialogs.boxes()[0].text,
            "Wprowadzone przez ciebie zmiany będą widoczne dopiero po ponownym uruchomieniu komputera.");
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::None);
}

TEST_F(MainWindowTest, ClosingWithPendingEditsAsksAndNoKeepsEverything) {
  makeWindow();
  window->show();
  window->showPage("windows");
  recording["windows"]->command->markPending();
  dialogs.answer(BoxButton::No);
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(recording["windows"]->apply->isEnabled());
  EXPECT_EQ(storedActivePage(), "3");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  const MessageBoxSpec box = dialogs.boxes()[0];
  EXPECT_EQ(box.title, "Koniec");
  EXPECT_EQ(box.text, "Czy chcesz zamknąć program bez zapisania zmian ?");
  EXPECT_EQ(box.icon, BoxIcon::Question);
  EXPECT_EQ(box.buttons, BoxButton::Yes | BoxButton::No);

  // Yes closes without applying, after the restart message when one is due.
  app->setRestartNeeded();
  log.clear();
  dialogs.answer(BoxButton::Yes);
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(dialogs.boxes().size(), 3u);
  EXPECT_EQ(dialogs.boxes()[2].text.substr(0, 22), "Wprowadzone przez cieb");
}

TEST_F(MainWindowTest, AFailureToRememberThePageKeepsTheWindowOpen) {
  makeWindow();
  window->show();
  refuseWrites = true;
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, "Rejestr jest zablokowany.");
}

}  // namespace
}  // namespace kelvaro::testing
