#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/formats/byte_view.h"
#include "platform/formats/pe_layout.h"
#include "platform/formats/resource_directory.h"

namespace kelvaro::formats {

// The resource tree of a 32- or 64-bit PE file (.exe, .dll, .icl built as
// PE): type, then name, then language. See pe.md.
class PeResourceReader : public ResourceDirectory {
 public:
  // "MZ" with e_lfanew pointing at "PE\0\0".
  static bool looksLikePe(const ByteView& file);

  // Throws FormatError when the headers or the resource root are broken. A
  // PE file without resources has no names of any type.
  explicit PeResourceReader(const ByteView& file);

  std::vector<ResourceName> names(std::uint16_t type) const override;
  std::optional<ByteView> data(std::uint16_t type, const ResourceName& name) const override;

 private:
  struct Entry {
    ResourceName name;
    std::uint32_t target = 0;  // from the start of the resource section
    bool isDirectory = false;
  };
  struct TypeEntries {
    std::vector<Entry> entries;
    std::unordered_map<std::uint16_t, std::size_t> byNumber;
  };

  std::vector<Entry> entriesOf(std::uint32_t directoryOffset) const;
  std::optional<ByteView> dataOf(const Entry& entry) const;
  std::optional<std::size_t> fileOffsetOf(std::uint32_t rva, std::uint32_t size) const;

  ByteView file_;
  ByteView resources_;  // from the resource directory to the end of the file
  std::vector<PeSectionHeader> sections_;
  std::unordered_map<std::uint16_t, TypeEntries> types_;
};

}  // namespace kelvaro::formats
