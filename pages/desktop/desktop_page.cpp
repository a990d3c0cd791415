#include "pages/desktop/desktop_page.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

#include "dialogs/tpodglad.h"
#include "pages/desktop/desktop_patterns.h"
#include "pages/desktop/desktop_settings_tabs.h"
#include "pages/desktop/desktop_widgets.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/formats/bmp_writer.h"
#include "platform/formats/format_error.h"
#include "platform/launcher.h"
#include "platform/pictures.h"
#include "platform/system_settings.h"
#include "store/registry_handle.h"
#include "store/store_error.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kDesktopKey[] = "Control Panel\\desktop";
constexpr char kDesktopKeyCapital[] = "Control Panel\\Desktop";
constexpr char kApplyCaption[] = "Zastosuj";
constexpr char kApplyHint[] = "Zastosuj powyższe ustawienia";
constexpr char kNoWallpaper[] = "(brak tapety)";
constexpr char kNoSaver[] = "(brak)";
constexpr char kBadFormat[] =
    "Format wybranego pliku jest nieprawidłowy. Wybierz inny plik, lub sprawdź czy wybrany plik istnieje.";
constexpr char kInstallSaverMessage[] =
    "Po kliknięciu w przycisk OK pojawi się okno \"Właściwości: Ekran\". Aby zastosować wygaszacz ekranu "
    "kliknij na przycisk OK na tym oknie.";
constexpr int kProgressSteps = 11;
constexpr int kBackgroundColour = 1;  // COLOR_BACKGROUND, the desktop's colour

QString qt(const std::string& text) { return QString::fromStdString(text); }

// A list named and described by its hint, its scroll bars by the list.
void describeList(QListWidget* list, const QString& hint) {
  list->setToolTip(hint);
  list->setAccessibleName(hint);
  list->setAccessibleDescription(hint);
  list->verticalScrollBar()->setAccessibleName(hint);
  list->horizontalScrollBar()->setAccessibleName(hint);
}

QLabel* heading(const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

QLabel* valueLabel(const char* name, const char* hint, QWidget* parent) {
  // Announced with what it shows; the hint is its description.
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setToolTip(QString::fromUtf8(hint));
  return label;
}

QRadioButton* styleButton(const char* caption, const char* hint, const char* name, QWidget* parent) {
  auto* button = new QRadioButton(QString::fromUtf8(caption), parent);
  button->setObjectName(name);
  button->setToolTip(QString::fromUtf8(hint));
  return button;
}

QSpinBox* minutesField(const char* name, const char* hint, QWidget* parent) {
  auto* field = new QSpinBox(parent);
  field->setObjectName(name);
  field->setRange(1, 60);
  field->setToolTip(QString::fromUtf8(hint));
  field->setAccessibleName(QString::fromUtf8(hint));
  if (auto* text = field->findChild<QLineEdit*>()) text->setAccessibleName(field->accessibleName());
  return field;
}

QCheckBox* optionBox(const char* caption, const char* hint, const char* name, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
  box->setObjectName(name);
  box->setToolTip(QString::fromUtf8(hint));
  return box;
}

// The integer a stored text holds, nullopt when it holds none.
std::optional<std::int32_t> integerText(const std::string& text) {
  try {
    return numberFromText(text);
  } catch (const StoreError&) {
    return std::nullopt;
  }
}

// A stored "1"/"0" box value: nullopt when it is missing or anything else.
std::optional<bool> presentFlag(RegistryHandle& reg, const char* name) {
  if (!reg.hasOpenKey() || !reg.valueExists(name) || reg.valueKind(name) != ValueKind::String)
    return std::nullopt;
  const std::string text = reg.readString(name);
  if (text == "1") return true;
  if (text == "0") return false;
  return std::nullopt;
}

void loadMinutes(RegistryHandle& reg, const char* name, QSpinBox* field) {
  if (!reg.hasOpenKey()) return;
  if (const auto seconds = integerText(guardedReadString(reg, name))) field->setValue(*seconds / 60);
}

// What a decoded picture is written back with: its palette when it has one.
int bitmapDepth(const QImage& image) { return image.format() == QImage::Format_Indexed8 ? 8 : 24; }

}  // namespace

DesktopPage::DesktopPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  settings_ = new DesktopSettingsTabs(
      *this,
      [this](QAbstractButton* button, ApplyOptions options, ApplyCommand::Write write) -> ApplyCommand& {
        return addApplyCommand(button, options, std::move(write));
      });
  buildPatternTab();
  buildWallpaperTab();
  buildScreenSaverTab();
}

DesktopPage::~DesktopPage() = default;

// --- building -------------------------------------------------------------

