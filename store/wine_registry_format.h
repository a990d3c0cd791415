#pragma once

// The text format of Wine's registry files (system.reg, user.reg, userdef.reg)
// as wineserver reads and writes it.
//
// Format note. Line 1 is "WINE REGISTRY Version 2". Lines before the first key
// are global: ";;" comments (";; All keys relative to REGISTRY\\Machine") and
// options ("#arch=win32" or "#arch=win64"; wineserver refuses a file whose arch
// differs from the one it loaded first, and an unknown arch). Then sections:
//
//   [Software\\Wine\\Drivers] 1796900614      path below the file's root, Unix seconds
//   #time=1dd88961939ff5a                     FILETIME in hex; wins over the seconds
//   #class="text"                             optional key class
//   #link                                     the key is a symbolic link (REG_LINK
//                                             "SymbolicLinkValue" names the target)
//   @="default value"                         values: @ or "name", then
//   "Name"=str(2):"%SystemRoot%"              "..." REG_SZ, str(2): REG_EXPAND_SZ,
//   "Count"=dword:0000002a                    str(7): REG_MULTI_SZ, dword:, hex: REG_BINARY,
//   "Data"=hex(6):5c,00,52,00,...,\           hex(N): any kind; hex data wraps after
//     00,65,00                                column 76 with a backslash
//
// wineserver writes a key only when it has values, has no subkeys, has a class
// or is a link; a key with only subkeys is implied by them. Keys and values
// come in its sort order (UTF-16 units lower-cased one by one, a prefix first).
// Strings and names are UTF-16 written with escapes: \a \b \t \n \v \f \r \e,
// other control characters in octal (three digits when an octal digit
// follows), units above 127 as \x%x (\x%04x when a hex digit follows),
// a backslash before '\' and before the delimiters ('"' in values, '[' and ']'
// in key paths). DEL is written as it is. On input it also takes raw UTF-8
// (invalid bytes are dropped), \x with up to four hex digits, octal with up
// to three digits, and any other escaped character as itself.
// Where this is known from: the registry files Wine 8.0 writes and reads, and
// the behaviour of its registry loader on the odd cases tested beside this code.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro::winereg {

inline constexpr std::string_view kHeaderLine = "WINE REGISTRY Version 2";
inline constexpr std::uint64_t kTicksPerSecond = 10000000;
// FILETIME ticks (100 ns since 1601) at the Unix epoch.
inline constexpr std::uint64_t kUnixEpochTicks = 116444736000000000ULL;
// wineserver's limit on one key name.
inline constexpr std::size_t kMaxKeyNameUnits = 256;
inline constexpr std::size_t kMaxValueNameUnits = 16383;

// Character classes of the C locale, which is what wineserver runs in.
constexpr bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr bool isHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
constexpr int hexValue(char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; }

// One physical line: its text without "\n" (and without the "\r" before it),
// where it begins, and where the next line begins.
struct Line {
  std::string_view text;
  std::size_t begin = 0;
  std::size_t next = 0;
};

// Walks the lines of a buffer without copying them.
class LineReader {
 public:
  explicit LineReader(std::string_view data) : data_(data) {}
  bool next(Line& line);
  std::size_t position() const { return pos_; }
  int lineNumber() const { return lineNumber_; }

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
  int lineNumber_ = 0;
};

// Skips leading white space.
std::string_view trimLeft(std::string_view text);

// Appends the units escaped as wineserver writes them; `delimiters` are the two
// characters that get a backslash besides '\' itself ("\"\"" or "[]").
// Returns the number of bytes appended.
std::size_t appendEscaped(std::string& out, std::u16string_view units, std::string_view delimiters);

// Reads an escaped string up to endChar, as wineserver does. Returns the number
// of bytes consumed including endChar, or -1 when endChar does not follow.
// endChar '\0' reads to the end of the text.
std::ptrdiff_t parseEscaped(std::string_view text, char endChar, std::u16string& out);

// strtoul(text, &end, base) of the C library (16 or 10): leading white space,
// a sign, "0x" for base 16, saturation on overflow. Returns the number of
// bytes converted; 0 when there was no number.
std::size_t parseUnsigned(std::string_view text, int base, std::uint64_t& value);

// A value as the file states it.
struct ParsedValue {
  std::u16string name;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

// Parses the value record whose first line is `text` (after leading white
// space, starting with '@' or '"'); hex data continued with a trailing
// backslash takes the following lines from `reader`. False when wineserver
// would reject the value.
bool parseValue(std::string_view text, LineReader& reader, ParsedValue& out);

// Appends a value's lines as wineserver writes them.
void appendValue(std::string& out, std::u16string_view name, std::uint32_t type,
                 std::span<const std::uint8_t> data);

// Appends "[path] seconds" and "#time=..." as wineserver writes them.
void appendKeyHeader(std::string& out, const std::vector<std::u16string_view>& path, std::uint64_t modif);
void appendTimeLine(std::string& out, std::uint64_t modif);

// The seconds of a "[path] seconds" line (after the ']'), read as wineserver
// reads them; false when there is no number.
bool parseSeconds(std::string_view text, std::uint32_t& seconds);
// The hex digits of a "#time=" line; stops at the first other character.
std::uint64_t parseTimeOption(std::string_view digits);

// UTF-16LE bytes <-> units.
std::u16string unitsOf(std::span<const std::uint8_t> data);

}  // namespace kelvaro::winereg
