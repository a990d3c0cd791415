#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format_fixtures.h"
#include "platform/formats/format_error.h"
#include "platform/formats/ico_reader.h"
#include "platform/formats/icon_image.h"

namespace kelvaro::testing {
namespace {

using formats::ByteView;
using formats::FormatError;
using formats::IconFile;
using formats::IconImageDecoder;
using formats::IconImageInfo;
using formats::IcoReader;

QImage pattern(int size, QRgb a, QRgb b, bool transparentCorner) {
  QImage image(size, size, QImage::Format_ARGB32);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) image.setPixel(x, y, (x + y) % 2 ? a : b);
  }
  if (transparentCorner) image.setPixel(0, 0, qRgba(0, 0, 0, 0));
  return image;
}

void expectSamePixels(const QImage& actual, const QImage& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  const QImage a = actual.convertToFormat(QImage::Format_ARGB32);
  const QImage e = expected.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < e.height(); ++y) {
    for (int x = 0; x < e.width(); ++x) {
      const QRgb pa = a.pixel(x, y), pe = e.pixel(x, y);
      // Colour under a fully transparent pixel does not matter.
      if (qAlpha(pe) == 0) {
        EXPECT_EQ(qAlpha(pa), 0) << x << "," << y;
      } else {
        EXPECT_EQ(pa, pe) << x << "," << y;
      }
    }
  }
}

Bytes threeImageIcon() {
  const std::vector<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255)};
  IconEntry small{iconDib(pattern(16, qRgb(255, 0, 0), qRgb(0, 0, 255), true), 4, palette), 16, 16, 4};
  QImage translucent = pattern(32, qRgba(0, 255, 0, 128), qRgb(255, 255, 0), false);
  IconEntry large{iconDib(translucent, 32), 32, 32, 32};
  IconEntry huge{pngBytes(pattern(48, qRgb(1, 2, 3), qRgb(4, 5, 6), true)), 48, 48, 32};
  return icoFile({small, large, huge});
}

TEST(IcoReader, ReadsBitmapAndPngImagesWithTheirTransparency) {
  const IconFile file = IcoReader::read(ByteView(threeImageIcon()));
  ASSERT_EQ(file.images.size(), 3u);
  EXPECT_FALSE(file.cursor);
  expectSamePixels(file.images[0].image, pattern(16, qRgb(255, 0, 0), qRgb(0, 0, 255), true));
  EXPECT_EQ(file.images[0].bitsPerPixel, 4);
  expectSamePixels(file.images[1].image, pattern(32, qRgba(0, 255, 0, 128), qRgb(255, 255, 0), false));
  expectSamePixels(file.images[2].image, pattern(48, qRgb(1, 2, 3), qRgb(4, 5, 6), true));
  EXPECT_EQ(IcoReader::best(file, 32).image.width(), 32);
  EXPECT_EQ(IcoReader::best(file, 16).image.width(), 16);
}

TEST(IcoReader, ThirtyTwoBitImageWithoutAlphaUsesItsMask) {
  QImage image = pattern(8, qRgb(10, 20, 30), qRgb(40, 50, 60), true);
  Bytes dib = iconDib(image, 32);
  for (std::size_t i = 40 + 3; i < 40 + 8 * 8 * 4; i += 4) dib[i] = 0;  // every alpha byte 0
  const IconFile file = IcoReader::read(ByteView(icoFile({{dib, 8, 8, 32}})));
  expectSamePixels(file.images[0].image, image);
}

TEST(IcoReader, CursorKeepsItsHotspot) {
  IconEntry arrow = solidIcon(32, qRgb(0, 0, 0));
  arrow.hotspotX = 5;
  arrow.hotspotY = 7;
  const IconFile file = IcoReader::read(ByteView(icoFile({arrow}, true)));
  EXPECT_TRUE(file.cursor);
  EXPECT_EQ(file.images[0].hotspot, QPoint(5, 7));
}

