#include "app/page_catalog.h"

#include <array>

namespace kelvaro {
namespace {

constexpr SubPageInfo kKursory[] = {{"TabSheet11", "Wskaźniki", nullptr},
                                    {"TabSheet12", "Ustawienia", nullptr}};
constexpr SubPageInfo kInternet[] = {{"TabSheet2", "Ogólne", nullptr},
                                     {"TabSheet3", "Menu", nullptr},
                                     {"TabSheet4", "Ustawienia", nullptr},
                                     {"TabSheet5", "Outlook Express", nullptr},
                                     {"TabSheet13", "Opcje internetowe", nullptr}};
constexpr SubPageInfo kMenuStart[] = {{"menustartikony", "Ikony", nullptr},
                                      {"menustartograniczenia", "Ograniczenia", nullptr},
                                      {"menustartustawienia", "Ustawienia", nullptr},
                                      {"TabSheet7", "Organizuj menu Start", "Organizuj Menu Start"}};
constexpr SubPageInfo kPulpit[] = {{"pulpitustawienia", "Ustawienia", nullptr},
                                   {"pulpitograniczenia", "Ograniczenia", nullptr},
                                   {"pulpitdesen", "Deseń", nullptr},
                                   {"pulpittapeta", "Tapeta", nullptr},
                                   {"pulpitwygaszaczekranu", "Wygaszacz", "Wygaszacz ekranu"},
                                   {"TabSheet8", "Organizuj", nullptr}};
constexpr SubPageInfo kSiec[] = {{"TabSheet1", "Nazwy i Adresy", nullptr},
                                 {"TabSheet6", "Ustawienia", nullptr}};
constexpr SubPageInfo kAutoRun[] = {{"HKLMrun", "HKLM \\ Run", nullptr},
                                    {"HKLMrunservices", "HKLM \\ Run Services", nullptr},
                                    {"HKLMrunonce", "HKLM \\ Run Once", nullptr},
                                    {"HKCUrun", "HKCU \\ Run", nullptr}};

constexpr std::array<PageInfo, 37> kPages{{
    {"kursory", "Kursor", nullptr, kKursory, "kursoryPages"},
    {"dzwieki", "Dźwięki", nullptr, {}, nullptr},
    {"kolory", "Kolory", nullptr, {}, nullptr},
    {"windows", "Windows", nullptr, {}, nullptr},
    {"ikony", "Ikony", nullptr, {}, nullptr},
    {"logo", "Logo", nullptr, {}, nullptr},
    {"OEM", "OEM", nullptr, {}, nullptr},
    {"ustawienia", "Wyczyść ...", nullptr, {}, nullptr},
    {"ograniczenia", "Panel Sterowania", nullptr, {}, nullptr},
    {"explorer2", "Eksplorator", nullptr, {}, nullptr},
    {"pliki", "Ikony plików", nullptr, {}, nullptr},
    {"internet", "Internet", nullptr, kInternet, "PageControl3"},
    {"menustart", "Menu Start", nullptr, kMenuStart, "menustartPages"},
    {"podpowiedzi", "Podpowiedzi", nullptr, {}, nullptr},
    {"skroty", "Skróty ...", "Skróty", {}, nullptr},
    {"pulpit", "Pulpit", nullptr, kPulpit, "pulpitPages"},
    {"czcionki", "Czcionki", nullptr, {}, nullptr},
    {"foldery", "Foldery", nullptr, {}, nullptr},
    {"triki", "Triki", nullptr, {}, nullptr},
    {"dodajusun", "Dodaj/Usuń", nullptr, {}, nullptr},
    {"Nazwy", "Nazwy", nullptr, {}, nullptr},
    {"Menu", "Otwórz z ...", nullptr, {}, nullptr},
    {"SendTo", "Wyślij do ...", nullptr, {}, nullptr},
    {"Doki", "Dokumenty", nullptr, {}, nullptr},
    {"Siec", "Sieć", nullptr, kSiec, "SiecPages"},
    {"AutoRUN", "AutoRUN", nullptr, kAutoRun, "PageControl2"},
    {"typyplikow", "Typy plików", nullptr, {}, nullptr},
    {"IkonyFolderow", "Ikony folderów", nullptr, {}, nullptr},
    {"SzybkieUruchamianie", "Szybkie urucham.", "Szybkie uruchamianie", {}, nullptr},
    {"UlubionePage2", "Ulubione", nullptr, {}, nullptr},
    {"menukontekstowe", "Menu kontekstowe", nullptr, {}, nullptr},
    {"UkryjFolder", "Ukryj folder", nullptr, {}, nullptr},
    {"MenuNOWY", "Menu NOWY", nullptr, {}, nullptr},
    {"SystemNT", "System NT", nullptr, {}, nullptr},
    {"Properties", "Opcje", nullptr, {}, nullptr},
    {"pomoc", "Pomoc", nullptr, {}, nullptr},
    {"oprog", "O programie", nullptr, {}, nullptr},
}};

constexpr SubPageInfo kAlphaKursory[] = {{"TabSheet11", "Wskaźniki", nullptr},
                                         {"TabSheet12", "Ustawienia", nullptr}};
constexpr SubPageInfo kAlphaMenuStart[] = {{"menustartikony", "Ikony", nullptr},
                                           {"menustartograniczenia", "Ograniczenia", nullptr},
                                           {"menustartustawienia", "Ustawienia", nullptr},
                                           {"TabSheet7", "Organizuj Menu Start", nullptr}};
constexpr SubPageInfo kAlphaPulpit[] = {{"pulpitustawienia", "Ustawienia", nullptr},
                                        {"pulpitograniczenia", "Ograniczenia", nullptr},
                                        {"pulpitdesen", "Deseń", nullptr},
                                        {"pulpittapeta", "Tapeta", nullptr},
                                        {"pulpitwygaszaczekranu", "Wygaszacz ekranu", nullptr},
                                        {"TabSheet8", "Organizuj", nullptr}};

constexpr std::array<AlphabeticalEntry, 37> kAlphabetical{{
    {"AutoRUN", "AutoRUN", kAutoRun},
    {"Czcionki", "czcionki", {}},
    {"Dodaj/Usuń", "dodajusun", {}},
    {"Dokumenty", "Doki", {}},
    {"Dźwięki", "dzwieki", {}},
    {"Eksplorator", "explorer2", {}},
    {"Foldery", "foldery", {}},
    {"Ikony", "ikony", {}},
    {"Ikony folderów", "IkonyFolderow", {}},
    {"Ikony plików", "pliki", {}},
    {"Internet", "internet", kInternet},
    {"Kolor", "kolory", {}},
    {"Kursory", "kursory", kAlphaKursory},
    {"Logo", "logo", {}},
    {"Menu kontekstowe", "menukontekstowe", {}},
    {"Menu NOWY", "MenuNOWY", {}},
    {"Menu Start", "menustart", kAlphaMenuStart},
    {"Nazwy", "Nazwy", {}},
    {"Otwórz z ...", "Menu", {}},
    {"O programie", "oprog", {}},
    {"OEM", "OEM", {}},
    {"Opcje", "Properties", {}},
    {"Panel Sterowania", "ograniczenia", {}},
    {"Podpowiedzi", "podpowiedzi", {}},
    {"Pomoc", "pomoc", {}},
    {"Pulpit", "pulpit", kAlphaPulpit},
    {"Sieć", "Siec", kSiec},
    {"Skróty", "skroty", {}},
    {"System NT", "SystemNT", {}},
    {"Szybkie uruchamianie", "SzybkieUruchamianie", {}},
    {"Triki", "triki", {}},
    {"Typy plików", "typyplikow", {}},
    {"Ukryj folder", "UkryjFolder", {}},
    {"Ulubione", "UlubionePage2", {}},
    {"Windows", "windows", {}},
    {"Wyczyść ...", "ustawienia", {}},
    {"Wyślij do ...", "SendTo", {}},
}};

constexpr std::array<LoaderStep, 32> kLoaders{{
    {"foldery", 1},
    {"czcionki", 2},
    {"windows", 3},
    {"kursory", 4},
    {"logo", 5},
    {"dzwieki", 6},
    {"OEM", 7},
    {"podpowiedzi", 8},
    {"Nazwy", 9},
    {"SzybkieUruchamianie", 11},
    {"Doki", 12},
    {"ustawienia", 13},
    {"triki", 14},
    {"SendTo", 15},
    {"UlubionePage2", 16},
    {"dodajusun", 17},
    {"AutoRUN", 18},
    {"typyplikow", 19},
    {"pliki", 20},
    {"ikony", 21},
    {"kolory", 22},
    {"Siec", 23},
    {"internet", 24},
    {"ograniczenia", 25},
    {"menustart", 26},
    {"explorer2", 27},
    {"pulpit", 28},
    {"menukontekstowe", 29},
    {"UkryjFolder", 30},
    {"MenuNOWY", 31},
    {"SystemNT", 33},
    {"Properties", 32},
}};

}  // namespace

std::span<const PageInfo> pageCatalog() { return kPages; }

int pageIndex(std::string_view id) {
  for (std::size_t i = 0; i < kPages.size(); ++i) {
    if (id == kPages[i].id) return static_cast<int>(i);
  }
  return -1;
}

std::span<const AlphabeticalEntry> alphabeticalMenu() { return kAlphabetical; }

std::span<const LoaderStep> loaderSequence() { return kLoaders; }

}  // namespace kelvaro
