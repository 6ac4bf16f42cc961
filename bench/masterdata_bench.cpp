// The shooter database window on 100,000 shooters: opening it and showing the first screen
// (budget 50 ms), scrolling a screen, sorting by a column title, searching (find nearest,
// budget 5 ms), and writing the address file of the whole list.

#include "app/session.h"
#include "data/tdm.h"
#include "masterdata/address_export.h"
#include "masterdata/masterdata_prompts.h"
#include "masterdata/shooter_window.h"
#include "widgets/data_grid.h"

#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tallyvex;

namespace {

struct Office {
    QTemporaryDir dir;
    std::unique_ptr<Session> session;

    Office() {
        session = std::make_unique<Session>(dir.path());
        session->setDataModule(TDM::open(dir.filePath(QStringLiteral("DBX.db"))));
        Database& db = session->tdm().db();
        Transaction tx(db);
        const char* towns[] = {"München", "Graz", "Zürich", "Linz", "Köln", "Wien", "Bozen"};
        for (int i = 0; i < 100000; ++i) {
            const int k = int((qint64(i) * 7919) % 100000);
            db.run(
                QStringLiteral("INSERT INTO C_SHOOTERS (Nachname, Vorname, Strasse, "
                               "Postleitzahl, Ort, Land, WK_VEREIN) VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {QStringLiteral("Müller%1").arg(k, 6, 10, QLatin1Char('0')), QStringLiteral("Jörg"),
                 QStringLiteral("Hauptstraße %1").arg(k % 300), QString::number(10000 + k % 89999),
                 QString::fromUtf8(towns[k % 7]), QStringLiteral("AUT"),
                 QStringLiteral("SV Tontaube %1").arg(k % 40)});
        }
        tx.commit();
    }
};

Office& office() {
    static Office o;
    return o;
}

QString searched;
ScopedMasterDataPrompts& prompts() {
    static ScopedMasterDataPrompts p{
        MasterDataPrompts{[](QWidget*, const QString&, const QString&) { return searched; },
                          [](QWidget*, const QString&) { return true; },
                          [](QWidget*, const QString&) {}, [](QDialog&) {}, nullptr}};
    return p;
}

void showAndPaint(TF_SHO& w) {
    w.resize(1500, 1000);
    w.show();
    QApplication::processEvents();
    QPixmap shot = w.grid()->viewport()->grab();
    benchmark::DoNotOptimize(shot);
}

void BM_OpenShooterDatabaseFirstScreen(benchmark::State& state) {
    Session& s = *office().session;
    for (auto _ : state) {
        // Each run starts as from the menu: the shared cursor closed.
        state.PauseTiming();
        s.tdm().T_TEILNEHMER().close();
        state.ResumeTiming();
        TF_SHO w(s);
        showAndPaint(w);
        state.PauseTiming();
        w.closeCommand();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenShooterDatabaseFirstScreen)->Unit(benchmark::kMillisecond);

void BM_ScrollOneScreen(benchmark::State& state) {
    TF_SHO w(*office().session);
    showAndPaint(w);
    QScrollBar* bar = w.grid()->verticalScrollBar();
    int at = 0;
    for (auto _ : state) {
        at = (at + bar->pageStep() * 997) % bar->maximum();
        bar->setValue(at);
        QPixmap shot = w.grid()->viewport()->grab();
        benchmark::DoNotOptimize(shot);
    }
    w.closeCommand();
}
BENCHMARK(BM_ScrollOneScreen)->Unit(benchmark::kMillisecond);

void BM_SortByTitleAndRepaint(benchmark::State& state) {
    TF_SHO w(*office().session);
    showAndPaint(w);
    const QString fields[] = {QStringLiteral("Ort"), QStringLiteral("Postleitzahl"),
                              QStringLiteral("WK_VEREIN"), QStringLiteral("Nachname")};
    int i = 0;
    for (auto _ : state) {
        w.sortByField(fields[i++ % 4]);
        QPixmap shot = w.grid()->viewport()->grab();
        benchmark::DoNotOptimize(shot);
    }
    w.closeCommand();
}
BENCHMARK(BM_SortByTitleAndRepaint)->Unit(benchmark::kMillisecond);

void BM_SearchByLastNameAndRepaint(benchmark::State& state) {
    TF_SHO w(*office().session);
    showAndPaint(w);
    int k = 0;
    for (auto _ : state) {
        k = (k + 37813) % 100000;
        searched = QStringLiteral("müller%1").arg(k, 6, 10, QLatin1Char('0'));
        w.searchByLastName();
        QPixmap shot = w.grid()->viewport()->grab();
        benchmark::DoNotOptimize(shot);
    }
    w.closeCommand();
}
BENCHMARK(BM_SearchByLastNameAndRepaint)->Unit(benchmark::kMillisecond);

void BM_SearchByTownAfterSorting(benchmark::State& state) {
    TF_SHO w(*office().session);
    showAndPaint(w);
    w.sortByField(QStringLiteral("Ort"));
    const QString towns[] = {QStringLiteral("Graz"), QStringLiteral("L"), QStringLiteral("Wien"),
                             QStringLiteral("Bo")};
    int i = 0;
    for (auto _ : state) {
        searched = towns[i++ % 4];
        w.searchByLastName();
        benchmark::DoNotOptimize(w.shooters().recNo());
    }
    w.closeCommand();
}
BENCHMARK(BM_SearchByTownAfterSorting)->Unit(benchmark::kMillisecond);

void BM_ExportAllAddresses(benchmark::State& state) {
    Cursor& c = office().session->tdm().T_TEILNEHMER();
    if (!c.isOpen())
        c.open();
    c.setIndexName(QStringLiteral("I_Nachname"));
    const QString path = office().dir.filePath(QStringLiteral("bench_export.txt"));
    for (auto _ : state) {
        QFile::remove(path);
        benchmark::DoNotOptimize(exportAddresses(c, AddressList::Shooters, path));
    }
}
BENCHMARK(BM_ExportAllAddresses)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prompts();
    office();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
