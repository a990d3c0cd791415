#include "pages/appearance/sound_page.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "pages/appearance/path_expansion.h"
#include "pages/widgets/clickable_label.h"
#include "platform/file_system.h"
#include "store/registry_handle.h"
#include "store/store_patterns.h"

namespace kelvaro {
namespace {

constexpr char kSaveCaption[] = "Zapisz schemat";
constexpr char kOkCaption[] = "OK";
constexpr char kChangeHint[] = "Zmiań aktualny dźwięk";
constexpr char kNoSound[] =
    "Ta opcja nie ma przypisanego dźwięku, lub ma przypisany jakiś dźwięk, ale plik dźwiękowy związany z tym "
    "zdarzeniem nie istnieje.";
constexpr char kBadFormat[] =
    "Wybrany format pliku jest niepoprawny.\rWybierz inny plik lub upewnij się, czy wybrany plik ma "
    "rozszerzenie "
    "WAV";
constexpr char kIdle[] = "Bezczynność";
constexpr char kPlaying[] = "Odtwarzanie dźwięku";
constexpr char kPaused[] = "Pauza";
constexpr char kStopped[] = "Dźwięk zatrzymany";
constexpr int kVolumeAfterLoad = 12;
// The bar follows the player often enough to look smooth; faster only
// burns time.
constexpr int kPositionIntervalMs = 20;

QString q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string cannotOpenMessage(const std::string& path) {
  return "Nie mogę otworzyć pliku o rozszerzeniu \"" + soundExtension(path) +
         "\" Sprawdź czy plik nie jest uszkodzony lub czy prawidłowy jest jego format danych.";
}

// A value of the player panel, announced with its caption.
QLabel* addValueRow(QGridLayout* grid, QWidget* parent, const char* caption, const char* name) {
  const int row = grid->rowCount();
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  auto* value = new QLabel(parent);
  value->setObjectName(name);
  value->setProperty("caption", QString::fromUtf8(caption).trimmed());
  label->setBuddy(value);
  grid->addWidget(label, row, 0);
  grid->addWidget(value, row, 1);
  return value;
}

void showValue(QLabel* value, const QString& text) {
  value->setText(text);
  value->setAccessibleName(value->property("caption").toString() + " " + text);
}

void setCaptionColour(QLabel* caption, Qt::GlobalColor colour) {
  QPalette palette = caption->palette();
  palette.setColor(QPalette::WindowText, colour);
  caption->setPalette(palette);
}

}  // namespace

SoundPage::SoundPage(AppContext& app, const PageInfo& info, QWidget* parent) : Page(app, info, parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);

  schemeName_ = new QLabel(QStringLiteral("Nazwa schematu: (nieznana)"), this);
  schemeName_->setObjectName("soundSchemeName");
  schemeName_->setToolTip(QStringLiteral("Nazwa schematu dźwięków"));
  schemeName_->setFrameShape(QFrame::Panel);
  schemeName_->setFrameShadow(QFrame::Sunken);
  layout->addWidget(schemeName_);

  auto* body = new QHBoxLayout;
  layout->addLayout(body, 1);

  // The events, top to bottom, beside the slider that chooses among them.
  auto* events = new QVBoxLayout;
  events->setSpacing(2);
  for (std::size_t i = 0; i < kSoundEvents.size(); ++i) {
    const SoundEvent& event = kSoundEvents[i];
    auto* caption = new ClickableLabel(QString::fromUtf8(event.caption), this);
    caption->setObjectName(QStringLiteral("event%1").arg(event.sliderPosition));
    caption->setToolTip(QStringLiteral("Kliknij, aby edytować"));
    connect(caption, &ClickableLabel::clicked, this, [this, position = event.sliderPosition] {
      // "Domyślny dźwięk" opens again when it is already current; any other
      // current event stays as it is.
      if (position == eventSlider_->maximum() && eventSlider_->value() == position) {
        chooseEvent(position);
      } else {
        eventSlider_->setValue(position);
      }
    });
    captions_[i] = caption;
    events->addWidget(caption);
  }
  events->addStretch(1);
  body->addLayout(events);

