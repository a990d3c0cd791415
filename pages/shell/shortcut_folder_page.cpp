#include "pages/shell/shortcut_folder_page.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "pages/shell/folder_entries.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/shell_links.h"

namespace kelvaro {
namespace {

QString qt(const char* text) { return QString::fromUtf8(text); }
QString qt(const std::string& text) { return QString::fromStdString(text); }

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

QFrame* panelFrame(QWidget* parent, const QString& name) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->hide();
  return frame;
}

QLineEdit* field(const QString& hint, const QString& name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setToolTip(hint);
  return edit;
}

}  // namespace

ShortcutFolderPage::ShortcutFolderPage(AppContext& app, const PageInfo& info,
                                       const ShortcutFolderTexts& texts, QWidget* parent)
    : Page(app, info, parent), texts_(texts) {
  const QString id = qt(texts.id);
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  auto* heading = new QLabel(qt(texts.heading), this);
  heading->setObjectName(id + "Heading");
  layout->addWidget(heading, 0, 0, 1, 2);

  list_ = new QListWidget(this);
  list_->setObjectName(id + "List");
  list_->setToolTip(qt(texts.listHint));
  list_->setAccessibleDescription(list_->toolTip());
  list_->setAccessibleName(heading->text());
  list_->verticalScrollBar()->setAccessibleName(heading->text());
  list_->horizontalScrollBar()->setAccessibleName(heading->text());
  list_->installEventFilter(this);
  heading->setBuddy(list_);
  layout->addWidget(list_, 1, 0);

  auto* targetRow = new QHBoxLayout;
  auto* targetCaption = new QLabel(QStringLiteral("Skrót do:"), this);
  target_ = new QLabel(this);
  target_->setObjectName(id + "Target");
  target_->setMinimumWidth(200);
  target_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  targetRow->addWidget(targetCaption);
  targetRow->addWidget(target_, 1);
  layout->addLayout(targetRow, 2, 0);

  auto* side = new QVBoxLayout;
  addButton_ = hintedButton(qt(texts.addCaption), qt(texts.addHint), id + "Add", this);
  removeButton_ = hintedButton(qt(texts.removeCaption), qt(texts.removeHint), id + "Remove", this);
  renameButton_ = hintedButton(QStringLiteral("Zmień nazwę"), qt(texts.renameHint), id + "Rename", this);
  for (QPushButton* b : {addButton_, removeButton_, renameButton_}) side->addWidget(b);
  removeButton_->setEnabled(false);
  renameButton_->setEnabled(false);

  // The add panel.
  add_.frame = panelFrame(this, id + "AddPanel");
  auto* addGrid = new QGridLayout(add_.frame);
  auto* addHeading = new QLabel(qt(texts.addHeading), add_.frame);
  QFont bold = addHeading->font();
  bold.setBold(true);
  addHeading->setFont(bold);
  addHeading->setWordWrap(true);
  addGrid->addWidget(addHeading, 0, 0, 1, 2);
  auto* programCaption = new QLabel(qt(texts.programCaption), add_.frame);
  add_.program = field(qt(texts.programHint), id + "Program", add_.frame);
  programCaption->setBuddy(add_.program);
  add_.chooser =
      hintedButton(QStringLiteral("..."), QStringLiteral("Wybierz program"), id + "Chooser", add_.frame);
  add_.chooser->setAccessibleName(add_.chooser->toolTip());
  addGrid->addWidget(programCaption, 1, 0, 1, 2);
  addGrid->addWidget(add_.program, 2, 0);
  addGrid->addWidget(add_.chooser, 2, 1);
  auto* nameCaption = new QLabel(qt(texts.nameCaption), add_.frame);
  add_.name = field(qt(texts.nameHint), id + "Name", add_.frame);
  if (texts.nameLimit > 0) add_.name->setMaxLength(texts.nameLimit);
  nameCaption->setBuddy(add_.name);
  addGrid->addWidget(nameCaption, 3, 0, 1, 2);
  addGrid->addWidget(add_.name, 4, 0, 1, 2);
  auto* addButtons = new QHBoxLayout;
  add_.ok = hintedButton(QStringLiteral("OK"), qt(texts.addOkHint), id + "AddOk", add_.frame);
  add_.cancel = hintedButton(QStringLiteral("Anuluj"), qt(texts.addCancelHint), id + "AddCancel", add_.frame);
  add_.ok->setEnabled(false);
  addButtons->addStretch(1);
  addButtons->addWidget(add_.ok);
  addButtons->addWidget(add_.cancel);
  addGrid->addLayout(addButtons, 5, 0, 1, 2);
  side->addWidget(add_.frame);

  // The rename panel.
  rename_.frame = panelFrame(this, id + "RenamePanel");
  auto* renameGrid = new QGridLayout(rename_.frame);
  auto* renameCaption = new QLabel(QStringLiteral("Podaj nową nazwę:"), rename_.frame);
  rename_.name = field(QStringLiteral("W to pole podajesz nową nazwę"), id + "NewName", rename_.frame);
  renameCaption->setBuddy(rename_.name);
  rename_.ok = hintedButton(QStringLiteral("OK"), QStringLiteral("Wprowadź nową nazwę"), id + "RenameOk",
                            rename_.frame);
  rename_.cancel = hintedButton(QStringLiteral("Anuluj"), QStringLiteral("Nie zmieniaj nazwy"),
                                id + "RenameCancel", rename_.frame);
  rename_.ok->setEnabled(false);
  renameGrid->addWidget(renameCaption, 0, 0, 1, 3);
  renameGrid->addWidget(rename_.name, 1, 0, 1, 3);
  renameGrid->setColumnStretch(0, 1);
  renameGrid->addWidget(rename_.ok, 2, 1);
  renameGrid->addWidget(rename_.cancel, 2, 2);
  side->addWidget(rename_.frame);
  side->addStretch(1);
  layout->addLayout(side, 1, 1, 2, 1);
  layout->setColumnStretch(0, 1);
  layout->setColumnMinimumWidth(1, 280);

  // The list reacts to the chosen entry, as a click or the arrow keys choose it.
  connect(list_, &QListWidget::itemSelectionChanged, this, [this] { entryClicked(chosenRow()); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    if (renameButton_->isEnabled()) startRename();
  });
  connect(addButton_, &QPushButton::clicked, this, &ShortcutFolderPage::startAdd);
  connect(removeButton_, &QPushButton::clicked, this, &ShortcutFolderPage::remove);
  connect(renameButton_, &QPushButton::clicked, this, &ShortcutFolderPage::startRename);
  connect(add_.chooser, &QPushButton::clicked, this, [this] { chooseProgram(); });
  connect(add_.ok, &QPushButton::clicked, this, &ShortcutFolderPage::confirmAdd);
  connect(add_.cancel, &QPushButton::clicked, this, &ShortcutFolderPage::cancelAdd);
  connect(rename_.ok, &QPushButton::clicked, this, &ShortcutFolderPage::confirmRename);
  connect(rename_.cancel, &QPushButton::clicked, this, &ShortcutFolderPage::cancelRename);
  for (QLineEdit* edit : {add_.program, add_.name}) {
    connect(edit, &QLineEdit::textChanged, this,
            [this] { add_.ok->setEnabled(!add_.program->text().isEmpty() && !add_.name->text().isEmpty()); });
    edit->installEventFilter(this);
  }
  connect(rename_.name, &QLineEdit::textChanged, this,
          [this] { rename_.ok->setEnabled(!rename_.name->text().isEmpty()); });
  rename_.name->installEventFilter(this);

  // An add (or rename) in progress whose OK can be pressed is an unapplied change.
  addPendingMarker([this] { return add_.frame->isVisibleTo(this) && add_.ok->isEnabled(); });
  if (texts.renameIsPending)
    addPendingMarker([this] { return rename_.frame->isVisibleTo(this) && rename_.ok->isEnabled(); });
}

