#include "store/wine_registry_files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "store/registry_handle.h"
#include "store/store_error.h"
#include "store/wine_registry_file.h"
#include "store/wine_registry_format.h"
#include "temp_prefix.h"

namespace kelvaro {
namespace {

using testing::identityOf;
using testing::linesOf;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

constexpr std::uint64_t kTime = 0x1d9a1b2c3d4e5f6ULL;  // what "#time=" lines below hold

std::string linkLine(std::u16string_view target) {
  std::vector<std::uint8_t> data;
  for (const char16_t u : target) {
    data.push_back(static_cast<std::uint8_t>(u & 0xFF));
    data.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  std::string out;
  winereg::appendValue(out, u"SymbolicLinkValue", kRegLink, data);
  return out;
}

std::string section(const std::string& path, const std::string& body) {
  return "\n[" + path + "] 1700000000\n#time=1d9a1b2c3d4e5f6\n" + body;
}

std::string systemReg(const std::string& extra = "") {
  return "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n" +
         section("Software\\\\Classes\\\\.txt", "@=\"txtfile\"\n") +
         section("Software\\\\Wine", "\"A\"=\"1\"\n\"C\"=dword:00000003\n") +
         section("Software\\\\Wine\\\\Drivers", "\"Audio\"=\"alsa\"\n") +
         section("System\\\\ControlSet001\\\\Control", "\"X\"=\"y\"\n") +
         section("System\\\\CurrentControlSet",
                 "#link\n" + linkLine(u"\\Registry\\Machine\\System\\ControlSet001")) +
         extra;
}

std::string userReg(const std::string& body = section("Control Panel\\\\Desktop", "\"Wallpaper\"=\"\"\n")) {
  return "WINE REGISTRY Version 2\n;; All keys relative to "
         "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n" +
         body;
}

std::string userdefReg() {
  return "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\.Default\n\n#arch=win64\n" +
         section("Control Panel\\\\Desktop", "\"Wallpaper\"=\"x\"\n");
}

// The file with its time stamps taken out, to compare contents written at
// different moments.
std::string withoutTimes(const std::string& text) {
  static const std::regex seconds(R"((^\[.*\]) \d+$)", std::regex::multiline);
  static const std::regex time(R"(^#time=[0-9a-f]+\n)", std::regex::multiline);
  return std::regex_replace(std::regex_replace(text, time, ""), seconds, "$1");
}

class WineRegistryFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    writeFile(dir / "system.reg", systemReg());
    writeFile(dir / "user.reg", userReg());
    writeFile(dir / "userdef.reg", userdefReg());
  }
  std::unique_ptr<WineRegistryFiles> open() { return WineRegistryFiles::open(dir.path()); }
  std::string system() const { return readFile(dir / "system.reg"); }

  TempDir dir;
};

TEST_F(WineRegistryFilesTest, ReadsValuesOfAllKinds) {
  auto files = open();
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("Software\\Wine", false));
  EXPECT_EQ(reg.readString("A"), "1");
  EXPECT_EQ(reg.readDword("C"), 3);
  reg.setRoot(Root::CurrentUser);
  EXPECT_TRUE(reg.openKey("Control Panel\\Desktop", false));
  EXPECT_TRUE(reg.valueExists("Wallpaper"));
  reg.setRoot(Root::ClassesRoot);
  ASSERT_TRUE(reg.openKey(".txt", false));
  EXPECT_EQ(reg.readString(""), "txtfile");
  EXPECT_NE(files->defaultUserKey()->findSubkey(u"Control Panel"), nullptr);
}

TEST_F(WineRegistryFilesTest, UntouchedFilesAreNotWritten) {
  const auto before = identityOf(dir / "system.reg");
  const auto userBefore = identityOf(dir / "user.reg");
  auto files = open();
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("Software\\Wine", false));
  reg.writeString("A", "1");  // the same data: no change
  files->flush();
  EXPECT_EQ(identityOf(dir / "system.reg"), before);
  EXPECT_EQ(identityOf(dir / "user.reg"), userBefore);
  EXPECT_EQ(system(), systemReg());
}

