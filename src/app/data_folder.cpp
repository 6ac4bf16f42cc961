#include "data_folder.h"

#include <QDir>
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

} // namespace tallyvex
