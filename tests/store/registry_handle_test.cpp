#include "store/registry_handle.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "store/store_error.h"

namespace kelvaro {
namespace {

// Runs f and returns the StoreError text it raised ("" when none).
template <class F>
std::string errorOf(F&& f) {
  try {
    f();
  } catch (const StoreError& e) {
    return e.what();
  }
  return {};
}

class RegistryHandleTest : public ::testing::Test {
 protected:
  MemoryRegistry registry;
  RegistryHandle reg{registry};
};

TEST_F(RegistryHandleTest, NewHandleIsOnCurrentUserWithNoKeyOpen) {
  EXPECT_EQ(reg.root(), Root::CurrentUser);
  EXPECT_FALSE(reg.hasOpenKey());
  EXPECT_EQ(reg.currentPath(), "");
}

TEST_F(RegistryHandleTest, RelativeOpenDescendsBeneathTheOpenKey) {
  ASSERT_TRUE(reg.openKey("A", true));
  ASSERT_TRUE(reg.openKey("B", true));
  EXPECT_EQ(reg.currentPath(), "A\\B");
  reg.writeString("where", "A\\B");

  reg.closeKey();
  ASSERT_TRUE(reg.openKey("B", true));
  EXPECT_EQ(reg.currentPath(), "B");
  EXPECT_FALSE(reg.valueExists("where"));

  RegistryHandle check(registry);
  ASSERT_TRUE(check.openKey("\\A\\B", false));
  EXPECT_EQ(check.readString("where"), "A\\B");
}

TEST_F(RegistryHandleTest, AbsolutePathStartsAtTheRootEvenWithAKeyOpen) {
  reg.createKey("X\\Y");
  ASSERT_TRUE(reg.openKey("X", false));
  EXPECT_FALSE(reg.openKey("X\\Y", false));  // would be X\X\Y
  ASSERT_TRUE(reg.openKey("\\X\\Y", false));
  EXPECT_EQ(reg.currentPath(), "X\\Y");
}

TEST_F(RegistryHandleTest, OpenWithoutCreateOfAMissingKeyFailsAndKeepsThePreviousKey) {
  ASSERT_TRUE(reg.openKey("Software\\Kept", true));
  EXPECT_FALSE(reg.openKey("\\Software\\Missing", false));
  EXPECT_TRUE(reg.hasOpenKey());
  EXPECT_EQ(reg.currentPath(), "Software\\Kept");
  EXPECT_FALSE(reg.keyExists("\\Software\\Missing"));
}

TEST_F(RegistryHandleTest, WithNoKeyOpenReadsSeeNothingAndWritesFail) {
  EXPECT_FALSE(reg.openKey("Nowhere", false));
  EXPECT_FALSE(reg.valueExists("v"));
  EXPECT_EQ(reg.valueKind("v"), ValueKind::Unknown);
  EXPECT_EQ(reg.readString("v"), "");
  EXPECT_EQ(errorOf([&] { reg.readDword("v"); }), "Failed to get data for 'v'");
  EXPECT_EQ(errorOf([&] { reg.writeString("v", "x"); }), "Failed to set data for 'v'");
  EXPECT_EQ(errorOf([&] { reg.writeDword("n", 1); }), "Failed to set data for 'n'");
  EXPECT_FALSE(reg.deleteValue("v"));
  EXPECT_TRUE(reg.subkeyNames().empty());
}

TEST_F(RegistryHandleTest, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
  ASSERT_TRUE(reg.openKey("Software\\Morvane", true));
  reg.writeString("ActivePageName", "kolory");
  reg.writeString("ACTIVEPAGENAME", "kursory");
  EXPECT_EQ(reg.valueNames(), std::vector<std::string>{"ActivePageName"});
  EXPECT_EQ(reg.readString("activepagename"), "kursory");

  reg.closeKey();
  ASSERT_TRUE(reg.openKey("SOFTWARE\\MORVANE", true));
  ASSERT_TRUE(reg.openKey("\\software", false));
  EXPECT_EQ(reg.subkeyNames(), std::vector<std::string>{"Morvane"});
  EXPECT_EQ(reg.currentPath(), "software");  // the path as the caller spelled it
}

TEST_F(RegistryHandleTest, PolishNamesFoldCaseToo) {
  ASSERT_TRUE(reg.openKey("Źródła\\ŻÓŁW", true));
  ASSERT_TRUE(reg.openKey("\\źródła\\żółw", false));
  reg.writeString("Łąka", "zażółć gęślą jaźń");
  EXPECT_EQ(reg.readString("ŁĄKA"), "zażółć gęślą jaźń");
}

TEST_F(RegistryHandleTest, StringsAreStoredAsUtf16WithTheirNul) {
  ASSERT_TRUE(reg.openKey("K", true));
  reg.writeString("s", "ąb");
  const RegistryValue* v = reg.rawValue("s");
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->type, kRegSz);
  EXPECT_EQ(v->data, (std::vector<std::uint8_t>{0x05, 0x01, 'b', 0, 0, 0}));
}

TEST_F(RegistryHandleTest, ReadStringStopsAtTheFirstNulAndReadsExpandableStrings) {
  ASSERT_TRUE(reg.openKey("K", true));
  const std::array<std::uint8_t, 8> twoParts{'a', 0, 0, 0, 'b', 0, 0, 0};
  reg.writeRaw("multi", kRegSz, twoParts);
  reg.writeRaw("expand", kRegExpandSz, registryStringData("%windir%\\x"));
  EXPECT_EQ(reg.readString("multi"), "a");
  EXPECT_EQ(reg.readString("expand"), "%windir%\\x");
}

TEST_F(RegistryHandleTest, ValueKindsAsTheStoreReportsThem) {
  ASSERT_TRUE(reg.openKey("K", true));
  const std::array<std::uint8_t, 2> bytes{1, 2};
  reg.writeRaw("sz", kRegSz, registryStringData("x"));
  reg.writeRaw("expand", kRegExpandSz, registryStringData("x"));
  reg.writeDword("dword", 7);
  reg.writeBinary("binary", bytes);
  reg.writeRaw("multi", kRegMultiSz, bytes);
  reg.writeRaw("none", kRegNone, {});
  const struct {
    const char* name;
    ValueKind kind;
  } cases[] = {{"sz", ValueKind::String},      {"expand", ValueKind::ExpandString},
               {"dword", ValueKind::Dword},    {"binary", ValueKind::Binary},
               {"multi", ValueKind::Unknown},  {"none", ValueKind::Unknown},
               {"missing", ValueKind::Unknown}};
  for (const auto& c : cases) EXPECT_EQ(reg.valueKind(c.name), c.kind) << c.name;
}

TEST_F(RegistryHandleTest, ReadErrorsNameTheValue) {
  ASSERT_TRUE(reg.openKey("K", true));
  const std::array<std::uint8_t, 5> five{1, 2, 3, 4, 5};
  reg.writeString("text", "1");
  reg.writeDword("number", 1);
  reg.writeBinary("five", five);
  reg.writeRaw("emptyDword", kRegDword, {});
  std::array<std::uint8_t, 4> buffer{9, 9, 9, 9};

  const struct {
    const char* what;
    std::function<void()> read;
    const char* error;
  } cases[] = {
      {"DWORD of a missing value", [&] { reg.readDword("gone"); }, "Failed to get data for 'gone'"},
      {"flag of a missing value", [&] { reg.readFlag("gone"); }, "Failed to get data for 'gone'"},
      {"DWORD of a string", [&] { reg.readDword("text"); }, "Invalid data type for 'text'"},
      {"string of a DWORD", [&] { reg.readString("number"); }, "Invalid data type for 'number'"},
      {"binary longer than the buffer", [&] { reg.readBinary("five", buffer); },
       "Invalid data type for 'five'"},
      {"binary of a string", [&] { reg.readBinary("text", buffer); }, "Invalid data type for 'text'"},
      {"string of a missing value", [&] { EXPECT_EQ(reg.readString("gone"), ""); }, ""},
      {"string of empty data of another kind", [&] { EXPECT_EQ(reg.readString("emptyDword"), ""); }, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(errorOf(c.read), c.error) << c.what;
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{9, 9, 9, 9}));
}

TEST_F(RegistryHandleTest, ReadBinaryCopiesBinaryAndUnknownKindsAndLeavesTheBufferForMissingValues) {
  ASSERT_TRUE(reg.openKey("K", true));
  const std::array<std::uint8_t, 3> three{7, 8, 9};
  reg.writeBinary("bin", three);
  reg.writeRaw("multi", kRegMultiSz, three);
  std::array<std::uint8_t, 4> buffer{0, 0, 0, 0xAA};
  EXPECT_EQ(reg.readBinary("bin", buffer), 3u);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{7, 8, 9, 0xAA}));
  buffer.fill(1);
  EXPECT_EQ(reg.readBinary("multi", buffer), 3u);
  buffer.fill(5);
  EXPECT_EQ(reg.readBinary("missing", buffer), 0u);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 4>{5, 5, 5, 5}));
}

