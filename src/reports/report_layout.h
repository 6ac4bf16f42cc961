#pragma once

#include "units.h"

#include <QColor>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace tallyvex {

class RowSource;

enum class Align { Left, Center, Right };

/// A font as the layouts name it: the design's family ("Arial", "Arial Narrow", "Courier",
/// "Arial Black") and a size in points. Sizes given in pixels of 1/96 inch are kept as points.
struct ReportFont {
    QString family = QStringLiteral("Arial");
    double points = 10.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    QColor color = Qt::black;

    static ReportFont pt(double points, bool bold = false) {
        ReportFont f;
        f.points = points;
        f.bold = bold;
        return f;
    }
    static ReportFont pixels(double pixels, bool bold = false) { return pt(pixels * 0.75, bold); }
    ReportFont& withFamily(const QString& name) {
        family = name;
        return *this;
    }
    /// Height of one line of this font in millimetres.
    double lineHeight() const { return points * kMmPerPoint * 1.2; }
};

/// One element of a band: a fixed text, a text bound to a field of the current row, a system
/// value (date, time, page number), a line, a rectangle or a picture. Boxes are millimetres from
/// the band's top-left corner; a line runs from the box's top-left to its bottom-right corner.
struct ReportElement {
    enum class Kind { Label, Field, System, Line, Rect, Image };
    enum class SystemValue { Date, Time, DateTime, PageNumber };

    Kind kind = Kind::Label;
    QString name;
    QRectF box;
    QString text;  ///< a label's text; the prefix of a system value
    QString field; ///< the row field a Field element shows
    SystemValue system = SystemValue::Date;
    ReportFont font;
    Align align = Align::Left;
    bool acrossBand =
        false;              ///< the box spans the whole band width (centred or right-aligned texts)
    bool autoSize = false;  ///< an opaque background covers only the text, not the whole box
    QColor background;      ///< invalid: transparent
    QColor pen = Qt::black; ///< outline of a rectangle, colour of a line; invalid: none
    double penWidth = px(1);
    QColor fill; ///< fill of a rectangle; invalid: none
    QImage image;
    bool visible = true;

    // Builders for the common kinds.
    static ReportElement label(const QString& name, const QRectF& box, const QString& text,
                               const ReportFont& font = {}, Align align = Align::Left);
    static ReportElement fieldText(const QString& name, const QRectF& box, const QString& field,
                                   const ReportFont& font = {}, Align align = Align::Left);
    static ReportElement systemValue(const QString& name, const QRectF& box, SystemValue value,
                                     const QString& prefix = {}, const ReportFont& font = {},
                                     Align align = Align::Left);
    static ReportElement line(const QString& name, QPointF from, QPointF to, double width = px(1),
                              const QColor& colour = Qt::black);
    static ReportElement rect(const QString& name, const QRectF& box, const QColor& fill = {},
                              const QColor& outline = Qt::black, double width = px(1));
    static ReportElement picture(const QString& name, const QRectF& box, const QImage& image = {});

    ReportElement& opaque(const QColor& colour) {
        background = colour;
        return *this;
    }
    ReportElement& across() {
        acrossBand = true;
        return *this;
    }
};

/// A band of a layout. Which rows it prints for follows from its kind; its elements are drawn in
/// their order, over the band's colour and under its frame.
struct ReportBand {
    enum class Kind {
        Title,
        PageHeader,
        ColumnHeader,
        GroupHeader,
        Detail,
        SubDetail,
        Summary,
        PageFooter
    };
    struct Frame {
        bool top = false, bottom = false, left = false, right = false;
        double width = px(1);
        QColor colour = Qt::black;
    };
    /// What a hook sees before the band prints: the band itself (changes stay, as on paper
    /// forms: a hook that sets a colour sets it until it sets another), the row, and whether to
    /// print the band at all.
    struct Print {
        ReportBand& band;
        const RowSource* row; ///< the current row; null for bands without one
        int page;             ///< page number, from 1
        bool print = true;
        ReportElement* element(const QString& name) const;
    };

    Kind kind = Kind::Detail;
    QString name;
    double height = 10.0;
    QColor colour; ///< invalid: no fill
    Frame frame;
    bool newPagePerRow = false; ///< detail: every row from the second starts a new page
    bool printIfEmpty = false;  ///< sub-detail: prints once, empty, for a parent without children
    /// group header: the band prints before a row whose key differs from the previous row's
    std::function<QVariant(const RowSource&)> groupKey;
    std::function<void(Print&)> beforePrint;
    std::vector<ReportElement> elements;

    ReportBand(Kind k, double h, const QString& n = {}) : kind(k), name(n), height(h) {}
    ReportElement& add(ReportElement e) {
        elements.push_back(std::move(e));
        return elements.back();
    }
    ReportElement* element(const QString& name);
    const ReportElement* element(const QString& name) const;
};

/// The page of a layout: paper size, orientation, margins in millimetres, and for label sheets
/// the number of detail columns (filled top to bottom, then the next column).
struct ReportPage {
    QPageSize::PageSizeId size = QPageSize::A4;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins{12.7, 12.7, 12.7, 12.7}; ///< left, top, right, bottom
    int columns = 1;
    double columnGap = 0.0;
    double columnWidth = 0.0; ///< 0: the printable width shared out among the columns

    QSizeF paperSize() const; ///< millimetres, oriented
    QRectF printable() const;
    double detailWidth() const;
    QPageLayout pageLayout() const;
};

/// A banded printout as data: page, bands and their elements. The engine renders it against
/// rows; the layout is built per command, filled, rendered and dropped.
class ReportLayout {
public:
    ReportLayout(const QString& className, const QString& name)
        : className_(className), name_(name) {}

    const QString& className() const { return className_; }
    const QString& name() const { return name_; }
    /// Title of the print job and file name of a saved PDF.
    QString title;
    ReportPage page;
    /// A layout over no rows prints its heads and feet; some print nothing at all then.
    bool printIfEmpty = true;
    /// The rows of the sub-detail band for the current row of the detail band.
    std::function<RowSource*(const RowSource& parent)> childRows;

    ReportBand& addBand(ReportBand::Kind kind, double height, const QString& name = {});
    ReportBand* band(ReportBand::Kind kind);
    ReportBand* band(const QString& name);
    std::vector<ReportBand>& bands() { return bands_; }
    const std::vector<ReportBand>& bands() const { return bands_; }
    /// An element anywhere in the layout; throws std::out_of_range for an unknown name, so a
    /// printout that fills a misspelt field fails loudly rather than printing a blank.
    ReportElement& element(const QString& name);
    ReportElement* findElement(const QString& name);
    void setText(const QString& element, const QString& text) {
        this->element(element).text = text;
    }

private:
    QString className_;
    QString name_;
    std::vector<ReportBand> bands_;
};

} // namespace tallyvex
