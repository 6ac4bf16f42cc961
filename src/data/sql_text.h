#pragma once

#include "schema.h"

#include <QString>

namespace tallyvex::sql {

/// A name quoted for SQL: "C_COMPDATA".
QString ident(const QString& name);

/// The expression an order sorts a field by: empty values count as 0 or the empty text, texts
/// of an order that ignores case sort by their sort key (see collation.h). The stored
/// indexes are built on exactly these expressions, so the reading orders can use them.
QString keyExpression(const FieldDef& field, bool ignoreCase);

/// The ORDER BY clause of a named order (nullptr: natural order), with the row id as the last
/// key so that rows equal in every key keep the order in which they were stored.
QString orderBy(const TableDef& table, const IndexDef* index);

/// CREATE TABLE and CREATE INDEX statements of a table.
QString createTable(const TableDef& table);
QStringList createIndexes(const TableDef& table);

} // namespace tallyvex::sql
