#pragma once

#include <functional>
#include <memory>
#include <string>

#include "dialogs/icon_slots.h"
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
class ScreenCapture;
class ShellLinks;
class Sound;
class SystemSettings;
class TIkonyForm;

// What a page may use: the environment and its registry and files, the
// platform services, the frame, the process-wide flags, and the one way to
// run a loader or a command. Every service is handed out by reference.
class AppContext {
 public:
  // Every service of the platform but those still to come must be there.
  explicit AppContext(const Platform& platform);
  ~AppContext();
  AppContext(const AppContext&) = delete;
  AppContext& operator=(const AppContext&) = delete;

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
  // The screen's pixels of a window; null where nothing can give them (the
  // window then draws its content into the bitmap itself).
  ScreenCapture* screenCapture() const { return platform_.screenCapture; }
  Network& network() const { return *platform_.network; }
  const Platform& platform() const { return platform_; }

  // The main window as pages may change it; a frame that changes nothing
  // while no window is attached.
  FrameControl& frame() const { return frame_ ? *frame_ : detached_; }
  void attachFrame(FrameControl* frame) { frame_ = frame; }
  bool frameAttached(const FrameControl* frame) const { return frame_ == frame; }

  // The program's Windows directory (a DOS path without a trailing
  // backslash): the environment's, until the crop window of the OEM page
  // sets the one it found in the registry, which holds from then on.
  std::string windowsDirectory() const {
    return windowsDirectory_.empty() ? platform_.environment->windowsDirectory() : windowsDirectory_;
  }
  void setWindowsDirectory(std::string directory) { windowsDirectory_ = std::move(directory); }

  // Who receives the icons picked for each slot number (pages register
  // their slots when they are made), and the icon picker, one window made
  // when it is first opened.
  IconSlots& iconSlots() { return iconSlots_; }
  TIkonyForm& iconPicker();

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
  std::string windowsDirectory_;
  int loadingGuard_ = 0;
  IconSlots iconSlots_;
  std::unique_ptr<TIkonyForm> iconPicker_;
};

}  // namespace kelvaro
