#include "platform/formats/pe_layout.h"

#include "platform/formats/format_error.h"

namespace kelvaro::formats {

PeFileHeader PeFileHeader::read(const ByteView& data, std::size_t offset) {
  PeFileHeader h;
  h.machine = data.u16(offset);
  h.numberOfSections = data.u16(offset + 2);
  h.sizeOfOptionalHeader = data.u16(offset + 16);
  return h;
}

PeOptionalHeader PeOptionalHeader::read(const ByteView& data, std::size_t offset, std::uint16_t size) {
  const ByteView header = data.sub(offset, size);
  PeOptionalHeader h;
  h.magic = header.u16(0);
  std::size_t countOffset = 0;
  if (h.magic == kMagic32) {
    countOffset = 92;
  } else if (h.magic == kMagic64) {
    countOffset = 108;
  } else {
    throw FormatError("executable with an unknown optional header");
  }
  h.numberOfRvaAndSizes = header.u32(countOffset);
  if (h.numberOfRvaAndSizes > kResourceDirectoryIndex) {
    const std::size_t entry = countOffset + 4 + 8 * kResourceDirectoryIndex;
    h.resourceRva = header.u32(entry);
    h.resourceSize = header.u32(entry + 4);
  }
  return h;
}

PeSectionHeader PeSectionHeader::read(const ByteView& data, std::size_t offset) {
  PeSectionHeader h;
  h.virtualSize = data.u32(offset + 8);
  h.virtualAddress = data.u32(offset + 12);
  h.sizeOfRawData = data.u32(offset + 16);
  h.pointerToRawData = data.u32(offset + 20);
  return h;
}

PeResourceDirectoryHeader PeResourceDirectoryHeader::read(const ByteView& data, std::size_t offset) {
  PeResourceDirectoryHeader h;
  h.namedEntries = data.u16(offset + 12);
  h.idEntries = data.u16(offset + 14);
  return h;
}

PeResourceDirectoryEntry PeResourceDirectoryEntry::read(const ByteView& data, std::size_t offset) {
  PeResourceDirectoryEntry e;
  e.name = data.u32(offset);
  e.offset = data.u32(offset + 4);
  return e;
}

PeResourceDataEntry PeResourceDataEntry::read(const ByteView& data, std::size_t offset) {
  PeResourceDataEntry e;
  e.dataRva = data.u32(offset);
  e.size = data.u32(offset + 4);
  return e;
}

}  // namespace kelvaro::formats
