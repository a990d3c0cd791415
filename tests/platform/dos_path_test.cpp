#include "platform/dos_path.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

struct ParseCase {
  const char* text;
  const char* expected;  // the path as text() gives it; nullptr when it must be refused
  friend void PrintTo(const ParseCase& c, std::ostream* out) { *out << '"' << c.text << '"'; }
};

class DosPathParse : public ::testing::TestWithParam<ParseCase> {};

TEST_P(DosPathParse, AcceptsOrRefuses) {
  const auto& c = GetParam();
  const auto path = DosPath::parse(c.text);
  if (!c.expected) {
    EXPECT_FALSE(path.has_value()) << c.text;
  } else {
    ASSERT_TRUE(path.has_value()) << c.text;
    EXPECT_EQ(path->text(), c.expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DosPathParse,
    ::testing::Values(
        ParseCase{"C:\\WINDOWS\\logow.sys", "C:\\WINDOWS\\logow.sys"},
        ParseCase{"c:\\windows\\", "C:\\windows"}, ParseCase{"C:", "C:\\"}, ParseCase{"z:\\", "Z:\\"},
        ParseCase{"C:\\\\a\\\\\\b", "C:\\a\\b"},
        // Windows drops trailing dots and spaces of a name.
        ParseCase{"C:\\a.\\b .. ", "C:\\a\\b"},
        ParseCase{"C:\\Moje dokumenty\\Zażółć gęślą.txt", "C:\\Moje dokumenty\\Zażółć gęślą.txt"},
        ParseCase{"C:\\.hidden", "C:\\.hidden"}, ParseCase{"C:\\a\\...x", "C:\\a\\...x"},
        // Refused: no drive, relative to a drive, UNC, escapes, forbidden characters.
        ParseCase{"", nullptr}, ParseCase{"WINDOWS", nullptr}, ParseCase{"\\WINDOWS", nullptr},
        ParseCase{"\\\\server\\share", nullptr}, ParseCase{"C:WINDOWS", nullptr}, ParseCase{"1:\\a", nullptr},
        ParseCase{"C:\\a\\..\\b", nullptr}, ParseCase{"C:\\..", nullptr}, ParseCase{"C:\\a\\.", nullptr},
        ParseCase{"C:\\...", nullptr}, ParseCase{"C:\\ . ", nullptr}, ParseCase{"C:\\a/..\\b", nullptr},
        ParseCase{"C:\\a/b", nullptr}, ParseCase{"C:\\a:b", nullptr}, ParseCase{"C:\\*.*", nullptr},
        ParseCase{"C:\\a?", nullptr}, ParseCase{"C:\\\"a\"", nullptr}, ParseCase{"C:\\a<b", nullptr},
        ParseCase{"C:\\a>b", nullptr}, ParseCase{"C:\\a|b", nullptr}, ParseCase{"C:\\a\tb", nullptr},
        ParseCase{"C:\\a\nb", nullptr}, ParseCase{"C:\\\xff\xfe", nullptr},
        ParseCase{"C:\\\xc0\xaf", nullptr}));

TEST(DosPath, ParentOfRootIsRoot) {
  const auto path = DosPath::parse("C:\\a\\b");
  ASSERT_TRUE(path);
  EXPECT_EQ(path->parent().text(), "C:\\a");
  EXPECT_EQ(path->parent().parent().text(), "C:\\");
  EXPECT_TRUE(path->parent().parent().parent().isRoot());
}

TEST(DosPath, ValidNamesAreTheOnesKeptAsGiven) {
  EXPECT_TRUE(isValidDosName("Zażółć.txt"));
  EXPECT_TRUE(isValidDosName(".profile"));
  EXPECT_FALSE(isValidDosName("a."));
  EXPECT_FALSE(isValidDosName("a "));
  EXPECT_FALSE(isValidDosName("a\\b"));
  EXPECT_FALSE(isValidDosName(".."));
  EXPECT_FALSE(isValidDosName(""));
}

}  // namespace
}  // namespace kelvaro
