#pragma once

#include <array>

namespace kelvaro {

// A built-in colour scheme of the colours page: its name in the scheme box
// and a colour text for each of the 29 system colours, by index.
struct ColourScheme {
  const char* name;
  std::array<const char*, 29> colours;
};

// The 38 schemes in the scheme box's order.
extern const std::array<ColourScheme, 38> kColourSchemes;

}  // namespace kelvaro
