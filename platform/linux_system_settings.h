#pragma once

#include <optional>
#include <string>

#include "platform/system_settings.h"

namespace kelvaro {

class Registry;

// The running system of the environment, kept in this process. The
// double-click time is the application's own double-click interval, so a
// double-click in the program follows it; the keyboard settings have no
// host equivalent a program may change and are only kept.
//
// The system colours start as Windows 98's own; given the registry of a
// Wine prefix, as its Control Panel\Colors says (Wine starts with those),
// each colour it does not hold as colour text keeping Windows 98's.
//
// The wallpaper and the pattern are the running desktop's: they start as the
// profile (Control Panel\Desktop) says when first asked for, and a change is
// kept for the session; the host has no Windows desktop to repaint.
class LinuxSystemSettings : public SystemSettings {
 public:
  explicit LinuxSystemSettings(Registry* colourRegistry = nullptr) : colourRegistry_(colourRegistry) {}

  int keyboardSpeed() const override { return keyboardSpeed_; }
  void setKeyboardSpeed(int speed) override { keyboardSpeed_ = speed; }
  int keyboardDelay() const override { return keyboardDelay_; }
  void setKeyboardDelay(int delay) override { keyboardDelay_ = delay; }
  int doubleClickTime() const override;
  void setDoubleClickTime(int milliseconds) override;

  Rgb systemColour(int index) const override;
  void setSystemColour(int index, Rgb colour) override;

  std::string wallpaper() const override;
  void setWallpaper(const std::string& bitmapPath) override { wallpaper_ = bitmapPath; }
  std::string pattern() const override;
  void setPattern(const std::string& patternText) override { pattern_ = patternText; }
  void redrawDesktop() override { ++desktopRedraws_; }
  int desktopRedraws() const { return desktopRedraws_; }

 private:
  std::string desktopValue(const char* name) const;
  // Read when first asked for, not while the program starts.
  SystemColours& colours() const;

  Registry* colourRegistry_;
  mutable std::optional<SystemColours> colours_;
  mutable std::optional<std::string> wallpaper_;
  mutable std::optional<std::string> pattern_;
  int desktopRedraws_ = 0;

  // What Windows starts with.
  int keyboardSpeed_ = 31;
  int keyboardDelay_ = 1;
  int doubleClickTime_ = 500;  // without a GUI application to hold it
};

}  // namespace kelvaro
