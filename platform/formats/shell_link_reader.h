#pragma once

#include <filesystem>
#include <string>

#include "platform/formats/byte_view.h"
#include "platform/formats/shell_link_writer.h"

namespace kelvaro::formats {

// The target of a shortcut, read through liblnk, with our own reading of the
// target ID list for links that carry no LinkInfo. See shell_link.md.
class ShellLinkReader {
 public:
  // What the shell's GetPath gives back at most (MAX_PATH less its NUL).
  static constexpr std::size_t kMaxTargetLength = 255;

  // The local path (LocalBasePath + CommonPathSuffix), else the network
  // path, else the path the ID list spells; cut to kMaxTargetLength
  // characters. Empty when the link names no file system path. codePage is
  // the environment's ANSI code page for the 8-bit strings. Throws
  // FormatError when the file is not a shell link.
  static std::string target(const std::filesystem::path& file, const std::string& codePage);

  // What the link says: the target as target() gives it, the working folder,
  // the arguments, the icon location and the description from its string
  // data, and whether the target is a folder (its file attributes). Throws
  // FormatError when the file is not a shell link.
  static ShellLinkFields read(const std::filesystem::path& file, const std::string& codePage);

  // The DOS path a target ID list spells: My Computer, a drive, then file
  // entries (their long names where the extension block has them). Empty
  // for lists that name anything else. Throws FormatError on broken items.
  static std::string idListPath(const ByteView& idList, const std::string& codePage);

  // Checks that every part of a shell link lies inside the data (header,
  // ID list, LinkInfo and its offsets, string data, extra data blocks), so
  // that no size field can make liblnk allocate or read beyond the file.
  // Throws FormatError.
  static void checkStructure(const ByteView& link);

  // The program of a PIF file (its 63-byte program field), or empty.
  static std::string pifProgram(const ByteView& pif, const std::string& codePage);

  static std::string truncated(const std::string& utf8, std::size_t characters);
};

}  // namespace kelvaro::formats