  eventSlider_ = new QSlider(Qt::Vertical, this);
  eventSlider_->setObjectName("eventSlider");
  eventSlider_->setRange(1, static_cast<int>(kSoundEventCount));
  eventSlider_->setSingleStep(1);
  eventSlider_->setPageStep(1);
  eventSlider_->setValue(static_cast<int>(kSoundEventCount));
  eventSlider_->setTickPosition(QSlider::TicksRight);
  eventSlider_->setToolTip(QStringLiteral("Przewiń góra/dół lub kliknij w odpowienią nazwę"));
  eventSlider_->setAccessibleName(eventSlider_->toolTip());
  connect(eventSlider_, &QSlider::valueChanged, this, [this](int position) { chooseEvent(position); });
  body->addWidget(eventSlider_);

  auto* right = new QVBoxLayout;
  body->addLayout(right, 1);

  player_ = new QFrame(this);
  player_->setObjectName("playerPanel");
  player_->setFrameShape(QFrame::StyledPanel);
  auto* panel = new QVBoxLayout(player_);
  auto* values = new QGridLayout;
  values->setColumnStretch(1, 1);
  fileName_ = addValueRow(values, player_, "Nazwa pliku:", "fileNameValue");
  fileType_ = addValueRow(values, player_, "Typ pliku:", "fileTypeValue");
  state_ = addValueRow(values, player_, "Aktualny stan:", "stateValue");
  frames_ = addValueRow(values, player_, "Liczba fram : ", "frameCountValue");
  startPosition_ = addValueRow(values, player_, "Pozycja początkowa :", "startPositionValue");
  length_ = addValueRow(values, player_, "Max rozmiar :", "lengthValue");
  currentPosition_ = addValueRow(values, player_, "Aktualna pozycja :", "currentPositionValue");
  duration_ = addValueRow(values, player_, "Czas (rozmiar):", "durationValue");
  panel->addLayout(values);

  positionBar_ = new QSlider(Qt::Horizontal, player_);
  positionBar_->setObjectName("positionBar");
  positionBar_->setRange(0, 0);
  positionBar_->setToolTip(QStringLiteral("Wskaźnik postępu w odtwarzaniu dźwięku"));
  positionBar_->setAccessibleName(positionBar_->toolTip());
  connect(positionBar_, &QSlider::valueChanged, this, &SoundPage::positionBarChanged);
  panel->addWidget(positionBar_);

  auto* transport = new QHBoxLayout;
  const auto toggle = [this, transport](const char* caption, const char* name, QStyle::StandardPixmap icon,
                                        const char* hint) {
    auto* button = new QPushButton(style()->standardIcon(icon), QString::fromUtf8(caption), player_);
    button->setObjectName(name);
    button->setCheckable(true);
    if (hint) button->setToolTip(QString::fromUtf8(hint));
    transport->addWidget(button);
    return button;
  };
  play_ = toggle("Play", "playButton", QStyle::SP_MediaPlay, "Odgrywaj dźwięk");
  pause_ = toggle("Pause", "pauseButton", QStyle::SP_MediaPause, "Pauza");
  stop_ = toggle("Stop", "stopButton", QStyle::SP_MediaStop, nullptr);
  connect(play_, &QPushButton::clicked, this, &SoundPage::playAction);
  connect(pause_, &QPushButton::clicked, this, &SoundPage::pauseAction);
  connect(stop_, &QPushButton::clicked, this, &SoundPage::stopAction);
  transport->addStretch(1);
  panel->addLayout(transport);

  endless_ = new QCheckBox(QStringLiteral("Graj w nieskończoność"), player_);
  endless_->setObjectName("endlessPlay");
  endless_->setToolTip(QStringLiteral("Dźwięk jest cały czas powtarzany"));
  panel->addWidget(endless_);

