#include "tools/sandbox/icon_file_writer.h"

#include "tools/sandbox/byte_writer.h"
#include "tools/sandbox/palette.h"

namespace kelvaro::sandbox {

IconImageData makeIconImage(const QImage& picture, int bitCount) {
  const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
  const int w = argb.width(), h = argb.height();
  QImage indexed;
  if (bitCount == 1) {
    indexed = toPalette(argb, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, false);
  } else if (bitCount == 4) {
    indexed = toPalette(argb, vgaPalette(), false);
  } else {
    QImage opaque = argb.convertToFormat(QImage::Format_RGB32);
    indexed = opaque.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    bitCount = 8;
  }
  const int colours = 1 << bitCount;
  const std::uint32_t xorStride = ((w * bitCount + 31) / 32) * 4;
  const std::uint32_t andStride = ((w + 31) / 32) * 4;
  ByteWriter out;
  out.u32(40);
  out.s32(w);
  out.s32(2 * h);
  out.u16(1);
  out.u16(bitCount);
  out.u32(0);
  out.u32((xorStride + andStride) * h);
  out.u32(0);
  out.u32(0);
  out.u32(0);
  out.u32(0);
  for (int i = 0; i < colours; ++i) {
    const QRgb c = i < indexed.colorCount() ? indexed.color(i) : 0;
    out.u8(qBlue(c));
    out.u8(qGreen(c));
    out.u8(qRed(c));
    out.u8(0);
  }
  auto transparent = [&](int x, int y) { return qAlpha(argb.pixel(x, y)) < 128; };
  for (int y = h - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    const int perByte = 8 / bitCount;
    for (int x = 0; x < w; x += perByte) {
      std::uint32_t byte = 0;
      for (int k = 0; k < perByte; ++k) {
        // Transparent pixels are black in the XOR image so the AND mask shows through.
        std::uint32_t index = 0;
        if (x + k < w && !transparent(x + k, y)) index = indexed.pixelIndex(x + k, y);
        byte = (byte << bitCount) | index;
      }
      out.u8(byte);
    }
    while (out.size() - start < xorStride) out.u8(0);
  }
  for (int y = h - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    for (int x = 0; x < w; x += 8) {
      std::uint32_t byte = 0;
      for (int k = 0; k < 8; ++k) byte = (byte << 1) | ((x + k >= w || transparent(x + k, y)) ? 1 : 0);
      out.u8(byte);
    }
    while (out.size() - start < andStride) out.u8(0);
  }
  return {w, h, bitCount, out.take()};
}

namespace {

std::vector<std::uint8_t> iconDirectory(const std::vector<IconImageData>& images, bool cursor, int hotX,
                                        int hotY) {
  ByteWriter out;
  out.u16(0);
  out.u16(cursor ? 2 : 1);
  out.u16(static_cast<std::uint32_t>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (const IconImageData& image : images) {
    out.u8(image.width >= 256 ? 0 : image.width);
    out.u8(image.height >= 256 ? 0 : image.height);
    out.u8(image.bitCount >= 8 ? 0 : 1 << image.bitCount);
    out.u8(0);
    out.u16(cursor ? hotX : 1);
    out.u16(cursor ? hotY : image.bitCount);
    out.u32(static_cast<std::uint32_t>(image.dib.size()));
    out.u32(offset);
    offset += static_cast<std::uint32_t>(image.dib.size());
  }
  for (const IconImageData& image : images) out.append(image.dib);
  return out.take();
}

}  // namespace

std::vector<std::uint8_t> encodeIconFile(const std::vector<IconImageData>& images) {
  return iconDirectory(images, false, 0, 0);
}

std::vector<std::uint8_t> encodeCursorFile(const IconImageData& image, int hotX, int hotY) {
  return iconDirectory({image}, true, hotX, hotY);
}

std::vector<std::uint8_t> encodeAnimatedCursor(const std::vector<IconImageData>& frames, int hotX, int hotY,
                                               int rate) {
  ByteWriter frameList;
  frameList.ascii("fram");
  for (const IconImageData& frame : frames) {
    const std::vector<std::uint8_t> cur = encodeCursorFile(frame, hotX, hotY);
    frameList.ascii("icon");
    frameList.u32(static_cast<std::uint32_t>(cur.size()));
    frameList.append(cur);
    frameList.padTo(2);
  }
  ByteWriter body;
  body.ascii("ACON");
  body.ascii("anih");
  body.u32(36);
  body.u32(36);
  body.u32(static_cast<std::uint32_t>(frames.size()));
  body.u32(static_cast<std::uint32_t>(frames.size()));
  body.u32(0);
  body.u32(0);
  body.u32(0);
  body.u32(0);
  body.u32(static_cast<std::uint32_t>(rate));
  body.u32(1);
  body.ascii("LIST");
  body.u32(static_cast<std::uint32_t>(frameList.size()));
  body.append(frameList.bytes());
  ByteWriter out;
  out.ascii("RIFF");
  out.u32(static_cast<std::uint32_t>(body.size()));
  out.append(body.bytes());
  return out.take();
}

}  // namespace kelvaro::sandbox
