#pragma once

#include "cursor.h"
#include "database.h"

#include <QObject>
#include <map>
#include <memory>

namespace tallyvex {

/// The data module: owns the database of the run and the shared cursors by their names. The
/// windows work on these cursors, or on private cursors of their own from privateCursor().
class TDM final : public QObject {
    Q_OBJECT
public:
    explicit TDM(std::unique_ptr<Database> db, QObject* parent = nullptr);
    ~TDM() override;

    /// Opens the database file (created with every table on first use).
    static std::unique_ptr<TDM> open(const QString& path,
                                     const Database::Options& options = Database::Options{});

    Database& db() { return *db_; }

    /// A shared cursor by its name, ignoring case; throws StorageError for an unknown name.
    Cursor& cursor(const QString& name);

    Cursor& T_COMPETITION() { return cursor(QStringLiteral("T_COMPETITION")); }
    Cursor& T_CD() { return cursor(QStringLiteral("T_CD")); }
    Cursor& T_CLASSES() { return cursor(QStringLiteral("T_CLASSES")); }
    Cursor& T_TEILNEHMER() { return cursor(QStringLiteral("T_TEILNEHMER")); }
    Cursor& T_TEAMS() { return cursor(QStringLiteral("T_TEAMS")); }
    Cursor& T_TEAM2() { return cursor(QStringLiteral("T_TEAM2")); }
    Cursor& T_SQUADT() { return cursor(QStringLiteral("T_SQUADT")); }
    Cursor& GENERAL() { return cursor(QStringLiteral("GENERAL")); }
    Cursor& Vereine() { return cursor(QStringLiteral("Vereine")); }
    Cursor& TSQT() { return cursor(QStringLiteral("TSQT")); }

    /// A cursor of a window's own on a table (`t44`, `stats` ...), owned by the caller.
    std::unique_ptr<Cursor> privateCursor(const QString& table, const QString& name);

    /// Closes every shared cursor, storing pending edits.
    void closeAll();

private:
    std::unique_ptr<Database> db_;
    std::map<QString, std::unique_ptr<Cursor>> cursors_; // by upper-case name
};

} // namespace tallyvex
