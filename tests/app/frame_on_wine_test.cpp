// The frame on a real Wine prefix: what its pages write is what Wine reads.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <filesystem>

#include "app/main_window.h"
#include "app/page_factory.h"
#include "app/windows_page.h"
#include "platform/environment_factory.h"
#include "platform/recording_launcher.h"
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
};

TEST_F(FrameOnWineTest, TheWindowsPageAndClosingWriteWhatWineReads) {
  ASSERT_TRUE(fs::exists(prefix / "system.reg"));
  stopWineserver();
  {
    const auto environment = openEnvironment({Environment::Kind::WinePrefix, prefix});
    ScriptedDialogs dialogs;
    RecordingLauncher launcher;
    AppContext app(Platform{environment.get(), &dialogs, &launcher});
    TKelvaro window(app, createPage);
    window.show();
    window.showPage("windows");
    auto* page = static_cast<WindowsPage*>(window.page("windows"));
    ASSERT_TRUE(app.run([page] { page->load(); }));

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

}  // namespace
}  // namespace kelvaro