void DesktopPage::buildWallpaperTab() {
  QWidget* tab = area("pulpittapeta");
  auto* layout = new QGridLayout(tab);

  auto* details = new QGridLayout;
  details->addWidget(new QLabel(QStringLiteral("Plik:"), tab), 0, 0);
  fileName_ = valueLabel("tapetaPlik", "Nazwa pliku tapety", tab);
  details->addWidget(fileName_, 0, 1);
  details->addWidget(new QLabel(QStringLiteral("Typ pliku:"), tab), 1, 0);
  fileType_ = valueLabel("tapetaTyp", "Typ pliku", tab);
  details->addWidget(fileType_, 1, 1);
  details->addWidget(new QLabel(QStringLiteral("Rozmiar:"), tab), 2, 0);
  pictureSize_ = valueLabel("tapetaRozmiar", "Rozmiar wybranego pliku", tab);
  details->addWidget(pictureSize_, 2, 1);
  resolution_ = new QLabel(tab);
  resolution_->setObjectName("tapetaRozdzielczosc");
  details->addWidget(resolution_, 3, 0, 1, 2);
  layout->addLayout(details, 0, 0);

  auto* styleBox = new QVBoxLayout;
  tiled_ = styleButton("sąsiadująca", "tapeta sąsiadująca", "tapetaSasiadujaca", tab);
  centred_ = styleButton("wyśrodkowana", "tapeta wyśrodkowana", "tapetaWysrodkowana", tab);
  stretched_ =
      styleButton("dopasowana do rozmiaru pulpitu", "tapeta dopasowana do rozmiaru", "tapetaDopasowana", tab);
  styles_ = new QButtonGroup(this);
  for (QRadioButton* b : {tiled_, centred_, stretched_}) {
    styles_->addButton(b);
    styleBox->addWidget(b);
  }
  connect(tiled_, &QRadioButton::clicked, this, [this] { chooseStyle(WallpaperStyle::Tiled); });
  connect(centred_, &QRadioButton::clicked, this, [this] { chooseStyle(WallpaperStyle::Centred); });
  connect(stretched_, &QRadioButton::clicked, this, [this] { chooseStyle(WallpaperStyle::Stretched); });

  styleBox->addWidget(heading("Dopasuj położenie tapety:", tab));
  auto* position = new QGridLayout;
  originX_ = new PositionField(tab);
  originX_->setObjectName("tapetaX");
  originX_->setToolTip(QStringLiteral("Zmień położenie tapety na X"));
  originY_ = new PositionField(tab);
  originY_->setObjectName("tapetaY");
  originY_->setToolTip(QStringLiteral("Zmień położenie tapety na Y"));
  auto* xCaption = new QLabel(QString::fromUtf8("współrzędna X"), tab);
  auto* yCaption = new QLabel(QString::fromUtf8("wapółrzędna Y"), tab);
  xCaption->setBuddy(originX_);
  yCaption->setBuddy(originY_);
  originX_->setAccessibleName(xCaption->text());
  originY_->setAccessibleName(yCaption->text());
  position->addWidget(xCaption, 0, 0);
  position->addWidget(originX_, 0, 1);
  position->addWidget(yCaption, 1, 0);
  position->addWidget(originY_, 1, 1);
  styleBox->addLayout(position);
  layout->addLayout(styleBox, 0, 1);

  auto* previewColumn = new QVBoxLayout;
  previewColumn->addWidget(heading("Podgląd", tab));
  quarter_ = valueLabel("tapetaPodglad", "Podgląd na wybraną tapetę", tab);
  quarter_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  quarter_->installEventFilter(this);
  previewColumn->addWidget(quarter_);
  progress_ = new QProgressBar(tab);
  progress_->setObjectName("tapetaPostep");
  progress_->setToolTip(QString::fromUtf8("Postęp w łądowaniu tapety"));
  progress_->setAccessibleName(progress_->toolTip());
  progress_->setRange(0, kProgressSteps);
  progress_->hide();
  previewColumn->addWidget(progress_);
  layout->addLayout(previewColumn, 1, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  changeButton_ = hintedButton(QString::fromUtf8("Zmień tapetę"), QString::fromUtf8("Zmień tapetę na ..."),
                               "tapetaZmien", tab);
  removeButton_ = hintedButton(QString::fromUtf8("Usuń tapetę"), QString::fromUtf8("Usuń aktualną tapetę"),
                               "tapetaUsun", tab);
  fullScreenButton_ = new QToolButton(tab);
  fullScreenButton_->setObjectName("tapetaPelnyEkran");
  fullScreenButton_->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));
  fullScreenButton_->setToolTip(QString::fromUtf8("Podgląd wybranej tapety"));
  fullScreenButton_->setAccessibleName(fullScreenButton_->toolTip());
  auto* apply = hintedButton(kApplyCaption, QString::fromUtf8(kApplyHint), "tapetaZastosuj", tab);
  for (QWidget* b : std::initializer_list<QWidget*>{changeButton_, removeButton_, fullScreenButton_, apply})
    buttons->addWidget(b);
  layout->addLayout(buttons, 2, 0, 1, 2);
  layout->setRowStretch(3, 1);

  connect(changeButton_, &QPushButton::clicked, this, [this] { changeWallpaper(); });
  connect(removeButton_, &QPushButton::clicked, this, [this] { removeWallpaper(); });
  connect(fullScreenButton_, &QToolButton::clicked, this, [this] { showFullScreenPreview(); });
  wallpaperApply_ = &addApplyCommand(apply, {}, [this] { return applyWallpaper(); });
  for (PositionField* field : {originX_, originY_})
    connect(field, &PositionField::valueEdited, this, [this] { wallpaperApply_->markPending(); });
}

