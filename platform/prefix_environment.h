#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "platform/environment.h"
#include "platform/linux_file_system.h"
#include "store/registry_change_log.h"
#include "store/run_backup.h"

namespace kelvaro {

// A prefix's registry and the call that puts its changes on disk.
struct PrefixRegistry {
  std::unique_ptr<Registry> registry;
  std::function<void()> flush;  // throws StoreError when the change cannot be written
  // Hands the backend what must be told before it writes a file; empty when
  // it writes no files.
  std::function<void(FileChangeGuard*)> guardWrites = {};
};

// The environment of a Wine-style prefix on disk: Kelvaro's sandbox, a Polish
// Windows 98 SE, or a real Wine prefix, whose directories, code page and
// version are the ones Wine gives its programs.
class PrefixEnvironment : public Environment {
 public:
  PrefixEnvironment(Kind kind, std::filesystem::path prefixDirectory, PrefixRegistry registry,
                    std::filesystem::path programDataFolder);

  Kind kind() const override { return kind_; }
  std::filesystem::path prefixDirectory() const override { return prefix_; }
  Registry& registry() override { return *registry_.registry; }
  void flush() override;
  std::string windowsDirectory() const override;
  std::string systemDirectory() const override;
  std::string documentsDirectory() const override { return documents_; }
  std::string ansiCodePage() const override;
  std::optional<VersionInfo> version() const override;
  std::string programDirectory() const override;
  FileSystem& files() override { return files_; }
  FileChangeGuard* changeGuard() override { return backup_.get(); }

  // From now on every file of the environment is kept in the backup before
  // it first changes, and the registry changes are written beside it.
  void keepRunBackup(std::unique_ptr<RunBackup> backup);
  RunBackup* runBackup() const { return backup_.get(); }

 private:
  Kind kind_;
  std::filesystem::path prefix_;
  PrefixRegistry registry_;
  std::filesystem::path programData_;
  std::string documents_;
  mutable LinuxFileSystem files_;
  std::unique_ptr<RunBackup> backup_;
  RegistryChangeLog changes_;
  std::size_t changesWritten_ = 0;
};

// The ANSI code page a Wine prefix's registry names
// (HKLM\System\CurrentControlSet\Control\Nls\CodePage "ACP") as an iconv name;
// "CP1252" when it names none.
std::string wineAnsiCodePage(Registry& registry);

}  // namespace kelvaro
