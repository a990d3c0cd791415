#pragma once

#include <QPushButton>

#include <string>
#include <vector>

#include "pages/page.h"
#include "store/store_error.h"

namespace kelvaro::testing {

// A page with a loader and an Apply button, recording what the frame asks of it.
class RecordingPage : public Page {
 public:
  RecordingPage(AppContext& app, const PageInfo& info, QWidget* parent, std::vector<std::string>& log,
                ApplyOptions applyOptions)
      : Page(app, info, parent), log_(log) {
    apply =
        new QPushButton(QStringLiteral("Zastosuj"), area(info.subPages.empty() ? "" : info.subPages[0].id));
    apply->setObjectName(QStringLiteral("%1Apply").arg(info.id));
    command = &addApplyCommand(apply, applyOptions, [this] {
      log_.push_back(std::string("apply ") + this->info().id);
      if (failApply) throw StoreError("Failed to set data for 'x'");
      return WriteResult::Done;
    });
  }
  void load() override {
    log_.push_back(std::string("load ") + info().id);
    if (failLoad) throw StoreError("Invalid data type for 'Kolor'");
  }
  void reRead() override {
    log_.push_back(std::string("reRead ") + info().id);
    reload();
  }
  void resetTransient() override { log_.push_back(std::string("reset ") + info().id); }

  QPushButton* apply = nullptr;
  ApplyCommand* command = nullptr;
  bool failLoad = false;
  bool failApply = false;

 private:
  std::vector<std::string>& log_;
};

}  // namespace kelvaro::testing
