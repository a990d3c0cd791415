#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/launcher.h"

namespace kelvaro {

// The test double of Launcher: records every request and answers with result.
class RecordingLauncher : public Launcher {
 public:
  struct Call {
    std::string kind;  // "open" or "run"
    std::string target;
    ShowWindow show;
  };

  bool open(std::string_view target, ShowWindow show) override {
    calls.push_back({"open", std::string(target), show});
    return result;
  }
  bool run(std::string_view commandLine, ShowWindow show) override {
    calls.push_back({"run", std::string(commandLine), show});
    return result;
  }

  std::vector<Call> calls;
  bool result = true;
};

}  // namespace kelvaro
