#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QImage>
#include <QPoint>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

// What a directory says about one image of an icon, before decoding it.
struct IconImageInfo {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
};

// One decoded image of an icon or cursor.
struct IconImage {
  QImage image;  // ARGB32, transparent where the AND mask (or alpha) says so
  int bitsPerPixel = 0;
  QPoint hotspot;  // cursors only
};

// The image data of one icon image: a DIB with doubled height and an AND
// mask, or a PNG file (Vista-style large icons).
class IconImageDecoder {
 public:
  // Size and depth from the image's own header, without decoding it.
  static std::optional<IconImageInfo> probe(const ByteView& data);
  // Throws FormatError.
  static IconImage decode(const ByteView& data);

  // The image Windows would pick for a size x size icon on a display of
  // `depth` bits: the closest size, then the closest depth, the earliest on
  // a tie. -1 for an empty list.
  static int choose(const std::vector<IconImageInfo>& images, int size, int depth = 32);
  // The image scaled to size x size when it is not that size already.
  static QImage fitted(const QImage& image, int size);
};

}  // namespace kelvaro::formats
