#include "pages/shell/open_with_page.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include <array>

#include "pages/derived_name.h"
#include "pages/widgets/hinted_button.h"
#include "pages/widgets/upper_case_validator.h"
#include "platform/icons.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr int kNameLimit = 20;
constexpr char kAllFiles[] = "*";
constexpr char kOpenParameter[] = " \"%1\"";

constexpr std::array<const char*, 8> kReservedNames{
    "Otwórz", "&Otwórz", "Open", "&Open", "Otwórz z ...", "Otwórz &z ...", "Odtwarzaj", "&Odtwarzaj"};

QString qt(const char* text) { return QString::fromUtf8(text); }
QString qt(const std::string& text) { return QString::fromStdString(text); }

bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

QLineEdit* field(const char* hint, const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setToolTip(qt(hint));
  return edit;
}

// The default value of a key, opened without creating it.
std::string defaultText(RegistryHandle& reg, const std::string& path) {
  reg.closeKey();
  if (!reg.openKey("\\" + path, false)) return {};
  return guardedReadString(reg, "");
}

}  // namespace

OpenWithPage::OpenWithPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  auto* heading = new QLabel(qt("Dodaj do menu kontekstowego plików nową pozycję:"), this);
  heading->setObjectName("MenuNaglowek");
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);

  auto* grid = new QGridLayout;
  auto* typeCaption = new QLabel(qt("Typ plików (wpisanie * oznacza wszystkie pliki):"), this);
  type_ = field("Podaj rozszerzenie pliku", "MenuTyp", this);
  type_->setMaxLength(4);
  type_->setValidator(new UpperCaseValidator(type_));
  type_->setMaximumWidth(80);
  typeCaption->setBuddy(type_);
  auto* nameCaption = new QLabel(qt("Nazwa w menu:"), this);
  name_ =
      field("Podaj nazwę, jaka będzie widniała w menu kontekstowym dla wybranych plików", "MenuNazwa", this);
  nameCaption->setBuddy(name_);
  auto* programCaption = new QLabel(qt("Otwieraj wybrany typ plików w:"), this);
  program_ =
      field("Podaj tu ścieżkę do programu, w jakim chcesz otwierać teraz wybrane pliki", "MenuProgram", this);
  program_->setReadOnly(true);
  programCaption->setBuddy(program_);
  chooser_ =
      hintedButton(qt("..."), qt("Wybierz dodatkowy program, w jakim będzie uruchamiane wybrane rozszeżenie"),
                   "MenuWybierz", this);
  chooser_->setAccessibleName(chooser_->toolTip());
  grid->addWidget(typeCaption, 0, 0, 1, 2);
  grid->addWidget(type_, 1, 0, 1, 2, Qt::AlignLeft);
  grid->addWidget(nameCaption, 2, 0, 1, 2);
  grid->addWidget(name_, 3, 0, 1, 2);
  grid->addWidget(programCaption, 4, 0, 1, 2);
  grid->addWidget(program_, 5, 0);
  grid->addWidget(chooser_, 5, 1);
  grid->setColumnStretch(0, 1);
  layout->addLayout(grid);

  auto* about = new QGroupBox(qt("O pliku:"), this);
  about->setObjectName("MenuOPliku");
  auto* aboutGrid = new QGridLayout(about);
  auto addRow = [&](int row, const char* caption, QLabel* value, const char* name) {
    auto* label = new QLabel(qt(caption), about);
    label->setObjectName(QString::fromLatin1(name) + "Etykieta");
    value->setObjectName(name);
    aboutGrid->addWidget(label, row, 0, Qt::AlignTop);
    aboutGrid->addWidget(value, row, 1);
  };
  description_ = new QLabel(about);
  icon_ = new QLabel(about);
  icon_->setFixedSize(32, 32);
  icon_->setAccessibleName(qt("Ikona:"));
  openedBy_ = new QLabel(about);
  openedBy_->setWordWrap(true);
  for (QLabel* l : {description_, openedBy_}) l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  addRow(0, "Opis pliku:", description_, "MenuOpis");
  addRow(1, "Ikona:", icon_, "MenuIkona");
  addRow(2, "Otwierany przez:", openedBy_, "MenuOtwierany");
  aboutGrid->setColumnStretch(1, 1);
  layout->addWidget(about);
  layout->addStretch(1);

  auto* buttons = new QHBoxLayout;
  auto* applyButton =
      hintedButton(qt("Zastosuj"), qt("Dodaj nowy wpis do menu kontekstowego wybranego typu plików"),
                   "MenuZastosuj", this);
  remove_ = hintedButton(qt("Usuń z menu"), qt("Usuń wcześniej zrobione menu"), "MenuUsun", this);
  remove_->setEnabled(false);
  buttons->addStretch(1);
  buttons->addWidget(applyButton);
  buttons->addWidget(remove_);
  layout->addLayout(buttons);
  apply_ = &addApplyCommand(applyButton, {.setsRestartNeeded = false}, [this] { return apply(); });

  setFieldsEnabled(false);
  connect(type_, &QLineEdit::textChanged, this, [this] { this->run([this] { typeChanged(); }); });
  connect(name_, &QLineEdit::textChanged, this, [this] { nameChanged(); });
  connect(program_, &QLineEdit::textChanged, this, [this] { programChanged(); });
  connect(chooser_, &QPushButton::clicked, this, [this] { choose(); });
  connect(remove_, &QPushButton::clicked, this, [this] { removeCommand(); });
  for (QWidget* w : std::initializer_list<QWidget*>{type_, name_, program_, chooser_})
    w->installEventFilter(this);
}

