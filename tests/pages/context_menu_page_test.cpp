// The context menu page: an object named by its extension or chosen in the
// selector, its entries listed with their keys and commands, an entry
// removed, added through the add form and changed through the edit form.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "pages/shell/context_menu_entries.h"
#include "pages/shell/context_menu_page.h"
#include "pages/shell/file_type_list.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char kPrompt[] = "Wybierz odpowiedni typ pliku podając rozszerzenie lub opis";

QString qt(const char* text) { return QString::fromUtf8(text); }

class ContextMenuPageTest : public PageHarness {
 protected:
  ContextMenuPage& open() {
    makeWindow();
    // The file types page's loader comes first at start-up and offers its list.
    showAndLoad("typyplikow");
    return static_cast<ContextMenuPage&>(showAndLoad("menukontekstowe"));
  }
  // Opens the selector's list and clicks the entry, as a user picks it.
  void pick(ContextMenuPage& page, const QString& entry) {
    QComboBox* selector = page.typeSelector();
    selector->showPopup();
    ASSERT_TRUE(clickItem(selector->view(), entry)) << entry.toStdString();
  }
  std::vector<std::string> paths(const ContextMenuPage& page) {
    std::vector<std::string> out;
    for (const MenuEntry& e : page.entries()) out.push_back(e.path);
    return out;
  }
  std::vector<std::string> names(const ContextMenuPage& page) {
    std::vector<std::string> out;
    for (int i = 0; i < page.entryList()->count(); ++i)
      out.push_back(page.entryList()->item(i)->text().toStdString());
    return out;
  }
  void select(ContextMenuPage& page, const char* name) {
    ASSERT_TRUE(clickItem(page.entryList(), qt(name))) << name;
  }
  QByteArray registryFiles() {
    QByteArray all;
    for (const char* file : {"system.reg", "user.reg"}) {
      QFile f(QString::fromStdString((prefix / file).string()));
      if (f.open(QIODevice::ReadOnly)) all += f.readAll();
    }
    return all;
  }
  // A type "kelvtest" for .KLV with the verbs of the naming rules.
  void addTestType() {
    set(Root::ClassesRoot, ".klv", "", std::string("kelvtest"));
    set(Root::ClassesRoot, "kelvtest", "", std::string("Plik testowy"));
    for (const char* verb : {"zeta", "print", "RUN", "open", "play"})
      set(Root::ClassesRoot, std::string("kelvtest\\Shell\\") + verb + "\\command", "",
          std::string("C:\\x.exe"));
    set(Root::ClassesRoot, "kelvtest\\Shell\\zeta", "",
        std::string("{11111111-2222-3333-4444-555555555555}"));
    set(Root::ClassesRoot, "CLSID\\{11111111-2222-3333-4444-555555555555}", "",
        std::string("Microsoft CopyTo Service"));
    set(Root::ClassesRoot, "kelvtest\\Shell\\Alpha", "", std::string("Własny tekst"));
  }
};

