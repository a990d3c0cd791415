#include "platform/formats/dib_decoder.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "platform/formats/format_error.h"

namespace kelvaro::formats {
namespace {

// One colour channel of a 16- or 32-bit pixel.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  static Channel fromMask(std::uint32_t mask) {
    Channel c;
    c.mask = mask;
    if (mask == 0) return c;
    c.shift = std::countr_zero(mask);
    const std::uint32_t run = mask >> c.shift;
    if ((run & (run + 1)) != 0) throw FormatError("bitmap colour mask is not contiguous");
    c.bits = std::popcount(run);
    return c;
  }

  // The channel widened to 8 bits by repeating its bits (5-bit 0x1F is
  // 0xFF, 0x07 is 0x39), which is what ImageMagick does as well.
  int value(std::uint32_t pixel) const {
    if (bits == 0) return 0;
    const std::uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<int>(v >> (bits - 8));
    std::uint32_t out = 0;
    int filled = 0;
    while (filled < 8) {
      out = (out << bits) | v;
      filled += bits;
    }
    return static_cast<int>(out >> (filled - 8));
  }
};

struct Layout {
  BitmapInfoHeader header;
  int width = 0;
  int height = 0;  // rows of colour data (half the stored height for icon images)
  bool topDown = false;
  int bpp = 0;
  BitmapCompression compression = BitmapCompression::Rgb;
  std::vector<QRgb> palette;
  Channel red, green, blue, alpha;
  std::size_t pixelStart = 0;
};

std::int64_t stride(std::int64_t width, int bpp) { return ((width * bpp + 31) / 32) * 4; }

void checkMaskFits(std::uint32_t mask, int bpp) {
  if (bpp == 16 && (mask & 0xFFFF0000u) != 0) throw FormatError("bitmap colour mask wider than the pixel");
}

Layout readLayout(const ByteView& data, std::size_t headerOffset, std::optional<std::size_t> pixelOffset,
                  DibDecoder::Purpose purpose) {
  Layout l;
  l.header = BitmapInfoHeader::read(data, headerOffset);
  const BitmapInfoHeader& h = l.header;
  l.bpp = h.bitCount;
  if (l.bpp != 1 && l.bpp != 4 && l.bpp != 8 && l.bpp != 16 && l.bpp != 24 && l.bpp != 32) {
    throw FormatError("bitmap with " + std::to_string(l.bpp) + " bits per pixel");
  }
  if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN) throw FormatError("bitmap without pixels");
  l.width = h.width;
  l.topDown = h.height < 0;
  std::int64_t rows = h.height < 0 ? -static_cast<std::int64_t>(h.height) : h.height;
  if (purpose == DibDecoder::Purpose::IconImage) {
    l.topDown = false;
    rows /= 2;
    if (rows == 0) throw FormatError("icon image without pixels");
  }
  if (static_cast<std::int64_t>(l.width) * rows > DibDecoder::kMaxPixels)
    throw FormatError("bitmap too large");
  l.height = static_cast<int>(rows);

  l.compression = static_cast<BitmapCompression>(h.compression);
  switch (l.compression) {
    case BitmapCompression::Rgb:
      break;
    case BitmapCompression::Rle8:
      if (l.bpp != 8) throw FormatError("RLE8 bitmap that is not 8 bits per pixel");
      break;
    case BitmapCompression::Rle4:
      if (l.bpp != 4) throw FormatError("RLE4 bitmap that is not 4 bits per pixel");
      break;
    case BitmapCompression::Bitfields:
    case BitmapCompression::AlphaBitfields:
      if (l.bpp != 16 && l.bpp != 32)
        throw FormatError("bit-field bitmap that is not 16 or 32 bits per pixel");
      break;
    default:
      throw FormatError("bitmap compression " + std::to_string(h.compression) + " is not supported");
  }
  const bool rle = l.compression == BitmapCompression::Rle8 || l.compression == BitmapCompression::Rle4;
  if (rle && (l.topDown || purpose == DibDecoder::Purpose::IconImage)) {
    throw FormatError("compressed bitmaps must be stored bottom-up");
  }

  std::size_t tableOffset = headerOffset + h.headerSize;
  std::uint32_t redMask = 0, greenMask = 0, blueMask = 0, alphaMask = 0;
  if (l.compression == BitmapCompression::Bitfields || l.compression == BitmapCompression::AlphaBitfields) {
    const bool withAlpha = l.compression == BitmapCompression::AlphaBitfields;
    if (h.masksInHeader) {
      redMask = h.redMask;
      greenMask = h.greenMask;
      blueMask = h.blueMask;
      if (h.alphaMaskInHeader) alphaMask = h.alphaMask;
    } else {
      redMask = data.u32(tableOffset);
      greenMask = data.u32(tableOffset + 4);
      blueMask = data.u32(tableOffset + 8);
      tableOffset += 12;
      if (withAlpha) {
        alphaMask = data.u32(tableOffset);
        tableOffset += 4;
      }
    }
  } else if (l.bpp == 16) {
    redMask = 0x7C00;
    greenMask = 0x03E0;
    blueMask = 0x001F;
  } else if (l.bpp == 24 || l.bpp == 32) {
    redMask = 0x00FF0000;
    greenMask = 0x0000FF00;
    blueMask = 0x000000FF;
    if (purpose == DibDecoder::Purpose::IconImage && l.bpp == 32) alphaMask = 0xFF000000;
  }
  for (std::uint32_t m : {redMask, greenMask, blueMask, alphaMask}) checkMaskFits(m, l.bpp);
  l.red = Channel::fromMask(redMask);
  l.green = Channel::fromMask(greenMask);
  l.blue = Channel::fromMask(blueMask);
  l.alpha = Channel::fromMask(alphaMask);

  // The colour table: biClrUsed entries, or 2^bpp when it is 0; never more
  // than the depth can address, and never past the start of the pixels.
  const std::size_t entrySize = h.isCore() ? 3 : 4;
  std::size_t entries = 0;
  if (l.bpp <= 8) {
    const std::size_t full = std::size_t{1} << l.bpp;
    entries = (h.colorsUsed == 0 || h.colorsUsed > full) ? full : h.colorsUsed;
  } else if (!h.isCore()) {
    entries = std::min<std::size_t>(h.colorsUsed, 256);  // an optional palette for display on 8-bit screens
  }
  const bool explicitPixels = pixelOffset && *pixelOffset != 0;
  if (explicitPixels) {
    if (*pixelOffset < tableOffset) throw FormatError("bitmap pixels start inside the header");
    if (*pixelOffset > data.size()) throw FormatError("bitmap pixels start past the end of the file");
    entries = std::min(entries, (*pixelOffset - tableOffset) / entrySize);
  }
  data.sub(tableOffset, entries * entrySize);
  if (l.bpp <= 8) {
    for (std::size_t i = 0; i < entries; ++i) {
      const std::size_t e = tableOffset + i * entrySize;
      l.palette.push_back(qRgb(data.u8(e + 2), data.u8(e + 1), data.u8(e)));
    }
  }
  l.pixelStart = explicitPixels ? *pixelOffset : tableOffset + entries * entrySize;
  return l;
}

