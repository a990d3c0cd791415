#pragma once

#include <QImage>

#include <array>
#include <string>
#include <vector>

#include "pages/page.h"

class QCheckBox;
class QFrame;
class QLabel;
class QScrollArea;
class QScrollBar;
class QTimer;

namespace kelvaro {

class Binding;
class ClickableLabel;
class InternetEditor;

// Page `internet`: the web browser's titles, folders, pages and toolbar
// pictures, its menu commands, toolbar and window switches, the mail
// reader's title and start, and the tabs and controls of the Internet
// Options dialog to hide or lock; five sub-pages, each with its own Apply.
class InternetPage : public Page {
  Q_OBJECT

 public:
  // The three toolbar pictures: the two animation strips and the background.
  enum Picture { SmallAnimation, LargeAnimation, Background, kPictures };
  static constexpr int kFrames = 31;

  InternetPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void resetTransient() override;

  InternetEditor* generalEditor() const { return generalEditor_; }
  InternetEditor* outlookEditor() const { return outlookEditor_; }
  // The frame an animation preview shows, 0 for the first.
  int animationFrame(Picture picture) const { return pictures_[picture].frame; }
  // The picture path as it would be written.
  const std::string& picturePath(Picture picture) const { return pictures_[picture].path; }
  QLabel* preview(Picture picture) const { return pictures_[picture].preview; }
  QFrame* previewPanel() const { return previewPanel_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct PictureSlot {
    QLabel* preview = nullptr;
    ClickableLabel* change = nullptr;
    ClickableLabel* remove = nullptr;
    QTimer* timer = nullptr;
    std::string path;
    QImage image;  // what the preview shows; null: the built-in one
    bool stale = true;
    int frame = 0;
  };

  void buildGeneral();
  void buildMenu();
  void buildSettings();
  void buildOutlook();
  void buildOptions();

  void loadGeneral();
  void loadSettings();
  void loadOutlook();

  void choosePicture(Picture picture);
  void removePicture(Picture picture);
  void showPicture(Picture picture);
  void refreshPreviews();
  void startAnimation(Picture picture);
  void stopAnimation(Picture picture);
  void nextFrame(Picture picture);
  QImage toolbarPicture(int width) const;

  WriteResult applyGeneral();
  WriteResult applySettings();
  WriteResult applyOutlook();

  bool editing_ = false;
  InternetEditor* generalEditor_ = nullptr;
  InternetEditor* outlookEditor_ = nullptr;
  QLabel* note_ = nullptr;
  // "Ogólne", in the order of the page.
  std::array<QLabel*, 6> general_{};
  std::array<PictureSlot, kPictures> pictures_{};
  QFrame* previewPanel_ = nullptr;
  QLabel* previewToolbar_ = nullptr;
  // "Ustawienia": the yes/no boxes, and the bound boxes in the order they are written.
  std::array<QCheckBox*, 6> yesNo_{};
  std::vector<const Binding*> restrictions_;
  std::vector<const Binding*> explorerPolicies_;
  const Binding* toolbarOptions_ = nullptr;
  // "Outlook Express"
  QLabel* outlookTitle_ = nullptr;
  QCheckBox* outlookSplash_ = nullptr;
  QCheckBox* hotmail_ = nullptr;
  const Binding* hotmailBinding_ = nullptr;
  // "Opcje internetowe"
  QScrollArea* optionsPanel_ = nullptr;
  QScrollBar* optionsPager_ = nullptr;

  ApplyCommand* generalApply_ = nullptr;
  ApplyCommand* settingsApply_ = nullptr;
  ApplyCommand* outlookApply_ = nullptr;
};

}  // namespace kelvaro
