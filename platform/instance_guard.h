#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace kelvaro {

// Keeps one running copy: the first copy listens under the instance name; a
// later copy finds it, asks it to come to the front, and must not start.
class InstanceGuard : public QObject {
  Q_OBJECT

 public:
  explicit InstanceGuard(QString instanceName, QObject* parent = nullptr);
  ~InstanceGuard() override;

  // True when another copy is running (it has been asked to activate).
  bool anotherCopyRunning() const { return anotherCopy_; }

  // The instance name of this user's copies.
  static QString defaultInstanceName();

 signals:
  // A later copy asked this one to come to the front.
  void activationRequested();

 private:
  QString name_;
  QLocalServer* server_ = nullptr;
  bool anotherCopy_ = false;
};

}  // namespace kelvaro
