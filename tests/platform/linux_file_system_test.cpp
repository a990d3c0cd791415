#include "platform/linux_file_system.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <csignal>
#include <set>

#include "tests/support/temp_prefix.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;
using testing::readHostFile;
using testing::TempPrefix;

std::string storedXattr(const fs::path& path) {
  char buffer[64];
  const ssize_t length = ::getxattr(path.c_str(), "user.DOSATTRIB", buffer, sizeof buffer);
  return length < 0 ? std::string("(none)") : std::string(buffer, static_cast<std::size_t>(length));
}

mode_t modeOf(const fs::path& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

std::set<std::string> namesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class LinuxFileSystemTest : public ::testing::Test {
 protected:
  TempPrefix prefix;
  LinuxFileSystem files{prefix.dir()};
};

TEST_F(LinuxFileSystemTest, FindsEveryNameWithoutRegardToCase) {
  prefix.put("WINDOWS/System/Logow.SYS", "logo");
  prefix.put("Moje dokumenty/Żółw.TXT", "zolw");
  EXPECT_TRUE(files.fileExists("c:\\windows\\SYSTEM\\logow.sys"));
  EXPECT_TRUE(files.directoryExists("C:\\Windows\\system"));
  EXPECT_FALSE(files.fileExists("C:\\Windows\\system"));
  EXPECT_FALSE(files.directoryExists("C:\\WINDOWS\\System\\Logow.SYS"));
  EXPECT_EQ(files.readFile("C:\\MOJE DOKUMENTY\\żółw.txt"), "zolw");
  EXPECT_EQ(files.hostPath("C:\\windows\\system\\LOGOW.sys"), prefix.driveC() / "WINDOWS/System/Logow.SYS");
  EXPECT_FALSE(files.fileExists("C:\\WINDOWS\\System\\logos.sys"));
}

TEST_F(LinuxFileSystemTest, AnExactNameWinsOverOneInAnotherCase) {
  prefix.put("a/File.txt", "upper");
  prefix.put("a/file.txt", "lower");
  EXPECT_EQ(files.readFile("C:\\a\\file.txt"), "lower");
  EXPECT_EQ(files.readFile("C:\\a\\File.txt"), "upper");
}

TEST_F(LinuxFileSystemTest, NewNamesKeepTheCaseGiven) {
  fs::create_directories(prefix.driveC() / "WINDOWS");
  ASSERT_TRUE(files.createDirectory("C:\\windows\\NowyFolder"));
  ASSERT_TRUE(files.writeFile("C:\\windows\\nowyfolder\\Plik Ąę.TXT", "abc"));
  EXPECT_EQ(readHostFile(prefix.driveC() / "WINDOWS/NowyFolder/Plik Ąę.TXT"), "abc");
  EXPECT_EQ(namesIn(prefix.driveC()), std::set<std::string>{"WINDOWS"});
}

TEST_F(LinuxFileSystemTest, RefusedNamesReachNothingOutsideTheFolder) {
  prefix.put("a/b/source.txt", "s");
  const std::set<std::string> prefixBefore = namesIn(prefix.dir());
  for (const char* path :
       {"C:\\a\\..\\..\\escape", "C:\\a\\b\\..\\..\\..\\escape", "C:\\a/../../escape", "C:\\a\\b/escape",
        "C:\\..\\escape", "C:\\a\\.\\escape", "C:\\a\\esc:ape", "C:\\a\\*", "C:\\a\\?", "C:\\a\\<x>",
        "C:\\a\\x|y", "C:\\a\\\"x\"", "\\escape", "escape", "C:escape", "C:\\a\\..."}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(files.writeFile(path, "x"));
    EXPECT_FALSE(files.createDirectory(path));
    EXPECT_FALSE(files.copyFile("C:\\a\\b\\source.txt", path, false));
    EXPECT_FALSE(files.moveFile("C:\\a\\b\\source.txt", path));
    EXPECT_FALSE(files.hostPath(path).has_value());
  }
  EXPECT_FALSE(files.fileExists("C:\\a\\b\\..\\b\\source.txt"));
  EXPECT_FALSE(fs::exists(prefix.dir().parent_path() / "escape"));
  EXPECT_EQ(namesIn(prefix.dir()), prefixBefore);
  EXPECT_EQ(namesIn(prefix.driveC()), std::set<std::string>{"a"});
  EXPECT_EQ(namesIn(prefix.driveC() / "a"), std::set<std::string>{"b"});
  EXPECT_EQ(namesIn(prefix.driveC() / "a/b"), std::set<std::string>{"source.txt"});
}

TEST_F(LinuxFileSystemTest, DrivesFollowRelativeAndAbsoluteLinks) {
  TempPrefix other;
  other.put("data/plik.bin", "D");
  prefix.put("sub/deep/e.txt", "E");
  prefix.addDrive('d', other.driveC() / "data");
  prefix.addDrive('e', "../drive_c/sub");
  prefix.addDrive('f', "../nowhere");
  prefix.addDrive('z', "/");
  EXPECT_EQ(files.drives(), (std::vector<char>{'c', 'd', 'e', 'z'}));
  EXPECT_EQ(files.readFile("d:\\PLIK.BIN"), "D");
  EXPECT_EQ(files.readFile("E:\\Deep\\E.TXT"), "E");
  EXPECT_FALSE(files.directoryExists("F:\\"));
  EXPECT_TRUE(files.directoryExists("C:\\"));
  EXPECT_EQ(files.hostPath("C:\\"), prefix.driveC());
  // Host to DOS through the drive closest to the file.
  EXPECT_EQ(files.dosPath(prefix.driveC() / "sub/deep/e.txt"), "E:\\deep\\e.txt");
  EXPECT_EQ(files.dosPath(prefix.driveC() / "sub"), "E:\\");
  EXPECT_EQ(files.dosPath(prefix.driveC() / "subway"), "C:\\subway");
  EXPECT_EQ(files.dosPath(other.driveC() / "data/plik.bin"), "D:\\plik.bin");
  EXPECT_EQ(files.dosPath("/usr/share"), "Z:\\usr\\share");
  EXPECT_EQ(files.hostPath("Z:\\usr\\share"), fs::path("/usr/share"));
}

TEST_F(LinuxFileSystemTest, WithoutADriveForItAHostPathHasNoDosPath) {
  TempPrefix other;
  EXPECT_FALSE(files.dosPath(other.driveC()).has_value());
  EXPECT_FALSE(files.dosPath(prefix.driveC() / "bad\\name").has_value());
}

TEST_F(LinuxFileSystemTest, CopyTakesContentAndAttributesAndHonoursItsRules) {
  prefix.put("src/logo.bmp", "picture");
  ASSERT_TRUE(files.setAttributes("C:\\src\\logo.bmp", kAttributeHidden | kAttributeReadOnly));
  fs::create_directories(prefix.driveC() / "dst");
  ASSERT_TRUE(files.copyFile("C:\\SRC\\LOGO.BMP", "C:\\dst\\Kopia.bmp", true));
  EXPECT_EQ(readHostFile(prefix.driveC() / "dst/Kopia.bmp"), "picture");
  EXPECT_EQ(files.attributes("C:\\dst\\kopia.bmp"),
            kAttributeArchive | kAttributeHidden | kAttributeReadOnly);
  // The copy is read-only now, so copying onto it fails, as it does on Windows.
  EXPECT_FALSE(files.copyFile("C:\\src\\logo.bmp", "C:\\dst\\kopia.bmp", false));

  prefix.put("dst/old.bmp", "old");
  ASSERT_TRUE(files.setAttributes("C:\\src\\logo.bmp", kAttributeNormal));
  EXPECT_FALSE(files.copyFile("C:\\src\\logo.bmp", "C:\\dst\\OLD.BMP", true));
  EXPECT_EQ(readHostFile(prefix.driveC() / "dst/old.bmp"), "old");
  EXPECT_TRUE(files.copyFile("C:\\src\\logo.bmp", "C:\\dst\\OLD.BMP", false));
  EXPECT_EQ(readHostFile(prefix.driveC() / "dst/old.bmp"), "picture");
  EXPECT_EQ(namesIn(prefix.driveC() / "dst"), (std::set<std::string>{"Kopia.bmp", "old.bmp"}));

  EXPECT_FALSE(files.copyFile("C:\\src\\logo.bmp", "C:\\src\\LOGO.bmp", false));
  EXPECT_EQ(readHostFile(prefix.driveC() / "src/logo.bmp"), "picture");
  EXPECT_FALSE(files.copyFile("C:\\src", "C:\\dst\\src", false));
  EXPECT_FALSE(files.copyFile("C:\\src\\missing.bmp", "C:\\dst\\m.bmp", false));
  EXPECT_FALSE(files.copyFile("C:\\src\\logo.bmp", "C:\\dst", false));
  EXPECT_FALSE(files.copyFile("C:\\src\\logo.bmp", "C:\\nofolder\\x.bmp", false));
}

TEST_F(LinuxFileSystemTest, MoveRenamesFilesAndFoldersButNeverOverwrites) {
  prefix.put("a/one.txt", "1");
  prefix.put("a/two.txt", "2");
  prefix.put("tree/inner/f.txt", "f");
  fs::create_directories(prefix.driveC() / "b");
  EXPECT_FALSE(files.moveFile("C:\\a\\one.txt", "C:\\a\\TWO.TXT"));
  EXPECT_EQ(readHostFile(prefix.driveC() / "a/two.txt"), "2");
  ASSERT_TRUE(files.moveFile("C:\\A\\ONE.TXT", "C:\\b\\Jeden.txt"));
  EXPECT_EQ(namesIn(prefix.driveC() / "a"), std::set<std::string>{"two.txt"});
  EXPECT_EQ(readHostFile(prefix.driveC() / "b/Jeden.txt"), "1");
  // A change of case only is allowed, on files and folders.
  ASSERT_TRUE(files.renameFile("C:\\a\\two.txt", "C:\\a\\Two.TXT"));
  EXPECT_EQ(namesIn(prefix.driveC() / "a"), std::set<std::string>{"Two.TXT"});
  ASSERT_TRUE(files.renameFile("C:\\tree", "C:\\Drzewo"));
  EXPECT_EQ(files.readFile("C:\\drzewo\\inner\\f.txt"), "f");
  EXPECT_FALSE(files.moveFile("C:\\Drzewo", "C:\\Drzewo\\inner\\self"));
  EXPECT_FALSE(files.moveFile("C:\\missing", "C:\\b\\x"));
  EXPECT_FALSE(files.moveFile("C:\\", "C:\\b\\root"));
}

TEST_F(LinuxFileSystemTest, DeleteRemovesFilesButNotReadOnlyOnesOrFolders) {
  prefix.put("a/hidden.txt");
  prefix.put("a/locked.txt");
  ASSERT_TRUE(files.setAttributes("C:\\a\\hidden.txt", kAttributeHidden | kAttributeSystem));
  ASSERT_TRUE(files.setAttributes("C:\\a\\locked.txt", kAttributeReadOnly));
  EXPECT_TRUE(files.deleteFile("C:\\A\\HIDDEN.TXT"));
  EXPECT_FALSE(files.deleteFile("C:\\a\\locked.txt"));
  EXPECT_FALSE(files.deleteFile("C:\\a"));
  EXPECT_FALSE(files.deleteFile("C:\\a\\hidden.txt"));
  EXPECT_EQ(namesIn(prefix.driveC() / "a"), std::set<std::string>{"locked.txt"});
}

TEST_F(LinuxFileSystemTest, FoldersAreMadeOneAtATimeAndRemovedWhenEmpty) {
  EXPECT_FALSE(files.createDirectory("C:\\a\\b"));
  EXPECT_TRUE(files.createDirectory("C:\\a"));
  EXPECT_FALSE(files.createDirectory("C:\\A"));
  EXPECT_TRUE(files.createDirectory("C:\\A\\b"));
  prefix.put("a/b/f.txt");
  EXPECT_FALSE(files.removeDirectory("C:\\a\\b"));
  EXPECT_FALSE(files.removeDirectory("C:\\a\\b\\f.txt"));
  ASSERT_TRUE(files.deleteFile("C:\\a\\b\\f.txt"));
  EXPECT_TRUE(files.removeDirectory("C:\\A\\B"));
  EXPECT_FALSE(fs::exists(prefix.driveC() / "a/b"));
  EXPECT_FALSE(files.removeDirectory("C:\\"));
}

TEST_F(LinuxFileSystemTest, DeletingATreeRemovesEveryFileButFollowsNoLinkOutOfIt) {
  // Outside the tree: a folder and a file that links inside point at.
  const fs::path outsideFile = prefix.put("Poza/wazny.txt", "keep");
  const fs::path outsideLonely = prefix.put("samotny.txt", "keep");
  prefix.put("Ulubione/Stare/Onet.url");
  prefix.put("Ulubione/Stare/zablokowany.url");
  prefix.put("Ulubione/Stare/ukryty.url");
  prefix.put("Ulubione/Stare/Głębiej/plik.url");
  ASSERT_TRUE(files.setAttributes("C:\\Ulubione\\Stare\\zablokowany.url", kAttributeReadOnly));
  ASSERT_TRUE(files.setAttributes("C:\\Ulubione\\Stare\\ukryty.url", kAttributeHidden | kAttributeSystem));
  fs::permissions(prefix.driveC() / "Ulubione/Stare/Głębiej", fs::perms(0555));
  fs::create_directory_symlink(prefix.driveC() / "Poza", prefix.driveC() / "Ulubione/Stare/do folderu");
  fs::create_symlink(outsideLonely, prefix.driveC() / "Ulubione/Stare/Głębiej/do pliku");
  fs::create_symlink(prefix.driveC() / "nigdzie", prefix.driveC() / "Ulubione/Stare/pusty link");

  EXPECT_TRUE(files.deleteTree("C:\\ulubione\\STARE"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(prefix.driveC() / "Ulubione/Stare")));
  EXPECT_TRUE(fs::is_directory(prefix.driveC() / "Ulubione"));
  EXPECT_EQ(readHostFile(outsideFile), "keep");
  EXPECT_EQ(readHostFile(outsideLonely), "keep");
  EXPECT_EQ(namesIn(prefix.driveC() / "Poza"), std::set<std::string>{"wazny.txt"});

  // A folder that is itself a link goes as a link.
  fs::create_directory_symlink(prefix.driveC() / "Poza", prefix.driveC() / "Ulubione/Link");
  EXPECT_TRUE(files.directoryExists("C:\\Ulubione\\Link"));
  EXPECT_TRUE(files.deleteTree("C:\\Ulubione\\Link"));
  EXPECT_FALSE(fs::exists(fs::symlink_status(prefix.driveC() / "Ulubione/Link")));
  EXPECT_EQ(namesIn(prefix.driveC() / "Poza"), std::set<std::string>{"wazny.txt"});

  // Files, drive roots, missing folders and refused names are no trees.
  prefix.put("Ulubione/plik.url");
  for (const char* path :
       {"C:\\Ulubione\\plik.url", "C:\\", "C:\\Ulubione\\brak", "C:\\Ulubione\\..", "C:\\Ulubione\\Poza|x"}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(files.deleteTree(path));
  }
  EXPECT_TRUE(fs::exists(prefix.driveC() / "Ulubione/plik.url"));
}

TEST_F(LinuxFileSystemTest, AttributesAreStoredTheWayWineStoresThem) {
  const fs::path file = prefix.put("desktop.ini");
  fs::permissions(file, fs::perms(0644));
  ASSERT_TRUE(files.setAttributes("C:\\DESKTOP.INI", kAttributeHidden));
  EXPECT_EQ(storedXattr(file), "0x2");
  ASSERT_TRUE(
      files.setAttributes("C:\\desktop.ini", kAttributeHidden | kAttributeSystem | kAttributeReadOnly));
  EXPECT_EQ(storedXattr(file), "0x6");
  EXPECT_EQ(modeOf(file), 0444u);
  EXPECT_EQ(files.attributes("C:\\desktop.ini"),
            kAttributeArchive | kAttributeHidden | kAttributeSystem | kAttributeReadOnly);
  ASSERT_TRUE(files.setAttributes("C:\\desktop.ini", kAttributeNormal));
  EXPECT_EQ(storedXattr(file), "(none)");
  EXPECT_EQ(modeOf(file) & 0200, 0200u);
  EXPECT_EQ(files.attributes("C:\\desktop.ini"), kAttributeArchive);

  // Folders: the system attribute is kept, read-only is not set on them.
  const fs::path folder = prefix.driveC() / "Ikony";
  fs::create_directories(folder);
  const mode_t folderMode = modeOf(folder);
  ASSERT_TRUE(files.setAttributes("C:\\ikony", kAttributeSystem | kAttributeReadOnly));
  EXPECT_EQ(storedXattr(folder), "0x4");
  EXPECT_EQ(modeOf(folder), folderMode);
  EXPECT_EQ(files.attributes("C:\\Ikony"), kAttributeDirectory | kAttributeSystem);
  EXPECT_FALSE(files.setAttributes("C:\\missing", kAttributeNormal));
}

TEST_F(LinuxFileSystemTest, AttributesWrittenByOthersAreRead) {
  const fs::path samba = prefix.put("samba.txt");
  // Samba follows the text with a binary record; only the text counts.
  const char value[] = "0x26\0\x01\x02";
  ASSERT_EQ(::setxattr(samba.c_str(), "user.DOSATTRIB", value, sizeof value - 1, 0), 0);
  const fs::path locked = prefix.put("locked.txt");
  fs::permissions(locked, fs::perms(0444));
  const fs::path writableByGroup = prefix.put("group.txt");
  fs::permissions(writableByGroup, fs::perms(0464));
  const fs::path readOnlyFolder = prefix.driveC() / "ro";
  fs::create_directories(readOnlyFolder);
  fs::permissions(readOnlyFolder, fs::perms(0555));
  prefix.put(".profile");
  EXPECT_EQ(files.attributes("C:\\samba.txt"), kAttributeArchive | kAttributeHidden | kAttributeSystem);
  EXPECT_EQ(files.attributes("C:\\locked.txt"), kAttributeArchive | kAttributeReadOnly);
  EXPECT_EQ(files.attributes("C:\\group.txt"), kAttributeArchive);
  EXPECT_EQ(files.attributes("C:\\RO"), kAttributeDirectory | kAttributeReadOnly);
  EXPECT_EQ(files.attributes("C:\\.profile"), kAttributeArchive | kAttributeHidden);
  // Clearing read-only on a folder gives it write permission back.
  ASSERT_TRUE(files.setAttributes("C:\\ro", kAttributeNormal));
  EXPECT_EQ(files.attributes("C:\\ro"), kAttributeDirectory);
}

TEST_F(LinuxFileSystemTest, ListingMatchesTheMaskAndKeepsHiddenAndSystemEntries) {
  prefix.put("pliki/shell32.DLL");
  prefix.put("pliki/moricons.icl");
  prefix.put("pliki/ukryty.exe");
  prefix.put("pliki/readme.txt");
  prefix.put("pliki/Ikony.ico/inside.txt");  // a folder that matches the mask
  ASSERT_TRUE(files.setAttributes("C:\\pliki\\ukryty.exe", kAttributeHidden | kAttributeSystem));
  std::vector<DirectoryEntry> entries = files.listDirectory("C:\\PLIKI", "*.exe;*.dll;*.icl;*.ico");
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].name, "Ikony.ico");
  EXPECT_TRUE(entries[0].isDirectory());
  EXPECT_EQ(entries[1].name, "moricons.icl");
  EXPECT_EQ(entries[2].name, "shell32.DLL");
  EXPECT_EQ(entries[3].name, "ukryty.exe");
  EXPECT_EQ(entries[3].attributes, kAttributeArchive | kAttributeHidden | kAttributeSystem);

  const auto all = files.listNames("C:\\pliki", "*.*");
  EXPECT_EQ(std::set<std::string>(all.begin(), all.end()),
            (std::set<std::string>{"Ikony.ico", "moricons.icl", "readme.txt", "shell32.DLL", "ukryty.exe"}));
  EXPECT_EQ(all.size(), 5u);
  EXPECT_TRUE(files.listDirectory("C:\\brak", "*.*").empty());
  EXPECT_TRUE(files.listDirectory("C:\\pliki\\readme.txt", "*.*").empty());
}

