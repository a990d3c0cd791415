#pragma once

#include "pages/page.h"

namespace kelvaro {

// Page `ograniczenia` ("Panel Sterowania"): the per-user policies that hide
// Control Panel applets and their property pages, one check box each,
// written together by "Zastosuj" (write-then-prune over three keys).
class ControlPanelPage : public Page {
  Q_OBJECT

 public:
  ControlPanelPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);
};

}  // namespace kelvaro
