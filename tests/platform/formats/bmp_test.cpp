#include <climits>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format_fixtures.h"
#include "platform/formats/bmp_reader.h"
#include "platform/formats/bmp_writer.h"
#include "platform/formats/format_error.h"

namespace kelvaro::testing {
namespace {

using formats::BitmapCompression;
using formats::BmpReader;
using formats::BmpWriter;
using formats::ByteView;
using formats::DibImage;
using formats::FormatError;

constexpr QRgb kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBlack = 0xFF000000,
               kWhite = 0xFFFFFFFF, kGrey = 0xFF808080;

DibImage decode(const Bytes& bytes) { return BmpReader::read(ByteView(bytes)); }

std::vector<QRgb> pixelsOf(const QImage& image) {
  std::vector<QRgb> out;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) out.push_back(image.pixel(x, y));
  }
  return out;
}

struct DecodeCase {
  std::string name;
  BmpFixture fixture;
  int width, height;
  std::vector<QRgb> pixels;  // top row first
  bool indexed;
};

std::vector<DecodeCase> decodeCases() {
  std::vector<DecodeCase> cases;
  {
    BmpFixture s{.headerSize = 12, .width = 2, .height = 1, .bitCount = 24};
    s.pixels = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0};
    cases.push_back({"core header, 24 bits", s, 2, 1, {kBlue, kRed}, false});
  }
  {
    BmpFixture s{.headerSize = 12, .width = 2, .height = 1, .bitCount = 8, .palette = {kGreen, kBlue}};
    s.pixels = {1, 0, 0, 0};
    cases.push_back({"core header, 8 bits with a 3-byte palette", s, 2, 1, {kBlue, kGreen}, true});
  }
  {
    BmpFixture s{.width = 3, .height = 2, .bitCount = 1, .palette = {kBlack, kWhite}};
    s.pixels = {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0};  // bottom row first
    cases.push_back({"1 bit, bottom-up", s, 3, 2, {kBlack, kWhite, kBlack, kWhite, kBlack, kWhite}, true});
  }
  {
    BmpFixture s{.width = 3, .height = 1, .bitCount = 4, .palette = {kRed, kGreen, kBlue}};
    s.pixels = {0x21, 0x00, 0, 0};
    cases.push_back({"4 bits, biClrUsed 3", s, 3, 1, {kBlue, kGreen, kRed}, true});
  }
  {
    BmpFixture s{.width = 1, .height = -2, .bitCount = 8, .palette = {kRed, kGreen}};
    s.pixels = {1, 0, 0, 0, 0, 0, 0, 0};
    cases.push_back({"8 bits, top-down", s, 1, 2, {kGreen, kRed}, true});
  }
  {
    BmpFixture s{.width = 4, .height = 1, .bitCount = 16};
    s.pixels = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42};
    cases.push_back({"16 bits, 5-5-5 by default", s, 4, 1, {kRed, kGreen, kBlue, 0xFF848484}, false});
  }
  {
    BmpFixture s{
        .width = 3, .height = 1, .bitCount = 16, .compression = 3, .masks = {0xF800, 0x07E0, 0x001F}};
    s.pixels = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0, 0};
    cases.push_back({"16 bits, 5-6-5 masks after the header", s, 3, 1, {kRed, kGreen, kBlue}, false});
  }
  {
    BmpFixture s{.width = 2, .height = 1, .bitCount = 32};
    s.pixels = {0xFF, 0, 0, 0x00, 0x80, 0x80, 0x80, 0x7F};
    cases.push_back({"32 bits, X8R8G8B8 ignores the fourth byte", s, 2, 1, {kBlue, kGrey}, false});
  }
  {
    BmpFixture s{.headerSize = 108, .width = 1, .height = 1, .bitCount = 32, .compression = 3};
    s.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    s.pixels = {0xFF, 0x00, 0x00, 0x80};
    cases.push_back({"V4 header, alpha mask", s, 1, 1, {qRgba(0, 0, 255, 128)}, false});
  }
  {
    BmpFixture s{.headerSize = 124, .width = 2, .height = 1, .bitCount = 16, .compression = 3};
    s.masks = {0x0F00, 0x00F0, 0x000F, 0xF000};
    s.pixels = {0x00, 0xFF, 0xF0, 0x80};
    cases.push_back({"V5 header, 4-4-4-4 masks", s, 2, 1, {kRed, qRgba(0, 255, 0, 0x88)}, false});
  }
  {
    // Runs, end of line, a delta, an absolute run, a run clipped at the row end, end of bitmap.
    BmpFixture s{
        .width = 4, .height = 3, .bitCount = 8, .compression = 1, .palette = {kBlack, kRed, kGreen, kBlue}};
    s.pixels = {3, 1, 0, 0,               // bottom row: 1 1 1 0
                0, 2, 2, 0, 6, 2, 0, 0,   // middle row: skip 2, then 2 2 (the run of 6 clipped)
                0, 3, 3, 1, 3, 0, 0, 1};  // top row: absolute 3 1 3, end of bitmap
    cases.push_back({"RLE8",
                     s,
                     4,
                     3,
                     {kBlue, kRed, kBlue, kBlack, kBlack, kBlack, kGreen, kGreen, kRed, kRed, kRed, kBlack},
                     true});
  }
  {
    BmpFixture s{
        .width = 5, .height = 2, .bitCount = 4, .compression = 2, .palette = {kBlack, kRed, kGreen, kBlue}};
    s.pixels = {5, 0x12, 0,    0,            // bottom row: 1 2 1 2 1
                0, 3,    0x31, 0x20, 0, 1};  // top row: absolute 3 1 2, end of bitmap
    cases.push_back(
        {"RLE4", s, 5, 2, {kBlue, kRed, kGreen, kBlack, kBlack, kRed, kGreen, kRed, kGreen, kRed}, true});
  }
  {
    // Two bytes of something between the palette and the pixels: bfOffBits decides.
    BmpFixture s{.width = 1, .height = 1, .bitCount = 8, .palette = {kRed, kGreen}};
    s.pixels = {0xAA, 0xBB, 1, 0, 0, 0};
    s.pixelOffset = 14 + 40 + 8 + 2;
    cases.push_back({"pixels from bfOffBits", s, 1, 1, {kGreen}, true});
  }
  return cases;
}

