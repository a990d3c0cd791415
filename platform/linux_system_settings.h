#pragma once

#include <optional>

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

 private:
  // Read when first asked for, not while the program starts.
  SystemColours& colours() const;

  Registry* colourRegistry_;
  mutable std::optional<SystemColours> colours_;

  // What Windows starts with.
  int keyboardSpeed_ = 31;
  int keyboardDelay_ = 1;
  int doubleClickTime_ = 500;  // without a GUI application to hold it
};

}  // namespace kelvaro
