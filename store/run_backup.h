#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "atomic_file.h"
#include "file_change_guard.h"

namespace kelvaro {

// One file a backup holds: what it was before the run first changed it.
struct BackupEntry {
  std::string copyName;  // below the backup's folder; empty when the file did not exist
  std::string dosPath;   // empty for files outside the drives (the registry files)
  std::filesystem::path hostPath;
  bool existed = false;
  std::uint64_t size = 0;
  std::string sha256;  // of the copy, lower-case hex; empty when the file did not exist
  mode_t mode = 0;
  // The hidden and system attributes as Wine keeps them (the user.DOSATTRIB
  // extended attribute); empty when the file had none.
  std::string dosAttributes;
};

// A run's backup as it lies on disk.
struct BackupRun {
  std::string when;  // the folder's name, as the list prints it: 2025-01-31_14-05-09
  std::filesystem::path folder;
  std::filesystem::path environment;  // the prefix folder
  std::string note;                   // what made the run, when not a normal run
  std::vector<BackupEntry> entries;
};

// The backup of one run of the program: before the run first writes, renames
// or deletes a file of the environment, the file as it was is copied (and
// flushed) into the run's folder <environment folder>/<start time>/, and the
// folder's manifest.txt names it; each file once per run. The folder is made
// with the first copy, so a run that changes nothing leaves nothing; the
// newest `keep` backups of the environment stay, older ones are removed then.
// Beside the copies, changes.reg holds the run's registry changes.
class RunBackup : public FileChangeGuard {
 public:
  struct Options {
    std::filesystem::path environmentFolder = {};  // backupsFolder / environmentBackupName(...)
    std::filesystem::path prefixDirectory = {};
    std::chrono::system_clock::time_point started = std::chrono::system_clock::now();
    std::size_t keep = 30;
    std::string note = {};
    // A backup that removing old ones must leave (the one being restored).
    std::filesystem::path spare = {};
    // Sees every step of writing a copy or the manifest (fault injection).
    AtomicFile::StepHook hook = nullptr;
  };
  explicit RunBackup(Options options);

  void beforeChange(const std::filesystem::path& hostPath, std::string_view dosPath) override;
  void reportRefusal(std::string_view message) override;
  // Where refusals are shown; standard error until set.
  void setRefusalReporter(std::function<void(std::string_view)> reporter);

  // Replaces changes.reg; nothing when the run has no folder yet. False when
  // it could not be written.
  bool writeRegistryChanges(std::string_view regedit4);

  // Empty until the first copy.
  const std::filesystem::path& folder() const { return folder_; }
  std::string when() const { return folder_.filename().string(); }
  const std::vector<BackupEntry>& entries() const { return entries_; }

 private:
  void startFolder();
  void writeManifest();

  Options options_;
  std::filesystem::path folder_;
  std::vector<BackupEntry> entries_;
  std::set<std::filesystem::path> kept_;
  std::function<void(std::string_view)> reporter_;
};

// $XDG_STATE_HOME/kelvaro/backups, with ~/.local/state when XDG_STATE_HOME is
// unset, empty or not absolute.
std::filesystem::path backupsFolder(const std::optional<std::string>& xdgStateHome,
                                    const std::optional<std::string>& home);
// The folder name of an environment's backups: "sandbox", or the prefix
// folder's name and a short hash of its path ("wine-3f2a9c10").
std::string environmentBackupName(bool sandbox, const std::filesystem::path& prefixDirectory);

// The backups of an environment, oldest first; folders without a readable
// manifest are left out.
std::vector<BackupRun> listBackups(const std::filesystem::path& environmentFolder);
std::optional<BackupRun> readBackup(const std::filesystem::path& runFolder);

struct RestoreResult {
  std::size_t restored = 0;  // files put back
  std::size_t removed = 0;   // files the run had created, removed again
  std::string safetyWhen;    // the backup of the state before the restore; empty when nothing changed
};

// Puts every file of the backup back as it was: each through a temporary
// file and a rename, so that a crash leaves it old or new; files that did not
// exist are removed. First checks every copy against its SHA-256 and keeps the
// current state of every file in `safety`, so that the restore can itself be
// undone. Throws StoreError (with a Polish text) while a wineserver runs for
// the prefix, when a copy is damaged, or when a file cannot be put back.
RestoreResult restoreBackup(const BackupRun& backup, RunBackup& safety,
                            const AtomicFile::StepHook& hook = nullptr);

// Lower-case hex SHA-256 of a file's bytes; nullopt when it cannot be read.
std::optional<std::string> fileSha256(const std::filesystem::path& path);

}  // namespace kelvaro
