#pragma once

// On-disk records of 16-bit New Executables (Windows 3.x programs and DLLs,
// .icl icon libraries) that the resource reader needs. See ne.md.
#include <cstddef>
#include <cstdint>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

// The NE header fields that locate the resource table: both offsets count
// from the start of the NE header.
struct NeHeader {
  static constexpr std::size_t kSize = 0x40;
  std::uint16_t resourceTableOffset = 0;      // 0x24
  std::uint16_t residentNameTableOffset = 0;  // 0x26, where the resource table ends

  static NeHeader read(const ByteView& data, std::size_t offset);
};

// TYPEINFO: 8 bytes, then `count` NAMEINFO records. A type id with the high
// bit set is a number; otherwise it is the offset of a name string from the
// start of the resource table. A type id of 0 ends the list.
struct NeTypeInfo {
  static constexpr std::size_t kSize = 8;
  static constexpr std::uint16_t kNumberBit = 0x8000;
  std::uint16_t typeId = 0;
  std::uint16_t count = 0;

  static NeTypeInfo read(const ByteView& data, std::size_t offset);
};

// NAMEINFO: 12 bytes. Offset and length are in units of 1 << alignment shift.
struct NeNameInfo {
  static constexpr std::size_t kSize = 12;
  std::uint16_t offset = 0;
  std::uint16_t length = 0;
  std::uint16_t flags = 0;
  std::uint16_t id = 0;  // high bit: a number; otherwise a name string's offset

  static NeNameInfo read(const ByteView& data, std::size_t offset);
};

}  // namespace kelvaro::formats
