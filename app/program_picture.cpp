#include "app/program_picture.h"

#include <QIcon>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace kelvaro {

QPixmap kelvaroLogo() {
  QPixmap pixmap(300, 150);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 150);
  sky.setColorAt(0, QColor(0, 40, 110));
  sky.setColorAt(1, QColor(0, 128, 128));
  p.fillRect(pixmap.rect(), sky);
  // Four window panes, tilted, as a mark of what the program configures.
  const QColor panes[] = {QColor(230, 60, 40), QColor(60, 170, 60), QColor(40, 110, 220),
                          QColor(240, 200, 40)};
  for (int i = 0; i < 4; ++i) {
    const int x = 24 + (i % 2) * 34, y = 36 + (i / 2) * 34;
    QPainterPath pane;
    pane.addRoundedRect(QRectF(x, y, 30, 30), 4, 4);
    p.fillPath(pane, panes[i]);
  }
  QFont title("Sans", 34, QFont::Bold);
  p.setFont(title);
  p.setPen(QColor(255, 255, 255));
  p.drawText(QRect(100, 30, 190, 60), Qt::AlignLeft | Qt::AlignVCenter, "Kelvaro");
  QFont maker("Sans", 12);
  p.setFont(maker);
  p.setPen(QColor(200, 230, 255));
  p.drawText(QRect(104, 88, 190, 24), Qt::AlignLeft | Qt::AlignVCenter, "Morvane");
  p.setPen(QColor(255, 255, 255, 90));
  p.drawLine(20, 128, 280, 128);
  return pixmap;
}

QIcon kelvaroIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor panes[] = {QColor(230, 60, 40), QColor(60, 170, 60), QColor(40, 110, 220),
                          QColor(240, 200, 40)};
  for (int i = 0; i < 4; ++i) {
    QPainterPath pane;
    pane.addRoundedRect(QRectF(2 + (i % 2) * 15, 2 + (i / 2) * 15, 13, 13), 2, 2);
    p.fillPath(pane, panes[i]);
  }
  return QIcon(pixmap);
}

}  // namespace kelvaro
