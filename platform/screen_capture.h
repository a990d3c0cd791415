#pragma once

#include <QImage>
#include <QRect>
#include <QWindow>

namespace kelvaro {

// The pixels of a window as the screen shows them, copied into a bitmap (the
// OEM logo is made that way).
class ScreenCapture {
 public:
  virtual ~ScreenCapture() = default;
  // The area (in the window's own coordinates) of a shown window, at one
  // pixel per window unit. A null image when the host cannot give the pixels
  // (no screen, a compositor that keeps them, another scale): the caller
  // then draws the window's content itself.
  virtual QImage grabWindow(WId window, const QRect& area) = 0;
};

}  // namespace kelvaro
