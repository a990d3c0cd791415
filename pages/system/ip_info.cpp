#include "pages/system/ip_info.h"

#include <algorithm>
#include <cstdio>

namespace kelvaro {
namespace {

// The table's address texts are 16-byte character fields.
constexpr std::size_t kAddressText = 15;
constexpr std::size_t kAdapterName = 260;
constexpr std::size_t kDescription = 132;

std::string cut(const std::string& text, std::size_t limit) { return text.substr(0, limit); }

std::vector<TInfoIPAddress> addresses(const std::vector<AdapterAddress>& chain) {
  std::vector<TInfoIPAddress> out;
  out.reserve(chain.size());
  for (const AdapterAddress& a : chain) out.emplace_back(a);
  return out;
}

}  // namespace

std::string systemErrorText(const NetworkError& error) {
  return "System Error.  Code: " + std::to_string(error.code()) + ".\r\n" + error.what();
}

TInfoIPAddress::TInfoIPAddress(const AdapterAddress& record)
    : ipAddress_(cut(record.address, kAddressText)), ipMask_(cut(record.mask, kAddressText)) {}

TAdapter::TAdapter(const AdapterRecord& record)
    : adapterName_(cut(record.name, kAdapterName)),
      description_(cut(record.description, kDescription)),
      hardwareAddressLength_(static_cast<int>(record.hardwareAddress.size())),
      index_(record.index),
      type_(record.type),
      dhcpEnabled_(record.dhcpEnabled),
      ipAddresses_(addresses(record.addresses)),
      gateways_(addresses(record.gateways)),
      dhcpServer_(record.dhcpServer),
      haveWins_(record.hasWins),
      primaryWinsServer_(record.primaryWins),
      secondaryWinsServer_(record.secondaryWins) {
  if (record.hasCurrentAddress) currentIpAddress_ = TInfoIPAddress(record.currentAddress);
  for (std::uint8_t byte : record.hardwareAddress) {
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02X", byte);
    if (!hardwareAddress_.empty()) hardwareAddress_ += ':';
    hardwareAddress_ += digits;
  }
}

TIPInfo::TIPInfo(Network& network) {
  std::vector<AdapterRecord> table;
  try {
    table = network.adapters();
  } catch (const NetworkError& e) {
    throw AdapterError(systemErrorText(e));
  }
  adapters_.reserve(table.size());
  for (const AdapterRecord& record : table) adapters_.push_back(std::make_unique<TAdapter>(record));
}

std::array<std::string, 4> splitAddress(std::string_view text) {
  std::array<std::string, 4> fields{"0", "0", "0", "0"};
  if (text.size() < 7 || std::count(text.begin(), text.end(), '.') < 3) return fields;
  std::size_t start = 0;
  for (std::string& field : fields) {
    const std::size_t dot = text.find('.', start);
    field = std::string(text.substr(start, dot == std::string_view::npos ? dot : dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  return fields;
}

std::pair<std::string, std::string> firstAdapterAddress(Network& network) {
  const TIPInfo info(network);
  if (info.adapterCount() == 0) throw AdapterError("No network adapter found");
  const TAdapter& adapter = info.adapter(0);
  if (adapter.ipAddressCount() == 0) throw AdapterError("Network adapter does not have IP");
  return {adapter.ipAddress(0).ipAddress(), adapter.ipAddress(0).ipMask()};
}

}  // namespace kelvaro
