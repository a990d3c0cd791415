#include "platform/formats/bmp_writer.h"

#include <algorithm>
#include <string>

#include "platform/formats/bmp_layout.h"
#include "platform/formats/byte_view.h"
#include "platform/formats/format_error.h"

namespace kelvaro::formats {
namespace {

// The indexed form of the picture for a depth of at most 8 bits: the
// picture itself when it already is one whose indices fit.
QImage indexedFor(const QImage& image, int bits) {
  const int capacity = 1 << bits;
  QImage indexed = image;
  if (indexed.format() == QImage::Format_Mono || indexed.format() == QImage::Format_MonoLSB) {
    indexed = indexed.convertToFormat(QImage::Format_Indexed8);
  }
  if (indexed.format() == QImage::Format_Indexed8) {
    int maxIndex = 0;
    for (int y = 0; y < indexed.height(); ++y) {
      const uchar* row = indexed.constScanLine(y);
      maxIndex = std::max<int>(maxIndex, *std::max_element(row, row + indexed.width()));
    }
    if (maxIndex < capacity) {
      QList<QRgb> table = indexed.colorTable();
      if (table.size() > capacity) table.resize(capacity);
      while (table.size() <= maxIndex) table.append(qRgb(0, 0, 0));
      indexed.setColorTable(table);
      return indexed;
    }
  }
  if (bits == 8) {
    return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
  }
  const QList<QRgb> table =
      bits == 1 ? QList<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)} : BmpWriter::vgaPalette();
  return image.convertToFormat(QImage::Format_RGB32)
      .convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither | Qt::AvoidDither);
}

}  // namespace

QList<QRgb> BmpWriter::vgaPalette() {
  return {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
          qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
          qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
          qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
}

std::vector<std::uint8_t> BmpWriter::encode(const QImage& image, int bits) {
  if (image.isNull()) throw FormatError("no picture to write");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    throw FormatError("a bitmap cannot have " + std::to_string(bits) + " bits per pixel");
  }
  const int width = image.width();
  const int height = image.height();
  const std::size_t rowBytes = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
  const std::size_t pixelBytes = rowBytes * static_cast<std::size_t>(height);

  QImage source;
  QList<QRgb> table;
  if (bits <= 8) {
    source = indexedFor(image, bits);
    table = source.colorTable();
  } else {
    source = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
  }
  const bool keepAlpha = bits == 32 && source.hasAlphaChannel();

  const std::uint32_t headerBytes = BitmapFileHeader::kSize + BitmapInfoHeader::kInfoSize;
  const auto pixelOffset = static_cast<std::uint32_t>(headerBytes + 4 * table.size());
  ByteWriter out;
  out.u16(kBitmapFileType);
  out.u32(static_cast<std::uint32_t>(pixelOffset + pixelBytes));
  out.u16(0);
  out.u16(0);
  out.u32(pixelOffset);
  out.u32(BitmapInfoHeader::kInfoSize);
  out.s32(width);
  out.s32(height);
  out.u16(1);
  out.u16(static_cast<std::uint16_t>(bits));
  out.u32(static_cast<std::uint32_t>(BitmapCompression::Rgb));
  out.u32(static_cast<std::uint32_t>(pixelBytes));
  out.s32(image.dotsPerMeterX());
  out.s32(image.dotsPerMeterY());
  out.u32(static_cast<std::uint32_t>(table.size()));
  out.u32(0);
  for (QRgb c : table) {
    out.u8(static_cast<std::uint8_t>(qBlue(c)));
    out.u8(static_cast<std::uint8_t>(qGreen(c)));
    out.u8(static_cast<std::uint8_t>(qRed(c)));
    out.u8(0);
  }
  std::vector<std::uint8_t> row(rowBytes);
  for (int y = height - 1; y >= 0; --y) {
    std::fill(row.begin(), row.end(), 0);
    const uchar* src = source.constScanLine(y);
    const auto* rgb = reinterpret_cast<const QRgb*>(src);
    for (int x = 0; x < width; ++x) {
      switch (bits) {
        case 1:
        case 4:
        case 8: {
          const int perByte = 8 / bits;
          row[x / perByte] |= static_cast<std::uint8_t>(src[x] << (8 - bits * (x % perByte + 1)));
          break;
        }
        case 16: {
          const QRgb c = rgb[x];
          const auto v =
              static_cast<std::uint16_t>(((qRed(c) >> 3) << 10) | ((qGreen(c) >> 3) << 5) | (qBlue(c) >> 3));
          row[2 * x] = static_cast<std::uint8_t>(v);
          row[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
          break;
        }
        case 24:
          row[3 * x] = static_cast<std::uint8_t>(qBlue(rgb[x]));
          row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(rgb[x]));
          row[3 * x + 2] = static_cast<std::uint8_t>(qRed(rgb[x]));
          break;
        default:
          row[4 * x] = static_cast<std::uint8_t>(qBlue(rgb[x]));
          row[4 * x + 1] = static_cast<std::uint8_t>(qGreen(rgb[x]));
          row[4 * x + 2] = static_cast<std::uint8_t>(qRed(rgb[x]));
          row[4 * x + 3] = keepAlpha ? static_cast<std::uint8_t>(qAlpha(rgb[x])) : 0;
          break;
      }
    }
    out.append(row);
  }
  return out.take();
}

}  // namespace kelvaro::formats
