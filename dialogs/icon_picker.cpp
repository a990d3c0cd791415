#include "dialogs/icon_picker.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>

#include "dialogs/icon_slots.h"
#include "platform/file_system.h"
#include "platform/icons.h"

namespace kelvaro {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;
constexpr int kIconSize = 32;

QString text(const std::string& s) { return QString::fromStdString(s); }

// "C:\" + "WINDOWS" is "C:\WINDOWS"; "C:\WINDOWS" + "SYSTEM" is "C:\WINDOWS\SYSTEM".
std::string joinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == '\\') return folder + name;
  return folder + "\\" + name;
}

std::string driveRoot(char drive) {
  return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(drive)))) + ":\\";
}

// The names below the drive root of a DOS path ("C:\A\B" gives A, B).
std::vector<std::string> components(const std::string& path) {
  std::vector<std::string> names;
  std::size_t start = path.find('\\');
  while (start != std::string::npos) {
    const std::size_t end = path.find('\\', start + 1);
    std::string name = path.substr(start + 1, end == std::string::npos ? std::string::npos : end - start - 1);
    if (!name.empty()) names.push_back(std::move(name));
    start = end;
  }
  return names;
}

void sortNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return QString::compare(text(a), text(b), Qt::CaseInsensitive) < 0;
  });
}

// A control without a caption is named by its hint.
template <class W>
W* hinted(W* w, const char* name, const QString& hint) {
  w->setObjectName(QString::fromLatin1(name));
  w->setToolTip(hint);
  w->setAccessibleName(hint);
  return w;
}

}  // namespace

TIkonyForm::TIkonyForm(FileSystem& files, Icons& icons, const IconSlots& slotOwners, std::string firstFolder,
                       QWidget* parent)
    : QDialog(parent), files_(files), icons_(icons), slots_(slotOwners), folder_(std::move(firstFolder)) {
  setObjectName("TIkonyForm");
  setWindowTitle(QStringLiteral("Zmień ikonę na...."));
  setToolTip(QStringLiteral("Zmień ikone na ..."));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint |
                 Qt::WindowTitleHint);
  setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  folderLine_ = new QLabel(this);
  folderLine_->setObjectName("pickerFolder");
  layout->addWidget(folderLine_);

  auto* middle = new QHBoxLayout;
  auto* folders = new QVBoxLayout;
  tree_ = hinted(new QTreeWidget(this), "pickerFolders", QStringLiteral("Zmień folder"));
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  drives_ = hinted(new QComboBox(this), "pickerDrives", QStringLiteral("Zmień dysk"));
  folders->addWidget(tree_, 1);
  folders->addWidget(drives_);
  middle->addLayout(folders, 3);

  auto* filesColumn = new QVBoxLayout;
  fileList_ = hinted(new QListWidget(this), "pickerFiles", QStringLiteral("Zmień plik"));
  mask_ = new QLineEdit(QString::fromLatin1(kMask), this);
  mask_->setObjectName("pickerMask");
  mask_->setReadOnly(true);
  mask_->setAccessibleName(QStringLiteral("Maska plików"));
  filesColumn->addWidget(fileList_, 1);
  filesColumn->addWidget(mask_);
  middle->addLayout(filesColumn, 3);

  auto* right = new QVBoxLayout;
  auto* previewBox = new QGroupBox(QStringLiteral("Podgląd"), this);
  previewBox->setObjectName("pickerPreviewBox");
  previewBox->setToolTip(QStringLiteral("Podgląd wybranej ikony"));
  auto* previewLayout = new QVBoxLayout(previewBox);
  preview_ = new QLabel(previewBox);
  preview_->setObjectName("pickerPreview");
  preview_->setFixedSize(kIconSize, kIconSize);
  preview_->setToolTip(QStringLiteral("Podgląd wybranej ikony"));
  preview_->setAccessibleName(QStringLiteral("Podgląd wybranej ikony"));
  previewLayout->addWidget(preview_, 0, Qt::AlignCenter);
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName("pickerOK");
  ok_->setToolTip(QStringLiteral("Zastosuj ikonę"));
  cancel_ = new QPushButton(QStringLiteral("Anuluj"), this);
  cancel_->setObjectName("pickerCancel");
  cancel_->setToolTip(QStringLiteral("Zamknij"));
  // Enter in a list must not press a default button.
  ok_->setAutoDefault(false);
  cancel_->setAutoDefault(false);
  right->addWidget(previewBox);
  right->addWidget(ok_);
  right->addWidget(cancel_);
  right->addStretch(1);
  middle->addLayout(right, 2);
  layout->addLayout(middle, 1);

  iconList_ = hinted(new QListWidget(this), "pickerIcons", QStringLiteral("Ikony zawarte w wybranym pliku"));
  iconList_->setViewMode(QListView::IconMode);
  iconList_->setFlow(QListView::LeftToRight);
  iconList_->setWrapping(false);
  iconList_->setMovement(QListView::Static);
  iconList_->setIconSize(QSize(kIconSize, kIconSize));
  iconList_->setGridSize(QSize(48, 58));
  iconList_->setUniformItemSizes(true);
  iconList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  iconList_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  iconList_->setFixedHeight(82);
  layout->addWidget(iconList_);

  setFixedSize(500, 400);

  connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { fillChildren(item); });
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (filling_ || !item) return;
    folder_ = item->data(0, kPathRole).toString().toStdString();
    folderLine_->setText(text(folder_));
    fillFiles();
  });
  connect(drives_, &QComboBox::activated, this, [this](int index) {
    const QString drive = drives_->itemText(index);
    if (!drive.isEmpty()) browse(driveRoot(drive.at(0).toLatin1()));
  });
  connect(fileList_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (filling_ || !item) return;
    listIcons(item->text().toStdString());
  });
  connect(iconList_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (!filling_ && item) chooseIcon(item);
  });
  connect(iconList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { chooseIcon(item); });
  connect(iconList_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    chooseIcon(item);
    confirm();
  });
  connect(ok_, &QPushButton::clicked, this, [this] { confirm(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });

  fillDrives();
  browse(folder_);
}

