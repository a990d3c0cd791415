// The folder pages of the shell on a real Wine prefix: they find Wine's
// folders through its registry, and what they write is what Wine and
// lnkinfo read.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <fstream>

#include "pages/shell/dos_folder_tree.h"
#include "pages/shell/favorites_page.h"
#include "pages/shell/hidden_folder_page.h"
#include "pages/shell/recent_documents_page.h"
#include "pages/shell/shortcut_folder_page.h"
#include "pages/shell/shortcuts_page.h"
#include "platform/file_system.h"
#include "platform/linux_shell_links.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kShellFolders[] =
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The text of a REG_SZ value in `wine reg query` output.
std::string valueText(const std::string& output) {
  const std::size_t at = output.find("REG_SZ");
  if (at == std::string::npos) return {};
  std::string value = output.substr(at + 6);
  value.erase(0, value.find_first_not_of(" \t"));
  value.erase(value.find_last_not_of("\r\n ") + 1);
  return value;
}

// The value of a "Label : value" line of lnkinfo.
std::string lnkField(const std::string& info, const std::string& label) {
  std::size_t at = info.find(label);
  while (at != std::string::npos && at > 0 && info[at - 1] != '\n' && info[at - 1] != '\t')
    at = info.find(label, at + 1);
  if (at == std::string::npos) return {};
  const std::size_t colon = info.find(": ", at);
  const std::size_t end = info.find('\n', at);
  return colon == std::string::npos || colon > end ? std::string() : info.substr(colon + 2, end - colon - 2);
}

bool sameText(const std::string& a, const std::string& b) {
  return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) == 0;
}

class ShellMenuPagesOnWineTest : public WinePrefixTest {
 protected:
  // The program on the prefix with the real shortcut writer and reader.
  std::unique_ptr<Session> openWithLinks() {
    auto session = std::make_unique<Session>();
    session->environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
    Platform services = platform(session->environment.get());
    links = std::make_unique<LinuxShellLinks>(session->environment->ansiCodePage());
    services.shellLinks = links.get();
    session->app = std::make_unique<AppContext>(services);
    session->window = std::make_unique<TKelvaro>(*session->app, createPage);
    session->window->show();
    return session;
  }
  QPushButton* button(Page* page, const char* name) { return page->findChild<QPushButton*>(name); }

  std::unique_ptr<LinuxShellLinks> links;
};

