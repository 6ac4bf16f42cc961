#include "address_labels.h"

namespace tallyvex {

namespace {
constexpr double labelWidth = 60.6;
constexpr double labelHeight = 37.0;
constexpr double textLeft = 0.8;
constexpr double townLeft = 11.4;
} // namespace

std::unique_ptr<ReportLayout> addressLabelLayout(AddressList list) {
    auto layout =
        std::make_unique<ReportLayout>(QStringLiteral("TQRETT"), QStringLiteral("TQRETT"));
    layout->title = list == AddressList::Shooters ? QStringLiteral("Etiketten Schützen")
                                                  : QStringLiteral("Etiketten Vereine");
    layout->page.size = QPageSize::A4;
    layout->page.orientation = QPageLayout::Portrait;
    layout->page.margins = QMarginsF(8.0, 0.0, 8.0, 0.0);
    layout->page.columns = 3;
    layout->page.columnGap = 6.0;
    layout->page.columnWidth = labelWidth;
    layout->printIfEmpty = true;

    const bool clubs = list == AddressList::Clubs;
    const ReportFont font = ReportFont::pt(9);
    const double h = font.lineHeight();
    const double w = labelWidth - textLeft;
    ReportBand& detail =
        layout->addBand(ReportBand::Kind::Detail, labelHeight, QStringLiteral("DetailBand1"));
    detail.add(ReportElement::fieldText(
        QStringLiteral("QRDBText1"), {textLeft, 10.3, w, h},
        clubs ? QStringLiteral("Vereinsname") : QStringLiteral("Nachname"), font));
    detail.add(ReportElement::fieldText(
        QStringLiteral("QRDBText2"), {textLeft, 13.5, w, h},
        clubs ? QStringLiteral("Ansprechperson") : QStringLiteral("Vorname"), font));
    detail.add(ReportElement::fieldText(QStringLiteral("QRDBText3"), {textLeft, 16.7, w, h},
                                        QStringLiteral("Strasse"), font));
    detail.add(ReportElement::fieldText(QStringLiteral("QRDBText4"),
                                        {textLeft, 19.6, townLeft - textLeft, h},
                                        QStringLiteral("Postleitzahl"), font));
    detail.add(ReportElement::fieldText(QStringLiteral("QRDBText5"),
                                        {townLeft, 19.6, labelWidth - townLeft, h},
                                        QStringLiteral("Ort"), font));
    detail.add(ReportElement::fieldText(
        QStringLiteral("QRDBText6"), {textLeft, 22.5, w, h},
        clubs ? QStringLiteral("Abkuerzung") : QStringLiteral("Land"), font));
    return layout;
}

} // namespace tallyvex
