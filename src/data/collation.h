#pragma once

#include <QByteArray>
#include <QStringView>

struct sqlite3;

namespace tallyvex {

/// Name of the collation that filters ignoring case use in SQL.
inline constexpr const char* kNoCaseCollation = "TVNOCASE";
/// Name of the SQL function giving a text's sort key; the orders ignoring case sort by it, so
/// the stored indexes compare plain bytes.
inline constexpr const char* kSortKeyFunction = "tvkey";

/// Compares two texts the way a German office sorts names: letters first by their base letter
/// (Ä beside A, ß as ss), case ignored; of two texts equal so, the one without accents comes
/// first; texts differing only in case are equal. Deterministic across library versions, so
/// the stored indexes stay valid.
int compareIgnoringCase(QStringView a, QStringView b);

/// Bytes whose plain comparison orders texts exactly as compareIgnoringCase does.
QByteArray sortKey(QStringView text);

/// Registers the collation and the sort-key function on a connection; every connection must have it
/// before it reads through an order that ignores case.
void registerCollations(sqlite3* db);

} // namespace tallyvex
