#include "platform/formats/ani_reader.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/formats/format_error.h"
#include "platform/formats/ico_reader.h"

namespace kelvaro::formats {
namespace {

constexpr std::uint32_t kAniFlagIcon = 0x1;  // frames are icon or cursor files
constexpr std::size_t kAnihSize = 36;

struct Chunk {
  std::string id;
  ByteView data;
};

// The chunks of a RIFF body, each padded to an even length. A last chunk
// whose size runs past the end keeps what is there.
std::vector<Chunk> chunksOf(const ByteView& body) {
  std::vector<Chunk> chunks;
  std::size_t offset = 0;
  while (offset + 8 <= body.size()) {
    Chunk c;
    c.id = std::string(reinterpret_cast<const char*>(body.bytes().data() + offset), 4);
    const std::uint32_t size = body.u32(offset + 4);
    const std::size_t available = body.size() - offset - 8;
    const std::size_t length = size <= available ? size : available;
    c.data = body.sub(offset + 8, length);
    chunks.push_back(c);
    offset += 8 + length + (length % 2);
  }
  return chunks;
}

std::optional<ByteView> find(const std::vector<Chunk>& chunks, std::string_view id) {
  for (const Chunk& c : chunks) {
    if (c.id == id) return c.data;
  }
  return std::nullopt;
}

std::optional<ByteView> findList(const std::vector<Chunk>& chunks, std::string_view type) {
  for (const Chunk& c : chunks) {
    if (c.id == "LIST" && c.data.startsWith(0, type)) return c.data.from(4);
  }
  return std::nullopt;
}

int jiffiesToMs(std::uint32_t jiffies) {
  const std::uint64_t ms = static_cast<std::uint64_t>(jiffies) * 1000 / 60;
  return ms > 3600000 ? 3600000 : static_cast<int>(ms);
}

}  // namespace

AnimatedCursor AniReader::read(const ByteView& data) {
  if (!looksLikeAni(data)) throw FormatError("not an animated cursor");
  const std::uint32_t riffSize = data.u32(4);
  const std::size_t bodyEnd =
      riffSize >= 4 && riffSize - 4 <= data.size() - 12 ? 12 + (riffSize - 4) : data.size();
  const std::vector<Chunk> chunks = chunksOf(data.sub(12, bodyEnd - 12));

  const std::optional<ByteView> anih = find(chunks, "anih");
  if (!anih || anih->size() < kAnihSize) throw FormatError("animated cursor without its anih header");
  const std::uint32_t frameCount = anih->u32(4);
  std::uint32_t stepCount = anih->u32(8);
  const std::uint32_t defaultRate = anih->u32(28);
  const std::uint32_t flags = anih->u32(32);
  if (frameCount == 0 || frameCount > kMaxFrames)
    throw FormatError("animated cursor with an impossible frame count");
  if (stepCount == 0) stepCount = frameCount;
  if (stepCount > kMaxSteps) throw FormatError("animated cursor with an impossible step count");
  if ((flags & kAniFlagIcon) == 0)
    throw FormatError("animated cursor with raw bitmap frames is not supported");

  AnimatedCursor cursor;
  cursor.width = static_cast<int>(anih->u32(12) & 0xFFFF);
  cursor.height = static_cast<int>(anih->u32(16) & 0xFFFF);

  const std::optional<ByteView> frames = findList(chunks, "fram");
  if (!frames) throw FormatError("animated cursor without frames");
  for (const Chunk& c : chunksOf(*frames)) {
    if (c.id != "icon") continue;
    if (cursor.frames.size() == frameCount) break;
    const IconFile icon = IcoReader::read(c.data);
    cursor.frames.push_back(IcoReader::best(icon, 32));
  }
  if (cursor.frames.size() != frameCount)
    throw FormatError("animated cursor has fewer frames than its header says");

  const std::optional<ByteView> seq = find(chunks, "seq ");
  const std::optional<ByteView> rate = find(chunks, "rate");
  if (seq && seq->size() < stepCount * 4) throw FormatError("animated cursor sequence cut short");
  if (!seq && stepCount > frameCount)
    throw FormatError("animated cursor with more steps than frames and no sequence");
  const bool useRates = rate && rate->size() >= stepCount * 4;
  for (std::uint32_t i = 0; i < stepCount; ++i) {
    AnimatedCursor::Step step;
    const std::uint32_t frame = seq ? seq->u32(4 * i) : i;
    if (frame >= frameCount)
      throw FormatError("animated cursor sequence names frame " + std::to_string(frame));
    step.frame = static_cast<int>(frame);
    step.durationMs = jiffiesToMs(useRates ? rate->u32(4 * i) : defaultRate);
    cursor.steps.push_back(step);
  }
  return cursor;
}

}  // namespace kelvaro::formats
