#include "tdm.h"

#include "errors.h"

namespace tallyvex {

TDM::TDM(std::unique_ptr<Database> db, QObject* parent) : QObject(parent), db_(std::move(db)) {
    setObjectName(QStringLiteral("TDM"));
    struct Shared {
        const char* name;
        const char* table;
    };
    static const Shared shared[] = {
        {"T_COMPETITION", "C_COMPETE"}, {"T_CD", "C_COMPDATA"},  {"T_CLASSES", "C_Classes"},
        {"T_TEILNEHMER", "C_SHOOTERS"}, {"T_TEAMS", "C_TEAM"},   {"T_TEAM2", "C_TEAMS2"},
        {"T_SQUADT", "C_SQUADTIMING"},  {"GENERAL", "GENERELL"}, {"Vereine", "C_Vereine"},
        {"TSQT", "C_SQUADTABLE"},
    };
    for (const auto& s : shared) {
        auto c = std::make_unique<Cursor>(*db_, QString::fromLatin1(s.table),
                                          QString::fromLatin1(s.name));
        c->setShared(true);
        cursors_[QString::fromLatin1(s.name).toUpper()] = std::move(c);
    }
    Vereine().setFilterIgnoresCase(true);
    // The timetable reads the slots of a day in the order they were appended.
    T_SQUADT().setIndexName(QStringLiteral("INOREF"));
    // The members of the team that is current on T_TEAMS.
    T_TEAM2().setIndexName(QStringLiteral("INOREF"));
    T_TEAM2().setMasterLink(&T_TEAMS(), QStringLiteral("LFN"), QStringLiteral("INOREF"));
}

TDM::~TDM() {
    // Details before masters; the database last.
    cursors_.clear();
}

std::unique_ptr<TDM> TDM::open(const QString& path, const Database::Options& options) {
    return std::make_unique<TDM>(Database::open(path, options));
}

Cursor& TDM::cursor(const QString& name) {
    auto it = cursors_.find(name.toUpper());
    if (it == cursors_.end())
        throw StorageError(QStringLiteral("There is no shared cursor named %1.").arg(name));
    return *it->second;
}

std::unique_ptr<Cursor> TDM::privateCursor(const QString& table, const QString& name) {
    return std::make_unique<Cursor>(*db_, table, name);
}

void TDM::closeAll() {
    for (auto& [name, c] : cursors_)
        c->close();
}

} // namespace tallyvex
