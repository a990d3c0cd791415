#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>

#include "platform/dos_path.h"
#include "platform/file_system.h"
#include "store/file_change_guard.h"

namespace kelvaro {

// The file system of a Wine-style prefix on Linux. Drive letters are the
// links in the prefix's dosdevices/ folder ("c:" -> "../drive_c", "z:" -> "/");
// each name is looked up as Wine does: the exact name first, otherwise the
// first entry of the folder that is equal without regard to case. Attributes
// are kept as Wine keeps them, so Wine sees what we set and the other way
// round: read-only is a file without any write permission bit; hidden and
// system are the "user.DOSATTRIB" extended attribute, a text "0x" followed
// by the attribute bits in hexadecimal (Samba's form), removed when neither is
// set; names starting with a dot count as hidden; every file carries the
// archive bit.
class LinuxFileSystem : public FileSystem {
 public:
  explicit LinuxFileSystem(std::filesystem::path prefixDirectory);

  bool fileExists(std::string_view path) override;
  bool directoryExists(std::string_view path) override;
  std::optional<std::uint64_t> fileSize(std::string_view path) override;
  bool copyFile(std::string_view from, std::string_view to, bool failIfExists) override;
  bool moveFile(std::string_view from, std::string_view to) override;
  bool deleteFile(std::string_view path) override;
  bool createDirectory(std::string_view path) override;
  bool removeDirectory(std::string_view path) override;
  bool deleteTree(std::string_view path) override;
  std::optional<std::uint32_t> attributes(std::string_view path) override;
  bool setAttributes(std::string_view path, std::uint32_t attributes) override;
  std::vector<DirectoryEntry> listDirectory(std::string_view folder, std::string_view mask) override;
  std::optional<std::string> readFile(std::string_view path) override;
  bool writeFile(std::string_view path, std::string_view bytes) override;
  std::vector<char> drives() override;
  std::optional<std::filesystem::path> hostPath(std::string_view path) override;
  std::optional<std::string> dosPath(const std::filesystem::path& hostPath) override;

  const std::filesystem::path& prefixDirectory() const { return prefix_; }
  // Told before a file is written, replaced, renamed or deleted; when it
  // refuses, the operation fails and changes nothing.
  void setChangeGuard(FileChangeGuard* guard) { guard_ = guard; }

 private:
  struct Target {
    std::filesystem::path host;   // the entry itself when it exists, else parent / new name
    std::filesystem::path fresh;  // parent / the name exactly as given
    bool exists = false;
  };
  std::optional<std::filesystem::path> driveRoot(char drive) const;
  // Every name must exist.
  std::optional<std::filesystem::path> resolveExisting(const DosPath& path) const;
  // The parent folder must exist; the last name may be new.
  std::optional<Target> resolveTarget(const DosPath& path) const;
  std::optional<std::filesystem::path> existing(std::string_view text) const;
  std::optional<Target> target(std::string_view text) const;
  bool mayChange(const std::filesystem::path& host, std::string_view dosPath);
  // Deletes what the open folder holds; true when it is empty afterwards.
  bool clearFolder(int folderFd, const std::filesystem::path& host, const std::string& dosPath);

  std::filesystem::path prefix_;
  mode_t umask_;
  FileChangeGuard* guard_ = nullptr;
};

}  // namespace kelvaro
