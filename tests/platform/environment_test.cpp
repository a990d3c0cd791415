#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "platform/environment_factory.h"
#include "platform/file_system.h"
#include "platform/prefix_layout.h"
#include "platform/program_folder.h"
#include "platform/wine_version.h"
#include "store/registry_handle.h"
#include "store/store_error.h"
#include "tests/support/temp_prefix.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;
using testing::readHostFile;
using testing::TempPrefix;

// A folder that looks like a Wine prefix: registry files and dosdevices/.
void makePrefixFiles(const TempPrefix& prefix) {
  for (const char* file : {"system.reg", "user.reg", "userdef.reg"})
    std::ofstream(prefix.dir() / file) << "WINE REGISTRY Version 2\n";
}

std::set<std::string> namesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

RegistryOpener memoryRegistry(int* flushes = nullptr) {
  return [flushes](const fs::path&) {
    return PrefixRegistry{std::make_unique<MemoryRegistry>(), [flushes] {
                            if (flushes) ++*flushes;
                          }};
  };
}

void setString(Registry& registry, Root root, const char* key, const char* name, const char* text) {
  RegistryHandle reg(registry);
  reg.setRoot(root);
  ASSERT_TRUE(reg.openKey(key, true));
  reg.writeString(name, text);
}

class ChooseEnvironment : public ::testing::Test {
 protected:
  ChooseEnvironment() { makePrefixFiles(wine); }
  ChosenEnvironment choose(std::vector<std::string> arguments, ProcessEnvironment process = {}) {
    return chooseEnvironment(arguments, process);
  }
  TempPrefix wine;
  TempPrefix other;
};

TEST_F(ChooseEnvironment, TheSandboxLivesInTheUsersDataFolder) {
  const auto withXdg = choose({}, {std::nullopt, "/data/home", "/home/ola"});
  ASSERT_TRUE(withXdg.ok());
  EXPECT_EQ(withXdg.choice.kind, Environment::Kind::Sandbox);
  EXPECT_EQ(withXdg.choice.prefixDirectory, fs::path("/data/home/kelvaro/sandbox"));
  for (const std::optional<std::string>& xdg : {std::optional<std::string>{}, std::optional<std::string>{""},
                                                std::optional<std::string>{"relative/dir"}}) {
    const auto chosen = choose({}, {"", xdg, "/home/ola"});
    ASSERT_TRUE(chosen.ok());
    EXPECT_EQ(chosen.choice.kind, Environment::Kind::Sandbox);
    EXPECT_EQ(chosen.choice.prefixDirectory, fs::path("/home/ola/.local/share/kelvaro/sandbox"));
  }
}

TEST_F(ChooseEnvironment, PrefixOptionThenWineprefixChooseAWinePrefix) {
  const std::string dir = wine.dir().string();
  for (const auto& arguments :
       {std::vector<std::string>{"--prefix", dir}, std::vector<std::string>{"--prefix=" + dir},
        std::vector<std::string>{"--prefix", "/nonexistent", "--prefix", dir}}) {
    const auto chosen = choose(arguments, {other.dir().string(), std::nullopt, "/home/ola"});
    ASSERT_TRUE(chosen.ok()) << chosen.error;
    EXPECT_EQ(chosen.choice.kind, Environment::Kind::WinePrefix);
    EXPECT_EQ(chosen.choice.prefixDirectory, wine.dir());
  }
  const auto fromVariable = choose({}, {dir + "/", std::nullopt, "/home/ola"});
  ASSERT_TRUE(fromVariable.ok()) << fromVariable.error;
  EXPECT_EQ(fromVariable.choice.kind, Environment::Kind::WinePrefix);
  EXPECT_EQ(fromVariable.choice.prefixDirectory.lexically_normal(), fs::path(dir + "/").lexically_normal());
}

