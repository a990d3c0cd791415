#include "pages/appearance/sound_scheme.h"

#include <QString>

#include <cmath>

namespace kelvaro {

const std::array<SoundEvent, kSoundEventCount> kSoundEvents{{
    {17, "Domyślny dźwięk", ".Default\\.Default"},
    {16, "Błąd programu", ".Default\\AppGPFault"},
    {15, "Zamknięcie programu", ".Default\\Close"},
    {14, "Opróżnienie kosza", "Explorer\\EmptyRecycleBin"},
    {13, "Maksymalizacja", ".Default\\Maximize"},
    {12, "Polecenie menu", ".Default\\MenuCommand"},
    {11, "Menu Podręczne", ".Default\\MenuPopup"},
    {10, "Minimalizacja", ".Default\\Minimize"},
    {9, "Otwarcie programu", ".Default\\Open"},
    {8, "Przywrócenie w dół", ".Default\\RestoreDown"},
    {7, "Przywrócenie w górę", ".Default\\RestoreUp"},
    {6, "Gwiazdka", ".Default\\SystemAsterisk"},
    {5, "Wykrzyknik", ".Default\\SystemExclamation"},
    {4, "Zakończenie Windows", ".Default\\SystemExit"},
    {3, "Zatrzymanie krytyczne", ".Default\\SystemHand"},
    {2, "Pytanie", ".Default\\SystemQuestion"},
    {1, "Uruchomienie Windows", ".Default\\SystemStart"},
}};

namespace {

constexpr std::array<std::uint16_t, 23> kVolumeLevels{
    0x0000, 0x1000, 0x2000, 0x3000, 0x4000, 0x5000, 0x6000, 0x7000, 0x8000, 0x9000, 0x9999, 0xA000,
    0xAAAA, 0xB000, 0xBBBB, 0xC000, 0xCCCC, 0xD000, 0xDDDD, 0xE000, 0xEEEE, 0xF999, 0xFFFF};

// The name after the last folder separator.
std::string_view fileName(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Where the extension's dot is in a file name, npos when it has none.
std::size_t extensionDot(std::string_view name) {
  const auto dot = name.rfind('.');
  return dot == std::string_view::npos || dot == 0 ? std::string_view::npos : dot;
}

std::string grouped(std::uint64_t number, std::string_view separator) {
  std::string digits = std::to_string(number);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace

std::size_t soundEventIndex(int sliderPosition) {
  return static_cast<std::size_t>(static_cast<int>(kSoundEventCount) - sliderPosition);
}

std::uint16_t volumeLevel(int sliderPosition) {
  return kVolumeLevels.at(static_cast<std::size_t>(sliderPosition));
}

std::string volumePercentText(int sliderPosition) {
  return std::to_string(std::lround(sliderPosition * 4.5454545454)) + "%";
}

std::string shownSoundName(std::string_view path) {
  const std::string_view name = fileName(path);
  const std::size_t dot = extensionDot(name);
  if (name.size() > 4 && dot != std::string_view::npos) return std::string(name.substr(0, name.size() - 4));
  return std::string(name.substr(0, dot));
}

std::string shownSoundType(std::string_view path) {
  const std::string extension = soundExtension(path);
  return extension.empty() ? std::string() : extension.substr(1);
}

std::string soundExtension(std::string_view path) {
  const std::string_view name = fileName(path);
  const std::size_t dot = extensionDot(name);
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

bool acceptedSoundFile(std::string_view path) {
  const std::string extension = soundExtension(path);
  const QString upper =
      QString::fromUtf8(extension.data(), static_cast<qsizetype>(extension.size())).toUpper();
  return upper == QLatin1String(".WAV") || upper == QLatin1String(".MP3");
}

std::int64_t soundFrameCount(std::int64_t lengthMs) { return lengthMs / 10; }

std::string soundDurationText(std::int64_t lengthMs, std::uint64_t fileSize,
                              std::string_view thousandsSeparator) {
  const double seconds = static_cast<double>(soundFrameCount(lengthMs)) / 100.2066;
  std::int64_t minutes = static_cast<std::int64_t>(seconds / 60);
  std::int64_t rest = std::llround(seconds) - 60 * minutes;
  // Rounding up to a whole minute carries into the minutes ("2:00s", not "1:60s").
  if (rest >= 60) {
    ++minutes;
    rest -= 60;
  }
  std::string text = std::to_string(minutes) + ":" + (rest < 10 ? "0" : "") + std::to_string(rest);
  return text + "s (rozmiar pliku : " + grouped(fileSize, thousandsSeparator) + " bajtów)";
}

std::vector<SchemeWrite> schemeWrites(std::string_view name,
                                      std::span<const std::string, kSoundEventCount> paths) {
  const std::string scheme(name);
  std::vector<SchemeWrite> writes;
  writes.push_back({std::string(kSoundSchemeNames) + "\\" + scheme, scheme + " - schemat dźwiękowy"});
  for (std::size_t i = 0; i < kSoundEvents.size(); ++i) {
    const std::string eventKey = std::string(kSoundApps) + "\\" + kSoundEvents[i].key;
    writes.push_back({eventKey + "\\.Current", paths[i]});
    writes.push_back({eventKey + "\\" + scheme, paths[i]});
  }
  return writes;
}

}  // namespace kelvaro
