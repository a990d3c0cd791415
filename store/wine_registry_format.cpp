#include "wine_registry_format.h"

#include <array>
#include <cstring>
#include <limits>

#include "registry_tree.h"

namespace kelvaro::winereg {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

void appendHex(std::string& out, std::uint64_t value, int minDigits) {
  char buffer[16];
  int n = 0;
  do {
    buffer[n++] = kHexDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  for (int i = n; i < minDigits; ++i) out.push_back('0');
  while (n > 0) out.push_back(buffer[--n]);
}

void appendOctal(std::string& out, unsigned value, int minDigits) {
  char buffer[8];
  int n = 0;
  do {
    buffer[n++] = static_cast<char>('0' + (value & 7));
    value >>= 3;
  } while (value != 0);
  for (int i = n; i < minDigits; ++i) out.push_back('0');
  while (n > 0) out.push_back(buffer[--n]);
}

void appendDecimal(std::string& out, std::uint32_t value) {
  char buffer[10];
  int n = 0;
  do {
    buffer[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) out.push_back(buffer[--n]);
}

// Letters of the C escapes for control characters; '.' where octal is used.
constexpr std::string_view kControlEscapes = ".......abtnvfr.............e....";
// The C escapes wineserver reads, and what they stand for.
constexpr std::string_view kEscapeLetters = "abefnrtv";
constexpr char16_t kEscapeUnits[] = {u'\a', u'\b', 0x1B, u'\f', u'\n', u'\r', u'\t', u'\v'};

bool startsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

std::size_t skipSpace(std::string_view text, std::size_t pos) {
  while (pos < text.size() && isSpace(text[pos])) ++pos;
  return pos;
}

void appendUnitsAsBytes(std::vector<std::uint8_t>& out, const std::u16string& units) {
  out.resize(units.size() * 2 + 2);
  std::uint8_t* p = out.data();
  for (const char16_t u : units) {
    *p++ = static_cast<std::uint8_t>(u & 0xFF);
    *p++ = static_cast<std::uint8_t>(u >> 8);
  }
  p[0] = 0;
  p[1] = 0;
}

// Comma-separated hex bytes of one line, as wineserver reads them. Returns the
// bytes consumed, or -1 for a byte above 0xff.
std::ptrdiff_t parseHexBytes(std::string_view text, std::vector<std::uint8_t>& out) {
  std::size_t pos = 0;
  while (pos < text.size() && isHexDigit(text[pos])) {
    std::uint64_t value = 0;
    const std::size_t used = parseUnsigned(text.substr(pos), 16, value);
    if (used == 0 || value > 0xFF) return -1;
    out.push_back(static_cast<std::uint8_t>(value));
    pos = skipSpace(text, pos + used);
    if (pos < text.size() && text[pos] == ',') ++pos;
    pos = skipSpace(text, pos);
  }
  return static_cast<std::ptrdiff_t>(pos);
}

}  // namespace

bool LineReader::next(Line& line) {
  if (pos_ >= data_.size()) return false;
  ++lineNumber_;
  line.begin = pos_;
  const char* start = data_.data() + pos_;
  const std::size_t left = data_.size() - pos_;
  const void* nl = std::memchr(start, '\n', left);
  if (nl == nullptr) {
    // The last line without a line end keeps a '\r', as fgets leaves it.
    line.text = std::string_view(start, left);
    pos_ = data_.size();
  } else {
    std::size_t len = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
    pos_ += len + 1;
    if (len > 0 && start[len - 1] == '\r') --len;
    line.text = std::string_view(start, len);
  }
  line.next = pos_;
  return true;
}

std::string_view trimLeft(std::string_view text) { return text.substr(skipSpace(text, 0)); }

std::size_t appendEscaped(std::string& out, std::u16string_view units, std::string_view delimiters) {
  const std::size_t before = out.size();
  const std::size_t n = units.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t u = units[i];
    const bool hasNext = i + 1 < n;
    const char16_t next = hasNext ? units[i + 1] : 0;
    if (u > 127) {
      out += "\\x";
      const bool digitFollows = hasNext && next < 128 && isHexDigit(static_cast<char>(next));
      appendHex(out, u, digitFollows ? 4 : 1);
    } else if (u < 32) {
      out.push_back('\\');
      if (kControlEscapes[u] != '.') {
        out.push_back(kControlEscapes[u]);
      } else {
        appendOctal(out, u, hasNext && next >= '0' && next <= '7' ? 3 : 1);
      }
    } else {
      const char c = static_cast<char>(u);
      if (c == '\\' || c == delimiters[0] || c == delimiters[1]) out.push_back('\\');
      out.push_back(c);
    }
  }
  return out.size() - before;
}

std::ptrdiff_t parseEscaped(std::string_view text, char endChar, std::u16string& out) {
  out.clear();
  const std::size_t n = text.size();
  std::size_t p = 0;
  const auto at = [&](std::size_t i) { return i < n ? text[i] : '\0'; };
  while (p < n && (endChar == '\0' || text[p] != endChar)) {
    if (text[p] == '\\') {
      ++p;
      if (p >= n) break;
      const char c = text[p];
      if (const std::size_t e = kEscapeLetters.find(c); e != std::string_view::npos) {
        out.push_back(kEscapeUnits[e]);
        ++p;
        continue;
      }
      if (c == 'x') {
        ++p;
        if (!isHexDigit(at(p))) {
          out.push_back(u'x');
        } else {
          unsigned v = 0;
          for (int k = 0; k < 4 && isHexDigit(at(p)); ++k)
            v = v * 16 + static_cast<unsigned>(hexValue(text[p++]));
          out.push_back(static_cast<char16_t>(v));
        }
        continue;
      }
      if (c >= '0' && c <= '7') {
        unsigned v = 0;
        for (int k = 0; k < 3 && at(p) >= '0' && at(p) <= '7'; ++k)
          v = v * 8 + static_cast<unsigned>(text[p++] - '0');
        out.push_back(static_cast<char16_t>(v));
        continue;
      }
      // Any other escaped character stands for itself.
    }
    const auto ch = static_cast<unsigned char>(text[p++]);
    if (ch < 0x80) {
      out.push_back(ch);
      continue;
    }
    // UTF-8; a malformed sequence is dropped up to where it went wrong.
    int extra = 0;
    unsigned value = 0;
    if (ch >= 0xC2 && ch <= 0xDF) {
      extra = 1, value = ch & 0x1F;
    } else if (ch >= 0xE0 && ch <= 0xEF) {
      extra = 2, value = ch & 0x0F;
    } else if (ch >= 0xF0 && ch <= 0xF4) {
      extra = 3, value = ch & 0x07;
    } else {
      continue;
    }
    static constexpr std::array<unsigned, 4> kMinimum = {0, 0x80, 0x800, 0x10000};
    const int length = extra;
    bool ok = true;
    for (; extra > 0; --extra) {
      const auto b = static_cast<unsigned char>(at(p));
      if ((b ^ 0x80) >= 0x40) {
        ok = false;
        break;
      }
      value = (value << 6) | (b ^ 0x80);
      ++p;
    }
    if (!ok || value < kMinimum[static_cast<std::size_t>(length)] || value > 0x10FFFF) continue;
    if (value <= 0xFFFF) {
      out.push_back(static_cast<char16_t>(value));
    } else {
      value -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 | (value >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 | (value & 0x3FF)));
    }
  }
  if (endChar == '\0') return static_cast<std::ptrdiff_t>(p);
  if (p >= n) return -1;
  return static_cast<std::ptrdiff_t>(p + 1);
}

