#include "platform/formats/shell_link_writer.h"

#include <cctype>
#include <string_view>

#include "platform/formats/byte_view.h"
#include "platform/formats/format_error.h"
#include "platform/formats/shell_link_layout.h"
#include "store/text_codec.h"

namespace kelvaro::formats {
namespace {

struct DosPath {
  char drive = 0;
  std::vector<std::string> components;  // folders, then the file itself
};

// "C:\a\\b\" -> drive C, components a, b. Forward slashes count as separators.
DosPath splitTarget(const std::string& target) {
  if (target.size() < 2 || !std::isalpha(static_cast<unsigned char>(target[0])) || target[1] != ':' ||
      (target.size() > 2 && target[2] != '\\' && target[2] != '/')) {
    throw FormatError("a shortcut target must be a full path with a drive letter: " + target);
  }
  DosPath path;
  path.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(target[0])));
  std::string current;
  for (std::size_t i = 2; i <= target.size(); ++i) {
    const char c = i < target.size() ? target[i] : '\\';
    if (c == '\\' || c == '/') {
      if (current == "." || current == "..") throw FormatError("a shortcut target must not contain . or ..");
      if (!current.empty()) path.components.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  return path;
}

std::string joinPath(const DosPath& path) {
  std::string out{path.drive, ':', '\\'};
  for (std::size_t i = 0; i < path.components.size(); ++i) {
    if (i) out.push_back('\\');
    out += path.components[i];
  }
  return out;
}

bool isShortNameChar(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x80) return false;
  if (std::isalnum(u)) return true;
  return std::string_view("$%'-_@~`!(){}^#&").find(c) != std::string_view::npos;
}

bool fitsEightDotThree(const std::string& name) {
  const std::size_t dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::string::npos && ext.find('.') != std::string::npos) return false;
  for (char c : base + ext) {
    if (!isShortNameChar(c)) return false;
  }
  return true;
}

void writeUtf16(ByteWriter& out, std::u16string_view text) {
  for (char16_t c : text) out.u16(c);
}

void writeIdListRoot(ByteWriter& out) {
  out.u16(0x14);
  out.u8(kItemRootFolder);
  out.u8(kSortIndexMyComputer);
  out.append(kMyComputerClsid);
}

void writeVolumeItem(ByteWriter& out, char drive) {
  out.u16(static_cast<std::uint16_t>(2 + 1 + kVolumeNameBytes + 2));
  out.u8(kItemVolumeWithName);
  const std::string name{drive, ':', '\\'};
  out.append(name);
  out.zeros(kVolumeNameBytes - name.size() + 2);
}

void writeFileEntryItem(ByteWriter& out, const std::string& name, bool directory) {
  ByteWriter item;
  item.u16(0);  // size, patched below
  item.u8(static_cast<std::uint8_t>(kItemFileEntry | (directory ? kItemDirectoryFlag : kItemFileFlag)));
  item.u8(0);
  item.u32(0);  // file size: not known for a DOS path
  item.u32(0);  // modification time: likewise
  item.u16(static_cast<std::uint16_t>(directory ? kFileAttributeDirectory : kFileAttributeArchive));
  item.append(ShellLinkWriter::shortName(name));
  item.u8(0);
  item.align(2);
  const std::size_t extension = item.size();
  const std::u16string longName = utf8ToUtf16(name);
  item.u16(0);  // extension size, patched below
  item.u16(kFileEntryExtensionVersionXp);
  item.u32(kFileEntryExtensionSignature);
  item.u32(0);  // creation time
  item.u32(0);  // access time
  item.u16(kFileEntryExtensionXpMarker);
  item.u16(0);  // no localized name
  writeUtf16(item, longName);
  item.u16(0);
  item.u16(static_cast<std::uint16_t>(extension));
  item.patchU16(extension, static_cast<std::uint16_t>(item.size() - extension));
  if (item.size() > 0xFFFF) throw FormatError("a shortcut target name is too long");
  item.patchU16(0, static_cast<std::uint16_t>(item.size()));
  out.append(item.bytes());
}

void writeIdList(ByteWriter& out, const DosPath& path, bool targetIsDirectory) {
  ByteWriter list;
  writeIdListRoot(list);
  writeVolumeItem(list, path.drive);
  for (std::size_t i = 0; i < path.components.size(); ++i) {
    const bool last = i + 1 == path.components.size();
    writeFileEntryItem(list, path.components[i], !last || targetIsDirectory);
  }
  list.u16(0);  // TerminalID
  if (list.size() > 0xFFFF) throw FormatError("a shortcut target path is too long");
  out.u16(static_cast<std::uint16_t>(list.size()));
  out.append(list.bytes());
}

