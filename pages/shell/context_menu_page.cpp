#include "pages/shell/context_menu_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValidator>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "pages/derived_name.h"
#include "pages/widgets/hinted_button.h"
#include "pages/widgets/upper_case_validator.h"
#include "platform/file_system.h"
#include "platform/icons.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kPrompt[] = "Wybierz odpowiedni typ pliku podając rozszerzenie lub opis";
constexpr char kShellIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr char kNoLetter[] = "(brak)";

enum class ObjectIcon { None, ShellLibrary, OpenFolder, HardDisk };

struct SpecialObject {
  const char* entry;
  const char* word;
  const char* handlerKey;
  std::array<const char*, 2> verbKeys;  // the second may be null
  const char* extension;
  const char* description;
  ObjectIcon icon;
  const char* headingName;
};

constexpr std::array<SpecialObject, 4> kSpecial{{
    {"- Wszystkie pliki",
     "ALLFILE",
     "*\\shellex\\ContextMenuHandlers",
     {"*\\shell", nullptr},
     "*.*",
     "Wszystkie pliki",
     ObjectIcon::None,
     "WSZYSTKICH PLIKÓW"},
    {"- Plik niezarejestrowany",
     "UNKNOWN",
     "Unknown\\shellex\\ContextMenuHandlers",
     {"Unknown\\shell", nullptr},
     "*.???",
     "Niezarejstrowany typ plików",
     ObjectIcon::ShellLibrary,
     "NIEZNANYCH PLIKÓW"},
    {"- Folder",
     "FOLDER",
     "Folder\\shellex\\ContextMenuHandlers",
     {"Folder\\shell", "Directory\\shell"},
     "<DIR>",
     "Folder plików",
     ObjectIcon::OpenFolder,
     "FOLDERU"},
    {"- Dysk",
     "DYSK",
     "Drive\\shellex\\ContextMenuHandlers",
     {"Drive\\shell", nullptr},
     "<DIR>",
     "Dysk",
     ObjectIcon::HardDisk,
     "DYSKU"},
}};

QString qt(const char* text) { return QString::fromUtf8(text); }
QString qt(const std::string& text) { return QString::fromStdString(text); }

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// The letter position: its arrows step over spaces and turn round at the
// end, so both stay usable at every position.
class LetterSpinner : public QSpinBox {
 public:
  LetterSpinner(QLineEdit* name, QWidget* parent) : QSpinBox(parent), name_(name) {}
  void stepBy(int steps) override {
    int position = value();
    for (int i = 0; i < std::abs(steps); ++i)
      position = steppedLetterPosition(name_->text(), position, steps > 0 ? 1 : -1);
    setValue(position);
  }

 protected:
  StepEnabled stepEnabled() const override {
    return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
  }

 private:
  QLineEdit* name_;
};

QFrame* panelFrame(QWidget* parent, const char* name) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->setAutoFillBackground(true);
  frame->hide();
  return frame;
}

QLineEdit* field(const QString& hint, const QString& name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setToolTip(hint);
  return edit;
}

QLabel* valueLabel(const QString& name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  return label;
}

bool isExe(const QString& path) {
  const qsizetype dot = path.lastIndexOf('.');
  return dot >= 0 && path.indexOf('\\', dot) < 0 && path.mid(dot).toUpper() == ".EXE";
}

}  // namespace

QString ContextMenuPage::Form::menuText() const { return kelvaro::menuText(name->text(), position->value()); }

