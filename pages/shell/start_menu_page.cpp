#include "pages/shell/start_menu_page.h"

#include <algorithm>
#include <string_view>

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "dialogs/icon_picker.h"
#include "pages/derived_name.h"
#include "pages/shell/dos_folder_tree.h"
#include "pages/shell/folder_entries.h"
#include "pages/widgets/hinted_button.h"
#include "pages/widgets/icon_picture.h"
#include "platform/file_system.h"
#include "platform/icons.h"
#include "platform/shell_links.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr char kPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kAdvanced[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr char kDesktop[] = "Control Panel\\desktop";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kScrollPrograms[] = "StartMenuScrollPrograms";
constexpr char kMenuShowDelay[] = "MenuShowDelay";
constexpr int kDelayMinimum = 99;
constexpr int kDelayMaximum = 9999;
// The delay Windows uses when none is stored; shown for a missing value and
// applied by removing it.
constexpr int kDelayAbsent = 255;

struct IconSpec {
  int slot;
  const char* caption;
  const char* hintName;  // the caption when null
  const char* value;     // the Shell Icons value
  IconTarget target;
};

constexpr std::array<IconSpec, StartMenuPage::kIcons> kIconTable{{
    {39, "Programy", nullptr, "19", IconTarget::StartPrograms},
    {40, "Dokumenty", nullptr, "20", IconTarget::StartDocuments},
    {41, "Ustawienia", nullptr, "21", IconTarget::StartSettings},
    {42, "Znajdź", nullptr, "22", IconTarget::StartFind},
    {43, "Pomoc", nullptr, "23", IconTarget::StartHelp},
    {44, "Uruchom", nullptr, "24", IconTarget::StartRun},
    {60, "Ulubione", nullptr, "43", IconTarget::StartFavorites},
    {45, "Zamknij", nullptr, "27", IconTarget::StartShutDown},
    {46, "Wstrzymaj", nullptr, "25", IconTarget::StartSuspend},
    {47, "Panel Sterowania w Ustawieniach", "Panel Sterowania w ustawieniach", "35",
     IconTarget::StartControlPanel},
    {48, "Drukarki w Ustawieniach", "Drukarki w ustawieniach", "37", IconTarget::StartPrinters},
    {49, "Wyloguj", nullptr, "44", IconTarget::StartLogOff},
}};

// Apply writes the values in this order: "Ulubione" last.
constexpr std::array<int, StartMenuPage::kIcons> kIconWriteOrder{0, 1, 2, 3, 4, 5, 7, 8, 9, 10, 11, 6};

struct Restriction {
  const char* caption;
  const char* value;
  const char* hint;
  bool settingsMenu;  // under the heading of the "Ustawienia" submenu
};

