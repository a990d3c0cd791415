#pragma once

#include "pages/app_context.h"
#include "pages/page.h"

class QWidget;

namespace kelvaro {

// The page built for one entry of the page catalogue, or nullptr for a page
// that does not exist yet (the frame puts an empty page there).
Page* createPage(AppContext& app, const PageInfo& info, QWidget* parent);

}  // namespace kelvaro
