#pragma once

#include <QImage>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

// GIF through Qt's own reader: the first frame, as Windows pictures show it.
class GifDecoder {
 public:
  static bool looksLikeGif(const ByteView& data) {
    return data.startsWith(0, "GIF87a") || data.startsWith(0, "GIF89a");
  }
  // Throws FormatError.
  static QImage decode(const ByteView& data);
};

}  // namespace kelvaro::formats
