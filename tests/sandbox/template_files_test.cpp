// The files the generator draws for the sandbox and beside the program, checked
// with independent tools (wrestool, icotool, ImageMagick's identify) and
// against what the sandbox registry names.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "platform/formats/ani_reader.h"
#include "platform/formats/file_bytes.h"
#include "platform/formats/icon_extractor.h"
#include "platform/formats/metafile_renderer.h"
#include "store/registry_handle.h"
#include "store/text_codec.h"
#include "store/wine_registry_files.h"
#include "tools/sandbox/registry_text.h"

namespace kelvaro::sandbox {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(KELVARO_DATA_DIR);
const fs::path kDrive = kData / "sandbox" / "drive_c";

std::string run(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  pclose(pipe);
  return out;
}

std::string shellQuote(const fs::path& p) {
  std::string s = p.string(), q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// A DOS path on drive C as a file of the template, each name found without
// regard to case the way Wine finds it. Empty when a part is missing.
fs::path onDrive(const std::string& dosPath) {
  if (dosPath.size() < 3 || upper(dosPath.substr(0, 3)) != "C:\\") return {};
  fs::path here = kDrive;
  std::string rest = dosPath.substr(3);
  std::size_t start = 0;
  while (start <= rest.size()) {
    std::size_t end = rest.find('\\', start);
    if (end == std::string::npos) end = rest.size();
    const std::string part = rest.substr(start, end - start);
    start = end + 1;
    if (part.empty()) {
      if (end == rest.size()) break;
      continue;
    }
    bool found = false;
    if (fs::is_directory(here))
      for (const auto& entry : fs::directory_iterator(here))
        if (upper(entry.path().filename().string()) == upper(part)) {
          here = entry.path();
          found = true;
          break;
        }
    if (!found) return {};
    if (end == rest.size()) break;
  }
  return here;
}

// Icon groups of a PE file in file order, as wrestool lists them.
std::vector<int> iconGroupIds(const fs::path& file) {
  const std::string listing = run("wrestool -l --type=14 " + shellQuote(file) + " 2>/dev/null");
  std::vector<int> ids;
  const std::regex name("--name=(\\d+)");
  for (auto it = std::sregex_iterator(listing.begin(), listing.end(), name); it != std::sregex_iterator();
       ++it)
    ids.push_back(std::stoi((*it)[1]));
  return ids;
}

class TemplateFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    registry_ = new MemoryRegistry;
    loadRegistryFolder(*registry_, KELVARO_SANDBOX_REGISTRY_DIR);
  }
  static void TearDownTestSuite() {
    delete registry_;
    registry_ = nullptr;
  }
  static std::string value(Root root, const std::string& key, const std::string& name) {
    RegistryHandle h(*registry_);
    h.setRoot(root);
    if (!h.openKey(key, false)) return {};
    return h.readString(name);
  }
  static MemoryRegistry* registry_;
};
MemoryRegistry* TemplateFiles::registry_ = nullptr;

// Icon numbers the pages fall back to when a location is empty or negative:
// the system icons, the Start menu, the file icons and the context menu pages.
TEST_F(TemplateFiles, ShellLibraryHoldsTheIconsThePagesFallBackTo) {
  const fs::path library = onDrive("C:\\WINDOWS\\SYSTEM\\Shell32.dll");
  ASSERT_FALSE(library.empty());
  EXPECT_TRUE(onDrive("C:\\WINDOWS\\System32\\Shell32.dll").empty()) << "Windows 98 keeps it in SYSTEM";
  const std::vector<int> groups = iconGroupIds(library);
  ASSERT_GE(groups.size(), 56u);
  for (int n : {0,  1,  2,  3,  4,  6,  8,  11, 17, 19, 20, 21, 22, 23, 24,
                25, 27, 29, 31, 32, 33, 34, 35, 36, 37, 40, 43, 44, 54, 55})
    EXPECT_LT(static_cast<std::size_t>(n), groups.size()) << "icon " << n;
  // Every group has a 32 x 32 image, as icotool reads the groups back.
  const fs::path out = fs::temp_directory_path() / "kelvaro-shell32-icons";
  fs::remove_all(out);
  fs::create_directories(out);
  run("wrestool -x --type=14 -o " + shellQuote(out) + " " + shellQuote(library));
  int withLarge = 0;
  for (const auto& entry : fs::directory_iterator(out))
    if (run("icotool -l " + shellQuote(entry.path())).find("--width=32 --height=32") != std::string::npos)
      ++withLarge;
  EXPECT_EQ(withLarge, static_cast<int>(groups.size()));
  fs::remove_all(out);
}

