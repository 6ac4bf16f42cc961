// Speed budgets of the storage layer, measured on a temporary database:
//  - renumbering the 10,000 entries of one competition (among 50,000) through the cursor layer,
//    beside one plain SQL statement doing the same (budget: at most 3 times as long);
//  - opening a cursor over 100,000 shooters in last-name order and reading the first 50 rows
//    (budget 50 ms); find nearest and locate in it (budget 5 ms each).
#include "data/cursor.h"
#include "data/database.h"
#include "data/filter.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <iostream>
#include <map>

using namespace tallyvex;

namespace {

const char* const kLastNames[] = {
    "Müller",   "Schmidt",  "Schneider", "Fischer",    "Weber",  "Meyer",   "Wagner",  "Becker",
    "Schulz",   "Hoffmann", "Schäfer",   "Koch",       "Bauer",  "Richter", "Klein",   "Wolf",
    "Schröder", "Neumann",  "Schwarz",   "Zimmermann", "Braun",  "Krüger",  "Hofmann", "Hartmann",
    "Lange",    "Schmitt",  "Werner",    "Schmitz",    "Krause", "Meier",   "Lehmann", "Özdemir",
    "Dubois",   "Rossi",    "Novák",     "Kowalski"};
const char* const kFirstNames[] = {"Anna",   "Jürgen", "Sören", "Maria", "Hans", "Peter",
                                   "Ursula", "Klaus",  "Björn", "Eva",   "Zoë",  "Jörg"};
const char* const kTowns[] = {"München", "Köln", "Suhl", "Dortmund", "Graz", "Linz", "Zürich"};

template <size_t N> QString pick(const char* const (&list)[N], QRandomGenerator& rng) {
    return QString::fromUtf8(list[rng.bounded(quint32(N))]);
}

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<Database> db;

    Fixture() { db = Database::open(dir.filePath(QStringLiteral("DBX.db"))); }

    void fillEntries() {
        QRandomGenerator rng(7);
        Transaction tx(*db);
        Statement& ins = db->prepare(QStringLiteral(
            "INSERT INTO C_COMPDATA (INOREF, NACHNAME, VORNAME, ORT, Klasse) VALUES (?,?,?,?,?)"));
        for (int i = 0; i < 50000; ++i) {
            // Every fifth entry belongs to competition 7: 10,000 of 50,000.
            const int competition = i % 5 == 0 ? 7 : 100 + i % 40;
            ins.bindAll({competition, pick(kLastNames, rng) + QString::number(rng.bounded(1000)),
                         pick(kFirstNames, rng), pick(kTowns, rng), QStringLiteral("Herren")});
            while (ins.step()) {
            }
        }
        tx.commit();
    }

    void fillShooters() {
        QRandomGenerator rng(11);
        Transaction tx(*db);
        Statement& ins = db->prepare(QStringLiteral(
            "INSERT INTO C_SHOOTERS (Nachname, Vorname, Ort, Land) VALUES (?,?,?,?)"));
        for (int i = 0; i < 100000; ++i) {
            ins.bindAll({pick(kLastNames, rng) + QString::number(rng.bounded(10000)),
                         pick(kFirstNames, rng), pick(kTowns, rng), QStringLiteral("GER")});
            while (ins.step()) {
            }
        }
        tx.commit();
    }
};

Fixture& entries() {
    static Fixture* f = [] {
        auto* x = new Fixture;
        x->fillEntries();
        return x;
    }();
    return *f;
}

Fixture& shooters() {
    static Fixture* f = [] {
        auto* x = new Fixture;
        x->fillShooters();
        return x;
    }();
    return *f;
}

