#include "pages/appearance/colour_miniature.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace kelvaro {
namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;
constexpr int kFrame = 4;
constexpr int kTitleHeight = 18;
constexpr int kMenuHeight = 18;
constexpr int kScrollWidth = 16;

const QRect kInactive(10, 8, 230, 70);
const QRect kActive(26, 36, 250, 138);

QColor q(Rgb c) { return QColor(c.red, c.green, c.blue); }

QRect titleOf(const QRect& window) {
  return QRect(window.left() + kFrame, window.top() + kFrame, window.width() - 2 * kFrame, kTitleHeight);
}

}  // namespace

ColourMiniature::ColourMiniature(const SystemColours& colours, QWidget* parent)
    : QWidget(parent), colours_(colours) {
  setFixedSize(kWidth, kHeight);
  setAccessibleName(QStringLiteral("Podgląd kolorów"));
  setAccessibleDescription(QStringLiteral("Kliknij element podglądu, aby zmienić jego kolor"));

  const QRect activeTitle = titleOf(kActive);
  const QRect menu(activeTitle.left(), activeTitle.bottom() + 2, activeTitle.width(), kMenuHeight);
  const QRect client(menu.left(), menu.bottom() + 2, menu.width(),
                     kActive.bottom() - kFrame - menu.bottom() - 2);
  const QRect scroll(client.right() - kScrollWidth + 1, client.top(), kScrollWidth, client.height());
  const QRect tooltip(196, 168, 70, 20);
  areas_ = {
      {Part::Tooltip, tooltip},
      {Part::ScrollUp, QRect(scroll.left(), scroll.top(), kScrollWidth, kScrollWidth)},
      {Part::ScrollDown,
       QRect(scroll.left(), scroll.bottom() - kScrollWidth + 1, kScrollWidth, kScrollWidth)},
      {Part::ScrollBar, scroll},
      {Part::Button, QRect(client.left() + 10, client.top() + 30, 76, 24)},
      {Part::MenuNormal, QRect(menu.left() + 2, menu.top(), 62, kMenuHeight)},
      {Part::MenuDisabled, QRect(menu.left() + 66, menu.top(), 70, kMenuHeight)},
      {Part::MenuSelected, QRect(menu.left() + 138, menu.top(), 62, kMenuHeight)},
      {Part::MenuBar, menu},
      {Part::Client, client},
      {Part::ActiveTitle, activeTitle},
      {Part::ActiveFrame, kActive},
      {Part::InactiveTitle, titleOf(kInactive)},
      {Part::InactiveFrame, kInactive},
      {Part::Desktop, rect()},
  };
}

int ColourMiniature::entryOf(Part part) {
  switch (part) {
    case Part::Desktop:
      return 9;
    case Part::InactiveFrame:
      return 6;
    case Part::InactiveTitle:
      return 4;
    case Part::ActiveFrame:
      return 7;
    case Part::ActiveTitle:
      return 1;
    case Part::MenuBar:
    case Part::MenuNormal:
    case Part::MenuDisabled:
      return 3;
    case Part::MenuSelected:
      return 10;
    case Part::Client:
      return 8;
    case Part::ScrollBar:
      return 11;
    case Part::ScrollUp:
    case Part::ScrollDown:
    case Part::Button:
      return 5;
    case Part::Tooltip:
      return 2;
  }
  return 9;
}

ColourMiniature::Part ColourMiniature::partAt(QPoint point) const {
  for (const Area& area : areas_) {
    if (area.rect.contains(point)) return area.part;
  }
  return Part::Desktop;
}

QPoint ColourMiniature::pointIn(Part part) const {
  for (const Area& area : areas_) {
    if (area.part != part) continue;
    switch (part) {
      case Part::Desktop:
        return QPoint(3, kHeight - 3);
      case Part::InactiveFrame:
      case Part::ActiveFrame:
        return QPoint(area.rect.left() + 1, area.rect.bottom() - 6);
      case Part::MenuBar:
        return QPoint(area.rect.right() - 4, area.rect.center().y());
      case Part::Client:
        return QPoint(area.rect.left() + 120, area.rect.bottom() - 8);
      case Part::ScrollUp:
      case Part::ScrollDown:
      case Part::Button:
        return area.rect.topLeft() + QPoint(3, 3);  // the face, beside its arrow or caption
      default:
        return area.rect.center();
    }
  }
  return {};
}

