#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "file_change_guard.h"

namespace kelvaro {

// A profile file (win.ini, control.ini, oeminfo.ini) with the profile API's
// semantics: case-insensitive sections and keys, the first match wins, a
// missing file reads as empty. Every call reads the file afresh; writes change
// only the lines they must and replace the file atomically. Text is in the
// given ANSI code page unless the file starts with a UTF-8 or UTF-16 BOM.
class IniFile {
 public:
  // displayPath is the name errors show (the DOS path); the host path if empty.
  // The guard, when given, is told before the file is replaced.
  explicit IniFile(std::filesystem::path hostPath, std::string codePage = "CP1250",
                   std::string displayPath = {}, FileChangeGuard* guard = nullptr);

  bool sectionExists(std::string_view section);
  std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue);
  std::vector<std::string> readSectionValues(std::string_view section);  // "key=value", file order
  void eraseSection(std::string_view section);
  void writeString(std::string_view section, std::string_view key, std::string_view text);

  const std::filesystem::path& hostPath() const { return hostPath_; }

 private:
  struct Document;
  Document load() const;
  void save(const Document& doc) const;

  std::filesystem::path hostPath_;
  std::string codePage_;
  std::string displayPath_;
  FileChangeGuard* guard_;
};

}  // namespace kelvaro
