#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "pages/page.h"
#include "pages/widgets/in_place_editor.h"

class QLabel;
class QScrollArea;

namespace kelvaro {

// Page `foldery`: where the shell's and the system's folders are, edited in
// place and written by "Zastosuj" when each names an existing folder. Its
// path labels are what the other pages take as these folders, unapplied
// edits included.
class ShellFoldersPage : public Page {
  Q_OBJECT

 public:
  static constexpr std::size_t kRowCount = 20;

  ShellFoldersPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void resetTransient() override { editor_->moveHighlightOutOfView(); }

  // The path label of the row with this caption, as it stands.
  std::optional<std::string> label(std::string_view rowCaption) const;

  QLabel* pathLabel(std::size_t row) const { return paths_[row]; }
  QLabel* caption(std::size_t row) const { return captions_[row]; }
  InPlaceEditor* editor() const { return editor_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  WriteResult apply();

  std::array<QLabel*, kRowCount> captions_{};
  std::array<QLabel*, kRowCount> paths_{};
  InPlaceEditor* editor_ = nullptr;
  QScrollArea* list_ = nullptr;
  QLabel* note_ = nullptr;
  ApplyCommand* apply_ = nullptr;
};

}  // namespace kelvaro
