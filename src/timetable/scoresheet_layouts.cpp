#include "scoresheet_layouts.h"

#include "reports/report_engine.h"

namespace tallyvex {

namespace {

using E = ReportElement;

const QColor kSilver(192, 192, 192);
const QColor kRowGrey(225, 225, 225);
const QColor kNumberGrey(128, 128, 128);

struct Caption {
    const char* name;
    const char* german;
    const char* english;
};

// The fixed captions of the header and the referee's footer.
const Caption kCaptions[] = {
    {"QRLabel6", "Runde:", "Round:"},
    {"QRLabel7", "Rotte", "Squad:"},
    {"TEST", "Stand:", "Range:"},
    {"QRLabel1", "Datum:", "Date:"},
    {"QRLabel2", "Zeit:", "Time:"},
    {"QRLabel10", "Name Richter:________________", "Name of referee:_______________________"},
    {"QRLabel12", "Unterschrift Richter:_______________________",
     "Signature/referee:_______________________"},
    {"QRLabel3", "Anmerkungen:", "Remarks:"},
};

QString n2(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

E clayNumber(int k, int clay, double x, double y) {
    ReportFont font = ReportFont::pt(10);
    font.color = kNumberGrey;
    return E::label(QStringLiteral("Clay%1_%2").arg(k).arg(n2(clay)), pxRect(x, y, 24, 0), n2(clay),
                    font);
}

E dividingLine(int k, double y, double length) {
    E line = E::line(QStringLiteral("DT%1").arg(k), QPointF(px(1), px(y)),
                     QPointF(px(1 + length), px(y)));
    line.visible = false;
    return line;
}

} // namespace

const std::array<QString, 6>& Scoresheet::signatureCaptions() {
    static const std::array<QString, 6> names{
        QStringLiteral("QRLabel9"),  QStringLiteral("QRLabel13"), QStringLiteral("QRLabel17"),
        QStringLiteral("QRLabel24"), QStringLiteral("QRLabel26"), QStringLiteral("QRLabel28")};
    return names;
}

Scoresheet::Scoresheet(const QString& className, const QString& name) : layout_(className, name) {
    layout_.title = name;
    layout_.page.size = QPageSize::A4;
    layout_.page.orientation = QPageLayout::Landscape;
    layout_.page.margins = QMarginsF(6.35, 6.35, 12.7, 12.7);
}

void Scoresheet::build() {
    ReportBand& sheet = layout_.addBand(ReportBand::Kind::Title, px(737), QStringLiteral("Sheet"));

    sheet.add(E::picture(QStringLiteral("LOGO"), pxRect(0, 0, 698, 105)));
    sheet.add(E::label(QStringLiteral("QRLabel6"), pxRect(708, 2, 110, 0), {}, ReportFont::pt(18)));
    sheet.add(
        E::label(QStringLiteral("QRLabel7"), pxRect(708, 42, 110, 0), {}, ReportFont::pt(18)));
    sheet.add(E::label(QStringLiteral("TEST"), pxRect(708, 82, 110, 0), {}, ReportFont::pt(18)));
    sheet.add(E::label(QStringLiteral("Round"), pxRect(820, 0, 70, 0), QStringLiteral("-"),
                       ReportFont::pt(20)));
    sheet.add(E::label(QStringLiteral("Squad"), pxRect(820, 40, 230, 0), QStringLiteral("-"),
                       ReportFont::pt(20)));
    sheet.add(E::label(QStringLiteral("Stand"), pxRect(820, 80, 230, 0), QStringLiteral("-"),
                       ReportFont::pt(20)));
    sheet.add(E::label(QStringLiteral("QRLabel1"), pxRect(892, 16, 62, 0), {}, ReportFont::pt(14)));
    sheet.add(E::label(QStringLiteral("QRLabel2"), pxRect(892, 48, 62, 0), {}, ReportFont::pt(14)));
    sheet.add(E::label(QStringLiteral("Date"), pxRect(956, 16, 95, 0), QStringLiteral("-"),
                       ReportFont::pt(14)));
    sheet.add(E::label(QStringLiteral("Time"), pxRect(956, 48, 95, 0), QStringLiteral("-"),
                       ReportFont::pt(14)));

    const CaptionSpans spans = captionSpans();
    for (int k = 1; k <= 6; ++k) {
        const double y = kRowTops[std::size_t(k - 1)];
        sheet.add(E::rect(QStringLiteral("Square%1").arg(k), pxRect(0, y - 33, 33, 33), kSilver));
        sheet
            .add(E::label(QStringLiteral("Place%1").arg(k), pxRect(5, y - 29, 26, 0),
                          QStringLiteral("(%1)").arg(k), ReportFont::pt(14)))
            .opaque(kSilver)
            .autoSize = true;
        sheet.add(E::label(QStringLiteral("Shooter%1").arg(k), pxRect(44, y - 25, 820, 0),
                           QStringLiteral("Shooter%1:").arg(k), ReportFont::pt(14)));
        sheet
            .add(E::label(QStringLiteral("Total%1").arg(k),
                          pxRect(spans.totalX, y - 14, spans.totalW, 14), QStringLiteral("Total:"),
                          ReportFont::pt(8), Align::Center))
            .opaque(kSilver);
        sheet
            .add(E::label(signatureCaptions()[std::size_t(k - 1)],
                          pxRect(spans.signatureX, y - 14, spans.signatureW, 14), {},
                          ReportFont::pt(8), Align::Center))
            .opaque(kSilver);
        sheet.add(E::rect(QStringLiteral("Row%1").arg(k), pxRect(1, y, 1000, 45), kRowGrey));
        addRow(sheet, k, y);
    }

    sheet.add(
        E::label(QStringLiteral("QRLabel10"), pxRect(0, 632, 470, 0), {}, ReportFont::pt(14)));
    sheet.add(
        E::label(QStringLiteral("QRLabel12"), pxRect(0, 672, 470, 0), {}, ReportFont::pt(14)));
    sheet.add(E::rect(QStringLiteral("RemarksBox"), pxRect(480, 624, 521, 73), Qt::white));
    sheet.add(
        E::label(QStringLiteral("QRLabel3"), pxRect(488, 632, 200, 0), {}, ReportFont::pt(10)));
    sheet.add(E::label(QStringLiteral("Footer"), pxRect(698, 696, 352, 0), {}, ReportFont::pt(10)));
    sheet.add(
        E::line(QStringLiteral("compnameAbove"), QPointF(0, px(712)), QPointF(px(1050), px(712))));
    sheet.add(E::label(QStringLiteral("compname"), pxRect(0, 712, 1050, 25), {}, ReportFont::pt(16),
                       Align::Center));
    sheet.add(
        E::line(QStringLiteral("compnameBelow"), QPointF(0, px(737)), QPointF(px(1050), px(737))));

    applyLanguage(false);
}

void Scoresheet::applyLanguage(bool english) {
    for (const Caption& c : kCaptions)
        layout_.setText(QLatin1String(c.name),
                        english ? QString::fromUtf8(c.english) : QString::fromUtf8(c.german));
    for (const QString& name : signatureCaptions())
        layout_.setText(name,
                        english ? QStringLiteral("Signature:") : QStringLiteral("Unterschrift:"));
}

void Scoresheet::setDividingLines(bool on) {
    for (int k = 1; k <= 6; ++k)
        layout_.element(QStringLiteral("DT%1").arg(k)).visible = on;
}

void Scoresheet::fill(const ScoresheetValues& v, const ReportContext& context) {
    layout_.setText(QStringLiteral("Round"), v.round);
    layout_.setText(QStringLiteral("Squad"), v.squad);
    layout_.setText(QStringLiteral("Stand"), v.stand);
    layout_.setText(QStringLiteral("Date"), v.date);
    layout_.setText(QStringLiteral("Time"), v.time);
    for (int k = 1; k <= 6; ++k)
        layout_.setText(QStringLiteral("Shooter%1").arg(k), v.shooters[std::size_t(k - 1)]);
    layout_.setText(QStringLiteral("compname"), v.compname);
    layout_.setText(QStringLiteral("Footer"),
                    QStringLiteral("QUORVANE Tallyvex - ") + context.webAddress);
    layout_.element(QStringLiteral("LOGO")).image = context.logo;
    applyLanguage(context.english());
    setDividingLines(v.dividingLines);
}

RenderedReport Scoresheet::render(const ReportContext& context) {
    return renderReport(layout_, nullptr, context);
}

TScoresheet::TScoresheet()
    : Scoresheet(QStringLiteral("TScoresheet"), QStringLiteral("SCORESHEET")) {
    build();
}

void TScoresheet::addRow(ReportBand& sheet, int k, double y) {
    for (int i = 0; i < 25; ++i) {
        const double x = kBoxX[std::size_t(i)];
        sheet.add(E::rect(QStringLiteral("Box%1_%2").arg(k).arg(n2(i + 1)), pxRect(x, y, 36, 45),
                          Qt::white));
    }
    for (int i = 0; i < 25; ++i)
        sheet.add(clayNumber(k, i + 1, kBoxX[std::size_t(i)] + 10, y + 31));
    sheet.add(E::rect(QStringLiteral("TotalField%1").arg(k), pxRect(875, y, 39, 45), kRowGrey));
    sheet.add(E::rect(QStringLiteral("Bar%1").arg(k), pxRect(914, y + 1, 2, 44), kSilver, kSilver));
    sheet.add(
        E::rect(QStringLiteral("SignatureField%1").arg(k), pxRect(916, y, 85, 45), Qt::white));
    static constexpr int kLineOffset[6] = {21, 21, 22, 24, 24, 23};
    sheet.add(dividingLine(k, y + kLineOffset[k - 1], 875));
}

TCPS::TCPS() : Scoresheet(QStringLiteral("TCPS"), QStringLiteral("CPS")) {
    build();
}

void TCPS::addRow(ReportBand& sheet, int k, double y) {
    // In block k the group 6 - k stays one undivided field: block 1 at the right end, block 6
    // at the left.
    const int undivided = 6 - k;
    const double undividedWidth = k == 1 ? 146 : (k == 6 ? 149 : 150);
    sheet.add(E::rect(QStringLiteral("Undivided%1").arg(k),
                      pxRect(kSlotX[std::size_t(undivided * 5)], y, undividedWidth, 45),
                      Qt::white));
    int clay = 0;
    std::vector<ReportElement> numbers;
    for (int slot = 0; slot < 30; ++slot) {
        if (slot / 5 == undivided)
            continue;
        ++clay;
        const double x = kSlotX[std::size_t(slot)];
        sheet.add(E::rect(QStringLiteral("Box%1_%2").arg(k).arg(n2(clay)), pxRect(x, y, 30, 45),
                          Qt::white));
        numbers.push_back(clayNumber(k, clay, x + 10, y + 3));
    }
    for (auto& n : numbers)
        sheet.add(std::move(n));
    sheet.add(E::rect(QStringLiteral("TotalField%1").arg(k), pxRect(870, y, 42, 45), kRowGrey));
    sheet.add(E::rect(QStringLiteral("Bar%1").arg(k), pxRect(912, y + 1, 1, 44), kSilver, kSilver));
    sheet.add(
        E::rect(QStringLiteral("SignatureField%1").arg(k), pxRect(913, y, 88, 45), Qt::white));
    static constexpr int kLineOffset[6] = {15, 15, 14, 16, 16, 15};
    sheet.add(dividingLine(k, y + kLineOffset[k - 1], 870));
}

} // namespace tallyvex
