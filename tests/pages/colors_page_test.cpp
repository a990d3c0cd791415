// The colours page: colour text, the sources of a load and the first-run
// write, the schemes, selecting elements in the list and the miniature, the
// colour buttons, and Apply's three writes in their order.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <fstream>
#include <iterator>

#include "pages/appearance/colors_page.h"
#include "pages/appearance/colour_button.h"
#include "pages/appearance/colour_miniature.h"
#include "store/registry_handle.h"
#include "store/store_error.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char kColorsKey[] = "Control Panel\\Colors";

// The names in the order Apply and the first run write them.
const std::vector<std::string> kWriteOrder{"Scrollbar",
                                           "Background",
                                           "ActiveTitle",
                                           "InactiveTitle",
                                           "Menu",
                                           "Window",
                                           "WindowFrame",
                                           "MenuText",
                                           "WindowText",
                                           "TitleText",
                                           "ActiveBorder",
                                           "InactiveBorder",
                                           "AppWorkspace",
                                           "Hilight",
                                           "HilightText",
                                           "ButtonShadow",
                                           "GrayText",
                                           "ButtonText",
                                           "InactiveTitleText",
                                           "ButtonHilight",
                                           "ButtonDkShadow",
                                           "ButtonLight",
                                           "InfoText",
                                           "InfoWindow",
                                           "ButtonAlternateFace",
                                           "HotTrackingColor",
                                           "GradientActiveTitle",
                                           "GradientInactiveTitle",
                                           "ButtonFace"};

TEST(ColourText, OnlyThreeNumbersJoinedBySingleSpacesAreColourTextAndOnlyTheirLowBitsCount) {
  struct Case {
    const char* text;
    std::optional<Rgb> colour;
  };
  for (const Case& c : std::vector<Case>{{"0 128 128", Rgb{0, 128, 128}},
                                         {"300 0 0", Rgb{44, 0, 0}},
                                         {"-1 256 007", Rgb{255, 0, 7}},
                                         {"1  2 3", std::nullopt},
                                         {"1 2", std::nullopt},
                                         {"1 2 3 ", std::nullopt},
                                         {" 1 2", std::nullopt},
                                         {"", std::nullopt}}) {
    EXPECT_EQ(readColourText(c.text), c.colour) << c.text;
  }
  EXPECT_THROW(readColourText("1 2 x"), StoreError);
  try {
    readColourText("1 zielony 3");
  } catch (const StoreError& e) {
    EXPECT_STREQ(e.what(), "'zielony' is not a valid integer value");
  }
  EXPECT_EQ(colourText({0, 128, 7}), "0 128 7");
}

TEST(ColourText, LinesSplitAtTheirLastEqualsAndPaintingTakesExactNamesAndTheLaterPair) {
  EXPECT_EQ(splitColourLine("Background=1 2 3"), (ColourPair{"Background", "1 2 3"}));
  EXPECT_EQ(splitColourLine("a=b=1 2 3"), (ColourPair{"a=b", "1 2 3"}));
  EXPECT_EQ(splitColourLine("no equals"), (ColourPair{"", "no equals"}));

  SystemColours colours = standardSystemColours();
  paintColours({{"Background", "1 1 1"},
                {"Background", "2 2 2"},
                {"background", "3 3 3"},
                {"Menu", "4  4 4"},
                {"Window", "5 5"},
                {"Unknown", "6 6 6"},
                {"Hilight", "7 7 7"}},
               colours);
  SystemColours expected = standardSystemColours();
  expected[1] = {2, 2, 2};
  expected[13] = {7, 7, 7};
  EXPECT_EQ(colours, expected);
}

