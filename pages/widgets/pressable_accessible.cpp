#include "pages/widgets/pressable_accessible.h"

#include <utility>

namespace kelvaro {

PressableAccessible::PressableAccessible(QWidget* widget, QAccessible::Role role, NameOf name, Press press)
    : QAccessibleWidget(widget, role), name_(std::move(name)), press_(std::move(press)) {}

QString PressableAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) return name_(widget());
  return QAccessibleWidget::text(t);
}

QStringList PressableAccessible::actionNames() const {
  return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void PressableAccessible::doAction(const QString& action) {
  if (action == pressAction()) {
    press_(widget());
    return;
  }
  QAccessibleWidget::doAction(action);
}

}  // namespace kelvaro
