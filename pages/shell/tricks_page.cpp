#include "pages/shell/tricks_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "pages/shell/tricks.h"
#include "pages/widgets/hinted_button.h"
#include "pages/widgets/in_place_editor.h"
#include "platform/file_system.h"
#include "store/common_functions.h"
#include "store/registry_handle.h"
#include "store/store_error.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kWinlogon[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
constexpr char kRunServices[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices";
constexpr char kInternational[] = "Control Panel\\International";
constexpr char kPlayerPolicies[] = "SOFTWARE\\Policies\\Microsoft\\WindowsMediaPlayer";
constexpr char kPlayer[] = "Windows Media Player";
constexpr char kTitlePrefix[] = "Program Windows Media Player dostarczony przez ";
constexpr char kDefaultCaption[] = "Adnotacja prawna";
constexpr char kNoCaption[] =
    "Wybrałeś opcję \"Komunikat na powitanie\", ale nie podałeś tytułu komunikatu co onzacza, że Windows "
    "przyjmie automatyczny tytuł \"Adnotacja prawna\"";
constexpr char kNoText[] =
    "Wybrałeś opcję \"Komunikat na powitanie\", ale nie podałeś treści komunikatu. Komunikat nie zostanie "
    "zapisny !!!";

QString q(const char* utf8) { return utf8 ? QString::fromUtf8(utf8) : QString(); }

// The text of a string value, expandable or not; empty for other kinds.
std::string textOf(RegistryHandle& reg, std::string_view name) {
  const ValueKind kind = reg.valueKind(name);
  return kind == ValueKind::String || kind == ValueKind::ExpandString ? reg.readString(name) : std::string();
}

int id(ClassesTrickId trick) { return static_cast<int>(trick); }

}  // namespace