TEST(ColourSchemes, ThirtyEightNamesInTheBoxsOrderEachGivingAllColoursInCanonicalText) {
  const std::vector<std::string> names{"Biel o wysokim kontraście",
                                       "Bzy",
                                       "Cegła",
                                       "Ciemny błękit",
                                       "Cyraneczka",
                                       "Czerń o wysokim kontraście",
                                       "Deszczowy dzień",
                                       "Dynia",
                                       "Gwieździsty sztandar",
                                       "Horror",
                                       "Klon",
                                       "Komputer",
                                       "Kosmos",
                                       "Morski",
                                       "Oberżyna",
                                       "Pod wodą",
                                       "Przenica",
                                       "Pustynia",
                                       "Róża",
                                       "Schemat #0",
                                       "Schemat #1",
                                       "Schemat #2",
                                       "Schemat #3",
                                       "Schemat #4",
                                       "Schemat #5",
                                       "Schemat #6",
                                       "Schemat #7",
                                       "Schemat #8",
                                       "Schemat #9",
                                       "Sport",
                                       "Sztorm",
                                       "Śliwkowy",
                                       "Świerk",
                                       "Windows 95",
                                       "Windows 98",
                                       "Windows ME/2000",
                                       "Wysoki kontrast",
                                       "Złota era"};
  ASSERT_EQ(kColourSchemes.size(), names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(kColourSchemes[i].name, names[i]);
    for (const char* text : kColourSchemes[i].colours) {
      const auto colour = readColourText(text);
      ASSERT_TRUE(colour) << names[i] << ": " << text;
      EXPECT_EQ(colourText(*colour), text) << names[i];
    }
  }
}

class ColorsPageTest : public PageHarness {
 protected:
  void SetUp() override { setWinIniColours(std::nullopt); }

  ColorsPage& colors() { return static_cast<ColorsPage&>(page("kolory")); }
  QPushButton* applyButton() { return find<QPushButton>("koloryZapisz"); }
  ColourButton* kolor(const char* name) { return find<ColourButton>(name); }
  QComboBox* schemes() { return find<QComboBox>("ComboBox2"); }
  Rgb colour(const char* name) { return colors().colours()[static_cast<std::size_t>(colourIndex(name))]; }

  void startOnColours() {
    ASSERT_NE(start(), nullptr);
    frame().showPage("kolory");
  }

  // win.ini with the given [colors] lines, or without that section.
  void setWinIniColours(std::optional<std::string> lines) {
    std::string text = "[windows]\r\nload=\r\n";
    if (lines) text += "[colors]\r\n" + *lines;
    text += "[Desktop]\r\nPattern=(brak)\r\n";
    std::ofstream(hostPath("C:\\WINDOWS\\win.ini"), std::ios::binary) << text;
  }
  std::string winIni() {
    std::ifstream in(hostPath("C:\\WINDOWS\\win.ini"), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void setRegistryColours(const std::vector<std::pair<std::string, StoredValue>>& values) {
    {
      RegistryHandle reg(app->registry());
      reg.deleteKey(kColorsKey);
    }
    for (const auto& [name, value] : values) set(Root::CurrentUser, kColorsKey, name, value);
    app->flush();
  }
  std::vector<std::string> registryNames() {
    RegistryHandle reg(app->registry());
    return reg.openKey(kColorsKey, false) ? reg.valueNames() : std::vector<std::string>{};
  }
  std::optional<StoredValue> registry(const std::string& name) {
    return stored(Root::CurrentUser, kColorsKey, name);
  }
  // How many colours, first to last in the write order, the registry holds
  // with the given colours, and none after them; -1 when they are no such run.
  int writtenInOrder(const SystemColours& colours) {
    int n = 0;
    while (n < kSystemColourCount &&
           registry(kWriteOrder[n]) == StoredValue(colourText(colours[colourIndex(kWriteOrder[n])])))
      ++n;
    for (int i = n; i < kSystemColourCount; ++i) {
      if (registry(kWriteOrder[i]) == StoredValue(colourText(colours[colourIndex(kWriteOrder[i])])))
        return -1;
    }
    return n;
  }

  void chooseFromList(const QString& scheme) {
    QComboBox* box = schemes();
    box->showPopup();
    ASSERT_TRUE(clickItem(box->view(), scheme)) << scheme.toStdString();
  }
  void pickFromPalette(ColourButton* button, const QString& swatch) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 4, button->height() / 2));
    QMenu* menu = button->paletteMenu();
    ASSERT_TRUE(menu->isVisible());
    auto* cell = menu->findChild<QToolButton*>(button->objectName() + swatch);
    ASSERT_NE(cell, nullptr) << swatch.toStdString();
    QTest::mouseClick(cell, Qt::LeftButton);
    EXPECT_FALSE(menu->isVisible());
  }
  void pickAction(ColourButton* button, const QString& caption) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() - 4, button->height() / 2));
    QMenu* menu = button->paletteMenu();
    ASSERT_TRUE(menu->isVisible());
    for (QAction* action : menu->actions()) {
      if (action->text() == caption) {
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        return;
      }
    }
    FAIL() << caption.toStdString();
  }
  QColor shown(ColourMiniature::Part part) {
    ColourMiniature* m = colors().miniature();
    return m->grab().toImage().pixelColor(m->pointIn(part));
  }
};

