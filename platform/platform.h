#pragma once

namespace kelvaro {

class Dialogs;
class Environment;
class Fonts;
class Icons;
class Launcher;
class Network;
class Pictures;
class ScreenCapture;
class ShellLinks;
class Sound;
class SystemSettings;

// The platform services the pages use, one place for each. They are owned
// elsewhere (by start-up, or by a test's harness). The files of the
// environment come with the environment.
struct Platform {
  Environment* environment = nullptr;
  Dialogs* dialogs = nullptr;
  Launcher* launcher = nullptr;
  ShellLinks* shellLinks = nullptr;
  Icons* icons = nullptr;
  Pictures* pictures = nullptr;
  SystemSettings* systemSettings = nullptr;
  Sound* sound = nullptr;
  Network* network = nullptr;
  Fonts* fonts = nullptr;
  ScreenCapture* screenCapture = nullptr;
};

}  // namespace kelvaro
