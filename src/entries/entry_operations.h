#pragma once

#include <QString>
#include <array>

namespace tallyvex {

class Cursor;
class Database;

/// The named order a click on an entry-list column title chooses; empty for the columns that
/// only refresh (squad position, ID card number, fee).
QString entryOrderForField(const QString& field);

/// The status line of the entry list: "Anzahl Schützen:" and the count. After a registration the
/// English line reads "N° of shooters:", as the office has always seen it.
QString entryCountText(bool english, int count, bool afterRegistration = false);

/// The fee of a class: each of the competition's six classes with that name sets the fee to its
/// own amount, so with a name given twice the later one counts; a class the competition does
/// not list costs nothing.
double feeOfClass(const std::array<QString, 6>& classes, const std::array<double, 6>& fees,
                  const QString& className);

/// Gives the entries the cursor shows their running numbers 1..N in its current order and
/// returns N. Pending edits are stored first; the grids bound to the cursor are told once at
/// the end. The numbers are written in one transaction, only where they change. The cursor
/// ends on its first row.
int renumberEntries(Cursor& entries);

/// True when the shooter already has an entry in that competition; entries of other
/// competitions do not count.
bool shooterIsRegistered(Database& db, double competitionKey, double shooterKey);

/// Appends an entry for the shooter the shooter cursor stands on: the personal fields are copied
/// (cut to the entry's widths, the birth date as "dd.mm.yyyy"), the class and fee set, the result
/// flags cleared. Stores a pending edit of the entries cursor first. Returns the new entry's key
/// and leaves the cursor on it.
qint64 appendEntry(Cursor& entries, const Cursor& shooter, double competitionKey,
                   const QString& className, double fee);

/// Deletes the entry the cursor stands on together with its team member rows, so no team keeps a
/// member whose entry is gone. One transaction. False (and nothing deleted) when the cursor
/// stands on no stored entry.
bool deleteEntry(Cursor& entries);

/// Moves the cursor to the entry with that key; false and no move when it does not show it.
bool goToEntry(Cursor& entries, qint64 entryKey);

} // namespace tallyvex