TricksPage::TricksPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(8, 6, 8, 6);
  // The tricks do not fit every window: they scroll above the description lines.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("trikiScroll");
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setAccessibleName(QStringLiteral("Triki"));
  scroll->setWidgetResizable(true);
  scroll->verticalScrollBar()->setAccessibleName(QStringLiteral("Przewiń"));
  scroll->horizontalScrollBar()->setAccessibleName(QStringLiteral("Przewiń"));
  auto* content = new QWidget(scroll);
  content->setObjectName("trikiContent");
  auto* grid = new QGridLayout(content);
  grid->setContentsMargins(0, 0, 0, 0);
  scroll->setWidget(content);
  column->addWidget(scroll, 1);

  auto* applyButton = hintedButton(QStringLiteral("Zastosuj"), QStringLiteral("Zastosuj wybrane \"Triki\""),
                                   QStringLiteral("trikiApply"), this);
  apply_ = &addApplyCommand(applyButton, {.setsRestartNeeded = true}, [this] { return apply(); });

  const auto group = [this](const char* name, const char* caption) {
    auto* g = new QGroupBox(q(caption), this);
    g->setObjectName(name);
    auto* rows = new QVBoxLayout(g);
    rows->setContentsMargins(6, 2, 6, 2);
    rows->setSpacing(0);
    return g;
  };
  const auto classesBox = [this](ClassesTrickId trick, QGroupBox* g) {
    const ClassesTrick& t = classesTrick(trick);
    QCheckBox* b = box(t.name, q(t.caption), g);
    g->layout()->addWidget(b);
    classes_[id(trick)] = b;
    return b;
  };

  // Context menus, on the left.
  auto* left = new QVBoxLayout;
  QGroupBox* all = group("trikiWszystkie", "Do menu kontekstowego plików, folderów i dysków dodaj:");
  describe(
      classesBox(ClassesTrickId::EmptyBin, all),
      {"Aby opróżnić kosz, należy... wybrać opcję \"Opróżnij Kosz\" z Kosza. Logiczne? Ale możemy sprawić, "
       "że",
       "kliknięcie dowolnego pliku czy folderu prawym przyciskiem myszy spowoduje rozwinięcie polecenia",
       "\"Opróżnij Kosz\". Jak ...? Zastosuj tę opcję, a przekonasz się."});
  describe(
      classesBox(ClassesTrickId::ExitWindows, all),
      {"Ta funkcja sprawi, że będziesz mógł zamknąć system z dowolnego miejsca, nie klikjąc na "
       "Start->Zamknij",
       "tylko klikając na dowolny element na pulpicie, plik, folder lub dysk prawym przyciskiem myszy i z "
       "menu",
       "kontekstowego wybierzesz \"Zamknij system\""});
  QGroupBox* folders = group("trikiFoldery", "Do menu kontekstowego folderów dodaj:");
  describe(
      classesBox(ClassesTrickId::QuickDos, folders),
      {"Ci, którzy wychowali się na DOS-ie i nadal w nim działają, docenią to. Aby mieć dostęp do",
       "systemu MS-DOS z każdego miejsca wystarczy wybrać tę opcję. Później już  tylko klikamy prawym",
       "przyciskiem na dowolny folder i wybieramy pozycję \"Tryb MS-DOS\", czary mary i czarne okienko"});
  describe(classesBox(ClassesTrickId::Attributes, folders),
           {"Chcąc zmienić ikonę dowolnego folderu musisz zmienić mu atrybut na \"Systemowy\"",
            "Nie jest to łatwe spod Windows`a. Ale teraz wybierając tę opcję sprawa jest bardzo prosta.",
            "Wystarczy, że klikniesz prawym przyciskiem na dowolny folder i wybierzesz z menu zmianę "
            "atrybutów."});
  describe(classesBox(ClassesTrickId::OpenInNew, folders),
           {"Klikając prawym przyciskiem na folderze w menu kontekstowym pojawi się nowa pozycja \"Otwórz w "
            "nowym oknie\".",
            "Dzięki temu będziesz mógł otworzyć wybrany folder w nowym oknie, jeżeli chcesz np. kopiować lub "
            "przenosić",
            "z jednego folderu do drugiego pliki ta opcja ułatwi Ci zadanie."});
  QGroupBox* drives = group("trikiDyski", "Do menu kontekstowego dysków dodaj:");
  describe(classesBox(ClassesTrickId::ScanDisk, drives),
           {nullptr,
            "Klikając prawym przyciskiem na dysku w menu kontekstowym pojawi się nowa pozycja \"Skanuj\".",
            "Dzięki temu w łatwy sposób będziesz mógł zeskanować wybrany dysk programem ScanDisk"});
  describe(
      classesBox(ClassesTrickId::Defrag, drives),
      {nullptr,
       "Klikając prawym przyciskiem na dysku w menu kontekstowym pojawi się nowa pozycja \"Defragmentuj\".",
       "Dzięki temu w łatwy sposób będziesz mógł zdefragmentować wybrany dysk programem "
       "\"Defragmentator\""});
  QGroupBox* files = group("trikiPliki", "Do menu kontekstowego plików dodaj:");
  describe(classesBox(ClassesTrickId::CopyTo, files),
           {nullptr,
            "Klikając prawym przyciskiem myszy na dowolnym pliku w menu kontekstowym pojawi się nowa pozycja "
            "\"Kopiuj do folderu\".",
            "Dzięki tej opcji będziesz mógł kopiować pliki do dowolnego folderu."});
  describe(classesBox(ClassesTrickId::MoveTo, files),
           {nullptr,
            "Klikając prawym przyciskiem myszy na dowolnym pliku w menu kontekstowym pojawi się nowa pozycja "
            "\"Przenieś do folderu\".",
            "Dzięki tej opcji będziesz mógł przenosić pliki do dowolnego folderu."});
  for (QGroupBox* g : {all, folders, drives, files}) left->addWidget(g);
  left->addStretch(1);
  grid->addLayout(left, 0, 0);

  // The Start menu, the desktop and the icons, in the middle.
  auto* middle = new QVBoxLayout;
  QGroupBox* start = group("trikiMenuStart", nullptr);
  auto* startLabel = new QLabel(QStringLiteral("Dodaj do menu start skróty od:"), start);
  startLabel->setObjectName("trikiMenuStartLabel");
  start->layout()->addWidget(startLabel);
  describe(startLabel, {nullptr, nullptr, "Wybierz którąś z poniższych opcji..."});
  for (std::size_t i = 0; i < startMenuFolders().size(); ++i) {
    const StartMenuFolder& f = startMenuFolders()[i];
    startMenu_[i] = box(f.name, q(f.caption), start);
    start->layout()->addWidget(startMenu_[i]);
    describe(startMenu_[i], {nullptr, nullptr, f.description});
  }
  middle->addWidget(start);
  QCheckBox* explore = box(classesTrick(ClassesTrickId::ExploreMyComputer).name,
                           q(classesTrick(ClassesTrickId::ExploreMyComputer).caption), this);
  classes_[id(ClassesTrickId::ExploreMyComputer)] = explore;
  describe(explore,
           {"Domyślną akcją na dwuklik wykonany na obiekcie pulpitu \"Mój komputer\" jest uruchomienie "
            "Eksploratora z ",
            "widokiem folderu Pulpit. A czy jest możliwe, by po dwukliku uruchamiał się Eksplorator z "
            "pełnym widokiem?",
            "Można tego dokonać, poprzez przytrzymanie klawisza SHIFT podczas klikania lub... No "
            "właśnie."});
  clock_ = box("trikiZegar", QStringLiteral("Zegar z datą"), this);
  describe(clock_,
           {nullptr,
            "Jeżeli Ci nie wystarcza, że data pojawia się obok zegara dopiero gdy najedziesz na niego "
            "kursorem",
            "myszy możesz wstawić ją sobie na stałe obok zegara."});
  bitmaps_ = box("trikiBitmapy", QStringLiteral("Pokazuj zawartość bitmapy zamiast ikony"), this);
  describe(bitmaps_,
           {nullptr, nullptr,
            "Wybranie tej opcji spowoduje, że zamiast ikon bitmap będzie wyświetlana ich zawartość."});
  iconLibraries_ = box("trikiICL", QStringLiteral("Pokazuj pierwszą ikonę ICL-i"), this);
  describe(
      iconLibraries_,
      {"Co to są ICL-e. Są to biblioteki ikon, po prostu pliki zawierające dużo samych ikonek. W ikonach "
       "dołączonych",
       "przeze mnie jest kilka ICL-i. Do otwierania ich potrzebne są odpowiednie programy. Ty jednak "
       "wybierając",
       "tę opcję będziesz mógł zobaczyć zamiast standardowej ikony plików ICL pierwszą ikonę z jego "
       "\"wnętrza\"."});
  for (QCheckBox* b : {explore, clock_, bitmaps_, iconLibraries_}) middle->addWidget(b);
  middle->addStretch(1);
  grid->addLayout(middle, 0, 1);

  // The welcome message and the player title, on the right.
  auto* right = new QVBoxLayout;
  welcome_ = box("trikiKomunikat", QStringLiteral("Komunikat na powitanie"), this);
  describe(welcome_,
           {"Jesteś administratorem, ale Twoi \"podopieczni\" mają tendencję do pozostawiania włączonych i "
            "zalogowanych",
            "komputerów i są raczej zapominalscy. O sprawie wylogowania może im przypomnieć Windows,",
            "wywołując słowny komunikat przy starcie systemu. Treść komunikatu może być dowolna."});
  right->addWidget(welcome_);
  welcomeGroup_ = new QGroupBox(QStringLiteral(" Komunikat na powitanie "), this);
  welcomeGroup_->setObjectName("trikiKomunikatGroup");
  auto* fields = new QGridLayout(welcomeGroup_);
  const auto field = [&](const char* name, const QString& caption, const QString& hint, int row) {
    auto* label = new QLabel(caption, welcomeGroup_);
    label->setObjectName(QString::fromUtf8(name) + "Caption");
    auto* edit = new QLineEdit(welcomeGroup_);
    edit->setObjectName(name);
    edit->setToolTip(hint);
    edit->setAccessibleName(caption);
    label->setBuddy(edit);
    fields->addWidget(label, row, 0);
    fields->addWidget(edit, row, 1);
    connect(edit, &QLineEdit::textEdited, apply_, &ApplyCommand::markPending);
    connect(edit, &QLineEdit::textChanged, this, &TricksPage::updatePreviewButton);
    apply_->runOnEnter(edit);
    return edit;
  };
  welcomeName_ =
      field("trikiNazwaKomunikatu", QStringLiteral("Nazwa komunikatu"),
            QStringLiteral("Podja nazwę komunikatu. Podanie pustej nazwy oznacza usunięcie komunikatu "
                           "z komputera"),
            0);
  welcomeText_ =
      field("trikiTrescKomunikatu", QStringLiteral("Treść komunikatu"),
            QStringLiteral("Podja treść komunikatu. Podanie pustej nazwy oznacza usunięcie komunikatu "
                           "z komputera"),
            1);
  preview_ = hintedButton(QStringLiteral("Podgląd"), QStringLiteral("Podgląd \"Komunikatu\""),
                          QStringLiteral("trikiPodglad"), welcomeGroup_);
  fields->addWidget(preview_, 2, 1, Qt::AlignRight);
  connect(preview_, &QPushButton::clicked, this, [this] {
    this->app().dialogs().messageBox({welcomeName_->text().toStdString(), welcomeText_->text().toStdString(),
                                      BoxIcon::None, BoxButton::Ok});
  });
  connect(welcome_, &QCheckBox::toggled, welcomeGroup_, &QWidget::setVisible);
  right->addWidget(welcomeGroup_);

  auto* titleArea = new QWidget(this);
  titleArea->setObjectName("trikiTytulWMP");
  titleArea->setMinimumHeight(28);
  auto* titleRow = new QHBoxLayout(titleArea);
  titleRow->setContentsMargins(0, 4, 0, 4);
  auto* titleCaption = new QLabel(QStringLiteral("Tytuł WMP:"), titleArea);
  titleCaption->setObjectName("trikiTytulWMPCaption");
  title_ = new QLabel(QString::fromUtf8(kPlayer), titleArea);
  title_->setObjectName("trikiTytul");
  title_->setToolTip(QStringLiteral("Kliknij dwukrotnie, aby zmienić tytuł Windows Media Player-a"));
  titleRow->addWidget(titleCaption);
  titleRow->addWidget(title_, 1);
  const Description titleLines{
      nullptr, "Opcja ta pozwala na zmianę tytułu programu Windows Media Player na inny dowolny.",
      "Wadą jednak jest to, że przy zmianie program sam dodaje od siebie \"Program Windows Media Player "
      "dostarczony przez\"."};
  describe(titleCaption, titleLines);
  describe(title_, titleLines);
  titleEditor_ = new InPlaceEditor(titleArea, app.dialogs(),
                                   {.textEditor = QStringLiteral("Wpisz tytuł i naciśnij ENTER"),
                                    .versionEditor = {},
                                    .folderEditor = {},
                                    .browseButton = {}});
  titleEditor_->setBackgroundClickCommits(false);
  titleEditor_->textEditor()->setObjectName("trikiTitleEditor");
  titleEditor_->textEditor()->setAccessibleName(QStringLiteral("Tytuł WMP:"));
  titleEditor_->versionEditor()->setObjectName("trikiVersionEditor");
  titleEditor_->folderEditor()->setObjectName("trikiFolderEditor");
  titleEditor_->browseButton()->setObjectName("trikiBrowseButton");
  titleEditor_->highlight()->setObjectName("trikiHighlight");
  titleEditor_->addField(title_, EditorKind::Text, QString());
  connect(titleEditor_, &InPlaceEditor::editStarted, this,
          [this] { setLines({}, {}, QStringLiteral("UWAGA: Naciśnij ENTER, aby zatwerdzić zmianę !!!")); });
  connect(titleEditor_, &InPlaceEditor::committed, apply_, &ApplyCommand::markPending);
  right->addWidget(titleArea);
  right->addStretch(1);
  grid->addLayout(right, 0, 2);

  auto* bottom = new QHBoxLayout;
  auto* lines = new QVBoxLayout;
  lines->setSpacing(0);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    lines_[i] = new QLabel(this);
    lines_[i]->setObjectName(QStringLiteral("trikiOpis%1").arg(i + 1));
    lines->addWidget(lines_[i]);
  }
  bottom->addLayout(lines, 1);
  bottom->addWidget(applyButton, 0, Qt::AlignBottom);
  column->addLayout(bottom);
  updatePreviewButton();
}

