#include "platform/formats/ico_layout.h"

namespace kelvaro::formats {
namespace {

// The file's ICONDIRENTRY and the resource's GRPICONDIRENTRY share their
// first 12 bytes; they differ only in how they name the image.
template <class Entry>
void readSharedFields(Entry& e, const ByteView& data, std::size_t offset) {
  e.width = data.u8(offset);
  e.height = data.u8(offset + 1);
  e.colorCount = data.u8(offset + 2);
  e.reserved = data.u8(offset + 3);
  e.planes = data.u16(offset + 4);
  e.bitCount = data.u16(offset + 6);
  e.bytesInRes = data.u32(offset + 8);
}

}  // namespace

IconDirHeader IconDirHeader::read(const ByteView& data, std::size_t offset) {
  IconDirHeader h;
  h.reserved = data.u16(offset);
  h.type = data.u16(offset + 2);
  h.count = data.u16(offset + 4);
  return h;
}

IconDirEntry IconDirEntry::read(const ByteView& data, std::size_t offset) {
  IconDirEntry e;
  readSharedFields(e, data, offset);
  e.imageOffset = data.u32(offset + 12);
  return e;
}

GroupIconDirEntry GroupIconDirEntry::read(const ByteView& data, std::size_t offset) {
  GroupIconDirEntry e;
  readSharedFields(e, data, offset);
  e.id = data.u16(offset + 12);
  return e;
}

}  // namespace kelvaro::formats
