// The sound page as a user drives it: choosing events, the sound chooser,
// the player's buttons and position bar, the volume label, the two-step
// scheme save, re-reading; the player is the recording double, and one test
// plays a real sound through Qt Multimedia where the machine can.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>

#include <algorithm>

#include "pages/appearance/sound_page.h"
#include "pages/widgets/clickable_label.h"
#include "platform/file_system.h"
#include "platform/qt_sound.h"
#include "store/registry_handle.h"
#include "tests/support/page_harness.h"

namespace kelvaro::testing {
namespace {

constexpr char kApps[] = "AppEvents\\Schemes\\Apps\\";
constexpr char kNoSound[] =
    "Ta opcja nie ma przypisanego dźwięku, lub ma przypisany jakiś dźwięk, ale plik dźwiękowy związany z tym "
    "zdarzeniem nie istnieje.";
constexpr char kDefaultSound[] = "C:\\WINDOWS\\MEDIA\\dzwiek.wav";
constexpr char kErrorSound[] = "C:\\WINDOWS\\MEDIA\\blad.wav";

class SoundPageTest : public PageHarness {
 protected:
  SoundPage& soundPage() {
    if (!window) {
      EXPECT_NE(start(), nullptr);
    }
    frame().showPage("dzwieki");
    return static_cast<SoundPage&>(page("dzwieki"));
  }
  void deleteKey(const std::string& key) {
    RegistryHandle reg(app->registry());
    reg.deleteKey(key);
    app->flush();
  }
  void chooseEvent(int position) { click(find<ClickableLabel>("event" + std::to_string(position))); }
  QString value(const char* name) { return find<QLabel>(name)->text(); }
  QPushButton* saveButton() { return find<QPushButton>("dzwiekiApply"); }
  QSlider* positionBar() { return find<QSlider>("positionBar"); }
  std::optional<StoredValue> defaultValue(const std::string& key) {
    return stored(Root::CurrentUser, key, "");
  }
  // The calls the player got since the mark.
  std::vector<std::string> callsSince(std::size_t mark) {
    return {sound.calls.begin() + static_cast<std::ptrdiff_t>(mark), sound.calls.end()};
  }
  // Drags a slider's handle to a point along its groove.
  void dragHandle(QSlider* slider, int toX) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.minimum = slider->minimum();
    option.maximum = slider->maximum();
    option.sliderPosition = slider->sliderPosition();
    option.sliderValue = slider->value();
    const QRect handle =
        slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, slider);
    QTest::mousePress(slider, Qt::LeftButton, {}, handle.center());
    QTest::mouseMove(slider, QPoint(toX, handle.center().y()));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(toX, handle.center().y()));
  }
};

