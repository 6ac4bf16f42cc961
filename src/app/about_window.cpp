#include "about_window.h"

#include "app/session.h"
#include "widgets/command_panel.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace tallyvex {

TFAB::TFAB(Session& session, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      session_(session) {
    setObjectName(QStringLiteral("TFAB"));
    setWindowTitle(QStringLiteral("Über Tallyvex"));
    setModal(true);
    setFixedSize(772, 506);
    QFont face(QStringLiteral("Arial"));
    face.setPixelSize(16);
    setFont(face);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 16, 0, 0);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("Image1"));
    logo->setAlignment(Qt::AlignCenter);
    if (!session.logo().isNull())
        logo->setPixmap(QPixmap::fromImage(
            session.logo().scaled(360, 180, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    layout->addWidget(logo, 1);

    auto* block = new QWidget(this);
    auto* grid = new QGridLayout(block);
    grid->setContentsMargins(140, 8, 140, 16);
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(16);
    bold.setBold(true);
    auto* name = new QLabel(QStringLiteral("Quorvane Tallyvex"), block);
    name->setObjectName(QStringLiteral("Label1"));
    QFont big = bold;
    big.setPixelSize(24);
    name->setFont(big);
    grid->addWidget(name, 0, 0, 1, 2);
    auto* versionLabel = new QLabel(QStringLiteral("Version:"), block);
    versionLabel->setFont(bold);
    auto* version = new QLabel(QStringLiteral(TALLYVEX_VERSION), block);
    version->setObjectName(QStringLiteral("L_VERSION"));
    grid->addWidget(versionLabel, 1, 0);
    grid->addWidget(version, 1, 1);
    auto* webLabel = new QLabel(QStringLiteral("Web:"), block);
    webLabel->setFont(bold);
    auto* web = new QLabel(session.webAddress(), block);
    web->setObjectName(QStringLiteral("L_WEB"));
    web->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(webLabel, 2, 0);
    grid->addWidget(web, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addWidget(block);

    close_ = new CommandPanel(QStringLiteral("Panel1"), QStringLiteral("SCHLIESSEN"),
                              QStringLiteral("Close"), this);
    close_->setFixedHeight(45);
    layout->addWidget(close_);
    connect(close_, &CommandPanel::clicked, this, &TFAB::closeWindow);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFAB::closeWindow() {
    closing_ = true;
    accept();
}

void TFAB::reject() {
    if (closing_)
        QDialog::reject();
}

void TFAB::showEvent(QShowEvent* event) {
    close_->applyLanguage(session_.language());
    QDialog::showEvent(event);
}

void TFAB::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace tallyvex
