#pragma once

#include <QHash>
#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace tallyvex {

class Database;

/// A prepared statement owned by the database's statement cache. Binding and stepping raise
/// StorageError with the database's message.
class Statement final {
public:
    Statement(Database& db, sqlite3_stmt* stmt) : db_(db), stmt_(stmt) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    /// Resets the statement and binds the values to ?1, ?2, ...
    Statement& bindAll(const QVariantList& values);
    /// Steps once; true while a row is available.
    bool step();
    int columnCount() const;
    QVariant column(int i) const;
    qint64 columnInt64(int i) const;
    void reset();

private:
    Database& db_;
    sqlite3_stmt* stmt_;
};

/// The one competition database file of the data folder. Opened in WAL mode with full
/// synchronisation and an exclusive lock for the whole run: like the single-user engine it
/// stands in for, no other program can change the file while the office works on it.
class Database final {
public:
    struct Options {
        int busyTimeoutMs = 10000;
        bool exclusive = true;
    };

    /// Opens (and on first use creates) the database at path. A file that is locked by another
    /// program, unreadable, not a database, not ours or of a newer version raises StorageError;
    /// such a file is left exactly as it was.
    static std::unique_ptr<Database> open(const QString& path, const Options& options);
    static std::unique_ptr<Database> open(const QString& path) { return open(path, Options{}); }
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    const QString& path() const { return path_; }
    sqlite3* handle() const { return db_; }

    /// Runs one or more statements without results.
    void exec(const QString& sql);
    /// A cached prepared statement for this SQL text, reset and ready to bind.
    Statement& prepare(const QString& sql);
    /// Runs a statement and returns the first column of its first row (null when none).
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    /// Runs a statement that changes rows.
    void run(const QString& sql, const QVariantList& values = {});
    qint64 lastInsertRowId() const;
    /// Rows changed on this database since it was opened, by anyone in this program. A cursor
    /// whose cached rows were read at the same count knows they are still what is stored.
    qint64 changeCount() const;

    int schemaVersion() const;
    static int currentSchemaVersion();

    /// Throws StorageError with the database's last message and the given context.
    [[noreturn]] void fail(const QString& context, int code) const;

    /// Transactions nest: the outermost is a real transaction, inner ones savepoints.
    void begin();
    void commit();
    void rollback();
    int transactionDepth() const { return depth_; }

private:
    Database(QString path, sqlite3* db);
    void prepareSchema();

    QString path_;
    sqlite3* db_ = nullptr;
    QHash<QString, Statement*> statements_;
    int depth_ = 0;
};

/// Runs a walk over many rows as one transaction: everything is stored on commit(), nothing if
/// the guard is left without it (an error in the middle of the walk rolls it back).
class Transaction final {
public:
    explicit Transaction(Database& db) : db_(db) { db_.begin(); }
    ~Transaction() {
        if (!done_) {
            try {
                db_.rollback();
            } catch (...) {
            }
        }
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() {
        db_.commit();
        done_ = true;
    }

private:
    Database& db_;
    bool done_ = false;
};

} // namespace tallyvex
