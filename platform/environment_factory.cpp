#include "platform/environment_factory.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/prefix_layout.h"
#include "platform/program_folder.h"
#include "platform/sandbox_repair.h"
#include "store/run_backup.h"
#include "store/store_error.h"
#include "store/wine_registry_files.h"

namespace kelvaro {

namespace fs = std::filesystem;

namespace {

std::optional<std::string> variable(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::string inQuotes(const fs::path& path) { return "\"" + path.string() + "\""; }

PrefixRegistry openWineRegistry(const fs::path& prefixDirectory) {
  std::unique_ptr<WineRegistryFiles> files = WineRegistryFiles::open(prefixDirectory);
  WineRegistryFiles* backend = files.get();
  return PrefixRegistry{std::move(files), [backend] { backend->flush(); },
                        [backend](FileChangeGuard* guard) { backend->setChangeGuard(guard); }};
}

}  // namespace

ProcessEnvironment ProcessEnvironment::current() {
  return {variable("WINEPREFIX"), variable("XDG_DATA_HOME"), variable("HOME"), variable("XDG_STATE_HOME")};
}

fs::path backupsDirectory(const ProcessEnvironment& process) {
  std::optional<std::string> home = process.home;
  if (!home || home->empty()) {
    if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) home = entry->pw_dir;
  }
  return backupsFolder(process.xdgStateHome, home);
}

fs::path environmentBackups(const fs::path& backupsFolder, const EnvironmentChoice& choice) {
  return backupsFolder /
         environmentBackupName(choice.kind == Environment::Kind::Sandbox, choice.prefixDirectory);
}

fs::path sandboxDirectory(const ProcessEnvironment& process) {
  fs::path dataHome;
  if (process.xdgDataHome && fs::path(*process.xdgDataHome).is_absolute()) {
    dataHome = *process.xdgDataHome;
  } else {
    fs::path home;
    if (process.home && !process.home->empty()) {
      home = *process.home;
    } else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) {
      home = entry->pw_dir;
    }
    dataHome = home / ".local" / "share";
  }
  return dataHome / "kelvaro" / "sandbox";
}

ChosenEnvironment chooseEnvironment(std::span<const std::string> arguments,
                                    const ProcessEnvironment& process) {
  ChosenEnvironment chosen;
  std::optional<std::string> prefixOption;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--prefix") {
      if (i + 1 == arguments.size()) {
        chosen.error = "--prefix needs the folder of a Wine prefix: kelvaro --prefix DIR";
        return chosen;
      }
      prefixOption = arguments[++i];
    } else if (argument.starts_with("--prefix=")) {
      prefixOption = argument.substr(9);
    }
  }
  std::string source;
  if (prefixOption) {
    if (prefixOption->empty()) {
      chosen.error = "--prefix needs the folder of a Wine prefix: kelvaro --prefix DIR";
      return chosen;
    }
    std::error_code ec;
    chosen.choice.prefixDirectory = fs::absolute(*prefixOption, ec);
    source = "--prefix";
  } else if (process.winePrefix && !process.winePrefix->empty()) {
    // Wine itself refuses a relative WINEPREFIX.
    if (!fs::path(*process.winePrefix).is_absolute()) {
      chosen.error = "WINEPREFIX must be an absolute path, not " + inQuotes(*process.winePrefix) + ".";
      return chosen;
    }
    chosen.choice.prefixDirectory = *process.winePrefix;
    source = "WINEPREFIX";
  } else {
    chosen.choice.kind = Environment::Kind::Sandbox;
    chosen.choice.prefixDirectory = sandboxDirectory(process);
    return chosen;
  }
  chosen.choice.kind = Environment::Kind::WinePrefix;
  chosen.choice.prefixDirectory = chosen.choice.prefixDirectory.lexically_normal();
  if (const std::string problem = prefixProblem(chosen.choice.prefixDirectory); !problem.empty())
    chosen.error = "Cannot use the Wine prefix " + inQuotes(chosen.choice.prefixDirectory) + " (" + source +
                   "): " + problem + ".";
  return chosen;
}

std::unique_ptr<Environment> openEnvironment(const EnvironmentChoice& choice,
                                             const EnvironmentOptions& options) {
  const fs::path& prefix = choice.prefixDirectory;
  const fs::path data = options.programDataFolder.empty() ? programDataFolder() : options.programDataFolder;
  if (choice.kind == Environment::Kind::Sandbox) {
    // A sandbox whose making was cut short, or one that lost its parts, is
    // made anew; only the program's own marked sandbox is ever replaced.
    removeAbandonedSandboxes(prefix);
    if (!sandboxDamage(prefix).empty()) setAsideDamagedSandbox(prefix);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(prefix, ec))) {
      createSandboxPrefix(prefix,
                          options.sandboxTemplate.empty() ? data / "sandbox" : options.sandboxTemplate);
    }
  }
  if (const std::string problem = prefixProblem(prefix); !problem.empty()) {
    const char* what = choice.kind == Environment::Kind::Sandbox ? "the sandbox " : "the Wine prefix ";
    throw StoreError("Cannot use " + std::string(what) + inQuotes(prefix) + ": " + problem + ".");
  }
  PrefixRegistry registry = options.openRegistry ? options.openRegistry(prefix) : openWineRegistry(prefix);
  auto environment = std::make_unique<PrefixEnvironment>(choice.kind, prefix, std::move(registry), data);
  if (!options.backupsFolder.empty()) {
    environment->keepRunBackup(std::make_unique<RunBackup>(RunBackup::Options{
        .environmentFolder = environmentBackups(options.backupsFolder, choice), .prefixDirectory = prefix}));
  }
  return environment;
}

}  // namespace kelvaro