TEST_F(ContextMenuPageTest, TypingAnExtensionLooksItUpAtEveryLetterAndListsOnlyRegisteredTypes) {
  ContextMenuPage& page = open();
  EXPECT_EQ(page.typeSelector()->currentText(), qt(kPrompt));
  EXPECT_FALSE(page.details()->isVisibleTo(&page));
  const QByteArray before = registryFiles();

  type(page.extensionField(), "t");
  EXPECT_EQ(page.extensionField()->text(), "T");  // capitals as typed
  EXPECT_EQ(page.entryList()->count(), 0);
  EXPECT_FALSE(page.addButton()->isEnabled());
  QTest::keyClicks(page.extensionField(), "x");
  EXPECT_EQ(page.entryList()->count(), 0);
  QTest::keyClicks(page.extensionField(), "t");
  ASSERT_EQ(page.extensionField()->text(), "TXT");
  EXPECT_EQ(names(page), (std::vector<std::string>{"&Otwórz", "&Drukuj"}));
  EXPECT_EQ(paths(page), (std::vector<std::string>{"txtfile\\Shell\\open", "txtfile\\Shell\\print"}));
  EXPECT_EQ(page.typeSelector()->currentText(), qt("Dokument tekstowy"));
  EXPECT_TRUE(page.details()->isVisibleTo(&page));
  EXPECT_EQ(page.extensionLabel()->text(), "TXT");
  EXPECT_EQ(page.descriptionLabel()->text(), qt("Dokument tekstowy"));
  ASSERT_FALSE(icons.calls().empty());
  EXPECT_EQ(icons.calls().back().operation, "fileTypeIcon");
  EXPECT_EQ(icons.calls().back().argument, "TXT");
  EXPECT_FALSE(page.iconPreview()->pixmap().isNull());
  EXPECT_TRUE(page.addButton()->isEnabled());
  EXPECT_FALSE(page.removeButton()->isEnabled());
  EXPECT_FALSE(page.editButton()->isEnabled());

  select(page, "&Drukuj");
  EXPECT_EQ(page.commandNameLabel()->text(), qt("&Drukuj"));
  EXPECT_EQ(page.keyLabel()->text(), qt("HKEY_CLASSES_ROOT\\txtfile\\Shell\\print"));
  EXPECT_EQ(page.commandLabel()->text(), qt("C:\\WINDOWS\\NOTEPAD.EXE /p \"%1\""));
  EXPECT_TRUE(page.removeButton()->isEnabled());
  EXPECT_TRUE(page.editButton()->isEnabled());

  // An unregistered extension, and one whose type name is empty: nothing.
  set(Root::ClassesRoot, ".kz1", "", std::string(""));
  const QByteArray withKz1 = registryFiles();
  for (const char* unlisted : {"QQQ", "KZ1"}) {
    page.extensionField()->clear();
    type(page.extensionField(), unlisted);
    EXPECT_EQ(page.entryList()->count(), 0) << unlisted;
    EXPECT_FALSE(page.addButton()->isEnabled()) << unlisted;
    EXPECT_FALSE(page.details()->isVisibleTo(&page)) << unlisted;
  }
  // Listing and selecting created no key and wrote nothing.
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".QQQ"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".Q"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "txtfile\\shell\\print\\Command\\x"));
  EXPECT_NE(before, withKz1);
  EXPECT_EQ(registryFiles(), withKz1);
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(ContextMenuPageTest, EntriesAreVerbsInAscendingOrderWithClassNamesAndPolishNamesForTypesOnly) {
  addTestType();
  set(Root::ClassesRoot, "*\\shell\\play\\command", "", std::string("C:\\p.exe"));
  set(Root::ClassesRoot, "*\\shell\\PRINT\\command", "", std::string("C:\\p.exe"));
  set(Root::ClassesRoot, "*\\shell\\Open\\command", "", std::string("C:\\p.exe"));
  set(Root::ClassesRoot, "*\\shellex\\ContextMenuHandlers\\WinRAR", "", std::string(""));
  ContextMenuPage& page = open();
  type(page.extensionField(), "KLV");
  EXPECT_EQ(names(page), (std::vector<std::string>{"Własny tekst", "Otwórz", "Odtwarzaj", "Drukuj", "Uruchom",
                                                   "Kopiuj do folderu"}));
  EXPECT_EQ(paths(page).front(), "kelvtest\\Shell\\Alpha");
  EXPECT_EQ(paths(page).back(), "kelvtest\\Shell\\zeta");

  pick(page, qt("- Wszystkie pliki"));
  EXPECT_EQ(page.extensionField()->text(), "ALLFILE");
  // The handlers first, then the verbs; PLAY and PRINT as stored, OPEN in Polish.
  EXPECT_EQ(names(page),
            (std::vector<std::string>{"Menu kontekstowe programu WinRAR", "Menu kontekstowe programu WinZIP",
                                      "Otwórz", "play", "PRINT"}));
  EXPECT_EQ(paths(page).front(), "*\\shellex\\ContextMenuHandlers\\WinRAR");
}

