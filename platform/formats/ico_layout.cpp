#include "platform/formats/ico_layout.h"

namespace kelvaro::formats {

IconDirHeader IconDirHeader::read(const ByteView& data, std::size_t offset) {
  IconDirHeader h;
  h.reserved = data.u16(offset);
  h.type = data.u16(offset + 2);
  h.count = data.u16(offset + 4);
  return h;
}

IconDirEntry IconDirEntry::read(const ByteView& data, std::size_t offset) {
  IconDirEntry e;
  e.width = data.u8(offset);
  e.height = data.u8(offset + 1);
  e.colorCount = data.u8(offset + 2);
  e.reserved = data.u8(offset + 3);
  e.planes = data.u16(offset + 4);
  e.bitCount = data.u16(offset + 6);
  e.bytesInRes = data.u32(offset + 8);
  e.imageOffset = data.u32(offset + 12);
  return e;
}

GroupIconDirEntry GroupIconDirEntry::read(const ByteView& data, std::size_t offset) {
  GroupIconDirEntry e;
  e.width = data.u8(offset);
  e.height = data.u8(offset + 1);
  e.colorCount = data.u8(offset + 2);
  e.reserved = data.u8(offset + 3);
  e.planes = data.u16(offset + 4);
  e.bitCount = data.u16(offset + 6);
  e.bytesInRes = data.u32(offset + 8);
  e.id = data.u16(offset + 12);
  return e;
}

}  // namespace kelvaro::formats
