// The file types page: its list and the selectors that show it, the details
// of a type, the show-extension switch, removal, a new description, and the
// registration of a new type with its button's three states.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

#include "dialogs/icon_picker.h"
#include "pages/shell/file_icons_page.h"
#include "pages/shell/file_types_page.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char kShell32[] = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL";

class FileTypesPageTest : public PageHarness {
 protected:
  void SetUp() override {
    set(Root::ClassesRoot, ".zz1", "", std::string(""));               // empty type name
    set(Root::ClassesRoot, ".zz2", "", std::string("NoSuchTypeKey"));  // names no key
    set(Root::ClassesRoot, ".zz3", "", std::string("zz3file"));
    set(Root::ClassesRoot, "zz3file", "x", std::string(""));  // no description
    set(Root::ClassesRoot, ".zz4", "", std::string("zzshared"));
    set(Root::ClassesRoot, ".Aa0", "", std::string("zzshared"));
    set(Root::ClassesRoot, "zzshared", "", std::string("Wspólny typ"));
    set(Root::ClassesRoot, "zzshared\\shell\\open\\command", "", std::string("C:\\zz.exe \"%1\""));
    set(Root::ClassesRoot, "zzshared\\DefaultIcon", "", std::string("C:\\zz.exe,0"));
  }

  FileTypesPage& open() {
    makeWindow();
    // As at start-up: the file types page fills the selectors, then the file icons page loads.
    FileTypesPage& types = static_cast<FileTypesPage&>(showAndLoad("typyplikow"));
    showAndLoad("pliki");
    showAndLoad("typyplikow");
    return types;
  }
  QTreeWidget* list() { return find<QTreeWidget>("typyplikowLista"); }
  QStringList column(int c) {
    QStringList out;
    for (int i = 0; i < list()->topLevelItemCount(); ++i) out << list()->topLevelItem(i)->text(c);
    return out;
  }
  QStringList selectorEntries() {
    QComboBox* selector = static_cast<FileIconsPage&>(page("pliki")).typeSelector();
    QStringList out;
    for (int i = 0; i < selector->count(); ++i) out << selector->itemText(i);
    return out;
  }
  QString text(const char* label) { return find<QLabel>(label)->text(); }
  QPushButton* registerButton() { return find<QPushButton>("typyplikowZarejestruj"); }
  void select(const char* extension) { ASSERT_TRUE(clickItem(list(), extension)) << extension; }
  // The icon picker opened by "Wybierz ikonę", icon `index` of the shell library chosen.
  void chooseIcon(int index) {
    icons.addFile(kShell32, std::vector<Icon>(5, Icon{icons.genericIcon(), {}}));
    click("typyplikowWybierzIkone");
    ASSERT_TRUE(clickItem(app->iconPicker().fileList(), "SHELL32.DLL"));
    ASSERT_TRUE(clickItem(app->iconPicker().iconList(), QString::number(index)));
    QTest::mouseClick(app->iconPicker().okButton(), Qt::LeftButton);
  }
  void fillForm(const char* extension, const char* program, const char* description) {
    type("typyplikowNoweRozszerzenie", extension);
    dialogs.answer(std::optional<std::string>(program));
    click("typyplikowWybierzProgram");
    type("typyplikowNowyOpis", description);
  }
};

