#include "pages/system/internet_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

#include "pages/system/internet_editor.h"
#include "pages/widgets/clickable_label.h"
#include "pages/widgets/hinted_button.h"
#include "platform/file_system.h"
#include "platform/launcher.h"
#include "platform/pictures.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kIe[] = "Software\\Microsoft\\Internet Explorer";
constexpr char kIeMain[] = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr char kIeToolbar[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr char kIeDocumentWindows[] = "Software\\Microsoft\\Internet Explorer\\Document Windows";
constexpr char kIeRestrictions[] = "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Restrictions";
constexpr char kIeControlPanel[] = "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Control Panel";
constexpr char kMachineIeMain[] = "SOFTWARE\\Microsoft\\Internet Explorer\\Main";
constexpr char kSmallIcons[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\SmallIcons";
constexpr char kExplorerPolicies[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr char kToolbarRestrictions[] =
    "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Toolbars\\Restrictions";
constexpr char kIdentities[] = "Identities";
constexpr char kOutlook[] = "Software\\Microsoft\\Outlook Express";
constexpr char kOutlookVersion[] = "Software\\Microsoft\\Outlook Express\\5.0";

constexpr char kIdleNote[] = "Uwaga: Kliknij dwukrotnie na informację, którą chcesz zmienić.";
constexpr char kEditingNote[] = "Uwaga: Zatwierdź zmianę ENTER-em.";
constexpr char kApplyHint[] = "Zastosuj wprowadzone zmiany";
constexpr char kPictureFilter[] = "Bitmapy|*.bmp";
constexpr int kFrameMs = 40;

// "Ogólne", in the order of the page.
enum General { Title, DownloadFolder, SaveFolder, LocalPage, LinksName, StartPage };
struct GeneralRow {
  const char* caption;
  const char* name;
  InlineKind kind;
};
constexpr std::array<GeneralRow, 6> kGeneral{{
    {"Internet Explorer tytuł:", "WindowTitle", InlineKind::Text},
    {"Miejsce zapisywania ściąganych plików:", "DownloadDirectory", InlineKind::Folder},
    {"Miejsce zapisywania stron WWW:", "SaveDirectory", InlineKind::Folder},
    {"Dowolna strona:", "LocalPage", InlineKind::File},
    {"Nazwa paska z linkami do stron:", "LinksFolderName", InlineKind::Text},
    {"Strona startowa:", "StartPage", InlineKind::StartPage},
}};

struct PictureRow {
  const char* caption;
  const char* value;
  int width;      // an animation's frame size; 0 for the background
  int minHeight;  // an animation's least height
  const char* formatMessage;
  const char* sizeMessage;
};
constexpr std::array<PictureRow, InternetPage::kPictures> kPictureRows{{
    {"Mała animacja na pasku narzędzi", "SmBrandBitmap", 22, 682,
     "Format wybranego pliku jest nieprawidłowy. Aby zmienić małą animację na pasku narzędzi plik musi być w "
     "formacie BMP. Wybierz inny plik, lub sprawdź czy wybrany plik istnieje.",
     "Format wybranego rysunku jest niepoprawny !!!\r\rAnimacja musi zawierać 31 obrazków o wymiarach 22x22 "
     "każdy. Obrazki należy ułożyć jeden pod drugim, co łącznie daje rozmiar 22x682 całej animacji."},
    {"Duża animacja na pasku narzędzi", "BrandBitmap", 38, 1178,
     "Format wybranego pliku jest nieprawidłowy. Aby zmienić dużą animację na pasku narzędzi plik musi być w "
     "formacie BMP. Wybierz inny plik, lub sprawdź czy wybrany plik istnieje.",
     "Format wybranego rysunku jest niepoprawny !!!\r\rAnimacja musi zawierać 31 obrazków o wymiarach 38x38 "
     "każdy. Obrazki należy ułożyć jeden pod drugim, co łącznie daje rozmiar 38x1178 całej animacji."},
    {"Bitmapa tła pasków narzędzi", "BackBitmapIE5", 0, 0,
     "Format wybranego pliku jest nieprawidłowy. Aby zmienić tło Internet Explorera plik musi być w formacie "
     "BMP. "
     "Wybierz inny plik, lub sprawdź czy wybrany plik istnieje.",
     nullptr},
}};

constexpr std::array<StartPageChoice, 8> kStartPages{{
    {"Google", "http://www.google.pl/"},
    {"Interia", "http://www.interia.pl/"},
    {"Onet", "http://www.onet.pl/"},
    {"Wirtualna Polska", "http://www.wp.pl/"},
    {"Domyślna Strona", "http://www.msn.com/"},
    {"Dowolna strona", ""},
    {"Pusta strona", "about:blank"},
    {"Moja strona internetwa", "http://www.example.org/kelvaro/"},
}};

struct Flag {
  const char* caption;
  const char* value;
  int group;  // the box's group on its sub-page
};

// "Menu": the groups and then the boxes in the order Apply writes them.
constexpr std::array<const char*, 4> kMenuGroups{
    "W menu \"Plik\" wyłącz funkcję:", "W menu \"Narzędzia\" wyłącz funkcję:",
    "W menu \"Widok\" wyłącz funkcję:", "W menu \"Pomoc\" wyłącz funkcję:"};
constexpr std::array<Flag, 13> kMenu{{
    {"\"Nowy\"", "NoFileNew", 0},
    {"\"Otwórz\"", "NoFileOpen", 0},
    {"\"Zapisz\" i \"Zapisz jako\"", "NoBrowserSaveAs", 0},
    {"\"Zapisz jako strona sieci Web\"", "NoBrowserSaveWebComplete", 0},
    {"\"Zamknij\"", "NoBrowserClose", 0},
    {"\"Windows Update\"", "NoWindowsUpdate", 1},
    {"\"Opcje Internetowe\"", "NoBrowserOptions", 1},
    {"\"Pełny Ekran\"", "NoTheaterMode", 2},
    {"\"Źródło\"", "NoViewSource", 2},
    {"Wyłącz menu \"Ulubione\"", "NoFavorites", -1},
    {"\"Porada dnia\"", "NoHelpItemTipOfTheDay", 3},
    {"\"Dla użytkowników programu Netscape\"", "NoHelpItemNetscapeHelp", 3},
    {"\"Prześlij opinię\"", "NoHelpItemSendFeedback", 3},
}};

// "Ustawienia": the yes/no texts.
struct YesNo {
  const char* caption;
  const char* readKey;
  const char* writeKey;
  const char* value;
};
enum YesNoBox { DiscussionBox, FontsBox, ChannelBandBox, FullScreenBox, MaximizedBox, SmallIconsBox };
constexpr std::array<YesNo, 6> kYesNo{{
    {"Pokazuj przycisk \"Dyskusja\"", kIeToolbar, kIeToolbar, "ShowDiscussionButton"},
    {"Pokazuj przycisk \"Czcionki\"", kIeToolbar, kIeToolbar, "ShowFonts"},
    {"Pokazuj pasek kanałów", kIeMain, kIeMain, "Show_ChannelBand"},
    {"Uruchamiaj IE na pełnym ekranie", kIeMain, kIeMain, "FullScreen"},
    // Read where the browser keeps it, written where it reads it at start.
    {"Uruchamiaj zmaksymalizowane okno IE", kIeDocumentWindows, kIeMain, "Maximized"},
    {"Małe ikony pasków narzędzi w Eksploratorze Windows i Internet Explorerze", kSmallIcons, kSmallIcons,
     "SmallIcons"},
}};
constexpr std::array<Flag, 7> kRestrictions{{
    {"Wyłącz ekran początkowy", "NoSplash", 0},
    {"Wyłącz interfejs \"Kanałów\"", "NoChannelUI", 0},
    {"Wyłącz wybór folderu do zapisu", "NoSelectDownloadDir", 0},
    {"Wyłącz polecenie \"Znajdź pliki\" (F3)", "NoFindFiles", 0},
    {"Wyłącz przeglądanie plików lokalnych", "NoFileUrl", 0},
    {"Wyłącz zmianę rozmiaru ikon pasków zadań", "LockIconSize", 0},
    {"Wyłącz menu kontekstowe na stronie HTML", "NoBrowserContextMenu", 0},
}};
constexpr std::array<Flag, 2> kExplorerFlags{{
    {"Wyłącz dostosowywanie przycisków pasków narzędzi", "NoToolbarCustomize", 0},
    {"Wyłącz dostosowywanie pasków zadań w Eksploratorze Windows i Internet Explorerze", "NoBandCustomize",
     0},
}};

// "Opcje internetowe": each group starts with its tab box.
constexpr std::array<Flag, 33> kOptions{{
    {"Ukryj zakładkę \"Ogólne\" lub zablokuj:", "GeneralTab", 0},
    {"zmianę strony startowej", "HomePage", 0},
    {"opcje Tymczasowych Plików Internetowych", "Settings", 0},
    {"zmianę folderu i ilości miejsca na TPI", "Cache", 0},
    {"przycisk Wyczyść historię", "History", 0},
    {"zmianę koloru tekstu i tła", "Colors", 0},
    {"zmianę koloru łączy", "Links", 0},
    {"zmiane czcionki", "Fonts", 0},
    {"zmainę dostępności", "Accessibility", 0},
    {"zmianę języka", "Languages", 0},
    {"Ukryj zakładkę \"Zawartość\" lub zablokuj:", "ContentTab", 1},
    {"Identyfikator Treści", "Ratings", 1},
    {"zmianę Certyfikatów i Wydawców", "Certificates", 1},
    {"zmianę certyfikatu", "CertifPers", 1},
    {"zmianę wydawców", "CertifPub", 1},
    {"zmianę ustawień Formuleży w Autouzupełnianiu", "FormSuggest", 1},
    {"Autouzupełnianie Nazwy użytkownika i hasła w formuleżach", "FormSuggest Passwords", 1},
    {"przycisk \"Mój profil\"", "Profiles", 1},
    {"Ukryj zakładkę \"Zabezpieczenia\" lub zablokuj:", "SecurityTab", 2},
    {"dokonywanie zmian na tej zakładce", "SecChangeSettings", 2},
    {"Ukryj zakładkę \"Połączenia\" lub zablokuj:", "ConnectionsTab", 3},
    {"przycisk \"Ustawienia\" połoczenia internetowego", "Connwiz Admin Lock", 3},
    {"ustawienia połączenia internetowego", "Connection Settings", 3},
    {"zmianę serwera Proxy", "Proxy", 3},
    {"automatyczną konfigurację", "AutoConfig", 3},
    {"Ukryj zakładkę \"Programy\" lub zablokuj:", "ProgramsTab", 4},
    {"zmianę programów \"Poczta e-mail\", \"Grupy dyskusyjne\", \"Wywołanie internetowe\"", "Messaging", 4},
    {"zmianę programów \"Kalendarz\", \"Lista kontaktów\"", "CalendarContact", 4},
    {"przycisk \"Resetuj ustawienia sieci Web\"", "ResetWebSettings", 4},
    {"pole \"Program IE ma sprawdzać, czy jest domyślną przeglądarką\"", "Check_If_Default", 4},
    {"Ukryj zakładkę \"Zaawansowane\" lub zablokuj:", "AdvancedTab", 5},
    {"przycisk \"Przywróć domyślne\"", "Advanced", 5},
    {"Ukryj zakładkę \"Prywatność\"", "PrivacyTab", 6},
}};
constexpr int kOptionGroups = 7;
// Groups side by side on one page of the sideways panel.
constexpr int kGroupsPerPage = 2;

QPushButton* applyButton(const char* name, QWidget* parent) {
  return hintedButton(QStringLiteral("Zastosuj"), QString::fromUtf8(kApplyHint), QString::fromUtf8(name),
                      parent);
}

bool readYes(RegistryHandle& reg, const char* value) {
  return QString::fromStdString(guardedReadString(reg, value, "no")).toUpper() == "YES";
}

bool isBmpName(const std::string& path) {
  return path.size() > 4 && (path.ends_with(".bmp") || path.ends_with(".BMP"));
}

// The built-in animation: a ring with a turning gap, one frame per step.
QImage builtInStrip(int size) {
  QImage strip(size, size * InternetPage::kFrames, QImage::Format_RGB32);
  strip.fill(Qt::white);
  QPainter painter(&strip);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int frame = 0; frame < InternetPage::kFrames; ++frame) {
    const QRectF ring(3, frame * size + 3, size - 6, size - 6);
    painter.setPen(QPen(QColor(0, 64, 160), size / 8.0));
    painter.drawArc(ring, frame * 360 * 16 / InternetPage::kFrames, 300 * 16);
  }
  return strip;
}

}  // namespace

InternetPage::InternetPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  buildGeneral();
  buildMenu();
  buildSettings();
  buildOutlook();
  buildOptions();
}

