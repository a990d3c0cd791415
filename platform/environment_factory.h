#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/environment.h"
#include "platform/prefix_environment.h"

namespace kelvaro {

// The variables of the process environment that choose the environment.
struct ProcessEnvironment {
  std::optional<std::string> winePrefix;         // WINEPREFIX
  std::optional<std::string> xdgDataHome;        // XDG_DATA_HOME
  std::optional<std::string> home;               // HOME
  std::optional<std::string> xdgStateHome = {};  // XDG_STATE_HOME
  static ProcessEnvironment current();
};

struct EnvironmentChoice {
  Environment::Kind kind = Environment::Kind::Sandbox;
  std::filesystem::path prefixDirectory;  // the chosen Wine prefix, or where the sandbox lives
};

struct ChosenEnvironment {
  EnvironmentChoice choice;
  std::string error;  // empty when the choice can be opened; else a text for the command line
  bool ok() const { return error.empty(); }
};

// Chooses from the command line (arguments without the program name) and the
// process environment: "--prefix DIR" (or "--prefix=DIR"; the last one wins),
// else WINEPREFIX, else the sandbox. A chosen Wine prefix must exist and be a
// prefix; nothing is created there. Other arguments are left to the caller.
ChosenEnvironment chooseEnvironment(std::span<const std::string> arguments,
                                    const ProcessEnvironment& process);

// $XDG_DATA_HOME/kelvaro/sandbox, with ~/.local/share when XDG_DATA_HOME is
// unset, empty or not absolute.
std::filesystem::path sandboxDirectory(const ProcessEnvironment& process);

// $XDG_STATE_HOME/kelvaro/backups, with ~/.local/state when XDG_STATE_HOME is
// unset, empty or not absolute.
std::filesystem::path backupsDirectory(const ProcessEnvironment& process);
// The folder of one environment's backups below the backups folder.
std::filesystem::path environmentBackups(const std::filesystem::path& backupsFolder,
                                         const EnvironmentChoice& choice);

using RegistryOpener = std::function<PrefixRegistry(const std::filesystem::path& prefixDirectory)>;

struct EnvironmentOptions {
  // How the prefix's registry is loaded; the Wine registry files when empty.
  RegistryOpener openRegistry;
  // Kelvaro's data folder; programDataFolder() when empty.
  std::filesystem::path programDataFolder;
  // The tree a new sandbox is copied from; <data folder>/sandbox when empty
  // (the minimal sandbox when that does not exist either).
  std::filesystem::path sandboxTemplate;
  // Where each run's backup goes (backupsDirectory()); none is kept when empty.
  std::filesystem::path backupsFolder;
};

// Opens the chosen environment, creating the sandbox on first use. Throws
// StoreError with a clear text when the prefix cannot be used.
std::unique_ptr<Environment> openEnvironment(const EnvironmentChoice& choice,
                                             const EnvironmentOptions& options = {});

}  // namespace kelvaro
