#pragma once

// The version the program file carries; the build reads it from here too.
namespace kelvaro {
inline constexpr char kProgramVersion[] = "3.7.37.1249";
inline constexpr unsigned kProgramVersionParts[4] = {3, 7, 37, 1249};
}  // namespace kelvaro

namespace kelvaro {
// The program title: the application's title and the title of its message boxes.
inline constexpr char kProgramTitle[] = "Morvane Kelvaro";
}  // namespace kelvaro