constexpr std::array<Restriction, 13> kRestrictions{{
    {"Zablokuj funkcję: \"Uruchom\"", "NoRun",
     "Z \"Menu Start\" znika funkcja \"Uruchom\", jednak ciągle można ją wywołać kombinacją klawiszy WIN+R",
     false},
    {"Zablokuj funkcję: \"Ulubione\"", "NoFavoritesMenu", "Z \"Menu Start\" znika funkcja \"Ulubione\"",
     false},
    {"Zablokuj funkcję: \"Znajdź\"", "NoFind",
     "Z \"Menu Start\" znika funkcja \"Znajdź\", lecz nadal można ją wywołać kombinacją klawiszy WIN+F lub "
     "klawiszem F3",
     false},
    {"Zablokuj funkcję: \"Pomoc\"", "NoHelp",
     "Z \"Menu Start\" znika funkcja \"Pomoc\", lecz nadal można ją wywołać klawiszem F1", false},
    {"Zablokuj funkcję: \"Zamknij\"", "NoClose",
     "Z \"Menu Start\" znika funkcja \"Zamknij\". Nie można zamknąć komputera ani prze kombinację ALT+F4, "
     "ani "
     "naciskając kompinację klawiszy ALT+CTRL+DEL, chociaż naciskając ponownie tę ostatnią można zresetować "
     "komputer",
     false},
    {"Zablokuj funkcję: \"Wyloguj\"", "NoLogOff", "Z \"Menu Start\" znika funkcja \"Wyloguj\"", false},
    {"Zablokuj funkcję: \"Dokumenty\"", "NoRecentDocsMenu",
     "Z \"Menu Start\" znika funkcja \"Dokumenty\", gdzie przechowywane są skróty do ostatnio otwieranych "
     "dokumentów",
     false},
    {"\"Panel Sterowania i Drukarki\"", "NoSetFolders",
     "Z podmenu \"Ustawienia\" w Menu Start oraz z Eksploratora znikają funkcje \"PAnel Sterowania\" oraz "
     "\"Drukarki\". Dodatkowo nie można uruchomić Eksploratora przez kombinacje klawiszy WIN+E",
     true},
    {"\"Pasek zadań i menu Start\"", "NoSetTaskbar",
     "Z podmenu \"Ustawienia\" w Menu Start znika funkcja \"Pasek zadań i menu Start\". Nie można jej też "
     "aktywować poprzez wywołanie manu podręcznego paska zadań i następnie opcję \"Właściwości\"",
     true},
    {"\"Opcje Folderów\"", "NoFolderOptions",
     "Ukrywa menu \"Opcje Folderów\" w Ekspoloatorze Windows, menu \"Ustawienia\" Menu Start oraz w Panelu "
     "Sterowania",
     true},
    {"\"Active Desktop\"", "NoSetActiveDesktop",
     "Z menu \"Ustawienia\" w Menu Start znika podmenu \"Active Desktop\"", true},
    {"\"Windows Update\"", "NoWindowsUpdate",
     "Z menu \"Ustawienia\" znika funkcja \"Windows Update\" oraz zostaje zablokowane jej użycie w systemie",
     true},
    {"Ukryj podfoldery Menu Start", "NoStartMenuSubFolders", "Ukrywa dodatkowe foldery programów", false},
}};

struct PolicyBox {
  const char* caption;
  const char* value;
  const char* hint;
};

constexpr std::array<PolicyBox, 4> kPolicyBoxes{{
    {"Wyczyść \"Dokumenty\" przy zamykaniu Windows", "ClearRecentDocsOnExit",
     "Przy każdym zamykaniu systemu Windows zostanie wyczyszczone menu dokumenty, czyli znikną wszystkie "
     "skróty "
     "do ostatnio otwieranych plików"},
    {"Wyłącz zapamiętywanie otwieranych dokumentów", "NoRecentDocsHistory",
     "Nie będą zapamiętywane skróty do ostatnio otwieranych dokumentów i umieszczane w Menu Start"},
    {"Nie pozwalaj na edycję menu Start", "NoEditMenu", "Nie pozwala na edycję Menu Start"},
    {"Wyłącz menu kontekstowe Menu Start", "NoChangeStartMenu",
     "Nie pozwala na włączanie menu kontekstowego Menu Start oraz na przemieszczanie elementów"},
}};

constexpr char kDelayHint[] =
    "Określa czas w milisekundach jaki upływa od najechania myszką na pozycję w menu Start do rozwienięcia "
    "podmenu tej pozycji";
constexpr char kColumnsHint[] =
    "Jeśli menu Start|Programy zawiera bardzo dużo pozycji, to wiele kłopotu może sprawić jego przewijanie i "
    "odszukiwanie właściwego programu. Częściowo z tym problemem można sobie poradzić, zmuszając Windows do "
    "wyświetlania kilku kolumn menu Programy.";
constexpr char kTreeRoot[] = "MEnu Start -> Programy";
constexpr char kRemoveFailed[] =
    "Nie mogę usunąć wskazanego pliku. Upewnij się, czy wskazany plik istnieje lub czy masz wystarczające "
    "uprawnienia do usunięcia tego pliku.";
