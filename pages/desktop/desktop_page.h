#pragma once

#include "pages/page.h"

namespace kelvaro {

class DesktopSettingsTabs;

// Page `pulpit`: six sub-pages. "Tapeta", "Deseń" and "Wygaszacz" change what
// the desktop shows and are built here; "Ustawienia", "Ograniczenia" and
// "Organizuj" are DesktopSettingsTabs'. The loader fills them in one order.
class DesktopPage : public Page {
  Q_OBJECT

 public:
  DesktopPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  DesktopSettingsTabs* settingsTabs() const { return settings_; }

 protected:
  void load() override;

 private:
  void loadWallpaperStyle();
  void loadScreenSaverSettings();
  void loadScreenAndWallpaper();
  void loadScreenSaverList();
  void loadPattern();

  DesktopSettingsTabs* settings_ = nullptr;
};

}  // namespace kelvaro
