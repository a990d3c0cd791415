#pragma once

#include "platform/screen_capture.h"

namespace kelvaro {

// The screen's pixels through Qt's screen grab. Wayland gives none, and a
// scaled screen gives more pixels than the window has units: both count as
// not available.
class QtScreenCapture : public ScreenCapture {
 public:
  QImage grabWindow(WId window, const QRect& area) override;
};

}  // namespace kelvaro
