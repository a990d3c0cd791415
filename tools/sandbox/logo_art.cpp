#include "tools/sandbox/logo_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <cmath>

#include "tools/sandbox/palette.h"

namespace kelvaro::sandbox {

namespace {

constexpr int kWidth = 320, kHeight = 400;

LogoScheme scheme(const QString& name, const QString& stem, const QString& backdrop, const QString& emblem,
                  QRgb dark, QRgb light, QRgb accent) {
  return {name,  stem + "Logo.bmp", stem + "Logow.bmp", stem + "Logos.bmp", backdrop, emblem, dark, light,
          accent};
}

LogoScheme files(LogoScheme s, const QString& start, const QString& down, const QString& off) {
  s.startFile = start;
  s.shutDownFile = down;
  s.switchOffFile = off;
  return s;
}

quint32 seedOf(const QString& text) {
  quint32 h = 2166136261u;  // FNV-1a, the same on every machine
  for (QChar c : text) {
    h ^= c.unicode();
    h *= 16777619u;
  }
  return h;
}

QColor mix(QRgb a, QRgb b, double t) {
  return QColor(static_cast<int>(qRed(a) + (qRed(b) - qRed(a)) * t),
                static_cast<int>(qGreen(a) + (qGreen(b) - qGreen(a)) * t),
                static_cast<int>(qBlue(a) + (qBlue(b) - qBlue(a)) * t));
}

// Sixteen colours: a ramp of ten from dark to light, four shades of the
// accent, black and white.
QList<QRgb> schemePalette(const LogoScheme& s) {
  QList<QRgb> p;
  p << qRgb(0, 0, 0);
  for (int i = 0; i < 10; ++i) p << mix(s.dark, s.light, i / 9.0).rgb();
  for (int i = 0; i < 4; ++i) p << mix(s.accent, qRgb(255, 255, 255), i * 0.22).rgb();
  p << qRgb(255, 255, 255);
  return p;
}

void verticalGradient(QPainter& p, QRgb top, QRgb bottom) {
  QLinearGradient g(0, 0, 0, kHeight);
  g.setColorAt(0, QColor(top));
  g.setColorAt(1, QColor(bottom));
  p.fillRect(0, 0, kWidth, kHeight, g);
}

void drawBackdrop(QPainter& p, const LogoScheme& s, QRandomGenerator& rnd) {
  const QString& b = s.backdrop;
  if (b == "stars" || b == "space") {
    verticalGradient(p, qRgb(0, 0, 0), s.dark);
    for (int i = 0; i < 260; ++i) {
      const int x = rnd.bounded(kWidth), y = rnd.bounded(kHeight), r = rnd.bounded(100) < 8 ? 2 : 1;
      p.fillRect(x, y, r, r, i % 7 == 0 ? QColor(s.accent) : QColor(s.light));
    }
  } else if (b == "glow") {
    QRadialGradient g(kWidth / 2.0, kHeight * 0.45, kWidth * 0.8);
    g.setColorAt(0, QColor(s.light));
    g.setColorAt(0.5, QColor(s.dark));
    g.setColorAt(1, Qt::black);
    p.fillRect(0, 0, kWidth, kHeight, g);
  } else if (b == "sea") {
    verticalGradient(p, s.light, s.dark);
    p.setPen(Qt::NoPen);
    for (int row = 0; row < 14; ++row) {
      QPainterPath wave;
      const int y0 = 230 + row * 13;
      wave.moveTo(0, kHeight);
      for (int x = 0; x <= kWidth; x += 4) wave.lineTo(x, y0 + 6 * std::sin(x / 18.0 + row));
      wave.lineTo(kWidth, kHeight);
      p.setBrush(mix(s.dark, s.light, 0.6 - row * 0.04));
      p.drawPath(wave);
    }
  } else if (b == "grid") {
    verticalGradient(p, qRgb(0, 0, 0), s.dark);
    p.setPen(QColor(s.light));
    for (int i = -12; i <= 12; ++i) p.drawLine(kWidth / 2 + i * 8, 200, kWidth / 2 + i * 60, kHeight);
    for (int i = 0; i < 12; ++i) {
      const int y = 200 + static_cast<int>(std::pow(i / 11.0, 2) * 200);
      p.drawLine(0, y, kWidth, y);
    }
  } else if (b == "flames") {
    verticalGradient(p, qRgb(0, 0, 0), s.dark);
    p.setPen(Qt::NoPen);
    for (int layer = 0; layer < 4; ++layer) {
      QPainterPath fire;
      fire.moveTo(0, kHeight);
      for (int x = 0; x <= kWidth; x += 10) fire.lineTo(x, 260 + layer * 30 - rnd.bounded(90 - layer * 15));
      fire.lineTo(kWidth, kHeight);
      p.setBrush(mix(s.dark, s.accent, 0.3 + layer * 0.23));
      p.drawPath(fire);
    }
  } else if (b == "clouds" || b == "sky") {
    verticalGradient(p, s.dark, s.light);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
      const int cx = rnd.bounded(kWidth), cy = 40 + rnd.bounded(300);
      p.setBrush(QColor(255, 255, 255));
      for (int k = 0; k < 5; ++k)
        p.drawEllipse(QPoint(cx + k * 14 - 28, cy + ((k % 2) ? -6 : 2)), 22 - (k % 3) * 4, 12);
    }
  } else if (b == "rain") {
    p.fillRect(0, 0, kWidth, kHeight, Qt::black);
    QFont f("DejaVu Sans Mono");
    f.setPixelSize(12);
    p.setFont(f);
    for (int col = 0; col < kWidth / 10; ++col) {
      const int start = rnd.bounded(kHeight), length = 8 + rnd.bounded(18);
      for (int k = 0; k < length; ++k) {
        p.setPen(k == length - 1 ? QColor(s.accent) : mix(s.dark, s.light, k / double(length)));
        p.drawText(col * 10, (start + k * 13) % kHeight, QString(QChar(0x30 + rnd.bounded(42))));
      }
    }
  } else if (b == "rings") {
    for (int r = 26; r >= 1; --r) {
      p.setPen(Qt::NoPen);
      p.setBrush(mix(s.dark, s.light, (r % 2) ? r / 26.0 : 1 - r / 26.0));
      p.drawEllipse(QPoint(kWidth / 2, kHeight / 2), r * 14, r * 14);
    }
  } else if (b == "stripes") {
    for (int i = -20; i < 40; ++i) {
      QPolygon band({QPoint(i * 24, 0), QPoint(i * 24 + 24, 0), QPoint(i * 24 + 24 - 200, kHeight),
                     QPoint(i * 24 - 200, kHeight)});
      p.setPen(Qt::NoPen);
      p.setBrush(i % 3 == 0 ? QColor(s.accent) : (i % 3 == 1 ? QColor(s.light) : QColor(s.dark)));
      p.drawPolygon(band);
    }
  } else if (b == "hills") {
    verticalGradient(p, s.dark, s.light);
    p.setPen(Qt::NoPen);
    for (int layer = 0; layer < 3; ++layer) {
      QPainterPath hill;
      hill.moveTo(0, kHeight);
      for (int x = 0; x <= kWidth; x += 16) hill.lineTo(x, 240 + layer * 40 - rnd.bounded(60));
      hill.lineTo(kWidth, kHeight);
      p.setBrush(mix(s.dark, qRgb(0, 0, 0), 0.3 + layer * 0.25));
      p.drawPath(hill);
    }
  } else if (b == "circuit") {
    p.fillRect(0, 0, kWidth, kHeight, QColor(s.dark));
    p.setPen(QPen(QColor(s.light), 2));
    for (int i = 0; i < 40; ++i) {
      int x = rnd.bounded(kWidth), y = rnd.bounded(kHeight);
      for (int k = 0; k < 4; ++k) {
        const int nx = k % 2 ? x : x + rnd.bounded(120) - 60, ny = k % 2 ? y + rnd.bounded(120) - 60 : y;
        p.drawLine(x, y, nx, ny);
        x = nx;
        y = ny;
      }
      p.setBrush(QColor(s.accent));
      p.drawEllipse(QPoint(x, y), 3, 3);
    }
  } else if (b == "bubbles") {
    verticalGradient(p, s.light, s.dark);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 70; ++i) {
      p.setPen(QColor(255, 255, 255));
      const int r = 2 + rnd.bounded(9);
      p.drawEllipse(QPoint(rnd.bounded(kWidth), rnd.bounded(kHeight)), r, r);
    }
  } else if (b == "stone") {
    p.fillRect(0, 0, kWidth, kHeight, QColor(s.dark));
    for (int row = 0; row < 14; ++row)
      for (int col = -1; col < 8; ++col) {
        p.setPen(QColor(0, 0, 0));
        p.setBrush(mix(s.dark, s.light, 0.3 + (rnd.bounded(60) / 100.0)));
        p.drawRoundedRect(col * 48 + (row % 2) * 24, row * 30, 44, 26, 8, 8);
      }
  } else if (b == "fields") {
    verticalGradient(p, s.light, s.dark);
    p.fillRect(0, 250, kWidth, 150, QColor(s.accent));
    p.setPen(QColor(s.dark));
    for (int i = 0; i < 30; ++i) p.drawLine(kWidth / 2, 250, i * 12 - 20, kHeight);
  } else if (b == "street") {
    verticalGradient(p, s.light, s.dark);
    for (int i = 0; i < 7; ++i) {
      const int h = 80 + rnd.bounded(120), x = i * 48;
      p.setPen(Qt::black);
      p.setBrush(mix(s.accent, s.dark, (i % 3) * 0.3));
      p.drawRect(x, 320 - h, 44, h);
      p.setBrush(QColor(255, 255, 0));
      for (int wy = 320 - h + 10; wy < 300; wy += 20)
        p.drawRect(x + 8, wy, 8, 10), p.drawRect(x + 26, wy, 8, 10);
    }
    p.fillRect(0, 320, kWidth, 80, QColor(64, 64, 64));
  } else if (b == "board") {
    p.fillRect(0, 0, kWidth, kHeight, QColor(s.dark));
    p.setPen(QColor(s.light));
    QFont f("DejaVu Serif");
    f.setPixelSize(16);
    f.setItalic(true);
    p.setFont(f);
    const QStringList formulas = {"E = mc²", "∇·E = ρ/ε₀",    "Δx·Δp ≥ ħ/2", "t' = t/√(1−v²/c²)",
                                  "F = ma",  "G_μν = 8πT_μν", "λ = h/p",     "∮B·dl = μ₀I"};
    for (int i = 0; i < 16; ++i)
      p.drawText(10 + rnd.bounded(160), 30 + i * 24, formulas[rnd.bounded(formulas.size())]);
  } else {
    verticalGradient(p, s.dark, s.light);
  }
}