std::uint32_t readPixel(const std::uint8_t* p, int bpp) {
  switch (bpp) {
    case 16:
      return static_cast<std::uint32_t>(p[0] | (p[1] << 8));
    case 24:
      return static_cast<std::uint32_t>(p[0] | (p[1] << 8) | (p[2] << 16));
    default:
      return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
             (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
  }
}

QImage newImage(int width, int height, QImage::Format format) {
  QImage image(width, height, format);
  if (image.isNull()) throw FormatError("not enough memory for the picture");
  return image;
}

// Index images keep index 0 where a compressed bitmap sets nothing; the
// table covers every index the depth can hold, so that a stray index shows
// black instead of reading past the table.
QImage newIndexedImage(const Layout& l) {
  QImage image = newImage(l.width, l.height, QImage::Format_Indexed8);
  image.fill(0);
  QList<QRgb> table(l.palette.begin(), l.palette.end());
  if (table.isEmpty()) table.append(qRgb(0, 0, 0));
  image.setColorTable(table);
  return image;
}

void padColorTable(QImage& image, int maxIndex) {
  QList<QRgb> table = image.colorTable();
  while (table.size() <= maxIndex) table.append(qRgb(0, 0, 0));
  image.setColorTable(table);
}

int imageRow(const Layout& l, int fileRow) { return l.topDown ? fileRow : l.height - 1 - fileRow; }

QImage decodeIndexed(const ByteView& data, const Layout& l) {
  const std::int64_t rowBytes = stride(l.width, l.bpp);
  const ByteView pixels = data.sub(l.pixelStart, static_cast<std::size_t>(rowBytes * l.height));
  QImage image = newIndexedImage(l);
  int maxIndex = 0;
  const int perByte = 8 / l.bpp;
  const int mask = (1 << l.bpp) - 1;
  for (int r = 0; r < l.height; ++r) {
    const std::uint8_t* src = pixels.bytes().data() + static_cast<std::size_t>(rowBytes) * r;
    uchar* dst = image.scanLine(imageRow(l, r));
    for (int x = 0; x < l.width; ++x) {
      const int byte = src[x / perByte];
      const int shift = 8 - l.bpp * (x % perByte + 1);
      const int index = (byte >> shift) & mask;
      dst[x] = static_cast<uchar>(index);
      maxIndex = std::max(maxIndex, index);
    }
  }
  if (maxIndex >= image.colorCount()) padColorTable(image, maxIndex);
  return image;
}

QImage decodeDirect(const ByteView& data, const Layout& l, bool& hasAlpha) {
  const std::int64_t rowBytes = stride(l.width, l.bpp);
  const ByteView pixels = data.sub(l.pixelStart, static_cast<std::size_t>(rowBytes * l.height));
  const int bytesPerPixel = l.bpp / 8;
  QImage image = newImage(l.width, l.height, QImage::Format_ARGB32);
  bool anyAlpha = false;
  for (int r = 0; r < l.height; ++r) {
    const std::uint8_t* src = pixels.bytes().data() + static_cast<std::size_t>(rowBytes) * r;
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(imageRow(l, r)));
    for (int x = 0; x < l.width; ++x) {
      const std::uint32_t p = readPixel(src + x * bytesPerPixel, l.bpp);
      const int a = l.alpha.bits ? l.alpha.value(p) : 255;
      if (l.alpha.bits && a != 0) anyAlpha = true;
      dst[x] = qRgba(l.red.value(p), l.green.value(p), l.blue.value(p), a);
    }
  }
  // An alpha channel that is 0 everywhere is unused, not a fully transparent picture.
  hasAlpha = l.alpha.bits != 0 && anyAlpha;
  if (!hasAlpha) {
    image = image.convertToFormat(QImage::Format_RGB32);
  }
  return image;
}

