#include "tools/sandbox/registry_text.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

#include "store/registry_handle.h"
#include "store/store_error.h"

namespace kelvaro::sandbox {

namespace fs = std::filesystem;

RegistryTextError::RegistryTextError(const std::string& source, int line, const std::string& message)
    : std::runtime_error(source + ":" + std::to_string(line) + ": " + message),
      source_(source),
      line_(line) {}

namespace {

struct RootName {
  std::string_view name;
  Root root;
};

constexpr RootName kRoots[] = {
    {"HKEY_LOCAL_MACHINE", Root::LocalMachine}, {"HKLM", Root::LocalMachine},
    {"HKEY_CURRENT_USER", Root::CurrentUser},   {"HKCU", Root::CurrentUser},
    {"HKEY_CLASSES_ROOT", Root::ClassesRoot},   {"HKCR", Root::ClassesRoot},
};

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return (x >= 'a' && x <= 'z' ? x - 32 : x) == (y >= 'a' && y <= 'z' ? y - 32 : y);
         });
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Loader {
 public:
  Loader(Registry& registry, std::string_view text, const std::string& source)
      : handle_(registry), source_(source) {
    std::string current;
    for (char c : text) {
      if (c == '\n') {
        lines_.push_back(current);
        current.clear();
      } else {
        current += c;
      }
    }
    if (!current.empty()) lines_.push_back(current);
  }

  void run() {
    std::size_t i = 0;
    while (i < lines_.size() && trim(lines_[i]).empty()) ++i;
    std::string_view first = i < lines_.size() ? trim(lines_[i]) : std::string_view();
    if (first.substr(0, 3) == "\xEF\xBB\xBF") first.remove_prefix(3);
    if (first != "REGEDIT4") fail(static_cast<int>(i + 1), "the text does not begin with REGEDIT4");
    for (++i; i < lines_.size(); ++i) {
      lineNumber_ = static_cast<int>(i + 1);
      std::string line(trim(lines_[i]));
      // Hex data may go on over lines ending in a backslash.
      while (!line.empty() && line.back() == '\\' && isHexContinuation(line) && i + 1 < lines_.size()) {
        line.pop_back();
        line += trim(lines_[++i]);
      }
      if (line.empty() || line.front() == ';') continue;
      if (line.front() == '[') {
        keyLine(line);
      } else if (line.front() == '@' || line.front() == '"') {
        valueLine(line);
      } else {
        fail("neither a key nor a value");
      }
    }
  }

 private:
  [[noreturn]] void fail(int line, const std::string& message) const {
    throw RegistryTextError(source_, line, message);
  }
  [[noreturn]] void fail(const std::string& message) const { fail(lineNumber_, message); }

  // A value line whose data is hex bytes (not a string that ends in a backslash).
  static bool isHexContinuation(const std::string& line) {
    const auto eq = line.find("=hex");
    return eq != std::string::npos && line.find('"', eq) == std::string::npos;
  }

  void keyLine(const std::string& line) {
    if (line.back() != ']') fail("a key line must end in ]");
    std::string_view path(line);
    path = path.substr(1, path.size() - 2);
    bool remove = false;
    if (!path.empty() && path.front() == '-') {
      remove = true;
      path.remove_prefix(1);
    }
    const auto slash = path.find('\\');
    const std::string_view rootName = path.substr(0, slash);
    const std::string_view rest =
        slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
    const RootName* found = nullptr;
    for (const RootName& r : kRoots)
      if (equalsIgnoringCase(r.name, rootName)) found = &r;
    if (!found) fail("unknown root " + std::string(rootName));
    if (rest.empty()) fail("a key below the root is needed");
    handle_.closeKey();
    handle_.setRoot(found->root);
    const std::string absolute = "\\" + std::string(rest);
    keyOpen_ = false;
    if (remove) {
      handle_.deleteKey(absolute);
      return;
    }
    try {
      keyOpen_ = handle_.openKey(absolute, true);
    } catch (const StoreError& e) {
      fail(e.what());
    }
    if (!keyOpen_) fail("cannot create the key " + std::string(rest));
  }

  // Reads "..." with \\ and \" escapes starting at pos; returns the position after the closing quote.
  std::size_t quoted(const std::string& line, std::size_t pos, std::string& out) const {
    if (pos >= line.size() || line[pos] != '"') fail("a quoted text is expected");
    out.clear();
    for (++pos; pos < line.size(); ++pos) {
      const char c = line[pos];
      if (c == '"') return pos + 1;
      if (c == '\\') {
        if (++pos >= line.size()) break;
        const char e = line[pos];
        if (e == '\\' || e == '"') {
          out += e;
        } else if (e == '0') {
          out += '\0';
        } else {
          fail(std::string("unknown escape \\") + e);
        }
      } else {
        out += c;
      }
    }
    fail("the quoted text does not end");
  }

  std::vector<std::uint8_t> hexBytes(std::string_view text) const {
    std::vector<std::uint8_t> bytes;
    std::size_t pos = 0;
    while (pos < text.size()) {
      while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
      if (pos >= text.size()) break;
      if (pos + 1 >= text.size() || hexDigit(text[pos]) < 0 || hexDigit(text[pos + 1]) < 0)
        fail("bad hex byte");
      bytes.push_back(static_cast<std::uint8_t>(hexDigit(text[pos]) * 16 + hexDigit(text[pos + 1])));
      pos += 2;
      while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
      if (pos < text.size()) {
        if (text[pos] != ',') fail("hex bytes are separated by commas");
        ++pos;
      }
    }
    return bytes;
  }

  void valueLine(const std::string& line) {
    if (!keyOpen_) fail("a value outside a key");
    std::string name;
    std::size_t pos = 0;
    if (line.front() == '@') {
      pos = 1;
    } else {
      pos = quoted(line, 0, name);
    }
    if (pos >= line.size() || line[pos] != '=') fail("= is expected after the value name");
    const std::string data = std::string(trim(std::string_view(line).substr(pos + 1)));
    try {
      if (data == "-") {
        handle_.deleteValue(name);
      } else if (!data.empty() && data.front() == '"') {
        std::string text;
        if (quoted(data, 0, text) != data.size()) fail("text after the closing quote");
        handle_.writeString(name, text);
      } else if (data.rfind("str(2):", 0) == 0) {
        std::string text;
        if (quoted(data, 7, text) != data.size()) fail("text after the closing quote");
        handle_.writeExpandString(name, text);
      } else if (data.rfind("dword:", 0) == 0) {
        const std::string digits = data.substr(6);
        if (digits.size() != 8 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return hexDigit(c) >= 0; }))
          fail("dword: takes eight hex digits");
        handle_.writeDword(name, static_cast<std::int32_t>(std::stoul(digits, nullptr, 16)));
      } else if (data.rfind("hex:", 0) == 0) {
        handle_.writeBinary(name, hexBytes(std::string_view(data).substr(4)));
      } else if (data.rfind("hex(", 0) == 0) {
        const auto close = data.find("):");
        if (close == std::string::npos) fail("hex(N): is expected");
        const std::string kind = data.substr(4, close - 4);
        if (kind.empty() || !std::all_of(kind.begin(), kind.end(), [](char c) { return hexDigit(c) >= 0; }))
          fail("the kind of hex(N) is a hex number");
        handle_.writeRaw(name, static_cast<std::uint32_t>(std::stoul(kind, nullptr, 16)),
                         hexBytes(std::string_view(data).substr(close + 2)));
      } else {
        fail("unknown value data: " + data);
      }
    } catch (const StoreError& e) {
      fail(e.what());
    }
  }

  RegistryHandle handle_;
  std::string source_;
  std::vector<std::string> lines_;
  int lineNumber_ = 0;
  bool keyOpen_ = false;
};

}  // namespace

void loadRegistryText(Registry& registry, std::string_view text, const std::string& source) {
  Loader(registry, text, source).run();
}

void loadRegistryFile(Registry& registry, const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw RegistryTextError(file.string(), 0, "cannot read the file");
  std::ostringstream text;
  text << in.rdbuf();
  loadRegistryText(registry, text.str(), file.filename().string());
}

void loadRegistryFolder(Registry& registry, const fs::path& folder) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file() && entry.path().extension() == ".reg") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) loadRegistryFile(registry, file);
}

}  // namespace kelvaro::sandbox
