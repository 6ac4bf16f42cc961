#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <memory>

namespace tallyvex {

/// Keeps one copy of the program per user and data folder, because the database is
/// single-user. The first copy holds a lock file and listens on a local socket; a second start
/// finds the lock, tells the first through the socket to come to the front, and ends.
class SingleInstanceGuard final : public QObject {
    Q_OBJECT
public:
    explicit SingleInstanceGuard(const QString& dataFolder, QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    /// The name of lock and socket: the same for one user and one data folder only.
    static QString keyFor(const QString& dataFolder);

    /// True when no other copy runs on this folder; this copy then answers later starts.
    bool claim();
    /// Asks the running copy to show itself; false when it could not be reached in time.
    bool notifyRunningCopy(int timeoutMs = 5000);

Q_SIGNALS:
    /// A later start asked this copy to come to the front.
    void activationRequested();

private:
    void acceptConnection();

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

} // namespace tallyvex
