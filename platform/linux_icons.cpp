#include "platform/linux_icons.h"

#include <algorithm>
#include <cctype>

#include <QPainter>
#include <QPainterPath>

#include "platform/formats/file_bytes.h"
#include "platform/formats/icon_extractor.h"
#include "platform/icon_location.h"
#include "store/registry_handle.h"

namespace kelvaro {
namespace {

Icon toIcon(const formats::ExtractedIcon& icon) { return Icon{icon.large, icon.small}; }

bool isBareFileName(std::string_view path) {
  return path.find('\\') == std::string_view::npos && path.find('/') == std::string_view::npos &&
         path.find(':') == std::string_view::npos;
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

// The program a shell command starts: the quoted first word, or the text up
// to the first blank.
std::string commandProgram(const std::string& command) {
  std::size_t start = command.find_first_not_of(' ');
  if (start == std::string::npos) return {};
  if (command[start] == '"') {
    const std::size_t end = command.find('"', start + 1);
    return command.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
  }
  const std::size_t end = command.find(' ', start);
  return command.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

struct LinuxIcons::Library {
  std::filesystem::path host;
  std::uintmax_t size = 0;
  std::filesystem::file_time_type time;
  std::unique_ptr<formats::FileBytes> bytes;
  std::unique_ptr<formats::IconExtractor> extractor;
};

namespace {
constexpr std::size_t kLibrariesKept = 4;
}

LinuxIcons::LinuxIcons(Registry& registry, DosPathResolver resolver, IconDirectories directories)
    : registry_(registry), resolver_(std::move(resolver)), directories_(std::move(directories)) {}

LinuxIcons::~LinuxIcons() = default;

const LinuxIcons::Library* LinuxIcons::library(const std::filesystem::path& host) {
  std::error_code ec;
  const std::uintmax_t size = std::filesystem::file_size(host, ec);
  if (ec) return nullptr;
  const std::filesystem::file_time_type time = std::filesystem::last_write_time(host, ec);
  if (ec) return nullptr;
  for (auto it = libraries_.begin(); it != libraries_.end(); ++it) {
    if ((*it)->host != host) continue;
    if ((*it)->size == size && (*it)->time == time) {
      std::rotate(libraries_.begin(), it, it + 1);  // most recent first
      return libraries_.front().get();
    }
    libraries_.erase(it);  // changed since: read again
    break;
  }
  auto entry = std::make_unique<Library>();
  entry->host = host;
  entry->size = size;
  entry->time = time;
  entry->bytes = std::make_unique<formats::FileBytes>(host);
  if (!entry->bytes->isOpen()) return nullptr;
  entry->extractor = std::make_unique<formats::IconExtractor>(entry->bytes->view());
  if (libraries_.size() >= kLibrariesKept) libraries_.pop_back();
  libraries_.insert(libraries_.begin(), std::move(entry));
  return libraries_.front().get();
}

std::optional<std::filesystem::path> LinuxIcons::locate(std::string_view dosPath) const {
  if (dosPath.empty() || !resolver_) return std::nullopt;
  std::vector<std::string> candidates{std::string(dosPath)};
  if (isBareFileName(dosPath)) {
    candidates.push_back(directories_.system + "\\" + std::string(dosPath));
    candidates.push_back(directories_.windows + "\\" + std::string(dosPath));
  }
  for (const std::string& candidate : candidates) {
    const std::optional<std::filesystem::path> host = resolver_(candidate);
    std::error_code ec;
    if (host && std::filesystem::is_regular_file(*host, ec)) return host;
  }
  return std::nullopt;
}

std::optional<std::string> LinuxIcons::shellLibrary() const {
  for (const char* relative : {"\\System32\\Shell32.dll", "\\System\\Shell32.dll"}) {
    const std::string candidate = directories_.windows + relative;
    const std::optional<std::filesystem::path> host = resolver_ ? resolver_(candidate) : std::nullopt;
    std::error_code ec;
    if (host && std::filesystem::is_regular_file(*host, ec)) return candidate;
  }
  return std::nullopt;
}

int LinuxIcons::iconCount(std::string_view dosPath) {
  const std::optional<std::filesystem::path> host = locate(dosPath);
  const Library* file = host ? library(*host) : nullptr;
  return file ? file->extractor->count() : 0;
}

Icon LinuxIcons::extractIcon(std::string_view dosPath, int index) {
  const std::optional<std::filesystem::path> host = locate(dosPath);
  const Library* file = host ? library(*host) : nullptr;
  return file ? toIcon(file->extractor->icon(index)) : Icon{};
}

std::vector<Icon> LinuxIcons::allIcons(std::string_view dosPath) {
  std::vector<Icon> icons;
  const std::optional<std::filesystem::path> host = locate(dosPath);
  const Library* file = host ? library(*host) : nullptr;
  if (!file) return icons;
  for (const formats::ExtractedIcon& icon : file->extractor->all()) icons.push_back(toIcon(icon));
  return icons;
}

std::vector<QImage> LinuxIcons::largeIcons(std::string_view dosPath) {
  const std::optional<std::filesystem::path> host = locate(dosPath);
  const Library* file = host ? library(*host) : nullptr;
  return file ? file->extractor->allLarge() : std::vector<QImage>{};
}

QImage LinuxIcons::displayIcon(std::string_view location, IconTarget target) {
  const IconDisplayPlan plan = planIconDisplay(location, directories_);
  switch (plan.kind) {
    case IconDisplayPlan::Kind::Generic:
      return genericIcon();
    case IconDisplayPlan::Kind::FileIcon:
      return extractIcon(plan.source.file, plan.source.index).large;
    case IconDisplayPlan::Kind::Substitute:
      return substituteIcon(target);
  }
  return genericIcon();
}

QImage LinuxIcons::substituteIcon(IconTarget target) {
  const std::optional<IconSubstitute> substitute = negativeIndexSubstitute(target);
  if (!substitute) return genericIcon();
  std::optional<std::string> file;
  switch (substitute->base) {
    case IconSubstitute::Base::ShellLibrary:
      file = shellLibrary();
      break;
    case IconSubstitute::Base::WindowsDirectory:
      file = directories_.windows + std::string(substitute->relativePath);
      break;
    case IconSubstitute::Base::SystemDirectory:
      file = directories_.system + std::string(substitute->relativePath);
      break;
    case IconSubstitute::Base::ProgramFiles:
      file = directories_.programFiles + std::string(substitute->relativePath);
      break;
  }
  if (!file || !locate(*file)) return genericIcon();
  // The file exists: its icon, or nothing when it lacks that icon.
  return extractIcon(*file, substitute->index).large;
}

Icon LinuxIcons::shellLibraryIcon(int index) {
  if (const std::optional<std::string> library = shellLibrary()) {
    Icon icon = extractIcon(*library, index);
    if (!icon.isNull()) return icon;
  }
  const QImage generic = genericIcon();
  return Icon{generic, generic.scaled(16, 16, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)};
}

std::string LinuxIcons::classesText(const std::string& keyPath) {
  RegistryHandle handle(registry_);
  handle.setRoot(Root::ClassesRoot);
  if (!handle.openKey("\\" + keyPath, false)) return {};
  const ValueKind kind = handle.valueKind("");
  if (kind != ValueKind::String && kind != ValueKind::ExpandString) return {};
  return handle.readString("");
}

Icon LinuxIcons::fileTypeIcon(std::string_view extension) {
  std::string ext(extension);
  if (ext.empty() || ext.find('\\') != std::string::npos) return shellLibraryIcon(kUnknownFileIcon);
  if (ext.front() != '.') ext.insert(ext.begin(), '.');
  const std::string type = classesText(ext);
  if (type.empty() || type.find('\\') != std::string::npos) return shellLibraryIcon(kUnknownFileIcon);

  const std::string location = classesText(type + "\\DefaultIcon");
  if (!location.empty()) {
    const std::string expanded = expandIconLocation(location, directories_);
    if (expanded == "%1" || expanded == "\"%1\"") {
      // The file's own icon; with no file at hand the shell shows its
      // program icon for programs and the unknown-type icon for the rest.
      const std::string e = lower(ext);
      const bool program = e == ".exe" || e == ".com" || e == ".scr" || e == ".pif";
      return shellLibraryIcon(program ? kProgramIcon : kUnknownFileIcon);
    }
    IconSource source{expanded, 0};
    if (const std::size_t comma = expanded.rfind(','); comma != std::string::npos) {
      // The shell reads a bad index as 0; a negative one names a group id.
      source = {expanded.substr(0, comma),
                parseIconIndex(std::string_view(expanded).substr(comma + 1)).value_or(0)};
    }
    if (source.file.size() >= 2 && source.file.front() == '"' && source.file.back() == '"') {
      source.file = source.file.substr(1, source.file.size() - 2);
    }
    Icon icon = extractIcon(source.file, source.index);
    return icon.isNull() ? shellLibraryIcon(kUnknownFileIcon) : icon;
  }
  // No DefaultIcon: the icon of the program that opens the type.
  const std::string command = classesText(type + "\\shell\\open\\command");
  const std::string program = commandProgram(expandIconLocation(command, directories_));
  if (!program.empty()) {
    Icon icon = extractIcon(program, 0);
    if (!icon.isNull()) return icon;
  }
  return shellLibraryIcon(kUnknownFileIcon);
}

QImage LinuxIcons::genericIcon() {
  if (!generic_.isNull()) return generic_;
  // A plain sheet of paper with a folded corner.
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  QPainterPath sheet;
  sheet.moveTo(6.5, 2.5);
  sheet.lineTo(20.5, 2.5);
  sheet.lineTo(26.5, 8.5);
  sheet.lineTo(26.5, 29.5);
  sheet.lineTo(6.5, 29.5);
  sheet.closeSubpath();
  painter.setPen(QPen(QColor(64, 64, 64), 1));
  painter.setBrush(Qt::white);
  painter.drawPath(sheet);
  QPainterPath fold;
  fold.moveTo(20.5, 2.5);
  fold.lineTo(20.5, 8.5);
  fold.lineTo(26.5, 8.5);
  painter.setBrush(QColor(192, 192, 192));
  painter.drawPath(fold);
  painter.end();
  generic_ = image;
  return generic_;
}

}  // namespace kelvaro
