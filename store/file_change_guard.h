#pragma once

#include <filesystem>
#include <string_view>

namespace kelvaro {

// Told before a file of the environment is written, replaced, renamed or
// deleted, so that what it held can be kept first (RunBackup).
class FileChangeGuard {
 public:
  virtual ~FileChangeGuard() = default;
  // hostPath is the file on the host, dosPath its DOS path (empty for files
  // outside the drives, such as the registry files). Throws StoreError when
  // the file cannot be kept; the change must then not be made.
  virtual void beforeChange(const std::filesystem::path& hostPath, std::string_view dosPath) = 0;
  // For callers that report failure by their result instead of throwing:
  // shows why a change was refused.
  virtual void reportRefusal(std::string_view message) = 0;
};

}  // namespace kelvaro
