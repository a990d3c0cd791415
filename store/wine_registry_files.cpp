#include "wine_registry_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "atomic_file.h"
#include "store_error.h"
#include "text_codec.h"
#include "wine_registry_file.h"
#include "wine_registry_format.h"

namespace kelvaro {
namespace {

using winereg::Arch;
using winereg::KeyInfo;
using winereg::RegistryFile;

constexpr int kMaxLinkDepth = 16;

std::string pathText(const std::filesystem::path& path) { return path.string(); }

std::string serverRunningMessage() {
  return "Wine działa w tym prefiksie i po zakończeniu pracy nadpisze zmiany w rejestrze. Zamknij programy "
         "Wine (albo wykonaj polecenie „wineserver -k”) i spróbuj ponownie.";
}

std::string readFailedMessage(const std::filesystem::path& path, int err) {
  return "Nie można odczytać pliku rejestru " + pathText(path) + ": " + std::strerror(err);
}

std::string writeFailedMessage(const std::filesystem::path& path, int err) {
  return "Nie można zapisać pliku rejestru " + pathText(path) + ": " + std::strerror(err);
}

std::string invalidFileMessage(const std::filesystem::path& path, const winereg::FormatError& e) {
  return "Plik " + pathText(path) + " nie jest poprawnym plikiem rejestru Wine (wiersz " +
         std::to_string(e.line()) + ": " + e.what() + "). Program go nie zmieni.";
}

std::uint64_t fileTimeNow() {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  const auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(since).count() / 100;
  return static_cast<std::uint64_t>(ticks) + winereg::kUnixEpochTicks;
}

// What stat says of a file, to notice that another program replaced it.
struct FileStamp {
  bool exists = false;
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  timespec mtime{};
  bool operator==(const FileStamp& o) const {
    return exists == o.exists && dev == o.dev && ino == o.ino && size == o.size &&
           mtime.tv_sec == o.mtime.tv_sec && mtime.tv_nsec == o.mtime.tv_nsec;
  }
};

FileStamp stampOf(const struct stat& st) {
  FileStamp s;
  s.exists = true;
  s.dev = st.st_dev;
  s.ino = st.st_ino;
  s.size = st.st_size;
  s.mtime = st.st_mtim;
  return s;
}

FileStamp stampOf(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  return stampOf(st);
}

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { reset(); }
  int get() const { return fd_; }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// Reads a whole file. Returns false and sets err (ENOENT for a missing file).
bool readWholeFile(const std::filesystem::path& path, std::string& out, FileStamp& stamp, int& err) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    err = errno;
    return false;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    err = errno;
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    err = EISDIR;
    return false;
  }
  stamp = stampOf(st);
  out.clear();
  out.resize(static_cast<std::size_t>(st.st_size) + 1);
  std::size_t have = 0;
  for (;;) {
    if (have == out.size()) out.resize(out.size() * 2);
    const ssize_t n = ::read(fd.get(), out.data() + have, out.size() - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      err = errno;
      return false;
    }
    if (n == 0) break;
    have += static_cast<std::size_t>(n);
  }
  out.resize(have);
  return true;
}

// Writes the text atomically (see AtomicFile); the hook sees every step.
void writeAtomically(const std::filesystem::path& path, std::string_view text,
                     const WineRegistryFiles::SaveHook& hook) {
  AtomicFile file(path, {.hook = hook});
  file.write(text);
  if (!file.commit()) throw StoreError(writeFailedMessage(path, file.error().value()));
}

bool sameSubtree(const RegistryKey& a, const RegistryKey& b) {
  if (a.values().size() != b.values().size() || a.subkeys().size() != b.subkeys().size()) return false;
  for (const RegistryValue& v : a.values()) {
    const RegistryValue* w = b.findValue(v.name);
    if (!w || w->type != v.type || w->data != v.data) return false;
  }
  for (const auto& sub : a.subkeys()) {
    const auto other = b.findSubkey(sub->name());
    if (!other || !sameSubtree(*sub, *other)) return false;
  }
  return true;
}