TEST_F(ColorsPageTest, AKeyWithoutScrollBarIsNoSourceAndWinIniIsThen) {
  setRegistryColours({{"Background", std::string("1 2 3")}});
  setWinIniColours("Background=10 20 30\r\nMenu=40 50 60\r\n");
  startOnColours();
  EXPECT_EQ(colour("Background"), (Rgb{10, 20, 30}));
  EXPECT_EQ(colour("Menu"), (Rgb{40, 50, 60}));
  EXPECT_EQ(registryNames(), std::vector<std::string>{"Background"});  // no first-run write
  EXPECT_FALSE(applyButton()->isEnabled());
}

TEST_F(ColorsPageTest, AKeyWithScrollBarInAnyCaseWinsOverWinIni) {
  setRegistryColours({{"SCROLLBAR", std::string("1 1 1")}, {"Background", std::string("5 6 7")}});
  setWinIniColours("Background=10 20 30\r\nMenu=40 50 60\r\n");
  startOnColours();
  EXPECT_EQ(colour("Background"), (Rgb{5, 6, 7}));
  EXPECT_EQ(colour("Scrollbar"), standardSystemColours()[0]);  // the name is matched with its case
  EXPECT_EQ(colour("Menu"), standardSystemColours()[4]);
}

TEST_F(ColorsPageTest, WithNeitherSourceTheRunningSystemsColoursAreWrittenInOrderAndNothingElseChanges) {
  setRegistryColours({});
  for (int i = 0; i < kSystemColourCount; ++i) systemSettings.systemColours[i] = {i, 2 * i, 3 * i};
  const std::string before = winIni();
  startOnColours();
  ASSERT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(writtenInOrder(colors().colours()), kSystemColourCount);
  EXPECT_EQ(registryNames().size(), 29u);
  for (int i = 0; i <= 24; ++i) {
    EXPECT_EQ(registry(kSystemColourNames[i]), StoredValue(colourText({i, 2 * i, 3 * i})))
        << kSystemColourNames[i];
  }
  // The four newer colours start from those they vary.
  EXPECT_EQ(registry("ButtonAlternateFace"), StoredValue("15 30 45"));
  EXPECT_EQ(registry("HotTrackingColor"), StoredValue("15 30 45"));
  EXPECT_EQ(registry("GradientActiveTitle"), StoredValue("2 4 6"));
  EXPECT_EQ(registry("GradientInactiveTitle"), StoredValue("3 6 9"));
  EXPECT_EQ(winIni(), before);
  EXPECT_TRUE(systemSettings.colourSets().empty());
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_EQ(colors().currentEntry(), 9);
  EXPECT_EQ(find<QLabel>("koloryElement")->text(), "Pulpit");
  EXPECT_EQ(kolor("Kolor1")->colour(), (Rgb{1, 2, 3}));
  EXPECT_FALSE(kolor("Kolor2")->isEnabled());

  // A refused write leaves the colours before it written, and none after.
  setRegistryColours({});
  writesLeft = 8;
  click("reReadButton");
  writesLeft = -1;
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  const int written = writtenInOrder(colors().colours());
  EXPECT_GE(written, 7);  // creating the key may be a write of its own
  EXPECT_LE(written, 8);
}

