#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <set>

#include "app/multi_row_tabs.h"
#include "app/options_page.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

const QString kScrollText = QString::fromUtf8("Morvane Kelvaro v. 3.7.37") + QString(20, ' ');

class OptionsPageTest : public PageHarness {
 protected:
  void setDword(const char* name, int value) { setProgramOption(name, value); }
  void setString(const char* name, const std::string& text) { setProgramOption(name, text); }
  std::optional<std::string> storedString(const char* name) const {
    const auto v = programOption(name);
    if (!v || !std::holds_alternative<std::string>(*v)) return std::nullopt;
    return std::get<std::string>(*v);
  }
  std::optional<int> storedDword(const char* name) const {
    const auto v = programOption(name);
    if (!v || !std::holds_alternative<std::int32_t>(*v)) return std::nullopt;
    return std::get<std::int32_t>(*v);
  }
  OptionsPage* options() const { return static_cast<OptionsPage*>(window->page("Properties")); }
  // Acts on a control of the options page as a user does: the page is shown first.
  void click(QAbstractButton* button) {
    window->showPage("Properties");
    // Check boxes and choices take a click on their indicator.
    const bool pushButton = qobject_cast<QPushButton*>(button) != nullptr;
    QTest::mouseClick(button, Qt::LeftButton, {},
                      pushButton ? button->rect().center() : QPoint(7, button->height() / 2));
  }
  QRect geometryInWindow(QWidget* w) const { return QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()); }
};

TEST_F(OptionsPageTest, TheRememberedPageIsShownFirst) {
  const struct {
    int activePage;
    bool nameIsString;
    const char* name;
    const char* expected;
  } cases[] = {
      {1, true, "22", "SendTo"}, {1, true, "23", "Doki"},   {1, true, "33", "SystemNT"},
      {1, true, "99", "oprog"},  {1, true, "-1", "oprog"},  {1, true, "34", "Properties"},
      {0, true, "22", "oprog"},  {1, false, "22", "oprog"},
  };
  for (const auto& c : cases) {
    setDword("ActivePage", c.activePage);
    if (c.nameIsString) {
      setString("ActivePageName", c.name);
    } else {
      setDword("ActivePageName", 22);
    }
    start();
    EXPECT_EQ(activeId(), c.expected) << c.name << " with ActivePage " << c.activePage;
    EXPECT_EQ(find<QCheckBox>("rememberPage")->isChecked(), c.activePage != 0);
    // The navigation state holds for the first page too.
    EXPECT_EQ(find<QPushButton>("reReadButton")->isHidden(), std::string(c.expected) == "oprog") << c.name;
  }
}

TEST_F(OptionsPageTest, AStoredPageThatIsNoNumberEndsTheLoaderAndLiftsTheGuard) {
  setDword("ActivePage", 1);
  setString("ActivePageName", "abc");
  setDword("hinty TN", 1);
  start();
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, "'abc' is not a valid integer value.");
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  // The loader ended before the hint option.
  EXPECT_FALSE(find<QCheckBox>("hintCheck")->isChecked());
  EXPECT_FALSE(app->loadingGuard());
  click(find<QCheckBox>("hintCheck"));
  EXPECT_EQ(storedDword("hinty TN"), 1);
}

TEST_F(OptionsPageTest, WithoutKolorTheWindowStartsInTheStandardColour) {
  setString("RColor", "10");
  start();
  EXPECT_TRUE(find<QRadioButton>("standardColour")->isChecked());
  for (const char* name : {"redSlider", "greenSlider", "blueSlider"})
    EXPECT_EQ(find<QSlider>(name)->value(), 192);
  for (const char* name : {"redValue", "greenValue", "blueValue"})
    EXPECT_EQ(find<QLabel>(name)->text(), "192");
  EXPECT_EQ(window->windowColour(), window->standardWindowColour());
  EXPECT_EQ(window->standardWindowColour(), QApplication::palette().color(QPalette::Button));
}

