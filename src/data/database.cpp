#include "database.h"

#include "collation.h"
#include "errors.h"
#include "schema.h"
#include "sql_text.h"

#include <QFile>
#include <QFileInfo>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace tallyvex {

namespace {

// Marks the file as a Tallyvex database ("TVX1"), so that another program's SQLite file is
// recognised and never taken over.
constexpr int kApplicationId = 0x54565831;

// Schema changes of later versions: step i takes a database from version i + 1 to i + 2.
// Version 1 is the first schema; it is created whole on a new file.
const std::vector<std::function<void(Database&)>>& migrations() {
    static const std::vector<std::function<void(Database&)>> steps{};
    return steps;
}

QString sqliteMessage(sqlite3* db, int code) {
    if (code == SQLITE_FULL)
        return QStringLiteral("the disk is full");
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
        return QStringLiteral("the database is locked by another program");
    if (db)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(code));
}

} // namespace

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::bindAll(const QVariantList& values) {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& v = values[i];
        int rc;
        if (!v.isValid() || v.isNull()) {
            rc = sqlite3_bind_null(stmt_, i + 1);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool:
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
                rc = sqlite3_bind_int64(stmt_, i + 1, v.toLongLong());
                break;
            case QMetaType::Double:
            case QMetaType::Float:
                rc = sqlite3_bind_double(stmt_, i + 1, v.toDouble());
                break;
            case QMetaType::QByteArray: {
                const QByteArray bytes = v.toByteArray();
                rc = sqlite3_bind_blob(stmt_, i + 1, bytes.constData(), int(bytes.size()),
                                       SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray utf8 = v.toString().toUtf8();
                rc = sqlite3_bind_text(stmt_, i + 1, utf8.constData(), int(utf8.size()),
                                       SQLITE_TRANSIENT);
            }
            }
        }
        if (rc != SQLITE_OK)
            db_.fail(QStringLiteral("binding a value"), rc);
    }
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(stmt_);
    db_.fail(QString::fromUtf8(sqlite3_sql(stmt_)), rc);
}

int Statement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

QVariant Statement::column(int i) const {
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)),
                              sqlite3_column_bytes(stmt_, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)),
                                   sqlite3_column_bytes(stmt_, i)));
    default:
        return QVariant();
    }
}

qint64 Statement::columnInt64(int i) const {
    return sqlite3_column_int64(stmt_, i);
}

void Statement::reset() {
    sqlite3_reset(stmt_);
}

Database::Database(QString path, sqlite3* db) : path_(std::move(path)), db_(db) {}

Database::~Database() {
    qDeleteAll(statements_);
    statements_.clear();
    sqlite3_close_v2(db_);
}

std::unique_ptr<Database> Database::open(const QString& path, const Options& options) {
    const QFileInfo info(path);
    const bool exists = info.exists();
    if (exists && !info.isFile())
        throw StorageError(
            QStringLiteral("The database %1 cannot be opened: it is not a file.").arg(path));
    if (exists && info.size() > 0) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw StorageError(
                QStringLiteral("The database %1 cannot be read: %2").arg(path, f.errorString()));
        const QByteArray head = f.read(16);
        if (head != QByteArray("SQLite format 3\0", 16))
            throw StorageError(
                QStringLiteral("The file %1 is not a Tallyvex database. It was left unchanged.")
                    .arg(path));
    }

    sqlite3* raw = nullptr;
    const int flags =
        SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = sqliteMessage(raw, rc);
        sqlite3_close_v2(raw);
        throw StorageError(QStringLiteral("The database %1 cannot be opened: %2").arg(path, msg));
    }
    std::unique_ptr<Database> db(new Database(path, raw));
    sqlite3_extended_result_codes(raw, 0);
    sqlite3_busy_timeout(raw, options.busyTimeoutMs);
    registerCollations(raw);
    if (options.exclusive)
        db->exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE"));
    db->prepareSchema();
    return db;
}

