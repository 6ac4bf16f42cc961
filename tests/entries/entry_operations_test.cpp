#include "entries/entry_operations.h"
#include "entries_fixture.h"

#include <QDate>

using namespace tallyvex;
using namespace tallyvex::test;

TEST(FeeOfClass, MatchesByNameAndLaterDuplicateWins) {
    const std::array<QString, 6> classes{"Herren", "Damen", "Junioren", "Herren", "", ""};
    const std::array<double, 6> fees{60, 50, 35, 65, 0, 0};
    struct Case {
        const char* cls;
        double fee;
    } cases[] = {
        {"Damen", 50},   // a plain match
        {"Herren", 65},  // given twice: the later amount counts
        {"Senioren", 0}, // not a class of the competition
        {"damen", 0},    // names compare exactly
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(feeOfClass(classes, fees, QString::fromUtf8(c.cls)), c.fee) << c.cls;
}

TEST(EntryOrderForField, TitlesWithoutOrderOnlyRefresh) {
    EXPECT_EQ(entryOrderForField(QStringLiteral("ORT")), QStringLiteral("I_O"));
    EXPECT_EQ(entryOrderForField(QStringLiteral("Klasse")), QStringLiteral("I_KL"));
    EXPECT_EQ(entryOrderForField(QStringLiteral("TOTAL")), QStringLiteral("I_TOTAL"));
    for (const char* f : {"STARTNUMMERNEU", "VBN", "NG"})
        EXPECT_TRUE(entryOrderForField(QLatin1String(f)).isEmpty()) << f;
}

TEST(EntryCountText, BothLanguages) {
    EXPECT_EQ(entryCountText(false, 0), QStringLiteral("Anzahl Schützen:0"));
    EXPECT_EQ(entryCountText(false, 7, true), QStringLiteral("Anzahl Schützen:7"));
    EXPECT_EQ(entryCountText(true, 7), QStringLiteral("Number of shooters:7"));
    EXPECT_EQ(entryCountText(true, 7, true), QStringLiteral("N° of shooters:7"));
}

using Renumbering = EntriesTest;

TEST_F(Renumbering, NumbersTheCurrentCompetitionInTheCurrentOrder) {
    addEntry(competitionA, QStringLiteral("Zeller"), QStringLiteral("Augsburg"));
    addEntry(competitionA, QStringLiteral("Änderl"), QStringLiteral("München"));
    addEntry(competitionA, QStringLiteral("Becker"), QStringLiteral("Köln"));
    const qint64 other = addEntry(competitionB, QStringLiteral("Anders"), QStringLiteral("Bonn"));

    Cursor& cd = preparedEntries();
    EXPECT_EQ(renumberEntries(cd), 3);
    EXPECT_EQ(rows(cd, "NUMBER", "NACHNAME"), (QStringList{"1 Änderl", "2 Becker", "3 Zeller"}));

    cd.setIndexName(QStringLiteral("I_O"));
    EXPECT_EQ(renumberEntries(cd), 3);
    EXPECT_EQ(rows(cd, "NUMBER", "ORT"), (QStringList{"1 Augsburg", "2 Köln", "3 München"}));

    // Numbering by the running number itself keeps the order it numbers.
    cd.setIndexName(QStringLiteral("I_NN"));
    EXPECT_EQ(renumberEntries(cd), 3);
    EXPECT_EQ(rows(cd, "NUMBER", "ORT"), (QStringList{"1 Augsburg", "2 Köln", "3 München"}));

    auto probe = tdm().privateCursor(QStringLiteral("C_COMPDATA"), QStringLiteral("probe"));
    probe->open();
    ASSERT_TRUE(probe->locate(QStringLiteral("AUTOINCREASE"), other));
    EXPECT_TRUE(probe->isNull(QStringLiteral("NUMBER"))) << "another competition is left alone";
}

TEST_F(Renumbering, StoresAPendingEditFirst) {
    addEntry(competitionA, QStringLiteral("Becker"), QStringLiteral("Köln"));
    Cursor& cd = preparedEntries();
    cd.edit();
    cd.setValue(QStringLiteral("ORT"), QStringLiteral("Würzburg"));
    renumberEntries(cd);
    cd.first();
    EXPECT_EQ(cd.asString(QStringLiteral("ORT")), QStringLiteral("Würzburg"));
    EXPECT_EQ(cd.asInt(QStringLiteral("NUMBER")), 1);
}

using Registration = EntriesTest;

TEST_F(Registration, DuplicateCheckLooksAtOneCompetitionOnly) {
    const qint64 shooter =
        addShooter(QStringLiteral("Müller"), QStringLiteral("Jürgen"), QStringLiteral("München"));
    addEntry(competitionA, QStringLiteral("Müller"), QStringLiteral("München"), shooter);
    EXPECT_TRUE(shooterIsRegistered(tdm().db(), competitionA, double(shooter)));
    EXPECT_FALSE(shooterIsRegistered(tdm().db(), competitionB, double(shooter)));
    EXPECT_FALSE(shooterIsRegistered(tdm().db(), competitionA, double(shooter + 1)));
}

TEST_F(Registration, CopiesTheShooterCutToTheEntryWidths) {
    auto shooters = tdm().privateCursor(QStringLiteral("C_SHOOTERS"), QStringLiteral("s"));
    shooters->open();
    shooters->append();
    shooters->setValue(QStringLiteral("Nachname"), QStringLiteral("Größer"));
    shooters->setValue(QStringLiteral("Vorname"), QStringLiteral("Bärbel"));
    shooters->setValue(QStringLiteral("TITEL"), QStringLiteral("Prof. Dr. Ing."));
    shooters->setValue(QStringLiteral("Land"), QStringLiteral("AUT"));
    shooters->setValue(QStringLiteral("Postleitzahl"), QStringLiteral("8010"));
    shooters->setValue(QStringLiteral("Ort"), QStringLiteral("Graz"));
    shooters->setValue(QStringLiteral("Strasse"), QStringLiteral("Herrengasse 1"));
    shooters->setValue(QStringLiteral("Geburtsdatum"), QDateTime(QDate(1968, 3, 9), QTime(0, 0)));
    shooters->setValue(QStringLiteral("WK_BUNDESLAND"), QStringLiteral("STMK1"));
    shooters->setValue(QStringLiteral("WK_VERBANDSNUMMER"), QStringLiteral("AUT-4711"));
    shooters->post();

    Cursor& cd = preparedEntries();
    const qint64 key = appendEntry(cd, *shooters, competitionA, QStringLiteral("Damen"), 50.0);
    ASSERT_GT(key, 0);
    ASSERT_TRUE(goToEntry(cd, key));
    const std::pair<const char*, const char*> expected[] = {
        {"NACHNAME", "Größer"}, {"VORNAME", "Bärbel"}, {"TITEL", "Prof. Dr. "},  {"LLANDK", "AUT"},
        {"PLZ", "8010"},        {"ORT", "Graz"},       {"GEBDAT", "09.03.1968"}, {"LBK", "STMK"},
        {"VBN", "AUT-4711"},    {"Klasse", "Damen"},   {"VEREIN", ""},           {"LBL", ""},
    };
    for (const auto& [field, value] : expected)
        EXPECT_EQ(cd.asString(QLatin1String(field)), QString::fromUtf8(value)) << field;
    EXPECT_DOUBLE_EQ(cd.asFloat(QStringLiteral("NG")), 50.0);
    EXPECT_DOUBLE_EQ(cd.asFloat(QStringLiteral("INOREF")), competitionA);
    EXPECT_EQ(cd.asInt(QStringLiteral("SHOOTER")), shooters->asInt(QStringLiteral("Autoincrease")));
    for (const char* flag : {"S1", "S2", "F1"}) {
        EXPECT_FALSE(cd.isNull(QLatin1String(flag))) << flag;
        EXPECT_FALSE(cd.asBool(QLatin1String(flag))) << flag;
    }
}

TEST_F(Registration, ShooterWithoutBirthDateGetsAnEmptyOne) {
    addShooter(QStringLiteral("Jäger"), QStringLiteral("Uwe"), QStringLiteral("Lübeck"), QDate());
    auto shooters = tdm().privateCursor(QStringLiteral("C_SHOOTERS"), QStringLiteral("s"));
    shooters->open();
    Cursor& cd = preparedEntries();
    appendEntry(cd, *shooters, competitionA, QString(), 0);
    EXPECT_EQ(cd.asString(QStringLiteral("GEBDAT")), QString());
}

using Deleting = EntriesTest;

TEST_F(Deleting, RemovesTheEntryAndOnlyItsTeamMemberRows) {
    const qint64 gone = addEntry(competitionA, QStringLiteral("Becker"), QStringLiteral("Köln"));
    const qint64 kept = addEntry(competitionA, QStringLiteral("Zeller"), QStringLiteral("Bonn"));
    auto members = tdm().privateCursor(QStringLiteral("C_TEAMS2"), QStringLiteral("m"));
    members->open();
    for (qint64 entry : {gone, kept}) {
        members->append();
        members->setValue(QStringLiteral("INOREF"), 1);
        members->setValue(QStringLiteral("Shooter"), entry);
        members->post();
    }

    Cursor& cd = preparedEntries();
    ASSERT_TRUE(goToEntry(cd, gone));
    EXPECT_TRUE(deleteEntry(cd));
    EXPECT_EQ(rows(cd, "AUTOINCREASE", "NACHNAME"),
              QStringList{QString::number(kept) + QStringLiteral(" Zeller")});
    members->refresh();
    ASSERT_EQ(members->recordCount(), 1);
    members->first();
    EXPECT_EQ(members->asInt(QStringLiteral("Shooter")), kept);
}

TEST_F(Deleting, NothingSelectedDeletesNothing) {
    Cursor& cd = preparedEntries();
    EXPECT_FALSE(deleteEntry(cd));
}