constexpr char kAddFailed[] = "Nie można zapisać nowego skrótu w podanej lokalizacji.";

QString qt(const char* text) { return QString::fromUtf8(text); }
QString qt(const std::string& text) { return QString::fromStdString(text); }

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

QFrame* highlightFrame(QWidget* parent, const char* name) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setLineWidth(2);
  frame->setAttribute(Qt::WA_TransparentForMouseEvents);
  frame->hide();
  return frame;
}

// The case-insensitive comparison of DOS path names, ASCII letters only as
// the file system folds them beyond that itself.
bool sameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

}  // namespace

MenuDelayBox::MenuDelayBox(QWidget* parent) : QSpinBox(parent) {
  setRange(kDelayMinimum, kDelayMaximum);
  setSingleStep(10);
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

QValidator::State MenuDelayBox::validate(QString& text, int&) const {
  const QString typed = text.trimmed();
  if (typed.isEmpty()) return QValidator::Intermediate;
  if (typed.size() > 9) return QValidator::Invalid;
  for (const QChar c : typed) {
    if (!c.isDigit()) return QValidator::Invalid;
  }
  const int n = typed.toInt();
  return n >= minimum() && n <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void MenuDelayBox::fixup(QString& text) const {
  bool ok = false;
  const int n = text.trimmed().toInt(&ok);
  if (ok) text = QString::number(std::clamp(n, minimum(), maximum()));
}

StartMenuPage::StartMenuPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  buildIcons(area("menustartikony"));
  buildRestrictions(area("menustartograniczenia"));
  buildSettings(area("menustartustawienia"));
  buildOrganize(area("TabSheet7"));
  app.iconSlots().add(this, {39, 40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 60},
                      [this](int slot, const IconChoice& choice) { receive(slot, choice); });
}

void StartMenuPage::buildIcons(QWidget* sheet) {
  auto* layout = new QVBoxLayout(sheet);
  auto* grid = new QWidget(sheet);
  grid->setObjectName("menustartIkonyObszar");
  constexpr int kColumns = 6, kCellWidth = 96, kCellHeight = 86;
  grid->setFixedSize(kColumns * kCellWidth, 2 * kCellHeight + 8);
  pictureFrame_ = highlightFrame(grid, "menustartRamkaIkony");
  captionFrame_ = highlightFrame(grid, "menustartRamkaOpisu");
  for (int i = 0; i < kIcons; ++i) {
    const IconSpec& spec = kIconTable[i];
    IconEntry& e = icons_[i];
    const int x = (i % kColumns) * kCellWidth, y = (i / kColumns) * kCellHeight + 4;
    e.picture = new IconPicture(grid);
    e.picture->setObjectName(QStringLiteral("menustartIkona%1").arg(spec.slot));
    const QString hint = QStringLiteral("Ikona \"%1\"").arg(qt(spec.hintName ? spec.hintName : spec.caption));
    e.picture->setToolTip(hint);
    e.picture->setAccessibleName(hint);
    e.picture->move(x + (kCellWidth - 32) / 2, y + 6);
    e.caption = new QLabel(qt(spec.caption), grid);
    e.caption->setObjectName(QStringLiteral("menustartOpis%1").arg(spec.slot));
    e.caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    e.caption->setWordWrap(true);
    e.caption->setGeometry(x + 2, y + 44, kCellWidth - 4, kCellHeight - 46);
    for (QWidget* w : {static_cast<QWidget*>(e.picture), static_cast<QWidget*>(e.caption)}) {
      w->setMouseTracking(true);
      w->installEventFilter(this);
    }
    connect(e.picture, &IconPicture::activated, this,
            [this, slot = spec.slot] { this->app().iconPicker().open(slot, window()); });
  }
  layout->addWidget(grid, 0, Qt::AlignHCenter);
  layout->addStretch(1);
  auto* button = new QPushButton(QStringLiteral("Zastosuj"), sheet);
  button->setObjectName("menustartIkonyZastosuj");
  layout->addWidget(button, 0, Qt::AlignRight);
  iconsApply_ = &addApplyCommand(button, {.setsRestartNeeded = true}, [this] { return applyIcons(); });
}

void StartMenuPage::buildRestrictions(QWidget* sheet) {
  auto* layout = new QVBoxLayout(sheet);
  layout->setSpacing(2);
  auto* button = new QPushButton(QStringLiteral("Zastosuj"), sheet);
  button->setObjectName("menustartOgraniczeniaZastosuj");
  ApplyCommand& apply = addApplyCommand(button, {.setsRestartNeeded = true});
  auto* settingsGroup = new QGroupBox(QStringLiteral("Zablokuj funkcję: \"Ustawienia\" :"), sheet);
  settingsGroup->setObjectName("menustartUstawieniaGrupa");
  auto* groupRows = new QVBoxLayout(settingsGroup);
  groupRows->setSpacing(0);
  for (const Restriction& r : kRestrictions) {
    auto* box = new QCheckBox(qt(r.caption), r.settingsMenu ? static_cast<QWidget*>(settingsGroup) : sheet);
    box->setObjectName(QStringLiteral("menustart%1").arg(r.value));
    box->setToolTip(qt(r.hint));
    // Write-then-prune: a ticked box leaves 1, an unticked one no value, and
    // a value of another kind (4 raw bytes) reads as unticked.
    apply.bindCheckBox(box, {Root::CurrentUser, kPolicies, r.value, Pattern::PrunedFlag});
    apply.runOnEnter(box);
    if (r.settingsMenu) {
      groupRows->addWidget(box);
      if (std::string_view(r.value) == "NoSetFolders") layout->addWidget(settingsGroup);
    } else {
      layout->addWidget(box);
    }
  }
  layout->addStretch(1);
  layout->addWidget(button, 0, Qt::AlignRight);
}

void StartMenuPage::buildSettings(QWidget* sheet) {
  auto* layout = new QVBoxLayout(sheet);
  auto* button = new QPushButton(QStringLiteral("Zastosuj"), sheet);
  button->setObjectName("menustartUstawieniaZastosuj");
  settingsApply_ = &addApplyCommand(button, {.setsRestartNeeded = true}, [this] { return applySettings(); });
  for (std::size_t i = 0; i < kPolicyBoxes.size(); ++i) {
    const PolicyBox& p = kPolicyBoxes[i];
    auto* box = new QCheckBox(qt(p.caption), sheet);
    box->setObjectName(QStringLiteral("menustart%1").arg(p.value));
    box->setToolTip(qt(p.hint));
    // Bound for loading; the sub-page's own write keeps its order of steps.
    settingsApply_->bindCheckBox(box, {Root::CurrentUser, kPolicies, p.value, Pattern::PrunedFlag});
    settingsApply_->runOnEnter(box);
    policyBoxes_[i] = box;
    layout->addWidget(box);
  }
  columns_ = new QCheckBox(QStringLiteral("Wyświetlaj kilka kolumn Menu Start"), sheet);
  columns_->setObjectName("menustartStartMenuScrollPrograms");
  columns_->setToolTip(qt(kColumnsHint));
  connect(columns_, &QCheckBox::toggled, settingsApply_, &ApplyCommand::markPending);
  settingsApply_->runOnEnter(columns_);
  layout->addWidget(columns_);

  auto* delayRow = new QHBoxLayout;
  auto* before = new QLabel(QStringLiteral("Wyświetl podmenu po :"), sheet);
  before->setObjectName("menustartOpoznienieOpis");
  before->setToolTip(qt(kDelayHint));
  delay_ = new MenuDelayBox(sheet);
  delay_->setObjectName("menustartMenuShowDelay");
  delay_->setToolTip(qt(kDelayHint));
  delay_->setAccessibleName(before->text());
  // The field's own text box is what assistive technology reaches.
  if (auto* text = delay_->findChild<QLineEdit*>()) text->setAccessibleName(before->text());
  delay_->installEventFilter(this);
  before->setBuddy(delay_);
  auto* after = new QLabel(QStringLiteral("ms"), sheet);
  after->setObjectName("menustartOpoznienieJednostka");
  connect(delay_, &QSpinBox::valueChanged, settingsApply_, &ApplyCommand::markPending);
  delayRow->addWidget(before);
  delayRow->addWidget(delay_);
  delayRow->addWidget(after);
  delayRow->addStretch(1);
  layout->addLayout(delayRow);
  layout->addStretch(1);
  layout->addWidget(button, 0, Qt::AlignRight);
}

void StartMenuPage::buildOrganize(QWidget* sheet) {
  auto* layout = new QGridLayout(sheet);
  tree_ = new DosFolderTree(app().files(), {}, sheet);
  tree_->setObjectName("menustartDrzewo");
  tree_->setAccessibleName(qt(kTreeRoot));
  tree_->nameScrollBars();
  contents_ = new QListWidget(sheet);
  contents_->setObjectName("menustartZawartosc");
  contents_->setAccessibleName(QStringLiteral("Zawartość folderu"));
  contents_->verticalScrollBar()->setAccessibleName(contents_->accessibleName());
  contents_->horizontalScrollBar()->setAccessibleName(contents_->accessibleName());
  contents_->installEventFilter(this);
  contents_->hide();
  current_ = new QLabel(sheet);
  current_->setObjectName("menustartBiezacyFolder");
  current_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->addWidget(tree_, 0, 0);
  layout->addWidget(contents_, 0, 1);
  layout->addWidget(current_, 1, 0, 1, 2);

  auto* side = new QVBoxLayout;
  addButton_ = new QPushButton(QStringLiteral("Dodaj nowy skrót"), sheet);
  addButton_->setObjectName("menustartDodajSkrot");
  remove_ = new QPushButton(QStringLiteral("Usuń skrót"), sheet);
  remove_->setObjectName("menustartUsunSkrot");
  remove_->setEnabled(false);
  side->addWidget(addButton_);
  side->addWidget(remove_);

  panel_ = new QFrame(sheet);
  panel_->setObjectName("menustartPanelSkrotu");
  panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel_->hide();
  auto* grid = new QGridLayout(panel_);
  auto* heading = new QLabel(QStringLiteral("Dodaj nowy skrót do menu Start"), panel_);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  grid->addWidget(heading, 0, 0, 1, 2);
  auto* programCaption = new QLabel(QStringLiteral("Skrót do programu:"), panel_);
  program_ = new QLineEdit(panel_);
  program_->setObjectName("menustartProgram");
  program_->setToolTip(QStringLiteral("Podaj ścieżkę do programu, do którego mam utworzyć skrót..."));
  programCaption->setBuddy(program_);
  chooser_ =
      hintedButton(QStringLiteral("..."), QStringLiteral("Wybierz program"), "menustartWybierz", panel_);
  chooser_->setAccessibleName(chooser_->toolTip());
  grid->addWidget(programCaption, 1, 0, 1, 2);
  grid->addWidget(program_, 2, 0);
  grid->addWidget(chooser_, 2, 1);
  auto* nameCaption = new QLabel(QStringLiteral("W menu Start będzie widniała nazwa:"), panel_);
  name_ = new QLineEdit(panel_);
  name_->setObjectName("menustartNazwaSkrotu");
  name_->setToolTip(QStringLiteral("Podaj nazwę jaka będzie widniała na pasku"));
  nameCaption->setBuddy(name_);
  grid->addWidget(nameCaption, 3, 0, 1, 2);
  grid->addWidget(name_, 4, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  ok_ = hintedButton(QStringLiteral("OK"), QStringLiteral("Dodaj nową pozycję do paska"), "menustartOK",
                     panel_);
  ok_->setEnabled(false);
  cancel_ = hintedButton(QStringLiteral("Anuluj"), QStringLiteral("Nie dodajwaj nowej pozycji do menu"),
                         "menustartAnuluj", panel_);
  buttons->addStretch(1);
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  grid->addLayout(buttons, 5, 0, 1, 2);
  side->addWidget(panel_);
  side->addStretch(1);
  layout->addLayout(side, 0, 2, 2, 1);
  layout->setColumnStretch(0, 1);
  layout->setColumnStretch(1, 1);

  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &StartMenuPage::folderSelected);
  // A load leaves its folder selected with the list hidden: a click on that
  // same folder shows the list too.
  connect(tree_, &QTreeWidget::itemClicked, this, [this] {
    if (!contents_->isVisible()) folderSelected();
  });
  connect(contents_, &QListWidget::itemSelectionChanged, this, &StartMenuPage::itemSelected);
  connect(addButton_, &QPushButton::clicked, this, &StartMenuPage::startAdd);
  connect(remove_, &QPushButton::clicked, this, &StartMenuPage::removeFile);
  connect(chooser_, &QPushButton::clicked, this, &StartMenuPage::chooseProgram);
  connect(ok_, &QPushButton::clicked, this, &StartMenuPage::confirmAdd);
  connect(cancel_, &QPushButton::clicked, this, &StartMenuPage::cancelAdd);
  for (QLineEdit* field : {program_, name_}) {
    connect(field, &QLineEdit::textChanged, this, &StartMenuPage::updateOk);
    field->installEventFilter(this);
  }
  // A shortcut being added whose OK can be pressed is an unapplied change.
  addPendingMarker([this] { return ok_->isEnabled(); });
}

void StartMenuPage::load() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::LocalMachine);
  const bool iconsKey = openForRead(reg, kShellIcons);
  for (int i = 0; i < kIcons; ++i) {
    icons_[i].location = iconsKey ? guardedReadString(reg, kIconTable[i].value) : std::string();
    showIcon(i);
  }
  reg.closeKey();
  loadSettings();
  loadOrganize();
}

