#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

// DOS file attributes, with the numbers Windows gives them.
inline constexpr std::uint32_t kAttributeReadOnly = 0x01;
inline constexpr std::uint32_t kAttributeHidden = 0x02;
inline constexpr std::uint32_t kAttributeSystem = 0x04;
inline constexpr std::uint32_t kAttributeDirectory = 0x10;
inline constexpr std::uint32_t kAttributeArchive = 0x20;
inline constexpr std::uint32_t kAttributeNormal = 0x80;

struct DirectoryEntry {
  std::string name;  // as on disk, without the folder
  std::uint32_t attributes = 0;
  bool isDirectory() const { return (attributes & kAttributeDirectory) != 0; }
};

// The file operations of the pages, on DOS paths ("C:\WINDOWS\logow.sys",
// UTF-8). A path is absolute with a drive letter; each name in it is found
// without regard to case, and new names keep the case they are given. A path
// that is not valid (no drive, a name with a character Windows forbids, "."
// or "..") makes the operation fail. Operations report failure by their result
// and never throw, as the Windows calls they stand for.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // True for an existing file (not a folder) / an existing folder.
  virtual bool fileExists(std::string_view path) = 0;
  virtual bool directoryExists(std::string_view path) = 0;
  virtual std::optional<std::uint64_t> fileSize(std::string_view path) = 0;

  // Copies a file with its attributes. Fails when the source is missing or a
  // folder, when the target is a folder or read-only, or when it exists and
  // failIfExists is set.
  virtual bool copyFile(std::string_view from, std::string_view to, bool failIfExists) = 0;
  // Moves or renames a file or a folder. Fails when the target exists, unless
  // it is the source itself under another case (a change of case only).
  virtual bool moveFile(std::string_view from, std::string_view to) = 0;
  bool renameFile(std::string_view from, std::string_view to) { return moveFile(from, to); }
  // Deletes a file; fails for a folder, a missing or a read-only file.
  virtual bool deleteFile(std::string_view path) = 0;
  // Creates one folder; its parent must exist and the name must be free.
  virtual bool createDirectory(std::string_view path) = 0;
  // Removes an empty folder.
  virtual bool removeDirectory(std::string_view path) = 0;
  // Deletes a folder with everything in it, whatever the attributes of its
  // files. A symbolic link inside (or the folder itself when it is one) is
  // removed as a link and never followed, so nothing outside the tree is
  // touched. What cannot be deleted stays, and so do the folders holding it.
  // True when the folder is gone.
  virtual bool deleteTree(std::string_view path) = 0;

  // The attributes of a file or folder (kAttribute...), nullopt when missing.
  virtual std::optional<std::uint32_t> attributes(std::string_view path) = 0;
  // Sets read-only, hidden and system as given and clears the others;
  // kAttributeNormal (or 0) clears all three. As in Wine, a folder can lose
  // read-only but never gets it.
  virtual bool setAttributes(std::string_view path, std::uint32_t attributes) = 0;

  // The entries of a folder whose names match the mask (Windows wildcards, one
  // or more patterns separated by ";": "*.*", "*.exe;*.dll"), files and
  // folders alike, hidden and system ones included, "." and ".." left out, in
  // the order the file system returns them. Empty when the folder is missing
  // or cannot be read.
  virtual std::vector<DirectoryEntry> listDirectory(std::string_view folder, std::string_view mask) = 0;
  std::vector<std::string> listNames(std::string_view folder, std::string_view mask) {
    std::vector<std::string> names;
    for (auto& entry : listDirectory(folder, mask)) names.push_back(std::move(entry.name));
    return names;
  }

  // A whole file's bytes, nullopt when it cannot be read.
  virtual std::optional<std::string> readFile(std::string_view path) = 0;
  // Creates or replaces a whole file. The old content stays until the new one
  // is complete on disk; an existing file keeps its attributes. Fails for a
  // read-only file and when the folder is missing.
  virtual bool writeFile(std::string_view path, std::string_view bytes) = 0;

  // The drive letters that lead somewhere ('c', 'z', ...), in order.
  virtual std::vector<char> drives() = 0;
  // The host path a DOS path names (existing names in their case on disk,
  // new names as given), nullopt when the path is not valid or its drive or
  // folder is missing.
  virtual std::optional<std::filesystem::path> hostPath(std::string_view path) = 0;
  // The DOS path of a host path, through the drive whose folder holds it most
  // closely; nullopt when no drive leads there.
  virtual std::optional<std::string> dosPath(const std::filesystem::path& hostPath) = 0;
};

}  // namespace kelvaro
