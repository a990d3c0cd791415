// The favourites page: the Favorites folder as a tree; files renamed, moved
// and deleted, folders made and deleted with everything in them, shortcuts
// added, each at once.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <fstream>

#include "pages/shell/dos_folder_tree.h"
#include "pages/shell/favorites_page.h"
#include "platform/file_system.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kRoot[] = "C:\\WINDOWS\\Ulubione";
const char* const kSelectionCommands[] = {"UlubioneRemoveFile", "UlubioneRename", "UlubioneRemoveFolder",
                                          "UlubioneMove"};

class FavoritesPageTest : public PageHarness {
 protected:
  void SetUp() override { ASSERT_NE(start(), nullptr); }
  FavoritesPage& show() { return static_cast<FavoritesPage&>(showAndLoad("UlubionePage2")); }
  fs::path root() { return hostPath(kRoot); }

  // A click on the node of a path, its folders opened first as a user would.
  void clickNode(DosFolderTree* tree, const std::string& path) {
    std::string folder = path;
    std::vector<std::string> chain;
    while (folder.size() > std::string(kRoot).size()) {
      folder = folder.substr(0, folder.rfind('\\'));
      chain.insert(chain.begin(), folder);
    }
    for (const std::string& open : chain)
      if (QTreeWidgetItem* item = tree->itemOf(open)) item->setExpanded(true);
    QTreeWidgetItem* item = tree->itemOf(path);
    ASSERT_NE(item, nullptr) << path;
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    ASSERT_EQ(tree->selectedPath(), path);
  }
  std::vector<bool> selectionCommands() {
    std::vector<bool> on;
    for (const char* name : kSelectionCommands) on.push_back(find<QPushButton>(name)->isEnabled());
    return on;
  }
  std::vector<std::string> messages() {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.boxes()) texts.push_back(box.text);
    return texts;
  }
};

TEST_F(FavoritesPageTest, SelectionDecidesTheCommands) {
  // The sandbox's Desktop.ini, in another letter case.
  fs::rename(root() / "Desktop.ini", root() / "desktop.INI");
  FavoritesPage& page = show();
  EXPECT_EQ(page.root(), kRoot);
  EXPECT_EQ(page.tree()->topLevelItem(0)->text(0), "ULUBIONE");
  const std::vector<bool> none{false, false, false, false};
  EXPECT_EQ(selectionCommands(), none);
  const std::pair<std::string, std::vector<bool>> cases[] = {
      {std::string(kRoot) + "\\Portal.url", {true, true, false, true}},
      {std::string(kRoot) + "\\desktop.INI", none},
      {std::string(kRoot) + "\\Media", {false, false, true, false}},
      {std::string(kRoot) + "\\Media\\Radio internetowe.url", {true, true, false, true}},
      {kRoot, none},
  };
  for (const auto& [path, commands] : cases) {
    SCOPED_TRACE(path);
    clickNode(page.tree(), path);
    EXPECT_EQ(selectionCommands(), commands);
  }
}

TEST_F(FavoritesPageTest, RenameKeepsFolderAndExtensionAndRefusesPaths) {
  std::ofstream(root() / "Media" / "Onet.url") << "[InternetShortcut]";
  FavoritesPage& page = show();
  clickNode(page.tree(), std::string(kRoot) + "\\Media\\Onet.url");
  doubleClick(
      page.tree()->viewport(),
      page.tree()->visualItemRect(page.tree()->itemOf(std::string(kRoot) + "\\Media\\Onet.url")).center());
  EXPECT_FALSE(page.tree()->isEnabled());
  EXPECT_EQ(find<QLineEdit>("UlubioneNewName")->text(), "Onet");
  EXPECT_TRUE(page.hasPendingEdits());
  type("UlubioneNewName", "Portal");
  key(find<QLineEdit>("UlubioneNewName"), Qt::Key_Return);
  EXPECT_TRUE(messages().empty());
  EXPECT_TRUE(fs::exists(root() / "Media" / "Portal.url"));
  EXPECT_FALSE(fs::exists(root() / "Media" / "Onet.url"));
  EXPECT_TRUE(page.tree()->isEnabled());
  EXPECT_FALSE(page.hasPendingEdits());

  for (const char* name : {"..\\Portal2", "..\\..\\..\\Poza", "a/b", "x?"}) {
    SCOPED_TRACE(name);
    dialogs.shown.clear();
    clickNode(page.tree(), std::string(kRoot) + "\\Media\\Portal.url");
    click("UlubioneRename");
    type("UlubioneNewName", name);
    click("UlubioneRenameOk");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].starts_with("Nie mogę zmienić nazwy tego pliku.\r")) << messages()[0];
    EXPECT_TRUE(fs::exists(root() / "Media" / "Portal.url"));
  }
  EXPECT_FALSE(fs::exists(root() / "Portal2.url"));
  EXPECT_FALSE(fs::exists(hostPath("C:\\Poza.url")));
}