TEST_F(ChooseEnvironment, ABadPrefixIsRefusedAndNothingIsCreatedThere) {
  const fs::path missing = other.dir() / "missing";
  const fs::path empty = other.dir() / "empty";
  fs::create_directories(empty);
  const fs::path file = other.put("file.txt");
  struct Case {
    std::vector<std::string> arguments;
    ProcessEnvironment process;
    const char* expectedText;
  };
  const std::vector<Case> cases = {
      {{"--prefix", missing.string()}, {}, "the folder does not exist"},
      {{"--prefix", empty.string()}, {}, "it is not a Wine prefix (it has no system.reg)"},
      {{"--prefix", file.string()}, {}, "it is not a folder"},
      {{}, {missing.string(), std::nullopt, "/home/ola"}, "(WINEPREFIX): the folder does not exist"},
      {{}, {"relative/prefix", std::nullopt, "/home/ola"}, "WINEPREFIX must be an absolute path"},
      {{"--prefix"}, {}, "--prefix needs the folder of a Wine prefix"},
      {{"--prefix="}, {}, "--prefix needs the folder of a Wine prefix"},
  };
  for (const auto& c : cases) {
    const auto chosen = choose(c.arguments, c.process);
    EXPECT_FALSE(chosen.ok());
    EXPECT_NE(chosen.error.find(c.expectedText), std::string::npos) << chosen.error;
  }
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_TRUE(fs::is_empty(empty));
  // A folder without dosdevices is not a prefix either.
  fs::remove_all(wine.dir() / "dosdevices");
  EXPECT_NE(choose({"--prefix", wine.dir().string()}).error.find("no dosdevices folder"), std::string::npos);
}

class SandboxTest : public ::testing::Test {
 protected:
  std::unique_ptr<Environment> open(const fs::path& sandbox, fs::path templateFolder = {}) {
    EnvironmentOptions options;
    options.openRegistry = memoryRegistry(&flushes);
    options.programDataFolder = data.driveC();
    options.sandboxTemplate = std::move(templateFolder);
    return openEnvironment({Environment::Kind::Sandbox, sandbox}, options);
  }
  TempPrefix home;
  TempPrefix data;
  int flushes = 0;
};

TEST_F(SandboxTest, FirstStartMakesAMinimalWindows98Prefix) {
  const fs::path sandbox = home.dir() / "share/kelvaro/sandbox";
  const auto environment = open(sandbox);
  EXPECT_EQ(namesIn(sandbox), (std::set<std::string>{".update-timestamp", "dosdevices", "drive_c",
                                                     "system.reg", "user.reg", "userdef.reg"}));
  EXPECT_EQ(fs::read_symlink(sandbox / "dosdevices/c:"), fs::path("../drive_c"));
  EXPECT_EQ(fs::read_symlink(sandbox / "dosdevices/z:"), fs::path("/"));
  EXPECT_EQ(readHostFile(sandbox / ".update-timestamp"), "disable\n");
  EXPECT_EQ(readHostFile(sandbox / "user.reg"),
            "WINE REGISTRY Version 2\n;; All keys relative to "
            "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win32\n");
  EXPECT_EQ(readHostFile(sandbox / "userdef.reg"),
            "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\.Default\n\n#arch=win32\n");
  const std::string system = readHostFile(sandbox / "system.reg");
  EXPECT_EQ(system.rfind(
                "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win32\n", 0),
            0u);
  EXPECT_NE(system.find("\"VersionNumber\"=\"4.10.2222\"\n"), std::string::npos);
  EXPECT_NE(system.find("\"ACP\"=\"1250\"\n"), std::string::npos);
  // Nothing is left beside it.
  EXPECT_EQ(namesIn(sandbox.parent_path()), std::set<std::string>{"sandbox"});

  EXPECT_EQ(environment->kind(), Environment::Kind::Sandbox);
  EXPECT_EQ(environment->prefixDirectory(), sandbox);
  EXPECT_EQ(environment->windowsDirectory(), "C:\\WINDOWS");
  EXPECT_EQ(environment->systemDirectory(), "C:\\WINDOWS\\SYSTEM");
  EXPECT_EQ(environment->documentsDirectory(), "");
  EXPECT_EQ(environment->ansiCodePage(), "CP1250");
  EXPECT_EQ(windowsVersionName(environment->version()), "Windows 98 SE");
  EXPECT_EQ(environment->version()->csdVersion, " A ");
  EXPECT_TRUE(environment->files().directoryExists(environment->systemDirectory()));
  EXPECT_EQ(environment->programDirectory(), *environment->files().dosPath(data.driveC()));
  EXPECT_EQ(environment->programDirectory().rfind("Z:\\", 0), 0u);
}

TEST_F(SandboxTest, ALaterStartKeepsWhatTheSandboxHolds) {
  const fs::path sandbox = home.dir() / "sandbox";
  open(sandbox)->files().writeFile("C:\\WINDOWS\\win.ini", "[colors]\n");
  const auto again = open(sandbox);
  EXPECT_EQ(again->files().readFile("C:\\windows\\WIN.INI"), "[colors]\n");
}

