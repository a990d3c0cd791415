#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kelvaro {

// How "Ustawienia" reads and writes its stored numbers, apart from widgets.

// Icon spacing is stored as negative twips (15 to a pixel) of the whole
// spacing; the field shows the pixels beyond 32, so "-1125" is 43. A value
// that is missing or no integer gives 43. Not clamped: the field does that.
std::int32_t spacingFieldFromStored(const std::optional<std::string>& stored);
std::string storedSpacing(std::int32_t field);

// `Shell Icon Size` as the size field reads it: 32 when missing or no integer.
std::int32_t iconSizeFromStored(const std::optional<std::string>& stored);

// The recycle bin's ShellFolder `Attributes`: renaming and deleting are
// allowed exactly when the value is the four bytes of 0x20000170.
constexpr std::uint32_t kRecycleBinRenamable = 0x20000170;
constexpr std::uint32_t kRecycleBinFixed = 0x20000140;
bool recycleBinRenamable(std::span<const std::uint8_t> attributes);
std::array<std::uint8_t, 4> recycleBinAttributes(bool renamable);

}  // namespace kelvaro
