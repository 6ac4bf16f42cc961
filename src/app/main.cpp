#include "app/data_folder.h"
#include "app/error_handler.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/session.h"
#include "app/single_instance.h"
#include "app/wait_window.h"
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
    parser.addOption(dataDir);
    parser.addOption(lang);
    parser.process(core);

    CommandLine line{parser.value(dataDir), parser.value(lang).trimmed().toUpper()};
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
