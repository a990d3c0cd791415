#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/launcher.h"

namespace kelvaro {

// The arguments of a Windows command line, split as Windows programs split
// theirs: the program name ends at the first blank or its closing quote;
// later arguments follow the C runtime's rules for quotes and backslashes.
std::vector<std::string> splitWindowsCommandLine(std::string_view commandLine);

// Whether a target names a URL (a scheme of two letters or more and a colon)
// rather than a Windows path such as "C:\WINDOWS\win.ini".
bool isUrl(std::string_view target);

// The launcher on Linux: URLs and mailto: links go to the desktop's handler;
// Windows command lines and documents are started with Wine in the
// environment's prefix. Nothing Windows-side starts when Wine is missing.
class LinuxLauncher : public Launcher {
 public:
  // prefix: the Wine prefix of the environment. wineProgram: the wine
  // executable; found on PATH when empty.
  explicit LinuxLauncher(std::filesystem::path prefix, std::string wineProgram = {});

  bool open(std::string_view target, ShowWindow show) override;
  bool run(std::string_view commandLine, ShowWindow show) override;

  bool hasWine() const { return !wine_.empty(); }

 private:
  bool startWine(const std::vector<std::string>& arguments) const;

  std::filesystem::path prefix_;
  std::string wine_;
};

}  // namespace kelvaro
