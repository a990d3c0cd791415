#include "platform/linux_pictures.h"

#include "platform/formats/ani_reader.h"
#include "platform/formats/bmp_writer.h"
#include "platform/formats/file_bytes.h"
#include "platform/formats/format_error.h"
#include "platform/formats/ico_reader.h"
#include "store/atomic_file.h"

namespace kelvaro {

Picture LinuxPictures::decode(std::span<const std::uint8_t> bytes) {
  try {
    formats::DecodedPicture decoded = formats::PictureDecoder::decode(formats::ByteView(bytes));
    return Picture{std::move(decoded.image), decoded.bitsPerPixel, decoded.kind};
  } catch (const formats::FormatError& e) {
    throw PictureError(e.what());
  }
}

Picture LinuxPictures::load(const std::filesystem::path& file) {
  const formats::FileBytes bytes(file);
  if (!bytes.isOpen()) throw PictureError(bytes.error());
  return decode(bytes.view().bytes());
}

Animation LinuxPictures::loadAnimation(const std::filesystem::path& file) {
  const formats::FileBytes bytes(file);
  if (!bytes.isOpen()) throw PictureError(bytes.error());
  Animation animation;
  try {
    if (formats::AniReader::looksLikeAni(bytes.view())) {
      const formats::AnimatedCursor cursor = formats::AniReader::read(bytes.view());
      for (const formats::IconImage& frame : cursor.frames) animation.frames.push_back(frame.image);
      for (const formats::AnimatedCursor::Step& step : cursor.steps) {
        animation.steps.push_back({step.frame, step.durationMs});
      }
      if (!cursor.steps.empty())
        animation.hotspot = cursor.frames.at(static_cast<std::size_t>(cursor.steps.front().frame)).hotspot;
    } else {
      const formats::IconFile icon = formats::IcoReader::read(bytes.view());
      const formats::IconImage& best = formats::IcoReader::best(icon, 32);
      animation.frames.push_back(best.image);
      animation.hotspot = best.hotspot;
      animation.steps.push_back({0, 0});
    }
  } catch (const formats::FormatError& e) {
    throw PictureError(e.what());
  }
  return animation;
}

void LinuxPictures::saveBmp(const std::filesystem::path& file, const QImage& image, int bitsPerPixel) {
  std::vector<std::uint8_t> bytes;
  try {
    bytes = formats::BmpWriter::encode(image, bitsPerPixel);
  } catch (const formats::FormatError& e) {
    throw PictureError(e.what());
  }
  const std::error_code error =
      writeFileAtomically(file, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                          {.refuseReadOnly = true});
  if (error) throw PictureError("cannot write " + file.string() + ": " + error.message());
}

}  // namespace kelvaro
