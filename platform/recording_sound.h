#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/sound.h"

namespace kelvaro {

// The test double of Sound: a player that opens what the test allows, keeps
// its position where the test puts it, ends a playback when the test says,
// and records every request ("open C:\...", "seek 250", "play", "pause",
// "resume", "stop", "cancel") and every volume sent.
class RecordingSound : public Sound {
 public:
  bool open(std::string_view dosPath) override;
  State state() const override { return state_; }
  std::int64_t length() const override { return state_ == State::NotOpen ? 0 : length_; }
  std::int64_t position() const override { return state_ == State::NotOpen ? 0 : position_; }
  bool seek(std::int64_t position) override;
  bool play(EndNotification onEnd) override;
  void cancelEndNotification() override;
  bool stop() override;
  bool pause() override;
  bool resume() override;
  void setWaveOutVolume(std::uint16_t left, std::uint16_t right) override;

  // What the playback does next, as the device would: moves on to a position,
  // or reaches the end (the end notification, if one stands, follows at once).
  // A stopped playback keeps its notification until endInterrupted() sends
  // it, as a device's late notice.
  void advanceTo(std::int64_t position) { position_ = position; }
  void finish();
  void endInterrupted();
  bool endNotificationPending() const { return static_cast<bool>(onEnd_); }

  // The length of each file that opens; a file not listed opens with
  // defaultLength unless it is in unopenable (compared as given).
  std::map<std::string, std::int64_t> lengths;
  std::int64_t defaultLength = 1500;
  std::set<std::string> unopenable;

  std::vector<std::string> calls;
  std::vector<std::pair<std::uint16_t, std::uint16_t>> volumes;

 private:
  State state_ = State::NotOpen;
  std::int64_t length_ = 0;
  std::int64_t position_ = 0;
  EndNotification onEnd_;
};

}  // namespace kelvaro
