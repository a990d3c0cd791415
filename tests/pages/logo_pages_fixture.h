#pragma once

// The logo and OEM pages' tests: the real picture codecs, a program folder
// of the test's own (so scheme files can be left out), bitmaps made in code,
// and ImageMagick's word on what was written.
#include <QImage>
#include <QPainter>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/environment_factory.h"
#include "platform/formats/bmp_writer.h"
#include "platform/linux_pictures.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {

class LogoPagesTest : public PageHarness {
 protected:
  LogoPagesTest() {
    programFolder = prefix.parent_path() / "program";
    std::filesystem::create_directories(programFolder / "Logo");
    EnvironmentOptions options;
    options.programDataFolder = programFolder;
    options.sandboxTemplate = std::filesystem::path(KELVARO_TEST_DATA_DIR) / "sandbox";
    // The harness's services, but this environment, its fonts and our real codecs.
    Platform platform = app->platform();
    app.reset();
    environment = openEnvironment({Environment::Kind::Sandbox, prefix}, options);
    fonts = std::make_unique<EnvironmentFonts>(*environment);
    platform.environment = environment.get();
    platform.fonts = fonts.get();
    platform.pictures = &realPictures;
    app = std::make_unique<AppContext>(platform);
  }

  // A file of the program's data as the build made it, put beside the test's program.
  void copyProgramFile(const std::string& relative) {
    const std::filesystem::path target = programFolder / relative;
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(std::filesystem::path(KELVARO_TEST_DATA_DIR) / relative, target,
                               std::filesystem::copy_options::overwrite_existing);
  }
  std::string programDos(const std::string& relative) const {
    return environment->programDirectory() + "\\" + relative;
  }

  // A picture with a few colours in it, so that placement and palettes show.
  static QImage drawing(QSize size, QColor colour = QColor(200, 30, 30)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0, 128, 128));
    QPainter p(&image);
    p.fillRect(QRect(QPoint(0, 0), size / 2), colour);
    p.fillRect(QRect(size.width() / 2, size.height() / 2, size.width() / 2, size.height() / 2), Qt::yellow);
    return image;
  }
  static void writeBytes(const std::filesystem::path& host, const std::vector<std::uint8_t>& bytes) {
    std::filesystem::create_directories(host.parent_path());
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // A BMP of the size and depth at a DOS path of the C: drive.
  void writeBmp(const std::string& dos, QSize size, int depth, QColor colour = QColor(200, 30, 30)) {
    writeBytes(newHostPath(dos), formats::BmpWriter::encode(drawing(size, colour), depth));
  }
  // The host path of a C: path whose folders may not exist yet.
  std::filesystem::path newHostPath(const std::string& dos) const {
    if (std::filesystem::path existing = hostPath(dos); !existing.empty()) return existing;
    std::string relative = dos.substr(3);
    for (char& c : relative) {
      if (c == '\\') c = '/';
    }
    return prefix / "drive_c" / relative;
  }

  static std::string shell(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
    return out;
  }
  // "BMP3 320 400 4 PseudoClass": format, size, channel depth and class as
  // ImageMagick reads the file.
  static std::string identify(const std::filesystem::path& host) {
    std::string out = shell("identify -format '%m %w %h %z %r' '" + host.string() + "' 2>&1");
    while (!out.empty() && std::isspace(static_cast<unsigned char>(out.back()))) out.pop_back();
    if (out.ends_with(" sRGB")) out.resize(out.size() - 5);  // the colour space %r adds
    return out;
  }
  // The bits per pixel the file's info header gives.
  static int bmpBitCount(const std::filesystem::path& host) {
    std::ifstream in(host, std::ios::binary);
    char header[30] = {};
    in.read(header, sizeof header);
    return static_cast<unsigned char>(header[28]) | (static_cast<unsigned char>(header[29]) << 8);
  }

  LinuxPictures realPictures;
  std::filesystem::path programFolder;
};

}  // namespace kelvaro::testing
