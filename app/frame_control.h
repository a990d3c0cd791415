#pragma once

#include <QColor>
#include <QSize>
#include <QString>

#include <string_view>

namespace kelvaro {

// Which page menu the menu button shows.
enum class PageMenuChoice { None, PageOrder, Alphabetical };

// Where the tabs of the main page control sit.
enum class TabSide { Top, Bottom, Left, Right };

struct TabLayout {
  TabSide side = TabSide::Top;
  bool severalRows = true;    // tabs wrap into rows instead of scrolling
  bool oppositeRows = false;  // rows before the selected one move to the other side
  QSize windowSize{610, 495};
};

// The few things of the main window a page may change: what the options page
// applies to the whole window. Pages get it through AppContext::frame().
class FrameControl {
 public:
  virtual ~FrameControl() = default;

  // The background colour of the window and of the pages.
  virtual void setWindowColour(const QColor& colour) = 0;
  // The system's standard button-face colour, the window's own colour.
  virtual QColor standardWindowColour() const = 0;
  virtual void setTabLayout(const TabLayout& layout) = 0;
  virtual void showPage(std::string_view pageId, std::string_view subPageId) = 0;
  // Shows the page at an index of `stronki`; false when there is none.
  virtual bool showPageAt(int index) = 0;
  virtual void setPageMenuChoice(PageMenuChoice choice) = 0;
  // How long every hint of the window stays on screen.
  virtual void setHintDuration(int milliseconds) = 0;
  // The window's caption (title bar).
  virtual void setWindowCaption(const QString& caption) = 0;
  // The application's title (what labels the task-bar button).
  virtual void setApplicationTitle(const QString& title) = 0;
};

}  // namespace kelvaro