TEST_F(ShellMenuPagesOnWineTest, SendToAddsAShortcutWineListsAndRemovesIt) {
  const std::string sendTo = valueText(query(kShellFolders, "SendTo"));
  ASSERT_FALSE(sendTo.empty());
  stopWineserver();
  fs::path file;
  {
    auto session = openWithLinks();
    // The folders page's labels name the folders, as the start-up loaders fill them first.
    ASSERT_NE(session->showAndLoad("foldery"), nullptr);
    auto* page = static_cast<ShortcutFolderPage*>(session->showAndLoad("SendTo"));
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(sameText(page->folder(), sendTo)) << page->folder() << " vs " << sendTo;
    const int before = page->entryList()->count();

    dialogs.answer(std::optional<std::string>("C:\\windows\\notepad.exe"));
    QTest::mouseClick(button(page, "SendToAdd"), Qt::LeftButton);
    auto* name = page->findChild<QLineEdit*>("SendToName");
    EXPECT_EQ(name->text(), "notepad");
    name->selectAll();
    QTest::keyClicks(name, "Kelvaro Notatnik");
    QTest::mouseClick(button(page, "SendToAddOk"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
    ASSERT_EQ(page->entryList()->count(), before + 1);
    file = session->environment->files().hostPath(sendTo + "\\Kelvaro Notatnik.lnk").value_or(fs::path());
    ASSERT_TRUE(fs::is_regular_file(file));
    ASSERT_TRUE(clickItem(page->entryList(), "Kelvaro Notatnik"));
    EXPECT_EQ(page->targetLine()->text(), "C:\\windows\\notepad.exe");
  }
  const std::string info = capture("lnkinfo '" + file.string() + "' 2>&1");
  EXPECT_EQ(lnkField(info, "Local path"), "C:\\windows\\notepad.exe") << info;
  EXPECT_EQ(lnkField(info, "Working directory"), "C:\\windows") << info;
  const std::string listed = wine("cmd /c dir /b '" + sendTo + "'");
  EXPECT_NE(listed.find("Kelvaro Notatnik.lnk"), std::string::npos) << listed;
  stopWineserver();
  {
    auto session = openWithLinks();
    auto* page = static_cast<ShortcutFolderPage*>(session->showAndLoad("SendTo"));
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(clickItem(page->entryList(), "Kelvaro Notatnik"));
    QTest::mouseClick(button(page, "SendToRemove"), Qt::LeftButton);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(dialogs.boxes().empty());
  }
}

TEST_F(ShellMenuPagesOnWineTest, FavoritesHiddenFoldersAndRecentWorkOnWinesFolders) {
  const std::string favorites = valueText(query(kShellFolders, "Favorites"));
  ASSERT_FALSE(favorites.empty());
  stopWineserver();
  const fs::path scratch = prefix / "drive_c" / "kelvaro-ukryj";
  fs::create_directories(scratch / "Prywatne");
  {
    auto session = openWithLinks();
    FileSystem& files = session->environment->files();
    ASSERT_NE(session->showAndLoad("foldery"), nullptr);
    // The Recent and Quick Launch folders load without a box whatever Wine holds.
    auto* recent = static_cast<RecentDocumentsPage*>(session->showAndLoad("Doki"));
    ASSERT_NE(recent, nullptr);
    EXPECT_TRUE(recent->heading()->text().startsWith("Zawartość menu \"Dokumenty\" ("));
    ASSERT_NE(session->showAndLoad("SzybkieUruchamianie"), nullptr);

    // A folder made in Wine's Favorites, a file put in it, the folder deleted.
    auto* page = static_cast<FavoritesPage*>(session->showAndLoad("UlubionePage2"));
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(sameText(page->root(), favorites)) << page->root();
    QTest::mouseClick(button(page, "UlubioneNewFolder"), Qt::LeftButton);
    auto* folderName = page->findChild<QLineEdit*>("UlubioneFolderName");
    folderName->selectAll();
    QTest::keyClicks(folderName, "Kelvaro");
    QTest::mouseClick(button(page, "UlubioneFolderOk"), Qt::LeftButton);
    const fs::path made = files.hostPath(page->root() + "\\Kelvaro").value_or(fs::path());
    ASSERT_TRUE(fs::is_directory(made));
    std::ofstream(made / "strona.url") << "[InternetShortcut]";
    ASSERT_TRUE(files.setAttributes(page->root() + "\\Kelvaro\\strona.url", kAttributeReadOnly));
    session->window->reReadActivePage();
    QTreeWidgetItem* node = page->tree()->itemOf(page->root() + "\\Kelvaro");
    ASSERT_NE(node, nullptr);
    QTest::mouseClick(page->tree()->viewport(), Qt::LeftButton, {},
                      page->tree()->visualItemRect(node).center());
    QTest::mouseClick(button(page, "UlubioneRemoveFolder"), Qt::LeftButton);
    EXPECT_FALSE(fs::exists(made));

    // A folder disguised as the Recycle Bin and back.
    auto* hidden = static_cast<HiddenFolderPage*>(session->showAndLoad("UkryjFolder"));
    ASSERT_NE(hidden, nullptr);
    DosFolderTree* tree = hidden->tree();
    tree->itemOf("C:\\")->setExpanded(true);
    QTreeWidgetItem* scratchNode = tree->itemOf("C:\\kelvaro-ukryj");
    ASSERT_NE(scratchNode, nullptr);
    scratchNode->setExpanded(true);
    QTreeWidgetItem* folder = tree->itemOf("C:\\kelvaro-ukryj\\Prywatne");
    ASSERT_NE(folder, nullptr);
    tree->scrollToItem(folder);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(folder).center());
    auto* objects = hidden->findChild<QComboBox*>("UkryjFolderObject");
    objects->setCurrentIndex(objects->findText("Kosz"));
    QTest::mouseClick(button(hidden, "UkryjFolderHide"), Qt::LeftButton);
    EXPECT_TRUE(fs::is_directory(scratch / "Prywatne.{645FF040-5081-101B-9F08-00AA002F954E}"));
    QTest::mouseClick(button(hidden, "UkryjFolderRestore"), Qt::LeftButton);
    EXPECT_TRUE(fs::is_directory(scratch / "Prywatne"));
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  fs::remove_all(scratch);
}

TEST_F(ShellMenuPagesOnWineTest, RundllShortcutsLandOnWinesDesktop) {
  const std::string desktop = valueText(query(kShellFolders, "Desktop"));
  ASSERT_FALSE(desktop.empty());
  stopWineserver();
  std::vector<fs::path> made;
  std::string windows;
  {
    auto session = openWithLinks();
    auto* page = static_cast<ShortcutsPage*>(session->showAndLoad("skroty"));
    ASSERT_NE(page, nullptr);
    windows = session->environment->windowsDirectory();
    for (const char* name : {"Zamknij Windows.lnk", "Wyłącz mysz.lnk"}) {
      const fs::path file =
          session->environment->files().hostPath(desktop + "\\" + name).value_or(fs::path());
      ASSERT_FALSE(file.empty());
      ASSERT_FALSE(fs::exists(file)) << file;
      made.push_back(file);
    }
    for (std::size_t i : {0u, 21u}) QTest::keyClick(page->box(i), Qt::Key_Space);
    QTest::mouseClick(button(page, "skrotyCreate"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  const std::pair<fs::path, const char*> expected[] = {{made[0], "user,exitwindows"},
                                                       {made[1], "mouse,disable"}};
  for (const auto& [file, arguments] : expected) {
    SCOPED_TRACE(file.string());
    EXPECT_TRUE(fs::is_regular_file(file));
    const std::string info = capture("lnkinfo -c windows-1250 '" + file.string() + "' 2>&1");
    EXPECT_TRUE(sameText(lnkField(info, "Local path"), windows + "\\Rundll32.exe")) << info;
    EXPECT_EQ(lnkField(info, "Command line arguments"), arguments) << info;
  }
  for (const fs::path& file : made) fs::remove(file);
}

}  // namespace
}  // namespace kelvaro::testing
