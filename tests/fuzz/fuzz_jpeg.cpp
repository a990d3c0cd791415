// libFuzzer target: our use of libjpeg (errors, recovery, no leaks).
#include <cstddef>
#include <cstdint>

#include "platform/formats/format_error.h"
#include "platform/formats/jpeg_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvaro::formats;
  try {
    JpegDecoder::decode(ByteView(std::span<const std::uint8_t>(data, size)));
  } catch (const FormatError&) {
  }
  return 0;
}