void ShortcutFolderPage::load() {
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    entryFiles_.clear();
    target_->clear();
    folder_ = findFolder();
    if (!folder_.empty()) entryFiles_ = folderListing(app().files(), folder_, "*.*");
    for (const std::string& file : entryFiles_) list_->addItem(qt(withoutExtension(file)));
    list_->clearSelection();
  }
  // A load also ends a rename left open, so no panel acts on an old list.
  add_.frame->hide();
  rename_.frame->hide();
  list_->setEnabled(true);
  setCommands(true, false, false);
}

void ShortcutFolderPage::setCommands(bool add, bool remove, bool rename) {
  addButton_->setEnabled(add);
  removeButton_->setEnabled(remove);
  renameButton_->setEnabled(rename);
}

void ShortcutFolderPage::entryClicked(int row) {
  if (row < 0 || row >= static_cast<int>(entryFiles_.size())) return;
  selected_ = entryFiles_[static_cast<std::size_t>(row)];
  const QString full =
      qt(targetDescription(app().files(), app().shellLinks(), describedFolder() + "\\" + selected_));
  target_->setText(target_->fontMetrics().elidedText(full, Qt::ElideMiddle, std::max(target_->width(), 200)));
  removeButton_->setEnabled(true);
  renameButton_->setEnabled(true);
}

