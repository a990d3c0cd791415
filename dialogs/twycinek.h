#pragma once

#include <QImage>
#include <QWidget>

class QPushButton;
class QScrollBar;

namespace kelvaro {

class ScreenCapture;

// The crop window of the OEM page: a borderless, stay-on-top window
// captioned "wycinek" with a 180 x 114 view of a picture at its own size,
// scroll bars under and beside it and "OK". The scroll positions are the
// picture's point at the view's top-left corner. "OK" closes it, and closing
// hands the view's pixels to the page (cropped).
class Twycinek : public QWidget {
  Q_OBJECT

 public:
  // capture may be null: the view then draws itself into the bitmap.
  explicit Twycinek(ScreenCapture* capture, QWidget* parent = nullptr);

  // Puts the picture at (0, 0) with the scroll ranges it needs.
  void setPicture(const QImage& picture);
  // Centred on the screen, the mouse pointer moved to left + 45, top + 70.
  void showCentred();

  QScrollBar* horizontalBar() const { return horizontal_; }
  QScrollBar* verticalBar() const { return vertical_; }
  QWidget* view() const { return view_; }

 signals:
  // The 180 x 114 pixels of the view as the window closes.
  void cropped(const QImage& view);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QImage captureView();

  ScreenCapture* capture_;
  QWidget* view_ = nullptr;
  QScrollBar* horizontal_ = nullptr;
  QScrollBar* vertical_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool capturing_ = false;
};

}  // namespace kelvaro
