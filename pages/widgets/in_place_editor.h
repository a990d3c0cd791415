#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <vector>

#include "platform/dialogs.h"

class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace kelvaro {

enum class EditorKind { Text, Version, Folder };

// The hints of the editors; each page that edits in place gives its own.
struct InPlaceEditorHints {
  QString textEditor = QStringLiteral("Dokonaj zmiany");
  QString versionEditor;
  QString folderEditor;
  QString browseButton = QStringLiteral("Zmień");
};

// Where the text editor opens over its field and how it grows, for a page
// whose layout gives other sizes than the defaults.
struct InPlaceTextGeometry {
  QPoint offset;          // from the field's top-left corner
  int extraWidth = 15;    // beyond the text's width
  int extraHeight = -1;   // beyond the field's height; -1: the editor's own height
  int growLimit = 310;    // the editor grows with its text while narrower than this
  bool highlight = true;  // the frame around the field under the mouse
};

// Editing value labels in place: a double-click on a label opens an editor
// over it (a text field, a masked version field or a folder field with a
// browse button); Enter or a click on the page background puts the text back
// into the label. One edit at a time. A raised highlight frame surrounds the
// label under the mouse while no edit is in progress.
class InPlaceEditor : public QObject {
  Q_OBJECT

 public:
  InPlaceEditor(QWidget* page, Dialogs& dialogs, InPlaceEditorHints hints);

  // placeholder: the display-only text the field shows for a missing value;
  // an edit starts from an empty text instead.
  void addField(QLabel* field, EditorKind kind, QString placeholder);

  // Whether a click on the page background ends an edit (it does unless
  // the page says an edit ends only with Enter).
  void setBackgroundClickCommits(bool commits) { backgroundClickCommits_ = commits; }
  void setTextGeometry(const InPlaceTextGeometry& geometry) { textGeometry_ = geometry; }

  bool editing() const { return editedField_ != nullptr; }
  QLabel* editedField() const { return editedField_; }
  QLineEdit* textEditor() const { return textEditor_; }
  QLineEdit* versionEditor() const { return versionEditor_; }
  QLineEdit* folderEditor() const { return folderEditor_; }
  QToolButton* browseButton() const { return browseButton_; }
  QFrame* highlight() const { return highlight_; }

  // Starts editing a field (what a double-click does).
  void startEdit(QLabel* field);
  // Puts the editor's text into its field and ends the edit (Enter).
  void commit();
  // What a click on the page background does.
  void backgroundClick();
  // Back to the loaded state: no edit, editors hidden, frame out of view.
  void reset();
  void moveHighlightOutOfView();

 signals:
  void editStarted();
  void committed();
  void backgroundClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Field {
    QLabel* label;
    EditorKind kind;
    QString placeholder;
  };
  const Field* fieldOf(const QLabel* label) const;
  QWidget* editorWidget(EditorKind kind) const;
  QLineEdit* lineEdit(EditorKind kind) const;
  QString editorText(EditorKind kind) const;
  void fitEditor(EditorKind kind, bool growing);
  void showHighlightAround(const QLabel* label);

  QWidget* page_;
  Dialogs& dialogs_;
  std::vector<Field> fields_;
  QLabel* editedField_ = nullptr;
  QString openedWith_;  // the editor's text when the edit started
  QLineEdit* textEditor_ = nullptr;
  QLineEdit* versionEditor_ = nullptr;
  QWidget* folderBox_ = nullptr;
  QLineEdit* folderEditor_ = nullptr;
  QToolButton* browseButton_ = nullptr;
  QFrame* highlight_ = nullptr;
  bool backgroundClickCommits_ = true;
  InPlaceTextGeometry textGeometry_;
};

}  // namespace kelvaro
