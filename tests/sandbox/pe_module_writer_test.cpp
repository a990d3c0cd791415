#include "tools/sandbox/pe_module_writer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "platform/formats/byte_view.h"
#include "platform/formats/icon_extractor.h"
#include "tools/sandbox/icon_file_writer.h"

namespace kelvaro::sandbox {
namespace {

namespace fs = std::filesystem;

IconGroupData group(std::uint16_t id, QRgb colour) {
  QImage large(32, 32, QImage::Format_ARGB32), small(16, 16, QImage::Format_ARGB32);
  large.fill(colour);
  small.fill(colour);
  large.setPixel(0, 0, qRgba(0, 0, 0, 0));  // one transparent corner
  return {id, {makeIconImage(large, 4), makeIconImage(small, 4)}};
}

// The standard output of a command. The test fails when the command cannot
// be run or ends with an error (a missing tool ends the shell with 127), so
// that a check on the output never passes on output there was none of.
std::string run(const std::string& command) {
  std::string out;
  FILE* pipe = popen(command.c_str(), "r");
  char buffer[1024];
  std::size_t n;
  while (pipe && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int status = pipe ? pclose(pipe) : -1;
  EXPECT_EQ(status, 0) << command;
  return out;
}

// Groups are counted in the order of their ids, whatever order they are given
// in, and a negative index names a group by its id.
TEST(PeModuleWriter, GroupsAreCountedInTheOrderOfTheirIds) {
  const std::vector<std::uint8_t> module =
      writePeModule(ModuleKind::Library, {group(7, qRgb(255, 0, 0)), group(3, qRgb(0, 0, 255))});
  const formats::IconExtractor icons{formats::ByteView(module)};
  ASSERT_EQ(icons.count(), 2);
  EXPECT_EQ(icons.icon(0).large.pixelColor(5, 5), QColor(0, 0, 255));
  EXPECT_EQ(icons.icon(1).large.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(icons.icon(-7).large.pixelColor(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(qAlpha(icons.icon(0).large.pixel(0, 0)), 0);
  EXPECT_EQ(icons.icon(0).small.size(), QSize(16, 16));

  const fs::path file = fs::temp_directory_path() / ("kelvaro-pe-" + std::to_string(::getpid()) + ".dll");
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(module.data()), module.size());
  const std::string listing = run("wrestool -l --type=14 '" + file.string() + "'");
  EXPECT_LT(listing.find("--name=3"), listing.find("--name=7")) << listing;
  EXPECT_NE(run("objdump -p '" + file.string() + "'").find("DLL"), std::string::npos);
  fs::remove(file);
}

TEST(PeModuleWriter, AProgramHasAnEntryAndNoLibraryFlag) {
  const std::vector<std::uint8_t> module = writePeModule(ModuleKind::Program, {group(1, qRgb(0, 128, 0))});
  const fs::path file = fs::temp_directory_path() / ("kelvaro-pe-" + std::to_string(::getpid()) + ".exe");
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(module.data()), module.size());
  const std::string header = run("objdump -p '" + file.string() + "'");
  EXPECT_NE(header.find("AddressOfEntryPoint\t00001000"), std::string::npos) << header;
  EXPECT_EQ(header.find("\tDLL"), std::string::npos) << header;
  EXPECT_EQ(formats::IconExtractor(formats::ByteView(module)).count(), 1);
  fs::remove(file);
}

TEST(PeModuleWriter, TwoGroupsWithOneIdAreRefused) {
  EXPECT_THROW(writePeModule(ModuleKind::Library, {group(2, qRgb(0, 0, 0)), group(2, qRgb(1, 1, 1))}),
               std::logic_error);
}

}  // namespace
}  // namespace kelvaro::sandbox
