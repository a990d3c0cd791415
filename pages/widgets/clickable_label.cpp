#include "pages/widgets/clickable_label.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "pages/widgets/pressable_accessible.h"

namespace kelvaro {
namespace {

QAccessibleInterface* clickableLabelAccessible(ClickableLabel* label) {
  return new PressableAccessible(
      label, label->accessibleRole(),
      [](const QWidget* w) {
        const auto* shown = static_cast<const ClickableLabel*>(w);
        if (!shown->accessibleName().isEmpty()) return shown->accessibleName();
        return shown->text().isEmpty() ? shown->toolTip() : shown->text();
      },
      [](QWidget* w) { emit static_cast<ClickableLabel*>(w)->clicked(); });
}

}  // namespace

ClickableLabel::ClickableLabel(const QString& caption, QWidget* parent, QAccessible::Role role)
    : QLabel(caption, parent), role_(role) {
  installAccessibleFactory(clickableLabelAccessible);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
}

void ClickableLabel::setPressedFont(const QFont& font) {
  hasPressedFont_ = true;
  pressedFont_ = font;
}

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
  pressed_ = true;
  if (hasPressedFont_) {
    normalFont_ = font();
    setFont(pressedFont_);
  }
  event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return QLabel::mouseReleaseEvent(event);
  pressed_ = false;
  if (hasPressedFont_) setFont(normalFont_);
  event->accept();
  if (rect().contains(event->position().toPoint())) emit clicked();
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    emit clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

}  // namespace kelvaro
