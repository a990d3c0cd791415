#include "tools/sandbox/metafile_writer.h"

#include <algorithm>

#include "tools/sandbox/byte_writer.h"

namespace kelvaro::sandbox {

namespace {

std::uint32_t colorRef(const QColor& c) {
  return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
         (static_cast<std::uint32_t>(c.blue()) << 16);
}

}  // namespace

std::vector<std::uint8_t> encodeWindowsMetafile(int width, int height, const std::vector<MetaShape>& shapes) {
  ByteWriter records;
  std::uint32_t largest = 0, count = 0;
  auto record = [&](std::uint32_t function, const std::vector<std::uint16_t>& params) {
    const std::uint32_t words = 3 + static_cast<std::uint32_t>(params.size());
    records.u32(words);
    records.u16(function);
    for (std::uint16_t p : params) records.u16(p);
    largest = std::max(largest, words);
    ++count;
  };
  auto s16 = [](int v) { return static_cast<std::uint16_t>(static_cast<std::int16_t>(v)); };
  record(0x020B, {0, 0});                     // SETWINDOWORG y, x
  record(0x020C, {s16(height), s16(width)});  // SETWINDOWEXT y, x
  record(0x0107, {1});                        // SETPOLYFILLMODE alternate
  record(0x02FA, {5, 0, 0, 0, 0});            // CREATEPENINDIRECT null pen -> object 0
  record(0x012D, {0});                        // SELECTOBJECT 0
  for (const MetaShape& shape : shapes) {
    const std::uint32_t c = colorRef(shape.fill);
    record(0x02FC, {0, static_cast<std::uint16_t>(c & 0xFFFF), static_cast<std::uint16_t>(c >> 16), 0});
    record(0x012D, {1});  // the new brush takes the free slot 1
    if (shape.kind == MetaShape::Polygon) {
      std::vector<std::uint16_t> p{static_cast<std::uint16_t>(shape.points.size())};
      for (const QPoint& pt : shape.points) {
        p.push_back(s16(pt.x()));
        p.push_back(s16(pt.y()));
      }
      record(0x0324, p);
    } else {
      const QPoint a = shape.points.at(0), b = shape.points.at(1);
      record(shape.kind == MetaShape::Ellipse ? 0x0418 : 0x041B,
             {s16(b.y()), s16(b.x()), s16(a.y()), s16(a.x())});
    }
    record(0x01F0, {1});  // DELETEOBJECT
  }
  records.u32(3);
  records.u16(0);
  ++count;

  ByteWriter out;
  out.u32(0x9AC6CDD7);
  out.u16(0);
  out.u16(0);
  out.u16(0);
  out.u16(width);
  out.u16(height);
  out.u16(96);
  out.u32(0);
  std::uint16_t checksum = 0;
  for (std::size_t i = 0; i < 20; i += 2)
    checksum ^= static_cast<std::uint16_t>(out.bytes()[i] | (out.bytes()[i + 1] << 8));
  out.u16(checksum);
  out.u16(1);
  out.u16(9);
  out.u16(0x0300);
  out.u32(9 + static_cast<std::uint32_t>(records.size() / 2));
  out.u16(2);
  out.u32(largest);
  out.u16(0);
  out.append(records.bytes());
  (void)count;
  return out.take();
}

std::vector<std::uint8_t> encodeEnhancedMetafile(int width, int height,
                                                 const std::vector<MetaShape>& shapes) {
  ByteWriter records;
  std::uint32_t count = 1;  // the header
  auto begin = [&](std::uint32_t type) {
    const std::size_t at = records.size();
    records.u32(type);
    records.u32(0);
    return at;
  };
  auto end = [&](std::size_t at) {
    records.put32(at + 4, static_cast<std::uint32_t>(records.size() - at));
    ++count;
  };
  std::size_t r = begin(37);  // SELECTOBJECT the stock null pen
  records.u32(0x80000008);
  end(r);
  for (const MetaShape& shape : shapes) {
    r = begin(39);  // CREATEBRUSHINDIRECT
    records.u32(1);
    records.u32(0);
    records.u32(colorRef(shape.fill));
    records.u32(0);
    end(r);
    r = begin(37);
    records.u32(1);
    end(r);
    if (shape.kind == MetaShape::Polygon) {
      r = begin(86);  // POLYGON16
      int l = width, t = height, rr = 0, b = 0;
      for (const QPoint& p : shape.points) {
        l = std::min(l, p.x());
        t = std::min(t, p.y());
        rr = std::max(rr, p.x());
        b = std::max(b, p.y());
      }
      records.s32(l);
      records.s32(t);
      records.s32(rr);
      records.s32(b);
      records.u32(static_cast<std::uint32_t>(shape.points.size()));
      for (const QPoint& p : shape.points) {
        records.u16(static_cast<std::uint16_t>(p.x()));
        records.u16(static_cast<std::uint16_t>(p.y()));
      }
      records.padTo(4);
      end(r);
    } else {
      r = begin(shape.kind == MetaShape::Ellipse ? 42 : 43);
      records.s32(shape.points.at(0).x());
      records.s32(shape.points.at(0).y());
      records.s32(shape.points.at(1).x());
      records.s32(shape.points.at(1).y());
      end(r);
    }
    r = begin(37);  // select the stock white brush back before deleting
    records.u32(0x80000000);
    end(r);
    r = begin(40);
    records.u32(1);
    end(r);
  }
  r = begin(14);  // EOF
  records.u32(0);
  records.u32(16);
  records.u32(20);
  end(r);

  // The description: the application's name and the picture's, each ended
  // by a NUL, and a second NUL at the end (UTF-16).
  const std::u16string description = std::u16string(u"Kelvaro") + u'\0' + u"Znak firmy" + u'\0' + u'\0';
  const std::uint32_t headerSize = 88 + static_cast<std::uint32_t>(description.size() * 2 + 3) / 4 * 4;
  ByteWriter out;
  out.u32(1);
  out.u32(headerSize);
  out.s32(0);
  out.s32(0);
  out.s32(width - 1);
  out.s32(height - 1);
  // The frame in 0.01 mm at 96 pixels per inch.
  out.s32(0);
  out.s32(0);
  out.s32((width * 2540) / 96);
  out.s32((height * 2540) / 96);
  out.u32(0x464D4520);
  out.u32(0x10000);
  out.u32(static_cast<std::uint32_t>(headerSize + records.size()));
  out.u32(count);
  out.u16(2);
  out.u16(0);
  out.u32(static_cast<std::uint32_t>(description.size()));
  out.u32(88);
  out.u32(0);
  out.s32(1024);
  out.s32(768);
  out.s32(320);
  out.s32(240);
  for (char16_t c : description) out.u16(c);
  out.padTo(4);
  out.append(records.bytes());
  return out.take();
}

}  // namespace kelvaro::sandbox
