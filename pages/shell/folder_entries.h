#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

class FileSystem;
class ShellLinks;

// The entries of a menu folder (Send To, Recent, Quick Launch): the names of
// the folder's files and subfolders that match the mask, hidden and system
// ones included, without descending; empty for a missing or unreadable
// folder. Sorted as the pages list them: alphabetically in Polish, without
// regard to case.
std::vector<std::string> folderListing(FileSystem& files, std::string_view folder, std::string_view mask);

// Names in the order the pages list them: alphabetically in Polish, without
// regard to case.
void sortEntryNames(std::vector<std::string>& names);

// What a menu entry file points to: a shortcut's (or a PIF's) target, the
// name of the shell object a special entry stands for, or an empty text.
std::string targetDescription(FileSystem& files, ShellLinks& links, std::string_view path);

// A file name without its extension ("list.txt.lnk" -> "list.txt"), and the
// extension with its dot ("" when there is none).
std::string withoutExtension(std::string_view fileName);
std::string extensionOf(std::string_view fileName);

// The file name of a path: what follows its last backslash.
std::string fileNameOf(std::string_view path);

// The folder of a program as a shortcut's working folder: "C:\WINDOWS" for
// "C:\WINDOWS\NOTEPAD.EXE", "C:\" for "C:\x.exe"; empty without a folder.
std::string programFolder(std::string_view programPath);

// True when a name the user typed can stand as one file or folder name in
// the folder meant for it: none of \ / : * ? " < > |, not "." or "..", and
// kept by the file system as typed. Such a name reaches no other folder.
bool isPlainEntryName(std::string_view name);

// Saves a shortcut to a program as the pages' "OK" makes it: the file
// fileName (".lnk" included) in folder, the program's own folder as its
// working folder. Nothing is saved, and false comes back, when the name is
// not a plain entry name, the folder is gone or the link cannot be written.
bool saveProgramShortcut(FileSystem& files, ShellLinks& links, const std::string& folder,
                         const std::string& fileName, const std::string& program);

}  // namespace kelvaro
