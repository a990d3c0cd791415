#include "store/common_functions.h"

#include <gtest/gtest.h>

#include "store/registry_handle.h"
#include "store/store_error.h"

namespace kelvaro {
namespace {

TEST(WindowsVersionName, FollowsTheVersionTable) {
  const struct {
    std::uint32_t platform, major, minor;
    const char* csd;
    const char* name;
  } cases[] = {
      {1, 4, 0, "", "Windows 95"},        {1, 4, 0, " B ", "Windows 95"},
      {1, 4, 10, " A ", "Windows 98 SE"}, {1, 4, 10, "", "Windows 98"},
      {1, 4, 10, "A", "Windows 98"},      {1, 4, 10, " a ", "Windows 98"},
      {1, 4, 90, " ", "Windows ME"},      {1, 4, 3, "", "brak danych"},
      {1, 5, 0, "", "brak danych"},       {2, 3, 51, "", "Windows 4.0 NT"},
      {2, 4, 0, "SP6", "Windows 4.0 NT"}, {2, 5, 0, "", "Windows 2000"},
      {2, 5, 1, "SP2", "Windows XP"},     {2, 5, 2, "", "brak danych"},
      {2, 6, 1, "", "Windows Vista"},     {2, 7, 0, "", "brak danych"},
      {2, 10, 0, "", "brak danych"},      {0, 4, 0, "", "brak danych"},
      {3, 4, 0, "", "brak danych"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(windowsVersionName(VersionInfo{c.platform, c.major, c.minor, c.csd}), c.name)
        << c.platform << " " << c.major << "." << c.minor << " '" << c.csd << "'";
  }
  EXPECT_EQ(windowsVersionName(std::nullopt), "brak danych");
}

TEST(ProgramVersionString, IsTheProgramFilesVersion) { EXPECT_EQ(programVersionString(), "3.7.37.1249"); }

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

TEST(ShellFolderPath, ReadsStringsOnlyAndNeverCreatesTheKey) {
  MemoryRegistry registry;
  EXPECT_EQ(shellFolderPath(registry, "Desktop"), "");
  RegistryHandle reg(registry);
  EXPECT_FALSE(reg.keyExists(kShellFolders));

  ASSERT_TRUE(reg.openKey(kShellFolders, true));
  reg.writeString("Desktop", "C:\\WINDOWS\\Pulpit");
  reg.writeDword("SendTo", 5);
  EXPECT_EQ(shellFolderPath(registry, "desktop"), "C:\\WINDOWS\\Pulpit");
  EXPECT_EQ(shellFolderPath(registry, "SendTo"), "");
  EXPECT_EQ(shellFolderPath(registry, "Recent"), "");
}

TEST(RegistryIni, ReadsAStringValueOfASubkeyAndCreatesTheFileKey) {
  MemoryRegistry registry;
  EXPECT_EQ(readRegistryIni(registry, "Software\\Test", "Section", "Entry", "fallback"), "fallback");
  RegistryHandle reg(registry);
  EXPECT_TRUE(reg.keyExists("Software\\Test"));
  EXPECT_FALSE(reg.keyExists("Software\\Test\\Section"));

  ASSERT_TRUE(reg.openKey("Software\\Test\\Section", true));
  reg.writeString("Entry", "wartość");
  reg.writeDword("Number", 3);
  EXPECT_EQ(readRegistryIni(registry, "Software\\Test", "section", "entry", "fallback"), "wartość");
  EXPECT_EQ(readRegistryIni(registry, "Software\\Test", "Section", "Other", "fallback"), "fallback");
  EXPECT_THROW(
      {
        try {
          readRegistryIni(registry, "Software\\Test", "Section", "Number", "");
        } catch (const StoreError& e) {
          EXPECT_STREQ(e.what(), "Invalid data type for 'Number'");
          throw;
        }
      },
      StoreError);
}

TEST(RegistryIni, ShellFoldersThroughTheExplorerKey) {
  MemoryRegistry registry;
  EXPECT_EQ(shellFolderPathViaIni(registry, "SendTo"), "");
  RegistryHandle reg(registry);
  EXPECT_TRUE(reg.keyExists("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"));
  ASSERT_TRUE(reg.openKey(kShellFolders, true));
  reg.writeString("SendTo", "C:\\WINDOWS\\SendTo");
  reg.writeBinary("Desktop", std::vector<std::uint8_t>{1});
  EXPECT_EQ(shellFolderPathViaIni(registry, "SendTo"), "C:\\WINDOWS\\SendTo");
  EXPECT_THROW(shellFolderPathViaIni(registry, "Desktop"), StoreError);
}

TEST(ErrorBoxText, AddsAFullStopAfterALetterOrDigit) {
  const struct {
    const char* text;
    const char* shown;
  } cases[] = {
      {"Failed to create key Software\\X", "Failed to create key Software\\X."},
      {"Unable to write to C:\\WINDOWS\\WIN.INI", "Unable to write to C:\\WINDOWS\\WIN.INI."},
      {"Invalid data type for 'Flags'", "Invalid data type for 'Flags'"},
      {"'12a' is not a valid integer value", "'12a' is not a valid integer value."},
      {"Wartość 7", "Wartość 7."},
      {"Zamknij programy Wine i spróbuj ponownie: wineserver -k",
       "Zamknij programy Wine i spróbuj ponownie: wineserver -k."},
      {"Brak pliku \"a.ini\"", "Brak pliku \"a.ini\""},
      {"Koniec.", "Koniec."},
      {"Uwaga!", "Uwaga!"},
      {"Błąd: ż", "Błąd: ż."},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(errorBoxText(c.text), c.shown) << c.text;
}

}  // namespace
}  // namespace kelvaro
