#include "data_folder.h"

#include "app/help_window.h"
#include "app/pictures.h"
#include "app/settings.h"
#include "data/database.h"
#include "data/errors.h"
#include "data/tdm.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace tallyvex {

QString resolveDataFolder(const QString& commandLineDir) {
    QString dir = commandLineDir;
    if (dir.isEmpty())
        dir = qEnvironmentVariable("TALLYVEX_HOME");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
              QStringLiteral("/Tallyvex");
    return QDir::cleanPath(QDir(dir).absolutePath());
}

QString databasePath(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("DBX.db"));
}

namespace {
void makeFolder(const QString& path) {
    if (!QDir().mkpath(path))
        throw FileError(
            QStringLiteral("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(path)));
}

void writeNew(const QString& path, const QByteArray& bytes) {
    if (QFile::exists(path))
        return;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw FileError(QStringLiteral("The file %1 cannot be written: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

QByteArray jpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", 92))
        throw FileError(QStringLiteral("A JPEG picture cannot be made on this system."));
    return bytes;
}
} // namespace

bool prepareDataFolder(const QString& dataFolder) {
    const QDir dir(dataFolder);
    makeFolder(dataFolder);
    const bool firstStart = !QFile::exists(databasePath(dataFolder));

    makeFolder(dir.filePath(QStringLiteral("gfx")));
    const QString logo = dir.filePath(QStringLiteral("gfx/logo.jpg"));
    if (!QFile::exists(logo))
        writeNew(logo, jpeg(drawLogo()));
    const QString confirmation = dir.filePath(QStringLiteral("gfx/confirmation.jpg"));
    if (!QFile::exists(confirmation))
        writeNew(confirmation, jpeg(drawConfirmation()));

    makeFolder(dir.filePath(QStringLiteral("help")));
    const QDir pages(QStringLiteral(":/help"));
    for (const QString& name : pages.entryList(QDir::Files)) {
        const QString target = dir.filePath(QStringLiteral("help/") + name);
        if (QFile::exists(target))
            continue;
        QFile page(pages.filePath(name));
        if (!page.open(QIODevice::ReadOnly))
            throw FileError(
                QStringLiteral("The help page %1 is missing in the program.").arg(name));
        writeNew(target, page.readAll());
    }

    writeNew(settingsPath(dataFolder), defaultSettingsFile());

    if (firstStart)
        writeNew(dir.filePath(QStringLiteral("qtv.log")), QByteArray());
    return firstStart;
}

void prepareDatabase(TDM& tdm, bool firstStart) {
    Transaction tx(tdm.db());
    Cursor& general = tdm.GENERAL();
    const bool wasOpen = general.isOpen();
    general.open();
    if (general.isEmpty()) {
        general.append();
        general.setValue(QStringLiteral("WAEHRUNG"), QStringLiteral("EUR"));
        general.setValue(QStringLiteral("LANGUAGE"), QStringLiteral("DE"));
        general.post();
    }
    if (!wasOpen)
        general.close();

    if (firstStart) {
        Cursor& classes = tdm.T_CLASSES();
        const bool classesOpen = classes.isOpen();
        classes.open();
        if (classes.isEmpty()) {
            struct Starter {
                const char* name;
                int from, to;
            };
            // The classes most ranges shoot; ages as the usual age limits of the sport.
            static const Starter starters[] = {
                {"Herren", 21, 55},   {"Damen", 0, 99},      {"Junioren", 0, 20},
                {"Senioren", 56, 65}, {"Veteranen", 66, 99}, {"Jugend", 0, 17},
            };
            for (const auto& s : starters) {
                classes.append();
                classes.setValue(QStringLiteral("Klasse"), QString::fromUtf8(s.name));
                classes.setValue(QStringLiteral("Altervon"), s.from);
                classes.setValue(QStringLiteral("Alterbis"), s.to);
                classes.post();
            }
        }
        if (!classesOpen)
            classes.close();
    }
    tx.commit();
}

} // namespace tallyvex
