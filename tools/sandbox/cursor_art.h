#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

namespace kelvaro::sandbox {

// The sandbox's own pointers, 32 x 32. Roles: arrow, help, busy (animated),
// wait (animated), cross, beam, pen, no, ns, we, nwse, nesw, move, up, hand.
// `light` draws white pointers with a black edge, otherwise black with white.
QImage drawCursor(const QString& role, bool light, int frame = 0, QRgb tint = 0);
QPoint cursorHotSpot(const QString& role);
// Frames of an animated role; 1 for the others.
int cursorFrames(const QString& role);

}  // namespace kelvaro::sandbox