void drawEmblem(QPainter& p, const LogoScheme& s, QPointF c, double r, QRandomGenerator& rnd) {
  const QString& e = s.emblem;
  p.setPen(QPen(Qt::black, 2));
  const QColor accent(s.accent), light(s.light), dark(s.dark);
  if (e == "planet") {
    p.setBrush(accent);
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(light, 5));
    p.drawEllipse(c, r * 1.7, r * 0.4);
  } else if (e == "sun") {
    p.setPen(QPen(accent, 4));
    for (int i = 0; i < 16; ++i) {
      const double a = i * M_PI / 8;
      p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r * 1.2,
                 c + QPointF(std::cos(a), std::sin(a)) * r * 1.6);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    p.drawEllipse(c, r, r);
  } else if (e == "moon") {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 220));
    p.drawEllipse(c, r, r);
    p.setBrush(dark);
    p.drawEllipse(c + QPointF(r * 0.45, -r * 0.2), r * 0.85, r * 0.85);
  } else if (e == "star") {
    QPolygonF st;
    for (int i = 0; i < 10; ++i) {
      const double a = -M_PI / 2 + i * M_PI / 5, rr = i % 2 ? r * 0.42 : r;
      st << c + QPointF(std::cos(a) * rr, std::sin(a) * rr);
    }
    p.setBrush(accent);
    p.drawPolygon(st);
  } else if (e == "eye") {
    QPainterPath eye;
    eye.moveTo(c.x() - r * 1.5, c.y());
    eye.quadTo(c.x(), c.y() - r * 1.2, c.x() + r * 1.5, c.y());
    eye.quadTo(c.x(), c.y() + r * 1.2, c.x() - r * 1.5, c.y());
    p.setBrush(QColor(255, 255, 255));
    p.drawPath(eye);
    p.setBrush(accent);
    p.drawEllipse(c, r * 0.5, r * 0.5);
    p.setBrush(Qt::black);
    p.drawEllipse(c, r * 0.2, r * 0.2);
  } else if (e == "skull") {
    p.setBrush(QColor(235, 235, 220));
    p.drawEllipse(c, r, r * 0.95);
    p.drawRect(QRectF(c.x() - r * 0.5, c.y() + r * 0.6, r, r * 0.5));
    p.setBrush(Qt::black);
    p.drawEllipse(c + QPointF(-r * 0.4, 0), r * 0.25, r * 0.3);
    p.drawEllipse(c + QPointF(r * 0.4, 0), r * 0.25, r * 0.3);
    p.drawPolygon(QPolygonF(
        {c + QPointF(0, r * 0.25), c + QPointF(-r * 0.12, r * 0.5), c + QPointF(r * 0.12, r * 0.5)}));
  } else if (e == "wolf") {
    p.setBrush(QColor(90, 90, 100));
    p.drawPolygon(
        QPolygonF({c + QPointF(-r, -r * 0.2), c + QPointF(-r * 0.7, -r * 1.3),
                   c + QPointF(-r * 0.25, -r * 0.5), c + QPointF(r * 0.25, -r * 0.5),
                   c + QPointF(r * 0.7, -r * 1.3), c + QPointF(r, -r * 0.2), c + QPointF(0, r * 1.1)}));
    p.setBrush(accent);
    p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.1), r * 0.12, r * 0.08);
    p.drawEllipse(c + QPointF(r * 0.35, -r * 0.1), r * 0.12, r * 0.08);
  } else if (e == "shield") {
    QPainterPath sh;
    sh.moveTo(c.x() - r, c.y() - r);
    sh.lineTo(c.x() + r, c.y() - r);
    sh.quadTo(c.x() + r, c.y() + r * 0.5, c.x(), c.y() + r * 1.2);
    sh.quadTo(c.x() - r, c.y() + r * 0.5, c.x() - r, c.y() - r);
    p.setBrush(accent);
    p.drawPath(sh);
    p.setPen(QPen(light, 6));
    p.drawLine(c + QPointF(0, -r * 0.8), c + QPointF(0, r * 0.8));
  } else if (e == "bolt") {
    p.setBrush(accent);
    p.drawPolygon(QPolygonF({c + QPointF(r * 0.2, -r * 1.3), c + QPointF(-r * 0.6, r * 0.1),
                             c + QPointF(-r * 0.05, r * 0.1), c + QPointF(-r * 0.3, r * 1.3),
                             c + QPointF(r * 0.6, -r * 0.2), c + QPointF(r * 0.05, -r * 0.2)}));
  } else if (e == "bear") {
    p.setBrush(accent);
    p.drawEllipse(c + QPointF(-r * 0.75, -r * 0.75), r * 0.35, r * 0.35);
    p.drawEllipse(c + QPointF(r * 0.75, -r * 0.75), r * 0.35, r * 0.35);
    p.drawEllipse(c, r, r * 0.9);
    p.setBrush(light);
    p.drawEllipse(c + QPointF(0, r * 0.35), r * 0.4, r * 0.3);
    p.setBrush(Qt::black);
    p.drawEllipse(c + QPointF(-r * 0.35, -r * 0.15), r * 0.1, r * 0.12);
    p.drawEllipse(c + QPointF(r * 0.35, -r * 0.15), r * 0.1, r * 0.12);
    p.drawEllipse(c + QPointF(0, r * 0.25), r * 0.12, r * 0.08);
  } else if (e == "horn") {
    p.setBrush(QColor(255, 255, 255));
    p.drawPolygon(
        QPolygonF({c + QPointF(-r * 0.3, r), c + QPointF(r * 0.3, r), c + QPointF(r * 0.6, -r * 1.2)}));
    p.setPen(QPen(accent, 3));
    for (int i = 1; i < 5; ++i)
      p.drawLine(c + QPointF(-r * 0.3 + i * 0.18 * r, r - i * 0.42 * r),
                 c + QPointF(r * 0.3 + i * 0.06 * r, r - i * 0.46 * r));
  } else if (e == "alien") {
    p.setBrush(QColor(150, 200, 150));
    p.drawEllipse(c, r * 0.75, r * 1.1);
    p.setBrush(Qt::black);
    p.save();
    p.translate(c + QPointF(-r * 0.32, -r * 0.05));
    p.rotate(30);
    p.drawEllipse(QPointF(0, 0), r * 0.3, r * 0.14);
    p.restore();
    p.save();
    p.translate(c + QPointF(r * 0.32, -r * 0.05));
    p.rotate(-30);
    p.drawEllipse(QPointF(0, 0), r * 0.3, r * 0.14);
    p.restore();
  } else if (e == "ship") {
    p.setBrush(light);
    p.drawPolygon(QPolygonF({c + QPointF(0, -r * 1.2), c + QPointF(r * 0.35, r * 0.6), c + QPointF(r, r),
                             c + QPointF(-r, r), c + QPointF(-r * 0.35, r * 0.6)}));
    p.setBrush(accent);
    p.drawEllipse(c + QPointF(0, -r * 0.2), r * 0.15, r * 0.3);
  } else if (e == "ball") {
    p.setBrush(accent);
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::NoBrush);
    p.drawLine(c + QPointF(-r, 0), c + QPointF(r, 0));
    p.drawLine(c + QPointF(0, -r), c + QPointF(0, r));
    p.drawArc(QRectF(c.x() - r * 1.6, c.y() - r, r * 1.4, r * 2), -60 * 16, 120 * 16);
    p.drawArc(QRectF(c.x() + r * 0.2, c.y() - r, r * 1.4, r * 2), 120 * 16, 120 * 16);
  } else if (e == "cube") {
    p.setBrush(dark.lighter(160));
    p.drawPolygon(QPolygonF(
        {c + QPointF(0, -r), c + QPointF(r, -r * 0.5), c + QPointF(0, 0), c + QPointF(-r, -r * 0.5)}));
    p.setBrush(dark.lighter(120));
    p.drawPolygon(QPolygonF(
        {c + QPointF(-r, -r * 0.5), c + QPointF(0, 0), c + QPointF(0, r), c + QPointF(-r, r * 0.5)}));
    p.setBrush(accent);
    p.drawPolygon(
        QPolygonF({c + QPointF(r, -r * 0.5), c + QPointF(0, 0), c + QPointF(0, r), c + QPointF(r, r * 0.5)}));
  } else if (e == "spheres") {
    for (int i = 0; i < 5; ++i) {
      QRadialGradient g(c + QPointF((i - 2) * r * 0.6 - r * 0.1, (i % 2) * r * 0.5 - r * 0.3), r * 0.5);
      g.setColorAt(0, Qt::white);
      g.setColorAt(1, i % 2 ? accent : light);
      p.setBrush(g);
      p.drawEllipse(c + QPointF((i - 2) * r * 0.6, (i % 2) * r * 0.5), r * 0.4, r * 0.4);
    }
  } else if (e == "pyramid") {
    p.setBrush(light);
    p.drawPolygon(QPolygonF({c + QPointF(0, -r), c + QPointF(r * 1.3, r), c + QPointF(-r * 1.3, r)}));
    p.setPen(QPen(dark, 1));
    for (int i = 1; i < 6; ++i)
      p.drawLine(c + QPointF(-r * 1.3 * i / 6, -r + 2 * r * i / 6),
                 c + QPointF(r * 1.3 * i / 6, -r + 2 * r * i / 6));
  } else if (e == "halo") {
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(c + QPointF(-r * 0.9, 0), r * 0.8, r * 0.4);
    p.drawEllipse(c + QPointF(r * 0.9, 0), r * 0.8, r * 0.4);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(accent, 5));
    p.drawEllipse(c + QPointF(0, -r * 0.8), r * 0.6, r * 0.2);
  } else if (e == "elements") {
    for (int i = 0; i < 5; ++i) {
      const double a = -M_PI / 2 + i * 2 * M_PI / 5;
      p.setBrush(i == 4 ? QColor(255, 255, 255) : mix(s.accent, s.light, i / 4.0));
      p.drawEllipse(c + QPointF(std::cos(a), std::sin(a)) * r, r * 0.3, r * 0.3);
    }
  } else if (e == "spots") {
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(c, r * 1.2, r * 0.8);
    p.setBrush(Qt::black);
    for (int i = 0; i < 5; ++i)
      p.drawEllipse(c + QPointF(rnd.bounded(int(r * 1.4)) - r * 0.7, rnd.bounded(int(r)) - r * 0.5), r * 0.25,
                    r * 0.18);
  } else if (e == "window") {
    // A plain window frame: the generic picture of a windowed system.
    p.setBrush(QColor(255, 255, 255));
    p.drawRect(QRectF(c.x() - r * 1.2, c.y() - r * 0.9, r * 2.4, r * 1.8));
    p.setBrush(accent);
    p.drawRect(QRectF(c.x() - r * 1.2, c.y() - r * 0.9, r * 2.4, r * 0.4));
    p.setBrush(light);
    p.drawRect(QRectF(c.x() - r, c.y() - r * 0.3, r * 0.9, r * 0.9));
    p.drawRect(QRectF(c.x() + r * 0.1, c.y() - r * 0.3, r * 0.9, r * 0.9));
  } else if (e == "chip") {
    p.setBrush(Qt::black);
    p.drawRect(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r));
    p.setPen(QPen(light, 3));
    for (int i = -3; i <= 3; ++i) {
      p.drawLine(c + QPointF(i * r / 4, -r), c + QPointF(i * r / 4, -r * 1.3));
      p.drawLine(c + QPointF(i * r / 4, r), c + QPointF(i * r / 4, r * 1.3));
    }
    p.setPen(QPen(accent, 2));
    p.drawRect(QRectF(c.x() - r * 0.5, c.y() - r * 0.5, r, r));
  } else if (e == "penguin") {
    p.setBrush(Qt::black);
    p.drawEllipse(c, r * 0.8, r * 1.1);
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(c + QPointF(0, r * 0.2), r * 0.55, r * 0.8);
    p.setBrush(accent);
    p.drawPolygon(QPolygonF(
        {c + QPointF(-r * 0.15, -r * 0.5), c + QPointF(r * 0.15, -r * 0.5), c + QPointF(0, -r * 0.3)}));
    p.drawEllipse(c + QPointF(-r * 0.35, r * 1.05), r * 0.3, r * 0.1);
    p.drawEllipse(c + QPointF(r * 0.35, r * 1.05), r * 0.3, r * 0.1);
  } else if (e == "glass") {
    p.setBrush(accent);
    p.drawRect(QRectF(c.x() - r * 0.6, c.y() - r, r * 1.2, r * 2));
    p.setBrush(QColor(255, 255, 255));
    p.drawEllipse(QRectF(c.x() - r * 0.7, c.y() - r * 1.3, r * 1.4, r * 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() + r * 0.4, c.y() - r * 0.5, r * 0.6, r), -90 * 16, 180 * 16);
  } else {
    p.setBrush(accent);
    p.drawEllipse(c, r, r);
  }
}

