#include "store/atomic_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_prefix.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

const std::error_code kNoError;

std::vector<std::string> namesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

mode_t modeOf(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// Long enough to be written in several pieces.
std::string bigText(char fill) { return std::string(200 * 1024, fill) + "end"; }

TEST(AtomicFile, ANewFileIsWrittenWholeAndNoTemporaryStays) {
  TempDir dir;
  const mode_t mask = ::umask(022);
  ::umask(mask);
  EXPECT_EQ(writeFileAtomically(dir / "a.ini", "[x]\r\na=1\r\n"), kNoError);
  EXPECT_EQ(readFile(dir / "a.ini"), "[x]\r\na=1\r\n");
  EXPECT_EQ(modeOf(dir / "a.ini"), 0666 & ~mask);
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"a.ini"});
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissionsButIsANewFile) {
  TempDir dir;
  writeFile(dir / "user.reg", "old");
  ::chmod((dir / "user.reg").c_str(), 0640);
  const auto before = testing::identityOf(dir / "user.reg");
  EXPECT_EQ(writeFileAtomically(dir / "user.reg", "new"), kNoError);
  EXPECT_EQ(readFile(dir / "user.reg"), "new");
  EXPECT_EQ(modeOf(dir / "user.reg"), 0640u);
  EXPECT_NE(testing::identityOf(dir / "user.reg").ino, before.ino) << "written in place";
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"user.reg"});
}

TEST(AtomicFile, AFailureAtAnyStepLeavesTheOldOrTheNewFileAndNoTemporary) {
  TempDir dir;
  const std::string old = bigText('o'), fresh = bigText('n');
  int steps = 0;
  for (int failAt = 1;; ++failAt) {
    SCOPED_TRACE("failing step " + std::to_string(failAt));
    writeFile(dir / "system.reg", old);
    int calls = 0;
    bool failed = false;
    AtomicFile file(dir / "system.reg", {.hook = [&](AtomicFile::Step) {
                      failed = ++calls == failAt;
                      return !failed;
                    }});
    file.write(fresh);
    const bool committed = file.commit();
    if (!failed) {
      EXPECT_TRUE(committed);
      break;
    }
    ++steps;
    EXPECT_FALSE(committed);
    EXPECT_EQ(file.error(), std::errc::io_error);
    EXPECT_EQ(readFile(dir / "system.reg"), file.replaced() ? fresh : old);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"system.reg"});
  }
  // Opened, four pieces written, synced, closed, renamed, folder synced.
  EXPECT_EQ(steps, 9);
  EXPECT_EQ(readFile(dir / "system.reg"), fresh);
}

TEST(AtomicFile, AWriteThatRunsOutOfRoomLeavesTheTargetUntouched) {
  TempDir dir;
  writeFile(dir / "logow.sys", "old picture");
  // A file size limit makes the disk "full" halfway through the write.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::error_code error = writeFileAtomically(dir / "logow.sys", bigText('x'));
    ::_exit(error == std::errc::file_too_large ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the write did not fail as too large";
  EXPECT_EQ(readFile(dir / "logow.sys"), "old picture");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"logow.sys"});
}

TEST(AtomicFile, ATargetThatCannotBeReplacedIsLeftAsItWas) {
  TempDir dir;
  fs::create_directories(dir / "folder" / "inside");
  const std::error_code error = writeFileAtomically(dir / "folder", "text");
  EXPECT_TRUE(error);
  EXPECT_TRUE(fs::is_directory(dir / "folder" / "inside"));
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"folder"});

  EXPECT_EQ(writeFileAtomically(dir / "missing" / "a.txt", "text"), std::errc::no_such_file_or_directory);
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST(AtomicFile, WithoutReplaceAnExistingTargetIsRefused) {
  TempDir dir;
  writeFile(dir / "copy.txt", "there first");
  EXPECT_EQ(writeFileAtomically(dir / "copy.txt", "second", {.replace = false}), std::errc::file_exists);
  EXPECT_EQ(readFile(dir / "copy.txt"), "there first");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"copy.txt"});
  EXPECT_EQ(writeFileAtomically(dir / "new.txt", "first", {.replace = false}), kNoError);
  EXPECT_EQ(readFile(dir / "new.txt"), "first");
}

TEST(AtomicFile, AFileWithoutWritePermissionIsRefusedWhenAsked) {
  TempDir dir;
  writeFile(dir / "link.lnk", "old");
  ::chmod((dir / "link.lnk").c_str(), 0444);
  EXPECT_EQ(writeFileAtomically(dir / "link.lnk", "new", {.refuseReadOnly = true}),
            std::errc::permission_denied);
  EXPECT_EQ(readFile(dir / "link.lnk"), "old");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"link.lnk"});
  // The rename does not ask the file, only its folder.
  EXPECT_EQ(writeFileAtomically(dir / "link.lnk", "new"), kNoError);
  EXPECT_EQ(readFile(dir / "link.lnk"), "new");
}

TEST(AtomicFile, ASymbolicLinkIsWrittenThroughAndStaysALink) {
  TempDir dir;
  writeFile(dir / "real.ini", "old");
  fs::create_symlink("real.ini", dir / "win.ini");
  EXPECT_EQ(writeFileAtomically(dir / "win.ini", "new"), kNoError);
  EXPECT_TRUE(fs::is_symlink(dir / "win.ini"));
  EXPECT_EQ(readFile(dir / "real.ini"), "new");
}

TEST(AtomicFile, ALongNameLeavesRoomForTheTemporary) {
  TempDir dir;
  std::string name = std::string(127, 'a');
  for (int i = 0; i < 50; ++i) name += "ł";
  name += std::string(19, 'a') + ".bmp";
  ASSERT_EQ(name.size(), 250u);
  EXPECT_EQ(writeFileAtomically(dir / name, "picture"), kNoError);
  EXPECT_EQ(readFile(dir / name), "picture");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{name});
}

TEST(AtomicFile, OnlyTheTemporariesOfEndedProcessesAreLeftovers) {
  TempDir dir;
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const fs::path stale = dir / (".user.reg.kelvaro-" + std::to_string(gone) + "-3.tmp");
  const fs::path live = dir / (".user.reg.kelvaro-" + std::to_string(::getpid()) + "-0.tmp");
  const fs::path otherFile = dir / (".system.reg.kelvaro-" + std::to_string(gone) + "-0.tmp");
  for (const auto& p : {stale, live, otherFile}) writeFile(p, "x");
  AtomicFile::removeLeftovers(dir / "user.reg");
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_TRUE(fs::exists(live));
  EXPECT_TRUE(fs::exists(otherFile));
}

}  // namespace
}  // namespace kelvaro
