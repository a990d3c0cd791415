#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/pictures.h"

namespace kelvaro {

// The test double of Pictures: serves the pictures a test gives it, keeps
// what is saved in memory, and records every call.
class RecordingPictures : public Pictures {
 public:
  struct Call {
    std::string operation;  // "load", "decode", "loadAnimation", "saveBmp"
    std::filesystem::path file;
    int bitsPerPixel = 0;  // saveBmp only
  };
  struct Saved {
    QImage image;
    int bitsPerPixel = 0;
  };

  // What load() returns for the file; files without one throw PictureError.
  void addPicture(const std::filesystem::path& file, Picture picture) {
    pictures_[file] = std::move(picture);
  }
  void addAnimation(const std::filesystem::path& file, Animation animation) {
    animations_[file] = std::move(animation);
  }
  // Makes every saveBmp throw PictureError with this text (empty: succeed).
  void failSavesWith(std::string message) { saveError_ = std::move(message); }

  const std::vector<Call>& calls() const { return calls_; }
  const std::map<std::filesystem::path, Saved>& saved() const { return saved_; }

  Picture load(const std::filesystem::path& file) override;
  Picture decode(std::span<const std::uint8_t> bytes) override;
  Animation loadAnimation(const std::filesystem::path& file) override;
  void saveBmp(const std::filesystem::path& file, const QImage& image, int bitsPerPixel) override;

 private:
  std::map<std::filesystem::path, Picture> pictures_;
  std::map<std::filesystem::path, Animation> animations_;
  std::map<std::filesystem::path, Saved> saved_;
  std::vector<Call> calls_;
  std::string saveError_;
};

}  // namespace kelvaro
