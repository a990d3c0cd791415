#pragma once

#include <array>
#include <functional>

#include "pages/frame_control.h"
#include "pages/page.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace kelvaro {

class RegistryHandle;

// One tab layout of the main page control: its choice, its arrangement and
// the window size that goes with it. Numbered 1 to 7 as "Zakladki" stores it.
struct TabLayoutChoice {
  const char* caption;
  TabLayout layout;
};
const std::array<TabLayoutChoice, 7>& tabLayoutChoices();

// The rotating window title: the text moves one character to the left each step.
class ScrollingTitle {
 public:
  // "Morvane Kelvaro v. 3.7.37" and twenty spaces.
  static QString text();
  const QString& current() const { return current_; }
  void step() { current_ = current_.mid(1) + current_.left(1); }
  void reset() { current_ = text(); }

 private:
  QString current_ = text();
};

// Page `Properties` ("Opcje"): the program's own options. Most of them are
// written the moment they change and take effect at once on the whole window;
// only the password has an Apply command.
class OptionsPage : public Page {
  Q_OBJECT

 public:
  OptionsPage(AppContext& app, const PageInfo& info, QWidget* parent);

  QTimer* scrollTimer() const { return scrollTimer_; }

 protected:
  void load() override;

 private:
  void buildPasswordControls(QWidget* area);
  void buildColourControls(QWidget* area);
  void buildWindowControls(QWidget* area);
  void connectReactions();

  // Change reactions.
  void colourSliderChanged();
  void rememberColourSelected();
  void standardColourSelected();
  void hintCheckToggled(bool checked);
  void hintSliderChanged(int seconds);
  void scrollCheckToggled(bool checked);
  void scrollWindowOnlySelected();
  void scrollTaskBarSelected();
  void layoutSelected(int number);
  void menuSelected(int number);
  void passwordCheckToggled(bool checked);
  void passwordFieldsChanged();
  WriteResult applyPassword();

  void startScrolling(bool taskBarToo);
  void stopScrolling();
  void scrollStep();

  // Writes to the program's own key, unless the loading guard is set.
  void writeOption(const std::function<void(RegistryHandle&)>& write);
  void writeSliderColour(RegistryHandle& reg) const;
  void showSliderColour();
  void showStandardColour();

  QCheckBox* passwordCheck_ = nullptr;
  QLabel* passwordLabel_ = nullptr;
  QLineEdit* passwordEdit_ = nullptr;
  QLabel* confirmLabel_ = nullptr;
  QLineEdit* confirmEdit_ = nullptr;
  QPushButton* passwordButton_ = nullptr;
  ApplyCommand* passwordApply_ = nullptr;

  std::array<QSlider*, 3> colourSliders_{};
  std::array<QLabel*, 3> colourValues_{};
  QSlider* greySlider_ = nullptr;
  QRadioButton* rememberColour_ = nullptr;
  QRadioButton* standardColour_ = nullptr;

  QCheckBox* hintCheck_ = nullptr;
  QLabel* hintCaption_ = nullptr;
  QSlider* hintSlider_ = nullptr;
  QLabel* hintSeconds_ = nullptr;
  QCheckBox* rememberPage_ = nullptr;
  QCheckBox* scrollCheck_ = nullptr;
  QRadioButton* scrollWindowOnly_ = nullptr;
  QRadioButton* scrollTaskBar_ = nullptr;
  std::array<QRadioButton*, 7> layoutChoices_{};
  QRadioButton* menuPageOrder_ = nullptr;
  QRadioButton* menuAlphabetical_ = nullptr;

  QTimer* scrollTimer_ = nullptr;
  ScrollingTitle title_;
  bool scrollsTaskBar_ = false;
};

}  // namespace kelvaro
