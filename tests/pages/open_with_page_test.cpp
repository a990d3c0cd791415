// The open-with page: the page's own command for a type (or for all
// files) written by "Zastosuj", read back and removed by "Usuń z menu".
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pages/shell/open_with_page.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

QString qt(const char* text) { return QString::fromUtf8(text); }

constexpr char kVerb[] = "txtfile\\Shell\\KelvaroAddMenu";
constexpr char kReserved[] =
    "Tej nazwy nie możesz podać. Jest ona zarezerwowana przez Windows. Podaj inną nazwę.";

class OpenWithPageTest : public PageHarness {
 protected:
  OpenWithPage& open() {
    makeWindow();
    return static_cast<OpenWithPage&>(showAndLoad("Menu"));
  }
  void choose(OpenWithPage& page, const char* program) {
    dialogs.answer(std::optional<std::string>(program));
    click(page.chooser());
  }
};

TEST_F(OpenWithPageTest, ATypeWithoutAnIconCannotGetACommand) {
  set(Root::ClassesRoot, ".kl1", "", std::string("kl1file"));
  set(Root::ClassesRoot, "kl1file\\DefaultIcon", "", std::string(""));
  set(Root::ClassesRoot, "kl1file", "", std::string("Bez ikony"));
  OpenWithPage& page = open();
  EXPECT_FALSE(page.applyButton()->isEnabled());
  EXPECT_FALSE(page.removeButton()->isEnabled());
  for (const char* extension : {"QQQ", "KL1"}) {
    type(page.typeField(), extension);
    EXPECT_FALSE(page.nameField()->isEnabled()) << extension;
    EXPECT_FALSE(page.programField()->isEnabled()) << extension;
    EXPECT_FALSE(page.chooser()->isEnabled()) << extension;
    EXPECT_FALSE(page.applyButton()->isEnabled()) << extension;
  }
  EXPECT_EQ(page.descriptionLabel()->text(), qt("Bez ikony"));
  key(page.typeField(), Qt::Key_Return);  // the chooser is off: no dialog
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OpenWithPageTest, ApplyWritesThePagesVerbAndAStoredCommandIsNotDoubled) {
  OpenWithPage& page = open();
  type(page.typeField(), "txt");
  EXPECT_EQ(page.typeField()->text(), "TXT");
  EXPECT_EQ(page.descriptionLabel()->text(), qt("Dokument tekstowy"));
  EXPECT_EQ(page.openedByLabel()->text(), qt("C:\\WINDOWS\\NOTEPAD.EXE \"%1\""));
  EXPECT_FALSE(page.iconLabel()->pixmap().isNull());
  ASSERT_TRUE(page.chooser()->isEnabled());
  EXPECT_FALSE(page.applyButton()->isEnabled());

  key(page.typeField(), Qt::Key_Return);  // Enter presses the chooser
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].file.title, "Wibierz program");
  EXPECT_EQ(dialogs.shown[0].file.initialFolder, "C:\\WINDOWS");
  choose(page, "C:\\Tools\\view.exe");
  EXPECT_EQ(page.programField()->text(), "C:\\Tools\\view.exe");
  EXPECT_EQ(page.nameField()->text(), "view");
  ASSERT_TRUE(page.applyButton()->isEnabled());
  EXPECT_TRUE(page.hasPendingEdits());
  key(page.nameField(), Qt::Key_Return);  // Enter presses "Zastosuj"
  EXPECT_EQ(stored(Root::ClassesRoot, kVerb, ""), StoredValue(std::string("view")));
  EXPECT_EQ(stored(Root::ClassesRoot, std::string(kVerb) + "\\Command", ""),
            StoredValue(std::string("C:\\Tools\\view.exe \"%1\"")));
  EXPECT_FALSE(page.applyButton()->isEnabled());
  EXPECT_TRUE(page.removeButton()->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
  EXPECT_TRUE(dialogs.boxes().empty());

  // Read back: the program without its parameter, applied again unchanged.
  type(page.typeField(), "LOG");  // another extension of the same type
  EXPECT_EQ(page.programField()->text(), "C:\\Tools\\view.exe");
  EXPECT_EQ(page.nameField()->text(), "view");
  EXPECT_TRUE(page.removeButton()->isEnabled());
  QTest::keyClicks(page.nameField(), "er");
  ASSERT_TRUE(page.applyButton()->isEnabled());
  click(page.applyButton());
  EXPECT_EQ(stored(Root::ClassesRoot, kVerb, ""), StoredValue(std::string("viewer")));
  EXPECT_EQ(stored(Root::ClassesRoot, std::string(kVerb) + "\\Command", ""),
            StoredValue(std::string("C:\\Tools\\view.exe \"%1\"")));

  // Removal asks nothing and leaves the type's other verbs.
  click(page.removeButton());
  EXPECT_FALSE(keyStored(Root::ClassesRoot, kVerb));
  EXPECT_TRUE(keyStored(Root::ClassesRoot, "txtfile\\shell\\open\\command"));
  EXPECT_TRUE(keyStored(Root::ClassesRoot, "txtfile\\shell\\print"));
  EXPECT_EQ(page.nameField()->text(), "");
  EXPECT_EQ(page.programField()->text(), "");
  EXPECT_FALSE(page.removeButton()->isEnabled());
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(OpenWithPageTest, ReservedNamesAreRefusedAndTheNameStopsAtTwentyCharacters) {
  OpenWithPage& page = open();
  type(page.typeField(), "TXT");
  choose(page, "C:\\Tools\\view.exe");
  ASSERT_TRUE(page.applyButton()->isEnabled());
  type(page.nameField(), "&Open");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, kReserved);
  EXPECT_EQ(dialogs.boxes()[0].title, "Morvane Kelvaro");
  EXPECT_EQ(page.nameField()->text(), "");
  EXPECT_FALSE(page.applyButton()->isEnabled());

  type(page.nameField(), "&open");
  EXPECT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(page.nameField()->text(), "&open");
  EXPECT_TRUE(page.applyButton()->isEnabled());

  // Polish reserved names, set through the field's editing API (typing cannot give them).
  page.nameField()->setText(qt("Otwórz &z ..."));
  EXPECT_EQ(dialogs.boxes().size(), 2u);
  EXPECT_EQ(page.nameField()->text(), "");

  type(page.nameField(), "abcdefghijklmnopqrstu");
  EXPECT_EQ(page.nameField()->text(), "abcdefghijklmnopqrst");
  page.nameField()->setText("123456789012345678901234");  // a longer change is undone as a whole
  EXPECT_EQ(page.nameField()->text(), "abcdefghijklmnopqrst");
}

