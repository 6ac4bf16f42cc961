#pragma once

#include "reports/print_dialogs.h"

#include <QFile>
#include <QPrinter>
#include <QRegularExpression>
#include <QStringList>

namespace tallyvex::test {

/// Stands in for the desktop's dialogs: answers as told and records what was asked. An
/// accepted printer set-up sends the job to a PDF file, so a test can count what was printed.
class FakePrintDialogs final : public PrintDialogs {
public:
    bool acceptPrinter = true;
    QString printerFile; ///< where an accepted (or cancelled) print job would go
    QString folder;      ///< the folder chosen for a PDF; empty: cancelled
    int previews = 0;
    int printerDialogs = 0;
    QStringList messages;

    void showPreview(const RenderedReport&, const ReportContext&, QWidget*) override { ++previews; }
    bool setUpPrinter(QPrinter& printer, const ReportContext&, QWidget*) override {
        ++printerDialogs;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printerFile);
        return acceptPrinter;
    }
    QString choosePdfFolder(const QString&, const ReportContext&, QWidget*) override {
        return folder;
    }
    void inform(const QString& text, QWidget*) override { messages << text; }
};

/// Pages of a PDF written by the program, counted from its page objects; -1 when unreadable.
inline int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

} // namespace tallyvex::test
