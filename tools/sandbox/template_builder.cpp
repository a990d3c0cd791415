#include "tools/sandbox/template_builder.h"

#include <QBuffer>
#include <QFile>

#include <QImageWriter>
#include <fstream>
#include <stdexcept>
#include "platform/formats/bmp_writer.h"
#include "platform/formats/shell_link_writer.h"

#include "store/registry_handle.h"
#include "store/text_codec.h"
#include "tools/sandbox/cursor_art.h"
#include "tools/sandbox/gif_file_writer.h"
#include "tools/sandbox/icon_art.h"
#include "tools/sandbox/icon_file_writer.h"
#include "tools/sandbox/logo_art.h"
#include "tools/sandbox/metafile_writer.h"
#include "tools/sandbox/module_catalog.h"
#include "tools/sandbox/palette.h"
#include "tools/sandbox/pe_module_writer.h"
#include "tools/sandbox/picture_art.h"
#include "tools/sandbox/registry_text.h"
#include "tools/sandbox/shortcut_catalog.h"
#include "tools/sandbox/sound_art.h"
#include "tools/sandbox/wave_file_writer.h"

#include "store/wine_registry_files.h"

namespace kelvaro::sandbox {

namespace fs = std::filesystem;

namespace {

constexpr char kSandboxMarkText[] = "This prefix is Kelvaro's sandbox; Kelvaro may create it anew.\n";

fs::path utf8Path(const QString& relative) { return fs::path(relative.toStdString()); }

void writeBytes(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::vector<std::uint8_t> jpegBytes(const QImage& picture, int quality) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpeg");
  writer.setQuality(quality);
  if (!writer.write(picture.convertToFormat(QImage::Format_RGB32)))
    throw std::runtime_error("cannot encode a JPEG: " + writer.errorString().toStdString());
  return std::vector<std::uint8_t>(data.begin(), data.end());
}

// Text files are kept as UTF-8 with LF; on drive C they are ANSI (windows-1250)
// with CR LF, as a Polish Windows keeps them.
bool isTextFile(const fs::path& file) {
  std::string ext = file.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".ini" || ext == ".txt" || ext == ".url" || ext == ".scf" || ext == ".bat" || ext == ".sys" ||
         ext == ".htm" || ext == ".inf";
}

void copyDriveFiles(const fs::path& source, const fs::path& drive) {
  for (const auto& entry : fs::recursive_directory_iterator(source)) {
    const fs::path target = drive / fs::relative(entry.path(), source);
    if (entry.is_directory()) {
      fs::create_directories(target);
      continue;
    }
    std::ifstream in(entry.path(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (isTextFile(entry.path())) {
      std::string crlf;
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) crlf += '\r';
        crlf += text[i];
      }
      text = encodeCodePage(crlf, "CP1250");
    }
    writeBytes(target, std::vector<std::uint8_t>(text.begin(), text.end()));
  }
}

// Folders a fresh installation has, whether or not they hold files.
void makeFolders(const fs::path& drive) {
  for (const char* folder : {"WINDOWS/SYSTEM",
                             "WINDOWS/CONFIG",
                             "WINDOWS/INF",
                             "WINDOWS/OPTIONS/CABS",
                             "WINDOWS/TEMP",
                             "WINDOWS/COMMAND",
                             "WINDOWS/CONFIG",
                             "WINDOWS/Temporary Internet Files",
                             "WINDOWS/Cookies",
                             "WINDOWS/History",
                             "WINDOWS/NetHood",
                             "WINDOWS/PrintHood",
                             "WINDOWS/ShellNew",
                             "WINDOWS/Recent",
                             "WINDOWS/FONTS",
                             "WINDOWS/CURSORS",
                             "WINDOWS/MEDIA",
                             "WINDOWS/Web/Wallpaper",
                             "WINDOWS/Pulpit",
                             "WINDOWS/Menu Start/Programy/Autostart",
                             "WINDOWS/SendTo",
                             "WINDOWS/Ulubione",
                             "WINDOWS/Dane aplikacji/Microsoft/Internet Explorer/Quick Launch",
                             "WINDOWS/Downloaded Program Files",
                             "WINDOWS/Offline Web Pages",
                             "WINDOWS/Tasks",
                             "WINDOWS/UNINSTAL",
                             "Moje dokumenty/Moje obrazy",
                             "Program Files/Common Files/System"})
    fs::create_directories(drive / utf8Path(folder));
}

std::vector<IconImageData> iconImages(const QString& motif) {
  return {makeIconImage(drawIcon(motif, 32), 4), makeIconImage(drawIcon(motif, 16), 4)};
}

void writeModules(const fs::path& drive) {
  for (const ModuleSpec& module : sandboxModules()) {
    std::vector<IconGroupData> groups;
    int id = module.firstId;
    for (const QString& motif : module.motifs)
      groups.push_back({static_cast<std::uint16_t>(id++), iconImages(motif)});
    writeBytes(drive / utf8Path(module.path), writePeModule(module.kind, groups));
  }
}

void writeSounds(const fs::path& drive) {
  for (const SoundRecipe& sound : eventSounds())
    writeBytes(drive / "WINDOWS" / "MEDIA" / utf8Path(sound.file),
               encodeWaveFile(synthesise(sound), kSoundRate));
  // The New menu's template for a sound file: a moment of silence.
  writeBytes(drive / "WINDOWS" / "ShellNew" / "sndrec.wav",
             encodeWaveFile(std::vector<std::int16_t>(2205, 0), kSoundRate));
}

struct CursorRole {
  const char* file;
  const char* role;
};
constexpr CursorRole kCursorRoles[] = {
    {"strzalka.cur", "arrow"}, {"pomoc.cur", "help"}, {"praca.ani", "busy"}, {"zajety.ani", "wait"},
    {"krzyz.cur", "cross"},    {"tekst.cur", "beam"}, {"pioro.cur", "pen"},  {"nie.cur", "no"},
    {"pion.cur", "ns"},        {"poziom.cur", "we"},  {"skos1.cur", "nwse"}, {"skos2.cur", "nesw"},
    {"przenies.cur", "move"},  {"alter.cur", "up"},   {"reka.cur", "hand"},
};

std::vector<std::uint8_t> cursorFile(const QString& role, bool light, QRgb tint = 0) {
  const QPoint hot = cursorHotSpot(role);
  const int frames = cursorFrames(role);
  if (frames == 1)
    return encodeCursorFile(makeIconImage(drawCursor(role, light, 0, tint), 4), hot.x(), hot.y());
  std::vector<IconImageData> images;
  for (int f = 0; f < frames; ++f) images.push_back(makeIconImage(drawCursor(role, light, f, tint), 4));
  return encodeAnimatedCursor(images, hot.x(), hot.y(), 8);
}

void writeCursors(const fs::path& drive, const fs::path& data) {
  for (const CursorRole& r : kCursorRoles) {
    writeBytes(drive / "WINDOWS" / "CURSORS" / (std::string("b_") + r.file), cursorFile(r.role, true));
    writeBytes(drive / "WINDOWS" / "CURSORS" / (std::string("c_") + r.file), cursorFile(r.role, false));
  }
  // A few of the program's own pointers.
  writeBytes(data / "Kursory" / "zielona strzałka.cur", cursorFile("arrow", true, qRgb(0, 255, 0)));
  writeBytes(data / "Kursory" / "czerwona ręka.cur", cursorFile("hand", true, qRgb(255, 0, 0)));
  writeBytes(data / "Kursory" / "niebieski krzyż.cur", cursorFile("cross", true, qRgb(0, 0, 255)));
  writeBytes(data / "Kursory" / "żółta klepsydra.ani", cursorFile("wait", true, qRgb(255, 255, 0)));
  writeBytes(data / "Kursory" / "zajęty z klepsydrą.ani", cursorFile("busy", true, qRgb(0, 255, 255)));
}

void writeLogos(const fs::path& drive, const fs::path& data) {
  const fs::path logo = data / "Logo";
  for (const LogoScheme& s : logoSchemes()) {
    const auto write = [&](const char* folder, const QString& file, LogoSlot slot) {
      const fs::path target = logo / folder / utf8Path(file);
      // Pictures shared by several schemes are drawn by the first one.
      if (!fs::exists(target)) writeBytes(target, formats::BmpWriter::encode(drawLogo(s, slot), 4));
    };
    write("logowin", s.startFile, LogoSlot::Start);
    write("logow", s.shutDownFile, LogoSlot::ShutDown);
    write("logos", s.switchOffFile, LogoSlot::SwitchOff);
    // The installed logos are those of the installed system.
    if (s.name == "Win98") {
      writeBytes(drive / "logo.sys", formats::BmpWriter::encode(drawLogo(s, LogoSlot::Start), 4));
      writeBytes(drive / "WINDOWS" / "logow.sys",
                 formats::BmpWriter::encode(drawLogo(s, LogoSlot::ShutDown), 4));
      writeBytes(drive / "WINDOWS" / "logos.sys",
                 formats::BmpWriter::encode(drawLogo(s, LogoSlot::SwitchOff), 4));
    }
  }
}

void writePictures(const fs::path& drive, const fs::path& data) {
  const fs::path windows = drive / "WINDOWS";
  writeBytes(windows / "Chmury.bmp", formats::BmpWriter::encode(drawPicture("clouds", {256, 256}), 8));
  writeBytes(windows / "Cegły.bmp", formats::BmpWriter::encode(drawPicture("bricks", {128, 128}), 8));
  writeBytes(windows / "Marmur.bmp", formats::BmpWriter::encode(drawPicture("marble", {128, 128}), 8));
  writeBytes(windows / "Mozaika.bmp", formats::BmpWriter::encode(drawPicture("mosaic", {160, 160}), 4));
  const fs::path web = windows / "Web" / "Wallpaper";
  writeBytes(web / "Morze.jpg", jpegBytes(drawPicture("sea", {800, 600}), 85));
  writeBytes(web / "Zachód słońca.jpg", jpegBytes(drawPicture("sunset", {800, 600}), 85));
  writeBytes(web / "Las.jpg", jpegBytes(drawPicture("forest", {800, 600}), 85));
  writeBytes(web / "Noc.bmp", formats::BmpWriter::encode(drawPicture("night", {640, 480}), 8));
  writeBytes(web / "Łąka.bmp", formats::BmpWriter::encode(drawPicture("meadow", {640, 480}), 24));
  writeBytes(web / "Okręgi.gif", encodeGifFile(drawPicture("circles", {640, 480})));
  const fs::path pictures = drive / "Moje dokumenty" / "Moje obrazy";
  writeBytes(pictures / "Wakacje.bmp", formats::BmpWriter::encode(drawPicture("sea", {320, 240}), 24));
  writeBytes(pictures / "Góry.jpg", jpegBytes(drawPicture("forest", {640, 480}), 80));

  // Beside the program: wallpapers, OEM samples, toolbar pictures.
  const fs::path desktop = data / "Logo" / "Pulpit";
  writeBytes(desktop / "Błękitne niebo.bmp",
             formats::BmpWriter::encode(drawPicture("clouds", {800, 600}), 24));
  writeBytes(desktop / "Cegiełki.bmp", formats::BmpWriter::encode(drawPicture("bricks", {96, 96}), 8));
  writeBytes(desktop / "Zima.w.górach.jpg", jpegBytes(drawPicture("night", {800, 600}), 85));
  writeBytes(desktop / "Wschód słońca.jpg", jpegBytes(drawPicture("sunset", {1024, 768}), 85));
  writeBytes(desktop / "Mozaika.gif", encodeGifFile(drawPicture("mosaic", {640, 480})));
  writeBytes(desktop / "Okręgi.gif", encodeGifFile(drawPicture("circles", {800, 600})));
  const fs::path oem = data / "Logo" / "OEM";
  writeBytes(oem / "Logo firmy.bmp", formats::BmpWriter::encode(drawPicture("oem", {180, 114}), 24));
  writeBytes(oem / "Mały znak.bmp", formats::BmpWriter::encode(drawPicture("oem", {120, 60}), 8));
  writeBytes(oem / "Duże logo.jpg", jpegBytes(drawPicture("oem", {360, 228}), 90));
  writeBytes(oem / "Logo firmy.gif", encodeGifFile(drawPicture("oem", {200, 100})));
  writeBytes(oem / "Znak firmy.ico", encodeIconFile({makeIconImage(drawIcon("computer:PK:blue", 32), 8),
                                                     makeIconImage(drawIcon("computer:PK:blue", 32), 4)}));
  const std::vector<MetaShape> shapes = {
      {MetaShape::Rectangle, QColor(230, 235, 245), {QPoint(0, 0), QPoint(180, 114)}},
      {MetaShape::Ellipse, QColor(0, 90, 180), {QPoint(10, 12), QPoint(100, 102)}},
      {MetaShape::Polygon, QColor(255, 200, 0), {QPoint(55, 20), QPoint(90, 90), QPoint(20, 90)}},
      {MetaShape::Rectangle, QColor(0, 60, 140), {QPoint(110, 40), QPoint(170, 74)}},
  };
  writeBytes(oem / "Znak wektorowy.wmf", encodeWindowsMetafile(180, 114, shapes));
  writeBytes(oem / "Znak wektorowy.emf", encodeEnhancedMetafile(180, 114, shapes));
  const fs::path toolbars = data / "Logo" / "Tapetki";
  writeBytes(toolbars / "Papier.bmp", formats::BmpWriter::encode(drawPicture("paper", {300, 120}), 8));
  writeBytes(toolbars / "Metal.bmp", formats::BmpWriter::encode(drawPicture("metal", {300, 120}), 8));
  writeBytes(toolbars / "Marmur.bmp", formats::BmpWriter::encode(drawPicture("marble", {300, 120}), 8));
  writeBytes(toolbars / "Niebo.bmp", formats::BmpWriter::encode(drawPicture("clouds", {300, 120}), 8));
  writeBytes(toolbars / "Mała animacja.bmp", formats::BmpWriter::encode(drawAnimationStrip(22, false), 8));
  writeBytes(toolbars / "Duża animacja.bmp", formats::BmpWriter::encode(drawAnimationStrip(38, true), 8));
}

// The TrueType files the registry registers, taken from the build machine's fonts.
void copyFonts(const TemplateSources& sources, const fs::path& drive) {
  MemoryRegistry registry;
  loadRegistryFolder(registry, sources.sandboxSource / "registry");
  RegistryHandle fonts(registry);
  fonts.setRoot(Root::LocalMachine);
  if (!fonts.openKey("\\Software\\Microsoft\\Windows\\CurrentVersion\\Fonts", false)) return;
  for (const std::string& name : fonts.valueNames()) {
    const std::string file = fonts.readString(name);
    bool found = false;
    for (const fs::path& folder : sources.fontFolders) {
      const fs::path candidate = folder / file;
      if (fs::exists(candidate)) {
        fs::create_directories(drive / "WINDOWS" / "FONTS");
        fs::copy_file(candidate, drive / "WINDOWS" / "FONTS" / file, fs::copy_options::overwrite_existing);
        found = true;
        break;
      }
    }
    if (!found)
      throw std::runtime_error("font file " + file + " (" + name +
                               ") is not installed; see tools/packages.txt");
  }
}

// Wine stamps every key with the time it was written; the template's keys all
// get one fixed time (5 May 1999) so that the same sources give the same files.
void fixTimeStamps(const fs::path& file) {
  constexpr std::uint64_t kSeconds = 925862400;
  constexpr std::uint64_t kFileTime = (kSeconds + 11644473600ULL) * 10000000ULL;
  std::ifstream in(file, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (line.rfind("#time=", 0) == 0) {
      char hex[32];
      std::snprintf(hex, sizeof hex, "%llx", static_cast<unsigned long long>(kFileTime));
      line = std::string("#time=") + hex;
    } else if (!line.empty() && line[0] == '[') {
      const std::size_t space = line.rfind("] ");
      if (space != std::string::npos && line.find_first_not_of("0123456789", space + 2) == std::string::npos)
        line = line.substr(0, space + 2) + std::to_string(kSeconds);
    }
    out += line;
    if (end < text.size()) out += '\n';
    pos = end + 1;
  }
  writeBytes(file, std::vector<std::uint8_t>(out.begin(), out.end()));
}

void writeRegistry(const TemplateSources& sources, const fs::path& prefix) {
  fs::create_directories(prefix);
  auto registry = WineRegistryFiles::open(prefix);
  loadRegistryFolder(*registry, sources.sandboxSource / "registry");
  registry->flush();
  registry.reset();
  for (const char* file : {"system.reg", "user.reg"}) fixTimeStamps(prefix / file);
  // New users start from nothing of their own; the file takes the same
  // architecture line as the others, which wineserver requires.
  std::ifstream system(prefix / "system.reg");
  std::string arch = "#arch=win32";
  for (std::string line; std::getline(system, line);)
    if (line.rfind("#arch=", 0) == 0) {
      arch = line;
      break;
    }
  const std::string header =
      "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\.Default\n\n" + arch + "\n";
  writeBytes(prefix / "userdef.reg", std::vector<std::uint8_t>(header.begin(), header.end()));
}

void writeShortcuts(const fs::path& drive) {
  for (const ShortcutSpec& s : sandboxShortcuts()) {
    formats::ShellLinkFields link;
    link.target = s.target.toStdString();
    link.arguments = s.arguments.toStdString();
    link.workingDirectory =
        (s.workingDirectory.isEmpty() ? s.target.left(s.target.lastIndexOf('\\')) : s.workingDirectory)
            .toStdString();
    writeBytes(drive / utf8Path(s.file), formats::ShellLinkWriter::encode(link, "CP1250"));
  }
}

}  // namespace

void buildTemplate(const TemplateSources& sources, const fs::path& output) {
  if (!sources.dataSource.empty())
    for (const auto& entry : fs::directory_iterator(sources.dataSource))
      if (entry.path().filename() != "sandbox")
        fs::copy(entry.path(), output / entry.path().filename(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  const fs::path drive = output / "sandbox" / "drive_c";
  writeBytes(output / "sandbox" / kSandboxMarkFile,
             std::vector<std::uint8_t>(std::begin(kSandboxMarkText), std::end(kSandboxMarkText) - 1));
  makeFolders(drive);
  copyDriveFiles(sources.sandboxSource / "drive_c", drive);
  writeModules(drive);
  writeSounds(drive);
  writeCursors(drive, output);
  writeLogos(drive, output);
  writePictures(drive, output);
  copyFonts(sources, drive);
  writeShortcuts(drive);
  writeRegistry(sources, output / "sandbox");
}

}  // namespace kelvaro::sandbox
