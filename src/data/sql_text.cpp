#include "sql_text.h"

#include "collation.h"

namespace tallyvex::sql {

QString ident(const QString& name) {
    QString n = name;
    n.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + n + QLatin1Char('"');
}

QString keyExpression(const FieldDef& f, bool ignoreCase) {
    if (f.isText()) {
        const QString e = QStringLiteral("coalesce(%1,'')").arg(ident(f.name));
        return ignoreCase
                   ? QLatin1String(kSortKeyFunction) + QLatin1Char('(') + e + QLatin1Char(')')
                   : e;
    }
    return QStringLiteral("coalesce(%1,0)").arg(ident(f.name));
}

QString orderBy(const TableDef& t, const IndexDef* ix) {
    QStringList parts;
    if (ix) {
        for (const auto& name : ix->fields) {
            const FieldDef* f = t.field(name);
            parts << keyExpression(*f, ix->ignoreCase) +
                         (ix->descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
        }
    }
    parts << QStringLiteral("rowid ASC");
    return QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
}

namespace {
QString sqlType(FieldType t) {
    switch (t) {
    case FieldType::Text:
    case FieldType::Memo:
        return QStringLiteral("TEXT");
    case FieldType::Float:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return QStringLiteral("REAL");
    default:
        return QStringLiteral("INTEGER");
    }
}
} // namespace

QString createTable(const TableDef& t) {
    QStringList cols;
    for (const auto& f : t.fields) {
        if (f.type == FieldType::AutoInc)
            cols << ident(f.name) + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
        else
            cols << ident(f.name) + QLatin1Char(' ') + sqlType(f.type);
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(ident(t.name), cols.join(QStringLiteral(", ")));
}

QStringList createIndexes(const TableDef& t) {
    QStringList out;
    for (const auto& ix : t.indexes) {
        QStringList cols;
        // Orders that do not begin with the competition key still serve one competition's
        // rows: the stored index leads with the key, which the competition filter fixes.
        if (!t.storedIndexPrefix.isEmpty() &&
            ix.fields.value(0).compare(t.storedIndexPrefix, Qt::CaseInsensitive) != 0)
            cols << keyExpression(*t.field(t.storedIndexPrefix), false);
        for (const auto& name : ix.fields)
            cols << keyExpression(*t.field(name), ix.ignoreCase) +
                        (ix.descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
        out << QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                   .arg(ident(QStringLiteral("ix_%1_%2").arg(t.name, ix.name)), ident(t.name),
                        cols.join(QStringLiteral(", ")));
    }
    return out;
}

} // namespace tallyvex::sql
