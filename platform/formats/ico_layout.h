#pragma once

// On-disk records of icon and cursor files (.ico, .cur) and of the icon
// group resources of executables. IcoReader and IconExtractor give them meaning.
#include <cstddef>
#include <cstdint>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

inline constexpr std::uint16_t kIconResourceType = 1;    // ICONDIR.idType of an .ico file
inline constexpr std::uint16_t kCursorResourceType = 2;  // ... of a .cur file

// ICONDIR (and GRPICONDIR): 6 bytes.
struct IconDirHeader {
  static constexpr std::size_t kSize = 6;
  std::uint16_t reserved = 0;
  std::uint16_t type = 0;
  std::uint16_t count = 0;

  static IconDirHeader read(const ByteView& data, std::size_t offset);
};

// ICONDIRENTRY of an .ico/.cur file: 16 bytes. In a cursor file planes and
// bitCount hold the hotspot.
struct IconDirEntry {
  static constexpr std::size_t kSize = 16;
  std::uint8_t width = 0;  // 0 means 256
  std::uint8_t height = 0;
  std::uint8_t colorCount = 0;
  std::uint8_t reserved = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t bytesInRes = 0;
  std::uint32_t imageOffset = 0;

  static IconDirEntry read(const ByteView& data, std::size_t offset);
};

// GRPICONDIRENTRY of an RT_GROUP_ICON resource: 14 bytes, naming its image
// by the id of an RT_ICON resource instead of a file offset.
struct GroupIconDirEntry {
  static constexpr std::size_t kSize = 14;
  std::uint8_t width = 0;
  std::uint8_t height = 0;
  std::uint8_t colorCount = 0;
  std::uint8_t reserved = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t bytesInRes = 0;
  std::uint16_t id = 0;

  static GroupIconDirEntry read(const ByteView& data, std::size_t offset);
};

}  // namespace kelvaro::formats