TEST_F(ContextMenuPageTest, TheFourSpecialObjectsHideTheFieldAndShowTheirKeysDetailsAndIcons) {
  set(Root::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons", "4",
      std::string("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,4"));
  ContextMenuPage& page = open();
  struct Case {
    const char* entry;
    const char* word;
    const char* extension;
    const char* description;
    std::vector<std::string> firstAndLast;
    const char* iconCall;  // what the icon comes from, or null for none
    std::string iconArgument;
  };
  const std::vector<Case> cases{
      {"- Wszystkie pliki",
       "ALLFILE",
       "*.*",
       "Wszystkie pliki",
       {"*\\shellex\\ContextMenuHandlers\\WinZip", "*\\shellex\\ContextMenuHandlers\\WinZip"},
       nullptr,
       ""},
      {"- Plik niezarejestrowany",
       "UNKNOWN",
       "*.???",
       "Niezarejstrowany typ plików",
       {"Unknown\\shellex\\ContextMenuHandlers\\OpenWith", "Unknown\\shell\\openas"},
       "extractIcon",
       "C:\\WINDOWS\\SYSTEM\\Shell32.dll"},
      {"- Folder",
       "FOLDER",
       "<DIR>",
       "Folder plików",
       {"Folder\\shellex\\ContextMenuHandlers\\BriefcaseMenu", "Directory\\shell\\find"},
       "displayIcon",
       "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,4"},
      {"- Dysk",
       "DYSK",
       "<DIR>",
       "Dysk",
       {"Drive\\shellex\\ContextMenuHandlers\\Sharing", "Drive\\shell\\find"},
       "substituteIcon",
       ""},
  };
  for (const Case& c : cases) {
    const std::size_t callsBefore = icons.calls().size();
    pick(page, qt(c.entry));
    EXPECT_EQ(page.extensionField()->text(), c.word);
    EXPECT_FALSE(page.extensionField()->isVisibleTo(&page)) << c.word;
    EXPECT_EQ(page.typeSelector()->currentText(), qt(c.entry));
    EXPECT_EQ(page.extensionLabel()->text(), qt(c.extension));
    EXPECT_EQ(page.descriptionLabel()->text(), qt(c.description));
    ASSERT_FALSE(page.entries().empty()) << c.word;
    EXPECT_EQ(paths(page).front(), c.firstAndLast[0]) << c.word;
    EXPECT_EQ(paths(page).back(), c.firstAndLast[1]) << c.word;
    EXPECT_TRUE(page.addButton()->isEnabled());
    if (!c.iconCall) {
      EXPECT_EQ(icons.calls().size(), callsBefore) << c.word;
      EXPECT_TRUE(page.iconPreview()->pixmap().isNull());
    } else {
      ASSERT_GT(icons.calls().size(), callsBefore) << c.word;
      EXPECT_EQ(icons.calls().back().operation, c.iconCall) << c.word;
      EXPECT_EQ(icons.calls().back().argument, c.iconArgument) << c.word;
    }
  }
  // The folders object: its handlers, then Folder\shell, then Directory\shell.
  pick(page, qt("- Folder"));
  EXPECT_EQ(paths(page), (std::vector<std::string>{"Folder\\shellex\\ContextMenuHandlers\\BriefcaseMenu",
                                                   "Folder\\shellex\\ContextMenuHandlers\\WinZip",
                                                   "Folder\\shell\\explore", "Folder\\shell\\open",
                                                   "Directory\\shell\\find"}));
  EXPECT_EQ(icons.calls().back().index, static_cast<int>(IconTarget::OpenFolder));

  // A type again shows the field; text that is no entry starts over.
  pick(page, qt("Dokument tekstowy"));
  EXPECT_TRUE(page.extensionField()->isVisibleTo(&page));
  EXPECT_TRUE(page.extensionField()->isEnabled());
  EXPECT_EQ(page.extensionField()->text().isEmpty(), false);
  QTest::keyClicks(page.typeSelector()->lineEdit(), "x");
  EXPECT_EQ(page.typeSelector()->currentText(), qt(kPrompt));
  EXPECT_EQ(page.extensionField()->text(), "");
  EXPECT_EQ(page.entryList()->count(), 0);
}

