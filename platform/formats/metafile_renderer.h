#pragma once

#include <QImage>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

// Windows metafiles, drawn by converting them to SVG and rendering that with
// QtSvg: EMF through libemf2svg, WMF (with or without the placeable header)
// through libwmf's SVG device. Our own walk over the records checks that
// every record lies inside the data before a library sees it. See metafile.md.
class MetafileRenderer {
 public:
  // Rendered pictures are at most this wide and high (scaled down to fit).
  static constexpr int kMaxSide = 4096;

  static bool looksLikeEmf(const ByteView& data);
  static bool looksLikeWmf(const ByteView& data);

  // Throw FormatError when the records do not hold together or the library
  // cannot convert them. The result is ARGB32, transparent where nothing is drawn.
  static QImage renderEmf(const ByteView& data);
  static QImage renderWmf(const ByteView& data);

  // The record checks alone (the fuzz targets call these).
  static void checkEmfRecords(const ByteView& data);
  static void checkWmfRecords(const ByteView& data);
};

}  // namespace kelvaro::formats
