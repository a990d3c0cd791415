// libFuzzer target: the family name of a font file.
#include <cstddef>
#include <cstdint>

#include "platform/formats/font_names.h"
#include "platform/formats/format_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvaro::formats;
  try {
    const auto family = fontFamilyName(ByteView(std::span<const std::uint8_t>(data, size)));
    if (family && family->empty()) __builtin_trap();
  } catch (const FormatError&) {
  }
  return 0;
}
