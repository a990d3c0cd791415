#pragma once

#include <QColor>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// One registered file type as the file types page lists it.
struct FileTypeEntry {
  std::string extension;
  std::string typeName;
  std::string description;
};

// What pages read of each other, read-only. A page that owns one of these
// states offers it once (FrameControl::offer...); until then the answers are
// empty.
class PageViews {
 public:
  virtual ~PageViews() = default;
  // The path label of a row of the shell folders page, by its caption
  // ("Program Files", "Wyślij do", ...), as it stands on the page.
  virtual std::optional<std::string> shellFolderLabel(std::string_view rowCaption) const = 0;
  // The registered file types in the order of the file types page.
  virtual std::vector<FileTypeEntry> typeList() const = 0;
  // The tab layout chosen on the options page, numbered 1 to 7.
  virtual int tabLayoutNumber() const = 0;
};

// The views offered so far; what a frame keeps for its pages.
class OfferedViews : public PageViews {
 public:
  std::optional<std::string> shellFolderLabel(std::string_view rowCaption) const override {
    return shellFolderLabels ? shellFolderLabels(rowCaption) : std::nullopt;
  }
  std::vector<FileTypeEntry> typeList() const override {
    return types ? types() : std::vector<FileTypeEntry>{};
  }
  int tabLayoutNumber() const override { return tabLayout ? tabLayout() : 1; }

  std::function<std::optional<std::string>(std::string_view)> shellFolderLabels;
  std::function<std::vector<FileTypeEntry>()> types;
  std::function<int()> tabLayout;
};

// The few things of the main window a page may change, and the views of
// other pages it may read. Never null for a page: the real window, or a
// stand-in that changes nothing (tests may record).
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

  // What pages read of each other, and what the owning pages offer.
  const PageViews& views() const { return views_; }
  void offerShellFolderLabels(std::function<std::optional<std::string>(std::string_view)> labels) {
    views_.shellFolderLabels = std::move(labels);
  }
  void offerTypeList(std::function<std::vector<FileTypeEntry>()> types) { views_.types = std::move(types); }
  // The pages whose selectors hold the type list are told each time the file
  // types page has built it anew (its every load), and refill them then.
  void watchTypeList(std::function<void()> rebuilt) { typeListWatchers_.push_back(std::move(rebuilt)); }
  void typeListRebuilt() const {
    for (const auto& rebuilt : typeListWatchers_) rebuilt();
  }
  void offerTabLayoutNumber(std::function<int()> number) { views_.tabLayout = std::move(number); }

 private:
  OfferedViews views_;
  std::vector<std::function<void()>> typeListWatchers_;
};

// A frame that changes nothing: what pages see while no window holds them.
class DetachedFrame : public FrameControl {
 public:
  void setWindowColour(const QColor&) override {}
  QColor standardWindowColour() const override { return {}; }
  void setTabLayout(const TabLayout&) override {}
  void showPage(std::string_view, std::string_view) override {}
  bool showPageAt(int) override { return false; }
  void setPageMenuChoice(PageMenuChoice) override {}
  void setHintDuration(int) override {}
  void setWindowCaption(const QString&) override {}
  void setApplicationTitle(const QString&) override {}
};

}  // namespace kelvaro
