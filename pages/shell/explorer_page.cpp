#include "pages/shell/explorer_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "pages/shell/toolbar_preview.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/pictures.h"
#include "store/registry_handle.h"
#include "store/store_error.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kExplorerPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kNetworkPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
constexpr char kSystemPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kWinOldApp[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WinOldApp";
constexpr char kActiveDesktop[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ActiveDesktop";
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kDesktop[] = "Control Panel\\Desktop";
constexpr char kExplorer[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr char kToolbar[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
constexpr char kUpdate[] = "System\\CurrentControlSet\\Control\\Update";
constexpr char kNewHandler[] = "Directory\\Background\\shellex\\ContextMenuHandlers\\New";
constexpr char kNewGuid[] = "{D969A300-E7FF-11d0-A93B-00A0C90F2719}";
constexpr char kSendToHandler[] = "AllFilesystemObjects\\shellex\\ContextMenuHandlers\\Send To";
constexpr char kSendToGuid[] = "{7BA4C740-9E81-11CF-99D3-00AA004AE837}";

constexpr int kDefaultTimeout = 2000;
constexpr int kColumnWidth = 280;
constexpr int kColumns = 3;

constexpr char kBadFormat[] =
    "Format wybranego pliku jest nieprawidłowy. Aby zmienić tło eksploratora plik musi być w formacie BMP. "
    "Wybierz inny plik, lub sprawdź czy wybrany plik istnieje.";

struct Policy {
  const char* key;
  const char* value;
  const char* caption;
  const char* hint;
};

// In the order they are shown.
constexpr std::array<Policy, 15> kPolicies{{
    {kActiveDesktop, "NoCloseDragDropBands", "Wyłącz dodawanie nowych pasków zadań",
     "Blokuje dodawanie nowego paska zadań"},
    {kExplorerPolicies, "NoFolderOptions", "Wyłącz \"Opcje folderów\" w Eksploratorze",
     "Ukrywa menu \"Opcje folderów\" w Eksploratorze i w menu \"Ustawienia\" - \"Menu Start\""},
    {kNetworkPolicies, "NoEntireNetwork", "Ukryj ikonę \"Cała sieć\"",
     "Z \"Otoczenia sieciowego\" znika ikona \"Cała sieć\""},
    {kNetworkPolicies, "NoWorkgroupContents", "Ukryj grupy robocze",
     "Z \"Otoczenia Sieciowego\" znika zawartość grup roboczych"},
    {kSystemPolicies, "DisableRegistryTools", "Wyłącz narzędzia do edycji rejestru",
     "Uniemożliwia uruchamianie edytora rejetru i innych tego typu progrmów"},
    {kExplorerPolicies, "NoStartBanner", "Wyłącz baner \"Kliknij tutaj, aby rozpocząć\"",
     "Ukrywa napis \"Kliknij tutaj, aby rozpocząć\" i strzałkę po uruchomieniu systemu lub wylogowaniu się "
     "użytkownika"},
    {kWinOldApp, "Disabled", "Wyłącz tryb MS-DOS",
     "Uniemożliwia uruchamiane programów napisanych dla systemu operacyjnego MS-DOS"},
    {kWinOldApp, "NoRealMode", "Ukryj funkcję \"Uruchom ponownie w trybie MS-DOS\"",
     "Z okna dialogowego \"Zamknij System Windows\" znika opcja \"Uruchom ponownie w trybie MS-DOS"},
    {kExplorerPolicies, "ClassicShell", "Wyłącz nowe funkcje powłoki",
     "Wyłącza funkcje: Active Desktop, widok jako strony sieci Web i widok miniatur. Dotyczy to również "
     "możliwości otwierania plików po jednokrotnym kliknięciu"},
    {kExplorerPolicies, "NoDevMgrUpdate", "Wyłącz funkcję \"Windows Update\"",
     "Menedżer urządzeń nie szuka już nowych sterowników w witrynie \"Windows Update\""},
    {kExplorerPolicies, "NoTrayContextMenu", "Wyłącz menu kontekstowe dla paska zadań",
     "Uniemożliwia włączanie menu kontekstowych dla paska zadań włącznie z przyciskiem \"Start\" i paskami "
     "użytkowniak i zegarka"},
    {kExplorerPolicies, "NoViewContextMenu", "Wyłącz menu kontekstowe dla Eksploratora i Pulpitu",
     "Uniemożliwia włączanie menu kiedy klikasz prawym przyciskiem na pulpit lub prawy panel Eksploratora "
     "Windows"},
    {kExplorerPolicies, "NoFileMenu", "Wyłącz menu \"Plik\" Eksploratora i Internet Explorera",
     "Ukrywa menu plik w Eksploratorze Windows i w Internet Eksplorerze"},
    {kExplorerPolicies, "NoNetConnectDisconnect", "Wyłącz przyłączanie i odłączanie dysków sieciowych",
     "Z Eksploratora i menu kontekstowych znikają polecenia \"Mapuj dysk sieciowy\" i \"Odłącz dysk "
     "sieciowy\""},
    {kDesktop, "AutoEndTasks", "Automatycznie zamykaj zawieszone programy",
     "Programy, które zawiesiły się podczas zamykania systemu, są zamykane bez pytania o zgodę"},
}};

std::string name(const char* value) { return std::string("explorer2") + value; }

// The number in the first four bytes of a binary value of at most limit
// bytes, little-endian; nullopt when the value is missing, of another kind or
// longer.
std::optional<std::uint32_t> binaryNumber(RegistryHandle& reg, const char* value, std::size_t limit) {
  if (!reg.valueExists(value) || reg.valueKind(value) != ValueKind::Binary) return std::nullopt;
  const RegistryValue* raw = reg.rawValue(value);
  if (raw->data.size() > limit) return std::nullopt;
  std::uint32_t n = 0;
  for (std::size_t i = 0; i < 4 && i < raw->data.size(); ++i) n |= std::uint32_t{raw->data[i]} << (8 * i);
  return n;
}

std::vector<std::uint8_t> fourBytes(std::uint32_t n) {
  return {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
          static_cast<std::uint8_t>(n >> 24)};
}

std::string stringDefault(RegistryHandle& reg, const char* key, const char* missing) {
  reg.closeKey();
  std::string text = missing;
  if (openForRead(reg, key) && reg.valueExists("") && reg.valueKind("") == ValueKind::String)
    text = reg.readString("");
  reg.closeKey();
  return text;
}

// The hung-program time-out: a typed number outside the range becomes the
// nearer bound when the typing ends (Enter or leaving the field).
class TimeoutField : public QSpinBox {
 public:
  using QSpinBox::QSpinBox;

 protected:
  QValidator::State validate(QString& text, int& pos) const override {
    const QValidator::State state = QSpinBox::validate(text, pos);
    bool number = false;
    if (state == QValidator::Invalid && text.size() <= 9) text.toInt(&number);
    return number ? QValidator::Intermediate : state;
  }
  void fixup(QString& text) const override {
    bool number = false;
    const int n = text.toInt(&number);
    if (number) text = QString::number(std::clamp(n, minimum(), maximum()));
  }
  void focusOutEvent(QFocusEvent* event) override {
    clampTyped();
    QSpinBox::focusOutEvent(event);
  }
  void keyPressEvent(QKeyEvent* event) override {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) clampTyped();
    QSpinBox::keyPressEvent(event);
  }

 private:
  void clampTyped() {
    bool number = false;
    const int n = lineEdit()->text().toInt(&number);
    if (number) setValue(std::clamp(n, minimum(), maximum()));
  }
};

}  // namespace

ExplorerPage::ExplorerPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(4, 4, 4, 4);
  viewport_ = new QWidget(this);
  viewport_->setObjectName("explorer2Viewport");
  viewport_->installEventFilter(this);
  outer->addWidget(viewport_, 1);
  panel_ = new QWidget(viewport_);
  panel_->setObjectName("explorer2Panel");
  auto* columns = new QHBoxLayout(panel_);
  columns->setContentsMargins(4, 4, 4, 4);
  std::array<QVBoxLayout*, kColumns> column{};
  for (auto*& c : column) {
    auto* holder = new QWidget(panel_);
    holder->setFixedWidth(kColumnWidth + 10);
    c = new QVBoxLayout(holder);
    c->setContentsMargins(0, 0, 0, 0);
    c->setSpacing(2);
    columns->addWidget(holder, 0, Qt::AlignTop);
  }
  columns->addStretch(1);

  auto* bottom = new QHBoxLayout;
  scroller_ = new QScrollBar(Qt::Horizontal, this);
  scroller_->setObjectName("explorer2Scroll");
  scroller_->setRange(0, 1);
  scroller_->setPageStep(1);
  scroller_->setToolTip(QStringLiteral("Przwiń na następną/poprzednią stronę"));
  scroller_->setAccessibleName(scroller_->toolTip());
  connect(scroller_, &QScrollBar::valueChanged, this, &ExplorerPage::placePanel);
  bottom->addWidget(scroller_, 1);
  auto* applyButton = hintedButton(QStringLiteral("Zastosuj"), QStringLiteral("Wprowadź zmiany"),
                                   QStringLiteral("explorer2Apply"), this);
  bottom->addWidget(applyButton);
  outer->addLayout(bottom);
  apply_ = &addApplyCommand(applyButton, {.setsRestartNeeded = true}, [this] { return apply(); });

  // The policies: two columns.
  for (std::size_t i = 0; i < kPolicies.size(); ++i) {
    const Policy& p = kPolicies[i];
    QCheckBox* b = addBox(name(p.value), p.caption, p.hint, panel_);
    column[i < 8 ? 0 : 1]->addWidget(b);
    apply_->bindCheckBox(b, {Root::CurrentUser, p.key, p.value, Pattern::PrunedFlag});
  }

  // The other boxes.
  const auto other = [&](const char* value, const char* caption, const char* hint) {
    QCheckBox* b = addBox(name(value), caption, hint, panel_);
    column[2]->addWidget(b);
    connect(b, &QCheckBox::clicked, apply_, &ApplyCommand::markPending);
    return b;
  };
  other("IsShortcut", "Usuń strzałkę z ikon skrótu",
        "Z ikon skrótu znika strzałka umieszczana w lewym dolnym rogu");
  for (auto [value, caption, hint] :
       {std::array<const char*, 3>{"TaskbarSizeMove", "Wyłącz zmianę rozmiaru pasków zadań",
                                   "Nie pozwala na dowolne ustawianie pasków zadań tzn. ne pozwala na "
                                   "przenoszenie i zmianę rozmiaru dowolnego paska zadań."},
        std::array<const char*, 3>{"ShowInfoTip", "Wyłącz wyświetlanie systemowych podpowedzi",
                                   "Wyłącza wyświetlanie podpowiedzi np. po najechaniu na Mój komputer "
                                   "wyświetla się podpowiedź. Ta opcja to blokuje."}}) {
    QCheckBox* b = addBox(name(value), caption, hint, panel_);
    column[2]->addWidget(b);
    apply_->bindCheckBox(b, {Root::CurrentUser, kAdvanced, value, Pattern::InvertedDwordFlag});
  }
  other("link", "Nie dodawaj do skrótów wyrażenia \"Skrót do ...\"",
        "Przed nazwą nowo tworzonego skrótu nie są już dodawane słowa \"Skrót do\"");
  other("UpdateMode", "Aktualizacja widoku w Eksploratorze",
        "Skopiowane foldery od razu pojawiają się w drzewie Eksploratora, bez naciskania klawisza F5");
  other("New", "Ukryj w menu \"NOWY\"",
        "Z menu kontekstowego pulpitu i okien folderów znika pozycja \"NOWY\"");
  other("SendTo", "Ukryj w menu pozycję \"Wyślij do\"",
        "Z menu kontekstowego plików i folderów znika pozycja \"Wyślij do\"");
  other("Reg", "Wyłącz wprowadzanie plików REG do rejestru",
        "Nie pozwala na wprowadzanie nowych wartości do rejestru z plików typu REG. Pliki REG nie są teraz "
        "wprowadzane do rejestru, lecz otwierane notatnikiem.");
  other("Notepad", "Otwieraj nieznany format w notatniku",
        "Otwiera nieznane formaty plików (niezarejstrowane) w notatniku");
  column[2]->addStretch(1);

  // CD-ROM autorun, the time-out and the toolbar background.
  QCheckBox* autorun = addBox(name("NoDriveTypeAutoRun"), "Nie uruchamiaj automatycznie CD-ROM`a",
                              "Po włożeniu płyty CD-ROM do napędu jej program nie jest uruchamiany "
                              "automatycznie",
                              panel_);
  connect(autorun, &QCheckBox::clicked, apply_, &ApplyCommand::markPending);
  column[0]->addWidget(autorun);
  const QString timeoutCaption =
      QStringLiteral("Czas zabijania zawieszonej aplikacji                       ms");
  auto* timeoutLabel = new QLabel(timeoutCaption, panel_);
  timeoutLabel->setObjectName("explorer2TimeoutCaption");
  timeoutLabel->setMinimumHeight(24);
  column[0]->addWidget(timeoutLabel);
  column[0]->addStretch(1);
  // The field sits in the gap the caption leaves before "ms".
  timeout_ = new TimeoutField(timeoutLabel);
  timeout_->setObjectName("WaitToKillAppTimeout");
  timeout_->setRange(1000, 20000);
  timeout_->setToolTip(QStringLiteral("Podajesz tutaj czas zabijania zawieszonej aplikacji"));
  timeout_->setAccessibleName(QStringLiteral("Czas zabijania zawieszonej aplikacji (ms)"));
  if (auto* text = timeout_->findChild<QLineEdit*>()) text->setAccessibleName(timeout_->accessibleName());
  const QFontMetrics metrics(timeoutLabel->font());
  const int gapStart = metrics.horizontalAdvance(QStringLiteral("Czas zabijania zawieszonej aplikacji "));
  const int gapWidth = metrics.horizontalAdvance(timeoutCaption) -
                       metrics.horizontalAdvance(QStringLiteral("ms")) - gapStart - 2;
  timeout_->setGeometry(gapStart, 0, std::max(gapWidth, 60), 22);
  timeoutLabel->setMinimumWidth(gapStart + std::max(gapWidth, 60) + metrics.horizontalAdvance("ms") + 4);
  connect(timeout_, &QSpinBox::valueChanged, apply_, &ApplyCommand::markPending);

  auto* heading = new QLabel(QStringLiteral("Tapeta Eksploratora Windows"), panel_);
  heading->setObjectName("explorer2BackgroundHeading");
  column[1]->addWidget(heading);
  auto* backgroundRow = new QHBoxLayout;
  preview_ = new ToolbarPreview(
      [this](const std::filesystem::path& file) {
        try {
          return this->app().pictures().load(file).image;
        } catch (const PictureError&) {
          return QImage();
        }
      },
      panel_);
  preview_->setObjectName("explorer2Preview");
  preview_->setToolTip(QStringLiteral("Podgląd"));
  preview_->setFixedSize(72, 104);
  backgroundRow->addWidget(preview_);
  auto* buttons = new QVBoxLayout;
  change_ = hintedButton(QStringLiteral("Zmień"), QStringLiteral("Zmień tapetę Eksploratora Windows"),
                         QStringLiteral("explorer2Change"), panel_);
  remove_ = hintedButton(QStringLiteral("Usuń"), QStringLiteral("Usuń tapetę Eksploratora Windows"),
                         QStringLiteral("explorer2Remove"), panel_);
  connect(change_, &QPushButton::clicked, this, &ExplorerPage::chooseBackground);
  connect(remove_, &QPushButton::clicked, this, &ExplorerPage::removeBackground);
  buttons->addWidget(change_);
  buttons->addWidget(remove_);
  buttons->addStretch(1);
  backgroundRow->addLayout(buttons);
  backgroundRow->addStretch(1);
  column[1]->addLayout(backgroundRow);
  backgroundLabel_ = new QLabel(panel_);
  backgroundLabel_->setObjectName("BackBitmapShell");
  backgroundLabel_->setWordWrap(true);
  column[1]->addWidget(backgroundLabel_);
  column[1]->addStretch(1);
  remove_->setEnabled(false);
}

QCheckBox* ExplorerPage::addBox(const std::string& boxName, const char* caption, const char* hint,
                                QWidget* parent) {
  auto* b = new QCheckBox(QString::fromUtf8(caption), parent);
  b->setObjectName(QString::fromStdString(boxName));
  b->setToolTip(QString::fromUtf8(hint));
  apply_->runOnEnter(b);
  boxes_[boxName] = b;
  return b;
}

bool ExplorerPage::checked(const char* value) const { return boxes_.at(name(value))->isChecked(); }

bool ExplorerPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == viewport_ && event->type() == QEvent::Resize) placePanel();
  return Page::eventFilter(watched, event);
}

