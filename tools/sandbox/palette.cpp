#include "tools/sandbox/palette.h"

#include <algorithm>

#include "platform/formats/bmp_writer.h"

#include <limits>

namespace kelvaro::sandbox {

QList<QRgb> vgaPalette() { return formats::BmpWriter::vgaPalette(); }

QImage toPalette(const QImage& picture, const QList<QRgb>& palette, bool dither) {
  static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  const QImage source = picture.convertToFormat(QImage::Format_RGB32);
  QImage out(source.size(), QImage::Format_Indexed8);
  out.setColorTable(palette);
  for (int y = 0; y < source.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
    uchar* target = out.scanLine(y);
    for (int x = 0; x < source.width(); ++x) {
      int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
      if (dither) {
        const int offset = (kBayer[y & 3][x & 3] - 8) * 6;
        r = std::clamp(r + offset, 0, 255);
        g = std::clamp(g + offset, 0, 255);
        b = std::clamp(b + offset, 0, 255);
      }
      int best = 0;
      int bestDistance = std::numeric_limits<int>::max();
      for (int i = 0; i < palette.size(); ++i) {
        const int dr = r - qRed(palette[i]), dg = g - qGreen(palette[i]), db = b - qBlue(palette[i]);
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
          bestDistance = distance;
          best = i;
        }
      }
      target[x] = static_cast<uchar>(best);
    }
  }
  return out;
}

}  // namespace kelvaro::sandbox
