// The context menu and open-with pages on a real Wine prefix: what they add
// through their widgets is what `wine reg query` reads, and what they remove
// is gone for Wine too.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "pages/shell/context_menu_page.h"
#include "pages/shell/file_type_list.h"
#include "pages/shell/open_with_page.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

// The text of the value in `wine reg query` output, or empty.
std::string valueText(const std::string& output) {
  const std::size_t at = output.find("REG_SZ");
  if (at == std::string::npos) return {};
  std::string value = output.substr(at + 6);
  value.erase(0, value.find_first_not_of(" \t"));
  value.erase(value.find_last_not_of("\r\n ") + 1);
  return value;
}

class ContextMenuPagesOnWineTest : public WinePrefixTest {
 protected:
  std::string defaultValue(const std::string& key) { return valueText(wine("reg query '" + key + "' /ve")); }
  bool keyExists(const std::string& key) {
    return capture("WINEPREFIX='" + prefix.string() + "' WINEDEBUG=-all wine reg query '" + key +
                   "' >/dev/null 2>&1 && echo yes") == "yes\n";
  }
};

TEST_F(ContextMenuPagesOnWineTest, AVerbAddedToWinesTextTypeIsWhatWineReadsAndIsRemovedAgain) {
  // An extension of the test's own for Wine's text type and its verbs.
  ASSERT_EQ(defaultValue("HKCR\\txtfile\\shell\\open\\command").empty(), false);
  wine("reg add 'HKCR\\.kl1' /ve /d txtfile /f");
  ASSERT_EQ(defaultValue("HKCR\\.kl1"), "txtfile");
  const std::string verb = "HKCR\\txtfile\\shell\\OpenWithnotepad";
  ASSERT_FALSE(keyExists(verb));
  stopWineserver();
  {
    auto session = open();
    session->app->frame().offerTypeList([types = readTypeList(session->app->registry())] { return types; });
    auto* page = static_cast<ContextMenuPage*>(session->showAndLoad("menukontekstowe"));
    ASSERT_NE(page, nullptr);
    page->extensionField()->setFocus();
    QTest::keyClicks(page->extensionField(), "kl1");
    ASSERT_TRUE(page->addButton()->isEnabled());
    std::vector<std::string> names;
    for (const MenuEntry& e : page->entries()) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Otwórz", "Drukuj"}));
    const int before = page->entryList()->count();
    QTest::mouseClick(page->addButton(), Qt::LeftButton);
    dialogs.answer(std::optional<std::string>("C:\\windows\\notepad.exe"));
    QTest::mouseClick(page->addForm().chooser, Qt::LeftButton);
    EXPECT_EQ(page->addForm().name->text(), "notepad");
    QTest::mouseClick(page->addForm().ok, Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(page->entryList()->count(), before + 1);
  }
  EXPECT_EQ(defaultValue(verb), "notepad");
  EXPECT_EQ(defaultValue(verb + "\\Command"), "C:\\windows\\notepad.exe \"%1\"");
  stopWineserver();
  {
    auto session = open();
    auto* page = static_cast<ContextMenuPage*>(session->showAndLoad("menukontekstowe"));
    ASSERT_NE(page, nullptr);
    page->extensionField()->setFocus();
    QTest::keyClicks(page->extensionField(), "KL1");
    ASSERT_TRUE(clickItem(page->entryList(), "notepad"));
    QTest::mouseClick(page->removeButton(), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty());
  }
  EXPECT_FALSE(keyExists(verb));
  EXPECT_TRUE(keyExists("HKCR\\txtfile\\shell\\open\\command"));
  wine("reg delete 'HKCR\\.kl1' /f");
  EXPECT_FALSE(keyExists("HKCR\\.kl1"));
  stopWineserver();
}

TEST_F(ContextMenuPagesOnWineTest, TheOpenWithCommandIsWhatWineReadsAndIsRemovedAgain) {
  // A type of the test's own with an icon, so the page lets it have a command.
  wine("reg add 'HKCR\\.klv' /ve /d kelvarotestfile /f");
  wine("reg add 'HKCR\\kelvarotestfile' /ve /d 'Plik testowy' /f");
  wine("reg add 'HKCR\\kelvarotestfile\\DefaultIcon' /ve /d 'C:\\windows\\notepad.exe,0' /f");
  ASSERT_EQ(defaultValue("HKCR\\kelvarotestfile\\DefaultIcon"), "C:\\windows\\notepad.exe,0");
  const std::string verb = "HKCR\\kelvarotestfile\\Shell\\KelvaroAddMenu";
  stopWineserver();
  {
    auto session = open();
    auto* page = static_cast<OpenWithPage*>(session->showAndLoad("Menu"));
    ASSERT_NE(page, nullptr);
    page->typeField()->setFocus();
    QTest::keyClicks(page->typeField(), "klv");
    EXPECT_EQ(page->descriptionLabel()->text(), "Plik testowy");
    ASSERT_TRUE(page->chooser()->isEnabled());
    dialogs.answer(std::optional<std::string>("C:\\windows\\notepad.exe"));
    QTest::mouseClick(page->chooser(), Qt::LeftButton);
    ASSERT_TRUE(page->applyButton()->isEnabled());
    QTest::mouseClick(page->applyButton(), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty());
  }
  EXPECT_EQ(defaultValue(verb), "notepad");
  EXPECT_EQ(defaultValue(verb + "\\Command"), "C:\\windows\\notepad.exe \"%1\"");
  stopWineserver();
  {
    auto session = open();
    auto* page = static_cast<OpenWithPage*>(session->showAndLoad("Menu"));
    ASSERT_NE(page, nullptr);
    page->typeField()->setFocus();
    QTest::keyClicks(page->typeField(), "KLV");
    EXPECT_EQ(page->programField()->text(), "C:\\windows\\notepad.exe");
    ASSERT_TRUE(page->removeButton()->isEnabled());
    QTest::mouseClick(page->removeButton(), Qt::LeftButton);
  }
  EXPECT_FALSE(keyExists(verb));
  EXPECT_TRUE(keyExists("HKCR\\kelvarotestfile\\DefaultIcon"));
  wine("reg delete 'HKCR\\.klv' /f");
  wine("reg delete 'HKCR\\kelvarotestfile' /f");
  EXPECT_FALSE(keyExists("HKCR\\.klv"));
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro::testing