void InternetPage::buildGeneral() {
  QWidget* area = this->area("TabSheet2");
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(4);
  grid->setColumnStretch(1, 1);
  generalEditor_ = new InternetEditor(area, app().dialogs(), editing_, QStringLiteral("ieEditor"));
  int row = 0;
  for (std::size_t i = 0; i < kGeneral.size(); ++i, ++row) {
    auto* caption = new QLabel(QString::fromUtf8(kGeneral[i].caption), area);
    caption->setObjectName(QStringLiteral("%1Caption").arg(kGeneral[i].name));
    general_[i] = new QLabel(area);
    general_[i]->setObjectName(kGeneral[i].name);
    general_[i]->setMinimumWidth(40);
    caption->setBuddy(general_[i]);
    grid->addWidget(caption, row, 0);
    grid->addWidget(general_[i], row, 1, 1, 3);
    generalEditor_->addField(general_[i], caption, kGeneral[i].kind);
  }
  generalEditor_->setStartPageChoices(std::vector<StartPageChoice>(kStartPages.begin(), kStartPages.end()),
                                      [this](const StartPageChoice&) -> std::optional<QString> {
                                        const QString page = general_[LocalPage]->text();
                                        if (!page.isEmpty() && app().files().fileExists(page.toStdString()))
                                          return page;
                                        app().dialogs().message(
                                            "Musisz najpierw podać nazwę strony, która ma być automatycznie "
                                            "otwierana po uruchomieniu IE, lub "
                                            "podana strona nie istnieje. Podaj nową nazwę strony klikając "
                                            "dwukrotnie na napis \"Dowolna strona\".");
                                        return std::nullopt;
                                      });
  note_ = new QLabel(QString::fromUtf8(kIdleNote), area);
  note_->setObjectName("ieNote");
  grid->addWidget(note_, row++, 0, 1, 4);

  for (int p = 0; p < kPictures; ++p) {
    const PictureRow& r = kPictureRows[static_cast<std::size_t>(p)];
    PictureSlot& slot = pictures_[static_cast<std::size_t>(p)];
    const QString caption = QString::fromUtf8(r.caption);
    auto* label = new QLabel(caption, area);
    label->setObjectName(QStringLiteral("%1Caption").arg(r.value));
    slot.preview = new QLabel(area);
    slot.preview->setObjectName(QStringLiteral("%1Preview").arg(r.value));
    slot.preview->setToolTip(QStringLiteral("Podgląd"));
    slot.preview->setAccessibleName(caption);
    slot.preview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (r.width > 0) {
      slot.preview->setFixedSize(r.width + 2, r.width + 2);
      slot.timer = new QTimer(this);
      slot.timer->setInterval(kFrameMs);
      connect(slot.timer, &QTimer::timeout, this, [this, p] { nextFrame(static_cast<Picture>(p)); });
    } else {
      slot.preview->setFixedSize(240, 44);
    }
    slot.preview->setMouseTracking(true);
    slot.preview->installEventFilter(this);
    slot.change = new ClickableLabel(QStringLiteral("Zmień"), area);
    slot.change->setObjectName(QStringLiteral("%1Change").arg(r.value));
    slot.change->setAccessibleName(QStringLiteral("Zmień: %1").arg(caption));
    slot.remove = new ClickableLabel(QStringLiteral("Usuń"), area);
    slot.remove->setObjectName(QStringLiteral("%1Remove").arg(r.value));
    slot.remove->setAccessibleName(QStringLiteral("Usuń: %1").arg(caption));
    for (ClickableLabel* link : {slot.change, slot.remove}) link->setStyleSheet("color: #0000c0;");
    connect(slot.change, &ClickableLabel::clicked, this,
            [this, p] { choosePicture(static_cast<Picture>(p)); });
    connect(slot.remove, &ClickableLabel::clicked, this,
            [this, p] { removePicture(static_cast<Picture>(p)); });
    grid->addWidget(label, row, 0);
    grid->addWidget(slot.preview, row, 1, Qt::AlignLeft);
    grid->addWidget(slot.change, row, 2);
    grid->addWidget(slot.remove, row++, 3);
  }
  grid->setRowStretch(row++, 1);
  auto* button = applyButton("ieGeneralApply", area);
  grid->addWidget(button, row, 3, Qt::AlignRight);
  generalApply_ = &addApplyCommand(button, {.setsRestartNeeded = true}, [this] { return applyGeneral(); });

  // The whole toolbar, shown while the pointer is over the background's preview.
  previewPanel_ = new QFrame(area);
  previewPanel_->setObjectName("ieToolbarPreview");
  previewPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  auto* panelRow = new QHBoxLayout(previewPanel_);
  panelRow->setContentsMargins(2, 2, 2, 2);
  previewToolbar_ = new QLabel(previewPanel_);
  previewToolbar_->setObjectName("ieToolbarPreviewPicture");
  previewToolbar_->setAccessibleName(QStringLiteral("Podgląd paska narzędzi"));
  panelRow->addWidget(previewToolbar_);
  previewPanel_->hide();

  connect(generalEditor_, &InternetEditor::editStarted, this, [this] { note_->setText(kEditingNote); });
  connect(generalEditor_, &InternetEditor::committed, this, [this] {
    note_->setText(QString::fromUtf8(kIdleNote));
    generalApply_->markPending();
  });
  // The previews are drawn when "Ogólne" first shows after a load.
  area->installEventFilter(this);
}

