#include "tools/sandbox/gif_file_writer.h"

#include <unordered_map>

#include "tools/sandbox/byte_writer.h"

namespace kelvaro::sandbox {

namespace {

class BitPacker {
 public:
  void put(std::uint32_t code, int bits) {
    buffer_ |= code << filled_;
    filled_ += bits;
    while (filled_ >= 8) {
      bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
      buffer_ >>= 8;
      filled_ -= 8;
    }
  }
  std::vector<std::uint8_t> finish() {
    if (filled_ > 0) bytes_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFF));
    return std::move(bytes_);
  }

 private:
  std::uint32_t buffer_ = 0;
  int filled_ = 0;
  std::vector<std::uint8_t> bytes_;
};

std::vector<std::uint8_t> lzw(const std::vector<std::uint8_t>& indices) {
  constexpr int kMinCodeSize = 8;
  constexpr std::uint32_t kClear = 1u << kMinCodeSize, kEnd = kClear + 1;
  BitPacker out;
  std::unordered_map<std::uint32_t, std::uint32_t> table;  // (prefix << 8 | byte) -> code
  std::uint32_t next = kEnd + 1;
  int codeSize = kMinCodeSize + 1;
  out.put(kClear, codeSize);
  if (indices.empty()) {
    out.put(kEnd, codeSize);
    return out.finish();
  }
  std::uint32_t prefix = indices[0];
  for (std::size_t i = 1; i < indices.size(); ++i) {
    const std::uint32_t key = (prefix << 8) | indices[i];
    const auto found = table.find(key);
    if (found != table.end()) {
      prefix = found->second;
      continue;
    }
    out.put(prefix, codeSize);
    if (next < 4096) {
      table[key] = next++;
      if (next > (1u << codeSize) && codeSize < 12) ++codeSize;
    } else {
      out.put(kClear, codeSize);
      table.clear();
      next = kEnd + 1;
      codeSize = kMinCodeSize + 1;
    }
    prefix = indices[i];
  }
  out.put(prefix, codeSize);
  out.put(kEnd, codeSize);
  return out.finish();
}

}  // namespace

std::vector<std::uint8_t> encodeGifFile(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32)
                           .convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
  const int w = image.width(), h = image.height();
  ByteWriter out;
  out.ascii("GIF89a");
  out.u16(w);
  out.u16(h);
  out.u8(0xF7);  // global table of 256 colours, 8 bits per primary
  out.u8(0);
  out.u8(0);
  for (int i = 0; i < 256; ++i) {
    const QRgb c = i < image.colorCount() ? image.color(i) : 0;
    out.u8(qRed(c));
    out.u8(qGreen(c));
    out.u8(qBlue(c));
  }
  out.u8(0x2C);
  out.u16(0);
  out.u16(0);
  out.u16(w);
  out.u16(h);
  out.u8(0);
  out.u8(8);
  std::vector<std::uint8_t> indices;
  indices.reserve(static_cast<std::size_t>(w) * h);
  for (int y = 0; y < h; ++y) {
    const uchar* line = image.constScanLine(y);
    indices.insert(indices.end(), line, line + w);
  }
  const std::vector<std::uint8_t> data = lzw(indices);
  for (std::size_t pos = 0; pos < data.size(); pos += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - pos);
    out.u8(static_cast<std::uint32_t>(n));
    out.append(std::vector<std::uint8_t>(data.begin() + pos, data.begin() + pos + n));
  }
  out.u8(0);
  out.u8(0x3B);
  return out.take();
}

}  // namespace kelvaro::sandbox
