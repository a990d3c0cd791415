// libFuzzer target: icon display's reading of icon locations.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/icon_location.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view location(reinterpret_cast<const char*>(data), size);
  const kelvaro::IconDirectories directories{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\Program Files"};
  kelvaro::planIconDisplay(location, directories);
  kelvaro::parseIconIndex(location);
  return 0;
}