void DesktopPage::buildPatternTab() {
  QWidget* tab = area("pulpitdesen");
  auto* layout = new QGridLayout(tab);
  patterns_ = new QListWidget(tab);
  patterns_->setObjectName("desenLista");
  describeList(patterns_, QString::fromUtf8("Lista dostępnych deseni:"));
  for (const DesktopPattern& pattern : desktopPatterns()) patterns_->addItem(QString::fromUtf8(pattern.name));
  patterns_->installEventFilter(this);
  layout->addWidget(patterns_, 0, 0, 3, 1);

  layout->addWidget(heading("Podgląd desenia:", tab), 0, 1);
  patternPreview_ = new PatternPreview([this] { return desktopColour(); }, tab);
  patternPreview_->setObjectName("desenPodglad");
  patternPreview_->setToolTip(QString::fromUtf8("Podgląd na wybrany deseń"));
  patternPreview_->setAccessibleName(patternPreview_->toolTip());
  patternPreview_->setFixedSize(kPatternPreviewStep - 5, kPatternPreviewStep - 5);
  layout->addWidget(patternPreview_, 1, 1, Qt::AlignTop);

  auto* apply = hintedButton(kApplyCaption, QString::fromUtf8(kApplyHint), "desenZastosuj", tab);
  layout->addWidget(apply, 2, 1, Qt::AlignBottom);
  patternApply_ = &addApplyCommand(apply, {}, [this] { return applyPattern(); });

  // A click, or moving the selection with the keys.
  connect(patterns_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!loading() && row >= 0) choosePattern(row);
  });
  connect(patterns_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { choosePattern(patterns_->row(item)); });
}

