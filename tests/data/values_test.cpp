#include "data/errors.h"
#include "data/schema.h"
#include "data/values.h"

#include <gtest/gtest.h>

using namespace tallyvex;

namespace {
const FieldDef& field(const char* table, const char* name) {
    return *tableDef(QString::fromLatin1(table)).field(QString::fromLatin1(name));
}
} // namespace

TEST(StoredValue, ConvertsWhatPeopleType) {
    struct Case {
        const char* table;
        const char* field;
        QVariant input;
        QVariant expected;
    } cases[] = {
        {"C_COMPDATA", "ROTTE", QStringLiteral(" 12 "), qint64(12)},
        {"C_COMPDATA", "ROTTE", QStringLiteral("12,0"), qint64(12)},
        {"C_COMPDATA", "NG", QStringLiteral("1.234,50"), 1234.5},
        {"C_COMPDATA", "NG", QStringLiteral("12.5"), 12.5},
        {"C_COMPDATA", "NG", QStringLiteral("12,5"), 12.5},
        {"C_COMPDATA", "S1", QStringLiteral("true"), qint64(1)},
        {"C_COMPDATA", "S1", false, qint64(0)},
        {"C_COMPETE", "DATUM1", QStringLiteral("24.05.07"), dateToDays(QDate(2007, 5, 24))},
        {"C_COMPETE", "DATUM1", QStringLiteral("1.2.2026"), dateToDays(QDate(2026, 2, 1))},
        {"C_COMPETE", "Zeit1", QStringLiteral("09:30"), 9.5 / 24},
        {"C_COMPDATA", "ROTTE", QStringLiteral(""), QVariant()},
        {"C_COMPDATA", "NACHNAME", QStringLiteral(""), QVariant()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input.toString().toStdString());
        const QVariant v = toStoredValue(field(c.table, c.field), c.input);
        EXPECT_EQ(v.isNull(), c.expected.isNull());
        if (!c.expected.isNull()) {
            if (c.expected.typeId() == QMetaType::Double)
                EXPECT_NEAR(v.toDouble(), c.expected.toDouble(), 1e-9);
            else
                EXPECT_EQ(v, c.expected);
        }
    }
    EXPECT_EQ(toStoredValue(field("C_COMPETE", "DATUM1"), QStringLiteral(".")).toDouble(),
              dateToDays(QDate::currentDate()));
}

TEST(StoredValue, CutsTextsToTheFieldWidth) {
    const QString longName = QStringLiteral("Müller-Lüdenscheidt von Österreich-Ungarn");
    const QVariant v = toStoredValue(field("C_COMPDATA", "NACHNAME"), longName);
    EXPECT_EQ(v.toString(), longName.left(25));
    EXPECT_EQ(toStoredValue(field("C_COMPDATA", "LLANDK"), QStringLiteral("GERMANY")).toString(),
              QStringLiteral("GERM"));
}

TEST(StoredValue, RefusesWhatIsNoNumberNamingFieldAndValue) {
    try {
        toStoredValue(field("C_COMPDATA", "ROTTE"), QStringLiteral("zwölf"));
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("zwölf")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("ROTTE")));
    }
    EXPECT_THROW(toStoredValue(field("C_COMPDATA", "ROTTE"), QStringLiteral("12,5")),
                 ConversionError);
    EXPECT_THROW(toStoredValue(field("C_COMPETE", "DATUM1"), QStringLiteral("31.02.2026")),
                 ConversionError);
    EXPECT_THROW(toStoredValue(field("C_COMPETE", "ROUNDS"), QStringLiteral("40000")), RangeError);
}

TEST(StoredValue, RangeMessageNamesFieldValueAndLimits) {
    const FieldDef& f = field("C_COMPETE", "ROUNDSDAY1");
    try {
        checkRange(f, qint64(11));
        FAIL() << "no error";
    } catch (const RangeError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("11 is not a valid value for field 'ROUNDSDAY1'. The "
                                              "allowed range is 0 to 10."));
    }
    EXPECT_NO_THROW(checkRange(f, qint64(10)));
    EXPECT_NO_THROW(checkRange(f, QVariant()));
}

TEST(DisplayText, FormatsByTheFieldsFormat) {
    EXPECT_EQ(displayText(field("C_COMPETE", "ng1"), 1234.5), QStringLiteral("1.234,50"));
    EXPECT_EQ(displayText(field("C_COMPDATA", "NG"), 25.0), QStringLiteral("25,00 €"));
    EXPECT_EQ(displayText(field("C_COMPETE", "DATUM1"), dateToDays(QDate(2026, 12, 11))),
              QStringLiteral("11.12.2026"));
    EXPECT_EQ(displayText(field("C_COMPETE", "Zeit1"), 9.5 / 24), QStringLiteral("09:30"));
    EXPECT_EQ(displayText(field("C_COMPDATA", "F1"), qint64(1)), QStringLiteral("Y"));
    EXPECT_EQ(displayText(field("C_COMPDATA", "F1"), QVariant(), QStringLiteral("*;-")),
              QStringLiteral("-"));
    EXPECT_EQ(displayText(field("C_COMPDATA", "ROTTE"), QVariant()), QString());
}