TEST_F(WineRegistryFilesTest, AChangedValueRewritesOnlyItsLinesAndItsKeysTimes) {
  const auto userBefore = identityOf(dir / "user.reg");
  auto files = open();
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("Software\\Wine", false));
  reg.writeString("A", "Zażółć");
  files->flush();

  const auto oldLines = linesOf(systemReg());
  const auto newLines = linesOf(system());
  ASSERT_EQ(oldLines.size(), newLines.size());
  std::vector<std::string> changed;
  for (std::size_t i = 0; i < oldLines.size(); ++i) {
    if (oldLines[i] != newLines[i]) changed.push_back(newLines[i]);
  }
  ASSERT_EQ(changed.size(), 3u);
  EXPECT_TRUE(std::regex_match(changed[0], std::regex(R"(\[Software\\\\Wine\] \d+)"))) << changed[0];
  EXPECT_TRUE(std::regex_match(changed[1], std::regex(R"(#time=[0-9a-f]+)"))) << changed[1];
  EXPECT_EQ(changed[2], "\"A\"=\"Za\\x17c\\xf3\\x142\\x107\"");
  EXPECT_GT(WineRegistryFiles::lastWriteTime(
                *files->rootKey(Root::LocalMachine)->findSubkey(u"Software")->findSubkey(u"Wine")),
            kTime);
  EXPECT_EQ(identityOf(dir / "user.reg"), userBefore);

  auto again = open();
  RegistryHandle check(*again);
  check.setRoot(Root::LocalMachine);
  ASSERT_TRUE(check.openKey("Software\\Wine", false));
  EXPECT_EQ(check.readString("A"), "Zażółć");
}

TEST_F(WineRegistryFilesTest, NewValuesGoInNameOrderAndDeletedOnesDisappear) {
  auto files = open();
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("Software\\Wine", false));
  reg.writeDword("B", -2);
  reg.writeBinary("_", std::vector<std::uint8_t>{1, 2});
  EXPECT_TRUE(reg.deleteValue("C"));
  files->flush();
  const std::string text = system();
  const std::size_t head = text.find("[Software\\\\Wine] ");
  ASSERT_NE(head, std::string::npos);
  const std::size_t body = text.find('\n', text.find("#time=", head)) + 1;
  EXPECT_EQ(text.substr(body, text.find("\n\n", body) + 1 - body),
            "\"_\"=hex:01,02\n\"A\"=\"1\"\n\"B\"=dword:fffffffe\n");
}

TEST_F(WineRegistryFilesTest, NewKeysGetSectionsWhereWineserverPutsThem) {
  auto files = open();
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("Software\\Wine\\Sub\\Deep", true));
  reg.writeString("v", "1");
  reg.createKey("\\Software\\Empty");
  files->flush();
  const std::string text = withoutTimes(system());
  // Sub only has a subkey: it is implied. Empty has nothing: it is written.
  const std::string expected = withoutTimes(
      "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n" +
      section("Software\\\\Classes\\\\.txt", "@=\"txtfile\"\n") + section("Software\\\\Empty", "") +
      section("Software\\\\Wine", "\"A\"=\"1\"\n\"C\"=dword:00000003\n") +
      section("Software\\\\Wine\\\\Drivers", "\"Audio\"=\"alsa\"\n") +
      section("Software\\\\Wine\\\\Sub\\\\Deep", "\"v\"=\"1\"\n") +
      section("System\\\\ControlSet001\\\\Control", "\"X\"=\"y\"\n") +
      section("System\\\\CurrentControlSet",
              "#link\n" + linkLine(u"\\Registry\\Machine\\System\\ControlSet001")));
  EXPECT_EQ(text, expected);
  // A new section's stamps are the time of the change, in both forms.
  const std::string raw = system();
  std::smatch m;
  ASSERT_TRUE(std::regex_search(
      raw, m, std::regex(R"(\[Software\\\\Wine\\\\Sub\\\\Deep\] (\d+)\n#time=([0-9a-f]+))")));
  const auto modif = std::stoull(m[2].str(), nullptr, 16);
  EXPECT_EQ(std::stoull(m[1].str()), (modif - winereg::kUnixEpochTicks) / winereg::kTicksPerSecond);
  EXPECT_NEAR(static_cast<double>(std::stoull(m[1].str())), static_cast<double>(::time(nullptr)), 120.0);
}

