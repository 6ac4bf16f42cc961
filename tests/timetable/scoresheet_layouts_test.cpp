#include "reports/painter_backend.h"
#include "scoresheet_samples.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tallyvex {
namespace {

// Positions on the sheet in its own units (1/96 inch from the sheet's top-left corner, which
// lies at the page margins of 6.35 mm).
double sheetX(double mm) {
    return toPx(mm - 6.35);
}
double sheetY(double mm) {
    return toPx(mm - 6.35);
}
constexpr double kUnit = 0.01; // the geometry is exact here; "a unit or two" is for paper

RenderedPage rendered(Scoresheet& sheet, const ScoresheetValues& values,
                      const QString& language = "DE") {
    const ReportContext context = test::sampleContext(language);
    sheet.fill(values, context);
    RenderedReport report = sheet.render(context);
    EXPECT_EQ(report.pages.size(), 1u);
    EXPECT_EQ(report.pageLayout.orientation(), QPageLayout::Landscape);
    return report.pages.empty() ? RenderedPage{} : report.pages[0];
}

std::vector<const RectItem*> boxesOfBlock(const RenderedPage& page, int k) {
    std::vector<const RectItem*> out;
    for (const RectItem* r : page.all<RectItem>())
        if (r->name.startsWith(QStringLiteral("Box%1_").arg(k)))
            out.push_back(r);
    return out;
}

TEST(CompakSportingSheet, UndividedGroupMovesLeftAndClaysSkipIt) {
    TCPS sheet;
    const RenderedPage page = rendered(sheet, test::sampleSheet());
    // Block 6 has no box at slot 0: its undivided group covers slots 0-4.
    for (const RectItem* r : boxesOfBlock(page, 6))
        EXPECT_GT(sheetX(r->box.left()), 100) << r->name.toStdString();

    struct Undivided {
        int block;
        double x, width;
    };
    for (const Undivided u :
         {Undivided{1, 724, 146}, Undivided{2, 580, 150}, Undivided{3, 435, 150},
          Undivided{5, 145, 150}, Undivided{6, 1, 149}}) {
        SCOPED_TRACE(u.block);
        const RectItem* r = page.rect(QStringLiteral("Undivided%1").arg(u.block));
        ASSERT_TRUE(r);
        EXPECT_NEAR(sheetX(r->box.left()), u.x, kUnit);
        EXPECT_NEAR(toPx(r->box.width()), u.width, kUnit);
        EXPECT_EQ(boxesOfBlock(page, u.block).size(), 25u);
    }

    struct Clay {
        int block, clay;
        double x;
    };
    for (const Clay c : {Clay{6, 1, 145}, Clay{6, 25, 840}, Clay{1, 1, 1}, Clay{1, 25, 696},
                         Clay{3, 15, 406}, Clay{3, 16, 580}, Clay{5, 5, 116}, Clay{5, 6, 290}}) {
        SCOPED_TRACE(testing::Message() << "block " << c.block << " clay " << c.clay);
        const QString nn = QStringLiteral("%1_%2").arg(c.block).arg(c.clay, 2, 10, QChar('0'));
        const RectItem* box = page.rect("Box" + nn);
        const TextItem* number = page.text("Clay" + nn);
        ASSERT_TRUE(box && number);
        const double rowTop = Scoresheet::kRowTops[std::size_t(c.block - 1)];
        EXPECT_NEAR(sheetX(box->box.left()), c.x, kUnit);
        EXPECT_NEAR(toPx(box->box.width()), 30, kUnit);
        EXPECT_NEAR(sheetY(box->box.top()), rowTop, kUnit);
        EXPECT_EQ(number->text, QStringLiteral("%1").arg(c.clay, 2, 10, QChar('0')));
        EXPECT_NEAR(sheetX(number->box.left()), c.x + 10, kUnit);
        EXPECT_NEAR(sheetY(number->box.top()), rowTop + 3, kUnit); // numbers at the top
        EXPECT_EQ(number->font.color, QColor(128, 128, 128));
    }
}

TEST(StandardSheet, DividingLinesSplitEveryRowOnlyWhenSwitchedOn) {
    TScoresheet sheet;
    ScoresheetValues values = test::sampleSheet();
    values.dividingLines = false;
    RenderedPage page = rendered(sheet, values);
    for (const LineItem* l : page.all<LineItem>())
        EXPECT_FALSE(l->name.startsWith("DT")) << l->name.toStdString();

    values.dividingLines = true;
    page = rendered(sheet, values);
    const int offsets[6] = {21, 21, 22, 24, 24, 23};
    int lines = 0;
    for (const LineItem* l : page.all<LineItem>())
        lines += l->name.startsWith("DT");
    EXPECT_EQ(lines, 6);
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        const LineItem* l = page.line(QStringLiteral("DT%1").arg(k));
        ASSERT_TRUE(l);
        const double rowTop = Scoresheet::kRowTops[std::size_t(k - 1)];
        EXPECT_NEAR(sheetY(l->line.y1()), rowTop + offsets[k - 1], kUnit);
        EXPECT_NEAR(sheetY(l->line.y2()), rowTop + offsets[k - 1], kUnit);
        EXPECT_NEAR(sheetX(l->line.x1()), 1, kUnit);
        EXPECT_NEAR(toPx(l->line.length()), 875, kUnit);
    }
}

