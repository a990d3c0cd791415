// The network page: names edited in place, the first adapter's address and
// mask in their fields with their checks, and the policies with the time to
// live and the shortest password.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <functional>

#include "pages/system/network_page.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kVnetsup[] = "System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
constexpr char kMstcp[] = "System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr char kNetwork[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
constexpr char kLogon[] = "Network\\Logon";

class NetworkPageTest : public PageHarness {
 protected:
  NetworkPage& open() {
    makeWindow();
    frame().showPage("Siec");
    return static_cast<NetworkPage&>(showAndLoad("Siec"));
  }
  void useAddress(const std::string& address, const std::string& mask) {
    network.table.front().addresses = {{address, mask}};
  }
  std::vector<std::string> fields(NetworkPage& page, bool mask) {
    std::vector<std::string> out;
    for (int i = 0; i < 4; ++i)
      out.push_back((mask ? page.maskField(i) : page.addressField(i))->text().toStdString());
    return out;
  }
  QPushButton* namesApply() { return find<QPushButton>("SiecNamesApply"); }
  QPushButton* settingsApply() { return find<QPushButton>("SiecSettingsApply"); }
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const auto& box : dialogs.boxes()) out.push_back(box.text);
    return out;
  }
};

TEST_F(NetworkPageTest, AMissingNameShowsUnknownAndIsWrittenEmptyAfterAnotherNameIsEdited) {
  remove(Root::LocalMachine, kMstcp, "Domain");
  set(Root::LocalMachine, kVnetsup, "Workgroup", std::string());
  set(Root::LocalMachine, kVnetsup, "Comment", 7);  // not a string
  NetworkPage& page = open();
  EXPECT_EQ(find<QLabel>("HostName")->text(), "pracownia");
  for (const char* name : {"Domain", "Workgroup", "Comment"})
    EXPECT_EQ(find<QLabel>(name)->text(), "(nieznane)") << name;
  EXPECT_EQ(find<QLabel>("SiecNote")->text(), "Uwaga: Kliknij dwukrotnie na nazwę, którą chcesz zmienić.");

  doubleClick(find<QLabel>("Comment"));
  QLineEdit* editor = page.editor()->textEditor();
  ASSERT_TRUE(editor->isVisible());
  EXPECT_EQ(editor->text(), "");  // the placeholder is not edited
  EXPECT_EQ(find<QLabel>("Comment")->text(), "");
  EXPECT_EQ(find<QLabel>("SiecNote")->text(), "Zatwierdź zmianę ENTER-em !");
  EXPECT_FALSE(page.addressField(0)->isEnabled());
  EXPECT_FALSE(namesApply()->isEnabled());
  // A second name cannot be opened, and a click elsewhere does not end the edit.
  doubleClick(find<QLabel>("HostName"));
  EXPECT_EQ(page.editor()->editedField(), find<QLabel>("Comment"));
  click(find<QLabel>("SiecNote"));
  EXPECT_TRUE(editor->isVisible());

  QTest::keyClicks(editor, "Sala 12");
  EXPECT_LE(editor->width(), 215);
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_FALSE(editor->isVisible());
  EXPECT_EQ(find<QLabel>("Comment")->text(), "Sala 12");
  EXPECT_TRUE(page.addressField(0)->isEnabled());
  EXPECT_EQ(find<QLabel>("SiecNote")->text(), "Uwaga: Kliknij dwukrotnie na nazwę, którą chcesz zmienić.");
  ASSERT_TRUE(namesApply()->isEnabled());

  click(namesApply());
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(stored(Root::LocalMachine, kVnetsup, "Comment"), StoredValue(std::string("Sala 12")));
  EXPECT_EQ(stored(Root::LocalMachine, kMstcp, "Domain"), StoredValue(std::string()));
  EXPECT_EQ(stored(Root::LocalMachine, kVnetsup, "Workgroup"), StoredValue(std::string()));
  EXPECT_EQ(stored(Root::LocalMachine, kMstcp, "HostName"), StoredValue(std::string("pracownia")));
  EXPECT_FALSE(namesApply()->isEnabled());
  EXPECT_TRUE(app->restartNeeded());
}

