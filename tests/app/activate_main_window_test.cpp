#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>
#include <QWidget>

#include "app/application.h"
#include "platform/instance_guard.h"

namespace kelvaro {
namespace {

TEST(ActivateMainWindow, ASecondCopyRestoresAndActivatesAMinimisedFirstCopy) {
  const QString name = "kelvaro-test-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
  InstanceGuard firstCopy(name);
  ASSERT_FALSE(firstCopy.anotherCopyRunning());
  QWidget mainWindow;
  mainWindow.show();
  // Another program has the front, and the first copy is minimised.
  QWidget otherProgram;
  otherProgram.show();
  otherProgram.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return otherProgram.isActiveWindow(); }));
  mainWindow.showMinimized();
  ASSERT_TRUE(mainWindow.isMinimized());
  activateOnRequest(firstCopy, mainWindow);

  QSignalSpy requests(&firstCopy, &InstanceGuard::activationRequested);
  InstanceGuard secondCopy(name);
  EXPECT_TRUE(secondCopy.anotherCopyRunning());
  ASSERT_TRUE(requests.wait(10000));

  EXPECT_FALSE(mainWindow.isMinimized());
  EXPECT_EQ(mainWindow.windowState(), Qt::WindowNoState);
  EXPECT_TRUE(mainWindow.isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return mainWindow.isActiveWindow(); }));
  EXPECT_EQ(QApplication::activeWindow(), &mainWindow);
}

}  // namespace
}  // namespace kelvaro
