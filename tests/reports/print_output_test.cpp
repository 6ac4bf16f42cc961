#include "fake_print_dialogs.h"
#include "reports/painter_backend.h"
#include "reports/print_preview.h"
#include "reports/report_engine.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tallyvex {
namespace {

using test::FakePrintDialogs;
using test::pdfPageCount;

/// A report of the given number of pages, one detail band each.
RenderedReport pagesReport(int pages, const QString& title = QStringLiteral("Startliste")) {
    ReportLayout layout("TLIST", "LIST");
    layout.title = title;
    ReportBand& detail = layout.addBand(ReportBand::Kind::Detail, 20);
    detail.newPagePerRow = true;
    detail.add(ReportElement::fieldText("Name", mmRect(0, 0, 100, 0), "NACHNAME"));
    ListRows rows;
    for (int i = 1; i <= pages; ++i)
        rows.append({{"NACHNAME", QStringLiteral("Huber %1").arg(i)}});
    return renderReport(layout, &rows, {});
}

class PrintOutput : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        dialogs.printerFile = dir.filePath("printed.pdf");
    }
    QTemporaryDir dir;
    FakePrintDialogs dialogs;
    ReportContext context;
};

TEST_F(PrintOutput, BatchPrintsAllReportsInOneJobAfterOneSetUp) {
    const RenderedReport sheet = pagesReport(1);
    {
        DirectPrintJob job(dialogs, context);
        ASSERT_TRUE(job.start(sheet));
        for (int i = 0; i < 3; ++i)
            job.print(sheet);
        EXPECT_EQ(job.pagesPrinted(), 3);
    }
    EXPECT_EQ(dialogs.printerDialogs, 1);
    EXPECT_EQ(pdfPageCount(dialogs.printerFile), 3);
}

TEST_F(PrintOutput, CancellingTheSetUpPrintsNothing) {
    dialogs.acceptPrinter = false;
    const RenderedReport sheet = pagesReport(1);
    {
        DirectPrintJob job(dialogs, context);
        EXPECT_FALSE(job.start(sheet));
        job.print(sheet);
        job.print(sheet);
        EXPECT_EQ(job.pagesPrinted(), 0);
    }
    EXPECT_FALSE(printWithSetUp(sheet, dialogs, context, nullptr));
    EXPECT_EQ(dialogs.printerDialogs, 2);
    EXPECT_FALSE(QFile::exists(dialogs.printerFile));
}

TEST_F(PrintOutput, PreviewNavigatesZoomsAndPrintsThroughTheSetUp) {
    const RenderedReport report = pagesReport(3);
    PrintPreviewDialog preview(report, context, dialogs);
    auto* label = preview.findChild<QLabel*>("PageLabel");
    auto* canvas = preview.findChild<QLabel*>("Canvas");
    ASSERT_TRUE(label && canvas);
    EXPECT_EQ(label->text(), "Seite 1 von 3");
    EXPECT_FALSE(preview.findChild<QPushButton*>("Prior")->isEnabled());

    preview.findChild<QPushButton*>("Last")->click();
    EXPECT_EQ(preview.currentPage(), 2);
    EXPECT_FALSE(preview.findChild<QPushButton*>("Next")->isEnabled());
    preview.findChild<QPushButton*>("Prior")->click();
    EXPECT_EQ(label->text(), "Seite 2 von 3");
    preview.showPage(99);
    EXPECT_EQ(preview.currentPage(), 2);

    const int width = canvas->pixmap().width();
    preview.findChild<QComboBox*>("Zoom")->setCurrentIndex(5); // 200 %
    EXPECT_NEAR(canvas->pixmap().width(), 2 * width, 2);

    dialogs.acceptPrinter = false;
    EXPECT_FALSE(preview.print());
    EXPECT_FALSE(QFile::exists(dialogs.printerFile));
    dialogs.acceptPrinter = true;
    EXPECT_TRUE(preview.print());
    EXPECT_EQ(pdfPageCount(dialogs.printerFile), 3);
}

TEST_F(PrintOutput, SaveAsPdfWritesIntoTheChosenFolder) {
    context.language = "EN";
    const RenderedReport report = pagesReport(2, "Result list A/4: Trap");
    PrintPreviewDialog preview(report, context, dialogs);
    EXPECT_EQ(preview.findChild<QPushButton*>("SavePdf")->text(), "Save as PDF");

    dialogs.folder.clear(); // cancelled
    EXPECT_TRUE(preview.savePdf().isEmpty());
    EXPECT_TRUE(dialogs.messages.isEmpty());

    dialogs.folder = dir.path();
    const QString path = preview.savePdf();
    // The title's slash and colon must not leave the folder or break the name.
    EXPECT_EQ(path, dir.filePath("Result list A_4_ Trap.pdf"));
    EXPECT_EQ(pdfPageCount(path), 2);
    ASSERT_EQ(dialogs.messages.size(), 1);
    EXPECT_TRUE(dialogs.messages[0].startsWith("The PDF file has been saved: "));

    dialogs.folder = dir.filePath("missing/folder");
    EXPECT_TRUE(preview.savePdf().isEmpty());
    ASSERT_EQ(dialogs.messages.size(), 2);
    EXPECT_TRUE(dialogs.messages[1].startsWith("The PDF file could not be written: "));
}

} // namespace
} // namespace tallyvex
