#include "scoresheet_samples.h"
#include "reports/painter_backend.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

// Writes SCORESHEET-DE.pdf (50 clays, dividing lines on), SCORESHEET-EN.pdf (25 clays) and
// CPS-DE.pdf into the folder given, for comparing the sheets against their design.
int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: scoresheet_samples OUTDIR\n");
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
    writePdf(cps.render(test::sampleContext("DE")), out.filePath("CPS-DE.pdf"));
    return 0;
}
