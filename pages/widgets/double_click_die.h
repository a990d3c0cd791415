#pragma once

#include <QWidget>

namespace kelvaro {

// A die to test the double-click time on: each double-click turns it (or
// back), a slower pair of clicks does nothing. Assistive technology sees a
// button whose press turns it.
class DoubleClickDie : public QWidget {
  Q_OBJECT

 public:
  explicit DoubleClickDie(QWidget* parent = nullptr);

  bool turned() const { return turned_; }
  void toggle();
  QSize sizeHint() const override { return {44, 44}; }

 signals:
  void toggled(bool turned);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool turned_ = false;
};

}  // namespace kelvaro
