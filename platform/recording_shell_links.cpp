#include "platform/recording_shell_links.h"

namespace kelvaro {

void RecordingShellLinks::create(const std::filesystem::path& linkFile, const ShellLink& link) {
  calls_.push_back({"create", linkFile, link});
  if (!createError_.empty()) throw ShellLinkError(createError_);
  created_[linkFile] = link;
}

std::string RecordingShellLinks::target(const std::filesystem::path& linkFile) {
  calls_.push_back({"target", linkFile, {}});
  if (const auto it = targets_.find(linkFile); it != targets_.end()) return it->second;
  if (const auto it = created_.find(linkFile); it != created_.end()) return it->second.target.substr(0, 255);
  return {};
}

}  // namespace kelvaro