std::size_t parseUnsigned(std::string_view text, int base, std::uint64_t& value) {
  value = 0;
  const std::size_t n = text.size();
  std::size_t p = skipSpace(text, 0);
  bool negative = false;
  if (p < n && (text[p] == '+' || text[p] == '-')) negative = text[p++] == '-';
  const auto isDigit = [base](char c) { return base == 16 ? isHexDigit(c) : (c >= '0' && c <= '9'); };
  if (base == 16 && p + 2 < n && text[p] == '0' && (text[p + 1] | 0x20) == 'x' && isHexDigit(text[p + 2])) {
    p += 2;
  }
  if (p >= n || !isDigit(text[p])) return 0;
  bool overflow = false;
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  const auto b = static_cast<std::uint64_t>(base);
  while (p < n && isDigit(text[p])) {
    const auto digit = static_cast<std::uint64_t>(hexValue(text[p]));
    if (value > (kMax - digit) / b) overflow = true;
    value = value * b + digit;
    ++p;
  }
  if (overflow) {
    value = kMax;
  } else if (negative) {
    value = 0 - value;
  }
  return p;
}

bool parseValue(std::string_view text, LineReader& reader, ParsedValue& out) {
  out.name.clear();
  out.data.clear();
  std::size_t pos = 0;
  if (text.empty()) return false;
  if (text[0] == '@') {
    pos = 1;
  } else {
    const std::ptrdiff_t used = parseEscaped(text.substr(1), '"', out.name);
    if (used < 0) return false;
    pos = 1 + static_cast<std::size_t>(used);
  }
  pos = skipSpace(text, pos);
  if (pos >= text.size() || text[pos] != '=') return false;
  pos = skipSpace(text, pos + 1);
  std::string_view rest = text.substr(pos);

  enum class Parse { String, Dword, Binary } parse;
  if (startsWith(rest, "\"")) {
    out.type = kRegSz, parse = Parse::String, rest.remove_prefix(1);
  } else if (startsWith(rest, "str:\"")) {
    out.type = kRegSz, parse = Parse::String, rest.remove_prefix(5);
  } else if (startsWith(rest, "str(2):\"")) {
    out.type = kRegExpandSz, parse = Parse::String, rest.remove_prefix(8);
  } else if (startsWith(rest, "str(7):\"")) {
    out.type = kRegMultiSz, parse = Parse::String, rest.remove_prefix(8);
  } else if (startsWith(rest, "hex:")) {
    out.type = kRegBinary, parse = Parse::Binary, rest.remove_prefix(4);
  } else if (startsWith(rest, "dword:")) {
    out.type = kRegDword, parse = Parse::Dword, rest.remove_prefix(6);
  } else if (startsWith(rest, "hex(")) {
    std::uint64_t type = 0;
    // With no digits the C library leaves the end where it started.
    const std::size_t used = parseUnsigned(rest.substr(4), 16, type);
    const std::size_t end = 4 + used;
    if (!startsWith(rest.substr(end), "):")) return false;
    out.type = static_cast<std::uint32_t>(type);
    parse = Parse::Binary;
    rest.remove_prefix(end + 2);
  } else {
    return false;
  }

  switch (parse) {
    case Parse::String: {
      std::u16string units;
      if (parseEscaped(rest, '"', units) < 0) return false;
      appendUnitsAsBytes(out.data, units);
      return true;
    }
    case Parse::Dword: {
      std::uint64_t value = 0;
      parseUnsigned(rest, 16, value);
      const auto dw = static_cast<std::uint32_t>(value);
      out.data = {static_cast<std::uint8_t>(dw), static_cast<std::uint8_t>(dw >> 8),
                  static_cast<std::uint8_t>(dw >> 16), static_cast<std::uint8_t>(dw >> 24)};
      return true;
    }
    case Parse::Binary: {
      for (;;) {
        const std::ptrdiff_t used = parseHexBytes(rest, out.data);
        if (used < 0) return false;
        const std::size_t p = skipSpace(rest, static_cast<std::size_t>(used));
        if (p >= rest.size()) return true;
        if (rest[p] != '\\') return false;
        Line line;
        if (!reader.next(line)) return false;
        rest = trimLeft(line.text);
      }
    }
  }
  return false;
}