void InternetPage::buildMenu() {
  QWidget* area = this->area("TabSheet3");
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(8, 6, 8, 6);
  std::array<QVBoxLayout*, kMenuGroups.size()> rows{};
  for (std::size_t g = 0; g < kMenuGroups.size(); ++g) {
    auto* group = new QGroupBox(QString::fromUtf8(kMenuGroups[g]), area);
    group->setObjectName(QStringLiteral("ieMenuGroup%1").arg(g + 1));
    rows[g] = new QVBoxLayout(group);
    grid->addWidget(group, static_cast<int>(g / 2), static_cast<int>(g % 2));
  }
  auto* button = applyButton("ieMenuApply", area);
  ApplyCommand& apply = addApplyCommand(button, {.setsRestartNeeded = true});
  for (const Flag& f : kMenu) {
    QWidget* parent = f.group >= 0 ? rows[static_cast<std::size_t>(f.group)]->parentWidget() : area;
    auto* box = new QCheckBox(QString::fromUtf8(f.caption), parent);
    box->setObjectName(QStringLiteral("Menu%1").arg(f.value));
    apply.bindCheckBox(box, {Root::CurrentUser, kIeRestrictions, f.value, Pattern::PrunedFlag});
    apply.runOnEnter(box);
    if (f.group >= 0) {
      rows[static_cast<std::size_t>(f.group)]->addWidget(box);
    } else {
      grid->addWidget(box, 2, 0, 1, 2);
    }
  }
  grid->setRowStretch(3, 1);
  grid->addWidget(button, 4, 1, Qt::AlignRight);
}

