#include "platform/qt_screen_capture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace kelvaro {

QImage QtScreenCapture::grabWindow(WId window, const QRect& area) {
  QScreen* screen = nullptr;
  for (QWindow* w : QGuiApplication::topLevelWindows()) {
    if (w->winId() == window) screen = w->screen();
  }
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen || area.isEmpty()) return {};
  const QPixmap shot = screen->grabWindow(window, area.x(), area.y(), area.width(), area.height());
  if (shot.isNull() || shot.size() != area.size()) return {};
  return shot.toImage();
}

}  // namespace kelvaro
