// The Send To and Quick Launch pages: a menu folder listed with its entries'
// targets, a shortcut added, an entry renamed or deleted at once, and the
// folder listing and target description they share.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <fstream>

#include "pages/shell/folder_entries.h"
#include "pages/shell/quick_launch_page.h"
#include "pages/shell/send_to_page.h"
#include "platform/file_system.h"
#include "platform/linux_shell_links.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kSendTo[] = "C:\\WINDOWS\\SendTo";
constexpr char kQuickLaunch[] = "C:\\WINDOWS\\Dane aplikacji\\Microsoft\\Internet Explorer\\Quick Launch";

QStringList entries(QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

std::set<std::string> namesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class ShortcutFolderPagesTest : public PageHarness {
 protected:
  void SetUp() override { ASSERT_NE(start(), nullptr); }

  ShortcutFolderPage& show(const char* id) { return static_cast<ShortcutFolderPage&>(showAndLoad(id)); }
  // The SendTo folder holding exactly these files.
  void fillSendTo(std::initializer_list<const char*> files) {
    const fs::path folder = hostPath(kSendTo);
    for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
    for (const char* name : files) std::ofstream(folder / fs::u8path(name)) << "x";
  }
  void select(ShortcutFolderPage& page, const char* entry) {
    ASSERT_TRUE(clickItem(page.entryList(), QString::fromUtf8(entry))) << entry;
  }
  QPushButton* button(const char* name) { return find<QPushButton>(name); }
  std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.boxes()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(ShortcutFolderPagesTest, SendToListsEntriesWithoutExtensionsAndDescribesTheirTargets) {
  fillSendTo({"Notatnik.lnk", "Dyskietka 3,5 (A).lnk", "Pulpit (utwórz skrót).DeskLink"});
  shellLinks.setTarget(hostPath("C:\\WINDOWS\\SendTo\\Notatnik.lnk"), "C:\\WINDOWS\\NOTEPAD.EXE");
  ShortcutFolderPage& page = show("SendTo");
  EXPECT_EQ(entries(page.entryList()),
            (QStringList{"Dyskietka 3,5 (A)", "Notatnik", "Pulpit (utwórz skrót)"}));
  EXPECT_FALSE(button("SendToRemove")->isEnabled());
  EXPECT_FALSE(button("SendToRename")->isEnabled());

  select(page, "Pulpit (utwórz skrót)");
  EXPECT_EQ(page.targetLine()->text(), "Pulpit (utwórz skrót)");
  EXPECT_TRUE(button("SendToRemove")->isEnabled());
  EXPECT_TRUE(button("SendToRename")->isEnabled());
  select(page, "Notatnik");
  EXPECT_EQ(page.targetLine()->text(), "C:\\WINDOWS\\NOTEPAD.EXE");
}

TEST_F(ShortcutFolderPagesTest, NoUsableSendToFolderGivesAnEmptyList) {
  const std::function<void()> setups[] = {
      [&] { fillSendTo({}); },
      [&] { remove(Root::CurrentUser, kShellFolders, "SendTo"); },
      [&] { set(Root::CurrentUser, kShellFolders, "SendTo", std::string("C:\\WINDOWS\\Nie ma")); },
      [&] { set(Root::CurrentUser, kShellFolders, "SendTo", std::int32_t{1}); },
  };
  for (std::size_t i = 0; i < std::size(setups); ++i) {
    SCOPED_TRACE(i);
    setups[i]();
    ShortcutFolderPage& page = show("SendTo");
    EXPECT_EQ(page.entryList()->count(), 0);
    EXPECT_FALSE(button("SendToRemove")->isEnabled());
    EXPECT_TRUE(button("SendToAdd")->isEnabled());
  }
}

TEST_F(ShortcutFolderPagesTest, RenameKeepsTheExtensionAndATypedPathReachesNoOtherFolder) {
  ShortcutFolderPage& page = show("SendTo");
  select(page, "Notatnik");
  click("SendToRename");
  ASSERT_TRUE(page.renamePanel()->isVisible());
  EXPECT_FALSE(page.entryList()->isEnabled());
  EXPECT_FALSE(button("SendToAdd")->isEnabled());
  EXPECT_EQ(find<QLineEdit>("SendToNewName")->text(), "Notatnik");
  EXPECT_FALSE(button("SendToRenameOk")->isEnabled());
  type("SendToNewName", "Edytor");
  key(find<QLineEdit>("SendToNewName"), Qt::Key_Return);
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_TRUE(fs::exists(hostPath(kSendTo) / "Edytor.lnk"));
  EXPECT_FALSE(fs::exists(hostPath(kSendTo) / "Notatnik.lnk"));
  EXPECT_TRUE(entries(page.entryList()).contains("Edytor"));
  EXPECT_FALSE(page.renamePanel()->isVisible());

  const std::set<std::string> windowsBefore = namesIn(hostPath("C:\\WINDOWS"));
  const std::set<std::string> sendToBefore = namesIn(hostPath(kSendTo));
  for (const char* name : {"..\\Uciekinier", "..\\..\\Uciekinier", "Poza/tam", "a:b", "Zly*"}) {
    SCOPED_TRACE(name);
    dialogs.shown.clear();
    select(page, "Edytor");
    doubleClick(page.entryList()->viewport(),
                page.entryList()
                    ->visualItemRect(page.entryList()->findItems("Edytor", Qt::MatchExactly)[0])
                    .center());
    ASSERT_TRUE(page.renamePanel()->isVisible());
    type("SendToNewName", name);
    click("SendToRenameOk");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].starts_with("Nie mogę zmienić nazwy tej pozycji.\r")) << messages()[0];
  }
  EXPECT_EQ(namesIn(hostPath("C:\\WINDOWS")), windowsBefore);
  EXPECT_EQ(namesIn(hostPath(kSendTo)), sendToBefore);
}

