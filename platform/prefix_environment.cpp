#include "platform/prefix_environment.h"

#include "platform/wine_version.h"
#include "store/registry_handle.h"

namespace kelvaro {

PrefixEnvironment::PrefixEnvironment(Kind kind, std::filesystem::path prefixDirectory,
                                     PrefixRegistry registry, std::filesystem::path programDataFolder)
    : kind_(kind),
      prefix_(std::move(prefixDirectory)),
      registry_(std::move(registry)),
      programData_(std::move(programDataFolder)),
      files_(prefix_) {
  // Fixed once, like the Windows and System directories: a changed "Personal"
  // takes effect at the next start.
  documents_ = shellFolderPath(*registry_.registry, "Personal");
  if (!documents_.empty() && documents_.back() != '\\') documents_.push_back('\\');
}

void PrefixEnvironment::flush() {
  if (registry_.flush) registry_.flush();
  if (backup_ && changes_.size() != changesWritten_ &&
      backup_->writeRegistryChanges(changes_.regedit4(ansiCodePage())))
    changesWritten_ = changes_.size();
}

void PrefixEnvironment::keepRunBackup(std::unique_ptr<RunBackup> backup) {
  backup_ = std::move(backup);
  if (registry_.guardWrites) registry_.guardWrites(backup_.get());
  files_.setChangeGuard(backup_.get());
  registry_.registry->setChangeLog(backup_ ? &changes_ : nullptr);
}

std::string PrefixEnvironment::windowsDirectory() const {
  return kind_ == Kind::Sandbox ? "C:\\WINDOWS" : "C:\\windows";
}

std::string PrefixEnvironment::systemDirectory() const {
  return kind_ == Kind::Sandbox ? "C:\\WINDOWS\\SYSTEM" : "C:\\windows\\system32";
}

std::string PrefixEnvironment::ansiCodePage() const {
  return kind_ == Kind::Sandbox ? "CP1250" : wineAnsiCodePage(*registry_.registry);
}

std::optional<VersionInfo> PrefixEnvironment::version() const {
  if (kind_ == Kind::Sandbox) return windows98SecondEdition();
  return wineReportedVersion(*registry_.registry);
}

std::string PrefixEnvironment::programDirectory() const { return files_.dosPath(programData_).value_or(""); }

std::string wineAnsiCodePage(Registry& registry) {
  RegistryHandle reg(registry);
  reg.setRoot(Root::LocalMachine);
  const std::string fallback = "CP1252";
  if (!reg.openKey("\\System\\CurrentControlSet\\Control\\Nls\\CodePage", false)) return fallback;
  const RegistryValue* value = reg.rawValue("ACP");
  if (!value || value->type != kRegSz) return fallback;
  const std::string number = registryStringText(value->data);
  if (number.empty() || number.size() > 5 || number[0] == '0' ||
      number.find_first_not_of("0123456789") != std::string::npos)
    return fallback;
  if (number == "65001") return "UTF-8";
  return "CP" + number;
}

}  // namespace kelvaro
