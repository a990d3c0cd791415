// The family name of font files: our fixtures, their corruptions, and the
// host's fonts compared with what fontconfig reads from them.
#include <gtest/gtest.h>

#include <filesystem>

#include "format_fixtures.h"
#include "platform/formats/file_bytes.h"
#include "platform/formats/font_names.h"
#include "platform/formats/format_error.h"

namespace kelvaro::testing {
namespace {

using formats::ByteView;
using formats::fontFamilyName;

std::optional<std::string> familyOf(const Bytes& font) { return fontFamilyName(ByteView(font)); }

TEST(FontNamesTest, TheWindowsUsEnglishNameWinsThenAnyWindowsNameThenTheMacintoshOne) {
  EXPECT_EQ(familyOf(fontFile({{.platform = 1, .language = 0, .text = u"Mac"},
                               {.language = 0x415, .text = u"Polska"},
                               {.text = u"Zażółć Sans"}})),
            "Zażółć Sans");
  EXPECT_EQ(familyOf(fontFile(
                {{.platform = 1, .language = 0, .text = u"Mac"}, {.language = 0x415, .text = u"Polska"}})),
            "Polska");
  EXPECT_EQ(familyOf(fontFile({{.platform = 1, .language = 0, .text = u"Mac"}})), "Mac");
  EXPECT_EQ(familyOf(fontFile({{.text = u"Kolekcja"}}, true)), "Kolekcja");
  EXPECT_EQ(familyOf(fontFile({})), std::nullopt);
  EXPECT_EQ(familyOf(fontFile({{.text = u""}})), std::nullopt);
}

TEST(FontNamesTest, BrokenFilesAreFormatErrors) {
  const Bytes good = fontFile({{.text = u"Dobra"}});
  struct Case {
    const char* what;
    std::size_t at;  // a byte set to 0xFF, or the length to cut to
    bool cut;
  } cases[] = {
      {"another magic", 0, false},
      {"cut in the table directory", 20, true},
      {"table past the end", 20, false},                 // the name table's offset
      {"name past the table", 12 + 16 + 6 + 10, false},  // the record's string offset
      {"cut in the name table", good.size() - 3, true},
  };
  for (const Case& c : cases) {
    Bytes bad = good;
    if (c.cut)
      bad.resize(c.at);
    else
      bad[c.at] = 0xFF;
    EXPECT_THROW(familyOf(bad), formats::FormatError) << c.what;
  }
}

TEST(FontNamesTest, TheHostsFontsHaveTheFamiliesFontconfigReads) {
  int compared = 0;
  for (const char* folder : {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/truetype/liberation",
                             "/usr/share/fonts/opentype/urw-base35"}) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
      const formats::FileBytes bytes(entry.path());
      ASSERT_TRUE(bytes.isOpen()) << entry.path();
      const auto family = fontFamilyName(bytes.view());
      std::string fontconfig;
      ASSERT_EQ(runCommand("fc-query -f '%{family}' " + shellQuote(entry.path().string()), &fontconfig), 0);
      ASSERT_TRUE(family.has_value()) << entry.path();
      // fontconfig lists every family name the file gives; ours is one of them.
      EXPECT_NE(("," + fontconfig + ",").find("," + *family + ","), std::string::npos)
          << entry.path() << ": " << *family << " vs " << fontconfig;
      ++compared;
    }
  }
  if (compared == 0) GTEST_SKIP() << "none of the packaged font folders is installed";
}

}  // namespace
}  // namespace kelvaro::testing
