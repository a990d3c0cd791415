#include "platform/prefix_layout.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "store/store_error.h"

namespace kelvaro {

namespace fs = std::filesystem;

namespace {

// The registry files as wineserver writes them: the header, the key the file
// holds, the architecture, then "[key] seconds" sections with "#time=" (a
// FILETIME in hexadecimal).
std::string registryHeader(const char* root) {
  return std::string("WINE REGISTRY Version 2\n;; All keys relative to ") + root + "\n\n#arch=win32\n";
}

std::string keySection(const char* path, std::chrono::system_clock::time_point now) {
  using namespace std::chrono;
  const auto seconds = duration_cast<std::chrono::seconds>(now.time_since_epoch()).count();
  // FILETIME counts 100 ns steps since 1601-01-01.
  constexpr long long kUnixEpochAsFiletime = 116444736000000000LL;
  const long long filetime =
      kUnixEpochAsFiletime + duration_cast<nanoseconds>(now.time_since_epoch()).count() / 100;
  char line[64];
  std::snprintf(line, sizeof line, "] %lld\n#time=%llx\n", static_cast<long long>(seconds),
                static_cast<unsigned long long>(filetime));
  return std::string("\n[") + path + line;
}

std::string minimalSystemRegistry() {
  const auto now = std::chrono::system_clock::now();
  return registryHeader("REGISTRY\\\\Machine") +
         keySection("Software\\\\Microsoft\\\\Windows\\\\CurrentVersion", now) +
         "\"ProductName\"=\"Microsoft Windows 98\"\n"
         "\"SubVersionNumber\"=\" A \"\n"
         "\"SystemRoot\"=\"C:\\\\WINDOWS\"\n"
         "\"VersionNumber\"=\"4.10.2222\"\n" +
         keySection("System\\\\CurrentControlSet\\\\Control\\\\Nls\\\\CodePage", now) +
         "\"ACP\"=\"1250\"\n"
         "\"OEMCP\"=\"852\"\n";
}

void writeText(const fs::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.flush();
  if (!out) throw StoreError("Cannot write " + file.string());
}

void ensureLink(const fs::path& link, const fs::path& target) {
  std::error_code ec;
  if (fs::is_symlink(link, ec) || fs::exists(link, ec)) return;
  fs::create_symlink(target, link, ec);
  if (ec) throw StoreError("Cannot create the drive link " + link.string() + ": " + ec.message());
}

void buildMinimal(const fs::path& folder) {
  writeText(folder / "system.reg", minimalSystemRegistry());
  writeText(folder / "user.reg", registryHeader("REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000"));
  writeText(folder / "userdef.reg", registryHeader("REGISTRY\\\\User\\\\.Default"));
  fs::create_directories(folder / "drive_c" / "WINDOWS" / "SYSTEM");
}

void buildFromTemplate(const fs::path& folder, const fs::path& templateFolder) {
  fs::copy(templateFolder, folder, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

// Makes the folder's parent exist and returns a new empty folder beside it.
fs::path freshSibling(const fs::path& folder) {
  fs::create_directories(folder.parent_path());
  std::string pattern = (folder.parent_path() / ("." + folder.filename().string() + "-new-XXXXXX")).string();
  if (!::mkdtemp(pattern.data()))
    throw StoreError("Cannot create a folder beside " + folder.string() + ": " + std::strerror(errno));
  return pattern;
}

}  // namespace

std::string prefixProblem(const fs::path& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0)
    return errno == ENOENT ? "the folder does not exist" : std::strerror(errno);
  if (!S_ISDIR(st.st_mode)) return "it is not a folder";
  // Wine refuses a prefix that belongs to someone else, and so do we.
  if (st.st_uid != ::getuid()) return "the folder belongs to another user";
  std::error_code ec;
  for (const char* file : {"system.reg", "user.reg"})
    if (!fs::is_regular_file(folder / file, ec))
      return std::string("it is not a Wine prefix (it has no ") + file + ")";
  if (!fs::is_directory(folder / "dosdevices", ec))
    return "it is not a Wine prefix (it has no dosdevices folder)";
  return {};
}

void createSandboxPrefix(const fs::path& folder, const fs::path& templateFolder) {
  fs::path building;
  try {
    building = freshSibling(folder);
    std::error_code ec;
    if (!templateFolder.empty() && fs::is_directory(templateFolder, ec))
      buildFromTemplate(building, templateFolder);
    else
      buildMinimal(building);
    fs::create_directories(building / "drive_c");
    fs::create_directories(building / "dosdevices");
    ensureLink(building / "dosdevices" / "c:", "../drive_c");
    ensureLink(building / "dosdevices" / "z:", "/");
    // "disable" keeps wineboot from rewriting the prefix when Wine is started in it.
    writeText(building / ".update-timestamp", "disable\n");
    if (!prefixProblem(building).empty())
      throw StoreError("The sandbox template is not a prefix: " + templateFolder.string());
  } catch (const fs::filesystem_error& e) {
    std::error_code ignored;
    if (!building.empty()) fs::remove_all(building, ignored);
    throw StoreError("Cannot create the sandbox in " + folder.string() + ": " + e.code().message());
  } catch (...) {
    std::error_code ignored;
    if (!building.empty()) fs::remove_all(building, ignored);
    throw;
  }
  if (::rename(building.c_str(), folder.c_str()) != 0) {
    const int error = errno;
    std::error_code ignored;
    fs::remove_all(building, ignored);
    // Another copy of the program may have made it in the meantime.
    if ((error == EEXIST || error == ENOTEMPTY) && prefixProblem(folder).empty()) return;
    throw StoreError("Cannot create the sandbox in " + folder.string() + ": " + std::strerror(error));
  }
}

}  // namespace kelvaro
