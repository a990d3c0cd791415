// Checks against a real Wine prefix, made once per test run by the CTest
// fixture formats_wine_prefix (run these tests through ctest).
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QFileInfo>

#include "format_fixtures.h"
#include "platform/formats/file_bytes.h"
#include "platform/formats/icon_extractor.h"
#include "platform/formats/shell_link_reader.h"
#include "platform/linux_shell_links.h"
#include "tests/support/file_wait.h"

namespace kelvaro::testing {
namespace {

std::filesystem::path prefix() { return KELVARO_FORMATS_WINE_PREFIX; }

#define REQUIRE_PREFIX()                                                                              \
  ASSERT_TRUE(std::filesystem::exists(prefix() / "drive_c" / "windows" / "system32" / "shell32.dll")) \
      << "the prefix is made by the CTest fixture formats_wine_prefix_setup"

std::filesystem::path shell32() { return prefix() / "drive_c" / "windows" / "system32" / "shell32.dll"; }

// The group names of RT_GROUP_ICON in the order wrestool lists them.
std::vector<std::string> wrestoolGroups(const std::filesystem::path& file) {
  std::string listing;
  EXPECT_EQ(runCommand("wrestool -l --type=14 " + shellQuote(file.string()), &listing), 0);
  std::vector<std::string> names;
  for (std::size_t at = listing.find("--name="); at != std::string::npos;
       at = listing.find("--name=", at + 1)) {
    names.push_back(listing.substr(at + 7, listing.find(' ', at) - at - 7));
  }
  return names;
}

// The same .ico without its 256 x 256 entries: icotool 0.32 refuses a whole
// file over the PNG images Wine's icons carry at that size. The other images
// keep their bytes.
Bytes withoutHugeImages(const Bytes& ico) {
  const std::size_t count = ico[4] | (ico[5] << 8);
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < count; ++i) {
    if (ico[6 + 16 * i] != 0) kept.push_back(i);
  }
  Bytes out(6 + 16 * kept.size(), 0);
  out[2] = 1;
  out[4] = static_cast<std::uint8_t>(kept.size());
  for (std::size_t k = 0; k < kept.size(); ++k) {
    const std::size_t entry = 6 + 16 * kept[k];
    std::copy(ico.begin() + static_cast<std::ptrdiff_t>(entry),
              ico.begin() + static_cast<std::ptrdiff_t>(entry + 16),
              out.begin() + static_cast<std::ptrdiff_t>(6 + 16 * k));
    const std::uint32_t size = getU32(ico, entry + 8), offset = getU32(ico, entry + 12);
    putU32(out, 6 + 16 * k + 12, static_cast<std::uint32_t>(out.size()));
    out.insert(out.end(), ico.begin() + offset, ico.begin() + offset + size);
  }
  return out;
}

struct IcotoolImage {
  int index = 0, width = 0, height = 0, bits = 0;
};

std::vector<IcotoolImage> icotoolList(const std::filesystem::path& ico) {
  std::string listing;
  EXPECT_EQ(runCommand("icotool -l " + shellQuote(ico.string()), &listing), 0);
  std::vector<IcotoolImage> images;
  std::istringstream lines(listing);
  for (std::string line; std::getline(lines, line);) {
    IcotoolImage i;
    if (std::sscanf(line.c_str(), "--icon --index=%d --width=%d --height=%d --bit-depth=%d", &i.index,
                    &i.width, &i.height, &i.bits) == 4) {
      images.push_back(i);
    }
  }
  return images;
}

// What icotool extracts for the image of that size with the deepest colours.
QImage icotoolImage(const std::filesystem::path& ico, int size, const std::filesystem::path& work) {
  const std::vector<IcotoolImage> images = icotoolList(ico);
  const IcotoolImage* best = nullptr;
  for (const IcotoolImage& i : images) {
    if (i.width == size && i.height == size && (!best || i.bits > best->bits)) best = &i;
  }
  if (!best) return {};
  const std::filesystem::path png = work / ("icon-" + std::to_string(size) + ".png");
  EXPECT_EQ(runCommand("icotool -x --index=" + std::to_string(best->index) + " -o " +
                       shellQuote(png.string()) + " " + shellQuote(ico.string())),
            0);
  return QImage(QString::fromStdString(png.string())).convertToFormat(QImage::Format_ARGB32);
}

int differingPixels(const QImage& ours, const QImage& theirs) {
  if (ours.size() != theirs.size()) return -1;
  int differ = 0;
  for (int y = 0; y < ours.height(); ++y) {
    for (int x = 0; x < ours.width(); ++x) {
      const QRgb a = ours.pixel(x, y), b = theirs.pixel(x, y);
      if (qAlpha(a) != qAlpha(b) || (qAlpha(b) != 0 && a != b)) ++differ;
    }
  }
  return differ;
}

TEST(WinePrefix, Shell32IconsMatchWrestoolAndIcotoolGroupByGroup) {
  REQUIRE_PREFIX();
  const std::vector<std::string> groups = wrestoolGroups(shell32());
  const formats::FileBytes bytes(shell32());
  const formats::IconExtractor extractor(bytes.view());
  ASSERT_EQ(extractor.count(), static_cast<int>(groups.size()));
  EXPECT_GE(extractor.count(), 150);
  TempDir work;
  for (int index :
       {0, 1, 2, 3, 4, 7, 8, 11, 15, 16, 17, 29, 31, 32, 34, 40, 54, 100, extractor.count() - 1}) {
    SCOPED_TRACE("icon " + std::to_string(index) + ", group " + groups[static_cast<std::size_t>(index)]);
    const std::filesystem::path ico = work / ("group" + std::to_string(index) + ".ico");
    ASSERT_EQ(runCommand("wrestool -x --type=14 --name=" + groups[static_cast<std::size_t>(index)] + " " +
                         shellQuote(shell32().string()) + " > " + shellQuote(ico.string())),
              0);
    writeFile(ico, withoutHugeImages(readFile(ico)));
    const formats::ExtractedIcon ours = extractor.icon(index);
    ASSERT_FALSE(ours.isNull());
    const QImage large = icotoolImage(ico, 32, work.path());
    const QImage small = icotoolImage(ico, 16, work.path());
    ASSERT_FALSE(large.isNull());
    EXPECT_EQ(differingPixels(ours.large, large), 0);
    if (!small.isNull()) {
      EXPECT_EQ(differingPixels(ours.small, small), 0);
    }
  }
}

TEST(WinePrefix, NegativeIndexIsTheGroupId) {
  REQUIRE_PREFIX();
  const std::vector<std::string> groups = wrestoolGroups(shell32());
  const formats::FileBytes bytes(shell32());
  const formats::IconExtractor extractor(bytes.view());
  int checked = 0;
  for (std::size_t i = 0; i < groups.size() && checked < 5; ++i) {
    if (groups[i].empty() || groups[i][0] == '\'') continue;  // a named group
    const int id = std::stoi(groups[i]);
    const QImage byId = extractor.icon(-id).large;
    const QImage byPosition = extractor.icon(static_cast<int>(i)).large;
    EXPECT_FALSE(byId.isNull());
    EXPECT_EQ(byId, byPosition) << "group " << id;
    ++checked;
  }
  EXPECT_EQ(checked, 5);
}

// Waits for a file a Windows program leaves behind: `start /wait` does not
// always wait for programs started through the shell.
bool appears(const std::filesystem::path& file) {
  const QString path = QString::fromStdString(file.string());
  const auto written = [&] { return QFileInfo(path).size() > 0; };
  return waitForFiles({QString::fromStdString(file.parent_path().string()), path}, written, 60000);
}

TEST(WinePrefix, WineRunsTheTargetsOfOurShortcuts) {
  REQUIRE_PREFIX();
  const std::filesystem::path drive = prefix() / "drive_c";
  std::filesystem::create_directories(drive / "Program Files" / "Kelvaro Test Folder");
  std::ofstream(drive / "Program Files" / "Kelvaro Test Folder" / "leave a file.bat")
      << "@echo batch> C:\\kelvaro-batch.txt\r\n";
  LinuxShellLinks links("CP1252");
  struct Case {
    std::string link;
    ShellLink shortcut;
    std::string leftBehind;
  };
  const std::vector<Case> cases = {
      {"cmd.lnk",
       {.target = "C:\\windows\\system32\\cmd.exe",
        .workingDirectory = "C:\\windows",
        .arguments = "/c echo cmd> C:\\kelvaro-cmd.txt"},
       "kelvaro-cmd.txt"},
      {"batch.lnk",
       {.target = "C:\\Program Files\\Kelvaro Test Folder\\leave a file.bat",
        .workingDirectory = "C:\\Program Files\\Kelvaro Test Folder"},
       "kelvaro-batch.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    std::filesystem::remove(drive / c.leftBehind);
    links.create(drive / c.link, c.shortcut);
    const std::string command = "WINEDEBUG=-all WINEPREFIX=" + shellQuote(prefix().string()) +
                                " xvfb-run -a wine start /wait 'C:\\" + c.link + "' >/dev/null 2>&1";
    EXPECT_EQ(runCommand(command), 0);
    EXPECT_TRUE(appears(drive / c.leftBehind));
  }
}

// A link Wine itself made, through WScript.Shell's CreateShortcut, read
// back by our reader: checked against something we did not write.
TEST(WinePrefix, OurReaderReadsALinkWineWrote) {
  REQUIRE_PREFIX();
  const std::filesystem::path drive = prefix() / "drive_c";
  const std::filesystem::path folder = drive / "Program Files" / "Kelvaro Café Folder";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "A Long Program Name.exe") << "MZ";
  std::filesystem::remove(drive / "kelvaro-wine.lnk");
  // Wine reads the script in its ANSI code page (windows-1252 under the C
  // locale) and its VBScript has Chr but no ChrW: the é comes from Chr.
  std::ofstream(drive / "kelvaro-link.vbs", std::ios::binary)
      << "folder = \"C:\\Program Files\\Kelvaro Caf\" & Chr(233) & \" Folder\"\r\n"
         "Set link = WScript.CreateObject(\"WScript.Shell\").CreateShortcut(\"C:\\kelvaro-wine.lnk\")\r\n"
         "link.TargetPath = folder & \"\\A Long Program Name.exe\"\r\n"
         "link.Arguments = \"/mode \"\"full screen\"\" /gr\" & Chr(252) & \"n\"\r\n"
         "link.WorkingDirectory = folder\r\n"
         "link.Description = \"Kelvaro\"\r\n"
         "link.IconLocation = \"C:\\windows\\system32\\shell32.dll, 12\"\r\n"
         "link.Save\r\n";
  const std::string wine = "LC_ALL=C.UTF-8 WINEDEBUG=-all WINEPREFIX=" + shellQuote(prefix().string());
  std::string output;
  ASSERT_EQ(runCommand(wine + " wine cscript //nologo 'C:\\kelvaro-link.vbs' 2>&1", &output), 0) << output;
  // Nothing of Wine runs on while the link is read.
  ASSERT_EQ(runCommand(wine + " wineserver -k; " + wine + " wineserver -w"), 0);
  const std::filesystem::path link = drive / "kelvaro-wine.lnk";
  ASSERT_TRUE(std::filesystem::exists(link)) << output;

  const std::string target = "C:\\Program Files\\Kelvaro Café Folder\\A Long Program Name.exe";
  const formats::ShellLinkFields read = formats::ShellLinkReader::read(link, "CP1252");
  EXPECT_EQ(read.target, target);
  EXPECT_EQ(read.arguments, "/mode \"full screen\" /grün");
  EXPECT_EQ(read.workingDirectory, "C:\\Program Files\\Kelvaro Café Folder");
  EXPECT_EQ(read.description, "Kelvaro");
  EXPECT_EQ(read.iconFile, "C:\\windows\\system32\\shell32.dll");
  EXPECT_EQ(read.iconIndex, 12);
  EXPECT_EQ(LinuxShellLinks("CP1252").target(link), target);

  // Wine's ID list, read by our own reading of it, names the same file.
  const Bytes bytes = readFile(link);
  ASSERT_GT(bytes.size(), 78u);
  ASSERT_TRUE(bytes[20] & 0x01) << "no ID list";
  const std::size_t idListSize = bytes[76] | (bytes[77] << 8);
  ASSERT_LE(78 + idListSize, bytes.size());
  const formats::ByteView idList(std::span<const std::uint8_t>(bytes.data() + 78, idListSize));
  EXPECT_EQ(formats::ShellLinkReader::idListPath(idList, "CP1252"), target);
}

}  // namespace
}  // namespace kelvaro::testing
