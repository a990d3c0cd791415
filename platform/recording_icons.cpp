#include "platform/recording_icons.h"

namespace kelvaro {

int RecordingIcons::iconCount(std::string_view dosPath) {
  calls_.push_back({"iconCount", std::string(dosPath), 0});
  const auto it = files_.find(dosPath);
  return it == files_.end() ? 0 : static_cast<int>(it->second.size());
}

Icon RecordingIcons::extractIcon(std::string_view dosPath, int index) {
  calls_.push_back({"extractIcon", std::string(dosPath), index});
  const auto it = files_.find(dosPath);
  if (it == files_.end() || index < 0 || index >= static_cast<int>(it->second.size())) return {};
  return it->second[static_cast<std::size_t>(index)];
}

std::vector<Icon> RecordingIcons::allIcons(std::string_view dosPath) {
  calls_.push_back({"allIcons", std::string(dosPath), 0});
  const auto it = files_.find(dosPath);
  return it == files_.end() ? std::vector<Icon>{} : it->second;
}

std::vector<QImage> RecordingIcons::largeIcons(std::string_view dosPath) {
  calls_.push_back({"largeIcons", std::string(dosPath), 0});
  std::vector<QImage> images;
  if (const auto it = files_.find(dosPath); it != files_.end()) {
    for (const Icon& icon : it->second) images.push_back(icon.large);
  }
  return images;
}

QImage RecordingIcons::displayIcon(std::string_view location, IconTarget target) {
  calls_.push_back({"displayIcon", std::string(location), static_cast<int>(target)});
  const auto it = displayed_.find(location);
  return it == displayed_.end() ? genericIcon() : it->second;
}

QImage RecordingIcons::substituteIcon(IconTarget target) {
  calls_.push_back({"substituteIcon", {}, static_cast<int>(target)});
  return genericIcon();
}

Icon RecordingIcons::fileTypeIcon(std::string_view extension) {
  calls_.push_back({"fileTypeIcon", std::string(extension), 0});
  const auto it = types_.find(extension);
  if (it != types_.end()) return it->second;
  const QImage generic = genericIcon();
  return Icon{generic, generic.scaled(16, 16)};
}

QImage RecordingIcons::genericIcon() {
  if (generic_.isNull()) {
    generic_ = QImage(32, 32, QImage::Format_ARGB32);
    generic_.fill(Qt::white);
  }
  return generic_;
}

}  // namespace kelvaro