QCheckBox* TricksPage::box(const char* name, const QString& caption, QWidget* parent) {
  auto* b = new QCheckBox(caption, parent);
  b->setObjectName(name);
  connect(b, &QCheckBox::clicked, apply_, &ApplyCommand::markPending);
  apply_->runOnEnter(b);
  return b;
}

void TricksPage::describe(QWidget* control, Description lines) {
  descriptions_[control] = lines;
  control->installEventFilter(this);
}

void TricksPage::setLines(const QString& first, const QString& second, const QString& third) {
  lines_[0]->setText(first);
  lines_[1]->setText(second);
  lines_[2]->setText(third);
}

bool TricksPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Enter) {
    if (const auto it = descriptions_.find(watched); it != descriptions_.end()) {
      setLines(q(it->second.first), q(it->second.second), q(it->second.third));
    }
  }
  return Page::eventFilter(watched, event);
}

void TricksPage::resetTransient() {
  setLines({}, {}, {});
  titleEditor_->moveHighlightOutOfView();
}

void TricksPage::updatePreviewButton() {
  preview_->setEnabled(!welcomeName_->text().isEmpty() && !welcomeText_->text().isEmpty());
}

void TricksPage::load() {
  welcomeName_->clear();
  welcomeText_->clear();
  RegistryHandle reg(app().registry());
  const auto classes = [&](ClassesTrickId trick) {
    classes_[id(trick)]->setChecked(readClassesTrick(reg, classesTrick(trick)));
  };
  loadWelcome(reg);
  classes(ClassesTrickId::QuickDos);
  classes(ClassesTrickId::EmptyBin);
  classes(ClassesTrickId::ExitWindows);
  classes(ClassesTrickId::ExploreMyComputer);
  loadClock(reg);
  const std::string startMenu = shellFolderPath(app().registry(), "Start Menu");
  for (std::size_t i = 0; i < startMenu_.size(); ++i) {
    startMenu_[i]->setChecked(!startMenu.empty() &&
                              app().files().directoryExists(startMenu + "\\" + startMenuFolders()[i].folder));
  }
  loadTitle(reg);
  bitmaps_->setChecked(loadIconTrick(reg, ".bmp"));
  classes(ClassesTrickId::Attributes);
  iconLibraries_->setChecked(loadIconTrick(reg, ".icl"));
  classes(ClassesTrickId::OpenInNew);
  classes(ClassesTrickId::ScanDisk);
  classes(ClassesTrickId::Defrag);
  classes(ClassesTrickId::CopyTo);
  classes(ClassesTrickId::MoveTo);
  titleEditor_->reset();
  welcomeGroup_->setVisible(welcome_->isChecked());
  updatePreviewButton();
}

