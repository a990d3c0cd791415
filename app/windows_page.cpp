#include "app/windows_page.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char k9xKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kNtKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char kUnknown[] = "(nieznane)";
constexpr char kNoVersion[] = "00.000.0000";
constexpr char kIdleText[] = "Uwaga: Kliknij dwukrotnie na informację, którą chcesz zmienić.";
constexpr char kEditingText[] = "Uwaga: Zatwierdź zmianę ENTER-em.";
// The rows fit the page area of the smallest window layout.
constexpr int kTop = 38;
constexpr int kRowHeight = 20;
constexpr int kRows = 12;

struct FieldSpec {
  const char* caption;
  const char* key;  // under HKEY_LOCAL_MACHINE
  const char* value;
  const char* ntValue;  // the NT key's fallback, or nullptr
  const char* hint;
  EditorKind editor;
};

// Top to bottom, as the page shows them.
constexpr std::array<FieldSpec, WindowsPage::kFieldCount> kFields{{
    {"Nazwa", k9xKey, "ProductName", "ProductName", "Nazwa systemu Windows", EditorKind::Text},
    {"Wersja", k9xKey, "Version", nullptr, "Wersja systemu Windows", EditorKind::Text},
    {"Typ", k9xKey, "ProductType", "SoftwareType", "Typ systemu Windows", EditorKind::Text},
    {"Numer Wersji", k9xKey, "VersionNumber", "CurrentVersion", "Numer wersji systemu Windows",
     EditorKind::Version},
    {"Typ Wersji", k9xKey, "SubVersionNumber", "CurrentBuild", "Typ wersji systemu Windows",
     EditorKind::Text},
    {"Numer seryjny", k9xKey, "ProductId", "ProductId", "Numer seryjny systemu Windows", EditorKind::Text},
    {"Firma", k9xKey, "RegisteredOrganization", "RegisteredOrganization", "Nazwa firmy", EditorKind::Text},
    {"Użytkownik", k9xKey, "RegisteredOwner", "RegisteredOwner", "Nazwa użytkownika", EditorKind::Text},
    {"Wersja PLUS!`a", k9xKey, "Plus! VersionNumber", "CSDVersion", "Wersja pakietu PLUS!", EditorKind::Text},
    {"Ścieżka instalacyjna", "Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "SourcePath", nullptr,
     "Folder, z którego zainstalowano system Windows", EditorKind::Folder},
    {"Nazwa komputera", "System\\CurrentControlSet\\control\\ComputerName\\ComputerName", "ComputerName",
     nullptr, "Nazwa tego komputera", EditorKind::Text},
    {"Typ komputera", "Enum\\Root\\*PNP0C01\\0000", "SetupMachineType", nullptr, "Typ tego komputera",
     EditorKind::Text},
}};

// The order in which Apply writes the NT fallbacks.
constexpr const char* kNtWriteOrder[] = {
    "ProductName",  "ProductId",       "SoftwareType",           "CurrentVersion",
    "CurrentBuild", "RegisteredOwner", "RegisteredOrganization", "CSDVersion"};

const char* placeholderOf(const FieldSpec& spec) {
  return spec.editor == EditorKind::Version ? kNoVersion : kUnknown;
}

bool sameKey(std::size_t a, std::size_t b) { return std::string_view(kFields[a].key) == kFields[b].key; }

bool writable(const QString& text) { return !text.isEmpty() && text != kUnknown; }

}  // namespace