TEST_F(ColorsPageTest, InvalidColourTextsKeepTheirColoursAndANonNumberEndsTheLoadInAnErrorBox) {
  setRegistryColours({{"ScrollBar", std::string("1 1 1")},
                      {"Background", std::string("1  2 3")},
                      {"Window", std::string("1 2")},
                      {"Menu", std::string("300 0 0")},
                      {"activetitle", std::string("9 9 9")}});
  startOnColours();
  ASSERT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(colour("Background"), standardSystemColours()[1]);
  EXPECT_EQ(colour("Window"), standardSystemColours()[5]);
  EXPECT_EQ(colour("Menu"), (Rgb{44, 0, 0}));
  EXPECT_EQ(colour("ActiveTitle"), standardSystemColours()[2]);
  EXPECT_EQ(shown(ColourMiniature::Part::MenuBar), QColor(44, 0, 0));

  setRegistryColours({{"ScrollBar", std::string("1 1 1")},
                      {"Menu", std::string("1 x 3")},
                      {"Window", std::string("7 7 7")}});
  click("reReadButton");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  EXPECT_NE(dialogs.boxes()[0].text.find("'x' is not a valid integer value"), std::string::npos);
  EXPECT_EQ(colour("Window"), standardSystemColours()[5]);  // after the error nothing more was painted

  setRegistryColours({{"ScrollBar", std::string("1 1 1")}, {"Menu", 5}});
  click("reReadButton");
  ASSERT_EQ(dialogs.boxes().size(), 2u);
  EXPECT_NE(dialogs.boxes()[1].text.find("Invalid data type for 'Menu'"), std::string::npos);
}

TEST_F(ColorsPageTest, ASchemeShowsUntilTheCurrentCompositionIsChosenAgain) {
  startOnColours();
  const SystemColours storedColours = colors().colours();
  type(schemes()->lineEdit(), "Schemat #3");
  const ColourScheme& third = kColourSchemes[22];
  ASSERT_STREQ(third.name, "Schemat #3");
  for (int i = 0; i < kSystemColourCount; ++i)
    EXPECT_EQ(colors().colours()[i], readColourText(third.colours[i]));
  EXPECT_EQ(schemes()->currentText(), "(Aktualna kompozycja)");
  EXPECT_TRUE(applyButton()->isEnabled());
  EXPECT_EQ(colors().currentEntry(), 9);
  EXPECT_EQ(kolor("Kolor1")->colour(), *readColourText(third.colours[1]));
  EXPECT_EQ(registry("Background"), StoredValue("0 128 128"));  // nothing written yet

  // Enter in the box does not choose its text again.
  key(schemes()->lineEdit(), Qt::Key_Return);
  EXPECT_TRUE(applyButton()->isEnabled());

  chooseFromList("Windows 98");
  EXPECT_EQ(colour("ButtonLight"), (Rgb{224, 224, 224}));
  EXPECT_EQ(colour("GradientActiveTitle"), (Rgb{112, 172, 232}));
  EXPECT_EQ(schemes()->currentText(), "(Aktualna kompozycja)");

  chooseFromList("(Aktualna kompozycja)");
  EXPECT_EQ(colors().colours(), storedColours);
  EXPECT_FALSE(applyButton()->isEnabled());
  type(schemes()->lineEdit(), "Windows");  // no scheme by that name
  EXPECT_FALSE(applyButton()->isEnabled());
}