void DesktopPage::buildScreenSaverTab() {
  QWidget* tab = area("pulpitwygaszaczekranu");
  auto* layout = new QGridLayout(tab);

  layout->addWidget(heading("Wybierz wygaszacz ekranu", tab), 0, 0);
  savers_ = new QListWidget(tab);
  savers_->setObjectName("wygaszaczLista");
  describeList(savers_, QString::fromUtf8("Lista dostępnych wygaszaczy"));
  savers_->setMouseTracking(true);
  savers_->installEventFilter(this);
  savers_->viewport()->installEventFilter(this);
  // A name wider than the list shows in full as the hint, after 50 ms.
  longNameHint_ = new QTimer(this);
  longNameHint_->setSingleShot(true);
  longNameHint_->setInterval(50);
  connect(longNameHint_, &QTimer::timeout, this, [this] { showLongName(); });
  layout->addWidget(savers_, 1, 0, 4, 1);
  connect(savers_, &QListWidget::itemClicked, this, [this] { chooseScreenSaver(); });

  auto* saverButtons = new QHBoxLayout;
  saverPreview_ =
      hintedButton(QString::fromUtf8("Podgląd"), QString::fromUtf8("Podgląd na wybrany wygaszacz ekranu"),
                   "wygaszaczPodglad", tab);
  saverInstall_ = new QPushButton(QString::fromUtf8("Zastosuj wygaszacz ekranu"), tab);
  saverInstall_->setObjectName("wygaszaczZastosujWygaszacz");
  saverButtons->addWidget(saverPreview_);
  saverButtons->addWidget(saverInstall_);
  layout->addLayout(saverButtons, 5, 0);
  connect(saverPreview_, &QPushButton::clicked, this, [this] { previewScreenSaver(); });
  connect(saverInstall_, &QPushButton::clicked, this, [this] { installScreenSaver(); });

  auto* activeRow = new QHBoxLayout;
  saverActive_ = optionBox("Uruchom wygaszacz ekranu po                  min",
                           "Kliknij, aby uaktywnić uruchamianie wygaszacza ekranu", "wygaszaczUruchom", tab);
  saverTimeout_ =
      minutesField("wygaszaczCzas", "Zmień czas, po jakim ma uruchamiać się wygaszacz ekranu", tab);
  activeRow->addWidget(saverActive_);
  activeRow->addWidget(saverTimeout_);
  layout->addLayout(activeRow, 1, 1);

  monitorGroup_ = new QGroupBox(QString::fromUtf8("Funkcje oszczędzania energii monitora:"), tab);
  monitorGroup_->setObjectName("wygaszaczMonitor");
  auto* monitor = new QGridLayout(monitorGroup_);
  lowPowerActive_ = optionBox("Wygaś monitor po                  min", "Uruchom opcję wygaszania monitora",
                              "wygaszaczWygasMonitor", monitorGroup_);
  lowPowerTimeout_ =
      minutesField("wygaszaczCzasWygaszania", "Zmień czas, po którym ma wygasić się monitor", monitorGroup_);
  powerOffActive_ = optionBox("Wyłącz monitor po                 min", "Uruchom opcję wyłączania monitora",
                              "wygaszaczWylaczMonitor", monitorGroup_);
  powerOffTimeout_ =
      minutesField("wygaszaczCzasWylaczania", "Zmień czas, po którym ma wyłączyć się monitor", monitorGroup_);
  monitor->addWidget(lowPowerActive_, 0, 0);
  monitor->addWidget(lowPowerTimeout_, 0, 1);
  monitor->addWidget(powerOffActive_, 1, 0);
  monitor->addWidget(powerOffTimeout_, 1, 1);
  layout->addWidget(monitorGroup_, 2, 1);

  usePassword_ = optionBox("Zabezpiecz hasłem", "Zabezpiecz wygaszacz hasłem", "wygaszaczHaslo", tab);
  layout->addWidget(usePassword_, 3, 1);

  auto* apply = new QPushButton(QString::fromUtf8(kApplyCaption), tab);
  apply->setObjectName("wygaszaczZastosuj");
  apply->setToolTip(QString::fromUtf8("Zastosuj wybrany wygaszacz ekranu lub (i) jego opcje"));
  layout->addWidget(apply, 5, 1, Qt::AlignRight);
  layout->setRowStretch(4, 1);
  saverApply_ = &addApplyCommand(apply, {}, [this] { return applyScreenSaverOptions(); });

  const std::pair<QCheckBox*, QSpinBox*> pairs[] = {{saverActive_, saverTimeout_},
                                                    {lowPowerActive_, lowPowerTimeout_},
                                                    {powerOffActive_, powerOffTimeout_}};
  for (const auto& [box, field] : pairs) {
    connect(box, &QCheckBox::clicked, this, [this, box = box, field = field] {
      field->setEnabled(box->isChecked());
      saverApply_->markPending();
    });
    connect(field, &QSpinBox::valueChanged, this, [this] { saverApply_->markPending(); });
    saverApply_->runOnEnter(box);
    saverApply_->runOnEnter(field);
  }
  connect(usePassword_, &QCheckBox::clicked, this, [this] { saverApply_->markPending(); });
  saverApply_->runOnEnter(usePassword_);
}

// --- loading --------------------------------------------------------------

void DesktopPage::load() {
  settings_->loadFolderAndFirstSettings();
  loadWallpaperStyle();
  loadScreenSaverSettings();
  settings_->loadRestrictionsAndIcons();
  loadScreenAndWallpaper();
  loadScreenSaverList();
  loadPattern();
  settings_->loadRecycleBin();
  // The Apply commands go back to not pending after this; these two are plain buttons.
  saverPreview_->setEnabled(false);
  saverInstall_->setEnabled(false);
}

void DesktopPage::loadWallpaperStyle() {
  RegistryHandle reg(app().registry());
  std::string tile, stretch;
  if (openForRead(reg, kDesktopKey)) {
    tile = guardedReadString(reg, "TileWallpaper");
    stretch = guardedReadString(reg, "WallpaperStyle");
  }
  if (tile == "1") {
    loadedStyle_ = WallpaperStyle::Tiled;
  } else if (stretch == "2") {
    loadedStyle_ = WallpaperStyle::Stretched;
  } else if (tile == "0") {
    loadedStyle_ = WallpaperStyle::Centred;
  } else {
    loadedStyle_ = WallpaperStyle::None;
  }
  setStyle(loadedStyle_);
}

void DesktopPage::loadScreenSaverSettings() {
  RegistryHandle reg(app().registry());
  const bool open = openForRead(reg, kDesktopKeyCapital);
  saverActive_->setChecked(open && guardedReadString(reg, "ScreenSaveActive") == "1");
  loadMinutes(reg, "ScreenSaveTimeOut", saverTimeout_);
  saverTimeout_->setEnabled(saverActive_->isChecked());

  const std::optional<bool> lowPower = presentFlag(reg, "ScreenSaveLowPowerActive");
  const std::optional<bool> powerOff = presentFlag(reg, "ScreenSavePowerOffActive");
  lowPowerPresent_ = lowPower.has_value();
  powerOffPresent_ = powerOff.has_value();
  lowPowerActive_->setChecked(lowPower.value_or(false));
  powerOffActive_->setChecked(powerOff.value_or(false));
  loadMinutes(reg, "ScreenSaveLowPowerTimeout", lowPowerTimeout_);
  loadMinutes(reg, "ScreenSavePowerOffTimeout", powerOffTimeout_);
  lowPowerActive_->setVisible(lowPowerPresent_);
  lowPowerTimeout_->setVisible(lowPowerPresent_);
  powerOffActive_->setVisible(powerOffPresent_);
  powerOffTimeout_->setVisible(powerOffPresent_);
  lowPowerTimeout_->setEnabled(lowPowerActive_->isChecked());
  powerOffTimeout_->setEnabled(powerOffActive_->isChecked());
  monitorGroup_->setVisible(lowPowerPresent_);

  usePassword_->setChecked(open && readDwordFlag(reg, "ScreenSaveUsePassword"));
}

