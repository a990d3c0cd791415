#pragma once

#include <array>
#include <string>

#include "pages/appearance/sound_scheme.h"
#include "pages/page.h"
#include "platform/sound.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QTimer;
class QWidget;

namespace kelvaro {

class ClickableLabel;

// Page `dzwieki` ("Dźwięki"): the seventeen sound events with the file each
// plays, a small player to listen to them, the choice of another file, the
// wave output volume, and the save of all seventeen as a named scheme
// ("Zapisz schemat", then "OK").
class SoundPage : public Page {
  Q_OBJECT

 public:
  SoundPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);
  ~SoundPage() override;

  // Hides the scheme strip and empties its name.
  void resetTransient() override;

  const std::string& eventPath(std::size_t event) const { return paths_[event]; }
  ClickableLabel* eventCaption(std::size_t event) const { return captions_[event]; }

 protected:
  void load() override;

 private:
  enum class Toggle { Play, Pause, Stop };

  void chooseEvent(int sliderPosition);
  bool openInPlayer(const std::string& path);
  void hidePlayer();
  void change();
  void playAction();
  void pauseAction();
  void stopAction();
  void playbackEnded(Sound::End how);
  void positionBarChanged(int value);
  void setPositionBar(int value);
  void setToggles(Toggle down);
  void showSchemeName(RegistryHandle& reg);
  WriteResult save();
  std::string thousandsSeparator();

  Sound& sound() const { return app().sound(); }

  std::array<std::string, kSoundEventCount> paths_;
  std::array<ClickableLabel*, kSoundEventCount> captions_{};
  QLabel* schemeName_ = nullptr;
  QSlider* eventSlider_ = nullptr;
  QFrame* player_ = nullptr;
  QLabel* fileName_ = nullptr;
  QLabel* fileType_ = nullptr;
  QLabel* state_ = nullptr;
  QLabel* frames_ = nullptr;
  QLabel* startPosition_ = nullptr;
  QLabel* length_ = nullptr;
  QLabel* currentPosition_ = nullptr;
  QLabel* duration_ = nullptr;
  QSlider* positionBar_ = nullptr;
  QPushButton* play_ = nullptr;
  QPushButton* pause_ = nullptr;
  QPushButton* stop_ = nullptr;
  QCheckBox* endless_ = nullptr;
  QSlider* volume_ = nullptr;
  QLabel* volumeLabel_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* outerChange_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QWidget* strip_ = nullptr;
  QLineEdit* schemeField_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QTimer* positionTimer_ = nullptr;
  ApplyCommand* save_ = nullptr;
  // Set while the page itself moves the position bar.
  bool movingBar_ = false;
};

}  // namespace kelvaro
