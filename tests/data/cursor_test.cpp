#include "data/errors.h"
#include "data/sql_text.h"
#include "data/values.h"
#include "test_db.h"

#include <QRandomGenerator>
#include <QSignalSpy>

using namespace tallyvex;
using tallyvex::test::TempDb;

using CursorTest = TempDb;

TEST_F(CursorTest, EveryTableIsCreatedWithItsFieldsInOrder) {
    for (const auto& t : schemaTables()) {
        SCOPED_TRACE(t.name.toStdString());
        Statement& st =
            db->prepare(QStringLiteral("PRAGMA table_info(%1)").arg(sql::ident(t.name)));
        QStringList names;
        while (st.step())
            names << st.column(1).toString();
        QStringList expected;
        for (const auto& f : t.fields)
            expected << f.name;
        EXPECT_EQ(names, expected);
    }
    EXPECT_EQ(tableDef(QStringLiteral("C_COL")).fields[3].name, QStringLiteral("A01COL"));
    EXPECT_EQ(tableDef(QStringLiteral("C_COL")).fields.back().name, QStringLiteral("A12SQ"));
}

TEST_F(CursorTest, EmptyValuesReadAsZeroEmptyFalseAndDayZero) {
    Cursor c(*db, QStringLiteral("C_COMPETE"));
    c.open();
    add(c, {});
    EXPECT_TRUE(c.isNull(QStringLiteral("ROUNDS")));
    EXPECT_EQ(c.asInt(QStringLiteral("ROUNDS")), 0);
    EXPECT_EQ(c.asFloat(QStringLiteral("Nenngeld")), 0.0);
    EXPECT_EQ(c.asString(QStringLiteral("MODE")), QString());
    EXPECT_FALSE(c.asBool(QStringLiteral("REDO")));
    EXPECT_EQ(c.asDate(QStringLiteral("DATUM1")).year(), 1899);
    EXPECT_EQ(c.asDateTime(QStringLiteral("Zeit1")), QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
}

TEST_F(CursorTest, OrderNamesIgnoreCaseAndUnknownOnesAreRefused) {
    Cursor c(*db, QStringLiteral("C_SHOOTERS"));
    c.open();
    for (const char* n : {"Zorn", "ärmel", "Adler", "müller", "Maier", "Öztürk", "Ober"})
        add(c, {{"Nachname", n}});
    c.setIndexName(QStringLiteral("I_Nachname"));
    const QStringList a = column(c, "Nachname");
    c.setIndexName(QStringLiteral("I_NACHNAME"));
    EXPECT_EQ(column(c, "Nachname"), a);
    EXPECT_EQ(a, (QStringList{"Adler", "ärmel", "Maier", "müller", "Ober", "Öztürk", "Zorn"}));
    EXPECT_EQ(c.indexName(), QStringLiteral("I_Nachname"));
    EXPECT_THROW(c.setIndexName(QStringLiteral("I_NOPE")), StorageError);
    c.setIndexName(QString());
    EXPECT_EQ(column(c, "Nachname").first(), QStringLiteral("Zorn")); // natural order
}

TEST_F(CursorTest, EqualTotalsAreDecidedByTheLaterRounds) {
    Cursor c(*db, QStringLiteral("C_COMPDATA"));
    c.open();
    // Same TOTAL 70; B has more hits in R3, A beats C in R2 with R3 equal.
    add(c, {{"NACHNAME", "A"}, {"TOTAL", 70}, {"R1", 25}, {"R2", 23}, {"R3", 22}});
    add(c, {{"NACHNAME", "B"}, {"TOTAL", 70}, {"R1", 23}, {"R2", 23}, {"R3", 24}});
    add(c, {{"NACHNAME", "C"}, {"TOTAL", 70}, {"R1", 26}, {"R2", 22}, {"R3", 22}});
    add(c, {{"NACHNAME", "D"}, {"TOTAL", 71}});
    add(c, {{"NACHNAME", "E"}}); // no results yet: counts as 0
    add(c, {{"NACHNAME", "F"}, {"TOTAL", 0}});
    c.setIndexName(QStringLiteral("I_TOTAL"));
    EXPECT_EQ(column(c, "NACHNAME"), (QStringList{"D", "B", "A", "C", "E", "F"}));
    c.setIndexName(QStringLiteral("kugel"));
    EXPECT_EQ(column(c, "NACHNAME"), (QStringList{"D", "E", "F", "B", "A", "C"}));
}

TEST_F(CursorTest, KeysAreNeverHandedOutTwiceButEmptyingRestartsAtOne) {
    Cursor comps(*db, QStringLiteral("C_COMPETE"));
    comps.open();
    for (int i = 0; i < 3; ++i)
        add(comps, {{"MODE", i}});
    comps.last();
    EXPECT_EQ(comps.asInt(QStringLiteral("LFN")), 3);
    comps.remove();
    add(comps, {{"MODE", "new"}});
    EXPECT_EQ(comps.asInt(QStringLiteral("LFN")), 4);

    Cursor stats(*db, QStringLiteral("c_stat"));
    stats.open();
    add(stats, {{"KLASSE", "Herren"}});
    add(stats, {{"KLASSE", "Damen"}});
    stats.close();
    stats.emptyTable();
    stats.open();
    EXPECT_TRUE(stats.isEmpty());
    add(stats, {{"KLASSE", "Junioren"}});
    EXPECT_EQ(stats.asInt(QStringLiteral("LFN")), 1);
}

TEST_F(CursorTest, RangesRefuseTheValueAndKeepTheEditOpen) {
    Cursor comps(*db, QStringLiteral("C_COMPETE"));
    comps.open();
    comps.append();
    comps.setValue(QStringLiteral("ROUNDSDAY1"), 3);
    EXPECT_THROW(comps.setValue(QStringLiteral("ROUNDSDAY1"), 11), RangeError);
    EXPECT_EQ(comps.state(), Cursor::State::Insert);
    EXPECT_EQ(comps.asInt(QStringLiteral("ROUNDSDAY1")), 3);
    comps.setValue(QStringLiteral("ROUNDSDAY4"), 11);
    comps.post();
    EXPECT_EQ(comps.asInt(QStringLiteral("ROUNDSDAY4")), 11);

    // The squad range holds on the shared entry cursor only.
    TDM dm(Database::open(dir.filePath(QStringLiteral("other.db"))));
    Cursor& shared = dm.T_CD();
    shared.open();
    shared.append();
    EXPECT_THROW(shared.setValue(QStringLiteral("ROTTE"), 10000), RangeError);
    shared.setValue(QStringLiteral("ROTTE"), 9999);
    shared.post();
    auto t44 = dm.privateCursor(QStringLiteral("C_COMPDATA"), QStringLiteral("t44"));
    t44->open();
    t44->edit();
    t44->setValue(QStringLiteral("ROTTE"), 10000);
    t44->post();
    EXPECT_EQ(t44->asInt(QStringLiteral("ROTTE")), 10000);
}

TEST_F(CursorTest, EditingCutsTextsCancelsAndPostsOnlyWhenAsked) {
    Cursor c(*db, QStringLiteral("C_COMPDATA"));
    c.open();
    c.post(); // nothing being edited: nothing happens
    EXPECT_TRUE(c.isEmpty());
    add(c, {{"NACHNAME", QStringLiteral("Ein sehr langer Nachname mit Überlänge")}});
    EXPECT_EQ(c.asString(QStringLiteral("NACHNAME")).size(), 25);
    c.edit();
    c.setValue(QStringLiteral("NACHNAME"), QStringLiteral("Anders"));
    c.cancel();
    c.refresh();
    EXPECT_TRUE(c.asString(QStringLiteral("NACHNAME")).startsWith(QStringLiteral("Ein sehr")));
    EXPECT_THROW(c.setValue(QStringLiteral("NACHNAME"), QStringLiteral("x")), StorageError);
    EXPECT_THROW(c.value(QStringLiteral("NOFIELD")), StorageError);
}

TEST_F(CursorTest, LocateIsExactAndFindNearestUsesTheFirstKey) {
    Cursor c(*db, QStringLiteral("C_SHOOTERS"));
    c.open();
    for (const char* n : {"Meyer", "meier", "Mayer", "Schulz", "Abt"})
        add(c, {{"Nachname", n}, {"WK_VERBANDSNUMMER", n}});
    c.setIndexName(QStringLiteral("I_Nachname"));

    EXPECT_TRUE(c.locate(QStringLiteral("Nachname"), QStringLiteral("meier")));
    EXPECT_EQ(c.asString(QStringLiteral("Nachname")), QStringLiteral("meier"));
    EXPECT_EQ(c.recNo(), 2);
    EXPECT_FALSE(c.locate(QStringLiteral("Nachname"), QStringLiteral("MEIER")));
    EXPECT_EQ(c.asString(QStringLiteral("Nachname")), QStringLiteral("meier")); // no move
    EXPECT_TRUE(c.locate(QStringLiteral("Autoincrease"), QStringLiteral("4")));
    EXPECT_EQ(c.asString(QStringLiteral("Nachname")), QStringLiteral("Schulz"));
    EXPECT_FALSE(c.locate(QStringLiteral("Autoincrease"), QStringLiteral("vier")));

    EXPECT_TRUE(c.findNearest(QStringLiteral("ME")));
    EXPECT_EQ(c.asString(QStringLiteral("Nachname")), QStringLiteral("meier"));
    EXPECT_TRUE(c.findNearest(QString()));
    EXPECT_EQ(c.recNo(), 0);
    EXPECT_FALSE(c.findNearest(QStringLiteral("Zz")));
    EXPECT_EQ(c.asString(QStringLiteral("Nachname")), QStringLiteral("Schulz"));
}

TEST_F(CursorTest, WalksFindEveryRowInOrderAcrossChunksAndJumps) {
    Cursor c(*db, QStringLiteral("C_COMPDATA"));
    c.open();
    const int n = 3000;
    QVector<int> numbers;
    {
        Transaction tx(*db);
        auto* rng = QRandomGenerator::global();
        for (int i = 0; i < n; ++i) {
            const int number = int(rng->bounded(500)); // many ties
            numbers << number;
            add(c, {{"INOREF", 12}, {"NUMBER", number}});
        }
        add(c, {{"INOREF", 13}, {"NUMBER", 0}});
        tx.commit();
    }
    // Expected: by NUMBER, ties in stored order (row id).
    QVector<QPair<int, int>> expected;
    for (int i = 0; i < n; ++i)
        expected << qMakePair(numbers[i], i + 1);
    std::stable_sort(expected.begin(), expected.end(),
                     [](auto a, auto b) { return a.first < b.first; });

    c.setFilter(competitionFilter(12));
    c.setFiltered(true);
    c.setIndexName(QStringLiteral("I_NN"));
    EXPECT_EQ(c.recordCount(), n);
    int i = 0;
    for (c.first(); !c.eof(); c.next(), ++i)
        ASSERT_EQ(c.asInt(QStringLiteral("AUTOINCREASE")), expected[i].second) << i;
    EXPECT_EQ(i, n);
    i = n - 1;
    for (c.last(); !c.bof(); c.prior(), --i)
        ASSERT_EQ(c.asInt(QStringLiteral("AUTOINCREASE")), expected[i].second) << i;
    EXPECT_EQ(i, -1);
    for (int row : {2500, 17, 1999, 2999, 0, 1500}) {
        ASSERT_TRUE(c.moveTo(row));
        EXPECT_EQ(c.asInt(QStringLiteral("AUTOINCREASE")), expected[row].second);
        c.prior();
        if (row > 0) {
            EXPECT_EQ(c.asInt(QStringLiteral("AUTOINCREASE")), expected[row - 1].second);
        }
        EXPECT_EQ(c.valueAt(row, 0).toInt(), expected[row].second);
    }
    EXPECT_FALSE(c.moveTo(n));
}

TEST_F(CursorTest, ChangingTheOrderKeyOfTheCurrentRowMovesItThere) {
    Cursor c(*db, QStringLiteral("C_COMPDATA"));
    c.open();
    for (const char* n : {"Adam", "Berg", "Conrad"})
        add(c, {{"NACHNAME", n}, {"INOREF", 1}});
    c.setIndexName(QStringLiteral("I_N"));
    c.first();
    c.edit();
    c.setValue(QStringLiteral("NACHNAME"), QStringLiteral("Zeller"));
    c.post();
    EXPECT_EQ(c.recNo(), 2);
    EXPECT_EQ(c.asString(QStringLiteral("NACHNAME")), QStringLiteral("Zeller"));
    // A filtered-out row leaves the view; the cursor stays near its place.
    c.setFilter(competitionFilter(1));
    c.setFiltered(true);
    c.first();
    c.edit();
    c.setValue(QStringLiteral("INOREF"), 2);
    c.post();
    EXPECT_EQ(c.recordCount(), 2);
    EXPECT_EQ(c.asString(QStringLiteral("NACHNAME")), QStringLiteral("Conrad"));
}

TEST_F(CursorTest, TwoCursorsSeeEachOthersChangesAfterARefresh) {
    Cursor a(*db, QStringLiteral("C_Classes"));
    Cursor b(*db, QStringLiteral("C_Classes"), QStringLiteral("other"));
    a.open();
    b.open();
    add(a, {{"Klasse", "Herren"}});
    EXPECT_TRUE(b.isEmpty());
    b.refresh();
    EXPECT_EQ(b.asString(QStringLiteral("Klasse")), QStringLiteral("Herren"));
    b.edit(); // reads the stored row afresh
    b.setValue(QStringLiteral("Altervon"), 18);
    b.post();
    a.refresh();
    EXPECT_EQ(a.asInt(QStringLiteral("Altervon")), 18);
}

TEST_F(CursorTest, MemberRowsFollowTheCurrentTeamAndCarryItsKey) {
    TDM dm(Database::open(dir.filePath(QStringLiteral("teams.db"))));
    Cursor& teams = dm.T_TEAMS();
    Cursor& members = dm.T_TEAM2();
    teams.open();
    members.open();
    for (int i = 1; i <= 7; ++i)
        add(teams, {{"TEAMNAME", QStringLiteral("Team %1").arg(i)}});
    ASSERT_EQ(teams.asInt(QStringLiteral("LFN")), 7);
    add(members, {{"NACHNAME", "Huber"}});
    EXPECT_EQ(members.asInt(QStringLiteral("INOREF")), 7);
    teams.locate(QStringLiteral("LFN"), 3);
    EXPECT_TRUE(members.isEmpty());
    add(members, {{"NACHNAME", "Kurz"}});
    add(members, {{"NACHNAME", "Lang"}});
    teams.locate(QStringLiteral("LFN"), 7);
    EXPECT_EQ(column(members, "NACHNAME"), QStringList{QStringLiteral("Huber")});
    teams.locate(QStringLiteral("LFN"), 3);
    EXPECT_EQ(members.recordCount(), 2);
}

TEST_F(CursorTest, NotificationsWaitWhileControlsAreDisabled) {
    Cursor c(*db, QStringLiteral("C_COMPDATA"));
    c.open();
    QSignalSpy rows(&c, &Cursor::rowsChanged);
    QSignalSpy fields(&c, &Cursor::fieldChanged);
    c.disableControls();
    for (int i = 0; i < 5; ++i)
        add(c, {{"R1", i}});
    EXPECT_EQ(rows.count(), 0);
    EXPECT_EQ(fields.count(), 5); // field handlers are not held back
    c.enableControls();
    EXPECT_EQ(rows.count(), 1);
    EXPECT_EQ(fields.first().first().toString(), QStringLiteral("R1"));
}

TEST_F(CursorTest, ClosedCursorsRefuseToBeRead) {
    Cursor c(*db, QStringLiteral("C_COMPDATA"));
    EXPECT_FALSE(c.isOpen());
    EXPECT_THROW(c.first(), StorageError);
    EXPECT_THROW(c.asInt(QStringLiteral("TOTAL")), StorageError);
}
