// The shell folders page: its labels, the folder editor, Apply's checks and
// order, and the labels as the other pages read them.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "pages/shell/shell_folders_page.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kSetup[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
constexpr char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kIdleNote[] = "Kliknij dwukrotnie na wybrany folder, aby zmienić do niego ścieżkę dostępu.";

std::string refusal(const char* name) {
  return std::string(
             "Nie podajesz nazwy folderu, podajesz nieprawidłową nazwę folderu lub wskazany przez "
             "Ciebie folder nie istnieje.\rZmiana folderu \"") +
         name + "\" nie może być przeprowadzona pomyślnie !!!";
}

class ShellFoldersPageTest : public PageHarness {
 protected:
  ShellFoldersPage& page() { return static_cast<ShellFoldersPage&>(PageHarness::page("foldery")); }
  QLabel* path(const char* objectName) { return find<QLabel>(objectName); }
  QPushButton* applyButton() { return find<QPushButton>("folderyApply"); }
  QString note() { return find<QLabel>("folderyNote")->text(); }
  std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.boxes()) texts.push_back(box.text);
    return texts;
  }
  // Opens the editor on a row by its path label, types a new path and confirms.
  void edit(QLabel* label, std::string_view text) {
    doubleClick(label);
    QLineEdit* field = page().editor()->folderEditor();
    ASSERT_TRUE(field->isVisible());
    field->selectAll();
    type(field, text);
    key(field, Qt::Key_Return);
  }
};

TEST_F(ShellFoldersPageTest, LoadsValuesAndTheStartUpDirectoriesAndMarksWhatIsMissing) {
  remove(Root::CurrentUser, kShellFolders, "My Pictures");
  set(Root::CurrentUser, kShellFolders, "NetHood", 7);  // another kind reads as missing
  set(Root::LocalMachine, kSetup, "WinDir", std::string("D:\\INNY"));
  ASSERT_NE(start(), nullptr);
  frame().showPage("foldery");
  EXPECT_EQ(path("MyPicturesPath")->text(), "(nie znaleziono folderu)");
  EXPECT_EQ(path("NetHoodPath")->text(), "(nie znaleziono folderu)");
  EXPECT_EQ(path("PersonalPath")->text(), "C:\\Moje dokumenty");
  EXPECT_EQ(path("ProgramFilesDirPath")->text(), "C:\\Program Files");
  EXPECT_EQ(path("ConfigPathPath")->text(), "C:\\WINDOWS\\CONFIG");
  EXPECT_EQ(path("MediaPathPath")->text(), "C:\\WINDOWS\\MEDIA");
  // Windows and System are the directories worked out at start-up, not Setup's.
  EXPECT_EQ(path("WinDirPath")->text().toStdString(), environment->windowsDirectory());
  EXPECT_EQ(path("SysDirPath")->text().toStdString(), environment->systemDirectory());
  EXPECT_EQ(path("MyPicturesPath")->toolTip(), "Ścieżka dostępu do folderu \"Moje obrazy\"");
  EXPECT_EQ(note(), kIdleNote);
  EXPECT_FALSE(applyButton()->isEnabled());
  // What the other pages read.
  EXPECT_EQ(app->frame().views().shellFolderLabel("Program Files"), "C:\\Program Files");
  EXPECT_EQ(app->frame().views().shellFolderLabel("Moje obrazy"), "(nie znaleziono folderu)");
  EXPECT_EQ(app->frame().views().shellFolderLabel("Nie ma takiego"), std::nullopt);
}

