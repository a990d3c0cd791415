#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "app/page_factory.h"
#include "app/startup.h"
#include "platform/recording_launcher.h"
#include "platform/scripted_dialogs.h"
#include "store/registry_handle.h"
#include "tests/support/test_environment.h"

namespace kelvaro::testing {

// The frame with the real pages of the program, started as the program
// starts, on the test environment with scripted dialogs and a recording
// launcher. The program's own key is at hand for setting and reading options.
class PagesFixture : public ::testing::Test {
 protected:
  static constexpr char kProgramKey[] = "Software\\Morvane\\Kelvaro";

  // The whole start-up sequence (the options loader runs last), then the
  // window shows.
  TKelvaro& start() {
    StartupOptions options;
    options.programFile = "Z:\\opt\\kelvaro\\kelvaro";
    options.fileExists = [](std::string_view) { return true; };
    options.pageFactory = createPage;
    window.reset();
    startup = std::make_unique<Startup>(app, options);
    window = startup->run();
    EXPECT_NE(window, nullptr);
    window->show();
    return *window;
  }

  void setDword(const char* name, int value) {
    RegistryHandle reg(env.memory);
    reg.openKey(kProgramKey, true);
    reg.writeDword(name, value);
  }
  void setString(const char* name, const std::string& text) {
    RegistryHandle reg(env.memory);
    reg.openKey(kProgramKey, true);
    reg.writeString(name, text);
  }
  // The stored text of a string value, or nullopt when it is missing.
  std::optional<std::string> storedString(const char* name) {
    RegistryHandle reg(env.memory);
    if (!reg.openKey(kProgramKey, false) || !reg.valueExists(name) ||
        reg.valueKind(name) != ValueKind::String) {
      return std::nullopt;
    }
    return reg.readString(name);
  }
  std::optional<int> storedDword(const char* name) {
    RegistryHandle reg(env.memory);
    if (!reg.openKey(kProgramKey, false) || !reg.valueExists(name) ||
        reg.valueKind(name) != ValueKind::Dword) {
      return std::nullopt;
    }
    return reg.readDword(name);
  }

  std::string activeId() const { return window->activePage()->objectName().toStdString(); }

  template <class T>
  T* find(const char* name) const {
    T* w = window->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  TestEnvironment env;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  Platform platform{&env, &dialogs, &launcher};
  AppContext app{platform};
  std::unique_ptr<Startup> startup;
  std::unique_ptr<TKelvaro> window;
};

}  // namespace kelvaro::testing
