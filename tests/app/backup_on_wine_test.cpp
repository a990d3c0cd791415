// The way back on a real Wine prefix: a run's backup, undone from the command
// line, and its changes.reg replayed by Wine's own regedit.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <fstream>
#include <regex>
#include <sstream>

#include "app/windows_page.h"
#include "store/run_backup.h"
#include "tests/support/wine_prefix_test.h"

namespace kelvaro {
namespace {

namespace fs = std::filesystem;
using testing::capture;

std::string bytesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void clickBox(QCheckBox* box) {
  QStyleOptionButton option;
  option.initFrom(box);
  QTest::mouseClick(box, Qt::LeftButton, {},
                    box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box).center());
}

class BackupOnWineTest : public testing::WinePrefixTest {
 protected:
  void SetUp() override {
    WinePrefixTest::SetUp();
    char pattern[] = "/tmp/kelvaro-backup-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    scratch = pattern;
    // A prefix of its own, with a restriction the run will remove and a file
    // it will delete; `original` is the same prefix, untouched.
    fs::copy(prefix, scratch / "run", fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    prefix = scratch / "run";
    wine(
        "reg add 'HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network' /v "
        "NoFileSharingControl /t REG_DWORD /d 1 /f");
    stopWineserver();
    std::ofstream(prefix / "drive_c" / "windows" / "kelvaro-old.txt") << "a file the run deletes";
    fs::copy(prefix, scratch / "original", fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  }
  void TearDown() override {
    for (const char* name : {"run", "original"}) {
      capture("WINEPREFIX='" + (scratch / name).string() + "' wineserver -k 2>/dev/null");
    }
    std::error_code ec;
    fs::remove_all(scratch, ec);
  }

  std::string kelvaro(const std::string& arguments) const {
    return capture("XDG_STATE_HOME='" + (scratch / "state").string() + "' " + KELVARO_PROGRAM + " " +
                   arguments + " --prefix '" + prefix.string() + "' 2>&1; echo \"exit=$?\"");
  }
  std::string exportKey(const fs::path& where, const std::string& key) const {
    const fs::path out = scratch / "export.reg";
    fs::remove(out);
    capture("WINEPREFIX='" + where.string() + "' WINEDEBUG=-all wine reg export '" + key + "' '" +
            out.string() + "' /y >/dev/null 2>&1");
    return bytesOf(out);
  }

  fs::path scratch;
};

const std::vector<std::string> kRegistryFiles = {"system.reg", "user.reg", "userdef.reg"};

TEST_F(BackupOnWineTest, ARunIsListedUndoneAndReplayedThroughRegedit) {
  std::map<std::string, std::string> before;
  for (const auto& name : kRegistryFiles) before[name] = bytesOf(prefix / name);
  const fs::path deleted = prefix / "drive_c" / "windows" / "kelvaro-old.txt";
  const std::string deletedBytes = bytesOf(deleted);

  {
    auto session = std::make_unique<Session>();
    EnvironmentOptions options;
    options.backupsFolder = scratch / "state" / "kelvaro" / "backups";
    session->environment = openEnvironment({Environment::Kind::WinePrefix, prefix}, options);
    session->app = std::make_unique<AppContext>(platform(session->environment.get()));
    session->window = std::make_unique<TKelvaro>(*session->app, createPage);
    session->window->show();

    auto* windows = static_cast<WindowsPage*>(session->showAndLoad("windows"));
    ASSERT_NE(windows, nullptr);
    QTest::mouseDClick(windows->field(7), Qt::LeftButton, {}, QPoint(3, 3));
    QLineEdit* editor = windows->editor()->textEditor();
    editor->selectAll();
    // A name no other test on the shared prefix writes, so the run changes
    // system.reg whatever ran before it.
    QTest::keyClicks(editor, "Kelvaro Kopia Zapasowa");
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::mouseClick(windows->findChild<QPushButton*>("windowsApply"), Qt::LeftButton);

    Page* restrictions = session->showAndLoad("ograniczenia");
    ASSERT_NE(restrictions, nullptr);
    auto* printers = restrictions->findChild<QCheckBox*>("NoPrinters");
    if (!printers->isChecked()) clickBox(printers);
    clickBox(restrictions->findChild<QCheckBox*>("NoFileSharingControl"));
    QTest::mouseClick(restrictions->findChild<QPushButton*>("ograniczeniaApply"), Qt::LeftButton);

    EXPECT_TRUE(session->app->files().deleteFile("C:\\windows\\kelvaro-old.txt"));
    EXPECT_TRUE(dialogs.boxes().empty()) << dialogs.boxes().front().text;
    session->window->close();
  }
  ASSERT_FALSE(fs::exists(deleted));

  // One backup, of exactly the files the run changed.
  const fs::path environmentFolder =
      scratch / "state" / "kelvaro" / "backups" / environmentBackupName(false, prefix);
  const auto runs = listBackups(environmentFolder);
  ASSERT_EQ(runs.size(), 1u);
  std::set<fs::path> kept;
  for (const BackupEntry& e : runs[0].entries) kept.insert(e.hostPath);
  EXPECT_EQ(kept,
            (std::set<fs::path>{fs::canonical(prefix / "system.reg"), fs::canonical(prefix / "user.reg"),
                                fs::canonical(prefix) / "drive_c" / "windows" / "kelvaro-old.txt"}));

  // changes.reg, imported into the untouched copy, gives what the run wrote.
  const fs::path changes = runs[0].folder / "changes.reg";
  const std::string changesText = bytesOf(changes);
  ASSERT_NE(changesText.find("\"NoFileSharingControl\"=-"), std::string::npos) << changesText;
  const fs::path original = scratch / "original";
  capture("WINEPREFIX='" + original.string() + "' WINEDEBUG=-all wine regedit /S '" + changes.string() +
          "' 2>&1");
  std::set<std::string> keys;
  static const std::regex section(R"(^\[([^-\]][^\]]*)\]\r?$)", std::regex::multiline);
  for (std::sregex_iterator it(changesText.begin(), changesText.end(), section), end; it != end; ++it)
    keys.insert((*it)[1]);
  ASSERT_FALSE(keys.empty());
  for (const std::string& key : keys) {
    SCOPED_TRACE(key);
    const std::string ours = exportKey(prefix, key);
    EXPECT_FALSE(ours.empty());
    EXPECT_EQ(exportKey(original, key), ours);
  }
  stopWineserver();
  capture("WINEPREFIX='" + original.string() + "' wineserver -k 2>/dev/null");

  const std::string list = kelvaro("--list-backups");
  EXPECT_NE(list.find(runs[0].when), std::string::npos) << list;
  EXPECT_NE(list.find("C:\\windows\\kelvaro-old.txt"), std::string::npos) << list;
  EXPECT_NE(list.find("exit=0"), std::string::npos) << list;

  // Refused while Wine's server runs for the prefix, and nothing changes.
  std::map<std::string, std::string> afterRun;
  for (const auto& name : kRegistryFiles) afterRun[name] = bytesOf(prefix / name);
  capture("WINEPREFIX='" + prefix.string() + "' wineserver -p 2>/dev/null");
  const std::string refused = kelvaro("--restore " + runs[0].when);
  EXPECT_NE(refused.find("wineserver -k"), std::string::npos) << refused;
  EXPECT_EQ(refused.find("exit=0"), std::string::npos) << refused;
  for (const auto& name : kRegistryFiles) EXPECT_EQ(bytesOf(prefix / name), afterRun[name]) << name;
  EXPECT_FALSE(fs::exists(deleted));
  stopWineserver();

  const std::string restored = kelvaro("--restore last");
  EXPECT_NE(restored.find("Przywrócono kopię zapasową " + runs[0].when), std::string::npos) << restored;
  EXPECT_NE(restored.find("exit=0"), std::string::npos) << restored;
  for (const auto& name : kRegistryFiles) EXPECT_EQ(bytesOf(prefix / name), before[name]) << name;
  EXPECT_EQ(bytesOf(deleted), deletedBytes);
  const std::string owner =
      wine("reg query 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion' /v RegisteredOwner");
  EXPECT_EQ(owner.find("Kelvaro Kopia Zapasowa"), std::string::npos) << owner;
  stopWineserver();
}

}  // namespace
}  // namespace kelvaro
