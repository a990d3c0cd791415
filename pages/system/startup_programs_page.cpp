#include "pages/system/startup_programs_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "pages/derived_name.h"
#include "pages/widgets/hinted_button.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"
#include "store/text_codec.h"

namespace kelvaro {
namespace {

constexpr char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunServices[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
constexpr char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr char kAllUsers[] =
    "Ta zakładka zawiera spis programów uruchamianych przy starcie Windows`a przez wszystkich użytkowników.";

struct RunKey {
  const char* sheet;
  Root root;
  const char* key;
  const char* line1;
  const char* line2;
};

constexpr std::array<RunKey, StartupProgramsPage::kTabs> kKeys{{
    {"HKLMrun", Root::LocalMachine, kRun, kAllUsers, ""},
    {"HKLMrunservices", Root::LocalMachine, kRunServices, kAllUsers,
     "Klucz \"Run Services\" przeznaczony jest do uruchamiania wszelkich usłóg sieciowych."},
    {"HKLMrunonce", Root::LocalMachine, kRunOnce, kAllUsers,
     "Klucz \"Run Once\" działa w ten sposób, że po uruchomieniu aplikacji wpis z tego klucza jest usuwany."},
    {"HKCUrun", Root::CurrentUser, kRun,
     "Ta zakładka zawiera spis programów uruchamianych przy starcie Windows`a,",
     "skonfigurowanych przez indywidualnych użytkowników."},
}};

// Where an entry goes so that the list stays sorted as the system compares
// names: locale-aware, case-sensitive.
int sortedRow(const QTreeWidget* list, const QString& name) {
  int row = 0;
  while (row < list->topLevelItemCount() &&
         QString::localeAwareCompare(list->topLevelItem(row)->text(0), name) <= 0)
    ++row;
  return row;
}

}  // namespace

StartupProgramsPage::StartupProgramsPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  // The two description lines above the tabs.
  auto* strip = new QWidget(this);
  strip->setObjectName("autorunDescription");
  auto* lines = new QVBoxLayout(strip);
  lines->setContentsMargins(6, 2, 6, 2);
  line1_ = new QLabel(strip);
  line1_->setObjectName("autorunLine1");
  line2_ = new QLabel(strip);
  line2_->setObjectName("autorunLine2");
  for (QLabel* line : {line1_, line2_}) {
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignHCenter);
    lines->addWidget(line);
  }
  strip->setFixedHeight(58);
  static_cast<QVBoxLayout*>(layout())->insertWidget(0, strip);

  for (int t = 0; t < kTabs; ++t) {
    Tab& tab = tabs_[t];
    QWidget* sheet = area(kKeys[t].sheet);
    const QString id = QString::fromLatin1(kKeys[t].sheet);
    auto* column = new QVBoxLayout(sheet);
    tab.list = new QTreeWidget(sheet);
    tab.list->setObjectName(id + "List");
    tab.list->setToolTip(QStringLiteral("Spis kluczy z aplikacjami uruchamianymi przy starcie Windows'a "));
    tab.list->setAccessibleName(QString::fromUtf8(info.subPages[t].caption));
    tab.list->setAccessibleDescription(tab.list->toolTip());
    tab.list->setHeaderLabels({QStringLiteral("Nazwa klucza"), QStringLiteral("Instrukcja")});
    tab.list->setRootIsDecorated(false);
    tab.list->setSelectionBehavior(QAbstractItemView::SelectRows);
    tab.list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tab.list->header()->resizeSection(0, 170);
    tab.list->header()->setAccessibleName(QStringLiteral("Nazwa klucza, Instrukcja"));
    tab.list->verticalScrollBar()->setAccessibleName(tab.list->accessibleName());
    tab.list->horizontalScrollBar()->setAccessibleName(tab.list->accessibleName());
    tab.list->installEventFilter(this);
    column->addWidget(tab.list, 1);
    auto* row = new QHBoxLayout;
    tab.edit = hintedButton(QStringLiteral("Edytuj wpis"), QStringLiteral("Edytuj zaznaczony wpis"),
                            id + "Edit", sheet);
    tab.add =
        hintedButton(QStringLiteral("Dodaj wpis"),
                     QStringLiteral("Dodaje kolejny wpis do listu programów uruchamianych przy starcie"),
                     id + "Add", sheet);
    tab.remove = hintedButton(QStringLiteral("Usuń wpis"), QStringLiteral("Usuń wybrany wpis z listy"),
                              id + "Remove", sheet);
    row->addWidget(tab.edit);
    row->addWidget(tab.add);
    row->addWidget(tab.remove);
    row->addStretch(1);
    column->addLayout(row);
    tab.edit->setEnabled(false);
    tab.remove->setEnabled(false);

    connect(tab.list, &QTreeWidget::itemSelectionChanged, this, [this, t] {
      Tab& tab = tabs_[t];
      const QList<QTreeWidgetItem*> selected = tab.list->selectedItems();
      if (!selected.isEmpty()) tab.selectedName = selected.front()->text(0).toStdString();
      tab.edit->setEnabled(!selected.isEmpty());
      tab.remove->setEnabled(!selected.isEmpty());
    });
    connect(tab.list, &QTreeWidget::itemDoubleClicked, this, [this, t] { startEdit(t); });
    connect(tab.edit, &QPushButton::clicked, this, [this, t] { startEdit(t); });
    connect(tab.add, &QPushButton::clicked, this, &StartupProgramsPage::startAdd);
    connect(tab.remove, &QPushButton::clicked, this, [this, t] { remove(t); });
  }