void StartMenuPage::showIcon(int entry) {
  const IconEntry& e = icons_[entry];
  const IconTarget target = kIconTable[entry].target;
  e.picture->setIcon(e.location.empty() ? app().icons().substituteIcon(target)
                                        : app().icons().displayIcon(e.location, target));
}

void StartMenuPage::loadSettings() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::CurrentUser);
  // Opened with creation, as the shell keeps its switches there.
  openForWrite(reg, kAdvanced);
  columns_->setChecked(QString::fromStdString(guardedReadString(reg, kScrollPrograms)).toUpper() == "YES");
  reg.closeKey();
  int delay = kDelayAbsent;
  if (openForRead(reg, kDesktop) && reg.valueExists(kMenuShowDelay) &&
      reg.valueKind(kMenuShowDelay) == ValueKind::String) {
    // A text that is no number counts as absent, like a value of another kind.
    bool ok = false;
    const int stored = QString::fromStdString(reg.readString(kMenuShowDelay)).trimmed().toInt(&ok);
    if (ok) delay = stored;
  }
  delay_->setValue(delay);
}

void StartMenuPage::receive(int slot, const IconChoice& choice) {
  for (int i = 0; i < kIcons; ++i) {
    if (kIconTable[i].slot != slot) continue;
    icons_[i].location = choice.location;
    icons_[i].picture->setIcon(choice.icon);
    if (isVisible()) iconsApply_->markPending();
    return;
  }
}