void ExplorerPage::placePanel() {
  // Twice the page's width, moved 280 pixels per position of the scroll bar.
  const int width = std::max(2 * viewport_->width(), kColumns * (kColumnWidth + 10) + 8);
  panel_->setGeometry(-kColumnWidth * scroller_->value(), 0, width, viewport_->height());
}

void ExplorerPage::load() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::CurrentUser);
  bool autorun = false;
  if (openForRead(reg, kExplorerPolicies)) autorun = binaryNumber(reg, "NoDriveTypeAutoRun", 4) == 181u;
  boxes_.at(name("NoDriveTypeAutoRun"))->setChecked(autorun);
  reg.closeKey();

  int timeout = kDefaultTimeout;
  if (openForRead(reg, kDesktop) && reg.valueKind("WaitToKillAppTimeout") == ValueKind::String) {
    // Text that is no number counts as missing rather than ending the loader.
    bool number = false;
    const int n = QString::fromStdString(reg.readString("WaitToKillAppTimeout")).trimmed().toInt(&number);
    if (number) timeout = n;
  }
  reg.closeKey();
  timeout_->setValue(timeout);

  openForWrite(reg, kExplorer);
  boxes_.at(name("link"))->setChecked(binaryNumber(reg, "link", 5) == 0u);
  reg.closeKey();

  reg.setRoot(Root::LocalMachine);
  const bool updateBox = !openForRead(reg, kUpdate) || !reg.valueExists("UpdateMode") ||
                         binaryNumber(reg, "UpdateMode", 5) == 0u;
  boxes_.at(name("UpdateMode"))->setChecked(updateBox);
  reg.closeKey();

  reg.setRoot(Root::ClassesRoot);
  bool shortcutValues = true;
  for (const char* key : {"lnkfile", "piffile"}) {
    shortcutValues = openForRead(reg, key) && reg.valueExists("IsShortcut") && shortcutValues;
    reg.closeKey();
  }
  boxes_.at(name("IsShortcut"))->setChecked(!shortcutValues);
  for (auto [value, key, guid] : {std::array<const char*, 3>{"New", kNewHandler, kNewGuid},
                                  std::array<const char*, 3>{"SendTo", kSendToHandler, kSendToGuid}}) {
    const bool hidden = reg.keyExists(key) && stringDefault(reg, key, "") != guid;
    boxes_.at(name(value))->setChecked(hidden);
  }
  boxes_.at(name("Reg"))->setChecked(stringDefault(reg, ".reg", "") == stringDefault(reg, ".txt", ""));

  // The Notepad test: the command of the verb Unknown\shell names.
  bool notepad = false;
  const std::string verb = stringDefault(reg, "Unknown\\shell", "");
  if (!verb.empty() && openForRead(reg, "Unknown\\shell\\" + verb + "\\command")) {
    const QString command = QString::fromStdString(guardedReadString(reg, "")).toUpper();
    notepad = command == QStringLiteral("NOTEPAD.EXE %1") || command == QStringLiteral("NOTEPAD.EXE \"%1\"");
  }
  reg.closeKey();
  boxes_.at(name("Notepad"))->setChecked(notepad);

  reg.setRoot(Root::CurrentUser);
  openForWrite(reg, kToolbar);
  const std::string path = guardedReadString(reg, "BackBitmapShell");
  reg.closeKey();
  showBackground(!path.empty() && app().files().fileExists(path) ? path : std::string());

  scroller_->setValue(0);
  placePanel();
}