  add_ = makePanel(QStringLiteral("Dodaj wpis:"), "autorunAddPanel",
                   QStringLiteral("Podaj ścieżkę do programu, który ma być uruchamiany"),
                   QStringLiteral("Wybierz program"), QStringLiteral("Nazwa klucza"),
                   QStringLiteral("Podaj nazwę klucza"), QStringLiteral("Dodaj nową pozycję do rejestru"),
                   QStringLiteral("Nie dodajwaj nowej pozycji do rejestru"));
  edit_ = makePanel(QStringLiteral("Edytuj wpis:"), "autorunEditPanel",
                    QStringLiteral("Edytuj ścieżkę do programu, który ma być uruchamiany"),
                    QStringLiteral("Wybierz nowy program"), QStringLiteral("Nazwa klucza:"),
                    QStringLiteral("Edytuj nazwę klucza"), QStringLiteral("Zapisz zmiany"),
                    QStringLiteral("Cofnij zmiany"));
  deriveName_ = new QCheckBox(
      QStringLiteral(
          "Po wybraniu nowego programu  wstaw\r\n\"Nazwę klucza\" automatycznie tworząc ją z nazwy\r\n"
          "wybranego programu. Zastąp poprzednią nazwę."),
      edit_.frame);
  deriveName_->setObjectName("autorunDeriveName");
  deriveName_->setChecked(true);
  static_cast<QGridLayout*>(edit_.frame->layout())->addWidget(deriveName_, 3, 0, 1, 3);

  connect(add_.ok, &QPushButton::clicked, this, &StartupProgramsPage::confirmAdd);
  connect(edit_.ok, &QPushButton::clicked, this, &StartupProgramsPage::confirmEdit);
  connect(add_.cancel, &QPushButton::clicked, this, [this] { closePanel(add_); });
  connect(edit_.cancel, &QPushButton::clicked, this, [this] { closePanel(edit_); });
  connect(add_.chooser, &QPushButton::clicked, this, [this] { choose(add_); });
  connect(edit_.chooser, &QPushButton::clicked, this, [this] { choose(edit_); });
  for (Panel* panel : {&add_, &edit_}) {
    for (QLineEdit* field : {panel->command, panel->name}) {
      connect(field, &QLineEdit::textChanged, this, [this, panel] { panelChanged(*panel); });
      field->installEventFilter(this);
    }
  }
  // An add or edit whose OK can be pressed is an unapplied change.
  addPendingMarker([this] { return add_.ok->isEnabled(); });
  addPendingMarker([this] { return edit_.ok->isEnabled(); });

  connect(subPageControl(), &QTabWidget::currentChanged, this, &StartupProgramsPage::showDescription);
  showDescription();
}

