#pragma once

#include "app/session.h"
#include "data/cursor.h"
#include "data/filter.h"
#include "data/tdm.h"

#include <QDate>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tallyvex::test {

/// A session on a fresh data folder with two competitions (A current, B) and a small shooter
/// database.
class EntriesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        session = std::make_unique<Session>(dir.path());
        session->setDataModule(TDM::open(dir.filePath(QStringLiteral("DBX.db"))));
        competitionA = addCompetition(QStringLiteral("Frühjahrspokal"));
        competitionB = addCompetition(QStringLiteral("Herbstpokal"));
        session->setCompetitionKey(competitionA);
        CompetitionCopy& copy = session->competition();
        copy.klasse = {QStringLiteral("Herren"),
                       QStringLiteral("Damen"),
                       QStringLiteral("Junioren"),
                       QStringLiteral("Herren"),
                       QString(),
                       QString()};
        copy.ng = {60.0, 50.0, 35.0, 65.0, 0.0, 0.0};
    }

    TDM& tdm() { return session->tdm(); }

    double addCompetition(const QString& name) {
        auto c = tdm().privateCursor(QStringLiteral("C_COMPETE"), QStringLiteral("fixture"));
        c->open();
        c->append();
        c->setValue(QStringLiteral("BEZEICHNUNG1"), name);
        c->setValue(QStringLiteral("ROUNDS"), 5);
        c->post();
        return double(c->asInt(QStringLiteral("LFN")));
    }

    qint64 addShooter(const QString& last, const QString& first, const QString& town,
                      const QDate& born = QDate(1970, 5, 17)) {
        auto c = tdm().privateCursor(QStringLiteral("C_SHOOTERS"), QStringLiteral("fixture"));
        c->open();
        c->append();
        c->setValue(QStringLiteral("Nachname"), last);
        c->setValue(QStringLiteral("Vorname"), first);
        c->setValue(QStringLiteral("Ort"), town);
        c->setValue(QStringLiteral("Land"), QStringLiteral("GER"));
        if (born.isValid())
            c->setValue(QStringLiteral("Geburtsdatum"), QDateTime(born, QTime(0, 0)));
        c->post();
        return c->asInt(QStringLiteral("Autoincrease"));
    }

    /// An entry stored directly, as an earlier registration left it.
    qint64 addEntry(double competition, const QString& last, const QString& town,
                    qint64 shooter = 0) {
        auto c = tdm().privateCursor(QStringLiteral("C_COMPDATA"), QStringLiteral("fixture"));
        c->open();
        c->append();
        c->setValue(QStringLiteral("INOREF"), competition);
        c->setValue(QStringLiteral("NACHNAME"), last);
        c->setValue(QStringLiteral("ORT"), town);
        c->setValue(QStringLiteral("SHOOTER"), shooter);
        c->post();
        return c->asInt(QStringLiteral("AUTOINCREASE"));
    }

    /// The shared entry cursor as the main window prepares it for the entry list.
    Cursor& preparedEntries() {
        Cursor& cd = tdm().T_CD();
        if (!cd.isOpen())
            cd.open();
        cd.setFilterText(session->competitionFilter());
        cd.setFiltered(true);
        cd.setIndexName(QStringLiteral("I_N"));
        cd.refresh();
        return cd;
    }

    /// "field=value" of every visible row, in the cursor's order, for one field pair.
    static QStringList rows(Cursor& c, const char* a, const char* b) {
        QStringList out;
        for (c.first(); !c.eof(); c.next())
            out << c.asString(QLatin1String(a)) + QLatin1Char(' ') + c.asString(QLatin1String(b));
        return out;
    }

    QTemporaryDir dir;
    std::unique_ptr<Session> session;
    double competitionA = 0, competitionB = 0;
};

} // namespace tallyvex::test
