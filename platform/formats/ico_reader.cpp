#include "platform/formats/ico_reader.h"

#include "platform/formats/format_error.h"

namespace kelvaro::formats {

bool IcoReader::looksLikeIcon(const ByteView& data) {
  if (data.size() < IconDirHeader::kSize) return false;
  const IconDirHeader h = IconDirHeader::read(data, 0);
  return h.reserved == 0 && (h.type == kIconResourceType || h.type == kCursorResourceType) && h.count > 0;
}

IconFile IcoReader::read(const ByteView& data) {
  if (!looksLikeIcon(data)) throw FormatError("not an icon or cursor file");
  const IconDirHeader header = IconDirHeader::read(data, 0);
  IconFile file;
  file.cursor = header.type == kCursorResourceType;
  data.sub(IconDirHeader::kSize, static_cast<std::size_t>(header.count) * IconDirEntry::kSize);
  for (std::size_t i = 0; i < header.count; ++i) {
    const IconDirEntry entry = IconDirEntry::read(data, IconDirHeader::kSize + i * IconDirEntry::kSize);
    if (!data.contains(entry.imageOffset, entry.bytesInRes)) continue;  // an entry past the end is skipped
    const ByteView imageData = data.sub(entry.imageOffset, entry.bytesInRes);
    try {
      IconImage image = IconImageDecoder::decode(imageData);
      if (file.cursor) image.hotspot = QPoint(entry.planes, entry.bitCount);
      // The directory's size is what Windows matches on; its bit count is
      // often 0 in old files, so the image's own depth stands in.
      IconImageInfo info;
      info.width = entry.width ? entry.width : 256;
      info.height = entry.height ? entry.height : 256;
      info.bitsPerPixel = (!file.cursor && entry.bitCount) ? entry.bitCount : image.bitsPerPixel;
      file.infos.push_back(info);
      file.images.push_back(std::move(image));
    } catch (const FormatError&) {
      // an image that cannot be decoded is skipped; the others still serve
    }
  }
  if (file.images.empty()) throw FormatError("the icon file holds no readable image");
  return file;
}

const IconImage& IcoReader::best(const IconFile& file, int size) {
  return file.images.at(static_cast<std::size_t>(IconImageDecoder::choose(file.infos, size)));
}

}  // namespace kelvaro::formats
