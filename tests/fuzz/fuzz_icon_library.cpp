// libFuzzer target: icon extraction from PE and NE files (and .ico files).
#include <cstddef>
#include <cstdint>

#include "platform/formats/icon_extractor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvaro::formats;
  const IconExtractor extractor(ByteView(std::span<const std::uint8_t>(data, size)));
  const int count = extractor.count();
  for (int i = 0; i < count && i < 8; ++i) extractor.icon(i);
  extractor.icon(-1);
  extractor.icon(-3);
  extractor.icon(count);
  return 0;
}
