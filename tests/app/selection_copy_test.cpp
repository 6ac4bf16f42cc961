#include "app/selection_copy.h"

#include "app_fixture.h"
#include "data/errors.h"
#include "data/values.h"

#include <QSignalSpy>

namespace tallyvex::test {
namespace {

using SelectionCopyTest = SessionTest;

TEST_F(SelectionCopyTest, CopiesTheCurrentCompetition) {
    Cursor& c = tdm().T_COMPETITION();
    addCompetition(c, {{"BEZEICHNUNG1", "Other"}, {"ROUNDS", 2}});
    addCompetition(c, {{"BEZEICHNUNG1", "Grand Prix"},
                       {"BEZEICHNUNG2", "Kreismeisterschaft"},
                       {"MODE", "Trap"},
                       {"ROUNDS", 5},
                       {"SAR1", "123456"},
                       {"SAR8", "654321"},
                       {"Rundendauer", 45},
                       {"RICHTER", "H. Maier"},
                       {"DATUM1", QDate(2024, 5, 18)},
                       {"Datum4", QDate(2024, 5, 21)},
                       {"Zeit1", QDateTime(QDate(2024, 5, 18), QTime(8, 30))},
                       {"Zeit4", QTime(9, 15)},
                       {"ROUNDSDAY1", 3},
                       {"ROUNDSDAY4", 2},
                       {"WETTER", "sonnig"},
                       {"klasse1", "Herren"},
                       {"klasse6", "Jugend"},
                       {"ng1", 35.5},
                       {"ng6", 12.0},
                       {"ISSPORTING", true},
                       {"REPLAY", true},
                       {"R1", "Runde A"},
                       {"R8", "Finale"},
                       {"REDO", true},
                       {"Nenngeld", 40.0},
                       {"Nenngeldmanschaft", 90.0},
                       {"JURY", "Jury"}});
    const qint64 key = c.asInt(QStringLiteral("LFN"));
    QSignalSpy changed(session.get(), &Session::competitionChanged);

    ASSERT_TRUE(selectionCopy(c, *session));
    const CompetitionCopy& k = session->competition();
    EXPECT_EQ(session->competitionKey(), double(key));
    EXPECT_EQ(session->competitionFilter(), QStringLiteral("INOREF='%1'").arg(key));
    EXPECT_EQ(session->name1(), QStringLiteral("Grand Prix"));
    EXPECT_EQ(session->name2(), QStringLiteral("Kreismeisterschaft"));
    EXPECT_EQ(session->mode(), QStringLiteral("Trap"));
    EXPECT_EQ(k.ROUNDS, 5);
    EXPECT_EQ(k.SAR[0], QStringLiteral("123456"));
    EXPECT_EQ(k.SAR[7], QStringLiteral("654321"));
    EXPECT_EQ(k.Rundendauer, 45);
    EXPECT_EQ(k.RICHTER, QStringLiteral("H. Maier"));
    EXPECT_EQ(k.DATUM[0], QDate(2024, 5, 18));
    EXPECT_EQ(k.DATUM[3], QDate(2024, 5, 21));
    EXPECT_EQ(k.DATUM[1], dayZero()); // not set
    EXPECT_EQ(k.Zeit[0], QTime(8, 30));
    EXPECT_EQ(k.Zeit[3], QTime(9, 15));
    EXPECT_EQ(k.ROUNDSDAY[0], 3);
    EXPECT_EQ(k.ROUNDSDAY[3], 2);
    EXPECT_EQ(k.WETTER, QStringLiteral("sonnig"));
    EXPECT_EQ(k.klasse[0], QStringLiteral("Herren"));
    EXPECT_EQ(k.klasse[5], QStringLiteral("Jugend"));
    EXPECT_DOUBLE_EQ(k.ng[0], 35.5);
    EXPECT_DOUBLE_EQ(k.ng[5], 12.0);
    EXPECT_TRUE(k.ISSPORTING);
    EXPECT_FALSE(k.ISISSF);
    EXPECT_TRUE(k.REPLAY);
    EXPECT_EQ(k.R[0], QStringLiteral("Runde A"));
    EXPECT_EQ(k.R[7], QStringLiteral("Finale"));
    EXPECT_TRUE(k.REDO);
    EXPECT_DOUBLE_EQ(k.Nenngeld, 40.0);
    EXPECT_DOUBLE_EQ(k.Nenngeldmanschaft, 90.0);
    EXPECT_EQ(k.JURY, QStringLiteral("Jury"));
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(SelectionCopyTest, StoresAPendingEditFirst) {
    Cursor& c = tdm().T_COMPETITION();
    addCompetition(c, {{"BEZEICHNUNG1", "Alt"}, {"ROUNDS", 4}});
    c.edit();
    c.setValue(QStringLiteral("BEZEICHNUNG1"), QStringLiteral("Neu"));
    c.setValue(QStringLiteral("ROUNDS"), 6);
    ASSERT_TRUE(selectionCopy(c, *session));
    EXPECT_EQ(c.state(), Cursor::State::Browse);
    EXPECT_EQ(session->name1(), QStringLiteral("Neu"));
    EXPECT_EQ(session->competition().ROUNDS, 6);
    c.refresh();
    EXPECT_EQ(c.asString(QStringLiteral("BEZEICHNUNG1")), QStringLiteral("Neu"));
}

TEST_F(SelectionCopyTest, EmptyRoundsFailsAfterTheKeyWasTaken) {
    Cursor& c = tdm().T_COMPETITION();
    addCompetition(c, {{"BEZEICHNUNG1", "Erster"}, {"ROUNDS", 3}, {"klasse1", "Damen"}});
    ASSERT_TRUE(selectionCopy(c, *session));
    addCompetition(c, {{"BEZEICHNUNG1", "Ohne Runden"}, {"klasse1", "Herren"}});
    const qint64 key = c.asInt(QStringLiteral("LFN"));

    try {
        selectionCopy(c, *session);
        FAIL() << "no ConversionError";
    } catch (const ConversionError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("ROUNDS"))) << e.message().toStdString();
    }
    EXPECT_EQ(session->competitionKey(), double(key));
    // Everything after the key keeps the earlier values.
    EXPECT_EQ(session->competition().ROUNDS, 3);
    EXPECT_EQ(session->name1(), QStringLiteral("Erster"));
    EXPECT_EQ(session->competition().klasse[0], QStringLiteral("Damen"));
}

TEST_F(SelectionCopyTest, NoCurrentRowChangesNothing) {
    Cursor& c = tdm().T_COMPETITION();
    c.open();
    EXPECT_FALSE(selectionCopy(c, *session));
    EXPECT_FALSE(session->hasCompetition());
}

} // namespace
} // namespace tallyvex::test