// Every program file and library of the sandbox is a PE image objdump reads,
// with icons wrestool finds.
TEST_F(TemplateFiles, ProgramFilesArePeImagesWithIcons) {
  int modules = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kDrive)) {
    const std::string ext = upper(entry.path().extension().string());
    if (ext != ".EXE" && ext != ".DLL" && ext != ".SCR") continue;
    const std::string header = run("objdump -p " + shellQuote(entry.path()) + " 2>&1");
    EXPECT_NE(header.find("file format pei-i386"), std::string::npos)
        << entry.path() << header.substr(0, 200);
    EXPECT_EQ(header.find("Characteristics 0x210f") != std::string::npos, ext == ".DLL") << entry.path();
    EXPECT_FALSE(iconGroupIds(entry.path()).empty()) << entry.path();
    ++modules;
  }
  EXPECT_GE(modules, 60);
}

TEST_F(TemplateFiles, FallbackFilesHoldTheirIcons) {
  const struct {
    const char* path;
    int index;
  } files[] = {
      {"C:\\WINDOWS\\Explorer.exe", 0},        {"C:\\Program Files\\Internet Explorer\\iexplore.exe", 0},
      {"C:\\WINDOWS\\SYSTEM\\mydocs.dll", 0},  {"C:\\WINDOWS\\SYSTEM\\SHDOCVW.dll", 24},
      {"C:\\WINDOWS\\SYSTEM\\OCCACHE.DLL", 0}, {"C:\\WINDOWS\\SYSTEM\\webcheck.dll", 0},
      {"C:\\WINDOWS\\SYSTEM\\mstask.dll", 0},  {"C:\\WINDOWS\\SYSTEM\\fontext.dll", 0}};
  for (const auto& f : files) {
    const fs::path file = onDrive(f.path);
    ASSERT_FALSE(file.empty()) << f.path;
    EXPECT_GT(iconGroupIds(file).size(), static_cast<std::size_t>(f.index)) << f.path;
  }
}

// Every icon location the registry holds names an icon that exists: a
// non-negative index counts groups, a negative one names a group's id.
TEST_F(TemplateFiles, EveryIconLocationInTheRegistryResolves) {
  std::map<fs::path, std::vector<int>> groupsOf;
  int checked = 0;
  std::function<void(const RegistryKey&, const std::string&)> walk = [&](const RegistryKey& key,
                                                                         const std::string& path) {
    const bool iconKey = namesEqual(key.name(), u"DefaultIcon") || namesEqual(key.name(), u"Shell Icons");
    for (const RegistryValue& v : key.values()) {
      if (!iconKey || (v.type != kRegSz && v.type != kRegExpandSz)) continue;
      std::string location = registryStringText(v.data);
      if (location.empty() || location.find("%1") != std::string::npos) continue;
      const auto comma = location.rfind(',');
      const int index = comma == std::string::npos ? 0 : std::stoi(location.substr(comma + 1));
      const fs::path file = onDrive(location.substr(0, comma));
      ASSERT_FALSE(file.empty()) << path << ": " << location;
      if (!groupsOf.count(file)) groupsOf[file] = iconGroupIds(file);
      const std::vector<int>& groups = groupsOf[file];
      if (index >= 0) {
        EXPECT_LT(static_cast<std::size_t>(index), groups.size()) << path << ": " << location;
      } else if (location.find("iexplore") == std::string::npos &&
                 location.find(",-137") == std::string::npos) {
        // Two locations keep ids the sandbox's files do not have, so that the
        // pages' substitutes for them are seen.
        EXPECT_NE(std::find(groups.begin(), groups.end(), -index), groups.end()) << path << ": " << location;
      }
      ++checked;
    }
    for (const auto& sub : key.subkeys()) walk(*sub, path + "\\" + utf16ToUtf8(sub->name()));
  };
  walk(*registry_->rootKey(Root::LocalMachine), "HKLM");
  EXPECT_GT(checked, 150);
}

