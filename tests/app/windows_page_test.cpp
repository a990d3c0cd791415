#include "app/windows_page.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "store/registry_handle.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char k9x[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kNt[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

enum Row {
  Nazwa,
  Wersja,
  Typ,
  NumerWersji,
  TypWersji,
  NumerSeryjny,
  Firma,
  Uzytkownik,
  Plus,
  Sciezka,
  Komputer,
  TypKomputera
};

class WindowsPageTest : public PageHarness {
 protected:
  void SetUp() override {
    // The page's keys start empty: each test stores what it shows.
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::LocalMachine);
    for (const char* key :
         {k9x, kNt, "System\\CurrentControlSet\\control\\ComputerName", "Enum\\Root\\*PNP0C01"})
      reg.deleteKey(key);
    app->flush();
    makeWindow([](AppContext& a, const PageInfo& info, QWidget* parent) -> Page* {
      return std::string_view(info.id) == "windows" ? new WindowsPage(a, info, parent) : nullptr;
    });
    page = static_cast<WindowsPage*>(window->page("windows"));
    window->showPage("windows");
    window->show();
  }
  void put(const char* key, const char* name, const char* text) {
    set(Root::LocalMachine, key, name, std::string(text));
  }
  std::string storedText(const char* key, const char* name) {
    const auto v = stored(Root::LocalMachine, key, name);
    if (!v) return "(none)";
    if (!std::holds_alternative<std::string>(*v)) return "(not a string)";
    return std::get<std::string>(*v);
  }
  void load() {
    ASSERT_TRUE(app->run([this] { page->reload(); }));
  }
  QString text(Row row) const { return page->field(row)->text(); }
  void doubleClick(Row row) { testing::doubleClick(page->field(row), QPoint(3, 3)); }
  QPushButton* applyButton() const { return page->findChild<QPushButton*>("windowsApply"); }
  QString instruction() const { return page->findChild<QLabel*>("windowsInstruction")->text(); }
  // Types like a user, Polish letters included.
  static void type(QLineEdit* editor, const QString& text) {
    for (const QChar c : text) {
      QTest::sendKeyEvent(QTest::Press, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  static void typeAndEnter(QLineEdit* editor, const QString& newText) {
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    type(editor, newText);
    QTest::keyClick(editor, Qt::Key_Return);
  }

  WindowsPage* page = nullptr;
};

TEST_F(WindowsPageTest, Shows9xDataAndPlaceholdersForMissingOrOtherKinds) {
  put(k9x, "ProductName", "Microsoft Windows 98");
  put(k9x, "VersionNumber", "4.10.2222");
  put(k9x, "SubVersionNumber", " A ");
  put(k9x, "RegisteredOwner", "Jan Kowalski");
  put("System\\CurrentControlSet\\control\\ComputerName\\ComputerName", "ComputerName", "KOMPUTER");
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::LocalMachine);
    reg.openKey(k9x, false);
    reg.writeDword("ProductId", 12345);
  }
  load();
  EXPECT_EQ(text(Nazwa), "Microsoft Windows 98");
  EXPECT_EQ(text(NumerWersji), "4.10.2222");
  EXPECT_EQ(text(TypWersji), " A ");
  EXPECT_EQ(text(Uzytkownik), "Jan Kowalski");
  EXPECT_EQ(text(Komputer), "KOMPUTER");
  EXPECT_EQ(text(NumerSeryjny), "(nieznane)");  // a DWORD is not shown
  EXPECT_EQ(text(Sciezka), "(nieznane)");
  EXPECT_EQ(page->field(Uzytkownik)->toolTip(), "Nazwa użytkownika");
  EXPECT_EQ(page->field(Komputer)->toolTip(), "Nazwa tego komputera");
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_EQ(instruction(), "Uwaga: Kliknij dwukrotnie na informację, którą chcesz zmienić.");
}

TEST_F(WindowsPageTest, NtSystemsFallBackToTheNtValues) {
  put(kNt, "ProductName", "Microsoft Windows XP");
  put(kNt, "SoftwareType", "SYSTEM");
  put(kNt, "CurrentVersion", "5.1");
  put(kNt, "CurrentBuild", "2600");
  put(kNt, "ProductId", "55274-OEM");
  put(kNt, "RegisteredOrganization", "Firma");
  put(kNt, "RegisteredOwner", "Anna");
  put(kNt, "CSDVersion", "Service Pack 2");
  load();
  const std::pair<Row, const char*> expected[] = {{Nazwa, "Microsoft Windows XP"},
                                                  {Wersja, "(nieznane)"},
                                                  {Typ, "SYSTEM"},
                                                  {NumerWersji, "5.1"},
                                                  {TypWersji, "2600"},
                                                  {NumerSeryjny, "55274-OEM"},
                                                  {Firma, "Firma"},
                                                  {Uzytkownik, "Anna"},
                                                  {Plus, "Service Pack 2"},
                                                  {Sciezka, "(nieznane)"},
                                                  {Komputer, "(nieznane)"},
                                                  {TypKomputera, "(nieznane)"}};
  for (const auto& [row, shown] : expected) EXPECT_EQ(text(row), QString::fromUtf8(shown)) << row;
  put(k9x, "ProductName", "Microsoft Windows 98");
  load();
  EXPECT_EQ(text(Nazwa), "Microsoft Windows 98");
}

