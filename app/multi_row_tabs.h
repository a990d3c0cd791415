#pragma once

#include <QAbstractButton>
#include <QTabBar>
#include <QWidget>

#include <vector>

#include "pages/frame_control.h"

class QTabWidget;

namespace kelvaro {

// One tab of the rows: drawn by the style as a tab of the given shape, pressed
// like a button.
class RowTab : public QAbstractButton {
  Q_OBJECT

 public:
  RowTab(int index, const QString& caption, const QIcon& icon, QWidget* parent);

  int index() const { return index_; }
  bool isSelected() const { return selected_; }
  void setSelected(bool selected);
  QTabBar::Shape shape() const { return shape_; }
  void setShape(QTabBar::Shape shape);
  // The size the tab wants for its shape (width and height as on screen).
  QSize sizeHint() const override;

 signals:
  void contextMenuAt(QPoint globalPos);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  int index_;
  bool selected_ = false;
  QTabBar::Shape shape_ = QTabBar::RoundedNorth;
};

// The tabs of a page control laid out in several rows on any side, the way a
// multi-line tab control does it: the row of the selected tab lies next to the
// page; the other rows follow it outwards in turn, or, with opposite rows, the
// rows before it move to the other side of the page. The page control stays
// the one truth about pages and the current index; its own tab bar is used
// when the tabs are to stay in one row.
class MultiRowTabs : public QWidget {
  Q_OBJECT

 public:
  explicit MultiRowTabs(QWidget* parent = nullptr);

  // Takes the page control as a child and makes a tab for each of its pages
  // (call once the pages are in).
  void setPageControl(QTabWidget* pages);
  QTabWidget* pageControl() const { return pages_; }

  void setArrangement(TabSide side, bool severalRows, bool oppositeRows);
  TabSide side() const { return side_; }
  bool severalRows() const { return severalRows_; }
  bool oppositeRows() const { return oppositeRows_; }

  const std::vector<RowTab*>& tabs() const { return tabs_; }
  // Rows in use (1 when the page control's own bar shows the tabs).
  int rowCount() const { return rowCount_; }

 signals:
  void tabContextMenuRequested(QPoint globalPos);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void relayout();

  QTabWidget* pages_ = nullptr;
  std::vector<RowTab*> tabs_;
  TabSide side_ = TabSide::Top;
  bool severalRows_ = true;
  bool oppositeRows_ = false;
  int rowCount_ = 1;
};

}  // namespace kelvaro
