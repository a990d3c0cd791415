#pragma once

#include "platform/system_settings.h"

namespace kelvaro {

// The running system of the environment, kept in this process. The
// double-click time is the application's own double-click interval, so a
// double-click in the program follows it; the keyboard settings have no
// host equivalent a program may change and are only kept.
class LinuxSystemSettings : public SystemSettings {
 public:
  int keyboardSpeed() const override { return keyboardSpeed_; }
  void setKeyboardSpeed(int speed) override { keyboardSpeed_ = speed; }
  int keyboardDelay() const override { return keyboardDelay_; }
  void setKeyboardDelay(int delay) override { keyboardDelay_ = delay; }
  int doubleClickTime() const override;
  void setDoubleClickTime(int milliseconds) override;

 private:
  // What Windows starts with.
  int keyboardSpeed_ = 31;
  int keyboardDelay_ = 1;
  int doubleClickTime_ = 500;  // without a GUI application to hold it
};

}  // namespace kelvaro