ContextMenuPage::ContextMenuPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);

  auto* instruction = new QLabel(
      qt("Podaj typ pliku, w jakim chcesz edytować menu kontekstowe.\r\nMusisz podać tylko samo rozszerzenie "
         "np: BMP,GIF a nie np: *.GIF lub .GIF"),
      this);
  instruction->setObjectName("kontekstInstrukcja");
  instruction->setWordWrap(true);
  layout->addWidget(instruction, 0, 0, 1, 2);

  auto* objectRow = new QHBoxLayout;
  extension_ = field(qt("Podaj rozszeżenie wybranego pliku"), "kontekstRozszerzenie", this);
  extension_->setMaxLength(10);
  extension_->setValidator(new UpperCaseValidator(extension_));
  extension_->setMaximumWidth(110);
  extension_->setAccessibleName(extension_->toolTip());
  selector_ = new QComboBox(this);
  selector_->setObjectName("kontekstWybor");
  selector_->setEditable(true);
  selector_->setInsertPolicy(QComboBox::NoInsert);
  selector_->setToolTip(qt("Opis wybranego pliku"));
  selector_->setMaxVisibleItems(20);
  selector_->lineEdit()->setObjectName("kontekstWyborTekst");
  selector_->lineEdit()->setAccessibleName(qt("Opis wybranego pliku"));
  selector_->setAccessibleName(qt("Opis wybranego pliku"));
  objectRow->addWidget(extension_);
  objectRow->addWidget(selector_, 1);
  layout->addLayout(objectRow, 1, 0, 1, 2);

  auto* listColumn = new QVBoxLayout;
  auto* heading =
      new QLabel(qt("Pozycje dostępne w menu kontekstowym wybranego \r\nobiektu lub typu plików"), this);
  heading->setObjectName("kontekstPozycjeNaglowek");
  list_ = new QListWidget(this);
  list_->setObjectName("kontekstPozycje");
  list_->setToolTip(qt("Pozycje w menu kontekstowym"));
  list_->setAccessibleName(qt("Pozycje w menu kontekstowym"));
  // A list view does not announce its tooltip by itself.
  list_->setAccessibleDescription(list_->toolTip());
  list_->installEventFilter(this);
  heading->setBuddy(list_);
  listColumn->addWidget(heading);
  listColumn->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  remove_ = hintedButton(qt("Usuń"), qt("Usuń wybraną pozycję z menu kontekstowego"), "kontekstUsun", this);
  add_ = hintedButton(qt("Dodaj"), qt("Dodaj nową pozycję do menu kontekstowego"), "kontekstDodaj", this);
  edit_ =
      hintedButton(qt("Edytuj"), qt("Edytuj wybraną pozycję w menu kontekstowym"), "kontekstEdytuj", this);
  for (QPushButton* b : {remove_, add_, edit_}) buttons->addWidget(b);
  listColumn->addLayout(buttons);
  layout->addLayout(listColumn, 2, 0);

  details_ = new QGroupBox(qt(" Zaawansowane "), this);
  details_->setObjectName("kontekstZaawansowane");
  auto* grid = new QGridLayout(details_);
  auto addRow = [&](int row, const char* caption, QLabel* value) {
    auto* label = new QLabel(qt(caption), details_);
    label->setObjectName(value->objectName() + "Etykieta");
    grid->addWidget(label, row, 0, Qt::AlignTop);
    grid->addWidget(value, row, 1);
  };
  icon_ = new QLabel(details_);
  icon_->setObjectName("kontekstIkona");
  icon_->setFixedSize(32, 32);
  icon_->setAccessibleName(qt("Podgląd ikony"));
  extensionValue_ = valueLabel("kontekstRozszerzenieWartosc", details_);
  description_ = valueLabel("kontekstOpis", details_);
  commandName_ = valueLabel("kontekstNazwaPolecenia", details_);
  key_ = valueLabel("kontekstKlucz", details_);
  key_->setWordWrap(true);
  command_ = valueLabel("kontekstPolecenie", details_);
  command_->setWordWrap(true);
  addRow(0, "Podgląd ikony", icon_);
  addRow(1, "Rozszerzenie:", extensionValue_);
  addRow(2, "Opis:", description_);
  addRow(3, "Nazwa polecenia:", commandName_);
  addRow(4, "Klucz w rejestrze:", key_);
  addRow(5, "Polecenie:", command_);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(6, 1);
  layout->addWidget(details_, 2, 1);
  layout->setColumnStretch(0, 1);
  layout->setColumnStretch(1, 1);
  layout->setRowStretch(2, 1);

  buildForm(addForm_, false);
  buildForm(editForm_, true);

  connect(extension_, &QLineEdit::textChanged, this, [this] { this->run([this] { extensionChanged(); }); });
  connect(selector_, &QComboBox::activated, this, [this](int index) { chooseEntry(index); });
  connect(selector_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& t) { typedInSelector(t); });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { entrySelected(row); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
    if (selectedRow() >= 0 && list_->isEnabled()) startEdit();
  });
  connect(remove_, &QPushButton::clicked, this, [this] { removeEntry(); });
  connect(add_, &QPushButton::clicked, this, [this] { startAdd(); });
  connect(edit_, &QPushButton::clicked, this, [this] { startEdit(); });

  // An addition that can be confirmed is an unapplied change.
  addPendingMarker([this] { return addForm_.frame->isVisibleTo(this) && addForm_.ok->isEnabled(); });
  // Each load of the file types page empties the selector and fills it anew.
  app.frame().watchTypeList([page = QPointer<ContextMenuPage>(this)] {
    if (page) page->fillSelector();
  });
}

