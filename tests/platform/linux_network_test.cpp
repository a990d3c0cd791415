// The host's interfaces as the adapter table, checked against what
// getifaddrs and the kernel's interface numbers say.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

#include <map>
#include <string>
#include <vector>

#include "platform/linux_network.h"

namespace kelvaro {
namespace {

struct Expected {
  unsigned index = 0;
  std::vector<std::string> addresses;
};

std::string text(const sockaddr* a) {
  char out[INET_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a)->sin_addr, out, sizeof out);
  return out;
}

TEST(LinuxNetworkTest, ListsTheUpInterfacesButTheLoopbackInTheirNumbersOrderWithTheirAddresses) {
  ifaddrs* list = nullptr;
  ASSERT_EQ(::getifaddrs(&list), 0);
  std::map<std::string, Expected> expected;
  std::vector<std::string> loopbacks;
  for (const ifaddrs* e = list; e; e = e->ifa_next) {
    if (e->ifa_flags & IFF_LOOPBACK) {
      loopbacks.push_back(e->ifa_name);
      continue;
    }
    if (!(e->ifa_flags & IFF_UP)) continue;
    Expected& x = expected[e->ifa_name];
    x.index = ::if_nametoindex(e->ifa_name);
    if (e->ifa_addr && e->ifa_addr->sa_family == AF_INET)
      x.addresses.push_back(text(e->ifa_addr) + "/" + text(e->ifa_netmask));
  }
  ::freeifaddrs(list);
  if (expected.empty()) GTEST_SKIP() << "no interface up but the loopback";

  const std::vector<AdapterRecord> adapters = LinuxNetwork().adapters();
  ASSERT_EQ(adapters.size(), expected.size());
  for (std::size_t i = 0; i < adapters.size(); ++i) {
    const AdapterRecord& a = adapters[i];
    SCOPED_TRACE(a.name);
    ASSERT_TRUE(expected.contains(a.name));
    const Expected& x = expected[a.name];
    EXPECT_EQ(a.index, x.index);
    if (i > 0) {
      EXPECT_LT(adapters[i - 1].index, a.index);
    }
    std::vector<std::string> addresses;
    for (const AdapterAddress& address : a.addresses)
      addresses.push_back(address.address + "/" + address.mask);
    // One without an IPv4 address lists 0.0.0.0, as the table does.
    EXPECT_EQ(addresses, x.addresses.empty() ? std::vector<std::string>{"0.0.0.0/0.0.0.0"} : x.addresses);
    EXPECT_EQ(a.hasCurrentAddress, !x.addresses.empty());
    EXPECT_FALSE(a.description.empty());
  }
  for (const std::string& name : loopbacks) {
    for (const AdapterRecord& a : adapters) EXPECT_NE(a.name, name);
  }
}

TEST(LinuxNetworkTest, TheLoopbackCountsOnlyWhenNothingElseIsUp) {
  struct Case {
    const char* what;
    std::vector<HostInterface> interfaces;
    std::vector<std::string> adapters;
  };
  const Case cases[] = {
      {"a card up", {{"lo", true, true}, {"eth0", true, false}, {"eth0", true, false}}, {"eth0"}},
      {"the card down", {{"lo", true, true}, {"eth0", false, false}}, {"lo"}},
      {"only the loopback", {{"lo", true, true}, {"lo", true, true}}, {"lo"}},
      {"everything down", {{"lo", false, true}, {"eth0", false, false}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(adapterInterfaces(c.interfaces), c.adapters);
  }
}

}  // namespace
}  // namespace kelvaro
