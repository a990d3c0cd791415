#include "tools/sandbox/wave_file_writer.h"

#include "tools/sandbox/byte_writer.h"

namespace kelvaro::sandbox {

std::vector<std::uint8_t> encodeWaveFile(const std::vector<std::int16_t>& samples, int sampleRate) {
  const std::uint32_t dataSize = static_cast<std::uint32_t>(samples.size() * 2);
  ByteWriter out;
  out.ascii("RIFF");
  out.u32(36 + dataSize);
  out.ascii("WAVE");
  out.ascii("fmt ");
  out.u32(16);
  out.u16(1);
  out.u16(1);
  out.u32(static_cast<std::uint32_t>(sampleRate));
  out.u32(static_cast<std::uint32_t>(sampleRate) * 2);
  out.u16(2);
  out.u16(16);
  out.ascii("data");
  out.u32(dataSize);
  for (std::int16_t s : samples) out.u16(static_cast<std::uint16_t>(s));
  return out.take();
}

}  // namespace kelvaro::sandbox
