#pragma once

#include "pages/shell/shortcut_folder_page.h"

namespace kelvaro {

// Page `SendTo`: the entries of the Explorer menu "Wyślij do", which are the
// entries of the user's SendTo folder.
class SendToPage : public ShortcutFolderPage {
  Q_OBJECT

 public:
  SendToPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

 protected:
  std::string findFolder() override;
  std::string describedFolder() override;
  std::string addFolder() override;
  void chooseProgram() override;
};

}  // namespace kelvaro
