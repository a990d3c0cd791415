// The desktop page on a real Wine prefix: a wallpaper style and a pattern
// applied through the page's widgets are what Wine reads back; everything
// changed is put back afterwards.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <fstream>
#include <iterator>
#include <regex>

#include "platform/formats/bmp_writer.h"
#include "platform/linux_pictures.h"
#include "platform/linux_system_settings.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

class DesktopBackgroundOnWineTest : public testing::WinePrefixTest {
 protected:
  void SetUp() override {
    WinePrefixTest::SetUp();
    windows_ = prefix / "drive_c" / "windows";
    hadControlIni_ = fs::exists(controlIni());
    keep(prefix / "user.reg");
    keep(controlIni());
  }
  void TearDown() override {
    WinePrefixTest::TearDown();
    // A control.ini the page made may be spelt otherwise than the one looked for.
    if (!hadControlIni_) fs::remove(controlIni());
    fs::remove(windows_ / "kelvarotapeta.bmp");
    fs::remove(prefix / "drive_c" / "kelvarotapeta.bmp");
  }

  // The prefix's control.ini in whatever case it is spelt.
  fs::path controlIni() const {
    for (const auto& entry : fs::directory_iterator(windows_)) {
      if (QString::fromStdString(entry.path().filename().string())
              .compare("control.ini", Qt::CaseInsensitive) == 0)
        return entry.path();
    }
    return windows_ / "Control.INI";
  }
  // A click on a radio button's circle, as a user aims.
  static void clickRadio(QRadioButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
  }

  // The window with the real picture codecs and the running system's settings.
  std::unique_ptr<Session> openWithPictures() {
    auto session = std::make_unique<Session>();
    session->environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
    running = std::make_unique<LinuxSystemSettings>(&session->environment->registry());
    Platform services = platform(session->environment.get());
    services.pictures = &realPictures;
    services.systemSettings = running.get();
    session->app = std::make_unique<AppContext>(services);
    session->window = std::make_unique<TKelvaro>(*session->app, createPage);
    session->window->show();
    return session;
  }

  LinuxPictures realPictures;
  std::unique_ptr<LinuxSystemSettings> running;
  fs::path windows_;
  bool hadControlIni_ = false;
};

TEST_F(DesktopBackgroundOnWineTest, AWallpaperStyleAndAPatternAppliedAreWhatWineReads) {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::darkBlue);
  const std::vector<std::uint8_t> bytes = formats::BmpWriter::encode(picture, 24);
  std::ofstream(prefix / "drive_c" / "kelvarotapeta.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  {
    auto session = openWithPictures();
    Page* page = session->showAndLoad("pulpit");
    ASSERT_NE(page, nullptr);
    session->window->showPage("pulpit", "pulpittapeta");
    dialogs.answer(std::optional<std::string>("C:\\kelvarotapeta.bmp"));
    QTest::mouseClick(page->findChild<QPushButton*>("tapetaZmien"), Qt::LeftButton);
    clickRadio(page->findChild<QRadioButton*>("tapetaSasiadujaca"));
    ASSERT_TRUE(page->findChild<QRadioButton*>("tapetaSasiadujaca")->isChecked());
    auto* apply = page->findChild<QPushButton*>("tapetaZastosuj");
    ASSERT_TRUE(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;

    session->window->showPage("pulpit", "pulpitdesen");
    ASSERT_TRUE(testing::clickItem(page->findChild<QListWidget*>("desenLista"), "Wafle"));
    QTest::mouseClick(page->findChild<QPushButton*>("desenZastosuj"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
    // The running desktop was told of both.
    EXPECT_EQ(running->pattern(), "77 154 8 85 239 154 77 154");
    EXPECT_TRUE(QString::fromStdString(running->wallpaper()).endsWith("\\kelvarotapeta.bmp"));
    EXPECT_EQ(running->desktopRedraws(), 2);
  }
  const std::string key = "HKCU\\Control Panel\\Desktop";
  for (const auto& [name, text] :
       std::vector<std::pair<std::string, std::string>>{{"TileWallpaper", "1"},
                                                        {"WallpaperStyle", "0"},
                                                        {"Wallpaper", "C:\\\\windows\\\\kelvarotapeta\\.bmp"},
                                                        {"Pattern", "77 154 8 85 239 154 77 154"}}) {
    const std::string answer = query(key, name);
    EXPECT_TRUE(std::regex_search(answer, std::regex(name + "\\s+REG_SZ\\s+" + text, std::regex::icase)))
        << answer;
  }
  EXPECT_EQ(testing::readAll(windows_ / "kelvarotapeta.bmp"), std::string(bytes.begin(), bytes.end()));
  EXPECT_NE(testing::readAll(controlIni()).find("Wafle=77 154 8 85 239 154 77 154"), std::string::npos);
}

}  // namespace
}  // namespace kelvaro
