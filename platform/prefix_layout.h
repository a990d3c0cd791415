#pragma once

#include <filesystem>
#include <string>

namespace kelvaro {

// What makes a folder a Wine-style prefix (system.reg, user.reg, userdef.reg,
// dosdevices/ with the drive links, drive_c/), and how the sandbox gets one.

// Empty when the folder can serve as a prefix, else why not (English, for the
// command line): missing, not a folder, not the user's, no registry files or
// no dosdevices folder.
std::string prefixProblem(const std::filesystem::path& folder);

// Creates the sandbox prefix at folder, which must not exist yet. With a
// template folder (a prefix tree shipped with the program: the registry files
// and drive_c/), the sandbox is a copy of it; without one it is the minimal
// Windows 98 SE prefix: the three registry files, C:\WINDOWS and
// C:\WINDOWS\SYSTEM. Either way dosdevices/ gets c: -> ../drive_c and z: -> /
// where the template has no drive links, and Wine is told not to update the
// prefix by itself. The prefix is built beside its place and renamed into it,
// so a half-made sandbox is never seen; when another copy of the program made
// it first, that one is kept. Throws StoreError with the reason.
void createSandboxPrefix(const std::filesystem::path& folder,
                         const std::filesystem::path& templateFolder = {});

}  // namespace kelvaro
