// The names and tips pages and the Start menu page: default names and the
// user's own names, renaming in place, the tip prefix, the Start menu icons,
// restrictions, settings and the Programs folder organised on disk.
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "dialogs/icon_picker.h"
#include "pages/shell/dos_folder_tree.h"
#include "pages/shell/info_tips_page.h"
#include "pages/shell/object_names_page.h"
#include "pages/shell/start_menu_page.h"
#include "pages/widgets/icon_picture.h"
#include "pages/widgets/in_place_editor.h"
#include "store/registry_change_log.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

const char* const kClsids[] = {
    "{645FF040-5081-101B-9F08-00AA002F954E}", "{21EC2020-3AEA-1069-A2DD-08002B30309D}",
    "{2227A280-3AEA-1069-A2DE-08002B30309D}", "{992CFFA0-F557-101A-88EC-00DD010CCC48}",
    "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}", "{BDEADF00-C265-11d0-BCED-00A0C90AB50F}",
    "{20D04FE0-3AEA-1069-A2D8-08002B30309D}", "{450D8FBA-AD25-11D0-98A8-0800361B1103}",
};
std::string classKey(int i) { return std::string("CLSID\\") + kClsids[i]; }
std::string userKey(int i) { return std::string("SOFTWARE\\Classes\\CLSID\\") + kClsids[i]; }

constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kDesktop[] = "Control Panel\\desktop";
constexpr char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr char kShell32[] = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL";
constexpr char kPrograms[] = "C:\\WINDOWS\\Menu Start\\Programy";

StoredValue text(const char* s) { return StoredValue(std::string(s)); }

class StartMenuPagesTest : public PageHarness {
 protected:
  template <class P>
  P& open(const char* id) {
    if (!window) makeWindow();
    return static_cast<P&>(showAndLoad(id));
  }
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const auto& box : dialogs.boxes()) out.push_back(box.text);
    return out;
  }
  // The names of the values a click writes, in the order it writes them.
  std::vector<std::string> valuesWrittenBy(const char* button) {
    RegistryChangeLog log;
    RegistryChangeLog* previous = app->registry().changeLog();
    app->registry().setChangeLog(&log);
    click(button);
    app->registry().setChangeLog(previous);
    std::vector<std::string> names;
    std::istringstream lines(log.regedit4("windows-1250"));
    for (std::string line; std::getline(lines, line);) {
      if (line.starts_with('"')) names.push_back(line.substr(1, line.find('"', 1) - 1));
    }
    return names;
  }
  // A click on a node of a tree, opened down to it as a user would.
  void clickNode(QTreeWidget* tree, QTreeWidgetItem* item) {
    ASSERT_NE(item, nullptr);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
  }
};

// --- Nazwy ---------------------------------------------------------------

TEST_F(StartMenuPagesTest, NamesWithoutValuesAreTheDefaultsCentredUnderTheirIcons) {
  for (int i = 0; i < 8; ++i) {
    remove(Root::ClassesRoot, classKey(i), "");
    remove(Root::CurrentUser, userKey(i), "");
  }
  set(Root::ClassesRoot, classKey(1), "", 7);              // not a text: the default name
  set(Root::ClassesRoot, classKey(2), "", std::string());  // empty: the default name
  auto& page = open<ObjectNamesPage>("Nazwy");
  const QStringList expected{
      "Kosz",        "Panel Sterowania", "Drukarki",      "Dial-Up NetWorking", "Zaplanowane zadania",
      "Web Folders", "Mój komputer",     "Moje dokumenty"};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(page.nameLabel(i)->text(), expected[i]);
    EXPECT_EQ(page.nameLabel(i)->x() + page.nameLabel(i)->width() / 2, page.icon(i)->x() + 16) << i;
  }
  EXPECT_EQ(page.icon(1)->toolTip(), "Zmień nazwę \"Panel Strowania\"");
  EXPECT_EQ(page.nameLabel(1)->toolTip(), "Kliknij dwukrotnie, aby zmienić nazwę \"Panel Sterowania\"");
  EXPECT_EQ(page.note()->text(),
            "Uwaga: Kliknij dwukrotnie na nazwę lub odpowiadającą jej ikonę, aby ją zmienić.");
  EXPECT_FALSE(find<QPushButton>("NazwyZastosuj")->isEnabled());
}

