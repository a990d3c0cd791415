#include "pages/desktop/desktop_settings_tabs.h"

#include "pages/page.h"

namespace kelvaro {

DesktopSettingsTabs::DesktopSettingsTabs(Page& page, AddCommand addCommand)
    : QObject(&page), page_(page), addCommand_(std::move(addCommand)) {}

void DesktopSettingsTabs::loadFolderAndFirstSettings() {}

void DesktopSettingsTabs::loadRestrictionsAndIcons() {}

void DesktopSettingsTabs::loadRecycleBin() {}

}  // namespace kelvaro
