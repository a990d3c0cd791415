// The run's backup as the environment keeps it: every file operation and
// every registry flush passes it first.
#include <gtest/gtest.h>

#include <set>

#include "platform/environment_factory.h"
#include "platform/file_system.h"
#include "platform/linux_platform.h"
#include "platform/scripted_dialogs.h"
#include "platform/shell_links.h"
#include "store/registry_handle.h"
#include "store/run_backup.h"
#include "store/store_error.h"
#include "tests/support/temp_prefix.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;
using testing::readHostFile;
using testing::TempPrefix;

class RunBackupEnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* file : {"system.reg", "user.reg", "userdef.reg"})
      std::ofstream(prefix.dir() / file) << "WINE REGISTRY Version 2\n";
    prefix.put("windows/win.ini", "[windows]\n");
    prefix.put("windows/logo.sys", "old logo");
    prefix.put("windows/a.txt", "a");
    prefix.put("windows/font.ttf", "font");
    prefix.put("windows/oem.bmp", "oem");
    prefix.put("windows/source.bmp", "source");
    prefix.put("windows/hidden.txt", "old");
  }

  std::unique_ptr<Environment> open() {
    EnvironmentOptions options;
    options.backupsFolder = backups.dir() / "backups";
    auto environment = openEnvironment({Environment::Kind::WinePrefix, prefix.dir()}, options);
    if (auto* backup = dynamic_cast<RunBackup*>(environment->changeGuard()))
      backup->setRefusalReporter([this](std::string_view text) { refusals.emplace_back(text); });
    return environment;
  }
  std::vector<BackupRun> runs() const {
    return listBackups(backups.dir() / "backups" / environmentBackupName(false, prefix.dir()));
  }
  std::map<std::string, std::string> driveC() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(prefix.driveC()))
      if (e.is_regular_file()) files[e.path().string()] = readHostFile(e.path());
    return files;
  }

  TempPrefix prefix;
  TempPrefix backups;
  std::vector<std::string> refusals;
};

TEST_F(RunBackupEnvironmentTest, EveryFileOperationKeepsTheFileFirstAndARestoreUndoesThemAll) {
  {
    auto environment = open();
    ASSERT_TRUE(environment->files().setAttributes("C:\\windows\\hidden.txt", kAttributeHidden));
  }
  std::filesystem::remove_all(backups.dir() / "backups");
  const auto before = driveC();
  {
    auto environment = open();
    FileSystem& files = environment->files();
    ASSERT_TRUE(files.writeFile("C:\\WINDOWS\\LOGO.SYS", "new logo"));
    ASSERT_TRUE(files.writeFile("C:\\windows\\logo.sys", "newer logo"));
    ASSERT_TRUE(files.copyFile("C:\\windows\\source.bmp", "C:\\windows\\oem.bmp", false));
    ASSERT_TRUE(files.moveFile("C:\\windows\\a.txt", "C:\\windows\\b.txt"));
    ASSERT_TRUE(files.deleteFile("C:\\windows\\font.ttf"));
    ASSERT_TRUE(files.setAttributes("C:\\windows\\win.ini", kAttributeReadOnly));
    ASSERT_TRUE(files.writeFile("C:\\windows\\hidden.txt", "new"));
    ASSERT_TRUE(files.createDirectory("C:\\windows\\empty"));
  }
  EXPECT_TRUE(refusals.empty());
  const auto all = runs();
  ASSERT_EQ(all.size(), 1u);
  std::vector<std::string> kept;
  for (const BackupEntry& e : all[0].entries) kept.push_back(e.dosPath + (e.existed ? "" : " (new)"));
  EXPECT_EQ(kept,
            (std::vector<std::string>{"C:\\WINDOWS\\LOGO.SYS", "C:\\windows\\oem.bmp", "C:\\windows\\a.txt",
                                      "C:\\windows\\b.txt (new)", "C:\\windows\\font.ttf",
                                      "C:\\windows\\win.ini", "C:\\windows\\hidden.txt"}));
  EXPECT_EQ(readHostFile(all[0].folder / all[0].entries[0].copyName), "old logo");

  RunBackup safety({.environmentFolder = all[0].folder.parent_path(),
                    .prefixDirectory = prefix.dir(),
                    .started = std::chrono::system_clock::now() + std::chrono::seconds(2)});
  restoreBackup(all[0], safety);
  EXPECT_EQ(driveC(), before);
  EXPECT_EQ(open()->files().attributes("C:\\windows\\hidden.txt"), kAttributeHidden | kAttributeArchive);
  EXPECT_EQ(fs::status(prefix.driveC() / "windows" / "win.ini").permissions() & fs::perms::owner_write,
            fs::perms::owner_write);
}