TEST_F(WindowsPageTest, EditingInPlaceCommitsWithEnterAndEnablesApply) {
  put(k9x, "RegisteredOwner", "Jan");
  load();
  doubleClick(Uzytkownik);
  QLineEdit* editor = page->editor()->textEditor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text(), "Jan");
  EXPECT_EQ(editor->pos(), page->field(Uzytkownik)->pos());
  EXPECT_EQ(editor->toolTip(), "Dokonaj zmiany");
  EXPECT_EQ(instruction(), "Uwaga: Zatwierdź zmianę ENTER-em.");
  EXPECT_FALSE(page->editor()->highlight()->isVisible());

  // A second field cannot be opened while one is edited; Escape does not end it.
  doubleClick(Firma);
  EXPECT_EQ(page->editor()->editedField(), page->field(Uzytkownik));
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_TRUE(page->editor()->editing());

  typeAndEnter(editor, "Jan Kowalski");
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(text(Uzytkownik), "Jan Kowalski");
  EXPECT_TRUE(applyButton()->isEnabled());
  EXPECT_EQ(instruction(), "Uwaga: Kliknij dwukrotnie na informację, którą chcesz zmienić.");
}

TEST_F(WindowsPageTest, ASecondFieldOrACaptionDoesNotEndAnOpenEdit) {
  put(k9x, "RegisteredOwner", "Jan");
  put(k9x, "RegisteredOrganization", "Firma");
  load();
  doubleClick(Uzytkownik);
  QLineEdit* editor = page->editor()->textEditor();
  type(editor, " K");
  doubleClick(Firma);
  QTest::mouseClick(page->findChild<QLabel*>("RegisteredOwnerCaption"), Qt::LeftButton, {}, QPoint(3, 3));

  EXPECT_EQ(page->editor()->editedField(), page->field(Uzytkownik));
  EXPECT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text(), "Jan K");
  EXPECT_EQ(editor->pos(), page->field(Uzytkownik)->pos());
  EXPECT_EQ(text(Uzytkownik), "Jan");
  EXPECT_EQ(text(Firma), "Firma");
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_EQ(instruction(), "Uwaga: Zatwierdź zmianę ENTER-em.");

  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(text(Uzytkownik), "Jan K");
  EXPECT_TRUE(applyButton()->isEnabled());
}

TEST_F(WindowsPageTest, ACommitWithoutAChangeKeepsAVersionTheMaskCannotShow) {
  put(k9x, "VersionNumber", "4.10.2222");
  load();
  doubleClick(NumerWersji);
  ASSERT_TRUE(page->editor()->versionEditor()->isVisible());
  QTest::keyClick(page->editor()->versionEditor(), Qt::Key_Return);
  EXPECT_EQ(text(NumerWersji), "4.10.2222");
  QTest::mouseClick(applyButton(), Qt::LeftButton);
  EXPECT_EQ(storedText(k9x, "VersionNumber"), "4.10.2222");
  EXPECT_EQ(storedText(kNt, "CurrentVersion"), "4.10.2222");
}

TEST_F(WindowsPageTest, ApplyWritesEveryKnownFieldAndTheNtFallbacks) {
  put(k9x, "ProductName", "Microsoft Windows 98");
  put(k9x, "RegisteredOwner", "Jan");
  load();
  doubleClick(Firma);  // "(nieznane)" opens empty
  EXPECT_EQ(page->editor()->textEditor()->text(), "");
  typeAndEnter(page->editor()->textEditor(), QString::fromUtf8("Żółta Łódź sp. z o.o."));
  QTest::mouseClick(applyButton(), Qt::LeftButton);

  EXPECT_EQ(storedText(k9x, "RegisteredOrganization"), "Żółta Łódź sp. z o.o.");
  EXPECT_EQ(storedText(k9x, "ProductName"), "Microsoft Windows 98");
  EXPECT_EQ(storedText(k9x, "ProductId"), "(none)");           // "(nieznane)" is never written
  EXPECT_EQ(storedText(k9x, "VersionNumber"), "00.000.0000");  // the version default is ordinary text
  EXPECT_EQ(storedText(kNt, "RegisteredOrganization"), "Żółta Łódź sp. z o.o.");
  EXPECT_EQ(storedText(kNt, "RegisteredOwner"), "Jan");
  EXPECT_EQ(storedText(kNt, "CurrentVersion"), "00.000.0000");
  EXPECT_EQ(storedText(kNt, "CSDVersion"), "(none)");
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_TRUE(app->restartNeeded());
}

