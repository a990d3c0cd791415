#include "tools/sandbox/icon_art.h"

#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <cmath>
#include <functional>
#include <map>

namespace kelvaro::sandbox {

namespace {

const QColor kBlack(0, 0, 0), kWhite(255, 255, 255), kSilver(192, 192, 192), kGray(128, 128, 128),
    kNavy(0, 0, 128), kBlue(0, 0, 255), kTeal(0, 128, 128), kCyan(0, 255, 255), kYellow(255, 255, 0),
    kOlive(128, 128, 0), kRed(255, 0, 0), kMaroon(128, 0, 0), kGreen(0, 128, 0), kLime(0, 255, 0),
    kPurple(128, 0, 128);

struct Canvas {
  QPainter& p;
  QColor accent;
  QString mark;
};

void box(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& edge = kBlack) {
  p.setPen(edge);
  p.setBrush(fill);
  p.drawRect(x, y, w - 1, h - 1);
}

void bevel(QPainter& p, int x, int y, int w, int h, const QColor& face) {
  box(p, x, y, w, h, face, kBlack);
  p.setPen(kWhite);
  p.drawLine(x + 1, y + 1, x + w - 3, y + 1);
  p.drawLine(x + 1, y + 1, x + 1, y + h - 3);
  p.setPen(kGray);
  p.drawLine(x + 2, y + h - 2, x + w - 2, y + h - 2);
  p.drawLine(x + w - 2, y + 2, x + w - 2, y + h - 2);
}

void text(QPainter& p, const QRect& r, const QString& s, const QColor& c, int pixels = 9, bool bold = true) {
  QFont f("DejaVu Sans");
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setStyleStrategy(QFont::NoAntialias);
  p.setFont(f);
  p.setPen(c);
  p.drawText(r, Qt::AlignCenter, s);
}

void page(Canvas& c, const QColor& fold = kSilver) {
  QPainterPath path;
  path.moveTo(6, 2);
  path.lineTo(20, 2);
  path.lineTo(26, 8);
  path.lineTo(26, 29);
  path.lineTo(6, 29);
  path.closeSubpath();
  c.p.setPen(kBlack);
  c.p.setBrush(kWhite);
  c.p.drawPath(path);
  c.p.setBrush(fold);
  c.p.drawPolygon(QPolygon({QPoint(20, 2), QPoint(20, 8), QPoint(26, 8)}));
}

void lines(QPainter& p, int x0, int x1, int y0, int y1, const QColor& color, int step = 3) {
  p.setPen(color);
  for (int y = y0; y <= y1; y += step) p.drawLine(x0, y, x1 - ((y / step) % 3 == 2 ? 4 : 0), y);
}

void folder(Canvas& c, bool open, const QColor& color = QColor(255, 255, 0)) {
  const QColor dark = color.darker(150);
  c.p.setPen(kBlack);
  c.p.setBrush(dark);
  c.p.drawPolygon(QPolygon({QPoint(2, 8), QPoint(10, 8), QPoint(12, 6), QPoint(18, 6), QPoint(18, 9),
                            QPoint(28, 9), QPoint(28, 26), QPoint(2, 26)}));
  if (open) {
    c.p.setBrush(color);
    c.p.drawPolygon(QPolygon({QPoint(6, 13), QPoint(31, 13), QPoint(27, 26), QPoint(2, 26)}));
  } else {
    c.p.setBrush(color);
    c.p.drawRect(2, 11, 26, 15);
    c.p.setPen(kWhite);
    c.p.drawLine(3, 12, 26, 12);
  }
}

void monitor(Canvas& c, const QColor& screen = kTeal, int dx = 0, int dy = 0) {
  bevel(c.p, 3 + dx, 2 + dy, 24, 19, kSilver);
  box(c.p, 6 + dx, 5 + dy, 18, 13, screen);
  c.p.setPen(kWhite);
  c.p.drawLine(8 + dx, 7 + dy, 12 + dx, 7 + dy);
  box(c.p, 11 + dx, 21 + dy, 8, 3, kGray);
  bevel(c.p, 6 + dx, 24 + dy, 18, 5, kSilver);
}

void drive(Canvas& c, const QColor& light, bool disc = false) {
  bevel(c.p, 1, 11, 30, 12, kSilver);
  box(c.p, 5, 15, 16, 3, kGray);
  box(c.p, 24, 16, 3, 2, light, light.darker());
  if (disc) {
    c.p.setPen(kBlack);
    c.p.setBrush(QColor(224, 224, 224));
    c.p.drawEllipse(QPoint(13, 9), 9, 7);
    c.p.setBrush(kWhite);
    c.p.drawEllipse(QPoint(13, 9), 2, 2);
  }
}

void floppy(Canvas& c, bool large) {
  if (large) {
    box(c.p, 3, 3, 26, 26, kBlack, kGray);
    box(c.p, 9, 4, 14, 9, kWhite);
    c.p.setBrush(kGray);
    c.p.drawEllipse(QPoint(16, 19), 4, 4);
    box(c.p, 14, 24, 4, 4, kGray);
  } else {
    box(c.p, 4, 3, 24, 26, kNavy);
    box(c.p, 9, 3, 13, 9, kSilver);
    box(c.p, 17, 4, 3, 6, kNavy);
    box(c.p, 8, 16, 16, 12, kWhite);
    lines(c.p, 10, 22, 19, 26, kBlue);
  }
}

void globe(Canvas& c, int cx, int cy, int r) {
  c.p.setPen(kNavy);
  c.p.setBrush(kBlue);
  c.p.drawEllipse(QPoint(cx, cy), r, r);
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(kLime);
  c.p.drawEllipse(QPoint(cx - r / 3, cy - r / 4), r / 2, r / 3);
  c.p.drawEllipse(QPoint(cx + r / 3, cy + r / 3), r / 3, r / 2);
  c.p.setPen(kCyan);
  c.p.setBrush(Qt::NoBrush);
  c.p.drawEllipse(QPoint(cx, cy), r / 2, r);
  c.p.drawLine(cx - r, cy, cx + r, cy);
}

void printer(Canvas& c) {
  box(c.p, 8, 2, 16, 12, kWhite);
  lines(c.p, 10, 22, 5, 11, kGray);
  c.p.setPen(kBlack);
  c.p.setBrush(kSilver);
  c.p.drawPolygon(QPolygon({QPoint(2, 14), QPoint(30, 14), QPoint(30, 26), QPoint(2, 26)}));
  c.p.setPen(kWhite);
  c.p.drawLine(3, 15, 29, 15);
  box(c.p, 6, 20, 20, 3, kGray);
  box(c.p, 25, 17, 3, 2, kLime, kGreen);
}

void arrow(QPainter& p, const QPoint& from, const QPoint& to, const QColor& color, int width = 3) {
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.drawLine(from, to);
  const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const QPointF a = QPointF(to) - QPointF(std::cos(angle - 0.6) * 7, std::sin(angle - 0.6) * 7);
  const QPointF b = QPointF(to) - QPointF(std::cos(angle + 0.6) * 7, std::sin(angle + 0.6) * 7);
  p.setPen(color);
  p.setBrush(color);
  p.drawPolygon(QPolygonF({QPointF(to), a, b}));
}

void shortcutArrow(Canvas& c) {
  box(c.p, 0, 20, 12, 12, kWhite);
  c.p.setPen(QPen(kBlack, 2));
  c.p.drawLine(3, 29, 8, 24);
  c.p.setBrush(kBlack);
  c.p.drawPolygon(QPolygon({QPoint(4, 23), QPoint(9, 23), QPoint(9, 28)}));
}

void bin(Canvas& c, bool full) {
  c.p.setPen(kBlack);
  c.p.setBrush(QColor(224, 224, 224));
  c.p.drawPolygon(QPolygon({QPoint(7, 8), QPoint(25, 8), QPoint(23, 30), QPoint(9, 30)}));
  c.p.setPen(kGray);
  for (int x = 11; x <= 21; x += 5) c.p.drawLine(x, 11, x, 27);
  box(c.p, 6, 6, 20, 3, kSilver);
  if (full) {
    box(c.p, 9, 1, 8, 7, kWhite);
    box(c.p, 15, 2, 9, 6, kYellow);
    c.p.setPen(kRed);
    c.p.drawLine(10, 3, 15, 3);
  }
  c.p.setPen(kGreen);
  c.p.setBrush(Qt::NoBrush);
  c.p.drawEllipse(QPoint(16, 19), 4, 4);
}

void hand(Canvas& c) {
  c.p.setPen(kBlack);
  c.p.setBrush(QColor(255, 224, 160));
  c.p.drawRoundedRect(4, 22, 22, 8, 3, 3);
  c.p.drawRect(20, 18, 8, 6);
}

void magnifier(Canvas& c, int cx = 13, int cy = 12) {
  c.p.setPen(QPen(kBlack, 2));
  c.p.setBrush(kCyan);
  c.p.drawEllipse(QPoint(cx, cy), 8, 8);
  c.p.setPen(QPen(kMaroon, 4));
  c.p.drawLine(cx + 6, cy + 6, cx + 14, cy + 14);
}

void gear(Canvas& c, int cx, int cy, int r, const QColor& color) {
  c.p.setPen(kBlack);
  c.p.setBrush(color);
  QPolygonF teeth;
  for (int i = 0; i < 16; ++i) {
    const double a = i * M_PI / 8;
    const double rr = (i % 2 == 0) ? r : r * 0.72;
    teeth << QPointF(cx + std::cos(a) * rr, cy + std::sin(a) * rr);
  }
  c.p.drawPolygon(teeth);
  c.p.setBrush(kWhite);
  c.p.drawEllipse(QPointF(cx, cy), r * 0.3, r * 0.3);
}

void windowFrame(Canvas& c, const QColor& title = kNavy) {
  box(c.p, 2, 4, 28, 24, kWhite);
  box(c.p, 2, 4, 28, 6, title);
  box(c.p, 24, 5, 5, 4, kSilver);
}

void star(QPainter& p, QPointF center, double r, const QColor& color) {
  QPolygonF s;
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5;
    const double rr = (i % 2 == 0) ? r : r * 0.45;
    s << QPointF(center.x() + std::cos(a) * rr, center.y() + std::sin(a) * rr);
  }
  p.setPen(kBlack);
  p.setBrush(color);
  p.drawPolygon(s);
}

void person(Canvas& c, int x, int y, const QColor& shirt) {
  c.p.setPen(kBlack);
  c.p.setBrush(QColor(255, 204, 153));
  c.p.drawEllipse(x + 2, y, 6, 6);
  c.p.setBrush(shirt);
  c.p.drawRoundedRect(x, y + 7, 10, 9, 2, 2);
}

void cable(Canvas& c) {
  c.p.setPen(QPen(kBlack, 2));
  c.p.drawLine(4, 30, 28, 30);
}

void book(Canvas& c, const QColor& cover) {
  c.p.setPen(kBlack);
  c.p.setBrush(cover);
  c.p.drawRect(6, 3, 20, 26);
  c.p.setBrush(kWhite);
  c.p.drawRect(23, 5, 3, 23);
  c.p.setPen(cover.lighter(170));
  c.p.drawLine(8, 5, 8, 27);
}

using Painter = std::function<void(Canvas&)>;

const std::map<QString, Painter>& painters() {
  static const std::map<QString, Painter> table = {
      {"document", [](Canvas& c) { page(c); }},
      {"document-lines",
       [](Canvas& c) {
         page(c);
         lines(c.p, 9, 23, 11, 26, kGray);
       }},
      {"application",
       [](Canvas& c) {
         windowFrame(c);
         box(c.p, 6, 13, 20, 12, kSilver, kGray);
       }},
      {"dos",
       [](Canvas& c) {
         windowFrame(c, kGray);
         box(c.p, 4, 11, 24, 15, kBlack);
         text(c.p, QRect(4, 11, 24, 15), "C:\\>", kSilver, 7);
       }},
      {"folder", [](Canvas& c) { folder(c, false); }},
      {"folder-open", [](Canvas& c) { folder(c, true); }},
      {"floppy-525", [](Canvas& c) { floppy(c, true); }},
      {"floppy-35", [](Canvas& c) { floppy(c, false); }},
      {"removable",
       [](Canvas& c) {
         drive(c, kYellow);
         box(c.p, 8, 4, 16, 7, kNavy);
       }},
      {"harddisk", [](Canvas& c) { drive(c, kLime); }},
      {"netdrive",
       [](Canvas& c) {
         drive(c, kLime);
         cable(c);
         c.p.drawLine(16, 23, 16, 30);
       }},
      {"netdrive-off",
       [](Canvas& c) {
         drive(c, kGray);
         cable(c);
         c.p.setPen(QPen(kRed, 3));
         c.p.drawLine(10, 24, 22, 31);
       }},
      {"cdrom", [](Canvas& c) { drive(c, kLime, true); }},
      {"ramdisk",
       [](Canvas& c) {
         box(c.p, 2, 10, 28, 12, kGreen);
         for (int x = 5; x < 28; x += 5) box(c.p, x, 12, 3, 8, kBlack);
         for (int x = 4; x < 29; x += 3) box(c.p, x, 22, 2, 3, kYellow, kOlive);
       }},
      {"entire-network",
       [](Canvas& c) {
         globe(c, 16, 14, 11);
         box(c.p, 2, 22, 9, 7, kSilver);
         box(c.p, 21, 22, 9, 7, kSilver);
       }},
      {"globe", [](Canvas& c) { globe(c, 16, 16, 13); }},
      {"computer", [](Canvas& c) { monitor(c); }},
      {"printer", [](Canvas& c) { printer(c); }},
      {"network",
       [](Canvas& c) {
         c.p.scale(0.7, 0.7);
         monitor(c, kTeal, 0, 0);
         monitor(c, kTeal, 16, 14);
         c.p.resetTransform();
         c.p.setPen(QPen(kBlack, 2));
         c.p.drawLine(10, 22, 10, 30);
         c.p.drawLine(10, 30, 22, 30);
       }},
      {"workgroup",
       [](Canvas& c) {
         person(c, 2, 8, kBlue);
         person(c, 11, 4, kRed);
         person(c, 20, 8, kGreen);
         box(c.p, 2, 25, 28, 4, kSilver);
       }},
      {"programs",
       [](Canvas& c) {
         folder(c, false, kSilver);
         windowFrame(c, kNavy);
         c.p.scale(1, 1);
       }},
      {"documents",
       [](Canvas& c) {
         folder(c, false);
         c.p.translate(8, 2);
         c.p.scale(0.6, 0.6);
         page(c);
         c.p.resetTransform();
       }},
      {"settings",
       [](Canvas& c) {
         folder(c, false, kSilver);
         gear(c, 16, 18, 8, kGray);
       }},
      {"find",
       [](Canvas& c) {
         page(c);
         magnifier(c);
       }},
      {"help",
       [](Canvas& c) {
         book(c, kPurple);
         text(c.p, QRect(6, 3, 18, 26), "?", kYellow, 18);
       }},
      {"run",
       [](Canvas& c) {
         windowFrame(c, kNavy);
         arrow(c.p, QPoint(6, 24), QPoint(24, 14), kGreen);
       }},
      {"suspend",
       [](Canvas& c) {
         monitor(c, kNavy);
         c.p.setPen(Qt::NoPen);
         c.p.setBrush(kYellow);
         c.p.drawEllipse(QPoint(15, 11), 5, 5);
         c.p.setBrush(kNavy);
         c.p.drawEllipse(QPoint(17, 10), 4, 4);
       }},
      {"eject",
       [](Canvas& c) {
         box(c.p, 4, 4, 24, 24, kSilver);
         c.p.setBrush(kBlack);
         c.p.drawPolygon(QPolygon({QPoint(16, 8), QPoint(24, 17), QPoint(8, 17)}));
         box(c.p, 8, 20, 17, 4, kBlack);
       }},
      {"shutdown",
       [](Canvas& c) {
         monitor(c, kBlack);
         c.p.setPen(QPen(kRed, 2));
         c.p.setBrush(Qt::NoBrush);
         c.p.drawArc(10, 6, 10, 10, 120 * 16, 300 * 16);
         c.p.drawLine(15, 5, 15, 11);
       }},
      {"share-hand",
       [](Canvas& c) {
         folder(c, false);
         hand(c);
       }},
      {"shortcut-arrow", [](Canvas& c) { shortcutArrow(c); }},
      {"big-arrow", [](Canvas& c) { arrow(c.p, QPoint(4, 28), QPoint(26, 6), kBlack, 5); }},
      {"recycle-empty", [](Canvas& c) { bin(c, false); }},
      {"recycle-full", [](Canvas& c) { bin(c, true); }},
      {"dialup",
       [](Canvas& c) {
         monitor(c);
         c.p.setPen(kBlack);
         c.p.setBrush(kRed);
         c.p.drawRoundedRect(16, 20, 14, 9, 3, 3);
         box(c.p, 19, 23, 8, 3, kWhite);
       }},
      {"desktop",
       [](Canvas& c) {
         box(c.p, 1, 4, 30, 22, kTeal);
         box(c.p, 1, 22, 30, 4, kSilver);
         box(c.p, 2, 23, 6, 2, kWhite);
         box(c.p, 4, 7, 5, 5, kYellow);
         box(c.p, 4, 14, 5, 5, kWhite);
       }},
      {"control-panel",
       [](Canvas& c) {
         folder(c, false, kSilver);
         gear(c, 12, 18, 6, kYellow);
         box(c.p, 19, 14, 8, 10, kBlue);
       }},
      {"program-group",
       [](Canvas& c) {
         windowFrame(c, kTeal);
         for (int i = 0; i < 3; ++i) box(c.p, 5 + 8 * i, 14, 6, 6, i == 1 ? kRed : kBlue);
       }},
      {"printers-folder",
       [](Canvas& c) {
         folder(c, false);
         c.p.translate(6, 8);
         c.p.scale(0.65, 0.65);
         printer(c);
         c.p.resetTransform();
       }},
      {"fonts-folder",
       [](Canvas& c) {
         folder(c, false);
         text(c.p, QRect(4, 10, 24, 17), "Aa", kNavy, 13);
       }},
      {"taskbar",
       [](Canvas& c) {
         box(c.p, 1, 18, 30, 8, kSilver);
         bevel(c.p, 2, 19, 9, 6, kSilver);
         box(c.p, 3, 21, 3, 2, kGreen);
         bevel(c.p, 12, 19, 9, 6, kSilver);
         box(c.p, 24, 20, 6, 4, kGray);
       }},
      {"audio-cd",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(QColor(224, 224, 224));
         c.p.drawEllipse(QPoint(16, 16), 14, 14);
         c.p.setBrush(kWhite);
         c.p.drawEllipse(QPoint(16, 16), 3, 3);
         c.p.setPen(kBlue);
         c.p.drawArc(6, 6, 20, 20, 30 * 16, 80 * 16);
         text(c.p, QRect(18, 16, 14, 14), "\u266A", kNavy, 12);
       }},
      {"tree",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.drawLine(6, 6, 6, 26);
         for (int y : {8, 16, 24}) {
           c.p.drawLine(6, y, 12, y);
           box(c.p, 13, y - 3, 10, 7, kYellow);
         }
       }},
      {"favorites",
       [](Canvas& c) {
         folder(c, false);
         star(c.p, QPointF(16, 18), 9, kYellow);
       }},
      {"logoff",
       [](Canvas& c) {
         box(c.p, 6, 2, 16, 28, kSilver);
         box(c.p, 8, 4, 12, 24, kBlack);
         arrow(c.p, QPoint(10, 16), QPoint(29, 16), kRed);
       }},
      {"key",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(kYellow);
         c.p.drawEllipse(QPoint(9, 10), 7, 7);
         c.p.setBrush(kWhite);
         c.p.drawEllipse(QPoint(9, 10), 2, 2);
         box(c.p, 13, 12, 16, 4, kYellow, kBlack);
         box(c.p, 23, 16, 3, 4, kYellow);
       }},
      {"lock",
       [](Canvas& c) {
         c.p.setPen(QPen(kGray, 3));
         c.p.setBrush(Qt::NoBrush);
         c.p.drawArc(9, 3, 14, 16, 0, 180 * 16);
         c.p.drawLine(9, 11, 9, 14);
         c.p.drawLine(23, 11, 23, 14);
         box(c.p, 6, 14, 20, 15, kYellow);
         box(c.p, 15, 19, 2, 6, kBlack);
       }},
      {"mail",
       [](Canvas& c) {
         box(c.p, 2, 8, 28, 18, kWhite);
         c.p.setPen(kBlack);
         c.p.drawLine(2, 8, 16, 19);
         c.p.drawLine(30, 8, 16, 19);
         box(c.p, 23, 10, 5, 5, kRed);
       }},
      {"music",
       [](Canvas& c) {
         c.p.setPen(QPen(kBlack, 2));
         c.p.drawLine(12, 22, 12, 5);
         c.p.drawLine(24, 19, 24, 3);
         c.p.setPen(QPen(kBlack, 3));
         c.p.drawLine(12, 5, 24, 3);
         c.p.setPen(kBlack);
         c.p.setBrush(kBlue);
         c.p.drawEllipse(QPoint(9, 23), 4, 3);
         c.p.drawEllipse(QPoint(21, 20), 4, 3);
       }},
      {"movie",
       [](Canvas& c) {
         box(c.p, 3, 6, 26, 20, kBlack);
         for (int x = 5; x < 28; x += 4) {
           box(c.p, x, 7, 2, 2, kWhite);
           box(c.p, x, 23, 2, 2, kWhite);
         }
         box(c.p, 7, 11, 18, 10, kCyan);
       }},
      {"picture",
       [](Canvas& c) {
         box(c.p, 2, 4, 28, 24, kCyan);
         c.p.setPen(Qt::NoPen);
         c.p.setBrush(kGreen);
         c.p.drawPolygon(
             QPolygon({QPoint(3, 27), QPoint(12, 14), QPoint(19, 22), QPoint(23, 17), QPoint(29, 27)}));
         c.p.setBrush(kYellow);
         c.p.drawEllipse(QPoint(23, 9), 3, 3);
         c.p.setPen(kBlack);
         c.p.setBrush(Qt::NoBrush);
         c.p.drawRect(2, 4, 27, 23);
       }},
      {"calculator",
       [](Canvas& c) {
         bevel(c.p, 6, 2, 20, 28, kSilver);
         box(c.p, 9, 5, 14, 5, kTeal);
         for (int y = 0; y < 4; ++y)
           for (int x = 0; x < 3; ++x) box(c.p, 9 + 5 * x, 12 + 4 * y, 4, 3, x == 2 ? kRed : kWhite);
       }},
      {"clock",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(kWhite);
         c.p.drawEllipse(QPoint(16, 16), 13, 13);
         c.p.setPen(QPen(kBlack, 2));
         c.p.drawLine(16, 16, 16, 7);
         c.p.drawLine(16, 16, 23, 19);
       }},
      {"calendar",
       [](Canvas& c) {
         box(c.p, 3, 4, 26, 25, kWhite);
         box(c.p, 3, 4, 26, 7, kRed);
         text(c.p, QRect(3, 11, 26, 18), "31", kBlack, 13);
       }},
      {"gear", [](Canvas& c) { gear(c, 16, 16, 13, kSilver); }},
      {"gears",
       [](Canvas& c) {
         page(c);
         gear(c, 12, 14, 7, kGray);
         gear(c, 20, 22, 6, kYellow);
       }},
      {"briefcase",
       [](Canvas& c) {
         c.p.setPen(QPen(kBlack, 2));
         c.p.setBrush(Qt::NoBrush);
         c.p.drawRect(11, 5, 10, 5);
         box(c.p, 2, 9, 28, 19, QColor(160, 96, 32));
         box(c.p, 14, 15, 4, 4, kYellow);
       }},
      {"history",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(kYellow);
         c.p.drawEllipse(QPoint(16, 16), 13, 13);
         c.p.setPen(QPen(kGreen, 3));
         c.p.drawArc(7, 7, 18, 18, 90 * 16, 270 * 16);
         c.p.setPen(QPen(kBlack, 2));
         c.p.drawLine(16, 16, 16, 9);
         c.p.drawLine(16, 16, 21, 16);
       }},
      {"web-page",
       [](Canvas& c) {
         page(c);
         globe(c, 16, 19, 7);
       }},
      {"web-folder",
       [](Canvas& c) {
         folder(c, false);
         globe(c, 17, 19, 6);
       }},
      {"download",
       [](Canvas& c) {
         folder(c, false, kCyan);
         arrow(c.p, QPoint(16, 4), QPoint(16, 24), kBlue, 4);
       }},
      {"offline",
       [](Canvas& c) {
         page(c);
         globe(c, 14, 17, 7);
         box(c.p, 19, 20, 9, 9, kRed);
       }},
      {"scheduled",
       [](Canvas& c) {
         folder(c, false);
         c.p.setPen(kBlack);
         c.p.setBrush(kWhite);
         c.p.drawEllipse(QPoint(16, 19), 7, 7);
         c.p.drawLine(16, 19, 16, 14);
         c.p.drawLine(16, 19, 20, 19);
       }},
      {"fonts",
       [](Canvas& c) {
         page(c);
         text(c.p, QRect(6, 8, 20, 20), "A", kRed, 16);
       }},
      {"truetype",
       [](Canvas& c) {
         page(c);
         text(c.p, QRect(4, 8, 22, 20), "TT", kBlue, 13);
       }},
      {"star", [](Canvas& c) { star(c.p, QPointF(16, 16), 14, kYellow); }},
      {"keyboard",
       [](Canvas& c) {
         bevel(c.p, 1, 10, 30, 14, kSilver);
         for (int y = 0; y < 3; ++y)
           for (int x = 0; x < 6; ++x) box(c.p, 3 + 4 * x + y, 12 + 3 * y, 3, 2, kWhite, kGray);
       }},
      {"mouse",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(kWhite);
         c.p.drawRoundedRect(9, 6, 14, 22, 6, 6);
         c.p.drawLine(9, 14, 23, 14);
         c.p.drawLine(16, 6, 16, 14);
         c.p.drawLine(16, 6, 16, 1);
       }},
      {"speaker",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(kGray);
         c.p.drawPolygon(QPolygon(
             {QPoint(3, 11), QPoint(9, 11), QPoint(17, 4), QPoint(17, 28), QPoint(9, 21), QPoint(3, 21)}));
         c.p.setPen(QPen(kBlue, 2));
         c.p.setBrush(Qt::NoBrush);
         c.p.drawArc(14, 8, 12, 16, -60 * 16, 120 * 16);
         c.p.drawArc(16, 4, 14, 24, -60 * 16, 120 * 16);
       }},
      {"modem",
       [](Canvas& c) {
         bevel(c.p, 2, 12, 28, 10, kSilver);
         for (int x = 6; x < 24; x += 4) box(c.p, x, 15, 2, 2, kRed, kMaroon);
       }},
      {"cabinet",
       [](Canvas& c) {
         box(c.p, 6, 4, 20, 24, QColor(176, 112, 48));
         box(c.p, 6, 10, 20, 3, kMaroon);
         box(c.p, 14, 4, 4, 24, kMaroon);
       }},
      {"scrap",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(kWhite);
         c.p.drawPolygon(QPolygon({QPoint(5, 4), QPoint(26, 6), QPoint(24, 14), QPoint(27, 22),
                                   QPoint(22, 28), QPoint(6, 27), QPoint(8, 16)}));
         lines(c.p, 9, 22, 10, 24, kGray);
       }},
      {"script",
       [](Canvas& c) {
         page(c, kYellow);
         text(c.p, QRect(6, 10, 20, 18), "{ }", kGreen, 10);
       }},
      {"screen-saver",
       [](Canvas& c) {
         monitor(c, kBlack);
         star(c.p, QPointF(13, 10), 3, kYellow);
         star(c.p, QPointF(20, 14), 2, kWhite);
       }},
      {"wave",
       [](Canvas& c) {
         page(c);
         c.p.setPen(QPen(kBlue, 2));
         QPainterPath w;
         w.moveTo(8, 18);
         for (int x = 8; x <= 24; ++x) w.lineTo(x, 18 + 6 * std::sin((x - 8) * 0.8));
         c.p.drawPath(w);
       }},
      {"paint",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(QColor(255, 224, 160));
         c.p.drawEllipse(2, 6, 28, 22);
         for (int i = 0; i < 4; ++i) {
           c.p.setBrush(QList<QColor>{kRed, kBlue, kLime, kYellow}[i]);
           c.p.drawEllipse(6 + 6 * i, 10 + (i % 2) * 4, 5, 5);
         }
       }},
      {"notepad",
       [](Canvas& c) {
         box(c.p, 6, 3, 20, 27, kWhite);
         box(c.p, 6, 3, 20, 4, kCyan);
         lines(c.p, 9, 23, 10, 27, kBlue);
       }},
      {"wordpad",
       [](Canvas& c) {
         page(c);
         text(c.p, QRect(6, 8, 20, 20), "W", kBlue, 15);
       }},
      {"regedit",
       [](Canvas& c) {
         for (int i = 0; i < 3; ++i)
           box(c.p, 4 + 8 * i, 6 + 7 * (i % 2), 9, 9, QList<QColor>{kBlue, kRed, kGreen}[i]);
         c.p.setPen(kBlack);
         c.p.drawLine(8, 20, 24, 28);
       }},
      {"ie",
       [](Canvas& c) {
         globe(c, 16, 16, 12);
         text(c.p, QRect(4, 4, 24, 24), "e", kNavy, 22);
       }},
      {"outlook",
       [](Canvas& c) {
         box(c.p, 2, 10, 26, 17, kWhite);
         c.p.setPen(kBlack);
         c.p.drawLine(2, 10, 15, 20);
         c.p.drawLine(28, 10, 15, 20);
         arrow(c.p, QPoint(18, 8), QPoint(30, 2), kBlue, 2);
       }},
      {"address-book",
       [](Canvas& c) {
         book(c, kRed);
         person(c, 10, 8, kBlue);
       }},
      {"player",
       [](Canvas& c) {
         bevel(c.p, 2, 6, 28, 20, kSilver);
         c.p.setBrush(kGreen);
         c.p.setPen(kBlack);
         c.p.drawPolygon(QPolygon({QPoint(11, 10), QPoint(22, 16), QPoint(11, 22)}));
       }},
      {"archive",
       [](Canvas& c) {
         box(c.p, 5, 3, 22, 26, kYellow);
         for (int y = 5; y < 27; y += 4) box(c.p, 14, y, 4, 2, kBlack);
         box(c.p, 12, 14, 8, 6, kSilver);
       }},
      {"antivirus",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(kBlue);
         c.p.drawPolygon(QPolygon(
             {QPoint(16, 2), QPoint(28, 7), QPoint(26, 20), QPoint(16, 30), QPoint(6, 20), QPoint(4, 7)}));
         text(c.p, QRect(4, 4, 24, 24), "+", kWhite, 18);
       }},
      {"chat",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(kYellow);
         c.p.drawRoundedRect(2, 4, 20, 14, 4, 4);
         c.p.setBrush(kLime);
         c.p.drawRoundedRect(10, 14, 20, 14, 4, 4);
       }},
      {"game",
       [](Canvas& c) {
         for (int i = 0; i < 5; ++i) {
           c.p.setPen(kBlack);
           c.p.setBrush(QList<QColor>{kRed, kBlue, kLime, kYellow, kPurple}[i]);
           c.p.drawEllipse(QPoint(6 + (i % 3) * 10, 9 + (i / 3) * 12 + (i % 2) * 3), 5, 5);
         }
       }},
      {"terminal",
       [](Canvas& c) {
         monitor(c, kBlack);
         c.p.setPen(kLime);
         c.p.drawLine(8, 8, 12, 8);
         c.p.drawLine(8, 11, 18, 11);
       }},
      {"wizard",
       [](Canvas& c) {
         c.p.setPen(QPen(kBlack, 3));
         c.p.drawLine(6, 28, 22, 8);
         star(c.p, QPointF(23, 8), 7, kYellow);
       }},
      {"sound-recorder",
       [](Canvas& c) {
         c.p.setPen(kBlack);
         c.p.setBrush(kGray);
         c.p.drawRoundedRect(11, 3, 10, 16, 5, 5);
         c.p.setPen(QPen(kBlack, 2));
         c.p.drawLine(16, 19, 16, 26);
         c.p.drawLine(10, 27, 22, 27);
       }},
      {"disk-tools",
       [](Canvas& c) {
         drive(c, kLime);
         magnifier(c, 12, 8);
       }},
      {"defrag",
       [](Canvas& c) {
         for (int y = 0; y < 4; ++y)
           for (int x = 0; x < 4; ++x)
             box(c.p, 3 + 7 * x, 3 + 7 * y, 6, 6,
                 (x + y * 4) < 9 ? kBlue : ((x * 3 + y) % 2 ? kRed : kWhite));
       }},
      {"shell-command",
       [](Canvas& c) {
         box(c.p, 1, 4, 30, 22, kTeal);
         box(c.p, 1, 22, 30, 4, kSilver);
         c.p.setPen(kBlack);
         c.p.setBrush(kWhite);
         c.p.drawRect(6, 9, 20, 9);
         text(c.p, QRect(6, 9, 20, 9), "_", kBlack, 8);
       }},
  };
  return table;
}

}  // namespace

QImage drawIcon(const QString& motif, int size) {
  const QStringList parts = motif.split(':');
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    Canvas c{p, parts.size() > 2 ? QColor(parts[2]) : kBlue, parts.size() > 1 ? parts[1] : QString()};
    const auto found = painters().find(parts[0]);
    if (found != painters().end()) {
      found->second(c);
    } else {
      page(c);
      text(p, QRect(6, 9, 20, 16), parts[0].left(3).toUpper(), kNavy, 8);
    }
    if (!c.mark.isEmpty()) {
      // A small coloured label names the kind of file.
      const QRect label(2, 19, 28, 10);
      p.setPen(kBlack);
      p.setBrush(c.accent);
      p.drawRect(label.adjusted(0, 0, -1, -1));
      text(p, label, c.mark, QColor(c.accent).lightness() > 140 ? kBlack : kWhite, 7);
    }
  }
  if (size == 32) return image;
  return image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace kelvaro::sandbox
