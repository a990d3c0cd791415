#pragma once

#include <vector>

#include "platform/screen_capture.h"

namespace kelvaro {

// The test double of ScreenCapture: records every grab and answers with
// shot (a null image by default, as a host without a screen does).
class RecordingScreenCapture : public ScreenCapture {
 public:
  struct Call {
    WId window;
    QRect area;
  };

  QImage grabWindow(WId window, const QRect& area) override {
    calls.push_back({window, area});
    return shot;
  }

  std::vector<Call> calls;
  QImage shot;
};

}  // namespace kelvaro
