#include "platform/recording_system_settings.h"

namespace kelvaro {

int RecordingSystemSettings::keyboardSpeed() const { return answer("keyboardSpeed", keyboardSpeedValue); }

void RecordingSystemSettings::setKeyboardSpeed(int speed) {
  calls_.push_back({"setKeyboardSpeed", speed});
  keyboardSpeedValue = speed;
}

int RecordingSystemSettings::keyboardDelay() const { return answer("keyboardDelay", keyboardDelayValue); }

void RecordingSystemSettings::setKeyboardDelay(int delay) {
  calls_.push_back({"setKeyboardDelay", delay});
  keyboardDelayValue = delay;
}

int RecordingSystemSettings::doubleClickTime() const {
  return answer("doubleClickTime", doubleClickTimeValue);
}

void RecordingSystemSettings::setDoubleClickTime(int milliseconds) {
  calls_.push_back({"setDoubleClickTime", milliseconds});
  doubleClickTimeValue = milliseconds;
}

Rgb RecordingSystemSettings::systemColour(int index) const {
  calls_.push_back({"systemColour", index});
  return index >= 0 && index < kSystemColourCount ? systemColours[index] : Rgb{};
}

void RecordingSystemSettings::setSystemColour(int index, Rgb colour) {
  calls_.push_back({"setSystemColour", index});
  colourSets_.push_back({index, colour});
  if (index >= 0 && index < kSystemColourCount) systemColours[index] = colour;
}

std::string RecordingSystemSettings::wallpaper() const {
  calls_.push_back({"wallpaper", 0});
  texts_.emplace_back("wallpaper", wallpaperValue);
  return wallpaperValue;
}

void RecordingSystemSettings::setWallpaper(const std::string& bitmapPath) {
  calls_.push_back({"setWallpaper", 0});
  texts_.emplace_back("setWallpaper", bitmapPath);
  wallpaperValue = bitmapPath;
}

std::string RecordingSystemSettings::pattern() const {
  calls_.push_back({"pattern", 0});
  texts_.emplace_back("pattern", patternValue);
  return patternValue;
}

void RecordingSystemSettings::setPattern(const std::string& patternText) {
  calls_.push_back({"setPattern", 0});
  texts_.emplace_back("setPattern", patternText);
  patternValue = patternText;
}

void RecordingSystemSettings::redrawDesktop() {
  calls_.push_back({"redrawDesktop", 0});
  texts_.emplace_back("redrawDesktop", "");
}

std::vector<RecordingSystemSettings::Call> RecordingSystemSettings::sets() const {
  std::vector<Call> out;
  for (const Call& c : calls_) {
    if (c.operation.rfind("set", 0) == 0) out.push_back(c);
  }
  return out;
}

}  // namespace kelvaro
