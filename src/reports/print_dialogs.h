#pragma once

#include "primitives.h"
#include "report_context.h"

#include <QString>
#include <memory>

class QPainter;
class QPrinter;
class QWidget;

namespace tallyvex {

/// The dialogs a printout may open: the preview, the printer set-up, the folder for a saved
/// PDF and a one-line notice. Printouts reach them through this interface, so tests put in a
/// recorder and never block on a modal dialog.
class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    /// Shows the printout in the modal preview, from which the user prints or saves it.
    virtual void showPreview(const RenderedReport& report, const ReportContext& context,
                             QWidget* parent) = 0;
    /// The printer set-up dialog (printer, copies, orientation, page range); false when the
    /// user cancelled it.
    virtual bool setUpPrinter(QPrinter& printer, const ReportContext& context, QWidget* parent) = 0;
    /// The folder to save a PDF into; empty when the user cancelled.
    virtual QString choosePdfFolder(const QString& start, const ReportContext& context,
                                    QWidget* parent) = 0;
    virtual void inform(const QString& text, QWidget* parent) = 0;
};

/// The real dialogs of the desktop.
class QtPrintDialogs final : public PrintDialogs {
public:
    void showPreview(const RenderedReport& report, const ReportContext& context,
                     QWidget* parent) override;
    bool setUpPrinter(QPrinter& printer, const ReportContext& context, QWidget* parent) override;
    QString choosePdfFolder(const QString& start, const ReportContext& context,
                            QWidget* parent) override;
    void inform(const QString& text, QWidget* parent) override;
};

/// A printer prepared for a printout's paper: the page size and orientation of the layout,
/// drawn on the full sheet (the layout carries its own margins).
std::unique_ptr<QPrinter> printerFor(const RenderedReport& report);

/// Prints a rendered report after the printer set-up dialog; cancelling it prints nothing.
/// Returns whether anything was sent.
bool printWithSetUp(const RenderedReport& report, PrintDialogs& dialogs,
                    const ReportContext& context, QWidget* parent);

/// Saves a rendered report as PDF into a folder the user chooses and says where it went (or
/// why it could not be written). Returns the file written, empty when none.
QString saveAsPdf(const RenderedReport& report, PrintDialogs& dialogs, const ReportContext& context,
                  QWidget* parent, QString* lastFolder = nullptr);

/// A batch of printouts sent straight to the printer after one set-up dialog, all in one print
/// job: the scoresheets of a whole range column. When the dialog is cancelled nothing prints.
class DirectPrintJob final {
public:
    DirectPrintJob(PrintDialogs& dialogs, const ReportContext& context, QWidget* parent = nullptr);
    ~DirectPrintJob();
    DirectPrintJob(const DirectPrintJob&) = delete;
    DirectPrintJob& operator=(const DirectPrintJob&) = delete;

    /// Shows the set-up dialog once, prepared for the paper of the first printout; false when
    /// the user cancelled it.
    bool start(const RenderedReport& first);
    bool started() const { return started_; }
    /// Prints one more report; does nothing unless the job was started.
    void print(const RenderedReport& report);
    /// Ends the job (also done when the job is dropped).
    void finish();
    int pagesPrinted() const { return pages_; }

private:
    PrintDialogs& dialogs_;
    ReportContext context_;
    QWidget* parent_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    bool started_ = false;
    int pages_ = 0;
};

} // namespace tallyvex
