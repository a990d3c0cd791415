#include "app/multi_row_tabs.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QPainter>
#include <QStyleOptionTab>
#include <QTabWidget>

#include <algorithm>
#include <utility>

#include "pages/widgets/pressable_accessible.h"

namespace kelvaro {
namespace {

QTabBar::Shape shapeFor(TabSide side) {
  switch (side) {
    case TabSide::Top:
      return QTabBar::RoundedNorth;
    case TabSide::Bottom:
      return QTabBar::RoundedSouth;
    case TabSide::Left:
      return QTabBar::RoundedWest;
    case TabSide::Right:
      return QTabBar::RoundedEast;
  }
  return QTabBar::RoundedNorth;
}

TabSide opposite(TabSide side) {
  switch (side) {
    case TabSide::Top:
      return TabSide::Bottom;
    case TabSide::Bottom:
      return TabSide::Top;
    case TabSide::Left:
      return TabSide::Right;
    case TabSide::Right:
      return TabSide::Left;
  }
  return TabSide::Bottom;
}

bool vertical(QTabBar::Shape shape) { return shape == QTabBar::RoundedWest || shape == QTabBar::RoundedEast; }

// A tab of the rows as assistive technology sees it: a page tab with a press
// action, selected when its page is shown.
class RowTabAccessible : public PressableAccessible {
 public:
  explicit RowTabAccessible(RowTab* tab)
      : PressableAccessible(
            tab, QAccessible::PageTab, [](const QWidget* w) { return static_cast<const RowTab*>(w)->text(); },
            [](QWidget* w) { static_cast<RowTab*>(w)->click(); }) {}

  QAccessible::State state() const override {
    QAccessible::State s = PressableAccessible::state();
    s.selectable = true;
    s.selected = static_cast<const RowTab*>(widget())->isSelected();
    return s;
  }
};

QAccessibleInterface* rowTabAccessible(RowTab* tab) { return new RowTabAccessible(tab); }

}  // namespace

RowTab::RowTab(int index, const QString& caption, const QIcon& icon, QWidget* parent)
    : QAbstractButton(parent), index_(index) {
  installAccessibleFactory(rowTabAccessible);
  setText(caption);
  setIcon(icon);
  setIconSize(QSize(16, 16));
  setAccessibleName(caption);
  setFocusPolicy(Qt::TabFocus);
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  setFont(small);
}

void RowTab::setSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  QAccessible::State changed;
  changed.selected = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
  update();
}

void RowTab::setShape(QTabBar::Shape shape) {
  if (shape_ == shape) return;
  shape_ = shape;
  updateGeometry();
  update();
}

QSize RowTab::sizeHint() const {
  // Compact tabs, so that the 37 of them leave the pages their room: the
  // caption, the icon and a small margin around them.
  const QFontMetrics fm = fontMetrics();
  const int textLength = fm.size(Qt::TextShowMnemonic, text()).width();
  const int iconLength = icon().isNull() ? 0 : iconSize().width() + 4;
  const int along = textLength + iconLength + 10;
  const int across = std::max(fm.height(), iconSize().height()) + 5;
  return vertical(shape_) ? QSize(across, along) : QSize(along, across);
}

void RowTab::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionTab option;
  option.initFrom(this);
  option.shape = shape_;
  option.position = QStyleOptionTab::OnlyOneTab;
  option.rect = rect();
  if (selected_) option.state |= QStyle::State_Selected;
  if (isDown()) option.state |= QStyle::State_Sunken;
  style()->drawControl(QStyle::CE_TabBarTabShape, &option, &painter, this);

  // The icon and caption, read along the tab: upwards on the left, downwards
  // on the right, as rotated tabs read.
  int length = width(), across = height();
  if (shape_ == QTabBar::RoundedWest) {
    painter.translate(0, height());
    painter.rotate(-90);
    std::swap(length, across);
  } else if (shape_ == QTabBar::RoundedEast) {
    painter.translate(width(), 0);
    painter.rotate(90);
    std::swap(length, across);
  }
  const QFontMetrics fm = fontMetrics();
  const int iconLength = icon().isNull() ? 0 : iconSize().width() + 4;
  const int room = std::max(0, length - 8 - iconLength);
  const QString caption = fm.elidedText(text(), Qt::ElideRight, room, Qt::TextShowMnemonic);
  const int group = iconLength + fm.size(Qt::TextShowMnemonic, caption).width();
  int x = std::max(4, (length - group) / 2);
  if (!icon().isNull()) {
    const QSize size = iconSize();
    icon().paint(&painter, QRect(x, (across - size.height()) / 2, size.width(), size.height()));
    x += iconLength;
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(QRect(x, 0, length - x, across), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                   caption);
}

void RowTab::contextMenuEvent(QContextMenuEvent* event) { emit contextMenuAt(event->globalPos()); }

MultiRowTabs::MultiRowTabs(QWidget* parent) : QWidget(parent) { setObjectName("stronkiTabRows"); }

void MultiRowTabs::setPageControl(QTabWidget* pages) {
  pages_ = pages;
  pages_->setParent(this);
  for (RowTab* tab : tabs_) delete tab;
  tabs_.clear();
  for (int i = 0; i < pages_->count(); ++i) {
    auto* tab = new RowTab(i, pages_->tabText(i), pages_->tabIcon(i), this);
    tab->setObjectName("tab_" + pages_->widget(i)->objectName());
    connect(tab, &QAbstractButton::clicked, pages_, [this, i] { pages_->setCurrentIndex(i); });
    connect(tab, &RowTab::contextMenuAt, this, &MultiRowTabs::tabContextMenuRequested);
    tabs_.push_back(tab);
  }
  connect(pages_, &QTabWidget::currentChanged, this, &MultiRowTabs::relayout);
  pages_->show();
  relayout();
}

