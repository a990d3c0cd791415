// Checks against Wine itself, in the prefix the CTest fixture makes with
// wineboot (KELVARO_TEST_WINEPREFIX), and with a small program that prints
// what Wine's GetVersionExA and directory calls return (KELVARO_WINVER_PROBE).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>

#include "platform/environment_factory.h"
#include "platform/linux_file_system.h"
#include "platform/wine_version.h"
#include "store/registry_handle.h"
#include "tests/support/temp_prefix.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;
using testing::readHostFile;
using testing::TempPrefix;

std::string shellQuoted(const std::string& text) {
  std::string out = "'";
  for (const char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out.push_back(c);
  }
  return out + "'";
}

// Runs a shell command and returns what it printed, without carriage returns.
std::string capture(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
  ::pclose(pipe);
  std::erase(out, '\r');
  return out;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) out.push_back(line);
  return out;
}

struct ProbeResult {
  VersionInfo version;
  std::string windowsDirectory, systemDirectory, codePage;
};

class PlatformWinePrefixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(prefix / "system.reg"))
        << prefix << " is missing; ctest makes it (platform_wine_prefix_setup)";
  }

  // Runs a Wine program in the prefix and returns its standard output.
  std::string wine(const std::string& arguments) const {
    return capture("WINEPREFIX=" + shellQuoted(prefix.string()) +
                   " WINEDEBUG=-all WINEDLLOVERRIDES=winemenubuilder.exe=d wine " + arguments +
                   " 2>/dev/null");
  }
  // Stops the prefix's wineserver, which writes the registry files as it goes.
  void stopWineserver() const {
    const std::string where = "WINEPREFIX=" + shellQuoted(prefix.string());
    capture(where + " wineserver -k 2>/dev/null; " + where + " wineserver -w");
  }
  std::string cmd(const std::string& commandLine) const { return wine("cmd /c " + shellQuoted(commandLine)); }
  // One cmd command given word by word; Wine quotes the words that hold blanks.
  std::string cmdWords(const std::vector<std::string>& words) const {
    std::string line = "cmd /c";
    for (const auto& word : words) line += " " + shellQuoted(word);
    return wine(line);
  }

  ProbeResult probe() const {
    const std::string line = wine(shellQuoted(KELVARO_WINVER_PROBE));
    std::vector<std::string> fields;
    std::istringstream in(line.substr(0, line.find('\n')));
    for (std::string field; std::getline(in, field, '|');) fields.push_back(field);
    ProbeResult result;
    if (fields.size() != 8) {
      ADD_FAILURE() << "probe printed: " << line;
      return result;
    }
    result.version = {static_cast<std::uint32_t>(std::stoul(fields[0])),
                      static_cast<std::uint32_t>(std::stoul(fields[1])),
                      static_cast<std::uint32_t>(std::stoul(fields[2])), fields[4]};
    result.windowsDirectory = fields[5];
    result.systemDirectory = fields[6];
    result.codePage = "CP" + fields[7];
    return result;
  }

  // The letters attrib shows for each file of a folder, by DOS path in upper case.
  std::map<std::string, std::string> attribShows(const std::string& pattern, bool folders = false) const {
    std::map<std::string, std::string> shown;
    for (const auto& line : lines(cmd(std::string("attrib ") + (folders ? "/d " : "") + pattern))) {
      const std::size_t path = line.find("C:\\");
      if (path == std::string::npos) continue;
      std::string letters;
      for (const char c : line.substr(0, path))
        if (c != ' ') letters.push_back(c);
      std::string name = line.substr(path);
      for (auto& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      shown[name] = letters;
    }
    return shown;
  }

  fs::path prefix = KELVARO_TEST_WINEPREFIX;
  LinuxFileSystem files{prefix};
};

