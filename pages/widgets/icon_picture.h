#pragma once

#include <QImage>
#include <QLabel>

namespace kelvaro {

// A 32 x 32 icon picture that a double-click (or Enter or Space while it has
// the focus) activates, as the slots that open the icon picker are. Assistive
// technology sees a button named by its hint with a press action.
class IconPicture : public QLabel {
  Q_OBJECT

 public:
  explicit IconPicture(QWidget* parent = nullptr);

  // Shows the icon; a null image leaves the picture empty.
  void setIcon(const QImage& icon);
  const QImage& icon() const { return icon_; }

 signals:
  void activated();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QImage icon_;
};

}  // namespace kelvaro