TEST_F(WineRegistryFilesTest, KeysAndValuesKeepWinesOrderUnderscoreBeforeLetters) {
  auto files = open();
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  for (const char* name :
       {"Software\\Order\\b", "Software\\Order\\_x", "Software\\Order\\A", "Software\\Order\\a1"}) {
    ASSERT_TRUE(reg.openKey(std::string("\\") + name, true));
    reg.writeString("v", "1");
  }
  files->flush();
  const std::string text = system();
  const auto pos = [&](const char* s) { return text.find(s); };
  EXPECT_LT(pos("[Software\\\\Order\\\\_x]"), pos("[Software\\\\Order\\\\A]"));
  EXPECT_LT(pos("[Software\\\\Order\\\\A]"), pos("[Software\\\\Order\\\\a1]"));
  EXPECT_LT(pos("[Software\\\\Order\\\\a1]"), pos("[Software\\\\Order\\\\b]"));
  EXPECT_LT(pos("[Software\\\\Order\\\\b]"), pos("[Software\\\\Wine]"));
  EXPECT_EQ(files->rootKey(Root::LocalMachine)
                ->findSubkey(u"software")
                ->findSubkey(u"ORDER")
                ->subkeys()
                .front()
                ->name(),
            u"_x");
}

TEST_F(WineRegistryFilesTest, AKeyLeftWithOnlySubkeysIsImpliedAndDeletedKeysGo) {
  auto files = open();
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("Software\\Wine", false));
  reg.deleteValue("A");
  reg.deleteValue("C");
  reg.closeKey();
  EXPECT_TRUE(reg.deleteKey("System\\ControlSet001"));
  files->flush();
  const std::string text = system();
  EXPECT_EQ(text.find("[Software\\\\Wine] "), std::string::npos);
  EXPECT_NE(text.find("[Software\\\\Wine\\\\Drivers] "), std::string::npos);
  EXPECT_EQ(text.find("ControlSet001\\\\Control]"), std::string::npos);
  // System keeps CurrentControlSet, so it stays implied.
  EXPECT_EQ(text.find("[System] "), std::string::npos);
  auto again = open();
  RegistryHandle check(*again);
  check.setRoot(Root::LocalMachine);
  EXPECT_TRUE(check.keyExists("Software\\Wine"));
  EXPECT_FALSE(check.keyExists("System\\ControlSet001"));
}

TEST_F(WineRegistryFilesTest, LinksAreFollowedWhenResolvingPaths) {
  auto files = open();
  RegistryHandle reg(*files);
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("System\\CurrentControlSet\\Control", false));
  EXPECT_EQ(reg.readString("X"), "y");
  reg.writeString("Z", "via link");
  files->flush();
  const std::string text = system();
  const std::size_t control = text.find("[System\\\\ControlSet001\\\\Control] ");
  ASSERT_NE(control, std::string::npos);
  EXPECT_NE(text.find("\"Z\"=\"via link\"", control), std::string::npos);
  EXPECT_EQ(text.find("[System\\\\CurrentControlSet\\\\Control]"), std::string::npos);
  // Deleting through the link's name deletes the link, not its target.
  EXPECT_TRUE(reg.deleteKey("\\System\\CurrentControlSet"));
  EXPECT_TRUE(reg.keyExists("\\System\\ControlSet001\\Control"));
}

// A chain of n links ending at a real key.
std::string linkChain(int n) {
  std::string extra;
  for (int i = 0; i < n; ++i) {
    const std::string next = i + 1 < n ? "L" + std::to_string(i + 1) : "Target";
    std::u16string target = u"\\REGISTRY\\MACHINE\\Software\\Links\\";
    for (const char c : next) target.push_back(static_cast<char16_t>(c));
    extra += section("Software\\\\Links\\\\L" + std::to_string(i), "#link\n" + linkLine(target));
  }
  return extra + section("Software\\\\Links\\\\Target", "\"t\"=\"1\"\n");
}

