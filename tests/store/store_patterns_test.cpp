#include "store/store_patterns.h"

#include <gtest/gtest.h>

#include "store/store_error.h"

namespace kelvaro {
namespace {

class StorePatternsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(openForWrite(reg, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System"));
  }
  MemoryRegistry registry;
  RegistryHandle reg{registry};
};

// One stored value for each of the shapes a flag can meet.
void storeShape(RegistryHandle& reg, const std::string& shape) {
  if (shape == "dword 0") reg.writeDword("v", 0);
  if (shape == "dword 1") reg.writeDword("v", 1);
  if (shape == "dword 5") reg.writeDword("v", 5);
  if (shape == "string 1") reg.writeString("v", "1");
  if (shape == "string 0") reg.writeString("v", "0");
  if (shape == "binary 1") reg.writeBinary("v", std::vector<std::uint8_t>{1, 0, 0, 0});
}

TEST_F(StorePatternsTest, FlagsReadByShape) {
  const struct {
    const char* shape;
    bool dwordFlag, invertedFlag, stringFlag;
  } cases[] = {
      {"missing", false, false, false},  {"dword 0", false, true, false},  {"dword 1", true, false, false},
      {"dword 5", true, false, false},   {"string 1", false, false, true}, {"string 0", false, false, false},
      {"binary 1", false, false, false},
  };
  for (const auto& c : cases) {
    reg.deleteValue("v");
    storeShape(reg, c.shape);
    EXPECT_EQ(readDwordFlag(reg, "v"), c.dwordFlag) << c.shape;
    EXPECT_EQ(readInvertedDwordFlag(reg, "v"), c.invertedFlag) << c.shape;
    EXPECT_EQ(readStringFlag(reg, "v"), c.stringFlag) << c.shape;
  }
}

TEST_F(StorePatternsTest, AFlagStoredAsStringBecomesADwordWhenApplied) {
  reg.writeString("NoDispCPL", "1");
  EXPECT_FALSE(readDwordFlag(reg, "NoDispCPL"));
  writeDwordFlag(reg, "NoDispCPL", true);
  EXPECT_EQ(reg.valueKind("NoDispCPL"), ValueKind::Dword);
  EXPECT_EQ(reg.readDword("NoDispCPL"), 1);
}

TEST_F(StorePatternsTest, WritesOfEachFlagKind) {
  writeDwordFlag(reg, "a", false);
  writeInvertedDwordFlag(reg, "b", true);
  writeInvertedDwordFlag(reg, "c", false);
  writeStringFlag(reg, "d", true);
  writeStringFlag(reg, "e", false);
  EXPECT_EQ(reg.readDword("a"), 0);
  EXPECT_EQ(reg.readDword("b"), 0);
  EXPECT_EQ(reg.readDword("c"), 1);
  EXPECT_EQ(reg.readString("d"), "1");
  EXPECT_EQ(reg.readString("e"), "0");
}

TEST_F(StorePatternsTest, WriteThenPruneLeavesOnlyTheCheckedBoxes) {
  reg.writeDword("NoDispCPL", 1);
  reg.writeString("NoDispBackgroundPage", "x");
  writeThenPrune(reg,
                 {{"NoDispCPL", false}, {"NoDispBackgroundPage", false}, {"NoDispAppearancePage", false}});
  EXPECT_TRUE(reg.valueNames().empty());

  writeThenPrune(reg, {{"NoDispCPL", true}, {"NoDispBackgroundPage", false}, {"NoDispAppearancePage", true}});
  EXPECT_EQ(reg.valueNames(), (std::vector<std::string>{"NoDispAppearancePage", "NoDispCPL"}));
  EXPECT_EQ(reg.readDword("NoDispCPL"), 1);
}

TEST_F(StorePatternsTest, GuardedReadsFallBackOnMissingOrOtherKinds) {
  reg.writeDword("number", 12);
  reg.writeString("text", "abc");
  reg.writeBinary("bytes", std::vector<std::uint8_t>{1, 2, 3});
  EXPECT_EQ(guardedReadString(reg, "number", "def"), "def");
  EXPECT_EQ(guardedReadString(reg, "text", "def"), "abc");
  EXPECT_EQ(guardedReadString(reg, "missing"), "");
  EXPECT_EQ(guardedReadDword(reg, "text", -1), -1);
  EXPECT_EQ(guardedReadDword(reg, "number", -1), 12);
  EXPECT_EQ(guardedReadBinary(reg, "bytes"), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(guardedReadBinary(reg, "text").empty());
}

TEST_F(StorePatternsTest, ReadWithoutCreateWriteWithCreate) {
  RegistryHandle loader(registry);
  EXPECT_FALSE(openForRead(loader, "Software\\Morvane\\Kelvaro"));
  EXPECT_FALSE(loader.keyExists("Software\\Morvane"));
  EXPECT_TRUE(openForWrite(loader, "Software\\Morvane\\Kelvaro"));
  EXPECT_TRUE(openForRead(loader, "\\Software\\Morvane\\Kelvaro"));
}

TEST(NumberAsText, ParsesIntegersAndNamesTheBadText) {
  const struct {
    const char* text;
    std::int32_t value;
  } good[] = {{"0", 0},
              {"123", 123},
              {"  42", 42},
              {"-5", -5},
              {"+7", 7},
              {"$1F", 31},
              {"0x10", 16},
              {"2147483647", 2147483647},
              {"-2147483648", -2147483647 - 1},
              {"$FFFFFFFF", -1}};
  for (const auto& c : good) EXPECT_EQ(numberFromText(c.text), c.value) << c.text;

  for (const char* bad :
       {"", " ", "12a", "1.5", "12 ", "2147483648", "-", "$", "0x", "--1", "1e3", "$1FFFFFFFF"}) {
    try {
      numberFromText(bad);
      ADD_FAILURE() << "accepted '" << bad << "'";
    } catch (const StoreError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST_F(StorePatternsTest, NumbersStoredAsText) {
  writeNumberText(reg, "HungAppTimeout", 5000);
  EXPECT_EQ(reg.readString("HungAppTimeout"), "5000");
  EXPECT_EQ(readNumberText(reg, "HungAppTimeout"), 5000);
  reg.writeString("HungAppTimeout", "szybko");
  EXPECT_THROW(readNumberText(reg, "HungAppTimeout"), StoreError);
}

}  // namespace
}  // namespace kelvaro
