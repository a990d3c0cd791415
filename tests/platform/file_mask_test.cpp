#include "platform/file_mask.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

struct MaskCase {
  const char* mask;
  const char* name;
  bool matches;
  friend void PrintTo(const MaskCase& c, std::ostream* out) {
    *out << '"' << c.mask << "\" on \"" << c.name << '"';
  }
};

class FileMaskMatch : public ::testing::TestWithParam<MaskCase> {};

TEST_P(FileMaskMatch, FollowsWindowsWildcards) {
  const auto& c = GetParam();
  EXPECT_EQ(FileMask(c.mask).matches(c.name), c.matches) << "mask " << c.mask << " name " << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileMaskMatch,
    ::testing::Values(
        // "*.*" is every name, with or without a dot.
        MaskCase{"*.*", "README", true}, MaskCase{"*.*", "a.b.c", true}, MaskCase{"*.*", ".profile", true},
        MaskCase{"*", "anything.at all", true},
        // An extension mask: the last dot, any case.
        MaskCase{"*.scr", "Logon.scr", true}, MaskCase{"*.scr", "LOGON.SCR", true},
        MaskCase{"*.scr", "a.b.scr", true}, MaskCase{"*.scr", "a.scr.txt", false},
        MaskCase{"*.scr", "ascr", false}, MaskCase{"*.scr", "a.scrx", true}, MaskCase{"*.scr", ".scr", true},
        // The short name counts too: "strona.html" is "STRONA~1.HTM".
        MaskCase{"*.htm", "strona.html", true}, MaskCase{"*.htm", "strona.ht", false},
        MaskCase{"*.exe", "Long Program Name.exe", true}, MaskCase{"*.ex", "Long Program Name.exe", false},
        MaskCase{"*.a_b", "x.a+bc", true}, MaskCase{"*.abc", "x.a bcd", true},
        // Several patterns.
        MaskCase{"*.exe;*.dll;*.icl;*.ico", "shell32.DLL", true},
        MaskCase{"*.exe;*.dll;*.icl;*.ico", "moricons.icl", true},
        MaskCase{"*.exe;*.dll;*.icl;*.ico", "Ikona.ico", true},
        MaskCase{"*.exe;*.dll;*.icl;*.ico", "readme.txt", false},
        MaskCase{"*.exe;*.dll;*.icl;*.ico", "a.icon",
                 true},  // A~1.ICO MaskCase{" *.txt ; *.ini", "win.ini", true},
        // "*." is names without an extension.
        MaskCase{"*.", "README", true}, MaskCase{"*.", "a.txt", false},
        // "?" is one character, or none before a dot or at the end.
        MaskCase{"a?c", "abc", true}, MaskCase{"a?c", "ac", false}, MaskCase{"ab?", "ab", true},
        MaskCase{"ab??.txt", "ab.txt", true}, MaskCase{"ab??.txt", "abcd.txt", true},
        MaskCase{"ab?.txt", "abcd.txt", false}, MaskCase{"?", ".x", false},
        // A dot before a wildcard also matches the end of a name without one.
        MaskCase{"abc.*", "abc", true}, MaskCase{"abc.*", "abc.d", true}, MaskCase{"abc.*", "abcd", false},
        // Polish letters compare without regard to case.
        MaskCase{"ŻÓŁW*.bmp", "żółw.bmp", true}, MaskCase{"*ą*", "BĄK", true},
        // Plain names and the empty mask.
        MaskCase{"win.ini", "WIN.INI", true}, MaskCase{"win.ini", "win.ini.bak", false},
        MaskCase{"", "a", false}, MaskCase{";", "a", false}));

TEST(FileMask, LongNamesWithManyStarsStayQuick) {
  // Backtracking without memory would take exponential time here.
  const std::string name(200, 'a');
  EXPECT_FALSE(FileMask("*a*a*a*a*a*a*a*a*a*a*a*a*b").matches(name));
}

}  // namespace
}  // namespace kelvaro