TEST_F(FileTypesPageTest, TheListHoldsTheRegisteredTypesInOrderAndTheSelectorsFollowIt) {
  FileTypesPage& page = open();
  const QStringList extensions = column(0);
  EXPECT_FALSE(extensions.contains("ZZ1"));
  EXPECT_FALSE(extensions.contains("ZZ2"));
  ASSERT_TRUE(extensions.contains("ZZ3"));
  ASSERT_TRUE(extensions.contains("AA0"));
  for (int i = 1; i < extensions.size(); ++i)
    EXPECT_LE(extensions[i - 1].compare(extensions[i], Qt::CaseInsensitive), 0)
        << extensions[i].toStdString();
  const QStringList descriptions = column(1);
  EXPECT_EQ(descriptions[extensions.indexOf("ZZ3")], "zz3file");  // no description: the type name
  EXPECT_EQ(descriptions[extensions.indexOf("ZZ4")], QString::fromUtf8("Wspólny typ"));
  EXPECT_EQ(descriptions[extensions.indexOf("AA0")], QString::fromUtf8("Wspólny typ"));
  ASSERT_EQ(page.types().size(), static_cast<std::size_t>(extensions.size()));

  // The file icons page: its three entries, then the descriptions in list order.
  const QStringList entries = selectorEntries();
  ASSERT_EQ(entries.size(), descriptions.size() + 3);
  EXPECT_EQ(entries[0], QString::fromUtf8("- Domyślny dokument"));
  EXPECT_EQ(entries.mid(3), descriptions);
  EXPECT_EQ(app->frame().views().typeList().size(), page.types().size());
}

TEST_F(FileTypesPageTest, SelectingATypeShowsItsDetailsAndTheShellsIconWithoutAScratchFile) {
  open();
  EXPECT_EQ(text("typyplikowNaglowek"), QString::fromUtf8("Szczegóły dotyczące rozszerzenia: \"\""));
  EXPECT_FALSE(find<QPushButton>("typyplikowUsun")->isEnabled());
  EXPECT_FALSE(find<QCheckBox>("typyplikowPokazujRozszerzenie")->isEnabled());
  QImage red(32, 32, QImage::Format_ARGB32);
  red.fill(Qt::red);
  icons.setFileTypeIcon("ZZ4", Icon{red, {}});

  select("ZZ4");
  EXPECT_EQ(text("typyplikowNaglowek"), QString::fromUtf8("Szczegóły dotyczące rozszerzenia: \"ZZ4\""));
  EXPECT_EQ(text("typyplikowOpisTypu"),
            QString::fromUtf8("Pliki z rozszerzeniem \"ZZ4\" są typu \"Wspólny typ\""));
  EXPECT_EQ(text("typyplikowPolecenie"), "C:\\zz.exe \"%1\"");
  EXPECT_EQ(find<QPushButton>("typyplikowUsun")->text(), QString::fromUtf8("Usuń pliki typu \"ZZ4\""));
  EXPECT_EQ(find<QCheckBox>("typyplikowPokazujRozszerzenie")->text(),
            QString::fromUtf8("Pokazuj rozszerzenie plików typu \"ZZ4\""));
  EXPECT_TRUE(find<QPushButton>("typyplikowZmienOpis")->isEnabled());
  EXPECT_EQ(find<QLabel>("typyplikowIkona")->pixmap().toImage().convertToFormat(QImage::Format_ARGB32), red);
  EXPECT_EQ(icons.calls().back().operation, "fileTypeIcon");
  EXPECT_EQ(icons.calls().back().argument, "ZZ4");
  for (const char* folder : {"C:\\WINDOWS", "C:\\Moje dokumenty"}) {
    EXPECT_FALSE(std::filesystem::exists(hostPath(std::string(folder) + "\\xyz.ZZ4"))) << folder;
  }

  select("ZZ3");  // a type without an open command
  EXPECT_EQ(text("typyplikowPolecenie"), "");
  EXPECT_EQ(text("typyplikowOpisTypu"),
            QString::fromUtf8("Pliki z rozszerzeniem \"ZZ3\" są typu \"zz3file\""));
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(FileTypesPageTest, TheShowExtensionBoxIsWrittenOnlyByItsLink) {
  open();
  auto* box = find<QCheckBox>("typyplikowPokazujRozszerzenie");
  QWidget* link = widget("typyplikowZastosuj");
  select("ZZ4");
  EXPECT_FALSE(box->isChecked());
  EXPECT_FALSE(link->isEnabled());
  click(box);
  EXPECT_TRUE(link->isEnabled());
  select("ZZ3");  // another type before "Zastosuj": nothing written
  EXPECT_FALSE(stored(Root::ClassesRoot, "zzshared", "AlwaysShowExt"));
  EXPECT_FALSE(link->isEnabled());

  select("ZZ4");
  click(box);
  click(link);
  EXPECT_EQ(stored(Root::ClassesRoot, "zzshared", "AlwaysShowExt"), StoredValue(std::string("")));
  EXPECT_FALSE(link->isEnabled());
  select("AA0");  // the same type
  EXPECT_TRUE(box->isChecked());
  click(box);
  click(link);
  EXPECT_FALSE(stored(Root::ClassesRoot, "zzshared", "AlwaysShowExt"));
  EXPECT_FALSE(page("typyplikow").hasPendingEdits());
}

TEST_F(FileTypesPageTest, RemovalAsksThenDeletesOnlyTheExtensionKeyAndTheSelectorsLoseIt) {
  open();
  select("ZZ3");
  dialogs.answer(BoxButton::Cancel);
  click("typyplikowUsun");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].title, "UWAGA !!!");
  EXPECT_EQ(dialogs.boxes()[0].buttons, BoxButton::Ok | BoxButton::Cancel);
  EXPECT_NE(dialogs.boxes()[0].text.find("\r\rCzy napewno chcesz usunąć ten typ plików ?"),
            std::string::npos);
  EXPECT_TRUE(keyStored(Root::ClassesRoot, ".zz3"));

  set(Root::ClassesRoot, ".zz3\\ShellNew", "NullFile", std::string(""));
  select("ZZ3");
  dialogs.answer(BoxButton::Ok);
  key(list(), Qt::Key_Delete);
  EXPECT_EQ(dialogs.boxes().size(), 2u);
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".zz3"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".zz3\\ShellNew"));
  EXPECT_TRUE(keyStored(Root::ClassesRoot, "zz3file"));  // the type key stays
  EXPECT_FALSE(column(0).contains("ZZ3"));
  EXPECT_FALSE(selectorEntries().contains("zz3file"));
  EXPECT_EQ(selectorEntries().mid(3), column(1));
  EXPECT_EQ(text("typyplikowNaglowek"), QString::fromUtf8("Szczegóły dotyczące rozszerzenia: \"\""));
  EXPECT_FALSE(find<QPushButton>("typyplikowUsun")->isEnabled());
}

