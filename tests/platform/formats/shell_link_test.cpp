#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format_fixtures.h"
#include "platform/formats/format_error.h"
#include "platform/formats/shell_link_reader.h"
#include "platform/formats/shell_link_writer.h"
#include "platform/linux_shell_links.h"

namespace kelvaro::testing {
namespace {

using formats::FormatError;
using formats::ShellLinkWriter;

// "Local path : C:\x" lines of lnkinfo, by their label.
std::map<std::string, std::string> lnkinfo(const std::filesystem::path& file) {
  std::string output;
  EXPECT_EQ(runCommand("lnkinfo -c windows-1250 " + shellQuote(file.string()), &output), 0) << output;
  std::map<std::string, std::string> fields;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t colon = line.find(": ");
    if (colon == std::string::npos) continue;
    std::string label = line.substr(0, colon);
    label.erase(0, label.find_first_not_of("\t "));
    label.erase(label.find_last_not_of("\t ") + 1);
    if (!fields.count(label)) fields[label] = line.substr(colon + 2);
  }
  return fields;
}

struct LinkCase {
  std::string target;
  std::string workingDirectory;
  std::string arguments;
};

const std::vector<LinkCase> kLinks = {
    {"C:\\WINDOWS\\NOTEPAD.EXE", "C:\\WINDOWS", ""},
    {"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE", "C:\\Program Files\\Internet Explorer", "-nohome"},
    {"D:\\Gry\\Zażółć gęślą jaźń\\gra.exe", "D:\\Gry\\Zażółć gęślą jaźń", "/tryb \"pełny ekran\""},
    {"C:\\x.exe", "", ""},
};

TEST(ShellLinks, LnkinfoReadsWhatWeWrite) {
  TempDir dir;
  LinuxShellLinks links("CP1250");
  for (const LinkCase& c : kLinks) {
    SCOPED_TRACE(c.target);
    const std::filesystem::path file = dir / "link.lnk";
    links.create(file,
                 {.target = c.target, .workingDirectory = c.workingDirectory, .arguments = c.arguments});
    std::map<std::string, std::string> fields = lnkinfo(file);
    EXPECT_EQ(fields["Local path"], c.target);
    EXPECT_EQ(fields.count("Working directory") ? fields["Working directory"] : "", c.workingDirectory);
    EXPECT_EQ(fields.count("Command line arguments") ? fields["Command line arguments"] : "", c.arguments);
    EXPECT_EQ(fields["Drive type"], "Fixed (3)");
    EXPECT_EQ(links.target(file), c.target);
  }
}

TEST(ShellLinks, IdListCarriesEveryFolderWithItsLongName) {
  TempDir dir;
  const std::filesystem::path file = dir / "ie.lnk";
  LinuxShellLinks("CP1250").create(file, {.target = "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"});
  std::string output;
  ASSERT_EQ(runCommand("lnkinfo " + shellQuote(file.string()), &output), 0);
  EXPECT_NE(output.find("Number of items\t\t: 5"), std::string::npos) << output;
  EXPECT_NE(output.find("Shell folder name\t: My Computer"), std::string::npos);
  EXPECT_NE(output.find("Volume name\t\t: C:\\"), std::string::npos);
  EXPECT_NE(output.find("Name\t\t\t: PROGRA~1"), std::string::npos);
  EXPECT_NE(output.find("Long name\t\t: Program Files"), std::string::npos);
  EXPECT_NE(output.find("Long name\t\t: Internet Explorer"), std::string::npos);
  EXPECT_NE(output.find("Name\t\t\t: IEXPLORE.EXE"), std::string::npos);
}

TEST(ShellLinks, IconLocationAndDescriptionAreWritten) {
  TempDir dir;
  const std::filesystem::path file = dir / "x.lnk";
  LinuxShellLinks("CP1250").create(file, {.target = "C:\\WINDOWS\\NOTEPAD.EXE",
                                          .iconFile = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL",
                                          .iconIndex = 12,
                                          .description = "Notatnik"});
  std::map<std::string, std::string> fields = lnkinfo(file);
  EXPECT_EQ(fields["Icon index"], "12");
  EXPECT_EQ(fields["Icon location"], "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL");
  EXPECT_EQ(fields["Description"], "Notatnik");
}

TEST(ShellLinks, TheReaderGivesBackEveryFieldOfTheLink) {
  TempDir dir;
  const formats::ShellLinkFields written{.target = "D:\\Gry\\Zażółć",
                                         .workingDirectory = "D:\\Gry",
                                         .arguments = "/tryb \"pełny ekran\"",
                                         .iconFile = "C:\\WINDOWS\\SYSTEM\\SHELL32.DLL",
                                         .iconIndex = -12,
                                         .description = "Gra",
                                         .targetIsDirectory = true};
  LinuxShellLinks("CP1250").create(dir / "gra.lnk", written);
  const formats::ShellLinkFields read = formats::ShellLinkReader::read(dir / "gra.lnk", "CP1250");
  EXPECT_EQ(read.target, written.target);
  EXPECT_EQ(read.workingDirectory, written.workingDirectory);
  EXPECT_EQ(read.arguments, written.arguments);
  EXPECT_EQ(read.iconFile, written.iconFile);
  EXPECT_EQ(read.iconIndex, written.iconIndex);
  EXPECT_EQ(read.description, written.description);
  EXPECT_TRUE(read.targetIsDirectory);
}

TEST(ShellLinks, TargetComesFromTheIdListWhenThereIsNoLinkInfo) {
  TempDir dir;
  Bytes bytes = ShellLinkWriter::encode({.target = "C:\\Program Files\\Zażółć\\A Long Name.exe"}, "CP1250");
  const std::size_t linkInfo = 76 + 2 + (bytes[76] | (bytes[77] << 8));
  const std::uint32_t linkInfoSize = getU32(bytes, linkInfo);
  bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(linkInfo),
              bytes.begin() + static_cast<std::ptrdiff_t>(linkInfo + linkInfoSize));
  putU32(bytes, 20, getU32(bytes, 20) & ~0x2u);
  writeFile(dir / "ids.lnk", bytes);
  EXPECT_EQ(LinuxShellLinks("CP1250").target(dir / "ids.lnk"), "C:\\Program Files\\Zażółć\\A Long Name.exe");
}