void ColourMiniature::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const auto colour = [this](int index) { return q(colours_[static_cast<std::size_t>(index)]); };
  const auto areaOf = [this](Part part) {
    for (const Area& area : areas_) {
      if (area.part == part) return area.rect;
    }
    return QRect();
  };
  QFont bold = font();
  bold.setBold(true);

  p.fillRect(rect(), colour(1));  // Background

  const auto window = [&](const QRect& frame, int border, int start, int end, int text,
                          const QString& title) {
    p.fillRect(frame, colour(border));
    const QRect bar = titleOf(frame);
    QLinearGradient gradient(bar.topLeft(), bar.topRight());
    gradient.setColorAt(0, colour(start));
    gradient.setColorAt(1, colour(end));
    p.fillRect(bar, gradient);
    p.setFont(bold);
    p.setPen(colour(text));
    p.drawText(bar.adjusted(4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, title);
  };
  // InactiveBorder, InactiveTitle to GradientInactiveTitle, InactiveTitleText.
  window(kInactive, 11, 3, 28, 19, QStringLiteral("Nieaktywne okno"));
  // ActiveBorder, ActiveTitle to GradientActiveTitle, TitleText.
  window(kActive, 10, 2, 27, 9, QStringLiteral("Aktywne okno"));

  p.setFont(font());
  p.fillRect(areaOf(Part::MenuBar), colour(4));  // Menu
  p.setPen(colour(7));                           // MenuText
  p.drawText(areaOf(Part::MenuNormal), Qt::AlignCenter, QStringLiteral("Normalny"));
  p.setPen(colour(17));  // GrayText
  p.drawText(areaOf(Part::MenuDisabled), Qt::AlignCenter, QStringLiteral("Wyłączony"));
  p.fillRect(areaOf(Part::MenuSelected), colour(13));  // Hilight
  p.setPen(colour(14));                                // HilightText
  p.drawText(areaOf(Part::MenuSelected), Qt::AlignCenter, QStringLiteral("Wybrany"));

  const QRect client = areaOf(Part::Client);
  p.fillRect(client, colour(5));  // Window
  p.setPen(colour(8));            // WindowText
  p.drawText(client.adjusted(6, 4, 0, 0), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Tekst okna"));

  p.fillRect(areaOf(Part::ScrollBar), colour(0));  // Scrollbar
  // The arrow squares and the button are ButtonFace with ButtonText on them.
  const auto face = [&](const QRect& r) {
    p.fillRect(r, colour(15));
    p.setPen(colour(15).darker(160));
    p.drawRect(r.adjusted(0, 0, -1, -1));
  };
  const auto arrow = [&](const QRect& r, bool up) {
    face(r);
    const QPoint c = r.center();
    QPolygon triangle;
    if (up) {
      triangle << QPoint(c.x() - 4, c.y() + 2) << QPoint(c.x() + 4, c.y() + 2) << QPoint(c.x(), c.y() - 2);
    } else {
      triangle << QPoint(c.x() - 4, c.y() - 2) << QPoint(c.x() + 4, c.y() - 2) << QPoint(c.x(), c.y() + 2);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour(18));
    p.drawPolygon(triangle);
    p.setBrush(Qt::NoBrush);
  };
  arrow(areaOf(Part::ScrollUp), true);
  arrow(areaOf(Part::ScrollDown), false);
  const QRect button = areaOf(Part::Button);
  face(button);
  p.setPen(colour(18));  // ButtonText
  p.drawText(button, Qt::AlignCenter, QStringLiteral("Przycisk"));

  const QRect tip = areaOf(Part::Tooltip);
  p.fillRect(tip, colour(24));  // InfoWindow
  p.setPen(colour(23));         // InfoText
  p.drawRect(tip.adjusted(0, 0, -1, -1));
  p.drawText(tip, Qt::AlignCenter, QStringLiteral("Etykieta"));
}

void ColourMiniature::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  emit entryClicked(entryOf(partAt(event->position().toPoint())));
}

}  // namespace kelvaro
