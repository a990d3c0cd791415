#pragma once

// Small files of every format the readers take, made in code, so each test
// states exactly the bytes it feeds in.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <QImage>

namespace kelvaro::testing {

using Bytes = std::vector<std::uint8_t>;

void putU16(Bytes& b, std::size_t at, std::uint16_t v);
void putU32(Bytes& b, std::size_t at, std::uint32_t v);
std::uint32_t getU32(const Bytes& b, std::size_t at);

// A BMP file with a hand-written pixel array (rows as stored, padding included).
struct BmpFixture {
  std::uint32_t headerSize = 40;
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bitCount = 24;
  std::uint32_t compression = 0;
  std::vector<QRgb> palette;
  std::optional<std::uint32_t> colorsUsed;  // default: palette size
  std::vector<std::uint32_t> masks;         // after a 40-byte header, or inside a V4/V5 one
  Bytes pixels;
  std::optional<std::uint32_t> pixelOffset;  // default: right after the palette
};
Bytes bmpFile(const BmpFixture& fixture);

// The DIB of an icon image (doubled height, AND mask) for an ARGB32 picture:
// 32 bits keeps alpha; 4 and 8 bits map colours to `palette` (exact matches)
// and take the mask from alpha == 0.
Bytes iconDib(const QImage& image, int bitCount, const std::vector<QRgb>& palette = {});
Bytes pngBytes(const QImage& image);

struct IconEntry {
  Bytes data;
  int width = 0;
  int height = 0;
  int bitCount = 0;
  int hotspotX = 0;  // cursors: stored in planes
  int hotspotY = 0;  // cursors: stored in bitCount
};
Bytes icoFile(const std::vector<IconEntry>& entries, bool cursor = false);

// One resource of an executable.
struct ResourceFixture {
  std::uint16_t type = 0;
  std::variant<std::uint16_t, std::u16string> name;
  std::vector<std::uint16_t> languages{0x409};  // each gets the same data
  Bytes data;
};
// A PE32 (or PE32+) DLL whose .rsrc section holds the resources, in the
// order given within each type; types in the order first seen.
Bytes peFile(const std::vector<ResourceFixture>& resources, bool pe32plus = false);
// A 16-bit NE file with the resources (numbered types; names numbered or strings).
Bytes neFile(const std::vector<ResourceFixture>& resources, int alignmentShift = 4);

// RT_ICON resources with ids firstImageId.. and one RT_GROUP_ICON naming them.
std::vector<ResourceFixture> iconGroup(std::variant<std::uint16_t, std::u16string> groupName,
                                       std::uint16_t firstImageId, const std::vector<IconEntry>& images);

// A solid square icon image of one colour (32 bits, opaque).
IconEntry solidIcon(int size, QRgb colour, int bitCount = 32);

struct AniFixture {
  std::vector<Bytes> frames;     // .ico/.cur files
  std::uint32_t frameCount = 0;  // anih nFrames (0: the number of frames)
  std::uint32_t stepCount = 0;   // anih nSteps (0: frameCount)
  std::uint32_t displayRate = 10;
  std::uint32_t flags = 1;
  std::vector<std::uint32_t> rates;
  std::vector<std::uint32_t> sequence;
  bool ratesBeforeHeader = false;  // chunk order varies between writers
  bool infoList = true;            // a LIST INFO with an odd-sized title
};
Bytes aniFile(const AniFixture& fixture);

// A placeable WMF and an EMF that fill a rectangle of the given size with a colour.
Bytes wmfRectangle(int width, int height, QRgb colour);
Bytes emfRectangle(int width, int height, QRgb colour);

// A font file holding only a name table: a family name for each record
// (platform, language, text; Windows names are written UTF-16BE, others as
// Latin-1), wrapped in a collection when asked.
struct FontName {
  std::uint16_t platform = 3;
  std::uint16_t language = 0x409;
  std::u16string text;
};
Bytes fontFile(const std::vector<FontName>& names, bool collection = false);

// Runs a shell command; returns its exit status and fills `output` with its stdout.
int runCommand(const std::string& command, std::string* output = nullptr);
// A fresh directory under the system's temporary folder, removed with the object.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};
void writeFile(const std::filesystem::path& path, const Bytes& bytes);
Bytes readFile(const std::filesystem::path& path);
std::string shellQuote(const std::string& text);

}  // namespace kelvaro::testing