TEST_F(ContextMenuPageTest, TheSelectorHoldsTheSpecialEntriesThenTheTypeListInItsOrder) {
  ContextMenuPage& page = open();
  const std::vector<FileTypeEntry> types = readTypeList(app->registry());
  QComboBox* selector = page.typeSelector();
  ASSERT_EQ(selector->count(), static_cast<int>(types.size()) + 4);
  EXPECT_EQ(selector->itemText(3), qt("- Dysk"));
  for (std::size_t i = 0; i < types.size(); ++i)
    EXPECT_EQ(selector->itemText(static_cast<int>(i) + 4).toStdString(), types[i].description);
  // Entry 4 + i is item i of the list: a shared description picks by position.
  const auto log =
      std::find_if(types.begin(), types.end(), [](const FileTypeEntry& t) { return t.extension == "LOG"; });
  ASSERT_NE(log, types.end());
  const int at = static_cast<int>(log - types.begin()) + 4;
  selector->showPopup();
  const QModelIndex index = selector->view()->model()->index(at, 0);
  selector->view()->scrollTo(index);
  QTest::mouseClick(selector->view()->viewport(), Qt::LeftButton, {},
                    selector->view()->visualRect(index).center());
  EXPECT_EQ(page.extensionField()->text(), "LOG");

  // Each load of the file types page fills the selector anew, from the prompt.
  set(Root::ClassesRoot, ".kqq", "", std::string("kqqfile"));
  set(Root::ClassesRoot, "kqqfile", "", std::string("Nowy typ"));
  showAndLoad("typyplikow");
  EXPECT_EQ(selector->count(), static_cast<int>(readTypeList(app->registry()).size()) + 4);
  EXPECT_GE(selector->findText(qt("Nowy typ")), 4);
  EXPECT_EQ(selector->currentText(), qt(kPrompt));
  showAndLoad("typyplikow");
  EXPECT_EQ(selector->currentText(), qt(kPrompt));
}

