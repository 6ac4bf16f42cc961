#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

namespace tallyvex {

/// What every report head and foot takes from the session of the run: the pictures of the
/// main window, the two competition name lines, the maker's web address and the UI language.
/// The shell fills it; layouts only read it, so a printout never reaches into a window.
struct ReportContext {
    QString language = QStringLiteral("DE");
    QImage logo;         ///< `Image`: the logo at the head of every printout
    QImage confirmation; ///< `Image2`: the confirmation picture of the receipts
    QImage banner;       ///< `Image1`: the product banner of the back numbers
    QString nameLine1;
    QString nameLine2;
    QString webAddress;
    /// The moment printed in report feet; invalid means the time of rendering.
    QDateTime printedAt;

    bool english() const { return language.compare(QLatin1String("EN"), Qt::CaseInsensitive) == 0; }
    /// German or English text by the UI language.
    QString tr(const QString& german, const QString& english) const {
        return this->english() ? english : german;
    }
};

} // namespace tallyvex
