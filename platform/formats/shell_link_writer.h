#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kelvaro::formats {

// What a shortcut says. Paths are DOS paths ("C:\WINDOWS\NOTEPAD.EXE"),
// texts UTF-8.
struct ShellLinkFields {
  std::string target;
  std::string workingDirectory;  // empty: none
  std::string arguments;         // empty: none
  std::string iconFile;          // empty: the target's own icon
  int iconIndex = 0;
  std::string description;  // empty: none
  bool targetIsDirectory = false;
};

// Writes MS-SHLLINK files: the header, a target ID list (My Computer, the
// drive, one item per folder, the file, each with its long-name extension
// block), a LinkInfo whose local base path is the whole target, and the
// Unicode string data. See shell_link.md.
class ShellLinkWriter {
 public:
  // codePage is the environment's ANSI code page (an iconv name) for the
  // 8-bit paths. Throws FormatError for a target that is not a full path
  // with a drive letter, or a text too long for the format.
  static std::vector<std::uint8_t> encode(const ShellLinkFields& link, const std::string& codePage);

  // The DOS 8.3 name that stands in an item's primary name field when the
  // long name does not fit 8.3 ("Program Files" -> "PROGRA~1").
  static std::string shortName(const std::string& longName);
};

}  // namespace kelvaro::formats
