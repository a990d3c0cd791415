#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace kelvaro::sandbox {

// A short sound of our own, synthesised from a small recipe (notes with
// an envelope and a timbre), 22050 samples per second.
struct SoundRecipe {
  QString file;               // the name in C:\WINDOWS\MEDIA
  std::vector<double> notes;  // frequencies in Hz, played one after another
  double noteSeconds = 0.15;  // length of one note
  double overlap = 0.0;       // 0: one after another; 1: all at once (a chord)
  int timbre = 0;             // 0 sine, 1 soft square, 2 bell, 3 noise sweep
};

constexpr int kSoundRate = 22050;

const std::vector<SoundRecipe>& eventSounds();
std::vector<std::int16_t> synthesise(const SoundRecipe& recipe);

}  // namespace kelvaro::sandbox
