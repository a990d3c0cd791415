#include "pages/shell/shell_folders_page.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "pages/widgets/clickable_label.h"
#include "platform/file_system.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kSetup[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
constexpr char kCurrentVersion[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kMissing[] = "(nie znaleziono folderu)";
constexpr char kIdleNote[] = "Kliknij dwukrotnie na wybrany folder, aby zmienić do niego ścieżkę dostępu.";
constexpr char kEditingNote[] = "Zatwierdź zmianę ENTER-em !";

// Where a row's path is read from: a value, or a directory the environment
// worked out at start-up.
enum class Source { Value, WindowsDirectory, SystemDirectory };

struct Row {
  const char* caption;
  Source source;
  Root root;
  const char* key;
  const char* value;  // also what Apply writes
  const char* messageName;
};

// In the order the page lists them.
constexpr std::array<Row, ShellFoldersPage::kRowCount> kRows{{
    {"Dane Aplikacji", Source::Value, Root::CurrentUser, kShellFolders, "AppData", "Dane Aplikacji"},
    {"Temporary Internet Files", Source::Value, Root::CurrentUser, kShellFolders, "Cache",
     "Temporary Internet Files"},
    {"Cookies", Source::Value, Root::CurrentUser, kShellFolders, "Cookies", "Cookis"},
    {"Pulpit", Source::Value, Root::CurrentUser, kShellFolders, "Desktop", "Pulpit"},
    {"Ulubione", Source::Value, Root::CurrentUser, kShellFolders, "Favorites", "Ulubione"},
    {"Czcionki", Source::Value, Root::CurrentUser, kShellFolders, "Fonts", "Czcionki"},
    {"Historia", Source::Value, Root::CurrentUser, kShellFolders, "History", "Historia"},
    {"Program Files", Source::Value, Root::LocalMachine, kCurrentVersion, "ProgramFilesDir", "Program Files"},
    {"Moje obrazy", Source::Value, Root::CurrentUser, kShellFolders, "My Pictures", "Moje obrazy"},
    {"Otoczenie sieciowe", Source::Value, Root::CurrentUser, kShellFolders, "NetHood", "Otoczenie sieciowe"},
    {"Moje Dokumenty", Source::Value, Root::CurrentUser, kShellFolders, "Personal", "Moje dokumenty"},
    {"\"Programy\" w menu Start", Source::Value, Root::CurrentUser, kShellFolders, "Programs", "Programy"},
    {"Dokumenty", Source::Value, Root::CurrentUser, kShellFolders, "Recent", "Dokumenty"},
    {"Wyślij do", Source::Value, Root::CurrentUser, kShellFolders, "SendTo", "Wyślij do"},
    {"Menu start", Source::Value, Root::CurrentUser, kShellFolders, "Start Menu", "Menu Start"},
    {"Autostart", Source::Value, Root::CurrentUser, kShellFolders, "Startup", "Autostart"},
    {"Windows", Source::WindowsDirectory, Root::LocalMachine, kSetup, "WinDir", "Windows"},
    {"Config", Source::Value, Root::LocalMachine, kSetup, "ConfigPath", "Config"},
    {"Media", Source::Value, Root::LocalMachine, kSetup, "MediaPath", "Media"},
    {"System", Source::SystemDirectory, Root::LocalMachine, kSetup, "SysDir", "System"},
}};

// The rows in the order Apply writes them: the Shell Folders values, the
// Setup values, then Program Files.
constexpr std::array<std::size_t, ShellFoldersPage::kRowCount> kApplyOrder{
    0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 7};

std::string invalidFolderMessage(const Row& row) {
  return std::string(
             "Nie podajesz nazwy folderu, podajesz nieprawidłową nazwę folderu lub wskazany przez "
             "Ciebie folder nie istnieje.\rZmiana folderu \"") +
         row.messageName + "\" nie może być przeprowadzona pomyślnie !!!";
}

}  // namespace

