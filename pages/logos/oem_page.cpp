#include "pages/logos/oem_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <span>

#include "dialogs/toem_form.h"
#include "dialogs/twycinek.h"
#include "pages/logos/oem_files.h"
#include "pages/logos/windows_information.h"
#include "pages/widgets/clickable_label.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/formats/bmp_writer.h"
#include "platform/formats/format_error.h"
#include "platform/launcher.h"
#include "platform/pictures.h"
#include "store/ini_file.h"

namespace kelvaro {
namespace {

constexpr char kNotInstalled[] = "Nie masz zainstalowanego certyfikatu OEM";
constexpr char kInstalled[] = "Posiadasz certyfikat OEM";
constexpr char kApply[] = "Zastosuj";
constexpr char kOk[] = "OK";
constexpr char kWrongFormat[] =
    "Format wybranego pliku jest nieprawidłowy. Wybierz inny plik, lub sprawdź czy wybrany plik istnieje.";
constexpr char kNoPicture[] = "Nie możesz zastosować OEM, ponieważ nie wybrałeś go !!!";
constexpr char kNoTexts[] = "Musisz podać jeszcze Nazwę produktu, Firmę i wstawić jakiś dowolny tekst";
constexpr char kCaptureFailed[] =
    "Nie można zpisac pliku !!!\rSprawdź, czy dysk nie jest chronony przed zapisem.";
constexpr char kCropFailed[] = "Nie można zpisac pliku";
constexpr char kNote[] =
    "Możesz wybrać logo spośród wszystkich bitmap jakie masz na dysku, ale logo OEM ma określone wymiary. "
    "Wymiary "
    "rysunku nie powinny być większe niż 180x114. W przeciwnym wypadku zostanie wyświetlona tylko część "
    "rysunku "
    "(obejmująca żądane wymiary).";
constexpr char kFilter[] =
    "Wszystkie pliki "
    "graficzne|*.gif;*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|Bitmapy|*.bmp|Gify|*.gif|Jpegi|*.jpg;"
    "*.jpeg";
// Only these spellings pass; ".Bmp" does not.
constexpr const char* kExtensions[] = {".bmp",  ".BMP", ".gif", ".GIF", ".jpg", ".JPG", ".jpeg",
                                       ".JPEG", ".ico", ".ICO", ".emf", ".EMF", ".wmf", ".WMF"};

// The capture window's place over the logo box, by the tab layout chosen on
// the options page (1 to 7).
constexpr QPoint kCaptureOffsets[] = {{79, 174}, {79, 60}, {269, 60}, {79, 60},
                                      {79, 174}, {79, 79}, {79, 60}};

constexpr QPoint kLogoBoxAt{24, 48};

bool hasPictureExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("\\/");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  const std::string extension = path.substr(dot);
  for (const char* allowed : kExtensions) {
    if (extension == allowed) return true;
  }
  return false;
}

std::string fileName(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

QString sizeText(QSize size) { return QStringLiteral(" %1 x %2").arg(size.width()).arg(size.height()); }

}  // namespace

OemPage::OemPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  status_ = new QLabel(QString::fromUtf8(kNotInstalled), this);
  status_->setObjectName("OEMStatus");
  QFont bold = status_->font();
  bold.setBold(true);
  status_->setFont(bold);
  status_->setGeometry(16, 6, 560, 18);
  status_->setAlignment(Qt::AlignHCenter);

  auto* logoHeading = new QLabel(QStringLiteral("Logo"), this);
  logoHeading->setObjectName("OEMLogoHeading");
  logoHeading->setFont(bold);
  logoHeading->move(kLogoBoxAt.x(), kLogoBoxAt.y() - 18);

  auto* box = new QFrame(this);
  box->setObjectName("OEMLogo");
  box->setToolTip(QStringLiteral("Podgląd OEM logo"));
  box->setAccessibleName(QStringLiteral("Podgląd OEM logo"));
  box->setGeometry(QRect(kLogoBoxAt, kOemLogoSize));
  box->setAutoFillBackground(true);
  box->installEventFilter(this);
  logoBox_ = box;
  logoPicture_ = new QLabel(box);
  logoPicture_->setObjectName("OEMLogoObraz");
  logoPicture_->setAttribute(Qt::WA_TransparentForMouseEvents);
  placeholder_ = new QLabel(box);
  placeholder_->setObjectName("OEMLogoZaslona");
  placeholder_->setToolTip(QStringLiteral("Podgląd OEM logo. Tak będzie wyglądało na twoim komputerze."));
  placeholder_->setAccessibleName(placeholder_->toolTip());
  placeholder_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  placeholder_->setGeometry(QRect(QPoint(0, 0), kOemLogoSize));
  placeholder_->installEventFilter(this);