TEST(StandardSheet, BoxesAndNumbersOfABlock) {
    TScoresheet sheet;
    const RenderedPage page = rendered(sheet, test::sampleSheet());
    for (int k : {1, 5}) {
        const auto boxes = boxesOfBlock(page, k);
        ASSERT_EQ(boxes.size(), 25u);
        const double rowTop = Scoresheet::kRowTops[std::size_t(k - 1)];
        for (std::size_t i = 0; i < 25; ++i) {
            EXPECT_NEAR(sheetX(boxes[i]->box.left()), TScoresheet::kBoxX[i], kUnit);
            EXPECT_NEAR(toPx(boxes[i]->box.width()), 36, kUnit);
            EXPECT_NEAR(toPx(boxes[i]->box.height()), 45, kUnit);
        }
        const TextItem* n = page.text(QStringLiteral("Clay%1_25").arg(k));
        ASSERT_TRUE(n);
        EXPECT_NEAR(sheetX(n->box.left()), 849, kUnit);
        EXPECT_NEAR(sheetY(n->box.top()), rowTop + 31, kUnit); // numbers in the lower part
    }
    // The last box ends where the total field starts.
    EXPECT_NEAR(sheetX(page.rect("Box1_25")->box.right()), 875, kUnit);
    EXPECT_NEAR(sheetX(page.rect("TotalField1")->box.left()), 875, kUnit);
    EXPECT_NEAR(sheetX(page.rect("SignatureField1")->box.right()), 1001, kUnit);
}

TEST(Scoresheets, EnglishCaptionsAndBackToGerman) {
    TScoresheet standard;
    TCPS cps;
    for (Scoresheet* sheet :
         {static_cast<Scoresheet*>(&standard), static_cast<Scoresheet*>(&cps)}) {
        SCOPED_TRACE(sheet->layout().name().toStdString());
        RenderedPage page = rendered(*sheet, test::sampleSheet(), "EN");
        for (const QString& name : Scoresheet::signatureCaptions())
            EXPECT_EQ(page.text(name)->text, "Signature:");
        for (int k = 1; k <= 6; ++k)
            EXPECT_EQ(page.text(QStringLiteral("Total%1").arg(k))->text, "Total:");
        EXPECT_EQ(page.text("QRLabel7")->text, "Squad:");
        EXPECT_EQ(page.text("TEST")->text, "Range:");
        EXPECT_EQ(page.text("QRLabel12")->text, "Signature/referee:_______________________");
        EXPECT_EQ(page.text("QRLabel3")->text, "Remarks:");

        page = rendered(*sheet, test::sampleSheet(), "DE");
        EXPECT_EQ(page.text("QRLabel13")->text, "Unterschrift:");
        EXPECT_EQ(page.text("QRLabel7")->text, "Rotte");
        EXPECT_EQ(page.text("QRLabel10")->text, "Name Richter:________________");
    }
}

