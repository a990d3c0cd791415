#pragma once

#include <string>
#include <string_view>

#include <QImage>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

enum class PictureKind { Bmp, Jpeg, Gif, Icon, Cursor, AnimatedCursor, Emf, Wmf };

struct DecodedPicture {
  QImage image;
  int bitsPerPixel = 0;  // as stored; 32 for rendered metafiles
  PictureKind kind = PictureKind::Bmp;
};

// Tells the picture formats apart by their first bytes and decodes with the
// right codec: BMP, JPEG, GIF, ICO, CUR, ANI (its first frame), EMF, WMF.
class PictureDecoder {
 public:
  // Throws FormatError, also for a format that is none of these.
  static DecodedPicture decode(const ByteView& data);
  static std::string kindName(PictureKind kind);
};

}  // namespace kelvaro::formats
