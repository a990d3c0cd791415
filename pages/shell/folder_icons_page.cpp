#include "pages/shell/folder_icons_page.h"

#include <QEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "dialogs/icon_picker.h"
#include "pages/appearance/path_expansion.h"
#include "pages/shell/desktop_ini.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/icons.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"
#include "store/text_codec.h"

namespace kelvaro {
namespace {

constexpr int kSlot = 63;
constexpr char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr char kDriveMessage[] =
    "Nie można zmienić ikony dysku na tej zakładce !!!\r\rAby zmienić ikonę dysku przejdź na zakładkę ikony "
    ":-)";
constexpr char kWriteFailed[] =
    "Nie można zmienić ikony wskazanemu folderowi ponieważ wskazany folder albo znajduje się na dysku "
    "chronionym "
    "przed zapisem albo na CD, gdzie zniana folderu jest niemożliwa.\rUpewnj się taże, czy wskazany folder "
    "nie "
    "jest folderem systemowym gdzie nie możliwa jest żadna operacja na takim folderze.";

std::string joinPath(std::string folder, std::string_view name) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + std::string(name);
}

}  // namespace

FolderIconsPage::FolderIconsPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  auto* grid = new QGridLayout;

  auto* folderLabel = new QLabel(QStringLiteral("Wskaż folder:"), this);
  folderLabel->setObjectName("IkonyFolderowFolderLabel");
  folder_ = new QLineEdit(this);
  folder_->setObjectName("IkonyFolderowFolder");
  folder_->setToolTip(QStringLiteral("Tu wpisz ścieżkę dostępu do folderu"));
  folderLabel->setBuddy(folder_);
  auto* browseButton = new QPushButton(QStringLiteral("..."), this);
  browseButton->setObjectName("IkonyFolderowBrowse");
  browseButton->setAccessibleName(QStringLiteral("Wskaż folder"));
  grid->addWidget(folderLabel, 0, 0, 1, 2);
  grid->addWidget(folder_, 1, 0);
  grid->addWidget(browseButton, 1, 1);

  auto* tipLabel =
      new QLabel(QStringLiteral("Informacja wyświetlana po kliknięciu i najechaniu na niego:"), this);
  tipLabel->setObjectName("IkonyFolderowTipLabel");
  tip_ = new QLineEdit(this);
  tip_->setObjectName("IkonyFolderowTip");
  tip_->setToolTip(QStringLiteral("Wprowadź nazwę jaka ma mień folder po kliknięciu i najechaniu na niego"));
  tipLabel->setBuddy(tip_);
  grid->addWidget(tipLabel, 2, 0, 1, 2);
  grid->addWidget(tip_, 3, 0, 1, 2);

  auto* iconLabel = new QLabel(QStringLiteral("Ikona wybranego folderu:"), this);
  iconLabel->setObjectName("IkonyFolderowIconLabel");
  preview_ = new QLabel(this);
  preview_->setObjectName("IkonyFolderowPodglad");
  preview_->setFixedSize(32, 32);
  preview_->setToolTip(QStringLiteral("Nowa ikona folderu"));
  preview_->setAccessibleName(QStringLiteral("Nowa ikona folderu"));
  change_ = hintedButton(QStringLiteral("Zmień"), QStringLiteral("Zmień ikonę folderu"), "IkonyFolderowZmien",
                         this);
  auto* iconRow = new QHBoxLayout;
  iconRow->addWidget(iconLabel);
  iconRow->addWidget(preview_);
  iconRow->addWidget(change_);
  iconRow->addStretch(1);
  grid->addLayout(iconRow, 4, 0, 1, 2);
  layout->addLayout(grid);
  layout->addStretch(1);

  auto* buttons = new QHBoxLayout;
  auto* applyButton =
      hintedButton(QStringLiteral("Zastosuj"), QStringLiteral("Zastosuj ikonę dla wybranego folderu"),
                   "IkonyFolderowZastosuj", this);
  remove_ = hintedButton(QStringLiteral("Usuń"), QStringLiteral("Przywróć folderowi domyślną ikonę"),
                         "IkonyFolderowUsun", this);
  remove_->setEnabled(false);
  buttons->addStretch(1);
  buttons->addWidget(applyButton);
  buttons->addWidget(remove_);
  layout->addLayout(buttons);
  apply_ = &addApplyCommand(applyButton, {.setsRestartNeeded = false}, [this] { return apply(); });

  connect(folder_, &QLineEdit::textChanged, this, [this] {
    readFolder();
    apply_->setPending(false);
  });
  connect(tip_, &QLineEdit::textEdited, this, [this] {
    if (applyCondition()) apply_->setPending(true);
  });
  connect(browseButton, &QPushButton::clicked, this, [this] { browse(); });
  connect(change_, &QPushButton::clicked, this, [this] { this->app().iconPicker().open(kSlot, window()); });
  connect(remove_, &QPushButton::clicked, this, [this] { this->run([this] { removeCustomisation(); }); });
  // Enter applies; Delete stays a key that deletes characters.
  folder_->installEventFilter(this);
  tip_->installEventFilter(this);

  app.iconSlots().add(this, {kSlot}, [this](int, const IconChoice& choice) { receive(choice); });
}

