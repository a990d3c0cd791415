#include "platform/formats/icon_extractor.h"

#include "platform/formats/format_error.h"
#include "platform/formats/ico_layout.h"
#include "platform/formats/icon_image.h"
#include "platform/formats/ne_resource_reader.h"
#include "platform/formats/pe_resource_reader.h"

namespace kelvaro::formats {
namespace {

ExtractedIcon fromImages(const std::vector<IconImageInfo>& infos, const std::vector<QImage>& images,
                         bool withSmall) {
  ExtractedIcon icon;
  const int large = IconImageDecoder::choose(infos, IconExtractor::kLargeSize);
  if (large < 0) return icon;
  icon.large = IconImageDecoder::fitted(images[static_cast<std::size_t>(large)], IconExtractor::kLargeSize);
  if (!withSmall) return icon;
  const int small = IconImageDecoder::choose(infos, IconExtractor::kSmallSize);
  icon.small = IconImageDecoder::fitted(images[static_cast<std::size_t>(small)], IconExtractor::kSmallSize);
  return icon;
}

}  // namespace

IconExtractor::IconExtractor(const ByteView& file) {
  try {
    if (PeResourceReader::looksLikePe(file)) {
      resources_ = std::make_unique<PeResourceReader>(file);
    } else if (NeResourceReader::looksLikeNe(file)) {
      resources_ = std::make_unique<NeResourceReader>(file);
    } else if (IcoReader::looksLikeIcon(file)) {
      iconFile_ = IcoReader::read(file);
    }
  } catch (const FormatError&) {
    resources_.reset();
    iconFile_.reset();
  }
  if (resources_) groups_ = resources_->names(kRtGroupIcon);
}

IconExtractor::~IconExtractor() = default;

int IconExtractor::count() const {
  if (iconFile_) return 1;
  return static_cast<int>(groups_.size());
}

ExtractedIcon IconExtractor::groupIcon(const ResourceName& group, bool withSmall) const {
  try {
    const std::optional<ByteView> dir = resources_->data(kRtGroupIcon, group);
    if (!dir) return {};
    const IconDirHeader header = IconDirHeader::read(*dir, 0);
    if (header.reserved != 0 || header.type != kIconResourceType) return {};
    // Only the images that get picked are decoded, so a large group costs little.
    struct Candidate {
      IconImageInfo info;
      ByteView data;
    };
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < header.count; ++i) {
      const std::size_t at = IconDirHeader::kSize + i * GroupIconDirEntry::kSize;
      if (!dir->contains(at, GroupIconDirEntry::kSize)) break;  // a directory cut short keeps what it has
      const GroupIconDirEntry entry = GroupIconDirEntry::read(*dir, at);
      const std::optional<ByteView> image = resources_->data(kRtIcon, ResourceName::id(entry.id));
      if (!image) continue;
      IconImageInfo info;
      info.width = entry.width ? entry.width : 256;
      info.height = entry.height ? entry.height : 256;
      info.bitsPerPixel = entry.bitCount;
      if (info.bitsPerPixel == 0) {
        const std::optional<IconImageInfo> probed = IconImageDecoder::probe(*image);
        info.bitsPerPixel = probed ? probed->bitsPerPixel : 0;
      }
      candidates.push_back({info, *image});
    }
    // Decode only the images that get picked; one that cannot be decoded is
    // passed over for the next best.
    std::vector<std::optional<QImage>> decoded(candidates.size());
    std::vector<bool> broken(candidates.size(), false);
    auto pick = [&](int size) -> QImage {
      while (true) {
        std::vector<IconImageInfo> infos;
        std::vector<std::size_t> positions;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
          if (broken[i]) continue;
          infos.push_back(candidates[i].info);
          positions.push_back(i);
        }
        const int chosen = IconImageDecoder::choose(infos, size);
        if (chosen < 0) return {};
        const std::size_t i = positions[static_cast<std::size_t>(chosen)];
        if (!decoded[i]) {
          try {
            decoded[i] = IconImageDecoder::decode(candidates[i].data).image;
          } catch (const FormatError&) {
            broken[i] = true;
            continue;
          }
        }
        return IconImageDecoder::fitted(*decoded[i], size);
      }
    };
    ExtractedIcon icon;
    icon.large = pick(kLargeSize);
    if (withSmall && !icon.large.isNull()) icon.small = pick(kSmallSize);
    return icon;
  } catch (const FormatError&) {
  }
  return {};
}

ExtractedIcon IconExtractor::fileIcon(bool withSmall) const {
  std::vector<QImage> images;
  for (const IconImage& i : iconFile_->images) images.push_back(i.image);
  return fromImages(iconFile_->infos, images, withSmall);
}

ExtractedIcon IconExtractor::icon(int index) const {
  if (iconFile_) return index == 0 ? fileIcon(true) : ExtractedIcon{};
  if (!resources_) return {};
  if (index < 0) {
    if (index < -0xFFFF) return {};
    return groupIcon(ResourceName::id(static_cast<std::uint16_t>(-index)));
  }
  if (index >= static_cast<int>(groups_.size())) return {};
  return groupIcon(groups_[static_cast<std::size_t>(index)]);
}

std::vector<ExtractedIcon> IconExtractor::all() const {
  std::vector<ExtractedIcon> icons;
  for (int i = 0; i < count(); ++i) icons.push_back(icon(i));
  return icons;
}

std::vector<QImage> IconExtractor::allLarge() const {
  std::vector<QImage> icons;
  if (iconFile_) {
    icons.push_back(fileIcon(false).large);
    return icons;
  }
  icons.reserve(groups_.size());
  for (const ResourceName& group : groups_) icons.push_back(groupIcon(group, false).large);
  return icons;
}

}  // namespace kelvaro::formats
