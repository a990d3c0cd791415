#pragma once

#include <QSpinBox>

namespace kelvaro {

// A number field that takes any number typed and clamps it to its range, as
// the desktop settings' fields do, instead of refusing the key: a number
// above the maximum becomes the maximum at once, one below the minimum
// becomes the minimum when the typing ends (it may still grow into range).
class ClampingSpinBox : public QSpinBox {
  Q_OBJECT

 public:
  explicit ClampingSpinBox(QWidget* parent = nullptr);

 protected:
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
};

}  // namespace kelvaro