void InternetPage::buildSettings() {
  QWidget* area = this->area("TabSheet4");
  auto* column = new QVBoxLayout(area);
  column->setContentsMargins(8, 6, 8, 6);
  column->setSpacing(1);
  auto* button = applyButton("ieSettingsApply", area);
  settingsApply_ = &addApplyCommand(button, {.setsRestartNeeded = true}, [this] { return applySettings(); });
  const auto addBox = [&](const char* caption, const QString& name) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), area);
    box->setObjectName(name);
    settingsApply_->runOnEnter(box);
    column->addWidget(box);
    return box;
  };
  for (std::size_t i = 0; i < kYesNo.size(); ++i) {
    yesNo_[i] = addBox(kYesNo[i].caption, QStringLiteral("ie%1").arg(kYesNo[i].value));
    connect(yesNo_[i], &QCheckBox::clicked, settingsApply_, &ApplyCommand::markPending);
  }
  for (const Flag& f : kRestrictions) {
    restrictions_.push_back(
        &settingsApply_->bindCheckBox(addBox(f.caption, QStringLiteral("ie%1").arg(f.value)),
                                      {Root::CurrentUser, kIeRestrictions, f.value, Pattern::PrunedFlag}));
  }
  for (const Flag& f : kExplorerFlags) {
    explorerPolicies_.push_back(
        &settingsApply_->bindCheckBox(addBox(f.caption, QStringLiteral("ie%1").arg(f.value)),
                                      {Root::CurrentUser, kExplorerPolicies, f.value, Pattern::DwordFlag}));
  }
  toolbarOptions_ = &settingsApply_->bindCheckBox(
      addBox("Wyłacz dodawanie, usuwanie i przesuwanie pasków narzędzi",
             QStringLiteral("ieNoToolbarOptions")),
      {Root::CurrentUser, kToolbarRestrictions, "NoToolbarOptions", Pattern::DwordFlag});
  column->addStretch(1);
  column->addWidget(button, 0, Qt::AlignRight);
}

