#include "collation.h"

#include <QString>
#include <sqlite3.h>

namespace tallyvex {

namespace {

/// Appends the primary (base letter, folded case) form of one character.
void appendPrimary(QString& out, QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80) {
        out.append(QChar(u >= 'A' && u <= 'Z' ? u + 32 : u));
        return;
    }
    switch (u) {
    case 0x00DF: // ß
    case 0x1E9E:
        out.append(QLatin1String("ss"));
        return;
    case 0x00C6: // Æ
    case 0x00E6:
        out.append(QLatin1String("ae"));
        return;
    case 0x0152: // Œ
    case 0x0153:
        out.append(QLatin1String("oe"));
        return;
    case 0x00D8: // Ø
    case 0x00F8:
        out.append(QLatin1Char('o'));
        return;
    case 0x0141: // Ł
    case 0x0142:
        out.append(QLatin1Char('l'));
        return;
    case 0x0110: // Đ
    case 0x0111:
        out.append(QLatin1Char('d'));
        return;
    default:
        break;
    }
    QChar base = c;
    if (c.decompositionTag() == QChar::Canonical) {
        const QString d = c.decomposition();
        if (!d.isEmpty())
            base = d.at(0);
    }
    out.append(base.toCaseFolded());
}

QString primaryKey(QStringView s) {
    QString out;
    out.reserve(s.size() + 4);
    for (QChar c : s)
        appendPrimary(out, c);
    return out;
}

bool isAscii(QStringView s) {
    for (QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

int sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int sqliteCompare(void*, int lenA, const void* a, int lenB, const void* b) {
    const QString sa = QString::fromUtf8(static_cast<const char*>(a), lenA);
    const QString sb = QString::fromUtf8(static_cast<const char*>(b), lenB);
    return compareIgnoringCase(sa, sb);
}

} // namespace

int compareIgnoringCase(QStringView a, QStringView b) {
    if (isAscii(a) && isAscii(b))
        return sign(a.compare(b, Qt::CaseInsensitive));
    const int primary = primaryKey(a).compare(primaryKey(b));
    if (primary != 0)
        return sign(primary);
    // Same letters: the plain form before the accented one (Muller before Müller).
    return sign(a.toString().toCaseFolded().compare(b.toString().toCaseFolded()));
}

void registerCollations(sqlite3* db) {
    sqlite3_create_collation(db, kNoCaseCollation, SQLITE_UTF8, nullptr, &sqliteCompare);
}

} // namespace tallyvex