TEST(BmpReader, DecodesEveryVariant) {
  for (const DecodeCase& c : decodeCases()) {
    SCOPED_TRACE(c.name);
    const DibImage dib = decode(bmpFile(c.fixture));
    EXPECT_EQ(dib.image.width(), c.width);
    EXPECT_EQ(dib.image.height(), c.height);
    EXPECT_EQ(dib.bitsPerPixel, c.fixture.bitCount);
    EXPECT_EQ(dib.image.format() == QImage::Format_Indexed8, c.indexed);
    EXPECT_EQ(pixelsOf(dib.image), c.pixels);
  }
}

TEST(BmpReader, PaletteHasBiClrUsedEntriesOrTwoToTheDepth) {
  BmpFixture used{.width = 1, .height = 1, .bitCount = 8, .palette = {kRed, kGreen, kBlue}};
  used.pixels = {0, 0, 0, 0};
  EXPECT_EQ(decode(bmpFile(used)).image.colorCount(), 3);
  BmpFixture full{
      .width = 1, .height = 1, .bitCount = 4, .palette = std::vector<QRgb>(16, kGrey), .colorsUsed = 0};
  full.pixels = {0xF0, 0, 0, 0};
  const DibImage dib = decode(bmpFile(full));
  EXPECT_EQ(dib.image.colorCount(), 16);
  EXPECT_EQ(dib.image.pixel(0, 0), kGrey);
}

struct Corruption {
  std::string name;
  std::function<void(Bytes&)> change;
  bool decodes;
};