// Applies what changed from `base` to `ours` onto `theirs`: the file as
// another program wrote it meanwhile.
void applyChanges(const RegistryKey* base, const RegistryKey& ours, RegistryKey& theirs, RegistryFile& file,
                  std::uint64_t now) {
  bool changed = false;
  for (const RegistryValue& v : ours.values()) {
    const RegistryValue* b = base ? base->findValue(v.name) : nullptr;
    if (b && b->type == v.type && b->data == v.data) continue;
    changed |= theirs.setValue(v.name, v.type, v.data);
  }
  if (base) {
    for (const RegistryValue& b : base->values()) {
      if (!ours.findValue(b.name)) changed |= theirs.removeValue(b.name);
    }
  }
  for (const auto& sub : ours.subkeys()) {
    const std::shared_ptr<RegistryKey> b = base ? base->findSubkey(sub->name()) : nullptr;
    std::shared_ptr<RegistryKey> t = theirs.findSubkey(sub->name());
    if (!t) {
      if (b && sameSubtree(*b, *sub)) continue;  // removed there, untouched here
      t = theirs.addSubkey(sub->name());
      file.keyCreated(*t, now);
      changed = true;
    }
    applyChanges(b.get(), *sub, *t, file, now);
  }
  if (base) {
    for (const auto& b : base->subkeys()) {
      if (!ours.findSubkey(b->name())) changed |= theirs.removeSubkey(b->name());
    }
  }
  if (changed) file.keyModified(theirs, now);
}

std::vector<std::u16string> splitLinkTarget(std::u16string_view target) {
  std::vector<std::u16string> parts;
  std::size_t pos = 0;
  while (pos <= target.size()) {
    std::size_t end = target.find(u'\\', pos);
    if (end == std::u16string_view::npos) end = target.size();
    if (end > pos) parts.emplace_back(target.substr(pos, end - pos));
    pos = end + 1;
  }
  return parts;
}

}  // namespace

struct WineRegistryFiles::Impl {
  struct File {
    File(std::string n, std::u16string rootName, std::string relativeTo)
        : name(std::move(n)), model(std::move(rootName), std::move(relativeTo)) {}
    std::string name;
    RegistryFile model;
    std::filesystem::path path;
    FileStamp stamp;
  };

  std::filesystem::path prefix;
  // In wineserver's load order.
  std::vector<File> files;
  Arch arch = Arch::Unknown;
  SaveHook hook;
  FileChangeGuard* guard = nullptr;

  File& machine() { return files[0]; }
  File& defaultUser() { return files[1]; }
  File& user() { return files[2]; }

  File* fileOf(const RegistryKey& key) {
    const RegistryKey* top = &key;
    while (top->parent() != nullptr) top = top->parent();
    for (File& f : files) {
      if (f.model.root().get() == top) return &f;
    }
    return nullptr;
  }

  std::shared_ptr<RegistryKey> follow(std::shared_ptr<RegistryKey> key, int& budget) {
    while (key) {
      const KeyInfo* info = winereg::findKeyInfo(*key);
      if (!info || !info->link) return key;
      if (budget-- <= 0) return nullptr;
      const RegistryValue* v = key->findValue(u"SymbolicLinkValue");
      if (!v) return nullptr;
      const std::u16string target = winereg::unitsOf(v->data);
      if (target.empty() || target[0] != u'\\') return nullptr;
      key = resolveAbsolute(target, budget);
    }
    return nullptr;
  }

  // A path from \Registry, as link targets name keys.
  std::shared_ptr<RegistryKey> resolveAbsolute(std::u16string_view target, int& budget) {
    const std::vector<std::u16string> parts = splitLinkTarget(target);
    File* best = nullptr;
    std::size_t bestLength = 0;
    for (File& f : files) {
      const auto& root = f.model.rootPath();
      if (root.empty() || root.size() > parts.size() || root.size() <= bestLength) continue;
      bool match = true;
      for (std::size_t i = 0; i < root.size() && match; ++i) match = namesEqual(parts[i], root[i]);
      if (match) {
        best = &f;
        bestLength = root.size();
      }
    }
    if (!best) return nullptr;
    std::shared_ptr<RegistryKey> key = best->model.root();
    for (std::size_t i = bestLength; i < parts.size() && key; ++i) {
      std::shared_ptr<RegistryKey> sub = key->findSubkey(parts[i]);
      if (!sub) return nullptr;
      key = follow(std::move(sub), budget);
    }
    return key;
  }