void appendValue(std::string& out, std::u16string_view name, std::uint32_t type,
                 std::span<const std::uint8_t> data) {
  std::size_t count = 0;
  if (!name.empty()) {
    out.push_back('"');
    count = 1 + appendEscaped(out, name, "\"\"");
    out += "\"=";
    count += 2;
  } else {
    out += "@=";
    count = 2;
  }
  switch (type) {
    case kRegSz:
    case kRegExpandSz:
    case kRegMultiSz:
      // Only terminated strings are written as text.
      if (data.size() >= 2 && data.size() % 2 == 0 && data[data.size() - 1] == 0 &&
          data[data.size() - 2] == 0) {
        if (type != kRegSz) {
          out += "str(";
          appendHex(out, type, 1);
          out += "):";
        }
        out.push_back('"');
        const std::u16string units = unitsOf(data.first(data.size() - 2));
        appendEscaped(out, units, "\"\"");
        out += "\"\n";
        return;
      }
      break;
    case kRegDword:
      if (data.size() == 4) {
        const std::uint32_t dw =
            static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
            (static_cast<std::uint32_t>(data[2]) << 16) | (static_cast<std::uint32_t>(data[3]) << 24);
        out += "dword:";
        appendHex(out, dw, 8);
        out.push_back('\n');
        return;
      }
      break;
    default:
      break;
  }
  if (type == kRegBinary) {
    out += "hex:";
    count += 4;
  } else {
    const std::size_t before = out.size();
    out += "hex(";
    appendHex(out, type, 1);
    out += "):";
    count += out.size() - before;
  }
  for (std::size_t i = 0; i < data.size(); ++i) {
    out.push_back(kHexDigits[data[i] >> 4]);
    out.push_back(kHexDigits[data[i] & 0xF]);
    count += 2;
    if (i + 1 < data.size()) {
      out.push_back(',');
      if (++count > 76) {
        out += "\\\n  ";
        count = 2;
      }
    }
  }
  out.push_back('\n');
}

