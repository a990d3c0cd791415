// A screen reader can reach and name every control of every page: each
// operable control that is showing has an accessible name, hints are
// descriptions, and a label is announced with the text it shows.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include "pages/page_catalog.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

bool operable(QWidget* w) {
  if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSlider*>(w) || qobject_cast<QComboBox*>(w) ||
      qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) || qobject_cast<QTextEdit*>(w)) {
    return true;
  }
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
  return a && a->actionInterface() && !a->actionInterface()->actionNames().isEmpty();
}

QString accessibleText(QWidget* w, QAccessible::Text t) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
  return a ? a->text(t) : QString();
}

// Every widget of the page's area that shows, with each sub-page shown in turn.
std::vector<QWidget*> showingWidgets(TKelvaro& window, Page& page) {
  std::vector<QWidget*> out;
  window.pages()->setCurrentWidget(&page);
  const int sheets = page.subPageControl() ? page.subPageControl()->count() : 1;
  for (int i = 0; i < sheets; ++i) {
    if (page.subPageControl()) page.subPageControl()->setCurrentIndex(i);
    for (QWidget* w : page.findChildren<QWidget*>()) {
      if (w->isVisible() && std::find(out.begin(), out.end(), w) == out.end()) out.push_back(w);
    }
  }
  return out;
}

class AccessibilityTest : public PageHarness {};

TEST_F(AccessibilityTest, EveryShowingControlOfEveryPageHasANameAndLabelsSayWhatTheyShow) {
  ASSERT_NE(start(), nullptr);
  for (Page* page : frame().allPages()) {
    for (QWidget* w : showingWidgets(frame(), *page)) {
      const std::string where = std::string(page->info().id) + " / " + w->metaObject()->className() + " \"" +
                                w->objectName().toStdString() + "\"";
      if (operable(w)) {
        EXPECT_FALSE(accessibleText(w, QAccessible::Name).trimmed().isEmpty())
            << where << " has no accessible name";
      }
      if (!w->toolTip().isEmpty()) {
        EXPECT_EQ(accessibleText(w, QAccessible::Description), w->toolTip()) << where;
      }
      if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty() && !operable(w)) {
        QString shown = Qt::mightBeRichText(label->text())
                            ? QTextDocumentFragment::fromHtml(label->text()).toPlainText()
                            : label->text();
        shown.remove('&');
        EXPECT_TRUE(accessibleText(w, QAccessible::Name).contains(shown))
            << where << " is announced as \"" << accessibleText(w, QAccessible::Name).toStdString()
            << "\" but shows \"" << shown.toStdString() << "\"";
      }
    }
  }
}

}  // namespace
}  // namespace kelvaro::testing
