#include "store/wine_registry_format.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>
#include <string>
#include <vector>

#include "store/registry_tree.h"

namespace kelvaro::winereg {
namespace {

// Test names from the cases' descriptions.
template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
  std::string name;
  for (const char c : std::string(info.param.what)) {
    name.push_back(std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
  }
  return name;
}

std::vector<std::uint8_t> bytes(std::initializer_list<int> list) {
  std::vector<std::uint8_t> out;
  for (const int b : list) out.push_back(static_cast<std::uint8_t>(b));
  return out;
}

std::vector<std::uint8_t> sz(std::u16string_view text) {
  std::vector<std::uint8_t> out;
  for (const char16_t u : text) {
    out.push_back(static_cast<std::uint8_t>(u & 0xFF));
    out.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  out.push_back(0);
  out.push_back(0);
  return out;
}

struct EscapeCase {
  const char* what;
  std::u16string units;
  const char* delimiters;
  std::string text;
};

void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.what; }

class EscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTest, WritesAsWineserverAndReadsBack) {
  const EscapeCase& c = GetParam();
  std::string out;
  const std::size_t n = appendEscaped(out, c.units, c.delimiters);
  EXPECT_EQ(out, c.text);
  EXPECT_EQ(n, out.size());
  std::u16string back;
  EXPECT_EQ(parseEscaped(out + c.delimiters[1], c.delimiters[1], back),
            static_cast<std::ptrdiff_t>(out.size() + 1));
  EXPECT_EQ(back, c.units);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EscapeTest,
    ::testing::Values(EscapeCase{"hex before a hex digit", u"\u0105a", "\"\"", "\\x0105a"},
                      EscapeCase{"hex before a non-hex letter", u"\u0105g", "\"\"", "\\x105g"},
                      EscapeCase{"hex at the end", u"\u017c", "\"\"", "\\x17c"},
                      EscapeCase{"hex before hex", u"\u0105\u0107", "\"\"", "\\x105\\x107"},
                      EscapeCase{"hex before a digit", u"\u00f31", "\"\"", "\\x00f31"},
                      EscapeCase{"octal before an octal digit",
                                 u"\x01"
                                 u"7",
                                 "\"\"", "\\0017"},
                      EscapeCase{"octal before 8",
                                 u"\x01"
                                 u"8",
                                 "\"\"", "\\18"},
                      EscapeCase{"NUL before 0", std::u16string(1, u'\0') + u"0", "\"\"", "\\0000"},
                      EscapeCase{"C escapes", u"\a\b\t\n\v\f\r\x1b", "\"\"", "\\a\\b\\t\\n\\v\\f\\r\\e"},
                      EscapeCase{"other control", u"\x1f", "\"\"", "\\37"},
                      EscapeCase{"surrogate pair", u"\U0001F600", "\"\"", "\\xd83d\\xde00"},
                      EscapeCase{"lone surrogate", u"\xdc00x", "\"\"", "\\xdc00x"},
                      EscapeCase{"DEL as it is", u"\x7f", "\"\"", "\x7f"},
                      EscapeCase{"quote and backslash in a value", u"a\"b\\c[d]", "\"\"", "a\\\"b\\\\c[d]"},
                      EscapeCase{"brackets in a key name", u"a[b]\"c", "[]", "a\\[b\\]\"c"},
                      EscapeCase{"Polish letters", u"Zażółć", "\"\"", "Za\\x17c\\xf3\\x142\\x107"}),
    caseName<EscapeCase>);

struct ParseCase {
  const char* what;
  std::string text;  // without the closing quote's line end
  std::ptrdiff_t used;
  std::u16string units;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.what; }

class ParseEscapedTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseEscapedTest, ReadsAsWineserver) {
  const ParseCase& c = GetParam();
  std::u16string units;
  EXPECT_EQ(parseEscaped(c.text, '"', units), c.used);
  if (c.used >= 0) {
    EXPECT_EQ(units, c.units);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseEscapedTest,
    ::testing::Values(ParseCase{"greedy hex takes four digits", "\\x10561\"", 8, u"\u10561"},
                      ParseCase{"hex without digits is x", "\\xg\"", 4, u"xg"},
                      ParseCase{"octal takes three digits", "\\7777\"", 6, u"\u01ff7"},
                      ParseCase{"8 is not octal", "\\8\"", 3, u"8"},
                      ParseCase{"other escapes stand for themselves", "\\q\\[\\\"\"", 7, u"q[\""},
                      ParseCase{"raw UTF-8", "zażółć\"", 11, u"zażółć"},
                      ParseCase{"four-byte UTF-8 becomes a pair", "\xf0\x9f\x98\x80\"", 5, u"\U0001F600"},
                      ParseCase{"a cut sequence is dropped", "a\xc3(b\"", 5, u"a(b"},
                      ParseCase{"a stray continuation byte is dropped",
                                "a\x80"
                                "b\"",
                                4, u"ab"},
                      ParseCase{"an overlong form is dropped",
                                "a\xe0\x80\xaf"
                                "b\"",
                                6, u"ab"},
                      ParseCase{"encoded surrogates are kept", "\xed\xa0\x80\"", 4, u"\xd800"},
                      ParseCase{"no closing quote", "abc", -1, u""},
                      ParseCase{"an escaped quote does not close", "abc\\\"", -1, u""},
                      ParseCase{"a backslash at the end", "abc\\", -1, u""}),
    caseName<ParseCase>);

struct ValueCase {
  const char* what;
  std::string text;  // the value's lines as a file holds them
  std::u16string name;
  std::uint32_t type;
  std::vector<std::uint8_t> data;
  std::string written;  // how wineserver writes it back ("" when the same)
};

void PrintTo(const ValueCase& c, std::ostream* os) { *os << c.what; }

class ValueTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ValueTest, ParsesAndWritesAsWineserver) {
  const ValueCase& c = GetParam();
  LineReader reader(c.text);
  Line line;
  ASSERT_TRUE(reader.next(line));
  ParsedValue v;
  ASSERT_TRUE(parseValue(trimLeft(line.text), reader, v));
  EXPECT_EQ(reader.position(), c.text.size()) << "the whole record is one value";
  EXPECT_EQ(v.name, c.name);
  EXPECT_EQ(v.type, c.type);
  EXPECT_EQ(v.data, c.data);
  std::string out;
  appendValue(out, v.name, v.type, v.data);
  EXPECT_EQ(out, c.written.empty() ? c.text : c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValueTest,
    ::testing::Values(
        ValueCase{"string", "\"Name\"=\"Zażółć\"\n", u"Name", kRegSz, sz(u"Zażółć"),
                  "\"Name\"=\"Za\\x17c\\xf3\\x142\\x107\"\n"},
        ValueCase{"default value", "@=\"x\"\n", u"", kRegSz, sz(u"x"), ""},
        ValueCase{"str: is a string", "\"a\"=str:\"x\"\n", u"a", kRegSz, sz(u"x"), "\"a\"=\"x\"\n"},
        ValueCase{"expandable string", "\"p\"=str(2):\"%SystemRoot%\\\\x\"\n", u"p", kRegExpandSz,
                  sz(u"%SystemRoot%\\x"), ""},
        ValueCase{"multi-string keeps inner NULs", "\"m\"=str(7):\"a\\0b\\0\"\n", u"m", kRegMultiSz,
                  sz(std::u16string(u"a\0b\0", 4)), ""},
        ValueCase{"dword", "\"d\"=dword:0000002a\n", u"d", kRegDword, bytes({0x2a, 0, 0, 0}), ""},
        ValueCase{"short dword text", "\"d\"=dword:2A\n", u"d", kRegDword, bytes({0x2a, 0, 0, 0}),
                  "\"d\"=dword:0000002a\n"},
        ValueCase{"negative dword", "\"d\"=dword:-1\n", u"d", kRegDword, bytes({0xff, 0xff, 0xff, 0xff}),
                  "\"d\"=dword:ffffffff\n"},
        ValueCase{"dword garbage is 0", "\"d\"=dword:zz\n", u"d", kRegDword, bytes({0, 0, 0, 0}),
                  "\"d\"=dword:00000000\n"},
        ValueCase{"dword keeps the low 32 bits", "\"d\"=dword:100000001\n", u"d", kRegDword,
                  bytes({1, 0, 0, 0}), "\"d\"=dword:00000001\n"},
        ValueCase{"binary", "\"b\"=hex:00,ff,10\n", u"b", kRegBinary, bytes({0, 0xff, 0x10}), ""},
        ValueCase{"empty binary", "\"b\"=hex:\n", u"b", kRegBinary, {}, ""},
        ValueCase{"hex() without digits is kind 0", "\"n\"=hex():01\n", u"n", kRegNone, bytes({1}),
                  "\"n\"=hex(0):01\n"},
        ValueCase{"REG_SZ without its NUL", "\"s\"=hex(1):61,00,62,00\n", u"s", kRegSz,
                  bytes({0x61, 0, 0x62, 0}), ""},
        ValueCase{"REG_SZ of odd length", "\"s\"=hex(1):61\n", u"s", kRegSz, bytes({0x61}), ""},
        ValueCase{"DWORD of five bytes", "\"d\"=hex(4):01,02,03,04,05\n", u"d", kRegDword,
                  bytes({1, 2, 3, 4, 5}), ""},
        ValueCase{"link", "\"SymbolicLinkValue\"=hex(6):5c,00,41,00\n", u"SymbolicLinkValue", kRegLink,
                  bytes({0x5c, 0, 0x41, 0}), ""},
        ValueCase{"spaces around = and commas", "\"a\" = hex:01 , 02,\\\n  03\n", u"a", kRegBinary,
                  bytes({1, 2, 3}), "\"a\"=hex:01,02,03\n"},
        ValueCase{"continued hex", "\"a\"=hex:01,\\\n  02,\\\n  03\n", u"a", kRegBinary, bytes({1, 2, 3}),
                  "\"a\"=hex:01,02,03\n"},
        ValueCase{"0x inside hex data", "\"a\"=hex:0x1f\n", u"a", kRegBinary, bytes({0x1f}),
                  "\"a\"=hex:1f\n"},
        ValueCase{"escaped name", "\"a\\\"b\\x17c\"=\"\"\n", u"a\"bż", kRegSz, sz(u""), ""}),
    caseName<ValueCase>);

// Hex data wraps once a line passes column 76, counting the name.
TEST(ValueWrapTest, HexWrapsAfterColumn76) {
  std::vector<std::uint8_t> data(60, 0xab);
  std::string out;
  appendValue(out, u"Name", kRegBinary, data);
  // "Name"=hex: is 11 columns: 22 bytes fit on the first line, 25 on the next.
  std::string expected = "\"Name\"=hex:";
  for (int i = 0; i < 22; ++i) expected += "ab,";
  expected += "\\\n  ";
  for (int i = 0; i < 25; ++i) expected += "ab,";
  expected += "\\\n  ";
  for (int i = 0; i < 12; ++i) expected += "ab,";
  expected += "ab\n";
  EXPECT_EQ(out, expected);

  // A line reaching column 76 exactly does not wrap yet: "Nam"=hex: is 10 columns.
  out.clear();
  appendValue(out, u"Nam", kRegBinary, data);
  EXPECT_EQ(out.find('\\'), 10u + 23 * 3) << out;

  // A line that ends exactly at the last byte does not wrap.
  out.clear();
  appendValue(out, u"Name", kRegBinary, std::vector<std::uint8_t>(22, 0xab));
  EXPECT_EQ(out.find('\\'), std::string::npos) << out;
}

class MalformedValueTest : public ::testing::TestWithParam<std::string> {};

TEST_P(MalformedValueTest, IsRefused) {
  const std::string& text = GetParam();
  LineReader reader(text);
  Line line;
  ASSERT_TRUE(reader.next(line));
  ParsedValue v;
  EXPECT_FALSE(parseValue(trimLeft(line.text), reader, v)) << text;
}

INSTANTIATE_TEST_SUITE_P(Table, MalformedValueTest,
                         ::testing::Values("\"a\"\n", "\"a\"=\n", "\"a\"=str(1):\"x\"\n", "\"a\"=\"x\n",
                                           "@x=\"a\"\n", "\"a\"=hex(1:00\n", "\"a\"=hex: 01\n",
                                           "\"a\"=hex:1ff\n", "\"a\"=hex:01,\\\n", "\"a\"=hex:01;\n",
                                           "\"a=\"x\"\n"));

TEST(LineReaderTest, StripsLineEndsAsFgetsReadsThem) {
  LineReader reader("a\r\nb\n\nc\r");
  Line line;
  std::vector<std::string> lines;
  while (reader.next(line)) lines.emplace_back(line.text);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "", "c\r"}));
}

TEST(KeyHeaderTest, SecondsAndTimeAsWineserverWritesThem) {
  std::string out;
  const std::uint64_t modif = 0x1dd88961939ff5aULL;
  appendKeyHeader(out, {u"Software", u"A[1]"}, modif);
  const auto seconds = (modif - kUnixEpochTicks) / kTicksPerSecond;
  EXPECT_EQ(out, "[Software\\\\A\\[1\\]] " + std::to_string(seconds) + "\n#time=1dd88961939ff5a\n");
  out.clear();
  appendTimeLine(out, 0x12345678ULL);
  EXPECT_EQ(out, "#time=012345678\n");
  EXPECT_EQ(parseTimeOption("1dd88961939ff5a zz"), modif);
  std::uint32_t s = 0;
  EXPECT_TRUE(parseSeconds(" 1796900614", s));
  EXPECT_EQ(s, 1796900614u);
  EXPECT_FALSE(parseSeconds(" x", s));
}

}  // namespace
}  // namespace kelvaro::winereg
