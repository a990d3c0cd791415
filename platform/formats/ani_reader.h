#pragma once

#include <vector>

#include "platform/formats/byte_view.h"
#include "platform/formats/icon_image.h"

namespace kelvaro::formats {

// An animated cursor: its frames and the steps that show them.
struct AnimatedCursor {
  struct Step {
    int frame = 0;       // index into frames
    int durationMs = 0;  // how long the step shows
  };
  std::vector<IconImage> frames;  // the 32 x 32 image of each frame
  std::vector<Step> steps;
  int width = 0;  // anih iWidth/iHeight (0 when the frames carry their own size)
  int height = 0;
};

// Reads .ani files: RIFF "ACON" with "anih", optional "rate" and "seq "
// chunks and a "LIST" "fram" of "icon" chunks. See ani.md.
class AniReader {
 public:
  static constexpr int kMaxFrames = 1024;
  static constexpr int kMaxSteps = 4096;

  static bool looksLikeAni(const ByteView& data) {
    return data.startsWith(0, "RIFF") && data.startsWith(8, "ACON");
  }
  // Throws FormatError.
  static AnimatedCursor read(const ByteView& data);
};

}  // namespace kelvaro::formats