QPushButton* OpenWithPage::applyButton() const { return static_cast<QPushButton*>(apply_->button()); }

void OpenWithPage::load() { typeChanged(); }

void OpenWithPage::reRead() {
  this->run([this] { typeChanged(); });
}

std::string OpenWithPage::typeKey(const std::string& sub) const {
  return typeName_.empty() ? sub : typeName_ + "\\" + sub;
}

void OpenWithPage::setFieldsEnabled(bool enabled) {
  for (QWidget* w : std::initializer_list<QWidget*>{name_, program_, chooser_}) w->setEnabled(enabled);
}

void OpenWithPage::typeChanged() {
  icon_->clear();
  const std::string extension = type_->text().toStdString();
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::ClassesRoot);
  typeName_ = extension.empty() ? std::string() : defaultText(reg, "." + extension);

  const std::string location = defaultText(reg, typeKey("DefaultIcon"));
  if (!location.empty()) {
    const QImage picture = app().icons().displayIcon(location);
    if (!picture.isNull()) icon_->setPixmap(QPixmap::fromImage(picture));
    setFieldsEnabled(true);
  } else {
    setFieldsEnabled(false);
    apply_->setPending(false);
  }
  description_->setText(qt(defaultText(reg, typeName_)));
  openedBy_->setText(qt(defaultText(reg, typeKey("Shell\\Open\\Command"))));

  name_->setText(qt(defaultText(reg, typeKey("Shell\\KelvaroAddMenu"))));
  QString program = qt(defaultText(reg, typeKey("Shell\\KelvaroAddMenu\\Command")));
  if (program.endsWith(qt(kOpenParameter)))
    program.chop(static_cast<qsizetype>(std::size(kOpenParameter) - 1));
  program_->setText(program);
  remove_->setEnabled(!name_->text().isEmpty() && !program_->text().isEmpty());

  if (extension == kAllFiles) {
    description_->setText(qt("Wszystkie pliki"));
    openedBy_->setText(qt("Dodaj do menu jedno wspólne polecenie dla wszystkich plików"));
    setFieldsEnabled(true);
  }
  // Set outright: the name's own change above saw the previous type's program.
  apply_->setPending(!program_->text().isEmpty() && program_->isEnabled() && !name_->text().isEmpty());
}

