// The hidden folders page: a folder disguised as a shell object by a rename
// to its class identifier, and restored.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pages/shell/dos_folder_tree.h"
#include "pages/shell/hidden_folder_page.h"
#include "platform/file_system.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

constexpr char kBin[] = ".{645FF040-5081-101B-9F08-00AA002F954E}";

class HiddenFolderPageTest : public PageHarness {
 protected:
  void SetUp() override {
    fs::create_directories(hostPath("C:\\") / "Dane" / "Prywatne" / "listy");
    ASSERT_NE(start(), nullptr);
  }
  HiddenFolderPage& show() { return static_cast<HiddenFolderPage&>(showAndLoad("UkryjFolder")); }
  // A click on a folder's node, the folders above it opened first.
  void clickFolder(const std::string& path) {
    DosFolderTree* tree = static_cast<HiddenFolderPage&>(page("UkryjFolder")).tree();
    tree->topLevelItem(0)->setExpanded(true);
    for (std::size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
      if (QTreeWidgetItem* item = tree->itemOf(path.substr(0, slash))) item->setExpanded(true);
    QTreeWidgetItem* item = tree->itemOf(path);
    ASSERT_NE(item, nullptr) << path;
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    ASSERT_EQ(tree->selectedPath(), path);
  }
  QPushButton* hideButton() { return find<QPushButton>("UkryjFolderHide"); }
  QPushButton* restoreButton() { return find<QPushButton>("UkryjFolderRestore"); }
  QComboBox* objects() { return find<QComboBox>("UkryjFolderObject"); }
  QLineEdit* name() { return find<QLineEdit>("UkryjFolderName"); }
};

TEST_F(HiddenFolderPageTest, HidesAFolderAsTheRecycleBinAndRestoresIt) {
  HiddenFolderPage& page = show();
  EXPECT_EQ(page.tree()->topLevelItem(0)->text(0), "C:\\");
  for (QWidget* w : std::initializer_list<QWidget*>{name(), objects(), hideButton(), restoreButton()})
    EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
  EXPECT_EQ(objects()->currentText(), "Dokument HTML");
  EXPECT_EQ(objects()->count(), 6);

  clickFolder("C:\\Dane\\Prywatne");
  EXPECT_EQ(name()->text(), "Prywatne");
  EXPECT_TRUE(hideButton()->isEnabled());
  EXPECT_FALSE(restoreButton()->isEnabled());
  EXPECT_TRUE(page.hasPendingEdits());
  objects()->setCurrentIndex(objects()->findText("Kosz"));
  type(name(), "Smieci");
  EXPECT_EQ(find<QLabel>("UkryjFolderPath")->text(), "C:\\Dane\\Smieci");
  click(hideButton());
  EXPECT_TRUE(dialogs.boxes().empty());
  const fs::path disguised = hostPath("C:\\Dane") / (std::string("Smieci") + kBin);
  EXPECT_TRUE(fs::is_directory(disguised / "listy"));
  EXPECT_FALSE(fs::exists(hostPath("C:\\Dane") / "Prywatne"));
  // The node follows: it is the disguised folder now.
  EXPECT_EQ(page.tree()->selectedPath(), std::string("C:\\Dane\\Smieci") + kBin);
  EXPECT_TRUE(restoreButton()->isEnabled());
  EXPECT_FALSE(hideButton()->isEnabled());

  click(restoreButton());
  EXPECT_TRUE(fs::is_directory(hostPath("C:\\Dane") / "Smieci" / "listy"));
  EXPECT_FALSE(fs::exists(disguised));
  EXPECT_FALSE(restoreButton()->isEnabled());
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(HiddenFolderPageTest, ADisguisedFolderShowsItsObjectAndName) {
  fs::create_directories(hostPath("C:\\Dane") / (std::string("Śmieci") + kBin));
  show();
  clickFolder(std::string("C:\\Dane\\Śmieci") + kBin);
  EXPECT_EQ(objects()->currentText(), "Kosz");
  EXPECT_EQ(name()->text(), "Śmieci");
  EXPECT_TRUE(restoreButton()->isEnabled());
  EXPECT_FALSE(hideButton()->isEnabled());
  click(restoreButton());
  EXPECT_TRUE(fs::is_directory(hostPath("C:\\Dane") / "Śmieci"));
}

TEST_F(HiddenFolderPageTest, RootsEmptyNamesAndPathsAreRefused) {
  HiddenFolderPage& page = show();
  QTest::mouseClick(page.tree()->viewport(), Qt::LeftButton, {},
                    page.tree()->visualItemRect(page.tree()->topLevelItem(0)).center());
  EXPECT_FALSE(hideButton()->isEnabled());
  EXPECT_FALSE(restoreButton()->isEnabled());

  clickFolder("C:\\Dane\\Prywatne");
  name()->clear();
  EXPECT_FALSE(hideButton()->isEnabled());

  for (const char* typed : {"..\\..\\Poza", "a/b", "x:y"}) {
    SCOPED_TRACE(typed);
    dialogs.shown.clear();
    clickFolder("C:\\Dane\\Prywatne");
    type(name(), typed);
    click(hideButton());
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_TRUE(dialogs.boxes()[0].text.starts_with("Nie można ukryć wskazanego folderu poni"))
        << dialogs.boxes()[0].text;
  }
  EXPECT_TRUE(fs::is_directory(hostPath("C:\\Dane") / "Prywatne"));
  EXPECT_EQ(std::distance(fs::directory_iterator(hostPath("C:\\Dane")), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace kelvaro::testing
