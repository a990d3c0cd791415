#include "pages/shell/file_types_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/icon_picker.h"
#include "pages/shell/file_type_list.h"
#include "pages/widgets/clickable_label.h"
#include "pages/widgets/hinted_button.h"
#include "platform/icons.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr int kSlot = 62;
constexpr char kRegisterCaption[] = "Zarejestruj nowy typ plików";
constexpr char kRegisterHint[] = "Rozpocznij rejstrowanie nowego typu plików";
constexpr char kCancelHint[] = "Anuluj rejstrowanie nowego typu plików";
constexpr char kOkHint[] = "Zarejestruj nowy typ plików";

constexpr char kRemoveQuestion[] =
    "Jeżeli usuniesz zarejestrowany typ pliku, otwieranie plików tego typu za pomocą dwukrotnego kliknięcia "
    "ich ikon nie będzie możliwe !!!\r\rCzy napewno chcesz usunąć ten typ plików ?";
constexpr char kRegisteredQuestion[] =
    "Podany typ plików jest już zarejestrowany. Nie ma potrzeby ponownej rejstracji tego samego "
    "rozszerzenia. Jeżeli chcesz jednak plikom wybranego typu zmienić ikonę to można to zrobić w zakładce "
    "\"Ikony plików\", natomiast jeżeli chcesz, aby był otwierany w innym programie, to możesz zmienić to w "
    "zakładce \"Otwórz z...\". Jedyną nową rzeczą, jaką możesz zrobić na tej zakładco jest to, czy ma być "
    "wyświetlane rozszerzenie danego typu plików.\rJeżeli jednak wprowadzenie zmian odpowiada Ci właśnie na "
    "tej zakładce to nic nie stoi na przeszkodzie :-)\r\rCzy napewno chcesz kontynuować ?";

QString quoted(const QString& text) { return '"' + text + '"'; }

// The old description as the cancel hint names it: quoted, inner quotes
// doubled, when it is empty or holds a space, comma or double quote.
QString hintQuoted(const QString& text) {
  if (!text.isEmpty() && !text.contains(' ') && !text.contains(',') && !text.contains('"')) return text;
  QString doubled = text;
  doubled.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return quoted(doubled);
}

bool isConfirmKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// The wait cursor while the list is built.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QLabel* caption(const QString& text, const char* name, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

