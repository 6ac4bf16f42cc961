#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tallyvex {

/// The value kinds a field can hold. Dates and times are stored as a count of days from
/// 30 December 1899 with the time of day as the fraction, so an empty date reads as that day.
enum class FieldType { AutoInc, Text, Float, Int16, Int32, Boolean, Date, Time, DateTime, Memo };

/// A range a field refuses to leave. Some ranges are only enforced on the shared cursor of the
/// table (the one the windows edit through); private work cursors may store anything.
struct FieldRange {
    double min = 0;
    double max = 0;
    bool sharedCursorOnly = false;
};

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int width = 0; ///< characters, for text fields
    std::optional<FieldRange> range;
    QString displayFormat; ///< "dd.mm.yyyy", "hh:nn", "#,##.00", "Y;N" ... empty: plain

    bool isText() const { return type == FieldType::Text || type == FieldType::Memo; }
    bool isNumeric() const { return !isText(); }
    bool isInteger() const {
        return type == FieldType::AutoInc || type == FieldType::Int16 || type == FieldType::Int32;
    }
};

/// A named sort order. A descending order reverses every key field; texts of an order that
/// ignores case compare through the locale-aware case-insensitive collation.
struct IndexDef {
    QString name;
    QStringList fields;
    bool descending = false;
    bool ignoreCase = false;
};

struct TableDef {
    QString name;
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;
    bool workTable = false;
    /// The leading field of the stored index that carries a filtered order (the competition
    /// key), so that orders without it still read one competition's rows through an index.
    QString storedIndexPrefix;

    /// Position of a field by name, ignoring case; -1 when there is none.
    int fieldIndex(const QString& name) const;
    const FieldDef* field(const QString& name) const;
    /// A named order by name, ignoring case; nullptr when there is none.
    const IndexDef* index(const QString& name) const;
    /// The auto-increment key field, or nullptr.
    const FieldDef* keyField() const;
};

/// Every table of the competition database, in the order they are created.
const std::vector<TableDef>& schemaTables();

/// The table of that name, ignoring case; throws StorageError for an unknown table.
const TableDef& tableDef(const QString& name);

} // namespace tallyvex
