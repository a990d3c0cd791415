#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/icon_location.h"

namespace kelvaro {
namespace {

const IconDirectories kDirectories{"C:\\WINDOWS", "C:\\WINDOWS\\SYSTEM", "C:\\Program Files"};

IconDisplayPlan file(std::string path, int index) {
  return {IconDisplayPlan::Kind::FileIcon, {std::move(path), index}};
}
IconDisplayPlan substitute(std::string path, int index) {
  return {IconDisplayPlan::Kind::Substitute, {std::move(path), index}};
}
const IconDisplayPlan kGeneric{};

TEST(IconDisplay, ReadsLocationsAsTheIconsPageDoes) {
  struct Case {
    std::string location;
    IconDisplayPlan plan;
  };
  const std::vector<Case> cases = {
      {"%SystemRoot%\\system32\\shell32.dll,15", file("C:\\WINDOWS\\system32\\shell32.dll", 15)},
      {"%WINDIR%\\Explorer.exe,0", file("C:\\WINDOWS\\explorer.exe", 0)},
      {"%ProgramFiles%\\Internet Explorer\\IEXPLORE.EXE,1",
       file("C:\\Program Files\\internet explorer\\iexplore.exe", 1)},
      {"C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,3", file("c:\\windows\\system\\shell32.dll", 3)},
      {"C:\\WINDOWS\\SYSTEM\\SHELL32.DLL,-4", substitute("c:\\windows\\system\\shell32.dll", -4)},
      {"shell32.dll,-16", substitute("shell32.dll", -16)},
      {"C:\\a,b\\x.dll,2", file("c:\\a,b\\x.dll", 2)},
      {"C:\\WINDOWS\\NOTEPAD.EXE", file("c:\\windows\\notepad.exe", 0)},
      {"x.exe,abc", kGeneric},
      {"x.exe,", kGeneric},
      {"x.exe,1.5", kGeneric},
      {"x.exe,99999999999", kGeneric},
      {"x.exe,+2", file("x.exe", 2)},
      {"x.exe, 2", file("x.exe", 2)},
      {"%1", kGeneric},
      {"\"%1\"", kGeneric},
      {"\"%1\",0", file("\"%1\"", 0)},  // only the whole location is "%1"
      // The variable anywhere makes the first characters give way, as the page does it.
      {"c:\\x\\%windir%,1", file("C:\\WINDOWSndir%", 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.location);
    const IconDisplayPlan plan = planIconDisplay(c.location, kDirectories);
    EXPECT_EQ(plan, c.plan);
  }
}

TEST(IconDisplay, NegativeIndexSubstitutesFollowTheTargets) {
  using B = IconSubstitute::Base;
  struct Case {
    IconTarget target;
    B base;
    std::string path;
    int index;
  };
  const std::vector<Case> cases = {
      {systemIconSlot(1), B::ShellLibrary, "", 17},
      {systemIconSlot(2), B::WindowsDirectory, "\\Explorer.exe", 0},
      {systemIconSlot(5), B::ProgramFiles, "\\Internet Explorer\\iexplore.exe", 0},
      {systemIconSlot(9), B::SystemDirectory, "\\SHDOCVW.dll", 24},
      {systemIconSlot(17), B::ShellLibrary, "", 4},
      {systemIconSlot(24), B::ShellLibrary, "", 40},
      {IconTarget::StartFavorites, B::ShellLibrary, "", 43},
      {IconTarget::StartLogOff, B::ShellLibrary, "", 44},
  };
  for (const Case& c : cases) {
    const std::optional<IconSubstitute> s = negativeIndexSubstitute(c.target);
    ASSERT_TRUE(s) << static_cast<int>(c.target);
    EXPECT_EQ(s->base, c.base);
    EXPECT_EQ(s->relativePath, c.path);
    EXPECT_EQ(s->index, c.index);
  }
  EXPECT_FALSE(negativeIndexSubstitute(systemIconSlot(10)));
  EXPECT_FALSE(negativeIndexSubstitute(IconTarget::Other));
  EXPECT_EQ(systemIconSlot(25), IconTarget::Other);
  EXPECT_EQ(systemIconSlot(0), IconTarget::Other);
}

}  // namespace
}  // namespace kelvaro
