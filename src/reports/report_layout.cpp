#include "report_layout.h"

#include <stdexcept>

namespace tallyvex {

ReportElement ReportElement::label(const QString& name, const QRectF& box, const QString& text,
                                   const ReportFont& font, Align align) {
    ReportElement e;
    e.kind = Kind::Label;
    e.name = name;
    e.box = box;
    e.text = text;
    e.font = font;
    e.align = align;
    return e;
}

ReportElement ReportElement::fieldText(const QString& name, const QRectF& box, const QString& field,
                                       const ReportFont& font, Align align) {
    ReportElement e = label(name, box, {}, font, align);
    e.kind = Kind::Field;
    e.field = field;
    return e;
}

ReportElement ReportElement::systemValue(const QString& name, const QRectF& box, SystemValue value,
                                         const QString& prefix, const ReportFont& font,
                                         Align align) {
    ReportElement e = label(name, box, prefix, font, align);
    e.kind = Kind::System;
    e.system = value;
    return e;
}

ReportElement ReportElement::line(const QString& name, QPointF from, QPointF to, double width,
                                  const QColor& colour) {
    ReportElement e;
    e.kind = Kind::Line;
    e.name = name;
    e.box = QRectF(from, to);
    e.pen = colour;
    e.penWidth = width;
    return e;
}

ReportElement ReportElement::rect(const QString& name, const QRectF& box, const QColor& fill,
                                  const QColor& outline, double width) {
    ReportElement e;
    e.kind = Kind::Rect;
    e.name = name;
    e.box = box;
    e.fill = fill;
    e.pen = outline;
    e.penWidth = width;
    return e;
}

ReportElement ReportElement::picture(const QString& name, const QRectF& box, const QImage& image) {
    ReportElement e;
    e.kind = Kind::Image;
    e.name = name;
    e.box = box;
    e.image = image;
    return e;
}

ReportElement* ReportBand::Print::element(const QString& name) const {
    return band.element(name);
}

ReportElement* ReportBand::element(const QString& name) {
    for (auto& e : elements)
        if (e.name == name)
            return &e;
    return nullptr;
}

const ReportElement* ReportBand::element(const QString& name) const {
    return const_cast<ReportBand*>(this)->element(name);
}

QSizeF ReportPage::paperSize() const {
    const QSizeF s = QPageSize(size).size(QPageSize::Millimeter);
    return orientation == QPageLayout::Landscape ? s.transposed() : s;
}

QRectF ReportPage::printable() const {
    const QSizeF paper = paperSize();
    return QRectF(margins.left(), margins.top(), paper.width() - margins.left() - margins.right(),
                  paper.height() - margins.top() - margins.bottom());
}

double ReportPage::detailWidth() const {
    if (columnWidth > 0)
        return columnWidth;
    const int n = std::max(1, columns);
    return (printable().width() - (n - 1) * columnGap) / n;
}

QPageLayout ReportPage::pageLayout() const {
    // The margins live in the primitives; the device draws on the full paper.
    return QPageLayout(QPageSize(size), orientation, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

ReportBand& ReportLayout::addBand(ReportBand::Kind kind, double height, const QString& name) {
    bands_.emplace_back(kind, height, name);
    return bands_.back();
}

ReportBand* ReportLayout::band(ReportBand::Kind kind) {
    for (auto& b : bands_)
        if (b.kind == kind)
            return &b;
    return nullptr;
}

ReportBand* ReportLayout::band(const QString& name) {
    for (auto& b : bands_)
        if (b.name == name)
            return &b;
    return nullptr;
}

ReportElement* ReportLayout::findElement(const QString& name) {
    for (auto& b : bands_)
        if (ReportElement* e = b.element(name))
            return e;
    return nullptr;
}

ReportElement& ReportLayout::element(const QString& name) {
    if (ReportElement* e = findElement(name))
        return *e;
    throw std::out_of_range("report " + name_.toStdString() + " has no element " +
                            name.toStdString());
}

} // namespace tallyvex
