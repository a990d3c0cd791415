#include "pages/shell/recent_documents_page.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "pages/shell/folder_entries.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "store/common_functions.h"

namespace kelvaro {

RecentDocumentsPage::RecentDocumentsPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  heading_ = new QLabel(this);
  heading_->setObjectName("DokiHeading");
  layout->addWidget(heading_, 0, 0, 1, 2);
  list_ = new QListWidget(this);
  list_->setObjectName("DokiList");
  list_->setToolTip(QStringLiteral("Zawartość menu \"Start -> Dokumenty\""));
  list_->setAccessibleDescription(list_->toolTip());
  list_->setAccessibleName(QStringLiteral("Zawartość menu \"Dokumenty\""));
  list_->verticalScrollBar()->setAccessibleName(list_->accessibleName());
  list_->horizontalScrollBar()->setAccessibleName(list_->accessibleName());
  list_->installEventFilter(this);
  heading_->setBuddy(list_);
  layout->addWidget(list_, 1, 0);
  auto* side = new QVBoxLayout;
  remove_ = hintedButton(QStringLiteral("Usuń z menu \"Dokumenty\""),
                         QStringLiteral("Usuń wybrany wois z menu dokumenty"), "DokiRemove", this);
  clear_ = hintedButton(QStringLiteral("Wyczyść menu \"Dokumenty\""),
                        QStringLiteral("Usuń wszystkie wpisy z menu dokumenty"), "DokiClear", this);
  allBut_ = hintedButton(QStringLiteral("Usuń wszystkie oprócz..."),
                         QStringLiteral("Usuń wszystkie wpisy z menu oprócz ..."), "DokiAllBut", this);
  for (QPushButton* b : {remove_, clear_, allBut_}) side->addWidget(b);
  side->addStretch(1);
  layout->addLayout(side, 1, 1);
  layout->setColumnStretch(0, 1);

  connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
    const int row = chosenRow();
    if (row < 0 || row >= static_cast<int>(entryFiles_.size())) return;
    selectedPath_ = folder_ + "\\" + entryFiles_[static_cast<std::size_t>(row)];
    remove_->setEnabled(true);
    allBut_->setEnabled(true);
  });
  connect(remove_, &QPushButton::clicked, this, &RecentDocumentsPage::removeSelected);
  connect(clear_, &QPushButton::clicked, this, &RecentDocumentsPage::clearAll);
  connect(allBut_, &QPushButton::clicked, this, &RecentDocumentsPage::removeAllBut);
}

int RecentDocumentsPage::chosenRow() const {
  const QList<QListWidgetItem*> chosen = list_->selectedItems();
  return chosen.isEmpty() ? -1 : list_->row(chosen.front());
}

QString RecentDocumentsPage::headingFor(std::size_t entries) {
  const QString start = QStringLiteral("Zawartość menu \"Dokumenty\" (");
  if (entries == 0) return start + QStringLiteral("brak elementów w menu)");
  if (entries == 1) return start + QStringLiteral("1 element w menu)");
  if (entries <= 4) return start + QString::number(entries) + QStringLiteral(" elemeny w menu)");
  return start + QString::number(entries) + QStringLiteral(" elementów w menu)");
}

void RecentDocumentsPage::load() {
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
    entryFiles_.clear();
    const std::string folder = shellFolderPath(app().registry(), "Recent");
    folder_ = !folder.empty() && app().files().directoryExists(folder) ? folder : std::string();
    if (!folder_.empty()) entryFiles_ = folderListing(app().files(), folder_, "*.*");
    for (const std::string& file : entryFiles_)
      list_->addItem(QString::fromStdString(withoutExtension(file)));
    list_->clearSelection();
  }
  remove_->setEnabled(false);
  allBut_->setEnabled(false);
  heading_->setText(headingFor(entryFiles_.size()));
  clear_->setEnabled(!entryFiles_.empty());
}

void RecentDocumentsPage::removeSelected() {
  if (!selectedPath_.empty()) app().files().deleteFile(selectedPath_);
  remove_->setEnabled(false);
  run([this] { reload(); });
}

void RecentDocumentsPage::clearAll() {
  for (const std::string& file : entryFiles_) app().files().deleteFile(folder_ + "\\" + file);
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
  }
  entryFiles_.clear();
  heading_->setText(headingFor(0));
  for (QPushButton* b : {remove_, clear_, allBut_}) b->setEnabled(false);
}

void RecentDocumentsPage::removeAllBut() {
  // The entry kept is the one chosen, even when it is the only one.
  const int kept = chosenRow();
  for (std::size_t i = 0; i < entryFiles_.size(); ++i) {
    if (static_cast<int>(i) != kept) app().files().deleteFile(folder_ + "\\" + entryFiles_[i]);
  }
  run([this] { reload(); });
}

bool RecentDocumentsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const auto* press = static_cast<QKeyEvent*>(event);
    if (press->key() == Qt::Key_Delete) {
      if (press->modifiers() & Qt::ShiftModifier) {
        if (clear_->isEnabled()) clearAll();
      } else if (remove_->isEnabled()) {
        removeSelected();
      }
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
