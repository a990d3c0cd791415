#pragma once

#include "platform/network.h"

namespace kelvaro {

// The host's interfaces as the adapter table: every interface that is up and
// is not the loopback, in the order of their interface numbers, with their
// IPv4 addresses (getifaddrs), hardware address and kind (/sys/class/net)
// and default gateways (/proc/net/route). An adapter without an IPv4
// address lists 0.0.0.0, as the adapter table does for one that has none.
class LinuxNetwork : public Network {
 public:
  std::vector<AdapterRecord> adapters() override;
};

}  // namespace kelvaro
