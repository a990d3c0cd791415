#include "pages/shell/tricks.h"

#include <array>

#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

using Test = ClassesTrick::Test;

constexpr char kBinHandler[] = "{645FF040-5081-101B-9F08-00AA002F954E}";
constexpr char kMyComputerShell[] = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell";
constexpr char kMyComputerExplore[] = "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Eksplo&ruj";
constexpr char kMyComputerCommand[] =
    "CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\shell\\Eksplo&ruj\\command";

// In the order of ClassesTrickId.
const std::vector<ClassesTrick>& table() {
  static const std::vector<ClassesTrick> tricks{
      {"trikiKosz",
       "Opróżnij kosz",
       {{"Folder\\shellex\\ContextMenuHandlers\\Kosz", Test::DefaultIs, kBinHandler},
        {"*\\shellex\\ContextMenuHandlers\\Kosz", Test::DefaultIs, kBinHandler}},
       {{"Folder\\shellex\\ContextMenuHandlers\\Kosz", kBinHandler},
        {"*\\shellex\\ContextMenuHandlers\\Kosz", kBinHandler}},
       {"Folder\\shellex\\ContextMenuHandlers\\Kosz", "*\\shellex\\ContextMenuHandlers\\Kosz"},
       {}},
      {"trikiZamknij",
       "Zamknij System",
       {{"Folder\\shell\\ExitWindows", Test::DefaultIs, "&Zamknij System"}},
       {{"Folder\\shell\\ExitWindows", "&Zamknij System"},
        {"Folder\\shell\\ExitWindows\\Command", "RUNDLL32.EXE user.exe,ExitWindows"},
        {"*\\shell\\ExitWindows", "&Zamknij System"},
        {"*\\shell\\ExitWindows\\Command", "RUNDLL32.EXE user.exe,ExitWindows"}},
       {"Folder\\shell\\ExitWindows", "*\\shell\\ExitWindows"},
       {}},
      {"trikiDos",
       "\"Szybki\" DOS",
       {{"Folder\\shell\\TrybMS_DOS", Test::DefaultNotEmpty, nullptr}},
       {{"Folder\\shell\\TrybMS_DOS", "Tryb MS-DOS"},
        {"Folder\\shell\\TrybMS_DOS\\Command", "COMMAND.COM /K CD %1"}},
       {"Folder\\shell\\TrybMS_DOS"},
       {}},
      {"trikiAtrybuty",
       "Szybka zmiana atrybutów na +s/-s",
       {{"Directory\\shell\\attrib_+s", Test::DefaultIs, "Atrybut +s"}},
       {{"Directory\\shell\\attrib_+s", "Atrybut +s"},
        {"Directory\\shell\\attrib_+s\\command", "attrib.exe +s %1"},
        {"Directory\\shell\\attrib_-s", "Atrybut -s"},
        {"Directory\\shell\\attrib_-s\\command", "attrib.exe -s %1"}},
       {"Directory\\shell\\attrib_+s", "Directory\\shell\\attrib_-s"},
       {}},
      {"trikiNoweOkno",
       "Otwórz w nowym oknie",
       {{"Directory\\shell\\OpenInNew", Test::DefaultIs, "Otwórz w nowym oknie"}},
       {{"Directory\\shell\\OpenInNew", "Otwórz w nowym oknie"},
        {"Directory\\shell\\OpenInNew\\Command", "Explorer %1"}},
       {"Directory\\shell\\OpenInNew"},
       {}},
      {"trikiSkanuj",
       "Skanuj",
       {{"Drive\\shell\\ScanDisk", Test::DefaultIs, "Skanuj"}},
       {{"Drive\\shell\\ScanDisk", "Skanuj"}, {"Drive\\shell\\ScanDisk\\Command", "scandskw.exe"}},
       {"Drive\\shell\\ScanDisk"},
       {}},
      {"trikiDefragmentuj",
       "Defragmentuj",
       {{"Drive\\shell\\Defrag", Test::DefaultIs, "Defragmentuj"}},
       {{"Drive\\shell\\Defrag", "Defragmentuj"}, {"Drive\\shell\\Defrag\\Command", "Defrag.exe %1"}},
       {"Drive\\shell\\Defrag"},
       {}},
      {"trikiKopiuj",
       "Kopiuj do folderu",
       {{"*\\shellex\\ContextMenuHandlers\\Copyto", Test::DefaultIs,
         "{C2FBB630-2971-11d1-A18C-00C04FD75D13}"}},
       {{"*\\shellex\\ContextMenuHandlers\\Copyto", "{C2FBB630-2971-11d1-A18C-00C04FD75D13}"}},
       {"*\\shellex\\ContextMenuHandlers\\Copyto"},
       {}},
      {"trikiPrzenies",
       "Przenieś do folderu",
       {{"*\\shellex\\ContextMenuHandlers\\Moveto", Test::DefaultIs,
         "{C2FBB631-2971-11d1-A18C-00C04FD75D13}"}},
       {{"*\\shellex\\ContextMenuHandlers\\Moveto", "{C2FBB631-2971-11d1-A18C-00C04FD75D13}"}},
       {"*\\shellex\\ContextMenuHandlers\\Moveto"},
       {}},
      {"trikiEksploracja",
       "Eksploracja po dwukliku \"Mój komputer\"",
       {{kMyComputerExplore, Test::Exists, nullptr}, {kMyComputerShell, Test::DefaultIs, "Eksplo&ruj"}},
       {{kMyComputerShell, "Eksplo&ruj"},
        {kMyComputerExplore, nullptr},
        {kMyComputerCommand, "Explorer.exe"}},
       {kMyComputerExplore},
       // The default verb goes back to none; the key is made when missing.
       {{kMyComputerShell, ""}}},
  };
  return tricks;
}

