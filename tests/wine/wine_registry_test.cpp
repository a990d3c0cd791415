// The Wine registry backend against a real prefix made by `wineboot -i`,
// checked with Wine's own `reg`.

#include <stdlib.h>

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "store/registry_handle.h"
#include "store/store_error.h"
#include "store/text_codec.h"
#include "store/wine_registry_file.h"
#include "store/wine_registry_files.h"
#include "store/wine_registry_format.h"
#include "temp_prefix.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;
using testing::identityOf;
using testing::readFile;

constexpr const char* kRegFiles[] = {"system.reg", "user.reg", "userdef.reg"};

std::string quoted(const std::string& s) {
  std::string out = "'";
  for (const char c : s) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out.push_back(c);
    }
  }
  return out + "'";
}

// A prefix of one test's own: copies of the registry files, with drive_c
// shared with the prefix the fixture made.
class PrefixCopy {
 public:
  PrefixCopy() {
    const char* base = std::getenv("KELVARO_WINE_PREFIX");
    if (base == nullptr) throw std::runtime_error("KELVARO_WINE_PREFIX is not set");
    base_ = base;
    const fs::path copies = base_.parent_path() / "copies";
    fs::create_directories(copies);
    std::string pattern = (copies / "prefix-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp");
    dir_ = pattern;
    for (const char* name : {"system.reg", "user.reg", "userdef.reg", ".update-timestamp"}) {
      fs::copy_file(base_ / name, dir_ / name);
    }
    fs::create_directory_symlink(base_ / "drive_c", dir_ / "drive_c");
    fs::create_directories(dir_ / "dosdevices");
    fs::create_directory_symlink("../drive_c", dir_ / "dosdevices" / "c:");
    fs::create_directory_symlink("/", dir_ / "dosdevices" / "z:");
  }
  ~PrefixCopy() {
    stopServer();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  const fs::path& dir() const { return dir_; }
  const fs::path& base() const { return base_; }

  // Runs a Wine command line in the prefix; returns what it printed.
  std::string run(const std::string& program, const std::string& args, const std::string& env = "") const {
    const fs::path out = dir_ / "output.txt";
    const std::string command = "env WINEPREFIX=" + quoted(dir_.string()) + " WINEDEBUG=-all " + env + " " +
                                program + " " + args + " >" + quoted(out.string()) +
                                " 2>/dev/null </dev/null";
    lastStatus_ = std::system(command.c_str());
    std::string text = readFile(out);
    fs::remove(out);
    return text;
  }
  int lastStatus() const { return lastStatus_; }
  // `reg query KEY /s`, in Polish so that Polish letters come out (code page 852).
  std::string query(const std::string& key) const {
    return decodeCodePage(run(KELVARO_WINE, "reg query " + quoted(key) + " /s", "LC_ALL=pl_PL.UTF-8"),
                          "CP852");
  }
  void stopServer() const {
    run(KELVARO_WINESERVER, "-k");
    run(KELVARO_WINESERVER, "-w");
  }

 private:
  fs::path base_;
  fs::path dir_;
  mutable int lastStatus_ = 0;
};

// `reg query /s` output: key path -> value name -> "TYPE data".
std::map<std::string, std::map<std::string, std::string>> parseQuery(const std::string& text) {
  std::map<std::string, std::map<std::string, std::string>> out;
  std::string key;
  for (std::string line : testing::linesOf(text)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    if (line.rfind("    ", 0) != 0) {
      key = line;
      out[key];
      continue;
    }
    const std::size_t typeAt = line.find("    ", 4);
    if (typeAt == std::string::npos) continue;
    const std::string name = line.substr(4, typeAt - 4);
    const std::size_t dataAt = line.find("    ", typeAt + 4);
    const std::string type =
        line.substr(typeAt + 4, dataAt == std::string::npos ? std::string::npos : dataAt - typeAt - 4);
    const std::string data = dataAt == std::string::npos ? "" : line.substr(dataAt + 4);
    out[key][name] = type + " " + data;
  }
  return out;
}

// The values of a parsed file and their lines, and the "[key]" lines with
// their #time lines, as wineserver wrote them.
struct Formatted {
  int values = 0;
  int headers = 0;
  std::vector<std::string> mismatches;
};

Formatted reformatEverything(const std::string& text) {
  Formatted f;
  winereg::LineReader reader(text);
  winereg::Line line;
  winereg::ParsedValue v;
  std::u16string units;
  std::string pendingHeader;
  std::vector<std::u16string> path;
  while (reader.next(line)) {
    const std::string_view t = winereg::trimLeft(line.text);
    if (t.empty()) continue;
    if (t[0] == '"' || t[0] == '@') {
      const std::size_t begin = line.begin;
      winereg::parseValue(t, reader, v);
      std::string out;
      winereg::appendValue(out, v.name, v.type, v.data);
      ++f.values;
      if (out != text.substr(begin, reader.position() - begin)) f.mismatches.push_back(out);
    } else if (t[0] == '[') {
      pendingHeader = std::string(line.text) + "\n";
      const std::ptrdiff_t used = winereg::parseEscaped(t.substr(1), ']', units);
      path.clear();
      std::size_t pos = 0;
      while (used >= 0 && pos <= units.size()) {
        std::size_t end = units.find(u'\\', pos);
        if (end == std::u16string::npos) end = units.size();
        path.emplace_back(units, pos, end - pos);
        pos = end + 1;
      }
    } else if (t.rfind("#time=", 0) == 0 && !pendingHeader.empty()) {
      std::vector<std::u16string_view> views(path.begin(), path.end());
      std::string out;
      winereg::appendKeyHeader(out, views, winereg::parseTimeOption(t.substr(6)));
      ++f.headers;
      if (out != pendingHeader + std::string(line.text) + "\n") f.mismatches.push_back(out);
      pendingHeader.clear();
    }
  }
  return f;
}

TEST(WinePrefixTest, TheThreeFilesComeBackByteForByte) {
  PrefixCopy prefix;
  std::map<std::string, testing::FileIdentity> before;
  for (const char* name : kRegFiles) before[name] = identityOf(prefix.dir() / name);
  {
    auto files = WineRegistryFiles::open(prefix.dir());
    RegistryHandle reg(*files);
    reg.setRoot(Root::LocalMachine);
    ASSERT_TRUE(reg.openKey("Software\\Microsoft\\Windows NT\\CurrentVersion", false));
    EXPECT_FALSE(reg.readString("CurrentVersion").empty());
    reg.setRoot(Root::ClassesRoot);
    EXPECT_TRUE(reg.keyExists(".txt"));
    files->flush();
  }
  for (const char* name : kRegFiles) {
    SCOPED_TRACE(name);
    EXPECT_EQ(identityOf(prefix.dir() / name), before[name]) << "rewritten";
    const std::string text = readFile(prefix.dir() / name);
    EXPECT_EQ(text, readFile(prefix.base() / name));
    winereg::RegistryFile file(u"root", "X");
    winereg::Arch arch = winereg::Arch::Unknown;
    file.load(text, arch, 1);
    EXPECT_EQ(arch, winereg::Arch::Win64);
    EXPECT_TRUE(file.render(2).text == text) << "not rendered byte for byte";
    // Every value and key header, written afresh from what was read, is what Wine wrote.
    const Formatted f = reformatEverything(text);
    EXPECT_GT(f.values, 40);
    EXPECT_GT(f.headers, 1);
    EXPECT_TRUE(f.mismatches.empty()) << f.mismatches.size() << " differ, first:\n" << f.mismatches.front();
  }
}

TEST(WinePrefixTest, WhatWeWriteIsWhatRegQueryPrints) {
  PrefixCopy prefix;
  std::vector<std::uint8_t> binary(100);
  std::string binaryText;
  for (std::size_t i = 0; i < binary.size(); ++i) {
    binary[i] = static_cast<std::uint8_t>(i * 37 + 5);
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02X", binary[i]);
    binaryText += hex;
  }
  {
    auto files = WineRegistryFiles::open(prefix.dir());
    RegistryHandle reg(*files);
    ASSERT_TRUE(reg.openKey("Software\\Kelvaro\\Próba\\Zagnieżdżony\\Głęboki", true));
    reg.writeString("Tekst", "Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ ąbc ó1");
    reg.writeString("", "domyślna");
    reg.writeExpandString("Ścieżka", "%SystemRoot%\\ąę");
    reg.writeDword("Liczba", 0x12345678);
    reg.writeDword("Minus", -1);
    reg.writeBinary("Dane", binary);
    reg.writeString("Znaki", "a \"b\" [c] \\d\\");
    reg.setRoot(Root::ClassesRoot);
    ASSERT_TRUE(reg.openKey(".kelvaro", true));
    reg.writeString("", "Kelvaro.Plik");
    ASSERT_TRUE(reg.openKey("\\Kelvaro.Plik\\shell\\open\\command", true));
    reg.writeString("", "notepad.exe \"%1\"");
    reg.setRoot(Root::LocalMachine);
    ASSERT_TRUE(reg.openKey("Software\\Kelvaro", true));
    reg.writeDword("Maszyna", 7);
    files->flush();
  }
  auto user = parseQuery(prefix.query("HKCU\\Software\\Kelvaro"));
  ASSERT_EQ(prefix.lastStatus(), 0);
  EXPECT_TRUE(user.count("HKEY_CURRENT_USER\\Software\\Kelvaro\\Próba\\Zagnieżdżony"));
  const auto& deep = user["HKEY_CURRENT_USER\\Software\\Kelvaro\\Próba\\Zagnieżdżony\\Głęboki"];
  const std::map<std::string, std::string> expected = {
      {"(Domyślna)", "REG_SZ domyślna"},
      {"Tekst", "REG_SZ Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ ąbc ó1"},
      {"Ścieżka", "REG_EXPAND_SZ %SystemRoot%\\ąę"},
      {"Liczba", "REG_DWORD 0x12345678"},
      {"Minus", "REG_DWORD 0xffffffff"},
      {"Dane", "REG_BINARY " + binaryText},
      {"Znaki", "REG_SZ a \"b\" [c] \\d\\"},
  };
  EXPECT_EQ(deep, expected);

  auto classes = parseQuery(prefix.query("HKCR\\.kelvaro"));
  EXPECT_EQ(classes["HKEY_CLASSES_ROOT\\.kelvaro"]["(Domyślna)"], "REG_SZ Kelvaro.Plik");
  classes = parseQuery(prefix.query("HKLM\\Software\\Classes\\Kelvaro.Plik"));
  EXPECT_EQ(
      classes["HKEY_LOCAL_MACHINE\\Software\\Classes\\Kelvaro.Plik\\shell\\open\\command"]["(Domyślna)"],
      "REG_SZ notepad.exe \"%1\"");
  auto machine = parseQuery(prefix.query("HKLM\\Software\\Kelvaro"));
  EXPECT_EQ(machine["HKEY_LOCAL_MACHINE\\Software\\Kelvaro"]["Maszyna"], "REG_DWORD 0x7");
}

TEST(WinePrefixTest, WhatRegAddWroteReadsBackExactly) {
  PrefixCopy prefix;
  const std::string key = "HKCU\\Software\\KelvaroZWine\\Zażółć";
  const auto add = [&](const std::string& args) {
    prefix.run(KELVARO_WINE, "reg add " + quoted(key) + " " + args + " /f", "LC_ALL=C.UTF-8");
    ASSERT_EQ(prefix.lastStatus(), 0) << args;
  };
  add("/v " + quoted("Ścieżka") + " /t REG_SZ /d " + quoted("Zażółć gęślą jaźń ŻÓŁW"));
  add("/ve /d " + quoted("ćma"));
  add("/v Liczba /t REG_DWORD /d 305419896");
  add("/v Dane /t REG_BINARY /d 00ff10a5");
  add("/v Rozwin /t REG_EXPAND_SZ /d " + quoted("%TEMP%\\ą"));
  add("/v Lista /t REG_MULTI_SZ /d " + quoted("pierwszy\\0drugi ż"));
  prefix.stopServer();

  auto files = WineRegistryFiles::open(prefix.dir());
  RegistryHandle reg(*files);
  ASSERT_TRUE(reg.openKey("Software\\KelvaroZWine\\Zażółć", false));
  EXPECT_EQ(reg.readString("Ścieżka"), "Zażółć gęślą jaźń ŻÓŁW");
  EXPECT_EQ(reg.readString(""), "ćma");
  EXPECT_EQ(reg.readDword("Liczba"), 305419896);
  std::array<std::uint8_t, 8> buffer{};
  ASSERT_EQ(reg.readBinary("Dane", buffer), 4u);
  EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 4),
            (std::vector<std::uint8_t>{0, 0xff, 0x10, 0xa5}));
  EXPECT_EQ(reg.valueKind("Rozwin"), ValueKind::ExpandString);
  EXPECT_EQ(reg.readString("Rozwin"), "%TEMP%\\ą");
  const RegistryValue* list = reg.rawValue("Lista");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->type, kRegMultiSz);
  EXPECT_EQ(winereg::unitsOf(list->data), std::u16string(u"pierwszy\0drugi ż\0\0", 18));
  // And what Wine wrote still comes back byte for byte.
  const std::string text = readFile(prefix.dir() / "user.reg");
  winereg::RegistryFile file(u"root", "X");
  winereg::Arch arch = winereg::Arch::Unknown;
  file.load(text, arch, 1);
  EXPECT_TRUE(file.render(2).text == text);
}