void ContextMenuPage::buildForm(Form& form, bool editing) {
  const QString id = editing ? "kontekstEdycja" : "kontekstDodawanie";
  form.frame = panelFrame(this, editing ? "kontekstEdycja" : "kontekstDodawanie");
  auto* grid = new QGridLayout(form.frame);
  form.heading = new QLabel(form.frame);
  form.heading->setObjectName(id + "Naglowek");
  QFont bold = form.heading->font();
  bold.setBold(true);
  form.heading->setFont(bold);
  grid->addWidget(form.heading, 0, 0, 1, 4);
  int row = 1;

  form.name = field(editing ? QString() : qt("Tu podaj nazwę jaka będzie widniała w menu kontekstowym"),
                    id + "Nazwa", form.frame);
  form.name->setMaxLength(40);
  form.program = field(qt("Tu podaj ścieżkę dostępu do programu"), id + "Program", form.frame);
  form.program->setReadOnly(true);
  form.chooser = hintedButton(qt("Wybierz program"), QString(), id + "Wybierz", form.frame);
  form.chooser->setToolTip(QString());
  auto* nameCaption = new QLabel(
      editing ? qt("Nazwa w menu kontekstowym:") : qt("Podaj nazwę jaka będzie widniała w menu"), form.frame);
  nameCaption->setBuddy(form.name);
  auto* programCaption = new QLabel(
      editing ? qt("Program wykonywujący:") : qt("Wskaż program, który mam uruchamiać"), form.frame);
  programCaption->setBuddy(form.program);
  auto addProgram = [&] {
    grid->addWidget(programCaption, row++, 0, 1, 4);
    grid->addWidget(form.program, row, 0, 1, 3);
    grid->addWidget(form.chooser, row++, 3);
  };
  auto addName = [&] {
    grid->addWidget(nameCaption, row++, 0, 1, 4);
    grid->addWidget(form.name, row++, 0, 1, 4);
  };
  if (editing) {
    addName();
    addProgram();
    auto* parameterCaption = new QLabel(qt("Parametr:"), form.frame);
    form.parameter = new QComboBox(form.frame);
    form.parameter->setObjectName(id + "Parametr");
    form.parameter->setEditable(true);
    form.parameter->setInsertPolicy(QComboBox::NoInsert);
    for (const char* p : offeredParameters()) form.parameter->addItem(qt(p));
    form.parameter->lineEdit()->setAccessibleName(qt("Parametr:"));
    form.parameter->setAccessibleName(qt("Parametr:"));
    parameterCaption->setBuddy(form.parameter);
    form.parameterMeaning = valueLabel(id + "OpisParametru", form.frame);
    grid->addWidget(parameterCaption, row, 0);
    grid->addWidget(form.parameter, row, 1, 1, 2);
    grid->addWidget(form.parameterMeaning, row++, 3);
  } else {
    addProgram();
    addName();
  }

  auto* letterCaption = new QLabel(qt("Literą skrótu będzie litera:"), form.frame);
  form.letter = valueLabel(id + "Litera", form.frame);
  form.position = new LetterSpinner(form.name, form.frame);
  form.position->setObjectName(id + "Pozycja");
  form.position->setRange(0, 0);
  form.position->setAccessibleName(letterCaption->text());
  grid->addWidget(letterCaption, row, 0, 1, 2);
  grid->addWidget(form.letter, row, 2);
  grid->addWidget(form.position, row++, 3);
  auto* previewCaption = new QLabel(qt("Podgląd:"), form.frame);
  form.preview = new QLabel(form.frame);
  form.preview->setObjectName(id + "Podglad");
  form.preview->setTextFormat(Qt::RichText);
  grid->addWidget(previewCaption, row, 0);
  grid->addWidget(form.preview, row++, 1, 1, 3);
  form.makeDefault = new QCheckBox(qt("Ustaw jako pozycję domyślną"), form.frame);
  form.makeDefault->setObjectName(id + "Domyslna");
  grid->addWidget(form.makeDefault, row++, 0, 1, 4);

  auto* buttons = new QHBoxLayout;
  form.ok =
      hintedButton(qt("OK"),
                   editing ? qt("Zakończ edycję wybranej pozycji z menu kontekstowego.\r\nZapisz zmiany.")
                           : qt("Dodaj nową pozycję do menu kontekstowego"),
                   id + "OK", form.frame);
  form.cancel = hintedButton(qt("Anuluj"),
                             editing ? qt("Przerwij edycję wybranej pozycji z menu kontekstowego")
                                     : qt("Przerwij dodawanie nowej pozycji do menu kontekstowego"),
                             id + "Anuluj", form.frame);
  form.ok->setEnabled(false);
  buttons->addStretch(1);
  buttons->addWidget(form.ok);
  buttons->addWidget(form.cancel);
  grid->addLayout(buttons, row, 0, 1, 4);
  if (!editing) {
    for (QWidget* w : std::initializer_list<QWidget*>{form.letter, form.position}) w->setEnabled(false);
  }
  form.letter->setText(qt(kNoLetter));

  Form* f = &form;
  connect(form.chooser, &QPushButton::clicked, this, [this, f] { chooseProgram(*f); });
  connect(form.name, &QLineEdit::textChanged, this, [this, f] { nameChanged(*f); });
  connect(form.program, &QLineEdit::textChanged, this, [this, f] { updateOk(*f); });
  connect(form.position, &QSpinBox::valueChanged, this, [this, f] { positionChanged(*f); });
  connect(form.makeDefault, &QCheckBox::toggled, this, [this, f] { positionChanged(*f); });
  if (editing) {
    connect(form.parameter, &QComboBox::currentTextChanged, this, [this, f](const QString& text) {
      f->parameterMeaning->setText(parameterDescription(text, false));
      updateOk(*f);
    });
    connect(form.ok, &QPushButton::clicked, this, [this] { confirmEdit(); });
    connect(form.cancel, &QPushButton::clicked, this, [this] { closeForm(editForm_, true); });
  } else {
    connect(form.ok, &QPushButton::clicked, this, [this] { confirmAdd(); });
    connect(form.cancel, &QPushButton::clicked, this, [this] { closeForm(addForm_, false); });
  }
  for (QWidget* w : std::initializer_list<QWidget*>{form.program, form.name, form.position, form.makeDefault})
    w->installEventFilter(this);
  if (form.parameter) form.parameter->lineEdit()->installEventFilter(this);
}

