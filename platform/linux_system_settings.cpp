#include "platform/linux_system_settings.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace kelvaro {

int LinuxSystemSettings::doubleClickTime() const {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
  return doubleClickTime_;
}

void LinuxSystemSettings::setDoubleClickTime(int milliseconds) {
  doubleClickTime_ = milliseconds;
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(milliseconds);
}

}  // namespace kelvaro
