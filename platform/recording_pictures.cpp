#include "platform/recording_pictures.h"

namespace kelvaro {

Picture RecordingPictures::load(const std::filesystem::path& file) {
  calls_.push_back({"load", file, 0});
  if (const auto it = pictures_.find(file); it != pictures_.end()) return it->second;
  // What was saved can be read back, as from a real file.
  if (const auto it = saved_.find(file); it != saved_.end()) {
    return Picture{it->second.image, it->second.bitsPerPixel, PictureKind::Bmp};
  }
  throw PictureError("no such picture: " + file.string());
}

Picture RecordingPictures::decode(std::span<const std::uint8_t>) {
  calls_.push_back({"decode", {}, 0});
  throw PictureError("the recording double decodes nothing");
}

Animation RecordingPictures::loadAnimation(const std::filesystem::path& file) {
  calls_.push_back({"loadAnimation", file, 0});
  const auto it = animations_.find(file);
  if (it == animations_.end()) throw PictureError("no such animation: " + file.string());
  return it->second;
}

void RecordingPictures::saveBmp(const std::filesystem::path& file, const QImage& image, int bitsPerPixel) {
  calls_.push_back({"saveBmp", file, bitsPerPixel});
  if (!saveError_.empty()) throw PictureError(saveError_);
  saved_[file] = Saved{image, bitsPerPixel};
}

}  // namespace kelvaro