TEST(WinePrefixTest, ARunningWineserverIsDetectedAndWritingRefused) {
  PrefixCopy prefix;
  auto files = WineRegistryFiles::open(prefix.dir());
  EXPECT_FALSE(files->wineserverRunning());
  prefix.run(KELVARO_WINESERVER, "-p");  // stays until killed
  ASSERT_EQ(prefix.lastStatus(), 0);
  EXPECT_TRUE(files->wineserverRunning());
  RegistryHandle reg(*files);
  std::string error;
  try {
    reg.openKey("Software\\Kelvaro", true);
  } catch (const StoreError& e) {
    error = e.what();
  }
  EXPECT_NE(error.find("wineserver -k"), std::string::npos) << error;
  EXPECT_FALSE(reg.keyExists("Software\\Kelvaro"));
  const auto before = identityOf(prefix.dir() / "user.reg");
  files->flush();
  EXPECT_EQ(identityOf(prefix.dir() / "user.reg"), before);

  prefix.stopServer();
  EXPECT_FALSE(files->wineserverRunning());
  ASSERT_TRUE(reg.openKey("Software\\Kelvaro", true));
  reg.writeString("Po", "zatrzymaniu");
  files->flush();
  auto user = parseQuery(prefix.query("HKCU\\Software\\Kelvaro"));
  EXPECT_EQ(user["HKEY_CURRENT_USER\\Software\\Kelvaro"]["Po"], "REG_SZ zatrzymaniu");
}

}  // namespace
}  // namespace kelvaro
