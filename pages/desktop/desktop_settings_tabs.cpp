#include "pages/desktop/desktop_settings_tabs.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include <optional>
#include <set>
#include <span>

#include "pages/derived_name.h"
#include "pages/desktop/clamping_spin_box.h"
#include "pages/desktop/desktop_values.h"
#include "pages/page.h"
#include "pages/shell/dos_folder_tree.h"
#include "pages/shell/folder_entries.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/shell_links.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kDesktop[] = "Control Panel\\desktop";
constexpr char kMetrics[] = "Control Panel\\desktop\\WindowMetrics";
constexpr char kRecycleBin[] = "CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kExplorer[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kActiveDesktop[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ActiveDesktop";

struct Restriction {
  const char* key;
  const char* value;
  const char* caption;
  const char* hint;
};

// In the order the sub-page shows them.
constexpr std::array<Restriction, DesktopSettingsTabs::kRestrictions> kRestrictionTable{{
    {kExplorer, "NoDesktop", "Wyłącz pulpit",
     "Z pulpitu znikają wszystkie ikony, a kliknięcie prawym przyciskiem na pulpicie nie wywołuje menu "
     "kontekstowego. Właściwości ekranu są wciąż dostępne w \"Panelu Sterowania\""},
    {kExplorer, "NoActiveDesktop", "Wyłącz Active Desktop", "Nie pozwala włączyć Active Desktop`u"},
    {kExplorer, "NoActiveDesktopChanges", "Wyłącz możliwość zmiany Active Desktop",
     "Nie pozwala na zmianę jakichkolwiek ustawień Active Desktop`u"},
    {kActiveDesktop, "NoAddingComponents", "Wyłącz dodawanie komponentów Active Desktop",
     "Nie pozwala dodawać jakichkolwiek elementów Active Desktop`u"},
    {kActiveDesktop, "NoDeletingComponents", "Wyłącz usuwanie komponentów Active Desktop",
     "Nie pozwala na usuwanie jakichkolwiek elementów z Active Desktop`u"},
    {kActiveDesktop, "NoEditingComponents", "Włącz edycję komponentów Active Desktop",
     "Nie pozwala edytować jakichkolwiek elementów Active Desktop`u"},
    {kActiveDesktop, "NoClosingComponents", "Wyłącz zamykanie komponentów Active Desktop",
     "Nie pozwala zamykać jakichkolwiek elementów Active Desktop`u"},
    {kActiveDesktop, "NoChangingWallPaper", "Wyłącz zmianę tapety", "Nie pozwala zmieniać tapety"},
    {kActiveDesktop, "NoHTMLWallPaper", "Wyłącz wybur strony HTML jako tapety",
     "Uniemożliwia wybór strony HTML jako tapety Active Desktop"},
    {kExplorer, "NoSaveSettings", "Nie zapamiętuj ustawień pulpitu",
     "Żadne zmiany w wyglądzie pulpitu nie będą zapamiętywane"},
    {kExplorer, "NoInternetIcon", "Ukryj ikonę Internet Explorer",
     "Z pulpitu znika ikona Internet Explorera"},
    {kExplorer, "NoNetHood", "Ukryj ikonę Otoczenie Sieciowe", "Z pulpitu znika ikona Otoczenie Sieciowe"},
    {kExplorer, "NoWinKeys", "Wyłącz klawisze skrótów pulpitu Windows",
     "Funkcja ta wyłącza wszystkie klawisze skrótów pulpitu Windows."},
}};

// The order Apply writes (and then prunes) them, as indexes of the table.
constexpr std::array<std::size_t, 7> kExplorerWrites{9, 10, 11, 0, 1, 2, 12};
constexpr std::array<std::size_t, 6> kActiveDesktopWrites{3, 4, 5, 6, 8, 7};

constexpr char kShortcutFailed[] =
    "Nie można stworzyć nowego skrótu na pulpicie.\rSprawdź, czy masz wystarczające uprawnienia do tworzenia "
    "skrótów w wybranej lokalizacji.";

