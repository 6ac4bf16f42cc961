#include "single_instance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QThread>
#include <unistd.h>

namespace tallyvex {

namespace {
const QByteArray activationMessage = "QTVA\n";
}

SingleInstanceGuard::SingleInstanceGuard(const QString& dataFolder, QObject* parent)
    : QObject(parent), key_(keyFor(dataFolder)) {
    connect(&server_, &QLocalServer::newConnection, this, &SingleInstanceGuard::acceptConnection);
}

SingleInstanceGuard::~SingleInstanceGuard() {
    server_.close();
}

QString SingleInstanceGuard::keyFor(const QString& dataFolder) {
    const QByteArray folder = QDir::cleanPath(QDir(dataFolder).absolutePath()).toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(folder, QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("tallyvex-%1-%2").arg(uint(::getuid())).arg(QString::fromLatin1(hash));
}

bool SingleInstanceGuard::claim() {
    lock_ = std::make_unique<QLockFile>(QDir::temp().filePath(key_ + QStringLiteral(".lock")));
    // A lock left by a copy that crashed is taken over (its process is gone).
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(0)) {
        if (lock_->error() == QLockFile::LockFailedError)
            return false;
        // The lock cannot be written at all: run without the guard rather than not at all.
        qWarning("Tallyvex: the lock file %s cannot be made.",
                 qPrintable(QDir::temp().filePath(key_ + QStringLiteral(".lock"))));
    }
    // A socket file left by a crashed copy would block listen().
    QLocalServer::removeServer(key_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(key_))
        qWarning("Tallyvex: later starts cannot reach this copy: %s",
                 qPrintable(server_.errorString()));
    return true;
}

bool SingleInstanceGuard::notifyRunningCopy(int timeoutMs) {
    // The running copy may still be starting up and not listen yet.
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(key_);
        if (socket.waitForConnected(500)) {
            socket.write(activationMessage);
            const bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(500);
            if (sent)
                return true;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstanceGuard::acceptConnection() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            const QByteArray data = socket->readAll();
            if (data.contains("QTVA"))
                Q_EMIT activationRequested();
        });
    }
}

} // namespace tallyvex
