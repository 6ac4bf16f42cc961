#include "wait_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace tallyvex {

TF_WAIT::TF_WAIT(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("TF_WAIT"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(636, 275);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(64, 128, 128));
    p.setColor(QPalette::WindowText, QColor(Qt::yellow));
    setPalette(p);
    setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    panel_ = new QLabel(QStringLiteral("Bitte warten......"), this);
    panel_->setObjectName(QStringLiteral("Panel1"));
    panel_->setAlignment(Qt::AlignCenter);
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(35);
    f.setBold(true);
    panel_->setFont(f);
    layout->addWidget(panel_);
}

void TF_WAIT::begin(const QString& language) {
    ++depth_;
    panel_->setText(language == QLatin1String("EN") ? QStringLiteral("Please wait....")
                                                    : QStringLiteral("Bitte warten......"));
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    raise();
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TF_WAIT::end() {
    if (depth_ > 0 && --depth_ == 0)
        hide();
}

QString TF_WAIT::text() const {
    return panel_->text();
}

} // namespace tallyvex
