#include "run_backup.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <thread>

#include "store_error.h"
#include "wine_registry_files.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kManifest = "manifest.txt";
constexpr std::string_view kManifestMagic = "kelvaro-backup 1";
constexpr std::string_view kChanges = "changes.reg";
constexpr std::size_t kHashPiece = 1 << 20;
constexpr const char* kDosAttributes = "user.DOSATTRIB";

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// Copies the whole of `from` into the open file `to` in the kernel
// (copy_file_range, which may share the blocks), falling back to read and
// write where the file systems do not allow it. 0 or an errno.
int copyInto(int from, int to) {
  bool inKernel = true;
  std::vector<char> buffer;
  for (;;) {
    if (inKernel) {
      const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, 1 << 30, 0);
      if (n > 0) continue;
      if (n == 0) return 0;
      if (errno == EINTR) continue;
      if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
      inKernel = false;
      buffer.resize(1 << 20);
    }
    const ssize_t got = ::read(from, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(to, buffer.data() + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) return errno;
      done += put;
    }
  }
}

std::optional<std::string> sha256Of(int fd);

// `source` into `target` through AtomicFile: flushed and in place, or not
// there. With `sha256`, the copy's hash is taken while it is flushed.
int copyFileAtomically(const fs::path& source, const fs::path& target, mode_t mode,
                       const AtomicFile::StepHook& hook, bool replace,
                       std::optional<std::string>* sha256 = nullptr, const std::string& dosAttributes = {}) {
  Fd from(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (from.get() < 0) return errno;
  AtomicFile file(target, {.replace = replace, .hook = hook});
  if (!file.ok()) return file.error().value();
  if (const int err = copyInto(from.get(), file.fd())) return err;
  if (!dosAttributes.empty() &&
      ::fsetxattr(file.fd(), kDosAttributes, dosAttributes.data(), dosAttributes.size(), 0) != 0)
    return errno;
  if (::fchmod(file.fd(), mode & 07777) != 0) return errno;
  std::thread hashing;
  Fd copy(sha256 ? ::open(file.temporaryPath().c_str(), O_RDONLY | O_CLOEXEC) : -1);
  if (sha256) {
    if (copy.get() < 0) return errno;
    hashing = std::thread([&] { *sha256 = sha256Of(copy.get()); });
  }
  const bool committed = file.commit() || file.replaced();
  if (hashing.joinable()) hashing.join();
  if (!committed) return file.error().value();
  if (sha256 && !*sha256) return EIO;
  return 0;
}

std::string hex(const unsigned char* bytes, std::size_t size) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < size; ++i) {
    out.push_back(digits[bytes[i] >> 4]);
    out.push_back(digits[bytes[i] & 15]);
  }
  return out;
}

