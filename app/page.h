#pragma once

#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <string_view>
#include <vector>

#include "app/app_context.h"
#include "app/page_catalog.h"

class QAbstractButton;

namespace kelvaro {

struct ApplyOptions {
  bool setsRestartNeeded = false;
  bool consultedAtClose = true;
};

// One page of `stronki`. The frame knows pages only through this: the loader,
// the Apply commands and pending markers, the page's part of the hover reset
// and its re-read. A page with sub-pages gets its own page control here.
class Page : public QWidget {
  Q_OBJECT

 public:
  Page(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  const PageInfo& info() const { return info_; }

  // Whether the page has a loader in the start-up sequence and for re-read.
  virtual bool hasLoader() const { return false; }
  // Whether "&Odczytaj" does something on this page (a page without a
  // start-up loader may still have a re-read of its own).
  virtual bool hasReRead() const { return hasLoader(); }
  // Fills the page from the store; leaves its Apply commands disabled.
  virtual void load() {}
  // What "&Odczytaj" does on this page.
  virtual void reRead() { load(); }
  // This page's part of the hover reset.
  virtual void resetTransient() {}

  // True when any pending marker of the page is on.
  bool hasPendingEdits() const;

  QTabWidget* subPageControl() const { return subPages_; }
  QWidget* subPage(std::string_view id) const;
  // Where the page's controls go: the page itself, or a sub-page.
  QWidget* area(std::string_view subPageId = {}) const;

 protected:
  AppContext& app() const { return app_; }

  // Registers an Apply command: pressing it runs write through the frame's
  // command runner, then sets the restart-needed flag when asked, then
  // disables the button. An error leaves the button enabled.
  void addApplyCommand(QAbstractButton* button, std::function<void()> write, ApplyOptions options);
  // A control whose state the close check reads.
  void addPendingMarker(std::function<bool()> isOn);
  // Runs a page command through the frame's command runner.
  bool run(const std::function<void()>& command) { return app_.run(command); }

 private:
  AppContext& app_;
  const PageInfo& info_;
  QTabWidget* subPages_ = nullptr;
  std::vector<std::function<bool()>> pendingMarkers_;
};

}  // namespace kelvaro
