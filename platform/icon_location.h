#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/icons.h"

namespace kelvaro {

// One icon of one file: a DOS path and an index (negative: a group id).
struct IconSource {
  std::string file;
  int index = 0;
  bool operator==(const IconSource&) const = default;
};

// What icon display does with a location.
struct IconDisplayPlan {
  enum class Kind {
    Generic,     // the generic icon
    FileIcon,    // icon `source.index` of `source.file`
    Substitute,  // a negative index: the target's substitute
  };
  Kind kind = Kind::Generic;
  IconSource source;
  bool operator==(const IconDisplayPlan&) const = default;
};

// Icon display's reading of a location (lower-casing, the three variables,
// "%1", the last comma, the index); the caller does the extraction.
IconDisplayPlan planIconDisplay(std::string_view location, const IconDirectories& directories);

// The location lower-cased with a leading %systemroot%, %windir% or
// %programfiles% replaced: the first 12, 8 or 14 characters give way to the
// directory whenever the variable occurs anywhere in it.
std::string expandIconLocation(std::string_view location, const IconDirectories& directories);

// Where a target's substitute lives.
struct IconSubstitute {
  enum class Base { ShellLibrary, WindowsDirectory, SystemDirectory, ProgramFiles };
  Base base = Base::ShellLibrary;
  std::string_view relativePath;  // below the base, with a leading backslash; empty for the shell library
  int index = 0;
};

// The substitute a target shows for a negative index, or nullopt (Other,
// the Briefcase slot).
std::optional<IconSubstitute> negativeIndexSubstitute(IconTarget target);

// A decimal integer as icon display accepts it: leading blanks, an optional
// sign, digits, nothing after; nullopt otherwise or when it does not fit an int.
std::optional<int> parseIconIndex(std::string_view text);

}  // namespace kelvaro
