#pragma once

#include <QPoint>
#include <QWidget>

#include <functional>
#include <string_view>
#include <vector>

#include "pages/app_context.h"
#include "pages/frame_control.h"
#include "pages/page.h"

class QMenu;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace kelvaro {

class MultiRowTabs;

// The main window: the page control `stronki` with the 37 pages, the bottom
// bar, the page menus, navigation, F1, re-read, the hover reset and closing.
// The options page changes it through FrameControl.
class TKelvaro : public QWidget, public FrameControl {
  Q_OBJECT

 public:
  using PageFactory = std::function<Page*(AppContext&, const PageInfo&, QWidget* parent)>;

  // Pages come from the factory; a null result gets an empty page.
  TKelvaro(AppContext& app, const PageFactory& factory, QWidget* parent = nullptr);
  ~TKelvaro() override;

  AppContext& app() const { return app_; }
  QTabWidget* pages() const { return stronki_; }
  // The rows of tabs around `stronki`.
  MultiRowTabs* tabRows() const { return tabRows_; }
  Page* page(std::string_view id) const;
  Page* activePage() const;
  std::vector<Page*> allPages() const { return pages_; }

  // Makes a page (and one of its sub-pages) active.
  void showPage(std::string_view pageId, std::string_view subPageId = {}) override;
  bool showPageAt(int index) override;
  void showPreviousPage();
  void showNextPage();
  // "&Odczytaj": runs the active page's loader again.
  void reReadActivePage();
  // Cancels the transient states of the pages (mouse over a neutral area).
  void hoverReset();
  // The close operation: true when the window may close.
  bool confirmClose();

  void setPageMenuChoice(PageMenuChoice choice) override { menuChoice_ = choice; }
  PageMenuChoice pageMenuChoice() const { return menuChoice_; }
  QMenu* pageOrderMenu() const { return pageOrderMenu_; }
  QMenu* alphabeticalMenu() const { return alphabeticalMenu_; }
  // The page-order menu offered where the title-bar menu would be: on a
  // right click on the tab rows. Rebuilt each time it opens.
  QMenu* buildWindowMenu(QWidget* parent);

  // The caption without any scrolling: program title, two spaces, version.
  static QString baseCaption();

  // What the options page applies to the window.
  void setWindowColour(const QColor& colour) override;
  QColor standardWindowColour() const override { return standardColour_; }
  QColor windowColour() const;
  void setTabLayout(const TabLayout& layout) override;
  const TabLayout& tabLayout() const { return tabLayout_; }
  void setHintDuration(int milliseconds) override;
  // -1 until set: the toolkit's own duration.
  int hintDuration() const { return hintDuration_; }
  void setWindowCaption(const QString& caption) override { setWindowTitle(caption); }
  // The application title labels the task-bar button. On X11 the window's
  // title already does; the application title becomes the window's icon
  // name, which task bars and window lists show for the window.
  void setApplicationTitle(const QString& title) override;
  QString applicationTitle() const { return applicationTitle_; }

 signals:
  void firstShown();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildBottomBar(QWidget* bar);
  void fillPageOrderMenu(QMenu* menu);
  void fillAlphabeticalMenu(QMenu* menu);
  void applyNavigationState();
  void watchNeutralArea(QWidget* widget);
  void showMenuAtCursor();
  void showWindowMenu(QPoint globalPos);

  AppContext& app_;
  MultiRowTabs* tabRows_ = nullptr;
  QTabWidget* stronki_ = nullptr;
  std::vector<Page*> pages_;
  QPushButton* closeButton_ = nullptr;
  QPushButton* reReadButton_ = nullptr;
  QPushButton* previousButton_ = nullptr;
  QPushButton* nextButton_ = nullptr;
  QToolButton* menuButton_ = nullptr;
  QMenu* pageOrderMenu_ = nullptr;
  QMenu* alphabeticalMenu_ = nullptr;
  PageMenuChoice menuChoice_ = PageMenuChoice::PageOrder;
  QPoint menuPosition_;
  bool shownOnce_ = false;
  QColor standardColour_;
  TabLayout tabLayout_;
  int hintDuration_ = -1;
  QString applicationTitle_;
};

}  // namespace kelvaro
