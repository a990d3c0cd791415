#pragma once

#include <string>
#include <vector>

#include "pages/frame_control.h"
#include "pages/page.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace kelvaro {

class ClickableLabel;
struct IconChoice;

// Page `typyplikow` ("Typy plików"): the registered file types of
// HKEY_CLASSES_ROOT, the details of the selected one, its show-extension
// switch, its removal and new description, and the registration of a new
// type. Every action writes at once; the type list it builds is offered to
// the pages whose selectors address it by position.
class FileTypesPage : public Page {
  Q_OBJECT

 public:
  FileTypesPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  // "&Odczytaj": both icon previews cleared, then the loader.
  void reRead() override;

  const std::vector<FileTypeEntry>& types() const { return types_; }
  QTreeWidget* typeList() const { return list_; }
  QPushButton* registerButton() const { return register_; }
  QFrame* newTypeForm() const { return newType_; }
  QFrame* descriptionForm() const { return descriptionForm_; }
  const std::string& newIconLocation() const { return newIconLocation_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void resetPage();
  void clearDetails();
  void selectionChanged();
  void showDetails(const QString& extension);
  void enableSelectionActions();
  void applyShowExtension();
  void remove();
  void startDescription();
  void descriptionEdited();
  void confirmDescription();
  void closeDescription();
  void registerPressed();
  void updateRegisterCaption();
  void setRegisterCaption(const QString& caption, const QString& hint);
  void cancelRegistration();
  void confirmRegistration();
  void clearNewTypeForm();
  void chooseProgram();
  void receiveIcon(const IconChoice& choice);
  QString selectedExtension() const;

  QTreeWidget* list_ = nullptr;
  QLabel* heading_ = nullptr;
  QLabel* typeLine_ = nullptr;
  QLabel* command_ = nullptr;
  QLabel* icon_ = nullptr;
  QCheckBox* showExtension_ = nullptr;
  ClickableLabel* applyShowExtension_ = nullptr;
  QPushButton* remove_ = nullptr;
  QPushButton* changeDescription_ = nullptr;
  QPushButton* register_ = nullptr;

  QFrame* newType_ = nullptr;
  QLineEdit* newExtension_ = nullptr;
  QLineEdit* newProgram_ = nullptr;
  QLineEdit* newDescription_ = nullptr;
  QLabel* newIcon_ = nullptr;
  QPushButton* chooseProgram_ = nullptr;
  QPushButton* chooseIcon_ = nullptr;
  std::string newIconLocation_;

  QFrame* descriptionForm_ = nullptr;
  QLabel* descriptionLabel_ = nullptr;
  QLineEdit* descriptionField_ = nullptr;
  QPushButton* descriptionOk_ = nullptr;
  QPushButton* descriptionCancel_ = nullptr;
  bool descriptionEdited_ = false;

  std::vector<FileTypeEntry> types_;
  std::string description_;  // the selected type's description as shown
};

}  // namespace kelvaro