TEST_F(OptionsPageTest, ARememberedColourColoursTheWindow) {
  const struct {
    const char* red;
    const char* green;
    const char* blue;
    QColor expected;
  } cases[] = {{"10", "20", "30", QColor(10, 20, 30)},
               // Sliders that do not move still give the window their colour.
               {"192", "192", "192", QColor(192, 192, 192)}};
  for (const auto& c : cases) {
    setDword("Kolor", 1);
    setString("RColor", c.red);
    setString("GColor", c.green);
    setString("BColor", c.blue);
    start();
    EXPECT_TRUE(find<QRadioButton>("rememberColour")->isChecked());
    EXPECT_EQ(window->windowColour(), c.expected) << c.red;
    EXPECT_EQ(find<QLabel>("greenValue")->text(), c.green);
  }
}

TEST_F(OptionsPageTest, TheLoaderWritesNothing) {
  start();
  // Every option set so that each reaction runs when the loader fills the
  // page again, and the registry refusing every write: a write during the
  // load would show an error.
  setDword("Kolor", 1);
  setString("RColor", "0");
  setString("GColor", "128");
  setString("BColor", "255");
  setDword("ActivePage", 1);
  setString("ActivePageName", "2");
  setDword("hinty TN", 1);
  setDword("Scroll", 1);
  setDword("PZadan", 1);
  setDword("Zakladki", 4);
  setDword("Menu", 2);
  dialogs.shown.clear();
  refuseWrites = true;
  EXPECT_TRUE(app->run([&] { options()->reload(); }));
  EXPECT_TRUE(dialogs.boxes().empty());
  refuseWrites = false;
  EXPECT_FALSE(app->loadingGuard());

  // What the reactions show still happens.
  EXPECT_EQ(activeId(), "kolory");
  EXPECT_EQ(window->windowColour(), QColor(0, 128, 255));
  EXPECT_TRUE(find<QCheckBox>("rememberPage")->isChecked());
  EXPECT_EQ(window->hintDuration(), 10'000'000);
  EXPECT_TRUE(options()->scrollTimer()->isActive());
  EXPECT_TRUE(find<QRadioButton>("scrollTaskBar")->isChecked());
  EXPECT_EQ(window->size(), QSize(801, 380));
  EXPECT_EQ(window->pageMenuChoice(), PageMenuChoice::Alphabetical);
}

TEST_F(OptionsPageTest, TheGreySliderMovesTheColourAndStoresItWhenRemembered) {
  start();
  click(find<QRadioButton>("rememberColour"));
  EXPECT_EQ(storedDword("Kolor"), 1);
  EXPECT_EQ(storedString("RColor"), "192");

  QSlider* grey = find<QSlider>("greySlider");
  QTest::keyClick(grey, Qt::Key_Home);
  EXPECT_EQ(window->windowColour(), QColor(0, 0, 0));
  for (const char* name : {"RColor", "GColor", "BColor"}) EXPECT_EQ(storedString(name), "0") << name;
  EXPECT_EQ(find<QLabel>("blueValue")->text(), "0");

  // Back to the standard colour: stored as 192 and shown in the system's colour.
  click(find<QRadioButton>("standardColour"));
  EXPECT_EQ(storedDword("Kolor"), 0);
  for (const char* name : {"RColor", "GColor", "BColor"}) EXPECT_EQ(storedString(name), "192") << name;
  EXPECT_EQ(find<QSlider>("redSlider")->value(), 192);
  EXPECT_EQ(window->windowColour(), window->standardWindowColour());

  // With the standard colour chosen, sliders colour the window but store nothing.
  QTest::keyClick(find<QSlider>("redSlider"), Qt::Key_End);
  EXPECT_EQ(window->windowColour(), QColor(255, 192, 192));
  EXPECT_EQ(storedString("RColor"), "192");
}