TEST_F(StartMenuPagesTest, RenamingInPlaceRecentresAndApplyWritesAllNamesToBothPlaces) {
  set(Root::CurrentUser, userKey(6), "", std::string("Mój pecet"));  // the user's name wins
  auto& page = open<ObjectNamesPage>("Nazwy");
  EXPECT_EQ(page.nameLabel(6)->text(), "Mój pecet");
  EXPECT_EQ(page.nameLabel(0)->text(), "Kosz");

  QLabel* bin = page.nameLabel(0);
  doubleClick(bin, QPoint(3, 3));
  QLineEdit* field = page.editor()->textEditor();
  ASSERT_TRUE(field->isVisible());
  EXPECT_FALSE(page.idle());
  EXPECT_EQ(field->text(), "Kosz");
  EXPECT_EQ(field->pos(), bin->pos() - QPoint(1, 1));
  EXPECT_EQ(field->height(), bin->height() + 5);
  EXPECT_EQ(page.note()->text(), "Uwaga: Zatwierdź zmianę ENTER-em");
  // While editing, the other objects ignore the mouse.
  doubleClick(page.nameLabel(2), QPoint(3, 3));
  EXPECT_EQ(page.editor()->editedField(), bin);
  QTest::mouseClick(page.nameLabel(2), Qt::RightButton);
  EXPECT_FALSE(page.changeButton()->isVisible());
  // A click on the page does not end the edit: only Enter does.
  QTest::mouseClick(&page, Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(field->isVisible());

  field->selectAll();
  QTest::keyClicks(field, "Smietnik na pliki");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_FALSE(field->isVisible());
  EXPECT_TRUE(page.idle());
  EXPECT_EQ(bin->text(), "Smietnik na pliki");
  EXPECT_EQ(bin->x() + bin->width() / 2, page.icon(0)->x() + 16);
  EXPECT_EQ(page.note()->text(),
            "Uwaga: Kliknij dwukrotnie na nazwę lub odpowiadającą jej ikonę, aby ją zmienić.");
  ASSERT_TRUE(find<QPushButton>("NazwyZastosuj")->isEnabled());

  click("NazwyZastosuj");
  EXPECT_EQ(stored(Root::ClassesRoot, classKey(0), ""), text("Smietnik na pliki"));
  EXPECT_EQ(stored(Root::CurrentUser, userKey(0), ""), text("Smietnik na pliki"));
  EXPECT_EQ(stored(Root::ClassesRoot, classKey(6), ""), text("Mój pecet"));
  EXPECT_EQ(stored(Root::CurrentUser, userKey(2), ""), text("Drukarki"));
  EXPECT_EQ(stored(Root::ClassesRoot, classKey(3), ""), stored(Root::CurrentUser, userKey(3), ""));
  EXPECT_TRUE(app->restartNeeded());
  EXPECT_FALSE(find<QPushButton>("NazwyZastosuj")->isEnabled());
}

TEST_F(StartMenuPagesTest, RightClickShowsTheChangeButtonThatOpensTheEditorAndTheHoverResetClearsIt) {
  auto& page = open<ObjectNamesPage>("Nazwy");
  QLabel* printers = page.nameLabel(2);
  QTest::mouseMove(page.icon(2), QPoint(10, 10));
  QTRY_COMPARE(page.iconFrame()->geometry(), page.icon(2)->geometry().adjusted(-2, -2, 2, 2));
  EXPECT_EQ(page.nameFrame()->geometry(), printers->geometry().adjusted(-2, -2, 2, 2));

  QTest::mouseClick(printers, Qt::RightButton, {}, QPoint(3, 3));
  QPushButton* change = page.changeButton();
  ASSERT_TRUE(change->isVisible());
  EXPECT_EQ(change->pos(),
            QPoint(printers->x() + printers->width() / 2, printers->y() + printers->height() - 2));
  EXPECT_EQ(change->toolTip(), "Kliknij, aby zmienić nazwę");
  // The hover reset: the mouse over the bottom bar hides the button and
  // moves both frames out of view.
  QTest::mouseMove(find<QWidget>("bottomBar"), QPoint(300, 5));
  QTRY_VERIFY(!change->isVisible());
  EXPECT_LT(page.iconFrame()->x(), 0);
  EXPECT_LT(page.nameFrame()->x(), 0);

  QTest::mouseMove(page.icon(3), QPoint(10, 10));
  QTRY_COMPARE(page.iconFrame()->geometry(), page.icon(3)->geometry().adjusted(-2, -2, 2, 2));
  QTest::mouseClick(page.icon(3), Qt::RightButton, {}, QPoint(16, 16));
  ASSERT_TRUE(change->isVisible());
  QTest::mouseClick(change, Qt::LeftButton);
  EXPECT_FALSE(change->isVisible());
  ASSERT_EQ(page.editor()->editedField(), page.nameLabel(3));
  QLineEdit* field = page.editor()->textEditor();
  // The field follows its text until it is 188 pixels wide, then keeps its width.
  field->selectAll();
  QTest::keyClicks(field, "Siec");
  EXPECT_EQ(field->width(), field->fontMetrics().horizontalAdvance(field->text()) + 15);
  while (field->width() < 188) QTest::keyClicks(field, "WWWW");
  const int wide = field->width();
  QTest::keyClicks(field, "WWWWWWWW");
  EXPECT_EQ(field->width(), wide);
  // While a rename is in progress the reset leaves the icon's frame, and
  // hovering another object moves nothing.
  QTest::mouseMove(page.icon(5), QPoint(10, 10));
  QTest::mouseMove(find<QWidget>("bottomBar"), QPoint(300, 5));
  QCoreApplication::processEvents();
  EXPECT_EQ(page.iconFrame()->geometry(), page.icon(3)->geometry().adjusted(-2, -2, 2, 2));
  EXPECT_LT(page.nameFrame()->x(), 0);
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_TRUE(page.nameLabel(3)->text().startsWith("SiecWWWW"));
}

// --- podpowiedzi ---------------------------------------------------------

TEST(TipPrefix, OnlyTheExactMarkerWithASecondAtAndACommaSplits) {
  struct Case {
    const char* stored;
    const char* prefix;
    const char* text;
  };
  const Case cases[] = {
      {"", "", ""},
      {"Zwykła podpowiedź", "", "Zwykła podpowiedź"},
      {"@shell32.dll,-22915@1045,Przechowuje pliki", "@shell32.dll,-22915@1045,", "Przechowuje pliki"},
      {"@shell32.dll,-1@2,tekst, z przecinkiem", "@shell32.dll,-1@2,", "tekst, z przecinkiem"},
      {"@shell32.dll,-1@2,", "@shell32.dll,-1@2,", ""},
      {"@Shell32.dll,-22915@1045,Przechowuje", "", "@Shell32.dll,-22915@1045,Przechowuje"},
      // No comma after a second "@": nothing to split off, the tip stays whole.
      {"@shell32.dll,-22915", "", "@shell32.dll,-22915"},
      {"@shell32.dll,-22915@1045", "", "@shell32.dll,-22915@1045"},
  };
  for (const Case& c : cases) {
    const TipParts parts = splitTip(c.stored);
    EXPECT_EQ(parts.prefix, c.prefix) << c.stored;
    EXPECT_EQ(parts.text, c.text) << c.stored;
    EXPECT_EQ(parts.prefix + parts.text, c.stored);
  }
}

TEST_F(StartMenuPagesTest, TipsShowTheReadableTextAndApplyWritesPrefixAndTextForAllTen) {
  const std::string bin = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";
  const std::string briefcase = "CLSID\\{85BBD920-42A0-1069-A2E4-08002B30309D}";
  const std::string ie = "CLSID\\{871C5380-42A0-1069-A2EA-08002B30309D}";
  set(Root::ClassesRoot, bin, "InfoTip", std::string("@shell32.dll,-22915@1045,Przechowuje pliki"));
  remove(Root::ClassesRoot, briefcase, "InfoTip");
  set(Root::ClassesRoot, ie, "InfoTip", std::string("@Shell32.dll,-1@1045,Przeglądarka"));
  auto& page = open<InfoTipsPage>("podpowiedzi");
  EXPECT_EQ(page.field(6)->text(), "Przechowuje pliki");
  EXPECT_EQ(page.prefix(6), "@shell32.dll,-22915@1045,");
  EXPECT_EQ(page.field(7)->text(), "");
  EXPECT_EQ(page.field(8)->text(), QString::fromUtf8("@Shell32.dll,-1@1045,Przeglądarka"));
  EXPECT_EQ(page.field(6)->toolTip(), "Zmień podpowiedź dla \"Kosz\"");
  EXPECT_FALSE(find<QPushButton>("podpowiedziZastosuj")->isEnabled());

  type(page.field(6), "Kosz na smieci");
  ASSERT_TRUE(find<QPushButton>("podpowiedziZastosuj")->isEnabled());
  // Enter in a field applies at once.
  QTest::keyClick(page.field(6), Qt::Key_Return);
  EXPECT_FALSE(find<QPushButton>("podpowiedziZastosuj")->isEnabled());
  EXPECT_EQ(stored(Root::ClassesRoot, bin, "InfoTip"), text("@shell32.dll,-22915@1045,Kosz na smieci"));
  EXPECT_EQ(stored(Root::ClassesRoot, briefcase, "InfoTip"), text(""));
  EXPECT_EQ(stored(Root::ClassesRoot, ie, "InfoTip"),
            StoredValue(std::string("@Shell32.dll,-1@1045,Przeglądarka")));
  EXPECT_TRUE(app->restartNeeded());
}

// --- menustart: icons -------------------------------------------------------

TEST_F(StartMenuPagesTest, StartMenuIconsFallBackToTheShellLibraryAndApplyWritesEveryHolderInOrder) {
  useEnvironmentIcons();
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::LocalMachine);
    reg.deleteKey(kShellIcons);
    app->flush();
  }
  set(Root::LocalMachine, kShellIcons, "20", std::string("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,4"));
  auto& page = open<StartMenuPage>("menustart");
  const auto icon = [this](int index) { return environmentIcons->extractIcon(kShell32, index).large; };
  EXPECT_EQ(page.iconPicture(0)->icon(), icon(19));
  EXPECT_EQ(page.iconPicture(1)->icon(), icon(4));
  EXPECT_EQ(page.iconPicture(6)->icon(), icon(43));
  EXPECT_EQ(page.iconPicture(11)->icon(), icon(44));
  EXPECT_NE(icon(19), icon(4));
  EXPECT_EQ(page.iconPicture(9)->toolTip(), "Ikona \"Panel Sterowania w ustawieniach\"");
  EXPECT_EQ(page.iconLocation(0), "");

  // Picking through the picker from the caption of "Ulubione" (slot 60).
  frame().showPage("menustart", "menustartikony");
  // A frame around the entry under the mouse, gone with the hover reset.
  QTest::mouseMove(page.iconPicture(2), QPoint(10, 10));
  QTRY_VERIFY(page.pictureFrame()->isVisible());
  EXPECT_EQ(page.pictureFrame()->geometry(), page.iconPicture(2)->geometry().adjusted(-4, -4, 4, 4));
  EXPECT_TRUE(page.captionFrame()->isVisible());
  QTest::mouseMove(find<QWidget>("bottomBar"), QPoint(300, 5));
  QTRY_VERIFY(!page.pictureFrame()->isVisible());
  EXPECT_FALSE(page.captionFrame()->isVisible());

  doubleClick(page.iconCaption(6), QPoint(5, 5));
  TIkonyForm& picker = app->iconPicker();
  ASSERT_TRUE(picker.isVisible());
  EXPECT_EQ(picker.slot(), 60);
  ASSERT_TRUE(clickItem(picker.fileList(), "SHELL32.DLL"));
  ASSERT_TRUE(clickItem(picker.iconList(), "3"));
  QTest::mouseClick(picker.okButton(), Qt::LeftButton);
  EXPECT_EQ(page.iconPicture(6)->icon(), icon(3));
  ASSERT_TRUE(find<QPushButton>("menustartIkonyZastosuj")->isEnabled());

  // Without the key every value is new, so the log holds each write.
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::LocalMachine);
    reg.deleteKey(kShellIcons);
    app->flush();
  }
  EXPECT_EQ(
      valuesWrittenBy("menustartIkonyZastosuj"),
      (std::vector<std::string>{"19", "20", "21", "22", "23", "24", "27", "25", "35", "37", "44", "43"}));
  EXPECT_EQ(stored(Root::LocalMachine, kShellIcons, "43"), text("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,3"));
  EXPECT_EQ(stored(Root::LocalMachine, kShellIcons, "20"), text("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,4"));
  EXPECT_EQ(stored(Root::LocalMachine, kShellIcons, "19"), text(""));
  EXPECT_TRUE(app->restartNeeded());
  EXPECT_FALSE(find<QPushButton>("menustartIkonyZastosuj")->isEnabled());
}

