// libFuzzer target: BMP files and the DIBs inside icons.
#include <cstddef>
#include <cstdint>

#include "platform/formats/bmp_reader.h"
#include "platform/formats/bmp_writer.h"
#include "platform/formats/format_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvaro::formats;
  const ByteView view(std::span<const std::uint8_t>(data, size));
  try {
    const DibImage dib = BmpReader::read(view);
    // What decodes must also write back at its own depth.
    if (dib.image.width() * static_cast<long>(dib.image.height()) < 4096)
      BmpWriter::encode(dib.image, dib.bitsPerPixel);
  } catch (const FormatError&) {
  }
  try {
    DibDecoder::decode(view, 0, std::nullopt, DibDecoder::Purpose::IconImage);
  } catch (const FormatError&) {
  }
  return 0;
}
