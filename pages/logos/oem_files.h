#pragma once

#include <QPoint>
#include <QSize>

#include <string>
#include <vector>

#include "store/registry_tree.h"

namespace kelvaro {

class FileSystem;

inline constexpr QSize kOemLogoSize{180, 114};

// Where a picture of this size stands in the 180 x 114 logo box at its own
// size: centred on the box (a larger one overhangs it), a 180 x 114 one at
// (0, 0).
QPoint oemPlacement(QSize picture);

// The lines of oeminfo.ini: [General] with the maker, model and "Zrobiony
// przez: " the registered organisation, then [Support Information] with one
// LineN per line of the free text.
std::vector<std::string> oemInfoLines(const std::string& product, const std::string& company,
                                      const std::string& organisation, const std::vector<std::string>& text);
// The file's bytes: each line ended by CR LF, in the code page.
std::string oemInfoFile(const std::vector<std::string>& lines, const std::string& codePage);

// The lines of a multi-line field as the field counts them: a text ending in
// a line break has no empty last line; an empty text has none.
std::vector<std::string> textLines(const std::string& text);

// The folder of a Windows directory that holds Shell32.dll: System32, else
// System; empty when neither does.
std::string shellSystemDirectory(FileSystem& files, const std::string& windowsDirectory);

// What the crop window finds for itself: the Windows directory the registry
// names ("WinDir" of the Setup key, else the NT key's "PathName", each only
// as a string naming an existing folder, else "C:\Windows") and its system
// directory (else "C:\Windows\System").
struct CropDirectories {
  std::string windows;
  std::string system;
};
CropDirectories cropDirectories(Registry& registry, FileSystem& files);

}  // namespace kelvaro