  auto* volumeRow = new QHBoxLayout;
  auto* volumeCaption = new QLabel(QStringLiteral("Regulator głosu"), player_);
  volume_ = new QSlider(Qt::Horizontal, player_);
  volume_->setObjectName("volumeSlider");
  volume_->setRange(0, 22);
  volume_->setSingleStep(1);
  volume_->setPageStep(1);
  volume_->setValue(kVolumeAfterLoad);
  volume_->setToolTip(QStringLiteral("Ustaw dźwięk"));
  volume_->setAccessibleName(volumeCaption->text());
  volumeCaption->setBuddy(volume_);
  volumeLabel_ = new QLabel(QStringLiteral("50%"), player_);
  volumeLabel_->setObjectName("volumeLabel");
  connect(volume_, &QSlider::valueChanged, this, [this](int position) {
    const std::uint16_t level = volumeLevel(position);
    sound().setWaveOutVolume(level, level);
    volumeLabel_->setText(q(volumePercentText(position)));
  });
  volumeRow->addWidget(volumeCaption);
  volumeRow->addWidget(volume_, 1);
  volumeRow->addWidget(volumeLabel_);
  panel->addLayout(volumeRow);

  auto* commands = new QHBoxLayout;
  change_ = new QPushButton(QStringLiteral("Zmień"), player_);
  change_->setObjectName("zmienButton");
  change_->setToolTip(QString::fromUtf8(kChangeHint));
  connect(change_, &QPushButton::clicked, this, &SoundPage::change);
  saveButton_ = new QPushButton(QString::fromUtf8(kSaveCaption), player_);
  saveButton_->setObjectName("dzwiekiApply");
  saveButton_->setToolTip(QStringLiteral("Zapisz schemat jako..."));
  commands->addWidget(change_);
  commands->addStretch(1);
  commands->addWidget(saveButton_);
  panel->addLayout(commands);

  strip_ = new QWidget(player_);
  strip_->setObjectName("schemeStrip");
  auto* stripLayout = new QHBoxLayout(strip_);
  stripLayout->setContentsMargins(0, 0, 0, 0);
  schemeField_ = new QLineEdit(strip_);
  schemeField_->setObjectName("soundSchemeField");
  schemeField_->setToolTip(QStringLiteral("Podaj nazwę schematu"));
  schemeField_->setAccessibleName(schemeField_->toolTip());
  progress_ = new QProgressBar(strip_);
  progress_->setObjectName("schemeProgress");
  progress_->setToolTip(QStringLiteral("Postęp"));
  progress_->setRange(1, static_cast<int>(kSoundEventCount));
  progress_->hide();
  stripLayout->addWidget(schemeField_, 1);
  stripLayout->addWidget(progress_, 1);
  strip_->hide();
  panel->addWidget(strip_);
  connect(schemeField_, &QLineEdit::textChanged, this, [this](const QString& text) {
    saveButton_->setText(QString::fromUtf8(text.isEmpty() ? kSaveCaption : kOkCaption));
  });
  connect(schemeField_, &QLineEdit::returnPressed, this, [this] {
    if (saveButton_->text() == QLatin1String(kOkCaption)) saveButton_->click();
  });

  player_->hide();
  right->addWidget(player_);

  outerChange_ = new QPushButton(QStringLiteral("Zmień"), this);
  outerChange_->setObjectName("zmienOuter");
  outerChange_->setToolTip(QString::fromUtf8(kChangeHint));
  outerChange_->hide();
  connect(outerChange_, &QPushButton::clicked, this, &SoundPage::change);
  right->addWidget(outerChange_, 0, Qt::AlignLeft);
  right->addStretch(1);

  positionTimer_ = new QTimer(this);
  positionTimer_->setInterval(kPositionIntervalMs);
  connect(positionTimer_, &QTimer::timeout, this,
          [this] { setPositionBar(static_cast<int>(sound().position())); });

  save_ = &addApplyCommand(saveButton_, {.setsRestartNeeded = true}, [this] { return save(); });
}

SoundPage::~SoundPage() {
  // No notice of a playback may reach the page once it is gone.
  sound().cancelEndNotification();
  sound().stop();
}

