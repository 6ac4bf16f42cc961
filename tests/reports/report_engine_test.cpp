#include "reports/painter_backend.h"
#include "reports/report_engine.h"

#include <QFontInfo>
#include <gtest/gtest.h>

namespace tallyvex {
namespace {

using E = ReportElement;
using Kind = ReportBand::Kind;

ListRows numberedRows(int n, const char* field = "N") {
    ListRows rows;
    for (int i = 1; i <= n; ++i)
        rows.append({{QLatin1String(field), i}});
    return rows;
}

/// The detail texts of a page, by element name.
QStringList textsOf(const RenderedPage& page, const QString& name) {
    QStringList out;
    for (const TextItem* t : page.all<TextItem>())
        if (t->name == name)
            out << t->text;
    return out;
}

ReportContext fixedTime() {
    ReportContext c;
    c.printedAt = QDateTime(QDate(2024, 5, 12), QTime(8, 5));
    return c;
}

// A4 portrait, margins 10 mm: the printable area runs from y 10 to y 287.
class Pagination : public ::testing::Test {
protected:
    void SetUp() override {
        layout.page.margins = QMarginsF(10, 10, 10, 10);
        layout.addBand(Kind::Title, 50)
            .add(E::label("Heading", mmRect(0, 0, 0, 0), "Starter list"));
        layout.addBand(Kind::PageHeader, 10).add(E::label("Head", mmRect(0, 0, 0, 0), "head"));
        layout.addBand(Kind::ColumnHeader, 10).add(E::label("Cols", mmRect(0, 0, 0, 0), "Name"));
        layout.addBand(Kind::Detail, 20).add(E::fieldText("Value", mmRect(5, 2, 50, 0), "N"));
        layout.addBand(Kind::PageFooter, 10)
            .add(E::systemValue("PageNo", mmRect(0, 0, 40, 0), E::SystemValue::PageNumber, "Seite ",
                                {}, Align::Left));
        layout.band(Kind::PageFooter)
            ->add(E::systemValue("Printed", mmRect(0, 0, 0, 0), E::SystemValue::DateTime, {}, {},
                                 Align::Right))
            .across();
    }
    ReportLayout layout{"TTEST", "TEST"};
};

TEST_F(Pagination, DetailThatDoesNotFitMovesToTheNextPage) {
    // Page 1: body from 10+10+50+10 = 80 to 287-10 = 277, room for 9 rows of 20 mm;
    // page 2: body from 30, room for 12.
    ListRows rows = numberedRows(25);
    const RenderedReport report = renderReport(layout, &rows, fixedTime());
    ASSERT_EQ(report.pages.size(), 3u);
    EXPECT_EQ(textsOf(report.pages[0], "Value").size(), 9);
    EXPECT_EQ(textsOf(report.pages[1], "Value").size(), 12);
    EXPECT_EQ(textsOf(report.pages[2], "Value"), (QStringList{"22", "23", "24", "25"}));

    for (const RenderedPage& page : report.pages) {
        for (const TextItem* t : page.all<TextItem>()) {
            if (t->name == "Value") {
                EXPECT_LE(t->box.top() - 2 + 20, 277.0 + 1e-6) << t->text.toStdString();
            }
        }
    }
    // Page 2 starts right below its heads: page header 10..20, column header 20..30.
    EXPECT_DOUBLE_EQ(report.pages[1].text("Value")->box.top(), 32.0);
    EXPECT_EQ(report.pages[1].text("Value")->text, "10");
}

TEST_F(Pagination, TitleOnlyOnPageOneHeadsAndFeetOnEveryPage) {
    ListRows rows = numberedRows(25);
    const RenderedReport report = renderReport(layout, &rows, fixedTime());
    ASSERT_EQ(report.pages.size(), 3u);
    for (std::size_t i = 0; i < report.pages.size(); ++i) {
        const RenderedPage& page = report.pages[i];
        EXPECT_EQ(page.text("Heading") != nullptr, i == 0);
        ASSERT_TRUE(page.text("Head"));
        EXPECT_DOUBLE_EQ(page.text("Head")->box.top(), 10.0);
        ASSERT_TRUE(page.text("Cols"));
        EXPECT_DOUBLE_EQ(page.text("Cols")->box.top(), i == 0 ? 70.0 : 20.0);
        ASSERT_TRUE(page.text("PageNo"));
        EXPECT_EQ(page.text("PageNo")->text, QStringLiteral("Seite %1").arg(i + 1));
        EXPECT_DOUBLE_EQ(page.text("PageNo")->box.top(), 277.0);
        EXPECT_EQ(page.text("Printed")->text, "12.05.2024 08:05");
        // Across the band: the box spans the printable width, for right alignment.
        EXPECT_DOUBLE_EQ(page.text("Printed")->box.left(), 10.0);
        EXPECT_DOUBLE_EQ(page.text("Printed")->box.width(), 190.0);
    }
}

TEST_F(Pagination, EmptyListPrintsHeadsOrNothing) {
    ListRows none;
    RenderedReport report = renderReport(layout, &none, fixedTime());
    ASSERT_EQ(report.pages.size(), 1u);
    EXPECT_TRUE(report.pages[0].text("Heading"));
    EXPECT_TRUE(textsOf(report.pages[0], "Value").isEmpty());

    layout.printIfEmpty = false; // the back numbers: no entry, no page
    report = renderReport(layout, &none, fixedTime());
    EXPECT_TRUE(report.pages.empty());
}

TEST(ReportEngine, BandTallerThanThePagePrintsOncePerPageAndEnds) {
    ReportLayout layout("TBIG", "BIG");
    layout.page.margins = QMarginsF(10, 10, 10, 10);
    layout.addBand(Kind::Detail, 300).add(E::fieldText("Value", mmRect(0, 0, 10, 0), "N"));
    ListRows rows = numberedRows(3);
    const RenderedReport report = renderReport(layout, &rows, fixedTime());
    ASSERT_EQ(report.pages.size(), 3u);
    EXPECT_EQ(report.pages[2].text("Value")->text, "3");
}

// The address labels: A4 portrait without top and bottom margin, 8 mm left and right, three
// columns of 60.6 mm, 6 mm apart, labels 37 mm high.
TEST(ReportEngine, LabelsFillColumnsTopToBottomThenTheNextPage) {
    ReportLayout layout("TQRETT", "QRETT");
    layout.page.margins = QMarginsF(8, 0, 8, 0);
    layout.page.columns = 3;
    layout.page.columnGap = 6.0;
    layout.page.columnWidth = 60.6;
    layout.addBand(Kind::Detail, 37.0)
        .add(E::fieldText("QRDBText1", mmRect(0.8, 10.3, 0, 0), "Nachname", ReportFont::pt(9)));
    ListRows rows;
    for (int i = 1; i <= 25; ++i)
        rows.append({{"Nachname", QStringLiteral("S%1").arg(i)}});

    const RenderedReport report = renderReport(layout, &rows, fixedTime());
    ASSERT_EQ(report.pages.size(), 2u);
    const auto labels = report.pages[0].all<TextItem>();
    ASSERT_EQ(labels.size(), 24u);
    struct Case {
        int index;
        double x, y;
    };
    for (const Case c :
         {Case{0, 8.8, 10.3}, Case{7, 8.8, 7 * 37 + 10.3}, Case{8, 8 + 66.6 + 0.8, 10.3},
          Case{16, 8 + 2 * 66.6 + 0.8, 10.3}, Case{23, 8 + 2 * 66.6 + 0.8, 7 * 37 + 10.3}}) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(labels[std::size_t(c.index)]->text, QStringLiteral("S%1").arg(c.index + 1));
        EXPECT_NEAR(labels[std::size_t(c.index)]->box.left(), c.x, 1e-9);
        EXPECT_NEAR(labels[std::size_t(c.index)]->box.top(), c.y, 1e-9);
    }
    ASSERT_EQ(report.pages[1].all<TextItem>().size(), 1u);
    EXPECT_EQ(report.pages[1].all<TextItem>()[0]->text, "S25");
    EXPECT_NEAR(report.pages[1].all<TextItem>()[0]->box.topLeft().x(), 8.8, 1e-9);
}

// The starter list's rules: alternating row colours and a line above each squad from the second
// on; the hook's changes stay until it changes them again.
TEST(ReportEngine, PerRowHookChangesColourVisibilityAndHoldsBandsBack) {
    ReportLayout layout("TSTART", "START");
    ReportBand& detail = layout.addBand(Kind::Detail, 5, "Detail");
    detail.add(E::line("Separator", QPointF(3.2, 0), QPointF(184.4, 0)));
    detail.add(E::fieldText("Squad", mmRect(0, 0, 10, 0), "ROTTE"));
    int previousSquad = 0;
    int printed = 0;
    detail.beforePrint = [&](ReportBand::Print& p) {
        const int squad = p.row->value("ROTTE").toInt();
        if (squad < 0) { // a row the list holds back
            p.print = false;
            return;
        }
        p.element("Separator")->visible = squad > previousSquad && squad >= 2;
        p.band.colour = (printed++ % 2) ? QColor(229, 229, 229) : QColor(Qt::white);
        if (squad == 3)
            p.element("Squad")->font.color = Qt::red;
        previousSquad = squad;
    };
    ListRows rows;
    for (int squad : {1, 1, -1, 2, 2, 3, 3})
        rows.append({{"ROTTE", squad}});

    const RenderedReport report = renderReport(layout, &rows, fixedTime());
    ASSERT_EQ(report.pages.size(), 1u);
    const RenderedPage& page = report.pages[0];
    const QStringList squads = textsOf(page, "Squad");
    EXPECT_EQ(squads, (QStringList{"1", "1", "2", "2", "3", "3"}));

    std::vector<double> lineTops;
    for (const LineItem* l : page.all<LineItem>())
        if (l->name == "Separator")
            lineTops.push_back(l->line.y1());
    // The held-back row takes no room: rows sit at 12.7 + 5 * i.
    EXPECT_EQ(lineTops, (std::vector<double>{12.7 + 2 * 5, 12.7 + 4 * 5}));

    std::vector<QColor> colours;
    for (const RectItem* r : page.all<RectItem>())
        if (r->name == "Detail")
            colours.push_back(r->fill);
    ASSERT_EQ(colours.size(), 6u);
    EXPECT_EQ(colours[0], QColor(Qt::white));
    EXPECT_EQ(colours[1], QColor(229, 229, 229));
    EXPECT_EQ(colours[2], QColor(Qt::white));

    const auto texts = page.all<TextItem>();
    EXPECT_EQ(texts[3]->font.color, QColor(Qt::black));
    EXPECT_EQ(texts[4]->font.color, QColor(Qt::red));
}

// Team receipt and team list: a page per team with a line per member, and a team without
// members printed with or without an empty member line.
TEST(ReportEngine, SubDetailRowsFollowTheirParentAndNewPagePerRow) {
    ReportLayout layout("TTEAM", "TEAM");
    layout.addBand(Kind::Detail, 20).add(E::fieldText("Team", mmRect(0, 0, 50, 0), "TEAMNAME"));
    ReportBand& members = layout.addBand(Kind::SubDetail, 8);
    members.add(E::label("Caption", mmRect(2, 2, 60, 0), "Schütze:"));
    members.add(E::fieldText("Member", mmRect(85, 2, 40, 0), "NACHNAME"));
    std::map<QString, ListRows> byTeam;
    byTeam["A"] = ListRows({{{"NACHNAME", "Huber"}}, {{"NACHNAME", "Maier"}}});
    byTeam["B"] = ListRows();
    layout.childRows = [&](const RowSource& team) { return &byTeam[team.text("TEAMNAME")]; };
    ListRows teams({{{"TEAMNAME", "A"}}, {{"TEAMNAME", "B"}}});

    RenderedReport report = renderReport(layout, &teams, fixedTime());
    ASSERT_EQ(report.pages.size(), 1u);
    EXPECT_EQ(textsOf(report.pages[0], "Member"), (QStringList{"Huber", "Maier"}));
    EXPECT_EQ(textsOf(report.pages[0], "Team"), (QStringList{"A", "B"}));

    layout.band(Kind::Detail)->newPagePerRow = true;
    members.printIfEmpty = true;
    report = renderReport(layout, &teams, fixedTime());
    ASSERT_EQ(report.pages.size(), 2u);
    EXPECT_EQ(textsOf(report.pages[0], "Member"), (QStringList{"Huber", "Maier"}));
    EXPECT_EQ(textsOf(report.pages[1], "Member"), (QStringList{""}));
    EXPECT_EQ(textsOf(report.pages[1], "Caption").size(), 1);
}

TEST(ReportEngine, GroupHeaderPrintsWhenTheKeyChangesAndSummaryEndsTheList) {
    ReportLayout layout("TGROUP", "GROUP");
    ReportBand& group = layout.addBand(Kind::GroupHeader, 8);
    group.groupKey = [](const RowSource& r) { return r.value("Klasse"); };
    group.add(E::fieldText("Class", mmRect(0, 0, 50, 0), "Klasse"));
    layout.addBand(Kind::Detail, 5).add(E::fieldText("Name", mmRect(0, 0, 50, 0), "NACHNAME"));
    layout.addBand(Kind::Summary, 5).add(E::label("End", mmRect(0, 0, 50, 0), "Ende"));
    ListRows rows({{{"Klasse", "A"}, {"NACHNAME", "1"}},
                   {{"Klasse", "A"}, {"NACHNAME", "2"}},
                   {{"Klasse", "B"}, {"NACHNAME", "3"}}});
    const RenderedReport report = renderReport(layout, &rows, fixedTime());
    EXPECT_EQ(report.pages[0].texts(), (QStringList{"A", "1", "2", "B", "3", "Ende"}));
}

TEST(PainterBackend, DesignFontsMapToTheInstalledTwins) {
    struct Case {
        const char* design;
        bool bold;
        const char* family;
        bool printedBold;
    };
    for (const Case c : {Case{"Arial", false, "Liberation Sans", false},
                         Case{"Arial Narrow", true, "Liberation Sans Narrow", true},
                         Case{"Courier", false, "Liberation Mono", false},
                         Case{"Courier New", false, "Liberation Mono", false},
                         Case{"Arial Black", false, "Liberation Sans", true}}) {
        SCOPED_TRACE(c.design);
        ReportFont design = ReportFont::pt(12, c.bold);
        design.family = QString::fromLatin1(c.design);
        const QFont font = printFont(design);
        EXPECT_EQ(QFontInfo(font).family(), QString::fromLatin1(c.family));
        EXPECT_EQ(font.bold(), c.printedBold);
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 12.0);
    }
}

TEST(PainterBackend, PrimitivesLandWhereTheirMillimetresSay) {
    RenderedReport report;
    report.paperSize = QSizeF(100, 50);
    RenderedPage page;
    page.items.emplace_back(RectItem{"Box", QRectF(20, 10, 10, 5), Qt::black, QColor(), 0});
    page.items.emplace_back(TextItem{"T", QRectF(60, 20, 30, 10), "X", ReportFont::pt(20),
                                     Align::Left, QColor(Qt::red), false});
    report.pages.push_back(page);
    const QImage image = pageImage(report, 0, 254); // 10 dots per mm
    ASSERT_EQ(image.size(), QSize(1000, 500));
    EXPECT_EQ(QColor(image.pixel(250, 125)), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(190, 125)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(880, 280)), QColor(Qt::red)); // opaque box behind the text
}

} // namespace
} // namespace tallyvex