void BM_RenumberThroughCursor(benchmark::State& state) {
    Database& db = *entries().db;
    for (auto _ : state) {
        Cursor c(db, QStringLiteral("C_COMPDATA"), QStringLiteral("T_CD"));
        c.setFilter(competitionFilter(7));
        c.setFiltered(true);
        c.setIndexName(QStringLiteral("I_N"));
        c.open();
        c.disableControls();
        Transaction tx(db);
        int n = 0;
        for (c.first(); !c.eof(); c.next()) {
            c.edit();
            c.setValue(QStringLiteral("NUMBER"), ++n);
            c.post();
        }
        tx.commit();
        c.enableControls();
        if (n != 10000)
            state.SkipWithError("wrong number of entries");
    }
}
BENCHMARK(BM_RenumberThroughCursor)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RenumberPlainSql(benchmark::State& state) {
    Database& db = *entries().db;
    for (auto _ : state) {
        Transaction tx(db);
        db.run(QStringLiteral(
            "UPDATE C_COMPDATA SET NUMBER = r.n FROM (SELECT rowid AS id, row_number() OVER "
            "(ORDER BY tvkey(coalesce(NACHNAME,'')), rowid) AS n FROM C_COMPDATA WHERE "
            "coalesce(INOREF,0) = 7) AS r WHERE C_COMPDATA.rowid = r.id"));
        tx.commit();
    }
}
BENCHMARK(BM_RenumberPlainSql)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_OpenShootersFirst50(benchmark::State& state) {
    Database& db = *shooters().db;
    for (auto _ : state) {
        Cursor c(db, QStringLiteral("C_SHOOTERS"), QStringLiteral("T_TEILNEHMER"));
        c.setIndexName(QStringLiteral("I_Nachname"));
        c.open();
        int n = 0;
        for (; n < 50 && !c.eof(); c.next(), ++n)
            benchmark::DoNotOptimize(c.asString(QStringLiteral("Nachname")));
        benchmark::DoNotOptimize(c.recordCount());
    }
}
BENCHMARK(BM_OpenShootersFirst50)->Unit(benchmark::kMillisecond);

void BM_FindNearestInShooters(benchmark::State& state) {
    Database& db = *shooters().db;
    Cursor c(db, QStringLiteral("C_SHOOTERS"));
    c.setIndexName(QStringLiteral("I_Nachname"));
    c.open();
    QRandomGenerator rng(3);
    for (auto _ : state) {
        const QString prefix = pick(kLastNames, rng).left(3);
        benchmark::DoNotOptimize(c.findNearest(prefix));
    }
}
BENCHMARK(BM_FindNearestInShooters)->Unit(benchmark::kMillisecond);

void BM_LocateShooterByKey(benchmark::State& state) {
    Database& db = *shooters().db;
    Cursor c(db, QStringLiteral("C_SHOOTERS"));
    c.setIndexName(QStringLiteral("I_Nachname"));
    c.open();
    QRandomGenerator rng(5);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            c.locate(QStringLiteral("Autoincrease"), int(rng.bounded(1, 100000))));
}
BENCHMARK(BM_LocateShooterByKey)->Unit(benchmark::kMillisecond);

void BM_LocateShooterByName(benchmark::State& state) {
    Database& db = *shooters().db;
    Cursor c(db, QStringLiteral("C_SHOOTERS"));
    c.setIndexName(QStringLiteral("I_Nachname"));
    c.open();
    Cursor names(db, QStringLiteral("C_SHOOTERS"));
    names.open();
    QStringList wanted;
    for (int i = 0; i < 64; ++i, names.moveTo(i * 1500))
        wanted << names.asString(QStringLiteral("Nachname"));
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(c.locate(QStringLiteral("Nachname"), wanted[i++ % 64]));
}
BENCHMARK(BM_LocateShooterByName)->Unit(benchmark::kMillisecond);

/// Prints the results as usual and keeps their times for the ratio line.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const auto& r : runs)
            times[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> times;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto cursor = reporter.times.find("BM_RenumberThroughCursor/min_time:2.000");
    const auto plain = reporter.times.find("BM_RenumberPlainSql/min_time:2.000");
    if (cursor != reporter.times.end() && plain != reporter.times.end() && plain->second > 0)
        std::cout << "\nrenumber 10,000 entries: cursor walk / plain SQL = "
                  << cursor->second / plain->second << " (budget: at most 3)\n";
    benchmark::Shutdown();
    return 0;
}
