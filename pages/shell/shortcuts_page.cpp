#include "pages/shell/shortcuts_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/shell/folder_entries.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/shell_links.h"
#include "store/common_functions.h"

namespace kelvaro {

const std::array<ShortcutsPage::Shortcut, ShortcutsPage::kShortcuts>& ShortcutsPage::table() {
  static const std::array<Shortcut, kShortcuts> shortcuts{{
      {"Zamyka Windows ", "user,exitwindows", "Zamknij Windows", "Skrót ten będzie Zamykał Windows"},
      {"Restartuje Windows", "user,exitwindowsexec", "Restartuj Windows",
       "Skrót ten będzie Restartował Windows"},
      {"Wylogowuje bieżącego użytkownika", "shell32,SHExitWindowsEx", "Wyloguj",
       "Skrót ten wyloguje bierzącego użytkownika"},
      {"Otwiera okno Otwórz z", "shell32,OpenAs_RunDll", "Otwórz z",
       "Skrót ten będzie otwierał okno \"Otwórz z ...\""},
      {"Zamienia przyciski myszki", "user,swapmousebutton", "Zameiń przyciski myszy",
       "Skrót ten będzie zmieniał przyciski myszki"},
      {"Zawiesza system", "user,disableoemlayer", "Zawieś system", "Skrót ten będzie zawieszał system"},
      {"Odświeża ekran", "user,repaintscreen", "Odświerz Ekran", "Skrót ten będzie odświeżał ekran"},
      {"Otwiera panel sterowania", "shell32,Control_RunDll", "Otwórz Panel Sterowania",
       "Skrót ten będzie otwierał panel sterowania"},
      {"Przywołuje okno Kopiuj dysk", "diskcopy,DiskCopyRunDll", "Kopiuj Dysk",
       "Skrót ten będzie przywoływał okno \"Kopiuj dysk\""},
      {"Otwiera okno Dial-up Networking", "rnaui.dll,RnaWizard", "Dial-Up NetWorking",
       "Skrót ten będzie otwierał okno Dial-Up Networking"},
      {"Otwiera okno Explorera", "shell,shellexecute", "Eksplorator",
       "Skrót ten będzie otwierał ekploratora Windows"},
      {"Przywołuje okno Mapuj dysk sieciowy", "user,wnetconnectdialog", "Mapój dysk",
       "Skrót ten będzie przywoływał okno \"Mapój dysk sieciowy\""},
      {"Przywołuje okno Odłącz dysk sieciowy", "user,wnetdisconnectdialog", "Odłącz dysk",
       "Skrót ten będzie przywoływał okno \"Odłącz dysk sieciowy\""},
      {"Otwiera okno informujące o dostepnej pamięci", "shell32,ShellAboutA", "Dostępna pamięć",
       "Skrót ten będzie otwierał okno informujące o dostępnej pamięci"},
      {"Przesuwa kursor do górnego lewego narożnika", "user,setcursorpos", "Przesuń kursor",
       "Skrót ten będzie przesuwał kursor do górnego lewego narożnika"},
      {"Umieszcza wszystkie otwarte okna obok siebie", "user,tilechildwindows",
       "Ustaw otwarte okna obok siebie", "Skrót ten będzie umieszczał otwarte oknna sąsiadująco poziomo"},
      {"Umieszcza wszystkie otwarte okna kaskadowo", "user,cascadechildwindows",
       "Ustaw otwarte okna kaskadowo", "Skrót ten będzie umieszczał wszystkie otwarte okna kaskadowo"},
      {"Włącza kreator dodawania nowego sprzętu", "sysdm.cpl,installDevice_Rundll",
       "Włącz kreator dodawania nowego sprzętu",
       "Skrót ten będzie uruchamiał kreator dodawania nowego sprzętu"},
      {"Otwiera okno Formatowanie - dyskietka", "Shell32,SHFormatDrive", "Formatuj dyskietkę",
       "Skrót ten będzie otwierał okno do formatowania dyskietki"},
      {"Generuje dźwięk domyślny Windows", "user,MessageBeep", "Domyślny dźwięk Windowsa",
       "Skrót ten będzie odtważał domyślny dźwięk Windows`a"},
      {"Wyłącza klawiaturę", "keyboard,disable", "Wyłącz klawiaturę", "Skrót ten będzie wyłączał klawiaturę"},
      {"Wyłącza myszkę", "mouse,disable", "Wyłącz mysz", "Skrót ten będzie wyłączał myszkę"},
  }};
  return shortcuts;
}

ShortcutsPage::ShortcutsPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  auto* group = new QGroupBox(QStringLiteral(" Utwórz na pulpicie skrót który (Win 9x i ME): "), this);
  group->setObjectName("skrotyGroup");
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(2);
  const std::size_t half = (kShortcuts + 1) / 2;
  for (std::size_t i = 0; i < kShortcuts; ++i) {
    auto* box = new QCheckBox(QString::fromUtf8(table()[i].caption), group);
    box->setObjectName(QStringLiteral("skrot%1").arg(i + 1));
    box->setToolTip(QString::fromUtf8(table()[i].hint));
    box->installEventFilter(this);
    connect(box, &QCheckBox::toggled, this, [this] {
      bool any = false;
      for (QCheckBox* b : boxes_) any = any || b->isChecked();
      create_->setEnabled(any);
    });
    boxes_[i] = box;
    grid->addWidget(box, static_cast<int>(i % half), static_cast<int>(i / half));
  }
  layout->addWidget(group, 1);
  auto* row = new QHBoxLayout;
  create_ = hintedButton(QStringLiteral("Utwórz ..."), QStringLiteral("Utwórz wybrany skrót"), "skrotyCreate",
                         this);
  create_->setEnabled(false);
  row->addStretch(1);
  row->addWidget(create_);
  layout->addLayout(row);
  connect(create_, &QPushButton::clicked, this, &ShortcutsPage::create);
}

void ShortcutsPage::create() {
  const std::string windows = app().environment().windowsDirectory();
  QStringList failed;
  for (std::size_t i = 0; i < kShortcuts; ++i) {
    if (!boxes_[i]->isChecked()) continue;
    const Shortcut& s = table()[i];
    const std::string desktop = shellFolderPath(app().registry(), "Desktop");
    const auto file = desktop.empty() || !app().files().directoryExists(desktop)
                          ? std::nullopt
                          : app().files().hostPath(desktop + "\\" + s.name + ".lnk");
    bool saved = false;
    if (file) {
      ShellLink link;
      link.target = windows + "\\Rundll32.exe";
      link.arguments = s.arguments;
      link.workingDirectory = windows + "\\";
      try {
        app().shellLinks().create(*file, link);
        saved = true;
      } catch (const ShellLinkError&) {
      }
    }
    if (!saved) failed << QString::fromUtf8(s.name);
  }
  for (QCheckBox* box : boxes_) {
    const QSignalBlocker block(box);
    box->setChecked(false);
  }
  create_->setEnabled(false);
  // Nothing tells the user otherwise that a shortcut is missing.
  if (!failed.isEmpty()) {
    app().dialogs().message(
        (QStringLiteral("Nie mogę utworzyć na pulpicie skrótów: ") + failed.join(QStringLiteral(", ")) +
         QStringLiteral(
             ".\rSprawdź, czy folder pulpitu istnieje i czy dysk nie jest zabezpieczony przed zapisem."))
            .toStdString());
  }
}

bool ShortcutsPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && create_->isEnabled()) {
      for (QCheckBox* box : boxes_) {
        if (watched == box) {
          create();
          return true;
        }
      }
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