TEST_F(SoundPageTest, AnEventWithoutASoundSaysSoAndOffersTheOuterChangeButton) {
  deleteKey(std::string(kApps) + ".Default\\SystemStart\\.Current");
  set(Root::CurrentUser, std::string(kApps) + ".Default\\SystemQuestion\\.Current", "",
      std::string("C:\\WINDOWS\\MEDIA\\nie ma.wav"));
  SoundPage& page = soundPage();
  EXPECT_EQ(value("soundSchemeName"), "Nazwa schematu: .Default");

  for (int position : {1, 2}) {
    dialogs.shown.clear();
    chooseEvent(position);
    ASSERT_EQ(dialogs.boxes().size(), 1u) << position;
    EXPECT_EQ(dialogs.boxes()[0].text, kNoSound);
    EXPECT_EQ(dialogs.boxes()[0].title, kProgramTitle);
    EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::None);
    EXPECT_EQ(find<QSlider>("eventSlider")->value(), position);
    EXPECT_FALSE(find<QWidget>("playerPanel")->isVisible());
    EXPECT_TRUE(find<QPushButton>("zmienOuter")->isVisible());
  }
  EXPECT_EQ(page.eventCaption(soundEventIndex(2))->palette().color(QPalette::WindowText), QColor(Qt::blue));
  EXPECT_EQ(page.eventCaption(soundEventIndex(1))->palette().color(QPalette::WindowText), QColor(Qt::black));
  // A missing file stays the event's path; only playing it fails.
  EXPECT_EQ(page.eventPath(soundEventIndex(2)), "C:\\WINDOWS\\MEDIA\\nie ma.wav");
  EXPECT_TRUE(std::none_of(sound.calls.begin(), sound.calls.end(),
                           [](const std::string& c) { return c.rfind("open", 0) == 0; }));

  dialogs.answer(std::optional<std::string>(kErrorSound));
  click("zmienOuter");
  const auto& chooser = dialogs.shown.back();
  ASSERT_EQ(chooser.kind, "file");
  EXPECT_EQ(chooser.file.title, "Zmień dźwięk ...");
  EXPECT_EQ(chooser.file.filter, "Dźwięki (*.wav)|*.wav");
  EXPECT_EQ(chooser.file.defaultExtension, "wav");
  EXPECT_EQ(chooser.file.initialFolder, "C:\\WINDOWS\\Media");
  EXPECT_TRUE(chooser.file.mustExist);
  EXPECT_EQ(page.eventPath(soundEventIndex(2)), kErrorSound);
  EXPECT_TRUE(find<QWidget>("playerPanel")->isVisible());
  EXPECT_FALSE(find<QPushButton>("zmienOuter")->isVisible());
  EXPECT_EQ(value("fileNameValue"), "blad");
  EXPECT_EQ(value("fileTypeValue"), "wav");
  EXPECT_TRUE(saveButton()->isEnabled());
}

TEST_F(SoundPageTest, TheChooserTakesWaveAndMp3FilesInAnyCaseAndRefusesOthers) {
  SoundPage& page = soundPage();
  chooseEvent(16);
  ASSERT_TRUE(find<QWidget>("playerPanel")->isVisible());
  const std::size_t event = soundEventIndex(16);
  sound.lengths["C:\\Muzyka\\utwor.Mp3"] = 83'500;

  struct Case {
    const char* path;
    bool accepted;
  };
  for (const Case& c : {Case{"C:\\Muzyka\\utwor.mp3", true}, Case{"C:\\Muzyka\\utwor.Mp3", true},
                        Case{"C:\\Muzyka\\utwor.ogg", false}, Case{"C:\\Muzyka\\utwor.Wav", true}}) {
    page.reload();
    chooseEvent(16);
    dialogs.shown.clear();
    dialogs.answer(std::optional<std::string>(c.path));
    click("zmienButton");
    EXPECT_EQ(saveButton()->isEnabled(), c.accepted) << c.path;
    if (c.accepted) {
      EXPECT_TRUE(dialogs.boxes().empty()) << c.path;
      EXPECT_EQ(page.eventPath(event), c.path);
      EXPECT_EQ(sound.calls.back(), std::string("open ") + c.path);
    } else {
      ASSERT_EQ(dialogs.boxes().size(), 1u) << c.path;
      EXPECT_EQ(
          dialogs.boxes()[0].text,
          "Wybrany format pliku jest niepoprawny.\rWybierz inny plik lub upewnij się, czy wybrany plik ma "
          "rozszerzenie WAV");
      EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::None);
      EXPECT_EQ(page.eventPath(event), kErrorSound);
    }
  }
  // The length the player reports fills the panel.
  page.reload();
  chooseEvent(16);
  dialogs.answer(std::optional<std::string>("C:\\Muzyka\\utwor.Mp3"));
  click("zmienButton");
  EXPECT_EQ(value("frameCountValue"), "8350");
  EXPECT_EQ(value("lengthValue"), "83500");
  EXPECT_EQ(value("currentPositionValue"), "0");
  EXPECT_EQ(value("durationValue"), "1:23s (rozmiar pliku : 0 bajtów)");
  EXPECT_EQ(value("fileTypeValue"), "Mp3");

  // Cancelled: nothing happens.
  dialogs.shown.clear();
  page.reload();
  chooseEvent(16);
  dialogs.answer(std::nullopt);
  click("zmienButton");
  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_FALSE(saveButton()->isEnabled());
}

