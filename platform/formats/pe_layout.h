#pragma once

// On-disk records of 32- and 64-bit Portable Executables that the resource
// reader needs: the DOS stub's pointer, the file and optional headers, the
// section table and the resource tree. See pe.md.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

inline constexpr std::uint16_t kDosSignature = 0x5A4D;     // "MZ"
inline constexpr std::size_t kDosNewHeaderPointer = 0x3C;  // e_lfanew

// IMAGE_FILE_HEADER, after the "PE\0\0" signature: 20 bytes.
struct PeFileHeader {
  static constexpr std::size_t kSize = 20;
  std::uint16_t machine = 0;
  std::uint16_t numberOfSections = 0;
  std::uint16_t sizeOfOptionalHeader = 0;

  static PeFileHeader read(const ByteView& data, std::size_t offset);
};

// The parts of IMAGE_OPTIONAL_HEADER32/64 that locate the resource directory.
struct PeOptionalHeader {
  static constexpr std::uint16_t kMagic32 = 0x10B;
  static constexpr std::uint16_t kMagic64 = 0x20B;
  static constexpr std::uint32_t kResourceDirectoryIndex = 2;
  std::uint16_t magic = 0;
  std::uint32_t numberOfRvaAndSizes = 0;
  std::uint32_t resourceRva = 0;
  std::uint32_t resourceSize = 0;

  static PeOptionalHeader read(const ByteView& data, std::size_t offset, std::uint16_t size);
};

// IMAGE_SECTION_HEADER: 40 bytes.
struct PeSectionHeader {
  static constexpr std::size_t kSize = 40;
  std::uint32_t virtualSize = 0;
  std::uint32_t virtualAddress = 0;
  std::uint32_t sizeOfRawData = 0;
  std::uint32_t pointerToRawData = 0;

  static PeSectionHeader read(const ByteView& data, std::size_t offset);
};

// IMAGE_RESOURCE_DIRECTORY: 16 bytes, then its entries.
struct PeResourceDirectoryHeader {
  static constexpr std::size_t kSize = 16;
  std::uint16_t namedEntries = 0;
  std::uint16_t idEntries = 0;

  static PeResourceDirectoryHeader read(const ByteView& data, std::size_t offset);
};

// IMAGE_RESOURCE_DIRECTORY_ENTRY: 8 bytes. The high bit of `name` marks a
// string name, that of `offset` a subdirectory; both offsets count from the
// start of the resource section.
struct PeResourceDirectoryEntry {
  static constexpr std::size_t kSize = 8;
  static constexpr std::uint32_t kHighBit = 0x80000000u;
  std::uint32_t name = 0;
  std::uint32_t offset = 0;

  bool hasStringName() const { return (name & kHighBit) != 0; }
  bool isDirectory() const { return (offset & kHighBit) != 0; }
  std::uint32_t target() const { return offset & ~kHighBit; }
  static PeResourceDirectoryEntry read(const ByteView& data, std::size_t offset);
};

// IMAGE_RESOURCE_DATA_ENTRY: 16 bytes; the data is located by RVA.
struct PeResourceDataEntry {
  static constexpr std::size_t kSize = 16;
  std::uint32_t dataRva = 0;
  std::uint32_t size = 0;

  static PeResourceDataEntry read(const ByteView& data, std::size_t offset);
};

}  // namespace kelvaro::formats
