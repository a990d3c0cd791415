#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kelvaro::testing {

// A throw-away Wine-style prefix under the temporary folder, with
// dosdevices/c: -> ../drive_c; removed with everything in it at the end.
class TempPrefix {
 public:
  TempPrefix() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kelvaro-prefix-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    dir_ = pattern;
    std::filesystem::create_directories(dir_ / "drive_c");
    std::filesystem::create_directories(dir_ / "dosdevices");
    addDrive('c', "../drive_c");
  }
  TempPrefix(const TempPrefix&) = delete;
  TempPrefix& operator=(const TempPrefix&) = delete;
  ~TempPrefix() {
    std::error_code ec;
    // Read-only folders would stop remove_all for a user other than root.
    for (auto it = std::filesystem::recursive_directory_iterator(dir_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
      if (!it->is_symlink(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(dir_, ec);
  }

  const std::filesystem::path& dir() const { return dir_; }
  std::filesystem::path driveC() const { return dir_ / "drive_c"; }

  // dosdevices/<letter>: -> target (relative to dosdevices/ or absolute).
  void addDrive(char letter, const std::filesystem::path& target) {
    std::filesystem::create_symlink(target, dir_ / "dosdevices" / std::string{letter, ':'});
  }

  // A file below drive_c/ with its folders.
  std::filesystem::path put(const std::filesystem::path& relative, std::string_view content = "x") const {
    const auto path = driveC() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

 private:
  std::filesystem::path dir_;
};

// The content of a host file.
inline std::string readHostFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace kelvaro::testing
