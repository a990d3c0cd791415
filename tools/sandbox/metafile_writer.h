#pragma once

// Placeable Windows metafiles (WMF) and enhanced metafiles (EMF) of filled
// shapes, for the OEM logo samples.
//
// Format note: a placeable WMF starts with the 22-byte header (key
// 0x9AC6CDD7, bounding box, units per inch, XOR checksum of its first ten
// words), then the METAHEADER (type 1, 9 words, version 0x300, size in words,
// object count, largest record) and records of (size in words, function,
// parameters); META_EOF ends it. An EMF is EMR_HEADER (" EMF" signature,
// bounds in pixels, frame in 0.01 mm, byte and record counts, handle count)
// followed by records of (type, size in bytes) and EMR_EOF.

#include <cstdint>
#include <vector>

#include <QColor>
#include <QPoint>

namespace kelvaro::sandbox {

struct MetaShape {
  enum Kind { Rectangle, Ellipse, Polygon } kind = Rectangle;
  QColor fill;
  std::vector<QPoint> points;  // two corners, or the polygon's points
};

std::vector<std::uint8_t> encodeWindowsMetafile(int width, int height, const std::vector<MetaShape>& shapes);
std::vector<std::uint8_t> encodeEnhancedMetafile(int width, int height, const std::vector<MetaShape>& shapes);

}  // namespace kelvaro::sandbox
