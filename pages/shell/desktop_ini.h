#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

// What the folder icons page reads from a folder's desktop.ini: the values
// of the icon file, icon index and tooltip lines, found by their letters
// (icon file: 1st I, 5th F; icon index: 1st I, 5th I; tooltip: 2nd N, 5th
// T; any case), a later line replacing an earlier one of its kind. A value
// is the text after the line's last "=" (empty without one).
struct FolderCustomisation {
  std::optional<std::string> iconFile;
  std::optional<std::string> iconIndex;
  std::optional<std::string> infoTip;
};

// The lines of a file, without their CR LF or LF.
std::vector<std::string> splitLines(std::string_view text);

FolderCustomisation recogniseDesktopIni(const std::vector<std::string>& lines);

// The desktop.ini the page writes: "[.ShellClassInfo]", "IconFile=",
// "IconIndex=", "ConfirmFileOp=0", "InfoTip=", each ended by CR LF. Lines of
// the file it replaces that say something else (a folder's CLSID, other
// sections) follow them, so applying an icon loses none of them.
std::string desktopIniText(std::string_view iconFile, std::string_view iconIndex, std::string_view infoTip,
                           const std::vector<std::string>& previousLines = {});

}  // namespace kelvaro
