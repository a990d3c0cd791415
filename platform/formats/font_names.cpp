#include "platform/formats/font_names.h"

#include "platform/formats/format_error.h"
#include "store/text_codec.h"

namespace kelvaro::formats {
namespace {

std::uint16_t be16(const ByteView& v, std::size_t at) {
  return static_cast<std::uint16_t>((v.u8(at) << 8) | v.u8(at + 1));
}
std::uint32_t be32(const ByteView& v, std::size_t at) {
  return (static_cast<std::uint32_t>(be16(v, at)) << 16) | be16(v, at + 2);
}

constexpr std::uint32_t tag(const char (&t)[5]) {
  return (static_cast<std::uint32_t>(static_cast<unsigned char>(t[0])) << 24) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(t[1])) << 16) |
         (static_cast<std::uint32_t>(static_cast<unsigned char>(t[2])) << 8) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(t[3]));
}

constexpr std::uint16_t kFamilyName = 1;
constexpr std::uint16_t kWindows = 3;
constexpr std::uint16_t kMacintosh = 1;
constexpr std::uint16_t kUsEnglish = 0x409;

std::string utf16BigEndian(const ByteView& v, std::size_t at, std::size_t length) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < length; i += 2) text.push_back(static_cast<char16_t>(be16(v, at + i)));
  return utf16ToUtf8(text);
}

std::string latin1(const ByteView& v, std::size_t at, std::size_t length) {
  std::u16string text;
  for (std::size_t i = 0; i < length; ++i) text.push_back(static_cast<char16_t>(v.u8(at + i)));
  return utf16ToUtf8(text);
}

}  // namespace

std::optional<std::string> fontFamilyName(ByteView font) {
  std::size_t directory = 0;
  const std::uint32_t version = be32(font, 0);
  if (version == tag("ttcf")) {
    if (be32(font, 8) == 0) throw FormatError("font collection without fonts");
    directory = be32(font, 12);
  }
  const std::uint32_t sfnt = be32(font, directory);
  if (sfnt != 0x00010000 && sfnt != tag("OTTO") && sfnt != tag("true"))
    throw FormatError("not a TrueType or OpenType font");
  const std::uint16_t tables = be16(font, directory + 4);
  std::optional<ByteView> names;
  for (std::size_t i = 0; i < tables; ++i) {
    const std::size_t record = directory + 12 + 16 * i;
    if (be32(font, record) == tag("name")) {
      names = font.sub(be32(font, record + 8), be32(font, record + 12));
      break;
    }
  }
  if (!names) return std::nullopt;

  const std::uint16_t count = be16(*names, 2);
  const std::size_t strings = be16(*names, 4);
  // Best first: Windows US English, any Windows language, Macintosh.
  std::optional<std::string> best;
  int bestRank = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t record = 6 + 12 * i;
    if (be16(*names, record + 6) != kFamilyName) continue;
    const std::uint16_t platform = be16(*names, record);
    const std::uint16_t language = be16(*names, record + 4);
    const int rank = platform == kWindows ? (language == kUsEnglish ? 3 : 2) : platform == kMacintosh ? 1 : 0;
    if (rank <= bestRank) continue;
    const std::size_t length = be16(*names, record + 8);
    const std::size_t at = strings + be16(*names, record + 10);
    if (!names->contains(at, length)) throw FormatError("font name runs past the name table");
    std::string name = platform == kWindows ? utf16BigEndian(*names, at, length) : latin1(*names, at, length);
    if (name.empty()) continue;
    best = std::move(name);
    bestRank = rank;
  }
  return best;
}

}  // namespace kelvaro::formats
