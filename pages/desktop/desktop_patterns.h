#pragma once

#include <QColor>
#include <QImage>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvaro {

// One desktop pattern: an 8 x 8 monochrome bitmap as eight decimal row
// bytes (top row first, the high bit leftmost) joined by single spaces.
struct DesktopPattern {
  const char* name;
  const char* text;
};

inline constexpr int kDesktopPatternCount = 39;
// The list's patterns in the list's order.
const std::array<DesktopPattern, kDesktopPatternCount>& desktopPatterns();
// The order Control.INI's [Patterns] is written in: indexes into desktopPatterns().
const std::array<int, kDesktopPatternCount>& controlIniPatternOrder();

// The pattern a stored Pattern text shows: the first one whose text equals
// it, where "(brak)", the empty text and any text without a match show 0.
int patternForText(std::string_view text);

// How far apart the patterns' previews stand on the preview strip.
inline constexpr int kPatternPreviewStep = 75;
// One pattern tiled over an area: set bits black, clear bits the desktop colour.
QImage patternTile(std::string_view text, QColor desktop, QSize area);
// Every pattern's preview side by side, kPatternPreviewStep apart, in list order.
QImage patternStrip(QColor desktop, QSize preview);

// A profile file's bytes with one section replaced by the given entries, as
// erasing the section and then writing each entry does (the section comes
// last, its lines end in CR LF). The texts are UTF-8; the file's are in the
// code page unless it starts with a UTF-8 byte order mark.
std::string replaceIniSection(std::string_view fileBytes, std::string_view section,
                              const std::vector<std::pair<std::string, std::string>>& entries,
                              const std::string& codePage);

}  // namespace kelvaro
