#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "registry_tree.h"

namespace kelvaro {

enum class ValueKind { String, ExpandString, Dword, Binary, Unknown };

// A handle on the registry: one root, at most one open key. Paths that begin
// with a backslash start at the root; other paths start beneath the open key
// when one is open. Names are UTF-8; the tree keeps them as UTF-16.
class RegistryHandle {
 public:
  explicit RegistryHandle(Registry& registry);

  void setRoot(Root root);
  Root root() const { return root_; }

  bool openKey(std::string_view path, bool create);
  void closeKey();
  bool hasOpenKey() const { return key_ != nullptr; }
  std::string currentPath() const { return path_; }

  void createKey(std::string_view path);
  bool keyExists(std::string_view path);
  bool deleteKey(std::string_view path);

  bool valueExists(std::string_view name);
  ValueKind valueKind(std::string_view name);
  std::string readString(std::string_view name);
  std::int32_t readDword(std::string_view name);
  bool readFlag(std::string_view name);
  std::size_t readBinary(std::string_view name, std::span<std::uint8_t> buffer);

  void writeString(std::string_view name, std::string_view text);
  void writeExpandString(std::string_view name, std::string_view text);
  void writeDword(std::string_view name, std::int32_t value);
  void writeFlag(std::string_view name, bool value);
  void writeBinary(std::string_view name, std::span<const std::uint8_t> data);
  // Any value kind, data as Windows stores it (REG_SZ/REG_EXPAND_SZ: UTF-16LE with its NUL).
  void writeRaw(std::string_view name, std::uint32_t regType, std::span<const std::uint8_t> data);
  bool deleteValue(std::string_view name);

  std::vector<std::string> subkeyNames();
  std::vector<std::string> valueNames();

  // The stored value itself (kind number and raw bytes), or nullptr.
  const RegistryValue* rawValue(std::string_view name) const;

 private:
  struct Resolved {
    std::shared_ptr<RegistryKey> key;
    std::string path;  // below the root, as the caller spelled it
  };
  std::shared_ptr<RegistryKey> rootNode(bool create);
  // Walks a path from the root or the open key; nullptr when a key on the
  // way is missing (and create is false) or the path is not valid.
  Resolved resolve(std::string_view path, bool create);
  const RegistryValue* find(std::string_view name) const;
  void store(std::string_view name, std::uint32_t type, std::vector<std::uint8_t> data);

  Registry& registry_;
  Root root_ = Root::CurrentUser;
  std::shared_ptr<RegistryKey> key_;
  std::string path_;
};

// REG_SZ data for a UTF-8 text: UTF-16LE with its terminating NUL.
std::vector<std::uint8_t> registryStringData(std::string_view text);
// The text of REG_SZ-style data: UTF-16LE up to the first NUL.
std::string registryStringText(std::span<const std::uint8_t> data);

}  // namespace kelvaro
