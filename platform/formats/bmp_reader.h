#pragma once

#include "platform/formats/byte_view.h"
#include "platform/formats/dib_decoder.h"

namespace kelvaro::formats {

// A BMP file: BITMAPFILEHEADER, then a DIB whose pixels start at bfOffBits.
class BmpReader {
 public:
  static bool looksLikeBmp(const ByteView& data) { return data.startsWith(0, "BM"); }
  // Throws FormatError.
  static DibImage read(const ByteView& data);
};

}  // namespace kelvaro::formats
