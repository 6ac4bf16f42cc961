#include "masterdata/address_labels.h"

#include "masterdata_fixture.h"
#include "reports/report_engine.h"
#include "reports/row_source.h"

namespace tallyvex::test {
namespace {

RenderedReport render(AddressList list, RowSource& rows) {
    auto layout = addressLabelLayout(list);
    return renderReport(*layout, &rows, ReportContext{});
}

ListRows numberedShooters(int count) {
    ListRows rows;
    for (int i = 0; i < count; ++i)
        rows.append({{"Nachname", QStringLiteral("Name%1").arg(i, 2, 10, QLatin1Char('0'))},
                     {"Vorname", "V"},
                     {"Strasse", "S"},
                     {"Postleitzahl", "1234"},
                     {"Ort", "Ort"},
                     {"Land", "AUT"}});
    return rows;
}

std::vector<const TextItem*> lastNames(const RenderedPage& page) {
    std::vector<const TextItem*> out;
    for (const TextItem* t : page.all<TextItem>())
        if (t->name == QLatin1String("QRDBText1"))
            out.push_back(t);
    return out;
}

TEST(AddressLabels, TwentyFiveLabelsFillOneSheetDownTheColumnsAndOneMore) {
    ListRows rows = numberedShooters(25);
    const RenderedReport r = render(AddressList::Shooters, rows);
    ASSERT_EQ(r.pages.size(), 2u);
    const auto first = lastNames(r.pages[0]);
    ASSERT_EQ(first.size(), 24u);
    EXPECT_EQ(lastNames(r.pages[1]).size(), 1u);
    EXPECT_EQ(lastNames(r.pages[1])[0]->text, QStringLiteral("Name24"));

    // Label k sits in column k / 8 and row k % 8: 8 mm margin, 60.6 mm labels 6 mm apart,
    // 37 mm high from the top edge of the sheet.
    for (int k : {0, 7, 8, 23}) {
        const TextItem* t = first[k];
        EXPECT_EQ(t->text, QStringLiteral("Name%1").arg(k, 2, 10, QLatin1Char('0')));
        EXPECT_NEAR(t->box.left(), 8.0 + (k / 8) * 66.6 + 0.8, 0.01) << k;
        EXPECT_NEAR(t->box.top(), (k % 8) * 37.0 + 10.3, 0.01) << k;
    }
}

TEST(AddressLabels, LinesOfAShooterAndOfAClub) {
    const QVariantMap shooter{{"Nachname", "Huber"},  {"Vorname", "Eva"},
                              {"Strasse", "Gasse 2"}, {"Postleitzahl", "6020"},
                              {"Ort", "Innsbruck"},   {"Land", "AUT"}};
    const QVariantMap club{{"Vereinsname", "SV Tirol"},
                           {"Ansprechperson", "Max Gruber"},
                           {"Strasse", "Platz 1"},
                           {"Postleitzahl", "6060"},
                           {"Ort", "Hall"},
                           {"Abkuerzung", "TIR"},
                           {"Land", 43}};
    const struct {
        AddressList list;
        QVariantMap row;
        QStringList lines;
    } cases[] = {
        {AddressList::Shooters, shooter, {"Huber", "Eva", "Gasse 2", "6020", "Innsbruck", "AUT"}},
        {AddressList::Clubs, club, {"SV Tirol", "Max Gruber", "Platz 1", "6060", "Hall", "TIR"}},
    };
    const double tops[] = {10.3, 13.5, 16.7, 19.6, 19.6, 22.5};
    for (const auto& c : cases) {
        ListRows rows({c.row});
        const RenderedReport r = render(c.list, rows);
        ASSERT_EQ(r.pages.size(), 1u);
        for (int i = 0; i < 6; ++i) {
            const TextItem* t = r.pages[0].text(QStringLiteral("QRDBText%1").arg(i + 1));
            ASSERT_TRUE(t);
            EXPECT_EQ(t->text, c.lines[i]);
            EXPECT_NEAR(t->box.top(), tops[i], 0.01);
            EXPECT_NEAR(t->box.left(), 8.0 + (i == 4 ? 11.4 : 0.8), 0.01);
            EXPECT_EQ(t->font.family, QStringLiteral("Arial"));
            EXPECT_DOUBLE_EQ(t->font.points, 9.0);
        }
    }
}

TEST(AddressLabels, EmptyListStillPrintsOneEmptySheet) {
    ListRows rows;
    const RenderedReport r = render(AddressList::Clubs, rows);
    ASSERT_EQ(r.pages.size(), 1u);
    EXPECT_TRUE(r.pages[0].texts().isEmpty());
    EXPECT_NEAR(r.paperSize.width(), 210.0, 0.5);
    EXPECT_NEAR(r.paperSize.height(), 297.0, 0.5);
}

} // namespace
} // namespace tallyvex::test