TEST_F(WineRegistryFilesTest, LinksResolveUpToSixteenLevels) {
  struct Case {
    std::string extra;
    std::string path;
    bool resolves;
  };
  const std::vector<Case> cases = {
      {linkChain(16), "Software\\Links\\L0", true},
      {linkChain(17), "Software\\Links\\L0", false},
      {section("Software\\\\Links\\\\Loop",
               "#link\n" + linkLine(u"\\Registry\\Machine\\Software\\Links\\Loop")),
       "Software\\Links\\Loop", false},
      {section("Software\\\\Links\\\\Gone", "#link\n" + linkLine(u"\\Registry\\Machine\\Software\\Nowhere")),
       "Software\\Links\\Gone", false},
      {section("Software\\\\Links\\\\Relative", "#link\n" + linkLine(u"Software\\Wine")),
       "Software\\Links\\Relative", false},
      {section("Software\\\\Links\\\\ToUser",
               "#link\n" + linkLine(u"\\Registry\\User\\S-1-5-21-0-0-0-1000\\Control Panel")),
       "Software\\Links\\ToUser\\Desktop", true},
  };
  for (const Case& c : cases) {
    // Keep the file in Wine's order: Software\Links comes before Software\Wine.
    std::string text = systemReg();
    text.insert(text.find("\n[Software\\\\Wine]"), c.extra);
    writeFile(dir / "system.reg", text);
    auto files = open();
    RegistryHandle reg(*files);
    reg.setRoot(Root::LocalMachine);
    EXPECT_EQ(reg.openKey(c.path, false), c.resolves) << c.path << " in\n" << c.extra;
  }
}

TEST_F(WineRegistryFilesTest, ClassesRootWritesGoToSystemReg) {
  auto files = open();
  RegistryHandle reg(*files);
  reg.setRoot(Root::ClassesRoot);
  ASSERT_TRUE(reg.openKey("kelvarofile\\shell\\open\\command", true));
  reg.writeString("", "notepad.exe %1");
  files->flush();
  EXPECT_NE(system().find("[Software\\\\Classes\\\\kelvarofile\\\\shell\\\\open\\\\command] "),
            std::string::npos);
  EXPECT_EQ(readFile(dir / "user.reg"), userReg());
}

struct TimeCase {
  const char* what;
  std::string body;
  std::u16string key;
  std::uint64_t expected;  // 0: the time of loading
};

constexpr std::uint64_t seconds(std::uint64_t s) {
  return s * winereg::kTicksPerSecond + winereg::kUnixEpochTicks;
}

TEST(WineRegistryTimeTest, TimeStampsAreTakenAsWineserverTakesThem) {
  const std::vector<TimeCase> cases = {
      {"#time wins over the seconds", "[A] 100\n#time=1d9a1b2c3d4e5f6\n", u"A", kTime},
      {"seconds without #time", "[A] 100\n", u"A", seconds(100)},
      {"neither: the load time", "[A]\n", u"A", 0},
      {"the first section of a key wins",
       "[A] 100\n#time=1d9a1b2c3d4e5f6\n\n[A] 200\n#time=1d9a1b2c3d4e5f7\n", u"A", kTime},
      {"an implied parent takes its first subkey's time", "[A\\\\B] 100\n#time=1d9a1b2c3d4e5f6\n", u"A",
       kTime},
      {"a parent dated by its subkey keeps that", "[A\\\\B] 100\n\n[A] 200\n#time=1d9a1b2c3d4e5f6\n", u"A",
       seconds(100)},
      {"#time=0 leaves the seconds", "[A] 100\n#time=0\n", u"A", seconds(100)},
  };
  constexpr std::uint64_t kNow = 0x1dd000000000000ULL;
  for (const TimeCase& c : cases) {
    winereg::RegistryFile file(u"root", "X");
    winereg::Arch arch = winereg::Arch::Unknown;
    file.load("WINE REGISTRY Version 2\n" + c.body, arch, kNow);
    const auto key = file.root()->findSubkey(c.key);
    ASSERT_NE(key, nullptr) << c.what;
    EXPECT_EQ(WineRegistryFiles::lastWriteTime(*key), c.expected ? c.expected : kNow) << c.what;
  }
}