TIkonyForm::~TIkonyForm() = default;

std::string TIkonyForm::listedFile() const { return file_; }

void TIkonyForm::fillDrives() {
  drives_->clear();
  for (char drive : files_.drives()) drives_->addItem(QString("%1:").arg(QChar(drive).toLower()));
}

void TIkonyForm::showDrive(char drive) {
  const int index = drives_->findText(QString("%1:").arg(QChar(drive).toLower()));
  if (index >= 0) drives_->setCurrentIndex(index);
}

QTreeWidgetItem* TIkonyForm::childNamed(QTreeWidgetItem* item, const QString& name) {
  for (int i = 0; i < item->childCount(); ++i) {
    if (item->child(i)->text(0).compare(name, Qt::CaseInsensitive) == 0) return item->child(i);
  }
  return nullptr;
}

void TIkonyForm::fillChildren(QTreeWidgetItem* item) {
  if (item->data(0, kFilledRole).toBool()) return;
  item->setData(0, kFilledRole, true);
  const std::string path = item->data(0, kPathRole).toString().toStdString();
  std::vector<std::string> names;
  for (const DirectoryEntry& entry : files_.listDirectory(path, "*")) {
    if (entry.isDirectory()) names.push_back(entry.name);
  }
  sortNames(names);
  for (const std::string& name : names) {
    auto* child = new QTreeWidgetItem(item, QStringList{text(name)});
    child->setData(0, kPathRole, text(joinPath(path, name)));
    // Whether it has folders of its own is seen when it is opened.
    child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  }
  if (names.empty()) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void TIkonyForm::browse(const std::string& folder) {
  if (folder.size() < 2 || folder[1] != ':') return;
  const char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(folder[0])));
  filling_ = true;
  QTreeWidgetItem* root = tree_->topLevelItem(0);
  if (!root || root->data(0, kPathRole).toString().toStdString() != driveRoot(drive)) {
    tree_->clear();
    root = new QTreeWidgetItem(tree_, QStringList{text(driveRoot(drive))});
    root->setData(0, kPathRole, text(driveRoot(drive)));
  }
  // Down the tree along the path, as far as its folders exist.
  QTreeWidgetItem* item = root;
  for (const std::string& name : components(folder)) {
    fillChildren(item);
    QTreeWidgetItem* child = childNamed(item, text(name));
    if (!child) break;
    item->setExpanded(true);
    item = child;
  }
  tree_->setCurrentItem(item);
  tree_->scrollToItem(item);
  filling_ = false;
  showDrive(drive);
  folder_ = item->data(0, kPathRole).toString().toStdString();
  folderLine_->setText(text(folder_));
  fillFiles();
}