QString qt(const char* text) { return QString::fromUtf8(text); }
QString qt(const std::string& text) { return QString::fromStdString(text); }

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

QCheckBox* box(const char* name, const char* caption, const char* hint, QWidget* parent) {
  auto* b = new QCheckBox(qt(caption), parent);
  b->setObjectName(name);
  b->setToolTip(qt(hint));
  return b;
}

ClampingSpinBox* field(const char* name, int minimum, int maximum, const char* hint, QLabel* caption,
                       QWidget* parent) {
  auto* spin = new ClampingSpinBox(parent);
  spin->setObjectName(name);
  spin->setRange(minimum, maximum);
  spin->setToolTip(qt(hint));
  caption->setBuddy(spin);
  spin->setAccessibleName(caption->text());
  if (auto* text = spin->findChild<QLineEdit*>()) text->setAccessibleName(caption->text());
  return spin;
}

QLineEdit* lineField(const char* name, const char* hint, QLabel* caption, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setToolTip(qt(hint));
  caption->setBuddy(edit);
  return edit;
}

std::optional<std::string> storedText(RegistryHandle& reg, std::string_view name) {
  if (!reg.valueExists(name) || reg.valueKind(name) != ValueKind::String) return std::nullopt;
  return reg.readString(name);
}

// Opens a key of HKEY_CURRENT_USER without creating it; when it is missing no
// key is open, so the first write fails with the store's write error.
void openExisting(RegistryHandle& reg, const char* key) {
  reg.closeKey();
  reg.setRoot(Root::CurrentUser);
  openForRead(reg, key);
}

}  // namespace

DesktopSettingsTabs::DesktopSettingsTabs(Page& page, AddCommand addCommand)
    : QObject(&page), page_(page), addCommand_(std::move(addCommand)) {
  buildSettings(page.subPage("pulpitustawienia"));
  buildRestrictions(page.subPage("pulpitograniczenia"));
  buildOrganizer(page.subPage("TabSheet8"));
}