  void load(File& file, std::uint64_t now) {
    std::string text;
    int err = 0;
    if (!readWholeFile(file.path, text, file.stamp, err)) {
      if (err != ENOENT) throw StoreError(readFailedMessage(file.path, err));
      file.stamp = FileStamp{};
      return;  // started once the architecture is known
    }
    try {
      file.model.load(std::move(text), arch, now);
    } catch (const winereg::FormatError& e) {
      throw StoreError(invalidFileMessage(file.path, e));
    }
  }

  // Reads a file again when another program replaced it since it was read
  // or written; changes made here meanwhile are applied to the new content.
  void refresh(File& file, std::uint64_t now) {
    const FileStamp current = stampOf(file.path);
    if (current == file.stamp) return;
    std::string text;
    FileStamp stamp;
    int err = 0;
    const bool present = readWholeFile(file.path, text, stamp, err);
    if (!present && err != ENOENT) throw StoreError(readFailedMessage(file.path, err));
    if (present == file.model.existsOnDisk() && (!present || text == file.model.text())) {
      file.stamp = present ? stamp : FileStamp{};
      return;
    }
    RegistryFile theirs = file.model.emptyLike();
    Arch fileArch = arch;
    try {
      if (present) {
        theirs.load(std::move(text), fileArch, now);
      } else {
        theirs.loadMissing(arch, now);
      }
      if (file.model.dirty()) {
        RegistryFile base = file.model.emptyLike();
        if (file.model.existsOnDisk()) {
          Arch baseArch = Arch::Unknown;
          base.load(file.model.text(), baseArch, now);
        } else {
          base.loadMissing(arch, now);
        }
        applyChanges(base.root().get(), *file.model.root(), *theirs.root(), theirs, now);
      }
    } catch (const winereg::FormatError& e) {
      throw StoreError(invalidFileMessage(file.path, e));
    }
    file.model = std::move(theirs);
    file.stamp = present ? stamp : FileStamp{};
  }

  void save(File& file, std::uint64_t now) {
    RegistryFile::Rendered rendered = file.model.render(now);
    writeAtomically(file.path, rendered.text, hook);
    file.model.commit(std::move(rendered));
    file.stamp = stampOf(file.path);
  }
};

