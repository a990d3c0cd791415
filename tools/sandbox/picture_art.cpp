#include "tools/sandbox/picture_art.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>

namespace kelvaro::sandbox {

namespace {

quint32 seedOf(const QString& text) {
  quint32 h = 2166136261u;
  for (QChar c : text) {
    h ^= c.unicode();
    h *= 16777619u;
  }
  return h;
}

void gradient(QPainter& p, QSize s, QColor top, QColor bottom) {
  QLinearGradient g(0, 0, 0, s.height());
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(QRect(QPoint(0, 0), s), g);
}

}  // namespace

QImage drawPicture(const QString& kind, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  QRandomGenerator rnd(seedOf(kind + QString::number(size.width())));
  const int w = size.width(), h = size.height();
  if (kind == "clouds") {
    gradient(p, size, QColor(40, 100, 210), QColor(170, 210, 250));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < w * h / 3000 + 4; ++i) {
      const int cx = rnd.bounded(w), cy = rnd.bounded(h), r = 10 + rnd.bounded(std::max(12, w / 12));
      p.setBrush(QColor(255, 255, 255, 140 + rnd.bounded(100)));
      for (int k = 0; k < 6; ++k)
        p.drawEllipse(QPoint(cx + (k - 3) * r / 2, cy + ((k % 2) ? -r / 4 : r / 6)), r, r / 2);
    }
  } else if (kind == "sea" || kind == "sunset") {
    const bool sunset = kind == "sunset";
    gradient(p, size, sunset ? QColor(60, 20, 90) : QColor(60, 140, 230),
             sunset ? QColor(250, 150, 60) : QColor(200, 230, 255));
    p.setPen(Qt::NoPen);
    p.setBrush(sunset ? QColor(255, 220, 90) : QColor(255, 255, 200));
    p.drawEllipse(QPoint(w * 2 / 3, h / 2), h / 8, h / 8);
    for (int row = 0; row < 20; ++row) {
      QPainterPath wave;
      const double y0 = h * 0.55 + row * h * 0.025;
      wave.moveTo(0, h);
      for (int x = 0; x <= w; x += 4) wave.lineTo(x, y0 + std::sin(x / (w / 25.0) + row) * h * 0.008);
      wave.lineTo(w, h);
      p.setBrush(sunset ? QColor(90 - row * 3, 30 + row * 2, 80 + row * 4)
                        : QColor(0, 60 + row * 4, 140 + row * 4));
      p.drawPath(wave);
    }
  } else if (kind == "forest" || kind == "meadow") {
    gradient(p, size, QColor(120, 190, 240), QColor(230, 240, 255));
    p.fillRect(0, h * 2 / 3, w, h / 3, kind == "forest" ? QColor(30, 90, 30) : QColor(90, 170, 60));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
      const int x = rnd.bounded(w), base = h * 2 / 3 + rnd.bounded(h / 4), th = h / 6 + rnd.bounded(h / 6);
      if (kind == "forest") {
        p.setBrush(QColor(10, 60 + rnd.bounded(60), 20));
        p.drawPolygon(QPolygon({QPoint(x, base - th), QPoint(x + th / 4, base), QPoint(x - th / 4, base)}));
      } else {
        p.setBrush(QList<QColor>{Qt::red, Qt::yellow, Qt::white, QColor(200, 0, 200)}[i % 4]);
        p.drawEllipse(QPoint(x, base), 3 + h / 200, 3 + h / 200);
      }
    }
  } else if (kind == "bricks") {
    p.fillRect(0, 0, w, h, QColor(200, 190, 170));
    const int bh = std::max(8, h / 24), bw = bh * 3;
    for (int y = 0, row = 0; y < h; y += bh, ++row)
      for (int x = -bw; x < w; x += bw) {
        p.setPen(QColor(200, 190, 170));
        p.setBrush(QColor(150 + rnd.bounded(50), 50 + rnd.bounded(30), 30));
        p.drawRect(x + (row % 2) * bw / 2, y, bw - 2, bh - 2);
      }
  } else if (kind == "marble" || kind == "paper" || kind == "metal") {
    const QColor base = kind == "marble"  ? QColor(220, 215, 205)
                        : kind == "paper" ? QColor(240, 230, 200)
                                          : QColor(170, 175, 185);
    p.fillRect(0, 0, w, h, base);
    for (int i = 0; i < 300; ++i) {
      p.setPen(QPen(base.darker(105 + rnd.bounded(25)), 1 + rnd.bounded(2)));
      const int x = rnd.bounded(w), y = rnd.bounded(h);
      if (kind == "metal")
        p.drawLine(0, y, w, y);
      else
        p.drawLine(x, y, x + rnd.bounded(60) - 30, y + rnd.bounded(60) - 30);
    }
  } else if (kind == "mosaic") {
    const int t = std::max(8, w / 20);
    for (int y = 0; y < h; y += t)
      for (int x = 0; x < w; x += t)
        p.fillRect(x, y, t - 1, t - 1,
                   QColor::fromHsv(rnd.bounded(360), 120 + rnd.bounded(100), 150 + rnd.bounded(100)));
  } else if (kind == "night") {
    gradient(p, size, QColor(0, 0, 20), QColor(20, 20, 80));
    for (int i = 0; i < w * h / 400; ++i)
      p.fillRect(rnd.bounded(w), rnd.bounded(h), 1, 1, QColor(255, 255, 200 + rnd.bounded(55)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 220));
    p.drawEllipse(QPoint(w / 4, h / 4), h / 10, h / 10);
  } else if (kind == "circles") {
    p.fillRect(0, 0, w, h, QColor(0, 80, 120));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 40; ++i) {
      p.setPen(QPen(QColor::fromHsv(180 + rnd.bounded(60), 150, 255), 2));
      const int r = 5 + rnd.bounded(std::max(6, h / 3));
      p.drawEllipse(QPoint(rnd.bounded(w), rnd.bounded(h)), r, r);
    }
  } else {  // oem: a maker's plate
    gradient(p, size, QColor(255, 255, 255), QColor(200, 215, 235));
    const int r = std::min(h * 3 / 10, w / 6);
    const QPoint centre(r + h / 10, h / 2);
    p.setPen(QPen(QColor(0, 60, 140), 3));
    p.setBrush(QColor(0, 90, 180));
    p.drawEllipse(centre, r, r);
    p.setPen(Qt::white);
    QFont f("DejaVu Sans");
    f.setBold(true);
    f.setPixelSize(std::max(6, r));
    p.setFont(f);
    p.drawText(QRect(centre.x() - r, centre.y() - r, 2 * r, 2 * r), Qt::AlignCenter, "PK");
    // The maker's name in two lines, as large as the space beside the sign allows.
    const QRect words(centre.x() + r + h / 10, 0, w - centre.x() - r - h / 10 - 2, h);
    int pixels = h / 4;
    for (; pixels > 6; --pixels) {
      f.setPixelSize(pixels);
      const QFontMetrics metrics(f);
      if (metrics.horizontalAdvance("Pracownia") <= words.width() && 2 * metrics.height() <= words.height())
        break;
    }
    f.setPixelSize(pixels);
    p.setFont(f);
    p.setPen(QColor(0, 40, 100));
    p.drawText(words, Qt::AlignVCenter | Qt::AlignLeft, "Pracownia\nKowalski");
  }
  p.end();
  return image;
}

