#include "app/help_topics.h"

#include <array>
#include <cstring>

namespace kelvaro {
namespace {

constexpr std::array<HelpTopic, 37> kTopics{{
    {"Kursor", "kursory", "Kursor",
     "Zakładka Kursor ma dwie karty. Na karcie \"Wskaźniki\" widzisz piętnaście ról wskaźnika myszy "
     "(wybór normalny, zajętość, pomoc, zmiana rozmiaru i inne) razem z plikiem kursora, którego używa każda "
     "z nich. Dla dowolnej roli możesz wybrać inny plik .cur lub .ani i obejrzeć go w podglądzie, a cały "
     "zestaw "
     "zapisać pod własną nazwą jako schemat kursorów przyciskiem \"Zapisz schemat\". Nowe wskaźniki pojawią "
     "się "
     "po ponownym uruchomieniu komputera.\n\n"
     "Na karcie \"Ustawienia\" trzy suwaki od razu zmieniają szybkość powtarzania znaków klawiatury, "
     "opóźnienie "
     "przed rozpoczęciem powtarzania oraz szybkość dwukrotnego kliknięcia."},
    {"Dźwięki", "dzwieki", "Dźwięki",
     "Zakładka Dźwięki zawiera listę siedemnastu zdarzeń systemu Windows wraz z plikami dźwiękowymi, które "
     "są "
     "przy nich odtwarzane. Dźwięk wybranego zdarzenia możesz odsłuchać w małym odtwarzaczu, w którym "
     "ustawisz "
     "także głośność wyjścia dźwięku, i zastąpić go innym plikiem.\n\n"
     "Wszystkie siedemnaście dźwięków zapisujesz razem jako nazwany schemat dźwiękowy przyciskiem \"Zapisz "
     "schemat\". Zmiany będą słyszalne po ponownym uruchomieniu komputera."},
    {"Kolory", "kolory", "Kolory",
     "Zakładka Kolory zmienia kolory elementów interfejsu Windows. Miniatura pulpitu z oknem aktywnym i "
     "nieaktywnym, paskiem menu, paskiem przewijania, podpowiedzią i przyciskiem pokazuje kolory, które "
     "właśnie "
     "ustawiasz.\n\n"
     "Element ekranu wybierasz z listy albo klikając go na miniaturze, a potem dobierasz mu nowy kolor. "
     "Możesz też "
     "jednym ruchem przyjąć jeden z 38 gotowych schematów kolorów. Przycisk \"Zapisz\" zapisuje wszystkie "
     "kolory "
     "systemowe i od razu zmienia je w działającym systemie, bez ponownego uruchamiania komputera."},
    {"Windows", "windows", "Windows",
     "Zakładka Windows pokazuje dane rejestracyjne i identyfikacyjne zainstalowanego systemu: nazwę "
     "produktu, "
     "wersję, typ, numer wersji, typ kompilacji, numer seryjny, organizację, właściciela, wersję Plus!, "
     "folder, z "
     "którego zainstalowano system, oraz nazwę i typ komputera.\n\n"
     "Aby zmienić wartość, kliknij ją dwukrotnie, wpisz nowy tekst i naciśnij Enter. Przycisk \"Zastosuj\" "
     "zapisuje zmienione dane w rejestrze; będą one widoczne po ponownym uruchomieniu komputera."},
    {"Ikony", "ikony", "Ikony",
     "Zakładka Ikony pokazuje 24 ikony powłoki Windows: obiekty pulpitu, takie jak Mój komputer i Kosz, "
     "foldery, "
     "napędy oraz strzałkę skrótu. Dla każdej z nich możesz wskazać nową ikonę z dowolnego pliku na dysku - "
     "wybierasz ją w oknie wyboru ikon.\n\n"
     "Przycisk \"Zapisz\" zapisuje położenia nowych ikon w rejestrze. Zmiany będą widoczne po ponownym "
     "uruchomieniu komputera."},
    {"Logo", "logo", "Logo",
     "Zakładka Logo pokazuje trzy pełnoekranowe obrazy, które Windows 95, 98 i ME wyświetla podczas "
     "uruchamiania, podczas zamykania oraz wtedy, gdy można już wyłączyć komputer.\n\n"
     "Kliknij dwukrotnie logo, które chcesz zmienić, i wskaż mapę bitową o odpowiednim rozmiarze. Możesz też "
     "wybrać jeden z 48 przygotowanych schematów logo albo usunąć wszystkie trzy pliki. Pliki są zapisywane "
     "dopiero po naciśnięciu \"Zastosuj\" albo \"Zastosuj schemat\"."},
    {"OEM", "OEM", "OEM",
     "Zakładka OEM instaluje, zmienia lub usuwa informacje producenta komputera, które pokazuje okno "
     "Właściwości "
     "systemu: małe logo i kilka wierszy tekstu. Przechowują je dwa pliki w folderze systemowym, oemlogo.bmp "
     "i "
     "oeminfo.ini.\n\n"
     "Wybierz obraz w jednym z sześciu formatów graficznych i zdecyduj, jak ma się zmieścić w polu 180 x 114 "
     "punktów: tak jak jest, dopasowany albo jako wycinek, który wskażesz w osobnym oknie. Wpisz teksty i "
     "naciśnij \"Zastosuj\"."},
    {"Wyczyść", "ustawienia", "Wyczyść ...",
     "Zakładka Wyczyść ... pokazuje trzy historie, które prowadzi powłoka Windows: polecenia wpisywane w "
     "oknie "
     "Uruchom, wyszukiwania plików oraz wyszukiwania komputerów.\n\n"
     "Możesz usunąć pojedynczy wpis albo wyczyścić całą historię. Każde polecenie działa od razu, bez "
     "przycisku "
     "\"Zastosuj\", a zakładka jest potem odczytywana ponownie."},
    {"Panel Sterowania", "ograniczenia", "Panel Sterowania",
     "Zakładka Panel Sterowania włącza zasady, które ukrywają aplety Panelu sterowania i karty ich okien "
     "właściwości: właściwości ekranu, hasła, właściwości systemu, drukarki i sieć. Każde ograniczenie to "
     "jedno "
     "pole wyboru, a przycisk \"Zastosuj\" zapisuje wszystkie naraz.\n\n"
     "Uważaj: te opcje mogą odebrać dostęp do części ustawień systemu. Zmiany będą widoczne po ponownym "
     "uruchomieniu komputera."},
    {"Eksplorator", "explorer2", "Eksplorator",
     "Zakładka Eksplorator zbiera przełączniki zmieniające działanie powłoki Windows i Eksploratora: zasady "
     "powłoki i sieci, strzałkę i przedrostek \"Skrót do\" przy skrótach, samoczynne uruchamianie płyt CD, "
     "pozycje \"Nowy\" i \"Wyślij do\" w menu kontekstowym, otwieranie nieznanych plików i plików .reg w "
     "Notatniku, blokowanie paska zadań, samoczynne zamykanie zawieszonych programów, samoczynne odświeżanie "
     "Eksploratora i obraz tła jego paska narzędzi.\n\n"
     "Opcje zajmują dwie strony; przełączasz je paskiem przewijania u dołu zakładki. Przycisk \"Zastosuj\" "
     "zapisuje wszystko, a zmiany będą widoczne po ponownym uruchomieniu komputera."},
    {"Ikony Plików", "pliki", "Ikony plików",
     "Zakładka Ikony plików zmienia ikonę jednego zarejestrowanego typu plików albo jedną z trzech "
     "domyślnych "
     "ikon powłoki: dokumentów bez własnego typu, plików niezarejestrowanych i programów DOS.\n\n"
     "Wpisz rozszerzenie albo wybierz typ z listy, obejrzyj jego obecną ikonę, wybierz nową w oknie wyboru "
     "ikon "
     "i naciśnij \"Zastosuj\"."},
    {"Internet", "internet", "Internet",
     "Zakładka Internet zmienia ustawienia przeglądarki Internet Explorer i programu pocztowego Outlook "
     "Express. "
     "Ma pięć kart: \"Ogólne\" (tytuły, foldery, strony i obrazy paska narzędzi), \"Menu\" (polecenia menu, "
     "które "
     "można wyłączyć), \"Ustawienia\" (zachowanie pasków narzędzi i okna), \"Outlook Express\" oraz \"Opcje "
     "internetowe\" (karty i elementy okna Opcje internetowe, które można ukryć lub zablokować).\n\n"
     "Każda karta ma własny przycisk \"Zastosuj\"."},
    {"Menu Start", "menustart", "Menu Start",
     "Zakładka Menu Start ma cztery karty: \"Ikony\" - ikony dwunastu pozycji menu Start, \"Ograniczenia\" - "
     "trzynaście ograniczeń usuwających pozycje z menu Start, \"Ustawienia\" - przełączniki działania menu, "
     "wielokolumnowe menu Programy i opóźnienie rozwijania podmenu, oraz \"Organizuj menu Start\" - "
     "przeglądanie "
     "folderu Programy, dodawanie skrótów i usuwanie plików.\n\n"
     "Pierwsze trzy karty mają własne przyciski \"Zastosuj\", a ich zmiany będą widoczne po ponownym "
     "uruchomieniu komputera. Czwarta karta zmienia pliki od razu."},
    {"Podpowiedzi", "podpowiedzi", "Podpowiedzi",
     "Zakładka Podpowiedzi pokazuje dziesięć wbudowanych obiektów powłoki wraz z tekstem podpowiedzi, którą "
     "Eksplorator wyświetla, gdy zatrzymasz na obiekcie wskaźnik myszy.\n\n"
     "Każdy tekst możesz poprawić w jego polu. Przycisk \"Zastosuj\" zapisuje wszystkie dziesięć "
     "podpowiedzi; "
     "zmiany będą widoczne po ponownym uruchomieniu komputera."},
    {"Skróty", "skroty", "Skróty ...",
     "Zakładka Skróty ... tworzy na pulpicie skróty, z których każdy uruchamia jedną funkcję systemu Windows "
     "9x "
     "lub ME za pośrednictwem programu Rundll32.exe.\n\n"
     "Zaznacz dowolną liczbę spośród 22 pól i naciśnij \"Utwórz ...\" - dla każdego zaznaczonego pola "
     "powstanie "
     "jeden skrót. Zakładka niczego nie odczytuje, dlatego przycisk \"Odczytaj\" jest na niej ukryty."},
    {"Pulpit", "pulpit", "Pulpit",
     "Zakładka Pulpit ma sześć kart. \"Ustawienia\": wersja Windows na pulpicie, przeciąganie całych okien, "
     "wygładzanie czcionek, animacja okien, rozmiar, głębia kolorów i odstępy ikon oraz zmiana nazwy i "
     "usuwanie "
     "Kosza. \"Ograniczenia\": zasady Eksploratora i Active Desktop. \"Deseń\": jeden z 39 deseni pulpitu. "
     "\"Tapeta\": wybór obrazu, jego podgląd i sposób wyświetlania (sąsiadująco, wyśrodkowana, "
     "rozciągnięta); "
     "obrazy JPEG i GIF są zamieniane na mapę bitową. \"Wygaszacz\": wybór wygaszacza ekranu i jego opcji. "
     "\"Organizuj\": usuwanie plików z pulpitu i tworzenie na nim skrótów do programów.\n\n"
     "Każda karta z ustawieniami ma własny przycisk \"Zastosuj\". Tapeta i deseń zmieniają się od razu."},
    {"Czcionki", "czcionki", "Czcionki",
     "Zakładka Czcionki wyświetla zainstalowane rodziny czcionek, każdą jej własnym krojem. Dla wybranej "
     "rodziny "
     "pokazuje, które z czterech stylów TrueType są zarejestrowane i w jakich plikach, oraz podgląd zestawu "
     "znaków.\n\n"
     "Zaznaczone style możesz usunąć: pliki czcionek znikają z folderu Fonts razem z ich rejestracją. "
     "Usuwanie "
     "działa od razu, bez przycisku \"Zastosuj\"."},
    {"Foldery", "foldery", "Foldery",
     "Zakładka Foldery pokazuje ścieżki dwudziestu folderów systemowych i folderów powłoki i pozwala wskazać "
     "dla "
     "każdego z nich inny, istniejący folder. Zmieniane są tylko wpisy rejestru, w których zapisano ścieżki "
     "- "
     "żaden folder nie jest tworzony, przenoszony ani kopiowany.\n\n"
     "Przycisk \"Zastosuj\" zapisuje każdą ścieżkę prowadzącą do istniejącego folderu. Zmiany będą widoczne "
     "po "
     "ponownym uruchomieniu komputera."},
    {"Triki", "triki", "Triki",
     "Zakładka Triki zbiera około dwudziestu niezależnych sztuczek powłoki, każdą w osobnym polu wyboru: "
     "dodatkowe pozycje menu kontekstowego plików, folderów i napędów, skróty do folderów specjalnych w menu "
     "Start, datę obok zegara na pasku zadań, komunikat wyświetlany przed zalogowaniem, miniatury obrazów "
     "jako "
     "ikony map bitowych i bibliotek ikon, tytuł programu Windows Media Player oraz widok Eksploratora po "
     "dwukrotnym kliknięciu ikony \"Mój komputer\".\n\n"
     "Przycisk \"Zastosuj\" zapisuje stan wszystkich trików, włączonych i wyłączonych. Zmiany będą widoczne "
     "po "
     "ponownym uruchomieniu komputera."},
    {"Dodaj/Usuń", "dodajusun", "Dodaj/Usuń",
     "Zakładka Dodaj/Usuń wyświetla programy zarejestrowane na liście programów do usunięcia systemu "
     "Windows.\n\n"
     "Dla wybranej pozycji możesz uruchomić jej program odinstalowujący, usunąć ją z listy albo, po "
     "naciśnięciu "
     "\"Edytuj\", zmienić wyświetlaną nazwę i polecenie odinstalowania. Usunięcie wpisu i zmiana "
     "zatwierdzona "
     "przyciskiem \"Zastosuj\" trafiają do rejestru od razu."},
    {"Nazwy", "Nazwy", "Nazwy",
     "Zakładka Nazwy pokazuje osiem wbudowanych obiektów powłoki, takich jak Mój komputer i Kosz, jako ikony "
     "z "
     "ich obecnymi nazwami.\n\n"
     "Kliknij dwukrotnie nazwę, aby ją zmienić w miejscu. Przycisk \"Zastosuj\" zapisuje wszystkie osiem "
     "nazw; "
     "zmiany będą widoczne po ponownym uruchomieniu komputera."},
    {"Menu", "Menu", "Otwórz z ...",
     "Zakładka Otwórz z ... dodaje do menu kontekstowego jednego typu plików albo wszystkich plików "
     "dodatkowe "
     "polecenie, które otwiera plik w wybranym przez Ciebie programie, i potrafi je potem usunąć.\n\n"
     "Wpisz rozszerzenie, wybierz program i naciśnij \"Zastosuj\". Przycisk \"Odczytaj\" pokazuje ponownie "
     "wpisy dla wpisanego rozszerzenia."},
    {"Wyślij do ...", "SendTo", "Wyślij do ...",
     "Zakładka Wyślij do ... zarządza pozycjami menu \"Wyślij do\" Eksploratora, czyli zawartością Twojego "
     "folderu SendTo.\n\n"
     "Pokazuje pozycje i to, na co wskazuje każda z nich. Możesz dodać nową pozycję (skrót do programu), "
     "zmienić "
     "nazwę pozycji i ją usunąć. Każda zmiana jest wykonywana na dysku od razu."},
    {"Dokumenty", "Doki", "Dokumenty",
     "Zakładka Dokumenty pokazuje pozycje podmenu \"Dokumenty\" w menu Start, czyli zawartość folderu "
     "ostatnio używanych dokumentów.\n\n"
     "Możesz usunąć jedną pozycję, wszystkie albo wszystkie oprócz jednej. Pliki są usuwane od razu."},
    {"Sieć", "Siec", "Sieć",
     "Zakładka Sieć ma dwie karty. \"Nazwy i Adresy\" pokazuje nazwę hosta i domenę TCP/IP, nazwę komputera, "
     "jego "
     "opis i grupę roboczą - każdą z tych wartości zmienisz po dwukrotnym kliknięciu - oraz adres IP i maskę "
     "podsieci pierwszej karty sieciowej. \"Ustawienia\" zawiera zasady dotyczące haseł i połączeń "
     "telefonicznych, domyślny czas życia wysyłanych pakietów IP i minimalną długość hasła.\n\n"
     "Każda karta ma własny przycisk \"Zastosuj\"; zmiany będą widoczne po ponownym uruchomieniu komputera."},
    {"AutoRUN", "AutoRUN", "AutoRUN",
     "Zakładka AutoRUN pokazuje programy, które Windows uruchamia samoczynnie z czterech kluczy \"Run\" "
     "rejestru: HKLM \\ Run, HKLM \\ Run Services, HKLM \\ Run Once i HKCU \\ Run.\n\n"
     "Możesz dodawać, zmieniać i usuwać takie pozycje. Każda zmiana jest zapisywana od razu, a wszystkie "
     "cztery "
     "listy są potem odczytywane ponownie."},
    {"Typy plików", "typyplikow", "Typy plików",
     "Zakładka Typy plików wyświetla typy plików zarejestrowane w systemie. Dla wybranego typu pokazuje "
     "opis, "
     "polecenie, które go otwiera, i ikonę.\n\n"
     "Możesz pokazać lub ukryć rozszerzenie typu w Eksploratorze, zmienić opis typu, usunąć typ i "
     "zarejestrować "
     "nowy. Usunięcie, nowy opis i nowy typ są zapisywane od razu."},
    {"Ikony folderów", "IkonyFolderow", "Ikony folderów",
     "Zakładka Ikony folderów nadaje wybranemu folderowi własną ikonę i podpowiedź, zapisując w nim plik "
     "desktop.ini, i potrafi to ustawienie usunąć.\n\n"
     "Wskaż folder, obejrzyj jego obecną ikonę i podpowiedź, wybierz nową ikonę w oknie wyboru ikon, wpisz "
     "podpowiedź i naciśnij \"Zastosuj\"."},
    {"Szybkie urucham.", "SzybkieUruchamianie", "Szybkie uruchamianie",
     "Zakładka Szybkie urucham. zarządza pozycjami paska narzędzi \"Szybkie uruchamianie\" na pasku "
     "zadań.\n\n"
     "Pokazuje pozycje i to, na co wskazuje każda z nich. Możesz dodać skrót do programu, zmienić nazwę "
     "pozycji "
     "i ją usunąć. Każda zmiana jest wykonywana na dysku od razu."},
    {"Ulubione", "UlubionePage2", "Ulubione",
     "Zakładka Ulubione zmienia zawartość folderu Ulubione, który Eksplorator i menu Start pokazują jako "
     "menu "
     "\"Ulubione\".\n\n"
     "Folder widać jako drzewo podfolderów i plików. Możesz dodać skrót do pliku, usunąć plik albo zmienić "
     "jego "
     "nazwę, usunąć podfolder z całą zawartością, przenieść plik do innego podfolderu i utworzyć nowy "
     "podfolder. "
     "Każda zmiana jest wykonywana na dysku od razu."},
    {"Menu kontekstowe", "menukontekstowe", "Menu kontekstowe",
     "Zakładka Menu kontekstowe pokazuje pozycje menu kontekstowego Eksploratora dla wybranego obiektu: "
     "zarejestrowanego typu plików, wszystkich plików, plików niezarejestrowanych, folderów albo napędów - "
     "razem "
     "z miejscem, w którym każda pozycja jest zarejestrowana, i poleceniem, które uruchamia.\n\n"
     "Możesz dodać pozycję uruchamiającą wybrany program, zmienić pozycję uruchamiającą program i usunąć "
     "dowolną "
     "pozycję. Zmiany są zapisywane od razu."},
    {"Ukryj folder", "UkryjFolder", "Ukryj folder",
     "Zakładka Ukryj folder przebiera folder za obiekt powłoki: zmienia jego nazwę tak, aby kończyła się "
     "kropką "
     "i identyfikatorem klasy obiektu systemowego. Eksplorator pokazuje i otwiera wtedy taki folder jako ten "
     "obiekt, na przykład jako Kosz, zamiast pokazywać jego zawartość.\n\n"
     "Zakładka potrafi też przywrócić folderowi jego zwykłą postać. Zmiana nazwy następuje od razu."},
    {"Menu NOWY", "MenuNOWY", "Menu NOWY",
     "Zakładka Menu NOWY wyświetla pozycje menu \"Nowy\" Eksploratora - po jednej dla każdego typu plików, "
     "który "
     "można w ten sposób utworzyć - z nazwą, rozszerzeniem i ikonami każdej pozycji.\n\n"
     "Możesz wyłączyć pozycję i włączyć ją z powrotem. Zmiana jest zapisywana od razu."},
    {"Opcje", "Properties", "Opcje",
     "Zakładka Opcje zawiera ustawienia samego programu: hasło, o które Kelvaro pyta przy uruchamianiu, "
     "kolor "
     "okna (suwaki składowych, odcienie szarości, zapamiętany albo standardowy kolor), zapamiętywanie "
     "zakładki, "
     "na której zamknięto program, czas wyświetlania podpowiedzi, przewijanie tytułu programu, układ "
     "zakładek "
     "oraz kolejność pozycji menu \"Szybki dostęp\".\n\n"
     "Większość opcji jest zapisywana i działa od razu, gdy ją zmienisz. Tylko hasło zapisujesz przyciskiem "
     "\"Zastosuj\" - wpisz je dwa razy, w polu hasła i w polu potwierdzenia."},
    {"Pomoc", "pomoc", "Pomoc",
     "Zakładka Pomoc - jest to zakładka zawierająca pomoc na temat każdej jednej zakładki programu "
     "Kelvaro.\n\n"
     "Z listy tematów po lewej stronie wybierz zakładkę, o której chcesz się czegoś dowiedzieć, a jej opis "
     "pojawi "
     "się w tym miejscu. Listę tematów przewijasz paskiem obok niej. Pomoc przywołasz z każdego miejsca "
     "programu "
     "klawiszem F1, a przycisk \"Odczytaj\" na tej zakładce przywraca ten opis i początek listy."},
    {"O programie", "oprog", "O programie",
     "Zakładka O programie podaje nazwę programu, jego wersję, producenta i autora.\n\n"
     "Kliknij adres e-mail, aby napisać do autora, albo adres WWW, aby otworzyć stronę programu w "
     "przeglądarce."},
    {"Co nowego ?", "coNowego", "Co nowego ?",
     "Wersja 3.7.37:\n\n"
     "- Kelvaro konfiguruje również Windows uruchamiany w systemie Linux: własne środowisko z polską "
     "instalacją "
     "Windows 98 SE albo wskazany prefiks Wine.\n"
     "- Programy Windows, które uruchamiają zakładki, są uruchamiane przez Wine w tym samym środowisku.\n"
     "- Zakładki mogą układać się w kilku rzędach z każdej strony okna.\n"
     "- Wszystkie elementy okna są dostępne dla czytników ekranu.\n"
     "- Pomoc opisuje każdą zakładkę programu."},
}};

}  // namespace

std::span<const HelpTopic> helpTopics() { return kTopics; }

int helpTopicIndex(const char* key) {
  for (std::size_t i = 0; i < kTopics.size(); ++i) {
    if (std::strcmp(kTopics[i].key, key) == 0) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace kelvaro
