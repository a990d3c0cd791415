// --list-backups and --restore, in the process and as the program started
// without any display.
#include "app/backup_command.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "store/run_backup.h"
#include "tests/support/temp_prefix.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;
using testing::readHostFile;
using testing::TempPrefix;

struct Outcome {
  std::optional<int> status;
  std::string out, err;
};

std::string drained(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[4096];
  while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, got);
  std::fclose(file);
  return text;
}

class BackupCommandTest : public ::testing::Test {
 protected:
  Outcome run(const std::vector<std::string>& args) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const ProcessEnvironment process{std::nullopt, (home.dir() / "data").string(), home.dir().string(),
                                     (home.dir() / "state").string()};
    Outcome o{runBackupCommand(args, process, out, err), {}, {}};
    o.out = drained(out);
    o.err = drained(err);
    return o;
  }
  fs::path sandbox() const { return home.dir() / "data" / "kelvaro" / "sandbox"; }
  fs::path sandboxBackups() const { return home.dir() / "state" / "kelvaro" / "backups" / "sandbox"; }

  TempPrefix home;
};

TEST_F(BackupCommandTest, OtherArgumentsAreLeftToTheProgramAndMistakesAreRefused) {
  EXPECT_FALSE(run({}).status);
  EXPECT_FALSE(run({"--prefix", "/x"}).status);
  struct Case {
    std::vector<std::string> args;
    const char* said;
  };
  for (const Case& c : std::vector<Case>{{{"--restore"}, "--restore needs"},
                                         {{"--restore", "--prefix", "/x"}, "--restore needs"},
                                         {{"--list-backups", "--restore", "last"}, "together"},
                                         {{"--list-backups", "--frobnicate"}, "--frobnicate"}}) {
    const Outcome o = run(c.args);
    EXPECT_EQ(o.status, 2);
    EXPECT_NE(o.err.find(c.said), std::string::npos) << o.err;
  }
}

TEST_F(BackupCommandTest, TheSandboxsBackupsAreListedAndRestoredWithoutMakingTheSandbox) {
  const Outcome none = run({"--list-backups"});
  EXPECT_EQ(none.status, 0);
  EXPECT_EQ(none.out, "Brak kopii zapasowych piaskownicy " + sandbox().string() + ".\n");
  EXPECT_FALSE(fs::exists(sandbox())) << "listing makes no sandbox";
  EXPECT_EQ(run({"--restore", "last"}).status, 1);

  fs::create_directories(sandbox());
  std::ofstream(sandbox() / "user.reg") << "before";
  std::string when;
  {
    RunBackup backup({.environmentFolder = sandboxBackups(), .prefixDirectory = sandbox()});
    backup.beforeChange(sandbox() / "user.reg", "");
    backup.beforeChange(sandbox() / "drive_c" / "new.txt", "C:\\new.txt");
    when = backup.when();
  }
  std::ofstream(sandbox() / "user.reg") << "after";
  const Outcome list = run({"--list-backups"});
  EXPECT_EQ(list.status, 0);
  EXPECT_NE(list.out.find("\n" + when + "\n  " + (fs::canonical(sandbox()) / "user.reg").string() +
                          "\n  C:\\new.txt  (plik utworzony w tym przebiegu)\n"),
            std::string::npos)
      << list.out;

  const Outcome unknown = run({"--restore", "1999-01-01_00-00-00"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_NE(unknown.err.find("Nie ma kopii zapasowej „1999-01-01_00-00-00”"), std::string::npos)
      << unknown.err;
  EXPECT_EQ(readHostFile(sandbox() / "user.reg"), "after");

  const Outcome restored = run({"--restore=" + when});
  EXPECT_EQ(restored.status, 0) << restored.err;
  EXPECT_NE(restored.out.find("Przywrócono kopię zapasową " + when + ": przywrócone pliki: 1"),
            std::string::npos)
      << restored.out;
  EXPECT_EQ(readHostFile(sandbox() / "user.reg"), "before");
}

TEST_F(BackupCommandTest, TheProgramListsBackupsWithoutADisplay) {
  std::string out;
  const std::string command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u WINEPREFIX XDG_DATA_HOME='" +
      (home.dir() / "data").string() + "' XDG_STATE_HOME='" + (home.dir() / "state").string() + "' " +
      KELVARO_PROGRAM + " --list-backups 2>&1; echo \"exit=$?\"";
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
    ::pclose(pipe);
  }
  EXPECT_EQ(out, "Brak kopii zapasowych piaskownicy " + sandbox().string() + ".\nexit=0\n");
}

}  // namespace
}  // namespace kelvaro
