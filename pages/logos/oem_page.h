#pragma once

#include <QImage>

#include <memory>
#include <string>
#include <vector>

#include "pages/page.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace kelvaro {

class TOEMForm;
class Twycinek;

// Page `OEM`: the maker's logo and support lines the System Properties sheet
// shows, kept as oemlogo.bmp and oeminfo.ini in the system directory. A
// picture in one of six formats is fitted into the 180 x 114 logo as it is,
// squeezed or cut out (in the crop window), drawn in the capture window and
// written with the texts by "Zastosuj" / "OK".
class OemPage : public Page {
  Q_OBJECT

 public:
  OemPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);
  ~OemPage() override;

  void resetTransient() override;

  // The picture of the logo box (null when it shows none).
  const QImage& logoPicture() const { return picture_; }
  // Where the picture stands in the logo box, and whether it is stretched.
  QPoint picturePosition() const;
  bool pictureStretched() const;
  const std::vector<std::string>& iniLines() const { return iniLines_; }
  // The windows made on the first Apply that needs them.
  TOEMForm* captureWindow() const { return capture_.get(); }
  Twycinek* cropWindow() const { return crop_.get(); }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::string logoFile() const;
  std::string infoFile() const;
  QImage readPicture(const std::string& dosPath) const;
  void showPicture(const QImage& picture, bool stretched);
  void placePicture();
  void choosePicture();
  void fitToggled();
  void choosePlacement();
  void clearChoices();
  void remove();
  WriteResult apply();
  // Draws the picture in the capture window and writes what it shows as the
  // logo file; false (reported) when it cannot be written.
  bool captureLogo(int layout);
  bool writeInfoFile();
  void showCropWindow(const QImage& picture);
  void cropped(const QImage& view);
  void setInstalledState();
  QPoint captureWindowPosition() const;

  QImage picture_;
  // The DOS path of the picture chosen since the last load.
  std::string chosenFile_;
  std::vector<std::string> iniLines_;

  QLabel* status_ = nullptr;
  QLineEdit* company_ = nullptr;
  QLineEdit* product_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QWidget* logoBox_ = nullptr;
  QLabel* logoPicture_ = nullptr;
  QLabel* placeholder_ = nullptr;
  QLabel* sizeLine_ = nullptr;
  QLabel* nameLine_ = nullptr;
  QCheckBox* fit_ = nullptr;
  QCheckBox* transparent_ = nullptr;
  QPushButton* previewButton_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  QPushButton* applyButton_ = nullptr;
  QGroupBox* placementPanel_ = nullptr;
  QRadioButton* asIs_ = nullptr;
  QRadioButton* fitted_ = nullptr;
  QRadioButton* cutOut_ = nullptr;
  ApplyCommand* apply_ = nullptr;
  std::unique_ptr<TOEMForm> capture_;
  std::unique_ptr<Twycinek> crop_;
  std::string cropSystemDirectory_;
};

}  // namespace kelvaro
