#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "registry_tree.h"

namespace kelvaro {

// What GetVersionExA reports: platform id (1 = Windows 9x, 2 = NT), version and
// the service-pack text.
struct VersionInfo {
  std::uint32_t platformId = 0, major = 0, minor = 0;
  std::string csdVersion;
};

// The Windows version name the pages show; nullopt means the version call failed.
std::string windowsVersionName(const std::optional<VersionInfo>& version);

// The program file's version, four numbers joined by ".".
std::string programVersionString();

// The path of a special shell folder from HKCU\...\Explorer\Shell Folders, or
// empty when the key or value is missing or the value is not a string.
std::string shellFolderPath(Registry& registry, std::string_view folderValueName);

// Reads a value through a HKEY_CURRENT_USER key treated as a profile file: the
// key (created when missing) is the file, a subkey the section, a string value
// the entry.
std::string readRegistryIni(Registry& registry, std::string_view fileKey, std::string_view section,
                            std::string_view entry, std::string_view defaultValue);

// The shell folder path as the desktop-shortcut and Send To commands read it
// (through readRegistryIni on the Explorer key).
std::string shellFolderPathViaIni(Registry& registry, std::string_view folderValueName);

// The text of the error box for a store error: a full stop is added when the
// text ends in a letter or digit.
std::string errorBoxText(std::string_view storeErrorText);

}  // namespace kelvaro
