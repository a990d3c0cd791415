#pragma once

#include <string_view>

#include "platform/dialogs.h"
#include "platform/launcher.h"

namespace kelvaro {

// The launcher of the sandbox. The sandbox holds no Wine system files, so no
// Windows program can run in it: a Windows command line or document is
// answered with a plain message saying where they do run, instead of failing
// without a word. URLs and mailto: links still go to the desktop.
class SandboxLauncher : public Launcher {
 public:
  SandboxLauncher(Launcher& desktop, Dialogs& dialogs) : desktop_(desktop), dialogs_(dialogs) {}

  bool open(std::string_view target, ShowWindow show) override;
  bool run(std::string_view commandLine, ShowWindow show) override;

  // The message, for a program or document.
  static std::string refusal(std::string_view what);

 private:
  Launcher& desktop_;
  Dialogs& dialogs_;
};

}  // namespace kelvaro
