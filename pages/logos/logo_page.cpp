#include "pages/logos/logo_page.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

#include "dialogs/tpodglad.h"
#include "pages/logos/windows_information.h"
#include "pages/widgets/clickable_label.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/formats/bmp_writer.h"
#include "platform/formats/format_error.h"

namespace kelvaro {
namespace {

struct SlotSpec {
  const char* image;  // component name
  const char* hint;
  const char* caption;
  const char* pickerTitle;
  const char* previewTitle;
  const char* formatMessage;
};

constexpr std::array<SlotSpec, kLogoSlotCount> kSlots{{
    {"LogoWin", "LOGO wyświetlane podczas ładowania Windows`a", "podczas ładowania Windows",
     "LOGO podczas ładowania Windows`a", "Podgląd LOGO podczas ładowania Windows`a",
     "Format wybranego pliku jest nieprawidłowy. Aby zmienić logo wyświetlane podczas startowania Windows-a "
     "plik "
     "musi być w formacie BMP. Wybierz inny plik, lub sprawdź czy wybrany plik istnieje."},
    {"logow", "LOGO wyświetlane podczas zamykania Windows`a", "podczas zamykania Windows`a",
     "LOGO podczas zamykania Windows`a", "Podgląd LOGO podczas zamykania Windows`a",
     "Format wybranego pliku jest nieprawidłowy. Aby zmienić logo wyświetlane podczas zamykania Windows-a "
     "plik "
     "musi być w formacie BMP. Wybierz inny plik, lub sprawdź czy wybrany plik istnieje."},
    {"logos", "LOGO wyświetlane gdy możesz bezpiecznie wyłączyć komputer", "kiedy możesz wył. komp.",
     "LOGO kiedy możesz bezp. wył. komp.", "Podgląd LOGO kiedy możesz bezpiecznie wyłączyć komputer",
     "Format wybranego pliku jest nieprawidłowy. Aby zmienić logo wyświetlane wtedy, gdy możesz bezpiecznie "
     "już "
     "wyłączyć komputer plik musi być w formacie BMP. Wybierz inny plik, lub sprawdź czy wybrany plik "
     "istnieje."},
}};

constexpr LogoSlot kAllSlots[] = {LogoSlot::Start, LogoSlot::ShutDown, LogoSlot::SwitchOff};

constexpr char kNote[] =
    "Możesz wprawdzie wybrać sobie dowolne logo spośród wszystkich bitmap na dysku, ale powinieneś wiedzieć, "
    "że "
    "bitmapy na logo mają określone wymiary i są zapisane w 16 kolorach. Wymiary loga to 320x400. Jeżeli "
    "wybrane "
    "przez ciebie rysunki nie będą spełniały tych wymagań to wogóle nie zostaną wyświetlone, dla tego "
    "zalecam "
    "wybrać Ci coś spośród rysunków przygotowanych przezemnie. Loga zostały pogrupowane, tak że wybierając "
    "jedno z "
    "trzech wyświetla ci się lista wszystkich dostępnych plików dla danego typu. Jeżeli nie będziesz "
    "wiedział, "
    "które wybrać możesz także skorzystać z zestawów przygotowanych przezemnie";
constexpr char kHelpSlots[] = "Kliknij dwukrotnie na logo, które chcesz zmienić.";
constexpr char kHelpSchemes[] = "Kliknij na wybrany schemat, aby go załadować.";
constexpr char kMissingFiles[] =
    "Nie można załadować wszystkich plików wybranego schematu. Sprawdź, czy w folderze Logo programu są "
    "pliki "
    "tego schematu.";

// Where the slots stand on the page.
constexpr int kImageTop = 48;
constexpr int kImageWidth = 150;
constexpr int kImageHeight = 188;
constexpr std::array<int, kLogoSlotCount> kImageLeft{24, 222, 420};

bool hasBmpExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  return QString::fromStdString(path.substr(dot)).toUpper() == ".BMP";
}

// The depths a BMP can be written with; what the picture was stored with when
// it is one of them.
int writableDepth(int bitsPerPixel) {
  for (int depth : {1, 4, 8, 16, 24, 32}) {
    if (bitsPerPixel == depth) return depth;
  }
  return bitsPerPixel < 8 ? 8 : 24;
}

}  // namespace