bool holds(RegistryHandle& reg, const ClassesTrick::Check& check) {
  reg.closeKey();
  const bool open = openForRead(reg, check.key);
  bool result = open;
  if (open && check.test != Test::Exists) {
    const std::string text = guardedReadString(reg, "");
    result = check.test == Test::DefaultIs ? text == check.text : !text.empty();
  }
  reg.closeKey();
  return result;
}

void writeKeys(RegistryHandle& reg, const std::vector<ClassesTrick::Write>& writes) {
  for (const ClassesTrick::Write& w : writes) {
    reg.closeKey();
    openForWrite(reg, w.key);
    if (w.text) reg.writeString("", w.text);
    reg.closeKey();
  }
}

constexpr std::array<StartMenuFolder, 6> kStartMenuFolders{{
    {"trikiPanelSterowania", "Panelu Sterowania", "Panel Sterowania.{21EC2020-3AEA-1069-A2DD-08002B30309D}",
     "Dzięki tej opcji będziesz miał szybki dostęp do folderu \"Panel sterowania\""},
    {"trikiSieci", "Sieci", "Sieć.{208D2C60-3AEA-1069-A2D7-08002B30309D}",
     "Dzięki tej opcji będziesz miał szybki dostęp do folderu \"Sieć\"."},
    {"trikiDialUp", "Dial-Up Networking", "Dial-Up Networking.{992CFFA0-f557-101A-88EC-00DD010CCC48}",
     "Dzięki tej opcji będziesz miał szybki dostęp do folderu \"Dial-Up Networking\""},
    {"trikiDrukarki", "Drukarki", "Drukarki.{2227A280-3AEA-1069-A2DE-08002B30309D}",
     "Dzięki tej opcji będziesz miał szybki dostęp do folderu \"Drukarki\""},
    {"trikiHarmonogram", "Harmonogramu zadań", "Harmonogram zadań.{D6277990-4C6A-11CF-8D87-00AA0060F5BF}",
     "Dzięki tej opcji będziesz miał szybki dostęp do folderu \"Harmonogram zadań\""},
    {"trikiDownloaded", "Downloaded Program Files",
     "Downloaded Program Files.{88C6C381-2E85-11D0-94DE-444553540000}",
     "Dzięki tej opcji będziesz miał szybki dostęp do folderu \"Downloaded Program Files\""},
}};

}  // namespace

std::span<const ClassesTrick> classesTricks() { return table(); }

const ClassesTrick& classesTrick(ClassesTrickId id) { return table()[static_cast<std::size_t>(id)]; }

bool readClassesTrick(RegistryHandle& reg, const ClassesTrick& trick) {
  reg.setRoot(Root::ClassesRoot);
  bool ticked = true;
  for (const ClassesTrick::Check& check : trick.ticked) ticked = holds(reg, check) && ticked;
  return ticked;
}

void writeClassesTrick(RegistryHandle& reg, const ClassesTrick& trick, bool on) {
  reg.setRoot(Root::ClassesRoot);
  if (on) {
    writeKeys(reg, trick.on);
    return;
  }
  reg.closeKey();
  for (const char* key : trick.offDeleted) reg.deleteKey(key);
  writeKeys(reg, trick.offWritten);
}

std::string clockScript() {
  return "DIM Data\r\n"
         "Data = Date\r\n"
         "set WSHShell = CreateObject(\"WScript.Shell\")\r\n"
         "WSHShell.RegWrite \"HKCU\\Control Panel\\International\\sTimeFormat\", \"HH:mm:ss tt\"\r\n"
         "WSHShell.RegWrite \"HKCU\\Control Panel\\International\\s1159\", Date\r\n"
         "WSHShell.RegWrite \"HKCU\\Control Panel\\International\\s2359\", Date\r\n";
}

std::span<const StartMenuFolder> startMenuFolders() { return kStartMenuFolders; }

}  // namespace kelvaro
