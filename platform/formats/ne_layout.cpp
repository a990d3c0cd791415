#include "platform/formats/ne_layout.h"

namespace kelvaro::formats {

NeHeader NeHeader::read(const ByteView& data, std::size_t offset) {
  NeHeader h;
  h.resourceTableOffset = data.u16(offset + 0x24);
  h.residentNameTableOffset = data.u16(offset + 0x26);
  return h;
}

NeTypeInfo NeTypeInfo::read(const ByteView& data, std::size_t offset) {
  NeTypeInfo t;
  t.typeId = data.u16(offset);
  t.count = data.u16(offset + 2);
  return t;
}

NeNameInfo NeNameInfo::read(const ByteView& data, std::size_t offset) {
  NeNameInfo n;
  n.offset = data.u16(offset);
  n.length = data.u16(offset + 2);
  n.flags = data.u16(offset + 4);
  n.id = data.u16(offset + 6);
  return n;
}

}  // namespace kelvaro::formats
