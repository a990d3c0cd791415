#include "pages/widgets/icon_picture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>

#include "pages/widgets/pressable_accessible.h"

namespace kelvaro {
namespace {

QAccessibleInterface* iconPictureAccessible(IconPicture* picture) {
  return new PressableAccessible(
      picture, QAccessible::Button,
      [](const QWidget* w) { return w->accessibleName().isEmpty() ? w->toolTip() : w->accessibleName(); },
      [](QWidget* w) { emit static_cast<IconPicture*>(w)->activated(); });
}

}  // namespace

IconPicture::IconPicture(QWidget* parent) : QLabel(parent) {
  installAccessibleFactory(iconPictureAccessible);
  setFixedSize(32, 32);
  setAlignment(Qt::AlignCenter);
  setFocusPolicy(Qt::TabFocus);
}

void IconPicture::setIcon(const QImage& icon) {
  icon_ = icon;
  if (icon.isNull()) {
    clear();
  } else {
    setPixmap(QPixmap::fromImage(icon));
  }
}

void IconPicture::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mouseDoubleClickEvent(event);
  event->accept();
  emit activated();
}

void IconPicture::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit activated();
    return;
  }
  QLabel::keyPressEvent(event);
}

}  // namespace kelvaro
