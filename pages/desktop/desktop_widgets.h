#pragma once

#include <QColor>
#include <QImage>
#include <QLineEdit>
#include <QWidget>

#include <functional>

namespace kelvaro {

// A number field from 0 to a maximum: typing a value outside the range sets
// the nearer bound; an empty field counts as 0.
class PositionField : public QLineEdit {
  Q_OBJECT

 public:
  explicit PositionField(QWidget* parent = nullptr);

  void setMaximum(int maximum);
  int maximum() const { return maximum_; }
  int value() const;
  void setValue(int value);

 signals:
  // A change the user typed.
  void valueEdited();

 private:
  int maximum_ = 0;
};

// The pattern preview: a window onto the strip of all the patterns' previews,
// moved 75 pixels to the left per pattern. The strip is drawn when the
// preview is first painted after a load, in the desktop colour of that moment.
class PatternPreview : public QWidget {
  Q_OBJECT

 public:
  PatternPreview(std::function<QColor()> desktopColour, QWidget* parent = nullptr);

  void showPattern(int index);
  int shownPattern() const { return shown_; }
  // Forgets the strip, so that the next paint draws it again.
  void invalidate();
  bool stripDrawn() const { return !strip_.isNull(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::function<QColor()> desktopColour_;
  QImage strip_;
  int shown_ = 0;
};

}  // namespace kelvaro
