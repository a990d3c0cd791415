#pragma once

#include "platform/pictures.h"

namespace kelvaro {

// Pictures with our own codecs, libjpeg for JPEG, Qt for GIF, and
// libemf2svg/libwmf with QtSvg for metafiles.
class LinuxPictures : public Pictures {
 public:
  Picture load(const std::filesystem::path& file) override;
  Picture decode(std::span<const std::uint8_t> bytes) override;
  Animation loadAnimation(const std::filesystem::path& file) override;
  void saveBmp(const std::filesystem::path& file, const QImage& image, int bitsPerPixel) override;
};

}  // namespace kelvaro