void OpenWithPage::nameChanged() {
  const QString name = name_->text();
  if (name.size() > kNameLimit) {
    const QSignalBlocker quiet(name_);
    name_->setText(acceptedName_);
    return;
  }
  for (const char* reserved : kReservedNames) {
    if (name != qt(reserved)) continue;
    app().dialogs().message(
        "Tej nazwy nie możesz podać. Jest ona zarezerwowana przez Windows. Podaj inną nazwę.");
    {
      const QSignalBlocker quiet(name_);
      name_->clear();
    }
    acceptedName_.clear();
    apply_->setPending(false);
    return;
  }
  acceptedName_ = name;
  if (!name.isEmpty() && !program_->text().isEmpty()) apply_->setPending(true);
}

void OpenWithPage::programChanged() {
  if (program_->text().isEmpty()) apply_->setPending(false);
}

void OpenWithPage::choose() {
  if (!chooser_->isEnabled()) return;
  const auto chosen = app().dialogs().openFile({.title = "Wibierz program",
                                                .filter = "Programy (*.exe)|*.exe",
                                                .initialFolder = app().windowsDirectory(),
                                                .defaultExtension = {},
                                                .mustExist = true});
  if (!chosen || chosen->empty()) return;
  // In this order: a reserved derived name still turns "Zastosuj" off.
  apply_->setPending(true);
  program_->setText(qt(*chosen));
  name_->setText(qt(derivedName(*chosen)));
  name_->setFocus();
}

WriteResult OpenWithPage::apply() {
  const std::string extension = type_->text().toStdString();
  const bool noName = name_->text().isEmpty();
  const bool noProgram = program_->text().isEmpty();
  const std::string quoted = "\"" + extension + "\"";
  if (noName && noProgram) {
    app().dialogs().message(
        "Musisz  jeszcze podać nazwę programu, jaki będzie teraz współotwierał pliki " + quoted +
        " oraz nazwę nowej pozycji, która będzie dodana do menu kontekstowego, pojawiającego "
        "się po kliknięciu myszą na pliki typu " +
        quoted + ".");
    return WriteResult::KeepPending;
  }
  if (noName) {
    app().dialogs().message(
        "Musisz jeszcze podać nazwę nowej pozycji, która będzie dodana do menu kontekstowego, pojawiającego "
        "się po "
        "kliknięciu myszą na pliki typu " +
        quoted + ".");
    return WriteResult::KeepPending;
  }
  if (noProgram) {
    app().dialogs().message("Musisz  jeszcze podać nazwę programu, jaki będzie teraz współotwierał pliki " +
                            quoted + ".");
    return WriteResult::KeepPending;
  }
  const std::string key =
      extension == kAllFiles ? std::string("*\\Shell\\AllFiles") : typeKey("Shell\\KelvaroAddMenu");
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::ClassesRoot);
  reg.openKey("\\" + key, true);
  reg.writeString("", name_->text().toStdString());
  reg.closeKey();
  reg.openKey("\\" + key + "\\Command", true);
  reg.writeString("", program_->text().toStdString() + kOpenParameter);
  reg.closeKey();
  remove_->setEnabled(true);
  return WriteResult::Done;
}

void OpenWithPage::removeCommand() {
  this->run([this] {
    RegistryHandle reg(app().registry());
    reg.setRoot(Root::ClassesRoot);
    reg.deleteKey("\\" + typeKey("Shell\\KelvaroAddMenu"));
    typeChanged();
  });
}

bool OpenWithPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return Page::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (isEnter(key) && (watched == type_ || watched == program_)) {
    if (chooser_->isEnabled()) choose();
    return true;
  }
  if (isEnter(key) && watched == name_) {
    if (apply_->button()->isEnabled()) apply_->run();
    return true;
  }
  if (key == Qt::Key_Delete && (watched == program_ || watched == chooser_)) {
    program_->clear();
    return true;
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
