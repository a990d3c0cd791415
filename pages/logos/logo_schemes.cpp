#include "pages/logos/logo_schemes.h"

namespace kelvaro {
namespace {

// Most schemes name their files after themselves (stem + "Logo.bmp",
// "Logow.bmp", "Logos.bmp"); the others are written out as they are on disk,
// several sharing one switch-off picture.
constexpr std::array<LogoScheme, 49> kSchemes{{
    {kNoLogoScheme, {nullptr, nullptr, nullptr}},
    {"AMD", {"AMDLogo.bmp", "AMDLogow.bmp", "AMDLogos.bmp"}},
    {"Angel", {"AngelsLogo.bmp", "AngelsLogow.bmp", "AngelsLogos.bmp"}},
    {"Armagedon", {"ArmagedonLogo.bmp", "ArmagedonLogow.bmp", "ArmagedonLogos.bmp"}},
    {"BattleStar", {"BattleStarLogo.bmp", "BattleStarLogow.bmp", "BattleStarLogos.bmp"}},
    {"Borg", {"BorgLogo.bmp", "BorgLogow.bmp", "BorgLogos.bmp"}},
    {"Cloud", {"CloudLogo.bmp", "CloudLogow.bmp", "CloudLogos.bmp"}},
    {"Cool", {"CoolLogo.bmp", "CoolLogow.bmp", "CoolLogos.bmp"}},
    {"Crazy98", {"Crazy98Logo.bmp", "Crazy98Logow.bmp", "Crazy98Logos.bmp"}},
    {"CresentMoon", {"CresentMoonLogo.bmp", "CresentMoonLogoW.bmp", "CresentMoonLogoS.bmp"}},
    {"Dead", {"DeadLogo.bmp", "DeadLogow.bmp", "DeadLogos.bmp"}},
    {"Digital Blasphemy", {"DigitalBLogo.bmp", "DigitalBLogow.bmp", "WinLogos.bmp"}},
    {"Einstein1", {"Einstein1Logo.bmp", "Einstein1Logow.bmp", "Einstein1Logos.bmp"}},
    {"Einstein2", {"Einstein2Logo.bmp", "Einstein2Logow.bmp", "Einstein2Logos.bmp"}},
    {"Flinstones", {"FlinstonesLogo.bmp", "FlinstonesLogow.bmp", "FlinstonesLogos.bmp"}},
    {"Galactica", {"GalacticaLogo.bmp", "GalacticaLogow.bmp", "GalacticaLogos.bmp"}},
    {"Gladiator", {"GladiatorLogo.bmp", "GladiatorLogow.bmp", "GladiatorLogos.bmp"}},
    {"Horror", {"HorrorLogo.bmp", "HorrorLogoW.bmp", "HorrorLogoS.bmp"}},
    {"Jordan", {"JordanLogo.bmp", "JordanLogoW.bmp", "WinLogoS.bmp"}},
    {"Kubuś Puchatek", {"KubusLogo.bmp", "KubusLogow.bmp", "KubusLogos.bmp"}},
    {"Last In Space", {"LastInSpaceLogo.bmp", "LastInSpaceLogow.bmp", "LastInSpaceLogos.bmp"}},
    {"Linux", {"LinuxLogo.bmp", "LinuxLogow.bmp", "WinLogos.bmp"}},
    {"Matrix", {"MatrixLogo.bmp", "MatrixLogow.bmp", "MatrixLogos.bmp"}},
    {"Morze", {"MorzeLogo.bmp", "MorzeLogow.bmp", "MorzeLogos.bmp"}},
    {"Okocim Zagłoba", {"ZagłobaLogo.bmp", "ZagłobaLogow.bmp", "OkocimLogos.bmp"}},
    {"Okocim1", {"Okocim1Logo.bmp", "Okocim1Logow.bmp", "Okocim1Logos.bmp"}},
    {"Okocim2", {"Okocim2Logo.bmp", "Okocim2Logow.bmp", "OkocimLogos.bmp"}},
    {"Piąty element", {"fifthLogo.bmp", "fifthLogow.bmp", "fifthLogos.bmp"}},
    {"Quake", {"QuakeLogo.bmp", "QuakeLogow.bmp", "QuakeLogos.bmp"}},
    {"Render", {"RenderLogo.bmp", "RenderLogow.bmp", "RenderLogos.bmp"}},
    {"Sepultura", {"SepulturaLogo.bmp", "SepulturaLogoW.bmp", "SepulturaLogoS.bmp"}},
    {"Space", {"SpaceLogo.bmp", "SpaceLogow.bmp", "SpaceLogos.bmp"}},
    {"Spawn", {"SpawnLogo.bmp", "SpawnLogow.bmp", "SpawnLogos.bmp"}},
    {"StarWar", {"StarWarLogo.bmp", "StarWarLogow.bmp", "StarWarLogos.bmp"}},
    {"Tomb Rider", {"trLogo.bmp", "trLogow.bmp", "trLogos.bmp"}},
    {"TuCows", {"TuCowsLogo.bmp", "TuCowsLogow.bmp", "TuCowsLogos.bmp"}},
    {"Tygrysek", {"TygrysLogo.bmp", "TygrysLogow.bmp", "TygrysLogos.bmp"}},
    {"Ulica Sezamkowa", {"sesameLogo.bmp", "sesameLogow.bmp", "sesameLogos.bmp"}},
    {"Unicorn", {"UnicorLogo.bmp", "UnicorLogow.bmp", "UnicorLogos.bmp"}},
    {"Wilk", {"WilkLogo.bmp", "WilkLogow.bmp", "WilkLogos.bmp"}},
    {"Wilk2", {"Wolf2Logo.bmp", "Wolf2LogoW.bmp", "Wolf2LogoS.bmp"}},
    {"Win Millenium", {"wmLogo.bmp", "wmLogow.bmp", "wmLogos.bmp"}},
    {"Win95", {"Win95Logo.bmp", "Win95Logow.bmp", "WinLogos.bmp"}},
    {"Win95 PLUS!", {"Win95PlusLogo.bmp", "Win95Logow.bmp", "WinLogos.bmp"}},
    {"Win98", {"Win98Logo.bmp", "Win98Logow.bmp", "WinLogos.bmp"}},
    {"Win98 PLUS!", {"Win98PlusLogo.bmp", "Win98Logow.bmp", "WinLogos.bmp"}},
    {"Winders", {"WindersLogo.bmp", "WindersLogow.bmp", "WinLogos.bmp"}},
    {"WingCmd", {"wcLogo.bmp", "wcLogow.bmp", "wcLogos.bmp"}},
    {"XFiles", {"XfilesLogo.bmp", "XfilesLogoW.bmp", "XfilesLogoS.bmp"}},
}};

}  // namespace

const std::array<LogoScheme, 49>& logoSchemes() { return kSchemes; }

std::optional<LogoScheme> findLogoScheme(std::string_view name) {
  for (const LogoScheme& scheme : kSchemes) {
    if (name == scheme.name) return scheme;
  }
  return std::nullopt;
}

const char* logoSchemeFolder(LogoSlot slot) {
  switch (slot) {
    case LogoSlot::Start:
      return "Logo\\logowin";
    case LogoSlot::ShutDown:
      return "Logo\\logow";
    case LogoSlot::SwitchOff:
      return "Logo\\logos";
  }
  return "";
}

}  // namespace kelvaro