void DesktopSettingsTabs::buildSettings(QWidget* area) {
  auto* layout = new QGridLayout(area);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setHorizontalSpacing(16);

  paintVersion_ = box("pulpitPaintDesktopVersion", "Wyświetl wersję Windows na pulpicie",
                      "Umieszcza nazwę i numer wersji w prawym dolnym rogu pulpitu", area);
  dragFull_ =
      box("pulpitDragfullWindows", "Pokazuj zawartość okna podczas przeciągania",
          "Podczas przenoszenia okna wyświetlana jest cała jego zawartość, a nie tylko sama ramka", area);
  fontSmoothing_ = box("pulpitFontSmoothing", "Wygładzaj krawędzi czcionek systemowych",
                       "Wszystkie czcionki wyświetlane na ekranie będą wizualnie ładniejsze", area);
  largeIcons_ = box("pulpitLargeIcons", "Używaj dużych ikon", "Ustawia rozmiar ikony na 48", area);
  minAnimate_ =
      box("pulpitMinAnimate", "Animacja okien, menu list",
          "Wszystkie okna będą się płynnie minimalizować lub maksymalizować. Menu natomiast płynnie "
          "będą się pojawiać i znikać",
          area);
  iconColours_ = box("pulpitShellIconBPP", "Pokazuj ikony używając wszystkich możliwych kolorów",
                     "Wyświetla ikony użuwając 16-to zamiast 4-ro bitowej palety barw", area);
  recycleBin_ = box("pulpitRecycleBin", "Pozwól na zmianę nazwy i usunięcie kosza z pulpitu",
                    "Po kliknięciu na kosz prawym przyciskiem myszy pojawiają sie dwie nowe pozycje \"Zmień "
                    "nazwę\" i \"Usuń\"",
                    area);
  auto* boxes = new QVBoxLayout;
  for (QCheckBox* b : {paintVersion_, dragFull_, fontSmoothing_, largeIcons_, minAnimate_, iconColours_})
    boxes->addWidget(b);
  boxes->addSpacing(10);
  boxes->addWidget(recycleBin_);
  boxes->addStretch(1);
  layout->addLayout(boxes, 0, 0, 2, 1);

  auto* spacing = new QGroupBox(QStringLiteral("Odległość między ikonami:"), area);
  spacing->setObjectName("pulpitSpacingGroup");
  auto* spacingGrid = new QGridLayout(spacing);
  auto* verticalCaption = new QLabel(QStringLiteral("w pionie"), spacing);
  verticalSpacing_ =
      field("pulpitIconVerticalSpacing", 0, 150, "Zmień ustawienie ikon w pionie", verticalCaption, spacing);
  auto* horizontalCaption = new QLabel(QStringLiteral("w poziomie"), spacing);
  horizontalSpacing_ =
      field("pulpitIconSpacing", 0, 150, "Zmieś ustawienie ikon w poziomie", horizontalCaption, spacing);
  spacingGrid->addWidget(verticalCaption, 0, 0);
  spacingGrid->addWidget(verticalSpacing_, 0, 1);
  spacingGrid->addWidget(horizontalCaption, 1, 0);
  spacingGrid->addWidget(horizontalSpacing_, 1, 1);
  layout->addWidget(spacing, 0, 1);

  auto* sizeRow = new QGridLayout;
  auto* sizeCaption = new QLabel(QStringLiteral("Rozmiar ikon:"), area);
  iconSize_ = field("pulpitShellIconSize", 16, 72, "Zmień rozmiar ikony", sizeCaption, area);
  sizeRow->addWidget(sizeCaption, 0, 0);
  sizeRow->addWidget(iconSize_, 1, 0, Qt::AlignTop);
  auto* previewCaption = new QLabel(QStringLiteral("Podgląd"), area);
  previewCaption->setObjectName("pulpitIconPreviewCaption");
  sizeRow->addWidget(previewCaption, 0, 1);
  // A fixed place for the preview, so that its size changes move nothing else.
  auto* previewPlace = new QWidget(area);
  previewPlace->setObjectName("pulpitIconPreviewPlace");
  previewPlace->setFixedSize(72 + 8, 72 + 8);
  previewFrame_ = new QFrame(previewPlace);
  previewFrame_->setObjectName("pulpitIconPreview");
  previewFrame_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  previewFrame_->setLineWidth(1);
  previewFrame_->setToolTip(QStringLiteral("Podgląd aktualnego rozmiaru ikony"));
  previewFrame_->setAccessibleName(previewCaption->text());
  previewIcon_ = new QLabel(previewFrame_);
  previewIcon_->setObjectName("pulpitIconPreviewPicture");
  previewIcon_->setAlignment(Qt::AlignCenter);
  previewIcon_->setToolTip(previewFrame_->toolTip());
  previewIcon_->setAccessibleName(previewCaption->text());
  sizeRow->addWidget(previewPlace, 1, 1);
  sizeRow->setColumnStretch(2, 1);
  layout->addLayout(sizeRow, 1, 1);

  auto* applyButton = hintedButton(QStringLiteral("Zastosuj"), QStringLiteral("Zastosuj powyższe ustawienia"),
                                   "pulpitustawieniaApply", area);
  layout->addWidget(applyButton, 2, 1, Qt::AlignRight);
  layout->setRowStretch(1, 1);
  settingsApply_ = &addCommand_(applyButton, {.setsRestartNeeded = true}, [this] { return applySettings(); });

  for (QCheckBox* b :
       {paintVersion_, dragFull_, fontSmoothing_, largeIcons_, minAnimate_, iconColours_, recycleBin_}) {
    connect(b, &QCheckBox::clicked, settingsApply_, &ApplyCommand::markPending);
    settingsApply_->runOnEnter(b);
  }
  for (QSpinBox* spin : {verticalSpacing_, horizontalSpacing_, iconSize_}) {
    connect(spin, &QSpinBox::valueChanged, settingsApply_, &ApplyCommand::markPending);
    settingsApply_->runOnEnter(spin);
  }
  connect(largeIcons_, &QCheckBox::clicked, this, &DesktopSettingsTabs::largeIconsClicked);
  connect(iconSize_, &QSpinBox::valueChanged, this, &DesktopSettingsTabs::resizePreview);
  resizePreview(iconSize_->value());
}

