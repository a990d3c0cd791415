#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvaro {

// One address of an adapter as the adapter table gives it: dotted IPv4
// texts, up to 15 characters each.
struct AdapterAddress {
  std::string address;
  std::string mask;
};

// One record of the adapter table.
struct AdapterRecord {
  std::string name;
  std::string description;
  std::vector<std::uint8_t> hardwareAddress;
  std::uint32_t index = 0;
  std::uint32_t type = 0;  // the adapter kind's number (6: Ethernet, 71: wireless, ...)
  bool dhcpEnabled = false;
  // The address in use; none when the adapter has no current address.
  bool hasCurrentAddress = false;
  AdapterAddress currentAddress;
  // In the record's chain order.
  std::vector<AdapterAddress> addresses;
  std::vector<AdapterAddress> gateways;
  AdapterAddress dhcpServer;
  bool hasWins = false;
  AdapterAddress primaryWins;
  AdapterAddress secondaryWins;
};

// The adapter table could not be obtained: the system's error code and its
// description.
class NetworkError : public std::runtime_error {
 public:
  NetworkError(int code, const std::string& description) : std::runtime_error(description), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// The machine's network adapters (GetAdaptersInfo).
class Network {
 public:
  virtual ~Network() = default;
  // Every adapter in the order the system reports them. Throws NetworkError.
  virtual std::vector<AdapterRecord> adapters() = 0;
};

// The test double: answers with the table a test sets, or fails with its error.
class TableNetwork : public Network {
 public:
  std::vector<AdapterRecord> adapters() override {
    ++requests;
    if (failure) throw *failure;
    return table;
  }

  std::vector<AdapterRecord> table;
  std::optional<NetworkError> failure;
  int requests = 0;
};

}  // namespace kelvaro
