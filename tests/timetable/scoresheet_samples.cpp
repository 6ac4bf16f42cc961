#include "scoresheet_samples.h"
#include "reports/painter_backend.h"
#include "reports/print_preview.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

// Writes SCORESHEET-DE.pdf (50 clays, dividing lines on), SCORESHEET-EN.pdf (25 clays) and
// CPS-DE.pdf into the folder given, for comparing the sheets against their design; with
// --preview-shot also preview.png, a picture of the print preview showing the Compak sheet.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: scoresheet_samples OUTDIR [--preview-shot]\n");
        return 2;
    }
    using namespace tallyvex;
    const QDir out(QString::fromLocal8Bit(argv[1]));
    ScoresheetValues values = test::sampleSheet();

    TScoresheet standard;
    values.dividingLines = true;
    standard.fill(values, test::sampleContext("DE"));
    writePdf(standard.render(test::sampleContext("DE")), out.filePath("SCORESHEET-DE.pdf"));
    values.dividingLines = false;
    standard.fill(values, test::sampleContext("EN"));
    writePdf(standard.render(test::sampleContext("EN")), out.filePath("SCORESHEET-EN.pdf"));

    TCPS cps;
    values.dividingLines = true;
    values.stand = "Stand 5";
    cps.fill(values, test::sampleContext("DE"));
    const RenderedReport cpsReport = cps.render(test::sampleContext("DE"));
    writePdf(cpsReport, out.filePath("CPS-DE.pdf"));

    if (argc > 2 && QString::fromLatin1(argv[2]) == QLatin1String("--preview-shot")) {
        QtPrintDialogs dialogs;
        PrintPreviewDialog preview(cpsReport, test::sampleContext("DE"), dialogs);
        preview.resize(1200, 900);
        preview.setZoom(1.0);
        preview.show();
        app.processEvents();
        preview.grab().save(out.filePath("preview.png"));
    }
    return 0;
}