TEST_F(ContextMenuPageTest, RemovingDeletesTheEntryWithItsSubkeysWithoutAskingAndRelists) {
  ContextMenuPage& page = open();
  type(page.extensionField(), "TXT");
  select(page, "&Drukuj");
  key(page.entryList(), Qt::Key_Delete);
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "txtfile\\shell\\print"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "txtfile\\shell\\print\\command"));
  EXPECT_TRUE(keyStored(Root::ClassesRoot, "txtfile\\shell\\open\\command"));
  EXPECT_EQ(names(page), std::vector<std::string>{"&Otwórz"});
  EXPECT_FALSE(page.removeButton()->isEnabled());
  // A handler goes the same way.
  pick(page, qt("- Folder"));
  EXPECT_EQ(names(page).front(), "Aktówka");
  select(page, "Menu kontekstowe programu WinZIP");
  click(page.removeButton());
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "Folder\\shellex\\ContextMenuHandlers\\WinZip"));
  EXPECT_TRUE(keyStored(Root::ClassesRoot, "Folder\\shellex\\ContextMenuHandlers\\BriefcaseMenu"));
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(ContextMenuPageTest, TheAddFormWritesAVerbThatRunsTheChosenProgramWithItsLetterAndDefault) {
  ContextMenuPage& page = open();
  const ContextMenuPage::Form& form = page.addForm();
  type(page.extensionField(), "TXT");
  click(page.addButton());
  ASSERT_TRUE(form.frame->isVisible());
  EXPECT_EQ(form.heading->text(), qt("Dodaj pozycję do menu kontekstowego plików TXT"));
  EXPECT_FALSE(page.extensionField()->isEnabled());
  EXPECT_FALSE(page.entryList()->isEnabled());
  EXPECT_FALSE(page.typeSelector()->isEnabled());
  EXPECT_FALSE(form.position->isEnabled());
  EXPECT_FALSE(page.hasPendingEdits());

  // A file that is no program is refused; cancelling the dialog changes nothing.
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\readme.txt"));
  click(form.chooser);
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text,
            "Wybrałeś nieodpowiedni format pliku !!!\rPrawidłowym formatem są aplikacje z rozszerzeniem EXE");
  dialogs.answer(std::optional<std::string>());
  click(form.chooser);
  EXPECT_EQ(form.program->text(), "");

  dialogs.answer(std::optional<std::string>("C:\\Windows\\Notepad.exe"));
  click(form.chooser);
  const auto& file = dialogs.shown.back();
  EXPECT_EQ(file.file.title, "Wibierz program");
  EXPECT_EQ(file.file.filter, "Programy (*.exe)|*.exe");
  EXPECT_EQ(file.file.initialFolder, "C:\\");
  EXPECT_EQ(form.program->text(), "C:\\Windows\\Notepad.exe");
  EXPECT_EQ(form.name->text(), "Notepad");
  EXPECT_EQ(page.keyWord(), "Notepad");
  EXPECT_TRUE(form.position->isEnabled());
  EXPECT_EQ(form.letter->text(), qt("(brak)"));
  EXPECT_TRUE(form.ok->isEnabled());
  EXPECT_TRUE(page.hasPendingEdits());

  for (int i = 0; i < 3; ++i) key(form.position, Qt::Key_Up);
  EXPECT_EQ(form.position->value(), 3);
  EXPECT_EQ(form.letter->text(), "t");
  EXPECT_EQ(form.menuText(), "No&tepad");
  click(form.makeDefault);
  EXPECT_TRUE(form.preview->text().startsWith("<b>"));
  click(form.ok);

  EXPECT_EQ(stored(Root::ClassesRoot, "txtfile\\shell", ""), StoredValue(std::string("OpenWithNotepad")));
  EXPECT_EQ(stored(Root::ClassesRoot, "txtfile\\shell\\OpenWithNotepad", ""),
            StoredValue(std::string("No&tepad")));
  EXPECT_EQ(stored(Root::ClassesRoot, "txtfile\\shell\\OpenWithNotepad\\Command", ""),
            StoredValue(std::string("C:\\Windows\\Notepad.exe \"%1\"")));
  EXPECT_FALSE(form.frame->isVisible());
  EXPECT_EQ(form.name->text(), "");
  EXPECT_FALSE(form.makeDefault->isChecked());
  EXPECT_FALSE(form.position->isEnabled());
  EXPECT_FALSE(page.hasPendingEdits());
  EXPECT_TRUE(page.entryList()->isEnabled());
  EXPECT_TRUE(page.addButton()->isEnabled());
  EXPECT_FALSE(page.editButton()->isEnabled());
  EXPECT_EQ(names(page), (std::vector<std::string>{"&Otwórz", "No&tepad", "&Drukuj"}));
}

TEST_F(ContextMenuPageTest, EachSpecialObjectGetsItsVerbUnderItsOwnKeyAndHeading) {
  struct Case {
    const char* entry;
    const char* heading;
    const char* key;
  };
  ContextMenuPage& page = open();
  for (const Case& c :
       {Case{"- Wszystkie pliki", "WSZYSTKICH PLIKÓW", "*\\shell"},
        Case{"- Plik niezarejestrowany", "NIEZNANYCH PLIKÓW", "Unknown\\shell"},
        Case{"- Folder", "FOLDERU", "Folder\\shell"}, Case{"- Dysk", "DYSKU", "Drive\\shell"}}) {
    pick(page, qt(c.entry));
    click(page.addButton());
    EXPECT_EQ(page.addForm().heading->text(), qt("Dodaj pozycję do menu kontekstowego ") + qt(c.heading));
    dialogs.answer(std::optional<std::string>("C:\\Tools\\Viewer.EXE"));
    click(page.addForm().chooser);
    key(page.addForm().name, Qt::Key_Return);
    EXPECT_FALSE(page.addForm().frame->isVisible()) << c.key;
    const std::string verb = std::string(c.key) + "\\OpenWithViewer";
    EXPECT_EQ(stored(Root::ClassesRoot, verb, ""), StoredValue(std::string("Viewer"))) << c.key;
    EXPECT_EQ(stored(Root::ClassesRoot, verb + "\\Command", ""),
              StoredValue(std::string("C:\\Tools\\Viewer.EXE \"%1\"")));
    EXPECT_FALSE(keyStored(Root::ClassesRoot, "Directory\\shell\\OpenWithViewer"));
    const std::vector<std::string> listed = names(page);
    EXPECT_NE(std::find(listed.begin(), listed.end(), "Viewer"), listed.end()) << c.key;
    // Without the default box the verb key's default value stays.
    EXPECT_NE(stored(Root::ClassesRoot, c.key, ""), StoredValue(std::string("OpenWithViewer")));
  }
}