void appendKeyHeader(std::string& out, const std::vector<std::u16string_view>& path, std::uint64_t modif) {
  out.push_back('[');
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (i > 0) out += "\\\\";
    appendEscaped(out, path[i], "[]");
  }
  out += "] ";
  // Seconds since 1970, cut to 32 bits as wineserver prints them.
  const auto ticks = static_cast<std::int64_t>(modif) - static_cast<std::int64_t>(kUnixEpochTicks);
  appendDecimal(out, static_cast<std::uint32_t>(ticks / static_cast<std::int64_t>(kTicksPerSecond)));
  out.push_back('\n');
  appendTimeLine(out, modif);
}

void appendTimeLine(std::string& out, std::uint64_t modif) {
  out += "#time=";
  appendHex(out, modif >> 32, 1);
  appendHex(out, modif & 0xFFFFFFFFULL, 8);
  out.push_back('\n');
}

bool parseSeconds(std::string_view text, std::uint32_t& seconds) {
  std::uint64_t value = 0;
  if (parseUnsigned(text, 10, value) == 0) return false;
  // The C library reads into an unsigned long and stores its low 32 bits.
  seconds = static_cast<std::uint32_t>(value);
  return true;
}

std::uint64_t parseTimeOption(std::string_view digits) {
  std::uint64_t modif = 0;
  for (const char c : digits) {
    if (!isHexDigit(c)) break;
    modif = (modif << 4) | static_cast<std::uint64_t>(hexValue(c));
  }
  return modif;
}

std::u16string unitsOf(std::span<const std::uint8_t> data) {
  std::u16string units(data.size() / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) {
    units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  }
  return units;
}

}  // namespace kelvaro::winereg