void ContextMenuPage::fillSelector() {
  types_ = app().frame().views().typeList();
  const QSignalBlocker quiet(selector_);
  selector_->clear();
  for (const SpecialObject& s : kSpecial) selector_->addItem(qt(s.entry));
  for (const FileTypeEntry& type : types_) selector_->addItem(qt(type.description));
  selector_->setEditText(qt(kPrompt));
}

void ContextMenuPage::load() {
  fillSelector();
  {
    const QSignalBlocker quiet(extension_);
    extension_->clear();
  }
  extension_->setVisible(true);
  extension_->setEnabled(true);
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
  }
  entries_.clear();
  target_ = {};
  details_->hide();
  icon_->clear();
  for (QLabel* l : {extensionValue_, description_, commandName_, key_, command_}) l->clear();
  setCommands(false, false, false);
  list_->setEnabled(true);
  selector_->setEnabled(true);
  addForm_.frame->hide();
  editForm_.frame->hide();
}

void ContextMenuPage::setCommands(bool remove, bool add, bool edit) {
  remove_->setEnabled(remove);
  add_->setEnabled(add);
  edit_->setEnabled(edit);
}

void ContextMenuPage::setObjectControlsEnabled(bool enabled) {
  extension_->setEnabled(enabled);
  selector_->setEnabled(enabled);
  list_->setEnabled(enabled);
}

