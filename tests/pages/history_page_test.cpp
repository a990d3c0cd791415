// The history clean-up page: the lettered and named histories, deleting one
// entry and clearing a history, each written at once.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "pages/system/history_page.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kRunMru[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";
constexpr char kDocFind[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU";
constexpr char kFindComputer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FindComputerMRU";
constexpr char kBars[] =
    "SOFTWARE\\Microsoft\\Internet Explorer\\Explorer Bars\\{C4EE31F3-4768-11D2-BE5C-00A0C9A83DA1}";
using Id = HistoryPage::ListId;

class HistoryPageTest : public PageHarness {
 protected:
  void SetUp() override {
    RegistryHandle reg(app->registry());
    reg.deleteKey(kRunMru);
    app->flush();
  }
  HistoryPage& page() { return static_cast<HistoryPage&>(PageHarness::page("ustawienia")); }
  QStringList entries(Id id) {
    QStringList out;
    for (int i = 0; i < page().list(id)->count(); ++i) out << page().list(id)->itemText(i);
    return out;
  }
  void runHistory(const std::string& order,
                  std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [name, text] : values) set(Root::CurrentUser, kRunMru, name, std::string(text));
    set(Root::CurrentUser, kRunMru, "MRUList", order);
  }
  void choose(Id id, const QString& text) {
    QLineEdit* field = page().list(id)->lineEdit();
    field->selectAll();
    type(field, text.toStdString());
  }
  std::optional<StoredValue> value(const char* key, const char* name) {
    return stored(Root::CurrentUser, key, name);
  }
};

TEST_F(HistoryPageTest, TheRunHistoryFollowsItsOrderAndDeletesByTheEntrysOwnLetter) {
  runHistory("cab", {{"a", "notepad\\1"}, {"b", "calc\\1"}, {"c", "regedit\\1"}});
  ASSERT_NE(start(), nullptr);
  frame().showPage("ustawienia");
  EXPECT_EQ(entries(Id::Run), (QStringList{"regedit", "notepad", "calc"}));
  EXPECT_EQ(page().list(Id::Run)->currentText(), "regedit");

  choose(Id::Run, "notepad");
  click("runHistoryRemove");
  EXPECT_EQ(value(kRunMru, "a"), std::nullopt);
  EXPECT_EQ(value(kRunMru, "MRUList"), StoredValue(std::string("cb")));
  EXPECT_EQ(entries(Id::Run), (QStringList{"regedit", "calc"}));
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(HistoryPageTest, AnOrderNamingAMissingValueStillDeletesTheChosenEntry) {
  // "b" is named by the order but not stored: the list shows two entries.
  runHistory("abc", {{"a", "notepad\\1"}, {"c", "regedit\\1"}});
  ASSERT_NE(start(), nullptr);
  frame().showPage("ustawienia");
  EXPECT_EQ(entries(Id::Run), (QStringList{"notepad", "regedit"}));
  choose(Id::Run, "regedit");
  key(page().list(Id::Run)->lineEdit(), Qt::Key_Delete);
  EXPECT_EQ(value(kRunMru, "c"), std::nullopt);
  EXPECT_EQ(value(kRunMru, "a"), StoredValue(std::string("notepad\\1")));
  EXPECT_EQ(value(kRunMru, "MRUList"), StoredValue(std::string("ab")));
}

TEST_F(HistoryPageTest, ATypedTextThatIsNoEntryIsRefusedWithTheListsMessage) {
  ASSERT_NE(start(), nullptr);
  frame().showPage("ustawienia");
  EXPECT_EQ(entries(Id::FilesOld), (QStringList{"raport", "autoexec.bat", "*.doc", "*.bmp"}));
  choose(Id::FilesOld, "nie ma");
  click("fileSearchesRemove");
  choose(Id::ComputersOld, "NIKT");
  click("computerSearchesRemove");
  ASSERT_EQ(dialogs.boxes().size(), 2U);
  EXPECT_EQ(
      dialogs.boxes()[0].text,
      "Wpis \"nie ma\" nie istnieje w menu \"Wyszukaj\". Najprawdopodobniej został wprowadzony przez Ciebie. "
      "Nie można go usunąć, bo nie istnieje !!!");
  EXPECT_EQ(
      dialogs.boxes()[1].text,
      "Wpis \"NIKT\" nie istnieje w menu \"Wyszukaj komputer\". Najprawdopodobniej został wprowadzony przez "
      "Ciebie. Nie można go usunąć, bo nie istnieje !!!");
  EXPECT_EQ(value(kDocFind, "MRUList"), StoredValue(std::string("bdac")));
  // The Run history is empty: its buttons are off.
  EXPECT_FALSE(find<QPushButton>("runHistoryRemove")->isEnabled());
  EXPECT_FALSE(find<QPushButton>("runHistoryClear")->isEnabled());
}

TEST_F(HistoryPageTest, NewerSearchHistoriesTakeTheOlderOnesPlace) {
  const std::string files = std::string(kBars) + "\\FilesNamedMRU";
  const std::string computers = std::string(kBars) + "\\ComputerNameMRU";
  set(Root::CurrentUser, files, "000", std::string("*.txt"));
  set(Root::CurrentUser, files, "001", std::string("budzet"));
  set(Root::CurrentUser, computers, "000", std::string("DRUKARNIA"));
  ASSERT_NE(start(), nullptr);
  frame().showPage("ustawienia");
  EXPECT_TRUE(page().panel(Id::FilesNew)->isVisible());
  EXPECT_FALSE(page().panel(Id::FilesOld)->isVisible());
  EXPECT_TRUE(page().panel(Id::ComputersNew)->isVisible());
  EXPECT_FALSE(page().list(Id::ComputersOld)->isEnabled());
  EXPECT_EQ(entries(Id::FilesNew), (QStringList{"*.txt", "budzet"}));

  choose(Id::FilesNew, "budzet");
  click("fileSearchesNamedRemove");
  EXPECT_EQ(stored(Root::CurrentUser, files, "001"), std::nullopt);
  EXPECT_EQ(stored(Root::CurrentUser, files, "000"), StoredValue(std::string("*.txt")));
  // Delete in the newer computer list deletes from the newer history.
  key(page().list(Id::ComputersNew)->lineEdit(), Qt::Key_Delete);
  EXPECT_EQ(stored(Root::CurrentUser, computers, "000"), std::nullopt);
  EXPECT_FALSE(page().panel(Id::ComputersNew)->isVisible());
  EXPECT_TRUE(page().list(Id::ComputersOld)->isEnabled());
  EXPECT_EQ(stored(Root::CurrentUser, kFindComputer, "a"), StoredValue(std::string("SERWER")));
}

TEST_F(HistoryPageTest, ClearingLeavesTheKeyEmpty) {
  ASSERT_NE(start(), nullptr);
  frame().showPage("ustawienia");
  click("fileSearchesClear");
  EXPECT_TRUE(keyStored(Root::CurrentUser, kDocFind));
  EXPECT_EQ(value(kDocFind, "MRUList"), std::nullopt);
  EXPECT_EQ(value(kDocFind, "a"), std::nullopt);
  EXPECT_TRUE(entries(Id::FilesOld).isEmpty());
  EXPECT_FALSE(find<QPushButton>("fileSearchesClear")->isEnabled());
  EXPECT_EQ(value(kFindComputer, "MRUList"), StoredValue(std::string("ab")));
}

}  // namespace
}  // namespace kelvaro::testing
