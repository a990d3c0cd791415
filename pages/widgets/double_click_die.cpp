#include "pages/widgets/double_click_die.h"

#include <QMouseEvent>
#include <QPainter>

#include "pages/widgets/pressable_accessible.h"

namespace kelvaro {
namespace {

QAccessibleInterface* dieAccessible(DoubleClickDie* die) {
  return new PressableAccessible(
      die, QAccessible::Button, [](const QWidget* w) { return w->accessibleName(); },
      [](QWidget* w) { static_cast<DoubleClickDie*>(w)->toggle(); });
}

}  // namespace

DoubleClickDie::DoubleClickDie(QWidget* parent) : QWidget(parent) {
  installAccessibleFactory(dieAccessible);
  setFixedSize(sizeHint());
}

void DoubleClickDie::toggle() {
  turned_ = !turned_;
  update();
  emit toggled(turned_);
}

void DoubleClickDie::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
  event->accept();
  toggle();
}

void DoubleClickDie::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(width() / 2.0, height() / 2.0);
  if (turned_) p.rotate(45);
  // A face of three pips on a diagonal, so that the turn shows.
  const qreal half = 13;
  p.setPen(QPen(Qt::black, 1.5));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(-half, -half, 2 * half, 2 * half), 4, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xa0, 0, 0));
  for (const QPointF pip : {QPointF(-7, -7), QPointF(0, 0), QPointF(7, 7)}) p.drawEllipse(pip, 2.6, 2.6);
}

}  // namespace kelvaro
