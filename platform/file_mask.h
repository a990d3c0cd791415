#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

// A folder-listing mask: one or more Windows wildcard patterns separated by
// ";" ("*.*", "*.scr", "*.exe;*.dll;*.icl;*.ico"). Names compare without
// regard to case. The patterns follow the rules Windows applies to
// FindFirstFile: "*" is any run of characters, "?" one character (or none
// before a dot or at the end), "*." before an extension stops at the last dot
// of the name, and a dot before "*" or "?" or at the end also matches a name
// without a dot, so "*.*" matches every name and "*." names without one.
// As on Windows, a long name also matches when its 8.3 short name does
// ("*.scr" finds "x.scrx", whose short name ends in ".SCR"); the short name's
// extension is exact, its "~1" base an approximation.
class FileMask {
 public:
  explicit FileMask(std::string_view mask);

  bool matches(std::string_view name) const;

 private:
  std::vector<std::u16string> patterns_;  // folded, with the DOS wildcards marked
};

}  // namespace kelvaro
