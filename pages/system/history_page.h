#pragma once

#include <array>
#include <string>
#include <vector>

#include "pages/page.h"

class QComboBox;
class QPushButton;

namespace kelvaro {

// Page `ustawienia` ("Wyczyść ..."): the Run box history and the file and
// computer search histories (each in its older lettered and its newer named
// form); deleting an entry or clearing a history writes at once.
class HistoryPage : public Page {
  Q_OBJECT

 public:
  enum ListId { Run, FilesOld, FilesNew, ComputersOld, ComputersNew, kLists };

  HistoryPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  QComboBox* list(ListId id) const { return lists_[id].box; }
  QWidget* panel(ListId id) const { return lists_[id].panel; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct List {
    QWidget* panel = nullptr;
    QComboBox* box = nullptr;
    QPushButton* remove = nullptr;
    QPushButton* clear = nullptr;
    // The value each shown entry was read from, in the order shown.
    std::vector<std::string> names;
  };

  void loadLettered(ListId id);
  void loadNamed(ListId id);
  void removeEntry(ListId id);
  void clearList(ListId id);
  void enableButtons(ListId id, bool enabled);

  std::array<List, kLists> lists_{};
};

}  // namespace kelvaro
