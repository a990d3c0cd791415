#include "platform/recording_sound.h"

namespace kelvaro {

bool RecordingSound::open(std::string_view dosPath) {
  const std::string path(dosPath);
  calls.push_back("open " + path);
  onEnd_ = {};
  if (unopenable.count(path)) {
    state_ = State::NotOpen;
  } else {
    const auto listed = lengths.find(path);
    length_ = listed != lengths.end() ? listed->second : defaultLength;
    position_ = 0;
    state_ = State::Stopped;
  }
  return state_ != State::NotOpen;
}

bool RecordingSound::seek(std::int64_t position) {
  calls.push_back("seek " + std::to_string(position));
  if (state_ == State::NotOpen) return false;
  position_ = position;
  return true;
}

bool RecordingSound::play(EndNotification onEnd) {
  calls.push_back("play");
  if (state_ == State::NotOpen) return false;
  onEnd_ = std::move(onEnd);
  state_ = State::Playing;
  return true;
}

void RecordingSound::cancelEndNotification() {
  calls.push_back("cancel");
  onEnd_ = {};
}

bool RecordingSound::stop() {
  calls.push_back("stop");
  if (state_ == State::NotOpen) return false;
  // The notice of the stopped playback comes later, if the test sends it.
  state_ = State::Stopped;
  return true;
}

bool RecordingSound::pause() {
  calls.push_back("pause");
  if (state_ != State::Playing) return false;
  state_ = State::Paused;
  return true;
}

bool RecordingSound::resume() {
  calls.push_back("resume");
  if (state_ != State::Paused) return false;
  state_ = State::Playing;
  return true;
}

void RecordingSound::setWaveOutVolume(std::uint16_t left, std::uint16_t right) {
  volumes.emplace_back(left, right);
}

void RecordingSound::endInterrupted() {
  if (EndNotification ended = std::exchange(onEnd_, {})) ended(End::Interrupted);
}

void RecordingSound::finish() {
  if (state_ != State::Playing) return;
  position_ = length_;
  state_ = State::Stopped;
  if (EndNotification ended = std::exchange(onEnd_, {})) ended(End::Finished);
}

}  // namespace kelvaro
