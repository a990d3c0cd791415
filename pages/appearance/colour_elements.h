#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "pages/appearance/colour_schemes.h"
#include "platform/system_settings.h"

namespace kelvaro {

// One entry of the colours page's element list: its caption and the system
// colours its two colour buttons edit (-1: the second button is disabled).
struct ColourEntry {
  const char* caption;
  int colour1;
  int colour2;
};

inline constexpr int kNoColour = -1;
inline constexpr std::array<ColourEntry, 11> kColourEntries{{
    {"Aktywny pasek tytułowy", 2, 27},
    {"Etykieta narzędzi", 24, kNoColour},
    {"Menu", 4, kNoColour},
    {"Nieaktywny pasek tytułowy", 3, 28},
    {"Obiekty 3W (trójwymiarowe)", 15, kNoColour},
    {"Obramowanie nieaktywnego okna", 11, kNoColour},
    {"Obramowanie okna aktywnego", 10, kNoColour},
    {"Okno", 5, kNoColour},
    {"Pulpit", 1, kNoColour},
    {"Wybrane elementy", 13, kNoColour},
    {"Pasek przewijania", 0, kNoColour},
}};
// Element numbers count from 1, as the list shows them.
inline constexpr int kDesktopEntry = 9;

// The order in which the 29 colours are written: by index, ButtonFace last.
extern const std::array<int, 29> kColourWriteOrder;

// One line of the working colour list: an element name and its colour text.
struct ColourPair {
  std::string name;
  std::string value;
  friend bool operator==(const ColourPair&, const ColourPair&) = default;
};
using ColourPairs = std::vector<ColourPair>;

// A "name=value" line: the name is what comes before its last "=", the value
// what follows; without "=", an empty name and the whole line as value.
ColourPair splitColourLine(std::string_view line);

// The index of a system colour by its exact name (case counts), or -1.
int colourIndex(std::string_view name);

// Walks the list in order and sets each colour it names (exactly) with valid
// colour text; other pairs leave the colours as they are, and a later pair
// wins. Throws StoreError for a colour text with a part that is no number.
void paintColours(const ColourPairs& pairs, SystemColours& colours);

// A scheme's 29 pairs.
ColourPairs schemePairs(const ColourScheme& scheme);

}  // namespace kelvaro