TEST_F(ColorsPageTest, EachEntryOfTheListSelectsItsColoursAndOnlyTheTitleBarsHaveASecond) {
  // Every colour its own.
  std::vector<std::pair<std::string, StoredValue>> values;
  for (int i = 0; i < kSystemColourCount; ++i)
    values.push_back({kSystemColourNames[i], colourText({i, i, 100})});
  setRegistryColours(values);
  startOnColours();
  struct Case {
    const char* entry;
    const char* colour1;
    const char* colour2;
  };
  for (const Case& c :
       std::vector<Case>{{"Aktywny pasek tytułowy", "ActiveTitle", "GradientActiveTitle"},
                         {"Etykieta narzędzi", "InfoWindow", nullptr},
                         {"Menu", "Menu", nullptr},
                         {"Nieaktywny pasek tytułowy", "InactiveTitle", "GradientInactiveTitle"},
                         {"Obiekty 3W (trójwymiarowe)", "ButtonFace", nullptr},
                         {"Obramowanie nieaktywnego okna", "InactiveBorder", nullptr},
                         {"Obramowanie okna aktywnego", "ActiveBorder", nullptr},
                         {"Okno", "Window", nullptr},
                         {"Pulpit", "Background", nullptr},
                         {"Wybrane elementy", "Hilight", nullptr},
                         {"Pasek przewijania", "Scrollbar", nullptr}}) {
    ASSERT_TRUE(clickItem(find<QListWidget>("KolorListBox"), QString::fromUtf8(c.entry)));
    EXPECT_EQ(find<QLabel>("koloryElement")->text(), QString::fromUtf8(c.entry));
    EXPECT_EQ(kolor("Kolor1")->colour(), colour(c.colour1)) << c.entry;
    EXPECT_EQ(kolor("Kolor1")->automaticColour(), colour(c.colour1)) << c.entry;
    EXPECT_EQ(kolor("Kolor2")->isEnabled(), c.colour2 != nullptr) << c.entry;
    if (c.colour2) {
      EXPECT_EQ(kolor("Kolor2")->colour(), colour(c.colour2)) << c.entry;
    }
  }
  EXPECT_FALSE(applyButton()->isEnabled());
}

TEST_F(ColorsPageTest, EachPartOfTheMiniatureSelectsTheEntryThatEditsIt) {
  startOnColours();
  using P = ColourMiniature::Part;
  ColourMiniature* m = colors().miniature();
  for (const auto& [part, entry] : std::vector<std::pair<P, int>>{{P::Tooltip, 2},
                                                                  {P::Desktop, 9},
                                                                  {P::InactiveFrame, 6},
                                                                  {P::InactiveTitle, 4},
                                                                  {P::ActiveFrame, 7},
                                                                  {P::ActiveTitle, 1},
                                                                  {P::MenuBar, 3},
                                                                  {P::MenuNormal, 3},
                                                                  {P::MenuDisabled, 3},
                                                                  {P::MenuSelected, 10},
                                                                  {P::Client, 8},
                                                                  {P::ScrollBar, 11},
                                                                  {P::ScrollUp, 5},
                                                                  {P::ScrollDown, 5},
                                                                  {P::Button, 5}}) {
    QTest::mouseClick(m, Qt::LeftButton, {}, m->pointIn(part));
    EXPECT_EQ(colors().currentEntry(), entry) << static_cast<int>(part);
    EXPECT_EQ(find<QListWidget>("KolorListBox")->currentRow(), entry - 1);
  }
  EXPECT_FALSE(applyButton()->isEnabled());
}

TEST_F(ColorsPageTest, AColourForThreeDObjectsRecoloursTheButtonAndBothArrowsAndIsStoredAsButtonFace) {
  startOnColours();
  ColourMiniature* m = colors().miniature();
  QTest::mouseClick(m, Qt::LeftButton, {}, m->pointIn(ColourMiniature::Part::Button));
  ASSERT_EQ(colors().currentEntry(), 5);
  pickFromPalette(kolor("Kolor1"), "Czerwony");
  EXPECT_EQ(colour("ButtonFace"), (Rgb{255, 0, 0}));
  EXPECT_EQ(kolor("Kolor1")->colour(), (Rgb{255, 0, 0}));
  for (auto part :
       {ColourMiniature::Part::Button, ColourMiniature::Part::ScrollUp, ColourMiniature::Part::ScrollDown})
    EXPECT_EQ(shown(part).rgb(), QColor(255, 0, 0).rgb()) << static_cast<int>(part);
  EXPECT_TRUE(applyButton()->isEnabled());

  // "Standardowo" gives back the colour the element had when it was selected.
  pickAction(kolor("Kolor1"), "Standardowo");
  EXPECT_EQ(colour("ButtonFace"), standardSystemColours()[15]);
  pickFromPalette(kolor("Kolor1"), "Czerwony");

  click(applyButton());
  EXPECT_EQ(registry("ButtonFace"), StoredValue("255 0 0"));
  EXPECT_NE(winIni().find("ButtonFace=255 0 0"), std::string::npos);
}

