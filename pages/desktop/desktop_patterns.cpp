#include "pages/desktop/desktop_patterns.h"

#include <QPainter>

#include <cctype>
#include <cstdint>
#include <sstream>

#include "store/text_codec.h"

namespace kelvaro {

const std::array<DesktopPattern, kDesktopPatternCount>& desktopPatterns() {
  static const std::array<DesktopPattern, kDesktopPatternCount> patterns{{
      {"(brak)", "0 0 0 0 0 0 0 0"},
      {"Cały czarny", "255 255 255 255 255 255 255 255"},
      {"Cały w kolorze pulpitu", "0 0 0 0 0 0 0 0"},
      {"Cegiełki", "187 95 174 93 186 117 234 245"},
      {"Cegiełki2", "251 0 191 191 191 0 251 251"},
      {"Drabinki", "0 254 0 254 0 254 0 254"},
      {"Efekt pola", "86 89 166 154 101 149 106 169"},
      {"Falki", "62 7 225 7 62 112 195 112"},
      {"Kamień", "174 77 239 255 8 77 174 77"},
      {"Klucz", "254 2 250 138 186 162 190 128"},
      {"Koloseum", "130 1 1 1 171 85 170 85"},
      {"Kostka", "40 68 146 171 214 108 56 16"},
      {"Kropeczki", "191 255 255 255 251 255 255 255"},
      {"Kropeczki po skosie", "254 255 255 239 255 255 255 255"},
      {"Krzyżyki", "215 215 20 255 20 255 215 215"},
      {"Kulki", "215 147 40 215 40 147 213 215"},
      {"Kwadraciki", "60 60 219 231 231 219 60 60"},
      {"Labirynt", "0 254 130 186 162 190 128 255"},
      {"Łuski", "225 42 37 146 85 152 62 247"},
      {"Paski pionowe cienkie", "85 85 85 85 85 85 85 85"},
      {"Paski pionowe grube", "51 51 51 51 51 51 51 51"},
      {"Paski poziome cienki", "255 0 255 0 255 0 255 0"},
      {"Paski poziome grube", "255 255 0 0 255 255 0 0"},
      {"Pled", "240 240 240 240 170 85 170 85"},
      {"Przyciski", "170 125 198 71 198 127 190 85"},
      {"Sąsiadująco", "69 130 1 0 1 130 69 170"},
      {"Schematy", "82 41 132 66 148 41 66 132"},
      {"Schodki", "239 239 14 254 254 254 224 239"},
      {"Siateczka", "126 189 219 231 231 219 189 126"},
      {"Siatka", "248 116 34 71 143 23 34 113"},
      {"Sieć", "120 49 19 135 225 200 140 30"},
      {"Stokrotki", "30 140 216 253 191 27 49 120"},
      {"Szachownica duża", "51 51 204 204 51 51 204 204"},
      {"Szachownica mała", "85 170 85 170 85 170 85 170"},
      {"Trójkąty", "135 7 6 4 0 247 231 199"},
      {"Uśmiech", "255 189 255 231 255 189 195 255"},
      {"Wafle", "77 154 8 85 239 154 77 154"},
      {"Wzorek", "102 255 219 126 126 219 255 102"},
      {"Zygzaki", "221 170 119 255 221 170 119 255"},
  }};
  return patterns;
}

const std::array<int, kDesktopPatternCount>& controlIniPatternOrder() {
  // "(brak)", 3-18 as listed, then the rest not quite in list order (Siatka
  // before Siateczka, the small chequerboard first, the stripes after them),
  // and the two plain ones last.
  static const std::array<int, kDesktopPatternCount> order{0,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                                           15, 16, 17, 18, 23, 24, 25, 26, 27, 29, 28, 30, 31,
                                                           33, 32, 19, 20, 21, 22, 34, 35, 36, 37, 38, 1,  2};
  return order;
}

int patternForText(std::string_view text) {
  if (text.empty() || text == "(brak)") return 0;
  const auto& patterns = desktopPatterns();
  // Pattern 0 stands for "(brak)" only; its text finds the plain pattern 2.
  for (int i = 1; i < kDesktopPatternCount; ++i) {
    if (text == patterns[i].text) return i;
  }
  return 0;
}

namespace {

std::array<std::uint8_t, 8> patternRows(std::string_view text) {
  std::array<std::uint8_t, 8> rows{};
  std::istringstream in{std::string(text)};
  for (std::uint8_t& row : rows) {
    int value = 0;
    if (!(in >> value)) break;
    row = static_cast<std::uint8_t>(value);
  }
  return rows;
}

}  // namespace

QImage patternTile(std::string_view text, QColor desktop, QSize area) {
  const std::array<std::uint8_t, 8> rows = patternRows(text);
  QImage image(area, QImage::Format_RGB32);
  const QRgb background = desktop.rgb();
  const QRgb black = qRgb(0, 0, 0);
  for (int y = 0; y < area.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    const std::uint8_t row = rows[y % 8];
    for (int x = 0; x < area.width(); ++x) line[x] = (row & (0x80 >> (x % 8))) ? black : background;
  }
  return image;
}

QImage patternStrip(QColor desktop, QSize preview) {
  QImage strip(kPatternPreviewStep * kDesktopPatternCount, preview.height(), QImage::Format_RGB32);
  strip.fill(desktop);
  QPainter p(&strip);
  for (int i = 0; i < kDesktopPatternCount; ++i)
    p.drawImage(i * kPatternPreviewStep, 0, patternTile(desktopPatterns()[i].text, desktop, preview));
  return strip;
}

namespace {

bool isSectionHeader(std::string_view line, std::string* name) {
  std::size_t start = 0;
  while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
  if (start >= line.size() || line[start] != '[') return false;
  const std::size_t close = line.find(']', start);
  if (close == std::string_view::npos) return false;
  std::string_view inside = line.substr(start + 1, close - start - 1);
  while (!inside.empty() && (inside.front() == ' ' || inside.front() == '\t')) inside.remove_prefix(1);
  while (!inside.empty() && (inside.back() == ' ' || inside.back() == '\t')) inside.remove_suffix(1);
  *name = std::string(inside);
  return true;
}

bool sameAsciiName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

// The lines of the text without the given section, each with its end.
std::string withoutSection(std::string_view text, std::string_view section) {
  std::string out;
  bool skipping = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    end = end == std::string_view::npos ? text.size() : end + 1;
    const std::string_view line = text.substr(pos, end - pos);
    std::string name;
    if (isSectionHeader(line, &name)) skipping = sameAsciiName(name, section);
    if (!skipping) out.append(line);
    pos = end;
  }
  if (!out.empty() && out.back() != '\n') out += "\r\n";
  return out;
}

}  // namespace

