#pragma once

#include <vector>

#include "platform/formats/byte_view.h"
#include "platform/formats/ico_layout.h"
#include "platform/formats/icon_image.h"

namespace kelvaro::formats {

// An .ico or .cur file: its images in directory order.
struct IconFile {
  bool cursor = false;
  std::vector<IconImageInfo> infos;  // what the directory says, one per image
  std::vector<IconImage> images;  // decoded, same order; images that cannot be decoded are left out of both
};

// Reads icon and cursor files. See ico.md.
class IcoReader {
 public:
  static bool looksLikeIcon(const ByteView& data);
  // Throws FormatError when the directory is broken or no image decodes.
  static IconFile read(const ByteView& data);
  // The image Windows would show for a size x size icon (see IconImageDecoder::choose).
  static const IconImage& best(const IconFile& file, int size);
};

}  // namespace kelvaro::formats