TEST_F(OptionsPageTest, TabLayoutsSetTheSideTheRowsAndTheWindowSize) {
  const struct {
    int number;
    TabSide side;
    bool severalRows;
    QSize size;
  } cases[] = {{2, TabSide::Bottom, true, {610, 495}}, {3, TabSide::Left, true, {801, 380}},
               {4, TabSide::Right, true, {801, 380}},  {5, TabSide::Top, true, {610, 495}},
               {6, TabSide::Top, false, {610, 400}},   {7, TabSide::Bottom, false, {610, 400}},
               {1, TabSide::Top, true, {610, 495}}};
  start();
  QTabWidget* stronki = window->pages();
  for (const auto& c : cases) {
    click(find<QRadioButton>(QString("layout%1").arg(c.number).toStdString()));
    EXPECT_EQ(storedDword("Zakladki"), c.number);
    EXPECT_EQ(window->size(), c.size) << c.number;
    EXPECT_EQ(window->tabRows()->side(), c.side) << c.number;
    EXPECT_EQ(stronki->tabBar()->isVisible(), !c.severalRows) << c.number;
    if (!c.severalRows) {
      EXPECT_EQ(stronki->tabPosition(), c.side == TabSide::Top ? QTabWidget::North : QTabWidget::South);
      for (RowTab* tab : window->tabRows()->tabs()) EXPECT_FALSE(tab->isVisible());
      continue;
    }
    EXPECT_GT(window->tabRows()->rowCount(), 1) << c.number;
    // Every tab lies beside the page on the chosen side, outside it.
    const QRect page = geometryInWindow(stronki);
    for (RowTab* tab : window->tabRows()->tabs()) {
      ASSERT_TRUE(tab->isVisible());
      const QRect r = geometryInWindow(tab);
      if (c.number == 5) {
        // Opposite rows: the rows before the one of "Opcje" lie below the page.
        EXPECT_TRUE(r.bottom() <= page.top() || r.top() >= page.bottom()) << c.number;
        if (tab->index() == 0) {
          EXPECT_GE(r.top(), page.bottom());
        }
        continue;
      }
      switch (c.side) {
        case TabSide::Top:
          EXPECT_LE(r.bottom(), page.top()) << c.number;
          break;
        case TabSide::Bottom:
          EXPECT_GE(r.top(), page.bottom()) << c.number;
          break;
        case TabSide::Left:
          EXPECT_LE(r.right(), page.left()) << c.number;
          break;
        case TabSide::Right:
          EXPECT_GE(r.left(), page.right()) << c.number;
          break;
      }
    }
  }
}

TEST_F(OptionsPageTest, ZakladkiThreeStartsTheWindowWithTabsOnTheLeftInRows) {
  setDword("Zakladki", 3);
  start();
  EXPECT_EQ(window->size(), QSize(801, 380));
  EXPECT_TRUE(find<QRadioButton>("layout3")->isChecked());
  EXPECT_EQ(window->tabRows()->side(), TabSide::Left);
  std::set<int> columns;
  for (RowTab* tab : window->tabRows()->tabs()) columns.insert(tab->x());
  EXPECT_GT(columns.size(), 1u);
  EXPECT_EQ(static_cast<int>(columns.size()), window->tabRows()->rowCount());
  // A tab of the rows shows its page.
  RowTab* sendTo = find<RowTab>("tab_SendTo");
  QTest::mouseClick(sendTo, Qt::LeftButton);
  EXPECT_EQ(activeId(), "SendTo");
  EXPECT_TRUE(sendTo->isSelected());
  EXPECT_EQ(window->pages()->currentIndex(), 22);
}

