#include "pages/shell/dos_folder_tree.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTreeWidgetItemIterator>

#include "pages/shell/folder_entries.h"
#include "platform/file_system.h"

namespace kelvaro {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kFilledRole = Qt::UserRole + 1;
constexpr int kFolderRole = Qt::UserRole + 2;

std::string joined(const std::string& folder, const std::string& name) {
  return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

QString qt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

DosFolderTree::DosFolderTree(FileSystem& files, Options options, QWidget* parent)
    : QTreeWidget(parent), files_(files), options_(options) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { fill(item); });
}

void DosFolderTree::setRoots(const std::vector<std::pair<QString, std::string>>& roots) {
  clear();
  for (const auto& [caption, path] : roots) {
    auto* item = new QTreeWidgetItem(this, {caption});
    setPath(item, path);
    item->setData(0, kFolderRole, true);
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  }
}

std::string DosFolderTree::pathOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kPathRole).toString().toStdString() : std::string();
}

void DosFolderTree::setPath(QTreeWidgetItem* item, const std::string& path) {
  item->setData(0, kPathRole, qt(path));
}

QTreeWidgetItem* DosFolderTree::selectedItem() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? nullptr : selected.front();
}

std::string DosFolderTree::selectedPath() const { return pathOf(selectedItem()); }

QTreeWidgetItem* DosFolderTree::itemOf(const std::string& path) const {
  for (QTreeWidgetItemIterator it(const_cast<DosFolderTree*>(this)); *it; ++it) {
    if (pathOf(*it) == path) return *it;
  }
  return nullptr;
}

void DosFolderTree::fill(QTreeWidgetItem* item) {
  if (item->data(0, kFilledRole).toBool()) return;
  item->setData(0, kFilledRole, true);
  const std::string folder = pathOf(item);
  std::vector<std::string> folders, fileNames;
  for (const DirectoryEntry& entry : files_.listDirectory(folder, "*.*")) {
    if (options_.skipHidden && (entry.attributes & kAttributeHidden)) continue;
    if (entry.isDirectory())
      folders.push_back(entry.name);
    else if (options_.showFiles)
      fileNames.push_back(entry.name);
  }
  // Sorted as the menus list names; folders before files, as the shell shows them.
  sortEntryNames(folders);
  sortEntryNames(fileNames);
  for (const std::string& name : folders) {
    auto* child = new QTreeWidgetItem(item, {qt(name)});
    setPath(child, joined(folder, name));
    child->setData(0, kFolderRole, true);
    child->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  }
  for (const std::string& name : fileNames) {
    auto* child = new QTreeWidgetItem(item, {qt(name)});
    setPath(child, joined(folder, name));
  }
  if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void DosFolderTree::openItem(QTreeWidgetItem* item) {
  fill(item);
  item->setExpanded(true);
}

void DosFolderTree::nameScrollBars() {
  // A tree's accessible interface does not offer its hint by itself.
  setAccessibleDescription(toolTip());
  verticalScrollBar()->setAccessibleName(accessibleName());
  horizontalScrollBar()->setAccessibleName(accessibleName());
}

void DosFolderTree::refill(QTreeWidgetItem* item) {
  for (QTreeWidgetItem* child : item->takeChildren()) delete child;
  item->setData(0, kFilledRole, false);
  item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  if (item->isExpanded()) fill(item);
}

std::set<std::string> DosFolderTree::openedPaths() const {
  std::set<std::string> paths;
  for (QTreeWidgetItemIterator it(const_cast<DosFolderTree*>(this)); *it; ++it) {
    if ((*it)->isExpanded()) paths.insert(pathOf(*it));
  }
  return paths;
}

void DosFolderTree::openPaths(const std::set<std::string>& paths) {
  // Parents come before their children in the walk, so each opened folder's
  // children are there when the walk reaches them.
  for (QTreeWidgetItemIterator it(this); *it; ++it) {
    if (paths.contains(pathOf(*it))) openItem(*it);
  }
}

}  // namespace kelvaro
