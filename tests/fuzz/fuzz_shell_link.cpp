// libFuzzer target: shell links, through liblnk and our ID list reading.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/formats/format_error.h"
#include "platform/formats/shell_link_layout.h"
#include "platform/formats/shell_link_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvaro::formats;
  const ByteView view(std::span<const std::uint8_t>(data, size));
  try {
    ShellLinkReader::idListPath(view, "CP1250");
  } catch (const FormatError&) {
  }
  ShellLinkReader::pifProgram(view, "CP1250");
  // liblnk reads files, so the input goes into an anonymous one.
  static const int fd = memfd_create("fuzz.lnk", 0);
  if (fd < 0) return 0;
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) return 0;
  try {
    ShellLinkReader::target("/proc/self/fd/" + std::to_string(fd), "CP1250");
  } catch (const FormatError&) {
  }
  return 0;
}