TEST_F(ShortcutFolderPagesTest, SendToAddsAShortcutToAChosenProgram) {
  ShortcutFolderPage& page = show("SendTo");
  // The chooser opens at once; a file that is no program is refused.
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\win.ini"));
  click("SendToAdd");
  ASSERT_TRUE(page.addPanel()->isVisible());
  EXPECT_FALSE(page.entryList()->isEnabled());
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].file.title, "Wibierz program");
  EXPECT_EQ(dialogs.shown[0].file.filter, "Programy (*.exe)|*.exe");
  EXPECT_EQ(dialogs.shown[0].file.initialFolder, app->environment().windowsDirectory());
  EXPECT_TRUE(dialogs.shown[1].box.text.starts_with("Wybrany format pliku jest niepoprawny.\r"))
      << dialogs.shown[1].box.text;
  EXPECT_TRUE(find<QLineEdit>("SendToProgram")->text().isEmpty());
  EXPECT_FALSE(button("SendToAddOk")->isEnabled());

  // The proposed name is the file name less its last four characters; none
  // is left of a name of four, and OK waits for one to be typed.
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\a.exe"));
  click("SendToChooser");
  EXPECT_EQ(find<QLineEdit>("SendToName")->text(), "a");
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\.exe"));
  click("SendToChooser");
  EXPECT_EQ(find<QLineEdit>("SendToProgram")->text(), "C:\\WINDOWS\\.exe");
  EXPECT_TRUE(find<QLineEdit>("SendToName")->text().isEmpty());
  EXPECT_FALSE(button("SendToAddOk")->isEnabled());

  // At most 30 characters: the 31st is undone.
  type("SendToName", "abcdefghijklmnopqrstuvwxyz01234");
  EXPECT_EQ(find<QLineEdit>("SendToName")->text(), "abcdefghijklmnopqrstuvwxyz0123");
  type("SendToName", "Edytor tekstu");
  ASSERT_TRUE(button("SendToAddOk")->isEnabled());
  click("SendToAddOk");
  EXPECT_EQ(dialogs.boxes().size(), 1u);
  const fs::path file = hostPath("C:\\WINDOWS\\SendTo\\Edytor tekstu.lnk");
  ASSERT_TRUE(shellLinks.created().contains(file));
  EXPECT_EQ(shellLinks.created().at(file).target, "C:\\WINDOWS\\.exe");
  EXPECT_EQ(shellLinks.created().at(file).workingDirectory, "C:\\WINDOWS");
  EXPECT_FALSE(page.addPanel()->isVisible());
  EXPECT_TRUE(page.entryList()->isEnabled());
  EXPECT_TRUE(find<QLineEdit>("SendToProgram")->text().isEmpty());
}