TEST_F(ContextMenuPageTest, CancellingTheAddFormKeepsItsFieldsAndWritesNothing) {
  ContextMenuPage& page = open();
  type(page.extensionField(), "TXT");
  click(page.addButton());
  dialogs.answer(std::optional<std::string>("C:\\Windows\\Notepad.exe"));
  click(page.addForm().chooser);
  key(page.addForm().name, Qt::Key_Escape);
  EXPECT_FALSE(page.addForm().frame->isVisible());
  EXPECT_EQ(page.addForm().name->text(), "Notepad");
  EXPECT_FALSE(page.hasPendingEdits());
  EXPECT_TRUE(page.extensionField()->isEnabled());
  EXPECT_TRUE(page.addButton()->isEnabled());
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "txtfile\\shell\\OpenWithNotepad"));
}

TEST_F(ContextMenuPageTest, TheEditFormSplitsTheCommandAndWritesNameLetterAndParameter) {
  ContextMenuPage& page = open();
  const ContextMenuPage::Form& form = page.editForm();
  type(page.extensionField(), "TXT");
  select(page, "&Otwórz");
  doubleClick(page.entryList()->viewport(),
              page.entryList()->visualItemRect(page.entryList()->item(0)).center());
  ASSERT_TRUE(form.frame->isVisible());
  EXPECT_EQ(form.heading->text(), qt("Edytuj pozycję z menu kontekstowego plików TXT"));
  EXPECT_EQ(form.program->text(), "C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(form.parameter->currentText(), "\"%1\"");
  EXPECT_EQ(form.parameterMeaning->text(), qt("Otwórz w wybranym programie"));
  EXPECT_EQ(form.name->text(), qt("Otwórz"));
  EXPECT_EQ(form.position->value(), 1);
  EXPECT_EQ(form.letter->text(), "O");
  EXPECT_FALSE(form.ok->isEnabled());
  for (QWidget* w :
       std::initializer_list<QWidget*>{page.extensionField(), page.entryList(), page.typeSelector(),
                                       page.addButton(), page.removeButton(), page.editButton()})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();

  form.parameter->showPopup();
  ASSERT_TRUE(clickItem(form.parameter->view(), "/p \"%1\""));
  EXPECT_EQ(form.parameterMeaning->text(), qt("Drukuj w wybranym programie"));
  QTest::keyClicks(form.parameter->lineEdit(), "x");
  EXPECT_EQ(form.parameterMeaning->text(), qt("Nieznany parametr"));
  QTest::keyClick(form.parameter->lineEdit(), Qt::Key_Backspace);
  key(form.position, Qt::Key_Up);
  EXPECT_EQ(form.letter->text(), "t");
  ASSERT_TRUE(form.ok->isEnabled());
  click(form.ok);
  EXPECT_EQ(stored(Root::ClassesRoot, "txtfile\\shell\\open", ""), StoredValue(std::string("O&twórz")));
  EXPECT_EQ(stored(Root::ClassesRoot, "txtfile\\shell\\open\\command", ""),
            StoredValue(std::string("C:\\WINDOWS\\NOTEPAD.EXE /p \"%1\"")));
  EXPECT_EQ(stored(Root::ClassesRoot, "txtfile\\shell", ""), StoredValue(std::string("")));
  EXPECT_FALSE(form.frame->isVisible());
  EXPECT_EQ(names(page), (std::vector<std::string>{"O&twórz", "&Drukuj"}));
}

