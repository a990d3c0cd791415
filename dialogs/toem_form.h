#pragma once

#include <QImage>
#include <QWidget>

namespace kelvaro {

class ScreenCapture;

// The capture window of the OEM page: a borderless, stay-on-top window
// captioned "OEM" over the button-face colour, holding one picture. The page
// lays the picture out, shows the window over its logo box and takes what it
// shows as the OEM logo.
class TOEMForm : public QWidget {
  Q_OBJECT

 public:
  // Where the picture goes: at its own size in a window of its size, at its
  // own size centred in 180 x 114 (a larger one cut to its middle), or
  // stretched over 180 x 114.
  enum class Layout { OwnSize, Centred, Stretched };

  // capture may be null: the window then draws its content into the bitmap.
  explicit TOEMForm(ScreenCapture* capture, QWidget* parent = nullptr);

  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }
  void arrange(Layout layout);
  // Where the picture's top-left corner stands in the window.
  QPoint picturePosition() const { return position_; }

  // Shows the window with its top-left corner at topLeft (screen
  // coordinates) and returns the pixels of the whole window: the screen's
  // where it gives them at the window's size, else the window's own drawing.
  QImage showAndCapture(QPoint topLeft);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ScreenCapture* capture_;
  QImage picture_;
  Layout layout_ = Layout::Centred;
  QPoint position_;
};

}  // namespace kelvaro
