#include "store/run_backup.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "store/ini_file.h"
#include "store/registry_handle.h"
#include "store/store_error.h"
#include "store/wine_registry_files.h"
#include "temp_prefix.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

std::string sha256sum(const fs::path& file) {
  std::string out;
  if (FILE* pipe = ::popen(("sha256sum '" + file.string() + "'").c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    ::pclose(pipe);
  }
  return out.substr(0, out.find(' '));
}

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class RunBackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(prefix / "drive_c");
    writeFile(prefix / "user.reg", "WINE REGISTRY Version 2\n");
    writeFile(prefix / "drive_c" / "win.ini", "[windows]\nload=\n");
    ::chmod((prefix / "drive_c" / "win.ini").c_str(), 0640);
  }

  RunBackup::Options options(
      std::chrono::system_clock::time_point started = std::chrono::system_clock::now()) {
    return {.environmentFolder = backups, .prefixDirectory = prefix, .started = started};
  }

  TempDir dir;
  fs::path prefix = dir / "prefix";
  fs::path backups = dir / "state" / "prefix-00000000";
};

TEST_F(RunBackupTest, EachFileIsKeptOnceBeforeItsFirstChangeWithItsManifest) {
  RunBackup backup(options());
  EXPECT_TRUE(backup.folder().empty());
  EXPECT_FALSE(fs::exists(backups)) << "a run that changes nothing leaves nothing";

  const std::string before = readFile(prefix / "drive_c" / "win.ini");
  backup.beforeChange(prefix / "drive_c" / "win.ini", "C:\\win.ini");
  writeFile(prefix / "drive_c" / "win.ini", "changed once");
  backup.beforeChange(prefix / "drive_c" / "win.ini", "C:\\WIN.INI");
  writeFile(prefix / "drive_c" / "win.ini", "changed twice");
  backup.beforeChange(prefix / "drive_c" / "new.txt", "C:\\new.txt");
  backup.beforeChange(prefix / "user.reg", "");

  const auto runs = listBackups(backups);
  ASSERT_EQ(runs.size(), 1u);
  const BackupRun& run = runs[0];
  EXPECT_EQ(run.when, backup.when());
  EXPECT_EQ(run.environment, prefix);
  ASSERT_EQ(run.entries.size(), 3u);
  const BackupEntry& ini = run.entries[0];
  EXPECT_EQ(ini.dosPath, "C:\\win.ini");
  EXPECT_EQ(ini.hostPath, fs::canonical(prefix / "drive_c" / "win.ini"));
  EXPECT_TRUE(ini.existed);
  EXPECT_EQ(ini.size, before.size());
  EXPECT_EQ(readFile(run.folder / ini.copyName), before) << "the first state, not a later one";
  EXPECT_EQ(ini.sha256, sha256sum(run.folder / ini.copyName));
  EXPECT_EQ(ini.mode & 07777, 0640u);
  EXPECT_FALSE(run.entries[1].existed);
  EXPECT_TRUE(run.entries[1].copyName.empty());
  EXPECT_EQ(run.entries[2].hostPath, fs::canonical(prefix / "user.reg"));
  EXPECT_EQ(namesIn(run.folder), (std::vector<std::string>{"0001-win.ini", "0003-user.reg", "manifest.txt"}));
}

