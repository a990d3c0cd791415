#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format_fixtures.h"
#include "platform/linux_icons.h"
#include "store/registry_handle.h"

namespace kelvaro::testing {
namespace {

// Icon i of the test shell library is a solid square of red i.
QRgb shellColour(int index) { return qRgb(index, 100, 200); }
constexpr QRgb kExplorer = 0xFF0A0B0C;
constexpr QRgb kIcoFile = 0xFF203040;

Bytes library(int groups, QRgb (*colour)(int)) {
  std::vector<ResourceFixture> resources;
  for (int i = 0; i < groups; ++i) {
    for (ResourceFixture& r : iconGroup(static_cast<std::uint16_t>(i + 1),
                                        static_cast<std::uint16_t>(100 + i), {solidIcon(8, colour(i))})) {
      resources.push_back(r);
    }
  }
  return peFile(resources);
}

class LinuxIconsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir_ / "c" / "windows" / "system");
    std::filesystem::create_directories(dir_ / "c" / "program files");
    writeFile(dir_ / "c" / "windows" / "system" / "shell32.dll", library(60, shellColour));
    writeFile(dir_ / "c" / "windows" / "explorer.exe", library(1, [](int) { return kExplorer; }));
    writeFile(dir_ / "c" / "program files" / "x.ico", icoFile({solidIcon(32, kIcoFile)}));
  }

  // DOS paths on C: map to lower-case host names under the temporary folder.
  DosPathResolver resolver() {
    const std::filesystem::path root = dir_ / "c";
    return [root](std::string_view dos) -> std::optional<std::filesystem::path> {
      if (dos.size() < 3 || std::tolower(static_cast<unsigned char>(dos[0])) != 'c' || dos[1] != ':' ||
          dos[2] != '\\') {
        return std::nullopt;
      }
      std::string rest(dos.substr(3));
      std::transform(rest.begin(), rest.end(), rest.begin(), [](unsigned char c) { return std::tolower(c); });
      std::replace(rest.begin(), rest.end(), '\\', '/');
      return root / rest;
    };
  }

  LinuxIcons icons() { return LinuxIcons(registry_, resolver(), directories_); }

  static QRgb colourOf(const QImage& image) { return image.isNull() ? 0 : image.pixel(16, 16); }

  void setClass(const std::string& key, const std::string& value, bool expand = false) {
    RegistryHandle handle(registry_);
    handle.setRoot(Root::ClassesRoot);
    handle.openKey("\\" + key, true);
    if (expand) {
      handle.writeExpandString("", value);
    } else {
      handle.writeString("", value);
    }
  }

  TempDir dir_;
  MemoryRegistry registry_;
  IconDirectories directories_{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\Program Files"};
};

TEST_F(LinuxIconsTest, DisplaysTheIconALocationNames) {
  LinuxIcons i = icons();
  const QImage generic = i.genericIcon();
  EXPECT_EQ(generic.size(), QSize(32, 32));
  struct Case {
    std::string location;
    IconTarget target;
    QRgb colour;  // 0: a null picture; 1: the generic icon
  };
  const std::vector<Case> cases = {
      {"%SystemRoot%\\system\\shell32.dll,15", IconTarget::Other, shellColour(15)},
      {"C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,3", IconTarget::Other, shellColour(3)},
      {"shell32.dll,5", IconTarget::Other, shellColour(5)},  // found in the System directory
      {"C:\\WINDOWS\\EXPLORER.EXE", IconTarget::Other, kExplorer},
      {"%ProgramFiles%\\x.ico,0", IconTarget::Other, kIcoFile},
      {"shell32.dll,-16", systemIconSlot(2), kExplorer},
      {"shell32.dll,-16", IconTarget::Other, 1},
      {"shell32.dll,-16", systemIconSlot(18), shellColour(3)},
      {"x.exe,abc", IconTarget::Other, 1},
      {"x.exe,", IconTarget::Other, 1},
      {"%1", IconTarget::Other, 1},
      {"C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,60", IconTarget::Other, 0},
      {"C:\\WINDOWS\\missing.dll,0", IconTarget::Other, 0},
      {"C:\\a,b\\x.dll,2", IconTarget::Other, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.location + " target " + std::to_string(static_cast<int>(c.target)));
    const QImage image = i.displayIcon(c.location, c.target);
    if (c.colour == 1) {
      EXPECT_EQ(image, generic);
    } else {
      EXPECT_EQ(colourOf(image), c.colour);
    }
  }
}