WriteResult StartMenuPage::applyIcons() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::LocalMachine);
  openForWrite(reg, kShellIcons);
  for (int i : kIconWriteOrder) reg.writeString(kIconTable[i].value, icons_[i].location);
  return WriteResult::Done;
}

WriteResult StartMenuPage::applySettings() {
  // A number still being typed counts as it would once taken.
  delay_->interpretText();
  const int delay = delay_->value();
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::CurrentUser);
  // The policy key is created when missing, so the boxes are not lost.
  openForWrite(reg, kPolicies);
  for (std::size_t i = 0; i < kPolicyBoxes.size(); ++i)
    writeDwordFlag(reg, kPolicyBoxes[i].value, policyBoxes_[i]->isChecked());
  reg.closeKey();
  openForWrite(reg, kAdvanced);
  if (columns_->isChecked()) {
    reg.writeString(kScrollPrograms, "yes");
  } else if (reg.valueExists(kScrollPrograms)) {
    reg.deleteValue(kScrollPrograms);
  }
  reg.closeKey();
  openForWrite(reg, kDesktop);
  writeNumberText(reg, kMenuShowDelay, delay);
  reg.closeKey();
  openForWrite(reg, kPolicies);
  for (std::size_t i = 0; i < kPolicyBoxes.size(); ++i) {
    if (!policyBoxes_[i]->isChecked() && reg.valueExists(kPolicyBoxes[i].value))
      reg.deleteValue(kPolicyBoxes[i].value);
  }
  reg.closeKey();
  if (delay == kDelayAbsent) {
    openForWrite(reg, kDesktop);
    reg.deleteValue(kMenuShowDelay);
  }
  return WriteResult::Done;
}

