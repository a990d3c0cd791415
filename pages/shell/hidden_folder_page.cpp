#include "pages/shell/hidden_folder_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "pages/shell/dos_folder_tree.h"
#include "pages/shell/folder_entries.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"

namespace kelvaro {
namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

const std::array<HiddenFolderPage::Disguise, 6>& HiddenFolderPage::disguises() {
  static const std::array<Disguise, 6> table{{
      {"Dokument HTML", ".{25336920-03F9-11CF-8FD0-00AA00686F13}"},
      {"Folder Drukarki", ".{2227A280-3AEA-1069-A2DE-08002B30309D}"},
      {"Harmonogram zadań", ".{D6277990-4C6A-11CF-8D87-00AA0060F5BF}"},
      {"Kosz", ".{645FF040-5081-101B-9F08-00AA002F954E}"},
      {"Niezarejestrowany plik", ".{00021401-0000-0000-C000-000000000046}"},
      {"Panel Sterowania", ".{21EC2020-3AEA-1069-A2DD-08002B30309D}"},
  }};
  return table;
}

HiddenFolderPage::HiddenFolderPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  auto* treeCaption = new QLabel(QStringLiteral("Ukryj wskazany folder:"), this);
  tree_ = new DosFolderTree(app.files(), {.showFiles = false, .skipHidden = true}, this);
  tree_->setObjectName("UkryjFolderTree");
  tree_->setToolTip(QStringLiteral("Wybierz odpowiedni folder"));
  tree_->setAccessibleDescription(tree_->toolTip());
  tree_->setAccessibleName(treeCaption->text());
  tree_->nameScrollBars();
  treeCaption->setBuddy(tree_);
  layout->addWidget(treeCaption, 0, 0, 1, 2);
  layout->addWidget(tree_, 1, 0, 1, 2);

  pathLine_ = new QLabel(this);
  pathLine_->setObjectName("UkryjFolderPath");
  pathLine_->setToolTip(QStringLiteral("Wskazany folder"));
  layout->addWidget(pathLine_, 2, 0, 1, 2);

  auto* objectsCaption = new QLabel(QStringLiteral("Robiąc z niego:"), this);
  objects_ = new QComboBox(this);
  objects_->setObjectName("UkryjFolderObject");
  objects_->setToolTip(QStringLiteral(
      "Dostępne opcje ukrywania folderów. Wybierając dowolną pozycję wskazany folder zamiena się "
      "właśnie w wybrany obiekt"));
  for (const Disguise& d : disguises()) objects_->addItem(QString::fromUtf8(d.entry));
  objectsCaption->setBuddy(objects_);
  objects_->setAccessibleName(objectsCaption->text());
  layout->addWidget(objectsCaption, 3, 0);
  layout->addWidget(objects_, 3, 1);

  auto* nameCaption = new QLabel(QStringLiteral("i zmieniając mu nazwę na:"), this);
  name_ = new QLineEdit(this);
  name_->setObjectName("UkryjFolderName");
  name_->setToolTip(QStringLiteral("Tu podajesz jeszcze dla lepszegu ukrycia dowolną nazwę."));
  nameCaption->setBuddy(name_);
  layout->addWidget(nameCaption, 4, 0);
  layout->addWidget(name_, 4, 1);

  auto* buttons = new QHBoxLayout;
  hide_ = hintedButton(QStringLiteral("Ukryj folder"),
                       QStringLiteral("Kliknij, aby ukryć folder robiąc z niego wybrany obiekt"),
                       "UkryjFolderHide", this);
  restore_ = hintedButton(QStringLiteral("Przywróć folder"),
                          QStringLiteral("Kliknij, aby przywrócić folder do normalnej formy"),
                          "UkryjFolderRestore", this);
  hide_->setEnabled(false);
  restore_->setEnabled(false);
  buttons->addStretch(1);
  buttons->addWidget(hide_);
  buttons->addWidget(restore_);
  layout->addLayout(buttons, 5, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(1, 1);

  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &HiddenFolderPage::folderSelected);
  connect(objects_, &QComboBox::currentIndexChanged, this, &HiddenFolderPage::fieldsChanged);
  connect(name_, &QLineEdit::textChanged, this, &HiddenFolderPage::fieldsChanged);
  connect(hide_, &QPushButton::clicked, this, &HiddenFolderPage::hideFolder);
  connect(restore_, &QPushButton::clicked, this, &HiddenFolderPage::restoreFolder);
  addPendingMarker([this] { return hide_->isEnabled(); });
}

