#include "data/errors.h"
#include "test_db.h"

#include <QCryptographicHash>
#include <QFile>
#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tallyvex;
using tallyvex::test::TempDb;

namespace {

QByteArray fileHash(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

/// Expects opening to fail with a message containing the words, and the file to stay as it was.
void expectRefused(const QString& path, const QString& words) {
    const QByteArray before = fileHash(path);
    try {
        Database::open(path, Database::Options{200, true});
        ADD_FAILURE() << "opened";
    } catch (const StorageError& e) {
        EXPECT_TRUE(e.message().contains(words)) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains(path));
    }
    EXPECT_EQ(fileHash(path), before);
}

/// Runs fn in a child process; returns its pid. The child ends with _exit.
template <typename Fn> pid_t child(Fn fn) {
    const pid_t pid = fork();
    if (pid == 0) {
        try {
            fn();
        } catch (...) {
            _exit(3);
        }
        _exit(0);
    }
    return pid;
}

} // namespace

using DatabaseTest = TempDb;

TEST_F(DatabaseTest, RunsInWalWithFullSyncAndKnowsItsVersion) {
    EXPECT_EQ(db->scalar(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    EXPECT_EQ(db->scalar(QStringLiteral("PRAGMA synchronous")).toInt(), 2);
    EXPECT_EQ(db->schemaVersion(), Database::currentSchemaVersion());
    db.reset();
    EXPECT_NO_THROW(db = Database::open(path())); // reopening the own file works
}

TEST_F(DatabaseTest, FilesThatAreNoTallyvexDatabaseAreRefusedAndLeftAlone) {
    const QString garbage = dir.filePath(QStringLiteral("garbage.db"));
    writeFile(garbage, QByteArray("Schuetzenliste\r\nMeier;Hans\r\n").repeated(50));
    expectRefused(garbage, QStringLiteral("not a Tallyvex database"));

    // Another program's SQLite file.
    const QString foreign = dir.filePath(QStringLiteral("foreign.db"));
    sqlite3* raw = nullptr;
    sqlite3_open(foreign.toUtf8().constData(), &raw);
    sqlite3_exec(raw, "CREATE TABLE invoices(id INTEGER); INSERT INTO invoices VALUES (1);",
                 nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    expectRefused(foreign, QStringLiteral("not a Tallyvex database"));
}

TEST_F(DatabaseTest, ADamagedOrNewerDatabaseIsRefusedAndLeftAlone) {
    {
        Cursor c(*db, QStringLiteral("C_SHOOTERS"));
        c.open();
        Transaction tx(*db);
        for (int i = 0; i < 2000; ++i)
            add(c, {{"Nachname", QStringLiteral("Name %1").arg(i)}, {"Ort", "Suhl"}});
        tx.commit();
    }
    db.reset();
    const QString damaged = dir.filePath(QStringLiteral("damaged.db"));
    QFile::copy(path(), damaged);
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        ASSERT_GT(bytes.size(), 20 * 4096);
        // Scribble over a stretch of the table's pages, leaving the header intact.
        for (int i = 8 * 4096; i < 14 * 4096; ++i)
            bytes[i] = char(i * 7);
        f.seek(0);
        f.write(bytes);
    }
    expectRefused(damaged, QStringLiteral("damaged"));

    sqlite3* raw = nullptr;
    sqlite3_open(path().toUtf8().constData(), &raw);
    sqlite3_exec(raw, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
    sqlite3_close(raw);
    expectRefused(path(), QStringLiteral("newer version"));
}

TEST_F(DatabaseTest, ADatabaseInUseByAnotherProgramGivesAClearError) {
    db.reset();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const QString p = path();
    const pid_t pid = child([&] {
        auto held = Database::open(p);
        const char ok = 'x';
        (void)!write(ready[1], &ok, 1);
        pause();
    });
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    try {
        Database::open(p, Database::Options{200, true});
        ADD_FAILURE() << "opened a database in use";
    } catch (const StorageError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("in use by another program")))
            << e.message().toStdString();
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    EXPECT_NO_THROW(Database::open(p)); // free again once the other program is gone
}

TEST_F(DatabaseTest, AWalkKilledHalfwayLeavesTheOldValuesEverywhere) {
    {
        Cursor c(*db, QStringLiteral("C_COMPDATA"));
        c.open();
        Transaction tx(*db);
        for (int i = 0; i < 10000; ++i)
            add(c, {{"INOREF", 1}, {"NUMBER", 1}});
        tx.commit();
    }
    db.reset();
    int halfway[2];
    ASSERT_EQ(pipe(halfway), 0);
    const QString p = path();
    const pid_t pid = child([&] {
        auto own = Database::open(p);
        Cursor c(*own, QStringLiteral("C_COMPDATA"));
        c.open();
        Transaction tx(*own);
        int n = 0;
        for (c.first(); !c.eof(); c.next()) {
            c.edit();
            c.setValue(QStringLiteral("NUMBER"), 2);
            c.post();
            if (++n == 5000) {
                const char ok = 'x';
                (void)!write(halfway[1], &ok, 1);
                pause(); // killed here, in the middle of the walk
            }
        }
        tx.commit();
    });
    char c;
    ASSERT_EQ(read(halfway[0], &c, 1), 1);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);

    db = Database::open(p);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM C_COMPDATA")).toInt(), 10000);
    EXPECT_EQ(
        db->scalar(QStringLiteral("SELECT count(*) FROM C_COMPDATA WHERE NUMBER = 1")).toInt(),
        10000);
}

TEST_F(DatabaseTest, TransactionGuardRollsBackWhenLeftByAnError) {
    Cursor c(*db, QStringLiteral("C_Classes"));
    c.open();
    try {
        Transaction tx(*db);
        add(c, {{"Klasse", "Herren"}});
        add(c, {{"Klasse", "Damen"}});
        throw ConversionError(QStringLiteral("mid-walk"));
    } catch (const ConversionError&) {
    }
    c.refresh();
    EXPECT_TRUE(c.isEmpty());
    EXPECT_EQ(db->transactionDepth(), 0);
}