// Files wineserver reads come back byte for byte, however they are spelled.
TEST(WineRegistryRoundTripTest, UnchangedTextIsRenderedByteForByte) {
  const std::vector<std::string> texts = {
      systemReg(),
      "WINE REGISTRY Version 2\r\n;; comment\r\n\r\n[A] 1\r\n\"x\"=\"y\"\r\n",
      "WINE REGISTRY Version 2\n\n[A] 1\n\"x\"=\"no line end\"",
      "WINE REGISTRY Version 2\n#unknown global option\n[A]\n#unknown key "
      "option\n;c\n\"x\"=hex:01,\\\n\n\n\n",
      "WINE REGISTRY Version 2\n\n[B]\n\"b\"=\"1\"\n\n[A]\n\"a\"=\"1\"\n\n[B]\n\"b\"=\"2\"\n",
      "WINE REGISTRY Version 2\n\n[] 5\n\"root\"=\"value\"\n\n[Zażółć\\\\x] 1\n\"raw\"=\"ąę\"\n",
      "WINE REGISTRY Version 2\n\n   [A]   7\n  @ = str:\"x\"  \n\t\"y\"=dword:   1 trailing\n",
      "WINE REGISTRY Version 2\n",
  };
  for (const std::string& text : texts) {
    winereg::RegistryFile file(u"root", "X");
    winereg::Arch arch = winereg::Arch::Unknown;
    file.load(text, arch, 1);
    EXPECT_EQ(file.render(2).text, text);
  }
}

TEST_F(WineRegistryFilesTest, DuplicateSectionsMergeAsWineserverMergesThem) {
  writeFile(dir / "user.reg",
            userReg("\n[A] 1\n\"x\"=\"1\"\n\"y\"=\"1\"\n\n[B] 1\n\"b\"=\"1\"\n\n[a] 1\n\"X\"=\"2\"\n"));
  auto files = open();
  RegistryHandle reg(*files);
  ASSERT_TRUE(reg.openKey("A", false));
  EXPECT_EQ(reg.readString("x"), "2");
  EXPECT_EQ(reg.readString("y"), "1");
  EXPECT_EQ(reg.valueNames(), (std::vector<std::string>{"x", "y"}));
  files->flush();
  EXPECT_EQ(readFile(dir / "user.reg"),
            userReg("\n[A] 1\n\"x\"=\"1\"\n\"y\"=\"1\"\n\n[B] 1\n\"b\"=\"1\"\n\n[a] 1\n\"X\"=\"2\"\n"));

  reg.writeString("z", "3");
  files->flush();
  EXPECT_EQ(withoutTimes(readFile(dir / "user.reg")),
            withoutTimes(userReg("\n[A] 1\n\"x\"=\"2\"\n\"y\"=\"1\"\n\"z\"=\"3\"\n\n[B] 1\n\"b\"=\"1\"\n")));
}

struct InvalidCase {
  const char* file;
  std::string text;
  int line;
  const char* reason;
};

TEST_F(WineRegistryFilesTest, InvalidFilesAreReportedAndLeftAlone) {
  const std::string head = "WINE REGISTRY Version 2\n";
  const std::vector<InvalidCase> cases = {
      {"system.reg", "", 1, "nagłówka"},
      {"system.reg", "WINE REGISTRY Version 1\n[A]\n", 1, "nagłówka"},
      {"system.reg", "\xef\xbb\xbfWINE REGISTRY Version 2\n", 1, "nagłówka"},
      {"system.reg", head + "#arch=win16\n", 2, "nieznana architektura"},
      {"system.reg", head + "#arch=win64 \n", 2, "nieznana architektura"},
      {"user.reg", head + "\n#arch=win32\n", 3, "architektura inna"},
      {"system.reg", head + "\"a\"=\"b\"\n", 2, "przed pierwszym kluczem"},
      {"system.reg", head + "[A]\nfoo\n", 3, "nierozpoznany"},
      {"system.reg", head + "[A]\n\"a\"=str(1):\"b\"\n", 3, "błędna wartość"},
      {"userdef.reg", head + "[A]\n\"a\"=hex:01,\\\n[B]\n", 3, "błędna wartość"},
      {"system.reg", head + "[A\n", 2, "klucza"},
      {"system.reg", head + "[" + std::string(257, 'k') + "]\n", 2, "za długa nazwa klucza"},
      {"system.reg", head + "[A]\n\"a\"=\"b" + std::string(1, '\0') + "\"\n", 3, "bajt zerowy"},
  };
  for (const InvalidCase& c : cases) {
    SetUp();
    writeFile(dir / c.file, c.text);
    const auto before = identityOf(dir / c.file);
    std::string error;
    try {
      open();
    } catch (const StoreError& e) {
      error = e.what();
    }
    EXPECT_NE(error.find((dir / c.file).string()), std::string::npos) << error;
    EXPECT_NE(error.find("wiersz " + std::to_string(c.line) + ":"), std::string::npos) << error;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    EXPECT_EQ(identityOf(dir / c.file), before);
    EXPECT_EQ(readFile(dir / c.file), c.text);
  }
}

