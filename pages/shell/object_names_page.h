#pragma once

#include <array>

#include "pages/page.h"

class QFrame;
class QLabel;
class QPushButton;

namespace kelvaro {

class IconPicture;
class InPlaceEditor;

// Page `Nazwy` ("Nazwy"): the display names of eight built-in shell objects,
// each an icon with its name under it, renamed in place and written by
// "Zastosuj" to the class root and to the user's own class keys.
class ObjectNamesPage : public Page {
  Q_OBJECT

 public:
  static constexpr int kObjects = 8;

  ObjectNamesPage(AppContext& app, const PageInfo& info, QWidget* parent = nullptr);

  void resetTransient() override;

  // Object 0-7 in the table's order (Recycle Bin first).
  IconPicture* icon(int object) const { return objects_[object].icon; }
  QLabel* nameLabel(int object) const { return objects_[object].label; }
  QLabel* note() const { return note_; }
  InPlaceEditor* editor() const { return editor_; }
  QFrame* iconFrame() const { return iconFrame_; }
  QFrame* nameFrame() const { return nameFrame_; }
  QPushButton* changeButton() const { return change_; }
  // True while no name is being edited.
  bool idle() const;

 protected:
  void load() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Object {
    IconPicture* icon = nullptr;
    QLabel* label = nullptr;
  };

  int objectOf(const QObject* widget) const;
  void centre(int object);
  void centreAll();
  void hover(int object);
  void startEdit(int object);
  void showChangeButton(int object);
  void changeClicked();
  int changeFor_ = -1;  // the object whose label the change button stands on
  WriteResult apply();

  std::array<Object, kObjects> objects_{};
  QWidget* area_ = nullptr;
  QLabel* note_ = nullptr;
  InPlaceEditor* editor_ = nullptr;
  QFrame* iconFrame_ = nullptr;
  QFrame* nameFrame_ = nullptr;
  QPushButton* change_ = nullptr;
  ApplyCommand* apply_ = nullptr;
};

}  // namespace kelvaro
