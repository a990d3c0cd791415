#pragma once

#include <functional>
#include <string>

#include "pages/frame_control.h"
#include "platform/dialogs.h"
#include "platform/environment.h"
#include "platform/platform.h"

namespace kelvaro {

class FileSystem;
class Fonts;
class Icons;
class Launcher;
class Network;
class Pictures;
class ShellLinks;
class Sound;
class SystemSettings;

// What a page may use: the environment and its registry and files, the
// platform services, the frame, the process-wide flags, and the one way to
// run a loader or a command. Every service is handed out by reference.
class AppContext {
 public:
  // Every service of the platform but those still to come must be there.
  explicit AppContext(const Platform& platform);

  Environment& environment() const { return *platform_.environment; }
  Registry& registry() const { return platform_.environment->registry(); }
  FileSystem& files() const { return platform_.environment->files(); }
  Dialogs& dialogs() const { return *platform_.dialogs; }
  Launcher& launcher() const { return *platform_.launcher; }
  ShellLinks& shellLinks() const { return *platform_.shellLinks; }
  Icons& icons() const { return *platform_.icons; }
  Pictures& pictures() const { return *platform_.pictures; }
  Fonts& fonts() const { return *platform_.fonts; }
  Sound& sound() const { return *platform_.sound; }
  SystemSettings& systemSettings() const { return *platform_.systemSettings; }
  Network& network() const { return *platform_.network; }
  const Platform& platform() const { return platform_; }

  // The main window as pages may change it; a frame that changes nothing
  // while no window is attached.
  FrameControl& frame() const { return frame_ ? *frame_ : detached_; }
  void attachFrame(FrameControl* frame) { frame_ = frame; }
  bool frameAttached(const FrameControl* frame) const { return frame_ == frame; }

  // Set by Apply commands that need a restart; never cleared.
  bool restartNeeded() const { return restartNeeded_; }
  void setRestartNeeded() { restartNeeded_ = true; }

  // The loading guard: set while the options loader fills its page, so the
  // options' change reactions, which write at once, write nothing.
  bool loadingGuard() const { return loadingGuard_ > 0; }
  class LoadingGuardScope {
   public:
    explicit LoadingGuardScope(AppContext& app) : app_(app) { ++app_.loadingGuard_; }
    ~LoadingGuardScope() { --app_.loadingGuard_; }
    LoadingGuardScope(const LoadingGuardScope&) = delete;
    LoadingGuardScope& operator=(const LoadingGuardScope&) = delete;

   private:
    AppContext& app_;
  };

  // Runs a loader or a command: a store error ends it and is shown in the
  // error box; what it wrote is on disk before this returns. False when an
  // error ended it.
  bool run(const std::function<void()>& command);
  // Puts what was written so far on disk (throws StoreError).
  void flush() { platform_.environment->flush(); }

 private:
  Platform platform_;
  FrameControl* frame_ = nullptr;
  mutable DetachedFrame detached_;
  bool restartNeeded_ = false;
  int loadingGuard_ = 0;
};

}  // namespace kelvaro