void ExplorerPage::showBackground(const std::string& path) {
  background_ = path;
  backgroundLabel_->setText(QString::fromStdString(path));
  // The picture itself is decoded when the preview first shows it.
  preview_->setFile(path.empty() ? std::filesystem::path()
                                 : app().files().hostPath(path).value_or(std::filesystem::path()));
  remove_->setEnabled(!path.empty());
}

void ExplorerPage::chooseBackground() {
  FileOpenSpec spec;
  spec.title = "Tapeta Eksploratora Windows";
  spec.filter = "Bitmapy|*.bmp";
  spec.initialFolder = app().environment().programDirectory() + "\\Logo\\Tapetki";
  const std::optional<std::string> chosen = app().dialogs().openPicture(spec);
  if (!chosen) return;
  const std::string& file = *chosen;
  const std::string extension = file.size() >= 4 ? file.substr(file.size() - 4) : std::string();
  if (!app().files().fileExists(file) || (extension != ".bmp" && extension != ".BMP")) {
    app().dialogs().message(kBadFormat);
    return;
  }
  const bool removable = remove_->isEnabled();
  showBackground(file);
  // "Usuń" follows what is stored, which Apply writes.
  remove_->setEnabled(removable);
  apply_->markPending();
}

void ExplorerPage::removeBackground() {
  run([this] {
    RegistryHandle reg(app().registry());
    openForWrite(reg, kToolbar);
    reg.deleteValue("BackBitmapShell");
    reg.closeKey();
    showBackground({});
  });
}

