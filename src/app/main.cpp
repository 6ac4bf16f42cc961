#include "app/data_folder.h"
#include "data/errors.h"
#include "data/tdm.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QMainWindow>
#include <QMessageBox>

using namespace tallyvex;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tallyvex"));
    QApplication::setApplicationVersion(QStringLiteral(TALLYVEX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Competition office of a clay-target range"));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption dataDir(QStringLiteral("data-dir"),
                               QStringLiteral("Use DIR as the data folder."),
                               QStringLiteral("DIR"));
    parser.addOption(dataDir);
    parser.process(app);

    const QString folder = resolveDataFolder(parser.value(dataDir));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Quorvane Tallyvex"));
    std::unique_ptr<TDM> dm;
    try {
        if (!QDir().mkpath(folder))
            throw FileError(QStringLiteral("The data folder %1 cannot be created.").arg(folder));
        dm = TDM::open(databasePath(folder));
    } catch (const Error& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Tallyvex"),
                              e.kind() + QStringLiteral(" ==> ") + e.message());
    }
    window.resize(1024, 768);
    window.show();
    return app.exec();
}
