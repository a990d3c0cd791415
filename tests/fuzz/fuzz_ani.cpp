// libFuzzer target: animated cursors.
#include <cstddef>
#include <cstdint>

#include "platform/formats/ani_reader.h"
#include "platform/formats/format_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvaro::formats;
  try {
    const AnimatedCursor ani = AniReader::read(ByteView(std::span<const std::uint8_t>(data, size)));
    for (const AnimatedCursor::Step& step : ani.steps) {
      if (step.frame < 0 || static_cast<std::size_t>(step.frame) >= ani.frames.size()) __builtin_trap();
    }
  } catch (const FormatError&) {
  }
  return 0;
}