// --- menustart: restrictions and settings ------------------------------------

TEST_F(StartMenuPagesTest, RestrictionsReadOnlyNumbersAndUntickedOnesLeaveNoValue) {
  set(Root::CurrentUser, kPolicies, "NoRun", Bytes{1, 0, 0, 0});  // raw bytes: absent
  set(Root::CurrentUser, kPolicies, "NoFind", 1);
  set(Root::CurrentUser, kPolicies, "NoHelp", 0);
  open<StartMenuPage>("menustart");
  frame().showPage("menustart", "menustartograniczenia");
  auto* noRun = find<QCheckBox>("menustartNoRun");
  auto* noFind = find<QCheckBox>("menustartNoFind");
  EXPECT_FALSE(noRun->isChecked());
  EXPECT_TRUE(noFind->isChecked());
  EXPECT_FALSE(find<QCheckBox>("menustartNoHelp")->isChecked());
  click(noFind);
  ASSERT_TRUE(find<QPushButton>("menustartOgraniczeniaZastosuj")->isEnabled());
  click("menustartOgraniczeniaZastosuj");
  for (const char* value : {"NoRun", "NoFavoritesMenu", "NoFind", "NoHelp", "NoClose", "NoLogOff",
                            "NoRecentDocsMenu", "NoSetFolders", "NoSetTaskbar", "NoFolderOptions",
                            "NoSetActiveDesktop", "NoWindowsUpdate", "NoStartMenuSubFolders"})
    EXPECT_EQ(stored(Root::CurrentUser, kPolicies, value), std::nullopt) << value;
  EXPECT_TRUE(app->restartNeeded());

  // Enter on a box applies at once.
  auto* noClose = find<QCheckBox>("menustartNoClose");
  click(noClose);
  key(noClose, Qt::Key_Return);
  EXPECT_EQ(stored(Root::CurrentUser, kPolicies, "NoClose"), StoredValue(1));
  EXPECT_FALSE(find<QPushButton>("menustartOgraniczeniaZastosuj")->isEnabled());
}

