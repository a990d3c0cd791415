#pragma once

#include <optional>
#include <string>

#include "platform/formats/byte_view.h"

namespace kelvaro::formats {

// The family name a TrueType or OpenType font file gives itself (the GDI
// family of its name table: name 1, Windows platform, US English first,
// then any Windows language, then the Macintosh name). A collection (.ttc)
// answers with its first font. nullopt when the file names no family;
// FormatError when it is not a font file or is cut short.
//
// The layout (all numbers big-endian): an offset table (sfnt version,
// table count, then 16-byte records tag/checksum/offset/length); the
// `name` table: format, count, string offset, then 12-byte records
// platform/encoding/language/name id/length/offset. Windows-platform
// strings are UTF-16BE, Macintosh ones 8-bit (read as Latin-1).
std::optional<std::string> fontFamilyName(ByteView font);

}  // namespace kelvaro::formats
