#include "tools/sandbox/bitmap_file_writer.h"

#include <stdexcept>

#include "tools/sandbox/byte_writer.h"
#include "tools/sandbox/palette.h"

namespace kelvaro::sandbox {

std::vector<std::uint8_t> encodeBitmapFile(const QImage& picture, int bitsPerPixel) {
  if (picture.isNull()) throw std::invalid_argument("no picture");
  if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24)
    throw std::invalid_argument("unsupported depth");
  QImage image;
  if (bitsPerPixel == 24) {
    image = picture.convertToFormat(QImage::Format_RGB32);
  } else if (picture.format() == QImage::Format_Indexed8 && picture.colorCount() <= (1 << bitsPerPixel)) {
    image = picture;
  } else if (bitsPerPixel == 4) {
    image = toPalette(picture, vgaPalette(), false);
  } else if (bitsPerPixel == 1) {
    image = toPalette(picture, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, false);
  } else {
    image = picture.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
  }
  const int w = image.width(), h = image.height();
  const std::uint32_t stride = ((w * bitsPerPixel + 31) / 32) * 4;
  const std::uint32_t colours = bitsPerPixel == 24 ? 0 : 1u << bitsPerPixel;
  const std::uint32_t offset = 14 + 40 + 4 * colours;
  ByteWriter out;
  out.ascii("BM");
  out.u32(offset + stride * h);
  out.u32(0);
  out.u32(offset);
  out.u32(40);
  out.s32(w);
  out.s32(h);
  out.u16(1);
  out.u16(bitsPerPixel);
  out.u32(0);
  out.u32(stride * h);
  out.u32(3780);
  out.u32(3780);
  out.u32(bitsPerPixel == 24 ? 0 : static_cast<std::uint32_t>(image.colorCount()));
  out.u32(0);
  for (std::uint32_t i = 0; i < colours; ++i) {
    const QRgb c = static_cast<int>(i) < image.colorCount() ? image.color(static_cast<int>(i)) : 0;
    out.u8(qBlue(c));
    out.u8(qGreen(c));
    out.u8(qRed(c));
    out.u8(0);
  }
  for (int y = h - 1; y >= 0; --y) {
    const std::size_t rowStart = out.size();
    if (bitsPerPixel == 24) {
      const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
      for (int x = 0; x < w; ++x) {
        out.u8(qBlue(line[x]));
        out.u8(qGreen(line[x]));
        out.u8(qRed(line[x]));
      }
    } else {
      const uchar* line = image.constScanLine(y);
      const int perByte = 8 / bitsPerPixel;
      for (int x = 0; x < w; x += perByte) {
        std::uint32_t byte = 0;
        for (int k = 0; k < perByte; ++k) {
          const std::uint32_t index = x + k < w ? line[x + k] : 0;
          byte = (byte << bitsPerPixel) | (index & ((1u << bitsPerPixel) - 1));
        }
        out.u8(byte);
      }
    }
    while (out.size() - rowStart < stride) out.u8(0);
  }
  return out.take();
}

}  // namespace kelvaro::sandbox
