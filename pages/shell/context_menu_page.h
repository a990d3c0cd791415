#pragma once

#include <string>
#include <vector>

#include "pages/frame_control.h"
#include "pages/page.h"
#include "pages/shell/context_menu_entries.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace kelvaro {

// Page `menukontekstowe` ("Menu kontekstowe"): the context-menu entries of a
// file type or of one of the shell's four special objects, where each is
// registered and what it runs; an entry that runs a chosen program is added
// or edited, any entry removed, each written at once.
class ContextMenuPage : public Page {
  Q_OBJECT

 public:
  ContextMenuPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  // One of the two forms over the page.
  struct Form {
    QFrame* frame = nullptr;
    QLabel* heading = nullptr;
    QLineEdit* program = nullptr;
    QPushButton* chooser = nullptr;
    QLineEdit* name = nullptr;
    QLabel* letter = nullptr;
    QSpinBox* position = nullptr;
    QLabel* preview = nullptr;
    QCheckBox* makeDefault = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QComboBox* parameter = nullptr;      // edit form only
    QLabel* parameterMeaning = nullptr;  // edit form only
    QString menuText() const;
  };

  QLineEdit* extensionField() const { return extension_; }
  QComboBox* typeSelector() const { return selector_; }
  QListWidget* entryList() const { return list_; }
  const std::vector<MenuEntry>& entries() const { return entries_; }
  QGroupBox* details() const { return details_; }
  QLabel* iconPreview() const { return icon_; }
  QLabel* extensionLabel() const { return extensionValue_; }
  QLabel* descriptionLabel() const { return description_; }
  QLabel* commandNameLabel() const { return commandName_; }
  QLabel* keyLabel() const { return key_; }
  QLabel* commandLabel() const { return command_; }
  QPushButton* removeButton() const { return remove_; }
  QPushButton* addButton() const { return add_; }
  QPushButton* editButton() const { return edit_; }
  const Form& addForm() const { return addForm_; }
  const Form& editForm() const { return editForm_; }
  // The key word the add form keeps from the chosen program.
  const QString& keyWord() const { return keyWord_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What the entry list shows: a special object (index into the page's
  // table) or a registered type.
  struct Target {
    int special = -1;
    std::string extension;
    std::string typeName;
    std::string description;
  };

  void buildForm(Form& form, bool editing);
  void fillSelector();
  void chooseEntry(int index);
  void typedInSelector(const QString& text);
  void extensionChanged();
  void showTargetIcon();
  void entrySelected(int row);
  void removeEntry();
  void startAdd();
  void startEdit();
  void chooseProgram(Form& form);
  void nameChanged(Form& form);
  void positionChanged(Form& form);
  void updateOk(Form& form);
  void confirmAdd();
  void confirmEdit();
  void closeForm(Form& form, bool keepEntryCommands);
  void resetForm(Form& form);
  void setCommands(bool remove, bool add, bool edit);
  void setObjectControlsEnabled(bool enabled);
  QString headingSuffix() const;
  std::string verbKey() const;
  int selectedRow() const;

  QLineEdit* extension_ = nullptr;
  QComboBox* selector_ = nullptr;
  QListWidget* list_ = nullptr;
  QGroupBox* details_ = nullptr;
  QLabel* icon_ = nullptr;
  QLabel* extensionValue_ = nullptr;
  QLabel* description_ = nullptr;
  QLabel* commandName_ = nullptr;
  QLabel* key_ = nullptr;
  QLabel* command_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* edit_ = nullptr;
  Form addForm_;
  Form editForm_;
  QString keyWord_;
  std::vector<FileTypeEntry> types_;  // what the selector holds after its special entries
  std::vector<MenuEntry> entries_;
  Target target_;
  std::string editedPath_;  // the entry the edit form writes
};

}  // namespace kelvaro
