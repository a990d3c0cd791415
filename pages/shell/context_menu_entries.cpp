#include "pages/shell/context_menu_entries.h"

#include <algorithm>
#include <array>

#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

struct PolishName {
  const char* stored;  // upper-cased
  const char* shown;
  bool specialObjectsToo;
};

constexpr std::array<PolishName, 12> kPolishNames{{
    {"MICROSOFT COPYTO SERVICE", "Kopiuj do folderu", true},
    {"MICROSOFT MOVETO SERVICE", "Przenieś do folderu", true},
    {"OPEN WITH CONTEXT MENU HANDLER", "Otwórz z ...", true},
    {"WINRAR", "Menu kontekstowe programu WinRAR", true},
    {"WINZIP", "Menu kontekstowe programu WinZIP", true},
    {"OPENAS", "Otwórz z ...", true},
    {"EXPLORE", "Eksploruj", true},
    {"OPEN", "Otwórz", true},
    {"FIND", "Znajdź", true},
    {"PLAY", "Odtwarzaj", false},
    {"RUN", "Uruchom", false},
    {"PRINT", "Drukuj", false},
}};

struct Parameter {
  const char* text;
  const char* description;
  bool onChange;  // also recognised when the user changes the parameter
};

constexpr std::array<Parameter, 15> kParameters{{
    {"\"%1\"", "Otwórz w wybranym programie", true},
    {"%1", "Otwórz w wybranym programie", false},
    {"/p \"%1\"", "Drukuj w wybranym programie", true},
    {"/pr \"%1\"", "Drukuj w wybranym programie", false},
    {"/p %1", "Drukuj w wybranym programie", false},
    {"/P \"%1\"", "Drukuj w wybranym programie", false},
    {"\"%1\" \"%2\"", "Drukuj w ...", true},
    {"\"%1\" \"%2\" \"%3\" \"%4\"", "Drukuj w ...", false},
    {"shell32.dll,OpenAs_RunDLL %1", "Otwórz z ... (wywołanie okna)", true},
    {"/e,/idlist,%I,%L", "Eksploruj (Eksploratorem Windows)", true},
    {"/idlist,%I,%L", "Otwórz (Eksploratorem Windows)", true},
    {"/BOOKMARK \"%1\"", "Dodaj do listy (Winamp)", true},
    {"/ADD \"%1\"", "Dodaj do playlisty (Winamp)", true},
    {"/Open \"%L\"", "Otwórz plik (Windows Media Player)", true},
    {"/Play \"%L\"", "Odtwórz plik (Windows Media Player)", true},
}};

constexpr std::array<const char*, 10> kOffered{
    "\"%1\"",           "/p \"%1\"",     "\"%1\" \"%2\"",    "shell32.dll,OpenAs_RunDLL %1",
    "/e,/idlist,%I,%L", "/idlist,%I,%L", "/BOOKMARK \"%1\"", "/ADD \"%1\"",
    "/Open \"%L\"",     "/Play \"%L\""};

// The default value of a key when it is a non-empty string; the key is
// only opened, never made.
std::string defaultText(RegistryHandle& reg, const std::string& path) {
  reg.closeKey();
  if (!reg.openKey("\\" + path, false)) return {};
  return guardedReadString(reg, "");
}

std::vector<std::string> sortedSubkeys(RegistryHandle& reg, const std::string& path) {
  reg.closeKey();
  if (path.empty() || !reg.openKey("\\" + path, false)) return {};
  std::vector<std::string> names = reg.subkeyNames();
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
  });
  return names;
}

std::string displayName(RegistryHandle& reg, std::string text, bool fileType) {
  if (!text.empty() && text.front() == '{') {
    const std::string name = defaultText(reg, "CLSID\\" + text);
    if (!name.empty()) text = name;
  }
  const std::string upper = QString::fromStdString(text).toUpper().toStdString();
  for (const PolishName& p : kPolishNames) {
    if (upper == p.stored && (fileType || p.specialObjectsToo)) return p.shown;
  }
  return text;
}

}  // namespace

std::vector<MenuEntry> readMenuEntries(Registry& registry, std::string_view handlerKey,
                                       std::span<const std::string> verbKeys, bool fileType) {
  RegistryHandle reg(registry);
  reg.setRoot(Root::ClassesRoot);
  std::vector<MenuEntry> entries;
  auto addKey = [&](const std::string& key) {
    for (const std::string& sub : sortedSubkeys(reg, key)) {
      const std::string path = key + "\\" + sub;
      std::string text = defaultText(reg, path);
      if (text.empty()) text = sub;
      entries.push_back({displayName(reg, text, fileType), path});
    }
  };
  addKey(std::string(handlerKey));
  for (const std::string& key : verbKeys) addKey(key);
  return entries;
}

std::string entryCommand(Registry& registry, std::string_view path) {
  RegistryHandle reg(registry);
  reg.setRoot(Root::ClassesRoot);
  const std::string key(path);
  std::string command;
  const std::size_t brace = key.find('{');
  if (brace != std::string::npos && key.back() == '}') {
    command = defaultText(reg, "CLSID\\" + key.substr(brace) + "\\InProcServer32");
  }
  if (std::string own = defaultText(reg, key); !own.empty()) command = own;
  if (std::string run = defaultText(reg, key + "\\command"); !run.empty()) command = run;
  return command;
}

QString menuText(const QString& name, int position) {
  if (position < 1 || position > name.size()) return name;
  QString text = name;
  text.insert(position - 1, '&');
  return text;
}

int steppedLetterPosition(const QString& name, int position, int direction) {
  const int length = static_cast<int>(name.size());
  auto space = [&name](int p) { return p >= 1 && p <= static_cast<int>(name.size()) && name[p - 1] == ' '; };
  int p = position + direction;
  while (space(p)) p += direction;
  if (p > length) {
    // Past the end the steps go back down.
    p = position - 1;
    while (space(p)) --p;
  }
  return std::clamp(p, 0, length);
}

SplitCommand splitCommand(const QString& command) {
  const qsizetype exe = command.toUpper().indexOf(QStringLiteral(".EXE"));
  if (exe < 0) return {command, {}};
  QString head = command.left(exe);
  const qsizetype quotes = head.count('"');
  head.remove('"');
  const QString rest = head + command.mid(exe);
  const qsizetype end = head.size() + 4;
  return {rest.left(end), rest.mid(end + (quotes > 0 ? 2 : 1))};
}

QString parameterDescription(const QString& parameter, bool whenOpening) {
  for (const Parameter& p : kParameters) {
    if ((whenOpening || p.onChange) && parameter == QString::fromUtf8(p.text))
      return QString::fromUtf8(p.description);
  }
  return QStringLiteral("Nieznany parametr");
}

std::span<const char* const> offeredParameters() { return kOffered; }

}  // namespace kelvaro
