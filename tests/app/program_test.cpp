// The program itself, started as a user would start it.
#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>

#include <filesystem>

namespace {

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

TEST(Program, StartsOnANewSandboxAndASecondCopyOnlyActivatesTheFirst) {
  QTemporaryDir home;
  QProcess first;
  first.setProcessEnvironment(environmentWith(home.path()));
  first.start(KELVARO_PROGRAM, {});
  ASSERT_TRUE(first.waitForStarted());
  // The first copy creates the sandbox and registers itself in it.
  const std::filesystem::path userReg = home.path().toStdString() + "/kelvaro/sandbox/user.reg";
  bool registered = false;
  for (int i = 0; i < 300 && !registered; ++i) {
    first.waitForFinished(100);
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();
    if (std::filesystem::exists(userReg)) {
      QFile f(QString::fromStdString(userReg.string()));
      f.open(QIODevice::ReadOnly);
      registered = f.readAll().contains("Software\\\\Morvane\\\\Kelvaro");
    }
  }
  ASSERT_TRUE(registered);

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