void DesktopSettingsTabs::buildRestrictions(QWidget* area) {
  auto* layout = new QVBoxLayout(area);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->setSpacing(2);
  auto* applyButton = hintedButton(QStringLiteral("Zastosuj"), QStringLiteral("Zastosuj powyższe ustawienia"),
                                   "pulpitograniczeniaApply", area);
  restrictionsApply_ =
      &addCommand_(applyButton, {.setsRestartNeeded = true}, [this] { return applyRestrictions(); });
  for (std::size_t i = 0; i < kRestrictions; ++i) {
    const Restriction& r = kRestrictionTable[i];
    // The policies' value names may name other pages' boxes too.
    const QString name = QStringLiteral("pulpit") + qt(r.value);
    restrictions_[i] = box(name.toUtf8().constData(), r.caption, r.hint, area);
    connect(restrictions_[i], &QCheckBox::clicked, restrictionsApply_, &ApplyCommand::markPending);
    restrictionsApply_->runOnEnter(restrictions_[i]);
    layout->addWidget(restrictions_[i]);
  }
  layout->addStretch(1);
  layout->addWidget(applyButton, 0, Qt::AlignRight);
}

void DesktopSettingsTabs::buildOrganizer(QWidget* area) {
  auto* layout = new QGridLayout(area);
  layout->setContentsMargins(8, 6, 8, 6);
  tree_ = new DosFolderTree(page_.app().files(), {.showFiles = true, .skipHidden = false}, area);
  tree_->setObjectName("PulpitTree");
  tree_->setToolTip(QStringLiteral(
      "Wybierz plik do usunięcia. Jeżeli chcesz zmienić nazwę jakiemuś plikowi kliknij dwukrotnie "
      "z odstępem między jednym a drugim kliknięciem na wybrany plik"));
  tree_->setAccessibleName(QStringLiteral("PULPIT"));
  tree_->nameScrollBars();
  tree_->installEventFilter(this);
  layout->addWidget(tree_, 0, 0);
  selectedPath_ = new QLabel(area);
  selectedPath_->setObjectName("PulpitSelectedPath");
  selectedPath_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->addWidget(selectedPath_, 1, 0);

  auto* side = new QVBoxLayout;
  deleteFile_ =
      hintedButton(QStringLiteral("Usuń plik"), QStringLiteral("Kliknij, aby usunąć wybrany plik z pulpitu"),
                   "PulpitDeleteFile", area);
  deleteFile_->setEnabled(false);
  addShortcut_ = hintedButton(QStringLiteral("Dodaj nowy skrót"),
                              QStringLiteral("Dodaj nowy skrót na pulpit"), "PulpitAddShortcut", area);
  side->addWidget(deleteFile_);
  side->addWidget(addShortcut_);

  shortcutPanel_ = new QFrame(area);
  shortcutPanel_->setObjectName("PulpitShortcutPanel");
  shortcutPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  shortcutPanel_->hide();
  auto* grid = new QGridLayout(shortcutPanel_);
  auto* heading = new QLabel(QStringLiteral("Dodaj nowy skrót do menu Start"), shortcutPanel_);
  heading->setObjectName("PulpitShortcutHeading");
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  grid->addWidget(heading, 0, 0, 1, 2);
  auto* programCaption = new QLabel(QStringLiteral("Skrót do programu:"), shortcutPanel_);
  program_ = lineField("PulpitProgram", "Podaj ścieżkę do programu, do którego mam utworzyć skrót...",
                       programCaption, shortcutPanel_);
  program_->setReadOnly(true);
  chooser_ =
      hintedButton(QStringLiteral("..."), QStringLiteral("Wybierz program"), "PulpitChooser", shortcutPanel_);
  chooser_->setAccessibleName(chooser_->toolTip());
  grid->addWidget(programCaption, 1, 0, 1, 2);
  grid->addWidget(program_, 2, 0);
  grid->addWidget(chooser_, 2, 1);
  auto* nameCaption = new QLabel(QStringLiteral("W menu Start będzie widniała nazwa:"), shortcutPanel_);
  shortcutName_ = lineField("PulpitShortcutName", "Podaj nazwę jaka będzie widniała na pulpicie", nameCaption,
                            shortcutPanel_);
  grid->addWidget(nameCaption, 3, 0, 1, 2);
  grid->addWidget(shortcutName_, 4, 0, 1, 2);
  auto* okButton = hintedButton(QStringLiteral("OK"), QStringLiteral("Dodaj nowy skrót na pulpit"),
                                "PulpitShortcutOk", shortcutPanel_);
  shortcutCancel_ =
      hintedButton(QStringLiteral("Anuluj"), QStringLiteral("Nie dodajwaj nowego pliku na pulpit"),
                   "PulpitShortcutCancel", shortcutPanel_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton);
  buttons->addWidget(shortcutCancel_);
  grid->addLayout(buttons, 5, 0, 1, 2);
  side->addWidget(shortcutPanel_);
  side->addStretch(1);
  layout->addLayout(side, 0, 1, 2, 1);
  layout->setColumnStretch(0, 1);
  layout->setColumnMinimumWidth(1, 280);

  // The confirm button is the sub-page's pending marker: on while it can be
  // pressed. Its command creates the shortcut.
  shortcutOk_ = &addCommand_(okButton, {.setsRestartNeeded = false, .consultedAtClose = true},
                             [this] { return createShortcut(); });

  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &DesktopSettingsTabs::treeSelectionChanged);
  connect(deleteFile_, &QPushButton::clicked, this, &DesktopSettingsTabs::deleteFile);
  connect(addShortcut_, &QPushButton::clicked, this, &DesktopSettingsTabs::startShortcut);
  connect(chooser_, &QPushButton::clicked, this, &DesktopSettingsTabs::chooseProgram);
  connect(shortcutCancel_, &QPushButton::clicked, this, &DesktopSettingsTabs::cancelShortcut);
  for (QLineEdit* edit : {program_, shortcutName_}) {
    connect(edit, &QLineEdit::textChanged, this, &DesktopSettingsTabs::updateShortcutOk);
    edit->installEventFilter(this);
  }
}

