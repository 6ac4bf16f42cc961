#pragma once

#include <QStringView>

struct sqlite3;

namespace tallyvex {

/// Name of the collation that the orders "ignoring case" use in SQL.
inline constexpr const char* kNoCaseCollation = "TVNOCASE";

/// Compares two texts the way a German office sorts names: letters first by their base letter
/// (Ä beside A, ß as ss), case ignored; of two texts equal so, the one without accents comes
/// first; texts differing only in case are equal. Deterministic across library versions, so
/// the stored indexes stay valid.
int compareIgnoringCase(QStringView a, QStringView b);

/// Registers the collation on a connection; every connection must have it before it reads
/// through an order that ignores case.
void registerCollations(sqlite3* db);

} // namespace tallyvex
