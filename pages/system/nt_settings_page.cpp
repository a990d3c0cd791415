#include "pages/system/nt_settings_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "platform/file_system.h"
#include "platform/launcher.h"
#include "platform/shell_links.h"
#include "store/registry_handle.h"

namespace kelvaro {
namespace {

constexpr char kMemory[] = "System\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";

struct Console {
  const char* entry;
  const char* file;
};

constexpr std::array<Console, 18> kConsoles{{
    {"Defragmentator dysków", "\\dfrg.msc"},
    {"Instrumentację zarządzania Windows (WMI)", "\\wmimgmt.msc"},
    {"Lokalni użytkownicy i grupy", "\\lusrmgr.msc"},
    {"Magazyn wymienny", "\\ntmsmgr.msc"},
    {"Menedżera urządzeń", "\\devmgmt.msc"},
    {"Omówienie certyfikatów", "\\certmgr.msc"},
    {"Podgląd zdarzeń", "\\eventvwr.msc"},
    {"Przystawkę \"Foldery udostępnione\"", "\\fsmgmt.msc"},
    {"Usługę indeksowania", "\\ciadv.msc"},
    {"Usługę uwierzytelnień internetowych", "\\ias.msc"},
    {"Usługi", "\\services.msc"},
    {"Ustawienia zabezpieczeń lokalnych", "\\secpol.msc"},
    {"Wydajność", "\\perfmon.msc"},
    {"Zarządanie komputerem", "\\compmgmt.msc"},
    {"Zarządzanie dyskami", "\\diskmgmt.msc"},
    {"Zarządzanie usługą faksowania", "\\faxserv.msc"},
    {"Zasady grupy", "\\gpedit.msc"},
    {"Żądania operatora magazynu wymiennego", "\\ntmsoprq.msc"},
}};

}  // namespace

NtSettingsPage::NtSettingsPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 8, 12, 8);
  auto* heading = new QLabel(
      QStringLiteral("Triki działające tylko pod systemami opartymi na technologi NT (2000, XP, 2003)"),
      this);
  heading->setObjectName("systemNtHeading");
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);

  auto* applyButton = new QPushButton(QStringLiteral("Zastosuj"), this);
  applyButton->setObjectName("systemNtApply");
  applyButton->setToolTip(QStringLiteral("Zastosuj wprowadzone zmiany"));
  apply_ = &addApplyCommand(applyButton, {}, [this] {
    RegistryHandle reg(this->app().registry());
    apply_->writeBindings(reg);
    // The ZIP folder handler follows the box on every Apply.
    this->app().launcher().run(zipFolders_->isChecked() ? "regsvr32 /u zipfldr.dll" : "regsvr32 zipfldr.dll",
                               ShowWindow::Normal);
    return WriteResult::Done;
  });

  auto* pageFile = new QCheckBox(QStringLiteral("Wyczyść plik wymiany przy zamykaniu systemu"), this);
  pageFile->setObjectName("ClearPageFileAtShutdown");
  pageFile->setToolTip(QStringLiteral(
      "Możesz uaktywnić opcję 'Clear PageFile On Shutdown' (Wyczyść plik wymiany przy zamykaniu systemu), co "
      "poprawi pracę pliku wymiany pagefile.sys w Windows NT."));
  zipFolders_ = new QCheckBox(QStringLiteral("Wyłącz obsługę archiwów (ZIP Folders)"), this);
  zipFolders_->setObjectName("NoZipFolders");
  zipFolders_->setToolTip(
      QStringLiteral("Standardowo system ma wbudowaną obsługę plików ZIP - można je przeglądać jak zwykłe "
                     "foldery. Na tę funkcję "
                     "zużywana jest jednak pewna ilość zasobów. Jeśli nie korzystasz z wbudowanej "
                     "przeglądarki plików ZIP, możesz "
                     "ją wyłączyć."));
  layout->addWidget(pageFile);
  layout->addWidget(zipFolders_);
  layout->addWidget(applyButton, 0, Qt::AlignLeft);

  auto* group = new QGroupBox(QStringLiteral("Uruchom w NT"), this);
  group->setObjectName("systemNtConsoles");
  auto* row = new QHBoxLayout(group);
  consoles_ = new QComboBox(group);
  consoles_->setObjectName("systemNtConsoleList");
  consoles_->setEditable(true);
  consoles_->setInsertPolicy(QComboBox::NoInsert);
  consoles_->setToolTip(QStringLiteral("Dostępne opcje do uruchomienia"));
  consoles_->setAccessibleName(consoles_->toolTip());
  consoles_->lineEdit()->setAccessibleName(consoles_->toolTip());
  for (const Console& console : kConsoles) consoles_->addItem(QString::fromUtf8(console.entry));
  open_ = new QPushButton(QStringLiteral("OK"), group);
  open_->setObjectName("systemNtOpen");
  open_->setToolTip(QStringLiteral("Kliknij, aby uruchomić wybraną opcję"));
  shortcut_ = new QPushButton(QStringLiteral("Utwórz skrót..."), group);
  shortcut_->setObjectName("systemNtShortcut");
  row->addWidget(consoles_, 1);
  row->addWidget(open_);
  row->addWidget(shortcut_);
  layout->addWidget(group);
  layout->addStretch(1);
  open_->setEnabled(false);
  shortcut_->setEnabled(false);

  apply_->bindCheckBox(pageFile,
                       {Root::LocalMachine, kMemory, "ClearPageFileAtShutdown", Pattern::PrunedFlag});
  apply_->bindCheckBox(zipFolders_,
                       {Root::LocalMachine, kCurrentVersion, "NoZipFolders", Pattern::PrunedFlag});

  connect(consoles_, &QComboBox::editTextChanged, this, &NtSettingsPage::consoleChanged);
  connect(open_, &QPushButton::clicked, this, &NtSettingsPage::openConsole);
  connect(shortcut_, &QPushButton::clicked, this, &NtSettingsPage::createShortcut);
}

