#pragma once

#include <cstdint>
#include <vector>

#include <QImage>

namespace kelvaro::formats {

// Writes BMP files with a 40-byte BITMAPINFOHEADER, uncompressed, bottom-up,
// keeping the picture's width, height and the depth asked for. See bmp.md.
class BmpWriter {
 public:
  // bitsPerPixel is 1, 4, 8, 16 (5-5-5), 24 or 32. For 1, 4 and 8 bits an
  // Indexed8 picture whose indices fit is written with its own colour table;
  // other pictures are mapped to the standard palette of that depth (black
  // and white; the 16 VGA colours; Qt's 256-colour reduction). Throws
  // FormatError for a null picture or an unknown depth.
  static std::vector<std::uint8_t> encode(const QImage& image, int bitsPerPixel);

  // The 16 colours of the standard VGA palette, in Windows' order.
  static QList<QRgb> vgaPalette();
};

}  // namespace kelvaro::formats