TEST_F(StartMenuPagesTest, ColumnsReadYesInAnyCaseAndAreWrittenAsYesOrRemoved) {
  struct Case {
    std::optional<std::string> stored;
    bool ticked;
  };
  const Case cases[] = {{"Yes", true}, {"YES", true}, {"yes", true}, {"no", false}, {std::nullopt, false}};
  for (const Case& c : cases) {
    if (c.stored) {
      set(Root::CurrentUser, kAdvanced, "StartMenuScrollPrograms", *c.stored);
    } else {
      remove(Root::CurrentUser, kAdvanced, "StartMenuScrollPrograms");
    }
    auto& page = open<StartMenuPage>("menustart");
    EXPECT_EQ(page.columns()->isChecked(), c.ticked) << c.stored.value_or("(none)");
  }
  auto& page = open<StartMenuPage>("menustart");
  frame().showPage("menustart", "menustartustawienia");
  click(page.columns());
  click("menustartUstawieniaZastosuj");
  EXPECT_EQ(stored(Root::CurrentUser, kAdvanced, "StartMenuScrollPrograms"), text("yes"));
  click(page.columns());
  click("menustartUstawieniaZastosuj");
  EXPECT_EQ(stored(Root::CurrentUser, kAdvanced, "StartMenuScrollPrograms"), std::nullopt);
}