// The prefix's registry files hold exactly what the text sources say.
TEST_F(TemplateFiles, RegistryFilesHoldTheRegistryText) {
  auto files = WineRegistryFiles::open(kData / "sandbox");
  std::size_t compared = 0;
  std::function<void(const RegistryKey&, const RegistryKey*, const std::string&)> compare =
      [&](const RegistryKey& text, const RegistryKey* file, const std::string& path) {
        ASSERT_NE(file, nullptr) << path;
        ASSERT_EQ(text.values().size(), file->values().size()) << path;
        for (const RegistryValue& v : text.values()) {
          const RegistryValue* w = file->findValue(v.name);
          ASSERT_NE(w, nullptr) << path << " : " << utf16ToUtf8(v.name);
          EXPECT_EQ(w->type, v.type) << path << " : " << utf16ToUtf8(v.name);
          EXPECT_EQ(w->data, v.data) << path << " : " << utf16ToUtf8(v.name);
          ++compared;
        }
        ASSERT_EQ(text.subkeys().size(), file->subkeys().size()) << path;
        for (const auto& sub : text.subkeys())
          compare(*sub, file->findSubkey(sub->name()).get(), path + "\\" + utf16ToUtf8(sub->name()));
      };
  compare(*registry_->rootKey(Root::LocalMachine), files->rootKey(Root::LocalMachine).get(), "HKLM");
  compare(*registry_->rootKey(Root::CurrentUser), files->rootKey(Root::CurrentUser).get(), "HKCU");
  EXPECT_GT(compared, 1200u);
  for (const char* f : {"system.reg", "user.reg", "userdef.reg"})
    EXPECT_TRUE(fs::is_regular_file(kData / "sandbox" / f)) << f;
}

// Every shortcut of the sandbox (desktop, Start menu, Send To, Quick Launch,
// Recent) leads to a file of the sandbox, as lnkinfo reads it.
TEST_F(TemplateFiles, EveryShortcutResolvesToAnExistingFile) {
  int links = 0;
  std::set<std::string> folders;
  for (const auto& entry : fs::recursive_directory_iterator(kDrive)) {
    if (upper(entry.path().extension().string()) != ".LNK") continue;
    const std::string info = run("lnkinfo " + shellQuote(entry.path()) + " 2>&1");
    std::smatch m;
    ASSERT_TRUE(std::regex_search(info, m, std::regex("Local path\\s*:\\s*(.*)"))) << entry.path() << info;
    const std::string target = m[1];
    EXPECT_TRUE(fs::is_regular_file(onDrive(target))) << entry.path() << " -> " << target;
    if (std::regex_search(info, m, std::regex("Working directory\\s*:\\s*(.*)"))) {
      EXPECT_TRUE(fs::is_directory(onDrive(m[1]))) << entry.path() << " works in " << m[1];
    }
    folders.insert(entry.path().parent_path().filename().string());
    ++links;
  }
  EXPECT_GE(links, 30);
  for (const char* folder :
       {"Pulpit", "Programy", "Akcesoria", "SendTo", "Quick Launch", "Recent", "Autostart"})
    EXPECT_TRUE(folders.count(folder)) << "no shortcut in " << folder;
}