LogoPage::LogoPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* heading = new QLabel(QStringLiteral("Zmień LOGO wyświetlane:"), this);
  heading->setObjectName("logoHeading");
  QFont headingFont = heading->font();
  headingFont.setBold(true);
  heading->setFont(headingFont);
  heading->move(16, 6);

  // The raised frame of the current slot lies under its caption, image,
  // link and the two buttons.
  frame_ = new QFrame(this);
  frame_->setObjectName("logoRamka");
  frame_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  frame_->setLineWidth(2);

  for (LogoSlot slot : kAllSlots) {
    const SlotSpec& spec = kSlots[index(slot)];
    const int left = kImageLeft[index(slot)];
    auto* caption = new QLabel(QString::fromUtf8(spec.caption), this);
    caption->setObjectName(QStringLiteral("%1Caption").arg(spec.image));
    caption->setGeometry(left, kImageTop - 20, kImageWidth, 18);
    caption->setAlignment(Qt::AlignHCenter);

    auto* image = new QLabel(this);
    image->setObjectName(spec.image);
    image->setToolTip(QString::fromUtf8(spec.hint));
    image->setAccessibleName(QString::fromUtf8(spec.hint));
    image->setGeometry(left, kImageTop, kImageWidth, kImageHeight);
    image->setScaledContents(true);
    image->setFrameStyle(QFrame::Box | QFrame::Plain);
    image->setMouseTracking(true);
    image->installEventFilter(this);
    slots_[index(slot)].image = image;

    auto* change = new ClickableLabel(QStringLiteral("Zmień"), this);
    change->setObjectName(QStringLiteral("%1Zmien").arg(spec.image));
    change->setStyleSheet("color: #0000c0; text-decoration: underline;");
    change->setCursor(Qt::PointingHandCursor);
    change->setGeometry(left, kImageTop + kImageHeight + 4, kImageWidth, 18);
    change->setAlignment(Qt::AlignHCenter);
    connect(change, &ClickableLabel::clicked, this, [this, slot] { pick(slot); });
  }

  previewButton_ =
      hintedButton(QStringLiteral("Podgląd"), QStringLiteral("Kliknij, aby uzyskać podgląd powyższego loga"),
                   "logoPodglad", this);
  applyButton_ = hintedButton(QStringLiteral("Zastosuj"), QStringLiteral("Zastosuj powyższe logo"),
                              "logoZastosuj", this);
  connect(previewButton_, &QPushButton::clicked, this, [this] { showPreview(); });
  apply_ = &addApplyCommand(applyButton_, {.setsRestartNeeded = true}, [this] { return apply(); });

  helpLine_ = new QLabel(QString::fromUtf8(kHelpSlots), this);
  helpLine_->setObjectName("logoPomoc");
  helpLine_->setGeometry(24, 310, 560, 18);
  helpLine_->setAlignment(Qt::AlignHCenter);

  auto* chooseScheme = hintedButton(QStringLiteral("Wybierz schemat"),
                                    QStringLiteral("Wybierz dowolny schemat"), "logoWybierzSchemat", this);
  chooseScheme->setGeometry(24, 338, 130, 25);
  connect(chooseScheme, &QPushButton::clicked, this, [this] { showSchemes(); });
  schemeApplyButton_ = hintedButton(QStringLiteral("Zastosuj schemat"),
                                    QStringLiteral("Zastosuj wybrany schemat"), "logoZastosujSchemat", this);
  schemeApplyButton_->setGeometry(164, 338, 130, 25);
  applyScheme_ = &addApplyCommand(
      schemeApplyButton_, {.setsRestartNeeded = true, .consultedAtClose = false, .alwaysEnabled = true},
      [this] { return applyScheme(); });

  auto* note = new ClickableLabel(QStringLiteral("Uwaga:"), this, QAccessible::Button);
  note->setObjectName("logoUwaga");
  note->setToolTip(QStringLiteral("Ważna uwaga !!!"));
  note->setStyleSheet("color: #c00000; font-weight: bold;");
  note->setCursor(Qt::PointingHandCursor);
  note->setGeometry(24, 374, 60, 18);
  connect(note, &ClickableLabel::clicked, this, [this] { this->app().dialogs().message(kNote); });

  // The floating panel of the scheme list, over the slots.
  schemePanel_ = new QFrame(this);
  schemePanel_->setObjectName("logoSchematy");
  schemePanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  schemePanel_->setGeometry(222, 40, 200, 260);
  auto* panelLayout = new QVBoxLayout(schemePanel_);
  panelLayout->setContentsMargins(4, 4, 4, 4);
  schemeList_ = new QListWidget(schemePanel_);
  schemeList_->setObjectName("logoListaSchematow");
  schemeList_->setToolTip(QStringLiteral("Kliknij dwókrotnie, na wybrany przez ciebie schemat"));
  schemeList_->setAccessibleName(QStringLiteral("Schematy logo"));
  for (const LogoScheme& scheme : logoSchemes()) schemeList_->addItem(QString::fromUtf8(scheme.name));
  schemeList_->installEventFilter(this);
  panelLayout->addWidget(schemeList_);
  connect(schemeList_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { schemeClicked(item->text()); });
  // Moving the selection with the keys counts as a click, as in a list box
  // of the system; a mouse click is taken on its release.
  connect(schemeList_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item && QGuiApplication::mouseButtons() == Qt::NoButton) schemeClicked(item->text());
  });
  connect(schemeList_, &QListWidget::itemDoubleClicked, this, [this] { schemePanel_->hide(); });
  schemePanel_->hide();

  schemeApplyButton_->hide();
  makeCurrent(LogoSlot::Start);
  previewButton_->setEnabled(false);
}

