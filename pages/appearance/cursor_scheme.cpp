#include "pages/appearance/cursor_scheme.h"

namespace kelvaro {

const std::array<CursorRole, kCursorRoleCount> kCursorRoles{{
    {"Normalny:", "Normalny", "Arrow"},
    {"Wybór Pomocy:", "Wybór pomocy", "Help"},
    {"Praca w tle:", "Praca w tle", "AppStarting"},
    {"Zajęty:", "Zajęty", "Wait"},
    {"Wybór precyzyjny:", "Wybór precyzyjny", "Crosshair"},
    {"Tekstowy:", "Tekstowy", "IBeam"},
    {"Pismo ręczne:", "Pismo ręczne", "NWPen"},
    {"Niedostępny:", "Niedostępny", "No"},
    {"Zmiana wymiaru pionowego:", "Zmiana wymiaru pionowego", "SizeNS"},
    {"Zmiana wymiaru poziomego:", "Zmiana wymiaru poziomego:", "SizeWE"},
    {"Przekątna 1:", "Zmiana wymiarów po przekątnej 1", "SizeNWSE"},
    {"Przekątna 2:", "Zmiana wymiarów po przekątnej 2", "SizeNESW"},
    {"Przenoszenie:", "Przenoszenie", "SizeAll"},
    {"Wybór alternatywy:", "Wybór alternatywy", "UpArrow"},
    {"Wybór łącza:", nullptr, "Hand"},
}};

// AppStarting, Arrow, Crosshair, Help, IBeam, No, NWPen, SizeAll, SizeNESW,
// SizeNS, SizeNWSE, SizeWE, UpArrow, Wait, Hand.
const std::array<std::size_t, kCursorRoleCount> kCursorWriteOrder{2,  0, 4,  1, 5,  7, 6, 12,
                                                                  11, 8, 10, 9, 13, 3, 14};

std::string cursorRoleHint(const CursorRole& role) {
  if (!role.hintName) return {};
  return std::string("Kliknij, aby edytować kursor \"") + role.hintName + "\"";
}

std::string cursorSchemeString(const CursorPaths& paths) {
  std::string scheme;
  for (std::size_t i = 0; i < kSchemeRoleCount; ++i) {
    if (i > 0) scheme += ',';
    scheme += paths[i];
  }
  return scheme;
}

std::string cursorSchemeNameLine(const std::optional<std::string>& name) {
  if (!name) return "Nazwa schematu: (nieznany)";
  return "Nazwa schematu: \"" + *name + "\"";
}

CursorChoice checkChosenCursor(std::string_view path, bool fileExists) {
  if (path.empty()) return CursorChoice::NoFile;
  if (!fileExists) return CursorChoice::MissingFile;
  const std::string_view extension = path.size() >= 4 ? path.substr(path.size() - 4) : std::string_view{};
  for (std::string_view cursor : {".cur", ".CUR", ".ani", ".ANI"}) {
    if (extension == cursor) return CursorChoice::Valid;
  }
  return CursorChoice::NotACursor;
}

std::string_view cursorChoiceMessage(CursorChoice choice) {
  switch (choice) {
    case CursorChoice::NoFile:
      return "Nie wybrałeś żadnego pliku !!!\rKliknij na przycisk \"Zmień\" i wybierz kursor ponownie.";
    case CursorChoice::MissingFile:
      return "Wskazany plik nie istnieje !!!";
    case CursorChoice::NotACursor:
      return "Wybrany przez Ciebie plik jest nieprawidłowy !!!\r\rKursory są plikami typu CUR lub ANI i taki "
             "typ "
             "powinieneś wybrać.";
    case CursorChoice::Valid:
      break;
  }
  return {};
}

}  // namespace kelvaro