TEST_F(SoundPageTest, AFileThePlayerCannotOpenIsReportedKeptAndNotPending) {
  SoundPage& page = soundPage();
  chooseEvent(16);
  EXPECT_EQ(value("durationValue").left(6), "0:01s ");
  const std::string broken = "C:\\WINDOWS\\MEDIA\\zepsuty.wav";
  sound.unopenable.insert(broken);
  dialogs.answer(std::optional<std::string>(broken));
  click("zmienButton");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text,
            "Nie mogę otworzyć pliku o rozszerzeniu \".wav\" Sprawdź czy plik nie jest uszkodzony lub czy "
            "prawidłowy jest jego format danych.");
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  EXPECT_EQ(dialogs.boxes()[0].title, kProgramTitle);
  EXPECT_EQ(page.eventPath(soundEventIndex(16)), broken);
  EXPECT_FALSE(saveButton()->isEnabled());
  EXPECT_TRUE(find<QPushButton>("zmienOuter")->isVisible());
}

TEST_F(SoundPageTest, SavingWritesEveryEventIntoTheSchemeAndShowsItsName) {
  deleteKey(std::string(kApps) + ".Default\\SystemStart");
  soundPage();
  chooseEvent(14);
  const std::string chosen = "C:\\WINDOWS\\MEDIA\\menu.wav";
  dialogs.answer(std::optional<std::string>(chosen));
  click("zmienButton");
  ASSERT_TRUE(saveButton()->isEnabled());

  click(saveButton());
  auto* field = find<QLineEdit>("soundSchemeField");
  EXPECT_TRUE(find<QWidget>("schemeStrip")->isVisible());
  EXPECT_FALSE(find<QWidget>("schemeProgress")->isVisible());
  EXPECT_EQ(frame().focusWidget(), field);
  EXPECT_EQ(saveButton()->text(), "Zapisz schemat");
  QTest::keyClicks(field, "Moj");
  EXPECT_EQ(saveButton()->text(), "OK");
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClick(field, Qt::Key_Backspace);
  QTest::keyClick(field, Qt::Key_Backspace);
  EXPECT_EQ(saveButton()->text(), "Zapisz schemat");
  QTest::keyClick(field, Qt::Key_Return);  // the caption is not "OK": nothing is saved
  EXPECT_FALSE(keyStored(Root::CurrentUser, "AppEvents\\Schemes\\Names\\Moj"));
  QTest::keyClicks(field, "Moj");
  QTest::keyClick(field, Qt::Key_Return);

  EXPECT_TRUE(dialogs.boxes().empty());
  EXPECT_EQ(defaultValue("AppEvents\\Schemes\\Names\\Moj"),
            StoredValue(std::string("Moj - schemat dźwiękowy")));
  EXPECT_EQ(defaultValue("AppEvents\\Schemes"), StoredValue(std::string("Moj")));
  for (const char* scheme : {".Current", "Moj"}) {
    const std::string leaf = std::string("\\") + scheme;
    EXPECT_EQ(defaultValue(std::string(kApps) + "Explorer\\EmptyRecycleBin" + leaf), StoredValue(chosen));
    EXPECT_EQ(defaultValue(std::string(kApps) + ".Default\\.Default" + leaf),
              StoredValue(std::string(kDefaultSound)));
    // The event that had no key gets empty strings in new keys.
    EXPECT_EQ(defaultValue(std::string(kApps) + ".Default\\SystemStart" + leaf), StoredValue(std::string()));
  }
  EXPECT_EQ(find<QProgressBar>("schemeProgress")->value(), 17);
  EXPECT_FALSE(find<QWidget>("schemeStrip")->isVisible());
  EXPECT_EQ(value("soundSchemeName"), "Nazwa schematu: Moj");
  EXPECT_EQ(saveButton()->text(), "Zapisz schemat");
  EXPECT_FALSE(saveButton()->isEnabled());
  EXPECT_TRUE(app->restartNeeded());
  EXPECT_FALSE(frame().page("dzwieki")->hasPendingEdits());
}