TEST_F(OptionsPageTest, TheSelectedRowLiesByThePageAndOppositeRowsMoveAcross) {
  start();
  RowTab* first = find<RowTab>("tab_kursory");
  RowTab* last = find<RowTab>("tab_oprog");
  // One side: whichever row holds the selected tab lies next to the page.
  window->showPage("kursory");
  EXPECT_EQ(geometryInWindow(first).bottom() + 1, geometryInWindow(window->pages()).top());
  window->showPage("oprog");
  EXPECT_EQ(geometryInWindow(last).bottom() + 1, geometryInWindow(window->pages()).top());
  EXPECT_LT(geometryInWindow(first).bottom() + 1, geometryInWindow(window->pages()).top());

  // Top with opposite rows: the rows before the selected one go below the page.
  click(find<QRadioButton>("layout5"));
  window->showPage("oprog");
  const QRect page = geometryInWindow(window->pages());
  EXPECT_EQ(geometryInWindow(last).bottom() + 1, page.top());
  EXPECT_EQ(geometryInWindow(first).top(),
            page.bottom() + 1 + (window->tabRows()->rowCount() - 2) * first->height());
  window->showPage("kursory");
  EXPECT_EQ(geometryInWindow(first).bottom() + 1, geometryInWindow(window->pages()).top());
  EXPECT_LT(geometryInWindow(last).bottom(), geometryInWindow(window->pages()).top());
}

TEST_F(OptionsPageTest, RowTabsAreAccessiblePageTabs) {
  start();
  RowTab* tab = find<RowTab>("tab_Nazwy");
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(tab);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::PageTab);
  EXPECT_EQ(a->text(QAccessible::Name), "Nazwy");
  EXPECT_FALSE(a->state().selected);
  ASSERT_NE(a->actionInterface(), nullptr);
  a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(activeId(), "Nazwy");
  EXPECT_TRUE(a->state().selected);
}

TEST_F(OptionsPageTest, ARightClickOnTheRowsOffersTheWindowMenu) {
  start();
  RowTab* tab = find<RowTab>("tab_logo");
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), tab->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(tab, &event);
  QMenu* menu = window->findChild<QMenu*>("windowMenu");
  ASSERT_NE(menu, nullptr);
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->actions().size(), 37);
  menu->close();
}

TEST_F(OptionsPageTest, ScrollingBothTitles) {
  setDword("Scroll", 1);
  setDword("PZadan", 1);
  start();
  EXPECT_TRUE(find<QCheckBox>("scrollCheck")->isChecked());
  EXPECT_TRUE(find<QRadioButton>("scrollTaskBar")->isChecked());
  EXPECT_TRUE(find<QRadioButton>("scrollTaskBar")->isEnabled());
  QTimer* timer = options()->scrollTimer();
  ASSERT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 200);
  EXPECT_EQ(window->windowTitle(), kScrollText);

  QSignalSpy ticks(timer, &QTimer::timeout);
  ASSERT_TRUE(ticks.wait());
  const QString once = kScrollText.mid(1) + kScrollText.left(1);
  EXPECT_EQ(window->windowTitle(), once);
  EXPECT_EQ(window->applicationTitle(), once);
  EXPECT_EQ(window->windowIconText(), once);
  ASSERT_TRUE(ticks.wait());
  EXPECT_EQ(window->windowTitle(), once.mid(1) + once.left(1));

  // Off: both titles get the text back unrotated.
  click(find<QCheckBox>("scrollCheck"));
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(window->windowTitle(), kScrollText);
  EXPECT_EQ(window->applicationTitle(), kScrollText);
  EXPECT_TRUE(find<QRadioButton>("scrollWindowOnly")->isChecked());
  EXPECT_FALSE(find<QRadioButton>("scrollWindowOnly")->isEnabled());
  EXPECT_EQ(storedDword("Scroll"), 0);
  EXPECT_EQ(storedDword("PZadan"), 0);
}

TEST_F(OptionsPageTest, ScrollingTheWindowTitleOnly) {
  setDword("Scroll", 1);
  setDword("PZadan", 0);
  start();
  EXPECT_TRUE(find<QRadioButton>("scrollWindowOnly")->isChecked());
  QSignalSpy ticks(options()->scrollTimer(), &QTimer::timeout);
  ASSERT_TRUE(ticks.wait());
  EXPECT_EQ(window->windowTitle(), kScrollText.mid(1) + kScrollText.left(1));
  EXPECT_EQ(window->applicationTitle(), "Morvane Kelvaro");

  // Choosing the task-bar variant makes the next step move the application title too.
  click(find<QRadioButton>("scrollTaskBar"));
  EXPECT_EQ(storedDword("PZadan"), 1);
  ASSERT_TRUE(ticks.wait());
  EXPECT_EQ(window->applicationTitle(), window->windowTitle());
}

