#pragma once

#include <string>
#include <vector>

#include "pages/page.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kelvaro {

// The captions, hints and messages by which the Send To and Quick Launch
// pages differ.
struct ShortcutFolderTexts {
  const char* id;  // object names start with it
  const char* heading;
  const char* listHint;
  const char* addCaption;
  const char* addHint;
  const char* removeCaption;
  const char* removeHint;
  const char* renameHint;
  const char* addHeading;
  const char* programCaption;
  const char* programHint;
  const char* nameCaption;
  const char* nameHint;
  const char* addOkHint;
  const char* addCancelHint;
  const char* removeFailed;  // nullptr: a failed deletion is silent
  const char* renameFailed;
  const char* addFailed;
  int nameLimit;           // characters of a new entry's name; 0: no limit
  bool programFieldFirst;  // "add" focuses the program field rather than the name
  bool renameIsPending;    // the rename panel's OK counts at close
};

// A page that manages a menu folder of shortcuts: lists its entries, shows
// what each points to, adds a shortcut to a program, renames and deletes an
// entry, each at once on disk. Every name the user types stays a name in
// that folder.
class ShortcutFolderPage : public Page {
  Q_OBJECT

 public:
  QListWidget* entryList() const { return list_; }
  QLabel* targetLine() const { return target_; }
  QFrame* addPanel() const { return add_.frame; }
  QFrame* renamePanel() const { return rename_.frame; }
  // The folder the page works on, as the last load found it; empty when none.
  const std::string& folder() const { return folder_; }

 protected:
  ShortcutFolderPage(AppContext& app, const PageInfo& info, const ShortcutFolderTexts& texts,
                     QWidget* parent);

  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The folder to list, found afresh at each load; empty when there is none.
  virtual std::string findFolder() = 0;
  // The folder whose entry a click describes.
  virtual std::string describedFolder() { return folder_; }
  // The folder a new shortcut goes to.
  virtual std::string addFolder() { return folder_; }
  // Asks for the program; fills the program and name fields.
  virtual void chooseProgram() = 0;

  void setProgram(const std::string& path, const std::string& name);
  void focusName();

 private:
  struct AddPanel {
    QFrame* frame = nullptr;
    QLineEdit* program = nullptr;
    QPushButton* chooser = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
  };
  struct RenamePanel {
    QFrame* frame = nullptr;
    QLineEdit* name = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
  };

  int chosenRow() const;
  void entryClicked(int row);
  void remove();
  void startAdd();
  void confirmAdd();
  void cancelAdd();
  void startRename();
  void confirmRename();
  void cancelRename();
  void setCommands(bool add, bool remove, bool rename);

  const ShortcutFolderTexts& texts_;
  std::string folder_;
  std::vector<std::string> entryFiles_;
  std::string selected_;  // the file name of the entry last clicked

  QListWidget* list_ = nullptr;
  QLabel* target_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  QPushButton* renameButton_ = nullptr;
  AddPanel add_;
  RenamePanel rename_;
};

}  // namespace kelvaro
