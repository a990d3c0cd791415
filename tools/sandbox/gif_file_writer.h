#pragma once

#include <cstdint>
#include <vector>

#include <QImage>

namespace kelvaro::sandbox {

// A GIF89a file of one picture: a 256-entry global colour table (the
// picture reduced to it) and the LZW-coded image, codes growing to 12 bits
// with a clear code when the table is full.
std::vector<std::uint8_t> encodeGifFile(const QImage& picture);

}  // namespace kelvaro::sandbox
