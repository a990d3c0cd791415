#pragma once

#include <QDialog>
#include <QPointer>

#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace kelvaro {

class FileSystem;
class Icons;
class IconSlots;

// The icon picker `TIkonyForm` ("Zmień ikonę na...."): one window reused for
// every opening. The user browses the drives and folders of the environment,
// picks a file with icons and one of its icons; OK delivers the location
// (file + "," + position) to the owner of the slot the picker was opened
// for. While it shows, the window that opened it is disabled.
class TIkonyForm : public QDialog {
  Q_OBJECT

 public:
  static constexpr char kMask[] = "*.exe;*.dll;*.icl;*.ico";

  // firstFolder: what the first opening browses (a DOS path).
  TIkonyForm(FileSystem& files, Icons& icons, const IconSlots& slotOwners, std::string firstFolder,
             QWidget* parent = nullptr);
  ~TIkonyForm() override;

  // Shows the picker for a slot, disabling mainWindow until it closes.
  void open(int slot, QWidget* mainWindow);

  int slot() const { return slot_; }
  // The folder browsed (a DOS path) and the file whose icons are listed
  // (empty when none).
  const std::string& folder() const { return folder_; }
  std::string listedFile() const;

  QTreeWidget* folderTree() const { return tree_; }
  QComboBox* driveSelector() const { return drives_; }
  QListWidget* fileList() const { return fileList_; }
  QListWidget* iconList() const { return iconList_; }
  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QLabel* preview() const { return preview_; }

 public slots:
  void done(int result) override;

 private:
  void fillDrives();
  // Browses a folder: the tree shows it, the file list its files.
  void browse(const std::string& folder);
  void showDrive(char drive);
  void fillChildren(QTreeWidgetItem* item);
  QTreeWidgetItem* childNamed(QTreeWidgetItem* item, const QString& name);
  void fillFiles();
  void listIcons(const std::string& file);
  void chooseIcon(QListWidgetItem* item);
  void confirm();

  FileSystem& files_;
  Icons& icons_;
  const IconSlots& slots_;
  std::string folder_;
  std::string file_;  // the name of the file whose icons are listed
  int slot_ = 0;
  QPointer<QWidget> mainWindow_;
  bool placed_ = false;
  bool filling_ = false;

  QLabel* folderLine_ = nullptr;
  QTreeWidget* tree_ = nullptr;
  QComboBox* drives_ = nullptr;
  QListWidget* fileList_ = nullptr;
  QLineEdit* mask_ = nullptr;
  QLabel* preview_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QListWidget* iconList_ = nullptr;
};

}  // namespace kelvaro