TEST(BmpReader, CorruptionsGiveAnErrorNeverACrash) {
  BmpFixture good{.width = 4, .height = 2, .bitCount = 4, .palette = {kBlack, kRed, kGreen, kBlue}};
  good.pixels = {0x01, 0x23, 0, 0, 0x32, 0x10, 0, 0};
  const Bytes sample = bmpFile(good);
  ASSERT_NO_THROW(decode(sample));
  const std::vector<Corruption> cases = {
      {"cut inside the file header", [](Bytes& b) { b.resize(10); }, false},
      {"cut inside the info header", [](Bytes& b) { b.resize(30); }, false},
      {"cut inside the pixels", [](Bytes& b) { b.pop_back(); }, false},
      {"signature BX", [](Bytes& b) { b[1] = 'X'; }, false},
      {"header size 41", [](Bytes& b) { putU32(b, 14, 41); }, false},
      {"3 bits per pixel", [](Bytes& b) { putU16(b, 28, 3); }, false},
      {"width 0", [](Bytes& b) { putU32(b, 18, 0); }, false},
      {"negative width", [](Bytes& b) { putU32(b, 18, static_cast<std::uint32_t>(-4)); }, false},
      {"height INT_MIN", [](Bytes& b) { putU32(b, 22, 0x80000000u); }, false},
      {"100000 x 100000",
       [](Bytes& b) {
         putU32(b, 18, 100000);
         putU32(b, 22, 100000);
       },
       false},
      {"unknown compression 7", [](Bytes& b) { putU32(b, 30, 7); }, false},
      {"RLE8 on a 4-bit bitmap", [](Bytes& b) { putU32(b, 30, 1); }, false},
      {"bit fields on a 4-bit bitmap", [](Bytes& b) { putU32(b, 30, 3); }, false},
      {"pixel offset past the end",
       [](Bytes& b) { putU32(b, 10, static_cast<std::uint32_t>(b.size() + 10)); }, false},
      {"pixel offset inside the header", [](Bytes& b) { putU32(b, 10, 20); }, false},
      {"biClrUsed 300 is clamped", [](Bytes& b) { putU32(b, 46, 300); }, true},
      {"RLE4 top-down",
       [](Bytes& b) {
         putU32(b, 30, 2);
         putU32(b, 22, static_cast<std::uint32_t>(-2));
       },
       false},
      {"RLE4 stream without an end of bitmap", [](Bytes& b) { putU32(b, 30, 2); }, true},
  };
  for (const Corruption& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes bytes = sample;
    c.change(bytes);
    if (c.decodes) {
      EXPECT_NO_THROW(decode(bytes));
    } else {
      EXPECT_THROW(decode(bytes), FormatError);
    }
  }
}

TEST(BmpReader, BitFieldMasksMustBeContiguousAndFitThePixel) {
  for (std::uint32_t badRed : {0xF00Fu, 0x10000u}) {
    BmpFixture s{
        .width = 1, .height = 1, .bitCount = 16, .compression = 3, .masks = {badRed, 0x07E0, 0x001F}};
    s.pixels = {0, 0, 0, 0};
    EXPECT_THROW(decode(bmpFile(s)), FormatError) << std::hex << badRed;
  }
}

QImage indexedPicture(int width, int height, int colours) {
  QImage image(width, height, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (int i = 0; i < colours; ++i) table.append(qRgb(i * 255 / std::max(1, colours - 1), 40, 255 - i));
  image.setColorTable(table);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.scanLine(y)[x] = static_cast<uchar>((x / 3 + y) % colours);
  }
  return image;
}

TEST(BmpWriter, KeepsSizeDepthAndPaletteThroughOurReader) {
  for (int bits : {1, 4, 8}) {
    SCOPED_TRACE(bits);
    const int colours = bits == 8 ? 200 : (1 << bits);
    const QImage picture = indexedPicture(13, 7, colours);
    const Bytes bytes = BmpWriter::encode(picture, bits);
    const DibImage back = decode(bytes);
    EXPECT_EQ(back.bitsPerPixel, bits);
    EXPECT_EQ(back.image.colorTable(), picture.colorTable());
    EXPECT_EQ(pixelsOf(back.image), pixelsOf(picture));
    const std::size_t rowBytes = ((13u * bits + 31) / 32) * 4;
    EXPECT_EQ(getU32(bytes, 14), 40u);                                  // biSize
    EXPECT_EQ(getU32(bytes, 34), rowBytes * 7);                         // biSizeImage
    EXPECT_EQ(getU32(bytes, 46), static_cast<std::uint32_t>(colours));  // biClrUsed
    EXPECT_EQ(getU32(bytes, 10), 14 + 40 + 4u * colours);               // bfOffBits
    EXPECT_EQ(getU32(bytes, 2), bytes.size());                          // bfSize
  }
  QImage rgb(5, 3, QImage::Format_RGB32);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) rgb.setPixel(x, y, qRgb(x * 50, y * 100, 8 * (x + y)));
  }
  for (int bits : {24, 32}) {
    const DibImage back = decode(BmpWriter::encode(rgb, bits));
    EXPECT_EQ(back.bitsPerPixel, bits);
    EXPECT_EQ(pixelsOf(back.image), pixelsOf(rgb));
  }
  const DibImage sixteen = decode(BmpWriter::encode(rgb, 16));
  EXPECT_EQ(sixteen.bitsPerPixel, 16);
  EXPECT_EQ(sixteen.image.pixel(4, 2), qRgb(206, 206, 49));  // 5 bits per channel, widened again
}

