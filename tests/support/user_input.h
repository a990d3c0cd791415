#pragma once

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

}  // namespace kelvaro::testing
