#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/system_settings.h"

namespace kelvaro {

// The test double of SystemSettings: keeps the values like a running system
// does and records every call, reads included.
class RecordingSystemSettings : public SystemSettings {
 public:
  struct Call {
    std::string operation;  // "setKeyboardSpeed", "doubleClickTime", ...
    int value = 0;          // what was set, or what a read answered
    friend bool operator==(const Call&, const Call&) = default;
  };

  int keyboardSpeed() const override;
  void setKeyboardSpeed(int speed) override;
  int keyboardDelay() const override;
  void setKeyboardDelay(int delay) override;
  int doubleClickTime() const override;
  void setDoubleClickTime(int milliseconds) override;
  // Recorded with the index as the value.
  Rgb systemColour(int index) const override;
  void setSystemColour(int index, Rgb colour) override;
  // Recorded with their text in texts() (value 0).
  std::string wallpaper() const override;
  void setWallpaper(const std::string& bitmapPath) override;
  std::string pattern() const override;
  void setPattern(const std::string& patternText) override;
  void redrawDesktop() override;

  const std::vector<Call>& calls() const { return calls_; }
  // Only the calls that set something, in order.
  std::vector<Call> sets() const;
  void clear() {
    calls_.clear();
    colourSets_.clear();
    texts_.clear();
  }
  // The wallpaper and pattern calls with what they carried, in order
  // ("setWallpaper", path), ("redrawDesktop", "").
  const std::vector<std::pair<std::string, std::string>>& texts() const { return texts_; }

  struct ColourSet {
    int index = 0;
    Rgb colour;
    friend bool operator==(const ColourSet&, const ColourSet&) = default;
  };
  // Every setSystemColour, in order.
  const std::vector<ColourSet>& colourSets() const { return colourSets_; }

  // The state of the running system; a test may change it as another program would.
  int keyboardSpeedValue = 31;
  int keyboardDelayValue = 1;
  int doubleClickTimeValue = 500;
  SystemColours systemColours = standardSystemColours();
  std::string wallpaperValue;
  std::string patternValue;

 private:
  int answer(const char* operation, int value) const {
    calls_.push_back({operation, value});
    return value;
  }

  mutable std::vector<Call> calls_;
  std::vector<ColourSet> colourSets_;
  mutable std::vector<std::pair<std::string, std::string>> texts_;
};

}  // namespace kelvaro
