#pragma once

#include <cstdint>
#include <vector>

namespace kelvaro::sandbox {

// A RIFF WAVE file of 16-bit mono PCM samples.
std::vector<std::uint8_t> encodeWaveFile(const std::vector<std::int16_t>& samples, int sampleRate);

}  // namespace kelvaro::sandbox
