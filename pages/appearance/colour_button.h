#pragma once

#include <QToolButton>

#include "store/colour_text.h"

class QMenu;

namespace kelvaro {

class Dialogs;

// A colour button: its face shows the colour, the arrow at its right end
// opens a palette of colours with "Standardowo" (the automatic colour) and
// "Więcej kolorów ..." (the full colour dialog). Choosing a colour, or
// pressing the face, reports the button's colour.
class ColourButton : public QToolButton {
  Q_OBJECT

 public:
  ColourButton(Dialogs& dialogs, QWidget* parent = nullptr);

  Rgb colour() const { return colour_; }
  void setColour(Rgb colour);
  Rgb automaticColour() const { return automatic_; }
  void setAutomaticColour(Rgb colour) { automatic_ = colour; }

  // The palette, made when first opened.
  QMenu* paletteMenu();
  void openPalette();

 signals:
  void colourChosen(Rgb colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QRect arrowArea() const;
  void choose(Rgb colour);

  Dialogs& dialogs_;
  Rgb colour_;
  Rgb automatic_;
  QMenu* palette_ = nullptr;
};

}  // namespace kelvaro