TEST_F(SandboxTest, TheSandboxRegistryIsKeptInItsFiles) {
  const fs::path sandbox = home.dir() / "sandbox";
  EnvironmentOptions options;
  options.programDataFolder = data.driveC();
  {
    const auto environment = openEnvironment({Environment::Kind::Sandbox, sandbox}, options);
    RegistryHandle reg(environment->registry());
    ASSERT_TRUE(reg.openKey("Software\\Morvane\\Kelvaro", true));
    reg.writeString("Name", "Morvane Kelvaro");
    environment->flush();
  }
  EXPECT_NE(readHostFile(sandbox / "user.reg").find("\n\"Name\"=\"Morvane Kelvaro\"\n"), std::string::npos);
  const auto again = openEnvironment({Environment::Kind::Sandbox, sandbox}, options);
  RegistryHandle reg(again->registry());
  ASSERT_TRUE(reg.openKey("Software\\Morvane\\Kelvaro", false));
  EXPECT_EQ(reg.readString("Name"), "Morvane Kelvaro");
  // The minimal registry already says what Wine would read from it.
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("\\System\\CurrentControlSet\\Control\\Nls\\CodePage", false));
  EXPECT_EQ(reg.readString("ACP"), "1250");
  EXPECT_EQ(wineReportedVersion(again->registry()).minor, 10u);
  EXPECT_EQ(wineReportedVersion(again->registry()).csdVersion, " A ");
}

TEST_F(SandboxTest, ATemplateReplacesTheMinimalPrefix) {
  const fs::path templateFolder = data.driveC() / "sandbox";
  fs::create_directories(templateFolder / "drive_c/WINDOWS/SYSTEM");
  for (const char* file : {"system.reg", "user.reg", "userdef.reg"})
    std::ofstream(templateFolder / file) << "WINE REGISTRY Version 2\n;; template\n";
  std::ofstream(templateFolder / "drive_c/WINDOWS/Chmury.bmp") << "BM";
  const fs::path sandbox = home.dir() / "sandbox";
  // The template is found in the data folder by default.
  const auto environment = open(sandbox);
  EXPECT_EQ(readHostFile(sandbox / "system.reg"), "WINE REGISTRY Version 2\n;; template\n");
  EXPECT_EQ(environment->files().readFile("C:\\WINDOWS\\chmury.bmp"), "BM");
  EXPECT_EQ(fs::read_symlink(sandbox / "dosdevices/c:"), fs::path("../drive_c"));
}

TEST_F(SandboxTest, ABrokenTemplateOrSandboxIsReportedAndLeftAlone) {
  const fs::path templateFolder = data.driveC() / "broken";
  fs::create_directories(templateFolder / "drive_c");
  const fs::path sandbox = home.dir() / "sandbox";
  EXPECT_THROW(open(sandbox, templateFolder), StoreError);
  EXPECT_EQ(namesIn(home.dir()), (std::set<std::string>{"dosdevices", "drive_c"}));

  fs::create_directories(sandbox / "mine");
  try {
    open(sandbox);
    ADD_FAILURE() << "a folder that is not a prefix was taken as the sandbox";
  } catch (const StoreError& e) {
    EXPECT_NE(std::string(e.what()).find("it is not a Wine prefix"), std::string::npos) << e.what();
  }
  EXPECT_EQ(namesIn(sandbox), std::set<std::string>{"mine"});
}

class WinePrefixEnvironment : public ::testing::Test {
 protected:
  WinePrefixEnvironment() {
    makePrefixFiles(prefix);
    EnvironmentOptions options;
    options.openRegistry = memoryRegistry(&flushes);
    options.programDataFolder = "/opt/kelvaro/share/kelvaro";
    environment = openEnvironment({Environment::Kind::WinePrefix, prefix.dir()}, options);
  }
  TempPrefix prefix;
  int flushes = 0;
  std::unique_ptr<Environment> environment;
};

TEST_F(WinePrefixEnvironment, DirectoriesAreWines) {
  EXPECT_EQ(environment->kind(), Environment::Kind::WinePrefix);
  EXPECT_EQ(environment->windowsDirectory(), "C:\\windows");
  EXPECT_EQ(environment->systemDirectory(), "C:\\windows\\system32");
  EXPECT_EQ(environment->documentsDirectory(), "");
}

