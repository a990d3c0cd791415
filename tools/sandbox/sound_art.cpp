#include "tools/sandbox/sound_art.h"

#include <algorithm>
#include <cmath>

namespace kelvaro::sandbox {

const std::vector<SoundRecipe>& eventSounds() {
  // One sound per event of the sound page, named as the registry names them.
  static const std::vector<SoundRecipe> sounds = {
      {"dzwiek.wav", {880, 1174.7}, 0.12, 0.0, 2},
      {"blad.wav", {220, 185, 155.6}, 0.18, 0.0, 1},
      {"zamkniecie.wav", {784, 523.3}, 0.08, 0.0, 0},
      {"kosz.wav", {1200, 300}, 0.35, 0.0, 3},
      {"maksymalizacja.wav", {523.3, 659.3, 784}, 0.05, 0.0, 0},
      {"polecenie.wav", {1568}, 0.03, 0.0, 0},
      {"menu.wav", {1318.5, 1568}, 0.03, 0.0, 0},
      {"minimalizacja.wav", {784, 659.3, 523.3}, 0.05, 0.0, 0},
      {"otwarcie.wav", {523.3, 784}, 0.08, 0.0, 0},
      {"przywrocenie w dol.wav", {659.3, 587.3}, 0.06, 0.0, 0},
      {"przywrocenie w gore.wav", {587.3, 659.3}, 0.06, 0.0, 0},
      {"gwiazdka.wav", {1046.5, 1318.5, 1568, 2093}, 0.3, 0.85, 2},
      {"wykrzyknik.wav", {698.5, 880}, 0.2, 0.0, 2},
      {"zakonczenie.wav", {784, 659.3, 523.3, 392}, 0.3, 0.25, 2},
      {"stop.wav", {196, 207.7, 196}, 0.2, 0.0, 1},
      {"pytanie.wav", {659.3, 880}, 0.18, 0.0, 2},
      {"uruchomienie.wav", {392, 523.3, 659.3, 784, 1046.5}, 0.35, 0.4, 2},
  };
  return sounds;
}

std::vector<std::int16_t> synthesise(const SoundRecipe& r) {
  const double step = r.noteSeconds * (1.0 - r.overlap);
  const double total = step * (r.notes.size() - 1) + r.noteSeconds * (r.timbre == 2 ? 2.5 : 1.0);
  const std::size_t count = static_cast<std::size_t>(total * kSoundRate) + 1;
  std::vector<double> mixdown(count, 0.0);
  std::uint32_t noise = 12345;
  for (std::size_t n = 0; n < r.notes.size(); ++n) {
    const double start = n * step;
    const double length = r.noteSeconds * (r.timbre == 2 ? 2.5 : 1.0);
    const std::size_t first = static_cast<std::size_t>(start * kSoundRate);
    const std::size_t samples = static_cast<std::size_t>(length * kSoundRate);
    for (std::size_t i = 0; i < samples && first + i < count; ++i) {
      const double t = static_cast<double>(i) / kSoundRate;
      const double attack = std::min(1.0, t / 0.005);
      const double release = std::min(1.0, (length - t) / 0.02);
      const double decay = r.timbre == 2 ? std::exp(-3.0 * t / length) : 1.0;
      const double f = r.notes[n];
      double v = 0;
      switch (r.timbre) {
        case 0:
          v = std::sin(2 * M_PI * f * t);
          break;
        case 1:
          v = std::tanh(3 * std::sin(2 * M_PI * f * t)) * 0.7;
          break;
        case 2:
          v = std::sin(2 * M_PI * f * t) + 0.4 * std::sin(2 * M_PI * f * 2.76 * t) * std::exp(-8 * t);
          break;
        default: {
          noise = noise * 1103515245u + 12345u;
          const double white = ((noise >> 16) & 0x7FFF) / 16384.0 - 1.0;
          const double sweep = f + (r.notes.back() - f) * t / length;
          v = 0.5 * white * std::sin(2 * M_PI * sweep * t);
        }
      }
      mixdown[first + i] += v * attack * release * decay;
    }
  }
  double peak = 0;
  for (double v : mixdown) peak = std::max(peak, std::abs(v));
  std::vector<std::int16_t> out(count);
  for (std::size_t i = 0; i < count; ++i)
    out[i] = static_cast<std::int16_t>(peak > 0 ? std::lround(mixdown[i] / peak * 22000) : 0);
  return out;
}

}  // namespace kelvaro::sandbox
