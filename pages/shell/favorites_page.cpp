#include "pages/shell/favorites_page.h"

#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "pages/derived_name.h"
#include "pages/shell/dos_folder_tree.h"
#include "pages/shell/folder_entries.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/shell_links.h"

namespace kelvaro {
namespace {

constexpr char kTreeHint[] = "Lista plików i folderów w menu \"Ulubione\"";
constexpr char kDefaultRoot[] = "C:\\Windows\\Ulubione";

QString qt(const std::string& text) { return QString::fromStdString(text); }
bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

QFrame* panelFrame(QWidget* parent, const char* name) {
  auto* frame = new QFrame(parent);
  frame->setObjectName(name);
  frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame->hide();
  return frame;
}

QLineEdit* field(const QString& hint, const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setToolTip(hint);
  return edit;
}

QLabel* captionFor(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string withSlash(const std::string& folder) { return folder.ends_with('\\') ? folder : folder + "\\"; }

}  // namespace

FavoritesPage::FavoritesPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  auto* heading = new QLabel(QStringLiteral("Lista plików i folderów w menu \"Ulubione\""), this);
  heading->setObjectName("UlubioneHeading");
  layout->addWidget(heading, 0, 0, 1, 2);
  tree_ = new DosFolderTree(app.files(), {.showFiles = true, .skipHidden = false}, this);
  tree_->setObjectName("UlubioneTree");
  tree_->setToolTip(QString::fromUtf8(kTreeHint));
  tree_->setAccessibleDescription(tree_->toolTip());
  tree_->setAccessibleName(heading->text());
  tree_->nameScrollBars();
  tree_->installEventFilter(this);
  heading->setBuddy(tree_);
  layout->addWidget(tree_, 1, 0);

  auto* side = new QVBoxLayout;
  addButton_ = hintedButton(QStringLiteral("Dodaj do ulubionych..."),
                            QStringLiteral("Dodaj nowy skrót do menu \"Ulubione\""), "UlubioneAdd", this);
  removeFile_ =
      hintedButton(QStringLiteral("Usuń skrót"), QStringLiteral("Usuń wybrany skrót z menu \"Ulubione\""),
                   "UlubioneRemoveFile", this);
  renameButton_ = hintedButton(QStringLiteral("Zmień nazwę"),
                               QStringLiteral("Zmień nazwę wybranemu skrótowi"), "UlubioneRename", this);
  removeFolder_ =
      hintedButton(QStringLiteral("Usuń folder"), QStringLiteral("Usuń wskazany folder z menu \"Ulubione\""),
                   "UlubioneRemoveFolder", this);
  moveButton_ = hintedButton(QStringLiteral("Przenieś do folderu ...."),
                             QStringLiteral("Przenieś wybrany plik do folderu ..."), "UlubioneMove", this);
  newFolder_ =
      hintedButton(QStringLiteral("Dodaj folder"), QStringLiteral("Dodaj nowy folder do menu \"Ulubione\""),
                   "UlubioneNewFolder", this);
  auto* commands = new QGridLayout;
  QPushButton* const order[] = {addButton_,    removeFile_, renameButton_,
                                removeFolder_, moveButton_, newFolder_};
  for (int i = 0; i < 6; ++i) commands->addWidget(order[i], i / 2, i % 2);
  side->addLayout(commands);

