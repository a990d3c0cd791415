#include "tools/sandbox/cursor_art.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace kelvaro::sandbox {

namespace {

QPolygonF arrowShape(double scale = 1.0) {
  return QPolygonF({QPointF(0, 0), QPointF(0, 17), QPointF(4, 13), QPointF(7, 20), QPointF(10, 19),
                    QPointF(7, 12), QPointF(12, 12)}) *
         QTransform::fromScale(scale, scale);
}

void doubleArrow(QPainter& p, QPointF a, QPointF b) {
  const QPointF d = b - a;
  const double len = std::hypot(d.x(), d.y());
  const QPointF u = d / len, n(-u.y(), u.x());
  QPolygonF shape;
  shape << a << a + u * 6 + n * 5 << a + u * 6 + n * 2 << b - u * 6 + n * 2 << b - u * 6 + n * 5 << b
        << b - u * 6 - n * 5 << b - u * 6 - n * 2 << a + u * 6 - n * 2 << a + u * 6 - n * 5;
  p.drawPolygon(shape);
}

void hourglass(QPainter& p, QPointF c, double angle, const QColor& sand) {
  p.save();
  p.translate(c);
  p.rotate(angle);
  p.drawRect(QRectF(-7, -10, 14, 2));
  p.drawRect(QRectF(-7, 8, 14, 2));
  p.drawPolygon(QPolygonF(
      {QPointF(-6, -8), QPointF(6, -8), QPointF(0, 0), QPointF(6, 8), QPointF(-6, 8), QPointF(0, 0)}));
  p.setBrush(sand);
  p.drawPolygon(QPolygonF({QPointF(-3, 5), QPointF(3, 5), QPointF(5, 8), QPointF(-5, 8)}));
  p.restore();
}

}  // namespace

int cursorFrames(const QString& role) { return role == "busy" || role == "wait" ? 8 : 1; }

QPoint cursorHotSpot(const QString& role) {
  if (role == "arrow" || role == "help" || role == "busy" || role == "up")
    return role == "up" ? QPoint(15, 1) : QPoint(1, 1);
  if (role == "pen") return QPoint(2, 29);
  if (role == "hand") return QPoint(7, 1);
  return QPoint(15, 15);
}

QImage drawCursor(const QString& role, bool light, int frame, QRgb tint) {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  const QColor face = tint ? QColor(tint) : (light ? Qt::white : Qt::black);
  const QColor edge = light || tint ? Qt::black : Qt::white;
  p.setPen(edge);
  p.setBrush(face);
  if (role == "arrow" || role == "help" || role == "busy") {
    p.drawPolygon(arrowShape().translated(1, 1));
    if (role == "help") {
      QFont f("DejaVu Sans");
      f.setPixelSize(14);
      f.setBold(true);
      p.setFont(f);
      p.setPen(edge);
      p.drawText(QRect(14, 2, 16, 18), Qt::AlignCenter, "?");
    }
    if (role == "busy") hourglass(p, QPointF(22, 20), frame * 22.5, QColor(255, 255, 0));
  } else if (role == "wait") {
    hourglass(p, QPointF(15, 15), frame * 22.5, QColor(255, 255, 0));
  } else if (role == "cross") {
    p.drawRect(14, 2, 3, 27);
    p.drawRect(2, 14, 27, 3);
  } else if (role == "beam") {
    p.drawRect(14, 4, 3, 23);
    p.drawRect(10, 3, 11, 2);
    p.drawRect(10, 26, 11, 2);
  } else if (role == "pen") {
    p.drawPolygon(
        QPolygonF({QPointF(2, 29), QPointF(5, 22), QPointF(24, 3), QPointF(28, 7), QPointF(9, 26)}));
  } else if (role == "no") {
    p.setPen(QPen(edge, 7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(15, 15), 11, 11);
    p.drawLine(8, 8, 22, 22);
    p.setPen(QPen(face, 4));
    p.drawEllipse(QPoint(15, 15), 11, 11);
    p.drawLine(8, 8, 22, 22);
  } else if (role == "ns") {
    doubleArrow(p, QPointF(15, 2), QPointF(15, 29));
  } else if (role == "we") {
    doubleArrow(p, QPointF(2, 15), QPointF(29, 15));
  } else if (role == "nwse") {
    doubleArrow(p, QPointF(4, 4), QPointF(27, 27));
  } else if (role == "nesw") {
    doubleArrow(p, QPointF(27, 4), QPointF(4, 27));
  } else if (role == "move") {
    doubleArrow(p, QPointF(15, 2), QPointF(15, 29));
    doubleArrow(p, QPointF(2, 15), QPointF(29, 15));
  } else if (role == "up") {
    p.drawPolygon(QPolygonF({QPointF(15, 1), QPointF(25, 12), QPointF(18, 12), QPointF(18, 29),
                             QPointF(12, 29), QPointF(12, 12), QPointF(5, 12)}));
  } else {
    // The link pointer: a pointing hand.
    QPainterPath handPath;
    handPath.addRoundedRect(5, 0, 5, 16, 2, 2);
    handPath.addRoundedRect(3, 12, 20, 15, 5, 5);
    p.drawPath(handPath.simplified());
  }
  return image;
}

}  // namespace kelvaro::sandbox