LogoPage::~LogoPage() = default;

std::string LogoPage::targetFile(LogoSlot slot) const {
  switch (slot) {
    case LogoSlot::Start:
      return "C:\\logo.sys";
    case LogoSlot::ShutDown:
      return app().windowsDirectory() + "\\logow.sys";
    case LogoSlot::SwitchOff:
      return app().windowsDirectory() + "\\logos.sys";
  }
  return {};
}

std::string LogoPage::programFolder(const char* relative) const {
  return app().environment().programDirectory() + "\\" + relative;
}

std::optional<Picture> LogoPage::readPicture(const std::string& dosPath) {
  const std::optional<std::string> bytes = app().files().readFile(dosPath);
  if (!bytes) return std::nullopt;
  try {
    Picture picture = app().pictures().decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
    if (picture.image.isNull()) return std::nullopt;
    return picture;
  } catch (const PictureError&) {
    return std::nullopt;
  }
}

void LogoPage::setSlot(LogoSlot slot, std::optional<Picture> picture, bool ready) {
  Slot& s = slots_[index(slot)];
  s.picture = picture ? std::move(*picture) : Picture{};
  s.ready = ready && !s.picture.image.isNull();
  if (s.picture.image.isNull()) {
    s.image->clear();
  } else {
    s.image->setPixmap(QPixmap::fromImage(s.picture.image));
  }
}

void LogoPage::load() {
  // Switch-off, shut-down, then start, as the files were always read.
  for (LogoSlot slot : {LogoSlot::SwitchOff, LogoSlot::ShutDown, LogoSlot::Start}) {
    const std::string file = targetFile(slot);
    std::optional<Picture> picture = app().files().fileExists(file) ? readPicture(file) : std::nullopt;
    const bool found = picture.has_value();
    setSlot(slot, std::move(picture), found);
  }
  if (slots_[index(LogoSlot::Start)].picture.image.isNull()) {
    const std::string product = shownWindowsInformation(app().registry(), "ProductName");
    std::string stock;
    if (product == "Microsoft Windows 98") {
      stock = programFolder("Logo\\LogoWin\\Win98Logo.bmp");
    } else if (product == "Microsoft Windows 95") {
      stock = programFolder("Logo\\LogoWin\\Win95Logo.bmp");
    }
    if (!stock.empty() && app().files().fileExists(stock))
      setSlot(LogoSlot::Start, readPicture(stock), false);
  }
  schemeApplyButton_->hide();
}

void LogoPage::makeCurrent(LogoSlot slot) {
  current_ = slot;
  const int left = kImageLeft[index(slot)];
  frame_->setGeometry(left - 8, kImageTop - 24, kImageWidth + 16, kImageHeight + 84);
  frame_->lower();
  const int buttons = kImageTop + kImageHeight + 26;
  previewButton_->setGeometry(left, buttons, 72, 25);
  applyButton_->setGeometry(left + kImageWidth - 72, buttons, 72, 25);
  const bool ready = slots_[index(slot)].ready;
  apply_->setPending(ready);
  previewButton_->setEnabled(ready);
  schemePanel_->hide();
  helpLine_->setText(QString::fromUtf8(kHelpSlots));
}

void LogoPage::resetTransient() {
  schemePanel_->hide();
  helpLine_->setText(QString::fromUtf8(kHelpSlots));
}

bool LogoPage::eventFilter(QObject* watched, QEvent* event) {
  for (LogoSlot slot : kAllSlots) {
    if (watched != slots_[index(slot)].image) continue;
    if (event->type() == QEvent::MouseMove) makeCurrent(slot);
    if (event->type() == QEvent::MouseButtonDblClick) {
      pick(slot);
      return true;
    }
  }
  if (watched == schemeList_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      schemePanel_->hide();
      return true;
    }
  }
  return Page::eventFilter(watched, event);
}