FileTypesPage::FileTypesPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);

  list_ = new QTreeWidget(this);
  list_->setObjectName("typyplikowLista");
  list_->setAccessibleName(QStringLiteral("Typy plików"));
  list_->setHeaderLabels({QStringLiteral("Rozszerzenie"), QStringLiteral("Opis pliku")});
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->header()->resizeSection(0, 80);
  list_->header()->setAccessibleName(QStringLiteral("Rozszerzenie, Opis pliku"));
  list_->verticalScrollBar()->setAccessibleName(list_->accessibleName());
  list_->horizontalScrollBar()->setAccessibleName(list_->accessibleName());
  list_->setFixedWidth(250);
  list_->installEventFilter(this);
  layout->addWidget(list_);

  auto* details = new QVBoxLayout;
  heading_ = caption({}, "typyplikowNaglowek", this);
  QFont bold = heading_->font();
  bold.setBold(true);
  heading_->setFont(bold);
  typeLine_ = caption({}, "typyplikowOpisTypu", this);
  typeLine_->setWordWrap(true);
  auto* commandCaption = caption(QStringLiteral("Otwierany za pomocą:"), "typyplikowPoleceniePodpis", this);
  command_ = caption({}, "typyplikowPolecenie", this);
  command_->setWordWrap(true);
  auto* iconCaption = caption(QStringLiteral("Ikona pliku:"), "typyplikowIkonaPodpis", this);
  icon_ = new QLabel(this);
  icon_->setObjectName("typyplikowIkona");
  icon_->setFixedSize(32, 32);
  icon_->setAccessibleName(QStringLiteral("Ikona pliku:"));
  for (QWidget* w : {static_cast<QWidget*>(heading_), static_cast<QWidget*>(typeLine_),
                     static_cast<QWidget*>(commandCaption), static_cast<QWidget*>(command_),
                     static_cast<QWidget*>(iconCaption), static_cast<QWidget*>(icon_)})
    details->addWidget(w);

  auto* boxRow = new QHBoxLayout;
  showExtension_ = new QCheckBox(this);
  showExtension_->setObjectName("typyplikowPokazujRozszerzenie");
  applyShowExtension_ = new ClickableLabel(QStringLiteral("Zastosuj"), this);
  applyShowExtension_->setObjectName("typyplikowZastosuj");
  applyShowExtension_->setToolTip(
      QStringLiteral("Kliknij, jeżeli chcesz zastosować zmiany związane z rozszerzeniem"));
  QFont link = applyShowExtension_->font();
  link.setUnderline(true);
  applyShowExtension_->setFont(link);
  applyShowExtension_->setStyleSheet(QStringLiteral("color: blue"));
  boxRow->addWidget(showExtension_);
  boxRow->addWidget(applyShowExtension_);
  boxRow->addStretch(1);
  details->addLayout(boxRow);

  remove_ = hintedButton(QStringLiteral("Usuń pliki typu"),
                         QStringLiteral("Kliknij, aby usunąć wybrany przez ciebie typ plików"),
                         "typyplikowUsun", this);
  changeDescription_ =
      hintedButton(QStringLiteral("Zmień opis pliku"),
                   QStringLiteral("Kliknij, aby zmienić opis wybranego przez ciebie typ plików"),
                   "typyplikowZmienOpis", this);
  register_ = hintedButton(QString::fromUtf8(kRegisterCaption), QString::fromUtf8(kRegisterHint),
                           "typyplikowZarejestruj", this);
  details->addWidget(remove_);
  details->addWidget(changeDescription_);
  details->addStretch(1);
  details->addWidget(register_);
  layout->addLayout(details, 1);

  // The new-type form, shown over the page.
  newType_ = new QFrame(this);
  newType_->setObjectName("typyplikowNowyTyp");
  newType_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  newType_->setAutoFillBackground(true);
  auto* form = new QGridLayout(newType_);
  auto* extensionCaption = caption(QStringLiteral("Rozszerzenie nowego typu plików:"),
                                   "typyplikowNoweRozszerzeniePodpis", newType_);
  newExtension_ = new QLineEdit(newType_);
  newExtension_->setObjectName("typyplikowNoweRozszerzenie");
  newExtension_->setMaxLength(4);
  // A backslash would make the extension a path of keys.
  newExtension_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\\\\]*")), newExtension_));
  extensionCaption->setBuddy(newExtension_);
  auto* programCaption = caption(QStringLiteral("Otwierany za pomocą:"), "typyplikowProgramPodpis", newType_);
  newProgram_ = new QLineEdit(newType_);
  newProgram_->setObjectName("typyplikowProgram");
  newProgram_->setReadOnly(true);
  programCaption->setBuddy(newProgram_);
  chooseProgram_ = new QPushButton(QStringLiteral("Wybierz program"), newType_);
  chooseProgram_->setObjectName("typyplikowWybierzProgram");
  auto* descriptionCaption = caption(QStringLiteral("Opis pliku:"), "typyplikowNowyOpisPodpis", newType_);
  newDescription_ = new QLineEdit(newType_);
  newDescription_->setObjectName("typyplikowNowyOpis");
  descriptionCaption->setBuddy(newDescription_);
  auto* newIconCaption =
      caption(QStringLiteral("Ikona nowego typu plików:"), "typyplikowNowaIkonaPodpis", newType_);
  newIcon_ = new QLabel(newType_);
  newIcon_->setObjectName("typyplikowNowaIkona");
  newIcon_->setFixedSize(32, 32);
  newIcon_->setAccessibleName(newIconCaption->text());
  chooseIcon_ =
      hintedButton(QStringLiteral("Wybierz ikonę"),
                   QStringLiteral("Wybierz ikonę jaką będą miały nowozarejestrowane przez ciebie pliki"),
                   "typyplikowWybierzIkone", newType_);
  form->addWidget(extensionCaption, 0, 0);
  form->addWidget(newExtension_, 0, 1);
  form->addWidget(programCaption, 1, 0);
  form->addWidget(newProgram_, 1, 1);
  form->addWidget(chooseProgram_, 1, 2);
  form->addWidget(descriptionCaption, 2, 0);
  form->addWidget(newDescription_, 2, 1, 1, 2);
  form->addWidget(newIconCaption, 3, 0);
  form->addWidget(newIcon_, 3, 1);
  form->addWidget(chooseIcon_, 3, 2);
  newType_->setFixedWidth(420);
  newType_->hide();

  // The description form.
  descriptionForm_ = new QFrame(this);
  descriptionForm_->setObjectName("typyplikowOpisFormularz");
  descriptionForm_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  descriptionForm_->setAutoFillBackground(true);
  auto* descriptionGrid = new QGridLayout(descriptionForm_);
  descriptionLabel_ = caption(QStringLiteral("Podaj nowy opis"), "typyplikowOpisEtykieta", descriptionForm_);
  descriptionField_ = new QLineEdit(descriptionForm_);
  descriptionField_->setObjectName("typyplikowOpisPole");
  descriptionLabel_->setBuddy(descriptionField_);
  descriptionOk_ = new QPushButton(QStringLiteral("OK"), descriptionForm_);
  descriptionOk_->setObjectName("typyplikowOpisOk");
  descriptionCancel_ = new QPushButton(QStringLiteral("Anuluj"), descriptionForm_);
  descriptionCancel_->setObjectName("typyplikowOpisAnuluj");
  descriptionGrid->addWidget(descriptionLabel_, 0, 0, 1, 3);
  descriptionGrid->addWidget(descriptionField_, 1, 0, 1, 3);
  descriptionGrid->setColumnStretch(0, 1);
  descriptionGrid->addWidget(descriptionOk_, 2, 1);
  descriptionGrid->addWidget(descriptionCancel_, 2, 2);
  descriptionForm_->setFixedWidth(380);
  descriptionForm_->hide();

  for (QLineEdit* field : {newExtension_, newProgram_, newDescription_, descriptionField_})
    field->installEventFilter(this);

  connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { run([this] { selectionChanged(); }); });
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (!list_->selectedItems().isEmpty() && changeDescription_->isEnabled()) startDescription();
  });
  connect(showExtension_, &QCheckBox::clicked, this, [this] { applyShowExtension_->setEnabled(true); });
  connect(applyShowExtension_, &ClickableLabel::clicked, this, [this] {
    if (applyShowExtension_->isEnabled()) run([this] { applyShowExtension(); });
  });
  connect(remove_, &QPushButton::clicked, this, &FileTypesPage::remove);
  connect(changeDescription_, &QPushButton::clicked, this, &FileTypesPage::startDescription);
  connect(descriptionField_, &QLineEdit::textEdited, this, &FileTypesPage::descriptionEdited);
  connect(descriptionField_, &QLineEdit::textChanged, this,
          [this] { descriptionOk_->setEnabled(descriptionEdited_ && !descriptionField_->text().isEmpty()); });
  connect(descriptionOk_, &QPushButton::clicked, this, &FileTypesPage::confirmDescription);
  connect(descriptionCancel_, &QPushButton::clicked, this, &FileTypesPage::closeDescription);
  connect(register_, &QPushButton::clicked, this, &FileTypesPage::registerPressed);
  connect(newExtension_, &QLineEdit::textEdited, this, [this](const QString& text) {
    // What is typed is upper-cased where it is typed.
    if (text == text.toUpper()) return;
    const int at = newExtension_->cursorPosition();
    newExtension_->setText(text.toUpper());
    newExtension_->setCursorPosition(at);
  });
  for (QLineEdit* field : {newExtension_, newProgram_, newDescription_})
    connect(field, &QLineEdit::textChanged, this, &FileTypesPage::updateRegisterCaption);
  connect(chooseProgram_, &QPushButton::clicked, this, &FileTypesPage::chooseProgram);
  connect(chooseIcon_, &QPushButton::clicked, this,
          [this] { this->app().iconPicker().open(kSlot, window()); });

  // An open form that can be registered is an unapplied change.
  addPendingMarker([this] { return register_->text() == QLatin1String("OK"); });

  app.iconSlots().add(this, {kSlot}, [this](int, const IconChoice& choice) { receiveIcon(choice); });
  app.frame().offerTypeList(
      [page = QPointer<FileTypesPage>(this)] { return page ? page->types_ : std::vector<FileTypeEntry>{}; });
  resetPage();
}

