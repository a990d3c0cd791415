#include "ini_file.h"

#include <fstream>
#include <iterator>
#include <optional>

#include "atomic_file.h"
#include "store_error.h"
#include "text_codec.h"

namespace kelvaro {
namespace {

enum class Encoding { Ansi, Utf8Bom, Utf16Le, Utf16Be };

enum class LineKind { Other, Section, Entry };

struct Line {
  std::string raw;         // the bytes of the line without its terminator
  std::string terminator;  // the bytes that end it ("" on the last line)
  std::string text;        // the line decoded to UTF-8
  LineKind kind = LineKind::Other;
  std::string name;   // section name, or entry key, as written (UTF-8)
  std::string value;  // entry value, trimmed (UTF-8)
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && (isBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (isBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool sameName(std::string_view a, std::string_view b) { return namesEqual(utf8ToUtf16(a), utf8ToUtf16(b)); }

void classify(Line& line, std::string_view text) {
  const std::string_view t = trim(text);
  if (t.empty() || t.front() == ';') return;
  if (t.front() == '[') {
    const std::size_t close = t.rfind(']');
    const std::string_view inner =
        close == std::string_view::npos || close == 0 ? t.substr(1) : t.substr(1, close - 1);
    line.kind = LineKind::Section;
    line.name = std::string(trim(inner));
    return;
  }
  line.kind = LineKind::Entry;
  const std::size_t eq = t.find('=');
  if (eq == std::string_view::npos) {
    line.name = std::string(t);
    return;
  }
  line.name = std::string(trim(t.substr(0, eq)));
  line.value = std::string(trim(t.substr(eq + 1)));
}

// The profile API hands back a quoted value without its quotes.
std::string unquote(const std::string& value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

struct IniFile::Document {
  bool exists = false;
  Encoding encoding = Encoding::Ansi;
  std::string bom;
  std::vector<Line> lines;
  std::string newline = "\r\n";  // for lines we add, in the file's own style

  // Index of the first section header of that name, or npos.
  std::size_t findSection(std::string_view section, std::size_t from = 0) const {
    for (std::size_t i = from; i < lines.size(); ++i) {
      if (lines[i].kind == LineKind::Section && sameName(lines[i].name, section)) return i;
    }
    return std::string::npos;
  }
  std::size_t sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines.size() && lines[i].kind != LineKind::Section) ++i;
    return i;
  }
};

IniFile::IniFile(std::filesystem::path hostPath, std::string codePage, std::string displayPath,
                 FileChangeGuard* guard)
    : hostPath_(std::move(hostPath)),
      codePage_(std::move(codePage)),
      displayPath_(std::move(displayPath)),
      guard_(guard) {
  if (displayPath_.empty()) displayPath_ = hostPath_.string();
}

IniFile::Document IniFile::load() const {
  Document doc;
  std::ifstream in(hostPath_, std::ios::binary);
  if (!in) return doc;
  doc.exists = true;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string_view body(bytes);
  const auto starts = [&](std::string_view prefix) { return body.substr(0, prefix.size()) == prefix; };
  if (starts("\xEF\xBB\xBF")) {
    doc.encoding = Encoding::Utf8Bom;
  } else if (starts("\xFF\xFE")) {
    doc.encoding = Encoding::Utf16Le;
  } else if (starts("\xFE\xFF")) {
    doc.encoding = Encoding::Utf16Be;
  }
  doc.bom = std::string(body.substr(0, doc.encoding == Encoding::Ansi      ? 0
                                       : doc.encoding == Encoding::Utf8Bom ? 3
                                                                           : 2));
  body.remove_prefix(doc.bom.size());

  const bool wide = doc.encoding == Encoding::Utf16Le || doc.encoding == Encoding::Utf16Be;
  const std::size_t unit = wide ? 2 : 1;
  const auto unitAt = [&](std::size_t i) -> unsigned {
    if (!wide) return static_cast<unsigned char>(body[i]);
    const auto a = static_cast<unsigned char>(body[i]), b = static_cast<unsigned char>(body[i + 1]);
    return doc.encoding == Encoding::Utf16Le ? (a | (b << 8)) : ((a << 8) | b);
  };
  const auto decode = [&](std::string_view raw) -> std::string {
    if (doc.encoding == Encoding::Ansi) return decodeCodePage(raw, codePage_);
    if (doc.encoding == Encoding::Utf8Bom) return utf16ToUtf8(utf8ToUtf16(raw));
    std::u16string units;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
      const auto a = static_cast<unsigned char>(raw[i]), b = static_cast<unsigned char>(raw[i + 1]);
      units.push_back(
          static_cast<char16_t>(doc.encoding == Encoding::Utf16Le ? (a | (b << 8)) : ((a << 8) | b)));
    }
    return utf16ToUtf8(units);
  };

  bool newlineSeen = false;
  std::size_t start = 0;
  const std::size_t usable = body.size() - body.size() % unit;
  while (start < body.size()) {
    std::size_t i = start;
    while (i + unit <= usable && unitAt(i) != '\n') i += unit;
    Line line;
    std::size_t textEnd = i;
    if (i + unit <= usable) {
      if (textEnd >= start + unit && unitAt(textEnd - unit) == '\r') textEnd -= unit;
      line.terminator = std::string(body.substr(textEnd, i + unit - textEnd));
      if (!newlineSeen) {
        doc.newline = decode(line.terminator) == "\n" ? "\n" : "\r\n";
        newlineSeen = true;
      }
      line.raw = std::string(body.substr(start, textEnd - start));
      start = i + unit;
    } else {
      line.raw = std::string(body.substr(start));
      start = body.size();
    }
    line.text = decode(line.raw);
    classify(line, line.text);
    doc.lines.push_back(std::move(line));
  }
  return doc;
}

void IniFile::save(const Document& doc) const {
  std::string bytes = doc.bom;
  for (const Line& line : doc.lines) bytes += line.raw + line.terminator;
  if (guard_) guard_->beforeChange(hostPath_, displayPath_ == hostPath_.string() ? "" : displayPath_);
  if (writeFileAtomically(hostPath_, bytes)) throw StoreError(store_messages::unableToWrite(displayPath_));
}

bool IniFile::sectionExists(std::string_view section) { return !readSectionValues(section).empty(); }

std::string IniFile::readString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) {
  const Document doc = load();
  const std::size_t header = doc.findSection(section);
  if (header != std::string::npos) {
    const std::size_t end = doc.sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
      const Line& line = doc.lines[i];
      if (line.kind == LineKind::Entry && sameName(line.name, key)) return unquote(line.value);
    }
  }
  return std::string(defaultValue);
}

std::vector<std::string> IniFile::readSectionValues(std::string_view section) {
  std::vector<std::string> out;
  const Document doc = load();
  const std::size_t header = doc.findSection(section);
  if (header == std::string::npos) return out;
  const std::size_t end = doc.sectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const Line& line = doc.lines[i];
    if (line.kind != LineKind::Entry) continue;
    // Each key reads as the profile API reads it: the first entry of that name.
    std::string value;
    for (std::size_t j = header + 1; j <= i; ++j) {
      if (doc.lines[j].kind == LineKind::Entry && sameName(doc.lines[j].name, line.name)) {
        value = unquote(doc.lines[j].value);
        break;
      }
    }
    out.push_back(line.name + "=" + value);
  }
  return out;
}

