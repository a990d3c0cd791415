#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

// The sound events of the sound page and the rules its player panel and its
// scheme save follow, apart from the widgets.

struct SoundEvent {
  int sliderPosition;  // 17 at the top of the list, 1 at the bottom
  const char* caption;
  const char* key;  // below kSoundApps
};

inline constexpr std::size_t kSoundEventCount = 17;
inline constexpr char kSoundSchemes[] = "AppEvents\\Schemes";
inline constexpr char kSoundApps[] = "AppEvents\\Schemes\\Apps";
inline constexpr char kSoundSchemeNames[] = "AppEvents\\Schemes\\Names";

// Top to bottom, which is also the order a scheme is saved in.
extern const std::array<SoundEvent, kSoundEventCount> kSoundEvents;

// The event at a slider position (1-17), as an index into kSoundEvents.
std::size_t soundEventIndex(int sliderPosition);

// The wave-out level per channel for a volume slider position (0-22).
std::uint16_t volumeLevel(int sliderPosition);
// The volume label after a change: the position times 4.5454545454, rounded,
// with "%".
std::string volumePercentText(int sliderPosition);

// What the player panel shows of a file: its name without the last four
// characters, and its extension without the dot. A name of four characters or
// fewer, or one without an extension, shows the name without its extension.
std::string shownSoundName(std::string_view path);
std::string shownSoundType(std::string_view path);
// The extension with its dot ("" when none), as the format check and the
// open-failure report use it.
std::string soundExtension(std::string_view path);
// Whether the chooser's file may be an event's sound: extension .WAV or .MP3
// in any case.
bool acceptedSoundFile(std::string_view path);

// The frame count the panel shows for a length in milliseconds.
std::int64_t soundFrameCount(std::int64_t lengthMs);
// "1:23s (rozmiar pliku : 12 345 bajtów)" for a length in milliseconds and a
// file size, the size grouped by thousands with the user's separator.
std::string soundDurationText(std::int64_t lengthMs, std::uint64_t fileSize,
                              std::string_view thousandsSeparator);

// One write of a scheme save: the default value of a key (below
// HKEY_CURRENT_USER, created when missing).
struct SchemeWrite {
  std::string key;
  std::string text;
  friend bool operator==(const SchemeWrite&, const SchemeWrite&) = default;
};
// The writes of saving scheme `name` with the events' paths (in kSoundEvents
// order), in the order they are made: the scheme's display name, then for
// each event its current sound and the scheme's copy of it.
std::vector<SchemeWrite> schemeWrites(std::string_view name,
                                      std::span<const std::string, kSoundEventCount> paths);

}  // namespace kelvaro
