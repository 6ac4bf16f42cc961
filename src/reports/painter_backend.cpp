#include "painter_backend.h"

#include "data/errors.h"

#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace tallyvex {

QFont printFont(const ReportFont& f) {
    QString family = QStringLiteral("Liberation Sans");
    bool bold = f.bold;
    const QString design = f.family.trimmed();
    if (design.compare(QLatin1String("Arial Narrow"), Qt::CaseInsensitive) == 0)
        family = QStringLiteral("Liberation Sans Narrow");
    else if (design.startsWith(QLatin1String("Courier"), Qt::CaseInsensitive))
        family = QStringLiteral("Liberation Mono");
    else if (design.compare(QLatin1String("Arial Black"), Qt::CaseInsensitive) == 0)
        bold = true;
    QFont font(family);
    font.setPointSizeF(f.points > 0 ? f.points : 10.0);
    font.setBold(bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

namespace {

int alignFlags(Align a) {
    switch (a) {
    case Align::Left:
        return Qt::AlignLeft;
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

QRectF scaled(const QRectF& r, double k) {
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

QPen penOf(const QColor& colour, double widthMm, double k) {
    QPen pen(colour);
    pen.setWidthF(std::max(widthMm * k, 1.0));
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

} // namespace

void paintPage(QPainter& painter, const RenderedPage& page, double k) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const Primitive& p : page.items) {
        if (const auto* t = std::get_if<TextItem>(&p)) {
            const QRectF box = scaled(t->box, k);
            const int flags = alignFlags(t->align) | Qt::AlignTop | Qt::TextDontClip;
            painter.setFont(printFont(t->font));
            if (t->background.isValid()) {
                const QRectF back = t->autoSize ? painter.boundingRect(box, flags, t->text) : box;
                painter.fillRect(back, t->background);
            }
            painter.setPen(t->font.color);
            painter.drawText(box, flags, t->text);
        } else if (const auto* l = std::get_if<LineItem>(&p)) {
            if (!l->colour.isValid())
                continue;
            painter.setPen(penOf(l->colour, l->width, k));
            painter.drawLine(QLineF(l->line.p1() * k, l->line.p2() * k));
        } else if (const auto* r = std::get_if<RectItem>(&p)) {
            painter.setPen(r->outline.isValid() ? penOf(r->outline, r->width, k) : QPen(Qt::NoPen));
            painter.setBrush(r->fill.isValid() ? QBrush(r->fill) : QBrush(Qt::NoBrush));
            painter.drawRect(scaled(r->box, k));
        } else if (const auto* i = std::get_if<ImageItem>(&p)) {
            painter.drawImage(scaled(i->box, k), i->image);
        }
    }
    painter.restore();
}

QImage pageImage(const RenderedReport& report, int page, double dpi) {
    const double k = dpi / 25.4;
    QImage image(qRound(report.paperSize.width() * k), qRound(report.paperSize.height() * k),
                 QImage::Format_RGB32);
    const int dpm = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dpm);
    image.setDotsPerMeterY(dpm);
    image.fill(Qt::white);
    if (page >= 0 && page < int(report.pages.size())) {
        QPainter painter(&image);
        paintPage(painter, report.pages[std::size_t(page)], k);
    }
    return image;
}

void writePdf(const RenderedReport& report, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw FileError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
    {
        QPdfWriter writer(&file);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("Tallyvex"));
        writer.setResolution(600);
        writer.setPageLayout(report.pageLayout);
        QPainter painter;
        if (!painter.begin(&writer))
            throw FileError(QStringLiteral("Cannot write %1").arg(path));
        const double k = writer.resolution() / 25.4;
        for (std::size_t i = 0; i < report.pages.size(); ++i) {
            if (i > 0)
                writer.newPage();
            paintPage(painter, report.pages[i], k);
        }
        painter.end();
    }
    if (!file.commit())
        throw FileError(QStringLiteral("Cannot write %1: %2").arg(path, file.errorString()));
}

QString pdfFileName(const QString& title) {
    QString name;
    for (const QChar c : title.trimmed()) {
        if (c.unicode() < 32 || QStringLiteral("/\\:*?\"<>|").contains(c))
            name += QLatin1Char('_');
        else
            name += c;
    }
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        name = QStringLiteral("Tallyvex");
    return name + QStringLiteral(".pdf");
}

int printPages(QPainter& painter, QPrinter& printer, const RenderedReport& report,
               bool startsWithNewPage) {
    const int count = int(report.pages.size());
    int from = 1, to = count;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        from = std::max(1, printer.fromPage());
        to = std::min(count, printer.toPage() > 0 ? printer.toPage() : count);
    }
    const double k = printer.resolution() / 25.4;
    int printed = 0;
    for (int p = from; p <= to; ++p) {
        if (startsWithNewPage || printed > 0)
            printer.newPage();
        paintPage(painter, report.pages[std::size_t(p - 1)], k);
        ++printed;
    }
    return printed;
}

} // namespace tallyvex
