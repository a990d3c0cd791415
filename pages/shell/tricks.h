#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

class RegistryHandle;

// The tricks that live only in HKEY_CLASSES_ROOT keys with default values:
// extra context-menu verbs and handlers, and Explorer as the default verb of
// "Mój komputer". Each is read and written whole, on or off.
struct ClassesTrick {
  // How the loader tells that a key of the trick is there.
  enum class Test { DefaultIs, DefaultNotEmpty, Exists };
  struct Check {
    const char* key;
    Test test;
    const char* text;  // DefaultIs
  };
  // A key written when the trick is on (or off): created, with its default
  // value when text is given.
  struct Write {
    const char* key;
    const char* text;  // nullptr: the key only
  };

  const char* name;  // the box's object name
  const char* caption;
  std::vector<Check> ticked;  // all must hold
  std::vector<Write> on;
  std::vector<const char*> offDeleted;  // with their subkeys
  std::vector<Write> offWritten;        // after the deletes
};

enum class ClassesTrickId {
  EmptyBin,
  ExitWindows,
  QuickDos,
  Attributes,
  OpenInNew,
  ScanDisk,
  Defrag,
  CopyTo,
  MoveTo,
  ExploreMyComputer,
};

std::span<const ClassesTrick> classesTricks();
const ClassesTrick& classesTrick(ClassesTrickId id);

// The root is HKEY_CLASSES_ROOT; the handle ends with no key open.
bool readClassesTrick(RegistryHandle& reg, const ClassesTrick& trick);
void writeClassesTrick(RegistryHandle& reg, const ClassesTrick& trick, bool on);

// The script that puts the date beside the taskbar clock: six lines, each
// ending in CR LF.
std::string clockScript();

// The Start-menu folders named by shell class identifiers.
struct StartMenuFolder {
  const char* name;  // the box's object name
  const char* caption;
  const char* folder;
  const char* description;  // its third description line
};
std::span<const StartMenuFolder> startMenuFolders();

}  // namespace kelvaro
