#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <string>

#include "pages/apply_command.h"

class QAbstractButton;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace kelvaro {

class DosFolderTree;
class Page;

// The sub-pages "Ustawienia", "Ograniczenia" and "Organizuj" of `pulpit`:
// desktop and icon settings, the desktop policies, and the desktop folder's
// files and shortcuts. The desktop page owns them and calls their parts of
// its loader in its own order.
class DesktopSettingsTabs : public QObject {
  Q_OBJECT

 public:
  // Registers an Apply command on the page (the page owns its commands).
  using AddCommand = std::function<ApplyCommand&(QAbstractButton*, ApplyOptions, ApplyCommand::Write)>;

  static constexpr std::size_t kRestrictions = 13;

  DesktopSettingsTabs(Page& page, AddCommand addCommand);

  // The loader's steps that are these sub-pages', in the order it calls them.
  void loadFolderAndFirstSettings();
  void loadRestrictionsAndIcons();
  void loadRecycleBin();

  // Where the desktop's files and new shortcuts are.
  const QString& desktopFolder() const { return desktopFolder_; }

  QSpinBox* verticalSpacing() const { return verticalSpacing_; }
  QSpinBox* horizontalSpacing() const { return horizontalSpacing_; }
  QSpinBox* iconSize() const { return iconSize_; }
  QFrame* iconPreview() const { return previewFrame_; }
  DosFolderTree* tree() const { return tree_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildSettings(QWidget* area);
  void buildRestrictions(QWidget* area);
  void buildOrganizer(QWidget* area);

  WriteResult applySettings();
  WriteResult applyRestrictions();

  void largeIconsClicked(bool checked);
  void resizePreview(int size);

  void showTree();
  void treeSelectionChanged();
  void deleteFile();
  void startShortcut();
  void chooseProgram();
  void updateShortcutOk();
  WriteResult createShortcut();
  void cancelShortcut();

  Page& page_;
  AddCommand addCommand_;
  QString desktopFolder_;

  // Ustawienia
  ApplyCommand* settingsApply_ = nullptr;
  QCheckBox* paintVersion_ = nullptr;
  QCheckBox* dragFull_ = nullptr;
  QCheckBox* fontSmoothing_ = nullptr;
  QCheckBox* largeIcons_ = nullptr;
  QCheckBox* minAnimate_ = nullptr;
  QCheckBox* iconColours_ = nullptr;
  QCheckBox* recycleBin_ = nullptr;
  QSpinBox* verticalSpacing_ = nullptr;
  QSpinBox* horizontalSpacing_ = nullptr;
  QSpinBox* iconSize_ = nullptr;
  QFrame* previewFrame_ = nullptr;
  QLabel* previewIcon_ = nullptr;

  // Ograniczenia, in the order of their table.
  ApplyCommand* restrictionsApply_ = nullptr;
  std::array<QCheckBox*, kRestrictions> restrictions_{};

  // Organizuj
  DosFolderTree* tree_ = nullptr;
  QLabel* selectedPath_ = nullptr;
  std::string selected_;
  QPushButton* deleteFile_ = nullptr;
  QPushButton* addShortcut_ = nullptr;
  QFrame* shortcutPanel_ = nullptr;
  QLineEdit* program_ = nullptr;
  QPushButton* chooser_ = nullptr;
  QLineEdit* shortcutName_ = nullptr;
  QPushButton* shortcutCancel_ = nullptr;
  ApplyCommand* shortcutOk_ = nullptr;
};

}  // namespace kelvaro
