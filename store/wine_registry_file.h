#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "registry_tree.h"

namespace kelvaro::winereg {

// What the Wine backend keeps per key.
struct KeyInfo final : KeyAttachment {
  static constexpr std::uint32_t kNoChunk = 0xFFFFFFFF;
  std::uint64_t modif = 0;         // FILETIME of the last change, as wineserver keeps it
  std::uint32_t chunk = kNoChunk;  // the key's first section in the file's text
  bool dirty = false;              // changed since the text was read or written
  bool link = false;               // #link
  bool hasClass = false;           // #class
  bool moreChunks = false;         // the file has further sections for this key
};

// The key's info; attaches an empty one when it has none.
KeyInfo& keyInfo(RegistryKey& key);
const KeyInfo* findKeyInfo(const RegistryKey& key);

enum class Arch { Unknown, Win32, Win64 };

// A file that wineserver would not load (or would load only in part).
class FormatError : public std::runtime_error {
 public:
  FormatError(int line, std::string reason);
  int line() const { return line_; }

 private:
  int line_;
};

// A section of the file's text that belongs to one key: the blank lines
// before it, its "[path]" line and the lines up to the next section.
struct Chunk {
  std::weak_ptr<RegistryKey> key;
  std::size_t begin = 0;
  std::size_t end = 0;
};

// One registry file: the tree below its root key, and the text it was read
// from or last written as. Rendering copies the sections of unchanged keys
// as they are, so an untouched file comes out byte for byte, and a changed
// key changes only its own lines.
class RegistryFile {
 public:
  // rootName names the root key in the tree; relativeTo is the root's path
  // as a new file's header states it ("REGISTRY\\\\Machine", escaped).
  RegistryFile(std::u16string rootName, std::string relativeTo);
  // A file of the same root that holds nothing yet.
  RegistryFile emptyLike() const { return RegistryFile(rootName_, relativeTo_); }

  // Reads the file's text; throws FormatError. `arch` is the prefix's
  // architecture so far: the first file that names one sets it, a file
  // naming another is refused.
  void load(std::string text, Arch& arch, std::uint64_t now);
  // Starts a file that is not on disk yet.
  void loadMissing(Arch arch, std::uint64_t now);

  const std::shared_ptr<RegistryKey>& root() const { return root_; }
  // The root's path from "\Registry" as the header names it.
  const std::vector<std::u16string>& rootPath() const { return rootPath_; }
  bool existsOnDisk() const { return exists_; }
  bool dirty() const { return dirty_; }
  // What the file holds (or will hold when first written).
  const std::string& text() const { return text_; }

  void keyCreated(RegistryKey& key, std::uint64_t now);
  void keyModified(RegistryKey& key, std::uint64_t now);

  struct Rendered {
    std::string text;
    std::vector<Chunk> chunks;
    std::size_t preambleEnd = 0;
    std::size_t postambleBegin = 0;
  };
  // The text the file should hold now.
  Rendered render(std::uint64_t now) const;
  // The rendered text is on disk now; it becomes the file's text.
  void commit(Rendered rendered);

 private:
  void markDirty(RegistryKey& key, KeyInfo& info);
  RegistryKey* sectionKey(const std::u16string& path, int line);
  void regenerate(std::string& out, RegistryKey& key, const KeyInfo& info, std::size_t first,
                  std::vector<Chunk>& chunks) const;
  void appendNewSection(std::string& out, RegistryKey& key, std::uint64_t now,
                        std::vector<Chunk>& chunks) const;

  std::u16string rootName_;
  std::string relativeTo_;
  std::shared_ptr<RegistryKey> root_;
  std::vector<std::u16string> rootPath_;
  std::string text_;
  std::size_t preambleEnd_ = 0;
  std::size_t postambleBegin_ = 0;
  std::vector<Chunk> chunks_;
  std::vector<std::weak_ptr<RegistryKey>> dirtyKeys_;
  bool dirty_ = false;
  bool exists_ = false;

  // The previous section's path while loading: files list keys depth first,
  // so most of a path is the one before.
  struct Step {
    std::u16string name;
    RegistryKey* key = nullptr;
  };
  std::vector<Step> lastPath_;
  std::size_t lastPathSize_ = 0;
};

}  // namespace kelvaro::winereg
