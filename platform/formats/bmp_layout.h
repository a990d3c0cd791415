#pragma once

// On-disk records of Windows bitmaps (BMP files and the DIBs inside icons and
// cursors). Only layout lives here; DibDecoder turns them into pictures.
#include <cstddef>
#include <cstdint>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

inline constexpr std::uint16_t kBitmapFileType = 0x4D42;  // "BM"

// BITMAPFILEHEADER: 14 bytes.
struct BitmapFileHeader {
  static constexpr std::size_t kSize = 14;
  std::uint16_t type = 0;
  std::uint32_t fileSize = 0;
  std::uint32_t pixelOffset = 0;  // bfOffBits

  static BitmapFileHeader read(const ByteView& data);
};

// biCompression values.
enum class BitmapCompression : std::uint32_t {
  Rgb = 0,
  Rle8 = 1,
  Rle4 = 2,
  Bitfields = 3,
  Jpeg = 4,
  Png = 5,
  AlphaBitfields = 6,
};

// BITMAPCOREHEADER (12 bytes), BITMAPINFOHEADER (40) and its V4 (108) and V5
// (124) extensions, read into one record; fields a shorter header lacks are 0.
struct BitmapInfoHeader {
  static constexpr std::uint32_t kCoreSize = 12;
  static constexpr std::uint32_t kInfoSize = 40;
  static constexpr std::uint32_t kV4Size = 108;
  static constexpr std::uint32_t kV5Size = 124;

  std::uint32_t headerSize = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // negative: rows stored top-down
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t colorsImportant = 0;
  // Present in V4/V5 headers (and in 52/56-byte headers); for a 40-byte
  // header with BI_BITFIELDS the masks follow the header instead.
  std::uint32_t redMask = 0;
  std::uint32_t greenMask = 0;
  std::uint32_t blueMask = 0;
  std::uint32_t alphaMask = 0;
  bool masksInHeader = false;
  bool alphaMaskInHeader = false;

  bool isCore() const { return headerSize == kCoreSize; }
  // Reads the header at offset; throws FormatError for a size no Windows
  // version writes or a header cut short.
  static BitmapInfoHeader read(const ByteView& data, std::size_t offset);
};

}  // namespace kelvaro::formats