TEST(Scoresheets, FillSetsEveryFieldAgainEachTime) {
    TCPS sheet;
    EXPECT_EQ(sheet.layout().element("Round").text, "-");
    EXPECT_EQ(sheet.layout().element("Shooter4").text, "Shooter4:");

    RenderedPage page = rendered(sheet, test::sampleSheet());
    struct Field {
        const char* name;
        double x, y;
        double points;
        const char* text;
    };
    for (const Field f :
         {Field{"Round", 820, 0, 20, "2"}, Field{"Squad", 820, 40, 20, "12"},
          Field{"Stand", 820, 80, 20, "Stand 3"}, Field{"Date", 956, 16, 14, "12.05.2024"},
          Field{"Time", 956, 48, 14, "09:40"},
          Field{"Shooter1", 44, 137 - 25, 14, "12 Huber,Anna (AUT)"},
          Field{"Shooter5", 44, 481 - 25, 14, "22 Berger,Lena (SUI)"},
          Field{"Shooter6", 44, 569 - 25, 14, ""},
          Field{"Footer", 698, 696, 10, "QUORVANE Tallyvex - www.quorvane.example"}}) {
        SCOPED_TRACE(f.name);
        const TextItem* t = page.text(f.name);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->text, QString::fromUtf8(f.text));
        EXPECT_NEAR(sheetX(t->box.left()), f.x, kUnit);
        EXPECT_NEAR(sheetY(t->box.top()), f.y, kUnit);
        EXPECT_DOUBLE_EQ(t->font.points, f.points);
    }
    const TextItem* comp = page.text("compname");
    EXPECT_EQ(comp->align, Align::Center);
    EXPECT_NEAR(sheetX(comp->box.left()), 0, kUnit);
    EXPECT_NEAR(toPx(comp->box.width()), 1050, kUnit);
    EXPECT_NEAR(sheetY(comp->box.top()), 712, kUnit);
    const ImageItem* logo = page.image("LOGO");
    ASSERT_TRUE(logo);
    EXPECT_NEAR(toPx(logo->box.width()), 698, kUnit);
    EXPECT_NEAR(toPx(logo->box.height()), 105, kUnit);

    // The next squad has two shooters: the places the last sheet filled print empty.
    ScoresheetValues next = test::sampleSheet();
    next.shooters = {"3 Lang,Eva (AUT)", "4 Kurz,Udo (AUT)", "", "", "", ""};
    next.squad = "13";
    page = rendered(sheet, next);
    EXPECT_EQ(page.text("Squad")->text, "13");
    EXPECT_EQ(page.text("Shooter2")->text, "4 Kurz,Udo (AUT)");
    EXPECT_EQ(page.text("Shooter3")->text, "");
    EXPECT_EQ(page.text("Shooter5")->text, "");
}

TEST(Scoresheets, FilledSheetAsPdfCarriesItsTexts) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TScoresheet sheet;
    const ReportContext context = test::sampleContext("EN");
    sheet.fill(test::sampleSheet(), context);
    const QString path = dir.filePath("sheet.pdf");
    writePdf(sheet.render(context), path);

    QProcess process;
    process.start(pdftotext, {"-layout", path, "-"});
    ASSERT_TRUE(process.waitForFinished(30000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* expected :
         {"12 Huber,Anna (AUT)", "22 Berger,Lena (SUI)", "Signature:", "Round:", "Stand 3",
          "12.05.2024", "09:40", "Remarks:", "QUORVANE Tallyvex - www.quorvane.example",
          "Frühjahrscup", "25"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

} // namespace
} // namespace tallyvex
