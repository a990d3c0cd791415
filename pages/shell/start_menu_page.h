#pragma once

#include <QSpinBox>

#include <array>
#include <string>

#include "pages/page.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kelvaro {

class DosFolderTree;
class IconPicture;
struct IconChoice;

// The submenu delay field: 99 to 9999 in steps of 10. A typed number out of
// range is not refused but held to the nearer end (50 becomes 99, 12000
// becomes 9999) when it is taken.
class MenuDelayBox : public QSpinBox {
  Q_OBJECT

 public:
  explicit MenuDelayBox(QWidget* parent = nullptr);

 protected:
  QValidator::State validate(QString& text, int& pos) const override;
  void fixup(QString& text) const override;
};

// Page `menustart` ("Menu Start"): the Start menu's icons, restrictions and
// behaviour, each sub-page with its own "Zastosuj", and the Programs folder
// organised at once on disk.
class StartMenuPage : public Page {
  Q_OBJECT

 public:
  static constexpr int kIcons = 12;

  StartMenuPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void resetTransient() override;

  // Icon entries 0-11 in the table's order ("Programy" first, "Ulubione" seventh).
  IconPicture* iconPicture(int entry) const { return icons_[entry].picture; }
  QLabel* iconCaption(int entry) const { return icons_[entry].caption; }
  const std::string& iconLocation(int entry) const { return icons_[entry].location; }
  QFrame* pictureFrame() const { return pictureFrame_; }
  QFrame* captionFrame() const { return captionFrame_; }

  MenuDelayBox* delay() const { return delay_; }
  QCheckBox* columns() const { return columns_; }

  DosFolderTree* tree() const { return tree_; }
  QListWidget* contents() const { return contents_; }
  QLabel* currentFolderLine() const { return current_; }
  const std::string& selectedFile() const { return selectedFile_; }
  QPushButton* removeButton() const { return remove_; }
  QFrame* addPanel() const { return panel_; }
  QLineEdit* programField() const { return program_; }
  QLineEdit* nameField() const { return name_; }
  QPushButton* okButton() const { return ok_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct IconEntry {
    std::string location;
    IconPicture* picture = nullptr;
    QLabel* caption = nullptr;
  };

  void buildIcons(QWidget* sheet);
  void buildRestrictions(QWidget* sheet);
  void buildSettings(QWidget* sheet);
  void buildOrganize(QWidget* sheet);

  void showIcon(int entry);
  void highlight(int entry);
  void receive(int slot, const IconChoice& choice);
  WriteResult applyIcons();
  WriteResult applySettings();
  void loadSettings();
  void loadOrganize();

  std::string programsFolder();
  void selectFolder(const std::string& path);
  void folderSelected();
  void fillContents();
  void itemSelected();
  void removeFile();
  void startAdd();
  void chooseProgram();
  void updateOk();
  void confirmAdd();
  void cancelAdd();

  std::array<IconEntry, kIcons> icons_{};
  QFrame* pictureFrame_ = nullptr;
  QFrame* captionFrame_ = nullptr;
  ApplyCommand* iconsApply_ = nullptr;

  std::array<QCheckBox*, 4> policyBoxes_{};
  QCheckBox* columns_ = nullptr;
  MenuDelayBox* delay_ = nullptr;
  ApplyCommand* settingsApply_ = nullptr;

  DosFolderTree* tree_ = nullptr;
  QListWidget* contents_ = nullptr;
  QLabel* current_ = nullptr;
  std::string currentFolder_;
  std::string selectedFile_;
  QPushButton* addButton_ = nullptr;
  QPushButton* remove_ = nullptr;
  QFrame* panel_ = nullptr;
  QLineEdit* program_ = nullptr;
  QPushButton* chooser_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace kelvaro