void TricksPage::loadWelcome(RegistryHandle& reg) {
  reg.closeKey();
  reg.setRoot(Root::LocalMachine);
  bool ticked = false;
  std::string text;
  std::string caption = kDefaultCaption;
  if (openForRead(reg, kWinlogon)) {
    ticked = reg.valueExists("LegalNoticeText") && reg.valueKind("LegalNoticeText") == ValueKind::String;
    if (ticked) {
      text = reg.readString("LegalNoticeText");
      if (reg.valueExists("LegalNoticeCaption") && reg.valueKind("LegalNoticeCaption") == ValueKind::String)
        caption = reg.readString("LegalNoticeCaption");
    }
  }
  reg.closeKey();
  welcome_->setChecked(ticked);
  welcomeText_->setText(QString::fromStdString(text));
  welcomeName_->setText(QString::fromStdString(caption));
}

void TricksPage::loadClock(RegistryHandle& reg) {
  reg.closeKey();
  reg.setRoot(Root::LocalMachine);
  // Where the key is missing (NT systems) the box keeps its state.
  if (openForRead(reg, kRunServices)) {
    clock_->setChecked(reg.valueExists("DataObokZegarka") &&
                       reg.valueKind("DataObokZegarka") == ValueKind::String);
  }
  reg.closeKey();
}

