#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kelvaro {

// One mouse-pointer role of the cursor page: its caption in the list, the
// name its hint gives it (nullptr: no hint), and its value under
// HKEY_CURRENT_USER\Control Panel\Cursors.
struct CursorRole {
  const char* caption;
  const char* hintName;
  const char* valueName;
};

inline constexpr std::size_t kCursorRoleCount = 15;
// The roles in the list's order, which is also the order of a scheme.
extern const std::array<CursorRole, kCursorRoleCount> kCursorRoles;
// Roles in a scheme string: all but the last (Hand).
inline constexpr std::size_t kSchemeRoleCount = 14;
// The roles in the order their values are written when a scheme is saved.
extern const std::array<std::size_t, kCursorRoleCount> kCursorWriteOrder;

using CursorPaths = std::array<std::string, kCursorRoleCount>;

// "Kliknij, aby edytować kursor "<name>"", or empty for a role without a hint.
std::string cursorRoleHint(const CursorRole& role);

// The scheme: the paths of the scheme's roles joined by "," (an empty path
// leaves an empty place).
std::string cursorSchemeString(const CursorPaths& paths);

// The scheme name line for the name stored as the default value, nullopt
// when there is none (or it is not a string).
std::string cursorSchemeNameLine(const std::optional<std::string>& name);

// What the cursor chooser's answer is worth.
enum class CursorChoice { Valid, NoFile, MissingFile, NotACursor };

// A chosen path and whether it names an existing file. Only the extensions
// .cur, .CUR, .ani and .ANI name a cursor.
CursorChoice checkChosenCursor(std::string_view path, bool fileExists);
// The plain message for a choice that is not valid.
std::string_view cursorChoiceMessage(CursorChoice choice);

}  // namespace kelvaro