void StartMenuPage::resetTransient() {
  pictureFrame_->hide();
  captionFrame_->hide();
}

void StartMenuPage::highlight(int entry) {
  const IconEntry& e = icons_[entry];
  pictureFrame_->setGeometry(e.picture->geometry().adjusted(-4, -4, 4, 4));
  const QRect text = e.caption->fontMetrics().boundingRect(
      e.caption->rect(), static_cast<int>(e.caption->alignment()) | Qt::TextWordWrap, e.caption->text());
  captionFrame_->setGeometry(text.translated(e.caption->pos()).adjusted(-4, -2, 4, 2));
  pictureFrame_->show();
  captionFrame_->show();
  pictureFrame_->lower();
  captionFrame_->lower();
}

std::string StartMenuPage::programsFolder() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::CurrentUser);
  if (openForRead(reg, kShellFolders)) {
    const std::string programs = guardedReadString(reg, "Programs");
    if (!programs.empty() && app().files().directoryExists(programs)) return programs;
  }
  return app().windowsDirectory() + "\\Menu Start\\Programy";
}

void StartMenuPage::loadOrganize() {
  const std::string root = programsFolder();
  const std::string shown = current_->text().toStdString();
  const std::string wanted = !shown.empty() && app().files().directoryExists(shown) ? shown : root;
  {
    const QSignalBlocker quiet(tree_);
    tree_->setRoots({{qt(kTreeRoot), root}});
    selectFolder(wanted);
  }
  currentFolder_ = tree_->selectedPath();
  current_->setText(qt(currentFolder_));
  selectedFile_ = currentFolder_;
  remove_->setEnabled(false);
  {
    const QSignalBlocker quiet(contents_);
    contents_->clear();
  }
  contents_->hide();
}

