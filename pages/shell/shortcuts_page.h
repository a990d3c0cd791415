#pragma once

#include <array>

#include "pages/page.h"

class QCheckBox;
class QPushButton;

namespace kelvaro {

// Page `skroty`: shortcuts on the desktop that each run one system function
// of Windows 9x/ME through Rundll32.exe, one per ticked box.
class ShortcutsPage : public Page {
  Q_OBJECT

 public:
  static constexpr std::size_t kShortcuts = 22;
  struct Shortcut {
    const char* caption;
    const char* arguments;
    const char* name;  // the file name without ".lnk"
    const char* hint;
  };
  static const std::array<Shortcut, kShortcuts>& table();

  ShortcutsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  QCheckBox* box(std::size_t i) const { return boxes_[i]; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void create();

  std::array<QCheckBox*, kShortcuts> boxes_{};
  QPushButton* create_ = nullptr;
};

}  // namespace kelvaro
