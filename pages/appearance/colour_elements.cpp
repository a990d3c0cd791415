#include "pages/appearance/colour_elements.h"

namespace kelvaro {

const std::array<int, 29> kColourWriteOrder{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                            16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 15};

ColourPair splitColourLine(std::string_view line) {
  const std::size_t equals = line.rfind('=');
  if (equals == std::string_view::npos) return {{}, std::string(line)};
  return {std::string(line.substr(0, equals)), std::string(line.substr(equals + 1))};
}

int colourIndex(std::string_view name) {
  for (int i = 0; i < kSystemColourCount; ++i) {
    if (name == kSystemColourNames[i]) return i;
  }
  return -1;
}

void paintColours(const ColourPairs& pairs, SystemColours& colours) {
  for (const ColourPair& pair : pairs) {
    const int index = colourIndex(pair.name);
    if (index < 0) continue;
    if (const auto colour = readColourText(pair.value)) colours[index] = *colour;
  }
}

ColourPairs schemePairs(const ColourScheme& scheme) {
  ColourPairs pairs;
  for (int i = 0; i < kSystemColourCount; ++i) pairs.push_back({kSystemColourNames[i], scheme.colours[i]});
  return pairs;
}

}  // namespace kelvaro
