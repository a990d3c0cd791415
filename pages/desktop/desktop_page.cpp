#include "pages/desktop/desktop_page.h"

#include "pages/desktop/desktop_settings_tabs.h"

namespace kelvaro {

DesktopPage::DesktopPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  settings_ = new DesktopSettingsTabs(
      *this,
      [this](QAbstractButton* button, ApplyOptions options, ApplyCommand::Write write) -> ApplyCommand& {
        return addApplyCommand(button, options, std::move(write));
      });
}

void DesktopPage::load() {
  settings_->loadFolderAndFirstSettings();
  loadWallpaperStyle();
  loadScreenSaverSettings();
  settings_->loadRestrictionsAndIcons();
  loadScreenAndWallpaper();
  loadScreenSaverList();
  loadPattern();
  settings_->loadRecycleBin();
}

void DesktopPage::loadWallpaperStyle() {}

void DesktopPage::loadScreenSaverSettings() {}

void DesktopPage::loadScreenAndWallpaper() {}

void DesktopPage::loadScreenSaverList() {}

void DesktopPage::loadPattern() {}

}  // namespace kelvaro