StartupProgramsPage::Panel StartupProgramsPage::makePanel(const QString& heading, const char* id,
                                                          const QString& commandHint,
                                                          const QString& chooserHint,
                                                          const QString& nameCaption, const QString& nameHint,
                                                          const QString& okHint, const QString& cancelHint) {
  Panel panel;
  panel.frame = new QFrame(this);
  panel.frame->setObjectName(id);
  panel.frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel.frame->setAutoFillBackground(true);
  auto* grid = new QGridLayout(panel.frame);
  auto* title = new QLabel(heading, panel.frame);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  grid->addWidget(title, 0, 0, 1, 3);
  const QString name = QString::fromLatin1(id);
  auto* commandCaption = new QLabel(QStringLiteral("Instrukcja"), panel.frame);
  panel.command = new QLineEdit(panel.frame);
  panel.command->setObjectName(name + "Command");
  panel.command->setReadOnly(true);
  panel.command->setToolTip(commandHint);
  commandCaption->setBuddy(panel.command);
  panel.chooser = hintedButton(QStringLiteral("..."), chooserHint, name + "Chooser", panel.frame);
  panel.chooser->setAccessibleName(chooserHint);
  grid->addWidget(commandCaption, 1, 0);
  grid->addWidget(panel.command, 1, 1);
  grid->addWidget(panel.chooser, 1, 2);
  auto* nameLabel = new QLabel(nameCaption, panel.frame);
  panel.name = new QLineEdit(panel.frame);
  panel.name->setObjectName(name + "Name");
  panel.name->setToolTip(nameHint);
  nameLabel->setBuddy(panel.name);
  grid->addWidget(nameLabel, 2, 0);
  grid->addWidget(panel.name, 2, 1, 1, 2);
  auto* buttons = new QHBoxLayout;
  panel.ok = hintedButton(QStringLiteral("OK"), okHint, name + "Ok", panel.frame);
  panel.cancel = hintedButton(QStringLiteral("Anuluj"), cancelHint, name + "Cancel", panel.frame);
  panel.ok->setEnabled(false);
  buttons->addStretch(1);
  buttons->addWidget(panel.ok);
  buttons->addWidget(panel.cancel);
  grid->addLayout(buttons, 4, 0, 1, 3);
  panel.frame->setFixedWidth(460);
  panel.frame->hide();
  return panel;
}

int StartupProgramsPage::shownTab() const { return subPageControl()->currentIndex(); }

void StartupProgramsPage::showDescription() {
  const RunKey& key = kKeys[shownTab()];
  line1_->setText(QString::fromUtf8(key.line1));
  line2_->setText(QString::fromUtf8(key.line2));
  // A one-line description sits lower, in the middle of the strip.
  line2_->setVisible(!line2_->text().isEmpty());
}

void StartupProgramsPage::load() {
  RegistryHandle reg(app().registry());
  for (int t = 0; t < kTabs; ++t) {
    QTreeWidget* list = tabs_[t].list;
    list->clear();
    reg.closeKey();
    reg.setRoot(kKeys[t].root);
    if (!openForRead(reg, kKeys[t].key)) continue;
    // Only string values are entries; the others are neither shown nor touched.
    for (const std::string& name : reg.valueNames()) {
      if (reg.valueKind(name) != ValueKind::String) continue;
      const QString caption = QString::fromStdString(name);
      auto* item = new QTreeWidgetItem({caption, QString::fromStdString(reg.readString(name))});
      list->insertTopLevelItem(sortedRow(list, caption), item);
    }
  }
  for (Tab& tab : tabs_) {
    tab.edit->setEnabled(false);
    tab.remove->setEnabled(false);
  }
  add_.frame->hide();
  edit_.frame->hide();
  subPageControl()->tabBar()->setEnabled(true);
}

void StartupProgramsPage::remove(int tab) {
  run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(kKeys[tab].root);
    if (openForRead(reg, kKeys[tab].key)) reg.deleteValue(tabs_[tab].selectedName);
  });
  run([this] { reload(); });
}

void StartupProgramsPage::startAdd() {
  subPageControl()->tabBar()->setEnabled(false);
  add_.frame->move((width() - add_.frame->width()) / 2, 80);
  add_.frame->adjustSize();
  add_.frame->show();
  add_.frame->raise();
  add_.command->setFocus();
  if (add_.command->text().isEmpty()) choose(add_);
}

