#pragma once

#include "report_layout.h"

#include <QImage>
#include <QLineF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <variant>
#include <vector>

namespace tallyvex {

// Drawing primitives of a rendered page. Positions are millimetres from the paper's top-left
// corner; each primitive keeps the name of the element it came from, so tests can find it.

struct TextItem {
    QString name;
    QRectF box;
    QString text;
    ReportFont font;
    Align align = Align::Left;
    QColor background; ///< invalid: transparent
    bool autoSize = false;
};

struct LineItem {
    QString name;
    QLineF line;
    QColor colour = Qt::black;
    double width = px(1);
};

struct RectItem {
    QString name;
    QRectF box;
    QColor fill;    ///< invalid: not filled
    QColor outline; ///< invalid: no outline
    double width = px(1);
};

struct ImageItem {
    QString name;
    QRectF box;
    QImage image;
};

using Primitive = std::variant<TextItem, LineItem, RectItem, ImageItem>;

struct RenderedPage {
    std::vector<Primitive> items;

    /// The texts of the page in drawing order.
    QStringList texts() const;
    /// The first text primitive drawn for the element of that name; null when none.
    const TextItem* text(const QString& name) const;
    const LineItem* line(const QString& name) const;
    const RectItem* rect(const QString& name) const;
    const ImageItem* image(const QString& name) const;
    template <class T> std::vector<const T*> all() const {
        std::vector<const T*> out;
        for (const auto& p : items)
            if (const T* t = std::get_if<T>(&p))
                out.push_back(t);
        return out;
    }
};

/// A layout rendered against its rows: pages of primitives, ready for any back end.
struct RenderedReport {
    QString title;
    QPageLayout pageLayout;
    QSizeF paperSize; ///< millimetres
    std::vector<RenderedPage> pages;
};

} // namespace tallyvex
