#pragma once

#include <QObject>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/sound.h"

class QAudioOutput;
class QMediaPlayer;

namespace kelvaro {

// Sound on Qt Multimedia. The player is made when the first file is opened,
// never before: making it loads the media back end, which start-up must not
// wait for. Opening waits until the back end has read the file, so its length
// is known when open() returns, as a Windows player's open does.
class QtSound : public QObject, public Sound {
  Q_OBJECT

 public:
  // Where a DOS path of the environment is on the host.
  using HostPath = std::function<std::optional<std::filesystem::path>(std::string_view)>;

  explicit QtSound(HostPath hostPath);
  ~QtSound() override;

  // True when the machine has a device to play on. Without one nothing
  // opens: Qt 6.4's back ends crash when they play (or even start) there.
  static bool hasAudioOutput();

  bool open(std::string_view dosPath) override;
  State state() const override { return state_; }
  std::int64_t length() const override;
  std::int64_t position() const override;
  bool seek(std::int64_t position) override;
  bool play(EndNotification onEnd) override;
  void cancelEndNotification() override;
  bool stop() override;
  bool pause() override;
  bool resume() override;
  void setWaveOutVolume(std::uint16_t left, std::uint16_t right) override;

 private:
  void makePlayer();
  void close();
  // Sends the standing end notification once control is back in the event
  // loop, unless it is cancelled or replaced before then.
  void notifyEnd(End how);

  HostPath hostPath_;
  std::unique_ptr<QAudioOutput> output_;
  std::unique_ptr<QMediaPlayer> player_;
  State state_ = State::NotOpen;
  EndNotification onEnd_;
  std::uint64_t notification_ = 0;
  float volume_ = 1.0f;
};

}  // namespace kelvaro
