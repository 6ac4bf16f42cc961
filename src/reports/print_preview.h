#pragma once

#include "primitives.h"
#include "print_dialogs.h"
#include "report_context.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace tallyvex {

/// The modal print preview: one page at a time, page navigation, zoom, printing after the
/// printer set-up dialog, and saving the printout as PDF into a folder the user chooses.
class PrintPreviewDialog final : public QDialog {
    Q_OBJECT
public:
    PrintPreviewDialog(const RenderedReport& report, const ReportContext& context,
                       PrintDialogs& dialogs, QWidget* parent = nullptr);

    int pageCount() const { return int(report_.pages.size()); }
    /// The page shown, from 0.
    int currentPage() const { return page_; }
    void showPage(int page);
    /// Zoom as a factor of the page's real size on a 96-dpi screen.
    void setZoom(double factor);
    double zoom() const { return zoom_; }
    bool print();
    QString savePdf();

private:
    void updatePage();
    void applyCaptions();

    const RenderedReport& report_;
    ReportContext context_;
    PrintDialogs& dialogs_;
    int page_ = 0;
    double zoom_ = 1.0;
    QString lastFolder_;

    QPushButton* first_;
    QPushButton* prior_;
    QPushButton* next_;
    QPushButton* last_;
    QLabel* pageLabel_;
    QComboBox* zoomBox_;
    QPushButton* print_;
    QPushButton* save_;
    QPushButton* close_;
    QScrollArea* scroll_;
    QLabel* canvas_;
};

} // namespace tallyvex