void StartupProgramsPage::startEdit(int tab) {
  const QList<QTreeWidgetItem*> selected = tabs_[tab].list->selectedItems();
  if (selected.isEmpty()) {
    app().dialogs().message("Nie wybrałeś wpisu do edycji");
    return;
  }
  subPageControl()->tabBar()->setEnabled(false);
  edit_.name->setText(selected.front()->text(0));
  edit_.command->setText(selected.front()->text(1));
  panelChanged(edit_);
  edit_.frame->move((width() - edit_.frame->width()) / 2, 80);
  edit_.frame->adjustSize();
  edit_.frame->show();
  edit_.frame->raise();
  edit_.name->setFocus();
}

void StartupProgramsPage::choose(Panel& panel) {
  const auto chosen = app().dialogs().openFile({.title = "Wibierz program",
                                                .filter = "Programy (*.exe)|*.exe",
                                                .initialFolder = app().environment().windowsDirectory(),
                                                .defaultExtension = "exe",
                                                .mustExist = true});
  if (&panel == &edit_) edit_.name->setFocus();
  if (!chosen || chosen->empty()) return;
  const QString path = QString::fromStdString(*chosen);
  const qsizetype dot = path.lastIndexOf('.');
  if (dot < 0 || path.mid(dot).toUpper() != ".EXE" || path.indexOf('\\', dot) >= 0) {
    app().dialogs().message(
        "Wybrałeś nieodpowiedni format pliku !!!\rPrawidłowym formatem są aplikacje z rozszerzeniem EXE");
    return;
  }
  panel.command->setText(path);
  if (&panel == &add_) {
    add_.name->setText(QString::fromStdString(derivedName(*chosen)));
    add_.name->setFocus();
  } else if (deriveName_->isChecked()) {
    edit_.name->setText(QString::fromStdString(derivedName(*chosen)));
  }
  panel.ok->setEnabled(true);
}

void StartupProgramsPage::panelChanged(Panel& panel) {
  panel.ok->setEnabled(!panel.command->text().isEmpty() && !panel.name->text().isEmpty());
}

void StartupProgramsPage::confirmAdd() {
  const int t = shownTab();
  const bool written = run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(kKeys[t].root);
    reg.openKey(kKeys[t].key, false);
    reg.writeString(add_.name->text().toStdString(), add_.command->text().toStdString());
  });
  // A failed write leaves the panel open.
  if (!written) return;
  add_.frame->hide();
  subPageControl()->tabBar()->setEnabled(true);
  add_.command->clear();
  add_.name->clear();
  add_.ok->setEnabled(false);
  run([this] { reload(); });
}

void StartupProgramsPage::confirmEdit() {
  const int t = shownTab();
  const std::string oldName = tabs_[t].selectedName;
  const std::string newName = edit_.name->text().toStdString();
  const bool written = run([&] {
    RegistryHandle reg(app().registry());
    reg.setRoot(kKeys[t].root);
    reg.openKey(kKeys[t].key, false);
    // The new value first: a failed write leaves the entry as it was.
    reg.writeString(newName, edit_.command->text().toStdString());
    if (!namesEqual(utf8ToUtf16(oldName), utf8ToUtf16(newName))) reg.deleteValue(oldName);
  });
  if (!written) return;
  edit_.frame->hide();
  subPageControl()->tabBar()->setEnabled(true);
  edit_.command->clear();
  edit_.name->clear();
  edit_.ok->setEnabled(false);
  tabs_[t].edit->setEnabled(false);
  tabs_[t].remove->setEnabled(false);
  run([this] { reload(); });
}

void StartupProgramsPage::closePanel(Panel& panel) {
  panel.frame->hide();
  subPageControl()->tabBar()->setEnabled(true);
  tabs_[shownTab()].list->setFocus();
}

bool StartupProgramsPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return Page::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  for (int t = 0; t < kTabs; ++t) {
    if (watched != tabs_[t].list) continue;
    if (key == Qt::Key_Delete) {
      if (!tabs_[t].list->selectedItems().isEmpty()) remove(t);
      return true;
    }
    if (enter) {
      startEdit(t);
      return true;
    }
  }
  for (Panel* panel : {&add_, &edit_}) {
    if (watched != panel->command && watched != panel->name) continue;
    if (key == Qt::Key_Escape) {
      closePanel(*panel);
      return true;
    }
    if (enter) {
      if (panel->ok->isEnabled()) panel->ok->click();
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