void TIkonyForm::fillFiles() {
  filling_ = true;
  fileList_->clear();
  iconList_->clear();
  preview_->clear();
  ok_->setEnabled(false);
  file_.clear();
  std::vector<std::string> names;
  for (const DirectoryEntry& entry : files_.listDirectory(folder_, kMask)) {
    if (!entry.isDirectory()) names.push_back(entry.name);
  }
  sortNames(names);
  for (const std::string& name : names) fileList_->addItem(text(name));
  filling_ = false;
}

void TIkonyForm::listIcons(const std::string& name) {
  filling_ = true;
  iconList_->clear();
  preview_->clear();
  ok_->setEnabled(false);
  file_ = joinPath(folder_, name);
  const std::vector<QImage> images = icons_.largeIcons(file_);
  for (std::size_t i = 0; i < images.size(); ++i) {
    auto* item = new QListWidgetItem(QString::number(i), iconList_);
    if (!images[i].isNull()) item->setIcon(QIcon(QPixmap::fromImage(images[i])));
    item->setData(kPathRole, images[i]);
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
  iconList_->setCurrentRow(-1);
  filling_ = false;
}

void TIkonyForm::chooseIcon(QListWidgetItem* item) {
  if (!item) return;
  preview_->setPixmap(QPixmap::fromImage(item->data(kPathRole).value<QImage>()));
  ok_->setEnabled(true);
}

void TIkonyForm::confirm() {
  const int index = iconList_->currentRow();
  if (!ok_->isEnabled() || index < 0 || file_.empty()) return;
  IconChoice choice;
  choice.file = file_;
  choice.index = index;
  choice.location = file_ + "," + std::to_string(index);
  choice.icon = iconList_->item(index)->data(kPathRole).value<QImage>();
  slots_.deliver(slot_, choice);
  ok_->setEnabled(false);
  accept();
}

void TIkonyForm::open(int slot, QWidget* mainWindow) {
  slot_ = slot;
  if (mainWindow_ && mainWindow_ != mainWindow) mainWindow_->setEnabled(true);
  mainWindow_ = mainWindow;
  if (mainWindow_) mainWindow_->setEnabled(false);
  // The folder and file of the last opening stay; no icon is chosen yet.
  filling_ = true;
  iconList_->setCurrentRow(-1);
  iconList_->clearSelection();
  filling_ = false;
  preview_->clear();
  ok_->setEnabled(false);
  if (!placed_) {
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    placed_ = true;
  }
  // Focus on the folder tree before the window shows, or a list that had it
  // would take it back and choose its first icon.
  tree_->setFocus();
  show();
  raise();
  activateWindow();
  tree_->setFocus();
}

void TIkonyForm::done(int result) {
  QDialog::done(result);
  if (mainWindow_) mainWindow_->setEnabled(true);
  mainWindow_ = nullptr;
}

}  // namespace kelvaro
