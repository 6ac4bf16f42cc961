#include "data/errors.h"
#include "data/filter.h"
#include "data/values.h"
#include "test_db.h"

using namespace tallyvex;
using tallyvex::test::TempDb;

namespace {

class FilterTest : public TempDb {
protected:
    void SetUp() override {
        TempDb::SetUp();
        entries = std::make_unique<Cursor>(*db, QStringLiteral("C_COMPDATA"));
        entries->open();
        // Competitions 1, 2, 12 and 120; in 12 one entry in team 3, one with MANSCHAFT empty.
        add(*entries, {{"INOREF", 1}, {"NACHNAME", "Eins"}});
        add(*entries, {{"INOREF", 2}, {"NACHNAME", "Zwei"}});
        add(*entries, {{"INOREF", 120}, {"NACHNAME", "Hundertzwanzig"}});
        add(*entries, {{"INOREF", 12}, {"NACHNAME", "Team"}, {"MANSCHAFT", 3}, {"ROTTE", 4}});
        add(*entries, {{"INOREF", 12}, {"NACHNAME", "Solo"}, {"ROTTE", 4}, {"F1", true}});
        add(*entries, {{"INOREF", 12}, {"NACHNAME", "O'Brien"}, {"Klasse", "Jun'ioren"}});
        add(*entries, {{"INOREF", 12}, {"NACHNAME", "Junioren"}, {"Klasse", "Jun"}});
        entries->setIndexName(QStringLiteral("I_N"));
    }

    QStringList namesWith(const QString& filterText) {
        entries->setFilterText(filterText);
        entries->setFiltered(true);
        return column(*entries, "NACHNAME");
    }

    std::unique_ptr<Cursor> entries;
};

} // namespace

TEST_F(FilterTest, TheFormsTheWindowsWriteSelectByValue) {
    const QStringList ofTwelve{QStringLiteral("Junioren"), QStringLiteral("O'Brien"),
                               QStringLiteral("Solo"), QStringLiteral("Team")};
    struct Case {
        QString filter;
        QStringList names;
    } cases[] = {
        {QStringLiteral("INOREF='12'"), ofTwelve},
        {QStringLiteral("INOREF ='12'"), ofTwelve},
        {QStringLiteral("inoref ='12'"), ofTwelve},
        {QStringLiteral("INOREF='12' and Manschaft <'1'"),
         {QStringLiteral("Junioren"), QStringLiteral("O'Brien"), QStringLiteral("Solo")}},
        {QStringLiteral("INOREF='12' and Rotte ='4'"),
         {QStringLiteral("Solo"), QStringLiteral("Team")}},
        {QStringLiteral("INOREF='12' and F1 ='true'"), {QStringLiteral("Solo")}},
        {QStringLiteral("INOREF='1' or INOREF='2'"),
         {QStringLiteral("Eins"), QStringLiteral("Zwei")}},
        {QStringLiteral("Klasse = 'Jun''ioren'"), {QStringLiteral("O'Brien")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.filter.toStdString());
        EXPECT_EQ(namesWith(c.filter), c.names);
    }
}

TEST_F(FilterTest, UserTextWithAQuoteNeitherBreaksNorWidens) {
    const Filter f = competitionFilter(12) &&
                     Filter::equals(QStringLiteral("Klasse"), QStringLiteral("Jun'ioren"));
    entries->setFilter(f);
    entries->setFiltered(true);
    EXPECT_EQ(column(*entries, "NACHNAME"), QStringList{QStringLiteral("O'Brien")});
    EXPECT_EQ(f.toText(), QStringLiteral("INOREF = '12' and Klasse = 'Jun''ioren'"));

    // The text form read back, extended the way printouts do, keeps selecting the same row.
    entries->setFilterText(entries->filterText() + QStringLiteral(" and Rotte <'1'"));
    EXPECT_EQ(column(*entries, "NACHNAME"), QStringList{QStringLiteral("O'Brien")});

    // A value that tries to close the quote and add a condition matches nothing.
    entries->setFilter(Filter::equals(QStringLiteral("Klasse"), QStringLiteral("x' or '1'='1")));
    EXPECT_TRUE(column(*entries, "NACHNAME").isEmpty());
}

TEST_F(FilterTest, FilterOffShowsEverythingAndClearKeepsItOff) {
    namesWith(QStringLiteral("INOREF='12'"));
    entries->setFiltered(false);
    EXPECT_EQ(entries->recordCount(), 7);
    entries->setFiltered(true);
    EXPECT_EQ(entries->recordCount(), 4);
    entries->clearFilter();
    EXPECT_EQ(entries->recordCount(), 7);
}

TEST_F(FilterTest, BadFiltersRaiseClearErrors) {
    EXPECT_THROW(namesWith(QStringLiteral("INOREF='12")), ConversionError);
    EXPECT_THROW(namesWith(QStringLiteral("NOSUCHFIELD='1'")), StorageError);
    EXPECT_THROW(namesWith(QStringLiteral("INOREF='zwölf'")), ConversionError);
}

TEST_F(FilterTest, ClubFiltersIgnoreCaseAndSlotsFilterByDate) {
    Cursor clubs(*db, QStringLiteral("C_Vereine"));
    clubs.setFilterIgnoresCase(true);
    clubs.open();
    add(clubs, {{"Vereinsname", "SV Grünwald"}});
    add(clubs, {{"Vereinsname", "Jagdclub Nord"}});
    clubs.setFilterText(QStringLiteral("Vereinsname = 'sv grünwald'"));
    clubs.setFiltered(true);
    EXPECT_EQ(clubs.recordCount(), 1);

    Cursor slots(*db, QStringLiteral("C_SQUADTIMING"));
    slots.open();
    add(slots, {{"WETTKAMPF", 3}, {"DATUM", QDate(2007, 5, 24)}, {"BEGINN", "09:00"}});
    add(slots, {{"WETTKAMPF", 3}, {"DATUM", QDate(2007, 5, 25)}, {"BEGINN", "09:00"}});
    add(slots, {{"WETTKAMPF", 30}, {"DATUM", QDate(2007, 5, 24)}, {"BEGINN", "09:00"}});
    slots.setFilterText(QStringLiteral("Datum ='24.05.2007' and Wettkampf='3'"));
    slots.setFiltered(true);
    EXPECT_EQ(slots.recordCount(), 1);
    EXPECT_EQ(slots.asDate(QStringLiteral("DATUM")), QDate(2007, 5, 24));
}
