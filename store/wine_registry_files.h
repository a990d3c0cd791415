#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "atomic_file.h"
#include "file_change_guard.h"
#include "registry_tree.h"

namespace kelvaro {

// The registry of a Wine prefix, kept in its text files: system.reg is
// HKEY_LOCAL_MACHINE (\Registry\Machine), user.reg is HKEY_CURRENT_USER
// (\Registry\User\S-1-5-21-0-0-0-1000); userdef.reg (\Registry\User\.Default)
// is loaded and kept, and written only when a link led a change into it.
// The tree is the native (64-bit) view.
//
// Files are written back in wineserver's own format; a file nothing changed
// is not written, and a changed one differs only in the lines of what changed
// and the time stamps of the keys that changed. Each file is replaced whole
// (AtomicFile).
//
// wineserver holds the registry in memory while it runs and writes it out
// when it exits, so no change is taken while one runs for the prefix.
class WineRegistryFiles : public Registry {
 public:
  // Reads the prefix's registry files; a missing file is an empty one.
  // Throws StoreError when the folder is missing or a file cannot be read or
  // is not a registry file wineserver would load.
  static std::unique_ptr<WineRegistryFiles> open(const std::filesystem::path& prefixDir);
  ~WineRegistryFiles() override;

  // Writes the files whose content changed; a no-op otherwise. A file that
  // Wine rewrote since it was read is read again first and the changes made
  // here are applied to what Wine wrote; keys taken from the tree before the
  // flush then belong to the old tree (handles do not outlive a command, so
  // none should be held). Throws StoreError when a file
  // cannot be written (it is then left as it was, and the changes stay
  // pending) or while wineserver runs.
  void flush();

  std::shared_ptr<RegistryKey> rootKey(Root root) override;
  std::shared_ptr<RegistryKey> followLink(const std::shared_ptr<RegistryKey>& key) override;
  void checkWritable() override;
  void keyCreated(RegistryKey& key) override;
  void keyModified(RegistryKey& key) override;

  const std::filesystem::path& prefixDirectory() const;
  // HKEY_USERS\.Default, the tree of userdef.reg.
  std::shared_ptr<RegistryKey> defaultUserKey();
  // True while a wineserver runs for this prefix.
  bool wineserverRunning() const;
  // The key's last-write time (FILETIME) as Wine would report it.
  static std::uint64_t lastWriteTime(const RegistryKey& key);

  // The steps of writing one file, for fault-injection tests. The hook runs
  // after each step; returning false makes the step fail as an I/O error would.
  using SaveStep = AtomicFile::Step;
  using SaveHook = AtomicFile::StepHook;
  void setSaveHook(SaveHook hook);
  // Told before each file is written; a refusal leaves every file as it was.
  void setChangeGuard(FileChangeGuard* guard);

 private:
  struct Impl;
  explicit WineRegistryFiles(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Where a running wineserver for the prefix would hold its lock: upstream's
// /tmp/.wine-<uid>/server-<dev>-<ino>/lock, and for Debian's build the
// folder recorded in <prefix>/wineserver below /run/user/<uid>, $TMPDIR or /tmp.
std::vector<std::filesystem::path> wineserverLockCandidates(const std::filesystem::path& prefixDir);
// True when another process holds a lock on the file (fcntl, F_GETLK).
bool fileLockHeld(const std::filesystem::path& lockFile);

}  // namespace kelvaro