QImage drawAnimationStrip(int frameSize, bool large) {
  QImage strip(frameSize, frameSize * 31, QImage::Format_RGB32);
  strip.fill(QColor(192, 192, 192));
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing, true);
  for (int f = 0; f < 31; ++f) {
    const QPointF c(frameSize / 2.0, f * frameSize + frameSize / 2.0);
    const double r = frameSize * 0.4;
    const double phase = f * 2 * M_PI / 31;
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0, 70, 160));
    p.drawEllipse(c, r, r);
    // Meridians turning round the globe, and a comet circling it.
    p.setPen(QPen(QColor(120, 220, 255), 1));
    p.setBrush(Qt::NoBrush);
    for (int m = 0; m < 3; ++m) {
      const double k = std::cos(phase + m * M_PI / 3);
      p.drawEllipse(c, std::abs(k) * r, r);
    }
    p.drawLine(c + QPointF(-r, 0), c + QPointF(r, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(large ? QColor(255, 200, 0) : QColor(255, 255, 0));
    p.drawEllipse(c + QPointF(std::cos(-phase) * r * 0.95, std::sin(-phase) * r * 0.95), frameSize / 10.0,
                  frameSize / 10.0);
  }
  p.end();
  return strip;
}

}  // namespace kelvaro::sandbox
