#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/network.h"
#include "store/store_error.h"

namespace kelvaro {

// A failure of the adapter model. It ends a loader as a store error does
// and is shown in the same error box.
class AdapterError : public StoreError {
 public:
  using StoreError::StoreError;
};

// "System Error.  Code: %d.\r\n%s" for a table that could not be obtained.
std::string systemErrorText(const NetworkError& error);

// An address and its mask, each as the table's text of at most 15 characters.
class TInfoIPAddress {
 public:
  TInfoIPAddress() = default;  // built from no record: both empty
  explicit TInfoIPAddress(const AdapterAddress& record);

  const std::string& ipAddress() const { return ipAddress_; }
  const std::string& ipMask() const { return ipMask_; }

 private:
  std::string ipAddress_;
  std::string ipMask_;
};

// One adapter of the table, with its own copies of the record's lists.
class TAdapter {
 public:
  explicit TAdapter(const AdapterRecord& record);

  const std::string& adapterName() const { return adapterName_; }
  const std::string& description() const { return description_; }
  int hardwareAddressLength() const { return hardwareAddressLength_; }
  // Each byte as two upper-case hexadecimal digits, joined by ":".
  const std::string& hardwareAddress() const { return hardwareAddress_; }
  std::uint32_t index() const { return index_; }
  std::uint32_t type() const { return type_; }
  bool dhcpEnabled() const { return dhcpEnabled_; }
  const TInfoIPAddress& currentIpAddress() const { return currentIpAddress_; }
  const std::vector<TInfoIPAddress>& gateways() const { return gateways_; }
  const TInfoIPAddress& dhcpServer() const { return dhcpServer_; }
  bool haveWins() const { return haveWins_; }
  const TInfoIPAddress& primaryWinsServer() const { return primaryWinsServer_; }
  const TInfoIPAddress& secondaryWinsServer() const { return secondaryWinsServer_; }

  int ipAddressCount() const { return static_cast<int>(ipAddresses_.size()); }
  const TInfoIPAddress& ipAddress(int i) const { return ipAddresses_.at(static_cast<std::size_t>(i)); }

 private:
  std::string adapterName_;
  std::string description_;
  int hardwareAddressLength_ = 0;
  std::string hardwareAddress_;
  std::uint32_t index_ = 0;
  std::uint32_t type_ = 0;
  bool dhcpEnabled_ = false;
  TInfoIPAddress currentIpAddress_;
  std::vector<TInfoIPAddress> ipAddresses_;
  std::vector<TInfoIPAddress> gateways_;
  TInfoIPAddress dhcpServer_;
  bool haveWins_ = false;
  TInfoIPAddress primaryWinsServer_;
  TInfoIPAddress secondaryWinsServer_;
};

// The adapters in the order the system reports them, read once when it is
// made. Throws AdapterError when the table cannot be obtained.
class TIPInfo {
 public:
  explicit TIPInfo(Network& network);

  int adapterCount() const { return static_cast<int>(adapters_.size()); }
  const TAdapter& adapter(int i) const { return *adapters_.at(static_cast<std::size_t>(i)); }

 private:
  std::vector<std::unique_ptr<TAdapter>> adapters_;
};

// An address text in its four fields: cut at its dots, the first four
// pieces; "0" in all four for a text shorter than seven characters or with
// fewer than three dots.
std::array<std::string, 4> splitAddress(std::string_view text);

// The address of the first adapter: (address text, mask text). Throws
// AdapterError, also for no adapter and for an adapter without an address.
std::pair<std::string, std::string> firstAdapterAddress(Network& network);

}  // namespace kelvaro
