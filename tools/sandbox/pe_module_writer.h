#pragma once

// Writes the icon-bearing program files of the sandbox (icon libraries, stub
// programs, screen savers) as minimal PE32 images for the i386.
//
// Format note (from the published PE/COFF format description): an "MZ" header whose e_lfanew
// (offset 0x3C) points at "PE\0\0", the COFF header, the PE32 optional header
// with 16 data directories, the section table, then the sections at
// FileAlignment. The resource section (data directory 2) is a tree of
// IMAGE_RESOURCE_DIRECTORY tables: type (RT_ICON 3, RT_GROUP_ICON 14), name
// (an id), language; leaves are IMAGE_RESOURCE_DATA_ENTRY records whose
// OffsetToData is an RVA. Entries of a table are sorted by id, which is the
// order ExtractIcon counts icon groups in. An RT_GROUP_ICON is a GRPICONDIR:
// reserved 0, type 1, count, then 14-byte entries naming RT_ICON ids; each
// RT_ICON is a DIB with a doubled height (XOR image and AND mask).

#include <cstdint>
#include <vector>

namespace kelvaro::sandbox {

struct IconImageData {
  int width = 32;
  int height = 32;
  int bitCount = 4;
  std::vector<std::uint8_t> dib;  // BITMAPINFOHEADER, colour table, XOR and AND bitmaps
};

struct IconGroupData {
  std::uint16_t id = 1;  // resource id of the group; ascending in file order
  std::vector<IconImageData> images;
};

enum class ModuleKind { Library, Program };

// A library has no code; a program has a one-instruction entry that returns.
std::vector<std::uint8_t> writePeModule(ModuleKind kind, const std::vector<IconGroupData>& groups);

}  // namespace kelvaro::sandbox
