// The adapter model over the adapter table, and how an address text is cut
// into the page's four fields.
#include <gtest/gtest.h>

#include "pages/system/ip_info.h"

namespace kelvaro {
namespace {

AdapterRecord sampleRecord() {
  AdapterRecord r;
  r.name = "{4D36E972-E325-11CE-BFC1-08002BE10318}";
  r.description = "Karta sieciowa zgodna z NE2000";
  r.hardwareAddress = {0x00, 0x0a, 0xe4, 0x3f, 0xb1, 0x07};
  r.index = 3;
  r.type = 6;
  r.dhcpEnabled = true;
  r.addresses = {{"10.0.0.17", "255.255.255.0"}, {"192.168.100.200", "255.255.0.0"}};
  r.gateways = {{"10.0.0.1", "255.255.255.255"}};
  r.dhcpServer = {"10.0.0.1", "255.255.255.255"};
  r.hasWins = true;
  r.primaryWins = {"10.0.0.2", "255.255.255.255"};
  return r;
}

TEST(IpInfoTest, AnAdapterKeepsItsRecordsFieldsWithinTheTablesSizes) {
  AdapterRecord r = sampleRecord();
  r.description = std::string(140, 'd');
  r.addresses.push_back({"1234567890.1234567", "255.255.255.255.255"});
  TableNetwork network;
  network.table = {r, AdapterRecord{}};
  const TIPInfo info(network);
  ASSERT_EQ(info.adapterCount(), 2);
  const TAdapter& a = info.adapter(0);
  EXPECT_EQ(a.adapterName(), r.name);
  EXPECT_EQ(a.description().size(), 132u);
  EXPECT_EQ(a.hardwareAddressLength(), 6);
  EXPECT_EQ(a.hardwareAddress(), "00:0A:E4:3F:B1:07");
  EXPECT_EQ(a.index(), 3u);
  EXPECT_EQ(a.type(), 6u);
  EXPECT_TRUE(a.dhcpEnabled());
  ASSERT_EQ(a.ipAddressCount(), 3);
  EXPECT_EQ(a.ipAddress(1).ipAddress(), "192.168.100.200");
  EXPECT_EQ(a.ipAddress(1).ipMask(), "255.255.0.0");
  EXPECT_EQ(a.ipAddress(2).ipAddress(), "1234567890.1234");  // 15 characters at most
  EXPECT_EQ(a.ipAddress(2).ipMask(), "255.255.255.255");
  EXPECT_EQ(a.currentIpAddress().ipAddress(), "");  // the record has no current address
  ASSERT_EQ(a.gateways().size(), 1u);
  EXPECT_EQ(a.gateways()[0].ipAddress(), "10.0.0.1");
  EXPECT_TRUE(a.haveWins());
  EXPECT_EQ(a.primaryWinsServer().ipAddress(), "10.0.0.2");
  EXPECT_EQ(a.secondaryWinsServer().ipAddress(), "");
  EXPECT_EQ(info.adapter(1).hardwareAddress(), "");
  EXPECT_EQ(network.requests, 1);  // read once
}

TEST(IpInfoTest, TheFirstAdaptersFirstAddressOrTheErrors) {
  TableNetwork network;
  network.table = {sampleRecord()};
  EXPECT_EQ(firstAdapterAddress(network),
            (std::pair<std::string, std::string>{"10.0.0.17", "255.255.255.0"}));

  const auto errorOf = [&network] {
    try {
      firstAdapterAddress(network);
    } catch (const StoreError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  network.table.front().addresses.clear();
  EXPECT_EQ(errorOf(), "Network adapter does not have IP");
  network.table.clear();
  EXPECT_EQ(errorOf(), "No network adapter found");
  network.failure = NetworkError(111, "Bufor jest za mały");
  EXPECT_EQ(errorOf(), "System Error.  Code: 111.\r\nBufor jest za mały");
}

TEST(IpInfoTest, AnAddressTextIsCutAtItsDots) {
  struct Case {
    const char* text;
    std::array<std::string, 4> fields;
  };
  const Case cases[] = {
      {"192.168.0.7", {"192", "168", "0", "7"}},
      {"0.0.0.0", {"0", "0", "0", "0"}},
      {"", {"0", "0", "0", "0"}},
      {"1.2.3", {"0", "0", "0", "0"}},          // shorter than seven
      {"1234567.8", {"0", "0", "0", "0"}},      // fewer than three dots
      {"1.2.3.4.5", {"1", "2", "3", "4"}},      // a fifth piece is not shown
      {"10..20.300", {"10", "", "20", "300"}},  // pieces as they are
      {"007.0.0.1", {"007", "0", "0", "1"}},
  };
  for (const Case& c : cases) EXPECT_EQ(splitAddress(c.text), c.fields) << c.text;
}

}  // namespace
}  // namespace kelvaro
