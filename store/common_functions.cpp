#include "common_functions.h"

#include "program_version.h"
#include "registry_handle.h"
#include "store_patterns.h"
#include "text_codec.h"

namespace kelvaro {

std::string windowsVersionName(const std::optional<VersionInfo>& version) {
  const std::string unknown = "brak danych";
  if (!version) return unknown;
  const VersionInfo& v = *version;
  if (v.platformId == 1) {
    if (v.major != 4) return unknown;
    switch (v.minor) {
      case 0:
        return "Windows 95";
      case 10:
        return v.csdVersion.size() >= 2 && v.csdVersion[1] == 'A' ? "Windows 98 SE" : "Windows 98";
      case 90:
        return "Windows ME";
      default:
        return unknown;
    }
  }
  if (v.platformId == 2) {
    if (v.major <= 4) return "Windows 4.0 NT";
    if (v.major == 5 && v.minor == 0) return "Windows 2000";
    if (v.major == 5 && v.minor == 1) return "Windows XP";
    if (v.major == 6) return "Windows Vista";
    return unknown;
  }
  return unknown;
}

std::string programVersionString() {
  std::string out;
  for (const unsigned part : kProgramVersionParts) {
    if (!out.empty()) out.push_back('.');
    out += std::to_string(part);
  }
  return out;
}

std::string shellFolderPath(Registry& registry, std::string_view folderValueName) {
  RegistryHandle reg(registry);
  if (!openForRead(reg, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders")) return {};
  return guardedReadString(reg, folderValueName);
}

std::string readRegistryIni(Registry& registry, std::string_view fileKey, std::string_view section,
                            std::string_view entry, std::string_view defaultValue) {
  RegistryHandle reg(registry);
  reg.openKey(fileKey, true);
  if (!reg.openKey(section, false) || !reg.valueExists(entry)) return std::string(defaultValue);
  return reg.readString(entry);
}

std::string shellFolderPathViaIni(Registry& registry, std::string_view folderValueName) {
  return readRegistryIni(registry, "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer", "Shell Folders",
                         folderValueName, "");
}

std::string errorBoxText(std::string_view storeErrorText) {
  std::string text(storeErrorText);
  if (endsWithLetterOrDigit(text)) text.push_back('.');
  return text;
}

}  // namespace kelvaro
