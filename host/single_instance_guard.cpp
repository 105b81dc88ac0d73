#include "single_instance_guard.h"

#include <unistd.h>

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>

namespace {

constexpr int kWaitMs = 1000;
const QByteArray kShowCommand = QByteArrayLiteral("show\n");

}  // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& title, QObject* parent) : QObject(parent) {
    // The title alone would clash between users and makes an awkward socket name.
    const QByteArray key = title.toUtf8() + QByteArray::number(::getuid());
    serverName_ = QStringLiteral("quorlan-") +
                  QString::fromLatin1(
                      QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(20));
}

bool SingleInstanceGuard::askPrimaryToShow() {
    QLocalSocket socket;
    socket.connectToServer(serverName_);
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kShowCommand);
    socket.waitForBytesWritten(kWaitMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstanceGuard::becomePrimary() {
    if (askPrimaryToShow())
        return false;
    // A server left behind by a crashed copy would block the name.
    QLocalServer::removeServer(serverName_);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(serverName_))
        return true;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* client = server_->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, this, [this, client] {
                if (client->readAll().contains(kShowCommand.trimmed()))
                    emit showRequested();
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return true;
}
