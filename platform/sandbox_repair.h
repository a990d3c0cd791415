#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace kelvaro {

// Kelvaro's sandbox is a prefix the program made itself, marked by this file
// (the template carries it). Only a marked prefix is ever replaced: a folder
// without the mark may be a Wine prefix of the user's and is left alone.
inline constexpr const char* kSandboxMarkFile = ".kelvaro-sandbox";

// Empty when the marked sandbox at folder is whole; else what is wrong with
// it (English, for the command line). A folder without the mark, or one that
// does not exist, is never damaged.
std::string sandboxDamage(const std::filesystem::path& folder);

// Moves a damaged sandbox aside (to "<folder>.damaged-N", so nothing the user
// had in it is lost) and returns where it went; the sandbox is then made anew
// by its creator. Folders left half made by a creation that was cut short
// ("." + name + "-new-*" beside it) and older than `staleAfter` are removed.
// Throws StoreError when the folder cannot be moved.
std::filesystem::path setAsideDamagedSandbox(const std::filesystem::path& folder);
void removeAbandonedSandboxes(const std::filesystem::path& folder,
                              std::chrono::seconds staleAfter = std::chrono::minutes(10));

}  // namespace kelvaro