void Database::prepareSchema() {
    // Everything up to the first write only reads, so a file that is refused stays unchanged.
    int appId = 0, version = 0;
    qint64 objects = 0;
    try {
        appId = scalar(QStringLiteral("PRAGMA application_id")).toInt();
        version = scalar(QStringLiteral("PRAGMA user_version")).toInt();
        objects = scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")).toLongLong();
    } catch (const StorageError& e) {
        const int code = sqlite3_errcode(db_);
        if (code == SQLITE_NOTADB)
            throw StorageError(
                QStringLiteral("The file %1 is not a Tallyvex database. It was left unchanged.")
                    .arg(path_));
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            throw StorageError(QStringLiteral("The database %1 is in use by another program. "
                                              "Close it and start again.")
                                   .arg(path_));
        throw StorageError(
            QStringLiteral("The database %1 cannot be read: %2").arg(path_, e.message()));
    }
    if (appId != kApplicationId && objects > 0)
        throw StorageError(
            QStringLiteral("The file %1 is not a Tallyvex database. It was left unchanged.")
                .arg(path_));
    if (version > currentSchemaVersion())
        throw StorageError(QStringLiteral("The database %1 was written by a newer version of "
                                          "Tallyvex (schema %2, this program knows %3). It was "
                                          "left unchanged.")
                               .arg(path_)
                               .arg(version)
                               .arg(currentSchemaVersion()));
    if (objects > 0) {
        QString check;
        try {
            check = scalar(QStringLiteral("PRAGMA quick_check")).toString();
        } catch (const StorageError& e) {
            check = e.message();
        }
        if (check != QLatin1String("ok"))
            throw StorageError(QStringLiteral("The database %1 is damaged (%2). It was left "
                                              "unchanged; restore it from a backup.")
                                   .arg(path_, check));
    }

    try {
        const QString mode = scalar(QStringLiteral("PRAGMA journal_mode=WAL")).toString();
        if (mode.compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0)
            throw StorageError(QStringLiteral("write-ahead journal not available (%1)").arg(mode));
        exec(QStringLiteral("PRAGMA synchronous=FULL; PRAGMA foreign_keys=OFF"));

        Transaction tx(*this);
        if (version == 0) {
            for (const auto& t : schemaTables()) {
                exec(sql::createTable(t));
                for (const auto& ix : sql::createIndexes(t))
                    exec(ix);
            }
        } else {
            for (int v = version; v < currentSchemaVersion(); ++v)
                migrations()[size_t(v - 1)](*this);
        }
        exec(QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId));
        // Writing the version also takes the write lock, which the exclusive mode then keeps.
        exec(QStringLiteral("PRAGMA user_version=%1").arg(currentSchemaVersion()));
        tx.commit();
    } catch (const StorageError& e) {
        const int code = sqlite3_errcode(db_);
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
            throw StorageError(QStringLiteral("The database %1 is in use by another program. "
                                              "Close it and start again.")
                                   .arg(path_));
        throw StorageError(
            QStringLiteral("The database %1 cannot be prepared: %2").arg(path_, e.message()));
    }
}

int Database::currentSchemaVersion() {
    return 1 + int(migrations().size());
}

int Database::schemaVersion() const {
    return const_cast<Database*>(this)->scalar(QStringLiteral("PRAGMA user_version")).toInt();
}

void Database::fail(const QString& context, int code) const {
    throw StorageError(QStringLiteral("%1 (%2)").arg(sqliteMessage(db_, code), context));
}

void Database::exec(const QString& sqlText) {
    char* err = nullptr;
    const int rc = sqlite3_exec(db_, sqlText.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        QString msg = err ? QString::fromUtf8(err) : sqliteMessage(db_, rc);
        sqlite3_free(err);
        if (rc == SQLITE_FULL || rc == SQLITE_BUSY)
            msg = sqliteMessage(db_, rc);
        throw StorageError(QStringLiteral("%1 (%2)").arg(msg, sqlText.left(200)));
    }
}

Statement& Database::prepare(const QString& sqlText) {
    auto it = statements_.find(sqlText);
    if (it != statements_.end()) {
        (*it)->reset();
        return **it;
    }
    sqlite3_stmt* stmt = nullptr;
    const QByteArray utf8 = sqlText.toUtf8();
    const int rc = sqlite3_prepare_v3(db_, utf8.constData(), int(utf8.size()),
                                      SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (rc != SQLITE_OK)
        fail(sqlText, rc);
    auto* s = new Statement(*this, stmt);
    statements_.insert(sqlText, s);
    return *s;
}

QVariant Database::scalar(const QString& sqlText, const QVariantList& values) {
    Statement& s = prepare(sqlText).bindAll(values);
    QVariant v = s.step() ? s.column(0) : QVariant();
    s.reset();
    return v;
}

void Database::run(const QString& sqlText, const QVariantList& values) {
    Statement& s = prepare(sqlText).bindAll(values);
    while (s.step()) {
    }
    s.reset();
}

qint64 Database::lastInsertRowId() const {
    return sqlite3_last_insert_rowid(db_);
}

qint64 Database::changeCount() const {
    return sqlite3_total_changes64(db_);
}

void Database::begin() {
    if (depth_ == 0)
        exec(QStringLiteral("BEGIN IMMEDIATE"));
    else
        exec(QStringLiteral("SAVEPOINT tv_%1").arg(depth_));
    ++depth_;
}

void Database::commit() {
    if (depth_ == 0)
        return;
    if (depth_ == 1)
        exec(QStringLiteral("COMMIT"));
    else
        exec(QStringLiteral("RELEASE tv_%1").arg(depth_ - 1));
    --depth_;
}

void Database::rollback() {
    if (depth_ == 0)
        return;
    --depth_;
    if (depth_ == 0) {
        exec(QStringLiteral("ROLLBACK"));
    } else {
        exec(QStringLiteral("ROLLBACK TO tv_%1").arg(depth_));
        exec(QStringLiteral("RELEASE tv_%1").arg(depth_));
    }
}

} // namespace tallyvex
