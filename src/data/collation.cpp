#include "collation.h"

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstring>
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

int sqliteCompare(void*, int lenA, const void* a, int lenB, const void* b) {
    const QString sa = QString::fromUtf8(static_cast<const char*>(a), lenA);
    const QString sb = QString::fromUtf8(static_cast<const char*>(b), lenB);
    return compareIgnoringCase(sa, sb);
}

void sqliteSortKey(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int len = sqlite3_value_bytes(argv[0]);
    bool ascii = true;
    for (int i = 0; i < len && ascii; ++i)
        ascii = static_cast<unsigned char>(text[i]) < 0x80;
    if (ascii) {
        // Most names need no conversion: the lowered letters are the whole key.
        QByteArray key(text, len);
        for (char& c : key)
            if (c >= 'A' && c <= 'Z')
                c = char(c + 32);
        sqlite3_result_blob(ctx, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        return;
    }
    const QByteArray key = sortKey(QString::fromUtf8(text, len));
    sqlite3_result_blob(ctx, key.constData(), int(key.size()), SQLITE_TRANSIENT);
}

} // namespace

QByteArray sortKey(QStringView s) {
    // The primary letters in UTF-8, whose bytes order as the characters do; then, only when
    // the text has accents or ß, a zero byte and the case-folded text. A plain text is thus a
    // prefix of its accented twins and sorts before them.
    const QByteArray primary = primaryKey(s).toUtf8();
    const QByteArray folded = s.toString().toCaseFolded().toUtf8();
    if (folded == primary)
        return primary;
    return primary + QByteArray(1, '\0') + folded;
}

int compareIgnoringCase(QStringView a, QStringView b) {
    const QByteArray ka = sortKey(a), kb = sortKey(b);
    const int c =
        std::memcmp(ka.constData(), kb.constData(), size_t(std::min(ka.size(), kb.size())));
    if (c != 0)
        return c < 0 ? -1 : 1;
    return ka.size() < kb.size() ? -1 : (ka.size() > kb.size() ? 1 : 0);
}

void registerCollations(sqlite3* db) {
    sqlite3_create_collation(db, kNoCaseCollation, SQLITE_UTF8, nullptr, &sqliteCompare);
    sqlite3_create_function_v2(db, kSortKeyFunction, 1,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                               &sqliteSortKey, nullptr, nullptr, nullptr);
}

} // namespace tallyvex