TEST_F(FileTypesPageTest, ANewDescriptionShowsOnEveryExtensionOfTheType) {
  open();
  EXPECT_EQ(column(1)[column(0).indexOf("AA0")], QString::fromUtf8("Wspólny typ"));
  // With nothing selected Enter in the list opens nothing.
  ASSERT_TRUE(list()->selectedItems().isEmpty());
  key(list(), Qt::Key_Return);
  EXPECT_TRUE(find<QFrame>("typyplikowOpisFormularz")->isHidden());

  select("ZZ4");
  click("typyplikowZmienOpis");
  auto* form = find<QFrame>("typyplikowOpisFormularz");
  auto* field = find<QLineEdit>("typyplikowOpisPole");
  auto* ok = find<QPushButton>("typyplikowOpisOk");
  ASSERT_FALSE(form->isHidden());
  EXPECT_EQ(text("typyplikowOpisEtykieta"), QString::fromUtf8("Podaj nowy opis plików typu \"ZZ4\""));
  EXPECT_EQ(field->text(), QString::fromUtf8("Wspólny typ"));
  EXPECT_FALSE(ok->isEnabled());  // until the user edits
  EXPECT_FALSE(list()->isEnabled());
  EXPECT_FALSE(registerButton()->isEnabled());
  EXPECT_EQ(ok->toolTip(), QString::fromUtf8("Kliknij aby zmienić opis plików typu \"ZZ4\""));
  EXPECT_EQ(find<QPushButton>("typyplikowOpisAnuluj")->toolTip(),
            QString::fromUtf8("Kliknij, aby przerwać zmianę opisu plików typu \"ZZ4\" i pozostać przy starym "
                              "opisie \"Wspólny typ\""));
  key(field, Qt::Key_Escape);
  EXPECT_TRUE(form->isHidden());
  EXPECT_TRUE(list()->isEnabled());
  EXPECT_TRUE(registerButton()->isEnabled());

  select("ZZ3");
  click("typyplikowZmienOpis");
  EXPECT_EQ(find<QPushButton>("typyplikowOpisAnuluj")->toolTip(),
            QString::fromUtf8("Kliknij, aby przerwać zmianę opisu plików typu \"ZZ3\" i pozostać przy starym "
                              "opisie zz3file"));
  click("typyplikowOpisAnuluj");

  select("ZZ4");
  key(list(), Qt::Key_Return);
  ASSERT_FALSE(form->isHidden());
  type(field, "Nowy opis");
  ASSERT_TRUE(ok->isEnabled());
  key(field, Qt::Key_Return);
  EXPECT_TRUE(form->isHidden());
  EXPECT_EQ(stored(Root::ClassesRoot, "zzshared", ""), StoredValue(std::string("Nowy opis")));
  EXPECT_EQ(column(1)[column(0).indexOf("AA0")], "Nowy opis");
  EXPECT_EQ(column(1)[column(0).indexOf("ZZ4")], "Nowy opis");
  EXPECT_EQ(selectorEntries().mid(3), column(1));
}