void InternetPage::buildOutlook() {
  QWidget* area = this->area("TabSheet5");
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(8, 6, 8, 6);
  grid->setColumnStretch(1, 1);
  auto* button = applyButton("ieOutlookApply", area);
  outlookApply_ = &addApplyCommand(button, {.setsRestartNeeded = true}, [this] { return applyOutlook(); });

  auto* caption = new QLabel(QStringLiteral("Outlook Express tytuł"), area);
  caption->setObjectName("OEWindowTitleCaption");
  outlookTitle_ = new QLabel(area);
  outlookTitle_->setObjectName("OEWindowTitle");
  outlookTitle_->setMinimumWidth(40);
  caption->setBuddy(outlookTitle_);
  grid->addWidget(caption, 0, 0);
  grid->addWidget(outlookTitle_, 0, 1);
  outlookEditor_ = new InternetEditor(area, app().dialogs(), editing_, QStringLiteral("oeEditor"));
  outlookEditor_->addField(outlookTitle_, caption, InlineKind::Text);
  outlookEditor_->setBeforeEdit([this](QLabel*) {
    app().dialogs().message(
        "Tytuł Outlook Express`a zależy od nazwy zalogowanego użytkownika.\r\rJeżeli tylko Ty jesteś "
        "użytkownikiem Outlook`a to możesz zmienić nazwę bez problemu, natomiast jeżeli użytkowników jest "
        "więcej "
        "należy uruchomić Outlook`a i zalogować się na swoją tożsamość. Teraz możesz już zmienić nazwę "
        "Outlook`a, "
        "która będzie wyświetlana tylko wtedy, gdy będziesz zalogowany na swoim kącie.");
  });

  outlookSplash_ = new QCheckBox(QStringLiteral("Nie pokazuj wizytówki programu Outlook Express"), area);
  outlookSplash_->setObjectName("OENoSplash");
  connect(outlookSplash_, &QCheckBox::clicked, outlookApply_, &ApplyCommand::markPending);
  hotmail_ = new QCheckBox(QStringLiteral("Wyłącz skrzynkę Hotmail w Outlook Express"), area);
  hotmail_->setObjectName("DisableHotmail");
  hotmailBinding_ = &outlookApply_->bindCheckBox(
      hotmail_, {Root::CurrentUser, kOutlook, "Disable Hotmail", Pattern::InvertedDwordFlag});
  for (QCheckBox* box : {outlookSplash_, hotmail_}) outlookApply_->runOnEnter(box);
  grid->addWidget(outlookSplash_, 1, 0, 1, 2);
  grid->addWidget(hotmail_, 2, 0, 1, 2);
  grid->setRowStretch(3, 1);
  grid->addWidget(button, 4, 1, Qt::AlignRight);

  connect(outlookEditor_, &InternetEditor::editStarted, this, [this] {
    note_->setText(kEditingNote);
    outlookApply_->setPending(false);
    outlookSplash_->setEnabled(false);
    hotmail_->setEnabled(false);
  });
  connect(outlookEditor_, &InternetEditor::committed, this, [this] {
    note_->setText(QString::fromUtf8(kIdleNote));
    outlookSplash_->setEnabled(true);
    hotmail_->setEnabled(true);
    outlookApply_->markPending();
  });
}

