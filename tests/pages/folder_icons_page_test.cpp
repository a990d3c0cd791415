// The folder icons page: reading a folder's desktop.ini, writing the five
// lines with the folder and file attributes, removing them again.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <sys/xattr.h>

#include "dialogs/icon_picker.h"
#include "pages/shell/desktop_ini.h"
#include "pages/shell/folder_icons_page.h"
#include "platform/file_system.h"
#include "tests/support/page_harness.h"
#include "tests/support/user_input.h"

namespace kelvaro::testing {
namespace {

constexpr char kShell32[] = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL";

TEST(DesktopIni, LinesAreRecognisedByTheirLettersAndALaterLineWins) {
  struct Case {
    std::vector<std::string> lines;
    std::optional<std::string> file, index, tip;
  };
  const Case cases[] = {
      {{"[.ShellClassInfo]", "IconFile=%SystemRoot%/system32/shell32.dll", "IconIndex=4", "InfoTip=Moje"},
       "%SystemRoot%/system32/shell32.dll",
       "4",
       "Moje"},
      {{"iconfile=a.ico", "ICONFILE=b.ico", "iconindex=1", "INFOTIP=x=y"}, "b.ico", "1", "y"},
      // Only the letters count: "IxxxF..." is an icon file line, "xNxxT" a tooltip.
      {{"IabcFile=c.ico", "anxxtip=t", "I", "Iabc", "IconArea_Image=x.bmp"}, "c.ico", std::nullopt, "t"},
      {{"IconFile", "InfoTip"}, "", std::nullopt, ""},
  };
  for (const Case& c : cases) {
    const FolderCustomisation found = recogniseDesktopIni(c.lines);
    EXPECT_EQ(found.iconFile, c.file) << c.lines.front();
    EXPECT_EQ(found.iconIndex, c.index) << c.lines.front();
    EXPECT_EQ(found.infoTip, c.tip) << c.lines.front();
  }
  EXPECT_EQ(splitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(DesktopIni, TheFiveLinesComeFirstAndWhatElseTheFileSaidStays) {
  EXPECT_EQ(desktopIniText("C:\\x.dll", "3", "Dane"),
            "[.ShellClassInfo]\r\nIconFile=C:\\x.dll\r\nIconIndex=3\r\nConfirmFileOp=0\r\nInfoTip=Dane\r\n");
  const std::vector<std::string> previous{"[.ShellClassInfo]", "CLSID={450D8FBA-AD25-11D0-98A8-0800361B1103}",
                                          "IconFile=old.ico",  "ConfirmFileOp=1",
                                          "InfoTip=stare",     "",
                                          "[ViewState]",       "Mode=4"};
  EXPECT_EQ(desktopIniText("new.ico", "0", "nowe", previous),
            "[.ShellClassInfo]\r\nIconFile=new.ico\r\nIconIndex=0\r\nConfirmFileOp=0\r\nInfoTip=nowe\r\n"
            "CLSID={450D8FBA-AD25-11D0-98A8-0800361B1103}\r\n[ViewState]\r\nMode=4\r\n");
}

class FolderIconsPageTest : public PageHarness {
 protected:
  void SetUp() override {
    useEnvironmentIcons();
    ASSERT_TRUE(app->files().createDirectory("C:\\Dane"));
    makeWindow();
    page = static_cast<FolderIconsPage*>(&this->PageHarness::page("IkonyFolderow"));
    frame().showPage("IkonyFolderow");
  }
  QPushButton* applyButton() { return find<QPushButton>("IkonyFolderowZastosuj"); }
  QImage preview() { return page->preview()->pixmap().toImage().convertToFormat(QImage::Format_ARGB32); }
  QImage icon(std::string_view file, int index) {
    return environmentIcons->extractIcon(file, index).large.convertToFormat(QImage::Format_ARGB32);
  }
  void writeIni(std::string_view text) { ASSERT_TRUE(app->files().writeFile("C:\\Dane\\desktop.ini", text)); }
  void pickIcon(int index) {
    click(find<QPushButton>("IkonyFolderowZmien"));
    TIkonyForm& picker = app->iconPicker();
    ASSERT_EQ(picker.slot(), 63);
    ASSERT_TRUE(clickItem(picker.fileList(), "SHELL32.DLL"));
    ASSERT_TRUE(clickItem(picker.iconList(), QString::number(index)));
    QTest::mouseClick(picker.okButton(), Qt::LeftButton);
  }

  FolderIconsPage* page = nullptr;
};

TEST_F(FolderIconsPageTest, ADesktopIniWithForwardSlashesShowsTheShellLibrarysIcon) {
  std::filesystem::create_directories(hostPath("C:\\WINDOWS\\System32"));
  std::filesystem::copy_file(hostPath(kShell32), hostPath("C:\\WINDOWS\\System32\\shell32.dll"));
  writeIni(
      "[.ShellClassInfo]\r\nIconFile=%SystemRoot%/system32/shell32.dll\r\nIconIndex=4\r\nInfoTip=Moje "
      "dane\r\n");
  type(page->folderField(), "C:\\Dane");
  EXPECT_EQ(page->iconFile(), "%SystemRoot%\\system32\\shell32.dll");
  EXPECT_EQ(page->iconIndex(), "4");
  EXPECT_EQ(page->tipField()->text(), "Moje dane");
  EXPECT_EQ(preview(), icon("C:\\WINDOWS\\System32\\shell32.dll", 4));
  EXPECT_TRUE(page->removeButton()->isEnabled());
  EXPECT_FALSE(applyButton()->isEnabled());
}

TEST_F(FolderIconsPageTest, AnIconFileRelativeToTheFolderShowsThatIcon) {
  ASSERT_TRUE(app->files().copyFile("C:\\WINDOWS\\SYSTEM\\mydocs.dll", "C:\\Dane\\folder.dll", false));
  writeIni("[.ShellClassInfo]\nIconFile=folder.dll\nIconIndex=1\n");
  type(page->folderField(), "C:\\Dane");
  EXPECT_EQ(preview(), icon("C:\\Dane\\folder.dll", 1));
  EXPECT_FALSE(preview().isNull());

  // A folder that does not exist clears everything.
  type(page->folderField(), "C:\\Brak");
  EXPECT_EQ(page->iconFile(), "");
  EXPECT_TRUE(page->preview()->pixmap().isNull());
  EXPECT_FALSE(page->removeButton()->isEnabled());
}

TEST_F(FolderIconsPageTest, ApplyWritesTheFiveLinesAndTheAttributesAndRemoveUndoesThem) {
  type(page->folderField(), "C:\\Dane");
  type(page->tipField(), "Dane firmy");
  EXPECT_FALSE(applyButton()->isEnabled());  // no icon yet
  pickIcon(5);
  EXPECT_EQ(page->iconFile(), kShell32);
  EXPECT_EQ(page->iconIndex(), "5");
  EXPECT_EQ(preview(), icon(kShell32, 5));
  ASSERT_TRUE(applyButton()->isEnabled());
  key(page->tipField(), Qt::Key_Return);  // Enter applies

  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(
      app->files().readFile("C:\\Dane\\desktop.ini"),
      "[.ShellClassInfo]\r\nIconFile=C:\\WINDOWS\\SYSTEM\\SHELL32.DLL\r\nIconIndex=5\r\nConfirmFileOp=0\r\n"
      "InfoTip=Dane firmy\r\n");
  EXPECT_EQ(app->files().attributes("C:\\Dane"), kAttributeDirectory | kAttributeSystem);
  EXPECT_EQ(*app->files().attributes("C:\\Dane\\desktop.ini") &
                (kAttributeHidden | kAttributeSystem | kAttributeReadOnly),
            kAttributeHidden);
  // Kept as Wine keeps them, in the extended attribute Wine reads.
  char text[32] = {};
  ASSERT_GT(::getxattr(hostPath("C:\\Dane").c_str(), "user.DOSATTRIB", text, sizeof text - 1), 0);
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_FALSE(app->restartNeeded());
  ASSERT_TRUE(page->removeButton()->isEnabled());

  // Delete in a field deletes a character, nothing else.
  page->tipField()->setFocus();
  page->tipField()->end(false);
  QTest::keyClick(page->tipField(), Qt::Key_Backspace);
  page->tipField()->home(false);
  QTest::keyClick(page->tipField(), Qt::Key_Delete);
  EXPECT_EQ(page->tipField()->text(), "ane firm");
  EXPECT_TRUE(app->files().fileExists("C:\\Dane\\desktop.ini"));

  click(page->removeButton());
  EXPECT_FALSE(app->files().fileExists("C:\\Dane\\desktop.ini"));
  EXPECT_EQ(app->files().attributes("C:\\Dane"), kAttributeDirectory);
  EXPECT_EQ(page->tipField()->text(), "");
  EXPECT_EQ(page->iconFile(), "");
  EXPECT_FALSE(page->removeButton()->isEnabled());
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(FolderIconsPageTest, TheBrowsersFolderIsReadAfreshAndCancellingChangesNothing) {
  type(page->folderField(), "C:\\Dane");
  type(page->tipField(), "stary opis");
  pickIcon(2);
  ASSERT_TRUE(applyButton()->isEnabled());
  dialogs.answer(std::nullopt);
  click(find<QPushButton>("IkonyFolderowBrowse"));
  EXPECT_EQ(page->tipField()->text(), "stary opis");
  EXPECT_TRUE(applyButton()->isEnabled());

  ASSERT_TRUE(app->files().createDirectory("C:\\Inne"));
  dialogs.answer(std::string("C:\\Inne"));
  click(find<QPushButton>("IkonyFolderowBrowse"));
  EXPECT_EQ(page->folderField()->text(), "C:\\Inne");
  EXPECT_EQ(page->tipField()->text(), "");  // cleared, and no desktop.ini to read
  EXPECT_EQ(page->iconFile(), "");
  EXPECT_TRUE(page->preview()->pixmap().isNull());
  EXPECT_FALSE(applyButton()->isEnabled());
  EXPECT_FALSE(page->removeButton()->isEnabled());
}

TEST_F(FolderIconsPageTest, ADriveRootIsRefusedWithItsMessage) {
  type(page->folderField(), "C:\\");
  type(page->tipField(), "Dysk");
  pickIcon(8);
  ASSERT_TRUE(applyButton()->isEnabled());
  click(applyButton());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes().front().text,
            "Nie można zmienić ikony dysku na tej zakładce !!!\r\rAby zmienić ikonę dysku przejdź na "
            "zakładkę ikony :-)");
  EXPECT_FALSE(app->files().fileExists("C:\\desktop.ini"));
}

TEST_F(FolderIconsPageTest, AFolderThatCannotBeWrittenIsReported) {
  // A folder in the file's place: no file can be written there, whoever runs the test.
  ASSERT_TRUE(app->files().createDirectory("C:\\Dane\\desktop.ini"));
  type(page->folderField(), "C:\\Dane");
  type(page->tipField(), "Dane");
  pickIcon(3);
  click(applyButton());
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(
      dialogs.boxes().front().text,
      "Nie można zmienić ikony wskazanemu folderowi ponieważ wskazany folder albo znajduje się na dysku "
      "chronionym przed zapisem albo na CD, gdzie zniana folderu jest niemożliwa.\rUpewnj się taże, czy "
      "wskazany folder nie jest folderem systemowym gdzie nie możliwa jest żadna operacja na takim "
      "folderze.");
  EXPECT_TRUE(applyButton()->isEnabled());
  EXPECT_EQ(app->files().attributes("C:\\Dane"), kAttributeDirectory);
}

}  // namespace
}  // namespace kelvaro::testing