TEST_F(StartMenuPagesTest, TheDelayIsHeldTo99Through9999And255IsAppliedAsNoValue) {
  set(Root::CurrentUser, kPolicies, "NoEditMenu", 1);
  set(Root::CurrentUser, kDesktop, "MenuShowDelay", std::string("400"));
  auto& page = open<StartMenuPage>("menustart");
  frame().showPage("menustart", "menustartustawienia");
  MenuDelayBox* delay = page.delay();
  EXPECT_EQ(delay->value(), 400);
  EXPECT_TRUE(find<QCheckBox>("menustartNoEditMenu")->isChecked());
  EXPECT_FALSE(find<QPushButton>("menustartUstawieniaZastosuj")->isEnabled());

  struct Case {
    const char* typed;
    int value;
    std::optional<StoredValue> stored;
  };
  const Case cases[] = {{"50", 99, text("99")},
                        {"12000", 9999, text("9999")},
                        {"300", 300, text("300")},
                        {"255", 255, std::nullopt}};
  for (const Case& c : cases) {
    type(delay, c.typed);
    key(delay, Qt::Key_Return);  // Enter in the field applies at once
    EXPECT_EQ(delay->value(), c.value) << c.typed;
    EXPECT_EQ(stored(Root::CurrentUser, kDesktop, "MenuShowDelay"), c.stored) << c.typed;
    EXPECT_FALSE(find<QPushButton>("menustartUstawieniaZastosuj")->isEnabled());
  }
  // The policy boxes: ticked 1, unticked removed.
  EXPECT_EQ(stored(Root::CurrentUser, kPolicies, "NoEditMenu"), StoredValue(1));
  EXPECT_EQ(stored(Root::CurrentUser, kPolicies, "NoChangeStartMenu"), std::nullopt);

  // Missing, or not a number: 255.
  remove(Root::CurrentUser, kDesktop, "MenuShowDelay");
  EXPECT_EQ(open<StartMenuPage>("menustart").delay()->value(), 255);
  set(Root::CurrentUser, kDesktop, "MenuShowDelay", std::string("szybko"));
  EXPECT_EQ(open<StartMenuPage>("menustart").delay()->value(), 255);
  set(Root::CurrentUser, kDesktop, "MenuShowDelay", 300);
  EXPECT_EQ(open<StartMenuPage>("menustart").delay()->value(), 255);
  EXPECT_TRUE(messages().empty());
}

