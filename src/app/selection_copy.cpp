#include "selection_copy.h"

#include "app/session.h"
#include "data/cursor.h"
#include "data/errors.h"

namespace tallyvex {

namespace {
QString numbered(const char* prefix, int i) {
    return QString::fromLatin1(prefix) + QString::number(i);
}
} // namespace

bool selectionCopy(Cursor& c, Session& session) {
    c.post();
    if (c.currentRowId() == 0)
        return false;

    session.setCompetitionKey(double(c.asInt(QStringLiteral("LFN"))));
    if (c.isNull(QStringLiteral("ROUNDS"))) {
        session.announceCompetition();
        throw ConversionError(
            QStringLiteral("The field ROUNDS of the competition %1 is empty: \"\" is not a valid "
                           "whole number.")
                .arg(c.asInt(QStringLiteral("LFN"))));
    }
    CompetitionCopy& k = session.competition();
    k.ROUNDS = int(c.asInt(QStringLiteral("ROUNDS")));
    session.setNameLines(c.asString(QStringLiteral("BEZEICHNUNG1")),
                         c.asString(QStringLiteral("BEZEICHNUNG2")),
                         c.asString(QStringLiteral("MODE")));

    for (int i = 1; i <= 8; ++i)
        k.SAR[size_t(i - 1)] = c.asString(numbered("SAR", i));
    k.Rundendauer = int(c.asInt(QStringLiteral("Rundendauer")));
    k.RICHTER = c.asString(QStringLiteral("RICHTER"));
    const char* dates[] = {"DATUM1", "DATUM2", "DATUM3", "Datum4"};
    for (int i = 0; i < 4; ++i)
        k.DATUM[size_t(i)] = c.asDate(QString::fromLatin1(dates[i]));
    for (int i = 1; i <= 4; ++i)
        k.Zeit[size_t(i - 1)] = c.asTime(numbered("Zeit", i));
    for (int i = 1; i <= 4; ++i)
        k.ROUNDSDAY[size_t(i - 1)] = int(c.asInt(numbered("ROUNDSDAY", i)));
    k.WETTER = c.asString(QStringLiteral("WETTER"));
    for (int i = 1; i <= 6; ++i)
        k.klasse[size_t(i - 1)] = c.asString(numbered("klasse", i));
    for (int i = 1; i <= 6; ++i)
        k.ng[size_t(i - 1)] = c.asFloat(numbered("ng", i));
    k.ISSPORTING = c.asBool(QStringLiteral("ISSPORTING"));
    k.ISISSF = c.asBool(QStringLiteral("ISISSF"));
    k.REPLAY = c.asBool(QStringLiteral("REPLAY"));
    for (int i = 1; i <= 8; ++i)
        k.R[size_t(i - 1)] = c.asString(numbered("R", i));
    k.REDO = c.asBool(QStringLiteral("REDO"));
    k.Nenngeld = c.asFloat(QStringLiteral("Nenngeld"));
    k.Nenngeldmanschaft = c.asFloat(QStringLiteral("Nenngeldmanschaft"));
    k.JURY = c.asString(QStringLiteral("JURY"));

    c.post();
    session.announceCompetition();
    return true;
}

} // namespace tallyvex
