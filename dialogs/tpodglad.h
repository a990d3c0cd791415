#pragma once

#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;

namespace kelvaro {

// The preview window: one picture shown over a window that floats above the
// main window, a one-line description (white bold text on black, top left)
// and a popup menu with "&Zamknij" (Alt+F4). A click anywhere on it, or the
// menu item, closes it. Closing empties its picture and its tiled background,
// hides the tiled background and enables the owner window again.
//
// The logo page shows a logo stretched in a 640 x 480 tool window and keeps
// its main window disabled while the preview is open:
//
//   preview.setPicture(image, Tpodglad::Placement::Stretched);
//   preview.setDescription({});
//   preview.showToolWindow(caption, {640, 480});
//   mainWindow->setEnabled(false);
//
// The wallpaper preview covers the whole screen without borders, over the
// desktop colour, with the picture centred, stretched or at the top left, or
// a tiled background in place of a picture smaller than the screen, and a
// description line; its main window stays enabled:
//
//   preview.setBackgroundColour(desktop);
//   preview.setTiledBackground(image);          // tiled style only
//   preview.setPicture(image, Tpodglad::Placement::Centred);
//   preview.setDescription(text);
//   preview.showFullScreen();
class Tpodglad : public QWidget {
  Q_OBJECT

 public:
  enum class Placement { Stretched, Centred, TopLeft };

  // The owner is enabled again when the preview closes; it is not the
  // parent, so that disabling it leaves the preview usable.
  explicit Tpodglad(QWidget* owner);
  ~Tpodglad() override;

  void setPicture(const QImage& picture, Placement placement);
  // Shows the picture tiled over the whole window, under the picture.
  void setTiledBackground(const QImage& tile);
  void setBackgroundColour(const QColor& colour);
  // An empty text hides the description line.
  void setDescription(const QString& text);

  // A window with tool-window borders of the given client size, centred on
  // the screen.
  void showToolWindow(const QString& caption, QSize clientSize);
  // Borderless, over the whole screen at (0, 0).
  void showFullScreen();

  const QImage& picture() const { return picture_; }
  bool tiledBackgroundShown() const { return tiledShown_; }
  QLabel* descriptionLine() const { return description_; }

 signals:
  void closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPointer<QWidget> owner_;
  QImage picture_;
  Placement placement_ = Placement::Stretched;
  QImage tile_;
  bool tiledShown_ = false;
  QColor background_;
  QLabel* description_ = nullptr;
};

}  // namespace kelvaro
