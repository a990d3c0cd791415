#include "platform/instance_guard.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>

namespace kelvaro {
namespace {
constexpr char kActivate[] = "activate\n";
constexpr int kTimeoutMs = 1000;
}  // namespace

QString InstanceGuard::defaultInstanceName() {
  // Local sockets are shared by all users of the machine: one name per user.
  return QStringLiteral("MorvaneKelvaro-%1").arg(::getuid());
}

InstanceGuard::InstanceGuard(QString instanceName, QObject* parent)
    : QObject(parent), name_(std::move(instanceName)) {
  QLocalSocket probe;
  probe.connectToServer(name_);
  if (probe.waitForConnected(kTimeoutMs)) {
    anotherCopy_ = true;
    probe.write(kActivate);
    probe.waitForBytesWritten(kTimeoutMs);
    probe.disconnectFromServer();
    return;
  }
  // Nobody answers: a socket left by a copy that crashed is stale.
  QLocalServer::removeServer(name_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(name_)) return;  // a later copy will then not find this one; not reported
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::readyRead, this, [this, client] {
        if (client->readAll().contains("activate")) emit activationRequested();
      });
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
    }
  });
}

InstanceGuard::~InstanceGuard() {
  if (server_) server_->close();
}

}  // namespace kelvaro