TEST_F(LinuxFileSystemTest, WritingReplacesTheWholeFileAndKeepsItsAttributes) {
  const fs::path file = prefix.put("WINDOWS/win.ini", "old content that is longer");
  ASSERT_TRUE(files.setAttributes("C:\\windows\\win.ini", kAttributeHidden));
  fs::permissions(file, fs::perms(0640));
  ASSERT_TRUE(files.writeFile("C:\\WINDOWS\\WIN.INI", "new"));
  EXPECT_EQ(readHostFile(file), "new");
  EXPECT_EQ(storedXattr(file), "0x2");
  EXPECT_EQ(modeOf(file), 0640u);
  EXPECT_EQ(namesIn(file.parent_path()), std::set<std::string>{"win.ini"});

  ASSERT_TRUE(files.setAttributes("C:\\windows\\win.ini", kAttributeReadOnly));
  EXPECT_FALSE(files.writeFile("C:\\windows\\win.ini", "refused"));
  EXPECT_EQ(readHostFile(file), "new");
  EXPECT_FALSE(files.writeFile("C:\\windows", "folder"));
  EXPECT_FALSE(files.writeFile("C:\\brak\\plik.txt", "no folder"));
  EXPECT_EQ(files.readFile("C:\\brak\\plik.txt"), std::nullopt);
  EXPECT_EQ(files.readFile("C:\\windows"), std::nullopt);
}

