#pragma once

#include <cstdint>
#include <vector>

#include <QImage>

namespace kelvaro::sandbox {

// BMP files with a 40-byte info header, uncompressed, bottom-up. 1, 4 and 8
// bits take an Indexed8 picture's own colour table (other pictures are mapped
// to the VGA colours, or to a 256-colour reduction); 24 bits take any picture.
std::vector<std::uint8_t> encodeBitmapFile(const QImage& picture, int bitsPerPixel);

}  // namespace kelvaro::sandbox
