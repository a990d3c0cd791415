#include "store/registry_change_log.h"

#include <gtest/gtest.h>

#include "store/registry_handle.h"

namespace kelvaro {
namespace {

// The lines of the file without the CR of each line end.
std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find("\r\n", pos);
    EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
    if (end == std::string::npos) break;
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

class RegistryChangeLogTest : public ::testing::Test {
 protected:
  void SetUp() override { registry.setChangeLog(&log); }
  MemoryRegistry registry;
  RegistryChangeLog log;
};

TEST_F(RegistryChangeLogTest, ChangesAreWrittenInTheOrderTheyWereMade) {
  RegistryHandle reg(registry);
  reg.setRoot(Root::CurrentUser);
  ASSERT_TRUE(reg.openKey("Software\\Morvane\\Kelvaro", true));
  reg.writeString("Tekst", "C:\\Program Files\\\"x\"");
  reg.writeDword("Liczba", 10);
  reg.writeDword("Liczba", 10);  // no change, no line
  reg.writeString("", "domyślna");
  reg.setRoot(Root::LocalMachine);
  ASSERT_TRUE(reg.openKey("Software\\Classes\\.abc", true));
  reg.writeBinary("Bajty", std::vector<std::uint8_t>{0x00, 0xff, 0x10});
  reg.writeExpandString("Ścieżka", "%windir%\\a");
  reg.setRoot(Root::CurrentUser);
  ASSERT_TRUE(reg.openKey("Software\\Morvane\\Kelvaro", false));
  reg.deleteValue("Tekst");
  reg.closeKey();
  reg.deleteKey("Software\\Morvane");

  EXPECT_EQ(linesOf(log.regedit4("CP1250")),
            (std::vector<std::string>{
                "REGEDIT4",
                "",
                "[HKEY_CURRENT_USER\\Software]",
                "",
                "[HKEY_CURRENT_USER\\Software\\Morvane]",
                "",
                "[HKEY_CURRENT_USER\\Software\\Morvane\\Kelvaro]",
                R"("Tekst"="C:\\Program Files\\\"x\"")",
                "\"Liczba\"=dword:0000000a",
                "@=\"domy\x9clna\"",
                "",
                "[HKEY_LOCAL_MACHINE\\Software\\Classes\\.abc]",
                "\"Bajty\"=hex:00,ff,10",
                "\"\x8c\x63ie\xbfka\"=hex(2):25,77,69,6e,64,69,72,25,5c,61,00",
                "",
                "[HKEY_CURRENT_USER\\Software\\Morvane\\Kelvaro]",
                "\"Tekst\"=-",
                "",
                "[-HKEY_CURRENT_USER\\Software\\Morvane]",
                "",
            }));
}

TEST_F(RegistryChangeLogTest, DataThatIsNoPlainStringGoesAsBytesAndWhatTheCodePageCannotHoldIsNamed) {
  struct Case {
    const char* what;
    std::uint32_t type;
    std::vector<std::uint8_t> data;
    std::string line;
  };
  const std::vector<Case> cases = {
      {"a line break", kRegSz, {'a', 0, '\n', 0, 0, 0}, "\"v\"=hex(1):61,0a,00"},
      {"no NUL at the end", kRegSz, {'a', 0}, "\"v\"=hex(1):61"},
      {"multiple strings", kRegMultiSz, {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0}, "\"v\"=hex(7):61,00,62,00,00"},
      {"a short DWORD", kRegDword, {1, 2}, "\"v\"=hex(4):01,02"},
      {"a kind of its own", 11, {1, 2, 3, 4, 5, 6, 7, 8}, "\"v\"=hex(b):01,02,03,04,05,06,07,08"},
      {"a character outside the code page",
       kRegSz,
       {0x42, 0x04, 0, 0},
       "; Pominięto wartość, której nie da się zapisać w formacie REGEDIT4 (strona kodowa CP1252)"},
      {"odd string bytes",
       kRegExpandSz,
       {'a', 0, 0},
       "; Pominięto wartość, której nie da się zapisać w formacie REGEDIT4 (strona kodowa CP1252)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RegistryChangeLog one;
    MemoryRegistry memory;
    memory.setChangeLog(&one);
    RegistryHandle reg(memory);
    ASSERT_TRUE(reg.openKey("K", true));
    reg.writeRaw("v", c.type, c.data);
    const auto lines = linesOf(one.regedit4("CP1252"));
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], c.line);
  }
}

TEST_F(RegistryChangeLogTest, LongBinaryDataIsBrokenIntoContinuedLines) {
  RegistryHandle reg(registry);
  ASSERT_TRUE(reg.openKey("K", true));
  reg.writeBinary("Dane", std::vector<std::uint8_t>(100, 0xab));
  const auto lines = linesOf(log.regedit4("CP1252"));
  std::string joined;
  for (std::size_t i = 3; i < lines.size() && !lines[i].empty(); ++i) {
    EXPECT_LE(lines[i].size(), 80u);
    std::string part = lines[i];
    if (part.back() == '\\') part.pop_back();
    joined += i == 3 ? part : part.substr(2);
  }
  std::string expected = "\"Dane\"=hex:";
  for (int i = 0; i < 100; ++i) expected += i ? ",ab" : "ab";
  EXPECT_EQ(joined, expected);
}

}  // namespace
}  // namespace kelvaro