WineRegistryFiles::WineRegistryFiles(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

WineRegistryFiles::~WineRegistryFiles() = default;

std::unique_ptr<WineRegistryFiles> WineRegistryFiles::open(const std::filesystem::path& prefixDir) {
  struct stat st {};
  if (::stat(prefixDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    throw StoreError("Katalog prefiksu Wine " + pathText(prefixDir) + " nie istnieje.");
  }
  auto impl = std::make_unique<Impl>();
  impl->prefix = prefixDir;
  impl->files.emplace_back("system.reg", u"HKEY_LOCAL_MACHINE", R"(REGISTRY\\Machine)");
  impl->files.emplace_back("userdef.reg", u"HKEY_USERS\\.Default", R"(REGISTRY\\User\\.Default)");
  impl->files.emplace_back("user.reg", u"HKEY_CURRENT_USER", R"(REGISTRY\\User\\S-1-5-21-0-0-0-1000)");
  for (auto& f : impl->files) f.path = prefixDir / f.name;
  // What a save that was killed left behind.
  for (const auto& f : impl->files) AtomicFile::removeLeftovers(f.path);

  const std::uint64_t now = fileTimeNow();
  for (std::size_t i = 0; i < impl->files.size(); ++i) {
    impl->load(impl->files[i], now);
    // wineserver takes a system.reg that names no architecture for a 32-bit one.
    if (i == 0 && impl->files[0].model.existsOnDisk() && impl->arch == Arch::Unknown)
      impl->arch = Arch::Win32;
  }
  if (impl->arch == Arch::Unknown) {
    const char* wineArch = std::getenv("WINEARCH");
    impl->arch = wineArch && std::string_view(wineArch) == "win32" ? Arch::Win32 : Arch::Win64;
  }
  for (auto& f : impl->files) {
    if (!f.stamp.exists) f.model.loadMissing(impl->arch, now);
  }
  return std::unique_ptr<WineRegistryFiles>(new WineRegistryFiles(std::move(impl)));
}

void WineRegistryFiles::flush() {
  bool anyDirty = false;
  for (auto& f : impl_->files) anyDirty = anyDirty || f.model.dirty();
  const bool running = wineserverRunning();
  if (running) {
    if (anyDirty) throw StoreError(serverRunningMessage());
    return;  // its files are not final yet; read them once it has gone
  }
  if (impl_->guard) {
    for (auto& f : impl_->files) {
      if (f.model.dirty()) impl_->guard->beforeChange(f.path, {});
    }
  }
  const std::uint64_t now = fileTimeNow();
  std::string firstError;
  for (auto& f : impl_->files) {
    try {
      impl_->refresh(f, now);
      if (f.model.dirty()) impl_->save(f, now);
    } catch (const StoreError& e) {
      if (firstError.empty()) firstError = e.what();
    }
  }
  if (!firstError.empty()) throw StoreError(firstError);
}

std::shared_ptr<RegistryKey> WineRegistryFiles::rootKey(Root root) {
  switch (root) {
    case Root::CurrentUser:
      return impl_->user().model.root();
    case Root::LocalMachine:
      return impl_->machine().model.root();
    case Root::ClassesRoot: {
      auto software = impl_->machine().model.root()->findSubkey(u"Software");
      return software ? followLink(software->findSubkey(u"Classes")) : nullptr;
    }
  }
  return nullptr;
}

std::shared_ptr<RegistryKey> WineRegistryFiles::followLink(const std::shared_ptr<RegistryKey>& key) {
  int budget = kMaxLinkDepth;
  return impl_->follow(key, budget);
}

void WineRegistryFiles::checkWritable() {
  if (wineserverRunning()) throw StoreError(serverRunningMessage());
}

void WineRegistryFiles::keyCreated(RegistryKey& key) {
  if (auto* f = impl_->fileOf(key)) f->model.keyCreated(key, fileTimeNow());
}

void WineRegistryFiles::keyModified(RegistryKey& key) {
  if (auto* f = impl_->fileOf(key)) f->model.keyModified(key, fileTimeNow());
}

const std::filesystem::path& WineRegistryFiles::prefixDirectory() const { return impl_->prefix; }

std::shared_ptr<RegistryKey> WineRegistryFiles::defaultUserKey() { return impl_->defaultUser().model.root(); }

bool WineRegistryFiles::wineserverRunning() const {
  for (const auto& lock : wineserverLockCandidates(impl_->prefix)) {
    if (fileLockHeld(lock)) return true;
  }
  return false;
}

std::uint64_t WineRegistryFiles::lastWriteTime(const RegistryKey& key) {
  const KeyInfo* info = winereg::findKeyInfo(key);
  return info ? info->modif : 0;
}

void WineRegistryFiles::setSaveHook(SaveHook hook) { impl_->hook = std::move(hook); }

void WineRegistryFiles::setChangeGuard(FileChangeGuard* guard) { impl_->guard = guard; }

std::vector<std::filesystem::path> wineserverLockCandidates(const std::filesystem::path& prefixDir) {
  std::vector<std::filesystem::path> out;
  struct stat st {};
  if (::stat(prefixDir.c_str(), &st) != 0) return out;
  char server[64];
  std::snprintf(server, sizeof server, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                static_cast<unsigned long long>(st.st_ino));
  const std::string uid = std::to_string(::getuid());
  out.push_back(std::filesystem::path("/tmp/.wine-" + uid) / server / "lock");

  // Debian's wine makes its folder with mkdtemp and records the name in the prefix.
  std::string recorded;
  FileStamp ignored;
  int err = 0;
  if (readWholeFile(prefixDir / "wineserver", recorded, ignored, err)) {
    while (!recorded.empty() && winereg::isSpace(recorded.back())) recorded.pop_back();
    if (!recorded.empty() && recorded.find('\0') == std::string::npos) {
      std::vector<std::filesystem::path> bases;
      if (recorded.front() == '/') {
        bases.emplace_back();
      } else {
        bases.emplace_back("/run/user/" + uid);
        if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp) bases.emplace_back(tmp);
        bases.emplace_back("/tmp");
      }
      for (const auto& base : bases) {
        std::filesystem::path p = base.empty() ? std::filesystem::path(recorded) : base / recorded;
        p = p / server / "lock";
        if (std::find(out.begin(), out.end(), p) == out.end()) out.push_back(std::move(p));
      }
    }
  }
  return out;
}

bool fileLockHeld(const std::filesystem::path& lockFile) {
  Fd fd(::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct flock fl {};
  fl.l_type = F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = 0;
  fl.l_len = 0;
  if (::fcntl(fd.get(), F_GETLK, &fl) != 0) return false;
  return fl.l_type != F_UNLCK;
}

}  // namespace kelvaro
