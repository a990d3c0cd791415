#pragma once

#include <string>
#include <string_view>

namespace kelvaro {

class AppContext;

// A stored cursor, sound or icon path as the pages show it: a path holding
// %systemroot%, %windir% or %programfiles% (any case, tested in that order)
// is lowercased and the variable replaced by the Windows directory or the
// Program Files label; %userprofile% is dropped; any other path is kept as
// stored.
std::string expandStoredPath(std::string_view stored, std::string_view windowsDirectory,
                             std::string_view programFiles);

// The same with the environment's Windows directory and the shell folders
// page's "Program Files" label as it stands.
std::string expandStoredPath(const AppContext& app, std::string_view stored);

}  // namespace kelvaro
