#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace kelvaro::sandbox {

// Wallpapers, toolbar backgrounds, sample pictures and animation strips of
// our own. Kinds: clouds, sea, forest, sunset, bricks, marble, mosaic, night,
// meadow, circles, paper, metal, oem (a maker's logo plate).
QImage drawPicture(const QString& kind, QSize size);

// A vertical strip of 31 square frames (22 or 38 pixels), a turning emblem.
QImage drawAnimationStrip(int frameSize, bool large);

}  // namespace kelvaro::sandbox