TEST(WineRegistryArchTest, ASystemRegWithoutArchIsA32BitPrefix) {
  TempDir dir;
  writeFile(dir / "system.reg", "WINE REGISTRY Version 2\n\n[A]\n");
  writeFile(dir / "user.reg", "WINE REGISTRY Version 2\n\n#arch=win64\n");
  EXPECT_THROW(WineRegistryFiles::open(dir.path()), StoreError);
  writeFile(dir / "user.reg", "WINE REGISTRY Version 2\n\n#arch=win32\n");
  EXPECT_NO_THROW(WineRegistryFiles::open(dir.path()));
}

TEST(WineRegistryMissingTest, MissingFilesAreCreatedWhenWrittenTo) {
  TempDir dir;
  auto files = WineRegistryFiles::open(dir.path());
  files->flush();
  EXPECT_FALSE(std::filesystem::exists(dir / "user.reg"));
  RegistryHandle reg(*files);
  ASSERT_TRUE(reg.openKey("Software\\Kelvaro", true));
  reg.writeString("a", "b");
  files->flush();
  EXPECT_FALSE(std::filesystem::exists(dir / "system.reg"));
  EXPECT_EQ(withoutTimes(readFile(dir / "user.reg")),
            "WINE REGISTRY Version 2\n;; All keys relative to "
            "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n"
            "\n[Software\\\\Kelvaro]\n\"a\"=\"b\"\n");
  EXPECT_THROW(WineRegistryFiles::open(dir / "missing"), StoreError);
}

// A system.reg big enough to be written in several pieces.
std::string bigSystemReg() {
  std::string extra;
  for (int i = 0; i < 3000; ++i) {
    extra += section(
        "Software\\\\Wine\\\\Drivers\\\\K" + std::to_string(100000 + i),
        "\"Name\"=\"wartość " + std::to_string(i) + "\"\n\"Data\"=hex:00,01,02,03,04,05,06,07,08,09\n");
  }
  std::string text = systemReg();
  text.insert(text.find("\n[System\\\\ControlSet001"), extra);
  return text;
}

void changeSomething(WineRegistryFiles& files) {
  RegistryHandle reg(files);
  reg.setRoot(Root::LocalMachine);
  reg.openKey("Software\\Wine\\Drivers\\K101500", false);
  reg.writeString("Name", "zmieniona");
  reg.openKey("\\Software\\Nowy\\Klucz", true);
  reg.writeDword("n", 7);
}

TEST_F(WineRegistryFilesTest, KillingTheSaveAtAnyPointLeavesTheOldOrTheNewFile) {
  const std::string old = bigSystemReg();
  std::string fresh;
  {
    TempDir other;
    writeFile(other / "system.reg", old);
    auto files = WineRegistryFiles::open(other.path());
    changeSomething(*files);
    files->flush();
    fresh = withoutTimes(readFile(other / "system.reg"));
  }
  ASSERT_NE(fresh, withoutTimes(old));

  int killPoints = 0;
  int sawOld = 0, sawNew = 0;
  for (int killAt = 1;; ++killAt) {
    writeFile(dir / "system.reg", old);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      auto files = WineRegistryFiles::open(dir.path());
      changeSomething(*files);
      int calls = 0;
      files->setSaveHook([&](WineRegistryFiles::SaveStep) {
        if (++calls == killAt) ::raise(SIGKILL);
        return true;
      });
      files->flush();
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    const std::string now = readFile(dir / "system.reg");
    if (now == old) {
      ++sawOld;
    } else {
      EXPECT_EQ(withoutTimes(now), fresh) << "torn file after kill point " << killAt;
      ++sawNew;
    }
    if (WIFEXITED(status)) break;  // the save ran to its end without meeting the kill
    ASSERT_TRUE(WIFSIGNALED(status));
    ++killPoints;
    // The next start removes what the killed save left behind and works.
    auto files = WineRegistryFiles::open(dir.path());
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      EXPECT_EQ(entry.path().filename().string().find(".kelvaro-"), std::string::npos) << entry.path();
    }
  }
  RecordProperty("kill_points", killPoints);
  std::printf("kill points tried: %d (old file after %d, new file after %d)\n", killPoints, sawOld,
              sawNew - 1);
  EXPECT_GE(killPoints, 8);
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 1);
}

