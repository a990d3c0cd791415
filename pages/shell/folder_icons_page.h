#pragma once

#include <string>
#include <vector>

#include "pages/page.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro {

struct IconChoice;

// Page `IkonyFolderow` ("Ikony folderów"): one folder's own icon and tooltip,
// kept in the desktop.ini file inside it, read whenever the folder field
// changes, written by "Zastosuj" and removed by "Usuń".
class FolderIconsPage : public Page {
  Q_OBJECT

 public:
  FolderIconsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void reRead() override { readFolder(); }

  const std::string& iconFile() const { return iconFile_; }
  const std::string& iconIndex() const { return iconIndex_; }
  QLineEdit* folderField() const { return folder_; }
  QLineEdit* tipField() const { return tip_; }
  QLabel* preview() const { return preview_; }
  QPushButton* removeButton() const { return remove_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::string folder() const;
  std::string desktopIni() const;
  void readFolder();
  void clearCustomisation();
  bool applyCondition() const;
  void showIcon(const std::string& location);
  void receive(const IconChoice& choice);
  void browse();
  WriteResult apply();
  void removeCustomisation();

  QLineEdit* folder_ = nullptr;
  QLineEdit* tip_ = nullptr;
  QLabel* preview_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* remove_ = nullptr;
  ApplyCommand* apply_ = nullptr;
  std::string iconFile_;
  std::string iconIndex_;
  // The lines of the desktop.ini last read.
  std::vector<std::string> lines_;
};

}  // namespace kelvaro
