#pragma once

#include <optional>
#include <string_view>

#include "store/common_functions.h"
#include "store/registry_tree.h"

namespace kelvaro {

// The version record Wine (8.0) reports through GetVersionExA in a prefix with
// this registry, for a program without a compatibility manifest:
// 1. HKCU\Software\Wine "Version", when it is one of the names Wine knows
//    ("win98", "winxp", "win10", ...; compared case-sensitively, as Wine does);
// 2. else HKLM\Software\Microsoft\Windows NT\CurrentVersion: "CurrentVersion"
//    ("6.1"), "CurrentBuildNumber", "CSDVersion";
// 3. else the 9x keys under HKLM\Software\Microsoft\Windows\CurrentVersion:
//    "VersionNumber" ("4.10.2222") and "SubVersionNumber" (" A ");
// 4. else Wine's built-in Windows 7.
// Versions above 6.2 read as 6.2, as Windows reports them to such programs.
VersionInfo wineReportedVersion(Registry& registry);

// The record of one of Wine's version names; nullopt for a name Wine does not know.
std::optional<VersionInfo> wineVersionByName(std::string_view name);

// The Windows 98 SE record: platform 1, 4.10, " A ".
VersionInfo windows98SecondEdition();

}  // namespace kelvaro
