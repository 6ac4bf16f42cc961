#include "../data/test_db.h"
#include "reports/report_engine.h"

namespace tallyvex {
namespace {

using CursorRowsTest = test::TempDb;

// Labels print the shooters in the order the window shows them: after sorting by postcode,
// by postcode.
TEST_F(CursorRowsTest, ReportFollowsTheCursorsOrderAndFilter) {
    Cursor shooters(*db, "C_SHOOTERS", "T_TEILNEHMER");
    shooters.open();
    add(shooters, {{"Nachname", "Huber"}, {"Postleitzahl", "5020"}});
    add(shooters, {{"Nachname", "Adler"}, {"Postleitzahl", "8010"}});
    add(shooters, {{"Nachname", "Maier"}, {"Postleitzahl", "1010"}});
    shooters.setIndexName("I_PLZ");

    ReportLayout layout("TQRETT", "QRETT");
    layout.addBand(ReportBand::Kind::Detail, 10)
        .add(ReportElement::fieldText("QRDBText1", mmRect(0, 0, 50, 0), "Nachname"));
    CursorRows rows(shooters);
    RenderedReport report = renderReport(layout, &rows, {});
    ASSERT_EQ(report.pages.size(), 1u);
    EXPECT_EQ(report.pages[0].texts(), (QStringList{"Maier", "Huber", "Adler"}));
    EXPECT_TRUE(shooters.eof()); // printing walks the cursor, as on the design

    shooters.setFilterText("Nachname='Adler'");
    shooters.setFiltered(true);
    report = renderReport(layout, &rows, {});
    EXPECT_EQ(report.pages[0].texts(), (QStringList{"Adler"}));
}

} // namespace
} // namespace tallyvex