  const int below = kLogoBoxAt.y() + kOemLogoSize.height() + 4;
  sizeLine_ = new QLabel(this);
  sizeLine_->setObjectName("OEMRozmiar");
  sizeLine_->setToolTip(QStringLiteral("Rozmiar wybranego przez ciebie rysunku"));
  sizeLine_->setGeometry(kLogoBoxAt.x(), below, 240, 18);
  nameLine_ = new QLabel(this);
  nameLine_->setObjectName("OEMNazwaRysunku");
  nameLine_->setToolTip(QStringLiteral("Nazwa wybranego przez ciebie rysunku"));
  nameLine_->setGeometry(kLogoBoxAt.x(), below + 18, 240, 18);
  fit_ = new QCheckBox(QStringLiteral("Dopasuj"), this);
  fit_->setObjectName("OEMDopasuj");
  fit_->setToolTip(QStringLiteral("Dopasuj rozmiar do wymaganego"));
  fit_->setGeometry(kLogoBoxAt.x(), below + 38, 90, 20);
  transparent_ = new QCheckBox(QStringLiteral("Przeźroczysctość"), this);
  transparent_->setObjectName("OEMPrzezroczystosc");
  transparent_->setToolTip(QStringLiteral("Z obrazka znika niepotrzebne tło"));
  transparent_->setGeometry(kLogoBoxAt.x() + 94, below + 38, 140, 20);
  auto* maxSize = new QLabel(QStringLiteral("Max. rozmiar rysunku 180 x 114"), this);
  maxSize->setObjectName("OEMMaxRozmiar");
  maxSize->setGeometry(kLogoBoxAt.x(), below + 62, 240, 18);
  auto* doubleClickHint = new QLabel(QStringLiteral("Kliknij dwukrotnie na logo, aby je zmienić."), this);
  doubleClickHint->setObjectName("OEMPodpowiedz");
  doubleClickHint->setGeometry(kLogoBoxAt.x(), below + 80, 260, 18);
  connect(fit_, &QCheckBox::toggled, this, [this] { fitToggled(); });
  connect(transparent_, &QCheckBox::toggled, this, [this] { placePicture(); });

  // The texts on the right.
  auto* infoHeading = new QLabel(QStringLiteral("Informacje"), this);
  infoHeading->setObjectName("OEMInformacje");
  infoHeading->setFont(bold);
  infoHeading->move(300, kLogoBoxAt.y() - 18);
  auto* companyLabel = new QLabel(QStringLiteral("Firma:"), this);
  companyLabel->setObjectName("OEMFirmaCaption");
  companyLabel->setGeometry(300, 48, 110, 18);
  company_ = new QLineEdit(this);
  company_->setObjectName("OEMFirma");
  company_->setToolTip(QStringLiteral("Podaj nazwę firmy, jaką chcesz używać"));
  company_->setAccessibleName(QStringLiteral("Firma:"));
  company_->setGeometry(410, 46, 170, 22);
  auto* productLabel = new QLabel(QStringLiteral("Nazwa produktu:"), this);
  productLabel->setObjectName("OEMNazwaProduktuCaption");
  productLabel->setGeometry(300, 76, 110, 18);
  product_ = new QLineEdit(this);
  product_->setObjectName("OEMNazwaProduktu");
  product_->setToolTip(QStringLiteral("Podaj nazwę produktu"));
  product_->setAccessibleName(QStringLiteral("Nazwa produktu:"));
  product_->setGeometry(410, 74, 170, 22);
  auto* textLabel = new QLabel(
      QStringLiteral("Inny, dowolny tekst, który ma  być\nwidoczny w oknie \"Zrobiony Przez:\""), this);
  textLabel->setObjectName("OEMTekstCaption");
  textLabel->setGeometry(300, 102, 280, 34);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName("OEMTekst");
  text_->setToolTip(QStringLiteral("Podja dowolny tekst"));
  text_->setAccessibleName(
      QStringLiteral("Inny, dowolny tekst, który ma  być widoczny w oknie \"Zrobiony Przez:\""));
  text_->setGeometry(300, 138, 280, 110);
  companyLabel->setBuddy(company_);
  productLabel->setBuddy(product_);

