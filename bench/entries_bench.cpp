// Registering a shooter into a competition of 1,000 entries: the duplicate check, the new entry,
// renumbering the whole list and finding the new entry again. The budget is 100 ms.
// Measured on the operations alone and through the entry list window's command with its grid
// attached (the dialogs answered at once).

#include "app/session.h"
#include "data/cursor.h"
#include "data/filter.h"
#include "data/tdm.h"
#include "entries/class_choice_dialog.h"
#include "entries/demo_data.h"
#include "entries/entry_list_window.h"
#include "entries/entry_operations.h"
#include "entries/registration_dialog.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace tallyvex;

namespace {

struct Competition {
    QTemporaryDir dir;
    std::unique_ptr<Session> session;
    double key = 0;
    std::vector<qint64> freeShooters; // shooters without an entry

    Competition() {
        session = std::make_unique<Session>(dir.path());
        session->setDataModule(TDM::open(dir.filePath(QStringLiteral("DBX.db"))));
        const DemoSummary s = fillDemoData(session->tdm(), DemoOptions{10, 1200, 1000, 1});
        key = s.competitionKey;
        session->setCompetitionKey(key);
        session->competition().klasse = {"Herren",   "Damen",     "Junioren",
                                         "Senioren", "Veteranen", "Jugend"};
        session->competition().ng = {60, 50, 35, 55, 45, 25};
        Database& db = session->tdm().db();
        for (qint64 k = 1; k <= 1200; ++k)
            if (!shooterIsRegistered(db, key, double(k)))
                freeShooters.push_back(k);
    }

    Cursor& entries() {
        Cursor& cd = session->tdm().T_CD();
        if (!cd.isOpen())
            cd.open();
        cd.setFilterText(session->competitionFilter());
        cd.setFiltered(true);
        cd.setIndexName(QStringLiteral("I_N"));
        cd.refresh();
        return cd;
    }
};

Competition& competition() {
    static Competition c;
    return c;
}

void BM_RegisterShooterOperations(benchmark::State& state) {
    Competition& c = competition();
    Cursor& cd = c.entries();
    auto shooters =
        c.session->tdm().privateCursor(QStringLiteral("C_SHOOTERS"), QStringLiteral("s"));
    shooters->setIndexName(QStringLiteral("I_NACHNAME"));
    shooters->open();
    size_t next = 0;
    for (auto _ : state) {
        const qint64 shooter = c.freeShooters[next++ % c.freeShooters.size()];
        shooters->locate(QStringLiteral("Autoincrease"), shooter);
        if (shooterIsRegistered(c.session->tdm().db(), c.key, double(shooter)))
            state.SkipWithError("shooter already registered");
        const qint64 entry = appendEntry(cd, *shooters, c.key, QStringLiteral("Herren"), 60);
        renumberEntries(cd);
        goToEntry(cd, entry);
        state.PauseTiming();
        deleteEntry(cd);
        renumberEntries(cd);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RegisterShooterOperations)->Unit(benchmark::kMillisecond);

void BM_RegisterShooterWindow(benchmark::State& state) {
    Competition& c = competition();
    c.entries();
    TF_I_LIST list(*c.session, nullptr);
    size_t next = 0;
    qint64 shooter = 0;
    list.setDialogRunner([&](QDialog& dialog) {
        if (auto* reg = qobject_cast<TF_NEUERSCHUETZE*>(&dialog)) {
            Cursor& s = c.session->tdm().T_TEILNEHMER();
            s.locate(QStringLiteral("Autoincrease"), shooter);
            reg->chooseLine(s.recNo());
            reg->confirm();
        } else if (auto* choice = qobject_cast<TF_AUSWL*>(&dialog)) {
            choice->chooseCurrent();
        }
        return dialog.result();
    });
    list.setQuestion([](QWidget*, const QString&, const QString&) { return true; });
    list.prepare();
    list.resize(1400, 900);
    list.show();
    QApplication::processEvents();
    for (auto _ : state) {
        shooter = c.freeShooters[next++ % c.freeShooters.size()];
        list.registerShooter();
        QApplication::processEvents();
        state.PauseTiming();
        list.deleteSelectedEntry();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    c.session->setCloseAllowed(true);
}
BENCHMARK(BM_RegisterShooterWindow)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
