#include "platform/formats/ne_resource_reader.h"

#include <algorithm>

#include "platform/formats/format_error.h"
#include "platform/formats/ne_layout.h"
#include "platform/formats/pe_layout.h"

namespace kelvaro::formats {
namespace {

constexpr std::uint16_t kMaxAlignmentShift = 16;

char16_t upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

std::u16string pascalString(const ByteView& table, std::size_t offset) {
  const std::size_t length = table.u8(offset);
  const ByteView text = table.sub(offset + 1, length);
  std::u16string out;
  for (std::uint8_t c : text.bytes()) out.push_back(c);
  return out;
}

}  // namespace

bool NeResourceReader::looksLikeNe(const ByteView& file) {
  if (file.size() < 0x40 || file.u16(0) != kDosSignature) return false;
  return file.startsWith(file.u32(kDosNewHeaderPointer), "NE");
}

NeResourceReader::NeResourceReader(const ByteView& file) : file_(file) {
  if (!looksLikeNe(file)) throw FormatError("not a New Executable");
  const std::size_t neOffset = file.u32(kDosNewHeaderPointer);
  const NeHeader header = NeHeader::read(file, neOffset);
  if (header.resourceTableOffset == header.residentNameTableOffset) return;  // no resources
  const std::size_t tableStart = neOffset + header.resourceTableOffset;
  const ByteView table = file.from(tableStart);
  const std::uint16_t shift = table.u16(0);
  if (shift > kMaxAlignmentShift) throw FormatError("NE resource table with an impossible alignment");
  std::size_t at = 2;
  // Each TYPEINFO takes at least 2 bytes, so the table's size bounds the walk.
  while (true) {
    const std::uint16_t typeId = table.u16(at);
    if (typeId == 0) break;
    const NeTypeInfo type = NeTypeInfo::read(table, at);
    at += NeTypeInfo::kSize;
    table.sub(at, static_cast<std::size_t>(type.count) * NeNameInfo::kSize);
    const bool typeIsNumber = (type.typeId & NeTypeInfo::kNumberBit) != 0;
    for (std::size_t i = 0; i < type.count; ++i, at += NeNameInfo::kSize) {
      const NeNameInfo info = NeNameInfo::read(table, at);
      Resource r;
      r.typeIsNumber = typeIsNumber;
      r.type = static_cast<std::uint16_t>(type.typeId & ~NeTypeInfo::kNumberBit);
      if (info.id & NeTypeInfo::kNumberBit) {
        r.name = ResourceName::id(static_cast<std::uint16_t>(info.id & ~NeTypeInfo::kNumberBit));
      } else {
        r.name.isNumber = false;
        try {
          r.name.text = pascalString(table, info.id);
        } catch (const FormatError&) {
          continue;  // a name outside the table: that resource cannot be named
        }
      }
      r.offset = static_cast<std::uint64_t>(info.offset) << shift;
      r.length = static_cast<std::uint64_t>(info.length) << shift;
      resources_.push_back(std::move(r));
    }
  }
}

std::vector<ResourceName> NeResourceReader::names(std::uint16_t type) const {
  std::vector<ResourceName> out;
  for (const Resource& r : resources_) {
    if (r.typeIsNumber && r.type == type) out.push_back(r.name);
  }
  return out;
}

std::optional<ByteView> NeResourceReader::data(std::uint16_t type, const ResourceName& name) const {
  for (const Resource& r : resources_) {
    if (!r.typeIsNumber || r.type != type || r.name.isNumber != name.isNumber) continue;
    if (name.isNumber
            ? r.name.number != name.number
            : !std::equal(r.name.text.begin(), r.name.text.end(), name.text.begin(), name.text.end(),
                          [](char16_t a, char16_t b) { return upper(a) == upper(b); })) {
      continue;
    }
    if (r.offset >= file_.size()) return std::nullopt;
    // The length is rounded up to the alignment; the last resource may end with the file.
    const std::uint64_t available = file_.size() - r.offset;
    const std::uint64_t length = r.length < available ? r.length : available;
    return file_.sub(static_cast<std::size_t>(r.offset), static_cast<std::size_t>(length));
  }
  return std::nullopt;
}

}  // namespace kelvaro::formats
