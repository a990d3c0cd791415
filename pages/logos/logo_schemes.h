#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

// The logo slots of the logo page, in the order of a scheme's files.
enum class LogoSlot { Start, ShutDown, SwitchOff };
inline constexpr std::size_t kLogoSlotCount = 3;

// A prepared set of three logos beside the program: the start picture in
// "Logo\logowin\", the shut-down one in "Logo\logow\", the switch-off one in
// "Logo\logos\". The first row, "(brak LOGO)", has no files.
struct LogoScheme {
  const char* name;
  std::array<const char*, kLogoSlotCount> files;  // nullptr for "(brak LOGO)"
};

inline constexpr char kNoLogoScheme[] = "(brak LOGO)";

// The 49 rows in the order of the scheme list.
const std::array<LogoScheme, 49>& logoSchemes();
// The row of a name, matched exactly; nullopt for a name no row has.
std::optional<LogoScheme> findLogoScheme(std::string_view name);
// The folder of a slot's pictures under the program directory ("Logo\logowin").
const char* logoSchemeFolder(LogoSlot slot);

}  // namespace kelvaro
