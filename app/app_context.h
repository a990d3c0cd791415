#pragma once

#include <functional>
#include <string>

#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/platform.h"

namespace kelvaro {

class FrameControl;

// What a page may use: the environment and its registry, the platform
// services, the process-wide flags, and the one way to run a loader or a
// command.
class AppContext {
 public:
  explicit AppContext(const Platform& platform) : platform_(platform) {}

  Environment& environment() const { return *platform_.environment; }
  Registry& registry() const { return platform_.environment->registry(); }
  Dialogs& dialogs() const { return *platform_.dialogs; }
  Launcher* launcher() const { return platform_.launcher; }
  const Platform& platform() const { return platform_; }
  // The main window's options the options page applies; null without a window.
  FrameControl* frame() const { return frame_; }
  void setFrame(FrameControl* frame) { frame_ = frame; }

  // Set by Apply commands that need a restart; never cleared.
  bool restartNeeded() const { return restartNeeded_; }
  void setRestartNeeded() { restartNeeded_ = true; }

  // Set while the options loader fills its page.
  bool loadingGuard = false;

  // Runs a loader or a command: a store error ends it and is shown in the
  // error box; what it wrote is on disk before this returns. False when an
  // error ended it.
  bool run(const std::function<void()>& command);
  // Puts what was written so far on disk (throws StoreError).
  void flush() { platform_.environment->flush(); }

 private:
  Platform platform_;
  FrameControl* frame_ = nullptr;
  bool restartNeeded_ = false;
};

}  // namespace kelvaro
