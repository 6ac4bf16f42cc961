#include "row_source.h"

#include "data/cursor.h"

namespace tallyvex {

QVariant ListRows::value(const QString& field) const {
    if (pos_ >= rows_.size())
        return {};
    return rows_[pos_].value(field);
}

void CursorRows::first() {
    cursor_.first();
}
bool CursorRows::atEnd() const {
    return cursor_.eof();
}
void CursorRows::next() {
    cursor_.next();
}

QVariant CursorRows::value(const QString& field) const {
    if (cursor_.eof())
        return {};
    return cursor_.value(field);
}

QString CursorRows::text(const QString& field) const {
    if (cursor_.eof())
        return {};
    return cursor_.displayText(field);
}

} // namespace tallyvex
