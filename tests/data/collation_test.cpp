#include "data/collation.h"
#include "data/database.h"

#include <QTemporaryDir>

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tallyvex;

TEST(IgnoringCase, SortsUmlautsBesideTheirBaseLetterAndIgnoresCase) {
    QStringList names{QStringLiteral("Zander"), QStringLiteral("Öhler"),  QStringLiteral("Ober"),
                      QStringLiteral("Abel"),   QStringLiteral("ärger"),  QStringLiteral("Bauer"),
                      QStringLiteral("Strauß"), QStringLiteral("Straub"), QStringLiteral("Muller"),
                      QStringLiteral("Müller")};
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return compareIgnoringCase(a, b) < 0;
    });
    const QStringList expected{QStringLiteral("Abel"),   QStringLiteral("ärger"),
                               QStringLiteral("Bauer"),  QStringLiteral("Muller"),
                               QStringLiteral("Müller"), QStringLiteral("Ober"),
                               QStringLiteral("Öhler"),  QStringLiteral("Straub"),
                               QStringLiteral("Strauß"), QStringLiteral("Zander")};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(compareIgnoringCase(u"MÜLLER", u"müller"), 0);
    EXPECT_EQ(compareIgnoringCase(u"de Vries", u"De Vries"), 0);
    EXPECT_LT(compareIgnoringCase(u"", u"a"), 0);
}

TEST(IgnoringCase, TheStoredSortKeyMatchesTheComparison) {
    QTemporaryDir dir;
    auto db = Database::open(dir.filePath(QStringLiteral("k.db")));
    const QStringList texts{QStringLiteral("Hans-Peter"), QStringLiteral("HANS-PETER"),
                            QStringLiteral("Jürgen"), QStringLiteral(""),
                            QStringLiteral("O'Neill 2")};
    for (const QString& t : texts)
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT tvkey(?)"), {t}).toByteArray(), sortKey(t))
            << t.toStdString();
    EXPECT_EQ(sortKey(u"Hans-Peter"), sortKey(u"hans-peter"));
}
