#pragma once

#include <string>

#include "platform/shell_links.h"

namespace kelvaro {

// Shortcuts written by our MS-SHLLINK writer and read through liblnk.
class LinuxShellLinks : public ShellLinks {
 public:
  // codePage: the environment's ANSI code page as an iconv name ("CP1250").
  explicit LinuxShellLinks(std::string codePage) : codePage_(std::move(codePage)) {}

  void create(const std::filesystem::path& linkFile, const ShellLink& link) override;
  std::string target(const std::filesystem::path& linkFile) override;

 private:
  std::string codePage_;
};

}  // namespace kelvaro
