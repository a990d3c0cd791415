#pragma once

#include <QRect>
#include <QWidget>

#include <vector>

#include "platform/system_settings.h"

namespace kelvaro {

// The colours page's miniature of the desktop: an inactive and an active
// window with gradient title bars, a menu bar, a client area with a scroll
// bar and a button, and a tooltip, all painted in the page's 29 colours.
// A click on a part reports the element-list entry that edits it.
class ColourMiniature : public QWidget {
  Q_OBJECT

 public:
  enum class Part {
    Desktop,
    InactiveFrame,
    InactiveTitle,
    ActiveFrame,
    ActiveTitle,
    MenuBar,
    MenuNormal,
    MenuDisabled,
    MenuSelected,
    Client,
    ScrollBar,
    ScrollUp,
    ScrollDown,
    Button,
    Tooltip,
  };

  // Paints colours, which the page owns and changes.
  ColourMiniature(const SystemColours& colours, QWidget* parent = nullptr);

  // The entry (1-11) a part selects.
  static int entryOf(Part part);
  // The part shown at a point (the topmost one).
  Part partAt(QPoint point) const;
  // A point where the part shows and no other part covers it.
  QPoint pointIn(Part part) const;

 signals:
  void entryClicked(int entry);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  struct Area {
    Part part;
    QRect rect;
  };

  const SystemColours& colours_;
  // Topmost first.
  std::vector<Area> areas_;
};

}  // namespace kelvaro
