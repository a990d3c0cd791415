#include "platform/wine_version.h"

#include <array>
#include <cstdint>

#include "store/registry_handle.h"

namespace kelvaro {

namespace {

struct NamedVersion {
  std::string_view names;  // the spellings Wine accepts, separated by ","
  VersionInfo version;
};

// Wine 8.0's table, checked against what GetVersionExA returns under it.
const std::array<NamedVersion, 19>& namedVersions() {
  static const std::array<NamedVersion, 19> table = {{
      {"win20", {0, 2, 0, "Win32s 1.3"}},
      {"win30", {0, 3, 0, "Win32s 1.3"}},
      {"win31", {0, 3, 10, "Win32s 1.3"}},
      {"win95", {1, 4, 0, ""}},
      {"win98", {1, 4, 10, " A "}},
      {"winme", {1, 4, 90, " "}},
      {"nt351", {2, 3, 51, "Service Pack 5"}},
      {"nt40", {2, 4, 0, "Service Pack 6a"}},
      {"win2000,win2k,nt2k,nt2000", {2, 5, 0, "Service Pack 4"}},
      {"winxp", {2, 5, 1, "Service Pack 3"}},
      {"winxp64", {2, 5, 2, "Service Pack 2"}},
      {"win2003,win2k3", {2, 5, 2, "Service Pack 2"}},
      {"vista,winvista", {2, 6, 0, "Service Pack 2"}},
      {"win2008,win2k8", {2, 6, 0, "Service Pack 2"}},
      {"win7", {2, 6, 1, "Service Pack 1"}},
      {"win2008r2,win2k8r2", {2, 6, 1, "Service Pack 1"}},
      {"win8", {2, 6, 2, ""}},
      {"win81", {2, 6, 3, ""}},
      {"win10", {2, 10, 0, ""}},
  }};
  return table;
}

bool listHolds(std::string_view list, std::string_view name) {
  while (true) {
    const std::size_t cut = list.find(',');
    if (list.substr(0, cut) == name) return true;
    if (cut == std::string_view::npos) return false;
    list.remove_prefix(cut + 1);
  }
}

// A REG_SZ or REG_EXPAND_SZ value of a key, opened without creating it.
std::optional<std::string> readText(Registry& registry, Root root, std::string_view key,
                                    std::string_view name) {
  RegistryHandle reg(registry);
  reg.setRoot(root);
  if (!reg.openKey(key, false)) return std::nullopt;
  const RegistryValue* value = reg.rawValue(name);
  if (!value || (value->type != kRegSz && value->type != kRegExpandSz)) return std::nullopt;
  return registryStringText(value->data);
}

// Reads a decimal number the way C's strtoul does: leading blanks skipped,
// digits up to the first other character. Nullopt when there is no digit.
std::optional<std::uint32_t> leadingNumber(std::string_view& text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  std::uint32_t value = 0;
  while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
    value = value * 10 + static_cast<std::uint32_t>(text.front() - '0');
    text.remove_prefix(1);
  }
  return value;
}

// "major[.minor[.build]]"; the parts after the first are 0 when missing.
std::optional<std::array<std::uint32_t, 3>> dottedNumbers(std::string_view text) {
  std::array<std::uint32_t, 3> parts{};
  const auto first = leadingNumber(text);
  if (!first) return std::nullopt;
  parts[0] = *first;
  for (std::size_t i = 1; i < parts.size() && !text.empty() && text.front() == '.'; ++i) {
    text.remove_prefix(1);
    parts[i] = leadingNumber(text).value_or(0);
  }
  return parts;
}

constexpr std::string_view kNtKey = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr std::string_view k9xKey = "\\Software\\Microsoft\\Windows\\CurrentVersion";

std::optional<VersionInfo> ntRegistryVersion(Registry& registry) {
  const auto text = readText(registry, Root::LocalMachine, kNtKey, "CurrentVersion");
  if (!text) return std::nullopt;
  const auto numbers = dottedNumbers(*text);
  if (!numbers) return std::nullopt;
  return VersionInfo{2, (*numbers)[0], (*numbers)[1],
                     readText(registry, Root::LocalMachine, kNtKey, "CSDVersion").value_or("")};
}

std::optional<VersionInfo> win9xRegistryVersion(Registry& registry) {
  const auto text = readText(registry, Root::LocalMachine, k9xKey, "VersionNumber");
  if (!text) return std::nullopt;
  const auto numbers = dottedNumbers(*text);
  if (!numbers) return std::nullopt;
  return VersionInfo{1, (*numbers)[0], (*numbers)[1],
                     readText(registry, Root::LocalMachine, k9xKey, "SubVersionNumber").value_or("")};
}

// A program that does not declare itself ready for Windows 8.1 or later is told 6.2.
VersionInfo capForUnmanifestedProgram(VersionInfo version) {
  if (version.platformId == 2 && (version.major > 6 || (version.major == 6 && version.minor > 2))) {
    version.major = 6;
    version.minor = 2;
  }
  return version;
}

}  // namespace

std::optional<VersionInfo> wineVersionByName(std::string_view name) {
  for (const auto& entry : namedVersions())
    if (listHolds(entry.names, name)) return entry.version;
  return std::nullopt;
}

VersionInfo windows98SecondEdition() { return {1, 4, 10, " A "}; }

VersionInfo wineReportedVersion(Registry& registry) {
  std::optional<VersionInfo> version;
  if (const auto name = readText(registry, Root::CurrentUser, "\\Software\\Wine", "Version"))
    version = wineVersionByName(*name);
  if (!version) version = ntRegistryVersion(registry);
  if (!version) version = win9xRegistryVersion(registry);
  if (!version) version = wineVersionByName("win7");
  return capForUnmanifestedProgram(*version);
}

}  // namespace kelvaro
