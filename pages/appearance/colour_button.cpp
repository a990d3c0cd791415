#include "pages/appearance/colour_button.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QWidgetAction>

#include <array>

#include "platform/dialogs.h"

namespace kelvaro {
namespace {

constexpr int kArrowWidth = 14;

struct PaletteColour {
  Rgb colour;
  const char* name;
};

// The sixteen colours every Windows display shows.
constexpr std::array<PaletteColour, 16> kPalette{{
    {{0, 0, 0}, "Czarny"},
    {{128, 0, 0}, "Kasztanowy"},
    {{0, 128, 0}, "Zielony"},
    {{128, 128, 0}, "Oliwkowy"},
    {{0, 0, 128}, "Granatowy"},
    {{128, 0, 128}, "Fioletowy"},
    {{0, 128, 128}, "Morski"},
    {{128, 128, 128}, "Szary"},
    {{192, 192, 192}, "Srebrny"},
    {{255, 0, 0}, "Czerwony"},
    {{0, 255, 0}, "Limonkowy"},
    {{255, 255, 0}, "Żółty"},
    {{0, 0, 255}, "Niebieski"},
    {{255, 0, 255}, "Purpurowy"},
    {{0, 255, 255}, "Turkusowy"},
    {{255, 255, 255}, "Biały"},
}};

QColor q(Rgb c) { return QColor(c.red, c.green, c.blue); }

QIcon swatch(Rgb colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(q(colour));
  QPainter p(&pixmap);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 15, 15);
  return QIcon(pixmap);
}

}  // namespace

ColourButton::ColourButton(Dialogs& dialogs, QWidget* parent) : QToolButton(parent), dialogs_(dialogs) {
  setFixedSize(52, 24);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QToolButton::clicked, this, [this] { emit colourChosen(colour_); });
}

void ColourButton::setColour(Rgb colour) {
  colour_ = colour;
  update();
}

QRect ColourButton::arrowArea() const { return QRect(width() - kArrowWidth, 0, kArrowWidth, height()); }

QMenu* ColourButton::paletteMenu() {
  if (palette_) return palette_;
  palette_ = new QMenu(this);
  palette_->setObjectName(objectName() + "Paleta");
  auto* grid = new QWidget(palette_);
  auto* layout = new QGridLayout(grid);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(2);
  for (std::size_t i = 0; i < kPalette.size(); ++i) {
    auto* cell = new QToolButton(grid);
    const QString name = QString::fromUtf8(kPalette[i].name);
    cell->setObjectName(objectName() + name);
    cell->setIcon(swatch(kPalette[i].colour));
    cell->setAutoRaise(true);
    cell->setToolTip(name);
    cell->setAccessibleName(name);
    cell->setAccessibleDescription(name);
    layout->addWidget(cell, static_cast<int>(i / 8), static_cast<int>(i % 8));
    connect(cell, &QToolButton::clicked, this, [this, colour = kPalette[i].colour] {
      palette_->close();
      choose(colour);
    });
  }
  auto* cells = new QWidgetAction(palette_);
  cells->setDefaultWidget(grid);
  palette_->addAction(cells);
  palette_->addSeparator();
  palette_->addAction(QStringLiteral("Standardowo"), this, [this] { choose(automatic_); });
  palette_->addAction(QStringLiteral("Więcej kolorów ..."), this, [this] {
    if (const auto chosen = dialogs_.chooseColour(colour_)) choose(*chosen);
  });
  return palette_;
}

void ColourButton::openPalette() {
  if (!isEnabled()) return;
  paletteMenu()->popup(mapToGlobal(QPoint(0, height())));
}

void ColourButton::choose(Rgb colour) {
  setColour(colour);
  emit colourChosen(colour);
}

void ColourButton::paintEvent(QPaintEvent* event) {
  QToolButton::paintEvent(event);
  QPainter p(this);
  const QRect face = rect().adjusted(5, 5, -kArrowWidth - 2, -5);
  p.fillRect(face, isEnabled() ? q(colour_) : QColor(Qt::lightGray));
  p.setPen(isEnabled() ? Qt::black : Qt::gray);
  p.drawRect(face.adjusted(0, 0, -1, -1));
  QStyleOption arrow;
  arrow.initFrom(this);
  arrow.rect = arrowArea().adjusted(2, 6, -3, -6);
  style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &p, this);
}

void ColourButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && arrowArea().contains(event->position().toPoint())) {
    openPalette();
    return;
  }
  QToolButton::mousePressEvent(event);
}

void ColourButton::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F4 ||
      (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
    openPalette();
    return;
  }
  QToolButton::keyPressEvent(event);
}

}  // namespace kelvaro
