#pragma once

#include <QString>

namespace tallyvex {

class TDM;

/// The data folder of the installation: the folder given with --data-dir, else $TALLYVEX_HOME,
/// else the user's XDG data location ".../Tallyvex". It holds the database, pictures, help
/// pages, exported files and the error log.
QString resolveDataFolder(const QString& commandLineDir);

/// The database file inside the data folder.
QString databasePath(const QString& dataFolder);

/// Prepares the data folder as an installation does: creates it, and writes the pictures of
/// gfx/, the pages of help/ and the settings file tallyvex.ini where they are missing. On the
/// first start (no database yet) it also creates an empty error log qtv.log; later starts leave
/// a removed log removed, so that logging stays off. Files already present are never touched.
/// Returns true on the first start. Raises FileError when the folder cannot be made.
bool prepareDataFolder(const QString& dataFolder);

/// Gives a database its settings row in GENERELL (currency "EUR", language "DE") when it has
/// none, and on the first start a starter list of class names in C_Classes.
void prepareDatabase(TDM& tdm, bool firstStart);

} // namespace tallyvex
