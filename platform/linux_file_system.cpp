#include "platform/linux_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "platform/file_mask.h"
#include "store/atomic_file.h"
#include "store/store_error.h"
#include "store/text_codec.h"

namespace kelvaro {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDosAttributeName = "user.DOSATTRIB";
constexpr std::uint32_t kXattrBits = kAttributeHidden | kAttributeSystem;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

std::optional<struct stat> statOf(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return st;
}

// Wine shows an entry without any write permission bit as read-only.
bool hasNoWriteBit(const struct stat& st) { return (st.st_mode & kAnyWrite) == 0; }
bool isReadOnlyFile(const struct stat& st) { return !S_ISDIR(st.st_mode) && hasNoWriteBit(st); }

// Hidden and system from the extended attribute; 0 when it is missing or not
// in the "0x<hex>" form.
std::uint32_t storedDosBits(const fs::path& path) {
  char text[64];
  const ssize_t length = ::getxattr(path.c_str(), kDosAttributeName, text, sizeof text - 1);
  if (length < 3) return 0;
  text[length] = '\0';
  if (text[0] != '0' || (text[1] != 'x' && text[1] != 'X')) return 0;
  std::uint32_t bits = 0;
  for (const char* p = text + 2; *p; ++p) {
    const char c = *p;
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      break;
    }
    bits = (bits << 4) | static_cast<std::uint32_t>(digit);
    if (bits > 0xFFFFFF) break;
  }
  return bits & kXattrBits;
}

bool storeDosBits(const fs::path& path, std::uint32_t bits) {
  bits &= kXattrBits;
  if (bits == 0) {
    if (::removexattr(path.c_str(), kDosAttributeName) == 0) return true;
    return errno == ENODATA || errno == ENOTSUP;
  }
  char text[16];
  const int length = std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(bits));
  return ::setxattr(path.c_str(), kDosAttributeName, text, static_cast<std::size_t>(length), 0) == 0;
}

std::uint32_t attributesOf(const fs::path& path, const struct stat& st) {
  std::uint32_t attributes = S_ISDIR(st.st_mode) ? kAttributeDirectory : kAttributeArchive;
  if (hasNoWriteBit(st)) attributes |= kAttributeReadOnly;
  attributes |= storedDosBits(path);
  const std::string name = path.filename().string();
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= kAttributeHidden;
  return attributes;
}

// The new content is in place once the rename is done; a folder that cannot
// be synced afterwards does not undo that.
bool committed(AtomicFile& file) { return file.commit() || file.replaced(); }

