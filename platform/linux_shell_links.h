#pragma once

#include <string>

#include "platform/shell_links.h"

namespace kelvaro {

class FileChangeGuard;

// Shortcuts written by our MS-SHLLINK writer and read through liblnk.
class LinuxShellLinks : public ShellLinks {
 public:
  // codePage: the environment's ANSI code page as an iconv name ("CP1250").
  explicit LinuxShellLinks(std::string codePage) : codePage_(std::move(codePage)) {}

  void create(const std::filesystem::path& linkFile, const ShellLink& link) override;
  std::string target(const std::filesystem::path& linkFile) override;

  // Told before a shortcut file is written, so the run's backup keeps what
  // it replaces (or that it was not there).
  void setChangeGuard(FileChangeGuard* guard) { guard_ = guard; }

 private:
  std::string codePage_;
  FileChangeGuard* guard_ = nullptr;
};

}  // namespace kelvaro
