#include "pages/system/ip_address_box.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace kelvaro {

IpAddressBox::IpAddressBox(const QString& name, const QString& caption, const QString& hint, QWidget* parent)
    : QFrame(parent) {
  setObjectName(name + "Box");
  setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Base, Qt::white);
  setPalette(white);
  setToolTip(hint);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(3, 1, 3, 1);
  row->setSpacing(0);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (i > 0) {
      auto* dot = new QLabel(QStringLiteral("."), this);
      dot->setObjectName(QStringLiteral("%1Dot%2").arg(name).arg(i));
      row->addWidget(dot);
    }
    auto* field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("%1%2").arg(name).arg(i + 1));
    field->setMaxLength(3);
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 4);
    field->setToolTip(hint);
    field->setAccessibleName(QStringLiteral("%1, pole %2").arg(caption).arg(i + 1));
    field->installEventFilter(this);
    row->addWidget(field);
    fields_[i] = field;
  }
  row->addStretch(1);
}

bool IpAddressBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete) return true;
    // Typed characters other than digits are dropped; keys that type
    // nothing (Tab, the arrows, Enter) and shortcuts go on.
    const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!shortcut && !text.isEmpty() && text.at(0).isPrint() &&
        !(text.size() == 1 && text.at(0) >= '0' && text.at(0) <= '9'))
      return true;
  }
  return QFrame::eventFilter(watched, event);
}

}  // namespace kelvaro