TEST_F(RunBackupTest, RestorePutsEveryFileBackAndCanItselfBeUndone) {
  const std::string ini = readFile(prefix / "drive_c" / "win.ini");
  const std::string reg = readFile(prefix / "user.reg");
  {
    RunBackup run(options());
    run.beforeChange(prefix / "drive_c" / "win.ini", "C:\\win.ini");
    writeFile(prefix / "drive_c" / "win.ini", "new ini");
    run.beforeChange(prefix / "user.reg", "");
    fs::remove(prefix / "user.reg");
    run.beforeChange(prefix / "drive_c" / "new.txt", "C:\\new.txt");
    writeFile(prefix / "drive_c" / "new.txt", "made by the run");
  }
  ::chmod((prefix / "drive_c" / "win.ini").c_str(), 0600);
  const BackupRun backup = listBackups(backups).at(0);
  RunBackup safety(options(std::chrono::system_clock::now() + std::chrono::seconds(5)));
  const RestoreResult result = restoreBackup(backup, safety);
  EXPECT_EQ(result.restored, 2u);
  EXPECT_EQ(result.removed, 1u);
  EXPECT_EQ(readFile(prefix / "drive_c" / "win.ini"), ini);
  EXPECT_EQ(readFile(prefix / "user.reg"), reg);
  EXPECT_FALSE(fs::exists(prefix / "drive_c" / "new.txt"));
  struct stat st {};
  ::stat((prefix / "drive_c" / "win.ini").c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(namesIn(prefix / "drive_c"), std::vector<std::string>{"win.ini"}) << "no temporary stays";

  // The state before the restore was kept and comes back in turn.
  ASSERT_EQ(result.safetyWhen, safety.when());
  const auto runs = listBackups(backups);
  ASSERT_EQ(runs.size(), 2u);
  RunBackup again(options(std::chrono::system_clock::now() + std::chrono::seconds(10)));
  restoreBackup(runs[1], again);
  EXPECT_EQ(readFile(prefix / "drive_c" / "win.ini"), "new ini");
  EXPECT_FALSE(fs::exists(prefix / "user.reg"));
  EXPECT_EQ(readFile(prefix / "drive_c" / "new.txt"), "made by the run");
}

TEST_F(RunBackupTest, AFailedBackupRefusesTheChangeAndTheRegistryFilesStayAsTheyWere) {
  // A file where the backups' folder should be: nothing can be made there.
  fs::create_directories(backups.parent_path());
  writeFile(backups, "in the way");
  writeFile(prefix / "system.reg",
            "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n");
  const std::string system = readFile(prefix / "system.reg");
  const std::string user = readFile(prefix / "user.reg");
  RunBackup backup(options());
  auto files = WineRegistryFiles::open(prefix);
  files->setChangeGuard(&backup);
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("Software\\Kelvaro", true));
  reg.writeDword("A", 1);
  reg.setRoot(Root::CurrentUser);
  ASSERT_TRUE(reg.openKey("Software\\Kelvaro", true));
  reg.writeDword("B", 2);
  try {
    files->flush();
    FAIL() << "the flush went on without a backup";
  } catch (const StoreError& e) {
    const std::string text = e.what();
    EXPECT_NE(text.find("Nie można zachować kopii zapasowej pliku " +
                        fs::canonical(prefix / "system.reg").string()),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Zmiana nie została wprowadzona."), std::string::npos) << text;
  }
  EXPECT_EQ(readFile(prefix / "system.reg"), system);
  EXPECT_EQ(readFile(prefix / "user.reg"), user);

  // Once the folder can be made, the same changes go through, backed up first.
  fs::remove(backups);
  files->flush();
  const auto runs = listBackups(backups);
  ASSERT_EQ(runs.size(), 1u);
  ASSERT_EQ(runs[0].entries.size(), 2u);
  EXPECT_EQ(readFile(runs[0].folder / runs[0].entries[0].copyName), system);
  EXPECT_EQ(readFile(runs[0].folder / runs[0].entries[1].copyName), user);
}

TEST_F(RunBackupTest, AnIniFileIsKeptBeforeItsFirstWriteAndNotWrittenWithoutIt) {
  const fs::path ini = prefix / "drive_c" / "win.ini";
  const std::string before = readFile(ini);
  {
    RunBackup backup(options());
    IniFile file(ini, "CP1250", "C:\\WINDOWS\\WIN.INI", &backup);
    file.writeString("windows", "load", "a.exe");
    file.writeString("windows", "run", "b.exe");
    ASSERT_EQ(backup.entries().size(), 1u);
    EXPECT_EQ(backup.entries()[0].dosPath, "C:\\WINDOWS\\WIN.INI");
    EXPECT_EQ(readFile(backup.folder() / backup.entries()[0].copyName), before);
  }
  const std::string written = readFile(ini);
  fs::remove_all(backups);
  fs::create_directories(backups.parent_path());
  writeFile(backups, "in the way");
  RunBackup refusing(options());
  IniFile file(ini, "CP1250", "C:\\WINDOWS\\WIN.INI", &refusing);
  EXPECT_THROW(file.writeString("windows", "load", "c.exe"), StoreError);
  EXPECT_EQ(readFile(ini), written);
}

TEST_F(RunBackupTest, AFailureAtAnyStepOfTheBackupRefusesTheChangeAndNamesNoBrokenCopy) {
  int refusals = 0;
  for (int failAt = 1;; ++failAt) {
    SCOPED_TRACE("failing step " + std::to_string(failAt));
    TempDir scratch;
    int calls = 0;
    auto opts = options();
    opts.environmentFolder = scratch / "backups";
    opts.hook = [&](AtomicFile::Step) { return ++calls != failAt; };
    RunBackup backup(opts);
    bool refused = false;
    try {
      backup.beforeChange(prefix / "drive_c" / "win.ini", "C:\\win.ini");
    } catch (const StoreError& e) {
      refused = true;
      ++refusals;
      EXPECT_NE(std::string(e.what()).find("C:\\win.ini"), std::string::npos);
    }
    // Whatever the manifest names is whole; a refusal names nothing.
    const auto runs = listBackups(opts.environmentFolder);
    const std::size_t named = runs.empty() ? 0 : runs[0].entries.size();
    EXPECT_EQ(named, refused ? 0u : 1u);
    for (const BackupRun& run : runs) {
      for (const BackupEntry& e : run.entries) EXPECT_EQ(fileSha256(run.folder / e.copyName), e.sha256);
    }
    if (calls < failAt) break;  // the hook was never asked to fail
  }
  EXPECT_GE(refusals, 6) << "the copy and the manifest: opened, written, synced, closed";
}

TEST_F(RunBackupTest, TheNewestBackupsOfAnEnvironmentStay) {
  const auto start = std::chrono::system_clock::now();
  std::vector<std::string> made;
  for (int i = 0; i < 5; ++i) {
    auto opts = options(start + std::chrono::seconds(i));
    opts.keep = 3;
    RunBackup run(opts);
    run.beforeChange(prefix / "drive_c" / "win.ini", "C:\\win.ini");
    made.push_back(run.when());
  }
  std::vector<std::string> kept;
  for (const BackupRun& run : listBackups(backups)) kept.push_back(run.when);
  EXPECT_EQ(kept, std::vector<std::string>(made.begin() + 2, made.end()));
  EXPECT_EQ(namesIn(backups), kept);
}

TEST_F(RunBackupTest, ADamagedCopyIsRefusedBeforeAnythingChanges) {
  {
    RunBackup run(options());
    run.beforeChange(prefix / "drive_c" / "win.ini", "C:\\win.ini");
    run.beforeChange(prefix / "user.reg", "");
  }
  writeFile(prefix / "drive_c" / "win.ini", "later");
  writeFile(prefix / "user.reg", "later too");
  const BackupRun backup = listBackups(backups).at(0);
  writeFile(backup.folder / backup.entries[1].copyName, "tampered");
  RunBackup safety(options(std::chrono::system_clock::now() + std::chrono::seconds(5)));
  EXPECT_THROW(restoreBackup(backup, safety), StoreError);
  EXPECT_EQ(readFile(prefix / "drive_c" / "win.ini"), "later");
  EXPECT_EQ(readFile(prefix / "user.reg"), "later too");
}

TEST_F(RunBackupTest, KillingTheRestoreAtAnyPointLeavesEachFileOldOrNew) {
  const std::string oldIni(300 * 1024, 'o');
  const std::string oldReg(200 * 1024, 'r');
  writeFile(prefix / "drive_c" / "win.ini", oldIni);
  writeFile(prefix / "user.reg", oldReg);
  {
    RunBackup run(options());
    run.beforeChange(prefix / "drive_c" / "win.ini", "C:\\win.ini");
    run.beforeChange(prefix / "user.reg", "");
  }
  const BackupRun backup = listBackups(backups).at(0);
  const std::string newIni(100 * 1024, 'n'), newReg = "new registry";

  int killPoints = 0;
  for (int killAt = 1;; ++killAt) {
    writeFile(prefix / "drive_c" / "win.ini", newIni);
    writeFile(prefix / "user.reg", newReg);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      int calls = 0;
      RunBackup safety(options(std::chrono::system_clock::now() + std::chrono::hours(killAt)));
      restoreBackup(backup, safety, [&](AtomicFile::Step) {
        if (++calls == killAt) ::raise(SIGKILL);
        return true;
      });
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const std::string ini = readFile(prefix / "drive_c" / "win.ini");
    const std::string reg = readFile(prefix / "user.reg");
    EXPECT_TRUE(ini == oldIni || ini == newIni) << "torn win.ini after kill point " << killAt;
    EXPECT_TRUE(reg == oldReg || reg == newReg) << "torn user.reg after kill point " << killAt;
    if (WIFEXITED(status)) {
      EXPECT_EQ(ini, oldIni);
      EXPECT_EQ(reg, oldReg);
      break;
    }
    ASSERT_TRUE(WIFSIGNALED(status));
    ++killPoints;
  }
  EXPECT_GE(killPoints, 8);
}

TEST(BackupNames, EnvironmentsAndFolders) {
  EXPECT_EQ(environmentBackupName(true, "/home/u/.local/share/kelvaro/sandbox"), "sandbox");
  const std::string wine = environmentBackupName(false, "/home/u/.wine");
  EXPECT_EQ(wine.substr(0, 5), "wine-");
  EXPECT_EQ(wine.size(), 13u);
  EXPECT_EQ(environmentBackupName(false, "/home/u/.wine/"), wine);
  EXPECT_NE(environmentBackupName(false, "/srv/.wine"), wine);
  EXPECT_EQ(backupsFolder(std::string("/state"), std::string("/home/u")), "/state/kelvaro/backups");
  EXPECT_EQ(backupsFolder(std::string("relative"), std::string("/home/u")),
            "/home/u/.local/state/kelvaro/backups");
  EXPECT_EQ(backupsFolder(std::nullopt, std::string("/home/u")), "/home/u/.local/state/kelvaro/backups");
}

}  // namespace
}  // namespace kelvaro
