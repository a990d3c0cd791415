#include "pages/system/installed_programs_page.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "pages/widgets/hinted_button.h"
#include "platform/launcher.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"
#include "store/text_codec.h"

namespace kelvaro {
namespace {

constexpr char kUninstall[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

}  // namespace

InstalledProgramsPage::InstalledProgramsPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 8, 10, 8);
  list_ = new QListWidget(this);
  list_->setObjectName("uninstallList");
  list_->setToolTip(QStringLiteral("Lista zainstalowanych na twoim komputerze programów"));
  list_->setAccessibleName(list_->toolTip());
  list_->setAccessibleDescription(list_->toolTip());
  list_->installEventFilter(this);
  layout->addWidget(list_, 1);

  auto* buttons = new QHBoxLayout;
  uninstall_ =
      hintedButton(QStringLiteral("Odinstaluj"), QStringLiteral("Odinstaluj program"), "uninstallRun", this);
  remove_ =
      hintedButton(QStringLiteral("Usuń wpis"), QStringLiteral("Usuń wpis z listy"), "uninstallRemove", this);
  edit_ = hintedButton(QStringLiteral("Edytuj"), QStringLiteral("Zmień nazwę widoczną w menu \"Dodaj/Usuń\""),
                       "uninstallEdit", this);
  buttons->addWidget(uninstall_);
  buttons->addWidget(remove_);
  buttons->addWidget(edit_);
  buttons->addStretch(1);
  layout->addLayout(buttons);

  panel_ = new QFrame(this);
  panel_->setObjectName("uninstallEditPanel");
  panel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* grid = new QGridLayout(panel_);
  auto* nameCaption = new QLabel(QStringLiteral("Zmień nazwę:"), panel_);
  name_ = new QLineEdit(panel_);
  name_->setObjectName("uninstallName");
  name_->setToolTip(QStringLiteral("Podaj nową nazwę programu"));
  nameCaption->setBuddy(name_);
  auto* commandCaption = new QLabel(QStringLiteral("Zmień program odinstalujący:"), panel_);
  command_ = new QLineEdit(panel_);
  command_->setObjectName("uninstallCommand");
  command_->setToolTip(QStringLiteral("Zmień ścieżkę do programu odinstalującego"));
  commandCaption->setBuddy(command_);
  apply_ =
      hintedButton(QStringLiteral("Zastosuj"), QStringLiteral("Wprowadź zmianę"), "uninstallApply", panel_);
  cancel_ = hintedButton(QStringLiteral("Anuluj"), QStringLiteral("Nie wprowadzaj zmiany"), "uninstallCancel",
                         panel_);
  grid->addWidget(nameCaption, 0, 0);
  grid->addWidget(name_, 0, 1, 1, 2);
  grid->addWidget(commandCaption, 1, 0);
  grid->addWidget(command_, 1, 1, 1, 2);
  grid->addWidget(apply_, 2, 1, Qt::AlignRight);
  grid->addWidget(cancel_, 2, 2);
  layout->addWidget(panel_);
  panel_->hide();
  for (QLineEdit* field : {name_, command_}) {
    field->installEventFilter(this);
    connect(field, &QLineEdit::textChanged, this, [this] { apply_->setEnabled(!name_->text().isEmpty()); });
  }
  // A confirmed-but-unapplied edit is an unapplied change.
  addPendingMarker([this] { return panel_->isVisible() && apply_->isEnabled(); });

  connect(list_, &QListWidget::itemSelectionChanged, this, &InstalledProgramsPage::select);
  connect(list_, &QListWidget::itemDoubleClicked, this, &InstalledProgramsPage::startEdit);
  connect(uninstall_, &QPushButton::clicked, this, &InstalledProgramsPage::uninstall);
  connect(remove_, &QPushButton::clicked, this, &InstalledProgramsPage::removeEntry);
  connect(edit_, &QPushButton::clicked, this, &InstalledProgramsPage::startEdit);
  connect(apply_, &QPushButton::clicked, this, &InstalledProgramsPage::applyEdit);
  connect(cancel_, &QPushButton::clicked, this, &InstalledProgramsPage::cancelEdit);
}

