#include "platform/dos_path.h"

#include <cstdint>

namespace kelvaro {

namespace {

bool isForbiddenCharacter(unsigned char c) {
  if (c < 0x20) return true;
  switch (c) {
    case '\\':
    case '/':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
      return true;
    default:
      return false;
  }
}

// The name as Windows stores it (trailing dots and spaces dropped), or
// nullopt when the name is not allowed.
std::optional<std::string> normaliseName(std::string_view name) {
  if (name == "." || name == "..") return std::nullopt;
  for (const char c : name)
    if (isForbiddenCharacter(static_cast<unsigned char>(c))) return std::nullopt;
  if (!isValidUtf8(name)) return std::nullopt;
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.remove_suffix(1);
  if (name.empty()) return std::nullopt;
  return std::string(name);
}

}  // namespace

bool isValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    std::size_t length = 0;
    std::uint32_t code = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      length = 2, code = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      length = 3, code = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      length = 4, code = c & 0x07;
    } else {
      return false;
    }
    if (i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::optional<DosPath> DosPath::parse(std::string_view text) {
  if (text.size() < 2 || text[1] != ':') return std::nullopt;
  const char letter = text[0];
  DosPath path;
  if (letter >= 'a' && letter <= 'z') {
    path.drive = letter;
  } else if (letter >= 'A' && letter <= 'Z') {
    path.drive = static_cast<char>(letter - 'A' + 'a');
  } else {
    return std::nullopt;
  }
  std::string_view rest = text.substr(2);
  // "C:name" would be relative to the drive's current folder, which we do not have.
  if (!rest.empty() && rest.front() != '\\') return std::nullopt;
  while (!rest.empty()) {
    const std::size_t cut = rest.find('\\');
    const std::string_view name = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view{} : rest.substr(cut + 1);
    if (name.empty()) continue;
    auto normal = normaliseName(name);
    if (!normal) return std::nullopt;
    path.names.push_back(std::move(*normal));
  }
  return path;
}

DosPath DosPath::parent() const {
  DosPath up = *this;
  if (!up.names.empty()) up.names.pop_back();
  return up;
}

std::string DosPath::text() const {
  std::string out;
  out.push_back(static_cast<char>(drive - 'a' + 'A'));
  out.push_back(':');
  if (names.empty()) return out + "\\";
  for (const auto& name : names) {
    out.push_back('\\');
    out += name;
  }
  return out;
}

bool isValidDosName(std::string_view name) {
  const auto normal = normaliseName(name);
  return normal && *normal == name;
}

}  // namespace kelvaro