TEST_F(WineRegistryFilesTest, AFailedSaveKeepsTheFileAndTheChangesPending) {
  const std::string old = bigSystemReg();
  for (int failAt = 1;; ++failAt) {
    writeFile(dir / "system.reg", old);
    auto files = open();
    changeSomething(*files);
    int calls = 0;
    bool failed = false;
    files->setSaveHook([&](WineRegistryFiles::SaveStep) {
      failed = ++calls == failAt;
      return !failed;
    });
    std::string error;
    try {
      files->flush();
    } catch (const StoreError& e) {
      error = e.what();
    }
    if (!failed) break;
    EXPECT_NE(error.find("Nie można zapisać pliku rejestru"), std::string::npos) << failAt;
    const std::string now = readFile(dir / "system.reg");
    EXPECT_TRUE(now == old || now.find("zmieniona") != std::string::npos) << failAt;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      EXPECT_EQ(entry.path().filename().string().find(".kelvaro-"), std::string::npos) << entry.path();
    }
    files->setSaveHook(nullptr);
    files->flush();
    EXPECT_NE(readFile(dir / "system.reg").find("zmieniona"), std::string::npos) << failAt;
  }
}

TEST_F(WineRegistryFilesTest, OnlyTemporariesOfFinishedProcessesAreRemoved) {
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const auto stale = dir / (".user.reg.kelvaro-" + std::to_string(gone) + "-0.tmp");
  const auto live = dir / (".user.reg.kelvaro-" + std::to_string(::getpid()) + "-0.tmp");
  const auto other = dir / ".user.reg.other.tmp";
  for (const auto& p : {stale, live, other}) writeFile(p, "x");
  open();
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(live));
  EXPECT_TRUE(std::filesystem::exists(other));
}

TEST_F(WineRegistryFilesTest, ASymlinkedFileStaysALink) {
  writeFile(dir / "real-user.reg", userReg());
  std::filesystem::remove(dir / "user.reg");
  std::filesystem::create_symlink("real-user.reg", dir / "user.reg");
  auto files = open();
  RegistryHandle reg(*files);
  ASSERT_TRUE(reg.openKey("Control Panel\\Desktop", false));
  reg.writeString("Wallpaper", "a.bmp");
  files->flush();
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "user.reg"));
  EXPECT_NE(readFile(dir / "real-user.reg").find("a.bmp"), std::string::npos);
}

// Holds an fcntl write lock on a file in a child process, as wineserver does.
class LockHolder {
 public:
  explicit LockHolder(const std::filesystem::path& file) {
    int ready[2];
    if (::pipe(ready) != 0 || ::pipe(release_) != 0) throw std::runtime_error("pipe");
    pid_ = ::fork();
    if (pid_ == 0) {
      const int fd = ::open(file.c_str(), O_CREAT | O_WRONLY, 0600);
      struct flock fl {};
      fl.l_type = F_WRLCK;
      fl.l_whence = SEEK_SET;
      const char ok = (fd >= 0 && ::fcntl(fd, F_SETLK, &fl) == 0) ? 1 : 0;
      (void)!::write(ready[1], &ok, 1);
      char c;
      (void)!::read(release_[0], &c, 1);
      ::_exit(0);
    }
    char ok = 0;
    (void)!::read(ready[0], &ok, 1);
    ::close(ready[0]);
    ::close(ready[1]);
    if (!ok) throw std::runtime_error("lock");
  }
  ~LockHolder() { release(); }
  void release() {
    if (pid_ <= 0) return;
    (void)!::write(release_[1], "x", 1);
    ::waitpid(pid_, nullptr, 0);
    ::close(release_[0]);
    ::close(release_[1]);
    pid_ = 0;
  }

 private:
  pid_t pid_ = 0;
  int release_[2] = {-1, -1};
};

std::string serverName(const std::filesystem::path& prefix) {
  struct stat st {};
  ::stat(prefix.c_str(), &st);
  char name[64];
  std::snprintf(name, sizeof name, "server-%llx-%llx", static_cast<unsigned long long>(st.st_dev),
                static_cast<unsigned long long>(st.st_ino));
  return name;
}