void writeLinkInfo(ByteWriter& out, const std::string& localBasePath, const std::string& codePage) {
  const std::string ansi = encodeCodePage(localBasePath, codePage);
  // A path the code page cannot hold also goes in Unicode, as later Windows versions write it.
  const bool unicode = decodeCodePage(ansi, codePage) != localBasePath;
  const std::uint32_t headerSize = unicode ? kLinkInfoHeaderSizeUnicode : kLinkInfoHeaderSize;
  const std::uint32_t volumeIdSize = 4 * 4 + 1;  // size, drive type, serial, label offset, empty label
  const std::uint32_t localBaseOffset = headerSize + volumeIdSize;
  const std::uint32_t suffixOffset = localBaseOffset + static_cast<std::uint32_t>(ansi.size()) + 1;
  const std::uint32_t unicodeBaseOffset = suffixOffset + 1;
  const std::u16string wide = utf8ToUtf16(localBasePath);
  const std::uint32_t unicodeSuffixOffset =
      unicodeBaseOffset + static_cast<std::uint32_t>(wide.size() + 1) * 2;
  const std::uint32_t total = unicode ? unicodeSuffixOffset + 2 : unicodeBaseOffset;

  out.u32(total);
  out.u32(headerSize);
  out.u32(kVolumeIdAndLocalBasePath);
  out.u32(headerSize);  // VolumeIDOffset
  out.u32(localBaseOffset);
  out.u32(0);  // CommonNetworkRelativeLinkOffset
  out.u32(suffixOffset);
  if (unicode) {
    out.u32(unicodeBaseOffset);
    out.u32(unicodeSuffixOffset);
  }
  out.u32(volumeIdSize);
  out.u32(kDriveFixed);
  out.u32(0);     // drive serial number: not known
  out.u32(0x10);  // VolumeLabelOffset
  out.u8(0);      // empty label
  out.append(ansi);
  out.u8(0);
  out.u8(0);  // CommonPathSuffix: empty
  if (unicode) {
    writeUtf16(out, wide);
    out.u16(0);
    out.u16(0);
  }
}

void writeStringData(ByteWriter& out, const std::string& text) {
  const std::u16string wide = utf8ToUtf16(text);
  if (wide.size() > 0xFFFF) throw FormatError("a shortcut text is too long");
  out.u16(static_cast<std::uint16_t>(wide.size()));
  writeUtf16(out, wide);
}

}  // namespace

std::string ShellLinkWriter::shortName(const std::string& longName) {
  if (fitsEightDotThree(longName)) return longName;
  const std::size_t dot = longName.rfind('.');
  const std::string base = dot == std::string::npos || dot == 0 ? longName : longName.substr(0, dot);
  const std::string ext = dot == std::string::npos || dot == 0 ? std::string() : longName.substr(dot + 1);
  auto squeeze = [](const std::string& text, std::size_t limit) {
    std::string out;
    for (char c : text) {
      if (out.size() == limit) break;
      if (c == ' ' || c == '.') continue;
      out.push_back(isShortNameChar(c) ? static_cast<char>(std::toupper(static_cast<unsigned char>(c)))
                                       : '_');
    }
    return out;
  };
  std::string alias = squeeze(base, 6);
  if (alias.empty()) alias.push_back('_');
  alias.push_back('~');
  alias.push_back('1');
  const std::string shortExt = squeeze(ext, 3);
  if (!shortExt.empty()) {
    alias.push_back('.');
    alias.append(shortExt);
  }
  return alias;
}

std::vector<std::uint8_t> ShellLinkWriter::encode(const ShellLinkFields& link, const std::string& codePage) {
  const DosPath path = splitTarget(link.target);
  ShellLinkHeader header;
  header.linkFlags = kHasLinkTargetIdList | kHasLinkInfo | kIsUnicode;
  if (!link.description.empty()) header.linkFlags |= kHasName;
  if (!link.workingDirectory.empty()) header.linkFlags |= kHasWorkingDir;
  if (!link.arguments.empty()) header.linkFlags |= kHasArguments;
  if (!link.iconFile.empty()) header.linkFlags |= kHasIconLocation;
  header.fileAttributes = link.targetIsDirectory ? kFileAttributeDirectory : kFileAttributeArchive;
  header.iconIndex = link.iconFile.empty() ? 0 : link.iconIndex;

  ByteWriter out;
  header.write(out);
  writeIdList(out, path, link.targetIsDirectory);
  writeLinkInfo(out, joinPath(path), codePage);
  if (!link.description.empty()) writeStringData(out, link.description);
  if (!link.workingDirectory.empty()) writeStringData(out, link.workingDirectory);
  if (!link.arguments.empty()) writeStringData(out, link.arguments);
  if (!link.iconFile.empty()) writeStringData(out, link.iconFile);
  out.u32(0);  // TerminalBlock of the extra data
  return out.take();
}

}  // namespace kelvaro::formats