TEST_F(ShortcutFolderPagesTest, ANewShortcutsNameStaysANameInTheFolder) {
  ShortcutFolderPage& page = show("SendTo");
  dialogs.answer(std::optional<std::string>("C:\\WINDOWS\\NOTEPAD.EXE"));
  click("SendToAdd");
  EXPECT_EQ(find<QLineEdit>("SendToName")->text(), "NOTEPAD");
  type("SendToName", "..\\..\\Autostart");
  click("SendToAddOk");
  EXPECT_TRUE(shellLinks.created().empty());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  // The panel stays with what was typed, to be mended.
  EXPECT_TRUE(page.addPanel()->isVisible());
  EXPECT_EQ(find<QLineEdit>("SendToName")->text(), "..\\..\\Autostart");
  key(find<QLineEdit>("SendToName"), Qt::Key_Escape);
  EXPECT_FALSE(page.addPanel()->isVisible());
  EXPECT_TRUE(page.entryList()->isEnabled());
}

TEST_F(ShortcutFolderPagesTest, KeysOfTheListAddRenameAndDelete) {
  ShortcutFolderPage& page = show("SendTo");
  QListWidget* list = page.entryList();
  // Delete before any entry is chosen does nothing.
  key(list, Qt::Key_Delete);
  EXPECT_TRUE(fs::exists(hostPath(kSendTo) / "WinZip.lnk"));
  select(page, "WinZip");
  list->setFocus();
  QTest::keyClick(list, Qt::Key_Return, Qt::ControlModifier);
  EXPECT_TRUE(page.renamePanel()->isVisible());
  key(find<QLineEdit>("SendToNewName"), Qt::Key_Escape);
  EXPECT_FALSE(page.renamePanel()->isVisible());
  EXPECT_TRUE(button("SendToRemove")->isEnabled());
  key(list, Qt::Key_Delete);
  EXPECT_FALSE(fs::exists(hostPath(kSendTo) / "WinZip.lnk"));
  EXPECT_FALSE(entries(list).contains("WinZip"));
  dialogs.answer(std::optional<std::string>());
  key(list, Qt::Key_Return);
  EXPECT_TRUE(page.addPanel()->isVisible());
}

TEST_F(ShortcutFolderPagesTest, QuickLaunchFolderComesFromTheApplicationData) {
  ShortcutFolderPage& page = show("SzybkieUruchamianie");
  EXPECT_EQ(page.folder(), kQuickLaunch);
  EXPECT_TRUE(entries(page.entryList()).contains("Pokaż pulpit"));
  select(page, "Pokaż pulpit");
  EXPECT_EQ(page.targetLine()->text(), "Pokaż pulpit");

  // Without AppData the folder below the Windows directory serves.
  remove(Root::CurrentUser, kShellFolders, "AppData");
  EXPECT_EQ(
      show("SzybkieUruchamianie").folder(),
      app->environment().windowsDirectory() + "\\Dane Aplikacji\\Microsoft\\Internet Explorer\\Quick Launch");
  EXPECT_GT(page.entryList()->count(), 0);

  // An empty folder lists nothing.
  for (const auto& entry : fs::directory_iterator(hostPath(kQuickLaunch))) fs::remove(entry.path());
  show("SzybkieUruchamianie");
  EXPECT_EQ(page.entryList()->count(), 0);
  EXPECT_FALSE(button("SzybkieUruchamianieRemove")->isEnabled());
  EXPECT_FALSE(button("SzybkieUruchamianieRename")->isEnabled());
}

