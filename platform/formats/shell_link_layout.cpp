#include "platform/formats/shell_link_layout.h"

#include <algorithm>

#include "platform/formats/format_error.h"

namespace kelvaro::formats {

void ShellLinkHeader::write(ByteWriter& out) const {
  out.u32(kSize);
  out.append(kShellLinkClsid);
  out.u32(linkFlags);
  out.u32(fileAttributes);
  out.u64(creationTime);
  out.u64(accessTime);
  out.u64(writeTime);
  out.u32(fileSize);
  out.s32(iconIndex);
  out.u32(showCommand);
  out.u16(hotKey);
  out.u16(0);  // Reserved1
  out.u32(0);  // Reserved2
  out.u32(0);  // Reserved3
}

ShellLinkHeader ShellLinkHeader::read(const ByteView& data) {
  if (data.size() < kSize || data.u32(0) != kSize) throw FormatError("not a shell link");
  const ByteView clsid = data.sub(4, 16);
  if (!std::equal(clsid.bytes().begin(), clsid.bytes().end(), kShellLinkClsid.begin())) {
    throw FormatError("not a shell link: wrong class id");
  }
  ShellLinkHeader h;
  h.linkFlags = data.u32(20);
  h.fileAttributes = data.u32(24);
  h.creationTime = data.u64(28);
  h.accessTime = data.u64(36);
  h.writeTime = data.u64(44);
  h.fileSize = data.u32(52);
  h.iconIndex = data.s32(56);
  h.showCommand = data.u32(60);
  h.hotKey = data.u16(64);
  return h;
}

}  // namespace kelvaro::formats
