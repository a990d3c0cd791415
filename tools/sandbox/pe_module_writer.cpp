#include "tools/sandbox/pe_module_writer.h"

#include <algorithm>
#include <stdexcept>

#include "tools/sandbox/byte_writer.h"

namespace kelvaro::sandbox {

namespace {

constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kRtIcon = 3;
constexpr std::uint32_t kRtGroupIcon = 14;
constexpr std::uint32_t kPolish = 0x0415;
// A fixed time stamp keeps the output the same on every build.
constexpr std::uint32_t kTimeStamp = 0x36E1F2C0;

std::uint32_t alignUp(std::uint32_t v, std::uint32_t a) { return (v + a - 1) / a * a; }

struct Leaf {
  std::uint32_t type;
  std::uint32_t id;
  std::vector<std::uint8_t> data;
};

// The .rsrc section for a section placed at sectionRva.
std::vector<std::uint8_t> resourceSection(const std::vector<Leaf>& leaves, std::uint32_t sectionRva) {
  std::vector<std::uint32_t> types;
  for (const Leaf& l : leaves)
    if (std::find(types.begin(), types.end(), l.type) == types.end()) types.push_back(l.type);
  std::sort(types.begin(), types.end());

  // Layout: root table, one table per type, one language table per leaf,
  // the data entries, then the data.
  const std::uint32_t rootSize = 16 + 8 * static_cast<std::uint32_t>(types.size());
  std::vector<std::uint32_t> typeTableOffset;
  std::uint32_t offset = rootSize;
  for (std::uint32_t type : types) {
    typeTableOffset.push_back(offset);
    const auto count =
        std::count_if(leaves.begin(), leaves.end(), [&](const Leaf& l) { return l.type == type; });
    offset += 16 + 8 * static_cast<std::uint32_t>(count);
  }
  // Leaves in the order the tables list them: by type, then by id.
  std::vector<const Leaf*> ordered;
  for (std::uint32_t type : types) {
    std::vector<const Leaf*> ofType;
    for (const Leaf& l : leaves)
      if (l.type == type) ofType.push_back(&l);
    std::sort(ofType.begin(), ofType.end(), [](const Leaf* a, const Leaf* b) { return a->id < b->id; });
    for (std::size_t i = 1; i < ofType.size(); ++i)
      if (ofType[i]->id == ofType[i - 1]->id) throw std::logic_error("two resources with one id");
    ordered.insert(ordered.end(), ofType.begin(), ofType.end());
  }
  const std::uint32_t languageTables = offset;
  const std::uint32_t dataEntries = languageTables + 24 * static_cast<std::uint32_t>(ordered.size());
  std::uint32_t dataOffset = dataEntries + 16 * static_cast<std::uint32_t>(ordered.size());
  std::vector<std::uint32_t> leafData;
  for (const Leaf* l : ordered) {
    dataOffset = alignUp(dataOffset, 8);
    leafData.push_back(dataOffset);
    dataOffset += static_cast<std::uint32_t>(l->data.size());
  }

  ByteWriter w;
  auto table = [&](std::size_t idEntries) {
    w.u32(0);
    w.u32(0);
    w.u16(0);
    w.u16(0);
    w.u16(0);
    w.u16(static_cast<std::uint32_t>(idEntries));
  };
  table(types.size());
  for (std::size_t t = 0; t < types.size(); ++t) {
    w.u32(types[t]);
    w.u32(0x80000000u | typeTableOffset[t]);
  }
  std::size_t leafIndex = 0;
  for (std::uint32_t type : types) {
    std::size_t first = leafIndex;
    while (leafIndex < ordered.size() && ordered[leafIndex]->type == type) ++leafIndex;
    table(leafIndex - first);
    for (std::size_t i = first; i < leafIndex; ++i) {
      w.u32(ordered[i]->id);
      w.u32(0x80000000u | (languageTables + 24 * static_cast<std::uint32_t>(i)));
    }
  }
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    table(1);
    w.u32(kPolish);
    w.u32(dataEntries + 16 * static_cast<std::uint32_t>(i));
  }
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    w.u32(sectionRva + leafData[i]);
    w.u32(static_cast<std::uint32_t>(ordered[i]->data.size()));
    w.u32(0);
    w.u32(0);
  }
  for (std::size_t i = 0; i < ordered.size(); ++i) {
    w.padTo(8);
    w.append(ordered[i]->data);
  }
  return w.take();
}

}  // namespace

