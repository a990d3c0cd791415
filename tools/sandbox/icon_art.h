#pragma once

#include <QImage>
#include <QString>

namespace kelvaro::sandbox {

// Draws one of the sandbox's own icons, 32 x 32 or 16 x 16, transparent
// around the picture. A motif is a name ("folder", "harddisk", "document",
// ...) optionally followed by ":" and a short mark ("document:TXT") and
// ":" and a colour name ("document:TXT:darkcyan"). Unknown names draw a
// document with the name's first letters, so every icon stays distinct.
QImage drawIcon(const QString& motif, int size);

}  // namespace kelvaro::sandbox
