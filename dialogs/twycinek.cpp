#include "dialogs/twycinek.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

#include "platform/screen_capture.h"

namespace kelvaro {
namespace {

constexpr QSize kViewSize{180, 114};
constexpr int kBar = 16;

// The picture at its own size, moved by the scroll positions.
class CropView : public QWidget {
 public:
  CropView(QWidget* parent, const QScrollBar* h, const QScrollBar* v) : QWidget(parent), h_(h), v_(v) {
    setAttribute(Qt::WA_OpaquePaintEvent);
  }
  QImage picture;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    p.drawImage(-h_->value(), -v_->value(), picture);
  }

 private:
  const QScrollBar* h_;
  const QScrollBar* v_;
};

}  // namespace

Twycinek::Twycinek(ScreenCapture* capture, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), capture_(capture) {
  setObjectName("Twycinek");
  setWindowTitle("wycinek");
  setAccessibleName("wycinek");
  horizontal_ = new QScrollBar(Qt::Horizontal, this);
  horizontal_->setObjectName("wycinekPoziomo");
  horizontal_->setAccessibleName(QStringLiteral("Przesuń wycinek w poziomie"));
  vertical_ = new QScrollBar(Qt::Vertical, this);
  vertical_->setObjectName("wycinekPionowo");
  vertical_->setAccessibleName(QStringLiteral("Przesuń wycinek w pionie"));
  auto* view = new CropView(this, horizontal_, vertical_);
  view_ = view;
  view_->setObjectName("wycinekWidok");
  view_->setCursor(Qt::SizeAllCursor);
  view_->setGeometry(QRect(QPoint(4, 4), kViewSize));
  horizontal_->setGeometry(4, 4 + kViewSize.height(), kViewSize.width(), kBar);
  vertical_->setGeometry(4 + kViewSize.width(), 4, kBar, kViewSize.height());
  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("wycinekOK");
  ok_->setGeometry(4 + kViewSize.width() + kBar - 75, 4 + kViewSize.height() + kBar + 4, 75, 25);
  setFixedSize(4 + kViewSize.width() + kBar + 4, ok_->geometry().bottom() + 5);
  for (QScrollBar* bar : {horizontal_, vertical_})
    connect(bar, &QScrollBar::valueChanged, view_, [this] { view_->update(); });
  connect(ok_, &QPushButton::clicked, this, &QWidget::close);
}

void Twycinek::setPicture(const QImage& picture) {
  static_cast<CropView*>(view_)->picture = picture;
  horizontal_->setRange(0, std::max(0, picture.width() - kViewSize.width()));
  vertical_->setRange(0, std::max(0, picture.height() - kViewSize.height()));
  horizontal_->setValue(0);
  vertical_->setValue(0);
  view_->update();
}

void Twycinek::showCentred() {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area(QPoint(0, 0), size());
    area.moveCenter(screen->geometry().center());
    move(area.topLeft());
  }
  show();
  raise();
  QCursor::setPos(pos() + QPoint(45, 70));
}

QImage Twycinek::captureView() {
  view_->repaint();
  QImage shot = capture_ ? capture_->grabWindow(winId(), view_->geometry()) : QImage();
  if (shot.size() != kViewSize) {
    shot = QImage(kViewSize, QImage::Format_RGB32);
    view_->render(&shot);
  }
  return shot;
}

void Twycinek::closeEvent(QCloseEvent* event) {
  event->accept();
  if (capturing_) return;
  capturing_ = true;
  const QImage shot = captureView();
  capturing_ = false;
  emit cropped(shot);
}

}  // namespace kelvaro
