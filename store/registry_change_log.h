#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "registry_tree.h"

namespace kelvaro {

// The keys and values a run created, changed or deleted, in the order it made
// the changes, and their text as a REGEDIT4 file that regedit imports: the
// program's record of what it did, to read or to replay on another prefix.
//
// REGEDIT4 is an ANSI format: "[KEY]" sections, "name"="text" (backslash and
// quote escaped), "name"=dword:0000000a, "name"=hex:.. for binary data,
// hex(2): and hex(7): for expandable and multiple strings as ANSI bytes with
// their NULs, hex(N): for any other kind, @= for the default value,
// "name"=- for a deleted value and [-KEY] for a deleted key with all it holds.
class RegistryChangeLog {
 public:
  void keyCreated(const RegistryKey& key);
  void keyDeleted(const RegistryKey& key);  // called before it is taken out
  void valueSet(const RegistryKey& key, const RegistryValue& value);
  void valueDeleted(const RegistryKey& key, std::u16string_view name);

  std::size_t size() const { return entries_.size(); }
  // The file: "REGEDIT4", then one section for each run of changes to the
  // same key. Texts go to the code page (an iconv name); a name or text it
  // cannot hold is left out with a comment saying so.
  std::string regedit4(const std::string& codePage) const;

 private:
  enum class Kind { KeyCreated, KeyDeleted, ValueSet, ValueDeleted };
  struct Entry {
    Kind kind;
    std::u16string key;  // full path from the root's name (HKEY_CURRENT_USER\...)
    std::u16string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
  };
  std::vector<Entry> entries_;
};

// The key's path from its root key's name, as regedit names it.
std::u16string registryKeyPath(const RegistryKey& key);

}  // namespace kelvaro
