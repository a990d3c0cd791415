#pragma once

// Waiting for what another program does to files, without polling.

#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QProcess>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace kelvaro::testing {

// Runs the event loop until ready() holds or timeoutMs have passed, and looks
// again whenever one of the paths changes (a folder's entries, a file's
// content). Paths that do not exist yet are watched from when they appear,
// so a chain of folders still being made can be given whole, each before the
// ones inside it. When `program` is given, its end stops the wait too.
// Returns ready().
inline bool waitForFiles(const QStringList& paths, const std::function<bool()>& ready, int timeoutMs,
                         const QProcess* program = nullptr) {
  QFileSystemWatcher watcher;
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
  QObject::connect(&watcher, &QFileSystemWatcher::directoryChanged, &loop, &QEventLoop::quit);
  QObject::connect(&watcher, &QFileSystemWatcher::fileChanged, &loop, &QEventLoop::quit);
  if (program) QObject::connect(program, &QProcess::finished, &loop, &QEventLoop::quit);
  deadline.start(timeoutMs);
  for (;;) {
    // Watch first, then look: a change after the look is then not missed.
    for (const QString& path : paths) {
      if (QFileInfo::exists(path) && !watcher.files().contains(path) &&
          !watcher.directories().contains(path)) {
        watcher.addPath(path);
      }
    }
    if (ready()) return true;
    if (!deadline.isActive() || (program && program->state() == QProcess::NotRunning)) return false;
    loop.exec();
  }
}

}  // namespace kelvaro::testing
