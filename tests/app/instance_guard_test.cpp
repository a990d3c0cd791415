#include "platform/instance_guard.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QUuid>

namespace kelvaro {
namespace {

QString probePath() { return QString::fromUtf8(KELVARO_INSTANCE_GUARD_PROBE); }

TEST(InstanceGuard, ASecondCopyActivatesTheFirstAndDoesNotStart) {
  const QString name = "kelvaro-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
  QProcess first;
  first.start(probePath(), {name});
  ASSERT_TRUE(first.waitForStarted());
  ASSERT_TRUE(first.waitForReadyRead(10000));
  EXPECT_EQ(first.readLine().trimmed(), "first");

  QProcess second;
  second.start(probePath(), {name});
  ASSERT_TRUE(second.waitForFinished(10000));
  EXPECT_EQ(second.exitCode(), 2);
  EXPECT_EQ(second.readAllStandardOutput().trimmed(), "another");

  ASSERT_TRUE(first.waitForFinished(10000));
  EXPECT_EQ(first.exitCode(), 0);
  EXPECT_EQ(first.readAllStandardOutput().trimmed(), "activated");
}

TEST(InstanceGuard, AStaleSocketOfACrashedCopyDoesNotBlockTheNextStart) {
  const QString name = "kelvaro-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
  QProcess crashed;
  crashed.start(probePath(), {name});
  ASSERT_TRUE(crashed.waitForReadyRead(10000));
  crashed.kill();  // leaves its socket file behind
  ASSERT_TRUE(crashed.waitForFinished(10000));

  InstanceGuard guard(name);
  EXPECT_FALSE(guard.anotherCopyRunning());
}

}  // namespace
}  // namespace kelvaro
