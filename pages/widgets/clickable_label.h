#pragma once

#include <QAccessible>
#include <QLabel>

namespace kelvaro {

// A label that acts as a link or a button: it reports a click (press and
// release on it), can show another font while the mouse button is held, and
// tells assistive technology its name (caption, or hint when it shows a
// picture) and its role with a press action.
class ClickableLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickableLabel(const QString& caption, QWidget* parent = nullptr,
                          QAccessible::Role role = QAccessible::Link);

  QAccessible::Role accessibleRole() const { return role_; }
  // The font shown while the mouse button is held; none by default.
  void setPressedFont(const QFont& font);

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QAccessible::Role role_;
  bool hasPressedFont_ = false;
  bool pressed_ = false;
  QFont pressedFont_;
  QFont normalFont_;
};

}  // namespace kelvaro