void ContextMenuPage::chooseEntry(int index) {
  if (index < 0) return;
  if (index < static_cast<int>(kSpecial.size())) {
    extension_->setText(qt(kSpecial[static_cast<std::size_t>(index)].word));
    extension_->setVisible(false);
    extension_->setEnabled(false);
    return;
  }
  const std::size_t type = static_cast<std::size_t>(index) - kSpecial.size();
  if (type >= types_.size()) return;
  extension_->setVisible(true);
  extension_->setEnabled(true);
  extension_->setText(qt(types_[type].extension));
}

void ContextMenuPage::typedInSelector(const QString& text) {
  const int index = selector_->findText(text, Qt::MatchExactly);
  if (index >= 0) {
    chooseEntry(index);
    return;
  }
  extension_->setVisible(true);
  extension_->setEnabled(true);
  extension_->clear();
  icon_->clear();
  remove_->setEnabled(false);
  selector_->setEditText(qt(kPrompt));
}

void ContextMenuPage::extensionChanged() {
  details_->hide();
  {
    const QSignalBlocker quiet(list_);
    list_->clear();
  }
  entries_.clear();
  for (QLabel* l : {extensionValue_, description_, commandName_, key_, command_}) l->clear();
  icon_->clear();
  setCommands(false, false, false);
  target_ = {};

  const std::string text = extension_->text().toStdString();
  if (text.empty()) return;
  std::vector<std::string> verbKeys;
  std::string handlerKey;
  for (std::size_t s = 0; s < kSpecial.size(); ++s) {
    if (text != kSpecial[s].word) continue;
    target_.special = static_cast<int>(s);
    handlerKey = kSpecial[s].handlerKey;
    for (const char* key : kSpecial[s].verbKeys) {
      if (key) verbKeys.emplace_back(key);
    }
    target_.extension = kSpecial[s].extension;
    target_.description = kSpecial[s].description;
    selector_->setEditText(qt(kSpecial[s].entry));
    break;
  }
  if (target_.special < 0) {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::ClassesRoot);
    if (!reg.openKey("\\." + text, false)) return;
    target_.typeName = guardedReadString(reg, "");
    reg.closeKey();
    if (target_.typeName.empty()) return;
    target_.extension = text;
    if (reg.openKey("\\" + target_.typeName, false)) target_.description = guardedReadString(reg, "");
    if (target_.description.empty()) target_.description = target_.typeName;
    selector_->setEditText(qt(target_.description));
    verbKeys.push_back(target_.typeName + "\\Shell");
  }
  entries_ = readMenuEntries(app().registry(), handlerKey, verbKeys, target_.special < 0);
  {
    const QSignalBlocker quiet(list_);
    for (const MenuEntry& e : entries_) list_->addItem(qt(e.name));
    list_->setCurrentRow(-1);
  }
  extensionValue_->setText(qt(target_.extension));
  description_->setText(qt(target_.description));
  showTargetIcon();
  setCommands(false, true, false);
  details_->show();
}