TEST_F(ContextMenuPageTest, AnOpenVerbWithoutMenuTextIsEditedAsOtworzAndHandlersAndEmptyEntriesAreRefused) {
  addTestType();
  set(Root::ClassesRoot, "kelvtest\\Shell\\open\\command", "",
      std::string("\"C:\\Program Files\\App\\app.exe\" \"%1\""));
  set(Root::ClassesRoot, "kelvtest\\Shell\\empty", "x", std::string(""));
  set(Root::ClassesRoot, "kelvtest\\Shell\\lib\\command", "",
      std::string("rundll32 shell32.dll,Control_RunDLL"));
  ContextMenuPage& page = open();
  type(page.extensionField(), "KLV");
  select(page, "Otwórz");
  EXPECT_EQ(page.commandLabel()->text(), qt("\"C:\\Program Files\\App\\app.exe\" \"%1\""));
  click(page.editButton());
  const ContextMenuPage::Form& form = page.editForm();
  EXPECT_EQ(form.program->text(), qt("C:\\Program Files\\App\\app.exe"));
  EXPECT_EQ(form.parameter->currentText(), "\"%1\"");
  EXPECT_EQ(form.name->text(), qt("Otwórz"));
  EXPECT_EQ(form.letter->text(), qt("(brak)"));
  click(form.makeDefault);
  ASSERT_TRUE(form.ok->isEnabled());
  key(form.name, Qt::Key_Enter);
  EXPECT_EQ(stored(Root::ClassesRoot, "kelvtest\\Shell\\open", ""), StoredValue(std::string("Otwórz")));
  EXPECT_EQ(stored(Root::ClassesRoot, "kelvtest\\Shell", ""), StoredValue(std::string("open")));
  EXPECT_EQ(stored(Root::ClassesRoot, "kelvtest\\Shell\\open\\Command", ""),
            StoredValue(std::string("C:\\Program Files\\App\\app.exe \"%1\"")));

  select(page, "empty");
  click(page.editButton());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text,
            "Wybrana przez Ciebie pozycja z menu kontekstowego jest pusta.\rMożesz ją usunąć bez "
            "jakichkolwiek obaw "
            "o poprawne funkcjonowanie twojego systemu");
  select(page, "lib");
  click(page.editButton());
  ASSERT_EQ(dialogs.boxes().size(), 2u);
  const std::string refused =
      "Nie można edytować tej pozycji. Jest to pozycja systemowa i jej edytowanie jest niemożliwe !!!";
  EXPECT_EQ(dialogs.boxes()[1].text, refused);
  EXPECT_FALSE(form.frame->isVisible());

  // A handler's command is its class's server: it can be removed, not edited.
  set(Root::ClassesRoot, "*\\shellex\\ContextMenuHandlers\\{AAAAAAAA-0000-0000-0000-000000000001}", "x",
      std::string(""));
  set(Root::ClassesRoot, "CLSID\\{AAAAAAAA-0000-0000-0000-000000000001}\\InProcServer32", "",
      std::string("C:\\WINDOWS\\SYSTEM\\KELV.DLL"));
  pick(page, qt("- Wszystkie pliki"));
  select(page, "{AAAAAAAA-0000-0000-0000-000000000001}");
  EXPECT_EQ(page.commandLabel()->text(), "C:\\WINDOWS\\SYSTEM\\KELV.DLL");
  click(page.editButton());
  EXPECT_EQ(dialogs.boxes().back().text, refused);
  EXPECT_EQ(page.keyLabel()->text(),
            "HKEY_CLASSES_ROOT\\*\\shellex\\ContextMenuHandlers\\{AAAAAAAA-0000-0000-0000-000000000001}");
  select(page, "Menu kontekstowe programu WinZIP");
  EXPECT_EQ(page.commandLabel()->text(), "{E0D79304-84BE-11CE-9641-444553540000}");
  click(page.editButton());
  EXPECT_EQ(dialogs.boxes().back().text, refused);
}

