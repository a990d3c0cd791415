#pragma once

#include <string>

#include "pages/page.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace kelvaro {

// Page `SystemNT`: two machine-wide switches written by "Zastosuj" (with the
// ZIP folder handler registered or unregistered on every Apply), and the
// management consoles, opened or put on the desktop as shortcuts.
class NtSettingsPage : public Page {
  Q_OBJECT

 public:
  NtSettingsPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  QComboBox* consoles() const { return consoles_; }

 protected:
  void load() override;

 private:
  void consoleChanged();
  void openConsole();
  void createShortcut();

  QCheckBox* zipFolders_ = nullptr;
  QComboBox* consoles_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* shortcut_ = nullptr;
  ApplyCommand* apply_ = nullptr;
  std::string consolePath_;
};

}  // namespace kelvaro