void ContextMenuPage::showTargetIcon() {
  QImage picture;
  if (target_.special < 0) {
    picture = app().icons().fileTypeIcon(target_.extension).large;
    if (picture.isNull()) picture = app().icons().genericIcon();
  } else {
    switch (kSpecial[static_cast<std::size_t>(target_.special)].icon) {
      case ObjectIcon::None:
        break;
      case ObjectIcon::ShellLibrary: {
        const std::string library = app().environment().systemDirectory() + "\\Shell32.dll";
        if (app().files().fileExists(library)) picture = app().icons().extractIcon(library, 0).large;
        break;
      }
      case ObjectIcon::OpenFolder:
      case ObjectIcon::HardDisk: {
        // The picture the system icons page shows for the slot.
        const bool folder =
            kSpecial[static_cast<std::size_t>(target_.special)].icon == ObjectIcon::OpenFolder;
        const IconTarget slot = folder ? IconTarget::OpenFolder : IconTarget::HardDisk;
        RegistryHandle reg(app().registry());
        reg.setRoot(Root::LocalMachine);
        std::string location;
        if (openForRead(reg, kShellIcons)) location = guardedReadString(reg, folder ? "4" : "8");
        picture =
            location.empty() ? app().icons().substituteIcon(slot) : app().icons().displayIcon(location, slot);
        break;
      }
    }
  }
  if (picture.isNull()) {
    icon_->clear();
  } else {
    icon_->setPixmap(QPixmap::fromImage(picture));
  }
}

int ContextMenuPage::selectedRow() const {
  const int row = list_->currentRow();
  return row >= 0 && row < static_cast<int>(entries_.size()) && list_->currentItem() &&
                 list_->currentItem()->isSelected()
             ? row
             : -1;
}

void ContextMenuPage::entrySelected(int row) {
  if (row < 0 || row >= static_cast<int>(entries_.size())) return;
  const MenuEntry& entry = entries_[static_cast<std::size_t>(row)];
  commandName_->setText(qt(entry.name));
  key_->setText(qt("HKEY_CLASSES_ROOT\\") + qt(entry.path));
  this->run([this, &entry] { command_->setText(qt(entryCommand(app().registry(), entry.path))); });
  setCommands(true, true, true);
}

void ContextMenuPage::removeEntry() {
  const int row = list_->currentRow();
  if (row < 0 || row >= static_cast<int>(entries_.size())) return;
  const std::string path = entries_[static_cast<std::size_t>(row)].path;
  this->run([this, &path] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::ClassesRoot);
    reg.deleteKey("\\" + path);
    extensionChanged();
  });
}

QString ContextMenuPage::headingSuffix() const {
  const QString shown = selector_->currentText();
  for (const SpecialObject& s : kSpecial) {
    if (shown == qt(s.entry)) return qt(s.headingName);
  }
  return qt("plików ") + extension_->text();
}

std::string ContextMenuPage::verbKey() const {
  if (target_.special >= 0) return kSpecial[static_cast<std::size_t>(target_.special)].verbKeys[0];
  return target_.typeName + "\\Shell";
}

void ContextMenuPage::startAdd() {
  if (target_.special < 0 && target_.typeName.empty()) return;
  setObjectControlsEnabled(false);
  remove_->setEnabled(false);
  edit_->setEnabled(false);
  addForm_.heading->setText(qt("Dodaj pozycję do menu kontekstowego ") + headingSuffix());
  addForm_.frame->adjustSize();
  addForm_.frame->move(std::max(0, (width() - addForm_.frame->width()) / 2), 60);
  addForm_.frame->show();
  addForm_.frame->raise();
  addForm_.chooser->setFocus();
}