QImage decodeRle(const ByteView& data, const Layout& l) {
  QImage image = newIndexedImage(l);
  const std::span<const std::uint8_t> all = data.bytes();
  if (l.pixelStart > all.size()) throw FormatError("bitmap pixels start past the end of the file");
  const bool rle4 = l.compression == BitmapCompression::Rle4;
  std::size_t pos = l.pixelStart;
  const std::size_t end = all.size();
  int x = 0, y = 0;  // y counts rows from the bottom
  int maxIndex = 0;
  auto put = [&](int index) {
    if (x < l.width && y < l.height) {
      image.scanLine(l.height - 1 - y)[x] = static_cast<uchar>(index);
      maxIndex = std::max(maxIndex, index);
    }
    ++x;
  };
  // A stream cut short keeps what it set so far, as Windows shows it.
  while (pos + 2 <= end && y < l.height) {
    const int count = all[pos];
    const int value = all[pos + 1];
    pos += 2;
    if (count > 0) {
      // A run past the end of the row is clipped there.
      for (int i = 0; i < count && x < l.width; ++i)
        put(rle4 ? ((i % 2 == 0) ? value >> 4 : value & 0x0F) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (pos + 2 > end) break;
      x += all[pos];
      y += all[pos + 1];
      pos += 2;
    } else {  // absolute run of `value` pixels, padded to a 16-bit boundary
      const std::size_t bytes =
          rle4 ? (static_cast<std::size_t>(value) + 1) / 2 : static_cast<std::size_t>(value);
      const std::size_t available = std::min(bytes, end - pos);
      for (int i = 0; i < value; ++i) {
        const std::size_t b = rle4 ? static_cast<std::size_t>(i / 2) : static_cast<std::size_t>(i);
        if (b >= available) break;
        const int byte = all[pos + b];
        put(rle4 ? ((i % 2 == 0) ? byte >> 4 : byte & 0x0F) : byte);
      }
      pos += available + (bytes % 2);
    }
  }
  if (maxIndex >= image.colorCount()) padColorTable(image, maxIndex);
  return image;
}

// Applies the AND mask of an icon image: a set bit makes the pixel transparent.
void applyIconMask(const ByteView& data, const Layout& l, QImage& image, bool keepAlpha) {
  const std::int64_t colourBytes = stride(l.width, l.bpp) * l.height;
  const std::int64_t maskRow = stride(l.width, 1);
  const std::size_t maskStart = l.pixelStart + static_cast<std::size_t>(colourBytes);
  if (keepAlpha) return;
  if (!data.contains(maskStart, static_cast<std::size_t>(maskRow * l.height))) return;  // no mask: opaque
  const std::uint8_t* mask = data.bytes().data() + maskStart;
  for (int r = 0; r < l.height; ++r) {
    auto* dst = reinterpret_cast<QRgb*>(image.scanLine(l.height - 1 - r));
    const std::uint8_t* m = mask + static_cast<std::size_t>(maskRow) * r;
    for (int x = 0; x < l.width; ++x) {
      const bool transparent = (m[x / 8] >> (7 - x % 8)) & 1;
      dst[x] = transparent ? qRgba(0, 0, 0, 0) : (dst[x] | 0xFF000000u);
    }
  }
}

}  // namespace

DibImage DibDecoder::decode(const ByteView& data, std::size_t headerOffset,
                            std::optional<std::size_t> pixelOffset, Purpose purpose) {
  const Layout l = readLayout(data, headerOffset, pixelOffset, purpose);
  DibImage out;
  out.bitsPerPixel = l.bpp;
  out.compression = l.compression;
  bool hasAlpha = false;
  if (l.compression == BitmapCompression::Rle8 || l.compression == BitmapCompression::Rle4) {
    out.image = decodeRle(data, l);
  } else if (l.bpp <= 8) {
    out.image = decodeIndexed(data, l);
  } else {
    out.image = decodeDirect(data, l, hasAlpha);
  }
  if (purpose == Purpose::IconImage) {
    out.image = out.image.convertToFormat(QImage::Format_ARGB32);
    applyIconMask(data, l, out.image, hasAlpha);
  }
  if (l.header.xPelsPerMeter > 0) out.image.setDotsPerMeterX(l.header.xPelsPerMeter);
  if (l.header.yPelsPerMeter > 0) out.image.setDotsPerMeterY(l.header.yPelsPerMeter);
  return out;
}

}  // namespace kelvaro::formats
