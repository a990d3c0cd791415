#pragma once

namespace kelvaro {

class Environment;
class Dialogs;
class Launcher;

// The platform services the pages use, handed to the main window. The
// services are owned elsewhere (by start-up, or by a test's fixture).
struct Platform {
  Environment* environment = nullptr;
  Dialogs* dialogs = nullptr;
  Launcher* launcher = nullptr;
};

}  // namespace kelvaro
