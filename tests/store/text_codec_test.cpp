#include "store/text_codec.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

TEST(TextCodec, Utf8AndUtf16RoundTripIncludingSurrogatePairs) {
  for (const std::string s : {"", "ascii", "zażółć gęślą jaźń", "€ 漢字", "\xF0\x9F\x98\x80 emoji"}) {
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(s)), s);
  }
  EXPECT_EQ(utf8ToUtf16("\xF0\x9F\x98\x80"), (std::u16string{0xD83D, 0xDE00}));
}

TEST(TextCodec, MalformedInputBecomesReplacementCharacters) {
  EXPECT_EQ(utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(utf8ToUtf16("\xC4"), u"\uFFFD");                      // cut short
  EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong
  EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(utf16ToUtf8(std::u16string{u'a', 0xD800, u'b'}),
            "a\xEF\xBF\xBD"
            "b");
}

TEST(TextCodec, NamesCompareLowerCasedUnitByUnitShorterFirst) {
  EXPECT_EQ(compareNames(u"ABC", u"abc"), 0);
  EXPECT_LT(compareNames(u"_", u"a"), 0);  // '_' is below the lower-case letters
  EXPECT_LT(compareNames(u"ab", u"abc"), 0);
  EXPECT_GT(compareNames(u"b", u"abc"), 0);
  EXPECT_TRUE(namesEqual(u"ŻÓŁW", u"żółw"));
  EXPECT_FALSE(namesEqual(u"a", u"ab"));
}

TEST(TextCodec, AnsiCodePagesThroughIconv) {
  EXPECT_EQ(decodeCodePage("\xA5\xB9\xCA\xEA", "CP1250"), "ĄąĘę");
  EXPECT_EQ(encodeCodePage("ĄąĘę", "CP1250"), "\xA5\xB9\xCA\xEA");
  EXPECT_EQ(decodeCodePage("a\x98"
                           "b",
                           "CP1250"),
            "a\uFFFD"
            "b");  // 0x98 is undefined in windows-1250
  EXPECT_EQ(encodeCodePage("x漢y", "CP1250"), "x?y");
  EXPECT_EQ(decodeCodePage("\xE9", "NO-SUCH-CODEPAGE"), "é");
}

TEST(TextCodec, ATextLongerThanOneConversionBufferIsConvertedWhole) {
  std::string upper, lower;
  for (int i = 0; i < 1500; ++i) upper += "Ą", lower += "ą";
  const std::string ansiUpper(1500, '\xA5'), ansiLower(1500, '\xB9');
  EXPECT_EQ(decodeCodePage(ansiUpper + "\x98" + ansiLower, "CP1250"), upper + "\uFFFD" + lower);
  EXPECT_EQ(encodeCodePage(upper + "漢" + lower, "CP1250"), ansiUpper + "?" + ansiLower);
}

}  // namespace
}  // namespace kelvaro
