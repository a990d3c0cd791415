#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <stdexcept>
#include <vector>

#include <QImage>
#include <QPoint>

#include "platform/formats/picture_decoder.h"

namespace kelvaro {

using PictureKind = formats::PictureKind;

// A decoded picture and the depth it was stored with, so that writing it back
// as BMP can keep that depth.
struct Picture {
  QImage image;  // Indexed8 with the file's palette for BMPs of 8 bits or fewer
  int bitsPerPixel = 0;
  PictureKind kind = PictureKind::Bmp;
};

// An animated cursor for a preview: its frames and the steps that show them.
struct Animation {
  struct Step {
    int frame = 0;
    int durationMs = 0;
  };
  std::vector<QImage> frames;
  std::vector<Step> steps;
  QPoint hotspot;  // where the pointer's tip is in the first frame shown
};

// A picture that cannot be read or written; what() says why.
class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Picture decoding (BMP of every depth and compression, JPEG, GIF, ICO, CUR,
// ANI, EMF, WMF, told apart by content) and BMP writing. Files are host paths.
class Pictures {
 public:
  virtual ~Pictures() = default;

  // Throw PictureError.
  virtual Picture load(const std::filesystem::path& file) = 0;
  virtual Picture decode(std::span<const std::uint8_t> bytes) = 0;
  // An .ani file's frames and steps; an icon or cursor file gives one frame shown for good.
  virtual Animation loadAnimation(const std::filesystem::path& file) = 0;

  // Writes the picture as a BMP file of the given depth (1, 4, 8, 16, 24,
  // 32), keeping its width and height and, for an Indexed8 picture whose
  // colours fit, its palette. The file is replaced only once it is complete.
  // Throws PictureError.
  virtual void saveBmp(const std::filesystem::path& file, const QImage& image, int bitsPerPixel) = 0;
};

}  // namespace kelvaro