void InstalledProgramsPage::setCommands(bool enabled) {
  uninstall_->setEnabled(enabled);
  remove_->setEnabled(enabled);
  edit_->setEnabled(enabled);
}

void InstalledProgramsPage::load() {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::LocalMachine);
  std::vector<std::string> names;
  if (openForRead(reg, kUninstall)) names = reg.subkeyNames();
  subkeys_.clear();
  for (const std::string& name : names) {
    reg.closeKey();
    if (openForRead(reg, std::string(kUninstall) + "\\" + name) &&
        reg.valueKind("DisplayName") == ValueKind::String)
      subkeys_.push_back(name);
  }
  std::sort(subkeys_.begin(), subkeys_.end(), [](const std::string& a, const std::string& b) {
    return compareNames(utf8ToUtf16(a), utf8ToUtf16(b)) < 0;
  });
  list_->blockSignals(true);
  list_->clear();
  for (const std::string& name : subkeys_) {
    reg.closeKey();
    openForRead(reg, std::string(kUninstall) + "\\" + name);
    list_->addItem(QString::fromStdString(guardedReadString(reg, "DisplayName")));
  }
  list_->blockSignals(false);
  selectedName_.clear();
  selectedKey_.clear();
  selectedCommand_.clear();
  setCommands(false);
  name_->clear();
  panel_->hide();
  list_->setEnabled(true);
}

void InstalledProgramsPage::select() {
  const int row = list_->currentRow();
  if (row < 0 || list_->selectedItems().isEmpty() || static_cast<std::size_t>(row) >= subkeys_.size()) return;
  selectedName_ = list_->item(row)->text().toStdString();
  selectedKey_ = subkeys_[row];
  selectedCommand_.clear();
  bool hasCommand = false;
  run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::LocalMachine);
    hasCommand =
        openForRead(reg, std::string(kUninstall) + "\\" + selectedKey_) && reg.valueExists("UninstallString");
    if (hasCommand) selectedCommand_ = reg.readString("UninstallString");
  });
  uninstall_->setEnabled(hasCommand);
  remove_->setEnabled(true);
  edit_->setEnabled(true);
}

void InstalledProgramsPage::uninstall() {
  if (selectedKey_.empty()) return;
  // Failures of the shell are not reported.
  app().launcher().open(selectedCommand_, ShowWindow::Normal);
}

void InstalledProgramsPage::removeEntry() {
  if (selectedKey_.empty()) return;
  run([this] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::LocalMachine);
    if (openForRead(reg, kUninstall)) reg.deleteKey(selectedKey_);
  });
  run([this] { reload(); });
}

void InstalledProgramsPage::startEdit() {
  if (selectedKey_.empty()) return;
  setCommands(false);
  list_->setEnabled(false);
  name_->setText(QString::fromStdString(selectedName_));
  command_->setText(QString::fromStdString(selectedCommand_));
  panel_->show();
  name_->setFocus();
  apply_->setEnabled(false);
}

void InstalledProgramsPage::applyEdit() {
  setCommands(true);
  list_->setEnabled(true);
  selectedName_ = name_->text().toStdString();
  selectedCommand_ = command_->text().toStdString();
  panel_->hide();
  run([this] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::LocalMachine);
    reg.openKey(std::string(kUninstall) + "\\" + selectedKey_, false);
    reg.writeString("DisplayName", selectedName_);
    reg.writeString("UninstallString", selectedCommand_);
  });
  run([this] { reload(); });
}

void InstalledProgramsPage::cancelEdit() {
  setCommands(true);
  list_->setEnabled(true);
  panel_->hide();
}

bool InstalledProgramsPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return Page::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (watched == list_ && !list_->selectedItems().isEmpty()) {
    if (key->key() == Qt::Key_Delete) {
      removeEntry();
      return true;
    }
    if (enter) {
      startEdit();
      if (key->modifiers() & Qt::ControlModifier) uninstall();
      return true;
    }
  }
  if (watched == name_ || watched == command_) {
    if (key->key() == Qt::Key_Escape) {
      cancelEdit();
      return true;
    }
    if (enter) {
      if (apply_->isEnabled()) applyEdit();
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