void MultiRowTabs::setArrangement(TabSide side, bool severalRows, bool oppositeRows) {
  side_ = side;
  severalRows_ = severalRows;
  oppositeRows_ = oppositeRows;
  relayout();
}

void MultiRowTabs::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  relayout();
}

void MultiRowTabs::relayout() {
  if (!pages_) return;
  const int current = pages_->currentIndex();
  for (RowTab* tab : tabs_) tab->setSelected(tab->index() == current);

  const QRect all = rect();
  if (!severalRows_ || tabs_.empty()) {
    for (RowTab* tab : tabs_) tab->hide();
    static constexpr QTabWidget::TabPosition kPositions[] = {QTabWidget::North, QTabWidget::South,
                                                             QTabWidget::West, QTabWidget::East};
    pages_->setTabPosition(kPositions[static_cast<int>(side_)]);
    pages_->tabBar()->show();
    pages_->setGeometry(all);
    rowCount_ = 1;
    return;
  }
  pages_->tabBar()->hide();

  const bool horizontal = side_ == TabSide::Top || side_ == TabSide::Bottom;
  const int length = horizontal ? all.width() : all.height();
  std::vector<int> along(tabs_.size());
  int thickness = 0;
  for (RowTab* tab : tabs_) {
    tab->setShape(shapeFor(side_));
    const QSize size = tab->sizeHint();
    along[static_cast<std::size_t>(tab->index())] = horizontal ? size.width() : size.height();
    thickness = std::max(thickness, horizontal ? size.height() : size.width());
  }

  // Fill the rows in tab order; a tab longer than a row gets a row of its own.
  std::vector<std::vector<int>> rows;
  int used = 0;
  for (std::size_t i = 0; i < tabs_.size(); ++i) {
    if (rows.empty() || (used + along[i] > length && !rows.back().empty())) {
      rows.emplace_back();
      used = 0;
    }
    rows.back().push_back(static_cast<int>(i));
    used += along[i];
  }
  const int rowTotal = static_cast<int>(rows.size());
  rowCount_ = rowTotal;

  int selectedRow = 0;
  for (int r = 0; r < rowTotal; ++r) {
    if (std::find(rows[r].begin(), rows[r].end(), current) != rows[r].end()) selectedRow = r;
  }
  // Rows from the page outwards, on the tab side and on the opposite side.
  std::vector<int> nearRows, farRows;
  if (oppositeRows_) {
    for (int r = selectedRow; r < rowTotal; ++r) nearRows.push_back(r);
    for (int r = selectedRow - 1; r >= 0; --r) farRows.push_back(r);
  } else {
    for (int j = 0; j < rowTotal; ++j) nearRows.push_back((selectedRow + j) % rowTotal);
  }

  const int nearDepth = static_cast<int>(nearRows.size()) * thickness;
  const int farDepth = static_cast<int>(farRows.size()) * thickness;
  QRect page = all;
  switch (side_) {
    case TabSide::Top:
      page.adjust(0, nearDepth, 0, -farDepth);
      break;
    case TabSide::Bottom:
      page.adjust(0, farDepth, 0, -nearDepth);
      break;
    case TabSide::Left:
      page.adjust(nearDepth, 0, -farDepth, 0);
      break;
    case TabSide::Right:
      page.adjust(farDepth, 0, -nearDepth, 0);
      break;
  }
  pages_->setGeometry(page);

  const auto placeRow = [&](const std::vector<int>& row, int offset, TabSide where) {
    int total = 0;
    for (int i : row) total += along[static_cast<std::size_t>(i)];
    // Rows are stretched to the full length once there are several, as a
    // multi-line tab control does.
    const int extra = rowTotal > 1 ? std::max(0, length - total) : 0;
    const int count = static_cast<int>(row.size());
    int position = 0;
    for (int j = 0; j < count; ++j) {
      RowTab* tab = tabs_[static_cast<std::size_t>(row[j])];
      const int size = along[static_cast<std::size_t>(row[j])] + extra / count + (j < extra % count ? 1 : 0);
      QRect r;
      switch (where) {
        case TabSide::Top:
          r = QRect(position, page.top() - (offset + 1) * thickness, size, thickness);
          break;
        case TabSide::Bottom:
          r = QRect(position, page.bottom() + 1 + offset * thickness, size, thickness);
          break;
        case TabSide::Left:
          r = QRect(page.left() - (offset + 1) * thickness, position, thickness, size);
          break;
        case TabSide::Right:
          r = QRect(page.right() + 1 + offset * thickness, position, thickness, size);
          break;
      }
      tab->setShape(shapeFor(where));
      tab->setGeometry(r);
      tab->show();
      position += size;
    }
  };
  for (std::size_t k = 0; k < nearRows.size(); ++k) placeRow(rows[nearRows[k]], static_cast<int>(k), side_);
  for (std::size_t k = 0; k < farRows.size(); ++k)
    placeRow(rows[farRows[k]], static_cast<int>(k), opposite(side_));
  if (current >= 0) tabs_[static_cast<std::size_t>(current)]->raise();
}

}  // namespace kelvaro