std::string replaceIniSection(std::string_view fileBytes, std::string_view section,
                              const std::vector<std::pair<std::string, std::string>>& entries,
                              const std::string& codePage) {
  static constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  static constexpr std::string_view kUtf16Bom = "\xFF\xFE";
  std::string added = "[" + std::string(section) + "]\r\n";
  for (const auto& [name, value] : entries) added += name + "=" + value + "\r\n";

  if (fileBytes.starts_with(kUtf8Bom))
    return std::string(kUtf8Bom) + withoutSection(fileBytes.substr(kUtf8Bom.size()), section) + added;
  if (fileBytes.starts_with(kUtf16Bom)) {
    std::u16string units((fileBytes.size() - 2) / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
      units[i] = static_cast<char16_t>(static_cast<unsigned char>(fileBytes[2 + 2 * i]) |
                                       (static_cast<unsigned char>(fileBytes[3 + 2 * i]) << 8));
    const std::u16string result = utf8ToUtf16(withoutSection(utf16ToUtf8(units), section) + added);
    std::string out(kUtf16Bom);
    for (char16_t unit : result) {
      out += static_cast<char>(unit & 0xFF);
      out += static_cast<char>(unit >> 8);
    }
    return out;
  }
  // The rest of the file stays byte for byte; only the new lines are encoded.
  return withoutSection(fileBytes, section) + encodeCodePage(added, codePage);
}

}  // namespace kelvaro