TEST_F(WineRegistryFilesTest, ARunningWineserverIsDetectedAndWritesAreRefused) {
  TempDir tmp;
  const testing::ScopedEnvironmentVariable tmpdir("TMPDIR", tmp.path().string());
  writeFile(dir / "wineserver", "wine-AbC123");
  const auto serverDir = tmp / "wine-AbC123" / serverName(dir.path());
  std::filesystem::create_directories(serverDir);
  writeFile(serverDir / "lock", "");

  const auto candidates = wineserverLockCandidates(dir.path());
  EXPECT_NE(std::find(candidates.begin(), candidates.end(),
                      std::filesystem::path("/tmp/.wine-" + std::to_string(::getuid())) /
                          serverName(dir.path()) / "lock"),
            candidates.end());
  EXPECT_NE(std::find(candidates.begin(), candidates.end(), serverDir / "lock"), candidates.end());

  auto files = open();
  EXPECT_FALSE(files->wineserverRunning()) << "a lock file nobody holds is left from an old server";
  {
    LockHolder server(serverDir / "lock");
    EXPECT_TRUE(files->wineserverRunning());
    RegistryHandle reg(*files);
    ASSERT_TRUE(reg.openKey("Control Panel\\Desktop", false));
    std::string error;
    try {
      reg.writeString("Wallpaper", "x.bmp");
    } catch (const StoreError& e) {
      error = e.what();
    }
    EXPECT_NE(error.find("Zamknij programy Wine"), std::string::npos) << error;
    EXPECT_NE(error.find("wineserver -k"), std::string::npos) << error;
    EXPECT_NE(error.find("spróbuj ponownie"), std::string::npos) << error;
    EXPECT_EQ(reg.readString("Wallpaper"), "");
    files->flush();  // nothing to write: no error
  }
  EXPECT_FALSE(files->wineserverRunning());
  RegistryHandle reg(*files);
  ASSERT_TRUE(reg.openKey("Control Panel\\Desktop", false));
  reg.writeString("Wallpaper", "x.bmp");
  {
    // One that starts between the change and the flush stops the flush.
    LockHolder server(serverDir / "lock");
    EXPECT_THROW(files->flush(), StoreError);
  }
  files->flush();
  EXPECT_NE(readFile(dir / "user.reg").find("x.bmp"), std::string::npos);
}

TEST_F(WineRegistryFilesTest, WhatWineWroteMeanwhileIsKept) {
  auto files = open();
  // Wine rewrote user.reg while nothing was pending here: it is read again.
  writeFile(dir / "user.reg",
            userReg(section("Control Panel\\\\Desktop", "\"Wallpaper\"=\"wine.bmp\"\n\"FromWine\"=\"1\"\n") +
                    section("Software\\\\Doomed", "\"d\"=\"1\"\n")));
  files->flush();
  RegistryHandle reg(*files);
  ASSERT_TRUE(reg.openKey("Control Panel\\Desktop", false));
  EXPECT_EQ(reg.readString("FromWine"), "1");

  // Changes here and there meanwhile: both are kept, ours on what we changed.
  reg.writeString("Wallpaper", "ours.bmp");
  reg.writeString("Ours", "1");
  reg.closeKey();
  reg.createKey("Software\\OursToo");
  writeFile(dir / "user.reg",
            userReg(section("Control Panel\\\\Desktop", "\"FromWine\"=\"2\"\n\"Wallpaper\"=\"wine2.bmp\"\n") +
                    section("Software\\\\WineToo", "\"w\"=\"1\"\n")));
  files->flush();
  auto again = open();
  RegistryHandle check(*again);
  ASSERT_TRUE(check.openKey("Control Panel\\Desktop", false));
  EXPECT_EQ(check.readString("Wallpaper"), "ours.bmp");
  EXPECT_EQ(check.readString("Ours"), "1");
  EXPECT_EQ(check.readString("FromWine"), "2");
  EXPECT_TRUE(check.keyExists("\\Software\\WineToo"));
  EXPECT_TRUE(check.keyExists("\\Software\\OursToo"));
  EXPECT_FALSE(check.keyExists("\\Software\\Doomed")) << "Wine deleted it, and it was not changed here";
}

}  // namespace
}  // namespace kelvaro
