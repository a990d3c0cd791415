#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace kelvaro {

// The sound page's player and the wave output volume. One sound file is open
// at a time; positions and lengths are in milliseconds. Stopping keeps the
// position, so the next play goes on from there unless it is moved first.
class Sound {
 public:
  enum class State { NotOpen, Stopped, Playing, Paused };
  // How a playback ended: at the end of the file, or cut short (stopped, or
  // the device failed).
  enum class End { Finished, Interrupted };
  using EndNotification = std::function<void(End)>;

  virtual ~Sound() = default;

  // Opens a file of the environment (a DOS path), closing the one before and
  // dropping its end notification; false when it cannot be played, and then
  // nothing is open.
  virtual bool open(std::string_view dosPath) = 0;
  virtual State state() const = 0;
  // 0 while nothing is open.
  virtual std::int64_t length() const = 0;
  virtual std::int64_t position() const = 0;

  // Each fails while nothing is open.
  virtual bool seek(std::int64_t position) = 0;
  // Plays from the position. onEnd is called once, after this returns, when
  // the playback ends; a later play replaces it.
  virtual bool play(EndNotification onEnd) = 0;
  // Drops the end notification of the playback under way.
  virtual void cancelEndNotification() = 0;
  virtual bool stop() = 0;
  // Fail unless playing, resp. paused.
  virtual bool pause() = 0;
  virtual bool resume() = 0;

  // The wave output volume, a level per channel (0-0xFFFF), as the running
  // system's device 0 takes it; here it is the volume of our own output.
  virtual void setWaveOutVolume(std::uint16_t left, std::uint16_t right) = 0;
};

}  // namespace kelvaro
