#pragma once

// Tests on the real Wine prefix of the platform tests' fixture: the program's
// window opened on it, and what Wine itself reads back (`wine reg query`).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/main_window.h"
#include "app/page_factory.h"
#include "platform/environment_factory.h"
#include "platform/environment_fonts.h"
#include "platform/linux_icons.h"
#include "platform/linux_network.h"
#include "platform/recording_icons.h"
#include "platform/recording_launcher.h"
#include "platform/recording_pictures.h"
#include "platform/recording_shell_links.h"
#include "platform/recording_sound.h"
#include "platform/recording_system_settings.h"
#include "platform/scripted_dialogs.h"

namespace kelvaro::testing {

inline std::string readAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string capture(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
    ::pclose(pipe);
  }
  return out;
}

class WinePrefixTest : public ::testing::Test {
 protected:
  // The program on the prefix: its environment, its services and its window.
  struct Session {
    std::unique_ptr<Environment> environment;
    std::unique_ptr<AppContext> app;
    std::unique_ptr<TKelvaro> window;

    // Shows a page as its tab does and runs its loader; nullptr when it failed.
    Page* showAndLoad(std::string_view id) {
      window->showPage(id);
      Page* page = window->page(id);
      return page && app->run([page] { page->reload(); }) ? page : nullptr;
    }
  };

  void SetUp() override {
    ASSERT_TRUE(std::filesystem::exists(prefix / "system.reg"));
    stopWineserver();
  }
  // Whatever the test kept goes back, however it ended.
  void TearDown() override {
    if (kept_.empty()) return;
    stopWineserver();
    for (const auto& [file, bytes] : kept_) {
      if (bytes) {
        std::ofstream(file, std::ios::binary) << *bytes;
      } else {
        std::error_code ec;
        std::filesystem::remove(file, ec);
      }
    }
    kept_.clear();
  }

  // A file of the prefix the test changes as a whole (a registry file, an INI
  // file): put back as it is now, or removed when it is not there yet.
  void keep(const std::filesystem::path& file) {
    kept_.emplace_back(file, std::filesystem::exists(file) ? std::optional(readAll(file)) : std::nullopt);
  }

  // Opens the window on the prefix; the wineserver must be down, as Wine
  // would otherwise overwrite the registry files.
  std::unique_ptr<Session> open() {
    auto session = std::make_unique<Session>();
    session->environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
    session->app = std::make_unique<AppContext>(platform(session->environment.get()));
    session->window = std::make_unique<TKelvaro>(*session->app, createPage);
    session->window->show();
    return session;
  }

  // The same with our icon readers on the prefix's own files in place of the
  // recording double, so that the icon picker lists Wine's shell32.dll.
  std::unique_ptr<Session> openWithIcons() {
    auto session = std::make_unique<Session>();
    session->environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
    Environment* environment = session->environment.get();
    realIcons = std::make_unique<LinuxIcons>(
        environment->registry(),
        [environment](std::string_view dos) { return environment->files().hostPath(dos); },
        IconDirectories{environment->windowsDirectory(), environment->systemDirectory(),
                        "C:\\Program Files"});
    Platform p = platform(environment);
    p.icons = realIcons.get();
    session->app = std::make_unique<AppContext>(p);
    session->window = std::make_unique<TKelvaro>(*session->app, createPage);
    session->window->show();
    return session;
  }

  Platform platform(Environment* environment) {
    fonts = std::make_unique<EnvironmentFonts>(*environment);
    Platform platform{environment, &dialogs, &launcher, &shellLinks, &icons, &pictures};
    platform.fonts = fonts.get();
    platform.sound = &sound;
    platform.systemSettings = &systemSettings;
    platform.network = &network;
    return platform;
  }

  std::string wine(const std::string& arguments) const {
    return capture("WINEPREFIX='" + prefix.string() + "' WINEDEBUG=-all wine " + arguments + " 2>/dev/null");
  }
  // `wine reg query KEY /v NAME` (KEY as Wine writes it, HKCU\...).
  std::string query(const std::string& key, const std::string& name) const {
    return wine("reg query '" + key + "' /v '" + name + "'");
  }
  void stopWineserver() const {
    capture("WINEPREFIX='" + prefix.string() + "' wineserver -k 2>/dev/null; WINEPREFIX='" + prefix.string() +
            "' wineserver -w");
  }

  std::filesystem::path prefix = KELVARO_TEST_WINEPREFIX;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  RecordingShellLinks shellLinks;
  RecordingIcons icons;
  RecordingPictures pictures;
  std::unique_ptr<EnvironmentFonts> fonts;
  RecordingSound sound;
  RecordingSystemSettings systemSettings;
  // The host's own interfaces.
  LinuxNetwork network;
  // Set by openWithIcons().
  std::unique_ptr<LinuxIcons> realIcons;

 private:
  std::vector<std::pair<std::filesystem::path, std::optional<std::string>>> kept_;
};

}  // namespace kelvaro::testing
