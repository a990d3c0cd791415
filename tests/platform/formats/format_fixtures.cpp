#include "format_fixtures.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <stdexcept>

#include <QBuffer>

namespace kelvaro::testing {
namespace {

void appendU16(Bytes& b, std::uint16_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void appendU32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void appendBytes(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }
void appendText(Bytes& b, std::string_view text) { b.insert(b.end(), text.begin(), text.end()); }
void alignTo(Bytes& b, std::size_t n) {
  while (b.size() % n) b.push_back(0);
}

std::uint32_t colorRef(QRgb c) {
  return static_cast<std::uint32_t>(qRed(c)) | (static_cast<std::uint32_t>(qGreen(c)) << 8) |
         (static_cast<std::uint32_t>(qBlue(c)) << 16);
}

}  // namespace

void putU16(Bytes& b, std::size_t at, std::uint16_t v) {
  b.at(at) = static_cast<std::uint8_t>(v);
  b.at(at + 1) = static_cast<std::uint8_t>(v >> 8);
}
void putU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.at(at + i) = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t getU32(const Bytes& b, std::size_t at) {
  return b.at(at) | (b.at(at + 1) << 8) | (b.at(at + 2) << 16) |
         (static_cast<std::uint32_t>(b.at(at + 3)) << 24);
}

Bytes bmpFile(const BmpFixture& s) {
  Bytes b;
  appendText(b, "BM");
  appendU32(b, 0);  // size, patched
  appendU32(b, 0);
  appendU32(b, 0);  // pixel offset, patched
  appendU32(b, s.headerSize);
  const bool core = s.headerSize == 12;
  if (core) {
    appendU16(b, static_cast<std::uint16_t>(s.width));
    appendU16(b, static_cast<std::uint16_t>(s.height));
    appendU16(b, 1);
    appendU16(b, s.bitCount);
  } else {
    appendU32(b, static_cast<std::uint32_t>(s.width));
    appendU32(b, static_cast<std::uint32_t>(s.height));
    appendU16(b, 1);
    appendU16(b, s.bitCount);
    appendU32(b, s.compression);
    appendU32(b, static_cast<std::uint32_t>(s.pixels.size()));
    appendU32(b, 2835);
    appendU32(b, 2835);
    appendU32(b, s.colorsUsed.value_or(static_cast<std::uint32_t>(s.palette.size())));
    appendU32(b, 0);
    if (s.headerSize > 40) {
      for (std::size_t i = 0; i < 4; ++i) appendU32(b, i < s.masks.size() ? s.masks[i] : 0);
      b.resize(14 + s.headerSize, 0);
    }
  }
  if (s.headerSize == 40) {
    for (std::uint32_t m : s.masks) appendU32(b, m);
  }
  for (QRgb c : s.palette) {
    b.push_back(static_cast<std::uint8_t>(qBlue(c)));
    b.push_back(static_cast<std::uint8_t>(qGreen(c)));
    b.push_back(static_cast<std::uint8_t>(qRed(c)));
    if (!core) b.push_back(0);
  }
  const auto offset = static_cast<std::uint32_t>(b.size());
  putU32(b, 10, s.pixelOffset.value_or(offset));
  appendBytes(b, s.pixels);
  putU32(b, 2, static_cast<std::uint32_t>(b.size()));
  return b;
}

Bytes iconDib(const QImage& source, int bitCount, const std::vector<QRgb>& palette) {
  const QImage image = source.convertToFormat(QImage::Format_ARGB32);
  const int w = image.width(), h = image.height();
  Bytes b;
  appendU32(b, 40);
  appendU32(b, static_cast<std::uint32_t>(w));
  appendU32(b, static_cast<std::uint32_t>(2 * h));
  appendU16(b, 1);
  appendU16(b, static_cast<std::uint16_t>(bitCount));
  appendU32(b, 0);
  appendU32(b, 0);
  appendU32(b, 0);
  appendU32(b, 0);
  appendU32(b, bitCount <= 8 ? static_cast<std::uint32_t>(palette.size()) : 0);
  appendU32(b, 0);
  if (bitCount <= 8) {
    for (QRgb c : palette) {
      b.push_back(static_cast<std::uint8_t>(qBlue(c)));
      b.push_back(static_cast<std::uint8_t>(qGreen(c)));
      b.push_back(static_cast<std::uint8_t>(qRed(c)));
      b.push_back(0);
    }
  }
  const std::size_t rowBytes = ((static_cast<std::size_t>(w) * bitCount + 31) / 32) * 4;
  for (int y = h - 1; y >= 0; --y) {
    Bytes row(rowBytes, 0);
    for (int x = 0; x < w; ++x) {
      const QRgb c = image.pixel(x, y);
      if (bitCount == 32) {
        row[4 * x] = static_cast<std::uint8_t>(qBlue(c));
        row[4 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
        row[4 * x + 2] = static_cast<std::uint8_t>(qRed(c));
        row[4 * x + 3] = static_cast<std::uint8_t>(qAlpha(c));
      } else if (bitCount == 24) {
        row[3 * x] = static_cast<std::uint8_t>(qBlue(c));
        row[3 * x + 1] = static_cast<std::uint8_t>(qGreen(c));
        row[3 * x + 2] = static_cast<std::uint8_t>(qRed(c));
      } else {
        const auto it = std::find(palette.begin(), palette.end(), (c | 0xFF000000u));
        const int index = qAlpha(c) == 0 || it == palette.end() ? 0 : static_cast<int>(it - palette.begin());
        const int perByte = 8 / bitCount;
        row[x / perByte] |= static_cast<std::uint8_t>(index << (8 - bitCount * (x % perByte + 1)));
      }
    }
    appendBytes(b, row);
  }
  const std::size_t maskRow = ((static_cast<std::size_t>(w) + 31) / 32) * 4;
  for (int y = h - 1; y >= 0; --y) {
    Bytes row(maskRow, 0);
    for (int x = 0; x < w; ++x) {
      if (qAlpha(image.pixel(x, y)) == 0) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    appendBytes(b, row);
  }
  return b;
}

Bytes pngBytes(const QImage& image) {
  QByteArray data;
  QBuffer buffer(&data);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return Bytes(data.begin(), data.end());
}

Bytes icoFile(const std::vector<IconEntry>& entries, bool cursor) {
  Bytes b;
  appendU16(b, 0);
  appendU16(b, cursor ? 2 : 1);
  appendU16(b, static_cast<std::uint16_t>(entries.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const IconEntry& e : entries) {
    b.push_back(static_cast<std::uint8_t>(e.width >= 256 ? 0 : e.width));
    b.push_back(static_cast<std::uint8_t>(e.height >= 256 ? 0 : e.height));
    b.push_back(static_cast<std::uint8_t>(e.bitCount == 4 ? 16 : 0));
    b.push_back(0);
    appendU16(b, static_cast<std::uint16_t>(cursor ? e.hotspotX : 1));
    appendU16(b, static_cast<std::uint16_t>(cursor ? e.hotspotY : e.bitCount));
    appendU32(b, static_cast<std::uint32_t>(e.data.size()));
    appendU32(b, offset);
    offset += static_cast<std::uint32_t>(e.data.size());
  }
  for (const IconEntry& e : entries) appendBytes(b, e.data);
  return b;
}

namespace {

struct NameGroup {
  std::variant<std::uint16_t, std::u16string> name;
  std::vector<std::uint16_t> languages;
  Bytes data;
};
struct TypeGroup {
  std::uint16_t type = 0;
  std::vector<NameGroup> names;
};

std::vector<TypeGroup> groupByType(const std::vector<ResourceFixture>& resources) {
  std::vector<TypeGroup> types;
  for (const ResourceFixture& r : resources) {
    auto it = std::find_if(types.begin(), types.end(), [&](const TypeGroup& t) { return t.type == r.type; });
    if (it == types.end()) {
      types.push_back({r.type, {}});
      it = types.end() - 1;
    }
    it->names.push_back({r.name, r.languages, r.data});
  }
  // The directory lists named entries before numbered ones.
  for (TypeGroup& t : types) {
    std::stable_partition(t.names.begin(), t.names.end(),
                          [](const NameGroup& n) { return std::holds_alternative<std::u16string>(n.name); });
  }
  return types;
}

Bytes resourceSection(const std::vector<ResourceFixture>& resources, std::uint32_t sectionRva) {
  const std::vector<TypeGroup> types = groupByType(resources);
  std::size_t dirBytes = 16 + 8 * types.size();
  std::size_t dataEntries = 0;
  for (const TypeGroup& t : types) {
    dirBytes += 16 + 8 * t.names.size();
    for (const NameGroup& n : t.names) {
      dirBytes += 16 + 8 * n.languages.size();
      dataEntries += n.languages.size();
    }
  }
  const std::size_t dataEntryStart = dirBytes;
  std::size_t stringStart = dataEntryStart + 16 * dataEntries;
  Bytes strings;
  std::map<std::u16string, std::size_t> stringOffsets;
  for (const TypeGroup& t : types) {
    for (const NameGroup& n : t.names) {
      if (const auto* s = std::get_if<std::u16string>(&n.name); s && !stringOffsets.count(*s)) {
        stringOffsets[*s] = stringStart + strings.size();
        appendU16(strings, static_cast<std::uint16_t>(s->size()));
        for (char16_t c : *s) appendU16(strings, c);
      }
    }
  }
  std::size_t blobStart = stringStart + strings.size();
  blobStart = (blobStart + 7) / 8 * 8;

  Bytes b(blobStart, 0);
  Bytes blobs;
  std::size_t dirAt = 16 + 8 * types.size();
  std::size_t dataEntryAt = dataEntryStart;
  putU16(b, 14, static_cast<std::uint16_t>(types.size()));
  for (std::size_t ti = 0; ti < types.size(); ++ti) {
    const TypeGroup& t = types[ti];
    putU32(b, 16 + 8 * ti, t.type);
    putU32(b, 16 + 8 * ti + 4, static_cast<std::uint32_t>(dirAt) | 0x80000000u);
    const std::size_t typeDir = dirAt;
    const auto named =
        static_cast<std::uint16_t>(std::count_if(t.names.begin(), t.names.end(), [](const NameGroup& n) {
          return std::holds_alternative<std::u16string>(n.name);
        }));
    putU16(b, typeDir + 12, named);
    putU16(b, typeDir + 14, static_cast<std::uint16_t>(t.names.size() - named));
    dirAt += 16 + 8 * t.names.size();
    for (std::size_t ni = 0; ni < t.names.size(); ++ni) {
      const NameGroup& n = t.names[ni];
      const std::size_t entry = typeDir + 16 + 8 * ni;
      if (const auto* s = std::get_if<std::u16string>(&n.name)) {
        putU32(b, entry, static_cast<std::uint32_t>(stringOffsets[*s]) | 0x80000000u);
      } else {
        putU32(b, entry, std::get<std::uint16_t>(n.name));
      }
      putU32(b, entry + 4, static_cast<std::uint32_t>(dirAt) | 0x80000000u);
      const std::size_t langDir = dirAt;
      putU16(b, langDir + 14, static_cast<std::uint16_t>(n.languages.size()));
      dirAt += 16 + 8 * n.languages.size();
      for (std::size_t li = 0; li < n.languages.size(); ++li) {
        putU32(b, langDir + 16 + 8 * li, n.languages[li]);
        putU32(b, langDir + 16 + 8 * li + 4, static_cast<std::uint32_t>(dataEntryAt));
        putU32(b, dataEntryAt, static_cast<std::uint32_t>(sectionRva + blobStart + blobs.size()));
        putU32(b, dataEntryAt + 4, static_cast<std::uint32_t>(n.data.size()));
        dataEntryAt += 16;
        appendBytes(blobs, n.data);
        alignTo(blobs, 8);
      }
    }
  }
  std::copy(strings.begin(), strings.end(), b.begin() + static_cast<std::ptrdiff_t>(stringStart));
  appendBytes(b, blobs);
  return b;
}

}  // namespace

Bytes peFile(const std::vector<ResourceFixture>& resources, bool pe32plus) {
  constexpr std::uint32_t kSectionRva = 0x1000;
  constexpr std::uint32_t kSectionOffset = 0x400;
  Bytes rsrc = resourceSection(resources, kSectionRva);
  const auto rsrcSize = static_cast<std::uint32_t>(rsrc.size());
  alignTo(rsrc, 0x200);

  Bytes b(kSectionOffset, 0);
  b[0] = 'M';
  b[1] = 'Z';
  putU32(b, 0x3C, 0x40);
  b[0x40] = 'P';
  b[0x41] = 'E';
  const std::size_t coff = 0x44;
  const std::uint16_t optionalSize = pe32plus ? 240 : 224;
  putU16(b, coff, pe32plus ? 0x8664 : 0x14C);
  putU16(b, coff + 2, 1);
  putU16(b, coff + 16, optionalSize);
  putU16(b, coff + 18, 0x2102);
  const std::size_t opt = coff + 20;
  putU16(b, opt, pe32plus ? 0x20B : 0x10B);
  putU32(b, opt + 32, 0x1000);                                        // SectionAlignment
  putU32(b, opt + 36, 0x200);                                         // FileAlignment
  putU16(b, opt + 40, 4);                                             // OS version
  putU16(b, opt + 48, 4);                                             // subsystem version
  putU32(b, opt + 56, kSectionRva + ((rsrcSize + 0xFFF) & ~0xFFFu));  // SizeOfImage
  putU32(b, opt + 60, kSectionOffset);                                // SizeOfHeaders
  putU16(b, opt + 68, 2);                                             // subsystem: GUI
  const std::size_t countAt = opt + (pe32plus ? 108 : 92);
  putU32(b, countAt, 16);
  putU32(b, countAt + 4 + 16, kSectionRva);
  putU32(b, countAt + 4 + 20, rsrcSize);
  const std::size_t section = opt + optionalSize;
  std::copy_n(".rsrc", 5, b.begin() + static_cast<std::ptrdiff_t>(section));
  putU32(b, section + 8, rsrcSize);
  putU32(b, section + 12, kSectionRva);
  putU32(b, section + 16, static_cast<std::uint32_t>(rsrc.size()));
  putU32(b, section + 20, kSectionOffset);
  putU32(b, section + 36, 0x40000040);
  appendBytes(b, rsrc);
  return b;
}

Bytes neFile(const std::vector<ResourceFixture>& resources, int shift) {
  const std::vector<TypeGroup> types = groupByType(resources);
  const std::size_t ne = 0x40;
  const std::size_t tableStart = ne + 0x40;
  std::size_t tableSize = 2 + 2;  // shift, terminator
  for (const TypeGroup& t : types) tableSize += 8 + 12 * t.names.size();
  Bytes names;
  std::map<std::u16string, std::size_t> nameOffsets;
  for (const TypeGroup& t : types) {
    for (const NameGroup& n : t.names) {
      if (const auto* s = std::get_if<std::u16string>(&n.name); s && !nameOffsets.count(*s)) {
        nameOffsets[*s] = tableSize + names.size();
        names.push_back(static_cast<std::uint8_t>(s->size()));
        for (char16_t c : *s) names.push_back(static_cast<std::uint8_t>(c));
      }
    }
  }
  names.push_back(0);
  const std::size_t residentNames = tableSize + names.size();
  Bytes b(tableStart + residentNames + 1, 0);
  b[0] = 'M';
  b[1] = 'Z';
  putU32(b, 0x3C, static_cast<std::uint32_t>(ne));
  b[ne] = 'N';
  b[ne + 1] = 'E';
  putU16(b, ne + 0x24, 0x40);
  putU16(b, ne + 0x26, static_cast<std::uint16_t>(0x40 + residentNames));
  putU16(b, tableStart, static_cast<std::uint16_t>(shift));
  std::copy(names.begin(), names.end(), b.begin() + static_cast<std::ptrdiff_t>(tableStart + tableSize));
  const std::size_t unit = std::size_t{1} << shift;
  std::size_t at = tableStart + 2;
  std::vector<std::pair<std::size_t, const Bytes*>> pending;
  for (const TypeGroup& t : types) {
    putU16(b, at, static_cast<std::uint16_t>(t.type | 0x8000));
    putU16(b, at + 2, static_cast<std::uint16_t>(t.names.size()));
    at += 8;
    for (const NameGroup& n : t.names) {
      pending.emplace_back(at, &n.data);
      if (const auto* s = std::get_if<std::u16string>(&n.name)) {
        putU16(b, at + 6, static_cast<std::uint16_t>(nameOffsets[*s]));
      } else {
        putU16(b, at + 6, static_cast<std::uint16_t>(std::get<std::uint16_t>(n.name) | 0x8000));
      }
      putU16(b, at + 4, 0x1030);  // moveable, pure, preload
      at += 12;
    }
  }
  for (const auto& [entry, data] : pending) {
    alignTo(b, unit);
    putU16(b, entry, static_cast<std::uint16_t>(b.size() >> shift));
    putU16(b, entry + 2, static_cast<std::uint16_t>((data->size() + unit - 1) >> shift));
    appendBytes(b, *data);
  }
  alignTo(b, unit);
  return b;
}

std::vector<ResourceFixture> iconGroup(std::variant<std::uint16_t, std::u16string> groupName,
                                       std::uint16_t firstImageId, const std::vector<IconEntry>& images) {
  std::vector<ResourceFixture> out;
  Bytes dir;
  appendU16(dir, 0);
  appendU16(dir, 1);
  appendU16(dir, static_cast<std::uint16_t>(images.size()));
  for (std::size_t i = 0; i < images.size(); ++i) {
    const IconEntry& e = images[i];
    const auto id = static_cast<std::uint16_t>(firstImageId + i);
    out.push_back({3, id, {0x409}, e.data});
    dir.push_back(static_cast<std::uint8_t>(e.width >= 256 ? 0 : e.width));
    dir.push_back(static_cast<std::uint8_t>(e.height >= 256 ? 0 : e.height));
    dir.push_back(static_cast<std::uint8_t>(e.bitCount == 4 ? 16 : 0));
    dir.push_back(0);
    appendU16(dir, 1);
    appendU16(dir, static_cast<std::uint16_t>(e.bitCount));
    appendU32(dir, static_cast<std::uint32_t>(e.data.size()));
    appendU16(dir, id);
  }
  out.push_back({14, groupName, {0x409}, dir});
  return out;
}

IconEntry solidIcon(int size, QRgb colour, int bitCount) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(colour);
  IconEntry e;
  std::vector<QRgb> palette;
  if (bitCount <= 8) palette = {qRgb(0, 0, 0), colour | 0xFF000000u};
  e.data = iconDib(image, bitCount, palette);
  e.width = size;
  e.height = size;
  e.bitCount = bitCount;
  return e;
}

Bytes aniFile(const AniFixture& s) {
  auto chunk = [](std::string_view id, const Bytes& data) {
    Bytes c;
    appendText(c, id);
    appendU32(c, static_cast<std::uint32_t>(data.size()));
    appendBytes(c, data);
    if (data.size() % 2) c.push_back(0);
    return c;
  };
  const std::uint32_t frames = s.frameCount ? s.frameCount : static_cast<std::uint32_t>(s.frames.size());
  Bytes anih;
  appendU32(anih, 36);
  appendU32(anih, frames);
  appendU32(anih, s.stepCount ? s.stepCount : frames);
  appendU32(anih, 32);
  appendU32(anih, 32);
  appendU32(anih, 0);
  appendU32(anih, 1);
  appendU32(anih, s.displayRate);
  appendU32(anih, s.flags);
  Bytes rate, seq;
  for (std::uint32_t r : s.rates) appendU32(rate, r);
  for (std::uint32_t q : s.sequence) appendU32(seq, q);
  Bytes fram;
  appendText(fram, "fram");
  for (const Bytes& f : s.frames) appendBytes(fram, chunk("icon", f));

  Bytes body;
  appendText(body, "ACON");
  if (s.infoList) {
    Bytes info;
    appendText(info, "INFO");
    Bytes title = {'W', 'a', 'i', 't', 0};  // odd size: padded
    appendBytes(info, chunk("INAM", title));
    appendBytes(body, chunk("LIST", info));
  }
  if (s.ratesBeforeHeader && !rate.empty()) appendBytes(body, chunk("rate", rate));
  appendBytes(body, chunk("anih", anih));
  if (!s.ratesBeforeHeader && !rate.empty()) appendBytes(body, chunk("rate", rate));
  if (!seq.empty()) appendBytes(body, chunk("seq ", seq));
  appendBytes(body, chunk("LIST", fram));
  Bytes b;
  appendText(b, "RIFF");
  appendU32(b, static_cast<std::uint32_t>(body.size()));
  appendBytes(b, body);
  return b;
}

Bytes wmfRectangle(int width, int height, QRgb colour) {
  Bytes b;
  appendU32(b, 0x9AC6CDD7);
  appendU16(b, 0);
  appendU16(b, 0);
  appendU16(b, 0);
  appendU16(b, static_cast<std::uint16_t>(width));
  appendU16(b, static_cast<std::uint16_t>(height));
  appendU16(b, 96);  // units per inch: one unit is one pixel at 96 dpi
  appendU32(b, 0);
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i < 20; i += 2) checksum ^= static_cast<std::uint16_t>(b[i] | (b[i + 1] << 8));
  appendU16(b, checksum);
  const std::size_t header = b.size();
  appendU16(b, 1);
  appendU16(b, 9);
  appendU16(b, 0x300);
  appendU32(b, 0);  // size in words, patched
  appendU16(b, 2);
  appendU32(b, 8);
  appendU16(b, 0);
  auto record = [&b](std::uint16_t function, std::initializer_list<std::uint16_t> params) {
    appendU32(b, static_cast<std::uint32_t>(3 + params.size()));
    appendU16(b, function);
    for (std::uint16_t p : params) appendU16(b, p);
  };
  record(0x020B, {0, 0});  // SETWINDOWORG y, x
  record(0x020C, {static_cast<std::uint16_t>(height), static_cast<std::uint16_t>(width)});  // SETWINDOWEXT
  const std::uint32_t ref = colorRef(colour);
  record(0x02FC, {0, static_cast<std::uint16_t>(ref), static_cast<std::uint16_t>(ref >> 16),
                  0});              // CREATEBRUSHINDIRECT
  record(0x012D, {0});              // SELECTOBJECT brush
  record(0x02FA, {5, 0, 0, 0, 0});  // CREATEPENINDIRECT PS_NULL
  record(0x012D, {1});              // SELECTOBJECT pen
  record(0x041B, {static_cast<std::uint16_t>(height), static_cast<std::uint16_t>(width), 0, 0});  // RECTANGLE
  record(0x0000, {});                                                                             // EOF
  putU32(b, header + 6, static_cast<std::uint32_t>((b.size() - header) / 2));
  return b;
}

Bytes emfRectangle(int width, int height, QRgb colour) {
  Bytes b;
  appendU32(b, 1);
  appendU32(b, 88);
  for (int v : {0, 0, width - 1, height - 1}) appendU32(b, static_cast<std::uint32_t>(v));
  for (int v : {0, 0, width * 2540 / 96, height * 2540 / 96}) appendU32(b, static_cast<std::uint32_t>(v));
  appendU32(b, 0x464D4520);
  appendU32(b, 0x10000);
  appendU32(b, 0);  // bytes, patched
  appendU32(b, 0);  // records, patched
  appendU16(b, 2);
  appendU16(b, 0);
  appendU32(b, 0);
  appendU32(b, 0);
  appendU32(b, 0);
  appendU32(b, 1024);
  appendU32(b, 768);
  appendU32(b, 271);
  appendU32(b, 203);
  std::uint32_t records = 1;
  auto record = [&](std::uint32_t type, std::initializer_list<std::uint32_t> params) {
    appendU32(b, type);
    appendU32(b, static_cast<std::uint32_t>(8 + 4 * params.size()));
    for (std::uint32_t p : params) appendU32(b, p);
    ++records;
  };
  record(39, {1, 0, colorRef(colour), 0});  // CREATEBRUSHINDIRECT
  record(37, {1});                          // SELECTOBJECT
  record(37, {0x80000008});                 // SELECTOBJECT NULL_PEN
  record(43, {0, 0, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)});  // RECTANGLE
  record(14, {0, 16, 20});                                                                    // EOF
  putU32(b, 48, static_cast<std::uint32_t>(b.size()));
  putU32(b, 52, records);
  return b;
}

int runCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  std::string text;
  char buffer[4096];
  std::size_t n = 0;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
  const int status = pclose(pipe);
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TempDir::TempDir() {
  std::random_device random;
  path_ = std::filesystem::temp_directory_path() / ("kelvaro-formats-test-" + std::to_string(random()));
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

Bytes readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string shellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out.push_back(c);
  }
  return out + "'";
}

namespace {
void bigEndian(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
}  // namespace

Bytes fontFile(const std::vector<FontName>& names, bool collection) {
  Bytes strings;
  Bytes records;
  for (const FontName& name : names) {
    const std::size_t start = strings.size();
    for (char16_t c : name.text) {
      if (name.platform == 3)
        bigEndian(strings, c, 2);
      else
        strings.push_back(static_cast<std::uint8_t>(c));
    }
    bigEndian(records, name.platform, 2);
    bigEndian(records, name.platform == 3 ? 1 : 0, 2);  // encoding
    bigEndian(records, name.language, 2);
    bigEndian(records, 1, 2);  // the family name
    bigEndian(records, static_cast<std::uint32_t>(strings.size() - start), 2);
    bigEndian(records, static_cast<std::uint32_t>(start), 2);
  }
  Bytes table;
  bigEndian(table, 0, 2);
  bigEndian(table, static_cast<std::uint32_t>(names.size()), 2);
  bigEndian(table, static_cast<std::uint32_t>(6 + records.size()), 2);
  table.insert(table.end(), records.begin(), records.end());
  table.insert(table.end(), strings.begin(), strings.end());

  const std::uint32_t directory = collection ? 16 : 0;
  Bytes font;
  if (collection) {
    font = {'t', 't', 'c', 'f'};
    bigEndian(font, 0x00010000, 4);
    bigEndian(font, 1, 4);
    bigEndian(font, directory, 4);
  }
  bigEndian(font, 0x00010000, 4);
  bigEndian(font, 1, 2);  // one table
  bigEndian(font, 16, 2);
  bigEndian(font, 0, 2);
  bigEndian(font, 0, 2);
  font.insert(font.end(), {'n', 'a', 'm', 'e'});
  bigEndian(font, 0, 4);  // checksum
  bigEndian(font, directory + 12 + 16, 4);
  bigEndian(font, static_cast<std::uint32_t>(table.size()), 4);
  font.insert(font.end(), table.begin(), table.end());
  return font;
}

}  // namespace kelvaro::testing