void DesktopPage::loadScreenAndWallpaper() {
  const QSize screen = screenSize();
  resolution_->setText(
      QString::fromUtf8("Rozdzielczość twojego ekranu %1 x %2").arg(screen.width()).arg(screen.height()));
  originX_->setMaximum(screen.width());
  originY_->setMaximum(screen.height());

  RegistryHandle reg(app().registry());
  const bool open = openForRead(reg, kDesktopKey);
  const auto origin = [&](const char* name) {
    return open ? integerText(guardedReadString(reg, name)).value_or(0) : 0;
  };
  originX_->setValue(origin("WallpaperOriginX"));
  originY_->setValue(origin("WallpaperOriginY"));

  const std::string file = open ? guardedReadString(reg, "Wallpaper") : std::string();
  wallpaper_ = {};
  if (!file.empty() && isLoadableWallpaper(fileExtension(file)) && app().files().fileExists(file)) {
    std::string error;
    // A file that is no picture at all counts as no wallpaper.
    if (std::optional<QImage> picture = readPicture(file, &error)) {
      wallpaper_.file = file;
      wallpaper_.picture = std::move(*picture);
    }
  }
  if (wallpaper_.file.empty()) {
    showNoWallpaper();
    return;
  }
  showWallpaperDetails();
  showQuarterPreview();
  for (QWidget* w :
       std::initializer_list<QWidget*>{tiled_, centred_, stretched_, removeButton_, fullScreenButton_})
    w->setEnabled(true);
  originX_->setEnabled(centred_->isChecked());
  originY_->setEnabled(centred_->isChecked());
}

void DesktopPage::loadScreenSaverList() {
  savers_->clear();
  const std::string folder = app().environment().systemDirectory();
  QStringList names;
  if (app().files().directoryExists(folder)) {
    for (const std::string& name : app().files().listNames(folder, "*.scr")) names << qt(name);
  }
  names << QString::fromUtf8(kNoSaver);
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  savers_->addItems(names);
}

void DesktopPage::loadPattern() {
  RegistryHandle reg(app().registry());
  std::string stored = "(brak)";
  if (openForRead(reg, kDesktopKeyCapital) && reg.valueExists("Pattern") &&
      reg.valueKind("Pattern") == ValueKind::String)
    stored = reg.readString("Pattern");
  const int shown = patternForText(stored);
  // Until a pattern is chosen the pattern Apply writes what is stored; with
  // nothing stored, "(brak)"'s text.
  patternText_ = stored == "(brak)" || stored.empty() ? desktopPatterns()[0].text : stored;
  patternPreview_->invalidate();
  patternPreview_->showPattern(shown);
}

// --- wallpaper ------------------------------------------------------------

QColor DesktopPage::desktopColour() const {
  const Rgb colour = app().systemSettings().systemColour(kBackgroundColour);
  return QColor(colour.red, colour.green, colour.blue);
}

QSize DesktopPage::screenSize() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize(640, 480);
}

WallpaperStyle DesktopPage::wallpaperStyle() const {
  if (tiled_->isChecked()) return WallpaperStyle::Tiled;
  if (centred_->isChecked()) return WallpaperStyle::Centred;
  if (stretched_->isChecked()) return WallpaperStyle::Stretched;
  return WallpaperStyle::None;
}

int DesktopPage::previewedPattern() const { return patternPreview_->shownPattern(); }

