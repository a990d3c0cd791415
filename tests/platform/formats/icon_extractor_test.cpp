#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format_fixtures.h"
#include "platform/formats/icon_extractor.h"
#include "platform/formats/ne_resource_reader.h"
#include "platform/formats/pe_resource_reader.h"

namespace kelvaro::testing {
namespace {

using formats::ByteView;
using formats::ExtractedIcon;
using formats::IconExtractor;

// One icon group per colour; the colour tells which group came back.
struct Library {
  std::vector<ResourceFixture> resources;
  std::vector<QRgb> colours;  // in the order ExtractIcon counts the groups
};

void addGroup(Library& lib, std::variant<std::uint16_t, std::u16string> name, std::uint16_t firstImage,
              QRgb colour) {
  for (ResourceFixture& r : iconGroup(name, firstImage, {solidIcon(32, colour)})) lib.resources.push_back(r);
  lib.colours.push_back(colour);
}

// Named groups first (case-insensitively ascending), then ids ascending, as
// resource compilers store them. Image id 4 exists, group id 4 does not.
Library fiveGroups() {
  Library lib;
  addGroup(lib, u"ALPHA", 1, 0xFF110000);
  addGroup(lib, u"zeta", 4, 0xFF220000);
  addGroup(lib, std::uint16_t{3}, 7, 0xFF330000);
  addGroup(lib, std::uint16_t{7}, 9, 0xFF440000);
  addGroup(lib, std::uint16_t{200}, 11, 0xFF550000);
  return lib;
}

QRgb colourOf(const ExtractedIcon& icon) { return icon.isNull() ? 0 : icon.large.pixel(16, 16); }

void expectExtractIconCounting(const Bytes& file, const Library& lib) {
  const IconExtractor extractor{ByteView(file)};
  ASSERT_EQ(extractor.count(), static_cast<int>(lib.colours.size()));
  for (int i = 0; i < extractor.count(); ++i) EXPECT_EQ(colourOf(extractor.icon(i)), lib.colours[i]) << i;
  EXPECT_TRUE(extractor.icon(extractor.count()).isNull());
  EXPECT_EQ(colourOf(extractor.icon(-3)), 0xFF330000u);
  EXPECT_EQ(colourOf(extractor.icon(-200)), 0xFF550000u);
  EXPECT_TRUE(extractor.icon(-4).isNull()) << "a negative index is a group id, not an image id";
  EXPECT_TRUE(extractor.icon(-70000).isNull());
}

TEST(IconExtractor, CountsPeIconGroupsLikeExtractIcon) {
  const Library lib = fiveGroups();
  expectExtractIconCounting(peFile(lib.resources), lib);
  expectExtractIconCounting(peFile(lib.resources, true), lib);
}

TEST(IconExtractor, CountsNeIconGroupsInFileOrder) {
  Library lib;
  addGroup(lib, std::uint16_t{7}, 1, 0xFF440000);
  addGroup(lib, u"ICONS", 3, 0xFF110000);
  addGroup(lib, std::uint16_t{3}, 5, 0xFF330000);
  addGroup(lib, std::uint16_t{200}, 8, 0xFF550000);
  // The builder lists named groups first, as for PE.
  std::swap(lib.colours[0], lib.colours[1]);
  for (int shift : {4, 9}) {
    SCOPED_TRACE(shift);
    expectExtractIconCounting(neFile(lib.resources, shift), lib);
  }
}

TEST(IconExtractor, OurPeGroupsAreListedInTheSameOrderByWrestool) {
  TempDir dir;
  const std::filesystem::path dll = dir / "icons.dll";
  writeFile(dll, peFile(fiveGroups().resources));
  std::string listing;
  ASSERT_EQ(runCommand("wrestool -l --type=14 " + shellQuote(dll.string()), &listing), 0);
  std::vector<std::string> names;
  for (std::size_t at = listing.find("--name="); at != std::string::npos;
       at = listing.find("--name=", at + 1)) {
    const std::size_t end = listing.find(' ', at);
    names.push_back(listing.substr(at + 7, end - at - 7));
  }
  EXPECT_EQ(names, (std::vector<std::string>{"'ALPHA'", "'zeta'", "3", "7", "200"})) << listing;
}

TEST(IconExtractor, PicksTheImagesWindowsWouldForLargeAndSmallIcons) {
  Library lib;
  for (ResourceFixture& r : iconGroup(std::uint16_t{1}, 1,
                                      {solidIcon(16, 0xFFFF0000, 4), solidIcon(32, 0xFF00FF00, 4),
                                       solidIcon(32, 0xFF0000FF, 32), solidIcon(48, 0xFFFFFFFF, 32)})) {
    lib.resources.push_back(r);
  }
  for (ResourceFixture& r : iconGroup(std::uint16_t{2}, 10, {solidIcon(48, 0xFF123456, 32)}))
    lib.resources.push_back(r);
  // The extractor reads from the bytes it is given: keep them alive.
  const Bytes file = peFile(lib.resources);
  const IconExtractor extractor{ByteView(file)};
  const ExtractedIcon first = extractor.icon(0);
  EXPECT_EQ(first.large.size(), QSize(32, 32));
  EXPECT_EQ(first.large.pixel(5, 5), 0xFF0000FFu) << "32 x 32 at 32 bits";
  EXPECT_EQ(first.small.size(), QSize(16, 16));
  EXPECT_EQ(first.small.pixel(5, 5), 0xFFFF0000u);
  const ExtractedIcon scaled = extractor.icon(1);
  EXPECT_EQ(scaled.large.size(), QSize(32, 32));
  EXPECT_EQ(scaled.small.size(), QSize(16, 16));
  EXPECT_EQ(scaled.large.pixel(16, 16), 0xFF123456u);
}

TEST(IconExtractor, IcoFilesHaveOneIconAndOtherFilesNone) {
  const Bytes ico = icoFile({solidIcon(16, 0xFF00FF00), solidIcon(32, 0xFF0000FF)});
  const IconExtractor fromIco{ByteView(ico)};
  EXPECT_EQ(fromIco.count(), 1);
  EXPECT_EQ(colourOf(fromIco.icon(0)), 0xFF0000FFu);
  EXPECT_TRUE(fromIco.icon(1).isNull());
  EXPECT_TRUE(fromIco.icon(-1).isNull());
  const Bytes nothing;
  const Bytes text = {'h', 'e', 'l', 'l', 'o'};
  const Bytes noResources = peFile({{16, std::uint16_t{1}, {0x409}, {1, 2, 3, 4}}});
  Bytes dosOnly(128, 0);
  dosOnly[0] = 'M';
  dosOnly[1] = 'Z';
  for (const Bytes* file : std::initializer_list<const Bytes*>{&nothing, &text, &noResources, &dosOnly}) {
    const IconExtractor extractor{ByteView(*file)};
    EXPECT_EQ(extractor.count(), 0);
    EXPECT_TRUE(extractor.icon(0).isNull());
  }
}

TEST(IconExtractor, CorruptExecutablesGiveNoIconsNeverACrash) {
  const Library lib = fiveGroups();
  const Bytes sample = peFile(lib.resources);
  const std::size_t section = 0x44 + 20 + 224;  // the .rsrc section header
  struct Case {
    std::string name;
    std::function<void(Bytes&)> change;
    int count;
    int readable;  // icons that still come out
  };
  const std::vector<Case> cases = {
      {"e_lfanew past the end", [](Bytes& b) { putU32(b, 0x3C, 0x7FFFFFF0); }, 0, 0},
      {"unknown optional header", [](Bytes& b) { putU16(b, 0x44 + 20, 0x999); }, 0, 0},
      {"optional header larger than the file", [](Bytes& b) { putU16(b, 0x44 + 16, 0xFFFF); }, 0, 0},
      {"resource directory outside every section", [](Bytes& b) { putU32(b, 0x44 + 20 + 96 + 16, 0x90000); },
       0, 0},
      {"section raw data past the end", [section](Bytes& b) { putU32(b, section + 20, 0x7FFF0000); }, 0, 0},
      {"root entry count beyond the section", [](Bytes& b) { putU16(b, 0x400 + 14, 0xFFFF); }, 0, 0},
      {"cut inside the resource data", [](Bytes& b) { b.resize(b.size() - 2000); }, 5, 0},
      {"cut inside the resource tree", [](Bytes& b) { b.resize(0x400 + 40); }, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = sample;
    c.change(bytes);
    const IconExtractor extractor{ByteView(bytes)};
    EXPECT_EQ(extractor.count(), c.count);
    int readable = 0;
    for (const ExtractedIcon& icon : extractor.all()) readable += icon.isNull() ? 0 : 1;
    EXPECT_EQ(readable, c.readable);
  }
}

TEST(IconExtractor, GroupNamingMissingImagesGivesNoIcon) {
  Library lib = fiveGroups();
  // Drop every RT_ICON of the first group (ids 1..): the group stays, its icon is gone.
  std::erase_if(lib.resources,
                [](const ResourceFixture& r) { return r.type == 3 && std::get<std::uint16_t>(r.name) == 1; });
  // The extractor reads from the bytes it is given: keep them alive.
  const Bytes file = peFile(lib.resources);
  const IconExtractor extractor{ByteView(file)};
  EXPECT_EQ(extractor.count(), 5);
  EXPECT_TRUE(extractor.icon(0).isNull());
  EXPECT_FALSE(extractor.icon(1).isNull());
}

}  // namespace
}  // namespace kelvaro::testing
