#pragma once

#include <QImage>
#include <QList>

namespace kelvaro::sandbox {

// The 16 colours of the standard VGA palette, in Windows' order.
QList<QRgb> vgaPalette();

// Maps a picture onto a palette (nearest colour, optionally with a 4 x 4
// ordered dither), giving an Indexed8 picture with that colour table.
QImage toPalette(const QImage& picture, const QList<QRgb>& palette, bool dither);

}  // namespace kelvaro::sandbox