TEST_F(LinuxIconsTest, SubstitutesNeedTheirFileAndTheShellLibrary) {
  LinuxIcons i = icons();
  EXPECT_EQ(colourOf(i.substituteIcon(systemIconSlot(3))), shellColour(54));
  EXPECT_EQ(i.substituteIcon(systemIconSlot(6)), i.genericIcon()) << "mydocs.dll is missing";
  EXPECT_EQ(i.substituteIcon(systemIconSlot(10)), i.genericIcon());
  EXPECT_EQ(colourOf(i.substituteIcon(IconTarget::StartFavorites)), shellColour(43));
  EXPECT_EQ(i.shellLibrary(), "C:\\WINDOWS\\System\\Shell32.dll");
  std::filesystem::create_directories(dir_ / "c" / "windows" / "system32");
  writeFile(dir_ / "c" / "windows" / "system32" / "shell32.dll",
            library(50, [](int n) { return qRgb(n, 1, 1); }));
  EXPECT_EQ(i.shellLibrary(), "C:\\WINDOWS\\System32\\Shell32.dll");
  EXPECT_TRUE(i.substituteIcon(systemIconSlot(3)).isNull()) << "System32's library has only 50 icons";
  i.setDirectories({"C:\\NOWHERE", "C:\\NOWHERE\\SYSTEM", "C:\\Program Files"});
  EXPECT_FALSE(i.shellLibrary());
  EXPECT_EQ(i.substituteIcon(systemIconSlot(3)), i.genericIcon());
}

TEST_F(LinuxIconsTest, CountsAndListsTheIconsOfAFile) {
  LinuxIcons i = icons();
  EXPECT_EQ(i.iconCount("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL"), 60);
  EXPECT_EQ(i.iconCount("C:\\Program Files\\x.ico"), 1);
  EXPECT_EQ(i.iconCount("C:\\missing.exe"), 0);
  EXPECT_EQ(i.iconCount("Z:\\elsewhere.exe"), 0);
  const std::vector<Icon> all = i.allIcons("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL");
  ASSERT_EQ(all.size(), 60u);
  EXPECT_EQ(colourOf(all[41].large), shellColour(41));
  EXPECT_EQ(all[41].small.size(), QSize(16, 16));
  EXPECT_EQ(colourOf(i.extractIcon("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL", -12).large), shellColour(11));
}

TEST_F(LinuxIconsTest, AFileReplacedAfterItWasReadShowsItsNewIcons) {
  LinuxIcons i = icons();
  const std::vector<QImage> before = i.largeIcons("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL");
  ASSERT_EQ(before.size(), 60u);
  EXPECT_EQ(colourOf(before[7]), shellColour(7));
  writeFile(dir_ / "c" / "windows" / "system" / "shell32.dll",
            library(9, [](int n) { return qRgb(1, n, 1); }));
  const std::vector<QImage> after = i.largeIcons("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL");
  ASSERT_EQ(after.size(), 9u);
  EXPECT_EQ(colourOf(after[7]), qRgb(1, 7, 1));
  EXPECT_EQ(colourOf(i.extractIcon("C:\\WINDOWS\\SYSTEM\\SHELL32.DLL", 7).large), qRgb(1, 7, 1));
}

TEST_F(LinuxIconsTest, FileTypeIconsFollowClassesRootAndTheShellFallbacks) {
  setClass(".txt", "txtfile");
  setClass("txtfile\\DefaultIcon", "%SystemRoot%\\SYSTEM\\shell32.dll,7", true);
  setClass(".doc", "docfile");
  setClass("docfile\\shell\\open\\command", "\"C:\\WINDOWS\\Explorer.exe\" /e %1");
  setClass(".exe", "exefile");
  setClass("exefile\\DefaultIcon", "%1");
  setClass(".ico", "icofile");
  setClass("icofile\\DefaultIcon", "\"%1\"");
  setClass(".bad", "badfile");
  setClass("badfile\\DefaultIcon", "C:\\nothing.dll,3");
  setClass(".neg", "negfile");
  setClass("negfile\\DefaultIcon", "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,-12");
  setClass(".nan", "nanfile");
  setClass("nanfile\\DefaultIcon", "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,x");
  setClass(".empty", "");
  LinuxIcons i = icons();
  struct Case {
    std::string extension;
    QRgb colour;
  };
  const std::vector<Case> cases = {
      {".txt", shellColour(7)}, {"txt", shellColour(7)},    {".TXT", shellColour(7)},
      {".doc", kExplorer},      {".exe", shellColour(2)},   {".ico", shellColour(0)},
      {".bad", shellColour(0)}, {".neg", shellColour(11)},  {".nan", shellColour(0)},
      {".zzz", shellColour(0)}, {".empty", shellColour(0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extension);
    const Icon icon = i.fileTypeIcon(c.extension);
    EXPECT_EQ(colourOf(icon.large), c.colour);
    EXPECT_EQ(icon.small.size(), QSize(16, 16));
  }
}

}  // namespace
}  // namespace kelvaro::testing