  // Rename.
  rename_.frame = panelFrame(this, "UlubioneRenamePanel");
  {
    auto* grid = new QGridLayout(rename_.frame);
    rename_.name = field(QStringLiteral("W to pole podajesz nową nazwę"), "UlubioneNewName", rename_.frame);
    rename_.ok = hintedButton(QStringLiteral("OK"), QStringLiteral("Wprowadź nową nazwę"), "UlubioneRenameOk",
                              rename_.frame);
    rename_.cancel = hintedButton(QStringLiteral("Anuluj"), QStringLiteral("Nie zmieniaj nazwy"),
                                  "UlubioneRenameCancel", rename_.frame);
    grid->addWidget(captionFor(QStringLiteral("Podaj nową nazwę:"), rename_.name, rename_.frame), 0, 0, 1, 3);
    grid->addWidget(rename_.name, 1, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->addWidget(rename_.ok, 2, 1);
    grid->addWidget(rename_.cancel, 2, 2);
    side->addWidget(rename_.frame);
  }
  // New folder.
  folder_.frame = panelFrame(this, "UlubioneFolderPanel");
  {
    auto* grid = new QGridLayout(folder_.frame);
    folder_.location = new QLabel(folder_.frame);
    folder_.location->setObjectName("UlubioneFolderLocation");
    folder_.location->setToolTip(QStringLiteral("Ścieżka w której zostanie utworzony nowy folder"));
    folder_.location->setWordWrap(true);
    folder_.name =
        field(QStringLiteral("W to pole wpisz nazwę nowego folderu"), "UlubioneFolderName", folder_.frame);
    folder_.ok = hintedButton(QStringLiteral("OK"), QStringLiteral("Utwórz nowy folder"), "UlubioneFolderOk",
                              folder_.frame);
    folder_.cancel =
        hintedButton(QStringLiteral("Anuluj"), QStringLiteral("Przerwij tworzenie nowego folderu"),
                     "UlubioneFolderCancel", folder_.frame);
    grid->addWidget(captionFor(QStringLiteral(" Nowy folder zostanie utworzony w następującym miejscu: "),
                               folder_.location, folder_.frame),
                    0, 0, 1, 3);
    grid->addWidget(folder_.location, 1, 0, 1, 3);
    grid->addWidget(captionFor(QStringLiteral("Podaj nazwę nowego folderu:"), folder_.name, folder_.frame), 2,
                    0, 1, 3);
    grid->addWidget(folder_.name, 3, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->addWidget(folder_.ok, 4, 1);
    grid->addWidget(folder_.cancel, 4, 2);
    side->addWidget(folder_.frame);
  }
  // Move.
  move_.frame = panelFrame(this, "UlubioneMovePanel");
  {
    auto* grid = new QGridLayout(move_.frame);
    move_.source = new QLabel(move_.frame);
    move_.source->setObjectName("UlubioneMoveSource");
    move_.source->setToolTip(QStringLiteral("Przenosozny plik"));
    move_.destination = new QLabel(move_.frame);
    move_.destination->setObjectName("UlubioneMoveDestination");
    move_.destination->setToolTip(QStringLiteral("Miejsce przeniesienia"));
    move_.tree = new DosFolderTree(app.files(), {}, move_.frame);
    move_.tree->setObjectName("UlubioneMoveTree");
    move_.tree->setToolTip(QStringLiteral("Wksarz folder, do którego zamierzasz przensść wybrany plik"));
    move_.tree->setAccessibleDescription(move_.tree->toolTip());
    move_.tree->setAccessibleName(QStringLiteral("Do folderu:"));
    move_.tree->nameScrollBars();
    move_.tree->installEventFilter(this);
    move_.ok = hintedButton(QStringLiteral("OK"), QStringLiteral("Przenieś wskazany plik"), "UlubioneMoveOk",
                            move_.frame);
    move_.cancel = hintedButton(QStringLiteral("Anuluj"), QStringLiteral("Przerwij przenoszenie"),
                                "UlubioneMoveCancel", move_.frame);
    grid->addWidget(captionFor(QStringLiteral("Przenieś plik:"), move_.source, move_.frame), 0, 0);
    grid->addWidget(move_.source, 0, 1, 1, 2);
    grid->addWidget(captionFor(QStringLiteral("Do folderu:"), move_.destination, move_.frame), 1, 0);
    grid->addWidget(move_.destination, 1, 1, 1, 2);
    grid->addWidget(move_.tree, 2, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->addWidget(move_.ok, 3, 1);
    grid->addWidget(move_.cancel, 3, 2);
    side->addWidget(move_.frame);
  }
  // Add.
  add_.frame = panelFrame(this, "UlubioneAddPanel");
  {
    auto* grid = new QGridLayout(add_.frame);
    add_.toFile = new QRadioButton(QStringLiteral("skrót do pliku..."), add_.frame);
    add_.toFile->setObjectName("UlubioneToFile");
    add_.toFile->setToolTip(QStringLiteral("kliknij, aby utworzyć skrót do dowolnego pliku"));
    add_.toFile->setChecked(true);
    add_.toWeb = new QRadioButton(QStringLiteral("skrót do strony sieci WEB"), add_.frame);
    add_.toWeb->setObjectName("UlubioneToWeb");
    add_.toWeb->setToolTip(QStringLiteral("kliknij, aby utworzyć skrót do dowolnej strony sieci WEB"));
    add_.file = field(QStringLiteral("Tu podaj ścieżkę dostępu do pliku"), "UlubioneAddFile", add_.frame);
    add_.file->setAccessibleName(QStringLiteral("Wskaż plik"));
    add_.chooser =
        hintedButton(QStringLiteral("..."), QStringLiteral("Wybierz plik"), "UlubioneAddChooser", add_.frame);
    add_.chooser->setAccessibleName(add_.chooser->toolTip());
    add_.name = field(QStringLiteral("Tu podaj nazwę jaka będzie widniała w menu \"Ulubione\""),
                      "UlubioneAddName", add_.frame);
    add_.tree = new DosFolderTree(app.files(), {}, add_.frame);
    add_.tree->setObjectName("UlubioneAddTree");
    add_.tree->setAccessibleName(QStringLiteral("Skrót umieść w folderze"));
    add_.tree->nameScrollBars();
    add_.ok = hintedButton(QStringLiteral("OK"), QStringLiteral("Dodaj nowy plik do menu \"Ulubione\""),
                           "UlubioneAddOk", add_.frame);
    add_.cancel = hintedButton(QStringLiteral("Anuluj"), QStringLiteral("Przerwij dodawanie nowego pliku"),
                               "UlubioneAddCancel", add_.frame);
    grid->addWidget(captionFor(QStringLiteral("Wskaż plik"), add_.file, add_.frame), 0, 0, 1, 3);
    grid->addWidget(add_.toFile, 1, 0, 1, 3);
    grid->addWidget(add_.toWeb, 2, 0, 1, 3);
    grid->addWidget(add_.file, 3, 0, 1, 2);
    grid->addWidget(add_.chooser, 3, 2);
    grid->addWidget(captionFor(QStringLiteral("Nazwa w menu \"Ulubione\""), add_.name, add_.frame), 4, 0, 1,
                    3);
    grid->addWidget(add_.name, 5, 0, 1, 3);
    grid->addWidget(captionFor(QStringLiteral("Skrót umieść w folderze"), add_.tree, add_.frame), 6, 0, 1, 3);
    grid->addWidget(add_.tree, 7, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->addWidget(add_.ok, 8, 1);
    grid->addWidget(add_.cancel, 8, 2);
    side->addWidget(add_.frame);
    for (QWidget* w :
         std::initializer_list<QWidget*>{add_.toFile, add_.toWeb, add_.file, add_.name, add_.tree})
      w->installEventFilter(this);
  }
  side->addStretch(1);
  layout->addLayout(side, 1, 1);
  layout->setColumnStretch(0, 1);
  layout->setColumnMinimumWidth(1, 300);

  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &FavoritesPage::selectionChanged);
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (this->app().files().fileExists(selected_) && renameButton_->isEnabled()) startRename();
  });
  connect(addButton_, &QPushButton::clicked, this, &FavoritesPage::startAdd);
  connect(removeFile_, &QPushButton::clicked, this, &FavoritesPage::removeFile);
  connect(renameButton_, &QPushButton::clicked, this, &FavoritesPage::startRename);
  connect(removeFolder_, &QPushButton::clicked, this, &FavoritesPage::removeFolder);
  connect(moveButton_, &QPushButton::clicked, this, &FavoritesPage::startMove);
  connect(newFolder_, &QPushButton::clicked, this, &FavoritesPage::startNewFolder);

  rename_.name->installEventFilter(this);
  connect(rename_.name, &QLineEdit::textChanged, this,
          [this] { rename_.ok->setEnabled(!rename_.name->text().isEmpty()); });
  connect(rename_.ok, &QPushButton::clicked, this, &FavoritesPage::confirmRename);
  connect(rename_.cancel, &QPushButton::clicked, this, &FavoritesPage::reloadPage);

  folder_.name->installEventFilter(this);
  connect(folder_.name, &QLineEdit::textChanged, this,
          [this] { folder_.ok->setEnabled(!folder_.name->text().isEmpty()); });
  connect(folder_.ok, &QPushButton::clicked, this, &FavoritesPage::confirmNewFolder);
  connect(folder_.cancel, &QPushButton::clicked, this, &FavoritesPage::reloadPage);

  connect(move_.tree, &QTreeWidget::itemSelectionChanged, this, [this] {
    const std::string destination = move_.tree->selectedPath();
    if (destination.empty()) return;
    move_.destination->setText(qt(withSlash(destination)));
    move_.ok->setEnabled(true);
  });
  connect(move_.ok, &QPushButton::clicked, this, &FavoritesPage::confirmMove);
  connect(move_.cancel, &QPushButton::clicked, this, &FavoritesPage::reloadPage);

  connect(add_.toWeb, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    this->app().dialogs().message(
        "Niestety, narazie nie wiem jak zrobić skrót do strony WWW. Jak tylko się tego dowiem to odblokuję "
        "tę "
        "opcję");
    add_.toFile->setChecked(true);
  });
  connect(add_.chooser, &QPushButton::clicked, this, &FavoritesPage::chooseFile);
  connect(add_.file, &QLineEdit::textChanged, this, &FavoritesPage::updateAddOk);
  connect(add_.name, &QLineEdit::textChanged, this, &FavoritesPage::updateAddOk);
  connect(add_.tree, &QTreeWidget::itemSelectionChanged, this, &FavoritesPage::updateAddOk);
  connect(add_.ok, &QPushButton::clicked, this, &FavoritesPage::confirmAdd);
  connect(add_.cancel, &QPushButton::clicked, this, &FavoritesPage::reloadPage);

