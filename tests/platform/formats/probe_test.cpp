// The kelvaro-formats command-line probe, run as a program.
#include <algorithm>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "format_fixtures.h"

namespace kelvaro::testing {
namespace {

std::string probe() { return KELVARO_FORMATS_PROBE; }

// Exit status, stdout and stderr of one probe run.
struct ProbeRun {
  int status = 0;
  std::string out;
  std::string err;
};

ProbeRun run(const std::string& arguments, const TempDir& dir) {
  ProbeRun r;
  const std::filesystem::path errFile = dir / "stderr.txt";
  r.status = runCommand(shellQuote(probe()) + " " + arguments + " 2>" + shellQuote(errFile.string()), &r.out);
  const Bytes err = readFile(errFile);
  r.err.assign(err.begin(), err.end());
  return r;
}

int lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST(Probe, IconCommands) {
  TempDir dir;
  std::vector<ResourceFixture> resources;
  for (int i = 0; i < 3; ++i) {
    for (ResourceFixture& r :
         iconGroup(static_cast<std::uint16_t>(i + 1), static_cast<std::uint16_t>(10 * i + 1),
                   {solidIcon(16, qRgb(i, 0, 0)), solidIcon(32, qRgb(i, 9, 9))})) {
      resources.push_back(r);
    }
  }
  const std::filesystem::path dll = dir / "lib.dll";
  writeFile(dll, peFile(resources));
  EXPECT_EQ(run("icon-count " + shellQuote(dll.string()), dir).out, "3\n");
  EXPECT_EQ(run("icon-count " + shellQuote((dir / "missing.dll").string()), dir).out, "0\n");

  const std::filesystem::path png = dir / "i.png";
  ASSERT_EQ(run("icon " + shellQuote(dll.string()) + " 2 " + shellQuote(png.string()), dir).status, 0);
  QImage large(QString::fromStdString(png.string()));
  EXPECT_EQ(large.size(), QSize(32, 32));
  EXPECT_EQ(large.pixel(3, 3), qRgb(2, 9, 9));
  ASSERT_EQ(
      run("icon " + shellQuote(dll.string()) + " -1 " + shellQuote(png.string()) + " --small", dir).status,
      0);
  QImage small(QString::fromStdString(png.string()));
  EXPECT_EQ(small.size(), QSize(16, 16));
  EXPECT_EQ(small.pixel(3, 3), qRgb(0, 0, 0));

  const ProbeRun missing = run("icon " + shellQuote(dll.string()) + " 3 " + shellQuote(png.string()), dir);
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(lines(missing.err), 1) << missing.err;
  EXPECT_EQ(run("icon " + shellQuote(dll.string()) + " two " + shellQuote(png.string()), dir).status, 1);
}

TEST(Probe, PictureAndBmpCommandsKeepTheDepth) {
  TempDir dir;
  const std::filesystem::path bmp = dir / "logo.bmp";
  ASSERT_EQ(runCommand("convert -size 320x400 gradient:red-blue -colors 16 -type Palette BMP3:" +
                       shellQuote(bmp.string())),
            0);
  EXPECT_EQ(run("picture " + shellQuote(bmp.string()) + " " + shellQuote((dir / "p.png").string()), dir).out,
            "320x400 4\n");
  const std::filesystem::path copy = dir / "copy.bmp";
  ASSERT_EQ(run("bmp " + shellQuote(bmp.string()) + " " + shellQuote(copy.string()), dir).status, 0);
  std::string identify;
  ASSERT_EQ(runCommand("identify " + shellQuote(copy.string()), &identify), 0);
  EXPECT_NE(identify.find("320x400"), std::string::npos) << identify;
  EXPECT_NE(identify.find("4-bit"), std::string::npos) << identify;
  writeFile(dir / "broken.bmp", {'B', 'M', 1, 2, 3});
  const ProbeRun broken = run("picture " + shellQuote((dir / "broken.bmp").string()) + " x.png", dir);
  EXPECT_EQ(broken.status, 1);
  EXPECT_EQ(lines(broken.err), 1) << broken.err;
}

TEST(Probe, ShortcutCommands) {
  TempDir dir;
  const std::filesystem::path lnk = dir / "x.lnk";
  ASSERT_EQ(run(shellQuote("lnk-write") + " " + shellQuote(lnk.string()) +
                    " 'C:\\Program Files\\App\\app.exe' 'C:\\Program Files\\App' '-x 1'",
                dir)
                .status,
            0);
  EXPECT_EQ(run("lnk-target " + shellQuote(lnk.string()), dir).out, "C:\\Program Files\\App\\app.exe\n");
  EXPECT_EQ(run("lnk-write " + shellQuote(lnk.string()) + " relative.exe 'C:\\'", dir).status, 1);
  EXPECT_EQ(run("lnk-target " + shellQuote((dir / "none.lnk").string()), dir).status, 1);
  const ProbeRun unknown = run("frobnicate", dir);
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(lines(unknown.err), 1);
}

}  // namespace
}  // namespace kelvaro::testing
