#pragma once

#include <string>
#include <vector>

#include "platform/network.h"

namespace kelvaro {

// The host's interfaces as the adapter table: the interfaces
// adapterInterfaces chooses, in the order of their interface numbers, with their
// IPv4 addresses (getifaddrs), hardware address and kind (/sys/class/net)
// and default gateways (/proc/net/route). An adapter without an IPv4
// address lists 0.0.0.0, as the adapter table does for one that has none.
struct HostInterface {
  std::string name;
  bool up = false;
  bool loopback = false;
};

// The names of the interfaces that count as adapters: those that are up,
// the loopback left out; but when nothing else is up (an offline machine),
// the loopback, so that the network page shows it instead of failing at
// every start. Each name once, in the given order.
std::vector<std::string> adapterInterfaces(const std::vector<HostInterface>& interfaces);

class LinuxNetwork : public Network {
 public:
  std::vector<AdapterRecord> adapters() override;
};

}  // namespace kelvaro
