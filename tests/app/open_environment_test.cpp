#include "app/open_environment.h"

#include <gtest/gtest.h>

#include "platform/scripted_dialogs.h"
#include "tests/support/temp_prefix.h"

namespace kelvaro::testing {
namespace {

constexpr char kUserRegHead[] =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "#arch=win32\n"
    "\n"
    "[Control Panel\\\\Desktop] 1700000000\n";

TEST(OpenEnvironmentOrReport, ABrokenRegistryFileIsShownInTheErrorBoxWithItsLineAndLeftAlone) {
  TempPrefix prefix;
  for (const char* file : {"system.reg", "userdef.reg"})
    std::ofstream(prefix.dir() / file) << "WINE REGISTRY Version 2\n";
  const std::string broken = std::string(kUserRegHead) + "\"Wallpaper\"=\"C:\\\\WINDOWS\n";
  std::ofstream(prefix.dir() / "user.reg", std::ios::binary) << broken;
  ScriptedDialogs dialogs;

  EXPECT_EQ(openEnvironmentOrReport({Environment::Kind::WinePrefix, prefix.dir()}, dialogs), nullptr);
  ASSERT_EQ(dialogs.shown.size(), 1u);
  const MessageBoxSpec box = dialogs.shown[0].box;
  EXPECT_EQ(dialogs.shown[0].kind, "box");
  EXPECT_EQ(box.title, "Morvane Kelvaro");
  EXPECT_EQ(box.text,
            "Plik " + (prefix.dir() / "user.reg").string() +
                " nie jest poprawnym plikiem rejestru Wine (wiersz 7: błędna wartość). Program go nie "
                "zmieni.");
  EXPECT_EQ(box.icon, BoxIcon::Error);
  EXPECT_EQ(box.buttons, BoxButton::Ok);
  EXPECT_EQ(readHostFile(prefix.dir() / "user.reg"), broken);

  // Mended, it opens without a word.
  std::ofstream(prefix.dir() / "user.reg", std::ios::binary)
      << kUserRegHead << "\"Wallpaper\"=\"C:\\\\WINDOWS\"\n";
  dialogs.shown.clear();
  EXPECT_NE(openEnvironmentOrReport({Environment::Kind::WinePrefix, prefix.dir()}, dialogs), nullptr);
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
}  // namespace kelvaro::testing
