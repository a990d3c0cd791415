#pragma once

#include <string>
#include <string_view>

namespace kelvaro {

// How a started program's window is shown.
enum class ShowWindow { Normal, Maximized, Minimized, Hidden };

// Starts Windows command lines and opens documents, URLs and mailto: links
// (ShellExecute / WinExec).
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Opens a URL, a mailto: link or a document with the shell verb "open".
  // Returns false when nothing could be started.
  virtual bool open(std::string_view target, ShowWindow show) = 0;
  // Runs a Windows command line in the environment.
  virtual bool run(std::string_view commandLine, ShowWindow show) = 0;
};

}  // namespace kelvaro