std::vector<std::uint8_t> writePeModule(ModuleKind kind, const std::vector<IconGroupData>& groups) {
  // Icon images get ids 1, 2, ... in group order.
  std::vector<Leaf> leaves;
  std::uint32_t nextIcon = 1;
  for (const IconGroupData& g : groups) {
    ByteWriter dir;
    dir.u16(0);
    dir.u16(1);
    dir.u16(static_cast<std::uint32_t>(g.images.size()));
    for (const IconImageData& image : g.images) {
      const int colours = image.bitCount >= 8 ? 0 : 1 << image.bitCount;
      dir.u8(image.width >= 256 ? 0 : image.width);
      dir.u8(image.height >= 256 ? 0 : image.height);
      dir.u8(colours);
      dir.u8(0);
      dir.u16(1);
      dir.u16(image.bitCount);
      dir.u32(static_cast<std::uint32_t>(image.dib.size()));
      dir.u16(nextIcon);
      leaves.push_back({kRtIcon, nextIcon, image.dib});
      ++nextIcon;
    }
    leaves.push_back({kRtGroupIcon, g.id, dir.take()});
  }

  const bool program = kind == ModuleKind::Program;
  const std::uint32_t sectionCount = program ? 2 : 1;
  const std::uint32_t headersSize = alignUp(0x40 + 4 + 20 + 224 + 40 * sectionCount, kFileAlignment);
  // xor eax, eax; ret 4 would be WinMain's; the process entry takes no arguments.
  const std::vector<std::uint8_t> code = {0x31, 0xC0, 0xC3};
  const std::uint32_t textRva = kSectionAlignment;
  const std::uint32_t textRaw =
      program ? alignUp(static_cast<std::uint32_t>(code.size()), kFileAlignment) : 0;
  const std::uint32_t rsrcRva = program ? textRva + kSectionAlignment : kSectionAlignment;
  const std::vector<std::uint8_t> rsrc = resourceSection(leaves, rsrcRva);
  const std::uint32_t rsrcRaw = alignUp(static_cast<std::uint32_t>(rsrc.size()), kFileAlignment);
  const std::uint32_t imageSize =
      alignUp(rsrcRva + static_cast<std::uint32_t>(rsrc.size()), kSectionAlignment);

  ByteWriter w;
  // DOS header: only the signature and e_lfanew matter.
  w.ascii("MZ");
  w.u16(0x90);
  w.u16(3);
  w.u16(0);
  w.u16(4);
  w.u16(0);
  w.u16(0xFFFF);
  w.u16(0);
  w.u16(0xB8);
  w.zeros(0x3C - w.size());
  w.u32(0x40);
  // COFF header.
  w.ascii(std::string_view("PE\0\0", 4));
  w.u16(0x014C);
  w.u16(sectionCount);
  w.u32(kTimeStamp);
  w.u32(0);
  w.u32(0);
  w.u16(224);
  // Executable, no relocations, 32-bit, no line numbers or symbols; a DLL flag for libraries.
  w.u16(0x010F | (program ? 0 : 0x2000));
  // Optional header.
  w.u16(0x010B);
  w.u8(6);
  w.u8(0);
  w.u32(textRaw);
  w.u32(rsrcRaw);
  w.u32(0);
  w.u32(program ? textRva : 0);
  w.u32(program ? textRva : 0);
  w.u32(rsrcRva);
  w.u32(program ? 0x00400000 : 0x10000000);
  w.u32(kSectionAlignment);
  w.u32(kFileAlignment);
  w.u16(4);
  w.u16(0);
  w.u16(0);
  w.u16(0);
  w.u16(4);
  w.u16(0);
  w.u32(0);
  w.u32(imageSize);
  w.u32(headersSize);
  w.u32(0);
  w.u16(2);  // Windows GUI
  w.u16(0);
  w.u32(0x100000);
  w.u32(0x1000);
  w.u32(0x100000);
  w.u32(0x1000);
  w.u32(0);
  w.u32(16);
  for (int d = 0; d < 16; ++d) {
    if (d == 2) {
      w.u32(rsrcRva);
      w.u32(static_cast<std::uint32_t>(rsrc.size()));
    } else {
      w.u32(0);
      w.u32(0);
    }
  }
  // Section table.
  std::uint32_t raw = headersSize;
  auto section = [&](std::string_view name, std::uint32_t virtualSize, std::uint32_t rva,
                     std::uint32_t rawSize, std::uint32_t characteristics) {
    std::string padded(name);
    padded.resize(8, '\0');
    w.ascii(padded);
    w.u32(virtualSize);
    w.u32(rva);
    w.u32(rawSize);
    w.u32(raw);
    w.u32(0);
    w.u32(0);
    w.u16(0);
    w.u16(0);
    w.u32(characteristics);
    raw += rawSize;
  };
  if (program) section(".text", static_cast<std::uint32_t>(code.size()), textRva, textRaw, 0x60000020);
  section(".rsrc", static_cast<std::uint32_t>(rsrc.size()), rsrcRva, rsrcRaw, 0x40000040);
  w.padTo(kFileAlignment);
  if (program) {
    w.append(code);
    w.padTo(kFileAlignment);
  }
  w.append(rsrc);
  w.padTo(kFileAlignment);
  return w.take();
}

}  // namespace kelvaro::sandbox
