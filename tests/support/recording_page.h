#pragma once

#include <QPushButton>

#include <functional>
#include <string>
#include <vector>

#include "app/page.h"
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
    apply->setEnabled(false);
    addApplyCommand(
        apply,
        [this] {
          log_.push_back(std::string("apply ") + this->info().id);
          if (failApply) throw StoreError("Failed to set data for 'x'");
        },
        applyOptions);
  }
  bool hasLoader() const override { return true; }
  void load() override {
    log_.push_back(std::string("load ") + info().id);
    if (failLoad) throw StoreError("Invalid data type for 'Kolor'");
    apply->setEnabled(false);
  }
  void resetTransient() override { log_.push_back(std::string("reset ") + info().id); }

  QPushButton* apply = nullptr;
  bool failLoad = false;
  bool failApply = false;

 private:
  std::vector<std::string>& log_;
};

}  // namespace kelvaro::testing
