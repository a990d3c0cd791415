#include "app/clickable_label.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kelvaro {
namespace {

class ClickableLabelAccessible : public QAccessibleWidget {
 public:
  explicit ClickableLabelAccessible(ClickableLabel* label)
      : QAccessibleWidget(label, label->accessibleRole()) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) {
      const QString name = label()->accessibleName();
      if (!name.isEmpty()) return name;
      return label()->text().isEmpty() ? label()->toolTip() : label()->text();
    }
    if (t == QAccessible::Description) return label()->toolTip();
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == pressAction()) {
      emit label()->clicked();
      return;
    }
    QAccessibleWidget::doAction(action);
  }

 private:
  ClickableLabel* label() const { return static_cast<ClickableLabel*>(widget()); }
};

QAccessibleInterface* clickableLabelAccessible(const QString& key, QObject* object) {
  if (key == QLatin1String(ClickableLabel::staticMetaObject.className())) {
    if (auto* label = qobject_cast<ClickableLabel*>(object)) return new ClickableLabelAccessible(label);
  }
  return nullptr;
}

}  // namespace

ClickableLabel::ClickableLabel(const QString& caption, QWidget* parent, QAccessible::Role role)
    : QLabel(caption, parent), role_(role) {
  static const bool installed = [] {
    QAccessible::installFactory(clickableLabelAccessible);
    return true;
  }();
  (void)installed;
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
