#include "dialogs/tpodglad.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace kelvaro {

Tpodglad::Tpodglad(QWidget* owner) : QWidget(nullptr), owner_(owner) {
  setObjectName("Tpodglad");
  setAccessibleName(QStringLiteral("Podgląd"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  description_ = new QLabel(this);
  description_->setObjectName("podgladOpis");
  description_->setStyleSheet("QLabel { color: white; background: black; font-weight: bold; }");
  description_->setAttribute(Qt::WA_TransparentForMouseEvents);
  description_->move(0, 0);
  description_->hide();

  auto* close = new QAction(QStringLiteral("&Zamknij"), this);
  close->setObjectName("podgladZamknij");
  close->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  close->setShortcutContext(Qt::WindowShortcut);
  connect(close, &QAction::triggered, this, &QWidget::close);
  addAction(close);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

Tpodglad::~Tpodglad() = default;

void Tpodglad::setPicture(const QImage& picture, Placement placement) {
  picture_ = picture;
  placement_ = placement;
  update();
}

void Tpodglad::setTiledBackground(const QImage& tile) {
  tile_ = tile;
  tiledShown_ = !tile.isNull();
  update();
}

void Tpodglad::setBackgroundColour(const QColor& colour) {
  background_ = colour;
  update();
}

void Tpodglad::setDescription(const QString& text) {
  description_->setText(text);
  description_->adjustSize();
  description_->setVisible(!text.isEmpty());
}

void Tpodglad::showToolWindow(const QString& caption, QSize clientSize) {
  setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
  setWindowTitle(caption);
  setFixedSize(clientSize);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect area(QPoint(0, 0), clientSize);
    area.moveCenter(screen->geometry().center());
    move(area.topLeft());
  }
  show();
  raise();
}

void Tpodglad::showFullScreen() {
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, 640, 480);
  setFixedSize(area.size());
  move(0, 0);
  show();
  raise();
}

void Tpodglad::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), background_.isValid() ? background_ : palette().color(QPalette::Window));
  if (tiledShown_) p.fillRect(rect(), QBrush(tile_));
  if (picture_.isNull()) return;
  switch (placement_) {
    case Placement::Stretched:
      p.drawImage(rect(), picture_);
      break;
    case Placement::Centred:
      p.drawImage((width() - picture_.width()) / 2, (height() - picture_.height()) / 2, picture_);
      break;
    case Placement::TopLeft:
      p.drawImage(0, 0, picture_);
      break;
  }
}

void Tpodglad::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    close();
    return;
  }
  QWidget::mousePressEvent(event);
}

void Tpodglad::closeEvent(QCloseEvent* event) {
  picture_ = QImage();
  tile_ = QImage();
  tiledShown_ = false;
  if (owner_) owner_->setEnabled(true);
  event->accept();
  emit closed();
}

}  // namespace kelvaro