QString FileTypesPage::selectedExtension() const {
  const QList<QTreeWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? QString() : selected.front()->text(0);
}

void FileTypesPage::reRead() {
  icon_->clear();
  newIcon_->clear();
  reload();
}

void FileTypesPage::load() {
  const WaitCursor wait;
  {
    const QSignalBlocker blocker(list_);
    list_->clear();
  }
  types_.clear();
  // The selectors that show the list are refilled however the build ends.
  struct Rebuilt {
    AppContext& app;
    ~Rebuilt() { app.frame().typeListRebuilt(); }
  } rebuilt{app()};
  types_ = readTypeList(app().registry());
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(types_.size()));
  for (const FileTypeEntry& type : types_) {
    items.append(new QTreeWidgetItem(
        {QString::fromStdString(type.extension), QString::fromStdString(type.description)}));
  }
  {
    const QSignalBlocker blocker(list_);
    list_->addTopLevelItems(items);
  }
  resetPage();
}

void FileTypesPage::clearDetails() {
  heading_->setText(QStringLiteral("Szczegóły dotyczące rozszerzenia: \"\""));
  typeLine_->clear();
  command_->clear();
  icon_->clear();
  description_.clear();
}

void FileTypesPage::resetPage() {
  clearDetails();
  newType_->hide();
  descriptionForm_->hide();
  list_->setEnabled(true);
  remove_->setText(QStringLiteral("Usuń pliki typu"));
  remove_->setEnabled(false);
  showExtension_->setChecked(false);
  showExtension_->setEnabled(false);
  showExtension_->setText(QStringLiteral("Pokazuj rozszerzenie plików typu \"\""));
  applyShowExtension_->setEnabled(false);
  changeDescription_->setEnabled(false);
  clearNewTypeForm();
  descriptionField_->clear();
  descriptionOk_->setEnabled(false);
  descriptionLabel_->setText(QStringLiteral("Podaj nowy opis"));
  setRegisterCaption(QString::fromUtf8(kRegisterCaption), QString::fromUtf8(kRegisterHint));
  register_->setEnabled(true);
}