TEST_F(FileTypesPageTest, TheRegisterButtonHasThreeStatesAndRegistersABC) {
  FileTypesPage& page = open();
  QPushButton* button = registerButton();
  EXPECT_EQ(button->text(), QString::fromUtf8("Zarejestruj nowy typ plików"));
  click(button);
  EXPECT_FALSE(page.newTypeForm()->isHidden());
  EXPECT_EQ(button->text(), "Anuluj");
  EXPECT_EQ(button->toolTip(), QString::fromUtf8("Anuluj rejstrowanie nowego typu plików"));
  EXPECT_FALSE(list()->isEnabled());

  fillForm("abc", "C:\\Tools\\abc.exe", "Plik ABC");
  EXPECT_EQ(find<QLineEdit>("typyplikowNoweRozszerzenie")->text(), "ABC");  // upper-cased as typed
  EXPECT_EQ(dialogs.shown.back().file.title, "Wibierz program");
  EXPECT_EQ(dialogs.shown.back().file.initialFolder, "C:\\WINDOWS");
  EXPECT_EQ(button->text(), "Anuluj");  // no icon yet
  EXPECT_FALSE(page.hasPendingEdits());
  chooseIcon(3);
  EXPECT_EQ(page.newIconLocation(), std::string(kShell32) + ",3");
  EXPECT_EQ(button->text(), "OK");
  EXPECT_EQ(button->toolTip(), QString::fromUtf8("Zarejestruj nowy typ plików"));
  EXPECT_TRUE(page.hasPendingEdits());
  for (const char* field : {"typyplikowNoweRozszerzenie", "typyplikowNowyOpis"}) {
    const QString kept = find<QLineEdit>(field)->text();
    find<QLineEdit>(field)->setFocus();
    QTest::keyClick(find<QLineEdit>(field), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(find<QLineEdit>(field), Qt::Key_Delete);
    EXPECT_EQ(button->text(), "Anuluj") << field;
    type(field, kept.toStdString());
    EXPECT_EQ(button->text(), "OK") << field;
  }

  // Cancelled: the form closes and keeps its fields.
  key(find<QLineEdit>("typyplikowNowyOpis"), Qt::Key_Escape);
  EXPECT_TRUE(page.newTypeForm()->isHidden());
  EXPECT_EQ(button->text(), QString::fromUtf8("Zarejestruj nowy typ plików"));
  EXPECT_EQ(button->toolTip(), QString::fromUtf8("Rozpocznij rejstrowanie nowego typu plików"));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, ".ABC"));
  click(button);
  EXPECT_EQ(find<QLineEdit>("typyplikowNowyOpis")->text(), "Plik ABC");
  type("typyplikowNowyOpis", "Plik ABC");
  ASSERT_EQ(button->text(), "OK");
  click(button);

  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(stored(Root::ClassesRoot, ".ABC", ""), StoredValue(std::string("ABCfile")));
  EXPECT_EQ(stored(Root::ClassesRoot, "ABCfile", ""), StoredValue(std::string("Plik ABC")));
  EXPECT_EQ(stored(Root::ClassesRoot, "ABCfile\\DefaultIcon", ""), StoredValue(std::string(kShell32) + ",3"));
  EXPECT_EQ(stored(Root::ClassesRoot, "ABCfile\\shell\\open", ""), StoredValue(std::string("&Otwórz")));
  EXPECT_EQ(stored(Root::ClassesRoot, "ABCfile\\shell\\open\\command", ""),
            StoredValue(std::string("C:\\Tools\\abc.exe \"%1\"")));
  EXPECT_TRUE(page.newTypeForm()->isHidden());
  EXPECT_EQ(button->text(), QString::fromUtf8("Zarejestruj nowy typ plików"));
  EXPECT_EQ(find<QLineEdit>("typyplikowNoweRozszerzenie")->text(), "");
  EXPECT_EQ(page.newIconLocation(), "");
  EXPECT_FALSE(page.hasPendingEdits());
  EXPECT_TRUE(list()->isEnabled());
  ASSERT_TRUE(column(0).contains("ABC"));
  EXPECT_EQ(selectorEntries().mid(3), column(1));
  EXPECT_TRUE(selectorEntries().contains("Plik ABC"));
}