void ExplorerPage::writeFlags(RegistryHandle& reg, const char* key,
                              std::initializer_list<const char*> values) {
  reg.closeKey();
  openForWrite(reg, key);
  for (const char* value : values) reg.writeFlag(value, checked(value));
  reg.closeKey();
}

void ExplorerPage::pruneFlags(RegistryHandle& reg, const char* key,
                              std::initializer_list<const char*> values) {
  reg.closeKey();
  openForWrite(reg, key);
  for (const char* value : values) {
    if (!checked(value)) reg.deleteValue(value);
  }
  reg.closeKey();
}

WriteResult ExplorerPage::apply() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::CurrentUser);
  const bool taskbarLocked = checked("TaskbarSizeMove");

  // 1. Explorer policies.
  openForWrite(reg, kExplorerPolicies);
  for (const char* value : {"NoFolderOptions", "NoNetConnectDisconnect", "NoFileMenu"})
    reg.writeFlag(value, checked(value));
  reg.writeBinary("NoDriveTypeAutoRun", fourBytes(checked("NoDriveTypeAutoRun") ? 181 : 149));
  for (const char* value :
       {"NoStartBanner", "NoTrayContextMenu", "NoViewContextMenu", "NoDevMgrUpdate", "ClassicShell"})
    reg.writeFlag(value, checked(value));
  reg.closeKey();
  // 2.
  writeFlags(reg, kWinOldApp, {"Disabled", "NoRealMode"});
  // 3. The desktop: the flag is removed at once, the time-out kept only when not the default.
  openForWrite(reg, kDesktop);
  reg.writeFlag("AutoEndTasks", checked("AutoEndTasks"));
  if (!checked("AutoEndTasks")) reg.deleteValue("AutoEndTasks");
  if (timeout_->value() != kDefaultTimeout) {
    writeNumberText(reg, "WaitToKillAppTimeout", timeout_->value());
  } else {
    reg.deleteValue("WaitToKillAppTimeout");
  }
  reg.closeKey();
  // 4.
  writeFlags(reg, kNetworkPolicies, {"NoEntireNetwork", "NoWorkgroupContents"});
  writeFlags(reg, kSystemPolicies, {"DisableRegistryTools"});
  openForWrite(reg, kActiveDesktop);
  reg.writeFlag("NoMovingBands", taskbarLocked);
  reg.writeFlag("NoCloseDragDropBands", checked("NoCloseDragDropBands"));
  reg.closeKey();
  openForWrite(reg, kAdvanced);
  reg.writeDword("TaskbarSizeMove", taskbarLocked ? 0 : 1);
  reg.writeDword("ShowInfoTip", checked("ShowInfoTip") ? 0 : 1);
  reg.closeKey();
  // 5. The toolbar background.
  openForWrite(reg, kToolbar);
  if (!background_.empty() && app().files().fileExists(background_)) {
    reg.writeString("BackBitmapShell", background_);
    remove_->setEnabled(true);
  } else {
    reg.deleteValue("BackBitmapShell");
  }
  reg.closeKey();
  // 6. Shortcut names and arrows.
  openForWrite(reg, kExplorer);
  reg.writeBinary("link", fourBytes(checked("link") ? 0 : 30));
  reg.closeKey();
  reg.setRoot(Root::ClassesRoot);
  for (const char* key : {"lnkfile", "piffile"}) {
    reg.closeKey();
    if (std::string_view(key) == "lnkfile") {
      openForWrite(reg, key);
    } else {
      openForRead(reg, key);
    }
    if (checked("IsShortcut")) {
      reg.deleteValue("IsShortcut");
    } else {
      reg.writeString("IsShortcut", "");
    }
  }
  reg.closeKey();
  // 7. The "NOWY" and "Wyślij do" handlers.
  for (auto [value, key, guid] : {std::array<const char*, 3>{"New", kNewHandler, kNewGuid},
                                  std::array<const char*, 3>{"SendTo", kSendToHandler, kSendToGuid}}) {
    openForWrite(reg, key);
    reg.writeString("", checked(value) ? "" : guid);
    reg.closeKey();
  }
  // 8. Unregistered types. Unknown\shell is not created: where it is missing,
  // ticking the box makes the write fail. Cleared, a missing key has no verb to
  // put back, and the apply goes on (a Wine prefix has no such key).
  if (checked("Notepad")) {
    openForRead(reg, "Unknown\\shell");
    reg.writeString("", "OpenInNotepad");
    openForWrite(reg, "OpenInNotepad");
    reg.writeString("", "Otwórz za pomocą notatnika");
    openForWrite(reg, "Command");
    reg.writeString("", "NOTEPAD.EXE %1");
  } else if (openForRead(reg, "Unknown\\shell")) {
    reg.writeString("", "openas");
    reg.deleteKey("OpenInNotepad");
  }
  reg.closeKey();
  // 9. .reg files; cleared, a missing .reg is left missing as in step 8.
  if (checked("Reg")) {
    const std::string textType = stringDefault(reg, ".txt", "TXTfile");
    const std::string regType = stringDefault(reg, ".reg", "REGfile");
    openForWrite(reg, ".reg");
    reg.writeString("", textType);
    reg.writeString("Old", regType);
  } else if (openForRead(reg, ".reg")) {
    reg.writeString("", "regfile");
  }
  reg.closeKey();
  // 10.
  reg.setRoot(Root::LocalMachine);
  openForWrite(reg, kUpdate);
  const std::uint8_t mode = checked("UpdateMode") ? 0 : 1;
  reg.writeBinary("UpdateMode", std::span<const std::uint8_t>(&mode, 1));
  reg.closeKey();
  // 11. Prune the policy flags of steps 1, 2 and 4.
  reg.setRoot(Root::CurrentUser);
  pruneFlags(reg, kExplorerPolicies,
             {"NoFolderOptions", "NoNetConnectDisconnect", "NoFileMenu", "NoStartBanner", "NoTrayContextMenu",
              "NoViewContextMenu", "NoDevMgrUpdate", "ClassicShell"});
  pruneFlags(reg, kWinOldApp, {"Disabled", "NoRealMode"});
  pruneFlags(reg, kNetworkPolicies, {"NoEntireNetwork", "NoWorkgroupContents"});
  pruneFlags(reg, kSystemPolicies, {"DisableRegistryTools"});
  reg.closeKey();
  openForWrite(reg, kActiveDesktop);
  if (!taskbarLocked) reg.deleteValue("NoMovingBands");
  if (!checked("NoCloseDragDropBands")) reg.deleteValue("NoCloseDragDropBands");
  reg.closeKey();
  // 12. The command sets the restart-needed flag and ends pending.
  return WriteResult::Done;
}

}  // namespace kelvaro
