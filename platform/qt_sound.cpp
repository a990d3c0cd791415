#include "platform/qt_sound.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

#include <utility>

namespace kelvaro {
namespace {

// How long opening waits for the back end to read a file.
constexpr int kOpenTimeoutMs = 5000;

// Debian's Qt 6.4 always comes with its FFmpeg back end, which reads WAV and
// MP3 alike; its GStreamer back end crashes when the GStreamer plugins are
// missing. A back end the user chose stays chosen.
void chooseBackend() {
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
}

}  // namespace

QtSound::QtSound(HostPath hostPath) : hostPath_(std::move(hostPath)) {}

QtSound::~QtSound() = default;

bool QtSound::hasAudioOutput() {
  chooseBackend();
  return !QMediaDevices::audioOutputs().isEmpty();
}

void QtSound::makePlayer() {
  if (player_) return;
  output_ = std::make_unique<QAudioOutput>();
  output_->setVolume(volume_);
  player_ = std::make_unique<QMediaPlayer>();
  player_->setAudioOutput(output_.get());
  connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::EndOfMedia && state_ == State::Playing) {
      state_ = State::Stopped;
      notifyEnd(End::Finished);
    }
  });
  connect(player_.get(), &QMediaPlayer::errorOccurred, this, [this] {
    if (state_ == State::Playing || state_ == State::Paused) {
      state_ = State::Stopped;
      notifyEnd(End::Interrupted);
    }
  });
}

void QtSound::close() {
  cancelEndNotification();
  state_ = State::NotOpen;
  if (player_) {
    player_->stop();
    player_->setSource(QUrl());
  }
}

bool QtSound::open(std::string_view dosPath) {
  close();
  const std::optional<std::filesystem::path> host = hostPath_(dosPath);
  std::error_code ec;
  if (!host || !std::filesystem::is_regular_file(*host, ec) || !hasAudioOutput()) return false;
  makePlayer();

  QEventLoop loop;
  const auto loaded = [this] {
    const QMediaPlayer::MediaStatus status = player_->mediaStatus();
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::InvalidMedia ||
           player_->error() != QMediaPlayer::NoError;
  };
  const QMetaObject::Connection statusWatch =
      connect(player_.get(), &QMediaPlayer::mediaStatusChanged, &loop, [&] {
        if (loaded()) loop.quit();
      });
  const QMetaObject::Connection errorWatch =
      connect(player_.get(), &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
  QTimer::singleShot(kOpenTimeoutMs, &loop, &QEventLoop::quit);
  player_->setSource(QUrl::fromLocalFile(QString::fromStdString(host->string())));
  // The user's input waits, as it would behind a Windows player's open.
  if (!loaded()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  disconnect(statusWatch);
  disconnect(errorWatch);

  if (player_->mediaStatus() != QMediaPlayer::LoadedMedia || player_->error() != QMediaPlayer::NoError) {
    player_->setSource(QUrl());
    return false;
  }
  state_ = State::Stopped;
  return true;
}

std::int64_t QtSound::length() const { return state_ == State::NotOpen ? 0 : player_->duration(); }

std::int64_t QtSound::position() const { return state_ == State::NotOpen ? 0 : player_->position(); }

bool QtSound::seek(std::int64_t position) {
  if (state_ == State::NotOpen) return false;
  player_->setPosition(position);
  return true;
}

bool QtSound::play(EndNotification onEnd) {
  if (state_ == State::NotOpen) return false;
  ++notification_;
  onEnd_ = std::move(onEnd);
  state_ = State::Playing;
  player_->play();
  return true;
}

void QtSound::cancelEndNotification() {
  ++notification_;
  onEnd_ = {};
}

bool QtSound::stop() {
  if (state_ == State::NotOpen) return false;
  // Paused rather than stopped: Qt's stop goes back to the start, a Windows
  // player's stop stays where it is.
  if (player_->playbackState() == QMediaPlayer::PlayingState) player_->pause();
  if (state_ == State::Playing || state_ == State::Paused) notifyEnd(End::Interrupted);
  state_ = State::Stopped;
  return true;
}

bool QtSound::pause() {
  if (state_ != State::Playing) return false;
  player_->pause();
  state_ = State::Paused;
  return true;
}

bool QtSound::resume() {
  if (state_ != State::Paused) return false;
  player_->play();
  state_ = State::Playing;
  return true;
}

void QtSound::setWaveOutVolume(std::uint16_t left, std::uint16_t right) {
  // One volume for our output: the mean of the two channels' levels.
  volume_ = static_cast<float>((static_cast<int>(left) + right) / 2.0 / 0xFFFF);
  if (output_) output_->setVolume(volume_);
}

void QtSound::notifyEnd(End how) {
  if (!onEnd_) return;
  const std::uint64_t notification = notification_;
  QTimer::singleShot(0, this, [this, notification, how] {
    if (notification != notification_ || !onEnd_) return;
    EndNotification ended = std::exchange(onEnd_, {});
    ended(how);
  });
}

}  // namespace kelvaro
