#include "data/collation.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tallyvex;

TEST(IgnoringCase, SortsUmlautsBesideTheirBaseLetterAndIgnoresCase) {
    QStringList names{QStringLiteral("Zander"), QStringLiteral("Öhler"), QStringLiteral("Ober"),
                      QStringLiteral("Abel"),   QStringLiteral("ärger"), QStringLiteral("Bauer"),
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