void TricksPage::loadTitle(RegistryHandle& reg) {
  reg.closeKey();
  reg.setRoot(Root::CurrentUser);
  QString shown = QString::fromUtf8(kPlayer);
  if (openForRead(reg, kPlayerPolicies) && reg.valueExists("TitleBar") &&
      reg.valueKind("TitleBar") == ValueKind::String) {
    shown = QString::fromUtf8(kTitlePrefix) + QString::fromStdString(reg.readString("TitleBar"));
  }
  reg.closeKey();
  title_->setText(shown);
}

bool TricksPage::loadIconTrick(RegistryHandle& reg, const char* extension) {
  reg.closeKey();
  reg.setRoot(Root::ClassesRoot);
  std::string type;
  if (openForRead(reg, extension)) type = guardedReadString(reg, "");
  reg.closeKey();
  if (type.empty()) return false;
  const bool ticked = openForRead(reg, type + "\\DefaultIcon") && guardedReadString(reg, "") == "%1";
  reg.closeKey();
  return ticked;
}

WriteResult TricksPage::apply() {
  RegistryHandle reg(app().registry());
  applyClasses(reg, id(ClassesTrickId::QuickDos));
  applyWelcome(reg);
  applyClasses(reg, id(ClassesTrickId::ExitWindows));
  applyClasses(reg, id(ClassesTrickId::EmptyBin));
  applyClasses(reg, id(ClassesTrickId::ExploreMyComputer));
  applyClock(reg);
  applyStartMenuFolders();
  applyTitle(reg);
  applyBitmapIcons(reg);
  applyClasses(reg, id(ClassesTrickId::Attributes));
  applyClasses(reg, id(ClassesTrickId::OpenInNew));
  applyClasses(reg, id(ClassesTrickId::ScanDisk));
  applyClasses(reg, id(ClassesTrickId::Defrag));
  applyClasses(reg, id(ClassesTrickId::CopyTo));
  applyClasses(reg, id(ClassesTrickId::MoveTo));
  applyIconLibraries(reg);
  return WriteResult::Done;
}

