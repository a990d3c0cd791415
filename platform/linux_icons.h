#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/icons.h"
#include "store/registry_tree.h"

namespace kelvaro {

// Icons read with our own PE, NE and ICO readers; file-type icons looked up
// in HKEY_CLASSES_ROOT of the environment's registry the way the shell does
// (see platform/formats/shell_icons.md).
class LinuxIcons : public Icons {
 public:
  // resolver maps the environment's DOS paths to host files; directories
  // are the Windows, System and Program Files directories as DOS paths.
  LinuxIcons(Registry& registry, DosPathResolver resolver, IconDirectories directories);
  ~LinuxIcons() override;

  int iconCount(std::string_view dosPath) override;
  Icon extractIcon(std::string_view dosPath, int index) override;
  std::vector<Icon> allIcons(std::string_view dosPath) override;
  std::vector<QImage> largeIcons(std::string_view dosPath) override;
  QImage displayIcon(std::string_view location, IconTarget target = IconTarget::Other) override;
  QImage substituteIcon(IconTarget target) override;
  Icon fileTypeIcon(std::string_view extension) override;
  QImage genericIcon() override;
  void setDirectories(const IconDirectories& directories) override { directories_ = directories; }

  // The shell library: Windows directory + "\System32\Shell32.dll" if it
  // exists, else + "\System\Shell32.dll" if that exists.
  std::optional<std::string> shellLibrary() const;

  // Icon index of the shell library that stands for an unknown file type,
  // and the one for programs whose icon is their own ("%1").
  static constexpr int kUnknownFileIcon = 0;
  static constexpr int kProgramIcon = 2;

 private:
  // The host file a DOS path names; a bare file name is looked for in the
  // System and then the Windows directory, as Windows' search path does.
  std::optional<std::filesystem::path> locate(std::string_view dosPath) const;
  Icon shellLibraryIcon(int index);
  std::string classesText(const std::string& keyPath);
  // The icons of a host file, read once while the file stays as it was.
  struct Library;
  const Library* library(const std::filesystem::path& host);

  Registry& registry_;
  DosPathResolver resolver_;
  IconDirectories directories_;
  QImage generic_;
  // The few files read last (a page showing many icons takes most from one
  // or two libraries, and mapping a file again costs more than its icon).
  std::vector<std::unique_ptr<Library>> libraries_;
};

}  // namespace kelvaro
