#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/shell_links.h"

namespace kelvaro {

// The test double of ShellLinks: keeps created links in memory, answers
// target() from them or from what a test gives it, and records every call.
class RecordingShellLinks : public ShellLinks {
 public:
  struct Call {
    std::string operation;  // "create" or "target"
    std::filesystem::path file;
    ShellLink link;  // create only
  };

  void setTarget(const std::filesystem::path& linkFile, std::string target) {
    targets_[linkFile] = std::move(target);
  }
  // Makes every create throw ShellLinkError with this text (empty: succeed).
  void failCreatesWith(std::string message) { createError_ = std::move(message); }

  const std::vector<Call>& calls() const { return calls_; }
  const std::map<std::filesystem::path, ShellLink>& created() const { return created_; }

  void create(const std::filesystem::path& linkFile, const ShellLink& link) override;
  std::string target(const std::filesystem::path& linkFile) override;

 private:
  std::map<std::filesystem::path, ShellLink> created_;
  std::map<std::filesystem::path, std::string> targets_;
  std::vector<Call> calls_;
  std::string createError_;
};

}  // namespace kelvaro
