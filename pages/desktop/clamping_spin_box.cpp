#include "pages/desktop/clamping_spin_box.h"

namespace kelvaro {

ClampingSpinBox::ClampingSpinBox(QWidget* parent) : QSpinBox(parent) {}

QValidator::State ClampingSpinBox::validate(QString& input, int& pos) const {
  if (input.isEmpty() || (input == QLatin1String("-") && minimum() < 0)) return QValidator::Intermediate;
  bool ok = false;
  const qlonglong n = input.toLongLong(&ok);
  if (!ok) return QValidator::Invalid;
  if (n > maximum()) {
    input = QString::number(maximum());
    pos = static_cast<int>(input.size());
    return QValidator::Acceptable;
  }
  return n < minimum() ? QValidator::Intermediate : QValidator::Acceptable;
}

void ClampingSpinBox::fixup(QString& input) const {
  bool ok = false;
  const qlonglong n = input.toLongLong(&ok);
  if (ok && n < minimum()) input = QString::number(minimum());
}

}  // namespace kelvaro