WindowsPage::WindowsPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* heading = new QLabel("Windows Informacje", this);
  heading->setObjectName("windowsHeading");
  QFont headingFont = heading->font();
  headingFont.setPointSize(headingFont.pointSize() + 4);
  headingFont.setBold(true);
  heading->setFont(headingFont);
  heading->move(20, 6);

  editor_ = new InPlaceEditor(
      this, app.dialogs(),
      {.versionEditor = "Wprowadź nową wersję Windows", .folderEditor = "Zmień ścieżkę instalacji Windows"});
  for (std::size_t row = 0; row < kFields.size(); ++row) {
    const FieldSpec& spec = kFields[row];
    const int y = kTop + static_cast<int>(row) * kRowHeight;
    auto* caption = new QLabel(QString::fromUtf8(spec.caption), this);
    caption->setObjectName(QStringLiteral("%1Caption").arg(spec.value).remove(' ').remove('!'));
    caption->setGeometry(20, y, 145, 18);
    auto* field = new QLabel(this);
    field->setObjectName(QStringLiteral("%1Field").arg(spec.value).remove(' ').remove('!'));
    field->setToolTip(QString::fromUtf8(spec.hint));
    field->setGeometry(170, y, 400, 18);
    editor_->addField(field, spec.editor, placeholderOf(spec));
    fields_[row] = field;
  }

  instruction_ = new QLabel(kIdleText, this);
  instruction_->setObjectName("windowsInstruction");
  instruction_->setGeometry(20, kTop + kRows * kRowHeight + 8, 420, 18);

  auto* applyButton = new QPushButton("Zastosuj", this);
  applyButton->setObjectName("windowsApply");
  applyButton->setToolTip("Zastosuj powyższe zmiany");
  applyButton->move(470, kTop + kRows * kRowHeight + 4);
  apply_ = &addApplyCommand(applyButton, {.setsRestartNeeded = true}, [this] {
    apply();
    return WriteResult::Done;
  });

  connect(editor_, &InPlaceEditor::editStarted, this, [this] { instruction_->setText(kEditingText); });
  connect(editor_, &InPlaceEditor::committed, this, [this] {
    resetInstruction();
    apply_->markPending();
  });
  connect(editor_, &InPlaceEditor::backgroundClicked, this, [this] { resetInstruction(); });
}

void WindowsPage::resetInstruction() { instruction_->setText(kIdleText); }

void WindowsPage::load() {
  std::array<std::string, kFieldCount> texts;
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::LocalMachine);
  // Each key once, in the order the fields name them.
  for (std::size_t row = 0; row < kFields.size(); ++row) {
    if (row > 0 && sameKey(row, row - 1)) continue;
    reg.closeKey();
    const bool open = openForRead(reg, kFields[row].key);
    for (std::size_t r = row; r < kFields.size() && sameKey(r, row); ++r) {
      texts[r] = open ? guardedReadString(reg, kFields[r].value) : std::string();
    }
  }
  reg.closeKey();
  if (openForRead(reg, kNtKey)) {
    for (std::size_t row = 0; row < kFields.size(); ++row) {
      if (kFields[row].ntValue && texts[row].empty())
        texts[row] = guardedReadString(reg, kFields[row].ntValue);
    }
  }
  reg.closeKey();
  for (std::size_t row = 0; row < kFields.size(); ++row) {
    if (texts[row].empty()) texts[row] = placeholderOf(kFields[row]);
    fields_[row]->setText(QString::fromStdString(texts[row]));
  }
  resetInstruction();
  editor_->reset();
}

void WindowsPage::apply() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::LocalMachine);
  for (std::size_t row = 0; row < kFields.size(); ++row) {
    if (row == 0 || !sameKey(row, row - 1)) {
      reg.closeKey();
      openForWrite(reg, kFields[row].key);
    }
    const QString text = fields_[row]->text();
    if (writable(text)) reg.writeString(kFields[row].value, text.toStdString());
  }
  reg.closeKey();
  openForWrite(reg, kNtKey);
  for (const char* ntValue : kNtWriteOrder) {
    for (std::size_t row = 0; row < kFields.size(); ++row) {
      if (kFields[row].ntValue && std::string_view(kFields[row].ntValue) == ntValue) {
        const QString text = fields_[row]->text();
        if (writable(text)) reg.writeString(ntValue, text.toStdString());
      }
    }
  }
  reg.closeKey();
}

}  // namespace kelvaro
