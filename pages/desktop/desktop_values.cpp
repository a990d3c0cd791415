#include "pages/desktop/desktop_values.h"

#include "store/store_error.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

std::optional<std::int32_t> integer(const std::optional<std::string>& text) {
  if (!text) return std::nullopt;
  try {
    return numberFromText(*text);
  } catch (const StoreError&) {
    return std::nullopt;
  }
}

}  // namespace

std::int32_t spacingFieldFromStored(const std::optional<std::string>& stored) {
  const auto twips = integer(stored);
  if (!twips) return 43;
  // In 64 bits, so that the most negative number does not overflow; C++'s
  // division drops the fraction as the formula wants.
  return static_cast<std::int32_t>((-static_cast<std::int64_t>(*twips) - 480) / 15);
}

std::string storedSpacing(std::int32_t field) { return numberAsText(-(15 * field + 480)); }

std::int32_t iconSizeFromStored(const std::optional<std::string>& stored) {
  return integer(stored).value_or(32);
}

bool recycleBinRenamable(std::span<const std::uint8_t> attributes) {
  if (attributes.size() != 4) return false;
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < 4; ++i) n |= static_cast<std::uint32_t>(attributes[i]) << (8 * i);
  return n == kRecycleBinRenamable;
}

std::array<std::uint8_t, 4> recycleBinAttributes(bool renamable) {
  const std::uint32_t n = renamable ? kRecycleBinRenamable : kRecycleBinFixed;
  return {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
          static_cast<std::uint8_t>(n >> 24)};
}

}  // namespace kelvaro
