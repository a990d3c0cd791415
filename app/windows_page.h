#pragma once

#include <array>

#include "pages/page.h"
#include "pages/widgets/in_place_editor.h"

class QLabel;
class QPushButton;

namespace kelvaro {

// Page `windows`: the registration data of the installed Windows, edited in
// place and written back by "Zastosuj". Reads the 9x locations first, the NT
// locations for what is missing there.
class WindowsPage : public Page {
  Q_OBJECT

 public:
  static constexpr std::size_t kFieldCount = 12;

  WindowsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void resetTransient() override { editor_->moveHighlightOutOfView(); }

  QLabel* field(std::size_t row) const { return fields_[row]; }
  InPlaceEditor* editor() const { return editor_; }

 protected:
  void load() override;

 private:
  void apply();
  void resetInstruction();

  std::array<QLabel*, kFieldCount> fields_{};
  InPlaceEditor* editor_ = nullptr;
  QLabel* instruction_ = nullptr;
  ApplyCommand* apply_ = nullptr;
};

}  // namespace kelvaro
