// The Internet and network pages on a real Wine prefix: what they write is
// what Wine reads, and the network page shows this machine's own address.
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include <map>
#include <optional>

#include "pages/system/internet_editor.h"
#include "pages/system/internet_page.h"
#include "pages/system/network_page.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

class InternetAndNetworkOnWineTest : public WinePrefixTest {
 protected:
  // A string value as Wine has it, nullopt when it is not there.
  std::optional<std::string> text(const std::string& key, const std::string& name) const {
    const std::string out = query(key, name);
    const std::size_t kind = out.find("REG_SZ");
    if (kind == std::string::npos) return std::nullopt;
    std::string value = out.substr(kind + 6);
    value.erase(0, value.find_first_not_of(' '));
    value.erase(value.find_last_not_of("\r\n ") + 1);
    return value;
  }
  bool keyThere(const std::string& key) const { return !wine("reg query '" + key + "'").empty(); }
  // Puts a value back as it was before the test.
  void restore(const std::string& key, const std::string& name,
               const std::optional<std::string>& value) const {
    if (value) {
      wine("reg add '" + key + "' /v '" + name + "' /t REG_SZ /d '" + *value + "' /f");
    } else {
      wine("reg delete '" + key + "' /v '" + name + "' /f");
    }
  }
};

// The first interface that is up and not the loopback, in the kernel's
// order, with its first IPv4 address; nullopt when no such interface has one.
std::optional<std::pair<std::string, std::string>> hostAddress() {
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) return std::nullopt;
  std::map<unsigned, std::pair<std::string, std::string>> byIndex;
  bool anyAddress = false;
  for (const ifaddrs* e = list; e; e = e->ifa_next) {
    if ((e->ifa_flags & IFF_LOOPBACK) || !(e->ifa_flags & IFF_UP)) continue;
    auto& entry = byIndex[::if_nametoindex(e->ifa_name)];
    if (e->ifa_addr && e->ifa_addr->sa_family == AF_INET && entry.first.empty()) {
      char address[INET_ADDRSTRLEN] = {}, mask[INET_ADDRSTRLEN] = {};
      ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(e->ifa_addr)->sin_addr, address,
                  sizeof address);
      ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(e->ifa_netmask)->sin_addr, mask,
                  sizeof mask);
      entry = {address, mask};
      anyAddress = true;
    }
  }
  ::freeifaddrs(list);
  if (!anyAddress) return std::nullopt;
  auto first = byIndex.begin()->second;
  if (first.first.empty()) first = {"0.0.0.0", "0.0.0.0"};
  return first;
}

TEST_F(InternetAndNetworkOnWineTest, NetworkPageShowsThisMachinesAddressAndWritesTheTimeToLive) {
  const auto expected = hostAddress();
  if (!expected) GTEST_SKIP() << "this machine has no IPv4 address but the loopback's";
  const std::string mstcp = "HKLM\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
  const std::string policies = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
  const std::string logon = "HKLM\\Network\\Logon";
  const bool hadMstcp = keyThere(mstcp), hadPolicies = keyThere(policies), hadLogon = keyThere(logon);
  const auto ttlBefore = text(mstcp, "DefaultTTL");
  stopWineserver();
  {
    auto session = open();
    auto* page = static_cast<NetworkPage*>(session->showAndLoad("Siec"));
    ASSERT_NE(page, nullptr);
    std::string address, mask;
    for (int i = 0; i < 4; ++i) {
      address += (i ? "." : "") + page->addressField(i)->text().toStdString();
      mask += (i ? "." : "") + page->maskField(i)->text().toStdString();
    }
    EXPECT_EQ(address, expected->first);
    EXPECT_EQ(mask, expected->second);

    session->window->showPage("Siec", "TabSheet6");
    QSpinBox* ttl = page->ttl();
    while (ttl->value() > 64) QTest::keyClick(ttl, Qt::Key_Down);
    while (ttl->value() < 64) QTest::keyClick(ttl, Qt::Key_Up);
    QTest::mouseClick(page->findChild<QPushButton*>("SiecSettingsApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  EXPECT_EQ(text(mstcp, "DefaultTTL"), std::optional<std::string>("64"));
  // The prefix is shared with other tests: leave it as it was.
  if (!hadMstcp) {
    wine("reg delete '" + mstcp + "' /f");
  } else {
    restore(mstcp, "DefaultTTL", ttlBefore);
  }
  if (!hadPolicies) wine("reg delete '" + policies + "' /f");
  if (!hadLogon) wine("reg delete '" + logon + "' /f");
  stopWineserver();
}

TEST_F(InternetAndNetworkOnWineTest, InternetPageWritesAStartPageChosenFromTheListAndTheRestAsShown) {
  const std::string ie = "HKCU\\Software\\Microsoft\\Internet Explorer";
  const std::vector<std::pair<std::string, std::string>> written{
      {ie, "Download Directory"},
      {ie + "\\Main", "Local Page"},
      {ie + "\\Main", "Save Directory"},
      {ie + "\\Main", "Start Page"},
      {ie + "\\Main", "Window Title"},
      {"HKLM\\Software\\Microsoft\\Internet Explorer\\Main", "Window Title"},
      {ie + "\\Toolbar", "LinksFolderName"},
  };
  std::vector<std::optional<std::string>> before;
  for (const auto& [key, name] : written) before.push_back(text(key, name));
  stopWineserver();
  std::string title;
  {
    auto session = open();
    auto* page = static_cast<InternetPage*>(session->showAndLoad("internet"));
    ASSERT_NE(page, nullptr);
    title = page->findChild<QLabel*>("WindowTitle")->text().toStdString();
    if (before[5]) {
      EXPECT_EQ(title, *before[5]);
    }
    auto* start = page->findChild<QLabel*>("StartPage");
    QTest::mouseDClick(start, Qt::LeftButton, {}, QPoint(3, 3));
    InternetEditor* editor = page->generalEditor();
    QTest::mouseClick(editor->button(), Qt::LeftButton);
    ASSERT_TRUE(clickItem(editor->choices(), "Onet"));
    QTest::keyClick(editor->field(), Qt::Key_Return);
    QTest::mouseClick(page->findChild<QPushButton*>("ieGeneralApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  EXPECT_EQ(text(ie + "\\Main", "Start Page"), std::optional<std::string>("http://www.onet.pl/"));
  EXPECT_EQ(text(ie + "\\Main", "Window Title"), std::optional<std::string>(title));
  for (std::size_t i = 0; i < written.size(); ++i) restore(written[i].first, written[i].second, before[i]);
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro::testing
