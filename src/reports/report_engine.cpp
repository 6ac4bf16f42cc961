#include "report_engine.h"

#include <QLocale>

namespace tallyvex {

namespace {

constexpr double kEpsilon = 0.001;

class Engine {
public:
    Engine(ReportLayout& layout, RowSource* rows, const ReportContext& context)
        : layout_(layout), rows_(rows), area_(layout.page.printable()),
          now_(context.printedAt.isValid() ? context.printedAt : QDateTime::currentDateTime()) {
        title_ = layout.band(ReportBand::Kind::Title);
        pageHeader_ = layout.band(ReportBand::Kind::PageHeader);
        columnHeader_ = layout.band(ReportBand::Kind::ColumnHeader);
        groupHeader_ = layout.band(ReportBand::Kind::GroupHeader);
        detail_ = layout.band(ReportBand::Kind::Detail);
        subDetail_ = layout.band(ReportBand::Kind::SubDetail);
        summary_ = layout.band(ReportBand::Kind::Summary);
        footer_ = layout.band(ReportBand::Kind::PageFooter);
        out_.title = layout.title.isEmpty() ? layout.name() : layout.title;
        out_.pageLayout = layout.page.pageLayout();
        out_.paperSize = layout.page.paperSize();
    }

    RenderedReport run() {
        if (rows_)
            rows_->first();
        const bool noRows = !rows_ || rows_->atEnd();
        if (noRows && !layout_.printIfEmpty)
            return out_;
        startPage();
        if (rows_ && detail_) {
            QVariant lastKey;
            bool firstRow = true;
            for (; !rows_->atEnd(); rows_->next()) {
                if (groupHeader_ && groupHeader_->groupKey) {
                    const QVariant key = groupHeader_->groupKey(*rows_);
                    if (firstRow || key != lastKey)
                        placeBody(*groupHeader_, rows_, false);
                    lastKey = key;
                }
                if (detail_->newPagePerRow && detailsOnPage_ > 0)
                    nextPage();
                if (placeBody(*detail_, rows_, true))
                    ++detailsOnPage_;
                firstRow = false;
                printChildren();
            }
        }
        if (summary_)
            placeBody(*summary_, nullptr, false);
        endPage();
        return std::move(out_);
    }

private:
    void printChildren() {
        if (!subDetail_ || !layout_.childRows)
            return;
        RowSource* children = layout_.childRows(*rows_);
        bool any = false;
        if (children) {
            for (children->first(); !children->atEnd(); children->next()) {
                placeBody(*subDetail_, children, true);
                any = true;
            }
        }
        if (!any && subDetail_->printIfEmpty) {
            EmptyRow empty;
            placeBody(*subDetail_, &empty, true);
        }
    }

    double bodyLimit() const { return area_.bottom() - (footer_ ? footer_->height : 0.0); }

    void startPage() {
        out_.pages.emplace_back();
        ++pageNo_;
        y_ = area_.top();
        detailsOnPage_ = 0;
        if (pageHeader_)
            placeFixed(*pageHeader_, currentRow());
        if (pageNo_ == 1 && title_)
            placeFixed(*title_, currentRow());
        if (columnHeader_)
            placeFixed(*columnHeader_, currentRow());
        columnTop_ = y_;
        column_ = 0;
        bodyOnPage_ = false;
    }

    void endPage() {
        if (!footer_)
            return;
        y_ = area_.bottom() - footer_->height;
        placeFixed(*footer_, currentRow());
    }

    void nextPage() {
        endPage();
        startPage();
    }

    const RowSource* currentRow() const { return rows_ && !rows_->atEnd() ? rows_ : nullptr; }

    /// Heads and feet print where they stand, whether or not they fit.
    void placeFixed(ReportBand& band, const RowSource* row) {
        ReportBand::Print print{band, row, pageNo_};
        if (band.beforePrint)
            band.beforePrint(print);
        if (!print.print)
            return;
        drawBand(band, row, area_.left(), area_.width());
        y_ += band.height;
    }

    /// Body bands move to the next column or page when they no longer fit; an empty page takes
    /// the band anyway.
    bool placeBody(ReportBand& band, const RowSource* row, bool inColumns) {
        ReportBand::Print print{band, row, pageNo_};
        if (band.beforePrint)
            band.beforePrint(print);
        if (!print.print)
            return false;
        const int columns = inColumns ? std::max(1, layout_.page.columns) : 1;
        if (bodyOnPage_ && y_ + band.height > bodyLimit() + kEpsilon) {
            if (column_ + 1 < columns) {
                ++column_;
                y_ = columnTop_;
            } else {
                nextPage();
            }
        }
        const double width = columns > 1 ? layout_.page.detailWidth() : area_.width();
        const double x = area_.left() + column_ * (width + layout_.page.columnGap);
        drawBand(band, row, x, width);
        y_ += band.height;
        bodyOnPage_ = true;
        return true;
    }