TEST_F(PlatformWinePrefixTest, AttributesWeSetAreWhatWineShows) {
  ASSERT_TRUE(files.createDirectory("C:\\KelvaroAttr"));
  struct Case {
    const char* name;
    std::uint32_t set;
    const char* shown;  // attrib's letters, in its order
  };
  const Case cases[] = {{"normal.txt", kAttributeNormal, "A"},
                        {"hidden.txt", kAttributeHidden, "AH"},
                        {"system.txt", kAttributeSystem, "AS"},
                        {"readonly.txt", kAttributeReadOnly, "AR"},
                        {"all.txt", kAttributeHidden | kAttributeSystem | kAttributeReadOnly, "ASHR"}};
  for (const auto& c : cases) {
    const std::string path = std::string("C:\\kelvaroattr\\") + c.name;
    ASSERT_TRUE(files.writeFile(path, "x"));
    ASSERT_TRUE(files.setAttributes(path, c.set));
  }
  ASSERT_TRUE(files.createDirectory("C:\\KelvaroAttr\\Folder"));
  ASSERT_TRUE(files.setAttributes("C:\\KelvaroAttr\\Folder", kAttributeSystem));
  const auto shown = attribShows("C:\\KelvaroAttr\\*", true);
  for (const auto& c : cases) {
    std::string key = std::string("C:\\KELVAROATTR\\") + c.name;
    for (auto& ch : key) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    ASSERT_EQ(shown.count(key), 1u) << key;
    EXPECT_EQ(shown.at(key), c.shown) << key;
  }
  EXPECT_EQ(shown.at("C:\\KELVAROATTR\\FOLDER"), "S");
}

TEST_F(PlatformWinePrefixTest, AttributesWineSetsAreWhatWeRead) {
  ASSERT_TRUE(files.createDirectory("C:\\WineAttr"));
  for (const char* name : {"h.txt", "s.txt", "r.txt", "n.txt"})
    ASSERT_TRUE(files.writeFile(std::string("C:\\WineAttr\\") + name, "x"));
  ASSERT_TRUE(files.createDirectory("C:\\WineAttr\\Sub"));
  cmd("attrib +h C:\\wineattr\\h.txt & attrib +s C:\\wineattr\\s.txt & attrib +r C:\\wineattr\\r.txt & "
      "attrib +h C:\\wineattr\\sub");
  EXPECT_EQ(files.attributes("C:\\WineAttr\\h.txt"), kAttributeArchive | kAttributeHidden);
  EXPECT_EQ(files.attributes("C:\\WineAttr\\s.txt"), kAttributeArchive | kAttributeSystem);
  EXPECT_EQ(files.attributes("C:\\WineAttr\\r.txt"), kAttributeArchive | kAttributeReadOnly);
  EXPECT_EQ(files.attributes("C:\\WineAttr\\n.txt"), kAttributeArchive);
  EXPECT_EQ(files.attributes("C:\\WineAttr\\Sub"), kAttributeDirectory | kAttributeHidden);
  // And what Wine clears is cleared for us too.
  cmd("attrib -h C:\\wineattr\\h.txt & attrib -r C:\\wineattr\\r.txt");
  EXPECT_EQ(files.attributes("C:\\WineAttr\\h.txt"), kAttributeArchive);
  EXPECT_EQ(files.attributes("C:\\WineAttr\\r.txt"), kAttributeArchive);
  EXPECT_TRUE(files.deleteFile("C:\\WineAttr\\r.txt"));
}