void HiddenFolderPage::load() {
  std::vector<std::pair<QString, std::string>> roots;
  for (const char drive : app().files().drives()) {
    const std::string root = std::string(1, static_cast<char>(std::toupper(drive))) + ":\\";
    roots.emplace_back(qt(root), root);
  }
  {
    const QSignalBlocker quiet(tree_);
    tree_->setRoots(roots);
  }
  selected_.clear();
  parent_.clear();
  const QSignalBlocker nameBlock(name_), objectBlock(objects_);
  name_->clear();
  objects_->setCurrentIndex(0);
  pathLine_->clear();
  for (QWidget* w : std::initializer_list<QWidget*>{name_, objects_, hide_, restore_}) w->setEnabled(false);
}

void HiddenFolderPage::folderSelected() {
  const std::string path = tree_->selectedPath();
  if (path.empty()) return;
  const QSignalBlocker nameBlock(name_), objectBlock(objects_);
  selected_ = path;
  name_->clear();
  name_->setEnabled(false);
  objects_->setCurrentIndex(0);
  objects_->setEnabled(false);
  restore_->setEnabled(false);
  // A drive's root is no folder to disguise.
  const std::string usable = selected_.size() < 4 ? std::string() : selected_;
  const std::size_t slash = usable.rfind('\\');
  parent_ = slash == std::string::npos ? std::string() : usable.substr(0, slash + 1);
  name_->setText(qt(slash == std::string::npos ? usable : usable.substr(slash + 1)));
  const bool exists = !usable.empty() && app().files().directoryExists(usable);
  hide_->setEnabled(exists && !name_->text().isEmpty());

  const QString upper = qt(usable).toUpper();
  int disguise = -1;
  for (std::size_t i = 0; i < disguises().size() && disguise < 0; ++i) {
    if (upper.contains(QString::fromLatin1(disguises()[i].suffix + 1))) disguise = static_cast<int>(i);
  }
  if (disguise >= 0) {
    objects_->setCurrentIndex(disguise);
    const QString last = qt(usable).mid(qt(usable).lastIndexOf('\\') + 1);
    const qsizetype brace = last.toUpper().indexOf(QString::fromLatin1(disguises()[disguise].suffix + 1));
    name_->setText(last.left(std::max<qsizetype>(brace - 1, 0)));
    restore_->setEnabled(true);
    hide_->setEnabled(false);
  } else {
    restore_->setEnabled(false);
  }
  // Only a folder there is can be disguised or restored.
  name_->setEnabled(!usable.empty());
  objects_->setEnabled(!usable.empty());
  pathLine_->setText(qt(parent_) + name_->text());
}

void HiddenFolderPage::fieldsChanged() {
  const bool exists = selected_.size() >= 4 && app().files().directoryExists(selected_);
  hide_->setEnabled(exists && !name_->text().isEmpty() && objects_->currentIndex() >= 0);
  pathLine_->setText(qt(parent_) + name_->text());
}

void HiddenFolderPage::hideFolder() {
  const int object = objects_->currentIndex();
  const std::string newName =
      name_->text().toStdString() + disguises()[static_cast<std::size_t>(object)].suffix;
  // The typed name stays a name beside the folder; "\" or ".." would take it elsewhere.
  if (!isPlainEntryName(newName) || !app().files().renameFile(selected_, parent_ + newName)) {
    app().dialogs().message(
        "Nie można ukryć wskazanego folderu ponieważ wskazany folder albo znajduje się na dysku chronionym "
        "przed "
        "zapisem albo na CD, gdzie jakakolwiek zniana jest niemożliwa.\rWskazany folder może też być "
        "folderem "
        "systemowym i jego ukrycie jest niemożliwe.");
    return;
  }
  renamed(parent_ + newName);
}

void HiddenFolderPage::restoreFolder() {
  const std::string newName = name_->text().toStdString();
  if (!isPlainEntryName(newName) || !app().files().renameFile(selected_, parent_ + newName)) {
    app().dialogs().message(
        "Nie można przywrócić wskazanego folderu ponieważ wskazany folder albo znajduje się na dysku "
        "chronionym "
        "przed zapisem albo na CD, gdzie jakakolwiek zniana jest niemożliwa.");
    restore_->setEnabled(false);
    return;
  }
  renamed(parent_ + newName);
}

void HiddenFolderPage::renamed(const std::string& newPath) {
  QTreeWidgetItem* item = tree_->selectedItem();
  if (!item) return;
  item->setText(0, qt(fileNameOf(newPath)));
  DosFolderTree::setPath(item, newPath);
  tree_->refill(item);
  folderSelected();
}

}  // namespace kelvaro
