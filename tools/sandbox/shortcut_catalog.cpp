#include "tools/sandbox/shortcut_catalog.h"

namespace kelvaro::sandbox {

const std::vector<ShortcutSpec>& sandboxShortcuts() {
  static const QString pf = "C:\\Program Files\\";
  static const QString programs = "WINDOWS/Menu Start/Programy/";
  static const std::vector<ShortcutSpec> all = {
      // The desktop.
      {"WINDOWS/Pulpit/Outlook Express.lnk", pf + "Outlook Express\\msimn.exe", "", ""},
      {"WINDOWS/Pulpit/Winamp.lnk", pf + "Winamp\\winamp.exe", "", ""},
      {"WINDOWS/Pulpit/Kulki.lnk", pf + "Kulki\\kulki.exe", "", ""},
      {"WINDOWS/Pulpit/Skaner antywirusowy.lnk", pf + "Skaner\\monitor.exe", "", ""},
      {"WINDOWS/Pulpit/Komunikator.lnk", pf + "Komunikator\\komunikator.exe", "", ""},
      // The Start menu.
      {"WINDOWS/Menu Start/Aktualizacja systemu.lnk", "C:\\Program Files\\Internet Explorer\\iexplore.exe",
       "http://aktualizacje.example.pl/", ""},
      {programs + "Internet Explorer.lnk", pf + "Internet Explorer\\iexplore.exe", "", ""},
      {programs + "Outlook Express.lnk", pf + "Outlook Express\\msimn.exe", "", ""},
      {programs + "Eksplorator Windows.lnk", "C:\\WINDOWS\\Explorer.exe", "/n,/e,C:\\", "C:\\WINDOWS"},
      {programs + "Akcesoria/Notatnik.lnk", "C:\\WINDOWS\\NOTEPAD.EXE", "", "C:\\WINDOWS"},
      {programs + "Akcesoria/Paint.lnk", "C:\\WINDOWS\\PBRUSH.EXE", "", "C:\\WINDOWS"},
      {programs + "Akcesoria/Kalkulator.lnk", "C:\\WINDOWS\\CALC.EXE", "", "C:\\WINDOWS"},
      {programs + "Akcesoria/WordPad.lnk", pf + "Accessories\\WORDPAD.EXE", "", ""},
      {programs + "Akcesoria/Książka adresowa.lnk", pf + "Outlook Express\\wab.exe", "", ""},
      {programs + "Akcesoria/Komunikacja/HyperTerminal.lnk", pf + "Accessories\\HyperTerminal\\hypertrm.exe",
       "", ""},
      {programs + "Akcesoria/Komunikacja/NetMeeting.lnk", pf + "NetMeeting\\conf.exe", "", ""},
      {programs + "Akcesoria/Rozrywka/Odtwarzacz CD.lnk", "C:\\WINDOWS\\cdplayer.exe", "", "C:\\WINDOWS"},
      {programs + "Akcesoria/Rozrywka/Rejestrator dźwięku.lnk", "C:\\WINDOWS\\sndrec32.exe", "",
       "C:\\WINDOWS"},
      {programs + "Akcesoria/Rozrywka/Windows Media Player.lnk", pf + "Windows Media Player\\mplayer2.exe",
       "", ""},
      {programs + "Akcesoria/Narzędzia systemowe/Defragmentator dysków.lnk", "C:\\WINDOWS\\DEFRAG.EXE", "",
       "C:\\WINDOWS"},
      {programs + "Akcesoria/Narzędzia systemowe/ScanDisk.lnk", "C:\\WINDOWS\\SCANDSKW.EXE", "",
       "C:\\WINDOWS"},
      {programs + "Akcesoria/Narzędzia systemowe/Informacje o systemie.lnk",
       "C:\\WINDOWS\\SYSTEM\\MSINFO32.EXE", "", ""},
      {programs + "Akcesoria/Narzędzia systemowe/Zaplanowane zadania.lnk", "C:\\WINDOWS\\SYSTEM\\mstask.exe",
       "", ""},
      {programs + "Winamp/Winamp.lnk", pf + "Winamp\\winamp.exe", "", ""},
      {programs + "Winamp/Odinstaluj Winampa.lnk", pf + "Winamp\\UninstWA.exe", "", ""},
      {programs + "WinZip/WinZip.lnk", pf + "WinZip\\winzip32.exe", "", ""},
      {programs + "Biuro/Arkusz.lnk", pf + "Biuro\\Arkusz\\arkusz.exe", "", ""},
      {programs + "Biuro/Pokaz slajdów.lnk", pf + "Biuro\\Pokaz\\pokaz.exe", "", ""},
      {programs + "Biuro/Baza danych.lnk", pf + "Biuro\\Baza\\baza.exe", "", ""},
      {programs + "Gry/Kulki.lnk", pf + "Kulki\\kulki.exe", "", ""},
      {programs + "Autostart/Winamp Agent.lnk", pf + "Winamp\\winampa.exe", "", ""},
      // Send To.
      {"WINDOWS/SendTo/Notatnik.lnk", "C:\\WINDOWS\\NOTEPAD.EXE", "", "C:\\WINDOWS"},
      {"WINDOWS/SendTo/WinZip.lnk", pf + "WinZip\\winzip32.exe", "", ""},
      // Quick Launch.
      {"WINDOWS/Dane aplikacji/Microsoft/Internet Explorer/Quick Launch/Uruchom przeglądarkę Internet "
       "Explorer.lnk",
       pf + "Internet Explorer\\iexplore.exe", "", ""},
      {"WINDOWS/Dane aplikacji/Microsoft/Internet Explorer/Quick Launch/Uruchom program Outlook Express.lnk",
       pf + "Outlook Express\\msimn.exe", "", ""},
      // Recent documents.
      {"WINDOWS/Recent/list.txt.lnk", "C:\\Moje dokumenty\\list.txt", "", "C:\\Moje dokumenty"},
      {"WINDOWS/Recent/zakupy.txt.lnk", "C:\\Moje dokumenty\\zakupy.txt", "", "C:\\Moje dokumenty"},
      {"WINDOWS/Recent/Wakacje.bmp.lnk", "C:\\Moje dokumenty\\Moje obrazy\\Wakacje.bmp", "",
       "C:\\Moje dokumenty\\Moje obrazy"},
      {"WINDOWS/Recent/Góry.jpg.lnk", "C:\\Moje dokumenty\\Moje obrazy\\Góry.jpg", "",
       "C:\\Moje dokumenty\\Moje obrazy"},
      {"WINDOWS/Recent/Notatki.txt.lnk", "C:\\WINDOWS\\Pulpit\\Notatki.txt", "", "C:\\WINDOWS\\Pulpit"},
  };
  return all;
}

}  // namespace kelvaro::sandbox