TEST_F(SoundPageTest, AChosenSoundIsPendingAtCloseAndTheHoverResetDropsATypedName) {
  soundPage();
  chooseEvent(16);
  dialogs.answer(std::optional<std::string>(kDefaultSound));
  click("zmienButton");
  EXPECT_TRUE(frame().page("dzwieki")->hasPendingEdits());
  click(saveButton());
  QTest::keyClicks(find<QLineEdit>("soundSchemeField"), "Moj");
  ASSERT_EQ(saveButton()->text(), "OK");

  QTest::mouseMove(find<QWidget>("bottomBar"), QPoint(300, 5));
  EXPECT_FALSE(find<QWidget>("schemeStrip")->isVisible());
  EXPECT_TRUE(find<QLineEdit>("soundSchemeField")->text().isEmpty());
  EXPECT_EQ(saveButton()->text(), "Zapisz schemat");
  EXPECT_TRUE(saveButton()->isEnabled());
}

TEST_F(SoundPageTest, TheVolumeLabelReadsFiftyAfterALoadAndFiftyFiveWhenTheUserComesBackToTwelve) {
  soundPage();
  auto* volume = find<QSlider>("volumeSlider");
  auto* label = find<QLabel>("volumeLabel");
  EXPECT_EQ(volume->value(), 12);
  EXPECT_EQ(label->text(), "50%");
  EXPECT_TRUE(sound.volumes.empty());  // at start-up the slider already stood at 12

  chooseEvent(16);
  key(volume, Qt::Key_Right);
  EXPECT_EQ(label->text(), "59%");
  key(volume, Qt::Key_Left);
  EXPECT_EQ(label->text(), "55%");
  ASSERT_EQ(sound.volumes.size(), 2u);
  EXPECT_EQ(sound.volumes[0], std::make_pair(std::uint16_t{0xB000}, std::uint16_t{0xB000}));
  EXPECT_EQ(sound.volumes[1], std::make_pair(std::uint16_t{0xAAAA}, std::uint16_t{0xAAAA}));

  // Each position sends its level to both channels.
  const std::uint16_t levels[] = {0x0000, 0x1000, 0x2000, 0x3000, 0x4000, 0x5000, 0x6000, 0x7000,
                                  0x8000, 0x9000, 0x9999, 0xA000, 0xAAAA, 0xB000, 0xBBBB, 0xC000,
                                  0xCCCC, 0xD000, 0xDDDD, 0xE000, 0xEEEE, 0xF999, 0xFFFF};
  key(volume, Qt::Key_Home);
  for (int position = 0; position <= 22; ++position) {
    if (position > 0) key(volume, Qt::Key_Right);
    ASSERT_EQ(volume->value(), position);
    EXPECT_EQ(sound.volumes.back(), std::make_pair(levels[position], levels[position])) << position;
  }
  EXPECT_EQ(label->text(), "100%");

  // Re-read from elsewhere: the move back to 12 counts as a change.
  sound.volumes.clear();
  click("reReadButton");
  EXPECT_EQ(volume->value(), 12);
  EXPECT_EQ(label->text(), "55%");
  ASSERT_EQ(sound.volumes.size(), 1u);
  EXPECT_EQ(sound.volumes[0].first, 0xAAAA);
  // Re-read at 12: nothing is sent and the label says 50% again.
  click("reReadButton");
  EXPECT_EQ(label->text(), "50%");
  EXPECT_EQ(sound.volumes.size(), 1u);
}