TEST_F(ShellFoldersPageTest, TheEditorOpensOnCaptionOrPathAndEndsOnlyWithEnter) {
  remove(Root::CurrentUser, kShellFolders, "My Pictures");
  ASSERT_NE(start(), nullptr);
  frame().showPage("foldery");
  ShellFoldersPage& p = page();
  QLineEdit* field = p.editor()->folderEditor();

  // Hovering a path frames it while no editor is open.
  QTest::mouseMove(path("PersonalPath"), QPoint(4, 4));
  EXPECT_TRUE(p.editor()->highlight()->isVisible());

  // A missing value opens an empty editor and empties its label.
  doubleClick(p.caption(8));  // "Moje obrazy"
  ASSERT_TRUE(field->isVisible());
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(path("MyPicturesPath")->text(), "");
  EXPECT_EQ(note(), "Zatwierdź zmianę ENTER-em !");
  EXPECT_EQ(field->toolTip(), "Zatwierdź zmianę ENTER-em");
  EXPECT_EQ(p.editor()->browseButton()->toolTip(), "Kliknij, aby zmienić folder");
  EXPECT_FALSE(p.editor()->highlight()->isVisible());

  // While it is open, other rows cannot be edited and a click elsewhere does not end it.
  doubleClick(path("PersonalPath"));
  EXPECT_EQ(p.editor()->editedField(), path("MyPicturesPath"));
  QTest::mouseClick(find<QWidget>("folderyRows"), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(field->isVisible());
  EXPECT_FALSE(applyButton()->isEnabled());

  type(field, "C:\\Moje dokumenty");
  key(field, Qt::Key_Return);
  EXPECT_FALSE(field->isVisible());
  EXPECT_EQ(path("MyPicturesPath")->text(), "C:\\Moje dokumenty");
  EXPECT_EQ(note(), kIdleNote);
  EXPECT_TRUE(applyButton()->isEnabled());
  // The confirmed but unapplied edit is what the other pages read.
  EXPECT_EQ(app->frame().views().shellFolderLabel("Moje obrazy"), "C:\\Moje dokumenty");

  // Re-reading drops it.
  click("reReadButton");
  EXPECT_EQ(path("MyPicturesPath")->text(), "(nie znaleziono folderu)");
  EXPECT_FALSE(applyButton()->isEnabled());
}

TEST_F(ShellFoldersPageTest, ApplyWritesEveryExistingFolderAndNamesEachRowItRefuses) {
  remove(Root::CurrentUser, kShellFolders, "My Pictures");
  ASSERT_NE(start(), nullptr);
  frame().showPage("foldery");
  std::filesystem::create_directories(hostPath("C:\\Nowy pulpit"));
  edit(path("DesktopPath"), "C:\\Nie ma mnie");
  edit(path("PersonalPath"), "C:\\Nowy pulpit");
  edit(path("MediaPathPath"), "C:\\WINDOWS\\MEDIA\\Brak");
  click(applyButton());

  // One message per refused row, in the write order; the rest is written.
  EXPECT_EQ(messages(),
            (std::vector<std::string>{refusal("Pulpit"), refusal("Moje obrazy"), refusal("Media")}));
  for (const auto& box : dialogs.boxes()) EXPECT_EQ(box.title, "Morvane Kelvaro");
  EXPECT_EQ(stored(Root::CurrentUser, kShellFolders, "Desktop"),
            StoredValue(std::string("C:\\WINDOWS\\Pulpit")));
  EXPECT_EQ(stored(Root::CurrentUser, kShellFolders, "Personal"),
            StoredValue(std::string("C:\\Nowy pulpit")));
  EXPECT_EQ(stored(Root::CurrentUser, kShellFolders, "My Pictures"), std::nullopt);
  EXPECT_EQ(stored(Root::LocalMachine, kSetup, "MediaPath"), StoredValue(std::string("C:\\WINDOWS\\MEDIA")));
  EXPECT_EQ(stored(Root::LocalMachine, kSetup, "WinDir"), StoredValue(environment->windowsDirectory()));
  EXPECT_EQ(stored(Root::LocalMachine, kSetup, "SysDir"), StoredValue(environment->systemDirectory()));
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_TRUE(app->restartNeeded());

  // Every Apply repeats the message for a row that still cannot be written.
  edit(path("DesktopPath"), "C:\\WINDOWS\\Pulpit");
  click(applyButton());
  EXPECT_EQ(messages().size(), 5U);
  EXPECT_EQ(messages()[3], refusal("Moje obrazy"));
  EXPECT_EQ(messages()[4], refusal("Media"));
}

TEST_F(ShellFoldersPageTest, AMissingSetupKeyStopsApplyWithTheStoreErrorAndWritesNothingElsewhere) {
  ASSERT_NE(start(), nullptr);
  {
    RegistryHandle reg(app->registry());
    reg.setRoot(Root::LocalMachine);
    reg.deleteKey(kSetup);
    app->flush();
  }
  set(Root::LocalMachine, kCurrentVersion, "ProgramFilesDir", std::string("C:\\WINDOWS"));
  showAndLoad("foldery");
  std::filesystem::create_directories(hostPath("C:\\Moje dokumenty\\Moje obrazy"));
  edit(path("ProgramFilesDirPath"), "C:\\Program Files");
  click(applyButton());

  ASSERT_EQ(dialogs.boxes().size(), 1U);
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  // The Setup rows never land in the key opened before them, and the rows
  // after the failing one are not written.
  EXPECT_EQ(stored(Root::CurrentUser, kShellFolders, "WinDir"), std::nullopt);
  EXPECT_FALSE(keyStored(Root::LocalMachine, kSetup));
  EXPECT_EQ(stored(Root::LocalMachine, kCurrentVersion, "ProgramFilesDir"),
            StoredValue(std::string("C:\\WINDOWS")));
  EXPECT_TRUE(applyButton()->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
}

TEST_F(ShellFoldersPageTest, TheRemarkIsAPlainMessage) {
  ASSERT_NE(start(), nullptr);
  frame().showPage("foldery");
  click("folderyUwaga");
  ASSERT_EQ(dialogs.boxes().size(), 1U);
  EXPECT_EQ(
      dialogs.boxes()[0].text,
      "Dokonanie jakichkolwiek zmian na tej zakłądce niesie duże zmiany w pracy całego komputera, dla tego "
      "początkującym \"zawodnikom\" zaleca się nie konfigurowanie tej zakładki.");
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::None);
}

}  // namespace
}  // namespace kelvaro::testing
