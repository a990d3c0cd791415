#include "store/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "store/store_error.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("kelvaro-ini-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    path = dir / "win.ini";
  }
  void TearDown() override { fs::remove_all(dir); }

  void put(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
  std::string contents() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path dir;
  fs::path path;
};

TEST_F(IniFileTest, AMissingFileReadsAsEmptyAndIsNotCreatedByReadsOrErase) {
  IniFile ini(path);
  EXPECT_EQ(ini.readString("colors", "Background", "def"), "def");
  EXPECT_FALSE(ini.sectionExists("colors"));
  EXPECT_TRUE(ini.readSectionValues("colors").empty());
  ini.eraseSection("colors");
  EXPECT_FALSE(fs::exists(path));
}

TEST_F(IniFileTest, LookupsAreCaseInsensitiveFirstMatchTrimmedAndUnquoted) {
  put("[Desktop]\r\n"
      "  Wallpaper =  C:\\WINDOWS\\chmury.bmp  \r\n"
      "wallpaper=second\r\n"
      "Quoted=\"  spaced  \"\r\n"
      "Half=\"open\r\n"
      "; Comment=no\r\n"
      "[desktop]\r\n"
      "Later=hidden\r\n");
  IniFile ini(path);
  EXPECT_EQ(ini.readString("DESKTOP", "WALLPAPER", ""), "C:\\WINDOWS\\chmury.bmp");
  EXPECT_EQ(ini.readString("desktop", "quoted", ""), "  spaced  ");
  EXPECT_EQ(ini.readString("desktop", "half", ""), "\"open");
  EXPECT_EQ(ini.readString("desktop", "; Comment", "none"), "none");
  EXPECT_EQ(ini.readString("desktop", "Later", "none"), "none");  // only the first section counts
}

TEST_F(IniFileTest, SectionValuesAreKeyEqualsValueInFileOrder) {
  put("[Patterns]\r\n(Brak)=(Brak)\r\nCeg\xB3y=187 1 1 1 187 1 1 1\r\n\r\nFlag\r\n[Other]\r\nx=1\r\n");
  IniFile ini(path);
  EXPECT_EQ(ini.readSectionValues("patterns"),
            (std::vector<std::string>{"(Brak)=(Brak)", "Cegły=187 1 1 1 187 1 1 1", "Flag="}));
}

TEST_F(IniFileTest, SectionExistsNeedsAnEntry) {
  put("[Empty]\r\n; only a comment\r\n\r\n[Full]\r\na=1\r\n");
  IniFile ini(path);
  EXPECT_FALSE(ini.sectionExists("empty"));
  EXPECT_TRUE(ini.sectionExists("FULL"));
}

TEST_F(IniFileTest, WritingAnEntryChangesOnlyItsLine) {
  const std::string before =
      "; win.ini of a Polish Windows 98\r\n"
      "[windows]\r\n"
      "load=\r\n"
      "run =  \r\n"
      "\r\n"
      "[colors]\r\n"
      "Background=0 128 128\r\n"
      "Window=255 255 255\r\n"
      "\r\n"
      "[fonts]\r\n";
  put(before);
  IniFile ini(path);
  ini.writeString("COLORS", "window", "192 192 192");
  std::string expected = before;
  expected.replace(expected.find("Window=255 255 255"), 18, "Window=192 192 192");
  EXPECT_EQ(contents(), expected);
}

TEST_F(IniFileTest, NewEntriesGoAfterTheSectionsLastEntryAndNewSectionsAtTheEnd) {
  put("[colors]\r\nBackground=0 128 128\r\n\r\n[fonts]\r\nArial=arial.ttf");
  IniFile ini(path);
  ini.writeString("colors", "Menu", "192 192 192");
  ini.writeString("fonts", "Tahoma", "tahoma.ttf");
  ini.writeString("Patterns", "Kratka", "1 2 3");
  EXPECT_EQ(contents(),
            "[colors]\r\nBackground=0 128 128\r\nMenu=192 192 192\r\n\r\n[fonts]\r\nArial=arial.ttf\r\n"
            "Tahoma=tahoma.ttf\r\n\r\n[Patterns]\r\nKratka=1 2 3\r\n");
  EXPECT_EQ(ini.readString("patterns", "kratka", ""), "1 2 3");
}

