#pragma once

#include <vector>

#include "pages/page.h"

class QScrollBar;

namespace kelvaro {

class ClickableLabel;

// Page `pomoc` ("Pomoc"): the topic index on the left, moved by a scroll
// control, and one description panel per topic on the right.
class HelpPage : public Page {
  Q_OBJECT

 public:
  HelpPage(AppContext& app, const PageInfo& info, QWidget* parent);

  // No loader at start-up; re-read puts the page back as it started.
  void reRead() override;

  // Hides every description panel.
  void resetHelp();
  void showTopic(int index);
  // The description panel shown, or -1.
  int shownTopic() const;

  QScrollBar* indexScroll() const { return indexScroll_; }
  QWidget* topicList() const { return topicList_; }
  const std::vector<ClickableLabel*>& topicLabels() const { return topicLabels_; }
  const std::vector<QWidget*>& panels() const { return panels_; }

 private:
  QScrollBar* indexScroll_ = nullptr;
  QWidget* topicList_ = nullptr;
  std::vector<ClickableLabel*> topicLabels_;
  std::vector<QWidget*> panels_;
};

}  // namespace kelvaro