// --- menustart: organise --------------------------------------------------------

class StartMenuOrganizeTest : public StartMenuPagesTest {
 protected:
  void SetUp() override {
    fs::create_directories(hostPath("C:\\WINDOWS") / "Menu Start" / "Programy" / "Akcesoria" / "Gry");
    std::ofstream(hostPath(kPrograms) / "Akcesoria" / "Notatnik.lnk") << "x";
    page_ = &open<StartMenuPage>("menustart");
    frame().showPage("menustart", "TabSheet7");
  }
  StartMenuPage& page() { return *page_; }
  void openAccessories() {
    QTreeWidgetItem* root = page().tree()->topLevelItem(0);
    page().tree()->openItem(root);
    QTreeWidgetItem* accessories = nullptr;
    for (int i = 0; i < root->childCount(); ++i) {
      if (root->child(i)->text(0) == "Akcesoria") accessories = root->child(i);
    }
    clickNode(page().tree(), accessories);
  }
  StartMenuPage* page_ = nullptr;
};

TEST_F(StartMenuOrganizeTest, TheTreeStartsAtProgramsAndDeletingAFileNeedsNoConfirmation) {
  EXPECT_EQ(page().tree()->topLevelItem(0)->text(0), "MEnu Start -> Programy");
  EXPECT_EQ(page().currentFolderLine()->text().toStdString(), kPrograms);
  EXPECT_EQ(page().selectedFile(), kPrograms);
  EXPECT_FALSE(page().contents()->isVisible());
  EXPECT_FALSE(page().removeButton()->isEnabled());

  openAccessories();
  const std::string accessories = std::string(kPrograms) + "\\Akcesoria";
  EXPECT_EQ(page().currentFolderLine()->text().toStdString(), accessories);
  ASSERT_TRUE(page().contents()->isVisible());
  ASSERT_TRUE(clickItem(page().contents(), "Gry"));
  EXPECT_FALSE(page().removeButton()->isEnabled());  // a folder, not a file
  ASSERT_TRUE(clickItem(page().contents(), "Notatnik.lnk"));
  EXPECT_EQ(page().selectedFile(), accessories + "\\Notatnik.lnk");
  ASSERT_TRUE(page().removeButton()->isEnabled());
  key(page().contents(), Qt::Key_Delete);
  EXPECT_FALSE(fs::exists(hostPath(kPrograms) / "Akcesoria" / "Notatnik.lnk"));
  EXPECT_TRUE(dialogs.shown.empty());
  EXPECT_FALSE(page().removeButton()->isEnabled());

  // The re-read keeps the current folder selected.
  ASSERT_TRUE(app->run([this] { page().reload(); }));
  EXPECT_EQ(page().tree()->selectedPath(), accessories);
  EXPECT_FALSE(page().contents()->isVisible());

  // A file gone before the click on "Usuń skrót".
  openAccessories();
  std::ofstream(hostPath(kPrograms) / "Akcesoria" / "Stary.lnk") << "x";
  ASSERT_TRUE(app->run([this] { page().reload(); }));
  openAccessories();
  ASSERT_TRUE(clickItem(page().contents(), "Stary.lnk"));
  fs::remove(hostPath(kPrograms) / "Akcesoria" / "Stary.lnk");
  click(page().removeButton());
  EXPECT_EQ(messages(),
            (std::vector<std::string>{
                "Nie mogę usunąć wskazanego pliku. Upewnij się, czy wskazany plik istnieje lub czy masz "
                "wystarczające uprawnienia do usunięcia tego pliku."}));
}