TEST_F(LinuxFileSystemTest, AFailedWriteLeavesTheOldFileAndNoScrap) {
  const fs::path file = prefix.put("oeminfo.ini", "old");
  // The disk "fills up": writes past 4 KiB fail.
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  ::setrlimit(RLIMIT_FSIZE, &small);
  const bool written = files.writeFile("C:\\oeminfo.ini", std::string(100000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(readHostFile(file), "old");
  EXPECT_EQ(namesIn(prefix.driveC()), std::set<std::string>{"oeminfo.ini"});
}

TEST_F(LinuxFileSystemTest, WritingThroughALinkedFolderOrFileReachesItsTarget) {
  TempPrefix home;
  fs::create_directories(prefix.driveC() / "users/user");
  fs::create_symlink(home.driveC(), prefix.driveC() / "users/user/Documents");
  ASSERT_TRUE(files.writeFile("C:\\users\\user\\documents\\list.txt", "via folder link"));
  EXPECT_EQ(readHostFile(home.driveC() / "list.txt"), "via folder link");
  fs::create_symlink(home.driveC() / "list.txt", prefix.driveC() / "link.txt");
  ASSERT_TRUE(files.writeFile("C:\\LINK.TXT", "via file link"));
  EXPECT_TRUE(fs::is_symlink(prefix.driveC() / "link.txt"));
  EXPECT_EQ(readHostFile(home.driveC() / "list.txt"), "via file link");
}

TEST_F(LinuxFileSystemTest, DevicesAndPipesAreNotReadOrCopied) {
  prefix.addDrive('z', "/");
  fs::create_directories(prefix.driveC() / "dst");
  const fs::path pipe = prefix.driveC() / "pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(files.readFile("Z:\\dev\\zero"), std::nullopt);
  EXPECT_EQ(files.readFile("C:\\pipe"), std::nullopt);
  EXPECT_FALSE(files.copyFile("Z:\\dev\\zero", "C:\\dst\\zero", false));
  EXPECT_FALSE(files.copyFile("C:\\pipe", "C:\\dst\\pipe", false));
  EXPECT_TRUE(fs::is_empty(prefix.driveC() / "dst"));
}

TEST_F(LinuxFileSystemTest, SizesAreThoseOfFilesOnly) {
  prefix.put("a/f.bin", std::string(1234, 'x'));
  EXPECT_EQ(files.fileSize("C:\\A\\F.BIN"), 1234u);
  EXPECT_EQ(files.fileSize("C:\\a"), std::nullopt);
  EXPECT_EQ(files.fileSize("C:\\a\\g.bin"), std::nullopt);
}

}  // namespace
}  // namespace kelvaro
