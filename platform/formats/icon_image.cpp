#include "platform/formats/icon_image.h"

#include <cstdlib>
#include <limits>

#include "platform/formats/bmp_layout.h"
#include "platform/formats/dib_decoder.h"
#include "platform/formats/format_error.h"

namespace kelvaro::formats {
namespace {

constexpr std::string_view kPngSignature = "\x89PNG\r\n\x1a\n";

bool isPng(const ByteView& data) { return data.startsWith(0, kPngSignature); }

// Bits per pixel of a PNG from its IHDR chunk.
int pngBits(const ByteView& data) {
  const int depth = data.u8(24);
  switch (data.u8(25)) {
    case 0:
      return depth;  // grey
    case 2:
      return depth * 3;  // RGB
    case 3:
      return depth;  // palette
    case 4:
      return depth * 2;  // grey + alpha
    case 6:
      return depth * 4;  // RGBA
    default:
      return depth;
  }
}

std::uint32_t readBigEndian32(const ByteView& data, std::size_t offset) {
  return (static_cast<std::uint32_t>(data.u8(offset)) << 24) |
         (static_cast<std::uint32_t>(data.u8(offset + 1)) << 16) |
         (static_cast<std::uint32_t>(data.u8(offset + 2)) << 8) | data.u8(offset + 3);
}

}  // namespace

std::optional<IconImageInfo> IconImageDecoder::probe(const ByteView& data) {
  try {
    if (isPng(data)) {
      if (!data.startsWith(12, "IHDR")) return std::nullopt;
      return IconImageInfo{static_cast<int>(readBigEndian32(data, 16)),
                           static_cast<int>(readBigEndian32(data, 20)), pngBits(data)};
    }
    const BitmapInfoHeader h = BitmapInfoHeader::read(data, 0);
    const int height = std::abs(static_cast<int>(h.height / 2));
    // Icon DIBs have one plane; the bit count alone is the depth.
    return IconImageInfo{h.width, height, static_cast<int>(h.bitCount)};
  } catch (const FormatError&) {
    return std::nullopt;
  }
}

IconImage IconImageDecoder::decode(const ByteView& data) {
  IconImage out;
  if (isPng(data)) {
    QImage png;
    if (!png.loadFromData(data.bytes().data(), static_cast<int>(data.size()), "PNG")) {
      throw FormatError("icon image: the PNG data cannot be read");
    }
    out.image = png.convertToFormat(QImage::Format_ARGB32);
    out.bitsPerPixel = pngBits(data);
    return out;
  }
  DibImage dib = DibDecoder::decode(data, 0, std::nullopt, DibDecoder::Purpose::IconImage);
  out.image = std::move(dib.image);
  out.bitsPerPixel = dib.bitsPerPixel;
  return out;
}

int IconImageDecoder::choose(const std::vector<IconImageInfo>& images, int size, int depth) {
  int best = -1;
  long bestSize = std::numeric_limits<long>::max();
  long bestDepth = std::numeric_limits<long>::max();
  for (std::size_t i = 0; i < images.size(); ++i) {
    const long sizeDistance = std::labs(static_cast<long>(images[i].width) - size) +
                              std::labs(static_cast<long>(images[i].height) - size);
    const long depthDistance = std::labs(static_cast<long>(images[i].bitsPerPixel) - depth);
    if (sizeDistance < bestSize || (sizeDistance == bestSize && depthDistance < bestDepth)) {
      best = static_cast<int>(i);
      bestSize = sizeDistance;
      bestDepth = depthDistance;
    }
  }
  return best;
}

QImage IconImageDecoder::fitted(const QImage& image, int size) {
  if (image.isNull() || (image.width() == size && image.height() == size)) return image;
  return image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_ARGB32);
}

}  // namespace kelvaro::formats