TEST_F(FileTypesPageTest, RegisteringAnExistingExtensionAsksAndTakesTheKeyOver) {
  FileTypesPage& page = open();
  set(Root::ClassesRoot, ".zz4\\ShellNew", "NullFile", std::string(""));
  click(registerButton());
  fillForm("zz4", "C:\\Tools\\zz.exe", "Nowy");
  chooseIcon(1);
  dialogs.answer(BoxButton::Cancel);
  key(find<QLineEdit>("typyplikowNowyOpis"), Qt::Key_Return);
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].title, "UWAGA !!!");
  EXPECT_EQ(dialogs.boxes()[0].text.rfind("Podany typ plików jest już zarejestrowany.", 0), 0u);
  EXPECT_NE(dialogs.boxes()[0].text.find("w zakładce \"Ikony plików\""), std::string::npos);
  EXPECT_EQ(stored(Root::ClassesRoot, ".zz4", ""), StoredValue(std::string("zzshared")));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "ZZ4file"));
  // Cleared and closed as after a registration.
  EXPECT_TRUE(page.newTypeForm()->isHidden());
  EXPECT_EQ(find<QLineEdit>("typyplikowNowyOpis")->text(), "");
  EXPECT_EQ(registerButton()->text(), QString::fromUtf8("Zarejestruj nowy typ plików"));

  click(registerButton());
  fillForm("ZZ4", "C:\\Tools\\zz.exe", "Nowy");
  chooseIcon(1);
  dialogs.answer(BoxButton::Ok);
  click(registerButton());
  EXPECT_EQ(dialogs.boxes().size(), 2u);
  EXPECT_EQ(stored(Root::ClassesRoot, ".zz4", ""), StoredValue(std::string("ZZ4file")));
  EXPECT_EQ(stored(Root::ClassesRoot, ".zz4\\ShellNew", "NullFile"), StoredValue(std::string("")));
  EXPECT_EQ(stored(Root::ClassesRoot, "ZZ4file\\shell\\open\\command", ""),
            StoredValue(std::string("C:\\Tools\\zz.exe \"%1\"")));
  EXPECT_EQ(column(1)[column(0).indexOf("ZZ4")], "Nowy");
  EXPECT_EQ(column(1)[column(0).indexOf("AA0")], QString::fromUtf8("Wspólny typ"));
}

TEST_F(FileTypesPageTest, AnExtensionCannotHoldABackslash) {
  open();
  click(registerButton());
  type("typyplikowNoweRozszerzenie", "a\\b");
  EXPECT_EQ(find<QLineEdit>("typyplikowNoweRozszerzenie")->text(), "AB");
}

}  // namespace
}  // namespace kelvaro::testing