TEST_F(ColorsPageTest, ApplyWritesAllColoursThreeWaysInOrderLeavesExactlyThemInWinIniAndStaysEnabled) {
  setWinIniColours("Scrollbar=1 1 1\r\nOld=1 2 3\r\nno equals\r\n");
  startOnColours();
  // The registry is the source; a scheme changes every colour it holds, and
  // the desktop gets a colour from the full dialog.
  type(schemes()->lineEdit(), "Schemat #5");
  dialogs.answerColour(Rgb{1, 2, 3});
  pickAction(kolor("Kolor1"), "Więcej kolorów ...");
  ASSERT_EQ(dialogs.shown.back().kind, "colour");
  EXPECT_EQ(colour("Background"), (Rgb{1, 2, 3}));
  // The first title bar's gradient end through the second button.
  ASSERT_TRUE(clickItem(find<QListWidget>("KolorListBox"), QString::fromUtf8("Aktywny pasek tytułowy")));
  pickFromPalette(kolor("Kolor2"), "Zielony");
  EXPECT_EQ(colour("GradientActiveTitle"), (Rgb{0, 128, 0}));
  EXPECT_EQ(colour("ActiveTitle"), *readColourText(kColourSchemes[24].colours[2]));

  const SystemColours expected = colors().colours();
  std::vector<RecordingSystemSettings::ColourSet> sets;
  std::string section;
  for (const std::string& name : kWriteOrder) {
    const int i = colourIndex(name);
    sets.push_back({i, expected[i]});
    section += name + "=" + colourText(expected[i]) + "\r\n";
  }
  // Each colour goes to the running system, then win.ini, then the registry:
  // a refused registry write ends Apply after the first two for its colour.
  writesLeft = 3;
  click(applyButton());
  writesLeft = -1;
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  for (const char* name : {"Scrollbar", "Background", "ActiveTitle"})
    EXPECT_EQ(registry(name), StoredValue(colourText(expected[colourIndex(name)]))) << name;
  EXPECT_NE(registry("InactiveTitle"), StoredValue(colourText(expected[3])));
  ASSERT_EQ(systemSettings.colourSets().size(), 4u);
  EXPECT_EQ(systemSettings.colourSets(), std::vector(sets.begin(), sets.begin() + 4));
  EXPECT_NE(winIni().find("InactiveTitle=" + colourText(expected[3])), std::string::npos);
  EXPECT_EQ(winIni().find("Menu="), std::string::npos);
  EXPECT_TRUE(applyButton()->isEnabled());
  dialogs.shown.clear();
  systemSettings.clear();

  for (int round = 1; round <= 2; ++round) {
    click(applyButton());
    ASSERT_TRUE(dialogs.boxes().empty());
    EXPECT_TRUE(applyButton()->isEnabled());
    const std::string ini = winIni();
    const std::size_t start = ini.find("[colors]\r\n");
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(ini.find("[colors]", start + 1), std::string::npos);
    EXPECT_EQ(ini.substr(start + 10, section.size()), section);
    EXPECT_EQ(ini.find("Old="), std::string::npos);
    EXPECT_EQ(ini.find("no equals"), std::string::npos);
    EXPECT_NE(ini.find("[Desktop]"), std::string::npos);
    for (int i = 0; i < kSystemColourCount; ++i)
      EXPECT_EQ(registry(kSystemColourNames[i]), StoredValue(colourText(expected[i])));
  }
  std::vector<RecordingSystemSettings::ColourSet> twice = sets;
  twice.insert(twice.end(), sets.begin(), sets.end());
  EXPECT_EQ(systemSettings.colourSets(), twice);
  EXPECT_FALSE(app->restartNeeded());
  EXPECT_TRUE(page("kolory").hasPendingEdits());

  // Pressing a button's face reports its colour: nothing changes but the command.
  click("reReadButton");
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_EQ(colors().colours(), expected);
  click(kolor("Kolor1"));
  EXPECT_EQ(colors().colours(), expected);
  EXPECT_TRUE(applyButton()->isEnabled());
}

}  // namespace
}  // namespace kelvaro::testing