// The icons the pages take from the sandbox's files, read as the platform's
// icon service reads them (ExtractIcon counting, negative indices as ids).
TEST_F(TemplateFiles, IconServiceReadsTheLibrariesAndCursors) {
  const formats::FileBytes shell(onDrive("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL"));
  ASSERT_TRUE(shell.isOpen());
  const formats::IconExtractor icons(shell.view());
  EXPECT_EQ(static_cast<std::size_t>(icons.count()),
            iconGroupIds(onDrive("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL")).size());
  for (int n : {3, 4, 29, 31, 32, 54, 55}) {
    const formats::ExtractedIcon icon = icons.icon(n);
    ASSERT_FALSE(icon.isNull()) << n;
    EXPECT_EQ(icon.large.size(), QSize(32, 32));
    EXPECT_EQ(icon.small.size(), QSize(16, 16));
  }
  for (const auto& [file, id] :
       std::vector<std::pair<std::string, int>>{{"C:\\WINDOWS\\SYSTEM\\mydocs.dll", 101},
                                                {"C:\\WINDOWS\\SYSTEM\\fontext.dll", 101},
                                                {"C:\\WINDOWS\\SYSTEM\\sendmail.dll", 2001}}) {
    const formats::FileBytes bytes(onDrive(file));
    EXPECT_FALSE(formats::IconExtractor(bytes.view()).icon(-id).isNull()) << file << ",-" << id;
  }
  const formats::FileBytes busy(onDrive("C:\\WINDOWS\\CURSORS\\b_praca.ani"));
  const formats::AnimatedCursor cursor = formats::AniReader::read(busy.view());
  EXPECT_EQ(cursor.frames.size(), 8u);
}

// The 48 schemes of the logo page, with the file names it builds.
std::vector<std::array<std::string, 3>> schemeFiles() {
  std::vector<std::array<std::string, 3>> files;
  for (const char* stem :
       {"AMD",       "Armagedon", "BattleStar", "Borg",      "Cloud",     "Cool",   "Crazy98", "Dead",
        "Einstein1", "Einstein2", "Flinstones", "Galactica", "Gladiator", "Matrix", "Morze",   "Okocim1",
        "Quake",     "Render",    "Space",      "Spawn",     "StarWar",   "TuCows", "Wilk"})
    files.push_back(
        {std::string(stem) + "Logo.bmp", std::string(stem) + "Logow.bmp", std::string(stem) + "Logos.bmp"});
  const std::array<std::string, 3> odd[] = {
      {"AngelsLogo.bmp", "AngelsLogow.bmp", "AngelsLogos.bmp"},
      {"DigitalBLogo.bmp", "DigitalBLogow.bmp", "WinLogos.bmp"},
      {"KubusLogo.bmp", "KubusLogow.bmp", "KubusLogos.bmp"},
      {"LastInSpaceLogo.bmp", "LastInSpaceLogow.bmp", "LastInSpaceLogos.bmp"},
      {"LinuxLogo.bmp", "LinuxLogow.bmp", "WinLogos.bmp"},
      {"fifthLogo.bmp", "fifthLogow.bmp", "fifthLogos.bmp"},
      {"trLogo.bmp", "trLogow.bmp", "trLogos.bmp"},
      {"TygrysLogo.bmp", "TygrysLogow.bmp", "TygrysLogos.bmp"},
      {"sesameLogo.bmp", "sesameLogow.bmp", "sesameLogos.bmp"},
      {"UnicorLogo.bmp", "UnicorLogow.bmp", "UnicorLogos.bmp"},
      {"wcLogo.bmp", "wcLogow.bmp", "wcLogos.bmp"},
      {"Win95Logo.bmp", "Win95Logow.bmp", "WinLogos.bmp"},
      {"Win95PlusLogo.bmp", "Win95Logow.bmp", "WinLogos.bmp"},
      {"WindersLogo.bmp", "WindersLogow.bmp", "WinLogos.bmp"},
      {"Win98Logo.bmp", "Win98Logow.bmp", "WinLogos.bmp"},
      {"Win98PlusLogo.bmp", "Win98Logow.bmp", "WinLogos.bmp"},
      {"wmLogo.bmp", "wmLogow.bmp", "wmLogos.bmp"},
      {"Okocim2Logo.bmp", "Okocim2Logow.bmp", "OkocimLogos.bmp"},
      {"ZagłobaLogo.bmp", "ZagłobaLogow.bmp", "OkocimLogos.bmp"},
      {"XfilesLogo.bmp", "XfilesLogoW.bmp", "XfilesLogoS.bmp"},
      {"CresentMoonLogo.bmp", "CresentMoonLogoW.bmp", "CresentMoonLogoS.bmp"},
      {"HorrorLogo.bmp", "HorrorLogoW.bmp", "HorrorLogoS.bmp"},
      {"JordanLogo.bmp", "JordanLogoW.bmp", "WinLogoS.bmp"},
      {"SepulturaLogo.bmp", "SepulturaLogoW.bmp", "SepulturaLogoS.bmp"},
      {"Wolf2Logo.bmp", "Wolf2LogoW.bmp", "Wolf2LogoS.bmp"},
  };
  files.insert(files.end(), std::begin(odd), std::end(odd));
  return files;
}

