#include "pages/system/internet_editor.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include <algorithm>

#include "platform/dialogs.h"

namespace kelvaro {
namespace {
const QPoint kOutOfView(-1000, -1000);
constexpr char kHtmlFilter[] = "Pliki HTML (*.htm)|*.htm;*.html";
}  // namespace

InternetEditor::InternetEditor(QWidget* area, Dialogs& dialogs, bool& editing, const QString& name)
    : QObject(area), area_(area), dialogs_(dialogs), pageEditing_(editing) {
  box_ = new QWidget(area);
  box_->setObjectName(name + "Box");
  auto* row = new QHBoxLayout(box_);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  field_ = new QLineEdit(box_);
  field_->setObjectName(name);
  button_ = new QToolButton(box_);
  button_->setObjectName(name + "Button");
  row->addWidget(field_, 1);
  row->addWidget(button_);
  connect(field_, &QLineEdit::returnPressed, this, &InternetEditor::commit);
  connect(field_, &QLineEdit::textChanged, this, [this] { fit(); });
  connect(button_, &QToolButton::clicked, this, &InternetEditor::buttonPressed);

  choices_ = new QListWidget(area);
  choices_->setObjectName(name + "Choices");
  choices_->setAccessibleName(QStringLiteral("Wybierz z pośród"));
  connect(choices_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    const StartPageChoice& choice = startPageChoices_[static_cast<std::size_t>(choices_->row(item))];
    std::optional<QString> address = QString::fromUtf8(choice.address);
    if (address->isEmpty() && resolveChoice_) address = resolveChoice_(choice);
    choices_->hide();
    if (address) field_->setText(*address);
    field_->setFocus();
  });

  highlight_ = new QFrame(area);
  highlight_->setObjectName(name + "Highlight");
  highlight_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  highlight_->setAttribute(Qt::WA_TransparentForMouseEvents);
  reset();
}

void InternetEditor::addField(QLabel* label, QLabel* caption, InlineKind kind) {
  fields_.push_back({label, caption, kind});
  for (QLabel* l : {label, caption}) {
    l->setMouseTracking(true);
    l->installEventFilter(this);
  }
}

void InternetEditor::setStartPageChoices(
    std::vector<StartPageChoice> choices,
    std::function<std::optional<QString>(const StartPageChoice&)> resolve) {
  startPageChoices_ = std::move(choices);
  resolveChoice_ = std::move(resolve);
  choices_->clear();
  for (const StartPageChoice& c : startPageChoices_) choices_->addItem(QString::fromUtf8(c.caption));
  choices_->setFixedSize(choices_->sizeHintForColumn(0) + 8,
                         choices_->sizeHintForRow(0) * choices_->count() + 2 * choices_->frameWidth());
}

const InternetEditor::Field* InternetEditor::fieldOf(const QObject* labelOrCaption) const {
  for (const Field& f : fields_) {
    if (f.label == labelOrCaption || f.caption == labelOrCaption) return &f;
  }
  return nullptr;
}

void InternetEditor::startEdit(QLabel* label) {
  const Field* f = fieldOf(label);
  if (!f || pageEditing_) return;
  if (beforeEdit_) beforeEdit_(label);
  pageEditing_ = true;
  editedField_ = label;
  kind_ = f->kind;
  switch (kind_) {
    case InlineKind::Text:
      field_->setToolTip({});
      button_->hide();
      break;
    case InlineKind::Folder:
      field_->setToolTip(QStringLiteral("Zmień folder"));
      button_->setToolTip(QStringLiteral("Kliknij, aby zmienić folder"));
      button_->setText(QStringLiteral("..."));
      button_->show();
      break;
    case InlineKind::File:
      field_->setToolTip(QStringLiteral("Zmień stronę na inną, dowolną"));
      button_->setToolTip(QStringLiteral("Zmień stronę na inną, dowolną"));
      button_->setText(QStringLiteral("..."));
      button_->show();
      break;
    case InlineKind::StartPage:
      field_->setToolTip({});
      button_->setToolTip(QStringLiteral("Wybierz z pośród"));
      button_->setText(QStringLiteral("▼"));
      button_->show();
      break;
  }
  button_->setAccessibleName(button_->toolTip());
  field_->setAccessibleName(f->caption->text());
  field_->setText(label->text());
  box_->move(label->pos());
  fit();
  box_->show();
  box_->raise();
  field_->setFocus();
  highlight_->hide();
  emit editStarted(label);
}

void InternetEditor::fit() {
  const int textWidth = QFontMetrics(field_->font()).horizontalAdvance(field_->text());
  const int buttonWidth = button_->isVisibleTo(box_) ? button_->sizeHint().width() + 1 : 0;
  const int limit = area_->width() - box_->x() - 4;
  box_->resize(std::max(60, std::min(textWidth + 15 + buttonWidth, std::max(limit, 60))),
               field_->sizeHint().height());
}

void InternetEditor::buttonPressed() {
  switch (kind_) {
    case InlineKind::Folder:
      if (const auto folder = dialogs_.browseFolder("", field_->text().toStdString()))
        field_->setText(QString::fromStdString(*folder));
      break;
    case InlineKind::File:
      if (const auto file = dialogs_.openFile({.title = {},
                                               .filter = kHtmlFilter,
                                               .initialFolder = {},
                                               .defaultExtension = "htm",
                                               .mustExist = true}))
        field_->setText(QString::fromStdString(*file));
      break;
    case InlineKind::StartPage:
      choices_->move(box_->x(), box_->y() + box_->height());
      choices_->show();
      choices_->raise();
      break;
    case InlineKind::Text:
      break;
  }
  field_->setFocus();
}

void InternetEditor::commit() {
  if (!editedField_) return;
  QString text = field_->text();
  if (kind_ == InlineKind::File) text.remove('"');
  editedField_->setText(text);
  QLabel* done = editedField_;
  editedField_ = nullptr;
  pageEditing_ = false;
  box_->hide();
  choices_->hide();
  emit committed(done);
}

void InternetEditor::reset() {
  if (editedField_) pageEditing_ = false;
  editedField_ = nullptr;
  box_->hide();
  choices_->hide();
  moveHighlightOutOfView();
}

void InternetEditor::moveHighlightOutOfView() {
  highlight_->move(kOutOfView);
  highlight_->hide();
}

bool InternetEditor::eventFilter(QObject* watched, QEvent* event) {
  const Field* f = fieldOf(watched);
  if (!f) return false;
  if (event->type() == QEvent::MouseButtonDblClick) {
    startEdit(f->label);
    return true;
  }
  if (event->type() == QEvent::MouseMove && !pageEditing_) {
    const QLabel* label = f->label;
    const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
    highlight_->setGeometry(label->x() - 5, label->y() - 2, textWidth + 10, label->height() + 4);
    highlight_->show();
    highlight_->lower();
  }
  return false;
}

}  // namespace kelvaro