void FileTypesPage::clearNewTypeForm() {
  for (QLineEdit* field : {newExtension_, newProgram_, newDescription_}) {
    const QSignalBlocker blocker(field);
    field->clear();
  }
  newIconLocation_.clear();
  newIcon_->clear();
}

void FileTypesPage::selectionChanged() {
  const QString extension = selectedExtension();
  if (extension.isEmpty()) {
    remove_->setEnabled(false);
    changeDescription_->setEnabled(false);
    return;
  }
  showDetails(extension);
}

void FileTypesPage::showDetails(const QString& extension) {
  heading_->setText(QStringLiteral("Szczegóły dotyczące rozszerzenia: ") + quoted(extension));
  showExtension_->setText(QStringLiteral("Pokazuj rozszerzenie plików typu ") + quoted(extension));
  remove_->setText(QStringLiteral("Usuń pliki typu ") + quoted(extension));
  showExtension_->setEnabled(true);
  remove_->setEnabled(true);
  changeDescription_->setEnabled(true);

  RegistryHandle reg(app().registry());
  reg.setRoot(Root::ClassesRoot);
  std::string typeName;
  if (reg.openKey("\\." + extension.toStdString(), false)) typeName = reg.readString("");
  reg.closeKey();
  std::string description;
  bool alwaysShow = false;
  if (!typeName.empty() && reg.openKey("\\" + typeName, false)) {
    description = reg.readString("");
    alwaysShow = reg.valueExists("AlwaysShowExt");
  }
  if (description.empty()) description = typeName;
  description_ = description;
  typeLine_->setText(QStringLiteral("Pliki z rozszerzeniem ") + quoted(extension) +
                     QStringLiteral(" są typu ") + quoted(QString::fromStdString(description)));
  showExtension_->setChecked(alwaysShow);
  applyShowExtension_->setEnabled(false);

  reg.closeKey();
  std::string command;
  if (!typeName.empty() && reg.openKey("\\" + typeName + "\\Shell\\Open\\Command", false))
    command = reg.readString("");
  command_->setText(QString::fromStdString(command));

  const QImage icon = app().icons().fileTypeIcon(extension.toStdString()).large;
  if (icon.isNull()) {
    icon_->clear();
  } else {
    icon_->setPixmap(QPixmap::fromImage(icon));
  }
}

void FileTypesPage::enableSelectionActions() {
  const bool selected = !list_->selectedItems().isEmpty();
  showExtension_->setEnabled(selected);
  remove_->setEnabled(selected);
  changeDescription_->setEnabled(selected);
}

