// The sound page's rules apart from its widgets: the volume levels and their
// label, what the player panel shows of a file, the duration text and the
// order a scheme is saved in.
#include <gtest/gtest.h>

#include <array>

#include "pages/appearance/sound_scheme.h"

namespace kelvaro {
namespace {

TEST(SoundSchemeTest, VolumeLabelIsThePositionTimesFourAndAHalfRounded) {
  const std::array<std::pair<int, const char*>, 6> cases{
      {{0, "0%"}, {1, "5%"}, {11, "50%"}, {12, "55%"}, {21, "95%"}, {22, "100%"}}};
  for (const auto& [position, text] : cases) EXPECT_EQ(volumePercentText(position), text) << position;
}

TEST(SoundSchemeTest, ThePlayerPanelShowsTheNameWithoutItsLastFourCharactersAndTheTypeWithoutTheDot) {
  struct Case {
    const char* path;
    const char* name;
    const char* type;
    bool accepted;
  };
  const Case cases[] = {
      {"C:\\WINDOWS\\MEDIA\\przywrocenie w dol.wav", "przywrocenie w dol", "wav", true},
      {"C:\\Muzyka\\utwor.Mp3", "utwor", "Mp3", true},
      {"D:\\a.mp3", "a", "mp3", true},
      {"C:\\x.WAV", "x", "WAV", true},
      {"C:\\dzwieki\\dzwiek.ogg", "dzwiek", "ogg", false},
      {"C:\\dzwieki\\bez rozszerzenia", "bez rozszerzenia", "", false},
      {"C:\\a.wa", "a", "wa", false},
      {"C:\\wav.\\plik.wave", "plik.", "wave", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(shownSoundName(c.path), c.name) << c.path;
    EXPECT_EQ(shownSoundType(c.path), c.type) << c.path;
    EXPECT_EQ(acceptedSoundFile(c.path), c.accepted) << c.path;
  }
  EXPECT_EQ(soundExtension("C:\\a\\b.Mp3"), ".Mp3");
}

TEST(SoundSchemeTest, DurationTextCountsFramesOfTenMillisecondsAndGroupsTheSize) {
  EXPECT_EQ(soundFrameCount(83'509), 8350);
  EXPECT_EQ(soundDurationText(83'500, 1'234'567, " "), "1:23s (rozmiar pliku : 1 234 567 bajtów)");
  EXPECT_EQ(soundDurationText(5'000, 999, " "), "0:05s (rozmiar pliku : 999 bajtów)");
  EXPECT_EQ(soundDurationText(0, 0, "."), "0:00s (rozmiar pliku : 0 bajtów)");
  EXPECT_EQ(soundDurationText(60'000, 1000, "."), "1:00s (rozmiar pliku : 1.000 bajtów)");
  // 119.503 seconds round up to a whole minute, which carries.
  EXPECT_EQ(soundDurationText(119'750, 0, " "), "2:00s (rozmiar pliku : 0 bajtów)");
}

TEST(SoundSchemeTest, ASchemeIsSavedNameFirstThenEachEventsCurrentSoundAndItsCopy) {
  std::array<std::string, kSoundEventCount> paths;
  paths[0] = "C:\\WINDOWS\\MEDIA\\dzwiek.wav";
  paths[3] = "C:\\kosz.wav";
  const std::vector<SchemeWrite> writes = schemeWrites("Moj", paths);
  ASSERT_EQ(writes.size(), 1 + 2 * kSoundEventCount);
  EXPECT_EQ(writes[0], (SchemeWrite{"AppEvents\\Schemes\\Names\\Moj", "Moj - schemat dźwiękowy"}));
  EXPECT_EQ(writes[1], (SchemeWrite{"AppEvents\\Schemes\\Apps\\.Default\\.Default\\.Current", paths[0]}));
  EXPECT_EQ(writes[2], (SchemeWrite{"AppEvents\\Schemes\\Apps\\.Default\\.Default\\Moj", paths[0]}));
  EXPECT_EQ(writes[3], (SchemeWrite{"AppEvents\\Schemes\\Apps\\.Default\\AppGPFault\\.Current", ""}));
  EXPECT_EQ(writes[7],
            (SchemeWrite{"AppEvents\\Schemes\\Apps\\Explorer\\EmptyRecycleBin\\.Current", paths[3]}));
  const char* order[] = {".Default\\.Default",          ".Default\\AppGPFault", ".Default\\Close",
                         "Explorer\\EmptyRecycleBin",   ".Default\\Maximize",   ".Default\\MenuCommand",
                         ".Default\\MenuPopup",         ".Default\\Minimize",   ".Default\\Open",
                         ".Default\\RestoreDown",       ".Default\\RestoreUp",  ".Default\\SystemAsterisk",
                         ".Default\\SystemExclamation", ".Default\\SystemExit", ".Default\\SystemHand",
                         ".Default\\SystemQuestion",    ".Default\\SystemStart"};
  for (std::size_t i = 0; i < kSoundEventCount; ++i) {
    EXPECT_EQ(writes[1 + 2 * i + 1].key, std::string("AppEvents\\Schemes\\Apps\\") + order[i] + "\\Moj");
  }
}

TEST(SoundSchemeTest, SliderPositionsCountFromTheBottomOfTheList) {
  EXPECT_EQ(kSoundEvents[soundEventIndex(17)].caption, std::string("Domyślny dźwięk"));
  EXPECT_EQ(kSoundEvents[soundEventIndex(1)].caption, std::string("Uruchomienie Windows"));
  EXPECT_EQ(kSoundEvents[soundEventIndex(14)].key, std::string("Explorer\\EmptyRecycleBin"));
}

}  // namespace
}  // namespace kelvaro
