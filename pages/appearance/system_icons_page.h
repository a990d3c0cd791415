#pragma once

#include <array>
#include <string>

#include "pages/page.h"

class QFrame;
class QLabel;
class QScrollBar;

namespace kelvaro {

class IconPicture;
struct IconChoice;

// Page `ikony` ("Ikony"): 24 icons of the shell (desktop objects, folders,
// drives, the shortcut arrow), each replaced through the icon picker and
// written by "Zapisz" to the class keys and the Shell Icons values.
class SystemIconsPage : public Page {
  Q_OBJECT

 public:
  static constexpr int kSlotCount = 24;

  SystemIconsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void resetTransient() override;

  // Slot 1-24: its location holder, picture and caption.
  const std::string& location(int slot) const { return slots_[index(slot)].location; }
  IconPicture* picture(int slot) const { return slots_[index(slot)].picture; }
  QLabel* caption(int slot) const { return slots_[index(slot)].caption; }
  QWidget* strip() const { return strip_; }
  QScrollBar* scrollBar() const { return scroll_; }
  // The two highlight frames (around the picture and around the caption).
  QFrame* pictureFrame() const { return pictureFrame_; }
  QFrame* captionFrame() const { return captionFrame_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Slot {
    std::string location;
    // Read as an expandable string: written back as one while it names a variable.
    bool expandable = false;
    IconPicture* picture = nullptr;
    QLabel* caption = nullptr;
  };
  static std::size_t index(int slot) { return static_cast<std::size_t>(slot - 1); }

  void showSlot(int slot);
  void highlight(int slot);
  void scrollStrip(int position);
  void receive(int slot, const IconChoice& choice);
  WriteResult apply();

  std::array<Slot, kSlotCount> slots_{};
  QWidget* strip_ = nullptr;
  QScrollBar* scroll_ = nullptr;
  QFrame* pictureFrame_ = nullptr;
  QFrame* captionFrame_ = nullptr;
  ApplyCommand* apply_ = nullptr;
};

}  // namespace kelvaro
