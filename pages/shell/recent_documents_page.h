#pragma once

#include <string>
#include <vector>

#include "pages/page.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace kelvaro {

// Page `Doki`: the entries of the Start menu's "Dokumenty" submenu, which
// are the entries of the user's Recent folder; deletes one, all, or all but
// one of them at once.
class RecentDocumentsPage : public Page {
  Q_OBJECT

 public:
  RecentDocumentsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  QListWidget* entryList() const { return list_; }
  QLabel* heading() const { return heading_; }

  // "Zawartość menu "Dokumenty" (...)" for this many entries.
  static QString headingFor(std::size_t entries);

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int chosenRow() const;
  void removeSelected();
  void clearAll();
  void removeAllBut();

  std::string folder_;
  std::vector<std::string> entryFiles_;
  std::string selectedPath_;
  QLabel* heading_ = nullptr;
  QListWidget* list_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* clear_ = nullptr;
  QPushButton* allBut_ = nullptr;
};

}  // namespace kelvaro
