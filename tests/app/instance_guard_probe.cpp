// A process that holds the instance guard, for the two-process test:
//   instance_guard_probe NAME
// prints "first" and waits for an activation ("activated", exit 0), or prints
// "another" and exits 2 when a copy already runs.
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

#include "platform/instance_guard.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2) return 64;
  kelvaro::InstanceGuard guard(QString::fromLocal8Bit(argv[1]));
  if (guard.anotherCopyRunning()) {
    std::puts("another");
    return 2;
  }
  QObject::connect(&guard, &kelvaro::InstanceGuard::activationRequested, &app, [] {
    std::puts("activated");
    std::fflush(stdout);
    QCoreApplication::exit(0);
  });
  QTimer::singleShot(20000, &app, [] { QCoreApplication::exit(3); });
  std::puts("first");
  std::fflush(stdout);
  return app.exec();
}
