#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include <QImage>

#include "platform/formats/bmp_layout.h"
#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

// A decoded device-independent bitmap.
struct DibImage {
  // Pictures: Indexed8 with the file's colour table for 1, 4 and 8 bits
  // (pixels the file leaves unset hold index 0), RGB32 above that, ARGB32
  // when the file has a real alpha channel. Icon images: always ARGB32.
  QImage image;
  int bitsPerPixel = 0;  // as stored: 1, 4, 8, 16, 24 or 32
  BitmapCompression compression = BitmapCompression::Rgb;
};

// Decodes the DIBs of BMP files, icons and cursors. See bmp.md.
class DibDecoder {
 public:
  enum class Purpose {
    Picture,    // a bitmap file
    IconImage,  // an image of an icon or cursor: doubled height, AND mask after the colours
  };

  // Pictures larger than this are refused rather than allocated.
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

  // The DIB whose header starts at headerOffset. pixelOffset is bfOffBits for
  // a bitmap file; without it (or when it is 0) the pixels follow the colour
  // table. Throws FormatError.
  static DibImage decode(const ByteView& data, std::size_t headerOffset,
                         std::optional<std::size_t> pixelOffset, Purpose purpose);
};

}  // namespace kelvaro::formats