  auto* change = hintedButton(QStringLiteral("Zmień logo"), QStringLiteral("Kliknij, aby zmienić logo OEM"),
                              "OEMZmienLogo", this);
  change->setGeometry(24, 300, 100, 25);
  previewButton_ = hintedButton(QStringLiteral("OEM Podgląd"),
                                QStringLiteral("Kliknij, aby zobaczyć podgląd OEM"), "OEMPodglad", this);
  previewButton_->setGeometry(132, 300, 100, 25);
  previewButton_->setEnabled(false);
  removeButton_ =
      hintedButton(QStringLiteral("Usuń"), QStringLiteral("Usuwa OEM z twojego komputera"), "OEMUsun", this);
  removeButton_->setGeometry(240, 300, 80, 25);
  removeButton_->setEnabled(false);
  applyButton_ =
      hintedButton(QString::fromUtf8(kApply), QStringLiteral("Zastosuj wybrany przez ciebie schemat OEM"),
                   "OEMZastosuj", this);
  applyButton_->setGeometry(500, 300, 80, 25);
  connect(change, &QPushButton::clicked, this, [this] { choosePicture(); });
  connect(previewButton_, &QPushButton::clicked, this,
          [this] { this->app().launcher().run("Control.exe Sysdm.cpl", ShowWindow::Normal); });
  connect(removeButton_, &QPushButton::clicked, this, [this] { run([this] { remove(); }); });
  apply_ = &addApplyCommand(applyButton_, {}, [this] { return apply(); });
  for (QLineEdit* field : {company_, product_})
    connect(field, &QLineEdit::textChanged, this, [this] { apply_->markPending(); });
  connect(text_, &QPlainTextEdit::textChanged, this, [this] { apply_->markPending(); });

  placementPanel_ = new QGroupBox(QStringLiteral("Zastosuj logo:"), this);
  placementPanel_->setObjectName("OEMPanelZastosuj");
  placementPanel_->setGeometry(300, 254, 280, 44);
  auto* choices = new QHBoxLayout(placementPanel_);
  choices->setContentsMargins(6, 2, 6, 2);
  asIs_ = new QRadioButton(QStringLiteral("tak jak jest"), placementPanel_);
  asIs_->setObjectName("OEMTakJakJest");
  asIs_->setToolTip(QStringLiteral("Zapisujesz wtedy, gdy logo ma mniejsze wymiary od wymaganych 180x114"));
  fitted_ = new QRadioButton(QStringLiteral("dopasowane"), placementPanel_);
  fitted_->setObjectName("OEMDopasowane");
  fitted_->setToolTip(
      QStringLiteral("Zapisujesz wtedy, gdy logo ma większe wymiary od wymaganych 180x114. Możesz "
                     "zobaczyć, jak będzie wyglądało w formacie wymaganym i tak go zapisać."));
  cutOut_ = new QRadioButton(QStringLiteral("wycinek"), placementPanel_);
  cutOut_->setObjectName("OEMWycinek");
  cutOut_->setToolTip(
      QStringLiteral("Zapisujesz wtedy, gdy logo ma większe wymiary od wymaganych 180x114. Możesz "
                     "wybrać sobie wycinek rysunku i zapisać go w wymaganym formacie."));
  for (QRadioButton* choice : {asIs_, fitted_, cutOut_}) {
    choices->addWidget(choice);
    connect(choice, &QRadioButton::clicked, this, [this] { choosePlacement(); });
  }
  fitted_->setEnabled(false);
  cutOut_->setEnabled(false);
  placementPanel_->hide();

  auto* note = new ClickableLabel(QStringLiteral("Uwaga:"), this, QAccessible::Button);
  note->setObjectName("OEMUwaga");
  note->setToolTip(QStringLiteral("Ważna uwaga"));
  note->setStyleSheet("color: #c00000; font-weight: bold;");
  note->setCursor(Qt::PointingHandCursor);
  note->setGeometry(24, 336, 60, 18);
  connect(note, &ClickableLabel::clicked, this, [this] { this->app().dialogs().message(kNote); });

