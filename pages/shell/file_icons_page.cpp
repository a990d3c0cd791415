#include "pages/shell/file_icons_page.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "dialogs/icon_picker.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/icons.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr int kSlot = 61;
constexpr char kShellIcons[] = "Software\\Microsoft\\Windows\\CurrentVersion\\explorer\\Shell Icons";
constexpr char kPrompt[] = "Wybierz odpowiedni typ pliku podając rozszerzenie lub opis";

struct Marker {
  const char* marker;
  const char* entry;
  const char* value;  // the Shell Icons value, also the shell library's icon index by default
};

constexpr std::array<Marker, 3> kMarkers{{
    {"!", "- Domyślny dokument", "1"},
    {"@", "- Domyślna ikona pliku niezarejestrowanego", "0"},
    {"#", "- Domyślna ikona apliacji DOS-owej", "2"},
}};

std::string iconMessage(const std::string& extension) {
  const std::string ext = "\"" + extension + "\"";
  return "Ikonę wybranego typu plików można zmienić, ale zalecam nie wprowadzać zmian dotyczących plików "
         "typu " +
         ext + ", ponieważ ikona tego pliku przyjmuje różny wygląd w zależności od posiadanego pliku " + ext +
         ". Jeżeli zmienisz ikonę tego typu plików wówczas wszystkie pliki z rozszerzeniem " + ext +
         " będą miały jednakową ikonę. To tak, jakby plikom ikon nadać jedną stałą ikonę. Wówczas nie "
         "widzimy, co "
         "w rzeczywistości przedstawia dana ikona.";
}

}  // namespace

FileIconsPage::FileIconsPage(AppContext& app, const PageInfo& info, QWidget* parent)
    : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  auto* instruction = new QLabel(
      QStringLiteral(
          "Podaj typ pliku, w jakim chcesz zmienić ikonę.\r\nMusisz podać tylko samo rozszerzenie np: "
          "BMP,GIF a nie np: *.GIF lub .GIF"),
      this);
  instruction->setObjectName("plikiInstrukcja");
  instruction->setWordWrap(true);
  layout->addWidget(instruction);

  auto* grid = new QGridLayout;
  auto* extensionLabel = new QLabel(QStringLiteral("Rozszerzenie"), this);
  extensionLabel->setObjectName("plikiRozszerzenieLabel");
  extension_ = new QLineEdit(this);
  extension_->setObjectName("plikiRozszerzenie");
  extension_->setToolTip(QStringLiteral("Podaj rozszerzenie dowolnego pliku"));
  extension_->setMaximumWidth(120);
  extensionLabel->setBuddy(extension_);
  grid->addWidget(extensionLabel, 0, 0);
  grid->addWidget(extension_, 1, 0);

  auto* selectorLabel = new QLabel(QStringLiteral("Opisy plików (zarejstrowane w twoim komputerze)"), this);
  selectorLabel->setObjectName("plikiOpisyLabel");
  selector_ = new QComboBox(this);
  selector_->setObjectName("plikiOpisy");
  selector_->setEditable(true);
  selector_->setInsertPolicy(QComboBox::NoInsert);
  selector_->setToolTip(QStringLiteral("Opis wybranego pliku"));
  selector_->setMaxVisibleItems(20);
  selectorLabel->setBuddy(selector_);
  selector_->lineEdit()->setObjectName("plikiOpisyTekst");
  selector_->lineEdit()->setAccessibleName(selectorLabel->text());
  grid->addWidget(selectorLabel, 0, 1);
  grid->addWidget(selector_, 1, 1);
  grid->setColumnStretch(1, 1);
  layout->addLayout(grid);

  auto* previewRow = new QHBoxLayout;
  auto* previewLabel = new QLabel(QStringLiteral("Podgląd aktualnej ikony"), this);
  previewLabel->setObjectName("plikiPodgladLabel");
  preview_ = new QLabel(this);
  preview_->setObjectName("plikiPodglad");
  preview_->setFixedSize(32, 32);
  preview_->setToolTip(QStringLiteral("Ikona wybranego typu plików"));
  preview_->setAccessibleName(QStringLiteral("Ikona wybranego typu plików"));
  preview_->setMouseTracking(true);
  preview_->installEventFilter(this);
  change_ = hintedButton(QStringLiteral("Zmień"), QStringLiteral("Zmień ikonę wybranego typ pliku"),
                         "plikiZmien", this);
  change_->setEnabled(false);
  previewRow->addWidget(previewLabel);
  previewRow->addWidget(preview_);
  previewRow->addWidget(change_);
  previewRow->addStretch(1);
  layout->addLayout(previewRow);
  layout->addStretch(1);

  auto* applyButton = new QPushButton(QStringLiteral("Zastosuj"), this);
  applyButton->setObjectName("plikiZastosuj");
  layout->addWidget(applyButton, 0, Qt::AlignRight);
  apply_ = &addApplyCommand(applyButton, {.setsRestartNeeded = true}, [this] { return apply(); });

  connect(extension_, &QLineEdit::textChanged, this, [this] { this->run([this] { extensionChanged(); }); });
  connect(selector_, &QComboBox::activated, this, [this](int index) { chooseEntry(index); });
  connect(selector_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { typedInSelector(text); });
  connect(change_, &QPushButton::clicked, this, [this] { this->app().iconPicker().open(kSlot, window()); });

  app.iconSlots().add(this, {kSlot}, [this](int, const IconChoice& choice) { receive(choice); });
  // Each load of the file types page empties the selector and fills it anew.
  app.frame().watchTypeList([page = QPointer<FileIconsPage>(this)] {
    if (page) page->fillSelector();
  });
}