  // A step in progress whose OK can be pressed is an unapplied change.
  for (auto [frame, ok] : {std::pair{rename_.frame, rename_.ok}, std::pair{folder_.frame, folder_.ok},
                           std::pair{move_.frame, move_.ok}, std::pair{add_.frame, add_.ok}}) {
    addPendingMarker([this, frame, ok] { return frame->isVisibleTo(this) && ok->isEnabled(); });
  }
}

void FavoritesPage::refreshTree(DosFolderTree* tree, bool showFilesRoot) {
  const std::set<std::string> opened = tree->openedPaths();
  tree->setRoots({{QStringLiteral("ULUBIONE"), root_}});
  tree->openItem(tree->topLevelItem(0));
  tree->openPaths(opened);
  if (showFilesRoot) tree->topLevelItem(0)->setSelected(true);
}

void FavoritesPage::load() {
  tree_->setEnabled(true);
  const std::string label = app().frame().views().shellFolderLabel("Ulubione").value_or("");
  root_ = !label.empty() && app().files().directoryExists(label) ? label : std::string(kDefaultRoot);
  selected_ = root_;
  addButton_->setEnabled(true);
  newFolder_->setEnabled(true);
  setSelectionCommands(false, false, false, false);
  for (QFrame* frame : {rename_.frame, folder_.frame, move_.frame, add_.frame}) frame->hide();
  rename_.name->clear();
  folder_.name->clear();
  refreshTree(tree_, true);
}

void FavoritesPage::setSelectionCommands(bool removeFile, bool rename, bool removeFolder, bool move) {
  removeFile_->setEnabled(removeFile);
  renameButton_->setEnabled(rename);
  removeFolder_->setEnabled(removeFolder);
  moveButton_->setEnabled(move);
}

void FavoritesPage::selectionChanged() {
  const std::string path = tree_->selectedPath();
  if (path.empty()) return;
  selected_ = path;
  FileSystem& files = app().files();
  if (QString::compare(qt(selected_), qt(root_ + "\\Desktop.ini"), Qt::CaseInsensitive) == 0) {
    setSelectionCommands(false, false, false, false);
  } else if (files.fileExists(selected_)) {
    setSelectionCommands(true, true, false, true);
  } else if (selected_ == root_) {
    setSelectionCommands(false, false, false, false);
  } else if (files.directoryExists(selected_)) {
    setSelectionCommands(false, false, true, false);
  }
}

void FavoritesPage::lockForPanel() {
  setSelectionCommands(false, false, false, false);
  addButton_->setEnabled(false);
  newFolder_->setEnabled(false);
  tree_->setEnabled(false);
}

void FavoritesPage::removeFile() {
  if (!app().files().deleteFile(selected_)) {
    app().dialogs().message(
        "Nie mogę usunąć tego pliku.\rSprawdź, czy dysk nie jest zabezpieczony przed usuwaniem, lub czy nie "
        "masz "
        "wystarczających uprawnień do usunięcia tego pliku !!!");
  }
  reloadPage();
}

void FavoritesPage::removeFolder() {
  // Never the root itself, and never through a link out of the tree.
  if (selected_ != root_) app().files().deleteTree(selected_);
  reloadPage();
}

void FavoritesPage::startRename() {
  lockForPanel();
  rename_.folder = folderOf(selected_);
  const std::string name = fileNameOf(selected_);
  rename_.extension = extensionOf(name);
  rename_.name->setText(qt(withoutExtension(name)));
  rename_.frame->show();
  rename_.name->setFocus();
}

void FavoritesPage::confirmRename() {
  const std::string newName = rename_.name->text().toStdString() + rename_.extension;
  if (!isPlainEntryName(newName) || !app().files().renameFile(selected_, rename_.folder + newName)) {
    app().dialogs().message(
        "Nie mogę zmienić nazwy tego pliku.\rSprawdź, czy dysk nie jest zabezpieczony przed zapisem, lub czy "
        "nie "
        "masz wystarczających uprawnień do zmiany nazwy tego pliku !!!\rBłąd może być także spowodowany "
        "poprzez "
        "podanie nieprawidłowej nazwy pliku. Sprawdź, czy w podanej nazwie nie używasz przypadkiem znaków, "
        "które "
        "nie mogą występować w nazwie pliku a są nimi \\ / : * ? \" < > |.");
  }
  reloadPage();
}

void FavoritesPage::startNewFolder() {
  lockForPanel();
  const std::string location = app().files().fileExists(selected_) ? folderOf(selected_) : selected_ + "\\";
  folder_.location->setText(qt(location));
  folder_.name->setText(QStringLiteral("Nowy folder"));
  folder_.frame->show();
  folder_.name->setFocus();
}

void FavoritesPage::confirmNewFolder() {
  const std::string name = folder_.name->text().toStdString();
  const std::string location = folder_.location->text().toStdString();
  if (!isPlainEntryName(name) || !app().files().createDirectory(location + name)) {
    app().dialogs().message(
        "Nie mogę utworzyć nowego folderu.\rSprawdź, czy dysk nie jest zabezpieczony przed zapisem, lub czy "
        "nie "
        "masz wystarczających uprawnień do tworzenia tego folderu !!!\rBłąd może być także spowodowany "
        "poprzez "
        "podanie nieprawidłowej nazwy folderu. Sprawdź, czy w podanej nazwie nie używasz przypadkiem znaków, "
        "które "
        "nie mogą występować w nazwach folderów a są nimi \\ / : * ? \" < > |. Upewnij się także, czy we "
        "wskazanym miejscu nie istnieje już folder o takiej samej nazwie.");
  }
  reloadPage();
}

void FavoritesPage::startMove() {
  lockForPanel();
  move_.source->setText(qt(selected_));
  move_.destination->clear();
  move_.ok->setEnabled(false);
  refreshTree(move_.tree, false);
  move_.frame->show();
  move_.tree->setFocus();
}

void FavoritesPage::confirmMove() {
  const std::string source = move_.source->text().toStdString();
  const std::string target = move_.destination->text().toStdString() + fileNameOf(source);
  if (QString::compare(qt(target), qt(source), Qt::CaseInsensitive) == 0) {
    app().dialogs().message(
        "Nie mogę przenieść wskazanego pliku do wskazanego folderu, ponieważ we wskazanym folderze istnieje "
        "już "
        "taki sam plik.\rMusisz najpierw zmienić nazwę wskazanemu plikowi, a dopiero później przenosić");
  } else if (!app().files().moveFile(source, target)) {
    app().dialogs().message(
        "Nie mogę przenieść wybranego pliku.\rSprawdź, czy dysk nie jest zabezpieczony przed zapisem, lub "
        "czy nie "
        "masz wystarczających uprawnień do przenoszenia plików. Upewnij się także, czy we wskazanym folderze "
        "nie "
        "istnieje już plik o takiej samej nazwie.");
  }
  reloadPage();
}

void FavoritesPage::startAdd() {
  lockForPanel();
  refreshTree(add_.tree, false);
  updateAddOk();
  add_.frame->show();
  add_.chooser->setFocus();
  if (add_.file->text().isEmpty()) chooseFile();
}

void FavoritesPage::chooseFile() {
  const auto chosen = app().dialogs().openFile({.title = "Wibierz program",
                                                .filter = "Wszystkie pliki (*.*)|*.*",
                                                .initialFolder = "C:\\",
                                                .defaultExtension = {},
                                                .mustExist = true});
  if (chosen && !chosen->empty()) {
    add_.file->setText(qt(*chosen));
    add_.name->setText(qt(derivedName(*chosen)));
  }
  add_.name->setFocus();
}

void FavoritesPage::updateAddOk() {
  // A shortcut needs a file to lead to as well as a name and a folder.
  add_.ok->setEnabled(!add_.tree->selectedPath().empty() && !add_.name->text().isEmpty() &&
                      !add_.file->text().isEmpty());
}

void FavoritesPage::confirmAdd() {
  const std::string file = add_.file->text().toStdString();
  const std::string name = add_.name->text().toStdString() + ".lnk";
  const std::string folder = add_.tree->selectedPath();
  bool saved = false;
  if (isPlainEntryName(name)) {
    if (const auto host = app().files().hostPath(withSlash(folder) + name)) {
      ShellLink link;
      link.target = file;
      link.workingDirectory = programFolder(file);
      try {
        app().shellLinks().create(*host, link);
        saved = true;
      } catch (const ShellLinkError&) {
      }
    }
  }
  if (!saved) {
    // The panel stays open with what was typed, so the name can be mended.
    app().dialogs().message(
        "Nie mogę dodać skrótu do menu \"Ulubione\".\rSprawdź, czy dysk nie jest zabezpieczony przed zapisem "
        "i czy "
        "w podanej nazwie nie używasz znaków, które nie mogą występować w nazwie pliku a są nimi \\ / : * ? "
        "\" < > "
        "|.");
    return;
  }
  add_.file->clear();
  add_.name->clear();
  add_.ok->setEnabled(false);
  reloadPage();
}

bool FavoritesPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return Page::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (watched == tree_) {
    if (key == Qt::Key_Delete) {
      if (removeFile_->isEnabled()) removeFile();
      return true;
    }
    if (isEnter(key)) {
      if (addButton_->isEnabled()) startAdd();
      return true;
    }
    return Page::eventFilter(watched, event);
  }
  struct Step {
    QObject* control;
    QPushButton* ok;
  };
  const Step steps[] = {{rename_.name, rename_.ok}, {folder_.name, folder_.ok}, {move_.tree, move_.ok},
                        {add_.toFile, add_.ok},     {add_.toWeb, add_.ok},      {add_.file, add_.ok},
                        {add_.name, add_.ok},       {add_.tree, add_.ok}};
  for (const Step& step : steps) {
    if (watched != step.control) continue;
    if (key == Qt::Key_Escape) {
      reloadPage();
      return true;
    }
    if (isEnter(key)) {
      if (step.ok->isEnabled()) step.ok->click();
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