TEST_F(StartMenuOrganizeTest, ANewShortcutTakesTheProposedNameAndGoesToTheCurrentFolder) {
  dialogs.answer(std::optional<std::string>("C:\\Program Files\\Edytor\\Notatnik.exe"));
  click("menustartDodajSkrot");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].file.title, "Wibierz program");
  EXPECT_EQ(dialogs.shown[0].file.filter, "Wszystkie pliki (*.*)|*.*");
  EXPECT_EQ(dialogs.shown[0].file.initialFolder, "C:\\");
  EXPECT_TRUE(page().addPanel()->isVisible());
  EXPECT_FALSE(page().tree()->isEnabled());
  EXPECT_EQ(page().programField()->text(), "C:\\Program Files\\Edytor\\Notatnik.exe");
  EXPECT_EQ(page().nameField()->text(), "Notatnik");
  ASSERT_TRUE(page().okButton()->isEnabled());
  EXPECT_TRUE(frame().page("menustart")->hasPendingEdits());

  click(page().okButton());
  const fs::path link = hostPath(kPrograms) / "Notatnik.lnk";
  ASSERT_TRUE(shellLinks.created().contains(link));
  EXPECT_EQ(shellLinks.created().at(link).target, "C:\\Program Files\\Edytor\\Notatnik.exe");
  EXPECT_EQ(shellLinks.created().at(link).workingDirectory, "C:\\Program Files\\Edytor");
  EXPECT_FALSE(page().addPanel()->isVisible());
  EXPECT_TRUE(page().tree()->isEnabled());
  EXPECT_EQ(page().programField()->text(), "");
  EXPECT_FALSE(page().okButton()->isEnabled());
  EXPECT_TRUE(messages().empty());

  // Four characters leave no name, and OK cannot be pressed; Esc cancels
  // and keeps the fields.
  dialogs.answer(std::optional<std::string>("C:\\a.b"));
  click("menustartDodajSkrot");
  EXPECT_EQ(page().nameField()->text(), "");
  EXPECT_FALSE(page().okButton()->isEnabled());
  key(page().nameField(), Qt::Key_Return);
  EXPECT_EQ(shellLinks.created().size(), 1u);
  key(page().nameField(), Qt::Key_Escape);
  EXPECT_FALSE(page().addPanel()->isVisible());
  EXPECT_TRUE(page().tree()->isEnabled());
  EXPECT_EQ(page().programField()->text(), "C:\\a.b");

  // A name that would leave the folder, and a failed save, are reported.
  click("menustartDodajSkrot");
  EXPECT_EQ(dialogs.shown.size(), 2u);  // the program field is filled: no chooser
  type(page().nameField(), "..\\..\\Zly");
  key(page().nameField(), Qt::Key_Return);
  shellLinks.failCreatesWith("dysk pełny");
  dialogs.answer(std::optional<std::string>("C:\\x.exe"));
  click("menustartDodajSkrot");
  EXPECT_EQ(page().nameField()->text(), "x");
  type(page().nameField(), "Dobry");
  click(page().okButton());
  EXPECT_EQ(messages(), (std::vector<std::string>{"Nie można zapisać nowego skrótu w podanej lokalizacji.",
                                                  "Nie można zapisać nowego skrótu w podanej lokalizacji."}));
  EXPECT_EQ(shellLinks.created().size(), 1u);
}

}  // namespace
}  // namespace kelvaro::testing
