#pragma once

#include <array>
#include <string>

#include "store/colour_text.h"

namespace kelvaro {

// The system colours by index, as SetSysColors numbers them; each name is
// the colour's value in Control Panel\Colors and its key in win.ini's
// [colors].
inline constexpr std::array<const char*, 29> kSystemColourNames{"Scrollbar",
                                                                "Background",
                                                                "ActiveTitle",
                                                                "InactiveTitle",
                                                                "Menu",
                                                                "Window",
                                                                "WindowFrame",
                                                                "MenuText",
                                                                "WindowText",
                                                                "TitleText",
                                                                "ActiveBorder",
                                                                "InactiveBorder",
                                                                "AppWorkspace",
                                                                "Hilight",
                                                                "HilightText",
                                                                "ButtonFace",
                                                                "ButtonShadow",
                                                                "GrayText",
                                                                "ButtonText",
                                                                "InactiveTitleText",
                                                                "ButtonHilight",
                                                                "ButtonDkShadow",
                                                                "ButtonLight",
                                                                "InfoText",
                                                                "InfoWindow",
                                                                "ButtonAlternateFace",
                                                                "HotTrackingColor",
                                                                "GradientActiveTitle",
                                                                "GradientInactiveTitle"};
inline constexpr int kSystemColourCount = static_cast<int>(kSystemColourNames.size());
using SystemColours = std::array<Rgb, kSystemColourNames.size()>;
// What Windows 98 starts with.
const SystemColours& standardSystemColours();

// The settings of the running system that take effect at once: the keyboard
// repeat rate and delay, the double-click time, the system colours, the
// wallpaper and the desktop pattern. The first ones change the running
// session only, never the user's profile, so they last until Windows starts
// again; the wallpaper and the pattern are pushed as SystemParametersInfo
// does with SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE (the profile's values
// are written by the page beforehand). Values are passed on as given; the
// system decides what it accepts.
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

  // System colours (GetSysColor, SetSysColors).
  // The present colour of index 0-28; black for any other index.
  virtual Rgb systemColour(int index) const = 0;
  // Changes one colour of the running system; other indexes are ignored.
  virtual void setSystemColour(int index, Rgb colour) = 0;

  // The desktop wallpaper (SPI_SETDESKWALLPAPER): the bitmap's DOS path, or
  // empty for none.
  virtual std::string wallpaper() const = 0;
  virtual void setWallpaper(const std::string& bitmapPath) = 0;
  // The desktop pattern (SPI_SETDESKPATTERN): eight decimal row bytes joined
  // by single spaces, as Control Panel\Desktop's Pattern holds it.
  virtual std::string pattern() const = 0;
  virtual void setPattern(const std::string& patternText) = 0;
  // Redraws the desktop window after one of the two changed
  // (UpdateWindow(GetDesktopWindow())).
  virtual void redrawDesktop() = 0;
};

}  // namespace kelvaro
