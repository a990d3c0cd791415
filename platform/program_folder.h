#pragma once

#include <filesystem>

namespace kelvaro {

// The folder that holds Kelvaro's own data (Logo\, Kursory\, the sandbox
// template): the build tree's data/ folder, which the build fills from data/
// and the sandbox generator, while the program runs from a build tree;
// <install prefix>/share/kelvaro once installed (found beside the
// executable, so a moved installation still finds it).
std::filesystem::path programDataFolder();

// The same rule for a given executable. A build tree is recognised by what
// the build leaves in it (CMakeCache.txt and the drawn data/), so no path of
// the build is kept in the program; installedDataFolder is the last resort.
std::filesystem::path programDataFolderFor(const std::filesystem::path& executable,
                                           const std::filesystem::path& installedDataFolder);

}  // namespace kelvaro
