#pragma once

// On-disk records of shell link (.lnk) files as MS-SHLLINK describes them,
// and of the shell items of a link's target ID list. ShellLinkWriter and
// ShellLinkReader give them meaning. See shell_link.md.
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

using Guid = std::array<std::uint8_t, 16>;  // as stored: Data1-3 little-endian, Data4 as bytes

// {00021401-0000-0000-C000-000000000046}
inline constexpr Guid kShellLinkClsid = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
// {20D04FE0-3AEA-1069-A2D8-08002B30309D}, My Computer
inline constexpr Guid kMyComputerClsid = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                          0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

// LinkFlags.
enum ShellLinkFlag : std::uint32_t {
  kHasLinkTargetIdList = 0x00000001,
  kHasLinkInfo = 0x00000002,
  kHasName = 0x00000004,
  kHasRelativePath = 0x00000008,
  kHasWorkingDir = 0x00000010,
  kHasArguments = 0x00000020,
  kHasIconLocation = 0x00000040,
  kIsUnicode = 0x00000080,
};

inline constexpr std::uint32_t kFileAttributeDirectory = 0x10;
inline constexpr std::uint32_t kFileAttributeArchive = 0x20;
inline constexpr std::uint32_t kShowNormal = 1;

// ShellLinkHeader: 76 bytes.
struct ShellLinkHeader {
  static constexpr std::uint32_t kSize = 0x4C;
  std::uint32_t linkFlags = 0;
  std::uint32_t fileAttributes = 0;
  std::uint64_t creationTime = 0;
  std::uint64_t accessTime = 0;
  std::uint64_t writeTime = 0;
  std::uint32_t fileSize = 0;
  std::int32_t iconIndex = 0;
  std::uint32_t showCommand = kShowNormal;
  std::uint16_t hotKey = 0;

  void write(ByteWriter& out) const;
  // Reads and checks the size and the class id; throws FormatError.
  static ShellLinkHeader read(const ByteView& data);
};

// LinkInfo header sizes and flags.
inline constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;
inline constexpr std::uint32_t kLinkInfoHeaderSizeUnicode = 0x24;
inline constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
inline constexpr std::uint32_t kDriveFixed = 3;

// Shell item class types (the byte after an item's size).
inline constexpr std::uint8_t kItemRootFolder = 0x1F;
inline constexpr std::uint8_t kItemVolumeMask = 0x70;
inline constexpr std::uint8_t kItemVolume = 0x20;
inline constexpr std::uint8_t kItemVolumeWithName = 0x2F;
inline constexpr std::uint8_t kItemFileEntry = 0x30;
inline constexpr std::uint8_t kItemDirectoryFlag = 0x01;
inline constexpr std::uint8_t kItemFileFlag = 0x02;
inline constexpr std::uint8_t kItemUnicodeFlag = 0x04;
inline constexpr std::uint8_t kSortIndexMyComputer = 0x50;

// The file entry extension block that carries an item's long name.
inline constexpr std::uint32_t kFileEntryExtensionSignature = 0xBEEF0004;
inline constexpr std::uint16_t kFileEntryExtensionVersionXp = 3;
inline constexpr std::uint16_t kFileEntryExtensionXpMarker = 0x14;

// Offsets inside a file entry shell item (from the item's size field).
inline constexpr std::size_t kFileEntryAttributesOffset = 12;
inline constexpr std::size_t kFileEntryPrimaryNameOffset = 14;
// A volume item's drive name field: "C:\" and NULs, 20 bytes, then 2 unknown bytes.
inline constexpr std::size_t kVolumeNameBytes = 20;

}  // namespace kelvaro::formats
