#include "app/single_instance.h"

#include <QElapsedTimer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace tallyvex::test {
namespace {

/// A started copy of the program on a data folder, ended at the end of the test.
class Program {
public:
    explicit Program(const QString& folder) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process_.setProcessEnvironment(env);
        process_.start(
            QStringLiteral(TALLYVEX_PROGRAM),
            {QStringLiteral("--data-dir"), folder, QStringLiteral("--lang"), QStringLiteral("DE")});
    }
    ~Program() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(5000);
        }
    }
    QProcess& process() { return process_; }

private:
    QProcess process_;
};

/// True once the copy on that folder answers later starts.
bool waitUntilListening(const QString& folder, int timeoutMs = 20000) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        QLocalSocket probe;
        probe.connectToServer(SingleInstanceGuard::keyFor(folder));
        if (probe.waitForConnected(200))
            return true;
        QThread::msleep(100);
    }
    return false;
}

TEST(SingleInstance, KeyDependsOnTheDataFolder) {
    EXPECT_EQ(SingleInstanceGuard::keyFor(QStringLiteral("/tmp/a")),
              SingleInstanceGuard::keyFor(QStringLiteral("/tmp/b/../a")));
    EXPECT_NE(SingleInstanceGuard::keyFor(QStringLiteral("/tmp/a")),
              SingleInstanceGuard::keyFor(QStringLiteral("/tmp/b")));
}

TEST(SingleInstance, SecondStartRaisesTheFirstAndEnds) {
    QTemporaryDir dir;
    Program first(dir.path());
    ASSERT_TRUE(first.process().waitForStarted(10000));
    ASSERT_TRUE(waitUntilListening(dir.path()));

    Program second(dir.path());
    ASSERT_TRUE(second.process().waitForFinished(15000));
    EXPECT_EQ(second.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.process().exitCode(), 0);

    // The first copy reports that it came to the front, and keeps running.
    QByteArray said;
    QElapsedTimer t;
    t.start();
    while (!said.contains("brought the running window to the front") && t.elapsed() < 10000) {
        first.process().waitForReadyRead(200);
        said += first.process().readAllStandardError();
    }
    EXPECT_TRUE(said.contains("brought the running window to the front")) << said.constData();
    EXPECT_EQ(first.process().state(), QProcess::Running);
}

TEST(SingleInstance, TwoDataFoldersDoNotBlockEachOther) {
    QTemporaryDir a, b;
    Program first(a.path());
    ASSERT_TRUE(first.process().waitForStarted(10000));
    ASSERT_TRUE(waitUntilListening(a.path()));
    Program second(b.path());
    ASSERT_TRUE(second.process().waitForStarted(10000));
    EXPECT_TRUE(waitUntilListening(b.path()));
    EXPECT_EQ(second.process().state(), QProcess::Running);
}

} // namespace
} // namespace tallyvex::test
