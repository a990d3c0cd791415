#pragma once

#include <QPushButton>
#include <QString>

namespace kelvaro {

// A push button with its caption, hint (tooltip) and object name.
inline QPushButton* hintedButton(const QString& caption, const QString& hint, const QString& name,
                                 QWidget* parent) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setToolTip(hint);
  return b;
}

}  // namespace kelvaro
