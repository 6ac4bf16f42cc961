#pragma once

#include "timetable/scoresheet_layouts.h"

#include <QPainter>

namespace tallyvex::test {

/// A squad of five on range 3 in round 2, as the timetable fills a sheet.
inline ScoresheetValues sampleSheet() {
    ScoresheetValues v;
    v.round = "2";
    v.squad = "12";
    v.stand = "Stand 3";
    v.date = "12.05.2024";
    v.time = "09:40";
    v.shooters = {"12 Huber,Anna (AUT)", "14 Maier,Josef (GER)", "17 Rossi,Marco (ITA)",
                  "21 Novak,Petr (CZE)", "22 Berger,Lena (SUI)", ""};
    v.compname = "Grand Prix Trap 2024 Frühjahrscup";
    return v;
}

/// A stand-in logo: a framed banner with the range's name.
inline QImage sampleLogo() {
    QImage logo(698, 105, QImage::Format_RGB32);
    logo.fill(QColor(20, 70, 140));
    QPainter p(&logo);
    p.setPen(Qt::white);
    p.setFont(QFont("Liberation Sans", 28, QFont::Bold));
    p.drawText(logo.rect(), Qt::AlignCenter, "Schießstand Lindenau");
    return logo;
}

inline ReportContext sampleContext(const QString& language = "DE") {
    ReportContext c;
    c.language = language;
    c.logo = sampleLogo();
    c.webAddress = "www.quorvane.example";
    c.printedAt = QDateTime(QDate(2024, 5, 12), QTime(8, 0));
    return c;
}

} // namespace tallyvex::test
