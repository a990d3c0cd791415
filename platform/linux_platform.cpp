#include "platform/linux_platform.h"

#include "platform/environment.h"
#include "platform/environment_fonts.h"
#include "platform/file_system.h"
#include "platform/linux_icons.h"
#include "platform/linux_launcher.h"
#include "platform/linux_network.h"
#include "platform/linux_pictures.h"
#include "platform/linux_shell_links.h"
#include "platform/linux_system_settings.h"
#include "platform/qt_screen_capture.h"
#include "platform/qt_sound.h"
#include "platform/sandbox_launcher.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

// Where the shell looks for Program Files; the Windows default when the
// registry names none.
std::string programFilesDirectory(Registry& registry) {
  RegistryHandle reg(registry);
  reg.setRoot(Root::LocalMachine);
  std::string folder;
  if (openForRead(reg, "Software\\Microsoft\\Windows\\CurrentVersion"))
    folder = guardedReadString(reg, "ProgramFilesDir");
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder.empty() ? "C:\\Program Files" : folder;
}

}  // namespace

struct LinuxPlatform::Services {
  Services(Environment& environment, Dialogs& dialogs)
      : wineLauncher(environment.prefixDirectory()),
        sandboxLauncher(wineLauncher, dialogs),
        shellLinks(environment.ansiCodePage()),
        icons(environment.registry(),
              [&files = environment.files()](std::string_view dos) { return files.hostPath(dos); },
              {environment.windowsDirectory(), environment.systemDirectory(),
               programFilesDirectory(environment.registry())}),
        fonts(environment),
        sound([&files = environment.files()](std::string_view dos) { return files.hostPath(dos); }),
        systemSettings(environment.kind() == Environment::Kind::WinePrefix ? &environment.registry()
                                                                           : nullptr) {}

  LinuxLauncher wineLauncher;
  SandboxLauncher sandboxLauncher;
  LinuxShellLinks shellLinks;
  LinuxIcons icons;
  LinuxPictures pictures;
  EnvironmentFonts fonts;
  QtSound sound;
  LinuxSystemSettings systemSettings;
  QtScreenCapture screenCapture;
  LinuxNetwork network;
};

LinuxPlatform::LinuxPlatform(Environment& environment, Dialogs& dialogs)
    : services_(std::make_unique<Services>(environment, dialogs)) {
  platform_.environment = &environment;
  platform_.dialogs = &dialogs;
  platform_.launcher = environment.kind() == Environment::Kind::Sandbox
                           ? static_cast<Launcher*>(&services_->sandboxLauncher)
                           : &services_->wineLauncher;
  services_->shellLinks.setChangeGuard(environment.changeGuard());
  platform_.shellLinks = &services_->shellLinks;
  platform_.icons = &services_->icons;
  platform_.pictures = &services_->pictures;
  platform_.fonts = &services_->fonts;
  platform_.sound = &services_->sound;
  platform_.systemSettings = &services_->systemSettings;
  platform_.screenCapture = &services_->screenCapture;
  platform_.network = &services_->network;
}

LinuxPlatform::~LinuxPlatform() = default;

}  // namespace kelvaro
