#pragma once

#include <QAbstractItemView>
#include <QPoint>
#include <QTest>
#include <QWidget>

namespace kelvaro::testing {

// A double-click as a real mouse sends it: press, release, press, double-click,
// release. QTest::mouseDClick on a widget sends the double-click event alone,
// so what the first press does would go untested.
inline void doubleClick(QWidget* widget, QPoint pos) {
  QTest::mousePress(widget, Qt::LeftButton, {}, pos);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
  QTest::mousePress(widget, Qt::LeftButton, {}, pos);
  QTest::mouseDClick(widget, Qt::LeftButton, {}, pos);
  QTest::mouseRelease(widget, Qt::LeftButton, {}, pos);
}

// A click on the row of a list or tree whose first column shows the text,
// scrolled into view first as a user would. False when there is none.
inline bool clickItem(QAbstractItemView* view, const QString& text) {
  const QModelIndexList found =
      view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  view->scrollTo(found.front());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(found.front()).center());
  return true;
}

}  // namespace kelvaro::testing