void ContextMenuPage::chooseProgram(Form& form) {
  const bool editing = &form == &editForm_;
  std::string initial = "C:\\";
  const std::string current = form.program->text().toStdString();
  // The edit form opens at the program it runs, when that file is there.
  if (editing && !current.empty() && app().files().fileExists(current)) initial = current;
  const auto chosen = app().dialogs().openFile({.title = "Wibierz program",
                                                .filter = "Programy (*.exe)|*.exe",
                                                .initialFolder = initial,
                                                .defaultExtension = {},
                                                .mustExist = true});
  if (!chosen || chosen->empty()) return;
  const QString path = qt(*chosen);
  if (!isExe(path)) {
    app().dialogs().message(
        "Wybrałeś nieodpowiedni format pliku !!!\rPrawidłowym formatem są aplikacje z rozszerzeniem EXE");
    return;
  }
  if (editing) {
    if (!path.contains('\\') || !app().files().fileExists(*chosen)) return;
    form.program->setText(path);
  } else {
    form.program->setText(path);
    keyWord_ = qt(derivedName(*chosen));
    form.name->setText(keyWord_);
    form.letter->setEnabled(true);
    form.position->setEnabled(true);
  }
  form.name->setFocus();
}

void ContextMenuPage::nameChanged(Form& form) {
  {
    const QSignalBlocker quiet(form.position);
    form.position->setRange(0, static_cast<int>(form.name->text().size()));
    form.position->setValue(0);
  }
  positionChanged(form);
}

void ContextMenuPage::positionChanged(Form& form) {
  const QString name = form.name->text();
  int position = form.position->value();
  if (position < 0 || position > name.size()) {
    const QSignalBlocker quiet(form.position);
    form.position->setValue(0);
    position = 0;
  }
  form.letter->setText(position == 0 ? qt(kNoLetter) : name.mid(position - 1, 1));
  QString html = position == 0 ? name.toHtmlEscaped()
                               : name.left(position - 1).toHtmlEscaped() + "<u>" +
                                     name.mid(position - 1, 1).toHtmlEscaped() + "</u>" +
                                     name.mid(position).toHtmlEscaped();
  if (form.makeDefault->isChecked() && !name.isEmpty()) html = "<b>" + html + "</b>";
  form.preview->setText(name.isEmpty() ? QString() : html);
  form.preview->setAccessibleName(qt("Podgląd: ") + name);
  updateOk(form);
}

void ContextMenuPage::updateOk(Form& form) {
  bool ready = !form.program->text().isEmpty() && !form.name->text().isEmpty();
  if (form.parameter) ready = ready && !form.parameter->currentText().isEmpty();
  form.ok->setEnabled(ready);
}

void ContextMenuPage::resetForm(Form& form) {
  {
    const QSignalBlocker a(form.program);
    const QSignalBlocker b(form.name);
    form.program->clear();
    form.name->clear();
  }
  {
    const QSignalBlocker quiet(form.makeDefault);
    form.makeDefault->setChecked(false);
  }
  nameChanged(form);
  form.preview->clear();
  if (&form == &addForm_) {
    form.letter->setEnabled(false);
    form.position->setEnabled(false);
    keyWord_.clear();
  }
}

void ContextMenuPage::closeForm(Form& form, bool keepEntryCommands) {
  form.frame->hide();
  setObjectControlsEnabled(true);
  // The extension field stays hidden and off for a special object.
  if (target_.special >= 0) extension_->setEnabled(false);
  setCommands(keepEntryCommands, true, keepEntryCommands);
  list_->setFocus();
}

void ContextMenuPage::confirmAdd() {
  if (!addForm_.ok->isEnabled()) return;
  const std::string key = verbKey();
  const std::string verb = "OpenWith" + keyWord_.toStdString();
  const std::string text = addForm_.menuText().toStdString();
  const std::string command = addForm_.program->text().toStdString() + " \"%1\"";
  const bool makeDefault = addForm_.makeDefault->isChecked();
  this->run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::ClassesRoot);
    reg.openKey("\\" + key, true);
    if (makeDefault) reg.writeString("", verb);
    reg.closeKey();
    reg.openKey("\\" + key + "\\" + verb, true);
    reg.writeString("", text);
    reg.closeKey();
    reg.openKey("\\" + key + "\\" + verb + "\\Command", true);
    reg.writeString("", command);
    reg.closeKey();
  });
  resetForm(addForm_);
  closeForm(addForm_, false);
  this->run([this] { extensionChanged(); });
}

