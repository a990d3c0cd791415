#include "app/splash_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

#include "app/program_picture.h"
#include "pages/page_catalog.h"

namespace kelvaro {

TSplash::TSplash(QWidget* parent) : QWidget(parent) {
  setObjectName("TSplash");
  setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* picture = new QLabel(this);
  picture->setObjectName("splashPicture");
  picture->setPixmap(kelvaroLogo());
  picture->setFixedSize(300, 150);
  layout->addWidget(picture);
  auto* version = new QLabel(QStringLiteral("ver.  3.7.37"), picture);
  version->setObjectName("versionLabel");
  version->setStyleSheet("color: white;");
  version->move(214, 130);
  gauge_ = new QProgressBar(this);
  gauge_->setObjectName("gauge");
  gauge_->setRange(0, kGaugeMaximum);
  gauge_->setValue(0);
  gauge_->setTextVisible(false);
  gauge_->setFixedHeight(12);
  layout->addWidget(gauge_);
  adjustSize();
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TSplash::setGauge(int value) {
  gauge_->setValue(value);
  gauge_->repaint();
}

}  // namespace kelvaro