bool FolderIconsPage::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == folder_ || watched == tip_) && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (apply_->pending()) apply_->run();
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

std::string FolderIconsPage::folder() const { return folder_->text().toStdString(); }

std::string FolderIconsPage::desktopIni() const { return joinPath(folder(), "desktop.ini"); }

bool FolderIconsPage::applyCondition() const {
  return !folder().empty() && app().files().directoryExists(folder()) && !tip_->text().isEmpty() &&
         !iconFile_.empty();
}

void FolderIconsPage::clearCustomisation() {
  const QSignalBlocker blocker(tip_);
  tip_->clear();
  iconFile_.clear();
  iconIndex_.clear();
  preview_->clear();
  lines_.clear();
}

void FolderIconsPage::showIcon(const std::string& location) {
  const QImage icon = app().icons().displayIcon(location);
  if (icon.isNull()) {
    preview_->clear();
  } else {
    preview_->setPixmap(QPixmap::fromImage(icon));
  }
}

void FolderIconsPage::readFolder() {
  FileSystem& files = app().files();
  const std::string path = folder();
  if (path.empty() || !files.directoryExists(path)) {
    clearCustomisation();
    remove_->setEnabled(false);
    return;
  }
  const std::optional<std::string> bytes = files.readFile(desktopIni());
  if (!bytes) return;
  lines_ = splitLines(decodeCodePage(*bytes, app().environment().ansiCodePage()));
  const FolderCustomisation found = recogniseDesktopIni(lines_);
  iconIndex_ = found.iconIndex.value_or("");
  {
    const QSignalBlocker blocker(tip_);
    tip_->setText(QString::fromStdString(found.infoTip.value_or("")));
  }
  if (found.iconFile && !found.iconFile->empty()) {
    iconFile_ = *found.iconFile;
    std::replace(iconFile_.begin(), iconFile_.end(), '/', '\\');
    // A missing index shows the file's first icon, as the shell does.
    const std::string index = iconIndex_.empty() ? "0" : iconIndex_;
    const std::string relative = joinPath(path, iconFile_);
    if (files.fileExists(expandStoredPath(app(), iconFile_))) {
      showIcon(iconFile_ + "," + index);
    } else if (files.fileExists(relative)) {
      showIcon(relative + "," + index);
    } else if (const std::string system = app().environment().systemDirectory();
               files.fileExists(system + "\\Shell32.dll")) {
      showIcon(system + "\\shell32.dll,3");
    } else {
      RegistryHandle reg(app().registry());
      reg.setRoot(Root::LocalMachine);
      std::string closedFolder;
      if (openForRead(reg, kShellIcons)) closedFolder = guardedReadString(reg, "4");
      if (closedFolder.empty()) {
        preview_->clear();
      } else {
        showIcon(closedFolder);
      }
    }
  } else {
    iconFile_.clear();
    preview_->clear();
  }
  remove_->setEnabled(true);
}

void FolderIconsPage::receive(const IconChoice& choice) {
  iconFile_ = choice.file;
  iconIndex_ = std::to_string(choice.index);
  preview_->setPixmap(QPixmap::fromImage(choice.icon));
  if (applyCondition()) apply_->setPending(true);
}

void FolderIconsPage::browse() {
  const std::optional<std::string> chosen = app().dialogs().browseFolder("Wskaż folder", folder());
  if (!chosen) return;
  clearCustomisation();
  apply_->setPending(false);
  remove_->setEnabled(false);
  folder_->setText(QString::fromStdString(*chosen));
}

WriteResult FolderIconsPage::apply() {
  if (folder_->text().size() < 4) {
    app().dialogs().message(kDriveMessage);
    return WriteResult::KeepPending;
  }
  FileSystem& files = app().files();
  const std::string codePage = app().environment().ansiCodePage();
  // What else the folder's desktop.ini says stays in it.
  std::vector<std::string> previous;
  if (const std::optional<std::string> old = files.readFile(desktopIni()))
    previous = splitLines(decodeCodePage(*old, codePage));
  const std::string text = desktopIniText(iconFile_, iconIndex_, tip_->text().toStdString(), previous);
  const std::string bytes = encodeCodePage(text, codePage);
  if (!files.writeFile(desktopIni(), bytes)) {
    app().dialogs().message(kWriteFailed);
    return WriteResult::KeepPending;
  }
  lines_ = splitLines(text);
  files.setAttributes(folder(), kAttributeSystem);
  files.setAttributes(desktopIni(), kAttributeHidden);
  remove_->setEnabled(true);
  return WriteResult::Done;
}

void FolderIconsPage::removeCustomisation() {
  FileSystem& files = app().files();
  files.setAttributes(folder(), kAttributeNormal);
  files.setAttributes(desktopIni(), kAttributeNormal);
  files.deleteFile(desktopIni());
  clearCustomisation();
  apply_->setPending(false);
  remove_->setEnabled(false);
}

}  // namespace kelvaro
