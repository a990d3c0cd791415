#include "platform/wine_version.h"

#include <gtest/gtest.h>

#include "store/registry_handle.h"

namespace kelvaro {
namespace {

constexpr const char* kNt = "\\Software\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* k9x = "\\Software\\Microsoft\\Windows\\CurrentVersion";

struct Value {
  Root root;
  const char* key;
  const char* name;
  std::uint32_t type;
  const char* text;  // REG_SZ/REG_EXPAND_SZ text, or the DWORD as decimal
};

struct VersionCase {
  const char* title;
  std::vector<Value> values;
  VersionInfo expected;
};

void store(Registry& registry, const Value& v) {
  RegistryHandle reg(registry);
  reg.setRoot(v.root);
  ASSERT_TRUE(reg.openKey(v.key, true));
  if (v.type == kRegDword)
    reg.writeDword(v.name, std::stoi(v.text));
  else
    reg.writeRaw(v.name, v.type, registryStringData(v.text));
}

Value hkcuVersion(const char* text, std::uint32_t type = kRegSz) {
  return {Root::CurrentUser, "\\Software\\Wine", "Version", type, text};
}
Value nt(const char* name, const char* text, std::uint32_t type = kRegSz) {
  return {Root::LocalMachine, kNt, name, type, text};
}
Value win9x(const char* name, const char* text) { return {Root::LocalMachine, k9x, name, kRegSz, text}; }

const VersionInfo kWindows7{2, 6, 1, "Service Pack 1"};

class WineReportedVersion : public ::testing::TestWithParam<VersionCase> {};

TEST_P(WineReportedVersion, IsWhatGetVersionExAGivesUnderWine) {
  const auto& c = GetParam();
  MemoryRegistry registry;
  for (const auto& value : c.values) store(registry, value);
  const VersionInfo got = wineReportedVersion(registry);
  EXPECT_EQ(got.platformId, c.expected.platformId);
  EXPECT_EQ(got.major, c.expected.major);
  EXPECT_EQ(got.minor, c.expected.minor);
  EXPECT_EQ(got.csdVersion, c.expected.csdVersion);
}

// Each row was checked with a small program calling GetVersionExA under Wine 8.0.
INSTANTIATE_TEST_SUITE_P(
    Table, WineReportedVersion,
    ::testing::Values(
        VersionCase{"nothing set: Wine's own Windows 7", {}, kWindows7},
        VersionCase{
            "a fresh prefix", {nt("CurrentVersion", "6.1"), nt("CSDVersion", "Service Pack 1")}, kWindows7},
        VersionCase{
            "Wine's Version wins", {hkcuVersion("win98"), nt("CurrentVersion", "6.1")}, {1, 4, 10, " A "}},
        VersionCase{
            "Version as an expandable string", {hkcuVersion("win98", kRegExpandSz)}, {1, 4, 10, " A "}},
        VersionCase{"Version names are case-sensitive",
                    {hkcuVersion("WinXP"), nt("CurrentVersion", "5.2"), nt("CSDVersion", "x")},
                    {2, 5, 2, "x"}},
        VersionCase{"a name Wine 8.0 does not know", {hkcuVersion("win11")}, kWindows7},
        VersionCase{"a Version that is not a string", {hkcuVersion("5", kRegDword)}, kWindows7},
        VersionCase{"win2k", {hkcuVersion("win2k")}, {2, 5, 0, "Service Pack 4"}},
        VersionCase{"winxp", {hkcuVersion("winxp")}, {2, 5, 1, "Service Pack 3"}},
        VersionCase{"win10 reads as 6.2", {hkcuVersion("win10")}, {2, 6, 2, ""}},
        VersionCase{"win95", {hkcuVersion("win95")}, {1, 4, 0, ""}},
        VersionCase{"winme", {hkcuVersion("winme")}, {1, 4, 90, " "}},
        VersionCase{"nt40", {hkcuVersion("nt40")}, {2, 4, 0, "Service Pack 6a"}},
        VersionCase{"win31", {hkcuVersion("win31")}, {0, 3, 10, "Win32s 1.3"}},
        VersionCase{"NT keys",
                    {nt("CurrentVersion", "5.1"), nt("CSDVersion", "Service Pack 2")},
                    {2, 5, 1, "Service Pack 2"}},
        VersionCase{"NT keys without a service pack", {nt("CurrentVersion", "5.1")}, {2, 5, 1, ""}},
        VersionCase{"a service pack that is not a string",
                    {nt("CurrentVersion", "6.1"), nt("CSDVersion", "5", kRegDword)},
                    {2, 6, 1, ""}},
        VersionCase{
            "6.3 reads as 6.2", {nt("CurrentVersion", "6.3"), nt("CSDVersion", "SP")}, {2, 6, 2, "SP"}},
        VersionCase{"7.0 reads as 6.2", {nt("CurrentVersion", "7.0")}, {2, 6, 2, ""}},
        VersionCase{"a lone major number", {nt("CurrentVersion", "6")}, {2, 6, 0, ""}},
        VersionCase{"a dot without a minor number", {nt("CurrentVersion", "6.")}, {2, 6, 0, ""}},
        VersionCase{"leading blanks", {nt("CurrentVersion", " 5.1")}, {2, 5, 1, ""}},
        VersionCase{"trailing text", {nt("CurrentVersion", "5.1x")}, {2, 5, 1, ""}},
        VersionCase{"a DWORD CurrentVersion is ignored", {nt("CurrentVersion", "5", kRegDword)}, kWindows7},
        VersionCase{"9x keys",
                    {win9x("VersionNumber", "4.10.2222"), win9x("SubVersionNumber", " A ")},
                    {1, 4, 10, " A "}},
        VersionCase{"9x keys of ME",
                    {win9x("VersionNumber", "4.90.3000"), win9x("SubVersionNumber", " ")},
                    {1, 4, 90, " "}},
        VersionCase{"9x without a build", {win9x("VersionNumber", "4.10")}, {1, 4, 10, ""}},
        VersionCase{"unreadable NT keys fall back to 9x",
                    {nt("CurrentVersion", "abc"), win9x("VersionNumber", "4.10.2222")},
                    {1, 4, 10, ""}},
        VersionCase{"empty NT version falls back to 9x",
                    {nt("CurrentVersion", ""), win9x("VersionNumber", "4.0.950")},
                    {1, 4, 0, ""}},
        VersionCase{"unreadable 9x keys", {win9x("VersionNumber", "xyz")}, kWindows7},
        VersionCase{"NT keys win over 9x keys",
                    {nt("CurrentVersion", "5.0"), win9x("VersionNumber", "4.10.2222"),
                     win9x("SubVersionNumber", " A ")},
                    {2, 5, 0, ""}}),
    [](const auto& info) {
      std::string name;
      for (const char c : std::string(info.param.title))
        name.push_back(std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
      return name;
    });

TEST(WineVersionByName, KnowsEveryAliasAndNothingElse) {
  for (const char* alias : {"win2000", "win2k", "nt2k", "nt2000"})
    EXPECT_EQ(wineVersionByName(alias)->minor, 0u);
  EXPECT_EQ(wineVersionByName("vista")->major, 6u);
  EXPECT_EQ(wineVersionByName("winvista")->major, 6u);
  EXPECT_FALSE(wineVersionByName("Win98"));
  EXPECT_FALSE(wineVersionByName("win"));
  EXPECT_FALSE(wineVersionByName(""));
  EXPECT_FALSE(wineVersionByName("win2000,win2k"));
}

TEST(WineVersion, TheSandboxRecordIsWindows98SecondEdition) {
  EXPECT_EQ(windowsVersionName(windows98SecondEdition()), "Windows 98 SE");
}

}  // namespace
}  // namespace kelvaro
