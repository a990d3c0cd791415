#include "platform/program_folder.h"

namespace kelvaro {

namespace fs = std::filesystem;

namespace {

bool isInside(const fs::path& path, const fs::path& folder) {
  const fs::path relative = path.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

fs::path programDataFolderFor(const fs::path& executable, const fs::path& buildTree,
                              const fs::path& buildDataFolder, const fs::path& installedDataFolder) {
  if (!buildTree.empty() && isInside(executable, buildTree)) return buildDataFolder;
  std::error_code ec;
  const fs::path beside = (executable.parent_path() / ".." / "share" / "kelvaro").lexically_normal();
  if (fs::is_directory(beside, ec)) return beside;
  return installedDataFolder;
}

fs::path programDataFolder() {
  std::error_code ec;
  fs::path executable = fs::read_symlink("/proc/self/exe", ec);
  if (ec) executable.clear();
  return programDataFolderFor(fs::weakly_canonical(executable, ec),
                              fs::weakly_canonical(KELVARO_BUILD_DIR, ec), KELVARO_BUILD_DATA_DIR,
                              KELVARO_INSTALLED_DATA_DIR);
}

}  // namespace kelvaro