TEST(IconImageDecoder, ChoosesClosestSizeThenClosestDepthThenEarliest) {
  struct Case {
    std::vector<IconImageInfo> images;
    int size;
    int expected;
  };
  const std::vector<Case> cases = {
      {{{32, 32, 4}, {32, 32, 8}, {32, 32, 32}}, 32, 2},
      {{{32, 32, 32}, {16, 16, 32}}, 16, 1},
      {{{16, 16, 32}, {48, 48, 32}}, 32, 0},  // equally far: the earlier
      {{{24, 24, 32}, {48, 48, 32}}, 32, 0},
      {{{48, 48, 8}, {64, 64, 32}}, 32, 0},  // size before depth
      {{{32, 32, 24}, {32, 32, 8}}, 32, 0},
      {{{32, 32, 8}, {32, 32, 8}}, 32, 0},
      {{}, 32, -1},
  };
  for (const Case& c : cases) EXPECT_EQ(IconImageDecoder::choose(c.images, c.size), c.expected);
}

// Found by fuzzing: planes x bit count overflowed.
TEST(IconImageDecoder, ProbeTakesTheDepthFromTheBitCount) {
  Bytes dib = iconDib(pattern(4, qRgb(1, 1, 1), qRgb(2, 2, 2), false), 32);
  putU16(dib, 12, 65531);
  putU16(dib, 14, 65535);
  const std::optional<IconImageInfo> info = IconImageDecoder::probe(ByteView(dib));
  ASSERT_TRUE(info);
  EXPECT_EQ(info->bitsPerPixel, 65535);
  EXPECT_EQ(info->width, 4);
}

TEST(IcoReader, CorruptionsGiveAnErrorOrSkipTheBrokenImage) {
  const Bytes sample = threeImageIcon();
  struct Case {
    std::string name;
    std::function<void(Bytes&)> change;
    int images;  // -1: an error
  };
  const std::vector<Case> cases = {
      {"reserved field set", [](Bytes& b) { putU16(b, 0, 1); }, -1},
      {"type 3", [](Bytes& b) { putU16(b, 2, 3); }, -1},
      {"no images", [](Bytes& b) { putU16(b, 4, 0); }, -1},
      {"directory cut short", [](Bytes& b) { b.resize(20); }, -1},
      {"count larger than the directory", [](Bytes& b) { putU16(b, 4, 4000); }, -1},
      {"first image past the end", [](Bytes& b) { putU32(b, 6 + 12, static_cast<std::uint32_t>(b.size())); },
       2},
      {"second image size too large", [](Bytes& b) { putU32(b, 22 + 8, 0xFFFFFFF0u); }, 2},
      {"first image header size 7", [](Bytes& b) { putU32(b, getU32(b, 6 + 12), 7); }, 2},
      {"PNG image mangled", [](Bytes& b) { b[getU32(b, 38 + 12) + 20] ^= 0xFF; }, 2},
      {"file cut inside the last image", [](Bytes& b) { b.resize(b.size() - 5); }, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = sample;
    c.change(bytes);
    if (c.images < 0) {
      EXPECT_THROW(IcoReader::read(ByteView(bytes)), FormatError);
    } else {
      EXPECT_EQ(IcoReader::read(ByteView(bytes)).images.size(), static_cast<std::size_t>(c.images));
    }
  }
}

TEST(IcoReader, MatchesIcotoolOnAnImageMagickIcon) {
  TempDir dir;
  const std::filesystem::path ico = dir / "x.ico";
  ASSERT_EQ(
      runCommand("convert -size 32x32 gradient:'#ff8000-#0040ff' -alpha set -channel A -fx 'i/w' +channel "
                 "-define icon:auto-resize=32,16 " +
                 shellQuote(ico.string())),
      0);
  ASSERT_EQ(runCommand("icotool -x -o " + shellQuote(dir.path().string()) + " " + shellQuote(ico.string())),
            0);
  const IconFile file = IcoReader::read(ByteView(readFile(ico)));
  int compared = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    if (entry.path().extension() != ".png") continue;
    QImage theirs(QString::fromStdString(entry.path().string()));
    ASSERT_FALSE(theirs.isNull());
    const formats::IconImage& ours = IcoReader::best(file, theirs.width());
    SCOPED_TRACE(entry.path().filename().string());
    expectSamePixels(ours.image, theirs);
    ++compared;
  }
  EXPECT_EQ(compared, 2);
}

}  // namespace
}  // namespace kelvaro::testing