void ContextMenuPage::startEdit() {
  const int row = selectedRow();
  if (row < 0) return;
  const QString command = command_->text();
  if (command.isEmpty()) {
    app().dialogs().message(
        "Wybrana przez Ciebie pozycja z menu kontekstowego jest pusta.\rMożesz ją usunąć bez jakichkolwiek "
        "obaw o poprawne funkcjonowanie twojego systemu");
    return;
  }
  if (command.startsWith('{') || !command.toUpper().contains(QStringLiteral(".EXE"))) {
    app().dialogs().message(
        "Nie można edytować tej pozycji. Jest to pozycja systemowa i jej edytowanie jest niemożliwe !!!");
    return;
  }
  const MenuEntry& entry = entries_[static_cast<std::size_t>(row)];
  editedPath_ = entry.path;
  const SplitCommand split = splitCommand(command);
  const QString shown = qt(entry.name);
  QString name = shown;
  name.remove('&');
  {
    const QSignalBlocker quiet(editForm_.parameter);
    editForm_.parameter->setEditText(split.parameter);
  }
  editForm_.parameterMeaning->setText(parameterDescription(split.parameter, true));
  editForm_.program->setText(split.program);
  editForm_.name->setText(name);
  editForm_.position->setValue(static_cast<int>(shown.indexOf('&') + 1));
  setObjectControlsEnabled(false);
  setCommands(false, false, false);
  editForm_.heading->setText(qt("Edytuj pozycję z menu kontekstowego ") + headingSuffix());
  editForm_.ok->setEnabled(false);
  editForm_.frame->adjustSize();
  editForm_.frame->move(std::max(0, (width() - editForm_.frame->width()) / 2), 40);
  editForm_.frame->show();
  editForm_.frame->raise();
  editForm_.name->setFocus();
}

void ContextMenuPage::confirmEdit() {
  if (!editForm_.ok->isEnabled() || editedPath_.empty()) return;
  const std::size_t cut = editedPath_.rfind('\\');
  const std::string parent = cut == std::string::npos ? std::string() : editedPath_.substr(0, cut);
  const std::string verb = cut == std::string::npos ? editedPath_ : editedPath_.substr(cut + 1);
  const std::string text = editForm_.menuText().toStdString();
  const std::string command =
      (editForm_.program->text() + " " + editForm_.parameter->currentText()).toStdString();
  const bool makeDefault = editForm_.makeDefault->isChecked();
  this->run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::ClassesRoot);
    reg.openKey("\\" + parent, true);
    if (makeDefault) reg.writeString("", verb);
    reg.closeKey();
    reg.openKey("\\" + parent + "\\" + verb, true);
    reg.writeString("", text);
    reg.closeKey();
    reg.openKey("\\" + parent + "\\" + verb + "\\Command", true);
    reg.writeString("", command);
    reg.closeKey();
  });
  resetForm(editForm_);
  closeForm(editForm_, false);
  editedPath_.clear();
  this->run([this] { extensionChanged(); });
}

bool ContextMenuPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return Page::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (watched == list_) {
    if (key == Qt::Key_Delete && remove_->isEnabled()) {
      removeEntry();
      return true;
    }
    if (isEnter(key) && add_->isEnabled()) {
      startAdd();
      return true;
    }
    return Page::eventFilter(watched, event);
  }
  for (Form* form : {&addForm_, &editForm_}) {
    const bool inForm = watched == form->program || watched == form->name || watched == form->position ||
                        watched == form->makeDefault ||
                        (form->parameter && watched == form->parameter->lineEdit());
    if (!inForm) continue;
    if (key == Qt::Key_Escape) {
      closeForm(*form, form == &editForm_);
      return true;
    }
    if (isEnter(key)) {
      if (form->ok->isEnabled()) form == &editForm_ ? confirmEdit() : confirmAdd();
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
