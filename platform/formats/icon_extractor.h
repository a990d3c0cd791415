#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QImage>

#include "platform/formats/byte_view.h"
#include "platform/formats/ico_reader.h"
#include "platform/formats/resource_directory.h"

namespace kelvaro::formats {

// An icon as the shell hands it out: the image for 32 x 32 and the one for
// 16 x 16, each scaled to that size when the file has no image of it.
struct ExtractedIcon {
  QImage large;
  QImage small;
  bool isNull() const { return large.isNull(); }
};

// The icons of a file counted the way ExtractIcon counts them: the icon
// groups of a PE or NE file in the order the file lists them, or the single
// icon of an .ico/.cur file. See icon_extraction.md.
class IconExtractor {
 public:
  static constexpr int kLargeSize = 32;
  static constexpr int kSmallSize = 16;

  // Never throws: a file that is none of these, or whose resources are
  // broken, simply has no icons. The bytes must outlive the extractor.
  explicit IconExtractor(const ByteView& file);
  ~IconExtractor();
  IconExtractor(const IconExtractor&) = delete;
  IconExtractor& operator=(const IconExtractor&) = delete;

  int count() const;
  // Icon `index` (from 0); a negative index names the icon group whose id is
  // -index. A null icon when there is none.
  ExtractedIcon icon(int index) const;
  // Every icon in order; unreadable groups give null icons.
  std::vector<ExtractedIcon> all() const;
  // Every icon's 32 x 32 picture in order (the icon picker's list): only the
  // image chosen for that size is decoded.
  std::vector<QImage> allLarge() const;

 private:
  ExtractedIcon groupIcon(const ResourceName& group, bool withSmall = true) const;
  ExtractedIcon fileIcon(bool withSmall) const;

  std::unique_ptr<ResourceDirectory> resources_;
  std::vector<ResourceName> groups_;
  std::optional<IconFile> iconFile_;
};

}  // namespace kelvaro::formats
