#include "platform/formats/pe_resource_reader.h"

#include <algorithm>

#include "platform/formats/format_error.h"

namespace kelvaro::formats {
namespace {

constexpr std::size_t kMaxSections = 96;  // the loader's own limit

char16_t upper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool sameName(const ResourceName& a, const ResourceName& b) {
  if (a.isNumber != b.isNumber) return false;
  if (a.isNumber) return a.number == b.number;
  return std::equal(a.text.begin(), a.text.end(), b.text.begin(), b.text.end(),
                    [](char16_t x, char16_t y) { return upper(x) == upper(y); });
}

}  // namespace

bool PeResourceReader::looksLikePe(const ByteView& file) {
  if (file.size() < 0x40 || file.u16(0) != kDosSignature) return false;
  const std::uint32_t peOffset = file.u32(kDosNewHeaderPointer);
  return file.startsWith(peOffset, std::string_view("PE\0\0", 4));
}

PeResourceReader::PeResourceReader(const ByteView& file) : file_(file) {
  if (!looksLikePe(file)) throw FormatError("not a Portable Executable");
  const std::size_t fileHeaderOffset = static_cast<std::size_t>(file.u32(kDosNewHeaderPointer)) + 4;
  const PeFileHeader header = PeFileHeader::read(file, fileHeaderOffset);
  const std::size_t optionalOffset = fileHeaderOffset + PeFileHeader::kSize;
  const PeOptionalHeader optional = PeOptionalHeader::read(file, optionalOffset, header.sizeOfOptionalHeader);
  if (header.numberOfSections > kMaxSections) throw FormatError("executable with too many sections");
  const std::size_t sectionTable = optionalOffset + header.sizeOfOptionalHeader;
  for (std::size_t i = 0; i < header.numberOfSections; ++i) {
    sections_.push_back(PeSectionHeader::read(file, sectionTable + i * PeSectionHeader::kSize));
  }
  if (optional.resourceRva == 0) return;
  const std::optional<std::size_t> base =
      fileOffsetOf(optional.resourceRva, PeResourceDirectoryHeader::kSize);
  if (!base) throw FormatError("the resource directory lies outside the file");
  resources_ = file.from(*base);

  for (const Entry& type : entriesOf(0)) {
    if (!type.name.isNumber || !type.isDirectory || types_.count(type.name.number)) continue;
    TypeEntries& t = types_[type.name.number];
    try {
      t.entries = entriesOf(type.target);
    } catch (const FormatError&) {
      continue;  // a broken type does not hide the others
    }
    for (std::size_t i = 0; i < t.entries.size(); ++i) {
      if (t.entries[i].name.isNumber) t.byNumber.emplace(t.entries[i].name.number, i);
    }
  }
}

std::vector<PeResourceReader::Entry> PeResourceReader::entriesOf(std::uint32_t directoryOffset) const {
  const PeResourceDirectoryHeader dir = PeResourceDirectoryHeader::read(resources_, directoryOffset);
  const std::size_t count = static_cast<std::size_t>(dir.namedEntries) + dir.idEntries;
  const std::size_t first = static_cast<std::size_t>(directoryOffset) + PeResourceDirectoryHeader::kSize;
  resources_.sub(first, count * PeResourceDirectoryEntry::kSize);
  std::vector<Entry> entries;
  entries.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const PeResourceDirectoryEntry raw =
        PeResourceDirectoryEntry::read(resources_, first + i * PeResourceDirectoryEntry::kSize);
    Entry e;
    e.target = raw.target();
    e.isDirectory = raw.isDirectory();
    if (raw.hasStringName()) {
      const std::size_t at = raw.name & ~PeResourceDirectoryEntry::kHighBit;
      e.name.isNumber = false;
      e.name.text = resources_.utf16Units(at + 2, resources_.u16(at));
    } else {
      e.name.number = static_cast<std::uint16_t>(raw.name);
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

std::optional<std::size_t> PeResourceReader::fileOffsetOf(std::uint32_t rva, std::uint32_t size) const {
  for (const PeSectionHeader& s : sections_) {
    const std::uint64_t span = std::max(s.virtualSize, s.sizeOfRawData);
    if (rva < s.virtualAddress || rva - s.virtualAddress >= span) continue;
    const std::uint64_t inSection = rva - s.virtualAddress;
    if (inSection + size > s.sizeOfRawData) return std::nullopt;
    const std::uint64_t offset = static_cast<std::uint64_t>(s.pointerToRawData) + inSection;
    if (!file_.contains(static_cast<std::size_t>(offset), size)) return std::nullopt;
    return static_cast<std::size_t>(offset);
  }
  return std::nullopt;
}

std::optional<ByteView> PeResourceReader::dataOf(const Entry& entry) const {
  std::uint32_t at = entry.target;
  if (entry.isDirectory) {
    // The language level: the first language that is a data entry.
    const std::vector<Entry> languages = entriesOf(entry.target);
    const auto it =
        std::find_if(languages.begin(), languages.end(), [](const Entry& e) { return !e.isDirectory; });
    if (it == languages.end()) return std::nullopt;
    at = it->target;
  }
  const PeResourceDataEntry data = PeResourceDataEntry::read(resources_, at);
  const std::optional<std::size_t> offset = fileOffsetOf(data.dataRva, data.size);
  if (!offset) return std::nullopt;
  return file_.sub(*offset, data.size);
}

std::vector<ResourceName> PeResourceReader::names(std::uint16_t type) const {
  std::vector<ResourceName> out;
  const auto it = types_.find(type);
  if (it == types_.end()) return out;
  for (const Entry& e : it->second.entries) out.push_back(e.name);
  return out;
}

std::optional<ByteView> PeResourceReader::data(std::uint16_t type, const ResourceName& name) const {
  const auto it = types_.find(type);
  if (it == types_.end()) return std::nullopt;
  const TypeEntries& t = it->second;
  try {
    if (name.isNumber) {
      const auto n = t.byNumber.find(name.number);
      if (n == t.byNumber.end()) return std::nullopt;
      return dataOf(t.entries[n->second]);
    }
    for (const Entry& e : t.entries) {
      if (sameName(e.name, name)) return dataOf(e);
    }
  } catch (const FormatError&) {
    // a resource whose records are broken is as good as missing
  }
  return std::nullopt;
}

}  // namespace kelvaro::formats