void LogoPage::pick(LogoSlot slot) {
  const SlotSpec& spec = kSlots[index(slot)];
  const std::optional<std::string> file =
      app().dialogs().openPicture({.title = spec.pickerTitle,
                                   .filter = "Bitmapy|*.bmp",
                                   .initialFolder = programFolder(logoSchemeFolder(slot)),
                                   .defaultExtension = {},
                                   .mustExist = true});
  if (!file || file->empty()) return;
  if (!app().files().fileExists(*file) || !hasBmpExtension(*file)) {
    app().dialogs().message(spec.formatMessage);
  } else if (std::optional<Picture> picture = readPicture(*file); !picture) {
    // A file named .bmp that holds no bitmap: the slot keeps what it had.
    app().dialogs().message("Nie można odczytać rysunku z pliku \"" + *file + "\".");
  } else if (picture->image.width() == 320 || picture->image.height() == 400) {
    setSlot(slot, std::move(picture), true);
    apply_->setPending(true);
  } else {
    app().dialogs().message(std::string("Wybrane logo nie spełnia okreśclonych wymagań\r\r") + kNote +
                            " :-)");
    setSlot(slot, std::nullopt, false);
    apply_->setPending(false);
  }
  offerSchemeApply();
}

void LogoPage::offerSchemeApply() {
  bool all = true;
  for (const Slot& s : slots_) all = all && s.ready;
  schemeApplyButton_->setVisible(all);
}

void LogoPage::showSchemes() {
  schemePanel_->show();
  schemePanel_->raise();
  helpLine_->setText(QString::fromUtf8(kHelpSchemes));
}

void LogoPage::schemeClicked(const QString& name) {
  for (LogoSlot slot : kAllSlots) setSlot(slot, std::nullopt, false);
  schemeName_ = name.toStdString();
  loadScheme();
}

void LogoPage::loadScheme() {
  schemeApplyButton_->hide();
  if (schemeName_ == kNoLogoScheme) {
    schemeApplyButton_->show();
    return;
  }
  const std::optional<LogoScheme> scheme = findLogoScheme(schemeName_);
  if (!scheme) return;
  for (LogoSlot slot : kAllSlots) {
    std::optional<Picture> picture =
        readPicture(programFolder(logoSchemeFolder(slot)) + "\\" + scheme->files[index(slot)]);
    if (!picture) {
      app().dialogs().message(kMissingFiles);
      return;
    }
    setSlot(slot, std::move(picture), true);
  }
  schemeApplyButton_->show();
}

void LogoPage::showPreview() {
  const Slot& s = slots_[index(current_)];
  if (!preview_) {
    preview_ = std::make_unique<Tpodglad>(window());
  }
  preview_->setPicture(s.picture.image, Tpodglad::Placement::Stretched);
  preview_->setDescription({});
  preview_->showToolWindow(QString::fromUtf8(kSlots[index(current_)].previewTitle), {640, 480});
  window()->setEnabled(false);
}

bool LogoPage::writeSlot(LogoSlot slot) {
  const Picture& picture = slots_[index(slot)].picture;
  if (picture.image.isNull()) return true;
  const std::string file = targetFile(slot);
  bool written = false;
  try {
    const std::vector<std::uint8_t> bytes =
        formats::BmpWriter::encode(picture.image, writableDepth(picture.bitsPerPixel));
    written = app().files().writeFile(file, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  } catch (const formats::FormatError&) {
    written = false;
  }
  if (!written) app().dialogs().message("Nie można zapisać pliku " + file + ".");
  return written;
}

WriteResult LogoPage::apply() {
  if (!writeSlot(current_)) return WriteResult::KeepPending;
  slots_[index(current_)].ready = false;
  return WriteResult::Done;
}

WriteResult LogoPage::applyScheme() {
  bool ok = true;
  for (LogoSlot slot : kAllSlots) {
    if (schemeName_ == kNoLogoScheme) {
      const std::string file = targetFile(slot);
      if (app().files().fileExists(file) && !app().files().deleteFile(file)) {
        app().dialogs().message("Nie można usunąć pliku " + file + ".");
        ok = false;
      }
    } else if (!writeSlot(slot)) {
      ok = false;
    }
  }
  if (!ok) return WriteResult::KeepPending;
  for (Slot& s : slots_) s.ready = false;
  apply_->setPending(false);
  schemeApplyButton_->hide();
  return WriteResult::Done;
}

}  // namespace kelvaro