// The program's folder is read like drive C: names without regard to case.
fs::path findIn(const fs::path& dir, const std::string& name) {
  if (!fs::is_directory(dir)) return {};
  for (const auto& entry : fs::directory_iterator(dir))
    if (upper(entry.path().filename().string()) == upper(name)) return entry.path();
  return {};
}

fs::path besideProgram(const std::string& folder, const std::string& file) {
  const fs::path dir = findIn(kData / "Logo", folder);
  return dir.empty() ? fs::path() : findIn(dir, file);
}

TEST_F(TemplateFiles, AllFortyEightLogoSchemesAre320By400BitmapsIn16Colours) {
  const auto schemes = schemeFiles();
  ASSERT_EQ(schemes.size(), 48u);
  std::set<fs::path> pictures;
  for (const auto& s : schemes) {
    const fs::path start = besideProgram("logowin", s[0]), down = besideProgram("logow", s[1]),
                   off = besideProgram("logos", s[2]);
    ASSERT_FALSE(start.empty()) << s[0];
    ASSERT_FALSE(down.empty()) << s[1];
    ASSERT_FALSE(off.empty()) << s[2];
    pictures.insert(start);
    pictures.insert(down);
    pictures.insert(off);
  }
  pictures.insert(besideProgram("LogoWin", "Win98Logo.bmp"));
  pictures.insert(besideProgram("LogoWin", "Win95Logo.bmp"));
  pictures.insert(kDrive / "logo.sys");
  pictures.insert(kDrive / "WINDOWS" / "logow.sys");
  pictures.insert(kDrive / "WINDOWS" / "logos.sys");
  std::string command = "identify -format '%m %w %h %k\\n'";
  for (const fs::path& p : pictures)
    command +=
        " " + shellQuote(p.string().find(".sys") != std::string::npos ? "bmp:" + p.string() : p.string());
  const std::string out = run(command + " 2>&1");
  std::size_t lines = 0, pos = 0;
  while ((pos = out.find('\n', pos)) != std::string::npos) ++lines, ++pos;
  EXPECT_EQ(lines, pictures.size()) << out;
  const std::regex line("^(\\S+) (\\d+) (\\d+) (\\d+)$");
  std::istringstream in(out);
  for (std::string l; std::getline(in, l);) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(l, m, line)) << l;
    EXPECT_EQ(m[1], "BMP3") << l;
    EXPECT_EQ(m[2], "320");
    EXPECT_EQ(m[3], "400");
    EXPECT_LE(std::stoi(m[4]), 16) << l;
  }
  // Each scheme's start picture is its own drawing.
  std::set<std::string> contents;
  for (const auto& s : schemes) {
    std::ifstream file(besideProgram("logowin", s[0]), std::ios::binary);
    contents.insert(std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
  }
  EXPECT_EQ(contents.size(), 48u);
}

