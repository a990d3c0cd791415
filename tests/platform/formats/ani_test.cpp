#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "format_fixtures.h"
#include "platform/formats/ani_reader.h"
#include "platform/formats/format_error.h"

namespace kelvaro::testing {
namespace {

using formats::AnimatedCursor;
using formats::AniReader;
using formats::ByteView;
using formats::FormatError;

constexpr QRgb kColours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};

std::vector<Bytes> threeFrames() {
  std::vector<Bytes> frames;
  for (QRgb c : kColours) {
    IconEntry e = solidIcon(32, c);
    e.hotspotX = 3;
    frames.push_back(icoFile({e}, true));
  }
  return frames;
}

std::vector<std::pair<QRgb, int>> stepsOf(const AnimatedCursor& ani) {
  std::vector<std::pair<QRgb, int>> out;
  for (const AnimatedCursor::Step& s : ani.steps) {
    out.emplace_back(ani.frames.at(static_cast<std::size_t>(s.frame)).image.pixel(1, 1), s.durationMs);
  }
  return out;
}

TEST(AniReader, FollowsSequenceAndRates) {
  AniFixture fixture{
      .frames = threeFrames(), .stepCount = 4, .rates = {6, 12, 30, 60}, .sequence = {0, 2, 1, 2}};
  for (bool ratesFirst : {false, true}) {
    SCOPED_TRACE(ratesFirst);
    fixture.ratesBeforeHeader = ratesFirst;
    const AnimatedCursor ani = AniReader::read(ByteView(aniFile(fixture)));
    ASSERT_EQ(ani.frames.size(), 3u);
    const std::vector<std::pair<QRgb, int>> expected = {
        {kColours[0], 100}, {kColours[2], 200}, {kColours[1], 500}, {kColours[2], 1000}};
    EXPECT_EQ(stepsOf(ani), expected);
    EXPECT_EQ(ani.frames[0].hotspot, QPoint(3, 0));
  }
}

TEST(AniReader, WithoutSequenceOrRatesShowsEachFrameAtTheHeaderRate) {
  const AnimatedCursor ani = AniReader::read(ByteView(aniFile({.frames = threeFrames(), .displayRate = 3})));
  const std::vector<std::pair<QRgb, int>> expected = {
      {kColours[0], 50}, {kColours[1], 50}, {kColours[2], 50}};
  EXPECT_EQ(stepsOf(ani), expected);
}

TEST(AniReader, CorruptionsGiveAnError) {
  const AniFixture good{
      .frames = threeFrames(), .stepCount = 4, .rates = {6, 12, 30, 60}, .sequence = {0, 2, 1, 2}};
  ASSERT_NO_THROW(AniReader::read(ByteView(aniFile(good))));
  struct Case {
    std::string name;
    std::function<void(AniFixture&)> fixture;
    std::function<void(Bytes&)> bytes;
    bool reads;
  };
  auto none = [](Bytes&) {};
  auto same = [](AniFixture&) {};
  const std::vector<Case> cases = {
      {"sequence names frame 5", [](AniFixture& s) { s.sequence[1] = 5; }, none, false},
      {"more frames announced than stored", [](AniFixture& s) { s.frameCount = 4; }, none, false},
      {"an impossible frame count", [](AniFixture& s) { s.frameCount = 5000; }, none, false},
      {"frames that are raw bitmaps", [](AniFixture& s) { s.flags = 0; }, none, false},
      {"sequence shorter than the steps", [](AniFixture& s) { s.stepCount = 6; }, none, false},
      {"rates shorter than the steps: the header rate", [](AniFixture& s) { s.rates.pop_back(); }, none,
       true},
      {"not RIFF", same, [](Bytes& b) { b[0] = 'X'; }, false},
      {"RIFF size past the end", same, [](Bytes& b) { putU32(b, 4, 0x7FFFFFFF); }, true},
      {"cut in the middle", same, [](Bytes& b) { b.resize(b.size() / 2); }, false},
      {"cut inside the header chunk", same, [](Bytes& b) { b.resize(50); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    AniFixture fixture = good;
    c.fixture(fixture);
    Bytes bytes = aniFile(fixture);
    c.bytes(bytes);
    if (c.reads) {
      EXPECT_NO_THROW(AniReader::read(ByteView(bytes)));
    } else {
      EXPECT_THROW(AniReader::read(ByteView(bytes)), FormatError);
    }
  }
}

}  // namespace
}  // namespace kelvaro::testing
