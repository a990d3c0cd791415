#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "app/splash_window.h"
#include "pages/app_context.h"

namespace kelvaro {

struct StartupOptions {
  // The program file as a DOS path of the environment (for self-registration).
  std::string programFile;
  // Whether a DOS path names an existing file.
  std::function<bool(std::string_view dosPath)> fileExists;
  TKelvaro::PageFactory pageFactory;
};

// Everything from the splash window to a filled main window: the password
// check, self-registration, the version check, the policy keys, the initial
// pages and the loader sequence.
class Startup {
 public:
  Startup(AppContext& app, StartupOptions options);
  ~Startup();

  // Runs the start-up sequence. Returns the main window, not yet shown, or
  // nullptr when the program must quit (a wrong password, or a password check
  // that failed). The splash window closes when the main window is first shown.
  std::unique_ptr<TKelvaro> run();

  TSplash* splash() const { return splash_.get(); }

 private:
  bool passwordAccepted();
  void registerProgram();
  void checkWindowsVersion();
  void createPolicyKeys();
  void showInitialPages(TKelvaro& window);
  void runLoaders(TKelvaro& window);

  AppContext& app_;
  StartupOptions options_;
  std::unique_ptr<TSplash> splash_;
};

}  // namespace kelvaro
