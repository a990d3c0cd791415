#include "platform/program_folder.h"

namespace kelvaro {

namespace fs = std::filesystem;

namespace {

bool isBuildTree(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder / "CMakeCache.txt", ec) &&
         fs::is_regular_file(folder / "data" / ".generated", ec);
}

}  // namespace

fs::path programDataFolderFor(const fs::path& executable, const fs::path& installedDataFolder) {
  for (fs::path folder = executable.parent_path(); !folder.empty(); folder = folder.parent_path()) {
    if (isBuildTree(folder)) return folder / "data";
    if (folder == folder.root_path()) break;
  }
  std::error_code ec;
  const fs::path beside = (executable.parent_path() / ".." / "share" / "kelvaro").lexically_normal();
  if (fs::is_directory(beside, ec)) return beside;
  return installedDataFolder;
}

fs::path programDataFolder() {
  std::error_code ec;
  fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  if (ec) executable.clear();
  return programDataFolderFor(fs::weakly_canonical(executable, ec), KELVARO_INSTALLED_DATA_DIR);
}

}  // namespace kelvaro
