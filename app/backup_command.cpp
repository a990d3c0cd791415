#include "app/backup_command.h"

#include <algorithm>

#include "store/run_backup.h"
#include "store/store_error.h"

namespace kelvaro {
namespace {

void print(std::FILE* to, const std::string& text) { std::fputs(text.c_str(), to); }

std::string shownPath(const BackupEntry& e) { return e.dosPath.empty() ? e.hostPath.string() : e.dosPath; }

std::string environmentName(const EnvironmentChoice& choice) {
  return choice.kind == Environment::Kind::Sandbox ? "piaskownicy " + choice.prefixDirectory.string()
                                                   : "prefiksu Wine " + choice.prefixDirectory.string();
}

int listRuns(const EnvironmentChoice& choice, const std::filesystem::path& folder, std::FILE* out) {
  const std::vector<BackupRun> runs = listBackups(folder);
  if (runs.empty()) {
    print(out, "Brak kopii zapasowych " + environmentName(choice) + ".\n");
    return 0;
  }
  print(out, "Kopie zapasowe " + environmentName(choice) + " (" + folder.string() + "), od najstarszej:\n");
  for (const BackupRun& run : runs) {
    print(out, "\n" + run.when + (run.note.empty() ? "" : "  (" + run.note + ")") + "\n");
    for (const BackupEntry& e : run.entries)
      print(out, "  " + shownPath(e) + (e.existed ? "" : "  (plik utworzony w tym przebiegu)") + "\n");
  }
  return 0;
}

int restoreRun(const EnvironmentChoice& choice, const std::filesystem::path& folder, const std::string& when,
               std::FILE* out, std::FILE* err) {
  const std::vector<BackupRun> runs = listBackups(folder);
  const auto chosen = when == "last" ? (runs.empty() ? runs.end() : runs.end() - 1)
                                     : std::find_if(runs.begin(), runs.end(),
                                                    [&](const BackupRun& r) { return r.when == when; });
  if (chosen == runs.end()) {
    print(err, "kelvaro: Nie ma kopii zapasowej „" + when + "” " + environmentName(choice) +
                   ". Kopie pokazuje polecenie kelvaro --list-backups.\n");
    return 1;
  }
  RunBackup safety({.environmentFolder = folder,
                    .prefixDirectory = choice.prefixDirectory,
                    .note = "stan sprzed przywrócenia kopii " + chosen->when,
                    .spare = chosen->folder});
  try {
    const RestoreResult result = restoreBackup(*chosen, safety);
    print(out, "Przywrócono kopię zapasową " + chosen->when +
                   ": przywrócone pliki: " + std::to_string(result.restored) +
                   ", usunięte pliki utworzone w tamtym przebiegu: " + std::to_string(result.removed) +
                   ".\n");
    if (!result.safetyWhen.empty())
      print(out, "Stan sprzed przywrócenia zachowano w kopii " + result.safetyWhen +
                     "; polecenie kelvaro --restore " + result.safetyWhen + " cofa to przywrócenie.\n");
    return 0;
  } catch (const StoreError& e) {
    print(err, std::string("kelvaro: ") + e.what() + "\n");
    return 1;
  }
}

}  // namespace

std::optional<int> runBackupCommand(const std::vector<std::string>& args, const ProcessEnvironment& process,
                                    std::FILE* out, std::FILE* err) {
  bool list = false;
  std::optional<std::string> restore;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--list-backups") {
      list = true;
    } else if (args[i] == "--restore") {
      if (i + 1 == args.size() || args[i + 1].starts_with("--")) {
        print(err, "kelvaro: --restore needs the backup to restore: kelvaro --restore WHEN (or last)\n");
        return 2;
      }
      restore = args[++i];
    } else if (args[i].starts_with("--restore=")) {
      restore = args[i].substr(10);
    } else if (args[i] == "--prefix") {
      ++i;
    } else if (!args[i].starts_with("--prefix=")) {
      if (list || restore) {
        print(err, "kelvaro: nieznany argument '" + args[i] + "'\n");
        return 2;
      }
    }
  }
  if (!list && !restore) return std::nullopt;
  if (list && restore) {
    print(err, "kelvaro: --list-backups and --restore cannot be given together\n");
    return 2;
  }
  const ChosenEnvironment chosen = chooseEnvironment(args, process);
  if (!chosen.ok()) {
    print(err, "kelvaro: " + chosen.error + "\n");
    return 2;
  }
  const std::filesystem::path folder = environmentBackups(backupsDirectory(process), chosen.choice);
  return list ? listRuns(chosen.choice, folder, out) : restoreRun(chosen.choice, folder, *restore, out, err);
}

}  // namespace kelvaro