TEST_F(OptionsPageTest, ScrollingStaysOffWithoutTheOption) {
  setDword("PZadan", 1);
  start();
  EXPECT_FALSE(options()->scrollTimer()->isActive());
  EXPECT_TRUE(find<QRadioButton>("scrollWindowOnly")->isChecked());
  EXPECT_FALSE(find<QRadioButton>("scrollTaskBar")->isEnabled());
  EXPECT_EQ(window->windowTitle(), TKelvaro::baseCaption());
}

TEST_F(OptionsPageTest, HintTimes) {
  start();
  QCheckBox* stay = find<QCheckBox>("hintCheck");
  QSlider* seconds = find<QSlider>("hintSlider");
  EXPECT_EQ(window->hintDuration(), 5000);
  EXPECT_EQ(find<QLabel>("hintSeconds")->text(), "5s");

  QTest::keyClick(seconds, Qt::Key_PageUp);
  const int chosen = seconds->value();
  ASSERT_GT(chosen, 5);
  EXPECT_EQ(find<QLabel>("hintSeconds")->text(), QString("%1s").arg(chosen));
  EXPECT_EQ(window->hintDuration(), chosen * 1000);
  EXPECT_EQ(find<QSlider>("redSlider")->toolTipDuration(), chosen * 1000);
  EXPECT_EQ(storedDword("hinty TN"), std::nullopt);

  click(stay);
  EXPECT_EQ(storedDword("hinty TN"), 1);
  EXPECT_EQ(window->hintDuration(), 10'000'000);
  EXPECT_FALSE(seconds->isEnabled());
  EXPECT_FALSE(find<QLabel>("hintSeconds")->isEnabled());
  EXPECT_FALSE(find<QLabel>("hintCaption")->isEnabled());
  EXPECT_EQ(find<QPushButton>("closeButton")->toolTipDuration(), 10'000'000);
  // A control made later gets the duration when its hint comes up.
  auto* later = new QLabel("x", window->page("kolory"));
  later->setToolTip("y");
  QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), later->mapToGlobal(QPoint(1, 1)));
  QApplication::sendEvent(later, &help);
  EXPECT_EQ(later->toolTipDuration(), 10'000'000);

  click(stay);
  EXPECT_EQ(storedDword("hinty TN"), 0);
  EXPECT_EQ(window->hintDuration(), 5000);
  EXPECT_TRUE(seconds->isEnabled());
  EXPECT_EQ(seconds->value(), 5);
  EXPECT_EQ(find<QLabel>("hintSeconds")->text(), "5s");
}

TEST_F(OptionsPageTest, MenuChoiceAndRememberedPageAreWrittenAtOnce) {
  setDword("Menu", 7);
  start();
  EXPECT_EQ(window->pageMenuChoice(), PageMenuChoice::PageOrder);
  click(find<QRadioButton>("menuAlphabetical"));
  EXPECT_EQ(window->pageMenuChoice(), PageMenuChoice::Alphabetical);
  EXPECT_EQ(storedDword("Menu"), 2);
  click(find<QRadioButton>("menuPageOrder"));
  EXPECT_EQ(window->pageMenuChoice(), PageMenuChoice::PageOrder);
  EXPECT_EQ(storedDword("Menu"), 1);

  click(find<QCheckBox>("rememberPage"));
  EXPECT_EQ(storedDword("ActivePage"), 1);
  click(find<QCheckBox>("rememberPage"));
  EXPECT_EQ(storedDword("ActivePage"), 0);
}