TEST_F(ShortcutFolderPagesTest, QuickLaunchProposesARunNameAndReportsAFailedRename) {
  ShortcutFolderPage& page = show("SzybkieUruchamianie");
  dialogs.answer(std::optional<std::string>("C:\\Windows\\Notepad.exe"));
  click("SzybkieUruchamianieAdd");
  EXPECT_EQ(dialogs.shown[0].file.initialFolder, "C:\\");
  EXPECT_EQ(dialogs.shown[0].file.defaultExtension, "exe");
  EXPECT_EQ(find<QLineEdit>("SzybkieUruchamianieName")->text(), "Uruchom program Notepad");
  EXPECT_TRUE(page.hasPendingEdits());
  click("SzybkieUruchamianieAddOk");
  const fs::path file = hostPath(std::string(kQuickLaunch) + "\\Uruchom program Notepad.lnk");
  ASSERT_TRUE(shellLinks.created().contains(file));
  EXPECT_EQ(shellLinks.created().at(file).workingDirectory, "C:\\Windows");
  EXPECT_FALSE(page.hasPendingEdits());

  // Renaming onto an entry that is there fails with the page's message.
  select(page, "Pokaż pulpit");
  click("SzybkieUruchamianieRename");
  type("SzybkieUruchamianieNewName", "Wyswietl kanaly");
  fs::copy_file(hostPath(std::string(kQuickLaunch) + "\\Pokaż pulpit.scf"),
                hostPath(std::string(kQuickLaunch)) / "Wyswietl kanaly.scf");
  click("SzybkieUruchamianieRenameOk");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_TRUE(messages()[0].ends_with("nie istnieje już wpis o takiej samej nazwie\"")) << messages()[0];
  EXPECT_TRUE(fs::exists(hostPath(std::string(kQuickLaunch) + "\\Pokaż pulpit.scf")));
}

// The shared operations on the sandbox's own files, with the real link reader.
TEST_F(ShortcutFolderPagesTest, FolderListingAndTargetDescriptionOnTheSandbox) {
  FileSystem& files = app->files();
  LinuxShellLinks links(app->environment().ansiCodePage());
  EXPECT_EQ(folderListing(files, kSendTo, "*.*"),
            (std::vector<std::string>{"Adresat poczty.MAPIMail", "Moje dokumenty.mydocs", "Notatnik.lnk",
                                      "Pulpit (utwórz skrót).DeskLink", "WinZip.lnk"}));
  EXPECT_TRUE(folderListing(files, "C:\\WINDOWS\\Nie ma", "*.*").empty());
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\WINDOWS\\SendTo\\Notatnik.lnk", "C:\\WINDOWS\\NOTEPAD.EXE"},
      {"C:\\WINDOWS\\SendTo\\Adresat poczty.MAPIMail", "Adresat poczty"},
      {"C:\\WINDOWS\\SendTo\\Moje dokumenty.mydocs", "Moje dokumenty"},
      {"C:\\WINDOWS\\SendTo\\Pulpit (utwórz skrót).DeskLink", "Pulpit (utwórz skrót)"},
      {std::string(kQuickLaunch) + "\\Pokaż pulpit.scf", "Pokaż pulpit"},
      {"C:\\WINDOWS\\SendTo\\Brak.lnk", ""},
      {"C:\\WINDOWS\\win.ini", ""},
  };
  for (const auto& [path, target] : cases) EXPECT_EQ(targetDescription(files, links, path), target) << path;
  EXPECT_EQ(withoutExtension("list.txt.lnk"), "list.txt");
  EXPECT_EQ(extensionOf("Notatnik.lnk"), ".lnk");
  EXPECT_EQ(extensionOf("README"), "");
  EXPECT_EQ(programFolder("C:\\x.exe"), "C:\\");
}

}  // namespace
}  // namespace kelvaro::testing
