#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/main_window.h"
#include "app/startup.h"
#include "platform/environment.h"
#include "platform/environment_fonts.h"
#include "platform/linux_icons.h"
#include "platform/network.h"
#include "platform/recording_icons.h"
#include "platform/recording_launcher.h"
#include "platform/recording_pictures.h"
#include "platform/recording_screen_capture.h"
#include "platform/recording_shell_links.h"
#include "platform/recording_sound.h"
#include "platform/recording_system_settings.h"
#include "platform/scripted_dialogs.h"
#include "tests/support/recording_page.h"

namespace kelvaro::testing {

using Bytes = std::vector<std::uint8_t>;
// A stored value as a test states it: a DWORD, a string or binary data.
using StoredValue = std::variant<std::int32_t, std::string, Bytes>;

// A whole environment for page and frame tests in a few lines: a sandbox in
// a temporary folder made from the program's template (Wine's registry
// files, a real C: tree through the real file system), scripted dialogs,
// every recording double, and the real frame with the program's pages (or
// recording pages). What a test reads back with stored() comes from the
// registry files on disk.
class PageHarness : public ::testing::Test {
 protected:
  static constexpr char kProgramKey[] = "Software\\Morvane\\Kelvaro";

  PageHarness();
  ~PageHarness() override;

  // The same prefix opened as a Wine prefix rather than as the sandbox (its
  // version, code page and launcher follow Wine's rules then). Drops the window.
  void reopenAsWinePrefix();

  // The environment's own icons (our readers on its files) in place of the
  // recording double, for tests that show real icons. Drops the window.
  void useEnvironmentIcons();

  // The program's start-up sequence (every loader, the options loader last),
  // then the window shows. nullptr when the start-up ended the program.
  TKelvaro* start(TKelvaro::PageFactory factory = {});
  // The window alone: no loader has run.
  TKelvaro& makeWindow(TKelvaro::PageFactory factory = {});
  // Pages that record what the frame asks of them, for the pages named.
  TKelvaro::PageFactory recordingPages(std::set<std::string> ids,
                                       std::set<std::string> withoutRestart = {"kolory"});

  TKelvaro& frame() const { return *window; }
  Page& page(std::string_view id) const;
  // Shows a page as a click on its tab does and runs its loader.
  Page& showAndLoad(std::string_view id);
  std::string activeId() const;

  // The registry, written and read as another program would.
  void set(Root root, std::string_view key, std::string_view name, const StoredValue& value);
  void setProgramOption(std::string_view name, const StoredValue& value) {
    set(Root::CurrentUser, kProgramKey, name, value);
  }
  void remove(Root root, std::string_view key, std::string_view name);
  std::optional<StoredValue> stored(Root root, std::string_view key, std::string_view name) const;
  std::optional<StoredValue> programOption(std::string_view name) const {
    return stored(Root::CurrentUser, kProgramKey, name);
  }
  // True when the key exists in the registry files.
  bool keyStored(Root root, std::string_view key) const;

  // The window's widgets by object name, or by caption (the "&" of an
  // accelerator ignored), and what a user does with them: the whole event
  // sequence of a real mouse or keyboard.
  QWidget* widget(std::string_view nameOrCaption) const;
  template <class T>
  T* find(std::string_view nameOrCaption) const {
    T* w = qobject_cast<T*>(widget(nameOrCaption));
    EXPECT_NE(w, nullptr) << nameOrCaption;
    return w;
  }
  void click(std::string_view nameOrCaption);
  void click(QWidget* w);
  void doubleClick(QWidget* w, QPoint at = {});
  void type(std::string_view nameOrCaption, std::string_view text);
  void type(QWidget* w, std::string_view text);
  void key(QWidget* w, Qt::Key key);

  // A host path inside the environment's C: drive.
  std::filesystem::path hostPath(std::string_view dosPath) const;

  std::filesystem::path prefix;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  RecordingShellLinks shellLinks;
  RecordingIcons icons;
  RecordingPictures pictures;
  RecordingSound sound;
  RecordingSystemSettings systemSettings;
  RecordingScreenCapture screenCapture;
  // One adapter with an address until a test sets another table.
  TableNetwork network = defaultNetwork();
  std::unique_ptr<Environment> environment;
  // The environment's own fonts (its Fonts folder and registrations).
  std::unique_ptr<EnvironmentFonts> fonts;
  // Set by useEnvironmentIcons().
  std::unique_ptr<LinuxIcons> environmentIcons;
  std::unique_ptr<AppContext> app;
  std::unique_ptr<Startup> startup;
  std::unique_ptr<TKelvaro> window;

  // Registry writes are refused while set, as while a wineserver holds the files.
  bool refuseWrites = false;
  // Registry writes allowed before they are refused in the same way; -1: no limit.
  int writesLeft = -1;
  // Runs after each flush of the registry to disk.
  std::function<void()> onFlush;
  int flushes = 0;
  // What the recording pages logged.
  std::vector<std::string> log;
  std::map<std::string, RecordingPage*> recording;

 private:
  static TableNetwork defaultNetwork();
  void open(Environment::Kind kind);

  std::filesystem::path root_;
};

}  // namespace kelvaro::testing