TEST_F(SoundPageTest, EndlessPlayReplaysUntilStopWhichCancelsTheReplay) {
  soundPage();
  chooseEvent(16);
  auto* play = find<QPushButton>("playButton");
  auto* stop = find<QPushButton>("stopButton");
  EXPECT_TRUE(stop->isChecked());
  click("endlessPlay");
  click(play);
  EXPECT_TRUE(play->isChecked());
  EXPECT_FALSE(stop->isChecked());
  EXPECT_EQ(value("stateValue"), "Odtwarzanie dźwięku");
  EXPECT_EQ(positionBar()->maximum(), 1500);

  for (int round = 0; round < 3; ++round) {
    const std::size_t mark = sound.calls.size();
    sound.finish();
    EXPECT_EQ(callsSince(mark), (std::vector<std::string>{"seek 0", "play"})) << round;
    EXPECT_EQ(sound.state(), Sound::State::Playing);
  }
  sound.advanceTo(700);
  QTRY_COMPARE(positionBar()->value(), 700);  // the position timer follows the player
  EXPECT_EQ(value("currentPositionValue"), "700");

  const std::size_t mark = sound.calls.size();
  click(stop);
  EXPECT_EQ(callsSince(mark), (std::vector<std::string>{"cancel", "stop"}));
  EXPECT_FALSE(sound.endNotificationPending());
  EXPECT_TRUE(stop->isChecked());
  EXPECT_FALSE(play->isChecked());
  EXPECT_EQ(value("stateValue"), "Dźwięk zatrzymany");
  // Stopping leaves the start where it was: the next Play starts there.
  EXPECT_EQ(value("startPositionValue"), "0");

  // Without endless play the end resets the bar and the buttons.
  click("endlessPlay");
  click(play);
  EXPECT_EQ(sound.calls.back(), "play");
  EXPECT_EQ(sound.calls[sound.calls.size() - 2], "seek 0");  // Stop was down: from the shown start
  sound.finish();
  EXPECT_EQ(sound.calls.back(), "play");
  EXPECT_EQ(positionBar()->value(), 0);
  EXPECT_TRUE(stop->isChecked());
  EXPECT_FALSE(play->isChecked());
}

TEST_F(SoundPageTest, PauseAndStopWithoutAPlaybackAreReportedAndReleaseTheirButton) {
  soundPage();
  chooseEvent(16);
  auto* pause = find<QPushButton>("pauseButton");
  auto* stop = find<QPushButton>("stopButton");
  click(pause);
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, "Dźwięk nie jest odtwarzany !!!");
  EXPECT_EQ(dialogs.boxes()[0].icon, BoxIcon::Error);
  EXPECT_FALSE(pause->isChecked());
  EXPECT_TRUE(stop->isChecked());

  click("playButton");
  click(pause);
  EXPECT_EQ(sound.state(), Sound::State::Paused);
  EXPECT_TRUE(pause->isChecked());
  EXPECT_EQ(value("stateValue"), "Pauza");
  click(pause);
  EXPECT_EQ(sound.state(), Sound::State::Playing);
  EXPECT_EQ(value("stateValue"), "Odtwarzanie dźwięku");
  EXPECT_EQ(dialogs.boxes().size(), 1u);

  // A file the player lost: Stop fails and says so.
  sound.unopenable.insert(kErrorSound);
  sound.open(kErrorSound);
  click(stop);
  ASSERT_EQ(dialogs.boxes().size(), 2u);
  EXPECT_EQ(dialogs.boxes()[1].text, "Nie można wyłączyć dźwięku ponieważ nie jest on odtwarzany !!!");
  EXPECT_FALSE(stop->isChecked());
  click("playButton");
  ASSERT_EQ(dialogs.boxes().size(), 3u);
  EXPECT_EQ(dialogs.boxes()[2].text, "Najpierw musisz wybrac dźwięk do odtworzenia !!!");
  EXPECT_FALSE(find<QPushButton>("playButton")->isChecked());
}

