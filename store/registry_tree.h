#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kelvaro {

// Registry value kinds by number, as Windows stores them.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegLink = 6;
inline constexpr std::uint32_t kRegMultiSz = 7;

struct RegistryValue {
  std::u16string name;  // the empty name is the key's default value
  std::uint32_t type = kRegNone;
  std::vector<std::uint8_t> data;  // raw, as Windows stores it
};

// Whatever a backend keeps per key beyond names and values (time stamps,
// class names, the text it was read from).
class KeyAttachment {
 public:
  virtual ~KeyAttachment() = default;
};

// One key of the registry tree. Names keep the case they were created with and
// compare case-insensitively; subkeys and values are kept sorted the way Wine
// keeps them (see compareNames), which is also the order they enumerate in.
class RegistryKey : public std::enable_shared_from_this<RegistryKey> {
 public:
  explicit RegistryKey(std::u16string name, RegistryKey* parent = nullptr);
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  const std::u16string& name() const { return name_; }
  RegistryKey* parent() const { return parent_; }
  // A deleted key stays valid for handles that still hold it, but is no
  // longer part of the tree.
  bool deleted() const { return deleted_; }

  const std::vector<std::shared_ptr<RegistryKey>>& subkeys() const { return subkeys_; }
  std::shared_ptr<RegistryKey> findSubkey(std::u16string_view name) const;
  // Returns the existing subkey of that name, or a new one.
  std::shared_ptr<RegistryKey> addSubkey(std::u16string_view name, bool* created = nullptr);
  // Detaches the subkey and marks its whole subtree deleted.
  bool removeSubkey(std::u16string_view name);

  const std::vector<RegistryValue>& values() const { return values_; }
  const RegistryValue* findValue(std::u16string_view name) const;
  // Creates or replaces a value; an existing value keeps its name's spelling.
  // Returns false when the value already held exactly this type and data.
  bool setValue(std::u16string_view name, std::uint32_t type, std::vector<std::uint8_t> data);
  bool removeValue(std::u16string_view name);

  KeyAttachment* attachment() const { return attachment_.get(); }
  void setAttachment(std::unique_ptr<KeyAttachment> attachment) { attachment_ = std::move(attachment); }
  template <class T>
  T* attachmentAs() const {
    return dynamic_cast<T*>(attachment_.get());
  }

 private:
  void markDeleted();
  std::size_t valueIndex(std::u16string_view name, bool& found) const;

  std::u16string name_;
  RegistryKey* parent_;
  bool deleted_ = false;
  std::vector<std::shared_ptr<RegistryKey>> subkeys_;
  std::unordered_map<std::u16string, RegistryKey*> subkeyIndex_;  // folded name -> subkey
  std::vector<RegistryValue> values_;
  std::unique_ptr<KeyAttachment> attachment_;
};

enum class Root { CurrentUser, LocalMachine, ClassesRoot };

class RegistryChangeLog;

// A registry backend: the trees of HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE,
// and the hooks a backend needs to follow links, refuse writes and note
// changes. HKEY_CLASSES_ROOT is HKEY_LOCAL_MACHINE\Software\Classes, as on
// Windows 9x and in Wine.
class Registry {
 public:
  virtual ~Registry();

  // The root key of CurrentUser or LocalMachine (never ClassesRoot).
  virtual std::shared_ptr<RegistryKey> rootKey(Root root) = 0;
  // The key that a symbolic-link key points to; the key itself otherwise.
  // nullptr when a link leads nowhere.
  virtual std::shared_ptr<RegistryKey> followLink(const std::shared_ptr<RegistryKey>& key) { return key; }
  // Throws StoreError when the backend cannot take writes now.
  virtual void checkWritable() {}
  // A key was created beneath its parent.
  virtual void keyCreated(RegistryKey& /*key*/) {}
  // A key's values or subkeys changed.
  virtual void keyModified(RegistryKey& /*key*/) {}

  // Where handles note each key and value they create, change or delete;
  // none by default.
  RegistryChangeLog* changeLog() const { return changeLog_; }
  void setChangeLog(RegistryChangeLog* log) { changeLog_ = log; }

 private:
  RegistryChangeLog* changeLog_ = nullptr;
};

// The backend for tests and for anything that needs a registry in memory.
class MemoryRegistry : public Registry {
 public:
  MemoryRegistry();
  std::shared_ptr<RegistryKey> rootKey(Root root) override;

 private:
  std::shared_ptr<RegistryKey> currentUser_;
  std::shared_ptr<RegistryKey> localMachine_;
};

}  // namespace kelvaro
