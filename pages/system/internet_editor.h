#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;
class QWidget;

namespace kelvaro {

class Dialogs;

// What an inline editor of the Internet page edits.
enum class InlineKind {
  Text,       // a plain text field
  Folder,     // a folder field with a folder-browse button
  File,       // an HTML file field with a browse button; quotes are dropped on Enter
  StartPage,  // a text field with a list of addresses to choose from
};

// One choice of the start-page list: its caption and what it puts into the
// field (empty when the page works it out).
struct StartPageChoice {
  const char* caption;
  const char* address;
};

// The inline editors of one sub-page: a double-click on a value label or on
// its caption opens an editor over the label, filled with its text; Enter
// puts the text into the label and closes it. Editing is shared by the
// editors of the page: while one is open, a double-click anywhere does
// nothing. A raised frame follows the label under the mouse while nothing is
// edited.
class InternetEditor : public QObject {
  Q_OBJECT

 public:
  // editing: the page's editing flag, shared by its editors.
  InternetEditor(QWidget* area, Dialogs& dialogs, bool& editing, const QString& name);

  void addField(QLabel* label, QLabel* caption, InlineKind kind);
  // Before an edit opens (the Outlook Express title's message).
  void setBeforeEdit(std::function<void(QLabel*)> before) { beforeEdit_ = std::move(before); }
  // The start-page list; an empty address asks the page for one (nullopt:
  // none, the page has said why).
  void setStartPageChoices(std::vector<StartPageChoice> choices,
                           std::function<std::optional<QString>(const StartPageChoice&)> resolve);

  bool editing() const { return editedField_ != nullptr; }
  QLabel* editedField() const { return editedField_; }
  QLineEdit* field() const { return field_; }
  QToolButton* button() const { return button_; }
  QListWidget* choices() const { return choices_; }
  QFrame* highlight() const { return highlight_; }

  void startEdit(QLabel* label);
  void commit();
  // Back to the loaded state: no edit, editor and choices hidden, frame out of view.
  void reset();
  void moveHighlightOutOfView();

 signals:
  void editStarted(QLabel* label);
  void committed(QLabel* label);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Field {
    QLabel* label;
    QLabel* caption;
    InlineKind kind;
  };
  const Field* fieldOf(const QObject* labelOrCaption) const;
  void fit();
  void buttonPressed();

  QWidget* area_;
  Dialogs& dialogs_;
  bool& pageEditing_;
  std::vector<Field> fields_;
  QLabel* editedField_ = nullptr;
  InlineKind kind_ = InlineKind::Text;
  QWidget* box_ = nullptr;
  QLineEdit* field_ = nullptr;
  QToolButton* button_ = nullptr;
  QListWidget* choices_ = nullptr;
  QFrame* highlight_ = nullptr;
  std::function<void(QLabel*)> beforeEdit_;
  std::vector<StartPageChoice> startPageChoices_;
  std::function<std::optional<QString>(const StartPageChoice&)> resolveChoice_;
};

}  // namespace kelvaro
