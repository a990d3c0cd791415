#pragma once

#include <string>

#include "pages/page.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidgetItem;

namespace kelvaro {

class DosFolderTree;

// Page `UlubionePage2`: the user's Favorites folder as a tree of folders and
// files; adds a shortcut to a file, deletes, renames and moves files,
// deletes a folder with everything in it and makes new folders, each at
// once on disk. The names the user types stay names inside the folder
// meant for them.
class FavoritesPage : public Page {
  Q_OBJECT

 public:
  FavoritesPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  DosFolderTree* tree() const { return tree_; }
  DosFolderTree* moveTree() const { return move_.tree; }
  DosFolderTree* addTree() const { return add_.tree; }
  const std::string& root() const { return root_; }
  const std::string& selectedPath() const { return selected_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct RenamePanel {
    QFrame* frame = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    std::string folder;     // with its trailing backslash
    std::string extension;  // with its dot
  };
  struct FolderPanel {
    QFrame* frame = nullptr;
    QLabel* location = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
  };
  struct MovePanel {
    QFrame* frame = nullptr;
    QLabel* source = nullptr;
    QLabel* destination = nullptr;
    DosFolderTree* tree = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
  };
  struct AddPanel {
    QFrame* frame = nullptr;
    QRadioButton* toFile = nullptr;
    QRadioButton* toWeb = nullptr;
    QLineEdit* file = nullptr;
    QPushButton* chooser = nullptr;
    QLineEdit* name = nullptr;
    DosFolderTree* tree = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
  };

  void selectionChanged();
  void setSelectionCommands(bool removeFile, bool rename, bool removeFolder, bool move);
  void lockForPanel();
  void refreshTree(DosFolderTree* tree, bool showRootSelected);
  void reloadPage() {
    run([this] { reload(); });
  }

  void removeFile();
  void removeFolder();
  void startRename();
  void confirmRename();
  void startNewFolder();
  void confirmNewFolder();
  void startMove();
  void confirmMove();
  void startAdd();
  void chooseFile();
  void updateAddOk();
  void confirmAdd();

  std::string root_;
  std::string selected_;
  DosFolderTree* tree_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* removeFile_ = nullptr;
  QPushButton* renameButton_ = nullptr;
  QPushButton* removeFolder_ = nullptr;
  QPushButton* moveButton_ = nullptr;
  QPushButton* newFolder_ = nullptr;
  RenamePanel rename_;
  FolderPanel folder_;
  MovePanel move_;
  AddPanel add_;
};

}  // namespace kelvaro