void caption(QPainter& p, const QRect& area, const QString& text, int pixels, const QColor& color,
             bool serif = false) {
  QFont f(serif ? "DejaVu Serif" : "DejaVu Sans");
  f.setPixelSize(pixels);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::black);
  p.drawText(area.translated(2, 2), Qt::AlignCenter | Qt::TextWordWrap, text);
  p.setPen(color);
  p.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
}

// The systems' own schemes carry the system's name.
QString title(const QString& name) {
  if (name == "Win95") return "Windows 95";
  if (name == "Win98") return "Windows 98";
  if (name == "Win95 PLUS!") return "Windows 95 Plus!";
  if (name == "Win98 PLUS!") return "Windows 98 Plus!";
  if (name == "Win Millenium") return "Windows Millennium";
  return name;
}

}  // namespace

const std::vector<LogoScheme>& logoSchemes() {
  static const std::vector<LogoScheme> all = [] {
    std::vector<LogoScheme> v;
    v.push_back(
        scheme("AMD", "AMD", "circuit", "chip", qRgb(0, 40, 30), qRgb(0, 200, 120), qRgb(230, 230, 230)));
    v.push_back(scheme("Angel", "Angels", "clouds", "halo", qRgb(120, 150, 230), qRgb(250, 240, 255),
                       qRgb(255, 220, 60)));
    v.push_back(scheme("Armagedon", "Armagedon", "flames", "planet", qRgb(60, 0, 0), qRgb(255, 140, 0),
                       qRgb(255, 230, 80)));
    v.push_back(scheme("BattleStar", "BattleStar", "stars", "ship", qRgb(10, 10, 50), qRgb(160, 180, 255),
                       qRgb(255, 120, 0)));
    v.push_back(scheme("Borg", "Borg", "grid", "cube", qRgb(0, 60, 0), qRgb(60, 255, 60), qRgb(0, 160, 0)));
    v.push_back(
        scheme("Cloud", "Cloud", "clouds", "sun", qRgb(40, 90, 200), qRgb(180, 220, 255), qRgb(255, 230, 0)));
    v.push_back(
        scheme("Cool", "Cool", "rings", "star", qRgb(0, 60, 140), qRgb(0, 220, 255), qRgb(255, 255, 255)));
    v.push_back(scheme("Crazy98", "Crazy98", "stripes", "spheres", qRgb(200, 0, 120), qRgb(255, 230, 0),
                       qRgb(0, 200, 255)));
    v.push_back(scheme("CresentMoon", "CresentMoon", "stars", "moon", qRgb(0, 0, 60), qRgb(120, 120, 220),
                       qRgb(255, 255, 180)));
    v.push_back(
        scheme("Dead", "Dead", "hills", "skull", qRgb(30, 30, 30), qRgb(130, 130, 110), qRgb(180, 0, 0)));
    v.push_back(scheme("Digital Blasphemy", "DigitalB", "glow", "eye", qRgb(40, 0, 80), qRgb(255, 120, 255),
                       qRgb(0, 255, 200)));
    v.push_back(scheme("Einstein1", "Einstein1", "board", "bulb", qRgb(10, 50, 30), qRgb(230, 230, 230),
                       qRgb(255, 255, 120)));
    v.push_back(scheme("Einstein2", "Einstein2", "board", "planet", qRgb(40, 20, 10), qRgb(240, 220, 180),
                       qRgb(120, 200, 255)));
    v.push_back(scheme("Flinstones", "Flinstones", "stone", "sun", qRgb(90, 60, 30), qRgb(220, 190, 140),
                       qRgb(255, 140, 0)));
    v.push_back(scheme("Galactica", "Galactica", "space", "planet", qRgb(20, 0, 40), qRgb(200, 160, 255),
                       qRgb(255, 80, 80)));
    v.push_back(scheme("Gladiator", "Gladiator", "hills", "shield", qRgb(120, 70, 20), qRgb(250, 210, 140),
                       qRgb(160, 0, 0)));
    v.push_back(
        scheme("Horror", "Horror", "flames", "skull", qRgb(20, 0, 0), qRgb(200, 0, 0), qRgb(255, 200, 0)));
    v.push_back(
        scheme("Jordan", "Jordan", "rings", "ball", qRgb(120, 0, 0), qRgb(255, 80, 40), qRgb(255, 140, 0)));
    v.push_back(scheme("Kubuś Puchatek", "Kubus", "hills", "bear", qRgb(80, 140, 40), qRgb(255, 240, 150),
                       qRgb(230, 160, 30)));
    v.push_back(scheme("Last In Space", "LastInSpace", "stars", "ship", qRgb(0, 20, 40), qRgb(160, 255, 255),
                       qRgb(255, 255, 255)));
    v.push_back(
        scheme("Linux", "Linux", "sky", "penguin", qRgb(0, 50, 120), qRgb(220, 240, 255), qRgb(255, 190, 0)));
    v.push_back(
        scheme("Matrix", "Matrix", "rain", "eye", qRgb(0, 40, 0), qRgb(120, 255, 120), qRgb(220, 255, 220)));
    v.push_back(
        scheme("Morze", "Morze", "sea", "sun", qRgb(0, 40, 110), qRgb(120, 200, 255), qRgb(255, 200, 60)));
    v.push_back(scheme("Okocim Zagłoba", "Zagłoba", "bubbles", "glass", qRgb(120, 60, 0), qRgb(255, 220, 90),
                       qRgb(255, 250, 230)));
    v.push_back(scheme("Okocim1", "Okocim1", "bubbles", "glass", qRgb(90, 50, 0), qRgb(250, 200, 60),
                       qRgb(200, 0, 0)));
    v.push_back(scheme("Okocim2", "Okocim2", "bubbles", "star", qRgb(0, 70, 30), qRgb(250, 210, 80),
                       qRgb(255, 255, 255)));
    v.push_back(scheme("Piąty element", "fifth", "glow", "elements", qRgb(60, 20, 0), qRgb(255, 200, 120),
                       qRgb(0, 160, 255)));
    v.push_back(
        scheme("Quake", "Quake", "flames", "bolt", qRgb(40, 20, 0), qRgb(150, 90, 40), qRgb(255, 200, 0)));
    v.push_back(scheme("Render", "Render", "grid", "spheres", qRgb(20, 20, 60), qRgb(120, 160, 255),
                       qRgb(255, 60, 60)));
    v.push_back(scheme("Sepultura", "Sepultura", "flames", "bolt", qRgb(30, 0, 0), qRgb(160, 30, 30),
                       qRgb(220, 220, 220)));
    v.push_back(
        scheme("Space", "Space", "space", "planet", qRgb(0, 0, 30), qRgb(80, 120, 255), qRgb(255, 170, 60)));
    v.push_back(
        scheme("Spawn", "Spawn", "glow", "eye", qRgb(0, 30, 0), qRgb(120, 220, 40), qRgb(255, 40, 0)));
    v.push_back(
        scheme("StarWar", "StarWar", "stars", "star", qRgb(0, 0, 0), qRgb(90, 90, 120), qRgb(255, 230, 0)));
    v.push_back(scheme("Tomb Rider", "tr", "hills", "pyramid", qRgb(40, 70, 20), qRgb(230, 200, 130),
                       qRgb(190, 140, 60)));
    v.push_back(scheme("TuCows", "TuCows", "fields", "spots", qRgb(20, 90, 200), qRgb(200, 230, 255),
                       qRgb(60, 170, 40)));
    v.push_back(scheme("Tygrysek", "Tygrys", "stripes", "bear", qRgb(40, 20, 0), qRgb(255, 150, 30),
                       qRgb(255, 200, 60)));
    v.push_back(scheme("Ulica Sezamkowa", "sesame", "street", "star", qRgb(60, 130, 220), qRgb(220, 240, 255),
                       qRgb(40, 160, 60)));
    v.push_back(scheme("Unicorn", "Unicor", "clouds", "horn", qRgb(180, 120, 220), qRgb(255, 230, 250),
                       qRgb(255, 180, 0)));
    v.push_back(
        scheme("Wilk", "Wilk", "hills", "wolf", qRgb(10, 10, 50), qRgb(90, 110, 180), qRgb(255, 255, 120)));
    v.push_back(
        scheme("Wilk2", "Wolf2", "stars", "wolf", qRgb(30, 10, 40), qRgb(140, 100, 180), qRgb(255, 60, 0)));
    v.push_back(scheme("Win Millenium", "wm", "sky", "window", qRgb(0, 40, 120), qRgb(100, 200, 255),
                       qRgb(0, 120, 60)));
    v.push_back(
        scheme("Win95", "Win95", "clouds", "window", qRgb(0, 70, 160), qRgb(150, 200, 255), qRgb(0, 0, 128)));
    v.push_back(scheme("Win95 PLUS!", "Win95Plus", "glow", "window", qRgb(0, 0, 60), qRgb(90, 150, 255),
                       qRgb(200, 0, 0)));
    v.push_back(
        scheme("Win98", "Win98", "sky", "window", qRgb(0, 60, 180), qRgb(170, 215, 255), qRgb(0, 0, 128)));
    v.push_back(scheme("Win98 PLUS!", "Win98Plus", "rings", "window", qRgb(0, 20, 90), qRgb(120, 170, 255),
                       qRgb(255, 200, 0)));
    v.push_back(scheme("Winders", "Winders", "stripes", "window", qRgb(90, 60, 0), qRgb(250, 220, 120),
                       qRgb(0, 90, 200)));
    v.push_back(
        scheme("WingCmd", "wc", "space", "ship", qRgb(10, 20, 40), qRgb(140, 180, 200), qRgb(255, 90, 0)));
    v.push_back(scheme("XFiles", "Xfiles", "stars", "alien", qRgb(0, 20, 10), qRgb(80, 160, 100),
                       qRgb(220, 255, 220)));
    // Schemes whose files do not follow the name.
    auto fix = [&](const QString& name, const QString& start, const QString& down, const QString& off) {
      for (LogoScheme& s : v)
        if (s.name == name) s = files(s, start, down, off);
    };
    fix("Digital Blasphemy", "DigitalBLogo.bmp", "DigitalBLogow.bmp", "WinLogos.bmp");
    fix("Linux", "LinuxLogo.bmp", "LinuxLogow.bmp", "WinLogos.bmp");
    fix("Win95", "Win95Logo.bmp", "Win95Logow.bmp", "WinLogos.bmp");
    fix("Win95 PLUS!", "Win95PlusLogo.bmp", "Win95Logow.bmp", "WinLogos.bmp");
    fix("Winders", "WindersLogo.bmp", "WindersLogow.bmp", "WinLogos.bmp");
    fix("Win98", "Win98Logo.bmp", "Win98Logow.bmp", "WinLogos.bmp");
    fix("Win98 PLUS!", "Win98PlusLogo.bmp", "Win98Logow.bmp", "WinLogos.bmp");
    fix("Okocim2", "Okocim2Logo.bmp", "Okocim2Logow.bmp", "OkocimLogos.bmp");
    fix("Okocim Zagłoba", "ZagłobaLogo.bmp", "ZagłobaLogow.bmp", "OkocimLogos.bmp");
    fix("XFiles", "XfilesLogo.bmp", "XfilesLogoW.bmp", "XfilesLogoS.bmp");
    fix("CresentMoon", "CresentMoonLogo.bmp", "CresentMoonLogoW.bmp", "CresentMoonLogoS.bmp");
    fix("Horror", "HorrorLogo.bmp", "HorrorLogoW.bmp", "HorrorLogoS.bmp");
    fix("Jordan", "JordanLogo.bmp", "JordanLogoW.bmp", "WinLogoS.bmp");
    fix("Sepultura", "SepulturaLogo.bmp", "SepulturaLogoW.bmp", "SepulturaLogoS.bmp");
    fix("Wilk2", "Wolf2Logo.bmp", "Wolf2LogoW.bmp", "Wolf2LogoS.bmp");
    return v;
  }();
  return all;
}

