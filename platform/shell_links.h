#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/formats/shell_link_writer.h"

namespace kelvaro {

// What a shortcut says: target, working folder, arguments and icon location
// are DOS paths and texts of the environment.
using ShellLink = formats::ShellLinkFields;

// A shortcut that cannot be written; what() says why.
class ShellLinkError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Shortcut files (.lnk). The link files themselves are host paths.
class ShellLinks {
 public:
  virtual ~ShellLinks() = default;

  // Writes the shortcut, replacing the file only once it is complete.
  // Throws ShellLinkError.
  virtual void create(const std::filesystem::path& linkFile, const ShellLink& link) = 0;
  // The target path of a .lnk (or the program of a .pif), at most 255
  // characters; empty when the file is missing or names no path.
  virtual std::string target(const std::filesystem::path& linkFile) = 0;
};

}  // namespace kelvaro
