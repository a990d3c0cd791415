#pragma once

#include <filesystem>
#include <functional>
#include <string_view>
#include <system_error>

namespace kelvaro {

// A file replaced as a whole. The new content goes to a temporary file in the
// target's folder, which is synced and renamed over the target, and then the
// folder is synced: the target holds either its old or its new content, also
// after a crash. Whatever fails, the temporary is removed. A symbolic link is
// written through to the file it names.
//
// Temporaries are named ".<name>.kelvaro-<pid>-<n>.tmp", so that those of a
// process that was killed while writing can be told apart (removeLeftovers).
class AtomicFile {
 public:
  // The steps of a write, for fault-injection tests: the hook runs after each
  // step, and returning false makes that step fail as an I/O error would.
  enum class Step { TempOpened, Wrote, Synced, Closed, Renamed, FolderSynced };
  using StepHook = std::function<bool(Step)>;

  struct Options {
    bool replace = true;  // false: an existing target is an error (EEXIST)
    // true: a target without any write permission bit, which Wine shows as
    // read-only, is an error (EACCES)
    bool refuseReadOnly = false;
    StepHook hook = nullptr;
  };

  // Opens the temporary. It gets the permissions of the file it replaces; a
  // new file gets 0666 less the umask.
  explicit AtomicFile(const std::filesystem::path& target);
  AtomicFile(const std::filesystem::path& target, Options options);
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();  // removes the temporary unless it took the target's place

  // False from the first failure on; error() says what it was.
  bool ok() const { return !error_; }
  std::error_code error() const { return error_; }
  // The open temporary, for callers that give it times or attributes.
  int fd() const { return fd_; }
  const std::filesystem::path& temporaryPath() const { return temp_; }

  bool write(std::string_view bytes);
  // Syncs, closes and renames the temporary over the target, then syncs the
  // folder. False when any of it or an earlier step failed; replaced() then
  // tells whether the new content is in place all the same (only the steps
  // after the rename can leave it so).
  bool commit();
  bool replaced() const { return replaced_; }

  // Removes the temporaries for `target` left by processes that have ended.
  static void removeLeftovers(const std::filesystem::path& target);

 private:
  bool step(Step s);
  bool fail(int err);

  std::filesystem::path target_;
  std::filesystem::path temp_;
  Options options_;
  int fd_ = -1;
  std::error_code error_;
  bool replaced_ = false;
};

// Writes the whole file at once. An empty error_code on success.
std::error_code writeFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                                    AtomicFile::Options options = {});

// Syncs a folder, so that a rename in it is on disk.
bool syncFolder(const std::filesystem::path& folder);

}  // namespace kelvaro
