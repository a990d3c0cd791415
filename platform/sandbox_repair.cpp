#include "platform/sandbox_repair.h"

#include <fstream>

#include "store/store_error.h"

namespace kelvaro {

namespace fs = std::filesystem;

std::string sandboxDamage(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_regular_file(folder / kSandboxMarkFile, ec)) return {};
  for (const char* file : {"system.reg", "user.reg"}) {
    if (!fs::is_regular_file(folder / file, ec))
      return std::string("its registry file ") + file + " is missing";
    // A registry file cut short by a crash holds less than the header.
    std::ifstream in(folder / file, std::ios::binary);
    std::string header;
    std::getline(in, header);
    if (header.rfind("WINE REGISTRY Version 2", 0) != 0)
      return std::string("its registry file ") + file + " is damaged";
  }
  if (!fs::is_directory(folder / "dosdevices", ec)) return "its dosdevices folder is missing";
  if (!fs::is_directory(folder / "drive_c" / "WINDOWS" / "SYSTEM", ec))
    return "its C:\\WINDOWS\\SYSTEM folder is missing";
  return {};
}

fs::path setAsideDamagedSandbox(const fs::path& folder) {
  for (int n = 1; n < 1000; ++n) {
    const fs::path aside =
        folder.parent_path() / (folder.filename().string() + ".damaged-" + std::to_string(n));
    std::error_code ec;
    if (fs::exists(fs::symlink_status(aside, ec))) continue;
    fs::rename(folder, aside, ec);
    if (ec)
      throw StoreError("Cannot move the damaged sandbox " + folder.string() + " aside: " + ec.message());
    return aside;
  }
  throw StoreError("Cannot move the damaged sandbox " + folder.string() +
                   " aside: too many damaged copies beside it");
}

void removeAbandonedSandboxes(const fs::path& folder, std::chrono::seconds staleAfter) {
  std::error_code ec;
  const std::string prefix = "." + folder.filename().string() + "-new-";
  fs::directory_iterator it(folder.parent_path(), ec);
  if (ec) return;
  const auto now = fs::file_time_type::clock::now();
  for (const auto& entry : it) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0 || !entry.is_directory(ec) || entry.is_symlink(ec)) continue;
    const auto written = fs::last_write_time(entry.path(), ec);
    if (ec || now - written < staleAfter) continue;  // another copy may still be making it
    fs::remove_all(entry.path(), ec);
  }
}

}  // namespace kelvaro