TEST(ShellLinks, TargetIsCutTo255Characters) {
  TempDir dir;
  std::string target = "C:\\";
  for (int i = 0; i < 30; ++i) target += "folder" + std::to_string(i) + "\\";
  target += "x.exe";
  ASSERT_GT(target.size(), 255u);
  LinuxShellLinks links("CP1250");
  links.create(dir / "long.lnk", {.target = target});
  EXPECT_EQ(links.target(dir / "long.lnk"), target.substr(0, 255));
}

TEST(ShellLinks, PifFilesGiveTheirProgramOthersNothing) {
  TempDir dir;
  Bytes pif(0x171, 0);
  const std::string program = "C:\\DOS\\EDIT.COM";
  std::copy(program.begin(), program.end(), pif.begin() + 0x24);
  writeFile(dir / "edit.pif", pif);
  writeFile(dir / "notes.lnk", {'h', 'e', 'l', 'l', 'o'});
  writeFile(dir / "short.lnk", {0x4C, 0, 0, 0, 1});
  LinuxShellLinks links("CP1250");
  EXPECT_EQ(links.target(dir / "edit.pif"), program);
  EXPECT_EQ(links.target(dir / "notes.lnk"), "");
  EXPECT_EQ(links.target(dir / "short.lnk"), "");
  EXPECT_EQ(links.target(dir / "missing.lnk"), "");
}

