#include "app/data_folder.h"
#include "app/error_handler.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/session.h"
#include "app/single_instance.h"
#include "app/wait_window.h"
#include "data/tdm.h"
#include "entries/demo_data.h"
#include "widgets/error_presenter.h"

#include <QCommandLineParser>
#include <QDir>
#include <cstdio>
#include <cstdlib>

using namespace tallyvex;

namespace {
struct CommandLine {
    QString dataDir;
    QString language;
    bool demo = false;
};

/// Reads the options before any window system is touched, so --help, --version and a wrong
/// --lang answer on a machine without a display too.
CommandLine readCommandLine(int argc, char** argv) {
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tallyvex"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TALLYVEX_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Competition office of a clay-target range"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDir(QStringLiteral("data-dir"),
                               QStringLiteral("Use DIR as the data folder."),
                               QStringLiteral("DIR"));
    QCommandLineOption lang(QStringLiteral("lang"),
                            QStringLiteral("Show the program in German (DE) or English (EN) for "
                                           "this run, whatever language is stored."),
                            QStringLiteral("DE|EN"));
    QCommandLineOption demo(QStringLiteral("demo"),
                            QStringLiteral("Fill an empty data folder with a demo data set (clubs, "
                                           "shooters, one competition with entries), then start."));
    parser.addOption(dataDir);
    parser.addOption(lang);
    parser.addOption(demo);
    parser.process(core);

    CommandLine line{parser.value(dataDir), parser.value(lang).trimmed().toUpper(),
                     parser.isSet(demo)};
    if (parser.isSet(lang) && line.language != QLatin1String("DE") &&
        line.language != QLatin1String("EN")) {
        std::fprintf(stderr, "tallyvex: --lang takes DE or EN, not \"%s\".\n",
                     qPrintable(parser.value(lang)));
        std::exit(2);
    }
    return line;
}
} // namespace

int main(int argc, char** argv) {
    const CommandLine line = readCommandLine(argc, argv);

    TallyvexApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyvex"));
    QApplication::setApplicationVersion(QStringLiteral(TALLYVEX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("tallyvex"));
    const QString language = line.language;
    const QString folder = resolveDataFolder(line.dataDir);

    // One copy per user and data folder; a second start shows nothing and ends.
    SingleInstanceGuard guard(folder);
    if (!guard.claim()) {
        guard.notifyRunningCopy();
        return 0;
    }

    app.setLogFile(QDir(folder).filePath(QStringLiteral("qtv.log")));
    // A value a field or grid refuses is an error of the operation like any other: logged and
    // shown the same way.
    setErrorPresenter([&app](QWidget*, const QString& text) { app.report(text); });

    bool firstStart = false;
    try {
        firstStart = prepareDataFolder(folder);
    } catch (const std::exception& e) {
        TallyvexApplication::handle(e);
    }

    Session session(folder);
    if (line.demo) {
        // The demo set goes only into a folder without competitions, so no real data of the
        // office are ever mixed with invented ones.
        try {
            auto tdm = TDM::open(databasePath(folder));
            if (holdsCompetitions(*tdm)) {
                std::fprintf(stderr,
                             "tallyvex: the data folder %s already holds competitions; the demo "
                             "data were not added and nothing was changed.\n",
                             qPrintable(QDir::toNativeSeparators(folder)));
                return 1;
            }
            prepareDatabase(*tdm, firstStart);
            const DemoSummary demo = fillDemoData(*tdm);
            std::fprintf(stdout,
                         "tallyvex: demo data written to %s: %d clubs, %d shooters, %d classes "
                         "and one competition with %d entries.\n",
                         qPrintable(QDir::toNativeSeparators(folder)), demo.clubs, demo.shooters,
                         demo.classes, demo.entries);
            session.setDataModule(std::move(tdm));
        } catch (const std::exception& e) {
            std::fprintf(stderr, "tallyvex: the demo data could not be written: %s\n", e.what());
            return 1;
        }
    }
    TF_MAIN window(session);
    window.setFirstStart(firstStart);
    window.setLanguageOverride(language);
    session.waitWindow();
    session.helpWindow();
    QObject::connect(&guard, &SingleInstanceGuard::activationRequested, &window,
                     &TF_MAIN::bringToFront);

    window.show();
    try {
        window.showStep();
    } catch (const std::exception& e) {
        TallyvexApplication::handle(e);
    }
    return app.exec();
}
