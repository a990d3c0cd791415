#pragma once

#include <filesystem>

namespace kelvaro {

// The folder that holds Kelvaro's own data (Logo\, Kursory\, the sandbox
// template): the build tree's data/ folder, which the build fills from data/
// and the sandbox generator, while the program runs from the build tree,
// <install prefix>/share/kelvaro once installed (found beside
// the executable, so a moved installation still finds it).
std::filesystem::path programDataFolder();

// The same rule for a given executable, build tree and folders.
std::filesystem::path programDataFolderFor(const std::filesystem::path& executable,
                                           const std::filesystem::path& buildTree,
                                           const std::filesystem::path& buildDataFolder,
                                           const std::filesystem::path& installedDataFolder);

}  // namespace kelvaro
