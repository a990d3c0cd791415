#pragma once

#include <QCursor>

#include <array>
#include <optional>

#include "pages/appearance/cursor_scheme.h"
#include "pages/page.h"
#include "platform/pictures.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;
class QTimer;

namespace kelvaro {

class ClickableLabel;
class DoubleClickDie;

// Page `kursory` ("Kursor"). "Wskaźniki": the fifteen mouse-pointer roles
// with their cursor files, a new file chosen for any of them and previewed,
// the whole set saved as a named scheme in two steps ("Zapisz schemat", then
// "OK"). "Ustawienia": keyboard repeat and double-click time of the running
// system, changed at once and never stored.
class CursorPage : public Page {
  Q_OBJECT

 public:
  CursorPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);
  ~CursorPage() override;

  void resetTransient() override;

  // The role whose edit panel is open.
  std::optional<std::size_t> chosenRole() const { return chosen_; }
  const CursorPaths& paths() const { return paths_; }

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // What a role's cursor looks like: its frames for the preview and the
  // pointer shape, made when first needed.
  struct Preview {
    Animation animation;
    QCursor cursor;
  };

  void buildPointers(QWidget* area);
  void buildSettings(QWidget* area);
  void chooseRole(std::size_t role);
  void placeEditPanel();
  void showPreview();
  void showStep(std::size_t step);
  void changePressed();
  void openChooser(const std::string& folder, const std::string& title);
  void clearSources();
  void hideNameField();
  const Preview& preview(std::size_t role);
  WriteResult save();

  CursorPaths paths_;
  std::array<std::optional<Preview>, kCursorRoleCount> previews_;
  std::array<ClickableLabel*, kCursorRoleCount> captions_{};
  std::array<ClickableLabel*, kCursorRoleCount> pictures_{};
  std::optional<std::size_t> chosen_;
  std::size_t step_ = 0;

  QLabel* schemeLine_ = nullptr;
  QScrollArea* list_ = nullptr;
  QWidget* rows_ = nullptr;
  QFrame* editPanel_ = nullptr;
  QPushButton* changeButton_ = nullptr;
  QGroupBox* sources_ = nullptr;
  QRadioButton* ownCursors_ = nullptr;
  QRadioButton* windowsCursors_ = nullptr;
  QGroupBox* previewArea_ = nullptr;
  QLabel* previewPicture_ = nullptr;
  QTimer* animation_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QWidget* namePanel_ = nullptr;
  QLineEdit* nameField_ = nullptr;
  ApplyCommand* save_ = nullptr;

  QSlider* speed_ = nullptr;
  QSlider* delay_ = nullptr;
  QSlider* doubleClick_ = nullptr;
  QLineEdit* testField_ = nullptr;
  DoubleClickDie* die_ = nullptr;
};

}  // namespace kelvaro