void NtSettingsPage::load() { consoles_->setEditText({}); }

void NtSettingsPage::consoleChanged() {
  const QString text = consoles_->currentText();
  open_->setEnabled(!text.isEmpty());
  shortcut_->setEnabled(!text.isEmpty());
  consolePath_.clear();
  for (const Console& console : kConsoles) {
    if (text == QString::fromUtf8(console.entry))
      consolePath_ = app().environment().systemDirectory() + console.file;
  }
}

void NtSettingsPage::openConsole() {
  if (!consolePath_.empty() && app().files().fileExists(consolePath_)) {
    app().launcher().open(consolePath_, ShowWindow::Normal);
    return;
  }
  app().dialogs().message(
      "Nie można uruchomić żądanej usługi ponieważ nie można odnaleźć plików potrzebnych do uruchomienia "
      "wybranej "
      "opcji\n\nUsługa albo nie została zainstalowana, albo pliki potrzebne do jej uruchomienia zostały "
      "usunięte.\n\n"
      "Upewnij się również czy wybrałeś usługę znajdującą się na liście dostępnych pozycji.");
}

void NtSettingsPage::createShortcut() {
  const std::string desktop = app().frame().views().shellFolderLabel("Pulpit").value_or("");
  const std::string name = consoles_->currentText().toStdString() + ".lnk";
  // The typed text is a file name in the desktop folder, never a path.
  const auto file = name.find_first_of("\\/:*?\"<>|") == std::string::npos
                        ? app().files().hostPath(desktop + "\\" + name)
                        : std::nullopt;
  const auto slash = consolePath_.rfind('\\');
  const std::string folder = slash == std::string::npos ? std::string() : consolePath_.substr(0, slash);
  if (file) {
    try {
      ShellLink link;
      link.target = consolePath_;
      link.workingDirectory = folder;
      app().shellLinks().create(*file, link);
    } catch (const ShellLinkError&) {
      // Failures of the shortcut are not reported.
    }
  }
  shortcut_->setEnabled(false);
}

}  // namespace kelvaro
