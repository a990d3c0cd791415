#pragma once

#include <QImage>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

// JPEG through libjpeg's decompression interface, from a buffer in memory.
// See jpeg.md.
class JpegDecoder {
 public:
  static bool looksLikeJpeg(const ByteView& data) { return data.startsWith(0, "\xFF\xD8"); }
  // An RGB32 picture. Throws FormatError with libjpeg's own message when the
  // library gives up; warnings (a stream cut short) still give a picture.
  static QImage decode(const ByteView& data);
};

}  // namespace kelvaro::formats