void SoundPage::load() {
  RegistryHandle reg(app().registry());
  showSchemeName(reg);
  for (std::size_t i = 0; i < kSoundEvents.size(); ++i) {
    reg.closeKey();
    std::string stored;
    if (openForRead(reg, std::string(kSoundApps) + "\\" + kSoundEvents[i].key + "\\.Current") &&
        reg.valueExists("") &&
        (reg.valueKind("") == ValueKind::String || reg.valueKind("") == ValueKind::ExpandString)) {
      stored = reg.readString("");
    }
    paths_[i] = expandStoredPath(app(), stored);
  }

  volumeLabel_->setText(QStringLiteral("50%"));
  showValue(state_, QString::fromUtf8(kIdle));
  // Moving them counts as the user's move would: a level is sent, an event
  // is chosen.
  volume_->setValue(kVolumeAfterLoad);
  eventSlider_->setValue(static_cast<int>(kSoundEventCount));
  saveButton_->setText(QString::fromUtf8(kSaveCaption));
  resetTransient();
  player_->hide();
  for (ClickableLabel* caption : captions_) setCaptionColour(caption, Qt::black);
}

void SoundPage::resetTransient() {
  strip_->hide();
  progress_->hide();
  schemeField_->clear();
}

void SoundPage::showSchemeName(RegistryHandle& reg) {
  reg.closeKey();
  QString text = QStringLiteral("Nazwa schematu: (nieznana)");
  if (openForRead(reg, kSoundSchemes) && reg.valueExists("") && reg.valueKind("") == ValueKind::String) {
    text = QStringLiteral("Nazwa schematu: ") + q(reg.readString(""));
  }
  schemeName_->setText(text);
}

void SoundPage::chooseEvent(int sliderPosition) {
  const std::size_t event = soundEventIndex(sliderPosition);
  for (std::size_t i = 0; i < captions_.size(); ++i) {
    setCaptionColour(captions_[i], i == event ? Qt::blue : Qt::black);
  }
  const std::string& path = paths_[event];
  if (!path.empty() && app().files().fileExists(path)) {
    openInPlayer(path);
    return;
  }
  app().dialogs().message(kNoSound);
  hidePlayer();
}

void SoundPage::hidePlayer() {
  player_->hide();
  outerChange_->show();
}

bool SoundPage::openInPlayer(const std::string& path) {
  setToggles(Toggle::Stop);
  if (!sound().open(path)) {
    app().dialogs().errorBox(cannotOpenMessage(path));
    // Nothing of the file can be shown; another one can be chosen.
    hidePlayer();
    return false;
  }
  const std::int64_t length = sound().length();
  positionBar_->blockSignals(true);
  positionBar_->setMaximum(static_cast<int>(length));
  positionBar_->blockSignals(false);
  setPositionBar(0);
  showValue(fileName_, q(shownSoundName(path)));
  showValue(fileType_, q(shownSoundType(path)));
  showValue(frames_, QString::number(soundFrameCount(length)));
  showValue(startPosition_, QString::number(sound().position()));
  showValue(length_, QString::number(length));
  showValue(currentPosition_, QStringLiteral("0"));
  showValue(duration_,
            q(soundDurationText(length, app().files().fileSize(path).value_or(0), thousandsSeparator())));
  player_->show();
  outerChange_->hide();
  return true;
}

std::string SoundPage::thousandsSeparator() {
  RegistryHandle reg(app().registry());
  if (openForRead(reg, "Control Panel\\International")) return guardedReadString(reg, "sThousand", " ");
  return " ";
}

void SoundPage::change() {
  const std::optional<std::string> chosen =
      app().dialogs().openFile({.title = "Zmień dźwięk ...",
                                .filter = "Dźwięki (*.wav)|*.wav",
                                .initialFolder = app().environment().windowsDirectory() + "\\Media",
                                .defaultExtension = "wav",
                                .mustExist = true});
  if (!chosen || chosen->empty()) return;
  if (!acceptedSoundFile(*chosen)) {
    app().dialogs().message(kBadFormat);
    return;
  }
  paths_[soundEventIndex(eventSlider_->value())] = *chosen;
  if (openInPlayer(*chosen)) save_->markPending();
}

