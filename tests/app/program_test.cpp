// The program itself, started as a user would start it.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/file_wait.h"

namespace {

using kelvaro::testing::waitForFiles;

struct ProgramRun {
  int exitCode;
  QString out, err;
};

QProcessEnvironment environmentWith(const QString& dataHome) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_DATA_HOME", dataHome);
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.remove("WINEPREFIX");
  // The instance guard's socket lives in the temporary folder: keep these
  // copies apart from any Kelvaro the user is running.
  env.insert("TMPDIR", dataHome);
  return env;
}

ProgramRun runKelvaro(const QStringList& args, const QString& dataHome) {
  QProcess p;
  p.setProcessEnvironment(environmentWith(dataHome));
  p.start(KELVARO_PROGRAM, args);
  p.waitForFinished(30000);
  return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
          QString::fromUtf8(p.readAllStandardError())};
}

TEST(Program, VersionHelpAndBadArguments) {
  QTemporaryDir home;
  EXPECT_EQ(runKelvaro({"--version"}, home.path()).out.trimmed(), "Kelvaro 3.7.37.1249");
  EXPECT_TRUE(runKelvaro({"--help"}, home.path()).out.contains("--prefix DIR"));
  const ProgramRun bad = runKelvaro({"--frobnicate"}, home.path());
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_TRUE(bad.err.contains("--frobnicate"));
  EXPECT_FALSE(QDir(home.path() + "/kelvaro").exists());  // nothing created for a refused start
}

TEST(Program, APrefixThatIsNoPrefixIsRefusedAndLeftAlone) {
  QTemporaryDir home, notAPrefix;
  const ProgramRun run = runKelvaro({"--prefix", notAPrefix.path()}, home.path());
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_FALSE(run.err.isEmpty());
  EXPECT_TRUE(QDir(notAPrefix.path()).isEmpty());
}

std::string fileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(Program, ASandboxThatCannotBeOpenedIsReportedInABoxAndLeftAlone) {
  QTemporaryDir home;
  namespace fs = std::filesystem;
  const fs::path sandbox = home.path().toStdString() + "/kelvaro/sandbox";
  fs::create_directories(sandbox / "drive_c" / "WINDOWS" / "SYSTEM");
  fs::create_directories(sandbox / "dosdevices");
  fs::create_symlink("../drive_c", sandbox / "dosdevices" / "c:");
  std::ofstream(sandbox / ".kelvaro-sandbox");
  for (const char* file : {"system.reg", "userdef.reg"})
    std::ofstream(sandbox / file) << "WINE REGISTRY Version 2\n";
  const std::string broken =
      "WINE REGISTRY Version 2\n\n[Control Panel\\\\Desktop] 1700000000\n\"Wallpaper\"=\"C:\\\\WINDOWS\n";
  std::ofstream(sandbox / "user.reg", std::ios::binary) << broken;

  QProcess first;
  first.setProcessEnvironment(environmentWith(home.path()));
  first.setReadChannel(QProcess::StandardError);
  first.start(KELVARO_PROGRAM, {});
  ASSERT_TRUE(first.waitForStarted());
  // The line on standard error comes first; then the program waits in its box.
  const std::string expected = "Plik " + (sandbox / "user.reg").string() +
                               " nie jest poprawnym plikiem rejestru Wine (wiersz 4: błędna wartość)";
  QByteArray err;
  while (!err.contains(expected.c_str()) && first.waitForReadyRead(30000))
    err += first.readAllStandardError();
  ASSERT_TRUE(err.contains(expected.c_str())) << err.toStdString();

  // Still running, held by the box: a second copy only activates it.
  QProcess second;
  second.setProcessEnvironment(environmentWith(home.path()));
  second.start(KELVARO_PROGRAM, {});
  ASSERT_TRUE(second.waitForFinished(30000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_FALSE(second.readAllStandardError().contains("kelvaro:"));
  first.kill();
  first.waitForFinished();
  EXPECT_EQ(fileBytes(sandbox / "user.reg"), broken);
}

TEST(Program, StartsOnANewSandboxAndASecondCopyOnlyActivatesTheFirst) {
  QTemporaryDir home;
  QProcess first;
  first.setProcessEnvironment(environmentWith(home.path()));
  first.start(KELVARO_PROGRAM, {});
  ASSERT_TRUE(first.waitForStarted());
  // The first copy creates the sandbox and registers itself in it.
  const QString sandbox = home.path() + "/kelvaro/sandbox";
  const QString userReg = sandbox + "/user.reg";
  const auto registered = [&] {
    QFile f(userReg);
    return f.open(QIODevice::ReadOnly) && f.readAll().contains("Software\\\\Morvane\\\\Kelvaro");
  };
  const bool seen =
      waitForFiles({home.path(), home.path() + "/kelvaro", sandbox, userReg}, registered, 30000, &first);
  ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
  ASSERT_TRUE(seen);

  QProcess second;
  second.setProcessEnvironment(environmentWith(home.path()));
  second.start(KELVARO_PROGRAM, {});
  ASSERT_TRUE(second.waitForFinished(30000));
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running);
  first.kill();
  first.waitForFinished();
}

}  // namespace
