#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

// An absolute DOS path taken apart: the drive letter and the names below the
// drive's root, each checked on its own so that no name can reach outside the
// folder it is meant for.
struct DosPath {
  char drive = 'c';                // lower case
  std::vector<std::string> names;  // UTF-8, as Windows keeps them (see parse)

  // "C:\WINDOWS\System", "c:/" is not accepted: the separator is "\" only.
  // Repeated separators count as one and a trailing one is allowed; trailing
  // dots and spaces of a name are dropped, as Windows drops them. Nullopt for
  // a path without a drive, for "." and "..", for a name that is empty after
  // that, holds a character Windows forbids in names (\ / : * ? " < > | and
  // control characters) or is not valid UTF-8.
  static std::optional<DosPath> parse(std::string_view text);

  bool isRoot() const { return names.empty(); }
  DosPath parent() const;
  // "C:\WINDOWS\System"; the root is "C:\".
  std::string text() const;
};

// True when the text is a valid name of one file or folder (as above) that
// Windows keeps as it is.
bool isValidDosName(std::string_view name);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text);

}  // namespace kelvaro