TEST_F(FavoritesPageTest, MoveGoesToTheChosenFolderButNotOntoItself) {
  FavoritesPage& page = show();
  const std::string source = std::string(kRoot) + "\\Media\\Radio internetowe.url";
  clickNode(page.tree(), source);
  click("UlubioneMove");
  EXPECT_EQ(find<QLabel>("UlubioneMoveSource")->text().toStdString(), source);
  EXPECT_FALSE(find<QPushButton>("UlubioneMoveOk")->isEnabled());
  clickNode(page.moveTree(), std::string(kRoot) + "\\Media");
  EXPECT_EQ(find<QLabel>("UlubioneMoveDestination")->text().toStdString(), std::string(kRoot) + "\\Media\\");
  click("UlubioneMoveOk");
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_TRUE(messages()[0].starts_with("Nie mogę przenieść wskazanego pliku do w")) << messages()[0];
  EXPECT_TRUE(fs::exists(root() / "Media" / "Radio internetowe.url"));

  clickNode(page.tree(), source);
  click("UlubioneMove");
  clickNode(page.moveTree(), std::string(kRoot) + "\\Łącza");
  key(page.moveTree(), Qt::Key_Return);
  EXPECT_EQ(messages().size(), 1u);
  EXPECT_TRUE(fs::exists(root() / "Łącza" / "Radio internetowe.url"));
  EXPECT_FALSE(fs::exists(root() / "Media" / "Radio internetowe.url"));
  EXPECT_FALSE(find<QWidget>("UlubioneMovePanel")->isVisible());
}

TEST_F(FavoritesPageTest, NewFolderGoesBesideAFileOrInsideAFolder) {
  FavoritesPage& page = show();
  clickNode(page.tree(), std::string(kRoot) + "\\Media\\Radio internetowe.url");
  click("UlubioneNewFolder");
  EXPECT_EQ(find<QLabel>("UlubioneFolderLocation")->text().toStdString(), std::string(kRoot) + "\\Media\\");
  EXPECT_EQ(find<QLineEdit>("UlubioneFolderName")->text(), "Nowy folder");
  click("UlubioneFolderOk");
  EXPECT_TRUE(fs::is_directory(root() / "Media" / "Nowy folder"));

  clickNode(page.tree(), std::string(kRoot) + "\\Media");
  click("UlubioneNewFolder");
  type("UlubioneFolderName", "Filmy");
  key(find<QLineEdit>("UlubioneFolderName"), Qt::Key_Return);
  EXPECT_TRUE(fs::is_directory(root() / "Media" / "Filmy"));
  EXPECT_TRUE(messages().empty());

  // A name that is there already, or a path, makes nothing.
  for (const char* name : {"Filmy", "..\\..\\Wyjscie", "a|b"}) {
    SCOPED_TRACE(name);
    dialogs.shown.clear();
    clickNode(page.tree(), std::string(kRoot) + "\\Media");
    click("UlubioneNewFolder");
    type("UlubioneFolderName", name);
    click("UlubioneFolderOk");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].starts_with("Nie mogę utworzyć nowego folderu.")) << messages()[0];
  }
  EXPECT_FALSE(fs::exists(hostPath("C:\\WINDOWS\\Wyjscie")));
}

