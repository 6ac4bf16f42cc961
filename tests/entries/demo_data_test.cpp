#include "data/cursor.h"
#include "data/errors.h"
#include "data/filter.h"
#include "data/tdm.h"
#include "entries/demo_data.h"

#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tallyvex;

namespace {

class DemoDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        tdm = TDM::open(dir.filePath(QStringLiteral("DBX.db")));
    }
    qint64 count(const char* table) {
        return tdm->db()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(QLatin1String(table)))
            .toLongLong();
    }
    QTemporaryDir dir;
    std::unique_ptr<TDM> tdm;
};

TEST_F(DemoDataTest, FillsARealisticCompetition) {
    EXPECT_FALSE(holdsCompetitions(*tdm));
    const DemoSummary s = fillDemoData(*tdm);
    EXPECT_EQ(count("C_Vereine"), 10);
    EXPECT_EQ(count("C_SHOOTERS"), 150);
    EXPECT_EQ(count("C_Classes"), 6);
    EXPECT_EQ(count("C_COMPETE"), 1);
    EXPECT_EQ(s.entries, 60);
    EXPECT_TRUE(holdsCompetitions(*tdm));

    auto comp = tdm->privateCursor(QStringLiteral("C_COMPETE"), QStringLiteral("c"));
    comp->open();
    EXPECT_EQ(comp->asInt(QStringLiteral("ROUNDS")), 5);
    EXPECT_EQ(comp->asInt(QStringLiteral("ROUNDSDAY1")) + comp->asInt(QStringLiteral("ROUNDSDAY2")),
              5);
    EXPECT_EQ(comp->asDate(QStringLiteral("DATUM2")),
              comp->asDate(QStringLiteral("DATUM1")).addDays(1));

    auto entries = tdm->privateCursor(QStringLiteral("C_COMPDATA"), QStringLiteral("e"));
    entries->setFilter(competitionFilter(s.competitionKey));
    entries->setFiltered(true);
    entries->setIndexName(QStringLiteral("I_N"));
    entries->open();
    ASSERT_EQ(entries->recordCount(), 60);
    QSet<QString> classes, nations, shooters;
    bool umlaut = false;
    int number = 0;
    for (entries->first(); !entries->eof(); entries->next()) {
        EXPECT_EQ(entries->asInt(QStringLiteral("NUMBER")), ++number) << "numbered by last name";
        const QString cls = entries->asString(QStringLiteral("Klasse"));
        classes << cls;
        nations << entries->asString(QStringLiteral("LLANDK"));
        shooters << entries->asString(QStringLiteral("SHOOTER"));
        // The fee is the competition's fee of the entry's class.
        for (int k = 1; k <= 6; ++k)
            if (comp->asString(QStringLiteral("klasse%1").arg(k)) == cls) {
                EXPECT_DOUBLE_EQ(entries->asFloat(QStringLiteral("NG")),
                                 comp->asFloat(QStringLiteral("ng%1").arg(k)));
            }
        const QString text = entries->asString(QStringLiteral("NACHNAME")) +
                             entries->asString(QStringLiteral("ORT"));
        umlaut = umlaut || text.contains(QRegularExpression(QStringLiteral("[äöüÄÖÜß]")));
    }
    EXPECT_GE(classes.size(), 3);
    EXPECT_GE(nations.size(), 3);
    EXPECT_EQ(shooters.size(), 60) << "each shooter is registered once";
    EXPECT_TRUE(umlaut);
}

TEST_F(DemoDataTest, RefusesADatabaseWithCompetitionsAndChangesNothing) {
    fillDemoData(*tdm, DemoOptions{2, 20, 10, 7});
    const qint64 shooters = count("C_SHOOTERS");
    EXPECT_THROW(fillDemoData(*tdm), StorageError);
    EXPECT_EQ(count("C_SHOOTERS"), shooters);
    EXPECT_EQ(count("C_COMPETE"), 1);
}

} // namespace
