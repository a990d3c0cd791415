#include "pages/page_catalog.h"

#include <algorithm>
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
    {"kursory", "Kursor", nullptr, kKursory, "kursoryPages", ReRead::Loader, 2},
    {"dzwieki", "Dźwięki", nullptr, {}, nullptr, ReRead::Loader, 4},
    {"kolory", "Kolory", nullptr, {}, nullptr},
    {"windows", "Windows", nullptr, {}, nullptr, ReRead::Loader, 10},
    {"ikony", "Ikony", nullptr, {}, nullptr, ReRead::Loader, 5},
    {"logo", "Logo", nullptr, {}, nullptr, ReRead::Loader, 1},
    {"OEM", "OEM", nullptr, {}, nullptr, ReRead::Loader, 3},
    {"ustawienia", "Wyczyść ...", nullptr, {}, nullptr},
    {"ograniczenia", "Panel Sterowania", nullptr, {}, nullptr},
    {"explorer2", "Eksplorator", nullptr, {}, nullptr},
    {"pliki", "Ikony plików", nullptr, {}, nullptr},
    {"internet", "Internet", nullptr, kInternet, "PageControl3", ReRead::Loader, 7},
    {"menustart", "Menu Start", nullptr, kMenuStart, "menustartPages", ReRead::Loader, 6},
    {"podpowiedzi", "Podpowiedzi", nullptr, {}, nullptr},
    {"skroty", "Skróty ...", "Skróty", {}, nullptr, ReRead::None, 0},
    {"pulpit", "Pulpit", nullptr, kPulpit, "pulpitPages"},
    {"czcionki", "Czcionki", nullptr, {}, nullptr, ReRead::Loader, 9},
    {"foldery", "Foldery", nullptr, {}, nullptr, ReRead::Loader, 13},
    {"triki", "Triki", nullptr, {}, nullptr, ReRead::Loader, 8},
    {"dodajusun", "Dodaj/Usuń", nullptr, {}, nullptr},
    {"Nazwy", "Nazwy", nullptr, {}, nullptr, ReRead::Loader, 12},
    {"Menu", "Otwórz z ...", nullptr, {}, nullptr, ReRead::Own, 0},
    {"SendTo", "Wyślij do ...", nullptr, {}, nullptr},
    {"Doki", "Dokumenty", nullptr, {}, nullptr},
    {"Siec", "Sieć", nullptr, kSiec, "SiecPages", ReRead::Loader, 11},
    {"AutoRUN", "AutoRUN", nullptr, kAutoRun, "PageControl2"},
    {"typyplikow", "Typy plików", nullptr, {}, nullptr, ReRead::Own, 0},
    {"IkonyFolderow", "Ikony folderów", nullptr, {}, nullptr, ReRead::Own, 0},
    {"SzybkieUruchamianie", "Szybkie urucham.", "Szybkie uruchamianie", {}, nullptr},
    {"UlubionePage2", "Ulubione", nullptr, {}, nullptr},
    {"menukontekstowe", "Menu kontekstowe", nullptr, {}, nullptr},
    {"UkryjFolder", "Ukryj folder", nullptr, {}, nullptr},
    {"MenuNOWY", "Menu NOWY", nullptr, {}, nullptr},
    {"SystemNT", "System NT", nullptr, {}, nullptr},
    {"Properties", "Opcje", nullptr, {}, nullptr, ReRead::Loader, 0, 0, true},
    {"pomoc", "Pomoc", nullptr, {}, nullptr, ReRead::Own, 0},
    {"oprog", "O programie", nullptr, {}, nullptr, ReRead::None, 0},
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

bool hasLoader(std::string_view id) {
  for (const LoaderStep& step : kLoaders) {
    if (id == step.page) return true;
  }
  return false;
}

const PageInfo& initialPage() { return kPages[static_cast<std::size_t>(pageIndex("oprog"))]; }

const PageInfo& helpPage() { return kPages[static_cast<std::size_t>(pageIndex("pomoc"))]; }

std::vector<const PageInfo*> hoverResetOrder() {
  std::vector<const PageInfo*> order;
  for (const PageInfo& info : kPages) {
    if (info.hoverResetRank > 0) order.push_back(&info);
  }
  std::sort(order.begin(), order.end(),
            [](const PageInfo* a, const PageInfo* b) { return a->hoverResetRank < b->hoverResetRank; });
  return order;
}

}  // namespace kelvaro
