#pragma once

#include <QImage>
#include <QPoint>

#include <array>
#include <memory>
#include <string>

#include "pages/desktop/wallpaper.h"
#include "pages/page.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimer;
class QToolButton;

namespace kelvaro {

class DesktopSettingsTabs;
class PatternPreview;
class PositionField;
class Tpodglad;

// Page `pulpit`: six sub-pages. "Tapeta", "Deseń" and "Wygaszacz" change what
// the desktop shows and are built here; "Ustawienia", "Ograniczenia" and
// "Organizuj" are DesktopSettingsTabs'. The loader fills them in one order.
class DesktopPage : public Page {
  Q_OBJECT

 public:
  DesktopPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);
  ~DesktopPage() override;

  DesktopSettingsTabs* settingsTabs() const { return settings_; }

  // The chosen wallpaper (a DOS path; empty for none) and its picture.
  const std::string& wallpaperFile() const { return wallpaper_.file; }
  const QImage& wallpaperPicture() const { return wallpaper_.picture; }
  WallpaperStyle wallpaperStyle() const;
  // The preview window while it exists (made on the first full-screen preview).
  Tpodglad* previewWindow() const { return preview_.get(); }
  // The pattern the preview shows and the text the pattern Apply writes.
  int previewedPattern() const;
  const std::string& currentPatternText() const { return patternText_; }
  // Whether the monitor boxes are there (their Active values exist).
  bool lowPowerPresent() const { return lowPowerPresent_; }
  bool powerOffPresent() const { return powerOffPresent_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct ChosenWallpaper {
    std::string file;
    QImage picture;
    // The quarter-size previews by style, made when first shown.
    std::array<QImage, 4> previews;
  };

  void buildWallpaperTab();
  void buildPatternTab();
  void buildScreenSaverTab();

  void loadWallpaperStyle();
  void loadScreenSaverSettings();
  void loadScreenAndWallpaper();
  void loadScreenSaverList();
  void loadPattern();

  QColor desktopColour() const;
  QSize screenSize() const;
  // The picture of a DOS path, or nullopt with the decoder's reason.
  std::optional<QImage> readPicture(const std::string& dosPath, std::string* error);
  void setStyle(WallpaperStyle style);
  void showNoWallpaper();
  void showWallpaperDetails();
  void showQuarterPreview();
  void changeWallpaper();
  void chooseStyle(WallpaperStyle style);
  void removeWallpaper();
  void showFullScreenPreview();
  std::string chooserFolder() const;
  // Installs the chosen picture as the Windows directory's bitmap; false
  // (reported) when it cannot be.
  bool installWallpaper(const std::string& target);
  WriteResult applyWallpaper();

  void choosePattern(int row);
  WriteResult applyPattern();

  void chooseScreenSaver();
  void showLongName();
  std::string screenSaverPath() const;
  void previewScreenSaver();
  void installScreenSaver();
  WriteResult applyScreenSaverOptions();

  DesktopSettingsTabs* settings_ = nullptr;

  // Tapeta
  ChosenWallpaper wallpaper_;
  WallpaperStyle loadedStyle_ = WallpaperStyle::None;
  QLabel* fileName_ = nullptr;
  QLabel* fileType_ = nullptr;
  QLabel* pictureSize_ = nullptr;
  QLabel* resolution_ = nullptr;
  QLabel* quarter_ = nullptr;
  QButtonGroup* styles_ = nullptr;
  QRadioButton* tiled_ = nullptr;
  QRadioButton* centred_ = nullptr;
  QRadioButton* stretched_ = nullptr;
  PositionField* originX_ = nullptr;
  PositionField* originY_ = nullptr;
  QPushButton* changeButton_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  QToolButton* fullScreenButton_ = nullptr;
  QProgressBar* progress_ = nullptr;
  ApplyCommand* wallpaperApply_ = nullptr;
  std::unique_ptr<Tpodglad> preview_;

  // Deseń
  QListWidget* patterns_ = nullptr;
  PatternPreview* patternPreview_ = nullptr;
  std::string patternText_;
  ApplyCommand* patternApply_ = nullptr;

  // Wygaszacz
  QListWidget* savers_ = nullptr;
  QTimer* longNameHint_ = nullptr;
  QPoint hintPoint_;
  QPushButton* saverPreview_ = nullptr;
  QPushButton* saverInstall_ = nullptr;
  QCheckBox* saverActive_ = nullptr;
  QSpinBox* saverTimeout_ = nullptr;
  QGroupBox* monitorGroup_ = nullptr;
  QCheckBox* lowPowerActive_ = nullptr;
  QSpinBox* lowPowerTimeout_ = nullptr;
  QCheckBox* powerOffActive_ = nullptr;
  QSpinBox* powerOffTimeout_ = nullptr;
  QCheckBox* usePassword_ = nullptr;
  bool lowPowerPresent_ = false;
  bool powerOffPresent_ = false;
  ApplyCommand* saverApply_ = nullptr;
};

}  // namespace kelvaro