void DesktopSettingsTabs::loadFolderAndFirstSettings() {
  AppContext& app = page_.app();
  RegistryHandle reg(app.registry());
  std::string folder;
  if (openForRead(reg, kShellFolders)) folder = guardedReadString(reg, "Desktop");
  if (folder.empty() || !app.files().directoryExists(folder))
    folder = app.environment().windowsDirectory() + "\\Pulpit";
  desktopFolder_ = qt(folder);

  reg.closeKey();
  const bool open = openForRead(reg, kDesktop);
  bool version = false;
  if (open && reg.valueExists("PaintDesktopVersion")) {
    const ValueKind kind = reg.valueKind("PaintDesktopVersion");
    version = (kind == ValueKind::String && reg.readString("PaintDesktopVersion") == "1") ||
              (kind == ValueKind::Dword && reg.readDword("PaintDesktopVersion") != 0);
  }
  paintVersion_->setChecked(version);
  dragFull_->setChecked(open && readStringFlag(reg, "DragfullWindows"));
  fontSmoothing_->setChecked(open && readStringFlag(reg, "FontSmoothing"));
  reg.closeKey();

  // A load ends a shortcut left half made, as "Anuluj" does.
  shortcutPanel_->hide();
  tree_->setEnabled(true);
  deleteFile_->setEnabled(false);
  selected_.clear();
  selectedPath_->clear();
  showTree();
}