void ShortcutFolderPage::remove() {
  const bool deleted = !selected_.empty() && app().files().deleteFile(folder_ + "\\" + selected_);
  if (!deleted && texts_.removeFailed) app().dialogs().message(texts_.removeFailed);
  removeButton_->setEnabled(false);
  run([this] { reload(); });
}

void ShortcutFolderPage::startAdd() {
  add_.frame->show();
  list_->setEnabled(false);
  removeButton_->setEnabled(false);
  renameButton_->setEnabled(false);
  if (texts_.programFieldFirst)
    add_.program->setFocus();
  else
    add_.name->setFocus();
  if (add_.program->text().isEmpty()) chooseProgram();
}

void ShortcutFolderPage::setProgram(const std::string& path, const std::string& name) {
  add_.program->setText(qt(path));
  add_.name->setText(qt(name));
  add_.ok->setEnabled(!add_.program->text().isEmpty() && !add_.name->text().isEmpty());
}

void ShortcutFolderPage::focusName() { add_.name->setFocus(); }

void ShortcutFolderPage::confirmAdd() {
  // The typed name stays a file name in the folder; a folder that is gone takes nothing.
  const bool saved =
      saveProgramShortcut(app().files(), app().shellLinks(), addFolder(),
                          add_.name->text().toStdString() + ".lnk", add_.program->text().toStdString());
  if (!saved) {
    // The panel stays open with what was typed, so the name can be mended.
    app().dialogs().message(texts_.addFailed);
    return;
  }
  add_.frame->hide();
  list_->setEnabled(true);
  add_.program->clear();
  add_.name->clear();
  add_.ok->setEnabled(false);
  run([this] { reload(); });
}

void ShortcutFolderPage::cancelAdd() {
  add_.frame->hide();
  list_->setEnabled(true);
  list_->setFocus();
}

int ShortcutFolderPage::chosenRow() const {
  const QList<QListWidgetItem*> chosen = list_->selectedItems();
  return chosen.isEmpty() ? -1 : list_->row(chosen.front());
}

void ShortcutFolderPage::startRename() {
  const int row = chosenRow();
  if (row < 0) return;
  rename_.frame->show();
  list_->setEnabled(false);
  removeButton_->setEnabled(false);
  addButton_->setEnabled(false);
  rename_.name->setText(list_->item(row)->text());
  rename_.ok->setEnabled(false);
  rename_.name->setFocus();
}

void ShortcutFolderPage::confirmRename() {
  const std::string newName = rename_.name->text().toStdString() + extensionOf(selected_);
  // Only a plain name: a typed "\", "/" or ".." must not move the entry elsewhere.
  const bool renamed = isPlainEntryName(newName) &&
                       app().files().renameFile(folder_ + "\\" + selected_, folder_ + "\\" + newName);
  if (!renamed) app().dialogs().message(texts_.renameFailed);
  rename_.frame->hide();
  list_->setEnabled(true);
  rename_.name->clear();
  renameButton_->setEnabled(false);
  run([this] { reload(); });
}

void ShortcutFolderPage::cancelRename() {
  rename_.frame->hide();
  list_->setEnabled(true);
  setCommands(true, true, true);
  list_->setFocus();
}

bool ShortcutFolderPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return Page::eventFilter(watched, event);
  const auto* press = static_cast<QKeyEvent*>(event);
  const int key = press->key();
  if (watched == list_) {
    if (isEnter(key)) {
      if (press->modifiers() & Qt::ControlModifier) {
        if (renameButton_->isEnabled()) startRename();
      } else if (addButton_->isEnabled()) {
        startAdd();
      }
      return true;
    }
    if (key == Qt::Key_Delete) {
      if (removeButton_->isEnabled()) remove();
      return true;
    }
    return Page::eventFilter(watched, event);
  }
  if (watched == add_.program || watched == add_.name) {
    if (key == Qt::Key_Escape) {
      cancelAdd();
      return true;
    }
    if (isEnter(key)) {
      if (add_.ok->isEnabled()) confirmAdd();
      return true;
    }
  }
  if (watched == rename_.name) {
    if (key == Qt::Key_Escape) {
      cancelRename();
      return true;
    }
    if (isEnter(key)) {
      if (rename_.ok->isEnabled()) confirmRename();
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