TEST_F(PlatformWinePrefixTest, FilesWeCreateAreSeenByWine) {
  ASSERT_TRUE(files.createDirectory("C:\\Kelvaro Pliki"));
  ASSERT_TRUE(files.createDirectory("C:\\kelvaro pliki\\Podfolder"));
  ASSERT_TRUE(files.writeFile("C:\\KELVARO PLIKI\\Win.INI", "[colors]\r\n"));
  ASSERT_TRUE(files.writeFile("C:\\Kelvaro Pliki\\Zażółć gęślą.txt", "polskie litery"));
  ASSERT_TRUE(files.copyFile("C:\\Kelvaro Pliki\\win.ini", "C:\\Kelvaro Pliki\\Podfolder\\Kopia.ini", true));
  ASSERT_TRUE(
      files.moveFile("C:\\Kelvaro Pliki\\Podfolder\\kopia.ini", "C:\\Kelvaro Pliki\\Przeniesiony.ini"));
  const auto listed = lines(cmdWords({"dir", "/b", "/a", "C:\\kelvaro pliki"}));
  const std::set<std::string> names(listed.begin(), listed.end());
  EXPECT_TRUE(names.count("Podfolder"));
  EXPECT_TRUE(names.count("Win.INI"));
  EXPECT_TRUE(names.count("Przeniesiony.ini"));
  EXPECT_EQ(names.size(), 4u);
  // Wine finds our names in any case, Polish letters included.
  EXPECT_EQ(cmdWords({"type", "C:\\KELVARO PLIKI\\ZAŻÓŁĆ GĘŚLĄ.TXT"}), "polskie litery");
  EXPECT_EQ(cmdWords({"type", "c:\\kelvaro pliki\\przeniesiony.INI"}), "[colors]\n");
}

TEST_F(PlatformWinePrefixTest, FilesWineCreatesAreFoundInAnyCase) {
  cmd("mkdir C:\\WineMade\\Sub");
  cmd("echo hello>C:\\WineMade\\Sub\\Plik.TXT");
  cmd("echo a>C:\\WineMade\\Sub\\Inny.dat");
  EXPECT_EQ(files.readFile("c:\\winemade\\SUB\\plik.txt"), "hello\r\n");
  EXPECT_EQ(files.listNames("C:\\WINEMADE\\sub", "*.txt"), std::vector<std::string>{"Plik.TXT"});
  ASSERT_TRUE(files.deleteFile("C:\\WINEMADE\\SUB\\PLIK.TXT"));
  EXPECT_EQ(cmd("if exist C:\\WineMade\\Sub\\Plik.TXT (echo yes) else (echo no)"), "no\n");
}

TEST_F(PlatformWinePrefixTest, ListingsAgreeWithWinesDir) {
  ASSERT_TRUE(files.createDirectory("C:\\Lista"));
  for (const char* name : {"shell32.DLL", "moricons.icl", "ukryty.exe", "Ikona.ico", "readme.txt", "README",
                           "a.b.scr", "x.scrx", "logon.SCR", "strona.html", "Long name.icon"})
    ASSERT_TRUE(files.writeFile(std::string("C:\\Lista\\") + name, "x"));
  ASSERT_TRUE(files.createDirectory("C:\\Lista\\Folder.exe"));
  ASSERT_TRUE(files.setAttributes("C:\\Lista\\ukryty.exe", kAttributeHidden | kAttributeSystem));
  // ("*." is left out: Wine's dir lists every name for it, Windows only those without a dot.
  // Names are ASCII here because cmd prints them in the console code page.)
  for (const std::string_view mask : {"*.*", "*.scr", "*.exe;*.dll;*.icl;*.ico", "*.htm", "*.ic"}) {
    std::set<std::string> fromWine;
    const std::string patterns(mask);
    for (std::size_t start = 0; start <= patterns.size();) {
      const std::size_t cut = std::min(patterns.find(';', start), patterns.size());
      for (const auto& name : lines(cmd("dir /b /a C:\\Lista\\" + patterns.substr(start, cut - start))))
        if (name.find("File Not Found") == std::string::npos) fromWine.insert(name);
      start = cut + 1;
    }
    const auto ours = files.listNames("C:\\lista", mask);
    EXPECT_EQ(std::set<std::string>(ours.begin(), ours.end()), fromWine) << mask;
  }
}

TEST_F(PlatformWinePrefixTest, PathsMapAsWinepathMapsThem) {
  for (const char* dos :
       {"C:\\windows\\system32", "C:\\WINDOWS\\SYSTEM32\\KERNEL32.DLL", "C:\\users", "Z:\\usr\\bin"}) {
    const std::string unix = lines(wine("winepath -u " + shellQuoted(dos))).at(0);
    const auto ours = files.hostPath(dos);
    ASSERT_TRUE(ours.has_value()) << dos;
    EXPECT_EQ(fs::canonical(*ours), fs::canonical(unix)) << dos;
  }
  for (const fs::path& host :
       {prefix / "drive_c/windows/win.ini", fs::path("/usr/share"), prefix / "drive_c"}) {
    const std::string dos = lines(wine("winepath -w " + shellQuoted(host.string()))).at(0);
    EXPECT_EQ(files.dosPath(host), dos) << host;
  }
}

