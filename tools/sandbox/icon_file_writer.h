#pragma once

// Icons and cursors of the sandbox: the DIB of one icon image, and ICO, CUR
// and ANI files.
//
// Format note: an icon image is a BITMAPINFOHEADER with the height doubled,
// the colour table, the XOR bitmap and the 1-bit AND mask (1 = transparent),
// rows bottom-up and padded to 4 bytes. ICO and CUR files are an ICONDIR
// (reserved 0, type 1 or 2, count) and 16-byte entries (for cursors the
// planes and bit-count fields hold the hot spot), then the images. An ANI
// file is RIFF "ACON" with an "anih" header (36 bytes: size, frames, steps,
// width, height, bits, planes, rate in 1/60 s, flags 1 = frames are CUR
// files) and a LIST "fram" of "icon" chunks.

#include <cstdint>
#include <vector>

#include <QImage>

#include "tools/sandbox/pe_module_writer.h"

namespace kelvaro::sandbox {

// One icon image from an ARGB picture; pixels with alpha below 128 are
// transparent. 1 and 4 bits use black/white and the VGA colours, 8 bits a
// table made from the picture.
IconImageData makeIconImage(const QImage& picture, int bitCount);

std::vector<std::uint8_t> encodeIconFile(const std::vector<IconImageData>& images);
std::vector<std::uint8_t> encodeCursorFile(const IconImageData& image, int hotX, int hotY);
// Frames shown `rate` jiffies (1/60 s) each.
std::vector<std::uint8_t> encodeAnimatedCursor(const std::vector<IconImageData>& frames, int hotX, int hotY,
                                               int rate);

}  // namespace kelvaro::sandbox