bool copyContent(const fs::path& from, AtomicFile& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  char buffer[1 << 16];
  bool ok = true;
  while (true) {
    const ssize_t got = ::read(in, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ok = false;
    if (got <= 0) break;
    if (!to.write(std::string_view(buffer, static_cast<std::size_t>(got)))) {
      ok = false;
      break;
    }
  }
  ::close(in);
  return ok;
}

// The mode Wine gives a file when its read-only attribute is cleared: write
// permission for the owner and for everyone who may read it, within the umask.
mode_t writableMode(mode_t mode, mode_t umask) {
  return mode | ((S_IWUSR | ((mode & (S_IRGRP | S_IROTH)) >> 1)) & ~umask);
}

// Gives an open file the attributes it should carry before it takes its place.
bool applyAttributes(int fd, const fs::path& path, mode_t mode, std::uint32_t dosBits) {
  if (!storeDosBits(path, dosBits)) return false;
  return ::fchmod(fd, mode & 07777) == 0;
}

bool sameEntry(const fs::path& a, const fs::path& b) {
  struct stat sa {
  }, sb{};
  if (::lstat(a.c_str(), &sa) != 0 || ::lstat(b.c_str(), &sb) != 0) return false;
  return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// The entry of a folder named like name: the exact name first, then the first
// entry equal without regard to case, as Wine looks names up.
std::optional<fs::path> findEntry(const fs::path& folder, const std::string& name) {
  fs::path exact = folder / name;
  struct stat st {};
  if (::lstat(exact.c_str(), &st) == 0) return exact;
  if (errno != ENOENT) return std::nullopt;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return std::nullopt;
  const std::u16string wanted = utf8ToUtf16(name);
  std::optional<fs::path> found;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view candidate = entry->d_name;
    if (candidate == "." || candidate == ".." || !isValidUtf8(candidate)) continue;
    if (namesEqual(utf8ToUtf16(candidate), wanted)) {
      found = folder / entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

// The process's umask, read without changing it (umask() would, for a moment,
// under the feet of other threads).
mode_t currentUmask() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("Umask:", 0) == 0) return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

}  // namespace

LinuxFileSystem::LinuxFileSystem(fs::path prefixDirectory)
    : prefix_(std::move(prefixDirectory)), umask_(currentUmask()) {}

std::optional<fs::path> LinuxFileSystem::driveRoot(char drive) const {
  const fs::path devices = prefix_ / "dosdevices";
  const fs::path link = devices / std::string{drive, ':'};
  std::error_code ec;
  fs::path root = link;
  if (fs::is_symlink(link, ec)) {
    const fs::path target = fs::read_symlink(link, ec);
    if (ec) return std::nullopt;
    // Show "prefix/drive_c" rather than "prefix/dosdevices/c:" where that is the same folder.
    const fs::path plain = target.is_absolute() ? target : (devices / target).lexically_normal();
    if (fs::equivalent(plain, link, ec) && !ec) root = plain;
  }
  if (!fs::is_directory(root, ec)) return std::nullopt;
  return root;
}

std::optional<fs::path> LinuxFileSystem::resolveExisting(const DosPath& path) const {
  std::optional<fs::path> current = driveRoot(path.drive);
  for (const auto& name : path.names) {
    if (!current) return std::nullopt;
    current = findEntry(*current, name);
  }
  if (current && !statOf(*current)) return std::nullopt;  // a link that leads nowhere
  return current;
}

std::optional<LinuxFileSystem::Target> LinuxFileSystem::resolveTarget(const DosPath& path) const {
  if (path.isRoot()) return std::nullopt;
  const auto parent = resolveExisting(path.parent());
  if (!parent) return std::nullopt;
  const auto st = statOf(*parent);
  if (!st || !S_ISDIR(st->st_mode)) return std::nullopt;
  Target target;
  target.fresh = *parent / path.names.back();
  if (const auto found = findEntry(*parent, path.names.back())) {
    target.host = *found;
    target.exists = true;
  } else {
    target.host = target.fresh;
  }
  return target;
}

std::optional<fs::path> LinuxFileSystem::existing(std::string_view text) const {
  const auto path = DosPath::parse(text);
  if (!path) return std::nullopt;
  return resolveExisting(*path);
}

std::optional<LinuxFileSystem::Target> LinuxFileSystem::target(std::string_view text) const {
  const auto path = DosPath::parse(text);
  if (!path) return std::nullopt;
  return resolveTarget(*path);
}

bool LinuxFileSystem::mayChange(const fs::path& host, std::string_view dosPath) {
  if (!guard_) return true;
  try {
    guard_->beforeChange(host, dosPath);
    return true;
  } catch (const StoreError& e) {
    guard_->reportRefusal(e.what());
    return false;
  }
}

bool LinuxFileSystem::fileExists(std::string_view path) {
  const auto host = existing(path);
  if (!host) return false;
  const auto st = statOf(*host);
  return st && !S_ISDIR(st->st_mode);
}

bool LinuxFileSystem::directoryExists(std::string_view path) {
  const auto host = existing(path);
  if (!host) return false;
  const auto st = statOf(*host);
  return st && S_ISDIR(st->st_mode);
}

std::optional<std::uint64_t> LinuxFileSystem::fileSize(std::string_view path) {
  const auto host = existing(path);
  if (!host) return std::nullopt;
  const auto st = statOf(*host);
  if (!st || S_ISDIR(st->st_mode)) return std::nullopt;
  return static_cast<std::uint64_t>(st->st_size);
}

bool LinuxFileSystem::copyFile(std::string_view from, std::string_view to, bool failIfExists) {
  const auto source = existing(from);
  const auto destination = target(to);
  if (!source || !destination) return false;
  const auto sourceStat = statOf(*source);
  // Devices and pipes (reachable through Z:) would never end.
  if (!sourceStat || !S_ISREG(sourceStat->st_mode)) return false;
  fs::path place = destination->host;
  if (destination->exists) {
    if (failIfExists) return false;
    const auto st = statOf(place);
    if (!st || S_ISDIR(st->st_mode) || isReadOnlyFile(*st)) return false;
    if (st->st_dev == sourceStat->st_dev && st->st_ino == sourceStat->st_ino) return false;
    std::error_code ec;
    if (fs::is_symlink(place, ec)) place = fs::canonical(place, ec);
    if (ec) return false;
  }
  if (!mayChange(place, to)) return false;
  AtomicFile copy(place, {.replace = !failIfExists});
  if (!copy.ok() || !copyContent(*source, copy)) return false;
  const struct timespec times[2] = {sourceStat->st_atim, sourceStat->st_mtim};
  ::futimens(copy.fd(), times);
  const std::uint32_t dosBits = storedDosBits(*source);
  if (!applyAttributes(copy.fd(), copy.temporaryPath(), sourceStat->st_mode, dosBits)) return false;
  return committed(copy);
}

bool LinuxFileSystem::moveFile(std::string_view from, std::string_view to) {
  const auto sourcePath = DosPath::parse(from);
  const auto destinationPath = DosPath::parse(to);
  if (!sourcePath || !destinationPath || sourcePath->isRoot()) return false;
  const auto source = resolveExisting(*sourcePath);
  const auto destination = resolveTarget(*destinationPath);
  if (!source || !destination) return false;
  if (destination->exists) {
    // Only a change of case of the same entry may land on an existing name.
    if (!sameEntry(*source, destination->host)) return false;
    if (destination->fresh.filename() == source->filename()) return true;
  }
  // A file's backup puts it back and removes the new name; a folder's
  // files move with it and are not kept.
  const auto moved = statOf(*source);
  if (moved && S_ISREG(moved->st_mode) && (!mayChange(*source, from) || !mayChange(destination->fresh, to)))
    return false;
  if (::renameat2(AT_FDCWD, source->c_str(), AT_FDCWD, destination->fresh.c_str(), RENAME_NOREPLACE) == 0) {
    syncFolder(destination->fresh.parent_path());
    return true;
  }
  if (errno == EINVAL || errno == ENOSYS) {
    // A file system without RENAME_NOREPLACE (or a folder moved into itself,
    // which rename refuses as well); the target was checked above.
    struct stat st {};
    if (::lstat(destination->fresh.c_str(), &st) == 0) return false;
    if (::rename(source->c_str(), destination->fresh.c_str()) == 0) {
      syncFolder(destination->fresh.parent_path());
      return true;
    }
  }
  if (errno != EXDEV) return false;
  // Across devices only files move, as a copy and a delete.
  const auto st = statOf(*source);
  if (!st || !S_ISREG(st->st_mode)) return false;
  AtomicFile copy(destination->fresh, {.replace = false});
  if (!copy.ok() || !copyContent(*source, copy)) return false;
  const struct timespec times[2] = {st->st_atim, st->st_mtim};
  ::futimens(copy.fd(), times);
  if (!applyAttributes(copy.fd(), copy.temporaryPath(), st->st_mode, storedDosBits(*source))) return false;
  if (!committed(copy)) return false;
  return ::unlink(source->c_str()) == 0;
}

bool LinuxFileSystem::deleteFile(std::string_view path) {
  const auto host = existing(path);
  if (!host) return false;
  const auto st = statOf(*host);
  if (!st || S_ISDIR(st->st_mode) || isReadOnlyFile(*st)) return false;
  if (!mayChange(*host, path)) return false;
  return ::unlink(host->c_str()) == 0;
}

bool LinuxFileSystem::createDirectory(std::string_view path) {
  const auto destination = target(path);
  if (!destination || destination->exists) return false;
  return ::mkdir(destination->fresh.c_str(), 0777) == 0;
}

bool LinuxFileSystem::removeDirectory(std::string_view path) {
  const auto parsed = DosPath::parse(path);
  if (!parsed || parsed->isRoot()) return false;
  const auto host = resolveExisting(*parsed);
  if (!host) return false;
  return ::rmdir(host->c_str()) == 0;
}

bool LinuxFileSystem::clearFolder(int folderFd, const fs::path& host, const std::string& dosPath) {
  // The names first: the folder changes while its entries are deleted.
  std::vector<std::string> names;
  {
    const int listFd = ::dup(folderFd);
    if (listFd < 0) return false;
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
      ::close(listFd);
      return false;
    }
    while (const dirent* entry = ::readdir(dir)) {
      const std::string_view name = entry->d_name;
      if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
  }
  bool empty = true;
  for (const std::string& name : names) {
    const fs::path child = host / name;
    const std::string childDos = dosPath + "\\" + name;
    struct stat st {};
    if (::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      empty = false;
      continue;
    }
    if (S_ISDIR(st.st_mode)) {
      // O_NOFOLLOW: an entry swapped for a link meanwhile is not entered.
      const int sub = ::openat(folderFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (sub < 0) {
        empty = false;
        continue;
      }
      // A read-only folder is no obstacle on Windows; here its entries need it writable.
      if ((st.st_mode & S_IWUSR) == 0) ::fchmod(sub, (st.st_mode & 07777) | S_IWUSR);
      const bool cleared = clearFolder(sub, child, childDos);
      ::close(sub);
      if (!cleared || ::unlinkat(folderFd, name.c_str(), AT_REMOVEDIR) != 0) empty = false;
      continue;
    }
    // Files, read-only and hidden ones included, and links as links. The
    // attributes go with the file; the backup keeps them.
    if (!mayChange(child, childDos) || ::unlinkat(folderFd, name.c_str(), 0) != 0) empty = false;
  }
  return empty;
}

bool LinuxFileSystem::deleteTree(std::string_view path) {
  const auto parsed = DosPath::parse(path);
  if (!parsed || parsed->isRoot()) return false;
  const auto host = resolveExisting(*parsed);
  if (!host) return false;
  struct stat st {};
  if (::lstat(host->c_str(), &st) != 0) return false;
  const std::string dos = parsed->text();
  if (S_ISLNK(st.st_mode)) {
    const auto target = statOf(*host);
    if (!target || !S_ISDIR(target->st_mode)) return false;
    return mayChange(*host, dos) && ::unlink(host->c_str()) == 0;
  }
  if (!S_ISDIR(st.st_mode)) return false;
  const int fd = ::open(host->c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  if ((st.st_mode & S_IWUSR) == 0) ::fchmod(fd, (st.st_mode & 07777) | S_IWUSR);
  const bool cleared = clearFolder(fd, *host, dos);
  ::close(fd);
  if (!cleared || ::rmdir(host->c_str()) != 0) return false;
  syncFolder(host->parent_path());
  return true;
}

std::optional<std::uint32_t> LinuxFileSystem::attributes(std::string_view path) {
  const auto host = existing(path);
  if (!host) return std::nullopt;
  const auto st = statOf(*host);
  if (!st) return std::nullopt;
  return attributesOf(*host, *st);
}

bool LinuxFileSystem::setAttributes(std::string_view path, std::uint32_t attributes) {
  const auto host = existing(path);
  if (!host) return false;
  const auto st = statOf(*host);
  if (!st) return false;
  const bool isFile = !S_ISDIR(st->st_mode);
  if (isFile && !mayChange(*host, path)) return false;
  const std::uint32_t bits = attributes & kXattrBits;
  const bool bitsChange = storedDosBits(*host) != bits;
  const bool wasReadOnly = hasNoWriteBit(*st);
  // Wine clears read-only on folders too but never sets it on one.
  const bool readOnly = (attributes & kAttributeReadOnly) != 0 && (isFile || wasReadOnly);
  const mode_t mode = st->st_mode & 07777;
  if (!readOnly && wasReadOnly && ::chmod(host->c_str(), writableMode(mode, umask_)) != 0) return false;
  if (bitsChange) {
    // Setting an extended attribute needs write permission on the entry.
    const bool lend = wasReadOnly && readOnly;
    if (lend) ::chmod(host->c_str(), mode | S_IWUSR);
    const bool stored = storeDosBits(*host, bits);
    if (lend) ::chmod(host->c_str(), mode);
    if (!stored) return false;
  }
  if (readOnly && !wasReadOnly && ::chmod(host->c_str(), mode & ~kAnyWrite) != 0) return false;
  return true;
}

std::vector<DirectoryEntry> LinuxFileSystem::listDirectory(std::string_view folder, std::string_view mask) {
  std::vector<DirectoryEntry> entries;
  const auto host = existing(folder);
  if (!host) return entries;
  DIR* dir = ::opendir(host->c_str());
  if (!dir) return entries;
  const FileMask filter(mask);
  while (const dirent* entry = ::readdir(dir)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    // Names a DOS path could not address are left out.
    if (!isValidDosName(name) || !filter.matches(name)) continue;
    const fs::path child = *host / entry->d_name;
    const auto st = statOf(child);
    if (!st) continue;
    entries.push_back({std::string(name), attributesOf(child, *st)});
  }
  ::closedir(dir);
  return entries;
}

std::optional<std::string> LinuxFileSystem::readFile(std::string_view path) {
  const auto host = existing(path);
  if (!host) return std::nullopt;
  // O_NONBLOCK so that a pipe does not hang the open; it is refused below.
  const int fd = ::open(host->c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[1 << 16];
  bool ok = true;
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ok = false;
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  if (!ok) return std::nullopt;
  return bytes;
}

bool LinuxFileSystem::writeFile(std::string_view path, std::string_view bytes) {
  const auto destination = target(path);
  if (!destination) return false;
  fs::path place = destination->host;
  mode_t mode = 0666 & ~umask_;
  std::uint32_t dosBits = 0;
  if (destination->exists) {
    std::error_code ec;
    if (fs::is_symlink(place, ec)) place = fs::canonical(place, ec);
    if (ec) return false;
    const auto st = statOf(place);
    if (!st || S_ISDIR(st->st_mode) || isReadOnlyFile(*st)) return false;
    mode = st->st_mode & 07777;
    dosBits = storedDosBits(place);
  }
  if (!mayChange(place, path)) return false;
  AtomicFile file(place);
  if (!file.write(bytes)) return false;
  if (!applyAttributes(file.fd(), file.temporaryPath(), mode, dosBits)) return false;
  return committed(file);
}

std::vector<char> LinuxFileSystem::drives() {
  std::vector<char> letters;
  for (char letter = 'a'; letter <= 'z'; ++letter)
    if (driveRoot(letter)) letters.push_back(letter);
  return letters;
}

std::optional<fs::path> LinuxFileSystem::hostPath(std::string_view path) {
  const auto parsed = DosPath::parse(path);
  if (!parsed) return std::nullopt;
  if (parsed->isRoot()) return driveRoot(parsed->drive);
  const auto destination = resolveTarget(*parsed);
  if (!destination) return std::nullopt;
  return destination->host;
}

std::optional<std::string> LinuxFileSystem::dosPath(const fs::path& hostPath) {
  std::error_code ec;
  const fs::path wanted = fs::weakly_canonical(fs::absolute(hostPath, ec), ec);
  if (ec) return std::nullopt;
  std::optional<char> bestDrive;
  std::size_t bestDepth = 0;
  fs::path bestRest;
  for (const char letter : drives()) {
    const auto root = driveRoot(letter);
    const fs::path canonicalRoot = fs::canonical(*root, ec);
    if (ec) continue;
    // Component by component, so that "/a/bc" is not taken to be inside "/a/b".
    auto r = canonicalRoot.begin();
    auto w = wanted.begin();
    for (; r != canonicalRoot.end() && w != wanted.end() && *r == *w; ++r, ++w) {
    }
    if (r != canonicalRoot.end() && !r->empty()) continue;
    const std::size_t depth =
        static_cast<std::size_t>(std::distance(canonicalRoot.begin(), canonicalRoot.end()));
    if (bestDrive && depth <= bestDepth) continue;
    fs::path rest;
    for (; w != wanted.end(); ++w) rest /= *w;
    bestDrive = letter, bestDepth = depth, bestRest = rest;
  }
  if (!bestDrive) return std::nullopt;
  DosPath path;
  path.drive = *bestDrive;
  for (const auto& part : bestRest) {
    const std::string name = part.string();
    if (name.empty()) continue;
    if (!isValidDosName(name)) return std::nullopt;
    path.names.push_back(name);
  }
  return path.text();
}

}  // namespace kelvaro