TEST_F(WindowsPageTest, AnEmptiedFieldWritesNothingAndReReadBringsTheValueBack) {
  put(k9x, "RegisteredOwner", "Jan");
  load();
  doubleClick(Uzytkownik);
  typeAndEnter(page->editor()->textEditor(), "");
  EXPECT_EQ(text(Uzytkownik), "");
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::LocalMachine);
    reg.openKey(k9x, false);
    reg.deleteValue("RegisteredOwner");
  }
  QTest::mouseClick(applyButton(), Qt::LeftButton);
  EXPECT_EQ(storedText(k9x, "RegisteredOwner"), "(none)");

  put(k9x, "RegisteredOwner", "Jan");
  doubleClick(Uzytkownik);
  typeAndEnter(page->editor()->textEditor(), QString::fromUtf8("Ktoś"));
  QTest::mouseClick(window->findChild<QPushButton*>("reReadButton"), Qt::LeftButton);
  EXPECT_EQ(text(Uzytkownik), "Jan");
  EXPECT_FALSE(applyButton()->isEnabled());
}

TEST_F(WindowsPageTest, TheVersionEditorTakesDigitsInItsMask) {
  load();
  doubleClick(NumerWersji);
  QLineEdit* editor = page->editor()->versionEditor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->toolTip(), "Wprowadź nową wersję Windows");
  EXPECT_EQ(editor->displayText(), "  .   .    ");
  editor->setCursorPosition(0);
  type(editor, "4a10x2222");
  EXPECT_EQ(editor->displayText(), "41.022.22  ");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(text(NumerWersji), "41.022.22  ");
}

TEST_F(WindowsPageTest, AnUntouchedEmptyVersionMaskIsWrittenAsDotsAndSpaces) {
  load();
  doubleClick(NumerWersji);
  QTest::keyClick(page->editor()->versionEditor(), Qt::Key_Return);
  QTest::mouseClick(applyButton(), Qt::LeftButton);
  EXPECT_EQ(storedText(k9x, "VersionNumber"), "  .   .    ");
}

TEST_F(WindowsPageTest, TheFolderEditorBrowsesForTheSourcePath) {
  put("Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "SourcePath", "D:\\WIN98");
  load();
  doubleClick(Sciezka);
  QLineEdit* editor = page->editor()->folderEditor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text(), "D:\\WIN98");
  EXPECT_EQ(editor->toolTip(), "Zmień ścieżkę instalacji Windows");
  EXPECT_EQ(page->editor()->browseButton()->toolTip(), "Zmień");
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\OPTIONS\\CABS"));
  QTest::mouseClick(page->editor()->browseButton(), Qt::LeftButton);
  EXPECT_EQ(editor->text(), "C:\\WINDOWS\\OPTIONS\\CABS");
  QTest::keyClick(editor, Qt::Key_Return);
  QTest::mouseClick(applyButton(), Qt::LeftButton);
  EXPECT_EQ(storedText("Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "SourcePath"),
            "C:\\WINDOWS\\OPTIONS\\CABS");
}

TEST_F(WindowsPageTest, ABackgroundClickCommitsAndDisablesTheEditor) {
  put(k9x, "ProductName", "Windows");
  load();
  doubleClick(Nazwa);
  QLineEdit* editor = page->editor()->textEditor();
  editor->selectAll();
  type(editor, "Okna");
  QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(590, 20));
  EXPECT_EQ(text(Nazwa), "Okna");
  EXPECT_FALSE(editor->isEnabled());
  EXPECT_TRUE(applyButton()->isEnabled());
  // The next edit works again.
  doubleClick(Typ);
  EXPECT_TRUE(editor->isEnabled());
  EXPECT_EQ(editor->maxLength(), 410);
}

TEST_F(WindowsPageTest, HoverResetMovesTheHighlightOutOfView) {
  load();
  QTest::mouseMove(page->field(Firma), QPoint(2, 2));
  ASSERT_TRUE(page->editor()->highlight()->isVisible());
  EXPECT_EQ(page->editor()->highlight()->x(), page->field(Firma)->x() - 5);
  QTest::mouseMove(window->findChild<QWidget*>("bottomBar"), QPoint(300, 5));
  EXPECT_FALSE(page->editor()->highlight()->isVisible());
}

TEST_F(WindowsPageTest, AStoreErrorOnApplyKeepsItEnabledAndNoRestart) {
  load();
  doubleClick(Nazwa);
  typeAndEnter(page->editor()->textEditor(), "X");
  refuseWrites = true;
  QTest::mouseClick(applyButton(), Qt::LeftButton);
  EXPECT_TRUE(applyButton()->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
  ASSERT_FALSE(dialogs.boxes().empty());
  EXPECT_EQ(dialogs.boxes().back().icon, BoxIcon::Error);
}

}  // namespace
}  // namespace kelvaro::testing