TEST(ShellLinks, WriterRefusesTargetsWithoutADriveAndFailedWritesLeaveNoFile) {
  for (const std::string target :
       {"notepad.exe", "\\\\server\\share\\x.exe", "C:relative.exe", "C:\\a\\..\\b.exe", ""}) {
    EXPECT_THROW(ShellLinkWriter::encode({.target = target}, "CP1250"), FormatError) << target;
  }
  TempDir dir;
  LinuxShellLinks links("CP1250");
  EXPECT_THROW(links.create(dir / "bad.lnk", {.target = "notepad.exe"}), ShellLinkError);
  EXPECT_FALSE(std::filesystem::exists(dir / "bad.lnk"));
  EXPECT_THROW(links.create(dir / "no-such-folder" / "x.lnk", {.target = "C:\\x.exe"}), ShellLinkError);
}

TEST(ShellLinks, SizeFieldsPastTheEndAreRefusedBeforeLiblnkSeesThem) {
  const Bytes good = ShellLinkWriter::encode(
      {.target = "C:\\WINDOWS\\NOTEPAD.EXE", .workingDirectory = "C:\\WINDOWS", .arguments = "a.txt"},
      "CP1250");
  ASSERT_NO_THROW(formats::ShellLinkReader::checkStructure(formats::ByteView(good)));
  const std::size_t linkInfo = 76 + 2 + (good[76] | (good[77] << 8));
  const std::size_t strings = linkInfo + getU32(good, linkInfo);
  struct Case {
    std::string name;
    std::function<void(Bytes&)> change;
  };
  const std::vector<Case> cases = {
      {"header size 0x4D", [](Bytes& b) { b[0] = 0x4D; }},
      {"another class id", [](Bytes& b) { b[4] ^= 1; }},
      {"ID list larger than the file", [](Bytes& b) { putU16(b, 76, 0xFFF0); }},
      {"LinkInfo of 4 GB", [linkInfo](Bytes& b) { putU32(b, linkInfo, 0xF3000000u); }},
      {"LinkInfo header larger than LinkInfo", [linkInfo](Bytes& b) { putU32(b, linkInfo + 4, 0x7000); }},
      {"LinkInfo offset past its end", [linkInfo](Bytes& b) { putU32(b, linkInfo + 16, 0x7000); }},
      {"working folder longer than the file", [strings](Bytes& b) { putU16(b, strings, 0xFFFF); }},
      {"extra data block past the end",
       [](Bytes& b) {
         putU32(b, b.size() - 4, 0x100);
         b.resize(b.size() + 8);
       }},
      {"cut inside the string data", [strings](Bytes& b) { b.resize(strings + 5); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = good;
    c.change(bytes);
    EXPECT_THROW(formats::ShellLinkReader::checkStructure(formats::ByteView(bytes)), FormatError);
    TempDir dir;
    writeFile(dir / "broken.lnk", bytes);
    EXPECT_EQ(LinuxShellLinks("CP1250").target(dir / "broken.lnk"), "");
  }
}

// Found by fuzzing: liblnk reports an impossible size for this file's local path.
TEST(ShellLinks, AbsurdSizesFromLiblnkAreNotAllocated) {
  const std::filesystem::path file = std::filesystem::path(KELVARO_FIXTURES_DIR) / "broken-local-path.lnk";
  ASSERT_TRUE(std::filesystem::exists(file));
  EXPECT_NO_THROW(LinuxShellLinks("CP1250").target(file));
}

TEST(ShellLinks, ShortNamesOfTheIdListItems) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"NOTEPAD.EXE", "NOTEPAD.EXE"},
      {"notepad.exe", "notepad.exe"},
      {"Program Files", "PROGRA~1"},
      {"readme.html", "README~1.HTM"},
      {"a.b.c", "AB~1.C"},
      {"my file.txt", "MYFILE~1.TXT"},
      {"SYSTEM", "SYSTEM"},
      {"Zażółć.exe", "ZA____~1.EXE"},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(ShellLinkWriter::shortName(name), expected) << name;
}

}  // namespace
}  // namespace kelvaro::testing