TEST_F(OptionsPageTest, ThePasswordBoxStartsUncheckedAndUncheckingClearsTheFlag) {
  setDword("haslo TN", 1);
  setString("haslo", "Tajne");
  dialogs.answer(std::optional<std::string>("Tajne"));
  start();
  QCheckBox* protect = find<QCheckBox>("passwordCheck");
  EXPECT_FALSE(protect->isChecked());
  for (const char* name : {"passwordEdit", "confirmEdit", "passwordApply"}) {
    EXPECT_TRUE(find<QWidget>(name)->isHidden()) << name;
  }
  click(protect);
  for (const char* name :
       {"passwordEdit", "confirmEdit", "passwordApply", "passwordEditLabel", "confirmEditLabel"}) {
    EXPECT_FALSE(find<QWidget>(name)->isHidden()) << name;
  }
  EXPECT_FALSE(find<QPushButton>("passwordApply")->isEnabled());
  EXPECT_EQ(storedDword("haslo TN"), 1);

  click(protect);
  EXPECT_TRUE(find<QWidget>("passwordEdit")->isHidden());
  EXPECT_EQ(storedDword("haslo TN"), 0);
  EXPECT_EQ(storedString("haslo"), "Tajne");
}

TEST_F(OptionsPageTest, PasswordFieldsAreMaskedAndTakeAtMost100Characters) {
  start();
  click(find<QCheckBox>("passwordCheck"));
  QLineEdit* password = find<QLineEdit>("passwordEdit");
  QTest::keyClicks(password, QString(101, 'a'));
  EXPECT_EQ(password->text().size(), 100);
  EXPECT_EQ(password->displayText(), QString(100, '*'));
  QLineEdit* confirm = find<QLineEdit>("confirmEdit");
  QTest::keyClicks(confirm, QString(150, 'b'));
  EXPECT_EQ(confirm->text().size(), 100);
}

TEST_F(OptionsPageTest, MismatchedPasswordsAreRefusedAndMatchingOnesStored) {
  start();
  click(find<QCheckBox>("passwordCheck"));
  QPushButton* apply = find<QPushButton>("passwordApply");
  QTest::keyClicks(find<QLineEdit>("passwordEdit"), "Tajne");
  EXPECT_FALSE(apply->isEnabled());
  QTest::keyClicks(find<QLineEdit>("confirmEdit"), "tajne");
  EXPECT_TRUE(apply->isEnabled());
  EXPECT_TRUE(window->page("Properties")->hasPendingEdits());

  QTest::mouseClick(apply, Qt::LeftButton);
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  const MessageBoxSpec box = dialogs.boxes()[0];
  EXPECT_EQ(box.title, "Morvane Kelvaro");
  EXPECT_EQ(box.text,
            "Podane przez Ciebie hasło i potwierdzenie hasła nie są takie same.\nSpróbuj jeszcze raz :-)");
  EXPECT_EQ(box.icon, BoxIcon::None);
  EXPECT_EQ(box.buttons, BoxButton::Ok);
  EXPECT_TRUE(apply->isEnabled());
  EXPECT_EQ(storedString("haslo"), std::nullopt);

  QLineEdit* confirm = find<QLineEdit>("confirmEdit");
  confirm->selectAll();
  QTest::keyClicks(confirm, "Tajne");
  QTest::mouseClick(apply, Qt::LeftButton);
  EXPECT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(storedString("haslo"), "Tajne");
  EXPECT_EQ(storedDword("haslo TN"), 1);
  EXPECT_FALSE(apply->isEnabled());
  EXPECT_FALSE(window->page("Properties")->hasPendingEdits());
}

TEST_F(OptionsPageTest, OtherPagesReadTheChosenTabLayoutThroughTheFrame) {
  setDword("Zakladki", 5);
  start();
  EXPECT_EQ(app->frame().views().tabLayoutNumber(), 5);
  click(find<QRadioButton>("layout3"));
  EXPECT_EQ(app->frame().views().tabLayoutNumber(), 3);
}

}  // namespace
}  // namespace kelvaro::testing
