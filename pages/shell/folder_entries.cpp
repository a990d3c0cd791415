#include "pages/shell/folder_entries.h"

#include <QCollator>
#include <QLocale>
#include <QString>

#include <algorithm>

#include "platform/dos_path.h"
#include "platform/file_system.h"
#include "platform/shell_links.h"

namespace kelvaro {
namespace {

QString qt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void sortEntryNames(std::vector<std::string>& names) {
  QCollator collator{QLocale(QLocale::Polish, QLocale::Poland)};
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  std::stable_sort(names.begin(), names.end(), [&collator](const std::string& a, const std::string& b) {
    return collator.compare(qt(a), qt(b)) < 0;
  });
}

std::vector<std::string> folderListing(FileSystem& files, std::string_view folder, std::string_view mask) {
  std::vector<std::string> names = files.listNames(folder, mask);
  sortEntryNames(names);
  return names;
}

std::string targetDescription(FileSystem& files, ShellLinks& links, std::string_view path) {
  if (!files.fileExists(path)) return {};
  const QString extension = qt(extensionOf(fileNameOf(path))).toUpper();
  if (extension == ".LNK" || extension == ".PIF") {
    const auto host = files.hostPath(path);
    return host ? links.target(*host) : std::string();
  }
  if (extension == ".SCF") return "Pokaż pulpit";
  if (extension == ".DESKLINK") return "Pulpit (utwórz skrót)";
  if (extension == ".MAPIMAIL") return "Adresat poczty";
  if (extension == ".MYDOCS") return "Moje dokumenty";
  return {};
}

std::string withoutExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return std::string(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
}

std::string extensionOf(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(fileName.substr(dot));
}

std::string fileNameOf(std::string_view path) {
  const std::size_t slash = path.rfind('\\');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string programFolder(std::string_view programPath) {
  const std::size_t slash = programPath.rfind('\\');
  if (slash == std::string_view::npos) return {};
  // A drive's root keeps its backslash.
  return std::string(programPath.substr(0, slash == 2 && programPath[1] == ':' ? slash + 1 : slash));
}

bool isPlainEntryName(std::string_view name) { return isValidDosName(name); }

bool saveProgramShortcut(FileSystem& files, ShellLinks& links, const std::string& folder,
                         const std::string& fileName, const std::string& program) {
  if (!isPlainEntryName(fileName) || folder.empty() || !files.directoryExists(folder)) return false;
  const auto file = files.hostPath(folder + "\\" + fileName);
  if (!file) return false;
  ShellLink link;
  link.target = program;
  link.workingDirectory = programFolder(program);
  try {
    links.create(*file, link);
  } catch (const ShellLinkError&) {
    return false;
  }
  return true;
}

}  // namespace kelvaro