TEST_F(PlatformWinePrefixTest, VersionNamesGiveWhatGetVersionExAReports) {
  for (const char* name : {"win95", "win98", "winme", "nt40", "win2k", "winxp", "winxp64", "vista", "win7",
                           "win8", "win81", "win10", "win31", "WinXP", "win11"}) {
    wine(std::string("reg add 'HKCU\\Software\\Wine' /v Version /d ") + name + " /f");
    MemoryRegistry registry;
    RegistryHandle reg(registry);
    ASSERT_TRUE(reg.openKey("Software\\Wine", true));
    reg.writeString("Version", name);
    const VersionInfo ours = wineReportedVersion(registry);
    const VersionInfo theirs = probe().version;
    EXPECT_EQ(ours.platformId, theirs.platformId) << name;
    EXPECT_EQ(ours.major, theirs.major) << name;
    EXPECT_EQ(ours.minor, theirs.minor) << name;
    EXPECT_EQ(ours.csdVersion, theirs.csdVersion) << name;
  }
  wine("reg delete 'HKCU\\Software\\Wine' /v Version /f");
}

void expectSameVersion(const std::optional<VersionInfo>& ours, const VersionInfo& theirs) {
  ASSERT_TRUE(ours.has_value());
  EXPECT_EQ(ours->platformId, theirs.platformId);
  EXPECT_EQ(ours->major, theirs.major);
  EXPECT_EQ(ours->minor, theirs.minor);
  EXPECT_EQ(ours->csdVersion, theirs.csdVersion);
}

TEST_F(PlatformWinePrefixTest, AFreshPrefixIsTheWindows7WineReports) {
  const ProbeResult fromWine = probe();
  stopWineserver();
  const auto environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
  expectSameVersion(environment->version(), fromWine.version);
  expectSameVersion(environment->version(), {2, 6, 1, "Service Pack 1"});
  EXPECT_EQ(environment->ansiCodePage(), fromWine.codePage);
  EXPECT_EQ(environment->windowsDirectory(), fromWine.windowsDirectory);
  EXPECT_EQ(environment->systemDirectory(), fromWine.systemDirectory);
  // wineboot makes the Documents folder of the user and names it in Shell Folders.
  const std::string documents = environment->documentsDirectory();
  EXPECT_EQ(documents.rfind("C:\\users\\", 0), 0u) << documents;
  EXPECT_EQ(documents.substr(documents.size() - 11), "\\Documents\\") << documents;
  EXPECT_TRUE(environment->files().directoryExists(documents));
}

TEST_F(PlatformWinePrefixTest, VersionSettingsInThePrefixAreReadAsWineReadsThem) {
  const std::string wineKey = "'HKCU\\Software\\Wine'";
  const std::string ntKey = "'HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion'";
  const std::string win9xKey = "'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion'";
  const std::vector<std::vector<std::string>> settings = {
      {"reg add " + wineKey + " /v Version /d win98 /f"},
      {"reg delete " + wineKey + " /v Version /f", "reg add " + ntKey + " /v CurrentVersion /d 5.1 /f",
       "reg add " + ntKey + " /v CSDVersion /d 'Service Pack 2' /f"},
      {"reg delete " + ntKey + " /v CurrentVersion /f",
       "reg add " + win9xKey + " /v VersionNumber /d 4.90.3000 /f",
       "reg add " + win9xKey + " /v SubVersionNumber /d ' ' /f"},
      // Back to what wineboot wrote.
      {"reg delete " + win9xKey + " /v VersionNumber /f",
       "reg delete " + win9xKey + " /v SubVersionNumber /f",
       "reg add " + ntKey + " /v CurrentVersion /d 6.1 /f",
       "reg add " + ntKey + " /v CSDVersion /d 'Service Pack 1' /f"}};
  for (const auto& commands : settings) {
    for (const auto& command : commands) wine(command);
    const VersionInfo fromWine = probe().version;
    stopWineserver();
    SCOPED_TRACE(commands.front());
    expectSameVersion(openEnvironment({Environment::Kind::WinePrefix, prefix})->version(), fromWine);
  }
}

