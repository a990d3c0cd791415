#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

struct Rgb {
  int red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colour text: red, green and blue as decimal numbers joined by single
// spaces ("0 128 128"), as Control Panel\Colors and win.ini's [colors] hold
// them.
//
// A text is colour text only with exactly two spaces and three non-empty
// parts; nullopt otherwise. Each part goes through the store's number
// conversion (a part that is no number throws its StoreError) and only its
// low 8 bits count, so "300" is 44.
std::optional<Rgb> readColourText(std::string_view text);
// The canonical form: no leading zeros, single spaces.
std::string colourText(Rgb colour);

}  // namespace kelvaro