std::optional<QImage> DesktopPage::readPicture(const std::string& dosPath, std::string* error) {
  const std::optional<std::string> bytes = app().files().readFile(dosPath);
  if (!bytes) {
    *error = "Nie można odczytać pliku " + dosPath + ".";
    return std::nullopt;
  }
  try {
    Picture picture = app().pictures().decode(
        std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
    if (picture.image.isNull()) {
      *error = "Nie można odczytać rysunku z pliku \"" + dosPath + "\".";
      return std::nullopt;
    }
    return std::move(picture.image);
  } catch (const PictureError& e) {
    *error = e.what();
    return std::nullopt;
  }
}

void DesktopPage::setStyle(WallpaperStyle style) {
  // The group lets no button go unchecked; a load may need none.
  styles_->setExclusive(false);
  tiled_->setChecked(style == WallpaperStyle::Tiled);
  centred_->setChecked(style == WallpaperStyle::Centred);
  stretched_->setChecked(style == WallpaperStyle::Stretched);
  styles_->setExclusive(true);
}

void DesktopPage::showNoWallpaper() {
  fileName_->setText(QString::fromUtf8(kNoWallpaper));
  fileType_->clear();
  pictureSize_->clear();
  quarter_->clear();
  if (preview_) preview_->close();
  styles_->setExclusive(false);
  centred_->setChecked(false);
  styles_->setExclusive(true);
  for (QWidget* w : std::initializer_list<QWidget*>{tiled_, centred_, stretched_, originX_, originY_,
                                                    removeButton_, fullScreenButton_})
    w->setEnabled(false);
  wallpaperApply_->setPending(false);
}

void DesktopPage::showWallpaperDetails() {
  const WallpaperName name = wallpaperName(wallpaper_.file);
  fileName_->setText(qt(name.name));
  fileType_->setText(qt(name.type));
  pictureSize_->setText(
      QStringLiteral("%1 x %2").arg(wallpaper_.picture.width()).arg(wallpaper_.picture.height()));
}

void DesktopPage::showQuarterPreview() {
  const WallpaperStyle style = wallpaperStyle();
  QImage& preview = wallpaper_.previews[static_cast<std::size_t>(style)];
  if (preview.isNull()) preview = quarterPreview(wallpaper_.picture, style, screenSize(), desktopColour());
  quarter_->setPixmap(QPixmap::fromImage(preview));
}

std::string DesktopPage::chooserFolder() const {
  const std::string own = app().environment().programDirectory() + "\\Logo\\Pulpit";
  if (app().files().directoryExists(own)) return own;
  const std::string web = app().windowsDirectory() + "\\Web\\Wallpaper";
  if (app().files().directoryExists(web)) return web;
  return app().windowsDirectory();
}

void DesktopPage::changeWallpaper() {
  const std::optional<std::string> file = app().dialogs().openPicture(
      {.title = "Wybierz rysunek na tapetę:",
       .filter = "Wszystkie pliki "
                 "graficzne|*.bmp;*.gif;*.jpg;*.jpeg;*.jpe|Bitmapy|*.bmp|Gify|*.gif|Jpegi|*.jpg;*.jpeg;"
                 "*.jpe;",
       .initialFolder = chooserFolder(),
       .defaultExtension = {},
       .mustExist = true});
  if (!file) return;
  if (!app().files().fileExists(*file) || !isChoosableWallpaper(fileExtension(*file))) {
    app().dialogs().message(kBadFormat);
    return;
  }
  progress_->setValue(0);
  progress_->show();
  int step = 0;
  const auto advance = [&] { progress_->setValue(++step); };
  std::string error;
  std::optional<QImage> picture = readPicture(*file, &error);
  advance();
  if (!picture) {
    // A file with a picture's name but no picture in it: nothing changes.
    progress_->hide();
    app().dialogs().message(error);
    return;
  }
  wallpaper_ = {*file, std::move(*picture), {}};
  advance();
  showWallpaperDetails();
  advance();
  setStyle(WallpaperStyle::Centred);
  // The previews of all three styles, so that choosing one is at once.
  for (WallpaperStyle style : {WallpaperStyle::Tiled, WallpaperStyle::Stretched, WallpaperStyle::Centred}) {
    wallpaper_.previews[static_cast<std::size_t>(style)] =
        quarterPreview(wallpaper_.picture, style, screenSize(), desktopColour());
    advance();
    advance();
  }
  showQuarterPreview();
  advance();
  for (QWidget* w :
       std::initializer_list<QWidget*>{tiled_, centred_, stretched_, originX_, originY_, fullScreenButton_})
    w->setEnabled(true);
  wallpaperApply_->setPending(true);
  advance();
  progress_->setValue(kProgressSteps);
  progress_->hide();
  centred_->setFocus();
}

void DesktopPage::chooseStyle(WallpaperStyle style) {
  if (wallpaper_.file.empty()) return;
  const bool centred = style == WallpaperStyle::Centred;
  originX_->setEnabled(centred);
  originY_->setEnabled(centred);
  showQuarterPreview();
  if (style != WallpaperStyle::Tiled) fullScreenButton_->setEnabled(true);
  wallpaperApply_->markPending();
}

bool DesktopPage::installWallpaper(const std::string& target) {
  FileSystem& files = app().files();
  const WallpaperInstall install = wallpaperInstall(fileExtension(wallpaper_.file));
  if (install == WallpaperInstall::CopyBitmap) {
    // A bitmap of that name already there is the one installed.
    if (files.fileExists(target)) return true;
    if (files.copyFile(wallpaper_.file, target, true)) return true;
    app().dialogs().message("Nie można zapisać pliku " + target + ".");
    return false;
  }
  if (install == WallpaperInstall::None) {
    app().dialogs().message(kBadFormat);
    return false;
  }
  // Decoded afresh: the file may have changed since it was chosen.
  std::string error;
  const std::optional<QImage> picture = readPicture(wallpaper_.file, &error);
  if (!picture) {
    app().dialogs().errorBox(error);
    return false;
  }
  QImage bitmap;
  if (install == WallpaperInstall::ConvertJpeg) {
    bitmap = QImage(picture->size(), QImage::Format_RGB32);
    QPainter p(&bitmap);
    p.drawImage(0, 0, *picture);
  } else {
    bitmap = *picture;
  }
  bool written = false;
  try {
    const std::vector<std::uint8_t> bytes = formats::BmpWriter::encode(bitmap, bitmapDepth(bitmap));
    written = files.writeFile(target, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
  } catch (const formats::FormatError&) {
    written = false;
  }
  if (!written) app().dialogs().message("Nie można zapisać pliku " + target + ".");
  return written;
}

WriteResult DesktopPage::applyWallpaper() {
  RegistryHandle reg(app().registry());
  openForRead(reg, kDesktopKey);
  switch (wallpaperStyle()) {
    case WallpaperStyle::Centred:
      reg.writeString("WallpaperStyle", "0");
      reg.writeString("TileWallpaper", "0");
      if (originX_->value() != 0 && originY_->value() != 0) {
        writeNumberText(reg, "WallpaperOriginX", originX_->value());
        writeNumberText(reg, "WallpaperOriginY", originY_->value());
      }
      break;
    case WallpaperStyle::Tiled:
      reg.writeString("WallpaperStyle", "0");
      reg.writeString("TileWallpaper", "1");
      break;
    case WallpaperStyle::Stretched:
      reg.writeString("WallpaperStyle", "2");
      reg.writeString("TileWallpaper", "0");
      break;
    case WallpaperStyle::None:
      break;
  }
  if (wallpaper_.file.empty()) return WriteResult::Done;
  const std::string target = app().windowsDirectory() + "\\" + wallpaperName(wallpaper_.file).name + ".bmp";
  if (!installWallpaper(target)) return WriteResult::KeepPending;
  reg.writeString("Wallpaper", target);
  SystemSettings& system = app().systemSettings();
  system.setWallpaper(target);
  system.redrawDesktop();
  removeButton_->setEnabled(true);
  return WriteResult::Done;
}

void DesktopPage::removeWallpaper() {
  const bool done = run([this] {
    RegistryHandle reg(app().registry());
    openForRead(reg, kDesktopKey);
    reg.writeString("Wallpaper", "");
    app().systemSettings().setWallpaper({});
    app().systemSettings().redrawDesktop();
  });
  if (done) run([this] { reload(); });
}

void DesktopPage::showFullScreenPreview() {
  if (wallpaper_.picture.isNull()) return;
  if (!preview_) preview_ = std::make_unique<Tpodglad>(window());
  const QImage& picture = wallpaper_.picture;
  const QSize screen = screenSize();
  preview_->setBackgroundColour(desktopColour());
  preview_->setTiledBackground({});
  const WallpaperStyle style = wallpaperStyle();
  QString styleName;
  switch (style) {
    case WallpaperStyle::Tiled:
      styleName = QString::fromUtf8("Sąsiadująca");
      if (picture.width() < screen.width() || picture.height() < screen.height()) {
        preview_->setTiledBackground(picture);
        preview_->setPicture({}, Tpodglad::Placement::TopLeft);
      } else {
        preview_->setPicture(picture, Tpodglad::Placement::TopLeft);
      }
      break;
    case WallpaperStyle::Stretched:
      styleName = QStringLiteral("Dopasowana do rozmiaru pulpitu");
      preview_->setPicture(picture, Tpodglad::Placement::Stretched);
      break;
    case WallpaperStyle::Centred:
    case WallpaperStyle::None:
      if (style == WallpaperStyle::Centred) styleName = QString::fromUtf8("Wyśrodkowana");
      preview_->setPicture(picture, Tpodglad::Placement::Centred);
      break;
  }
  preview_->setDescription(QString::fromUtf8("Podgląd  wybranej tapety (\"") + fileName_->text() + "." +
                           fileType_->text() + QString::fromUtf8("\" Rozmiar: ") + pictureSize_->text() +
                           QString::fromUtf8(" Styl: ") + styleName + ")");
  preview_->showFullScreen();
}

// --- pattern --------------------------------------------------------------

void DesktopPage::choosePattern(int row) {
  if (row < 0 || row >= kDesktopPatternCount) return;
  patternText_ = desktopPatterns()[row].text;
  patternPreview_->showPattern(row);
  patternApply_->markPending();
}

WriteResult DesktopPage::applyPattern() {
  FileSystem& files = app().files();
  const std::string ini = app().windowsDirectory() + "\\Control.INI";
  std::vector<std::pair<std::string, std::string>> entries;
  for (int i : controlIniPatternOrder())
    entries.emplace_back(desktopPatterns()[i].name, desktopPatterns()[i].text);
  const std::string bytes = replaceIniSection(files.readFile(ini).value_or(std::string()), "Patterns",
                                              entries, app().environment().ansiCodePage());
  if (!files.writeFile(ini, bytes)) throw StoreError(store_messages::unableToWrite(ini));

  RegistryHandle reg(app().registry());
  openForRead(reg, kDesktopKeyCapital);
  reg.writeString("Pattern", patternText_);
  SystemSettings& system = app().systemSettings();
  system.setPattern(patternText_);
  system.redrawDesktop();
  return WriteResult::Done;
}

// --- screen saver ---------------------------------------------------------

void DesktopPage::chooseScreenSaver() {
  QListWidgetItem* item = savers_->currentItem();
  if (!item) return;
  saverPreview_->setEnabled(item->text() != QString::fromUtf8(kNoSaver));
  saverInstall_->setEnabled(true);
}

std::string DesktopPage::screenSaverPath() const {
  QListWidgetItem* item = savers_->currentItem();
  if (!item || item->text() == QString::fromUtf8(kNoSaver)) return {};
  return app().environment().systemDirectory() + "\\" + item->text().toStdString();
}

void DesktopPage::previewScreenSaver() {
  const std::string path = screenSaverPath();
  if (path.empty()) return;
  app().launcher().open(path, ShowWindow::Normal);
}

void DesktopPage::installScreenSaver() {
  app().dialogs().message(kInstallSaverMessage);
  app().launcher().run(
      app().windowsDirectory() + "\\rundll32.exe desk.cpl,InstallScreenSaver " + screenSaverPath(),
      ShowWindow::Normal);
}

WriteResult DesktopPage::applyScreenSaverOptions() {
  RegistryHandle reg(app().registry());
  openForRead(reg, kDesktopKeyCapital);
  const bool active = saverActive_->isChecked();
  reg.writeString("ScreenSaveActive", active ? "1" : "0");
  if (active) writeNumberText(reg, "ScreenSaveTimeOut", saverTimeout_->value() * 60);
  if (lowPowerPresent_) {
    reg.writeString("ScreenSaveLowPowerActive", lowPowerActive_->isChecked() ? "1" : "0");
    if (lowPowerActive_->isChecked())
      writeNumberText(reg, "ScreenSaveLowPowerTimeout", lowPowerTimeout_->value() * 60);
  }
  if (powerOffPresent_) {
    reg.writeString("ScreenSavePowerOffActive", powerOffActive_->isChecked() ? "1" : "0");
    if (powerOffActive_->isChecked())
      writeNumberText(reg, "ScreenSavePowerOffTimeout", powerOffTimeout_->value() * 60);
  }
  writeDwordFlag(reg, "ScreenSaveUsePassword", usePassword_->isChecked());
  return WriteResult::Done;
}

void DesktopPage::showLongName() {
  QListWidgetItem* item = savers_->itemAt(hintPoint_);
  if (!item) return;
  const QString name = item->text();
  if (savers_->fontMetrics().horizontalAdvance(name) <= savers_->viewport()->width()) return;
  QToolTip::showText(savers_->viewport()->mapToGlobal(hintPoint_), name, savers_->viewport());
}

// --- keys and mouse -------------------------------------------------------

bool DesktopPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == quarter_ && event->type() == QEvent::MouseButtonDblClick) {
    changeWallpaper();
    return true;
  }
  if (savers_ && watched == savers_->viewport()) {
    if (event->type() == QEvent::MouseMove) {
      hintPoint_ = static_cast<QMouseEvent*>(event)->position().toPoint();
      longNameHint_->start();
    } else if (event->type() == QEvent::Leave) {
      longNameHint_->stop();
    } else if (event->type() == QEvent::ToolTip && QToolTip::isVisible()) {
      return true;  // the long name's hint stays, not the list's own
    }
  }
  if (event->type() == QEvent::KeyPress) {
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const bool enter = keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter;
    if (enter && watched == patterns_) {
      patternApply_->run();
      return true;
    }
    if (enter && watched == savers_) {
      if (keyEvent->modifiers() & Qt::AltModifier) {
        saverApply_->run();
        return true;
      }
      if (keyEvent->modifiers() & Qt::ControlModifier) {
        previewScreenSaver();
        return true;
      }
    }
  }
  return Page::eventFilter(watched, event);
}

}  // namespace kelvaro