ShellFoldersPage::ShellFoldersPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);

  list_ = new QScrollArea(this);
  list_->setObjectName("folderyList");
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  list_->setAccessibleName(QStringLiteral("Foldery"));
  list_->verticalScrollBar()->setAccessibleName(QStringLiteral("Foldery"));
  auto* content = new QWidget;
  content->setObjectName("folderyRows");
  auto* grid = new QGridLayout(content);
  grid->setContentsMargins(4, 4, 4, 4);
  grid->setHorizontalSpacing(12);
  grid->setVerticalSpacing(6);
  grid->setColumnStretch(1, 1);

  // The editor lives among the rows so that it scrolls with them; it ends only with Enter.
  editor_ = new InPlaceEditor(content, app.dialogs(),
                              {.textEditor = {},
                               .versionEditor = {},
                               .folderEditor = QStringLiteral("Zatwierdź zmianę ENTER-em"),
                               .browseButton = QStringLiteral("Kliknij, aby zmienić folder")});
  editor_->setBackgroundClickCommits(false);
  for (std::size_t row = 0; row < kRows.size(); ++row) {
    const QString caption = QString::fromUtf8(kRows[row].caption);
    captions_[row] = new QLabel(caption, content);
    captions_[row]->setObjectName(QStringLiteral("%1Caption").arg(kRows[row].value).remove(' '));
    captions_[row]->installEventFilter(this);
    paths_[row] = new QLabel(content);
    paths_[row]->setObjectName(QStringLiteral("%1Path").arg(kRows[row].value).remove(' '));
    paths_[row]->setToolTip(QStringLiteral("Ścieżka dostępu do folderu \"%1\"").arg(caption));
    paths_[row]->setTextInteractionFlags(Qt::NoTextInteraction);
    captions_[row]->setBuddy(paths_[row]);
    grid->addWidget(captions_[row], static_cast<int>(row), 0);
    grid->addWidget(paths_[row], static_cast<int>(row), 1);
    editor_->addField(paths_[row], EditorKind::Folder, kMissing);
  }
  list_->setWidget(content);
  list_->setWidgetResizable(true);
  layout->addWidget(list_, 1);

  note_ = new QLabel(kIdleNote, this);
  note_->setObjectName("folderyNote");
  note_->setWordWrap(true);
  auto* bottom = new QHBoxLayout;
  auto* remark = new ClickableLabel(QStringLiteral("Uwaga:"), this, QAccessible::Button);
  remark->setObjectName("folderyUwaga");
  remark->setToolTip(QStringLiteral("Cenna uwaga"));
  remark->setStyleSheet("color: #a00000; font-weight: bold;");
  connect(remark, &ClickableLabel::clicked, this, [this] {
    this->app().dialogs().message(
        "Dokonanie jakichkolwiek zmian na tej zakłądce niesie duże zmiany w pracy całego komputera, dla tego "
        "początkującym \"zawodnikom\" zaleca się nie konfigurowanie tej zakładki.");
  });
  auto* applyButton = new QPushButton(QStringLiteral("Zastosuj"), this);
  applyButton->setObjectName("folderyApply");
  applyButton->setToolTip(QStringLiteral("Zastosuj wprowadzone zmiany"));
  bottom->addWidget(remark);
  bottom->addWidget(note_, 1);
  bottom->addWidget(applyButton);
  layout->addLayout(bottom);
  apply_ = &addApplyCommand(applyButton, {.setsRestartNeeded = true}, [this] { return apply(); });

  connect(editor_, &InPlaceEditor::editStarted, this, [this] { note_->setText(kEditingNote); });
  connect(editor_, &InPlaceEditor::committed, this, [this] {
    note_->setText(kIdleNote);
    apply_->markPending();
  });

  app.frame().offerShellFolderLabels([this](std::string_view caption) { return label(caption); });
}

std::optional<std::string> ShellFoldersPage::label(std::string_view rowCaption) const {
  for (std::size_t row = 0; row < kRows.size(); ++row) {
    if (rowCaption == kRows[row].caption) return paths_[row]->text().toStdString();
  }
  return std::nullopt;
}

bool ShellFoldersPage::eventFilter(QObject* watched, QEvent* event) {
  // A double-click on a caption edits its row as one on the path does.
  if (event->type() == QEvent::MouseButtonDblClick) {
    for (std::size_t row = 0; row < kRows.size(); ++row) {
      if (watched == captions_[row]) {
        editor_->startEdit(paths_[row]);
        return true;
      }
    }
  }
  return Page::eventFilter(watched, event);
}

void ShellFoldersPage::load() {
  RegistryHandle reg(app().registry());
  const Row* opened = nullptr;  // the row whose key is open
  for (std::size_t row = 0; row < kRows.size(); ++row) {
    const Row& r = kRows[row];
    std::string text;
    switch (r.source) {
      case Source::WindowsDirectory:
        text = app().environment().windowsDirectory();
        break;
      case Source::SystemDirectory:
        text = app().environment().systemDirectory();
        break;
      case Source::Value:
        // Rows of one key mostly follow each other; it is opened once for them.
        if (!opened || opened->key != std::string_view(r.key) || opened->root != r.root) {
          reg.closeKey();
          reg.setRoot(r.root);
          openForRead(reg, r.key);
          opened = &r;
        }
        text = reg.hasOpenKey() ? guardedReadString(reg, r.value, kMissing) : kMissing;
        break;
    }
    paths_[row]->setText(QString::fromStdString(text));
  }
  editor_->reset();
  list_->verticalScrollBar()->setValue(0);
  note_->setText(kIdleNote);
}

WriteResult ShellFoldersPage::apply() {
  RegistryHandle reg(app().registry());
  for (std::size_t row : kApplyOrder) {
    const Row& r = kRows[row];
    const std::string text = paths_[row]->text().toStdString();
    if (text.empty() || text == kMissing || !app().files().directoryExists(text)) {
      app().dialogs().message(invalidFolderMessage(r));
      continue;
    }
    // Opened without creating; a key that is not there fails the write
    // with the store's error, never lands in the key opened before.
    reg.closeKey();
    reg.setRoot(r.root);
    reg.openKey(r.key, false);
    reg.writeString(r.value, text);
  }
  return WriteResult::Done;
}

}  // namespace kelvaro
