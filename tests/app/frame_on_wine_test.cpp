// The frame on a real Wine prefix: what its pages write is what Wine reads.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <cstdio>
#include <filesystem>

#include <QCheckBox>
#include "app/main_window.h"
#include "app/page_factory.h"
#include "app/windows_page.h"

#include "platform/environment_factory.h"
#include "platform/recording_icons.h"
#include "platform/recording_launcher.h"
#include "platform/recording_pictures.h"
#include "platform/recording_shell_links.h"
#include "platform/scripted_dialogs.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;

std::string capture(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, got);
    ::pclose(pipe);
  }
  return out;
}

class FrameOnWineTest : public ::testing::Test {
 protected:
  std::string wine(const std::string& arguments) const {
    return capture("WINEPREFIX='" + prefix.string() + "' WINEDEBUG=-all wine " + arguments + " 2>/dev/null");
  }
  void stopWineserver() const {
    capture("WINEPREFIX='" + prefix.string() + "' wineserver -k 2>/dev/null; WINEPREFIX='" + prefix.string() +
            "' wineserver -w");
  }
  fs::path prefix = KELVARO_TEST_WINEPREFIX;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  RecordingShellLinks shellLinks;
  RecordingIcons icons;
  RecordingPictures pictures;
};

// A click where a user clicks a check box: on its mark.
void clickBox(QCheckBox* box) {
  QStyleOptionButton option;
  option.initFrom(box);
  QTest::mouseClick(box, Qt::LeftButton, {},
                    box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
}

TEST_F(FrameOnWineTest, TheWindowsPageAndClosingWriteWhatWineReads) {
  ASSERT_TRUE(fs::exists(prefix / "system.reg"));
  stopWineserver();
  {
    const auto environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
    AppContext app(Platform{environment.get(), &dialogs, &launcher, &shellLinks, &icons, &pictures});
    TKelvaro window(app, createPage);
    window.show();
    window.showPage("windows");
    auto* page = static_cast<WindowsPage*>(window.page("windows"));
    ASSERT_TRUE(app.run([page] { page->reload(); }));

    QLabel* owner = page->field(7);
    QTest::mouseDClick(owner, Qt::LeftButton, {}, QPoint(3, 3));
    QLineEdit* editor = page->editor()->textEditor();
    editor->selectAll();
    QTest::keyClicks(editor, "Kelvaro Tester");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::mouseClick(page->findChild<QPushButton*>("windowsApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
    window.close();
  }
  const std::string nine =
      wine("reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion' /v RegisteredOwner");
  EXPECT_NE(nine.find("Kelvaro Tester"), std::string::npos) << nine;
  const std::string nt =
      wine("reg query 'HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion' /v RegisteredOwner");
  EXPECT_NE(nt.find("Kelvaro Tester"), std::string::npos) << nt;
  const std::string page = wine("reg query 'HKCU\\Software\\Morvane\\Kelvaro' /v ActivePageName");
  EXPECT_NE(page.find("REG_SZ"), std::string::npos) << page;
  EXPECT_NE(page.find(" 3"), std::string::npos) << page;
  stopWineserver();
}

TEST_F(FrameOnWineTest, TheControlPanelRestrictionsAreWhatWineReads) {
  ASSERT_TRUE(fs::exists(prefix / "system.reg"));
  const std::string policies = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\";
  // Wine stores one restriction; the page must show it and, unticked, remove it.
  wine("reg add '" + policies + "Network' /v NoFileSharingControl /t REG_DWORD /d 1 /f");
  ASSERT_NE(wine("reg query '" + policies + "Network' /v NoFileSharingControl").find("0x1"),
            std::string::npos);
  stopWineserver();
  {
    const auto environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
    AppContext app(Platform{environment.get(), &dialogs, &launcher, &shellLinks, &icons, &pictures});
    TKelvaro window(app, createPage);
    window.show();
    window.showPage("ograniczenia");
    Page* page = window.page("ograniczenia");
    ASSERT_TRUE(app.run([page] { page->reload(); }));
    // One restriction on, one that may be stored switched off.
    auto* printers = page->findChild<QCheckBox*>("NoPrinters");
    auto* sharing = page->findChild<QCheckBox*>("NoFileSharingControl");
    EXPECT_TRUE(sharing->isChecked());
    if (!printers->isChecked()) clickBox(printers);
    clickBox(sharing);
    QTest::mouseClick(page->findChild<QPushButton*>("ograniczeniaApply"), Qt::LeftButton);
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
  }
  const std::string on = wine("reg query '" + policies + "Explorer' /v NoPrinters");
  EXPECT_NE(on.find("REG_DWORD"), std::string::npos) << on;
  EXPECT_NE(on.find("0x1"), std::string::npos) << on;
  // Unchecked restrictions leave no value at all.
  const std::string off = wine("reg query '" + policies + "Network' /v NoFileSharingControl");
  EXPECT_EQ(off.find("REG_DWORD"), std::string::npos) << off;
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro
