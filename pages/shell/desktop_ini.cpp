#include "pages/shell/desktop_ini.h"

#include <cctype>

namespace kelvaro {
namespace {

bool letterIs(std::string_view line, std::size_t position, char letter) {
  return line.size() > position && std::tolower(static_cast<unsigned char>(line[position])) == letter;
}

enum class LineKind { Other, IconFile, IconIndex, InfoTip };

LineKind kindOf(std::string_view line) {
  if (line.size() < 2) return LineKind::Other;
  if (letterIs(line, 0, 'i') && letterIs(line, 4, 'f')) return LineKind::IconFile;
  if (letterIs(line, 0, 'i') && letterIs(line, 4, 'i')) return LineKind::IconIndex;
  if (letterIs(line, 1, 'n') && letterIs(line, 4, 't')) return LineKind::InfoTip;
  return LineKind::Other;
}

std::string valueOf(std::string_view line) {
  const std::size_t equals = line.rfind('=');
  return equals == std::string_view::npos ? std::string() : std::string(line.substr(equals + 1));
}

std::string lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

FolderCustomisation recogniseDesktopIni(const std::vector<std::string>& lines) {
  FolderCustomisation found;
  for (const std::string& line : lines) {
    switch (kindOf(line)) {
      case LineKind::IconFile:
        found.iconFile = valueOf(line);
        break;
      case LineKind::IconIndex:
        found.iconIndex = valueOf(line);
        break;
      case LineKind::InfoTip:
        found.infoTip = valueOf(line);
        break;
      case LineKind::Other:
        break;
    }
  }
  return found;
}

std::string desktopIniText(std::string_view iconFile, std::string_view iconIndex, std::string_view infoTip,
                           const std::vector<std::string>& previousLines) {
  std::vector<std::string> shellClassInfo;  // the section's other lines
  std::vector<std::string> elsewhere;       // other sections, with their headers
  bool inShellClassInfo = false;
  for (const std::string& line : previousLines) {
    const std::string bare = trimmed(line);
    if (!bare.empty() && bare.front() == '[') {
      inShellClassInfo = lower(bare) == "[.shellclassinfo]";
      if (!inShellClassInfo) elsewhere.push_back(line);
      continue;
    }
    if (!inShellClassInfo) {
      // Lines before the first section belong to none; they are kept too.
      if (!bare.empty() || !elsewhere.empty()) elsewhere.push_back(line);
      continue;
    }
    if (bare.empty() || kindOf(line) != LineKind::Other || lower(bare).starts_with("confirmfileop")) continue;
    shellClassInfo.push_back(line);
  }
  std::string text = "[.ShellClassInfo]\r\n";
  text += "IconFile=" + std::string(iconFile) + "\r\n";
  text += "IconIndex=" + std::string(iconIndex) + "\r\n";
  text += "ConfirmFileOp=0\r\n";
  text += "InfoTip=" + std::string(infoTip) + "\r\n";
  for (const std::string& line : shellClassInfo) text += line + "\r\n";
  while (!elsewhere.empty() && trimmed(elsewhere.back()).empty()) elsewhere.pop_back();
  for (const std::string& line : elsewhere) text += line + "\r\n";
  return text;
}

}  // namespace kelvaro
