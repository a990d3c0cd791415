// The file types and New menu pages on a real Wine prefix: a type registered
// through the page's form and a New-menu entry switched on and off are what
// `wine reg query` reads; everything added is removed again.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "dialogs/icon_picker.h"
#include "pages/shell/file_types_page.h"
#include "pages/shell/new_menu_page.h"
#include "platform/linux_icons.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

bool hasValue(const std::string& output, const std::string& text) {
  return output.find("REG_SZ") != std::string::npos && output.find(text) != std::string::npos;
}

class FileTypesOnWineTest : public WinePrefixTest {
 protected:
  void TearDown() override {
    // Whatever a failed run left behind goes, so the shared prefix stays as it was.
    stopWineserver();
    wine("reg delete 'HKCR\\.kvx' /f");
    wine("reg delete 'HKCR\\KVXfile' /f");
    stopWineserver();
  }
  template <class T>
  static T* child(QWidget* page, const char* name) {
    T* w = page->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
};

TEST_F(FileTypesOnWineTest, ATypeRegisteredAndANewMenuEntrySwitchedAreWhatWineReads) {
  ASSERT_EQ(wine("reg query 'HKCR\\.kvx'").find("REG_SZ"), std::string::npos) << "left over from a run";
  stopWineserver();
  {
    auto session = openWithIcons();
    auto* page = static_cast<FileTypesPage*>(session->showAndLoad("typyplikow"));
    ASSERT_NE(page, nullptr);
    auto* button = child<QPushButton>(page, "typyplikowZarejestruj");
    QTest::mouseClick(button, Qt::LeftButton);
    auto* extension = child<QLineEdit>(page, "typyplikowNoweRozszerzenie");
    extension->setFocus();
    QTest::keyClicks(extension, "kvx");
    dialogs.answer(std::optional<std::string>("C:\\windows\\notepad.exe"));
    QTest::mouseClick(child<QPushButton>(page, "typyplikowWybierzProgram"), Qt::LeftButton);
    auto* description = child<QLineEdit>(page, "typyplikowNowyOpis");
    description->setFocus();
    QTest::keyClicks(description, "Plik Kelvaro");
    QTest::mouseClick(child<QPushButton>(page, "typyplikowWybierzIkone"), Qt::LeftButton);
    TIkonyForm& picker = session->app->iconPicker();
    ASSERT_TRUE(clickItem(picker.fileList(), "shell32.dll"));
    ASSERT_TRUE(clickItem(picker.iconList(), "3"));
    QTest::mouseClick(picker.okButton(), Qt::LeftButton);
    ASSERT_EQ(button->text(), "OK");
    QTest::mouseClick(button, Qt::LeftButton);
    for (const auto& box : dialogs.boxes()) ADD_FAILURE() << box.text;
    EXPECT_TRUE(clickItem(page->typeList(), "KVX"));
  }
  EXPECT_TRUE(hasValue(wine("reg query 'HKCR\\.kvx' /ve"), "KVXfile"));
  EXPECT_TRUE(hasValue(wine("reg query 'HKCR\\KVXfile' /ve"), "Plik Kelvaro"));
  EXPECT_TRUE(hasValue(wine("reg query 'HKCR\\KVXfile\\shell\\open\\command' /ve"),
                       "C:\\windows\\notepad.exe \"%1\""));
  EXPECT_TRUE(hasValue(wine("reg query 'HKCR\\KVXfile\\DefaultIcon' /ve"), "shell32.dll,3"));

  // An empty ShellNew key under the type: an inactive entry, switched on and off on the page.
  wine("reg add 'HKCR\\.kvx\\KVXfile\\ShellNew' /f");
  stopWineserver();
  {
    auto session = openWithIcons();
    auto* page = static_cast<NewMenuPage*>(session->showAndLoad("MenuNOWY"));
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(clickItem(page->entryList(), "Plik Kelvaro"));
    QTest::mouseClick(child<QPushButton>(page, "MenuNOWYAktywuj"), Qt::LeftButton);
    for (const auto& box : dialogs.boxes()) ADD_FAILURE() << box.text;
  }
  const std::string on = wine("reg query 'HKCR\\.kvx\\KVXfile\\ShellNew'");
  EXPECT_NE(on.find("NullFile"), std::string::npos) << on;
  EXPECT_NE(on.find("FileName"), std::string::npos) << on;
  EXPECT_EQ(wine("reg query 'HKCR\\.kvx\\ShellNew'").find("HKEY"), std::string::npos);
  stopWineserver();
  {
    auto session = openWithIcons();
    auto* newMenu = static_cast<NewMenuPage*>(session->showAndLoad("MenuNOWY"));
    ASSERT_NE(newMenu, nullptr);
    ASSERT_TRUE(clickItem(newMenu->entryList(), "Plik Kelvaro"));
    QTest::mouseClick(child<QPushButton>(newMenu, "MenuNOWYDeaktywuj"), Qt::LeftButton);
  }
  const std::string off = wine("reg query 'HKCR\\.kvx\\KVXfile\\ShellNew'");
  EXPECT_NE(off.find("ShellNew"), std::string::npos) << off;
  EXPECT_EQ(off.find("NullFile"), std::string::npos) << off;
  EXPECT_EQ(off.find("FileName"), std::string::npos) << off;
  stopWineserver();
  {
    // The type removed again on its page; its type key stays, as removal leaves it.
    auto session = openWithIcons();
    auto* page = static_cast<FileTypesPage*>(session->showAndLoad("typyplikow"));
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(clickItem(page->typeList(), "KVX"));
    dialogs.answer(BoxButton::Ok);
    QTest::mouseClick(child<QPushButton>(page, "typyplikowUsun"), Qt::LeftButton);
    EXPECT_EQ(dialogs.boxes().size(), 1u);
  }
  EXPECT_EQ(wine("reg query 'HKCR\\.kvx' /ve").find("KVXfile"), std::string::npos);
  EXPECT_TRUE(hasValue(wine("reg query 'HKCR\\KVXfile' /ve"), "Plik Kelvaro"));
}

}  // namespace
}  // namespace kelvaro::testing
