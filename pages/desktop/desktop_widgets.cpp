#include "pages/desktop/desktop_widgets.h"

#include <QPainter>
#include <QRegularExpressionValidator>

#include <algorithm>

#include "pages/desktop/desktop_patterns.h"

namespace kelvaro {

PositionField::PositionField(QWidget* parent) : QLineEdit(parent) {
  setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]{0,6}")), this));
  setText(QStringLiteral("0"));
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    bool ok = false;
    const int typed = text.toInt(&ok);
    if (text.isEmpty()) {
      // Left empty while typing; it counts as 0.
    } else if (text == QStringLiteral("-") || (ok && typed < 0)) {
      setText(QStringLiteral("0"));
    } else if (ok && typed > maximum_) {
      setText(QString::number(maximum_));
    }
    emit valueEdited();
  });
}

void PositionField::setMaximum(int maximum) {
  maximum_ = std::max(0, maximum);
  if (value() > maximum_) setText(QString::number(maximum_));
}

int PositionField::value() const { return text().toInt(); }

void PositionField::setValue(int value) { setText(QString::number(std::clamp(value, 0, maximum_))); }

PatternPreview::PatternPreview(std::function<QColor()> desktopColour, QWidget* parent)
    : QWidget(parent), desktopColour_(std::move(desktopColour)) {}

void PatternPreview::showPattern(int index) {
  shown_ = std::clamp(index, 0, kDesktopPatternCount - 1);
  update();
}

void PatternPreview::invalidate() {
  strip_ = QImage();
  update();
}

void PatternPreview::paintEvent(QPaintEvent*) {
  if (strip_.isNull()) strip_ = patternStrip(desktopColour_(), size());
  QPainter p(this);
  p.drawImage(-kPatternPreviewStep * shown_, 0, strip_);
}

}  // namespace kelvaro
