#pragma once

#include "pages/shell/shortcut_folder_page.h"

namespace kelvaro {

// Page `SzybkieUruchamianie`: the entries of the taskbar's Quick Launch
// toolbar, which are the entries of one folder below the application data.
class QuickLaunchPage : public ShortcutFolderPage {
  Q_OBJECT

 public:
  QuickLaunchPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

 protected:
  std::string findFolder() override;
  void chooseProgram() override;
};

}  // namespace kelvaro