TEST_F(FavoritesPageTest, DeletingAFolderTakesItsReadOnlyFilesButNothingALinkLeadsTo) {
  const fs::path old = root() / "Stare";
  fs::create_directories(old / "Głębiej");
  for (const char* name : {"a.url", "zablokowany.url", "Głębiej/b.url"})
    std::ofstream(old / fs::u8path(name)) << "x";
  ASSERT_TRUE(app->files().setAttributes(std::string(kRoot) + "\\Stare\\zablokowany.url",
                                         kAttributeReadOnly | kAttributeHidden));
  const fs::path outside = hostPath("C:\\Moje dokumenty");
  const std::size_t outsideCount = std::distance(fs::directory_iterator(outside), fs::directory_iterator());
  fs::create_directory_symlink(outside, old / "Dokumenty");

  FavoritesPage& page = show();
  clickNode(page.tree(), std::string(kRoot) + "\\Stare");
  click("UlubioneRemoveFolder");
  EXPECT_FALSE(fs::exists(fs::symlink_status(old)));
  EXPECT_EQ(
      static_cast<std::size_t>(std::distance(fs::directory_iterator(outside), fs::directory_iterator())),
      outsideCount);
  EXPECT_EQ(page.tree()->itemOf(std::string(kRoot) + "\\Stare"), nullptr);
  EXPECT_TRUE(messages().empty());
}

TEST_F(FavoritesPageTest, AddingMakesAShortcutInTheChosenFolder) {
  FavoritesPage& page = show();
  dialogs.answer(std::optional<std::string>("C:\\Moje dokumenty\\list.txt"));
  click("UlubioneAdd");
  ASSERT_FALSE(dialogs.shown.empty());
  EXPECT_EQ(dialogs.shown[0].file.filter, "Wszystkie pliki (*.*)|*.*");
  EXPECT_EQ(dialogs.shown[0].file.initialFolder, "C:\\");
  EXPECT_EQ(find<QLineEdit>("UlubioneAddFile")->text(), "C:\\Moje dokumenty\\list.txt");
  EXPECT_EQ(find<QLineEdit>("UlubioneAddName")->text(), "list");
  EXPECT_FALSE(page.tree()->isEnabled());
  // No folder chosen yet.
  EXPECT_FALSE(find<QPushButton>("UlubioneAddOk")->isEnabled());

  click(find<QRadioButton>("UlubioneToWeb"));
  ASSERT_EQ(messages().size(), 1u);
  EXPECT_TRUE(messages()[0].starts_with("Niestety, narazie nie wiem jak zrobić skrót do strony"))
      << messages()[0];
  EXPECT_TRUE(find<QRadioButton>("UlubioneToFile")->isChecked());

  clickNode(page.addTree(), std::string(kRoot) + "\\Oprogramowanie");
  ASSERT_TRUE(find<QPushButton>("UlubioneAddOk")->isEnabled());
  EXPECT_TRUE(page.hasPendingEdits());
  type("UlubioneAddName", "Lista zakupow");
  click("UlubioneAddOk");
  const fs::path file = root() / "Oprogramowanie" / "Lista zakupow.lnk";
  ASSERT_TRUE(shellLinks.created().contains(file));
  EXPECT_EQ(shellLinks.created().at(file).target, "C:\\Moje dokumenty\\list.txt");
  EXPECT_EQ(shellLinks.created().at(file).workingDirectory, "C:\\Moje dokumenty");
  EXPECT_FALSE(find<QWidget>("UlubioneAddPanel")->isVisible());
  EXPECT_TRUE(find<QLineEdit>("UlubioneAddFile")->text().isEmpty());
}

TEST_F(FavoritesPageTest, KeysOfTheTreeDeleteAndAdd) {
  std::ofstream(root() / "Zbedny.url") << "x";
  FavoritesPage& page = show();
  clickNode(page.tree(), std::string(kRoot) + "\\Zbedny.url");
  key(page.tree(), Qt::Key_Delete);
  EXPECT_FALSE(fs::exists(root() / "Zbedny.url"));
  EXPECT_EQ(page.selectedPath(), kRoot);
  dialogs.answer(std::optional<std::string>());
  key(page.tree(), Qt::Key_Return);
  EXPECT_TRUE(find<QWidget>("UlubioneAddPanel")->isVisible());
  key(find<QLineEdit>("UlubioneAddName"), Qt::Key_Escape);
  EXPECT_FALSE(find<QWidget>("UlubioneAddPanel")->isVisible());
  EXPECT_TRUE(page.tree()->isEnabled());
}

}  // namespace
}  // namespace kelvaro::testing
