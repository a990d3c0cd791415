#pragma once

#include <memory>

#include "platform/platform.h"

namespace kelvaro {

class Dialogs;
class Environment;

// The Linux implementations of the platform services for one environment,
// owned together. On the sandbox, Windows programs are answered with a
// message instead of being started.
class LinuxPlatform {
 public:
  LinuxPlatform(Environment& environment, Dialogs& dialogs);
  ~LinuxPlatform();
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;

  const Platform& platform() const { return platform_; }

 private:
  struct Services;
  std::unique_ptr<Services> services_;
  Platform platform_;
};

}  // namespace kelvaro
