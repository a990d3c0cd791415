#pragma once

#include <string>
#include <vector>

#include "pages/page.h"

class QFrame;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kelvaro {

// Page `dodajusun`: the programs registered for removal; running an
// uninstaller, removing an entry and changing its name and command, each
// written at once.
class InstalledProgramsPage : public Page {
  Q_OBJECT

 public:
  InstalledProgramsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  QListWidget* list() const { return list_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void select();
  void uninstall();
  void removeEntry();
  void startEdit();
  void applyEdit();
  void cancelEdit();
  void setCommands(bool enabled);

  QListWidget* list_ = nullptr;
  QPushButton* uninstall_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* edit_ = nullptr;
  QFrame* panel_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* command_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* cancel_ = nullptr;
  // The subkeys of the listed entries, sorted, one per shown name.
  std::vector<std::string> subkeys_;
  // The chosen entry.
  std::string selectedName_;
  std::string selectedKey_;
  std::string selectedCommand_;
};

}  // namespace kelvaro
