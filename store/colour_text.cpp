#include "colour_text.h"

#include <algorithm>
#include <array>

#include "store_patterns.h"

namespace kelvaro {

std::optional<Rgb> readColourText(std::string_view text) {
  if (std::count(text.begin(), text.end(), ' ') != 2) return std::nullopt;
  const std::size_t first = text.find(' ');
  const std::size_t second = text.find(' ', first + 1);
  const std::array<std::string_view, 3> parts{
      text.substr(0, first), text.substr(first + 1, second - first - 1), text.substr(second + 1)};
  for (std::string_view part : parts) {
    if (part.empty()) return std::nullopt;
  }
  const auto low8 = [](std::string_view part) { return static_cast<int>(numberFromText(part) & 0xFF); };
  return Rgb{low8(parts[0]), low8(parts[1]), low8(parts[2])};
}

std::string colourText(Rgb colour) {
  return std::to_string(colour.red) + " " + std::to_string(colour.green) + " " + std::to_string(colour.blue);
}

}  // namespace kelvaro