void FileTypesPage::applyShowExtension() {
  const QString extension = selectedExtension();
  if (extension.isEmpty()) return;
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::ClassesRoot);
  std::string typeName;
  if (reg.openKey("\\." + extension.toStdString(), false)) typeName = reg.readString("");
  reg.closeKey();
  // Without its type key there is nothing to switch; writing would land elsewhere.
  if (!typeName.empty() && reg.openKey("\\" + typeName, false)) {
    if (showExtension_->isChecked()) {
      reg.writeString("AlwaysShowExt", "");
    } else if (reg.valueExists("AlwaysShowExt")) {
      reg.deleteValue("AlwaysShowExt");
    }
  }
  applyShowExtension_->setEnabled(false);
}

void FileTypesPage::remove() {
  const QString extension = selectedExtension();
  if (extension.isEmpty() || !remove_->isEnabled()) return;
  if (app().dialogs().messageBox(
          {"UWAGA !!!", kRemoveQuestion, BoxIcon::None, BoxButton::Ok | BoxButton::Cancel}) != BoxButton::Ok)
    return;
  run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::ClassesRoot);
    reg.deleteKey("\\." + extension.toStdString());
  });
  clearDetails();
  run([this] { reload(); });
}

void FileTypesPage::startDescription() {
  const QString extension = selectedExtension();
  if (extension.isEmpty()) return;
  const QString old = QString::fromStdString(description_);
  descriptionLabel_->setText(QStringLiteral("Podaj nowy opis plików typu ") + quoted(extension));
  descriptionOk_->setToolTip(QStringLiteral("Kliknij aby zmienić opis plików typu ") + quoted(extension));
  descriptionCancel_->setToolTip(QStringLiteral("Kliknij, aby przerwać zmianę opisu plików typu ") +
                                 quoted(extension) + QStringLiteral(" i pozostać przy starym opisie ") +
                                 hintQuoted(old));
  descriptionEdited_ = false;
  descriptionField_->setText(old);
  descriptionOk_->setEnabled(false);
  list_->setEnabled(false);
  remove_->setEnabled(false);
  showExtension_->setEnabled(false);
  register_->setEnabled(false);
  descriptionForm_->adjustSize();
  descriptionForm_->move((width() - descriptionForm_->width()) / 2, 120);
  descriptionForm_->show();
  descriptionForm_->raise();
  descriptionField_->setFocus();
}

void FileTypesPage::descriptionEdited() {
  descriptionEdited_ = true;
  descriptionOk_->setEnabled(!descriptionField_->text().isEmpty());
}

void FileTypesPage::confirmDescription() {
  const std::string extension = selectedExtension().toStdString();
  const std::string text = descriptionField_->text().toStdString();
  if (!extension.empty()) {
    run([&] {
      RegistryHandle reg(app().registry());
      reg.setRoot(Root::ClassesRoot);
      reg.openKey("\\." + extension, true);
      const std::string typeName = reg.readString("");
      reg.closeKey();
      // An extension that lost its type name meanwhile has no key to describe.
      if (typeName.empty()) return;
      reg.openKey("\\" + typeName, true);
      reg.writeString("", text);
    });
  }
  descriptionForm_->hide();
  list_->setEnabled(true);
  run([this] { reload(); });
}

void FileTypesPage::closeDescription() {
  descriptionForm_->hide();
  list_->setEnabled(true);
  register_->setEnabled(true);
  enableSelectionActions();
  list_->setFocus();
}

void FileTypesPage::setRegisterCaption(const QString& caption, const QString& hint) {
  register_->setText(caption);
  register_->setToolTip(hint);
}

void FileTypesPage::updateRegisterCaption() {
  if (newType_->isHidden()) return;
  const bool complete = !newExtension_->text().isEmpty() && !newProgram_->text().isEmpty() &&
                        !newDescription_->text().isEmpty() && !newIconLocation_.empty();
  if (complete) {
    setRegisterCaption(QStringLiteral("OK"), QString::fromUtf8(kOkHint));
  } else {
    setRegisterCaption(QStringLiteral("Anuluj"), QString::fromUtf8(kCancelHint));
  }
}

