#pragma once

#include <array>
#include <map>

#include "pages/page.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro {

class InPlaceEditor;
class RegistryHandle;

// Page `triki` ("Triki"): about twenty independent shell tweaks, each a
// tick box read from the registry and the Start menu folder, and all written
// again, on or off, by one "Zastosuj". Three description lines at the
// bottom tell what the control under the pointer does.
class TricksPage : public Page {
  Q_OBJECT

 public:
  TricksPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void resetTransient() override;

  QLabel* descriptionLine(int i) const { return lines_[static_cast<std::size_t>(i)]; }
  InPlaceEditor* titleEditor() const { return titleEditor_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Description {
    const char* first;
    const char* second;
    const char* third;
  };

  QCheckBox* box(const char* name, const QString& caption, QWidget* parent);
  void describe(QWidget* control, Description lines);
  void setLines(const QString& first, const QString& second, const QString& third);
  void updatePreviewButton();

  void loadWelcome(RegistryHandle& reg);
  void loadClock(RegistryHandle& reg);
  void loadTitle(RegistryHandle& reg);
  bool loadIconTrick(RegistryHandle& reg, const char* extension);

  WriteResult apply();
  void applyWelcome(RegistryHandle& reg);
  void applyClock(RegistryHandle& reg);
  void applyStartMenuFolders();
  void applyTitle(RegistryHandle& reg);
  void applyBitmapIcons(RegistryHandle& reg);
  void applyIconLibraries(RegistryHandle& reg);
  void applyClasses(RegistryHandle& reg, int trick);

  ApplyCommand* apply_ = nullptr;
  std::map<int, QCheckBox*> classes_;  // by ClassesTrickId
  std::array<QCheckBox*, 6> startMenu_{};
  QCheckBox* clock_ = nullptr;
  QCheckBox* welcome_ = nullptr;
  QCheckBox* bitmaps_ = nullptr;
  QCheckBox* iconLibraries_ = nullptr;
  QGroupBox* welcomeGroup_ = nullptr;
  QLineEdit* welcomeName_ = nullptr;
  QLineEdit* welcomeText_ = nullptr;
  QPushButton* preview_ = nullptr;
  QLabel* title_ = nullptr;
  InPlaceEditor* titleEditor_ = nullptr;
  std::array<QLabel*, 3> lines_{};
  std::map<QObject*, Description> descriptions_;
};

}  // namespace kelvaro