TEST_F(NetworkPageTest, TheFirstAdaptersFirstAddressFillsTheFields) {
  struct Case {
    std::string address, mask;
    std::vector<std::string> addressFields, maskFields;
  };
  const std::vector<Case> cases{
      {"192.168.0.7", "255.255.255.0", {"192", "168", "0", "7"}, {"255", "255", "255", "0"}},
      {"0.0.0.0", "0.0.0.0", {"0", "0", "0", "0"}, {"0", "0", "0", "0"}},
      {"", "", {"0", "0", "0", "0"}, {"0", "0", "0", "0"}},
      {"10.1.2", "255.0.0.0.0", {"0", "0", "0", "0"}, {"255", "0", "0", "0"}},
  };
  makeWindow();
  frame().showPage("Siec");
  auto& page = static_cast<NetworkPage&>(this->page("Siec"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    useAddress(c.address, c.mask);
    // A second adapter is never asked.
    AdapterRecord other = network.table.front();
    other.addresses = {{"172.16.0.1", "255.255.0.0"}};
    network.table.resize(1);
    network.table.push_back(other);
    EXPECT_TRUE(app->run([&page] { page.reload(); }));
    EXPECT_EQ(fields(page, false), c.addressFields);
    EXPECT_EQ(fields(page, true), c.maskFields);
    EXPECT_FALSE(namesApply()->isEnabled());
  }
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(NetworkPageTest, AnAdapterTableErrorEndsTheLoadAfterTheNamesAndTheStartUpSequence) {
  struct Case {
    const char* what;
    std::function<void(TableNetwork&)> arrange;
    std::string shown;
  };
  const std::vector<Case> cases{
      {"no adapter", [](TableNetwork& n) { n.table.clear(); }, "No network adapter found."},
      {"no address", [](TableNetwork& n) { n.table.front().addresses.clear(); },
       "Network adapter does not have IP."},
      {"the request fails", [](TableNetwork& n) { n.failure = NetworkError(5, "Odmowa dostępu"); },
       "System Error.  Code: 5.\r\nOdmowa dostępu."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    network = TableNetwork();
    AdapterRecord adapter;
    adapter.name = "eth0";
    adapter.addresses = {{"10.0.0.2", "255.0.0.0"}};
    network.table = {adapter};
    c.arrange(network);
    dialogs.shown.clear();
    ASSERT_NE(start(), nullptr);
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].text, c.shown);
    EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
    EXPECT_EQ(find<QLabel>("HostName")->text(), "pracownia");
    // The sandbox ticks HideSharePwds; the load ended before the policies.
    EXPECT_FALSE(find<QCheckBox>("HideSharePwds")->isChecked());
    EXPECT_EQ(find<QLineEdit>("AdresIP1")->text(), "");
    // The loaders after this one did not run.
    EXPECT_EQ(find<QLabel>("StartPage")->text(), "");
  }
}

TEST_F(NetworkPageTest, AddressFieldsTakeOnlyDigitsAndTellWrongNumbers) {
  NetworkPage& page = open();
  QLineEdit* third = page.addressField(2);
  type(third, "a1-b2c34");
  EXPECT_EQ(third->text(), "123");
  QTest::keyClick(third, Qt::Key_Backspace);
  EXPECT_EQ(third->text(), "123");
  EXPECT_TRUE(namesApply()->isEnabled());

  type(third, "00");
  EXPECT_EQ(third->text(), "0");
  EXPECT_TRUE(dialogs.boxes().empty());

  // A pasted text is checked as typed ones are.
  click(namesApply());
  page.maskField(1)->setText("x");
  page.addressField(3)->setText("-5");
  EXPECT_EQ(messages(), (std::vector<std::string>{
                            "Wpisałeś niepoprawny adres maski IP (Modół drugi) !!!",
                            "Modół czwarty adresu IP zawiera liczbę ujemną. Adres IP nie może zawierać liczb "
                            "ujemnych."}));
  EXPECT_EQ(page.maskField(1)->text(), "0");
  EXPECT_EQ(page.addressField(3)->text(), "0");
  EXPECT_FALSE(namesApply()->isEnabled());
}

TEST_F(NetworkPageTest, ApplyChecksTheFieldsInOrderAndWritesNothingWhenOneIsWrong) {
  NetworkPage& page = open();
  doubleClick(find<QLabel>("ComputerName"));
  QTest::keyClicks(page.editor()->textEditor(), "X");
  QTest::keyClick(page.editor()->textEditor(), Qt::Key_Return);

  type(page.maskField(2), "300");
  click(namesApply());
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Modół trzeci adresu maski IP - wpisana liczba jest za duża !!!"});
  EXPECT_EQ(page.maskField(2)->text(), "300");
  EXPECT_EQ(page.window()->focusWidget(), page.maskField(2));
  EXPECT_FALSE(namesApply()->isEnabled());
  EXPECT_FALSE(app->restartNeeded());

  dialogs.shown.clear();
  type(page.addressField(0), "300");
  key(page.addressField(0), Qt::Key_Return);  // Enter runs the command
  EXPECT_EQ(messages(),
            std::vector<std::string>{"Modół pierwszy adresu IP - wpisana liczba jest za duża !!!"});
  EXPECT_EQ(page.addressField(0)->text(), "255");
  EXPECT_FALSE(namesApply()->isEnabled());

  dialogs.shown.clear();
  page.addressField(1)->clear();  // nothing to react to; Enter applies anyway
  key(page.addressField(1), Qt::Key_Return);
  EXPECT_EQ(messages(), std::vector<std::string>{"Wpisałeś niepoprawny adres IP (Modół drugi) !!!"});
  EXPECT_EQ(page.addressField(1)->text(), "0");
  EXPECT_EQ(stored(Root::LocalMachine, kVnetsup, "ComputerName"), StoredValue(std::string("PRACOWNIA")));
  EXPECT_FALSE(app->restartNeeded());

  // With every field right, "007" is written back as 7 and the names are stored.
  dialogs.shown.clear();
  page.maskField(2)->setText("007");
  EXPECT_EQ(page.maskField(2)->text(), "007");
  click(namesApply());
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(page.maskField(2)->text(), "7");
  EXPECT_EQ(stored(Root::LocalMachine, kVnetsup, "ComputerName"), StoredValue(std::string("PRACOWNIAX")));
  EXPECT_TRUE(app->restartNeeded());
}

TEST_F(NetworkPageTest, SettingsApplyPrunesTheFlagsAndDropsDefaultNumbers) {
  set(Root::LocalMachine, kNetwork, "NoDialIn", 1);
  set(Root::LocalMachine, kMstcp, "DefaultTTL", std::string("64"));
  set(Root::LocalMachine, kNetwork, "MinPwdLen", Bytes{6});
  set(Root::LocalMachine, kLogon, "MustBeValidated", 1);
  NetworkPage& page = open();
  frame().showPage("Siec", "TabSheet6");
  EXPECT_TRUE(find<QCheckBox>("NoDialIn")->isChecked());
  EXPECT_TRUE(find<QCheckBox>("MustBeValidated")->isChecked());
  EXPECT_EQ(page.ttl()->value(), 64);
  EXPECT_EQ(page.minPasswordLength()->value(), 6);

  // Typing does not change the numbers; the arrows do.
  type(page.ttl(), "99");
  EXPECT_EQ(page.ttl()->value(), 64);
  EXPECT_FALSE(settingsApply()->isEnabled());
  for (int i = 0; i < 64; ++i) key(page.ttl(), Qt::Key_Up);
  EXPECT_EQ(page.ttl()->value(), 128);
  for (int i = 0; i < 7; ++i) key(page.minPasswordLength(), Qt::Key_Down);
  EXPECT_EQ(page.minPasswordLength()->value(), 0);
  click(find<QCheckBox>("HideSharePwds"));
  click(find<QCheckBox>("NoDialIn"));
  click(find<QCheckBox>("AlphanumPwds"));
  click(find<QCheckBox>("MustBeValidated"));
  click(settingsApply());
  EXPECT_EQ(stored(Root::LocalMachine, kNetwork, "AlphanumPwds"), StoredValue(1));
  for (const char* value : {"NoDialIn", "HideSharePwds", "DisablePwdCaching", "MinPwdLen"})
    EXPECT_EQ(stored(Root::LocalMachine, kNetwork, value), std::nullopt) << value;
  EXPECT_EQ(stored(Root::LocalMachine, kLogon, "MustBeValidated"), std::nullopt);
  EXPECT_EQ(stored(Root::LocalMachine, kMstcp, "DefaultTTL"), std::nullopt);
  EXPECT_FALSE(settingsApply()->isEnabled());
  EXPECT_TRUE(app->restartNeeded());

  // 64 and 6 are stored as text and as one byte; Enter on a field applies.
  for (int i = 0; i < 64; ++i) key(page.ttl(), Qt::Key_Down);
  for (int i = 0; i < 6; ++i) key(page.minPasswordLength(), Qt::Key_Up);
  key(page.ttl(), Qt::Key_Return);
  EXPECT_EQ(stored(Root::LocalMachine, kMstcp, "DefaultTTL"), StoredValue(std::string("64")));
  EXPECT_EQ(stored(Root::LocalMachine, kNetwork, "MinPwdLen"), StoredValue(Bytes{6}));
  EXPECT_TRUE(dialogs.boxes().empty());
}

TEST_F(NetworkPageTest, NumbersOfTheWrongShapeEndTheLoadWithTheStoresErrors) {
  struct Case {
    const char* key;
    const char* value;
    StoredValue stored;
    std::string shown;
  };
  const std::vector<Case> cases{
      {kMstcp, "DefaultTTL", std::string("abc"), "'abc' is not a valid integer value."},
      {kNetwork, "MinPwdLen", Bytes{6, 0}, "Invalid data type for 'MinPwdLen'"},
  };
  makeWindow();
  Page& page = this->page("Siec");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    remove(Root::LocalMachine, kMstcp, "DefaultTTL");
    set(Root::LocalMachine, c.key, c.value, c.stored);
    dialogs.shown.clear();
    EXPECT_FALSE(app->run([&page] { page.reload(); }));
    ASSERT_EQ(dialogs.boxes().size(), 1u);
    EXPECT_EQ(dialogs.boxes()[0].text, c.shown);
  }
  // Missing values read as 128 and 0.
  remove(Root::LocalMachine, kNetwork, "MinPwdLen");
  remove(Root::LocalMachine, kMstcp, "DefaultTTL");
  EXPECT_TRUE(app->run([&page] { page.reload(); }));
  EXPECT_EQ(static_cast<NetworkPage&>(page).ttl()->value(), 128);
  EXPECT_EQ(static_cast<NetworkPage&>(page).minPasswordLength()->value(), 0);
}

}  // namespace
}  // namespace kelvaro::testing