void DesktopSettingsTabs::loadRestrictionsAndIcons() {
  RegistryHandle reg(page_.app().registry());
  for (const char* key : {kExplorer, kActiveDesktop}) {
    reg.closeKey();
    const bool open = openForRead(reg, key);
    for (std::size_t i = 0; i < kRestrictions; ++i) {
      if (kRestrictionTable[i].key == key)
        restrictions_[i]->setChecked(open && readDwordFlag(reg, kRestrictionTable[i].value));
    }
  }
  reg.closeKey();

  std::optional<std::string> size, animate, vertical, horizontal, bpp;
  if (openForRead(reg, kMetrics)) {
    size = storedText(reg, "Shell Icon Size");
    animate = storedText(reg, "MinAnimate");
    vertical = storedText(reg, "IconVerticalSpacing");
    horizontal = storedText(reg, "IconSpacing");
    bpp = storedText(reg, "Shell Icon BPP");
  }
  reg.closeKey();
  largeIcons_->setChecked(size == "48");
  minAnimate_->setChecked(animate == "1");
  verticalSpacing_->setValue(spacingFieldFromStored(vertical));
  horizontalSpacing_->setValue(spacingFieldFromStored(horizontal));
  iconSize_->setValue(iconSizeFromStored(size));
  iconColours_->setChecked(bpp == "16" || bpp == "24" || bpp == "32");
}

void DesktopSettingsTabs::loadRecycleBin() {
  RegistryHandle reg(page_.app().registry());
  reg.setRoot(Root::ClassesRoot);
  // This key is opened with create, as the shell's own setting it stands for.
  openForWrite(reg, kRecycleBin);
  recycleBin_->setChecked(recycleBinRenamable(guardedReadBinary(reg, "Attributes")));
  reg.closeKey();
}

WriteResult DesktopSettingsTabs::applySettings() {
  // What a field shows but has not taken yet (Enter runs this at once).
  for (QSpinBox* spin : {verticalSpacing_, horizontalSpacing_, iconSize_}) spin->interpretText();
  RegistryHandle reg(page_.app().registry());
  openExisting(reg, kDesktop);
  if (paintVersion_->isChecked()) {
    reg.writeDword("PaintDesktopVersion", 1);
  } else {
    reg.writeDword("PaintDesktopVersion", 0);
    reg.deleteValue("PaintDesktopVersion");
  }
  writeStringFlag(reg, "DragfullWindows", dragFull_->isChecked());
  writeStringFlag(reg, "FontSmoothing", fontSmoothing_->isChecked());

  openExisting(reg, kMetrics);
  writeStringFlag(reg, "MinAnimate", minAnimate_->isChecked());
  reg.writeString("Shell Icon BPP", iconColours_->isChecked() ? "16" : "4");
  reg.writeString("IconVerticalSpacing", storedSpacing(verticalSpacing_->value()));
  reg.writeString("IconSpacing", storedSpacing(horizontalSpacing_->value()));
  writeNumberText(reg, "Shell Icon Size", iconSize_->value());

  reg.closeKey();
  reg.setRoot(Root::ClassesRoot);
  openForWrite(reg, kRecycleBin);
  reg.writeBinary("Attributes", recycleBinAttributes(recycleBin_->isChecked()));
  reg.closeKey();
  return WriteResult::Done;
}

WriteResult DesktopSettingsTabs::applyRestrictions() {
  RegistryHandle reg(page_.app().registry());
  const auto write = [&](const char* key, std::span<const std::size_t> order) {
    openExisting(reg, key);
    for (std::size_t i : order)
      writeDwordFlag(reg, kRestrictionTable[i].value, restrictions_[i]->isChecked());
  };
  const auto prune = [&](const char* key, std::span<const std::size_t> order) {
    openExisting(reg, key);
    for (std::size_t i : order) {
      if (!restrictions_[i]->isChecked() && reg.valueExists(kRestrictionTable[i].value))
        reg.deleteValue(kRestrictionTable[i].value);
    }
  };
  write(kExplorer, kExplorerWrites);
  write(kActiveDesktop, kActiveDesktopWrites);
  prune(kExplorer, kExplorerWrites);
  prune(kActiveDesktop, kActiveDesktopWrites);
  reg.closeKey();
  return WriteResult::Done;
}

