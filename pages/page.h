#pragma once

#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "pages/app_context.h"
#include "pages/apply_command.h"
#include "pages/page_catalog.h"

class QAbstractButton;

namespace kelvaro {

// One page of `stronki`. The frame knows pages only through this: the
// reload path, the Apply commands and pending markers, the page's part of
// the hover reset and its own re-read. What a page does at those points its
// catalogue entry says. A page with sub-pages gets its own page control here.
class Page : public QWidget {
  Q_OBJECT

 public:
  Page(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);
  ~Page() override;

  const PageInfo& info() const { return info_; }

  // The loader, the one way a page is filled: under the load scope, the
  // bound settings, then the page's own load(), then every Apply command
  // back to not pending. A store error stops it where it is (the frame shows
  // it) and leaves the commands as they were.
  void reload();
  // What "&Odczytaj" does on a page whose catalogue entry gives it a re-read
  // of its own.
  virtual void reRead() { reload(); }
  // This page's part of the hover reset.
  virtual void resetTransient() {}

  // True while the page is being filled: changes then are not the user's.
  bool loading() const { return loading_ > 0; }
  // True when any pending marker of the page is on.
  bool hasPendingEdits() const;
  std::vector<ApplyCommand*> applyCommands() const;

  QTabWidget* subPageControl() const { return subPages_; }
  QWidget* subPage(std::string_view id) const;
  // Where the page's controls go: the page itself, or a sub-page.
  QWidget* area(std::string_view subPageId = {}) const;

  AppContext& app() const { return app_; }

 protected:
  // The page's own part of loading, after its bound settings.
  virtual void load() {}

  // Registers an Apply command on its button. write runs when it is
  // pressed; without one the command writes its bound settings.
  ApplyCommand& addApplyCommand(QAbstractButton* button, ApplyOptions options,
                                ApplyCommand::Write write = {});
  // A control other than an Apply command whose state the close check reads.
  void addPendingMarker(std::function<bool()> isOn);
  // Runs a page command through the frame's command runner.
  bool run(const std::function<void()>& command) { return app_.run(command); }

 private:
  friend class LoadScope;

  AppContext& app_;
  const PageInfo& info_;
  QTabWidget* subPages_ = nullptr;
  std::vector<std::unique_ptr<ApplyCommand>> commands_;
  std::vector<std::function<bool()>> pendingMarkers_;
  int loading_ = 0;
};

// While a page is filled: the page counts as loading, and the process-wide
// loading guard is set for a page that loads under it.
class LoadScope {
 public:
  explicit LoadScope(Page& page);
  ~LoadScope();
  LoadScope(const LoadScope&) = delete;
  LoadScope& operator=(const LoadScope&) = delete;

 private:
  Page& page_;
  std::unique_ptr<AppContext::LoadingGuardScope> guard_;
};

}  // namespace kelvaro