  fit_->hide();
  transparent_->hide();
}

OemPage::~OemPage() = default;

std::string OemPage::logoFile() const { return app().environment().systemDirectory() + "\\oemlogo.bmp"; }
std::string OemPage::infoFile() const { return app().environment().systemDirectory() + "\\oeminfo.ini"; }

QImage OemPage::readPicture(const std::string& dosPath) const {
  const std::optional<std::string> bytes = app().files().readFile(dosPath);
  if (!bytes) return {};
  try {
    return app()
        .pictures()
        .decode(std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()))
        .image;
  } catch (const PictureError&) {
    return {};
  }
}

QPoint OemPage::picturePosition() const { return logoPicture_->pos(); }
bool OemPage::pictureStretched() const { return logoPicture_->hasScaledContents(); }

void OemPage::showPicture(const QImage& picture, bool stretched) {
  picture_ = picture;
  logoPicture_->setScaledContents(stretched);
  placePicture();
}

void OemPage::placePicture() {
  if (picture_.isNull()) {
    logoPicture_->clear();
    logoPicture_->setGeometry(0, 0, 0, 0);
    return;
  }
  QPixmap pixmap = QPixmap::fromImage(picture_);
  if (transparent_->isChecked()) {
    // The colour of the bottom-left pixel is the background that is not drawn.
    pixmap.setMask(pixmap.createMaskFromColor(picture_.pixel(0, picture_.height() - 1)));
  }
  logoPicture_->setPixmap(pixmap);
  if (logoPicture_->hasScaledContents()) {
    logoPicture_->setGeometry(QRect(QPoint(0, 0), kOemLogoSize));
  } else {
    logoPicture_->setGeometry(QRect(oemPlacement(picture_.size()), picture_.size()));
  }
}

void OemPage::load() {
  showPicture({}, false);
  fit_->setChecked(false);
  transparent_->setChecked(false);
  sizeLine_->clear();
  status_->setText(QString::fromUtf8(kNotInstalled));
  company_->setText(
      QString::fromStdString(shownWindowsInformation(app().registry(), "RegisteredOrganization")));
  product_->setText(QString::fromStdString(shownWindowsInformation(app().registry(), "ProductName")));
  nameLine_->clear();
  text_->clear();
  chosenFile_.clear();
  iniLines_.clear();
  logoPicture_->move(0, 0);
  placeholder_->show();

  FileSystem& files = app().files();
  if (files.fileExists(logoFile()) && files.fileExists(infoFile())) {
    const QImage logo = readPicture(logoFile());
    const std::optional<std::filesystem::path> iniHost = files.hostPath(infoFile());
    if (!logo.isNull() && iniHost && files.readFile(infoFile())) {
      sizeLine_->setText(QStringLiteral("Rozmiar twojego rysunku: ") + sizeText(logo.size()));
      placeholder_->hide();
      showPicture(logo, false);
      nameLine_->clear();
      IniFile ini(*iniHost, app().environment().ansiCodePage(), infoFile());
      if (ini.sectionExists("General")) {
        product_->setText(QString::fromStdString(
            ini.readString("General", "Manufacturer", product_->text().toStdString())));
        company_->setText(
            QString::fromStdString(ini.readString("General", "Model", company_->text().toStdString())));
      }
      if (ini.sectionExists("Support Information")) {
        iniLines_ = ini.readSectionValues("Support Information");
        QStringList lines;
        for (std::size_t k = 1; k <= iniLines_.size(); ++k)
          lines << QString::fromStdString(
              ini.readString("Support Information", "Line" + std::to_string(k), ""));
        text_->setPlainText(lines.join('\n'));
      }
      setInstalledState();
    }
  }

  applyButton_->setText(QString::fromUtf8(kApply));
  fit_->hide();
  transparent_->hide();
  clearChoices();
  placementPanel_->hide();
}

void OemPage::setInstalledState() {
  status_->setText(QString::fromUtf8(kInstalled));
  previewButton_->setEnabled(true);
  removeButton_->setEnabled(true);
}

void OemPage::clearChoices() {
  for (QRadioButton* choice : {asIs_, fitted_, cutOut_}) {
    choice->setAutoExclusive(false);
    choice->setChecked(false);
    choice->setAutoExclusive(true);
  }
}