QImage drawLogo(const LogoScheme& s, LogoSlot slot) {
  QRandomGenerator rnd(seedOf(s.name + QString::number(static_cast<int>(slot))));
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  // The shared switch-off pictures carry no scheme's name.
  const bool shared =
      s.switchOffFile.startsWith("WinLogo", Qt::CaseInsensitive) || s.switchOffFile == "OkocimLogos.bmp";
  switch (slot) {
    case LogoSlot::Start:
      drawBackdrop(p, s, rnd);
      drawEmblem(p, s, QPointF(160, 170), 62, rnd);
      caption(p, QRect(0, 20, kWidth, 70), title(s.name), s.name.size() > 12 ? 30 : 40,
              QColor(s.light).lighter(130));
      caption(p, QRect(0, 330, kWidth, 40), "Uruchamianie systemu...", 16, QColor(255, 255, 255));
      break;
    case LogoSlot::ShutDown: {
      drawBackdrop(p, s, rnd);
      p.fillRect(0, 0, kWidth, kHeight, QColor(0, 0, 0, 110));
      drawEmblem(p, s, QPointF(160, 150), 44, rnd);
      caption(p, QRect(10, 250, kWidth - 20, 90), "Zaczekaj, trwa zamykanie systemu.", 22,
              QColor(255, 255, 255));
      caption(p, QRect(0, 350, kWidth, 30), s.name, 14, QColor(s.light));
      break;
    }
    case LogoSlot::SwitchOff:
      if (shared) {
        verticalGradient(p, qRgb(0, 0, 0),
                         s.switchOffFile == "OkocimLogos.bmp" ? qRgb(90, 50, 0) : qRgb(0, 0, 90));
      } else {
        p.fillRect(0, 0, kWidth, kHeight, Qt::black);
        drawEmblem(p, s, QPointF(160, 110), 36, rnd);
      }
      caption(p, QRect(10, 190, kWidth - 20, 120), "Teraz możesz bezpiecznie wyłączyć komputer.", 24,
              shared ? QColor(255, 160, 0) : QColor(s.accent).lighter(120));
      break;
  }
  p.end();
  return toPalette(image, schemePalette(s), true);
}

}  // namespace kelvaro::sandbox
