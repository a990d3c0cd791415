#include "dialogs/toem_form.h"

#include <QPainter>

#include "platform/screen_capture.h"

namespace kelvaro {
namespace {

constexpr QSize kLogoSize{180, 114};

}  // namespace

TOEMForm::TOEMForm(ScreenCapture* capture, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), capture_(capture) {
  setObjectName("TOEMForm");
  setWindowTitle("OEM");
  setAccessibleName("OEM");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(kLogoSize);
}

void TOEMForm::setPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void TOEMForm::arrange(Layout layout) {
  layout_ = layout;
  const QSize own = picture_.size();
  if (layout == Layout::OwnSize && !own.isEmpty()) {
    setFixedSize(own);
    position_ = {0, 0};
  } else {
    setFixedSize(kLogoSize);
    position_ =
        layout == Layout::Centred && own != kLogoSize
            ? QPoint(kLogoSize.width() / 2 - own.width() / 2, kLogoSize.height() / 2 - own.height() / 2)
            : QPoint(0, 0);
  }
  update();
}

QImage TOEMForm::showAndCapture(QPoint topLeft) {
  move(topLeft);
  show();
  raise();
  repaint();
  QImage shot = capture_ ? capture_->grabWindow(winId(), rect()) : QImage();
  if (shot.size() != size()) {
    shot = QImage(size(), QImage::Format_RGB32);
    render(&shot);
  }
  return shot;
}

void TOEMForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Button));
  if (picture_.isNull()) return;
  if (layout_ == Layout::Stretched) {
    p.drawImage(rect(), picture_);
  } else {
    p.drawImage(position_, picture_);
  }
}

}  // namespace kelvaro
