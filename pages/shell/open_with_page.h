#pragma once

#include <string>

#include "pages/page.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro {

// Page `Menu` ("Otwórz z ..."): one extra command of the page's own in the
// context menu of a file type, or of all files, that opens the file in a
// chosen program; written by "Zastosuj", removed by "Usuń z menu".
class OpenWithPage : public Page {
  Q_OBJECT

 public:
  OpenWithPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  // "&Odczytaj" runs the type field's change again.
  void reRead() override;

  QLineEdit* typeField() const { return type_; }
  QLineEdit* nameField() const { return name_; }
  QLineEdit* programField() const { return program_; }
  QPushButton* chooser() const { return chooser_; }
  QLabel* descriptionLabel() const { return description_; }
  QLabel* iconLabel() const { return icon_; }
  QLabel* openedByLabel() const { return openedBy_; }
  QPushButton* applyButton() const;
  QPushButton* removeButton() const { return remove_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void typeChanged();
  void nameChanged();
  void programChanged();
  void choose();
  void removeCommand();
  WriteResult apply();
  // A key below the type's key; for the empty type name, below the root.
  std::string typeKey(const std::string& sub) const;
  void setFieldsEnabled(bool enabled);

  QLineEdit* type_ = nullptr;
  QLineEdit* name_ = nullptr;
  QLineEdit* program_ = nullptr;
  QPushButton* chooser_ = nullptr;
  QLabel* description_ = nullptr;
  QLabel* icon_ = nullptr;
  QLabel* openedBy_ = nullptr;
  QPushButton* remove_ = nullptr;
  ApplyCommand* apply_ = nullptr;
  std::string typeName_;
  QString acceptedName_;
};

}  // namespace kelvaro