void DesktopSettingsTabs::largeIconsClicked(bool checked) {
  iconSize_->setValue(checked ? 48 : 32);
  verticalSpacing_->setValue(checked ? 59 : 43);
  horizontalSpacing_->setValue(checked ? 59 : 43);
}

void DesktopSettingsTabs::resizePreview(int size) {
  previewFrame_->setFixedSize(size + 8, size + 8);
  previewIcon_->setGeometry(2, 2, size + 4, size + 4);
  previewIcon_->setPixmap(QApplication::style()->standardIcon(QStyle::SP_DesktopIcon).pixmap(size, size));
}

void DesktopSettingsTabs::showTree() {
  const std::set<std::string> opened = tree_->openedPaths();
  tree_->setRoots({{QStringLiteral("PULPIT"), desktopFolder_.toStdString()}});
  tree_->openItem(tree_->topLevelItem(0));
  tree_->openPaths(opened);
}

void DesktopSettingsTabs::treeSelectionChanged() {
  selected_ = tree_->selectedPath();
  selectedPath_->setText(qt(selected_));
  // Only files: folders are not deleted here.
  deleteFile_->setEnabled(!selected_.empty() && page_.app().files().fileExists(selected_));
}

void DesktopSettingsTabs::deleteFile() {
  if (!deleteFile_->isEnabled()) return;
  // Without asking; a file that will not go shows as it is in the fresh tree.
  page_.app().files().deleteFile(selected_);
  selected_.clear();
  selectedPath_->clear();
  showTree();
  deleteFile_->setEnabled(false);
}

void DesktopSettingsTabs::startShortcut() {
  tree_->setEnabled(false);
  deleteFile_->setEnabled(false);
  shortcutPanel_->show();
  shortcutName_->setFocus();
  if (program_->text().isEmpty()) chooseProgram();
}

void DesktopSettingsTabs::chooseProgram() {
  AppContext& app = page_.app();
  const auto chosen = app.dialogs().openFile({.title = "Wibierz program",
                                              .filter = "Wszystkie pliki (*.*)|*.*",
                                              .initialFolder = app.environment().windowsDirectory(),
                                              .defaultExtension = {},
                                              .mustExist = true});
  if (!chosen || chosen->empty()) return;
  program_->setText(qt(*chosen));
  shortcutName_->setText(qt(derivedName(*chosen)));
  shortcutName_->setFocus();
}

void DesktopSettingsTabs::updateShortcutOk() {
  shortcutOk_->setPending(!program_->text().isEmpty() && !shortcutName_->text().isEmpty());
}

WriteResult DesktopSettingsTabs::createShortcut() {
  AppContext& app = page_.app();
  const std::string program = program_->text().toStdString();
  // The typed name stays one file name in the desktop folder.
  const bool saved =
      !program.empty() && saveProgramShortcut(app.files(), app.shellLinks(), desktopFolder_.toStdString(),
                                              shortcutName_->text().toStdString() + ".lnk", program);
  if (!saved) app.dialogs().message(kShortcutFailed);
  shortcutPanel_->hide();
  tree_->setEnabled(true);
  program_->clear();
  shortcutName_->clear();
  showTree();
  return WriteResult::Done;
}

void DesktopSettingsTabs::cancelShortcut() {
  tree_->setEnabled(true);
  shortcutPanel_->hide();
}

bool DesktopSettingsTabs::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (watched == tree_ && key == Qt::Key_Delete) {
    deleteFile();
    return true;
  }
  if (watched == program_ || watched == shortcutName_) {
    if (key == Qt::Key_Escape) {
      cancelShortcut();
      return true;
    }
    if (isEnter(key)) {
      if (shortcutOk_->pending()) shortcutOk_->run();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace kelvaro