void SoundPage::playAction() {
  if (sound().state() == Sound::State::NotOpen) {
    play_->setChecked(false);
    app().dialogs().errorBox("Najpierw musisz wybrac dźwięk do odtworzenia !!!");
    return;
  }
  positionBar_->blockSignals(true);
  positionBar_->setMaximum(static_cast<int>(sound().length()));
  positionBar_->blockSignals(false);
  if (stop_->isChecked()) sound().seek(startPosition_->text().toLongLong());
  positionTimer_->start();
  sound().play([this](Sound::End how) { playbackEnded(how); });
  setToggles(Toggle::Play);
  showValue(state_, QString::fromUtf8(kPlaying));
}

void SoundPage::pauseAction() {
  if (sound().pause()) {
    setToggles(Toggle::Pause);
    showValue(state_, QString::fromUtf8(kPaused));
  } else if (sound().resume()) {
    // Going on again is playing, and says so.
    setToggles(Toggle::Play);
    showValue(state_, QString::fromUtf8(kPlaying));
  } else {
    pause_->setChecked(false);
    app().dialogs().errorBox("Dźwięk nie jest odtwarzany !!!");
  }
}

void SoundPage::stopAction() {
  sound().cancelEndNotification();
  if (!sound().stop()) {
    stop_->setChecked(false);
    app().dialogs().errorBox("Nie można wyłączyć dźwięku ponieważ nie jest on odtwarzany !!!");
    return;
  }
  setToggles(Toggle::Stop);
  positionTimer_->start();
  showValue(state_, QString::fromUtf8(kStopped));
}

void SoundPage::playbackEnded(Sound::End how) {
  if (endless_->isChecked()) {
    if (how == Sound::End::Finished) {
      sound().seek(0);
      playAction();
    }
    return;
  }
  positionTimer_->stop();
  setPositionBar(0);
  setToggles(Toggle::Stop);
}

void SoundPage::setPositionBar(int value) {
  movingBar_ = true;
  positionBar_->setValue(value);
  movingBar_ = false;
}

void SoundPage::positionBarChanged(int value) {
  if (!movingBar_) {
    // The user moved it: the player goes there and stops.
    sound().seek(value);
    stopAction();
  }
  const QString position = QString::number(sound().position());
  showValue(currentPosition_, position);
  if (stop_->isChecked()) showValue(startPosition_, position);
}

void SoundPage::setToggles(Toggle down) {
  play_->setChecked(down == Toggle::Play);
  pause_->setChecked(down == Toggle::Pause);
  stop_->setChecked(down == Toggle::Stop);
}

WriteResult SoundPage::save() {
  if (saveButton_->text() != QLatin1String(kOkCaption)) {
    schemeField_->clear();
    strip_->show();
    schemeField_->setFocus(Qt::OtherFocusReason);
    return WriteResult::KeepPending;
  }
  const std::string name = schemeField_->text().toStdString();
  progress_->setMaximum(static_cast<int>(kSoundEventCount));
  progress_->reset();
  progress_->show();

  RegistryHandle reg(app().registry());
  const std::vector<SchemeWrite> writes = schemeWrites(name, paths_);
  for (std::size_t i = 0; i < writes.size(); ++i) {
    reg.closeKey();
    // A key that cannot be made leaves none open, so the write fails with
    // the store's error instead of landing elsewhere.
    openForWrite(reg, writes[i].key);
    reg.writeString("", writes[i].text);
    // The display name first, then two writes per event.
    if (i > 0 && i % 2 == 0) {
      progress_->setValue(static_cast<int>(i / 2));
      progress_->repaint();
    }
  }

  strip_->hide();
  progress_->hide();
  saveButton_->setText(QString::fromUtf8(kSaveCaption));

  reg.closeKey();
  openForWrite(reg, kSoundSchemes);
  reg.writeString("", name);
  showSchemeName(reg);
  return WriteResult::Done;
}

}  // namespace kelvaro