void InternetPage::buildOptions() {
  QWidget* area = this->area("TabSheet13");
  auto* column = new QVBoxLayout(area);
  column->setContentsMargins(8, 6, 8, 6);
  auto* heading = new QLabel(QStringLiteral("Zablokuj lub udostępnij wybrane Opcje Internetowe"), area);
  heading->setObjectName("ieOptionsHeading");
  column->addWidget(heading);

  optionsPanel_ = new QScrollArea(area);
  optionsPanel_->setObjectName("ieOptionsPanel");
  optionsPanel_->setAccessibleName(heading->text());
  optionsPanel_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  optionsPanel_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  optionsPanel_->verticalScrollBar()->setAccessibleName(heading->text());
  auto* content = new QWidget;
  content->setObjectName("ieOptionsContent");
  auto* groups = new QHBoxLayout(content);
  std::array<QVBoxLayout*, kOptionGroups> rows{};
  for (int g = 0; g < kOptionGroups; ++g) {
    auto* group = new QWidget(content);
    group->setObjectName(QStringLiteral("ieOptionsGroup%1").arg(g + 1));
    rows[static_cast<std::size_t>(g)] = new QVBoxLayout(group);
    rows[static_cast<std::size_t>(g)]->setSpacing(1);
    groups->addWidget(group, 1, Qt::AlignTop);
  }
  auto* button = applyButton("ieOptionsApply", area);
  ApplyCommand& apply = addApplyCommand(button, {.setsRestartNeeded = false});
  std::array<QCheckBox*, kOptionGroups> tabs{};
  std::array<std::vector<QCheckBox*>, kOptionGroups> members;
  for (const Flag& f : kOptions) {
    const auto g = static_cast<std::size_t>(f.group);
    auto* box = new QCheckBox(QString::fromUtf8(f.caption), rows[g]->parentWidget());
    box->setObjectName(QStringLiteral("Options%1").arg(f.value).remove(' '));
    apply.bindCheckBox(box, {Root::CurrentUser, kIeControlPanel, f.value, Pattern::PrunedFlag});
    rows[g]->addWidget(box);
    if (!tabs[g]) {
      tabs[g] = box;
    } else {
      // Members stand indented under their tab box.
      rows[g]->setAlignment(box, Qt::AlignLeft);
      box->setContentsMargins(16, 0, 0, 0);
      members[g].push_back(box);
    }
  }
  // A ticked tab box disables the rest of its group, which keep their ticks.
  for (std::size_t g = 0; g < tabs.size(); ++g) {
    connect(tabs[g], &QCheckBox::toggled, this, [boxes = members[g]](bool checked) {
      for (QCheckBox* box : boxes) box->setEnabled(!checked);
    });
  }
  optionsPanel_->setWidget(content);
  optionsPanel_->setWidgetResizable(false);
  column->addWidget(optionsPanel_, 1);

  optionsPager_ = new QScrollBar(Qt::Horizontal, area);
  optionsPager_->setObjectName("ieOptionsPager");
  optionsPager_->setToolTip(QStringLiteral("Przewiń na następną/poprzednią stronę"));
  optionsPager_->setAccessibleName(optionsPager_->toolTip());
  optionsPager_->setRange(0, (kOptionGroups + kGroupsPerPage - 1) / kGroupsPerPage - 1);
  optionsPager_->setPageStep(1);
  connect(optionsPager_, &QScrollBar::valueChanged, this, [this](int page) {
    optionsPanel_->horizontalScrollBar()->setValue(page * optionsPanel_->viewport()->width());
  });
  column->addWidget(optionsPager_);

  auto* bottom = new QHBoxLayout;
  auto* run = hintedButton(QStringLiteral("Uruchom \"Opcje internetowe\""),
                           QStringLiteral("Kliknij, aby uruchomić \"Opcje internetowe\" w Panelu Sterowania"),
                           QStringLiteral("ieRunOptions"), area);
  connect(run, &QPushButton::clicked, this,
          [this] { app().launcher().run("Control.exe INETCPL.CPL", ShowWindow::Normal); });
  bottom->addWidget(run);
  bottom->addStretch(1);
  bottom->addWidget(button);
  column->addLayout(bottom);
  // Each group as wide as half the panel, so a page of the pager shows two.
  optionsPanel_->viewport()->installEventFilter(this);
}

void InternetPage::load() {
  loadGeneral();
  loadSettings();
  loadOutlook();
  generalEditor_->reset();
  outlookEditor_->reset();
  editing_ = false;
  outlookSplash_->setEnabled(true);
  hotmail_->setEnabled(true);
  note_->setText(QString::fromUtf8(kIdleNote));
  optionsPager_->setValue(0);
  optionsPanel_->horizontalScrollBar()->setValue(0);
  resetTransient();
}

void InternetPage::loadGeneral() {
  RegistryHandle reg(app().registry());
  const std::string documents = app().frame().views().shellFolderLabel("Moje Dokumenty").value_or("");
  const auto show = [](QLabel* label, const std::string& text) {
    label->setText(QString::fromStdString(text));
  };

  reg.setRoot(Root::LocalMachine);
  openForRead(reg, kMachineIeMain);
  show(general_[Title],
       reg.hasOpenKey() ? guardedReadString(reg, "Window Title", "Internet Explorer") : "Internet Explorer");
  reg.closeKey();
  reg.setRoot(Root::CurrentUser);
  const bool ie = openForRead(reg, kIe);
  show(general_[DownloadFolder], ie ? guardedReadString(reg, "Download Directory", documents) : documents);
  reg.closeKey();
  const bool main = openForRead(reg, kIeMain);
  const std::string blank = app().environment().systemDirectory() + "\\Blank.htm";
  show(general_[SaveFolder], main ? guardedReadString(reg, "Save Directory", documents) : documents);
  show(general_[LocalPage], main ? guardedReadString(reg, "Local Page", blank) : blank);
  show(general_[StartPage], main ? guardedReadString(reg, "Start Page", "about:blank") : "about:blank");
  reg.closeKey();
  const bool toolbar = openForRead(reg, kIeToolbar);
  show(general_[LinksName], toolbar ? guardedReadString(reg, "LinksFolderName", "Łącza") : "Łącza");
  for (int p = 0; p < kPictures; ++p) {
    PictureSlot& slot = pictures_[static_cast<std::size_t>(p)];
    slot.path = toolbar ? guardedReadString(reg, kPictureRows[static_cast<std::size_t>(p)].value) : "";
    // A path whose file is missing keeps the built-in picture.
    const bool exists = !slot.path.empty() && app().files().fileExists(slot.path);
    slot.remove->setEnabled(exists);
    slot.image = {};
    slot.stale = true;
  }
  if (area("TabSheet2")->isVisible()) refreshPreviews();
}

void InternetPage::loadSettings() {
  RegistryHandle reg(app().registry());
  for (std::size_t i = 0; i < kYesNo.size(); ++i) {
    reg.closeKey();
    yesNo_[i]->setChecked(openForRead(reg, kYesNo[i].readKey) && readYes(reg, kYesNo[i].value));
  }
}