std::string escaped(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::string unescaped(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size()) {
      const char next = text[++i];
      out.push_back(next == 't' ? '\t' : next == 'n' ? '\n' : next);
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::vector<std::string_view> fields(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t pos = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', pos);
    out.push_back(line.substr(pos, tab == std::string_view::npos ? std::string_view::npos : tab - pos));
    if (tab == std::string_view::npos) return out;
    pos = tab + 1;
  }
}

std::string timeName(std::chrono::system_clock::time_point when) {
  const std::time_t t = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  ::localtime_r(&t, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
  return text;
}

fs::path keyOf(const fs::path& host) {
  std::error_code ec;
  fs::path key = fs::weakly_canonical(host, ec);
  return ec ? fs::absolute(host, ec).lexically_normal() : key;
}

std::string shown(const BackupEntry& e) { return e.dosPath.empty() ? e.hostPath.string() : e.dosPath; }

std::string readText(const fs::path& path, bool& ok) {
  std::string out;
  ok = false;
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return out;
  char buffer[1 << 14];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return out;
    if (n == 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  ok = true;
  return out;
}

}  // namespace

namespace {

std::optional<std::string> sha256Of(int fd) {
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_sha256(), nullptr) != 1) return std::nullopt;
  std::vector<unsigned char> buffer(kHashPiece);
  for (;;) {
    const ssize_t n = ::read(fd, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    EVP_DigestUpdate(ctx.get(), buffer.data(), static_cast<std::size_t>(n));
  }
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (EVP_DigestFinal_ex(ctx.get(), digest, &size) != 1) return std::nullopt;
  return hex(digest, size);
}

}  // namespace

std::optional<std::string> fileSha256(const fs::path& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  return sha256Of(fd.get());
}

RunBackup::RunBackup(Options options) : options_(std::move(options)) {}

void RunBackup::setRefusalReporter(std::function<void(std::string_view)> reporter) {
  reporter_ = std::move(reporter);
}

void RunBackup::reportRefusal(std::string_view message) {
  if (reporter_) {
    reporter_(message);
  } else {
    std::fprintf(stderr, "kelvaro: %.*s\n", static_cast<int>(message.size()), message.data());
  }
}

void RunBackup::startFolder() {
  const fs::path& parent = options_.environmentFolder;
  std::error_code ec;
  fs::create_directories(parent, ec);
  if (ec) throw std::system_error(ec);
  const std::string base = timeName(options_.started);
  for (int n = 1; n < 100; ++n) {
    const fs::path candidate = parent / (n == 1 ? base : base + "-" + std::to_string(n));
    if (::mkdir(candidate.c_str(), 0700) == 0) {
      folder_ = candidate;
      break;
    }
    if (errno != EEXIST) throw std::system_error(errno, std::generic_category());
  }
  if (folder_.empty()) throw std::system_error(EEXIST, std::generic_category());
  syncFolder(parent);
  // The newest stay, this one among them.
  std::vector<BackupRun> older = listBackups(parent);
  std::erase_if(older, [this](const BackupRun& run) { return run.folder == options_.spare; });
  while (!older.empty() && older.size() + 1 > options_.keep) {
    fs::remove_all(older.front().folder, ec);
    older.erase(older.begin());
  }
}

void RunBackup::writeManifest() {
  std::string text(kManifestMagic);
  text += "\nenvironment\t" + escaped(options_.prefixDirectory.string());
  text += "\nstarted\t" + when();
  if (!options_.note.empty()) text += "\nnote\t" + escaped(options_.note);
  for (const BackupEntry& e : entries_) {
    char mode[16];
    std::snprintf(mode, sizeof mode, "%o", static_cast<unsigned>(e.mode & 07777));
    text += "\nfile\t" + escaped(e.copyName) + "\t" + (e.existed ? "1" : "0") + "\t" +
            std::to_string(e.size) + "\t" + e.sha256 + "\t" + mode + "\t" + escaped(e.dosPath) + "\t" +
            escaped(e.hostPath.string()) + "\t" + escaped(e.dosAttributes);
  }
  text += "\n";
  AtomicFile file(folder_ / kManifest, {.hook = options_.hook});
  file.write(text);
  // Once renamed, the manifest names only whole copies, whatever fails after.
  if (!file.commit() && !file.replaced()) throw std::system_error(file.error());
}

void RunBackup::beforeChange(const fs::path& hostPath, std::string_view dosPath) {
  const fs::path key = keyOf(hostPath);
  if (kept_.contains(key)) return;
  BackupEntry entry;
  entry.dosPath = std::string(dosPath);
  entry.hostPath = key;
  struct stat st {};
  if (::lstat(key.c_str(), &st) == 0) {
    // Folders are not copied; only the files in them are.
    if (!S_ISREG(st.st_mode)) return;
    entry.existed = true;
    entry.mode = st.st_mode;
    char attributes[64];
    const ssize_t got = ::getxattr(key.c_str(), kDosAttributes, attributes, sizeof attributes);
    if (got > 0) entry.dosAttributes.assign(attributes, static_cast<std::size_t>(got));
  } else if (errno != ENOENT) {
    throw StoreError("Nie można odczytać pliku " + shown(entry) + " przed zmianą: " + std::strerror(errno) +
                     ". Zmiana nie została wprowadzona.");
  }
  fs::path copy;
  try {
    if (folder_.empty()) startFolder();
    if (entry.existed) {
      char number[16];
      std::snprintf(number, sizeof number, "%04zu-", entries_.size() + 1);
      entry.copyName = number + key.filename().string();
      copy = folder_ / entry.copyName;
      std::optional<std::string> sha;
      if (const int err = copyFileAtomically(key, copy, 0600, options_.hook, false, &sha))
        throw std::system_error(err, std::generic_category());
      entry.sha256 = *sha;
      std::error_code ec;
      entry.size = fs::file_size(copy, ec);
    }
    entries_.push_back(entry);
    try {
      writeManifest();
    } catch (...) {
      entries_.pop_back();
      throw;
    }
  } catch (const std::system_error& e) {
    std::error_code ignored;
    if (!copy.empty()) fs::remove(copy, ignored);
    const fs::path where = folder_.empty() ? options_.environmentFolder : folder_;
    throw StoreError("Nie można zachować kopii zapasowej pliku " + shown(entry) + " w folderze " +
                     where.string() + ": " + std::strerror(e.code().value()) +
                     ". Zmiana nie została wprowadzona.");
  }
  kept_.insert(key);
}

bool RunBackup::writeRegistryChanges(std::string_view regedit4) {
  if (folder_.empty()) return true;
  return !writeFileAtomically(folder_ / kChanges, regedit4, {.hook = options_.hook});
}

fs::path backupsFolder(const std::optional<std::string>& xdgStateHome,
                       const std::optional<std::string>& home) {
  fs::path state;
  if (xdgStateHome && fs::path(*xdgStateHome).is_absolute()) {
    state = *xdgStateHome;
  } else {
    state = fs::path(home.value_or("")) / ".local" / "state";
  }
  return state / "kelvaro" / "backups";
}

std::string environmentBackupName(bool sandbox, const fs::path& prefixDirectory) {
  if (sandbox) return "sandbox";
  // FNV-1a: prefixes of the same name in different places stay apart.
  fs::path normal = prefixDirectory.lexically_normal();
  if (!normal.has_filename()) normal = normal.parent_path();
  std::uint32_t hash = 2166136261u;
  for (const char c : normal.string()) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  std::string name = normal.filename().string();
  name.erase(0, name.find_first_not_of('.'));
  for (char& c : name) {
    if (c == '/' || static_cast<unsigned char>(c) < 0x20) c = '_';
  }
  if (name.empty() || name == "sandbox") name = "prefix";
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, "-%08x", hash);
  return name + suffix;
}

