#include "platform/formats/shell_link_reader.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>
#include <vector>

#include <liblnk.h>

#include "platform/formats/file_bytes.h"
#include "platform/formats/format_error.h"
#include "platform/formats/shell_link_layout.h"
#include "store/text_codec.h"

namespace kelvaro::formats {
namespace {

constexpr std::size_t kPifProgramOffset = 0x24;
constexpr std::size_t kPifProgramLength = 63;
// No string of a link is longer than 65535 UTF-16 units; liblnk has been seen
// to report absurd sizes for broken files.
constexpr std::size_t kMaxUtf8Bytes = 65535 * 3 + 1;
constexpr std::size_t kMaxIdListBytes = 0xFFFF;

int codePageNumber(const std::string& name) {
  std::string digits;
  for (char c : name) {
    if (std::isdigit(static_cast<unsigned char>(c))) digits.push_back(c);
  }
  if (digits.empty() || digits.size() > 5) return LIBLNK_CODEPAGE_WINDOWS_1252;
  return std::stoi(digits);
}

std::string errorText(liblnk_error_t* error) {
  char text[512] = {};
  if (error) liblnk_error_sprint(error, text, sizeof text);
  return text;
}

struct LnkFile {
  liblnk_file_t* file = nullptr;
  bool open = false;
  ~LnkFile() {
    if (open) liblnk_file_close(file, nullptr);
    if (file) liblnk_file_free(&file, nullptr);
  }
};

template <class SizeFn, class GetFn>
std::optional<std::string> utf8Value(liblnk_file_t* file, SizeFn sizeFn, GetFn getFn) {
  std::size_t size = 0;
  if (sizeFn(file, &size, nullptr) != 1 || size == 0 || size > kMaxUtf8Bytes) return std::nullopt;
  std::vector<std::uint8_t> buffer(size);
  if (getFn(file, buffer.data(), buffer.size(), nullptr) != 1) return std::nullopt;
  std::string text(reinterpret_cast<const char*>(buffer.data()));
  if (text.empty()) return std::nullopt;
  return text;
}

// The name of a file entry item: the long name of its extension block when
// it has one, else the primary name.
std::string fileEntryName(const ByteView& item, const std::string& codePage) {
  const std::uint8_t type = item.u8(2);
  std::size_t afterName = kFileEntryPrimaryNameOffset;
  std::string primary;
  if (type & kItemUnicodeFlag) {
    const std::u16string name = item.utf16String(kFileEntryPrimaryNameOffset);
    primary = utf16ToUtf8(name);
    afterName += (name.size() + 1) * 2;
  } else {
    const std::string name = item.cString(kFileEntryPrimaryNameOffset);
    primary = decodeCodePage(name, codePage);
    afterName += name.size() + 1;
  }
  // The last two bytes point at the extension block when there is one.
  if (item.size() >= afterName + 2) {
    const std::size_t extension = item.u16(item.size() - 2);
    if (extension >= kFileEntryPrimaryNameOffset && extension + 8 <= item.size() - 2 &&
        item.u32(extension + 4) == kFileEntryExtensionSignature) {
      const std::uint16_t version = item.u16(extension + 2);
      std::size_t nameAt = extension + 18;
      if (version >= 7) nameAt += 18;
      if (version >= 3) nameAt += 2;
      if (version >= 9) nameAt += 4;
      if (version >= 8) nameAt += 4;
      if (version >= 3 && nameAt < item.size()) {
        const std::u16string longName = item.utf16String(nameAt);
        if (!longName.empty()) return utf16ToUtf8(longName);
      }
    }
  }
  return primary;
}

}  // namespace

std::string ShellLinkReader::truncated(const std::string& utf8, std::size_t characters) {
  const std::u16string wide = utf8ToUtf16(utf8);
  if (wide.size() <= characters) return utf8;
  std::size_t cut = characters;
  if (cut > 0 && wide[cut - 1] >= 0xD800 && wide[cut - 1] <= 0xDBFF) --cut;  // keep surrogate pairs whole
  return utf16ToUtf8(wide.substr(0, cut));
}

std::string ShellLinkReader::idListPath(const ByteView& idList, const std::string& codePage) {
  std::vector<ByteView> items;
  std::size_t offset = 0;
  while (true) {
    const std::uint16_t size = idList.u16(offset);
    if (size == 0) break;
    if (size < 3) throw FormatError("shell item too short");
    items.push_back(idList.sub(offset, size));
    offset += size;
  }
  if (items.size() < 2) return {};
  const ByteView& root = items[0];
  if (root.size() < 20 || root.u8(2) != kItemRootFolder) return {};
  const ByteView clsid = root.sub(4, 16);
  if (!std::equal(clsid.bytes().begin(), clsid.bytes().end(), kMyComputerClsid.begin())) return {};
  const ByteView& volume = items[1];
  if ((volume.u8(2) & kItemVolumeMask) != kItemVolume || !(volume.u8(2) & 0x01)) return {};
  std::string path = volume.cString(3, kVolumeNameBytes);
  if (path.size() < 2 || path[1] != ':') return {};
  if (path.back() != '\\') path.push_back('\\');
  for (std::size_t i = 2; i < items.size(); ++i) {
    const ByteView& item = items[i];
    if ((item.u8(2) & kItemVolumeMask) != kItemFileEntry) return {};
    if (path.back() != '\\') path.push_back('\\');
    path += fileEntryName(item, codePage);
  }
  return path;
}

std::string ShellLinkReader::pifProgram(const ByteView& pif, const std::string& codePage) {
  if (pif.size() < kPifProgramOffset + kPifProgramLength) return {};
  return decodeCodePage(pif.cString(kPifProgramOffset, kPifProgramLength), codePage);
}

void ShellLinkReader::checkStructure(const ByteView& link) {
  const ShellLinkHeader header = ShellLinkHeader::read(link);
  std::size_t at = ShellLinkHeader::kSize;
  if (header.linkFlags & kHasLinkTargetIdList) {
    const std::size_t size = link.u16(at);
    link.sub(at + 2, size);
    at += 2 + size;
  }
  if (header.linkFlags & kHasLinkInfo) {
    const std::uint32_t size = link.u32(at);
    const ByteView info = link.sub(at, size);
    const std::uint32_t headerSize = info.u32(4);
    if (size < kLinkInfoHeaderSize || headerSize < kLinkInfoHeaderSize || headerSize > size) {
      throw FormatError("shell link with a broken LinkInfo");
    }
    for (std::size_t field = 12; field + 4 <= headerSize && field <= 32; field += 4) {
      if (info.u32(field) > size) throw FormatError("shell link LinkInfo offset past its end");
    }
    at += size;
  }
  const bool unicode = (header.linkFlags & kIsUnicode) != 0;
  for (std::uint32_t flag : {kHasName, kHasRelativePath, kHasWorkingDir, kHasArguments, kHasIconLocation}) {
    if (!(header.linkFlags & flag)) continue;
    const std::size_t count = link.u16(at);
    const std::size_t bytes = count * (unicode ? 2 : 1);
    link.sub(at + 2, bytes);
    at += 2 + bytes;
  }
  // Extra data blocks up to the terminal block (a size below 4); a file may
  // also simply end here.
  while (at + 4 <= link.size()) {
    const std::uint32_t size = link.u32(at);
    if (size < 4) break;
    link.sub(at, size);
    at += size;
  }
}

ShellLinkFields ShellLinkReader::read(const std::filesystem::path& file, const std::string& codePage) {
  {
    const FileBytes bytes(file);
    if (!bytes.isOpen()) throw FormatError(bytes.error());
    checkStructure(bytes.view());
  }
  LnkFile lnk;
  liblnk_error_t* error = nullptr;
  if (liblnk_file_initialize(&lnk.file, &error) != 1) {
    const std::string text = errorText(error);
    liblnk_error_free(&error);
    throw FormatError("shell link: " + text);
  }
  liblnk_file_set_ascii_codepage(lnk.file, codePageNumber(codePage), nullptr);
  if (liblnk_file_open(lnk.file, file.c_str(), LIBLNK_OPEN_READ, &error) != 1) {
    const std::string text = errorText(error);
    liblnk_error_free(&error);
    throw FormatError("not a shell link: " + text);
  }
  lnk.open = true;
  std::optional<std::string> path =
      utf8Value(lnk.file, liblnk_file_get_utf8_local_path_size, liblnk_file_get_utf8_local_path);
  if (!path)
    path = utf8Value(lnk.file, liblnk_file_get_utf8_network_path_size, liblnk_file_get_utf8_network_path);
  if (!path) {
    std::size_t size = 0;
    if (liblnk_file_get_link_target_identifier_data_size(lnk.file, &size, nullptr) == 1 && size > 0 &&
        size <= kMaxIdListBytes) {
      std::vector<std::uint8_t> data(size);
      if (liblnk_file_copy_link_target_identifier_data(lnk.file, data.data(), data.size(), nullptr) == 1) {
        try {
          const std::string fromIds = idListPath(ByteView(data), codePage);
          if (!fromIds.empty()) path = fromIds;
        } catch (const FormatError&) {
          // a broken ID list names nothing
        }
      }
    }
  }
  ShellLinkFields fields;
  if (path) fields.target = truncated(*path, kMaxTargetLength);
  const auto text = [&](auto sizeFn, auto getFn) { return utf8Value(lnk.file, sizeFn, getFn).value_or(""); };
  fields.workingDirectory =
      text(liblnk_file_get_utf8_working_directory_size, liblnk_file_get_utf8_working_directory);
  fields.arguments =
      text(liblnk_file_get_utf8_command_line_arguments_size, liblnk_file_get_utf8_command_line_arguments);
  fields.iconFile = text(liblnk_file_get_utf8_icon_location_size, liblnk_file_get_utf8_icon_location);
  fields.description = text(liblnk_file_get_utf8_description_size, liblnk_file_get_utf8_description);
  std::uint32_t iconIndex = 0;
  if (liblnk_file_get_icon_index(lnk.file, &iconIndex, nullptr) == 1) {
    fields.iconIndex = static_cast<int>(iconIndex);
  }
  std::uint32_t attributes = 0;
  if (liblnk_file_get_file_attribute_flags(lnk.file, &attributes, nullptr) == 1) {
    fields.targetIsDirectory = (attributes & kFileAttributeDirectory) != 0;
  }
  return fields;
}

std::string ShellLinkReader::target(const std::filesystem::path& file, const std::string& codePage) {
  return read(file, codePage).target;
}

}  // namespace kelvaro::formats
