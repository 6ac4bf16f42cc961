#include "print_preview.h"

#include "painter_backend.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tallyvex {

namespace {
QPushButton* button(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

PrintPreviewDialog::PrintPreviewDialog(const RenderedReport& report, const ReportContext& context,
                                       PrintDialogs& dialogs, QWidget* parent)
    : QDialog(parent), report_(report), context_(context), dialogs_(dialogs) {
    setObjectName(QStringLiteral("PrintPreview"));
    setModal(true);
    setWindowTitle(report.title);
    resize(1000, 800);

    first_ = button(this, "First");
    prior_ = button(this, "Prior");
    next_ = button(this, "Next");
    last_ = button(this, "Last");
    pageLabel_ = new QLabel(this);
    pageLabel_->setObjectName(QStringLiteral("PageLabel"));
    zoomBox_ = new QComboBox(this);
    zoomBox_->setObjectName(QStringLiteral("Zoom"));
    for (int percent : {50, 75, 100, 125, 150, 200})
        zoomBox_->addItem(QStringLiteral("%1 %").arg(percent), percent / 100.0);
    zoomBox_->setCurrentIndex(2);
    print_ = button(this, "Print");
    save_ = button(this, "SavePdf");
    close_ = button(this, "Close");

    auto* bar = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(first_), static_cast<QWidget*>(prior_),
                       static_cast<QWidget*>(pageLabel_), static_cast<QWidget*>(next_),
                       static_cast<QWidget*>(last_), static_cast<QWidget*>(zoomBox_)})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(print_);
    bar->addWidget(save_);
    bar->addWidget(close_);

    canvas_ = new QLabel;
    canvas_->setObjectName(QStringLiteral("Canvas"));
    canvas_->setAlignment(Qt::AlignCenter);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(canvas_);
    scroll_->setWidgetResizable(true);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    connect(first_, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(prior_, &QPushButton::clicked, this, [this] { showPage(page_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(page_ + 1); });
    connect(last_, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(zoomBox_, &QComboBox::currentIndexChanged, this,
            [this](int i) { setZoom(zoomBox_->itemData(i).toDouble()); });
    connect(print_, &QPushButton::clicked, this, [this] { print(); });
    connect(save_, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    applyCaptions();
    updatePage();
}

void PrintPreviewDialog::applyCaptions() {
    first_->setText(QStringLiteral("|<"));
    prior_->setText(QStringLiteral("<"));
    next_->setText(QStringLiteral(">"));
    last_->setText(QStringLiteral(">|"));
    print_->setText(context_.tr(QStringLiteral("Drucken"), QStringLiteral("Print")));
    save_->setText(context_.tr(QStringLiteral("Als PDF speichern"), QStringLiteral("Save as PDF")));
    close_->setText(context_.tr(QStringLiteral("Schließen"), QStringLiteral("Close")));
}

void PrintPreviewDialog::showPage(int page) {
    page_ = std::clamp(page, 0, std::max(0, pageCount() - 1));
    updatePage();
}

void PrintPreviewDialog::setZoom(double factor) {
    zoom_ = std::clamp(factor, 0.25, 4.0);
    updatePage();
}

void PrintPreviewDialog::updatePage() {
    const int count = pageCount();
    pageLabel_->setText(
        count == 0 ? context_.tr(QStringLiteral("Keine Seite"), QStringLiteral("No page"))
                   : context_.tr(QStringLiteral("Seite %1 von %2"), QStringLiteral("Page %1 of %2"))
                         .arg(page_ + 1)
                         .arg(count));
    first_->setEnabled(page_ > 0);
    prior_->setEnabled(page_ > 0);
    next_->setEnabled(page_ + 1 < count);
    last_->setEnabled(page_ + 1 < count);
    print_->setEnabled(count > 0);
    save_->setEnabled(count > 0);
    if (count == 0) {
        canvas_->clear();
        return;
    }
    const double dpr = devicePixelRatioF();
    QImage image = pageImage(report_, page_, 96.0 * zoom_ * dpr);
    image.setDevicePixelRatio(dpr);
    canvas_->setPixmap(QPixmap::fromImage(image));
}

bool PrintPreviewDialog::print() {
    if (pageCount() == 0)
        return false;
    return printWithSetUp(report_, dialogs_, context_, this);
}

QString PrintPreviewDialog::savePdf() {
    if (pageCount() == 0)
        return {};
    return saveAsPdf(report_, dialogs_, context_, this, &lastFolder_);
}

} // namespace tallyvex
