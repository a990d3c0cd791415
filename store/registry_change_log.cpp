#include "registry_change_log.h"

#include <cstdio>

#include "text_codec.h"

namespace kelvaro {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Where regedit breaks long hex lines.
constexpr std::size_t kLineWidth = 76;

// The text in the code page, or nothing when the code page cannot hold it.
bool toAnsi(std::u16string_view text, const std::string& codePage, std::string& out) {
  const std::string utf8 = utf16ToUtf8(text);
  out = encodeCodePage(utf8, codePage);
  return decodeCodePage(out, codePage) == utf8;
}

std::u16string unitsOf(const std::vector<std::uint8_t>& data) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2)
    units.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  return units;
}

std::string quoted(std::string_view ansi) {
  std::string out = "\"";
  for (const char c : ansi) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

// A REG_SZ that is one line of text ending in its NUL reads back exactly
// from a quoted string; anything else goes as bytes.
bool isPlainText(const std::u16string& units) {
  if (units.empty() || units.back() != 0) return false;
  for (std::size_t i = 0; i + 1 < units.size(); ++i) {
    if (units[i] < 0x20) return false;
  }
  return true;
}

// `column` is where the line's data starts, after "name"=.
void appendHex(std::string& line, const std::string& bytes, std::size_t column) {
  std::size_t lineStart = 0;
  line.insert(0, column, ' ');
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(bytes[i]));
    line += hex;
    if (i + 1 < bytes.size()) {
      line.push_back(',');
      if (line.size() - lineStart > kLineWidth) {
        line += "\\";
        line += kLineEnd;
        lineStart = line.size();
        line += "  ";
      }
    }
  }
  line.erase(0, column);
}

// The data part after "name"=; false when REGEDIT4 cannot express it.
std::string hexKind(std::uint32_t type) {
  char text[24];
  std::snprintf(text, sizeof text, "hex(%x):", type);
  return text;
}

bool valueText(std::uint32_t type, const std::vector<std::uint8_t>& data, const std::string& codePage,
               std::size_t column, std::string& out) {
  if (type == kRegDword && data.size() == 4) {
    char text[16];
    std::snprintf(text, sizeof text, "dword:%08x",
                  static_cast<unsigned>(data[0] | (data[1] << 8) | (data[2] << 16)) |
                      (static_cast<unsigned>(data[3]) << 24));
    out = text;
    return true;
  }
  const bool stringKind = type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
  if (stringKind) {
    if (data.size() % 2 != 0) return false;
    const std::u16string units = unitsOf(data);
    std::string ansi;
    if (!toAnsi(units, codePage, ansi)) return false;
    if (type == kRegSz && isPlainText(units)) {
      ansi.pop_back();  // the NUL
      out = quoted(ansi);
      return true;
    }
    out = hexKind(type);
    appendHex(out, ansi, column);
    return true;
  }
  out = type == kRegBinary ? "hex:" : hexKind(type);
  appendHex(out, std::string(data.begin(), data.end()), column);
  return true;
}

std::string nameText(const std::string& ansiName) { return ansiName.empty() ? "@" : quoted(ansiName); }

}  // namespace

std::u16string registryKeyPath(const RegistryKey& key) {
  std::u16string path = key.name();
  for (const RegistryKey* k = key.parent(); k != nullptr; k = k->parent()) path = k->name() + u"\\" + path;
  return path;
}

void RegistryChangeLog::keyCreated(const RegistryKey& key) {
  entries_.push_back({Kind::KeyCreated, registryKeyPath(key), {}, 0, {}});
}

void RegistryChangeLog::keyDeleted(const RegistryKey& key) {
  entries_.push_back({Kind::KeyDeleted, registryKeyPath(key), {}, 0, {}});
}

void RegistryChangeLog::valueSet(const RegistryKey& key, const RegistryValue& value) {
  entries_.push_back({Kind::ValueSet, registryKeyPath(key), value.name, value.type, value.data});
}

void RegistryChangeLog::valueDeleted(const RegistryKey& key, std::u16string_view name) {
  entries_.push_back({Kind::ValueDeleted, registryKeyPath(key), std::u16string(name), 0, {}});
}

std::string RegistryChangeLog::regedit4(const std::string& codePage) const {
  std::string out = "REGEDIT4";
  out += kLineEnd;
  const std::u16string* section = nullptr;  // the key whose section is open
  for (const Entry& e : entries_) {
    std::string key;
    if (!toAnsi(e.key, codePage, key)) {
      out += kLineEnd;
      out += "; Pominięto zmianę w kluczu, którego nazwy nie da się zapisać w stronie kodowej " + codePage;
      out += kLineEnd;
      section = nullptr;
      continue;
    }
    if (e.kind == Kind::KeyDeleted) {
      out += kLineEnd;
      out += "[-" + key + "]";
      out += kLineEnd;
      section = nullptr;
      continue;
    }
    if (!section || *section != e.key) {
      out += kLineEnd;
      out += "[" + key + "]";
      out += kLineEnd;
      section = &e.key;
    }
    if (e.kind == Kind::KeyCreated) continue;
    std::string name;
    std::string data;
    const bool nameOk = toAnsi(e.name, codePage, name);
    const bool dataOk = e.kind == Kind::ValueDeleted ||
                        (nameOk && valueText(e.type, e.data, codePage, nameText(name).size() + 1, data));
    if (!nameOk || !dataOk) {
      out += "; Pominięto wartość, której nie da się zapisać w formacie REGEDIT4 (strona kodowa " + codePage +
             ")";
      out += kLineEnd;
      continue;
    }
    out += nameText(name) + "=" + (e.kind == Kind::ValueDeleted ? std::string("-") : data);
    out += kLineEnd;
  }
  out += kLineEnd;
  return out;
}

}  // namespace kelvaro
