#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format_fixtures.h"
#include "platform/formats/format_error.h"
#include "platform/formats/jpeg_decoder.h"
#include "platform/formats/metafile_renderer.h"
#include "platform/linux_pictures.h"

namespace kelvaro::testing {
namespace {

using formats::ByteView;
using formats::FormatError;
using formats::JpegDecoder;
using formats::MetafileRenderer;

// A picture made by ImageMagick; `format` is an output prefix such as "BMP3:".
Bytes magick(const std::string& arguments, const std::string& name, const std::string& format = "") {
  TempDir dir;
  const std::filesystem::path file = dir / name;
  const std::string command = "convert " + arguments + " " + format + shellQuote(file.string());
  EXPECT_EQ(runCommand(command), 0) << command;
  return readFile(file);
}

bool near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

TEST(JpegDecoder, DecodesColourAndGreyPicturesFromMemory) {
  const Bytes colour = magick("-size 40x30 xc:'#c03010' -quality 95", "c.jpg");
  const QImage image = JpegDecoder::decode(ByteView(colour));
  EXPECT_EQ(image.size(), QSize(40, 30));
  EXPECT_TRUE(near(image.pixel(20, 15), qRgb(0xC0, 0x30, 0x10), 4));
  const Bytes grey = magick("-size 17x9 xc:'#808080' -colorspace Gray -quality 95", "g.jpg");
  const QImage greyImage = JpegDecoder::decode(ByteView(grey));
  EXPECT_EQ(greyImage.size(), QSize(17, 9));
  EXPECT_TRUE(near(greyImage.pixel(3, 3), qRgb(128, 128, 128), 3));
  const Bytes cmyk = magick("-size 8x8 xc:'#ff0000' -colorspace CMYK -quality 95", "k.jpg");
  EXPECT_TRUE(near(JpegDecoder::decode(ByteView(cmyk)).pixel(4, 4), qRgb(255, 0, 0), 12));
}

TEST(JpegDecoder, LibjpegErrorsBecomeOurErrorWithItsMessage) {
  const Bytes good = magick("-size 128x128 plasma:fractal -seed 7", "b.jpg");
  Bytes notJpeg = {0xFF, 0xD8, 0x00, 0x01, 0x02};
  try {
    JpegDecoder::decode(ByteView(notJpeg));
    FAIL() << "no error";
  } catch (const FormatError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("JPEG: ", 0), 0u) << e.what();
    EXPECT_GT(std::string(e.what()).size(), 8u);
  }
  const Bytes empty;
  EXPECT_THROW(JpegDecoder::decode(ByteView(empty)), FormatError);
  Bytes badFrame = good;
  for (std::size_t i = 2; i + 1 < badFrame.size(); ++i) {
    if (badFrame[i] == 0xFF && badFrame[i + 1] == 0xC0) {  // SOF0: zero the precision
      badFrame[i + 4] = 0;
      break;
    }
  }
  EXPECT_THROW(JpegDecoder::decode(ByteView(badFrame)), FormatError);
  // A stream cut short is a warning for libjpeg: the picture still comes.
  Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() * 3 / 4));
  EXPECT_EQ(JpegDecoder::decode(ByteView(cut)).size(), QSize(128, 128));
}

TEST(Pictures, TellsFormatsApartByContent) {
  LinuxPictures pictures;
  struct Case {
    std::string name;
    Bytes bytes;
    PictureKind kind;
    QSize size;
    int bits;
  };
  const std::vector<Case> cases = {
      {"BMP",
       magick("-size 5x4 xc:red -type Palette -colors 2", "a.bmp", "BMP3:"),
       PictureKind::Bmp,
       {5, 4},
       1},
      {"JPEG", magick("-size 6x4 xc:red", "a.jpg"), PictureKind::Jpeg, {6, 4}, 24},
      {"GIF, first frame",
       magick("-size 7x4 xc:red -size 7x4 xc:blue -loop 0", "a.gif"),
       PictureKind::Gif,
       {7, 4},
       8},
      {"ICO",
       icoFile({solidIcon(16, 0xFFFF0000), solidIcon(32, 0xFFFF0000)}),
       PictureKind::Icon,
       {32, 32},
       32},
      {"CUR", icoFile({solidIcon(32, 0xFFFF0000)}, true), PictureKind::Cursor, {32, 32}, 32},
      {"ANI",
       aniFile({.frames = {icoFile({solidIcon(32, 0xFFFF0000)}, true)}}),
       PictureKind::AnimatedCursor,
       {32, 32},
       32},
      {"WMF", wmfRectangle(40, 20, 0xFFFF0000), PictureKind::Wmf, {40, 20}, 32},
      {"EMF", emfRectangle(40, 20, 0xFFFF0000), PictureKind::Emf, {40, 20}, 32},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Picture picture = pictures.decode(c.bytes);
    EXPECT_EQ(picture.kind, c.kind);
    EXPECT_EQ(picture.bitsPerPixel, c.bits);
    EXPECT_EQ(picture.image.size(), c.size);
    const QRgb middle = picture.image.pixel(picture.image.width() / 2, picture.image.height() / 2);
    EXPECT_TRUE(near(middle, qRgb(255, 0, 0), 8)) << std::hex << middle;
    EXPECT_EQ(qAlpha(middle), 255);
  }
  const Bytes unknown = {'P', 'K', 3, 4, 0, 0};
  EXPECT_THROW(pictures.decode(unknown), PictureError);
  EXPECT_THROW(pictures.load("/nonexistent/picture.bmp"), PictureError);
}

