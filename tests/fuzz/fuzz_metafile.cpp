// libFuzzer target: the record walks that guard EMF and WMF data before the
// metafile libraries see it.
#include <cstddef>
#include <cstdint>

#include "platform/formats/format_error.h"
#include "platform/formats/metafile_renderer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kelvaro::formats;
  const ByteView view(std::span<const std::uint8_t>(data, size));
  try {
    MetafileRenderer::checkEmfRecords(view);
  } catch (const FormatError&) {
  }
  try {
    MetafileRenderer::checkWmfRecords(view);
  } catch (const FormatError&) {
  }
  return 0;
}