TEST_F(SoundPageTest, DraggingThePositionBarWhileStoppedSetsWhereTheNextPlayStarts) {
  soundPage();
  chooseEvent(16);
  QSlider* bar = positionBar();
  ASSERT_EQ(bar->maximum(), 1500);
  const std::size_t mark = sound.calls.size();
  dragHandle(bar, bar->width() / 2);
  const int dragged = bar->value();
  ASSERT_GT(dragged, 0);
  ASSERT_LT(dragged, 1500);
  const std::vector<std::string> calls = callsSince(mark);
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[calls.size() - 3], "seek " + std::to_string(dragged));
  EXPECT_EQ(calls[calls.size() - 2], "cancel");
  EXPECT_EQ(calls.back(), "stop");
  EXPECT_EQ(value("startPositionValue"), QString::number(dragged));
  EXPECT_EQ(value("currentPositionValue"), QString::number(dragged));
  EXPECT_EQ(value("stateValue"), "Dźwięk zatrzymany");

  sound.advanceTo(0);  // wherever the player went, Play starts at the shown start
  click("playButton");
  EXPECT_EQ(callsSince(sound.calls.size() - 2),
            (std::vector<std::string>{"seek " + std::to_string(dragged), "play"}));
}

TEST_F(SoundPageTest, ReReadingWhileAnotherEventIsCurrentChoosesTheDefaultSoundThenHidesThePlayer) {
  SoundPage& page = soundPage();
  chooseEvent(16);
  ASSERT_TRUE(find<QWidget>("playerPanel")->isVisible());
  const std::size_t mark = sound.calls.size();
  click("reReadButton");
  EXPECT_EQ(callsSince(mark)[0], std::string("open ") + kDefaultSound);
  EXPECT_EQ(find<QSlider>("eventSlider")->value(), 17);
  EXPECT_FALSE(find<QWidget>("playerPanel")->isVisible());
  EXPECT_EQ(value("stateValue"), "Bezczynność");
  for (std::size_t i = 0; i < kSoundEventCount; ++i) {
    EXPECT_EQ(page.eventCaption(i)->palette().color(QPalette::WindowText), QColor(Qt::black)) << i;
  }
  EXPECT_TRUE(dialogs.boxes().empty());

  // "Domyślny dźwięk" clicked while current opens again; another current event does nothing.
  chooseEvent(17);
  EXPECT_EQ(sound.calls.back(), std::string("open ") + kDefaultSound);
  EXPECT_TRUE(find<QWidget>("playerPanel")->isVisible());
  const std::size_t opened = sound.calls.size();
  chooseEvent(16);
  chooseEvent(16);
  EXPECT_EQ(sound.calls.size(), opened + 1);

  // Without a default sound the re-read shows the no-sound message.
  deleteKey(std::string(kApps) + ".Default\\.Default\\.Current");
  click("reReadButton");
  ASSERT_EQ(dialogs.boxes().size(), 1u);
  EXPECT_EQ(dialogs.boxes()[0].text, kNoSound);
}

// The real player: a short wave of the sandbox played to its end.
TEST_F(SoundPageTest, QtMultimediaPlaysASandboxSoundToItsEnd) {
  if (!QtSound::hasAudioOutput()) GTEST_SKIP() << "no audio output device on this machine";
  QtSound player([this](std::string_view dos) { return environment->files().hostPath(dos); });
  player.setWaveOutVolume(0x1000, 0x1000);
  if (!player.open("C:\\WINDOWS\\MEDIA\\polecenie.wav")) {
    GTEST_SKIP() << "the media back end reports an error for a wave file here";
  }
  EXPECT_GT(player.length(), 0);
  std::optional<Sound::End> ended;
  ASSERT_TRUE(player.play([&ended](Sound::End how) { ended = how; }));
  EXPECT_EQ(player.state(), Sound::State::Playing);
  QTRY_VERIFY_WITH_TIMEOUT(ended.has_value(), 10'000);
  EXPECT_EQ(*ended, Sound::End::Finished);
  EXPECT_EQ(player.state(), Sound::State::Stopped);
}

}  // namespace
}  // namespace kelvaro::testing