void StartMenuPage::selectFolder(const std::string& path) {
  QTreeWidgetItem* item = tree_->topLevelItem(0);
  if (!item) return;
  const QString root = qt(DosFolderTree::pathOf(item));
  const QString wanted = qt(path);
  // Down from the root, one name at a time, each folder read as it is opened.
  if (wanted.size() > root.size() && wanted.startsWith(root, Qt::CaseInsensitive) &&
      wanted[root.size()] == '\\') {
    for (const QString& name : wanted.mid(root.size() + 1).split('\\', Qt::SkipEmptyParts)) {
      tree_->openItem(item);
      QTreeWidgetItem* next = nullptr;
      for (int i = 0; i < item->childCount() && !next; ++i) {
        if (sameName(item->child(i)->text(0), name)) next = item->child(i);
      }
      if (!next) break;
      item = next;
    }
  }
  tree_->setCurrentItem(item);
  item->setSelected(true);
}

void StartMenuPage::folderSelected() {
  remove_->setEnabled(false);
  currentFolder_ = tree_->selectedPath();
  current_->setText(qt(currentFolder_));
  fillContents();
  contents_->show();
}

void StartMenuPage::fillContents() {
  const QSignalBlocker quiet(contents_);
  contents_->clear();
  if (currentFolder_.empty()) return;
  // The names as on disk, so that the path of a chosen entry names its file.
  for (const std::string& name : folderListing(app().files(), currentFolder_, "*.*"))
    contents_->addItem(qt(name));
}