TEST_F(IniFileTest, WritingCreatesAMissingFileAndKeepsUnixLineEndsOfAnExistingOne) {
  IniFile fresh(path);
  fresh.writeString("colors", "Background", "0 0 0");
  EXPECT_EQ(contents(), "[colors]\r\nBackground=0 0 0\r\n");

  put("[a]\nx=1\n");
  IniFile unixFile(path);
  unixFile.writeString("a", "y", "2");
  EXPECT_EQ(contents(), "[a]\nx=1\ny=2\n");
}

TEST_F(IniFileTest, EraseSectionRemovesItsHeaderAndEntriesOnly) {
  put("[keep]\r\na=1\r\n[colors]\r\nBackground=0 0 0\r\nMenu=1 1 1\r\n[Colors]\r\nx=2\r\n[after]\r\nb=2\r\n");
  IniFile ini(path);
  ini.eraseSection("COLORS");
  EXPECT_EQ(contents(), "[keep]\r\na=1\r\n[after]\r\nb=2\r\n");
  EXPECT_FALSE(ini.sectionExists("colors"));
}

TEST_F(IniFileTest, TextIsInTheAnsiCodePage) {
  put("[Sekcja]\r\nNazwa=\xBF\xF3\xB3\xE6\r\n");  // "żółć" in windows-1250
  IniFile ini(path, "CP1250");
  EXPECT_EQ(ini.readString("sekcja", "nazwa", ""), "żółć");
  ini.writeString("Sekcja", "Inna", "gęś");
  EXPECT_EQ(contents(), "[Sekcja]\r\nNazwa=\xBF\xF3\xB3\xE6\r\nInna=g\xEA\x9C\r\n");
  // A character the code page lacks becomes '?', as Windows writes it.
  ini.writeString("Sekcja", "Inna", "a€漢");
  EXPECT_EQ(ini.readString("Sekcja", "Inna", ""), "a€?");
}

TEST_F(IniFileTest, ByteOrderMarksAreHonouredAndKept) {
  const std::string utf16 =
      std::string("\xFF\xFE", 2) + std::string("[\0a\0]\0\r\0\n\0k\0=\0\x05\x01\r\0\n\0", 20);
  put(utf16);
  IniFile wide(path);
  EXPECT_EQ(wide.readString("A", "K", ""), "ą");
  wide.writeString("a", "n", "ż");
  EXPECT_EQ(contents(), utf16 + std::string("n\0=\0\x7C\x01\r\0\n\0", 10));

  put("\xEF\xBB\xBF[a]\r\nk=\xC4\x85\r\n");
  IniFile utf8(path, "CP1250");
  EXPECT_EQ(utf8.readString("a", "k", ""), "ą");
  utf8.writeString("a", "k", "ę");
  EXPECT_EQ(contents(), "\xEF\xBB\xBF[a]\r\nk=\xC4\x99\r\n");
}

TEST_F(IniFileTest, AFailedWriteIsAnErrorNamingTheFileAndLeavesNothingBehind) {
  IniFile ini(dir / "missing-dir" / "oeminfo.ini", "CP1250", "C:\\WINDOWS\\SYSTEM\\oeminfo.ini");
  try {
    ini.writeString("General", "Manufacturer", "x");
    FAIL() << "no error";
  } catch (const StoreError& e) {
    EXPECT_STREQ(e.what(), "Unable to write to C:\\WINDOWS\\SYSTEM\\oeminfo.ini");
  }
  EXPECT_FALSE(fs::exists(dir / "missing-dir"));
}

TEST_F(IniFileTest, WritingTheSameValueDoesNotRewriteTheFile) {
  put("[a]\r\nk = same\r\n");
  IniFile ini(path);
  ini.writeString("a", "k", "same");
  EXPECT_EQ(contents(), "[a]\r\nk = same\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace kelvaro