void FileTypesPage::registerPressed() {
  const QString caption = register_->text();
  if (caption == QLatin1String("OK")) {
    confirmRegistration();
  } else if (caption == QLatin1String("Anuluj")) {
    cancelRegistration();
  } else {
    list_->setEnabled(false);
    remove_->setEnabled(false);
    showExtension_->setEnabled(false);
    changeDescription_->setEnabled(false);
    applyShowExtension_->setEnabled(false);
    setRegisterCaption(QStringLiteral("Anuluj"), QString::fromUtf8(kCancelHint));
    newType_->adjustSize();
    newType_->move((width() - newType_->width()) / 2, 60);
    newType_->show();
    newType_->raise();
    newExtension_->setFocus();
  }
}

void FileTypesPage::cancelRegistration() {
  newType_->hide();
  list_->setEnabled(true);
  enableSelectionActions();
  setRegisterCaption(QString::fromUtf8(kRegisterCaption), QString::fromUtf8(kRegisterHint));
  list_->setFocus();
}

void FileTypesPage::confirmRegistration() {
  const std::string extension = newExtension_->text().toStdString();
  const std::string program = newProgram_->text().toStdString();
  const std::string description = newDescription_->text().toStdString();
  const std::string location = newIconLocation_;
  bool go = true;
  run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::ClassesRoot);
    go = !reg.keyExists("\\." + extension);
  });
  if (!go) {
    go = app().dialogs().messageBox({"UWAGA !!!", kRegisteredQuestion, BoxIcon::None,
                                     BoxButton::Ok | BoxButton::Cancel}) == BoxButton::Ok;
  }
  if (go) {
    const std::string typeName = extension + "file";
    const bool written = run([&] {
      RegistryHandle reg(app().registry());
      reg.setRoot(Root::ClassesRoot);
      reg.openKey("\\." + extension, true);
      reg.writeString("", typeName);
      reg.closeKey();
      reg.openKey("\\" + typeName, true);
      reg.writeString("", description);
      reg.closeKey();
      reg.openKey("\\" + typeName + "\\DefaultIcon", true);
      reg.writeString("", location);
      reg.closeKey();
      reg.openKey("\\" + typeName + "\\shell\\open", true);
      reg.writeString("", "&Otwórz");
      reg.closeKey();
      reg.openKey("\\" + typeName + "\\shell\\open\\Command", true);
      reg.writeString("", program + " \"%1\"");
    });
    // A failed write keeps the form as it was, so nothing typed is lost.
    if (!written) return;
    run([this] { reload(); });
  }
  clearNewTypeForm();
  newType_->hide();
  list_->setEnabled(true);
  enableSelectionActions();
  setRegisterCaption(QString::fromUtf8(kRegisterCaption), QString::fromUtf8(kRegisterHint));
  list_->setFocus();
}

void FileTypesPage::chooseProgram() {
  // The dialog shares the program chooser of the other pages; its filter
  // offers programs first and every file second.
  const auto chosen = app().dialogs().openFile({.title = "Wibierz program",
                                                .filter = "Programy (*.exe)|*.exe|Wszystkie pliki (*.*)|*.*",
                                                .initialFolder = app().environment().windowsDirectory(),
                                                .defaultExtension = {},
                                                .mustExist = true});
  if (chosen && !chosen->empty()) newProgram_->setText(QString::fromStdString(*chosen));
}

void FileTypesPage::receiveIcon(const IconChoice& choice) {
  newIconLocation_ = choice.location;
  if (choice.icon.isNull()) {
    newIcon_->clear();
  } else {
    newIcon_->setPixmap(QPixmap::fromImage(choice.icon));
  }
  updateRegisterCaption();
}

bool FileTypesPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return Page::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (watched == list_) {
    if (key->key() == Qt::Key_Delete && remove_->isEnabled()) {
      remove();
      return true;
    }
    if (isConfirmKey(key->key()) && (key->modifiers() & Qt::ControlModifier)) {
      if (register_->isEnabled()) registerPressed();
      return true;
    }
    if (isConfirmKey(key->key()) && changeDescription_->isEnabled()) {
      startDescription();
      return true;
    }
  } else if (watched == descriptionField_) {
    if (isConfirmKey(key->key())) {
      if (descriptionOk_->isEnabled()) confirmDescription();
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      closeDescription();
      return true;
    }
  } else if (watched == newExtension_ || watched == newProgram_ || watched == newDescription_) {
    if (isConfirmKey(key->key())) {
      if (register_->text() == QLatin1String("OK")) confirmRegistration();
      return true;
    }
    if (key->key() == Qt::Key_Escape) {
      cancelRegistration();
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
