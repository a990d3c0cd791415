#pragma once

#include <QFont>

#include <string>
#include <vector>

namespace kelvaro {

// The font families installed in the environment, and fonts that draw them.
class Fonts {
 public:
  virtual ~Fonts() = default;

  // The family names, sorted without regard to case, each once.
  virtual std::vector<std::string> families() = 0;
  // A font drawing the family in its own typeface at the point size; the
  // application's font in that size when the family's files cannot be drawn.
  virtual QFont font(const std::string& family, int pointSize) = 0;
};

}  // namespace kelvaro