TEST_F(RunBackupEnvironmentTest, AMovedFolderIsNotKeptAndLeavesTheRestoreOfTheRestWorking) {
  prefix.put("windows/Ulubione/link.url", "[InternetShortcut]");
  {
    auto environment = open();
    ASSERT_TRUE(environment->files().writeFile("C:\\windows\\logo.sys", "new logo"));
    ASSERT_TRUE(environment->files().moveFile("C:\\windows\\Ulubione", "C:\\windows\\Moved"));
  }
  const auto all = runs();
  ASSERT_EQ(all.size(), 1u);
  ASSERT_EQ(all[0].entries.size(), 1u);
  RunBackup safety({.environmentFolder = all[0].folder.parent_path(),
                    .prefixDirectory = prefix.dir(),
                    .started = std::chrono::system_clock::now() + std::chrono::seconds(2)});
  EXPECT_EQ(restoreBackup(all[0], safety).restored, 1u);
  EXPECT_EQ(readHostFile(prefix.driveC() / "windows" / "logo.sys"), "old logo");
  EXPECT_TRUE(fs::exists(prefix.driveC() / "windows" / "Moved" / "link.url"));
}

TEST_F(RunBackupEnvironmentTest, AFailedBackupFailsTheChangeSaysWhyAndChangesNothing) {
  std::ofstream(backups.dir() / "backups") << "a file where the folder should be";
  const auto before = driveC();
  const std::string user = readHostFile(prefix.dir() / "user.reg");
  auto environment = open();
  FileSystem& files = environment->files();
  EXPECT_FALSE(files.deleteFile("C:\\windows\\font.ttf"));
  EXPECT_FALSE(files.writeFile("C:\\windows\\logo.sys", "new logo"));
  EXPECT_FALSE(files.moveFile("C:\\windows\\a.txt", "C:\\windows\\b.txt"));
  ASSERT_EQ(refusals.size(), 3u);
  EXPECT_NE(refusals[0].find("Nie można zachować kopii zapasowej pliku C:\\windows\\font.ttf"),
            std::string::npos)
      << refusals[0];
  EXPECT_EQ(driveC(), before);

  RegistryHandle reg(environment->registry());
  ASSERT_TRUE(reg.openKey("Software\\Kelvaro", true));
  reg.writeDword("A", 1);
  EXPECT_THROW(environment->flush(), StoreError);
  EXPECT_EQ(readHostFile(prefix.dir() / "user.reg"), user);
}

TEST_F(RunBackupEnvironmentTest, TheRunsRegistryChangesLieBesideItsBackup) {
  auto environment = open();
  RegistryHandle reg(environment->registry());
  ASSERT_TRUE(reg.openKey("Software\\Kelvaro", true));
  reg.writeDword("A", 1);
  environment->flush();
  reg.writeString("B", "tekst");
  reg.deleteValue("A");
  environment->flush();
  const auto all = runs();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(readHostFile(all[0].folder / "changes.reg"),
            "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software]\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kelvaro]\r\n"
            "\"A\"=dword:00000001\r\n\"B\"=\"tekst\"\r\n\"A\"=-\r\n\r\n");
}

}  // namespace
}  // namespace kelvaro

namespace kelvaro {
namespace {

TEST_F(RunBackupEnvironmentTest, ShortcutsThePagesWriteAreKeptAndARestoreTakesThemBack) {
  prefix.put("windows/Pulpit/stary.lnk", "old link");
  const auto before = driveC();
  {
    auto environment = open();
    ScriptedDialogs dialogs;
    LinuxPlatform services(*environment, dialogs);
    ShellLink link;
    link.target = "C:\\windows\\notepad.exe";
    link.workingDirectory = "C:\\windows";
    services.platform().shellLinks->create(prefix.driveC() / "windows" / "Pulpit" / "stary.lnk", link);
    services.platform().shellLinks->create(prefix.driveC() / "windows" / "Pulpit" / "nowy.lnk", link);
  }
  const auto all = runs();
  ASSERT_EQ(all.size(), 1u);
  ASSERT_EQ(all[0].entries.size(), 2u);
  EXPECT_TRUE(all[0].entries[0].existed);
  EXPECT_FALSE(all[0].entries[1].existed);
  RunBackup safety({.environmentFolder = all[0].folder.parent_path(),
                    .prefixDirectory = prefix.dir(),
                    .started = std::chrono::system_clock::now() + std::chrono::seconds(2)});
  restoreBackup(all[0], safety);
  EXPECT_EQ(driveC(), before);
}

}  // namespace
}  // namespace kelvaro
