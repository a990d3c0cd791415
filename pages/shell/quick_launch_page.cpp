#include "pages/shell/quick_launch_page.h"

#include "pages/derived_name.h"
#include "platform/file_system.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kBelowAppData[] = "\\Microsoft\\Internet Explorer\\Quick Launch";

const ShortcutFolderTexts kTexts{
    .id = "SzybkieUruchamianie",
    .heading = "Lista plików w pasku narzedzi \"Szybkie uruchamianie\"",
    .listHint = "Lista skrótów w menu \"Szybkie uruchamianie\"",
    .addCaption = "Dodaj skrót",
    .addHint = "Dodaj nowy skrót do paska \"Szybkie uruchamianie\"",
    .removeCaption = "Usuń skrót",
    .removeHint = "Usuń nazwę z menu \"Szybkie uruchamianie\"",
    .renameHint = "Zmień nazwę pliku w menu \"Szybkie uruchamianie\"",
    .addHeading = "Dodaj wpis do zawartości paska \"Szybkie uruchamianie\"",
    .programCaption = "Skrót do programu",
    .programHint = "Podaj ścieżkę do programu, do którego mam utworzyć skrót...",
    .nameCaption = "Na pasku będzie widniała nazwa:",
    .nameHint = "Podaj nazwę jaka będzie widniała na pasku",
    .addOkHint = "Dodaj nową pozycję do paska",
    .addCancelHint = "Nie dodajwaj nowej pozycji do menu",
    .removeFailed = nullptr,
    .renameFailed =
        "Nie mogę zmienić nazwy tego pliku.\rSprawdź, czy dysk nie jest zabezpieczony przed zapisem, lub czy "
        "nie "
        "masz wystarczających uprawnień do zmiany nazwy tego pliku !!!\rBłąd może być także spowodowany "
        "poprzez "
        "podanie nieprawidłowej nazwy pliku. Sprawdź, czy w podanej nazwie nie używasz przypadkiem znaków, "
        "które "
        "nie mogą występować w nazwie pliku a są nimi \\ / : * ? \" < > |.\rUpewnij się także, czy w menu "
        "\"Szybkie uruchamianie\" nie istnieje już wpis o takiej samej nazwie\"",
    .addFailed =
        "Nie mogę dodać nowego skrótu do paska \"Szybkie uruchamianie\".\rSprawdź, czy dysk nie jest "
        "zabezpieczony przed zapisem i czy w podanej nazwie nie używasz znaków, które nie mogą "
        "występować w nazwie pliku a są nimi \\ / : * ? \" < > |.",
    .nameLimit = 0,
    .programFieldFirst = false,
    .renameIsPending = true,
};

}  // namespace

QuickLaunchPage::QuickLaunchPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : ShortcutFolderPage(app, info, kTexts, parent) {}

std::string QuickLaunchPage::findFolder() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::CurrentUser);
  reg.openKey(kShellFolders, true);
  std::string folder;
  if (reg.valueExists("AppData") && reg.valueKind("AppData") == ValueKind::String)
    folder = reg.readString("AppData") + kBelowAppData;
  if (folder.empty() || !app().files().directoryExists(folder))
    folder = app().environment().windowsDirectory() + "\\Dane Aplikacji" + kBelowAppData;
  return app().files().directoryExists(folder) ? folder : std::string();
}

void QuickLaunchPage::chooseProgram() {
  const auto chosen = app().dialogs().openFile({.title = "Wibierz program",
                                                .filter = "Programy (*.exe)|*.exe",
                                                .initialFolder = "C:\\",
                                                .defaultExtension = "exe",
                                                .mustExist = true});
  if (!chosen || chosen->empty()) return;
  setProgram(*chosen, "Uruchom program " + derivedName(*chosen));
  focusName();
}

}  // namespace kelvaro