void OemPage::resetTransient() {
  placementPanel_->hide();
  applyButton_->setText(QString::fromUtf8(kApply));
  clearChoices();
}

bool OemPage::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == logoBox_ || watched == placeholder_) && event->type() == QEvent::MouseButtonDblClick) {
    choosePicture();
    return true;
  }
  return Page::eventFilter(watched, event);
}

void OemPage::choosePicture() {
  const std::optional<std::string> file =
      app().dialogs().openPicture({.title = "Wybierz odpowiednie logo OEM",
                                   .filter = kFilter,
                                   .initialFolder = app().environment().programDirectory() + "\\Logo\\OEM",
                                   .defaultExtension = {},
                                   .mustExist = true});
  if (!file || file->empty()) return;
  if (!app().files().fileExists(*file) || !hasPictureExtension(*file)) {
    app().dialogs().message(kWrongFormat);
    return;
  }
  const QImage picture = readPicture(*file);
  if (picture.isNull()) {
    // Named as a picture but holding none: the logo box keeps what it shows.
    app().dialogs().message("Nie można odczytać rysunku z pliku \"" + *file + "\".");
    return;
  }
  fit_->setChecked(false);
  showPicture(picture, false);
  sizeLine_->setText(QStringLiteral("Rozmiar twojego rysunku: ") + sizeText(picture.size()).mid(1));
  if (picture.size() != kOemLogoSize) {
    fit_->show();
    transparent_->show();
    transparent_->setChecked(false);
  }
  apply_->markPending();
  nameLine_->setText(QStringLiteral("Nazwa rysunku : ") + QString::fromStdString(fileName(*file)));
  chosenFile_ = *file;
  placeholder_->hide();
}

void OemPage::fitToggled() {
  if (picture_.isNull()) return;
  if (fit_->isChecked()) {
    showPicture(picture_, true);
    sizeLine_->setText(QStringLiteral("Rozmiar twojego rysunku 180 x 114"));
  } else {
    showPicture(picture_, false);
    sizeLine_->setText(
        QStringLiteral("Rozmiar twojego rysunku %1 x %2").arg(picture_.width()).arg(picture_.height()));
  }
}

void OemPage::choosePlacement() {
  applyButton_->setText(QString::fromUtf8(kOk));
  if (asIs_->isChecked()) fit_->setChecked(false);
  if (fitted_->isChecked()) fit_->setChecked(true);
}

QPoint OemPage::captureWindowPosition() const {
  const int layout = std::clamp(app().frame().views().tabLayoutNumber(), 1, 7);
  return window()->pos() + kCaptureOffsets[layout - 1];
}