TEST_F(RegistryHandleTest, DwordsAreSigned) {
  ASSERT_TRUE(reg.openKey("K", true));
  reg.writeDword("neg", -2);
  EXPECT_EQ(reg.readDword("neg"), -2);
  EXPECT_EQ(reg.rawValue("neg")->data, (std::vector<std::uint8_t>{0xFE, 0xFF, 0xFF, 0xFF}));
  reg.writeFlag("on", true);
  reg.writeFlag("off", false);
  EXPECT_TRUE(reg.readFlag("on"));
  EXPECT_FALSE(reg.readFlag("off"));
  EXPECT_EQ(reg.readDword("on"), 1);
}

TEST_F(RegistryHandleTest, CreateKeyMakesParentsWithoutMovingTheOpenKey) {
  ASSERT_TRUE(reg.openKey("Base", true));
  reg.createKey("One\\Two\\Three");
  EXPECT_EQ(reg.currentPath(), "Base");
  EXPECT_TRUE(reg.keyExists("One\\Two\\Three"));
  EXPECT_TRUE(reg.keyExists("\\Base\\One\\Two"));
  const std::string tooLong(256, 'k');
  EXPECT_EQ(errorOf([&] { reg.createKey(tooLong); }), "Failed to create key " + tooLong);
}

TEST_F(RegistryHandleTest, DeleteKeyRemovesTheWholeSubtree) {
  reg.createKey("Tree\\A\\A1");
  reg.createKey("Tree\\B");
  ASSERT_TRUE(reg.openKey("Tree\\A\\A1", false));
  reg.writeString("v", "x");
  reg.closeKey();

  EXPECT_TRUE(reg.deleteKey("Tree"));
  EXPECT_FALSE(reg.keyExists("Tree"));
  EXPECT_FALSE(reg.keyExists("Tree\\A\\A1"));
  EXPECT_FALSE(reg.deleteKey("Tree"));
  EXPECT_FALSE(reg.deleteKey("Never\\There"));
  EXPECT_FALSE(reg.deleteKey(""));  // not the root
}