std::optional<BackupRun> readBackup(const fs::path& runFolder) {
  bool ok = false;
  const std::string text = readText(runFolder / kManifest, ok);
  if (!ok || !text.starts_with(kManifestMagic)) return std::nullopt;
  BackupRun run;
  run.folder = runFolder;
  run.when = runFolder.filename().string();
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::vector<std::string_view> f = fields(std::string_view(text).substr(pos, end - pos));
    pos = end + 1;
    if (f[0] == "environment" && f.size() == 2) {
      run.environment = unescaped(f[1]);
    } else if (f[0] == "note" && f.size() == 2) {
      run.note = unescaped(f[1]);
    } else if (f[0] == "file" && f.size() == 9) {
      BackupEntry e;
      e.copyName = unescaped(f[1]);
      e.existed = f[2] == "1";
      e.size = std::strtoull(std::string(f[3]).c_str(), nullptr, 10);
      e.sha256 = std::string(f[4]);
      e.mode = static_cast<mode_t>(std::strtoul(std::string(f[5]).c_str(), nullptr, 8));
      e.dosPath = unescaped(f[6]);
      e.hostPath = unescaped(f[7]);
      e.dosAttributes = unescaped(f[8]);
      // A copy must stay inside its folder.
      if (e.copyName.find('/') != std::string::npos || e.copyName == ".." || e.hostPath.is_relative())
        return std::nullopt;
      run.entries.push_back(std::move(e));
    }
  }
  return run;
}

std::vector<BackupRun> listBackups(const fs::path& environmentFolder) {
  std::vector<BackupRun> runs;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(environmentFolder, ec)) {
    if (!entry.is_directory(ec)) continue;
    if (auto run = readBackup(entry.path())) runs.push_back(std::move(*run));
  }
  std::sort(runs.begin(), runs.end(), [](const BackupRun& a, const BackupRun& b) { return a.when < b.when; });
  return runs;
}

RestoreResult restoreBackup(const BackupRun& backup, RunBackup& safety, const AtomicFile::StepHook& hook) {
  for (const auto& lock : wineserverLockCandidates(backup.environment)) {
    if (fileLockHeld(lock))
      throw StoreError(
          "Wine działa w tym prefiksie i po zakończeniu pracy nadpisze przywrócony rejestr. Zamknij programy "
          "Wine (albo wykonaj polecenie „wineserver -k”) i spróbuj ponownie. Nic nie zostało zmienione.");
  }
  for (const BackupEntry& e : backup.entries) {
    if (!e.existed) continue;
    if (fileSha256(backup.folder / e.copyName) != e.sha256)
      throw StoreError("Kopia zapasowa " + backup.when + " jest uszkodzona: kopia pliku " + shown(e) +
                       " różni się od zapisanej. Nic nie zostało zmienione.");
  }
  for (const BackupEntry& e : backup.entries) safety.beforeChange(e.hostPath, e.dosPath);

  RestoreResult result;
  for (const BackupEntry& e : backup.entries) {
    std::error_code ec;
    if (e.existed) {
      fs::create_directories(e.hostPath.parent_path(), ec);
      if (const int err = copyFileAtomically(backup.folder / e.copyName, e.hostPath, e.mode, hook, true,
                                             nullptr, e.dosAttributes)) {
        throw StoreError("Nie można przywrócić pliku " + shown(e) + ": " + std::strerror(err) +
                         (safety.folder().empty()
                              ? std::string(".")
                              : ". Stan sprzed przywracania jest w kopii " + safety.when() + "."));
      }
      ++result.restored;
    } else {
      struct stat st {};
      // Gone already, or a folder made since under that name: left as it is.
      if (::lstat(e.hostPath.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
      if (::unlink(e.hostPath.c_str()) != 0)
        throw StoreError("Nie można usunąć pliku " + shown(e) + ": " + std::strerror(errno) + ".");
      syncFolder(e.hostPath.parent_path());
      ++result.removed;
    }
  }
  result.safetyWhen = safety.folder().empty() ? std::string() : safety.when();
  return result;
}

}  // namespace kelvaro
