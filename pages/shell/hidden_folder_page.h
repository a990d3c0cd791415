#pragma once

#include <array>
#include <string>

#include "pages/page.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kelvaro {

class DosFolderTree;

// Page `UkryjFolder`: disguises a folder as a shell object by renaming it to
// a name that ends in a dot and the object's class identifier, and undoes
// that. The rename happens at once; the page touches no registry value.
class HiddenFolderPage : public Page {
  Q_OBJECT

 public:
  struct Disguise {
    const char* entry;
    const char* suffix;
  };
  static const std::array<Disguise, 6>& disguises();

  HiddenFolderPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  DosFolderTree* tree() const { return tree_; }

 protected:
  void load() override;

 private:
  void folderSelected();
  void fieldsChanged();
  void hideFolder();
  void restoreFolder();
  // After a rename: the tree's node takes the new name and is selected again.
  void renamed(const std::string& newPath);

  std::string selected_;
  std::string parent_;  // up to and including the last backslash
  DosFolderTree* tree_ = nullptr;
  QLabel* pathLine_ = nullptr;
  QComboBox* objects_ = nullptr;
  QLineEdit* name_ = nullptr;
  QPushButton* hide_ = nullptr;
  QPushButton* restore_ = nullptr;
};

}  // namespace kelvaro
