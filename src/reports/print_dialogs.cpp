#include "print_dialogs.h"

#include "data/errors.h"
#include "painter_backend.h"
#include "print_preview.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace tallyvex {

void QtPrintDialogs::showPreview(const RenderedReport& report, const ReportContext& context,
                                 QWidget* parent) {
    PrintPreviewDialog dialog(report, context, *this, parent);
    dialog.exec();
}

bool QtPrintDialogs::setUpPrinter(QPrinter& printer, const ReportContext& context,
                                  QWidget* parent) {
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(context.tr(QStringLiteral("Drucken"), QStringLiteral("Print")));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    return dialog.exec() == QDialog::Accepted;
}

QString QtPrintDialogs::choosePdfFolder(const QString& start, const ReportContext& context,
                                        QWidget* parent) {
    return QFileDialog::getExistingDirectory(parent,
                                             context.tr(QStringLiteral("Ordner für die PDF-Datei"),
                                                        QStringLiteral("Folder for the PDF file")),
                                             start);
}

void QtPrintDialogs::inform(const QString& text, QWidget* parent) {
    QMessageBox::information(parent, QStringLiteral("Tallyvex"), text);
}

std::unique_ptr<QPrinter> printerFor(const RenderedReport& report) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageLayout(report.pageLayout);
    printer->setFullPage(true);
    printer->setDocName(report.title);
    return printer;
}

bool printWithSetUp(const RenderedReport& report, PrintDialogs& dialogs,
                    const ReportContext& context, QWidget* parent) {
    auto printer = printerFor(report);
    if (!dialogs.setUpPrinter(*printer, context, parent))
        return false;
    QPainter painter;
    if (!painter.begin(printer.get()))
        throw FileError(
            QStringLiteral("The printer %1 could not be opened.").arg(printer->printerName()));
    const int pages = printPages(painter, *printer, report);
    painter.end();
    return pages > 0;
}

QString saveAsPdf(const RenderedReport& report, PrintDialogs& dialogs, const ReportContext& context,
                  QWidget* parent, QString* lastFolder) {
    const QString start = lastFolder && !lastFolder->isEmpty() ? *lastFolder : QDir::homePath();
    const QString folder = dialogs.choosePdfFolder(start, context, parent);
    if (folder.isEmpty())
        return {};
    if (lastFolder)
        *lastFolder = folder;
    const QString path = QDir(folder).filePath(pdfFileName(report.title));
    try {
        writePdf(report, path);
    } catch (const FileError&) {
        dialogs.inform(context.tr(QStringLiteral("Die PDF-Datei konnte nicht geschrieben werden: "),
                                  QStringLiteral("The PDF file could not be written: ")) +
                           QDir::toNativeSeparators(path),
                       parent);
        return {};
    }
    dialogs.inform(context.tr(QStringLiteral("Die PDF-Datei wurde gespeichert: "),
                              QStringLiteral("The PDF file has been saved: ")) +
                       QDir::toNativeSeparators(path),
                   parent);
    return path;
}

DirectPrintJob::DirectPrintJob(PrintDialogs& dialogs, const ReportContext& context, QWidget* parent)
    : dialogs_(dialogs), context_(context), parent_(parent) {}

DirectPrintJob::~DirectPrintJob() {
    finish();
}

bool DirectPrintJob::start(const RenderedReport& first) {
    if (started_ || printer_)
        return started_;
    printer_ = printerFor(first);
    if (!dialogs_.setUpPrinter(*printer_, context_, parent_))
        return false;
    started_ = true;
    return true;
}

void DirectPrintJob::print(const RenderedReport& report) {
    if (!started_)
        return;
    if (!painter_) {
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(printer_.get())) {
            painter_.reset();
            started_ = false;
            throw FileError(
                QStringLiteral("The printer %1 could not be opened.").arg(printer_->printerName()));
        }
    }
    pages_ += printPages(*painter_, *printer_, report, pages_ > 0);
}

void DirectPrintJob::finish() {
    if (painter_) {
        painter_->end();
        painter_.reset();
    }
    started_ = false;
}

} // namespace tallyvex
