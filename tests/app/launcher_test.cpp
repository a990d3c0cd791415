#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QFile>
#include <QFileSystemWatcher>
#include <QObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrlQuery>

#include <string>
#include <vector>

#include "platform/linux_launcher.h"
#include "platform/recording_launcher.h"
#include "platform/sandbox_launcher.h"
#include "platform/scripted_dialogs.h"

namespace kelvaro::testing {

// Receives the URLs the desktop's handler would get.
class UrlReceiver : public QObject {
  Q_OBJECT

 public:
  Q_INVOKABLE void handle(const QUrl& url) { urls.push_back(url); }
  std::vector<QUrl> urls;
};

namespace {

using Args = std::vector<std::string>;

TEST(WindowsCommandLine, SplitsAsWindowsProgramsDo) {
  const struct {
    const char* line;
    Args args;
  } cases[] = {
      {"rundll32.exe shell32.dll,Control_RunDLL desk.cpl",
       {"rundll32.exe", "shell32.dll,Control_RunDLL", "desk.cpl"}},
      {R"("C:\Program Files\Gra\uninst.exe" /s "dwa słowa")",
       {R"(C:\Program Files\Gra\uninst.exe)", "/s", "dwa słowa"}},
      {R"(C:\WINDOWS\attrib.exe +h C:\WINDOWS\x)", {R"(C:\WINDOWS\attrib.exe)", "+h", R"(C:\WINDOWS\x)"}},
      {R"(a.exe "C:\dir\\" x)", {"a.exe", R"(C:\dir\)", "x"}},
      {R"(a.exe a\"b a\\\"b a\\b)", {"a.exe", R"(a"b)", R"(a\"b)", R"(a\\b)"}},
      {R"(a.exe "a""b" "")", {"a.exe", R"(a"b)", ""}},
      {"  control.exe   ", {"control.exe"}},
      {R"("C:\a b\c.exe)", {R"(C:\a b\c.exe)"}},
      {"   ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(splitWindowsCommandLine(c.line), c.args) << c.line;
}

TEST(WindowsCommandLine, TellsUrlsFromWindowsPaths) {
  const struct {
    const char* target;
    bool url;
  } cases[] = {{"http://www.example.org/", true},
               {"mailto:a@example.org", true},
               {"file:///tmp/x", true},
               {R"(C:\WINDOWS\win.ini)", false},
               {"c:notes.txt", false},
               {"notes.txt", false},
               {"", false},
               {"1http://x", false}};
  for (const auto& c : cases) EXPECT_EQ(isUrl(c.target), c.url) << c.target;
}

// Stands in for wine: writes what it was started with where the test reads it.
class FakeWine {
 public:
  FakeWine() {
    EXPECT_TRUE(dir.isValid());
    QFile script(dir.filePath("wine"));
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        "#!/bin/sh\n"
        "out=\"$(dirname \"$0\")/calls.txt\"\n"
        "{ echo \"WINEPREFIX=$WINEPREFIX\"; for a in \"$@\"; do echo \"arg=$a\"; done; } > \"$out.tmp\"\n"
        "mv \"$out.tmp\" \"$out\"\n");
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    watcher.addPath(dir.path());
  }
  std::string program() const { return dir.filePath("wine").toStdString(); }

  // The lines the fake wine wrote, once it has run.
  QStringList waitForCall() {
    QSignalSpy changed(&watcher, &QFileSystemWatcher::directoryChanged);
    QFile calls(dir.filePath("calls.txt"));
    while (!calls.exists() && changed.wait(10000)) {
    }
    if (!calls.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(calls.readAll()).split('\n', Qt::SkipEmptyParts);
    calls.remove();
    return lines;
  }

  QTemporaryDir dir;
  QFileSystemWatcher watcher;
};

TEST(LinuxLauncher, RunsWindowsCommandLinesWithWineInThePrefix) {
  FakeWine wine;
  LinuxLauncher launcher("/srv/prefix dir", wine.program());
  ASSERT_TRUE(launcher.hasWine());

  const struct {
    const char* what;
    bool open;
    const char* target;
    ShowWindow show;
    QStringList expected;
  } cases[] = {
      {"a command line",
       false,
       R"("C:\Program Files\Gra\uninst.exe" /s)",
       ShowWindow::Normal,
       {"arg=C:\\Program Files\\Gra\\uninst.exe", "arg=/s"}},
      {"maximised",
       false,
       "control.exe desk.cpl",
       ShowWindow::Maximized,
       {"arg=start", "arg=/max", "arg=control.exe", "arg=desk.cpl"}},
      {"a document",
       true,
       R"(C:\WINDOWS\win.ini)",
       ShowWindow::Normal,
       {"arg=start", "arg=C:\\WINDOWS\\win.ini"}},
  };
  for (const auto& c : cases) {
    const bool started = c.open ? launcher.open(c.target, c.show) : launcher.run(c.target, c.show);
    ASSERT_TRUE(started) << c.what;
    const QStringList lines = wine.waitForCall();
    ASSERT_FALSE(lines.isEmpty()) << c.what;
    EXPECT_EQ(lines.front(), "WINEPREFIX=/srv/prefix dir") << c.what;
    EXPECT_EQ(lines.mid(1), c.expected) << c.what;
  }
}

TEST(LinuxLauncher, ReportsWhatCannotStart) {
  QTemporaryDir dir;
  LinuxLauncher launcher(dir.path().toStdString(), dir.filePath("no-such-wine").toStdString());
  EXPECT_FALSE(launcher.run("control.exe", ShowWindow::Normal));
  EXPECT_FALSE(launcher.open(R"(C:\WINDOWS\win.ini)", ShowWindow::Normal));
  FakeWine wine;
  LinuxLauncher withWine(dir.path().toStdString(), wine.program());
  EXPECT_FALSE(withWine.run("   ", ShowWindow::Normal));
}

TEST(LinuxLauncher, OpensUrlsAndMailLinksThroughTheDesktop) {
  UrlReceiver receiver;
  QDesktopServices::setUrlHandler("mailto", &receiver, "handle");
  QDesktopServices::setUrlHandler("http", &receiver, "handle");
  LinuxLauncher launcher("/srv/prefix", "/no/wine");
  EXPECT_TRUE(
      launcher.open("mailto:kelvaro@example.org?Subject=Cześć&Body=Gratuluję zrobienia bardzo dobrego "
                    "programu Morvane Kelvaro.",
                    ShowWindow::Normal));
  EXPECT_TRUE(launcher.open("http://www.example.org/kelvaro/", ShowWindow::Maximized));
  QDesktopServices::unsetUrlHandler("mailto");
  QDesktopServices::unsetUrlHandler("http");

  ASSERT_EQ(receiver.urls.size(), 2u);
  const QUrl mail = receiver.urls[0];
  EXPECT_EQ(mail.scheme(), "mailto");
  EXPECT_EQ(mail.path(), "kelvaro@example.org");
  const QUrlQuery query(mail);
  EXPECT_EQ(query.queryItemValue("Subject", QUrl::FullyDecoded), QString::fromUtf8("Cześć"));
  EXPECT_EQ(query.queryItemValue("Body", QUrl::FullyDecoded),
            QString::fromUtf8("Gratuluję zrobienia bardzo dobrego programu Morvane Kelvaro."));
  EXPECT_EQ(receiver.urls[1], QUrl("http://www.example.org/kelvaro/"));
}

}  // namespace

namespace {

TEST(SandboxLauncher, WindowsProgramsAreAnsweredWithAMessageAndLinksStillOpen) {
  RecordingLauncher desktop;
  ScriptedDialogs dialogs;
  SandboxLauncher launcher(desktop, dialogs);
  EXPECT_FALSE(launcher.run("rundll32.exe shell32.dll,Control_RunDLL desk.cpl", ShowWindow::Normal));
  EXPECT_FALSE(launcher.open(R"(C:\WINDOWS\win.ini)", ShowWindow::Normal));
  ASSERT_EQ(dialogs.boxes().size(), 2u);
  for (const MessageBoxSpec& box : dialogs.boxes()) {
    EXPECT_EQ(box.title, "Morvane Kelvaro");
    EXPECT_EQ(box.icon, BoxIcon::None);
    EXPECT_NE(box.text.find("--prefix"), std::string::npos) << box.text;
  }
  EXPECT_NE(dialogs.boxes()[0].text.find("rundll32.exe shell32.dll,Control_RunDLL desk.cpl"),
            std::string::npos);
  EXPECT_TRUE(desktop.calls.empty());

  EXPECT_TRUE(launcher.open("mailto:kelvaro@example.org", ShowWindow::Normal));
  ASSERT_EQ(desktop.calls.size(), 1u);
  EXPECT_EQ(desktop.calls[0].target, "mailto:kelvaro@example.org");
  EXPECT_EQ(dialogs.boxes().size(), 2u);
}

}  // namespace

}  // namespace kelvaro::testing

#include "launcher_test.moc"
