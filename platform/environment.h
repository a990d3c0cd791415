#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "store/common_functions.h"
#include "store/registry_tree.h"

namespace kelvaro {

class FileChangeGuard;
class FileSystem;

// The Windows environment Kelvaro configures: the built-in sandbox or a Wine
// prefix. Both are a Wine-style prefix on disk (system.reg, user.reg,
// userdef.reg, dosdevices/, drive_c/).
class Environment {
 public:
  enum class Kind { Sandbox, WinePrefix };

  virtual ~Environment() = default;

  virtual Kind kind() const = 0;
  // The prefix directory on the host.
  virtual std::filesystem::path prefixDirectory() const = 0;

  // The registry of the environment.
  virtual Registry& registry() = 0;
  // Puts every registry change on disk; called after each loader and command.
  // Throws StoreError when the change cannot be written.
  virtual void flush() = 0;

  // DOS paths: the Windows and System directories without a trailing
  // backslash, the Documents directory with one (or empty).
  virtual std::string windowsDirectory() const = 0;
  virtual std::string systemDirectory() const = 0;
  virtual std::string documentsDirectory() const = 0;
  // The ANSI code page as an iconv name ("CP1250").
  virtual std::string ansiCodePage() const = 0;
  // What GetVersionExA would report; nullopt when it cannot be told.
  virtual std::optional<VersionInfo> version() const = 0;
  // The program's own folder as the pages see it (a DOS path, no trailing
  // backslash): the directory with Kelvaro's data (Logo\, Kursory\).
  virtual std::string programDirectory() const = 0;

  // File operations on DOS paths inside this environment.
  virtual FileSystem& files() = 0;
  // What must be told before a file of the environment changes (for files
  // written outside files(), such as INI files); null when nothing keeps
  // backups.
  virtual FileChangeGuard* changeGuard() { return nullptr; }
};

}  // namespace kelvaro
