#pragma once

#include "schema.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace tallyvex {

enum class CompareOp { Equal, NotEqual, Less, LessOrEqual, Greater, GreaterOrEqual };

/// A row filter: comparisons of a field with a value, joined by "and" and "or". Build it from
/// conditions (Filter::equals(...) && ...) so that a class name or nation typed with a quote in
/// it neither breaks the filter nor selects wrong rows; or parse the textual form the windows
/// have always written ("INOREF='12' and Rotte ='3'").
///
/// Field names ignore case. A value compares with a number field by its numeric value (the
/// competition key 12 does not select 1, 2 or 120) and with a date field as a date; empty
/// fields compare as 0 or the empty text.
class Filter {
public:
    Filter() = default;

    static Filter compare(const QString& field, CompareOp op, const QVariant& value);
    static Filter equals(const QString& field, const QVariant& value) {
        return compare(field, CompareOp::Equal, value);
    }
    /// Parses the textual form; raises ConversionError naming the text when it cannot be read.
    /// The empty text is the empty filter.
    static Filter parse(const QString& text);

    Filter operator&&(const Filter& other) const;
    Filter operator||(const Filter& other) const;
    Filter operator!() const;

    bool isEmpty() const { return !root_; }
    /// The fields the filter compares, as written.
    QStringList fieldNames() const;
    /// The fields the filter holds to one value: compared with "=" and joined by "and" at the
    /// top, so every row that passes has that value.
    QStringList equalityFields() const;

    /// The textual form: values quoted, a quote inside a value doubled. parse(toText()) gives
    /// back the same filter.
    QString toText() const;

    /// The SQL condition for the table, with its values appended to params. Raises
    /// StorageError for an unknown field and ConversionError for a value that does not fit
    /// the field (a text that is no number compared with a number field).
    QString toSql(const TableDef& table, bool textIgnoresCase, QVariantList& params) const;

    struct Node;

private:
    explicit Filter(std::shared_ptr<const Node> root) : root_(std::move(root)) {}
    std::shared_ptr<const Node> root_;
};

/// The competition filter of the windows: the rows of one competition, by its key.
Filter competitionFilter(double competitionKey, const QString& field = QStringLiteral("INOREF"));

/// A key written as a whole number without decimals, as the filters expect it ("12").
QString keyText(double key);

} // namespace tallyvex
