#pragma once

#include <QString>

namespace tallyvex {

/// The data folder of the installation: the folder given with --data-dir, else $TALLYVEX_HOME,
/// else the user's XDG data location ".../Tallyvex". It holds the database, pictures, help
/// pages, exported files and the error log.
QString resolveDataFolder(const QString& commandLineDir);

/// The database file inside the data folder.
QString databasePath(const QString& dataFolder);

} // namespace tallyvex
