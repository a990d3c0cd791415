#include "platform/formats/bmp_layout.h"

#include <string>

#include "platform/formats/format_error.h"

namespace kelvaro::formats {

BitmapFileHeader BitmapFileHeader::read(const ByteView& data) {
  if (data.size() < kSize) throw FormatError("not a bitmap: the file header is cut short");
  BitmapFileHeader h;
  h.type = data.u16(0);
  h.fileSize = data.u32(2);
  h.pixelOffset = data.u32(10);
  if (h.type != kBitmapFileType) throw FormatError("not a bitmap: the file does not begin with BM");
  return h;
}

BitmapInfoHeader BitmapInfoHeader::read(const ByteView& data, std::size_t offset) {
  BitmapInfoHeader h;
  h.headerSize = data.u32(offset);
  if (h.headerSize == kCoreSize) {
    data.sub(offset, kCoreSize);
    h.width = data.u16(offset + 4);
    h.height = data.u16(offset + 6);
    h.planes = data.u16(offset + 8);
    h.bitCount = data.u16(offset + 10);
    return h;
  }
  // 16 and 64 are the OS/2 2.x headers, 52 and 56 the masks-only versions;
  // all share the first fields of the 40-byte header.
  const bool known = h.headerSize == 16 || h.headerSize == kInfoSize || h.headerSize == 52 ||
                     h.headerSize == 56 || h.headerSize == 64 || h.headerSize == kV4Size ||
                     h.headerSize == kV5Size;
  if (!known) throw FormatError("bitmap header of unknown size " + std::to_string(h.headerSize));
  const ByteView header = data.sub(offset, h.headerSize);
  h.width = header.s32(4);
  h.height = header.s32(8);
  h.planes = header.u16(12);
  h.bitCount = header.u16(14);
  if (h.headerSize >= kInfoSize) {
    h.compression = header.u32(16);
    h.sizeImage = header.u32(20);
    h.xPelsPerMeter = header.s32(24);
    h.yPelsPerMeter = header.s32(28);
    h.colorsUsed = header.u32(32);
    h.colorsImportant = header.u32(36);
  }
  if (h.headerSize == 64) {
    // OS/2 compression numbers differ from Windows' above 2 (3 is Huffman, 4 RLE24).
    if (h.compression == 3 || h.compression == 4)
      throw FormatError("OS/2 bitmap compression is not supported");
  } else if (h.headerSize >= 52) {
    h.redMask = header.u32(40);
    h.greenMask = header.u32(44);
    h.blueMask = header.u32(48);
    h.masksInHeader = true;
    if (h.headerSize >= 56) {
      h.alphaMask = header.u32(52);
      h.alphaMaskInHeader = true;
    }
  }
  return h;
}

}  // namespace kelvaro::formats
