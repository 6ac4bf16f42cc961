#include "competition_store.h"

#include "data/cursor.h"

namespace tallyvex::competition_store {

namespace {
const QString keyField = QStringLiteral("LFN");
}

qint64 createCompetition(Cursor& competitions) {
    if (!competitions.isOpen())
        competitions.open();
    competitions.post();
    competitions.last();
    competitions.append();
    competitions.post();
    return competitions.asInt(keyField);
}

qint64 highlightedKey(const Cursor& competitions) {
    if (!competitions.isOpen() || competitions.currentRowId() == 0)
        return 0;
    return competitions.asInt(keyField);
}

qint64 deleteCompetition(Cursor& competitions) {
    const qint64 key = highlightedKey(competitions);
    if (key == 0)
        return 0;
    competitions.remove();
    return key;
}

bool moveToCompetition(Cursor& competitions, qint64 key) {
    if (key < 1)
        return false;
    if (!competitions.isOpen())
        competitions.open();
    return competitions.locate(keyField, key);
}

} // namespace tallyvex::competition_store
