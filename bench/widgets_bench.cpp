// Opening a window on 100,000 shooters in last-name order and showing its first screen:
// open the cursor, build the grid over it, paint it once. The budget is 50 ms.

#include "data/cursor.h"
#include "data/database.h"
#include "widgets/data_grid.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tallyvex;

namespace {

struct Shooters {
    QTemporaryDir dir;
    std::unique_ptr<Database> db;

    Shooters() {
        db = Database::open(dir.filePath(QStringLiteral("DBX.db")));
        Transaction tx(*db);
        const char* towns[] = {"München", "Graz", "Zürich", "Linz", "Köln", "Wien", "Bozen"};
        for (int i = 0; i < 100000; ++i) {
            const int k = int((qint64(i) * 7919) % 100000);
            db->run(QStringLiteral("INSERT INTO C_SHOOTERS (Nachname, Vorname, Postleitzahl, Ort, "
                                   "Land, WK_VEREIN) VALUES (?, ?, ?, ?, ?, ?)"),
                    {QStringLiteral("Müller%1").arg(k, 6, 10, QLatin1Char('0')),
                     QStringLiteral("Jörg"), QString::number(10000 + k % 89999),
                     QString::fromUtf8(towns[k % 7]), QStringLiteral("AUT"),
                     QStringLiteral("SV Tontaube %1").arg(k % 40)});
        }
        tx.commit();
    }
};

Shooters& shooters() {
    static Shooters s;
    return s;
}

const QVector<GridColumn> kColumns = {
    {"Nachname", "Nachname", "Last name:", 150},
    {"Vorname", "Vorname", "First name:", 120},
    {"TITEL", "Titel", "B.N°:", 60},
    {"Geburtsdatum", "Geburtsdatum", "Date of Birth", 100},
    {"Strasse", "Strasse", "Street", 150},
    {"Postleitzahl", "Postleitzahl", "ZIP", 80},
    {"Ort", "Ort:", "Town", 120},
    {"Land", "Land", "Country", 60},
    {"WK_VEREIN", "Verein", "Club", 160},
};

void BM_FirstScreenOf100000Shooters(benchmark::State& state) {
    Database& db = *shooters().db;
    for (auto _ : state) {
        Cursor cursor(db, QStringLiteral("C_SHOOTERS"), QStringLiteral("T_TEILNEHMER"));
        cursor.setIndexName(QStringLiteral("I_Nachname"));
        cursor.open();
        cursor.first();
        DataGrid grid;
        grid.setColumns(kColumns);
        grid.setCursor(&cursor);
        grid.resize(1200, 800);
        QPixmap shot = grid.grab();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_FirstScreenOf100000Shooters)->Unit(benchmark::kMillisecond);

void BM_FindNearestAndRepaint(benchmark::State& state) {
    Database& db = *shooters().db;
    Cursor cursor(db, QStringLiteral("C_SHOOTERS"));
    cursor.setIndexName(QStringLiteral("I_Nachname"));
    cursor.open();
    DataGrid grid;
    grid.setColumns(kColumns);
    grid.setCursor(&cursor);
    grid.resize(1200, 800);
    int k = 0;
    for (auto _ : state) {
        k = (k + 37813) % 100000;
        cursor.findNearest(QStringLiteral("müller%1").arg(k, 6, 10, QLatin1Char('0')));
        QPixmap shot = grid.grab();
        benchmark::DoNotOptimize(shot);
    }
}
BENCHMARK(BM_FindNearestAndRepaint)->Unit(benchmark::kMillisecond);

void BM_FindNearestWithoutGrid(benchmark::State& state) {
    Database& db = *shooters().db;
    Cursor cursor(db, QStringLiteral("C_SHOOTERS"));
    cursor.setIndexName(QStringLiteral("I_Nachname"));
    cursor.open();
    int k = 0;
    for (auto _ : state) {
        k = (k + 37813) % 100000;
        cursor.findNearest(QStringLiteral("müller%1").arg(k, 6, 10, QLatin1Char('0')));
        if (state.range(0))
            for (int r = std::max(0, cursor.recNo() - 30); r < cursor.recNo() + 30; ++r)
                benchmark::DoNotOptimize(cursor.displayTextAt(r, 1));
    }
}
BENCHMARK(BM_FindNearestWithoutGrid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
