#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include <QImage>

namespace kelvaro {

// Maps a DOS path of the environment ("C:\WINDOWS\SYSTEM\SHELL32.DLL") to
// the host file; nullopt when it names nothing.
using DosPathResolver = std::function<std::optional<std::filesystem::path>(std::string_view dosPath)>;

// The directories icon display and the shell's icons need, as DOS paths
// without a trailing backslash ("C:\WINDOWS", "C:\WINDOWS\SYSTEM",
// "C:\Program Files").
struct IconDirectories {
  std::string windows;
  std::string system;
  std::string programFiles;
};

// An icon the way the shell hands it out: 32 x 32 and 16 x 16.
struct Icon {
  QImage large;
  QImage small;
  bool isNull() const { return large.isNull(); }
};

// The target pictures of icon display that have their own substitute for a
// location with a negative index (the system icon slots 1-24 of the icons
// page, and the Start menu icons). Every other picture is Other.
enum class IconTarget {
  Other = 0,
  NetworkNeighbourhood = 1,  // slot 1, "Otoczenie sieciowe"
  MyComputer,                // slot 2
  ControlPanel,              // slot 3
  Printers,                  // slot 4
  InternetExplorer,          // slot 5
  MyDocuments,               // slot 6
  RecycleBinEmpty,           // slot 7
  RecycleBinFull,            // slot 8
  History,                   // slot 9
  Briefcase,                 // slot 10 (no substitute)
  DownloadedProgramFiles,    // slot 11
  OfflineWebPages,           // slot 12
  DialUpNetworking,          // slot 13
  ScheduledTasks,            // slot 14
  Fonts,                     // slot 15
  Desktop,                   // slot 16
  OpenFolder,                // slot 17
  ClosedFolder,              // slot 18
  ProgramGroup,              // slot 19
  Floppy,                    // slot 20
  HardDisk,                  // slot 21
  CdRom,                     // slot 22
  Shortcut,                  // slot 23
  AudioCd,                   // slot 24
  StartPrograms,             // Start menu "Programy"
  StartDocuments,            // "Dokumenty"
  StartSettings,             // "Ustawienia"
  StartFind,                 // "Znajdź"
  StartHelp,                 // "Pomoc"
  StartRun,                  // "Uruchom"
  StartFavorites,            // "Ulubione"
  StartShutDown,             // "Zamknij"
  StartSuspend,              // "Wstrzymaj"
  StartControlPanel,         // "Panel Sterowania w ustawieniach"
  StartPrinters,             // "Drukarki w ustawieniach"
  StartLogOff,               // "Wyloguj"
};

// The system icon slot with that number (1-24), Other for any other number.
IconTarget systemIconSlot(int slot);

// Icons of files (ExtractIcon), icon display of icon locations, and the
// shell's icon for a file type (SHGetFileInfo). Files are DOS paths of the
// environment. Nothing here reports an error: what cannot be shown is a
// null icon or the generic icon, as the pages expect.
class Icons {
 public:
  virtual ~Icons() = default;

  // How many icons the file has (ExtractIcon with -1): its icon groups, 1
  // for an .ico file, 0 for a missing file or one without icons.
  virtual int iconCount(std::string_view dosPath) = 0;
  // Icon `index` of the file, counted from 0; a negative index is the id of
  // an icon group. A null icon when there is none.
  virtual Icon extractIcon(std::string_view dosPath, int index) = 0;
  // Every icon of the file in order.
  virtual std::vector<Icon> allIcons(std::string_view dosPath) = 0;
  // Every icon's 32 x 32 picture in order, null where a group cannot be
  // read (the icon picker's list; half the work of allIcons).
  virtual std::vector<QImage> largeIcons(std::string_view dosPath) = 0;

  // Icon display: the 32 x 32 picture an icon location names, the generic
  // icon, or a null picture (an existing file without that icon).
  virtual QImage displayIcon(std::string_view location, IconTarget target = IconTarget::Other) = 0;
  // What a target shows for a negative index, and what the icons page shows
  // for an empty location: the target's substitute when its file exists,
  // else the generic icon.
  virtual QImage substituteIcon(IconTarget target) = 0;

  // The icon the shell shows for a file with this extension (".txt" or "txt").
  virtual Icon fileTypeIcon(std::string_view extension) = 0;

  // The neutral 32 x 32 icon shown where no icon can be.
  virtual QImage genericIcon() = 0;

  // The directories change when the shell folder page applies a new Program Files folder.
  virtual void setDirectories(const IconDirectories& directories) = 0;
};

}  // namespace kelvaro
