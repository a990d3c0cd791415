// libFuzzer target: .ico and .cur files.
#include <cstddef>
#include <cstdint>

#include "platform/formats/format_error.h"
#include "platform/formats/ico_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvaro::formats;
  try {
    const IconFile file = IcoReader::read(ByteView(std::span<const std::uint8_t>(data, size)));
    IcoReader::best(file, 32);
    IcoReader::best(file, 16);
  } catch (const FormatError&) {
  }
  return 0;
}
