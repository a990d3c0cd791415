#include "pages/app_context.h"

#include <stdexcept>

#include "dialogs/icon_picker.h"
#include "store/store_error.h"

namespace kelvaro {

AppContext::AppContext(const Platform& platform) : platform_(platform) {
  if (!platform.environment || !platform.dialogs || !platform.launcher || !platform.shellLinks ||
      !platform.icons || !platform.pictures || !platform.fonts || !platform.sound ||
      !platform.systemSettings || !platform.network) {
    throw std::logic_error(
        "AppContext needs the environment, dialogs, launcher, shell links, icons, pictures, fonts, sound, "
        "system settings and network");
  }
}

AppContext::~AppContext() = default;

TIkonyForm& AppContext::iconPicker() {
  if (!iconPicker_) {
    // The first opening browses the system directory, where the shell's icons are.
    iconPicker_ = std::make_unique<TIkonyForm>(files(), icons(), iconSlots_, environment().systemDirectory());
  }
  return *iconPicker_;
}

bool AppContext::run(const std::function<void()>& command) {
  try {
    command();
    flush();
    return true;
  } catch (const StoreError& e) {
    dialogs().errorBox(e.what());
  }
  // What the command wrote before the error stays written.
  try {
    flush();
  } catch (const StoreError&) {
    // The first error has been shown; a second box would say no more.
  }
  return false;
}

}  // namespace kelvaro
