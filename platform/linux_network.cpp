#include "platform/linux_network.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

// The adapter kinds' numbers of the adapter table.
constexpr std::uint32_t kTypeOther = 1;
constexpr std::uint32_t kTypeEthernet = 6;
constexpr std::uint32_t kTypePpp = 23;
constexpr std::uint32_t kTypeWireless = 71;
// Linux's ARP hardware kinds (if_arp.h).
constexpr int kArpEther = 1;
constexpr int kArpPpp = 512;

std::string dotted(const sockaddr* address) {
  if (!address || address->sa_family != AF_INET) return "0.0.0.0";
  char text[INET_ADDRSTRLEN] = {};
  const auto* in = reinterpret_cast<const sockaddr_in*>(address);
  ::inet_ntop(AF_INET, &in->sin_addr, text, sizeof text);
  return text;
}

std::string firstLine(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// "02:fc:00:00:00:01" as bytes; empty for anything else.
std::vector<std::uint8_t> hardwareBytes(const std::string& text) {
  std::vector<std::uint8_t> bytes;
  std::istringstream in(text);
  std::string part;
  while (std::getline(in, part, ':')) {
    if (part.size() != 2 || !std::isxdigit(static_cast<unsigned char>(part[0])) ||
        !std::isxdigit(static_cast<unsigned char>(part[1])))
      return {};
    bytes.push_back(static_cast<std::uint8_t>(std::stoul(part, nullptr, 16)));
  }
  return bytes;
}

std::uint32_t adapterType(const fs::path& device) {
  if (fs::exists(device / "wireless") || fs::exists(device / "phy80211")) return kTypeWireless;
  const std::string arp = firstLine(device / "type");
  if (arp == std::to_string(kArpEther)) return kTypeEthernet;
  if (arp == std::to_string(kArpPpp)) return kTypePpp;
  return kTypeOther;
}

std::string description(const std::string& name, const fs::path& device) {
  std::error_code ec;
  const fs::path driver = fs::read_symlink(device / "device" / "driver", ec);
  return ec ? name : name + " (" + driver.filename().string() + ")";
}

// Default gateways by interface from the kernel's routing table, whose
// addresses are hexadecimal in network byte order.
std::map<std::string, std::vector<std::string>> defaultGateways(const fs::path& routeFile) {
  std::map<std::string, std::vector<std::string>> gateways;
  std::ifstream in(routeFile);
  std::string line;
  std::getline(in, line);  // the heading
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string name, destination, gateway;
    if (!(fields >> name >> destination >> gateway) || destination != "00000000") continue;
    in_addr address{};
    try {
      address.s_addr = static_cast<in_addr_t>(std::stoul(gateway, nullptr, 16));
    } catch (const std::exception&) {
      continue;
    }
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address, text, sizeof text);
    gateways[name].push_back(text);
  }
  return gateways;
}

}  // namespace

std::vector<std::string> adapterInterfaces(const std::vector<HostInterface>& interfaces) {
  std::vector<std::string> chosen;
  for (const bool loopbacks : {false, true}) {
    for (const HostInterface& i : interfaces) {
      if (i.up && i.loopback == loopbacks && std::find(chosen.begin(), chosen.end(), i.name) == chosen.end())
        chosen.push_back(i.name);
    }
    if (!chosen.empty()) break;
  }
  return chosen;
}

std::vector<AdapterRecord> LinuxNetwork::adapters() {
  ifaddrs* list = nullptr;
  if (::getifaddrs(&list) != 0) {
    const int code = errno;
    throw NetworkError(code, std::strerror(code));
  }
  std::vector<HostInterface> interfaces;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (entry->ifa_name)
      interfaces.push_back(
          {entry->ifa_name, (entry->ifa_flags & IFF_UP) != 0, (entry->ifa_flags & IFF_LOOPBACK) != 0});
  }
  const std::vector<std::string> chosen = adapterInterfaces(interfaces);
  std::map<std::string, AdapterRecord> byName;
  for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
    if (!entry->ifa_name || std::find(chosen.begin(), chosen.end(), entry->ifa_name) == chosen.end())
      continue;
    AdapterRecord& record = byName[entry->ifa_name];
    record.name = entry->ifa_name;
    if (entry->ifa_addr && entry->ifa_addr->sa_family == AF_INET)
      record.addresses.push_back({dotted(entry->ifa_addr), dotted(entry->ifa_netmask)});
  }
  ::freeifaddrs(list);

  const auto gateways = defaultGateways("/proc/net/route");
  std::vector<AdapterRecord> adapters;
  for (auto& [name, record] : byName) {
    const fs::path device = fs::path("/sys/class/net") / name;
    record.index = ::if_nametoindex(name.c_str());
    record.description = description(name, device);
    record.hardwareAddress = hardwareBytes(firstLine(device / "address"));
    record.type = adapterType(device);
    if (record.addresses.empty()) {
      record.addresses.push_back({"0.0.0.0", "0.0.0.0"});
    } else {
      record.hasCurrentAddress = true;
      record.currentAddress = record.addresses.front();
    }
    if (const auto g = gateways.find(name); g != gateways.end()) {
      for (const std::string& gateway : g->second) record.gateways.push_back({gateway, "255.255.255.255"});
    }
    adapters.push_back(std::move(record));
  }
  std::stable_sort(adapters.begin(), adapters.end(),
                   [](const AdapterRecord& a, const AdapterRecord& b) { return a.index < b.index; });
  return adapters;
}

}  // namespace kelvaro