void TricksPage::applyClasses(RegistryHandle& reg, int trick) {
  writeClassesTrick(reg, classesTrick(static_cast<ClassesTrickId>(trick)), classes_.at(trick)->isChecked());
}

void TricksPage::applyWelcome(RegistryHandle& reg) {
  reg.closeKey();
  reg.setRoot(Root::LocalMachine);
  if (welcome_->isChecked()) {
    openForWrite(reg, kWinlogon);
    if (!welcomeName_->text().isEmpty()) {
      reg.writeString("LegalNoticeCaption", welcomeName_->text().toStdString());
    } else {
      app().dialogs().message(kNoCaption);
    }
    if (!welcomeText_->text().isEmpty()) {
      reg.writeString("LegalNoticeText", welcomeText_->text().toStdString());
    } else {
      app().dialogs().message(kNoText);
    }
  } else if (openForRead(reg, kWinlogon)) {
    reg.deleteValue("LegalNoticeCaption");
    reg.deleteValue("LegalNoticeText");
  }
  reg.closeKey();
}

void TricksPage::applyClock(RegistryHandle& reg) {
  const std::string windows = app().windowsDirectory();
  reg.closeKey();
  reg.setRoot(Root::LocalMachine);
  if (clock_->isChecked()) {
    const std::string script = windows + "\\DATA.VBS";
    if (!app().files().writeFile(script, clockScript()))
      throw StoreError("Nie można utworzyć pliku " + script + ".");
    // Opened without creating it: where RunServices is missing the write fails.
    openForRead(reg, kRunServices);
    reg.writeString("DataObokZegarka", windows + "\\wscript.exe" + " " + script);
    reg.closeKey();
    return;
  }
  if (openForRead(reg, kRunServices)) reg.deleteValue("DataObokZegarka");
  reg.closeKey();
  reg.setRoot(Root::CurrentUser);
  if (openForRead(reg, kInternational)) {
    for (const char* name : {"s1159", "s2359", "sTimeFormat"}) reg.deleteValue(name);
  }
  reg.closeKey();
}