void IniFile::eraseSection(std::string_view section) {
  Document doc = load();
  bool changed = false;
  for (std::size_t header = doc.findSection(section); header != std::string::npos;
       header = doc.findSection(section, header)) {
    const std::size_t end = doc.sectionEnd(header);
    doc.lines.erase(doc.lines.begin() + static_cast<std::ptrdiff_t>(header),
                    doc.lines.begin() + static_cast<std::ptrdiff_t>(end));
    changed = true;
  }
  if (changed) save(doc);
}

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view text) {
  Document doc = load();
  const auto encode = [&](const std::string& utf8) -> std::string {
    switch (doc.encoding) {
      case Encoding::Ansi:
        return encodeCodePage(utf8, codePage_);
      case Encoding::Utf8Bom:
        return utf8;
      case Encoding::Utf16Le:
      case Encoding::Utf16Be: {
        std::string out;
        for (const char16_t u : utf8ToUtf16(utf8)) {
          const char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
          if (doc.encoding == Encoding::Utf16Le)
            out += {lo, hi};
          else
            out += {hi, lo};
        }
        return out;
      }
    }
    return utf8;
  };
  const auto makeLine = [&](const std::string& utf8) {
    Line line;
    line.raw = encode(utf8);
    line.terminator = encode(doc.newline);
    line.text = utf8;
    classify(line, utf8);
    return line;
  };
  // The line before an insertion point must end with a line break.
  const auto terminate = [&](std::size_t index) {
    if (index < doc.lines.size() && doc.lines[index].terminator.empty())
      doc.lines[index].terminator = encode(doc.newline);
  };

  const std::size_t header = doc.findSection(section);
  if (header == std::string::npos) {
    if (!doc.lines.empty()) {
      terminate(doc.lines.size() - 1);
      if (!trim(doc.lines.back().text).empty()) doc.lines.push_back(makeLine(""));
    }
    doc.lines.push_back(makeLine("[" + std::string(section) + "]"));
    doc.lines.push_back(makeLine(std::string(key) + "=" + std::string(text)));
    save(doc);
    return;
  }
  const std::size_t end = doc.sectionEnd(header);
  std::size_t lastEntry = header;
  for (std::size_t i = header + 1; i < end; ++i) {
    Line& line = doc.lines[i];
    if (line.kind != LineKind::Entry) continue;
    lastEntry = i;
    if (!sameName(line.name, key)) continue;
    if (line.value == text) return;  // nothing would change
    Line replaced = makeLine(line.name + "=" + std::string(text));
    replaced.terminator = line.terminator;
    line = std::move(replaced);
    save(doc);
    return;
  }
  terminate(lastEntry);
  doc.lines.insert(doc.lines.begin() + static_cast<std::ptrdiff_t>(lastEntry + 1),
                   makeLine(std::string(key) + "=" + std::string(text)));
  save(doc);
}

}  // namespace kelvaro