void InternetPage::loadOutlook() {
  RegistryHandle reg(app().registry());
  std::string key = kIdentities;
  if (openForRead(reg, kIdentities)) {
    const std::string id = guardedReadString(reg, "Last User ID");
    reg.closeKey();
    const std::string identity = std::string(kIdentities) + "\\" + id;
    if (!id.empty() && reg.keyExists(identity)) key = identity + "\\" + kOutlookVersion;
  }
  reg.closeKey();
  const bool open = openForRead(reg, key);
  outlookTitle_->setText(QString::fromStdString(
      open ? guardedReadString(reg, "WindowTitle", "Outlook Express") : "Outlook Express"));
  outlookSplash_->setChecked(open && readDwordFlag(reg, "NoSplash"));
}

bool InternetPage::eventFilter(QObject* watched, QEvent* event) {
  if (watched == area("TabSheet2") && event->type() == QEvent::Show) {
    refreshPreviews();
    return false;
  }
  if (watched == optionsPanel_->viewport() && event->type() == QEvent::Resize) {
    const int half = optionsPanel_->viewport()->width() / kGroupsPerPage;
    const int pages = (kOptionGroups + kGroupsPerPage - 1) / kGroupsPerPage;
    QWidget* content = optionsPanel_->widget();
    for (int g = 0; g < kOptionGroups; ++g) {
      if (auto* group = content->findChild<QWidget*>(QStringLiteral("ieOptionsGroup%1").arg(g + 1)))
        group->setFixedWidth(std::max(half - 8, 50));
    }
    content->setFixedWidth(pages * optionsPanel_->viewport()->width());
    content->adjustSize();
    optionsPanel_->horizontalScrollBar()->setValue(optionsPager_->value() *
                                                   optionsPanel_->viewport()->width());
    return false;
  }
  for (int p = 0; p < kPictures; ++p) {
    PictureSlot& slot = pictures_[static_cast<std::size_t>(p)];
    if (watched != slot.preview) continue;
    const auto picture = static_cast<Picture>(p);
    switch (event->type()) {
      case QEvent::Enter:
      case QEvent::MouseMove:
        if (p == Background) {
          if (!previewPanel_->isVisible()) {
            previewToolbar_->setPixmap(QPixmap::fromImage(toolbarPicture(420)));
            previewPanel_->adjustSize();
            previewPanel_->move(slot.preview->x(),
                                std::max(0, slot.preview->y() - previewPanel_->height() - 4));
            previewPanel_->show();
            previewPanel_->raise();
          }
        } else {
          startAnimation(picture);
        }
        break;
      case QEvent::Leave:
        if (p == Background) {
          previewPanel_->hide();
        } else {
          stopAnimation(picture);
        }
        break;
      case QEvent::MouseButtonDblClick:
        if (p != Background) choosePicture(picture);
        return true;
      default:
        break;
    }
  }
  return Page::eventFilter(watched, event);
}

void InternetPage::resetTransient() {
  previewPanel_->hide();
  generalEditor_->moveHighlightOutOfView();
  outlookEditor_->moveHighlightOutOfView();
  stopAnimation(SmallAnimation);
  stopAnimation(LargeAnimation);
}

void InternetPage::refreshPreviews() {
  for (int p = 0; p < kPictures; ++p) {
    PictureSlot& slot = pictures_[static_cast<std::size_t>(p)];
    if (!slot.stale) continue;
    slot.stale = false;
    slot.image = {};
    if (!slot.path.empty() && app().files().fileExists(slot.path)) {
      if (const auto host = app().files().hostPath(slot.path)) {
        try {
          slot.image = app().pictures().load(*host).image;
        } catch (const PictureError&) {
          // A picture we cannot draw: the built-in one.
        }
      }
    }
    showPicture(static_cast<Picture>(p));
  }
}

void InternetPage::showPicture(Picture picture) {
  PictureSlot& slot = pictures_[picture];
  const int size = kPictureRows[picture].width;
  if (picture == Background) {
    slot.preview->setPixmap(QPixmap::fromImage(toolbarPicture(slot.preview->width() - 2)));
    return;
  }
  if (slot.image.isNull()) slot.image = builtInStrip(size);
  slot.preview->setPixmap(QPixmap::fromImage(slot.image.copy(0, slot.frame * size, size, size)));
}

QImage InternetPage::toolbarPicture(int width) const {
  const int height = 42;
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(192, 192, 192));
  QPainter painter(&image);
  const QImage& background = pictures_[Background].image;
  if (!background.isNull()) painter.fillRect(image.rect(), QBrush(background));
  int x = 4;
  for (const char* caption : {"Wstecz", "Dalej", "Stop", "Odświerz"}) {
    const QString text = QString::fromUtf8(caption);
    const int w = painter.fontMetrics().horizontalAdvance(text) + 12;
    painter.setPen(Qt::black);
    painter.drawText(QRect(x, 0, w, height), Qt::AlignCenter, text);
    x += w + 2;
  }
  // The large animation's first frame at the right end, as the browser shows it.
  const PictureSlot& large = pictures_[LargeAnimation];
  const QImage strip = large.image.isNull() ? builtInStrip(38) : large.image;
  painter.drawImage(QPoint(width - 40, 2), strip.copy(0, 0, 38, 38));
  return image;
}

void InternetPage::startAnimation(Picture picture) {
  PictureSlot& slot = pictures_[picture];
  if (slot.timer->isActive()) return;
  stopAnimation(picture == SmallAnimation ? LargeAnimation : SmallAnimation);
  slot.timer->start();
}