TEST_F(RegistryHandleTest, DeleteKeyRelativeToTheOpenKey) {
  reg.createKey("P\\Child");
  ASSERT_TRUE(reg.openKey("P", false));
  EXPECT_TRUE(reg.deleteKey("Child"));
  EXPECT_TRUE(reg.subkeyNames().empty());
}

TEST_F(RegistryHandleTest, AHandleOnADeletedKeyCanNoLongerWriteThere) {
  ASSERT_TRUE(reg.openKey("Doomed", true));
  RegistryHandle other(registry);
  EXPECT_TRUE(other.deleteKey("Doomed"));
  EXPECT_EQ(errorOf([&] { reg.writeString("v", "x"); }), "Failed to set data for 'v'");
  EXPECT_FALSE(reg.openKey("Sub", true));
  EXPECT_FALSE(other.keyExists("Doomed"));
}

TEST_F(RegistryHandleTest, DeleteValueReportsWhetherThereWasOne) {
  ASSERT_TRUE(reg.openKey("K", true));
  reg.writeString("v", "x");
  EXPECT_TRUE(reg.deleteValue("V"));
  EXPECT_FALSE(reg.deleteValue("v"));
  EXPECT_FALSE(reg.valueExists("v"));
}

TEST_F(RegistryHandleTest, SetRootClosesTheOpenKeyOnlyWhenTheRootChanges) {
  ASSERT_TRUE(reg.openKey("K", true));
  reg.setRoot(Root::CurrentUser);
  EXPECT_TRUE(reg.hasOpenKey());
  reg.setRoot(Root::LocalMachine);
  EXPECT_FALSE(reg.hasOpenKey());
  EXPECT_EQ(reg.root(), Root::LocalMachine);
  EXPECT_FALSE(reg.keyExists("K"));
}

TEST_F(RegistryHandleTest, ClassesRootIsLocalMachineSoftwareClasses) {
  reg.setRoot(Root::ClassesRoot);
  ASSERT_TRUE(reg.openKey(".txt", true));
  reg.writeString("", "txtfile");
  EXPECT_EQ(reg.currentPath(), ".txt");

  RegistryHandle machine(registry);
  machine.setRoot(Root::LocalMachine);
  ASSERT_TRUE(machine.openKey("Software\\Classes\\.TXT", false));
  EXPECT_EQ(machine.readString(""), "txtfile");
}

TEST_F(RegistryHandleTest, SubkeysAndValuesEnumerateInWineOrder) {
  ASSERT_TRUE(reg.openKey("Order", true));
  for (const char* name : {"b", "_x", "ab", "A", "abc", "Z"}) {
    reg.createKey(name);
    reg.writeString(name, "");
  }
  // Lower-cased unit by unit ('_' sorts before letters), shorter first.
  const std::vector<std::string> expected{"_x", "A", "ab", "abc", "b", "Z"};
  EXPECT_EQ(reg.subkeyNames(), expected);
  EXPECT_EQ(reg.valueNames(), expected);
}

}  // namespace
}  // namespace kelvaro
