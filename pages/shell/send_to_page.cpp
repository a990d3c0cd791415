#include "pages/shell/send_to_page.h"

#include <QString>

#include "pages/derived_name.h"
#include "platform/file_system.h"
#include "store/common_functions.h"

namespace kelvaro {
namespace {

const ShortcutFolderTexts kTexts{
    .id = "SendTo",
    .heading = "Lista pozycji w menu \"Wyślij do ...\"",
    .listHint = "Lista wpisów znakdująca się w menu \"Wyślij do...\"",
    .addCaption = "Dodaj wpis",
    .addHint = "Dodaj nowy wpis do menu \"Wyślij do ...\"",
    .removeCaption = "Usuń wpis",
    .removeHint = "Usuń wybrany wpis z menu \"Wyślij do\"",
    .renameHint = "Zmień nazwę pozycji w menu \"Wyślij do ...\"",
    .addHeading = "Dodaj wpis do menu \"Wyślij do\"",
    .programCaption = "Wysyłaj pliki do programu:",
    .programHint = "Podaj ścieżkę do programu, do którego mają być wysyłane pliki",
    .nameCaption = "W menu \"Wyślij do\" bedzie pod nazwą:",
    .nameHint = "Podaj nazwę, jaka będzie widniała w menu",
    .addOkHint = "Dodaj nową pozycję do menu",
    .addCancelHint = "Nie dodajwaj nowej pozycji do menu",
    .removeFailed =
        "Nie mogę usunąć wskazanej pozycji z menu.\rSprawdź, czy nie masz ograniczonych uprawnień i "
        "nie możesz niczego zmieniać !!!",
    .renameFailed =
        "Nie mogę zmienić nazwy tej pozycji.\rSprawdź, czy dysk nie jest zabezpieczony przed zapisem, lub "
        "czy nie "
        "masz wystarczających uprawnień do zmiany nazwy tego pliku !!!\rBłąd może być także spowodowany "
        "poprzez "
        "podanie nieprawidłowej nazwy pliku. Sprawdź, czy w podanej nazwie nie używasz przypadkiem znaków, "
        "które "
        "nie mogą występować w nazwie pliku a są nimi \\ / : * ? \" < > |.",
    .addFailed =
        "Nie mogę dodać nowej pozycji do menu \"Wyślij do\".\rSprawdź, czy folder \"Wyślij do\" istnieje, "
        "czy dysk nie jest zabezpieczony przed zapisem i czy w podanej nazwie nie używasz znaków, które "
        "nie mogą występować w nazwie pliku a są nimi \\ / : * ? \" < > |.",
    .nameLimit = 30,
    .programFieldFirst = true,
    .renameIsPending = false,
};

}  // namespace

SendToPage::SendToPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : ShortcutFolderPage(app, info, kTexts, parent) {}

std::string SendToPage::findFolder() {
  const std::string folder = shellFolderPath(app().registry(), "SendTo");
  return !folder.empty() && app().files().directoryExists(folder) ? folder : std::string();
}

std::string SendToPage::describedFolder() {
  return app().frame().views().shellFolderLabel("Wyślij do").value_or(folder());
}

std::string SendToPage::addFolder() { return shellFolderPathViaIni(app().registry(), "SendTo"); }

void SendToPage::chooseProgram() {
  const auto chosen = app().dialogs().openFile({.title = "Wibierz program",
                                                .filter = "Programy (*.exe)|*.exe",
                                                .initialFolder = app().environment().windowsDirectory(),
                                                .defaultExtension = {},
                                                .mustExist = true});
  if (chosen && !chosen->empty()) {
    const QString path = QString::fromStdString(*chosen);
    const qsizetype dot = path.lastIndexOf('.');
    const QString extension = dot < 0 || path.indexOf('\\', dot) >= 0 ? QString() : path.mid(dot).toUpper();
    if (extension != ".EXE") {
      app().dialogs().message(
          "Wybrany format pliku jest niepoprawny.\rPoprawnym formatem plików są aplikacje o rozszerzeniu "
          "EXE. "
          "Pliki EXE są plikami wykonawczymi, i tylko do nich można wysyłać inne pliki.");
    } else {
      setProgram(*chosen, derivedName(*chosen));
    }
  }
  focusName();
}

}  // namespace kelvaro
