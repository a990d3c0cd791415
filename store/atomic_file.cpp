#include "atomic_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTempMarker = ".kelvaro-";
constexpr std::string_view kTempSuffix = ".tmp";
// Fault-injection tests see one step per piece of a long write.
constexpr std::size_t kWritePiece = 64 * 1024;
constexpr std::size_t kMaxNameInTemp = 128;

fs::path resolved(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_symlink(path, ec)) return path;
  fs::path target = fs::weakly_canonical(path, ec);
  return ec ? path : target;
}

// The temporary's name starts with the target's, cut short so that a long
// name still leaves room for the rest within NAME_MAX (and cut between
// characters, not inside one).
std::string temporaryLead(const fs::path& target) {
  std::string name = target.filename().string();
  if (name.size() > kMaxNameInTemp) {
    std::size_t cut = kMaxNameInTemp;
    while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
    name.resize(cut);
  }
  return "." + name + std::string(kTempMarker);
}

fs::path folderOf(const fs::path& target) {
  return target.parent_path().empty() ? "." : target.parent_path();
}

}  // namespace

AtomicFile::AtomicFile(const fs::path& target) : AtomicFile(target, Options()) {}

AtomicFile::AtomicFile(const fs::path& target, Options options)
    : target_(resolved(target)), options_(std::move(options)) {
  struct stat old {};
  const bool hadFile = ::stat(target_.c_str(), &old) == 0;
  if (hadFile && options_.refuseReadOnly && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    fail(EACCES);
    return;
  }
  static std::atomic<unsigned> counter{0};
  const std::string lead = temporaryLead(target_) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < 100; ++attempt) {
    fs::path candidate = folderOf(target_) / (lead + std::to_string(counter++) + std::string(kTempSuffix));
    fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) {
      temp_ = std::move(candidate);
      break;
    }
    if (errno != EEXIST) break;
  }
  if (fd_ < 0) {
    fail(errno);
    return;
  }
  if (hadFile && ::fchmod(fd_, old.st_mode & 07777) != 0) {
    fail(errno);
    return;
  }
  step(Step::TempOpened);
}

AtomicFile::~AtomicFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!temp_.empty() && !replaced_) ::unlink(temp_.c_str());
}

bool AtomicFile::fail(int err) {
  if (!error_) error_ = std::error_code(err, std::generic_category());
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty() && !replaced_) ::unlink(temp_.c_str());
  temp_.clear();
  return false;
}

bool AtomicFile::step(Step s) {
  if (options_.hook && !options_.hook(s)) return fail(EIO);
  return true;
}

bool AtomicFile::write(std::string_view bytes) {
  if (!ok()) return false;
  while (!bytes.empty()) {
    std::string_view piece = bytes.substr(0, kWritePiece);
    bytes.remove_prefix(piece.size());
    while (!piece.empty()) {
      const ssize_t n = ::write(fd_, piece.data(), piece.size());
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return fail(errno);
      piece.remove_prefix(static_cast<std::size_t>(n));
    }
    if (!step(Step::Wrote)) return false;
  }
  return true;
}

bool AtomicFile::commit() {
  if (!ok()) return false;
  if (::fsync(fd_) != 0) return fail(errno);
  if (!step(Step::Synced)) return false;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return fail(errno);
  if (!step(Step::Closed)) return false;
  const unsigned flags = options_.replace ? 0 : RENAME_NOREPLACE;
  if (::renameat2(AT_FDCWD, temp_.c_str(), AT_FDCWD, target_.c_str(), flags) != 0) return fail(errno);
  replaced_ = true;
  if (!step(Step::Renamed)) return false;
  if (!syncFolder(folderOf(target_))) return fail(errno);
  return step(Step::FolderSynced);
}

void AtomicFile::removeLeftovers(const fs::path& target) {
  const fs::path file = resolved(target);
  const std::string lead = temporaryLead(file);
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folderOf(file), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= lead.size() + kTempSuffix.size() || name.compare(0, lead.size(), lead) != 0 ||
        name.compare(name.size() - kTempSuffix.size(), kTempSuffix.size(), kTempSuffix) != 0) {
      continue;
    }
    const long pid = std::strtol(name.c_str() + lead.size(), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) fs::remove(entry.path(), ec);
  }
}

std::error_code writeFileAtomically(const fs::path& target, std::string_view bytes,
                                    AtomicFile::Options options) {
  AtomicFile file(target, std::move(options));
  file.write(bytes);
  file.commit();
  return file.error();
}

bool syncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = ::fsync(fd) == 0;
  const int err = errno;
  ::close(fd);
  errno = err;
  return ok;
}

}  // namespace kelvaro
