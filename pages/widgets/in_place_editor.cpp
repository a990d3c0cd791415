#include "pages/widgets/in_place_editor.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

namespace kelvaro {
namespace {
constexpr int kTextLimit = 410;
constexpr int kGrowLimit = 310;
const QPoint kOutOfView(-1000, -1000);
}  // namespace

InPlaceEditor::InPlaceEditor(QWidget* page, Dialogs& dialogs, InPlaceEditorHints hints)
    : QObject(page), page_(page), dialogs_(dialogs) {
  textEditor_ = new QLineEdit(page);
  textEditor_->setObjectName("textEditor");
  textEditor_->setToolTip(hints.textEditor);
  textEditor_->setMaxLength(kTextLimit);

  versionEditor_ = new QLineEdit(page);
  versionEditor_->setObjectName("versionEditor");
  versionEditor_->setToolTip(hints.versionEditor);
  // Digits only, two-three-four; untyped places show as spaces.
  versionEditor_->setInputMask("00.000.0000; ");

  folderBox_ = new QWidget(page);
  folderBox_->setObjectName("folderEditorBox");
  auto* row = new QHBoxLayout(folderBox_);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  folderEditor_ = new QLineEdit(folderBox_);
  folderEditor_->setObjectName("folderEditor");
  folderEditor_->setToolTip(hints.folderEditor);
  folderEditor_->setMaxLength(kTextLimit);
  browseButton_ = new QToolButton(folderBox_);
  browseButton_->setObjectName("browseButton");
  browseButton_->setText("...");
  browseButton_->setToolTip(hints.browseButton);
  browseButton_->setAccessibleName(hints.browseButton);
  row->addWidget(folderEditor_, 1);
  row->addWidget(browseButton_);

  for (QLineEdit* editor : {textEditor_, versionEditor_, folderEditor_}) {
    connect(editor, &QLineEdit::returnPressed, this, &InPlaceEditor::commit);
  }
  connect(textEditor_, &QLineEdit::textEdited, this, [this] { fitEditor(EditorKind::Text, true); });
  connect(versionEditor_, &QLineEdit::textEdited, this, [this] { fitEditor(EditorKind::Version, true); });
  connect(folderEditor_, &QLineEdit::textEdited, this, [this] { fitEditor(EditorKind::Folder, true); });
  connect(browseButton_, &QToolButton::clicked, this, [this] {
    const auto folder = dialogs_.browseFolder("", folderEditor_->text().toStdString());
    if (folder) {
      folderEditor_->setText(QString::fromStdString(*folder));
      fitEditor(EditorKind::Folder, true);
    }
  });

  highlight_ = new QFrame(page);
  highlight_->setObjectName("highlightFrame");
  highlight_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  highlight_->setLineWidth(1);
  highlight_->setAttribute(Qt::WA_TransparentForMouseEvents);

  page->installEventFilter(this);
  reset();
}

void InPlaceEditor::addField(QLabel* field, EditorKind kind, QString placeholder) {
  fields_.push_back({field, kind, std::move(placeholder)});
  field->setMouseTracking(true);
  field->installEventFilter(this);
}

const InPlaceEditor::Field* InPlaceEditor::fieldOf(const QLabel* label) const {
  for (const Field& f : fields_) {
    if (f.label == label) return &f;
  }
  return nullptr;
}

QWidget* InPlaceEditor::editorWidget(EditorKind kind) const {
  switch (kind) {
    case EditorKind::Version:
      return versionEditor_;
    case EditorKind::Folder:
      return folderBox_;
    case EditorKind::Text:
      break;
  }
  return textEditor_;
}

QLineEdit* InPlaceEditor::lineEdit(EditorKind kind) const {
  switch (kind) {
    case EditorKind::Version:
      return versionEditor_;
    case EditorKind::Folder:
      return folderEditor_;
    case EditorKind::Text:
      break;
  }
  return textEditor_;
}

QString InPlaceEditor::editorText(EditorKind kind) const {
  // The version text is taken with its dots and spaces.
  return kind == EditorKind::Version ? versionEditor_->displayText() : lineEdit(kind)->text();
}

void InPlaceEditor::fitEditor(EditorKind kind, bool growing) {
  QWidget* editor = editorWidget(kind);
  QLineEdit* line = lineEdit(kind);
  const int textWidth = QFontMetrics(line->font()).horizontalAdvance(line->displayText());
  if (kind == EditorKind::Text) {
    const InPlaceTextGeometry& g = textGeometry_;
    if (!growing) {
      const int height = g.extraHeight < 0 || !editedField_ ? editor->sizeHint().height()
                                                            : editedField_->height() + g.extraHeight;
      editor->resize(textWidth + g.extraWidth, height);
    } else if (editor->width() < g.growLimit) {
      editor->resize(textWidth + 15, editor->height());
    }
    return;
  }
  if (!growing) {
    editor->resize(textWidth + (kind == EditorKind::Folder ? 30 : 15), editor->sizeHint().height());
  } else if (editor->width() < kGrowLimit) {
    editor->resize(textWidth + (kind == EditorKind::Folder ? 40 : 15), editor->height());
  }
}

void InPlaceEditor::startEdit(QLabel* label) {
  const Field* field = fieldOf(label);
  if (!field || editing()) return;
  if (label->text() == field->placeholder) label->clear();
  editedField_ = label;
  QLineEdit* line = lineEdit(field->kind);
  line->setText(label->text());
  openedWith_ = editorText(field->kind);
  QWidget* editor = editorWidget(field->kind);
  editor->move(label->pos() + (field->kind == EditorKind::Text ? textGeometry_.offset : QPoint()));
  fitEditor(field->kind, false);
  editor->setEnabled(true);
  editor->show();
  editor->raise();
  line->setFocus();
  highlight_->hide();
  emit editStarted();
}

void InPlaceEditor::commit() {
  if (!editing()) return;
  const Field* field = fieldOf(editedField_);
  // An editor left as it opened keeps its field as it was: the version mask
  // cannot show every stored text ("4.10.2222" opens as "4 .10 .2222"). An
  // empty field still takes an untouched mask's dots and spaces.
  const QString text = editorText(field->kind);
  if (text != openedWith_ || editedField_->text().isEmpty()) editedField_->setText(text);
  editorWidget(field->kind)->hide();
  const QLabel* done = editedField_;
  editedField_ = nullptr;
  showHighlightAround(done);
  emit committed();
}

void InPlaceEditor::backgroundClick() {
  if (editing()) {
    if (!backgroundClickCommits_) return;
    QWidget* editor = editorWidget(fieldOf(editedField_)->kind);
    commit();
    editor->setEnabled(false);
    return;
  }
  emit backgroundClicked();
}

void InPlaceEditor::reset() {
  editedField_ = nullptr;
  textEditor_->hide();
  versionEditor_->hide();
  folderBox_->hide();
  moveHighlightOutOfView();
}

void InPlaceEditor::moveHighlightOutOfView() {
  highlight_->move(kOutOfView);
  highlight_->hide();
}

void InPlaceEditor::showHighlightAround(const QLabel* label) {
  if (!textGeometry_.highlight) return;
  const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
  highlight_->setGeometry(label->x() - 5, label->y() - 2, textWidth + 10, label->height() + 4);
  highlight_->show();
  highlight_->lower();
}

bool InPlaceEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == page_) {
    // A press a label ignored reaches the page too; only one on the page's
    // own area is a background click, so a field or caption never ends an edit.
    if (event->type() == QEvent::MouseButtonPress &&
        !page_->childAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
      backgroundClick();
    return false;
  }
  auto* label = qobject_cast<QLabel*>(watched);
  if (!label || !fieldOf(label)) return false;
  if (event->type() == QEvent::MouseButtonDblClick) {
    startEdit(label);
    return true;
  }
  if (event->type() == QEvent::MouseMove && !editing()) showHighlightAround(label);
  return false;
}

}  // namespace kelvaro
