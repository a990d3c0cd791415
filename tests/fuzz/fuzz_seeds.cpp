// Writes a seed corpus for every fuzz target: small valid files of each
// format, so that fuzzing starts past the magic numbers.
#include <filesystem>
#include <iostream>
#include <string>

#include "format_fixtures.h"
#include "platform/formats/shell_link_writer.h"

using namespace kelvaro::testing;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: fuzz_seeds DIR\n";
    return 1;
  }
  const std::filesystem::path root = argv[1];
  auto put = [&](const std::string& target, const std::string& name, const Bytes& bytes) {
    std::filesystem::create_directories(root / target);
    writeFile(root / target / name, bytes);
  };
  BmpFixture rle{
      .width = 4, .height = 3, .bitCount = 8, .compression = 1, .palette = {0xFF000000, 0xFFFF0000}};
  rle.pixels = {3, 1, 0, 0, 0, 2, 2, 0, 6, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 1};
  put("bmp", "rle8.bmp", bmpFile(rle));
  BmpFixture fields{.headerSize = 124, .width = 2, .height = -2, .bitCount = 16, .compression = 3};
  fields.masks = {0xF800, 0x07E0, 0x001F, 0};
  fields.pixels = {0, 0xF8, 0xE0, 0x07, 0x1F, 0, 0xFF, 0xFF};
  put("bmp", "bitfields.bmp", bmpFile(fields));
  BmpFixture four{.width = 3, .height = 2, .bitCount = 4, .palette = {0xFF000000, 0xFFFFFFFF}};
  four.pixels = {0x01, 0x10, 0, 0, 0x11, 0x00, 0, 0};
  put("bmp", "four.bmp", bmpFile(four));
  const Bytes ico = icoFile({solidIcon(16, 0xFFFF0000, 4), solidIcon(32, 0xFF00FF00)});
  put("ico", "two.ico", ico);
  put("ico", "cursor.cur", icoFile({solidIcon(8, 0xFF000000)}, true));
  put("ani", "busy.ani",
      aniFile(
          {.frames = {icoFile({solidIcon(8, 0xFFFF0000)}, true), icoFile({solidIcon(8, 0xFF0000FF)}, true)},
           .stepCount = 3,
           .rates = {1, 2, 3},
           .sequence = {0, 1, 0}}));
  std::vector<ResourceFixture> resources =
      iconGroup(std::u16string(u"MAIN"), 1, {solidIcon(16, 0xFFFF0000, 4)});
  for (ResourceFixture& r : iconGroup(std::uint16_t{7}, 5, {solidIcon(8, 0xFF00FF00)}))
    resources.push_back(r);
  put("icon_library", "icons.dll", peFile(resources));
  put("icon_library", "icons64.dll", peFile(resources, true));
  put("icon_library", "icons.icl", neFile(resources, 4));
  put("icon_library", "one.ico", ico);
  put("metafile", "rect.wmf", wmfRectangle(10, 10, 0xFFFF0000));
  put("metafile", "rect.emf", emfRectangle(10, 10, 0xFFFF0000));
  put("shell_link", "notepad.lnk",
      kelvaro::formats::ShellLinkWriter::encode(
          {.target = "C:\\Program Files\\Zażółć\\a.exe", .workingDirectory = "C:\\", .arguments = "/x"},
          "CP1250"));
  put("icon_location", "a.txt",
      Bytes{'%', 's', 'y', 's', 't', 'e', 'm', 'r', 'o', 'o', 't', '%', ',', '-', '3'});
  put("font_names", "family.ttf",
      fontFile({{.text = u"Zażółć Sans"}, {.platform = 1, .language = 0, .text = u"Mac"}}));
  put("font_names", "collection.ttc", fontFile({{.text = u"Kolekcja"}}, true));
  // JPEG seeds come from ImageMagick in the CTest fixture.
  return 0;
}