void StartMenuPage::itemSelected() {
  const QList<QListWidgetItem*> chosen = contents_->selectedItems();
  if (chosen.isEmpty()) {
    remove_->setEnabled(false);
    return;
  }
  selectedFile_ = currentFolder_ + "\\" + chosen.front()->text().toStdString();
  remove_->setEnabled(app().files().fileExists(selectedFile_));
}

void StartMenuPage::removeFile() {
  const bool deleted = app().files().fileExists(selectedFile_) && app().files().deleteFile(selectedFile_);
  if (!deleted) app().dialogs().message(kRemoveFailed);
  remove_->setEnabled(false);
  fillContents();
}

void StartMenuPage::startAdd() {
  tree_->setEnabled(false);
  contents_->setEnabled(false);
  remove_->setEnabled(false);
  panel_->show();
  name_->setFocus();
  if (program_->text().isEmpty()) chooseProgram();
}

void StartMenuPage::chooseProgram() {
  const auto chosen = app().dialogs().openFile({.title = "Wibierz program",
                                                .filter = "Wszystkie pliki (*.*)|*.*",
                                                .initialFolder = "C:\\",
                                                .defaultExtension = "",
                                                .mustExist = true});
  if (!chosen || chosen->empty()) return;
  program_->setText(qt(*chosen));
  name_->setText(qt(derivedName(*chosen)));
  name_->setFocus();
}

void StartMenuPage::updateOk() { ok_->setEnabled(!program_->text().isEmpty() && !name_->text().isEmpty()); }

void StartMenuPage::confirmAdd() {
  // The typed name stays one file name in the current folder.
  const bool saved =
      saveProgramShortcut(app().files(), app().shellLinks(), currentFolder_,
                          name_->text().toStdString() + ".lnk", program_->text().toStdString());
  if (!saved) app().dialogs().message(kAddFailed);
  panel_->hide();
  tree_->setEnabled(true);
  contents_->setEnabled(true);
  program_->clear();
  name_->clear();
  ok_->setEnabled(false);
  if (contents_->isVisible()) fillContents();
}

void StartMenuPage::cancelAdd() {
  tree_->setEnabled(true);
  contents_->setEnabled(true);
  panel_->hide();
}

bool StartMenuPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* press = static_cast<QKeyEvent*>(event);
    if (watched == delay_ && isEnter(press->key())) {
      delay_->interpretText();
      settingsApply_->run();
      return true;
    }
    if (watched == contents_ && press->key() == Qt::Key_Delete) {
      if (remove_->isEnabled()) removeFile();
      return true;
    }
    if (watched == program_ || watched == name_) {
      if (press->key() == Qt::Key_Escape) {
        cancelAdd();
        return true;
      }
      if (isEnter(press->key())) {
        if (ok_->isEnabled()) confirmAdd();
        return true;
      }
    }
    return Page::eventFilter(watched, event);
  }
  for (int i = 0; i < kIcons; ++i) {
    const IconEntry& e = icons_[i];
    if (watched != e.picture && watched != e.caption) continue;
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove) {
      highlight(i);
    } else if (event->type() == QEvent::MouseButtonDblClick && watched == e.caption) {
      app().iconPicker().open(kIconTable[i].slot, window());
      return true;
    }
    break;
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