bool FileIconsPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == preview_ && (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)) {
    preview_->setToolTip(QStringLiteral("Ikony pliku ") + extension_->text());
  }
  return Page::eventFilter(watched, event);
}

void FileIconsPage::fillSelector() {
  // The file types page's list, in its order, after the three markers.
  types_ = app().frame().views().typeList();
  QStringList entries;
  entries.reserve(static_cast<qsizetype>(kMarkers.size() + types_.size()));
  for (const Marker& m : kMarkers) entries.append(QString::fromUtf8(m.entry));
  for (const FileTypeEntry& type : types_) entries.append(QString::fromStdString(type.description));
  const QSignalBlocker blocker(selector_);
  selector_->clear();
  selector_->addItems(entries);
  selector_->setEditText(QString::fromUtf8(kPrompt));
}

void FileIconsPage::load() {
  fillSelector();
  {
    // Emptied here, and the change rule run once by the loader itself.
    const QSignalBlocker blocker(extension_);
    extension_->clear();
  }
  extensionChanged();
  selector_->setEditText(QString::fromUtf8(kPrompt));
  change_->setEnabled(false);
  setPreview({});
}

void FileIconsPage::setPreview(const QImage& icon) {
  if (icon.isNull()) {
    preview_->clear();
  } else {
    preview_->setPixmap(QPixmap::fromImage(icon));
  }
}

void FileIconsPage::chooseEntry(int index) {
  if (index < 0) return;
  if (index < static_cast<int>(kMarkers.size())) {
    extension_->setText(QString::fromLatin1(kMarkers[static_cast<std::size_t>(index)].marker));
    return;
  }
  const std::size_t type = static_cast<std::size_t>(index) - kMarkers.size();
  if (type >= types_.size()) return;
  extension_->setText(QString::fromStdString(types_[type].extension));
}

void FileIconsPage::typedInSelector(const QString& text) {
  const int index = selector_->findText(text, Qt::MatchExactly);
  if (index >= 0) {
    chooseEntry(index);
    return;
  }
  // Not one of the entries: the page starts over, the prompt shown again
  // once the emptied field has cleared the selector's text.
  extension_->clear();
  setPreview({});
  location_.clear();
  typeName_.clear();
  apply_->setPending(false);
  change_->setEnabled(false);
  selector_->setEditText(QString::fromUtf8(kPrompt));
}

void FileIconsPage::extensionChanged() {
  setPreview({});
  location_.clear();
  typeName_.clear();
  selector_->setEditText({});
  apply_->setPending(false);
  change_->setEnabled(false);
  marker_ = -1;
  const std::string text = extension_->text().toStdString();
  for (std::size_t m = 0; m < kMarkers.size(); ++m) {
    if (text == kMarkers[m].marker) {
      showMarker(static_cast<int>(m));
      return;
    }
  }
  extension_->setVisible(true);
  extension_->setEnabled(true);
  if (!text.empty()) showExtension(text);
}

void FileIconsPage::showMarker(int marker) {
  const Marker& m = kMarkers[static_cast<std::size_t>(marker)];
  marker_ = marker;
  selector_->setEditText(QString::fromUtf8(m.entry));
  extension_->setVisible(false);
  extension_->setEnabled(false);
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::LocalMachine);
  openForWrite(reg, kShellIcons);
  if (reg.valueExists(m.value)) {
    location_ = reg.readString(m.value);
  } else {
    // The shell library's own icon for it.
    const std::string windows = app().environment().windowsDirectory();
    std::string library;
    for (const char* relative : {"\\System32\\Shell32.dll", "\\System\\Shell32.dll"}) {
      if (app().files().fileExists(windows + relative)) {
        library = windows + relative;
        break;
      }
    }
    location_ = library + "," + m.value;
  }
  setPreview(location_.empty() ? app().icons().genericIcon() : app().icons().displayIcon(location_));
  change_->setEnabled(true);
}

void FileIconsPage::showExtension(const std::string& extension) {
  RegistryHandle reg(app().registry());
  reg.setRoot(Root::ClassesRoot);
  if (!reg.openKey("\\." + extension, false)) return;
  typeName_ = reg.readString("");
  reg.closeKey();
  if (typeName_.empty() || !reg.openKey("\\" + typeName_, false)) return;
  selector_->setEditText(QString::fromStdString(reg.readString("")));
  reg.closeKey();
  if (reg.openKey("\\" + typeName_ + "\\DefaultIcon", false)) location_ = reg.readString("");
  if (location_.empty()) return;
  if (location_ == "%1" || location_ == "\"%1\"") {
    app().dialogs().message(iconMessage(extension));
    setPreview(app().icons().genericIcon());
    return;
  }
  setPreview(app().icons().fileTypeIcon(extension).large);
  change_->setEnabled(true);
}

void FileIconsPage::receive(const IconChoice& choice) {
  location_ = choice.location;
  setPreview(choice.icon);
  if (isVisible()) apply_->markPending();
}

WriteResult FileIconsPage::apply() {
  if (!change_->isEnabled()) return WriteResult::Done;
  RegistryHandle reg(app().registry());
  if (marker_ >= 0) {
    reg.setRoot(Root::LocalMachine);
    openForWrite(reg, kShellIcons);
    reg.writeString(kMarkers[static_cast<std::size_t>(marker_)].value, location_);
  } else {
    reg.setRoot(Root::ClassesRoot);
    reg.openKey("\\" + typeName_ + "\\DefaultIcon", false);
    reg.writeString("", location_);
  }
  return WriteResult::Done;
}

}  // namespace kelvaro
