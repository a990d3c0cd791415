#pragma once

namespace kelvaro {

// The settings of the running system that take effect at once: the keyboard
// repeat rate and delay and the double-click time. They change the running
// session only, never the user's profile, so they last until Windows starts
// again. Values are passed on as given; the system decides what it accepts.
//
// The system colours, the wallpaper and the desktop pattern belong here too,
// beside these, once the pages that set them are written.
class SystemSettings {
 public:
  virtual ~SystemSettings() = default;

  // Repeat rate, 0 (slowest) upwards.
  virtual int keyboardSpeed() const = 0;
  virtual void setKeyboardSpeed(int speed) = 0;
  // Repeat delay, 0 (shortest) upwards.
  virtual int keyboardDelay() const = 0;
  virtual void setKeyboardDelay(int delay) = 0;
  // The longest time between the two clicks of a double-click, in milliseconds.
  virtual int doubleClickTime() const = 0;
  virtual void setDoubleClickTime(int milliseconds) = 0;
};

}  // namespace kelvaro
