// The logo and OEM pages on a real Wine prefix: the files land where Wine's
// C: drive is, and the OEM texts come from what Wine's registry holds.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <fstream>

#include "platform/formats/bmp_writer.h"
#include "platform/linux_pictures.h"
#include "platform/recording_screen_capture.h"
#include "tests/support/user_input.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro::testing {
namespace {

namespace fs = std::filesystem;

class LogoPagesOnWineTest : public WinePrefixTest {
 protected:
  // The window with the real picture codecs.
  std::unique_ptr<Session> openWithPictures() {
    auto session = std::make_unique<Session>();
    session->environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
    Platform services = platform(session->environment.get());
    services.pictures = &realPictures;
    services.screenCapture = &screenCapture;
    session->app = std::make_unique<AppContext>(services);
    session->window = std::make_unique<TKelvaro>(*session->app, createPage);
    session->window->show();
    return session;
  }
  void writeBmp(const fs::path& host, QSize size, int depth) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkBlue);
    const std::vector<std::uint8_t> bytes = formats::BmpWriter::encode(image, depth);
    fs::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::string identify(const fs::path& host) {
    return capture("identify -format '%m %w %h %z' '" + host.string() + "' 2>&1");
  }
  fs::path drive() const { return prefix / "drive_c"; }

  LinuxPictures realPictures;
  RecordingScreenCapture screenCapture;
};

TEST_F(LogoPagesOnWineTest, TheShutDownLogoAndTheOemSetAreWrittenOnTheWineDrive) {
  const fs::path pictures = drive() / "kelvaro-logo-test";
  writeBmp(pictures / "koniec.bmp", {320, 400}, 4);
  writeBmp(pictures / "oem.bmp", {100, 50}, 24);
  const fs::path shutDown = drive() / "windows" / "logow.sys";
  const fs::path oemLogo = drive() / "windows" / "system32" / "oemlogo.bmp";
  const fs::path oemInfo = drive() / "windows" / "system32" / "oeminfo.ini";
  for (const fs::path& file : {shutDown, oemLogo, oemInfo}) fs::remove(file);
  const std::string product = query("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion", "ProductName");
  stopWineserver();
  {
    auto session = openWithPictures();
    Page* logo = session->showAndLoad("logo");
    ASSERT_NE(logo, nullptr);
    auto* image = logo->findChild<QLabel*>("logow");
    dialogs.answer(std::optional<std::string>("C:\\kelvaro-logo-test\\koniec.bmp"));
    QTest::mouseMove(image, image->rect().center());
    doubleClick(image, image->rect().center());
    QTest::mouseClick(logo->findChild<QPushButton*>("logoZastosuj"), Qt::LeftButton);

    Page* oem = session->showAndLoad("OEM");
    ASSERT_NE(oem, nullptr);
    const QString shownProduct = oem->findChild<QLineEdit*>("OEMNazwaProduktu")->text();
    EXPECT_NE(product.find(shownProduct.toStdString()), std::string::npos) << shownProduct.toStdString();
    dialogs.answer(std::optional<std::string>("C:\\kelvaro-logo-test\\oem.bmp"));
    QTest::mouseClick(oem->findChild<QPushButton*>("OEMZmienLogo"), Qt::LeftButton);
    oem->findChild<QLineEdit*>("OEMFirma")->setText("Kelvaro");
    auto* text = oem->findChild<QPlainTextEdit*>("OEMTekst");
    text->setFocus();
    QTest::keyClicks(text, "Pomoc techniczna");
    auto* apply = oem->findChild<QPushButton*>("OEMZastosuj");
    QTest::mouseClick(apply, Qt::LeftButton);
    auto* asIs = oem->findChild<QRadioButton*>("OEMTakJakJest");
    ASSERT_TRUE(asIs->isVisible());
    QTest::mouseClick(asIs, Qt::LeftButton, {}, {4, asIs->height() / 2});
    QTest::mouseClick(apply, Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  EXPECT_EQ(identify(shutDown), "BMP3 320 400 4");
  EXPECT_EQ(identify(oemLogo), "BMP3 100 50 8");
  std::ifstream in(oemInfo, std::ios::binary);
  const std::string ini{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(ini.rfind("[General]\r\nManufacturer=", 0), 0u) << ini;
  EXPECT_NE(ini.find("\r\nModel=Kelvaro\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("[Support Information]\r\nLine1=Pomoc techniczna\r\n"), std::string::npos) << ini;
  // Wine reads the file where its programs look for it.
  const std::string read = capture("WINEPREFIX='" + prefix.string() +
                                   "' WINEDEBUG=-all wine cmd /c type 'C:\\windows\\system32\\oeminfo.ini' "
                                   "2>/dev/null");
  EXPECT_NE(read.find("Line1=Pomoc techniczna"), std::string::npos) << read;
  for (const fs::path& file : {shutDown, oemLogo, oemInfo}) fs::remove(file);
  fs::remove_all(pictures);
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro::testing