TEST(BmpWriter, MapsColourPicturesToTheStandardPaletteOfSmallDepths) {
  QImage rgb(2, 1, QImage::Format_RGB32);
  rgb.setPixel(0, 0, qRgb(250, 5, 5));
  rgb.setPixel(1, 0, qRgb(10, 10, 130));
  const DibImage back = decode(BmpWriter::encode(rgb, 4));
  EXPECT_EQ(back.image.colorTable(), BmpWriter::vgaPalette());
  EXPECT_EQ(back.image.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(back.image.pixel(1, 0), qRgb(0, 0, 128));
}

TEST(BmpWriter, RefusesNullPicturesAndUnknownDepths) {
  EXPECT_THROW(BmpWriter::encode(QImage(), 8), FormatError);
  EXPECT_THROW(BmpWriter::encode(indexedPicture(2, 2, 2), 2), FormatError);
}

// --- Independent checks with ImageMagick -------------------------------

std::vector<QRgb> imageMagickPixels(const std::filesystem::path& file, int* width, int* height) {
  std::string size;
  EXPECT_EQ(runCommand("identify -format '%w %h' " + shellQuote(file.string()), &size), 0);
  std::sscanf(size.c_str(), "%d %d", width, height);
  std::string raw;
  EXPECT_EQ(runCommand("convert " + shellQuote(file.string()) + " -depth 8 rgba:-", &raw), 0);
  std::vector<QRgb> pixels;
  for (std::size_t i = 0; i + 3 < raw.size(); i += 4) {
    const auto* p = reinterpret_cast<const unsigned char*>(raw.data() + i);
    pixels.push_back(qRgba(p[0], p[1], p[2], p[3]));
  }
  return pixels;
}

struct MagickCase {
  std::string name;
  std::string command;  // makes OUT from a picture with many runs
  BitmapCompression compression;
  int bits;
};

TEST(BmpReader, ImageMagickFixturesDecodeToTheSamePixels) {
  TempDir dir;
  const std::string source =
      "-size 37x23 gradient:'#ff0000-#0000ff' -fill '#00ff00' -draw 'rectangle 5,5 12,9'";
  const std::vector<MagickCase> cases = {
      {"RLE8", source + " -colors 16 -type Palette -compress RLE BMP3:OUT", BitmapCompression::Rle8, 8},
      {"4 bits", source + " -colors 16 -type Palette BMP3:OUT", BitmapCompression::Rgb, 4},
      {"5-6-5 bit fields", source + " -alpha off -define bmp:subtype=RGB565 BMP:OUT",
       BitmapCompression::Bitfields, 16},
      {"5-5-5 bit fields", source + " -alpha off -define bmp:subtype=RGB555 BMP:OUT",
       BitmapCompression::Bitfields, 16},
      {"32-bit bit fields with alpha", source + " -alpha set -channel A -fx 'i/w' +channel BMP:OUT",
       BitmapCompression::Bitfields, 32},
      {"24 bits", source + " -type TrueColor BMP3:OUT", BitmapCompression::Rgb, 24},
  };
  for (const MagickCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::filesystem::path file = dir / (c.name + ".bmp");
    std::string command = "convert " + c.command;
    command.replace(command.find("OUT"), 3, shellQuote(file.string()));
    ASSERT_EQ(runCommand(command), 0) << command;
    const DibImage ours = decode(readFile(file));
    EXPECT_EQ(ours.compression, c.compression);
    EXPECT_EQ(ours.bitsPerPixel, c.bits);
    int width = 0, height = 0;
    const std::vector<QRgb> theirs = imageMagickPixels(file, &width, &height);
    EXPECT_EQ(ours.image.width(), width);
    EXPECT_EQ(ours.image.height(), height);
    EXPECT_EQ(pixelsOf(ours.image.convertToFormat(QImage::Format_ARGB32)), theirs);
  }
}

TEST(BmpWriter, ImageMagickReadsOurFourBitLogoWithItsSizeAndSixteenColours) {
  TempDir dir;
  const std::filesystem::path file = dir / "logow.bmp";
  writeFile(file, BmpWriter::encode(indexedPicture(320, 400, 16), 4));
  std::string description;
  ASSERT_EQ(runCommand("identify -format '%m %w %h %k' " + shellQuote(file.string()), &description), 0);
  EXPECT_EQ(description, "BMP3 320 400 16");
  std::string verbose;
  ASSERT_EQ(runCommand("identify -verbose " + shellQuote(file.string()), &verbose), 0);
  EXPECT_NE(verbose.find("Colors: 16"), std::string::npos) << verbose;
  EXPECT_NE(verbose.find("Type: Palette"), std::string::npos);
  int width = 0, height = 0;
  const std::vector<QRgb> theirs = imageMagickPixels(file, &width, &height);
  EXPECT_EQ(theirs, pixelsOf(indexedPicture(320, 400, 16).convertToFormat(QImage::Format_ARGB32)));
}

}  // namespace
}  // namespace kelvaro::testing