TEST_F(WinePrefixEnvironment, TheDocumentsDirectoryIsFixedWhenTheEnvironmentOpens) {
  const char* shellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  for (const auto& [personal, expected] : std::vector<std::pair<const char*, const char*>>{
           {"C:\\users\\ola\\Documents", "C:\\users\\ola\\Documents\\"}, {"D:\\", "D:\\"}}) {
    EnvironmentOptions options;
    options.openRegistry = [&, personal = personal](const fs::path&) {
      auto registry = std::make_unique<MemoryRegistry>();
      setString(*registry, Root::CurrentUser, shellFolders, "Personal", personal);
      return PrefixRegistry{std::move(registry), {}};
    };
    options.programDataFolder = "/opt/kelvaro/share/kelvaro";
    const auto opened = openEnvironment({Environment::Kind::WinePrefix, prefix.dir()}, options);
    EXPECT_EQ(opened->documentsDirectory(), expected);
    // A changed "Personal" takes effect at the next start only.
    setString(opened->registry(), Root::CurrentUser, shellFolders, "Personal", "E:\\Inne");
    EXPECT_EQ(opened->documentsDirectory(), expected);
  }
}

TEST_F(WinePrefixEnvironment, TheCodePageIsThePrefixs) {
  EXPECT_EQ(environment->ansiCodePage(), "CP1252");
  const char* key = "\\System\\CurrentControlSet\\Control\\Nls\\CodePage";
  for (const auto& [acp, expected] : std::vector<std::pair<const char*, const char*>>{{"1250", "CP1250"},
                                                                                      {"932", "CP932"},
                                                                                      {"65001", "UTF-8"},
                                                                                      {"", "CP1252"},
                                                                                      {"12x", "CP1252"},
                                                                                      {"0", "CP1252"}}) {
    setString(environment->registry(), Root::LocalMachine, key, "ACP", acp);
    EXPECT_EQ(environment->ansiCodePage(), expected) << acp;
  }
}

TEST_F(WinePrefixEnvironment, TheVersionIsWhatWineReports) {
  EXPECT_EQ(environment->version()->major, 6u);
  setString(environment->registry(), Root::CurrentUser, "\\Software\\Wine", "Version", "win98");
  EXPECT_EQ(windowsVersionName(environment->version()), "Windows 98 SE");
}

TEST_F(WinePrefixEnvironment, FlushGoesToTheRegistrysOwner) {
  environment->flush();
  environment->flush();
  EXPECT_EQ(flushes, 2);
}

TEST_F(WinePrefixEnvironment, TheProgramFolderIsSeenThroughDriveZ) {
  EXPECT_EQ(environment->programDirectory(), "");  // no drive leads there yet
  prefix.addDrive('z', "/");
  EXPECT_EQ(environment->programDirectory(), "Z:\\opt\\kelvaro\\share\\kelvaro");
}

TEST(ProgramDataFolder, BuildTreeThenBesideTheExecutableThenTheInstalledPlace) {
  TempPrefix tree;
  const fs::path build = tree.dir() / "build";
  const fs::path installed = "/usr/local/share/kelvaro";
  fs::create_directories(build / "data");
  fs::create_directories(build / "app");
  std::ofstream(build / "CMakeCache.txt") << "";
  // A folder named like a build tree but never built is not one.
  EXPECT_EQ(programDataFolderFor(build / "app/kelvaro", installed), installed);
  std::ofstream(build / "data/.generated") << "";
  EXPECT_EQ(programDataFolderFor(build / "app/kelvaro", installed), build / "data");
  EXPECT_EQ(programDataFolderFor(build / "tests/pages/pages_tests", installed), build / "data");
  const fs::path relocated = tree.dir() / "opt";
  fs::create_directories(relocated / "share/kelvaro");
  EXPECT_EQ(programDataFolderFor(relocated / "bin/kelvaro", installed), relocated / "share/kelvaro");
  EXPECT_EQ(programDataFolderFor(tree.dir() / "elsewhere/bin/kelvaro", installed), installed);
  // This test runs from the build tree, so the program's data is the build tree's.
  EXPECT_EQ(programDataFolder(), fs::path(KELVARO_TEST_BUILD_DIR) / "data");
}

}  // namespace
}  // namespace kelvaro