TEST_F(PlatformWinePrefixTest, AFlushedChangeIsWhatWineSees) {
  stopWineserver();
  {
    const auto environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
    RegistryHandle reg(environment->registry());
    ASSERT_TRUE(reg.openKey("Software\\Morvane\\Kelvaro", true));
    reg.writeString("Name", "Morvane Kelvaro");
    environment->flush();
  }
  EXPECT_NE(wine("reg query 'HKCU\\Software\\Morvane\\Kelvaro' /v Name").find("Morvane Kelvaro"),
            std::string::npos);
}

TEST_F(PlatformWinePrefixTest, TheDirectoriesAreWhatWineGivesPrograms) {
  EnvironmentOptions options;
  options.openRegistry = [](const fs::path&) {
    return PrefixRegistry{std::make_unique<MemoryRegistry>(), {}};
  };
  const auto environment = openEnvironment({Environment::Kind::WinePrefix, prefix}, options);
  const ProbeResult fromWine = probe();
  EXPECT_EQ(environment->windowsDirectory(), fromWine.windowsDirectory);
  EXPECT_EQ(environment->systemDirectory(), fromWine.systemDirectory);
  EXPECT_TRUE(environment->files().directoryExists(environment->systemDirectory()));
}

TEST_F(PlatformWinePrefixTest, WineserverTakesTheNewSandboxAndWhatWeWroteThere) {
  TempPrefix home;
  const fs::path sandbox = home.dir() / "sandbox";
  EnvironmentOptions options;
  options.programDataFolder = home.driveC();
  {
    const auto environment = openEnvironment({Environment::Kind::Sandbox, sandbox}, options);
    RegistryHandle reg(environment->registry());
    reg.setRoot(Root::LocalMachine);
    ASSERT_TRUE(reg.openKey("Software\\Morvane", true));
    reg.writeString("Test", "Zażółć");
    environment->flush();
  }
  // The server loads the files when it starts and writes them back when it is stopped.
  const std::string complaints =
      capture("(export WINEPREFIX=" + shellQuoted(sandbox.string()) +
              " WINEDEBUG=-all; wineserver -p && wineserver -k && wineserver -w) 2>&1; echo done");
  EXPECT_EQ(complaints, "done\n");
  const std::string system = readHostFile(sandbox / "system.reg");
  EXPECT_EQ(system.rfind(
                "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win32\n", 0),
            0u);
  EXPECT_NE(system.find("\n\"VersionNumber\"=\"4.10.2222\"\n"), std::string::npos) << system;
  EXPECT_NE(system.find("\n\"SubVersionNumber\"=\" A \"\n"), std::string::npos) << system;
  EXPECT_NE(system.find("[System\\\\CurrentControlSet\\\\Control\\\\Nls\\\\CodePage]"), std::string::npos)
      << system;
  EXPECT_NE(system.find("\n\"ACP\"=\"1250\"\n"), std::string::npos) << system;
  EXPECT_NE(system.find("\n\"Test\"=\"Za\\x17c\\xf3\\x142\\x107\"\n"), std::string::npos) << system;
  EXPECT_EQ(readHostFile(sandbox / "user.reg").rfind("WINE REGISTRY Version 2\n", 0), 0u);
  // And we read back what the server wrote.
  const auto again = openEnvironment({Environment::Kind::Sandbox, sandbox}, options);
  RegistryHandle reg(again->registry());
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("Software\\Morvane", false));
  EXPECT_EQ(reg.readString("Test"), "Zażółć");
}

}  // namespace
}  // namespace kelvaro
