#include "pages/logos/oem_files.h"

#include "platform/file_system.h"
#include "store/registry_handle.h"
#include "store/text_codec.h"

namespace kelvaro {

QPoint oemPlacement(QSize picture) {
  if (picture == kOemLogoSize) return {0, 0};
  return {kOemLogoSize.width() / 2 - picture.width() / 2, kOemLogoSize.height() / 2 - picture.height() / 2};
}

std::vector<std::string> oemInfoLines(const std::string& product, const std::string& company,
                                      const std::string& organisation, const std::vector<std::string>& text) {
  std::vector<std::string> lines{"[General]", "Manufacturer=" + product, "Model=" + company,
                                 "Manufactured=Zrobiony przez: " + organisation, "[Support Information]"};
  for (std::size_t k = 0; k < text.size(); ++k)
    lines.push_back("Line" + std::to_string(k + 1) + "=" + text[k]);
  return lines;
}

std::string oemInfoFile(const std::vector<std::string>& lines, const std::string& codePage) {
  std::string utf8;
  for (const std::string& line : lines) utf8 += line + "\r\n";
  return encodeCodePage(utf8, codePage);
}

std::vector<std::string> textLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

std::string shellSystemDirectory(FileSystem& files, const std::string& windowsDirectory) {
  for (const char* folder : {"\\System32", "\\System"}) {
    const std::string directory = windowsDirectory + folder;
    if (files.fileExists(directory + "\\Shell32.dll")) return directory;
  }
  return {};
}

CropDirectories cropDirectories(Registry& registry, FileSystem& files) {
  RegistryHandle reg(registry);
  reg.setRoot(Root::LocalMachine);
  std::string windows;
  const std::pair<const char*, const char*> sources[] = {
      {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Setup", "WinDir"},
      {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "PathName"}};
  for (const auto& [key, value] : sources) {
    reg.closeKey();
    if (!windows.empty() || !reg.openKey(key, false)) continue;
    if (reg.valueExists(value) && reg.valueKind(value) == ValueKind::String) {
      std::string named = reg.readString(value);
      while (named.size() > 3 && named.back() == '\\') named.pop_back();
      if (!named.empty() && files.directoryExists(named)) windows = named;
    }
  }
  reg.closeKey();
  if (windows.empty()) windows = "C:\\Windows";
  std::string system = shellSystemDirectory(files, windows);
  if (system.empty()) system = "C:\\Windows\\System";
  return {windows, system};
}

}  // namespace kelvaro