void TricksPage::applyStartMenuFolders() {
  const std::string startMenu = shellFolderPath(app().registry(), "Start Menu");
  if (startMenu.empty()) return;
  // Failures are ignored: a folder that holds files stays.
  for (std::size_t i = 0; i < startMenu_.size(); ++i) {
    const std::string folder = startMenu + "\\" + startMenuFolders()[i].folder;
    if (startMenu_[i]->isChecked()) {
      if (!app().files().directoryExists(folder)) app().files().createDirectory(folder);
    } else {
      app().files().removeDirectory(folder);
    }
  }
}

void TricksPage::applyTitle(RegistryHandle& reg) {
  reg.closeKey();
  reg.setRoot(Root::CurrentUser);
  openForWrite(reg, kPlayerPolicies);
  QString text = title_->text();
  if (text != QString::fromUtf8(kPlayer) && !text.isEmpty()) {
    if (text.startsWith(QString::fromUtf8(kTitlePrefix)))
      text.remove(0, QString::fromUtf8(kTitlePrefix).size());
    reg.writeString("TitleBar", text.toStdString());
  } else if (reg.valueKind("TitleBar") == ValueKind::String) {
    reg.deleteValue("TitleBar");
  }
  reg.closeKey();
}

void TricksPage::applyBitmapIcons(RegistryHandle& reg) {
  reg.closeKey();
  reg.setRoot(Root::ClassesRoot);
  openForWrite(reg, ".bmp");
  const std::string type = guardedReadString(reg, "");
  reg.closeKey();
  // Without a type name there is no icon to switch (and no key to make one in).
  if (type.empty()) return;
  openForWrite(reg, type + "\\DefaultIcon");
  const std::string icon = textOf(reg, "");
  if (icon != "%1") reg.writeString("KelvaroBack", icon);
  reg.writeString("", bitmaps_->isChecked() ? std::string("%1") : textOf(reg, "KelvaroBack"));
  reg.closeKey();
}

void TricksPage::applyIconLibraries(RegistryHandle& reg) {
  const std::string shell32 = app().environment().systemDirectory() + "\\shell32.dll,0";
  reg.closeKey();
  reg.setRoot(Root::ClassesRoot);
  std::string type;
  if (openForRead(reg, ".icl")) {
    type = guardedReadString(reg, "");
  } else {
    openForWrite(reg, ".icl");
    reg.writeString("", "ICLfile");
    reg.closeKey();
    openForWrite(reg, "ICLfile");
    reg.writeString("", "Biblioteka Ikon");
    reg.closeKey();
    openForWrite(reg, "ICLfile\\DefaultIcon");
    reg.writeString("", shell32);
    reg.writeString("KelvaroBack", shell32);
    type = "ICLFile";
  }
  reg.closeKey();
  // Opened without creating it: a type without DefaultIcon makes the writes fail.
  if (!type.empty()) openForRead(reg, type + "\\DefaultIcon");
  if (!reg.valueExists("KelvaroBack")) {
    const std::string icon = textOf(reg, "");
    reg.writeString("KelvaroBack",
                    icon != "%1" ? icon : app().environment().systemDirectory() + "\\Shell32.dll,0");
  }
  reg.writeString("", iconLibraries_->isChecked() ? std::string("%1") : textOf(reg, "KelvaroBack"));
  reg.closeKey();
}

}  // namespace kelvaro