TEST_F(OpenWithPageTest, AnEmptyNameIsReportedWithTheTypeInTheMessage) {
  OpenWithPage& page = open();
  type(page.typeField(), "TXT");
  choose(page, "C:\\Tools\\view.exe");
  page.nameField()->setFocus();
  QTest::keyClick(page.nameField(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(page.nameField(), Qt::Key_Backspace);
  ASSERT_TRUE(page.applyButton()->isEnabled());
  click(page.applyButton());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text,
            "Musisz jeszcze podać nazwę nowej pozycji, która będzie dodana do menu kontekstowego, "
            "pojawiającego się "
            "po kliknięciu myszą na pliki typu \"TXT\".");
  EXPECT_FALSE(keyStored(Root::ClassesRoot, kVerb));
  EXPECT_TRUE(page.applyButton()->isEnabled());

  // Delete in the program field empties it, which stops "Zastosuj".
  key(page.programField(), Qt::Key_Delete);
  EXPECT_EQ(page.programField()->text(), "");
  EXPECT_FALSE(page.applyButton()->isEnabled());
}

TEST_F(OpenWithPageTest, AllFilesGetTheirCommandUnderAllFilesWhichTheFieldsDoNotReadBack) {
  OpenWithPage& page = open();
  type(page.typeField(), "*");
  EXPECT_EQ(page.descriptionLabel()->text(), qt("Wszystkie pliki"));
  EXPECT_EQ(page.openedByLabel()->text(), qt("Dodaj do menu jedno wspólne polecenie dla wszystkich plików"));
  ASSERT_TRUE(page.chooser()->isEnabled());
  choose(page, "C:\\Tools\\view.exe");
  click(page.applyButton());
  EXPECT_EQ(stored(Root::ClassesRoot, "*\\Shell\\AllFiles", ""), StoredValue(std::string("view")));
  EXPECT_EQ(stored(Root::ClassesRoot, "*\\Shell\\AllFiles\\Command", ""),
            StoredValue(std::string("C:\\Tools\\view.exe \"%1\"")));
  EXPECT_FALSE(keyStored(Root::ClassesRoot, "Shell\\KelvaroAddMenu"));
  page.reRead();
  EXPECT_EQ(page.nameField()->text(), "");
  EXPECT_FALSE(page.removeButton()->isEnabled());
}

}  // namespace
}  // namespace kelvaro::testing
