#pragma once

#include <QTreeWidget>

#include <set>
#include <string>
#include <vector>

namespace kelvaro {

class FileSystem;

// A tree of the environment's folders (and, if asked, files) on DOS paths,
// read through the file system one folder at a time as the user opens it,
// so that showing it reads no more than its top level.
class DosFolderTree : public QTreeWidget {
  Q_OBJECT

 public:
  struct Options {
    bool showFiles = false;
    bool skipHidden = false;
  };

  DosFolderTree(FileSystem& files, Options options, QWidget* parent = nullptr);

  // Starts again from these top nodes: a caption and the DOS path each
  // stands for. Nothing is selected or opened.
  void setRoots(const std::vector<std::pair<QString, std::string>>& roots);
  // The DOS path of a node (empty for none).
  static std::string pathOf(const QTreeWidgetItem* item);
  static void setPath(QTreeWidgetItem* item, const std::string& path);
  std::string selectedPath() const;
  QTreeWidgetItem* selectedItem() const;
  // The node of a path among the nodes read so far, nullptr when none.
  QTreeWidgetItem* itemOf(const std::string& path) const;

  // The paths of the opened folders, and opening them again after a refresh.
  std::set<std::string> openedPaths() const;
  void openPaths(const std::set<std::string>& paths);
  // Reads a node's folder if that is not done yet, and opens it.
  void openItem(QTreeWidgetItem* item);
  // The scroll bars are announced with the tree's accessible name, and the
  // tree's hint is its description.
  void nameScrollBars();
  // Reads a node's folder again (its children dropped first).
  void refill(QTreeWidgetItem* item);

 private:
  void fill(QTreeWidgetItem* item);

  FileSystem& files_;
  Options options_;
};

}  // namespace kelvaro