bool OemPage::captureLogo(int layout) {
  if (!capture_) capture_ = std::make_unique<TOEMForm>(app().screenCapture());
  capture_->setPicture(picture_);
  capture_->arrange(static_cast<TOEMForm::Layout>(layout));
  const QImage shot = capture_->showAndCapture(captureWindowPosition());
  // The capture window finds the system directory for itself.
  std::string directory = shellSystemDirectory(app().files(), app().windowsDirectory());
  if (directory.empty()) directory = app().environment().systemDirectory();
  bool written = false;
  try {
    const std::vector<std::uint8_t> bytes = formats::BmpWriter::encode(shot, 24);
    written = app().files().writeFile(directory + "\\oemlogo.bmp",
                                      {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  } catch (const formats::FormatError&) {
    written = false;
  }
  capture_->close();
  if (!written) app().dialogs().message(kCaptureFailed);
  return written;
}

bool OemPage::writeInfoFile() {
  if (app().files().writeFile(infoFile(), oemInfoFile(iniLines_, app().environment().ansiCodePage())))
    return true;
  app().dialogs().message("Nie można zapisać pliku " + infoFile() + ".");
  return false;
}

WriteResult OemPage::apply() {
  const QSize size = picture_.isNull() ? QSize(0, 0) : picture_.size();
  const bool chosen = !nameLine_->text().isEmpty();
  const bool pictureOk = chosen || app().files().fileExists(logoFile());
  if (!pictureOk) app().dialogs().message(kNoPicture);
  const std::vector<std::string> lines = textLines(text_->toPlainText().toStdString());
  const bool textOk = !company_->text().isEmpty() && !product_->text().isEmpty() && !lines.empty();
  if (!textOk) app().dialogs().message(kNoTexts);
  if (textOk) {
    iniLines_ = oemInfoLines(product_->text().toStdString(), company_->text().toStdString(),
                             shownWindowsInformation(app().registry(), "RegisteredOrganization"), lines);
  }
  if (size.width() < kOemLogoSize.width() || size.height() < kOemLogoSize.height()) {
    fitted_->setEnabled(true);
    cutOut_->setEnabled(false);
  }
  if (size.width() > kOemLogoSize.width() || size.height() > kOemLogoSize.height()) {
    fitted_->setEnabled(true);
    cutOut_->setEnabled(true);
  }
  if (!pictureOk || !textOk) return WriteResult::KeepPending;
  placementPanel_->show();
  if (applyButton_->text() != QString::fromUtf8(kOk)) return WriteResult::KeepPending;

  const auto backToApply = [this] {
    placementPanel_->hide();
    applyButton_->setText(QString::fromUtf8(kApply));
    clearChoices();
  };
  if (fitted_->isChecked() && !fit_->isChecked()) {
    backToApply();
    showPicture(picture_, true);
    return WriteResult::KeepPending;
  }
  if (asIs_->isChecked() && fit_->isChecked()) {
    backToApply();
    return WriteResult::KeepPending;
  }
  if (asIs_->isChecked()) {
    const bool small = size.width() < kOemLogoSize.width() && size.height() < kOemLogoSize.height();
    if (!captureLogo(static_cast<int>(small ? TOEMForm::Layout::OwnSize : TOEMForm::Layout::Centred)) ||
        !writeInfoFile())
      return WriteResult::KeepPending;
    chosenFile_.clear();
    reload();
    return WriteResult::Done;
  }
  if (fitted_->isChecked()) {
    if (!captureLogo(static_cast<int>(TOEMForm::Layout::Stretched)) || !writeInfoFile())
      return WriteResult::KeepPending;
    chosenFile_.clear();
    reload();
    return WriteResult::Done;
  }
  if (cutOut_->isChecked()) {
    if (!writeInfoFile()) return WriteResult::KeepPending;
    const std::string source = chosen ? chosenFile_ : logoFile();
    setInstalledState();
    nameLine_->clear();
    applyButton_->setText(QString::fromUtf8(kApply));
    clearChoices();
    placementPanel_->hide();
    showCropWindow(readPicture(source));
    return WriteResult::Done;
  }
  return WriteResult::KeepPending;
}

void OemPage::showCropWindow(const QImage& picture) {
  // The crop window takes the Windows directory the registry names, and it
  // stays the program's from then on.
  const CropDirectories directories = cropDirectories(app().registry(), app().files());
  app().setWindowsDirectory(directories.windows);
  cropSystemDirectory_ = directories.system;
  if (!crop_) {
    crop_ = std::make_unique<Twycinek>(app().screenCapture());
    connect(crop_.get(), &Twycinek::cropped, this, [this](const QImage& view) { cropped(view); });
  }
  crop_->setPicture(picture);
  crop_->showCentred();
}

void OemPage::cropped(const QImage& view) {
  const std::string file = cropSystemDirectory_ + "\\oemlogo.bmp";
  bool written = false;
  try {
    const std::vector<std::uint8_t> bytes = formats::BmpWriter::encode(view, 24);
    written = app().files().writeFile(file, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  } catch (const formats::FormatError&) {
    written = false;
  }
  if (!written) {
    app().dialogs().message(kCropFailed);
    return;
  }
  fit_->setChecked(false);
  fit_->hide();
  showPicture(readPicture(file), true);
  sizeLine_->setText(QStringLiteral("Rozmiar twojego rysunku 180 x 114"));
}

void OemPage::remove() {
  app().files().deleteFile(logoFile());
  app().files().deleteFile(infoFile());
  reload();
  company_->clear();
  product_->clear();
  text_->clear();
  iniLines_.clear();
  placeholder_->show();
  previewButton_->setEnabled(false);
  apply_->setPending(false);
  removeButton_->setEnabled(false);
  status_->setText(QString::fromUtf8(kNotInstalled));
  fit_->setChecked(false);
  transparent_->setChecked(false);
  fit_->hide();
  transparent_->hide();
  applyButton_->setText(QString::fromUtf8(kApply));
}

}  // namespace kelvaro