TEST_F(TemplateFiles, RegisteredFontsAreTheFilesOfTheFontsFolder) {
  RegistryHandle fonts(*registry_);
  fonts.setRoot(Root::LocalMachine);
  ASSERT_TRUE(fonts.openKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Fonts", false));
  const fs::path folder = onDrive(value(
      Root::CurrentUser, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts"));
  ASSERT_FALSE(folder.empty());
  std::set<std::string> registered;
  for (const std::string& name : fonts.valueNames()) {
    const std::string file = fonts.readString(name);
    EXPECT_TRUE(fs::is_regular_file(folder / file)) << name << " = " << file;
    registered.insert(upper(file));
  }
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    ++files;
    EXPECT_TRUE(registered.count(upper(entry.path().filename().string())))
        << entry.path() << " is not registered";
    // A TrueType file begins with the sfnt version 1.0.
    std::ifstream in(entry.path(), std::ios::binary);
    char head[4] = {};
    in.read(head, 4);
    EXPECT_EQ(std::string(head, 4), std::string("\0\1\0\0", 4)) << entry.path();
  }
  EXPECT_GE(files, 12u);
}

// Files and folders the pages look for because the registry names them.
TEST_F(TemplateFiles, PathsTheRegistryNamesExist) {
  const std::string sf = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  for (const char* folder :
       {"AppData", "Cache", "Cookies", "Desktop", "Favorites", "Fonts", "History", "My Pictures", "NetHood",
        "Personal", "Programs", "Recent", "SendTo", "Start Menu", "Startup"}) {
    const fs::path p = onDrive(value(Root::CurrentUser, sf, folder));
    EXPECT_TRUE(!p.empty() && fs::is_directory(p)) << folder;
  }
  const std::string setup = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
  for (const char* folder : {"WinDir", "SysDir", "ConfigPath", "MediaPath"}) {
    const fs::path p = onDrive(value(Root::LocalMachine, setup, folder));
    EXPECT_TRUE(!p.empty() && fs::is_directory(p)) << folder;
  }
  EXPECT_FALSE(
      onDrive(value(Root::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"))
          .empty());
  EXPECT_FALSE(onDrive(value(Root::CurrentUser, "\\Control Panel\\desktop", "Wallpaper")).empty());
  EXPECT_FALSE(
      onDrive(value(Root::CurrentUser, "\\Software\\Microsoft\\Internet Explorer\\Main", "Local Page"))
          .empty());
  // Quick Launch lies under the application data folder.
  EXPECT_FALSE(onDrive(value(Root::CurrentUser, sf, "AppData") +
                       "\\Microsoft\\Internet Explorer\\Quick Launch\\Pokaż pulpit.scf")
                   .empty());
  // The pointers of the current scheme and of every saved one, the system root expanded.
  RegistryHandle cursors(*registry_);
  ASSERT_TRUE(cursors.openKey("\\Control Panel\\Cursors", false));
  for (const std::string& role : cursors.valueNames())
    if (!role.empty()) {
      EXPECT_FALSE(onDrive(cursors.readString(role)).empty()) << role;
    }
  ASSERT_TRUE(cursors.openKey("\\Control Panel\\Cursors\\Schemes", false));
  for (const std::string& name : cursors.valueNames()) {
    std::string scheme = cursors.readString(name) + ",";
    for (std::size_t start = 0, comma; (comma = scheme.find(',', start)) != std::string::npos;
         start = comma + 1) {
      std::string path = scheme.substr(start, comma - start);
      if (path.empty()) continue;
      if (upper(path).rfind("%SYSTEMROOT%", 0) == 0) path = "C:\\WINDOWS" + path.substr(12);
      EXPECT_FALSE(onDrive(path).empty()) << name << ": " << path;
    }
  }
  // A sound for every event.
  int sounds = 0;
  RegistryHandle apps(*registry_);
  ASSERT_TRUE(apps.openKey("\\AppEvents\\Schemes\\Apps", false));
  for (const std::string& app : apps.subkeyNames()) {
    RegistryHandle events(*registry_);
    ASSERT_TRUE(events.openKey("\\AppEvents\\Schemes\\Apps\\" + app, false));
    for (const std::string& event : events.subkeyNames()) {
      const std::string file =
          value(Root::CurrentUser, "\\AppEvents\\Schemes\\Apps\\" + app + "\\" + event + "\\.Current", "");
      const fs::path p = onDrive(file);
      ASSERT_FALSE(p.empty()) << event << ": " << file;
      std::ifstream in(p, std::ios::binary);
      char head[12] = {};
      in.read(head, 12);
      EXPECT_EQ(std::string(head, 4) + std::string(head + 8, 4), "RIFFWAVE") << file;
      ++sounds;
    }
  }
  EXPECT_EQ(sounds, 17);
}

TEST_F(TemplateFiles, CursorFilesAreCursors) {
  int cursors = 0;
  for (const fs::path& folder : {onDrive("C:\\WINDOWS\\Cursors"), kData / "Kursory"}) {
    ASSERT_FALSE(folder.empty());
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string ext = upper(entry.path().extension().string());
      if (ext == ".CUR") {
        EXPECT_NE(run("icotool -l " + shellQuote(entry.path())).find("--cursor"), std::string::npos)
            << entry.path();
      } else {
        ASSERT_EQ(ext, ".ANI") << entry.path();
        std::ifstream in(entry.path(), std::ios::binary);
        char head[12] = {};
        in.read(head, 12);
        EXPECT_EQ(std::string(head, 4) + std::string(head + 8, 4), "RIFFACON") << entry.path();
      }
      ++cursors;
    }
  }
  EXPECT_GE(cursors, 30 + 3);
}

TEST_F(TemplateFiles, PicturesBesideTheProgramAreInTheFormatsThePagesRead) {
  const std::string out = run("identify -format '%m %w %h\\n' " + shellQuote(kData / "Logo" / "Pulpit") +
                              "/* " + shellQuote(kData / "Logo" / "OEM") + "/* " +
                              shellQuote(kData / "Logo" / "Tapetki") + "/* 2>/dev/null");
  std::set<std::string> formats;
  std::istringstream in(out);
  for (std::string l; std::getline(in, l);) formats.insert(l.substr(0, l.find(' ')));
  for (const char* f : {"BMP3", "JPEG", "GIF", "ICO"}) EXPECT_TRUE(formats.count(f)) << f << "\n" << out;
  EXPECT_NE(out.find("BMP3 22 682"), std::string::npos) << out;
  EXPECT_NE(out.find("BMP3 38 1178"), std::string::npos) << out;
  // libwmf draws the Windows metafile with its four shapes.
  const fs::path svg = fs::temp_directory_path() / "kelvaro-oem-sample.svg";
  run("wmf2svg -o " + shellQuote(svg) + " " + shellQuote(kData / "Logo" / "OEM" / "Znak wektorowy.wmf"));
  std::ifstream drawn(svg);
  const std::string svgText((std::istreambuf_iterator<char>(drawn)), std::istreambuf_iterator<char>());
  EXPECT_NE(svgText.find("width=\"180\" height=\"114\""), std::string::npos) << svgText;
  auto count = [&](const std::string& tag) {
    std::size_t n = 0;
    for (std::size_t pos = 0; (pos = svgText.find(tag, pos)) != std::string::npos; ++pos) ++n;
    return n;
  };
  EXPECT_EQ(count("<rect "), 2u) << svgText;
  EXPECT_EQ(count("<ellipse "), 1u) << svgText;
  EXPECT_EQ(count("<polygon "), 1u) << svgText;
  fs::remove(svg);
  // The enhanced metafile as the OEM page's decoder draws it (through libemf2svg).
  const formats::FileBytes emf(kData / "Logo" / "OEM" / "Znak wektorowy.emf");
  ASSERT_TRUE(emf.isOpen());
  const QImage drawnEmf = formats::MetafileRenderer::renderEmf(emf.view());
  ASSERT_FALSE(drawnEmf.isNull());
  EXPECT_NEAR(static_cast<double>(drawnEmf.width()) / drawnEmf.height(), 180.0 / 114.0, 0.05);
  // The middle of the blue disc, left of the yellow triangle's tip.
  const QColor disc = drawnEmf.pixelColor(drawnEmf.width() * 30 / 180, drawnEmf.height() * 57 / 114);
  EXPECT_GT(disc.blue(), 150) << disc.name().toStdString();
  EXPECT_LT(disc.red(), 60) << disc.name().toStdString();
}

TEST_F(TemplateFiles, IniFilesAreInThePolishCodePage) {
  std::ifstream in(onDrive("C:\\WINDOWS\\system.ini"), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(bytes.find("SCRNSAVE.EXE=C:\\WINDOWS\\SYSTEM\\Lataj\xB9"
                       "ce okna.scr\r\n"),
            std::string::npos);
  EXPECT_NE(decodeCodePage(bytes, "CP1250").find("Latające okna.scr"), std::string::npos);
  EXPECT_FALSE(onDrive("C:\\WINDOWS\\SYSTEM\\Latające okna.scr").empty());
}

}  // namespace
}  // namespace kelvaro::sandbox
