#include "platform/environment_fonts.h"

#include <QFontDatabase>
#include <QString>

#include <algorithm>
#include <array>

#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/formats/file_bytes.h"
#include "platform/formats/font_names.h"
#include "platform/formats/format_error.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"
#include "store/text_codec.h"

namespace kelvaro {
namespace {

constexpr char kNtFonts[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
constexpr char k9xFonts[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kTrueType[] = " (TrueType)";

std::string folded(const std::string& name) { return utf16ToUtf8(foldName(utf8ToUtf16(name))); }

bool endsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

EnvironmentFonts::EnvironmentFonts(Environment& environment) : environment_(environment) {}

std::optional<std::string> EnvironmentFonts::registeredFamily(const std::string& valueName) {
  if (!endsWith(valueName, kTrueType)) return std::nullopt;
  std::string family = valueName.substr(0, valueName.size() - std::string_view(kTrueType).size());
  // The longest style first, so "Pogrubiona kursywa" is not taken for "Kursywa".
  static constexpr std::array<std::string_view, 6> kStyles{
      " Pogrubiona kursywa", " Bold Italic", " Pogrubiony", " Kursywa", " Italic", " Bold"};
  for (std::string_view style : kStyles) {
    if (endsWith(family, style) && family.size() > style.size()) {
      family.resize(family.size() - style.size());
      break;
    }
  }
  if (family.empty()) return std::nullopt;
  return family;
}

void EnvironmentFonts::scan() {
  scanned_ = true;
  FileSystem& files = environment_.files();
  RegistryHandle reg(environment_.registry());
  std::string folder;
  if (openForRead(reg, kShellFolders)) folder = guardedReadString(reg, "Fonts");
  if (folder.empty()) folder = environment_.windowsDirectory() + "\\Fonts";

  std::map<std::string, std::string> shown;  // folded → as first seen
  auto add = [&](const std::string& family, const std::optional<std::filesystem::path>& file) {
    const std::string key = folded(family);
    shown.emplace(key, family);
    if (file) {
      auto& list = files_[key];
      if (std::find(list.begin(), list.end(), file->string()) == list.end()) list.push_back(file->string());
    }
  };

  // The family a font file names; nullopt for a file that is no font.
  std::map<std::string, std::optional<std::string>> named;
  auto familyOf = [&named](const std::filesystem::path& file) {
    auto known = named.find(file.string());
    if (known != named.end()) return known->second;
    std::optional<std::string> family;
    const formats::FileBytes bytes(file);
    try {
      if (bytes.isOpen()) family = formats::fontFamilyName(bytes.view());
    } catch (const formats::FormatError&) {
      // Not a font Qt could draw either.
    }
    return named.emplace(file.string(), family).first->second;
  };

  // The files of the Fonts folder, by the family each names.
  for (const DirectoryEntry& entry : files.listDirectory(folder, "*.*")) {
    if (entry.isDirectory()) continue;
    const std::string lower = folded(entry.name);
    if (!endsWith(lower, ".ttf") && !endsWith(lower, ".otf") && !endsWith(lower, ".ttc")) continue;
    const auto host = files.hostPath(folder + "\\" + entry.name);
    if (!host) continue;
    if (const auto family = familyOf(*host)) add(*family, host);
  }

  // The registrations: the NT key where there is one, else the 9x key.
  reg.closeKey();
  reg.setRoot(Root::LocalMachine);
  if (!openForRead(reg, kNtFonts)) {
    reg.closeKey();
    openForRead(reg, k9xFonts);
  }
  if (reg.hasOpenKey()) {
    for (const std::string& name : reg.valueNames()) {
      auto family = registeredFamily(name);
      if (!family) continue;
      const std::string file = guardedReadString(reg, name);
      std::optional<std::filesystem::path> host;
      if (!file.empty()) {
        // A bare name is in the Fonts folder; Wine registers full paths.
        host = files.hostPath(file.find('\\') == std::string::npos ? folder + "\\" + file : file);
        std::error_code ec;
        if (host && !std::filesystem::is_regular_file(*host, ec)) host.reset();
      }
      // A file that is there names its family better than a value name can
      // ("Sans Bold Oblique" is a style of "Sans").
      if (host) {
        if (auto named = familyOf(*host)) family = std::move(named);
      }
      add(*family, host);
    }
  }

  families_.clear();
  for (const auto& [key, family] : shown) families_.push_back(family);
  std::sort(families_.begin(), families_.end(), [](const std::string& a, const std::string& b) {
    return compareNames(utf8ToUtf16(a), utf8ToUtf16(b)) < 0;
  });
}

std::vector<std::string> EnvironmentFonts::families() {
  if (!scanned_) scan();
  return families_;
}

QFont EnvironmentFonts::font(const std::string& family, int pointSize) {
  if (!scanned_) scan();
  const std::string key = folded(family);
  auto known = loaded_.find(key);
  if (known == loaded_.end()) {
    std::optional<QString> qtFamily;
    for (const std::string& file : files_[key]) {
      const int id = QFontDatabase::addApplicationFont(QString::fromStdString(file));
      const QStringList names = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
      if (!qtFamily && !names.isEmpty()) qtFamily = names.front();
    }
    known = loaded_.emplace(key, qtFamily).first;
  }
  QFont font;
  if (known->second) font.setFamily(*known->second);
  font.setPointSize(pointSize);
  return font;
}

}  // namespace kelvaro