TEST(MetafileRenderer, RecordsOutsideTheDataAreRefusedBeforeTheLibrarySeesThem) {
  Bytes wmf = wmfRectangle(10, 10, 0xFF00FF00);
  putU32(wmf, 22 + 18, 0x00FFFFFF);  // first record's size
  EXPECT_THROW(MetafileRenderer::renderWmf(ByteView(wmf)), FormatError);
  Bytes wmfNoEnd = wmfRectangle(10, 10, 0xFF00FF00);
  wmfNoEnd.resize(wmfNoEnd.size() - 6);
  EXPECT_THROW(MetafileRenderer::renderWmf(ByteView(wmfNoEnd)), FormatError);
  Bytes emf = emfRectangle(10, 10, 0xFF00FF00);
  putU32(emf, 88 + 4, 0x7FFFFFF0);
  EXPECT_THROW(MetafileRenderer::renderEmf(ByteView(emf)), FormatError);
  Bytes emfOdd = emfRectangle(10, 10, 0xFF00FF00);
  putU32(emfOdd, 88 + 4, 23);
  EXPECT_THROW(MetafileRenderer::renderEmf(ByteView(emfOdd)), FormatError);
  Bytes emfShortHeader = emfRectangle(10, 10, 0xFF00FF00);
  putU32(emfShortHeader, 4, 40);
  EXPECT_THROW(MetafileRenderer::renderEmf(ByteView(emfShortHeader)), FormatError);
}

TEST(Pictures, SaveBmpKeepsDepthAndReplacesTheFileWhole) {
  TempDir dir;
  LinuxPictures pictures;
  const Picture logo =
      pictures.decode(magick("-size 320x400 gradient:red-blue -colors 16 -type Palette", "l.bmp", "BMP3:"));
  ASSERT_EQ(logo.bitsPerPixel, 4);
  const std::filesystem::path out = dir / "logow.sys";
  writeFile(out, {'o', 'l', 'd'});
  pictures.saveBmp(out, logo.image, logo.bitsPerPixel);
  const Picture back = pictures.load(out);
  EXPECT_EQ(back.bitsPerPixel, 4);
  EXPECT_EQ(back.image.size(), QSize(320, 400));
  EXPECT_EQ(back.image.colorTable(), logo.image.colorTable());
  EXPECT_THROW(pictures.saveBmp(dir / "missing-folder" / "x.bmp", logo.image, 4), PictureError);
  EXPECT_THROW(pictures.saveBmp(out, QImage(), 4), PictureError);
  EXPECT_EQ(pictures.load(out).image.size(), QSize(320, 400)) << "a failed save leaves the old file";
}

TEST(Pictures, AnimationOfAnAniFileAndOfAStillCursor) {
  TempDir dir;
  LinuxPictures pictures;
  IconEntry redEntry = solidIcon(32, 0xFFFF0000);
  redEntry.hotspotX = 4;
  redEntry.hotspotY = 9;
  const Bytes red = icoFile({redEntry}, true);
  const Bytes blue = icoFile({solidIcon(32, 0xFF0000FF)}, true);
  writeFile(dir / "busy.ani", aniFile({.frames = {red, blue}, .rates = {6, 12}}));
  writeFile(dir / "arrow.cur", red);
  const Animation busy = pictures.loadAnimation(dir / "busy.ani");
  ASSERT_EQ(busy.frames.size(), 2u);
  ASSERT_EQ(busy.steps.size(), 2u);
  EXPECT_EQ(busy.steps[1].frame, 1);
  EXPECT_EQ(busy.steps[1].durationMs, 200);
  EXPECT_EQ(busy.hotspot, QPoint(4, 9));  // the pointer's tip of the first frame shown
  const Animation arrow = pictures.loadAnimation(dir / "arrow.cur");
  EXPECT_EQ(arrow.frames.size(), 1u);
  EXPECT_EQ(arrow.steps.size(), 1u);
  EXPECT_EQ(arrow.hotspot, QPoint(4, 9));
}

}  // namespace
}  // namespace kelvaro::testing