    QString systemText(const ReportElement& e) const {
        switch (e.system) {
        case ReportElement::SystemValue::Date:
            return e.text + now_.toString(QStringLiteral("dd.MM.yyyy"));
        case ReportElement::SystemValue::Time:
            return e.text + now_.toString(QStringLiteral("hh:mm"));
        case ReportElement::SystemValue::DateTime:
            return e.text + now_.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
        case ReportElement::SystemValue::PageNumber:
            return e.text + QString::number(pageNo_);
        }
        return e.text;
    }

    void drawBand(const ReportBand& band, const RowSource* row, double x, double width) {
        auto& items = out_.pages.back().items;
        const QRectF bandRect(x, y_, width, band.height);
        if (band.colour.isValid())
            items.emplace_back(RectItem{band.name, bandRect, band.colour, QColor(), 0});
        for (const ReportElement& e : band.elements) {
            if (!e.visible)
                continue;
            QRectF box = e.box.translated(x, y_);
            if (e.acrossBand) {
                box.setLeft(x);
                box.setWidth(width);
            }
            switch (e.kind) {
            case ReportElement::Kind::Label:
            case ReportElement::Kind::Field:
            case ReportElement::Kind::System: {
                if (box.height() <= 0)
                    box.setHeight(e.font.lineHeight());
                if (box.width() <= 0)
                    box.setRight(x + width);
                QString text;
                if (e.kind == ReportElement::Kind::Label)
                    text = e.text;
                else if (e.kind == ReportElement::Kind::Field)
                    text = row ? row->text(e.field) : QString();
                else
                    text = systemText(e);
                items.emplace_back(
                    TextItem{e.name, box, text, e.font, e.align, e.background, e.autoSize});
                break;
            }
            case ReportElement::Kind::Line: {
                QLineF l(box.topLeft(), box.bottomRight());
                if (e.acrossBand)
                    l = QLineF(x, box.top(), x + width, box.top());
                items.emplace_back(LineItem{e.name, l, e.pen, e.penWidth});
                break;
            }
            case ReportElement::Kind::Rect:
                items.emplace_back(RectItem{e.name, box, e.fill, e.pen, e.penWidth});
                break;
            case ReportElement::Kind::Image:
                if (!e.image.isNull())
                    items.emplace_back(ImageItem{e.name, box, e.image});
                break;
            }
        }
        const auto& f = band.frame;
        const QString frameName = band.name + QStringLiteral(".frame");
        if (f.top)
            items.emplace_back(LineItem{frameName, QLineF(bandRect.topLeft(), bandRect.topRight()),
                                        f.colour, f.width});
        if (f.bottom)
            items.emplace_back(LineItem{frameName,
                                        QLineF(bandRect.bottomLeft(), bandRect.bottomRight()),
                                        f.colour, f.width});
        if (f.left)
            items.emplace_back(LineItem{
                frameName, QLineF(bandRect.topLeft(), bandRect.bottomLeft()), f.colour, f.width});
        if (f.right)
            items.emplace_back(LineItem{
                frameName, QLineF(bandRect.topRight(), bandRect.bottomRight()), f.colour, f.width});
    }

    ReportLayout& layout_;
    RowSource* rows_;
    QRectF area_;
    QDateTime now_;
    RenderedReport out_;
    ReportBand *title_, *pageHeader_, *columnHeader_, *groupHeader_, *detail_, *subDetail_,
        *summary_, *footer_;
    int pageNo_ = 0;
    double y_ = 0;
    double columnTop_ = 0;
    int column_ = 0;
    int detailsOnPage_ = 0;
    bool bodyOnPage_ = false;
};

} // namespace

RenderedReport renderReport(ReportLayout& layout, RowSource* rows, const ReportContext& context) {
    return Engine(layout, rows, context).run();
}

QStringList RenderedPage::texts() const {
    QStringList out;
    for (const auto& p : items)
        if (const auto* t = std::get_if<TextItem>(&p))
            out << t->text;
    return out;
}

namespace {
template <class T> const T* byName(const std::vector<Primitive>& items, const QString& name) {
    for (const auto& p : items)
        if (const T* t = std::get_if<T>(&p); t && t->name == name)
            return t;
    return nullptr;
}
} // namespace

const TextItem* RenderedPage::text(const QString& name) const {
    return byName<TextItem>(items, name);
}
const LineItem* RenderedPage::line(const QString& name) const {
    return byName<LineItem>(items, name);
}
const RectItem* RenderedPage::rect(const QString& name) const {
    return byName<RectItem>(items, name);
}
const ImageItem* RenderedPage::image(const QString& name) const {
    return byName<ImageItem>(items, name);
}

} // namespace tallyvex