TEST_F(ContextMenuPageTest, TheEditFormsProgramDialogOpensAtTheCurrentProgram) {
  ContextMenuPage& page = open();
  type(page.extensionField(), "TXT");
  select(page, "&Otwórz");
  click(page.editButton());
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\SYSTEM\\nosuch.exe"));
  click(page.editForm().chooser);
  EXPECT_EQ(dialogs.shown.back().file.initialFolder, "C:\\WINDOWS\\NOTEPAD.EXE");
  EXPECT_EQ(page.editForm().program->text(), "C:\\WINDOWS\\NOTEPAD.EXE");  // a missing file is not taken
  key(page.editForm().name, Qt::Key_Escape);
  EXPECT_FALSE(page.editForm().frame->isVisible());
  EXPECT_TRUE(page.editButton()->isEnabled());
  EXPECT_TRUE(page.removeButton()->isEnabled());
}

struct StepCase {
  const char* name;
  int from;
  int direction;
  int to;
};

TEST(ContextMenuEntries, LetterStepsSkipSpacesAndTurnAtTheEnd) {
  for (const StepCase& c : std::initializer_list<StepCase>{{"Notepad", 0, 1, 1},
                                                           {"Notepad", 2, 1, 3},
                                                           {"Notepad", 7, 1, 6},
                                                           {"Notepad", 1, -1, 0},
                                                           {"a  b", 1, 1, 4},
                                                           {"a  b", 4, -1, 1},
                                                           {"ab ", 2, 1, 1},
                                                           {"", 0, 1, 0}}) {
    EXPECT_EQ(steppedLetterPosition(qt(c.name), c.from, c.direction), c.to)
        << c.name << " from " << c.from << " by " << c.direction;
  }
  EXPECT_EQ(menuText("Notepad", 3), "No&tepad");
  EXPECT_EQ(menuText("Notepad", 0), "Notepad");
  EXPECT_EQ(menuText("Notepad", 7), "Notepa&d");
}

TEST(ContextMenuEntries, CommandsSplitAtTheProgramWithOrWithoutQuotes) {
  struct Case {
    const char* command;
    const char* program;
    const char* parameter;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"\"C:\\Prog\\a.exe\" \"%1\"", "C:\\Prog\\a.exe", "\"%1\""},
           {"C:\\Prog\\a.exe \"%1\"", "C:\\Prog\\a.exe", "\"%1\""},
           {"C:\\Prog\\A.EXE", "C:\\Prog\\A.EXE", ""},
           {"\"C:\\Program Files\\x.Exe\"", "C:\\Program Files\\x.Exe", ""},
           {"C:\\WINDOWS\\Explorer.exe /e,/idlist,%I,%L", "C:\\WINDOWS\\Explorer.exe", "/e,/idlist,%I,%L"},
       }) {
    const SplitCommand split = splitCommand(qt(c.command));
    EXPECT_EQ(split.program, qt(c.program)) << c.command;
    EXPECT_EQ(split.parameter, qt(c.parameter)) << c.command;
  }
  // Some stored parameters are known only when the form opens.
  EXPECT_EQ(parameterDescription("%1", true), qt("Otwórz w wybranym programie"));
  EXPECT_EQ(parameterDescription("%1", false), qt("Nieznany parametr"));
  EXPECT_EQ(parameterDescription("/P \"%1\"", true), qt("Drukuj w wybranym programie"));
  EXPECT_EQ(parameterDescription("/p \"%1\"", false), qt("Drukuj w wybranym programie"));
  EXPECT_EQ(parameterDescription("/play \"%L\"", true), qt("Nieznany parametr"));
  EXPECT_EQ(offeredParameters().size(), 10u);
}

}  // namespace
}  // namespace kelvaro::testing