void InternetPage::stopAnimation(Picture picture) {
  PictureSlot& slot = pictures_[picture];
  slot.timer->stop();
  if (slot.frame != 0) {
    slot.frame = 0;
    showPicture(picture);
  }
}

void InternetPage::nextFrame(Picture picture) {
  PictureSlot& slot = pictures_[picture];
  slot.frame = (slot.frame + 1) % kFrames;
  showPicture(picture);
}

void InternetPage::choosePicture(Picture picture) {
  if (editing_) return;
  const PictureRow& r = kPictureRows[picture];
  PictureSlot& slot = pictures_[picture];
  const std::string program = app().environment().programDirectory();
  const std::optional<std::string> chosen = app().dialogs().openPicture(
      {.title = r.caption,
       .filter = kPictureFilter,
       .initialFolder = picture == LargeAnimation ? program + "\\Logo\\Tapetki" : program,
       .defaultExtension = "bmp",
       .mustExist = true});
  if (!chosen) return;
  QImage image;
  if (isBmpName(*chosen) && app().files().fileExists(*chosen)) {
    if (const auto host = app().files().hostPath(*chosen)) {
      try {
        image = app().pictures().load(*host).image;
      } catch (const PictureError&) {
        // Told below as a file of the wrong format.
      }
    }
  }
  if (image.isNull()) {
    app().dialogs().message(r.formatMessage);
    return;
  }
  if (r.width > 0 && (image.width() != r.width || image.height() < r.minHeight)) {
    // The preview keeps what it showed.
    app().dialogs().message(r.sizeMessage);
    return;
  }
  slot.path = *chosen;
  slot.image = image;
  slot.stale = false;
  slot.frame = 0;
  showPicture(picture);
  if (picture != Background) showPicture(Background);  // the toolbar shows the large animation
  slot.remove->setEnabled(true);
  generalApply_->markPending();
}

void InternetPage::removePicture(Picture picture) {
  if (editing_) return;
  PictureSlot& slot = pictures_[picture];
  slot.path.clear();
  slot.image = {};
  slot.stale = false;
  slot.frame = 0;
  showPicture(picture);
  if (picture != Background) showPicture(Background);
  slot.remove->setEnabled(false);
  generalApply_->markPending();
}

WriteResult InternetPage::applyGeneral() {
  const auto text = [this](General row) { return general_[row]->text().toStdString(); };
  RegistryHandle reg(app().registry());
  openForWrite(reg, kIe);
  reg.writeString("Download Directory", text(DownloadFolder));
  reg.closeKey();
  openForWrite(reg, kIeMain);
  reg.writeString("Local Page", text(LocalPage));
  reg.writeString("Save Directory", text(SaveFolder));
  reg.writeString("Start Page", text(StartPage));
  reg.writeString("Window Title", text(Title));
  reg.closeKey();
  // Not created: a machine without it fails here with the store's error.
  reg.setRoot(Root::LocalMachine);
  reg.openKey(kMachineIeMain, false);
  reg.writeString("Window Title", text(Title));
  reg.closeKey();
  reg.setRoot(Root::CurrentUser);
  openForWrite(reg, kIeToolbar);
  reg.writeString("LinksFolderName", text(LinksName));
  for (int p = 0; p < kPictures; ++p) {
    const std::string& path = pictures_[static_cast<std::size_t>(p)].path;
    const char* value = kPictureRows[static_cast<std::size_t>(p)].value;
    if (!path.empty() && app().files().fileExists(path)) {
      reg.writeString(value, path);
    } else {
      reg.deleteValue(value);
    }
  }
  return WriteResult::Done;
}

WriteResult InternetPage::applySettings() {
  RegistryHandle reg(app().registry());
  const auto open = [&reg](const char* key) {
    reg.closeKey();
    openForWrite(reg, key);
  };
  const auto writeYesNo = [&](YesNoBox box) {
    open(kYesNo[box].writeKey);
    reg.writeString(kYesNo[box].value, yesNo_[box]->isChecked() ? "yes" : "no");
  };
  writeYesNo(DiscussionBox);
  writeYesNo(FontsBox);
  open(kIeRestrictions);
  for (const Binding* b : restrictions_) b->write(reg);
  writeYesNo(ChannelBandBox);
  writeYesNo(MaximizedBox);
  writeYesNo(FullScreenBox);
  open(kExplorerPolicies);
  for (const Binding* b : explorerPolicies_) b->write(reg);
  open(kToolbarRestrictions);
  toolbarOptions_->write(reg);
  writeYesNo(SmallIconsBox);
  open(kIeRestrictions);
  for (const Binding* b : restrictions_) b->prune(reg);
  return WriteResult::Done;
}

WriteResult InternetPage::applyOutlook() {
  RegistryHandle reg(app().registry());
  openForWrite(reg, kIdentities);
  const std::string id = guardedReadString(reg, "Last User ID");
  reg.closeKey();
  const std::string identity = std::string(kIdentities) + "\\" + id;
  const bool hasIdentity = !id.empty() && reg.keyExists(identity);
  openForWrite(reg, hasIdentity ? identity + "\\" + kOutlookVersion : std::string(kOutlookVersion));
  writeDwordFlag(reg, "NoSplash", outlookSplash_->isChecked());
  reg.writeString("WindowTitle", outlookTitle_->text().toStdString());
  reg.closeKey();
  openForWrite(reg, kOutlook);
  hotmailBinding_->write(reg);
  return WriteResult::Done;
}

}  // namespace kelvaro
