#include "full_size_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace tallyvex {

FullSizeWindow::FullSizeWindow(QWidget* mainWindow, ClosePermission& permission,
                               const QString& titleBarName)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint), mainWindow_(mainWindow),
      permission_(permission), titleBarName_(titleBarName) {
    setModal(true);
}

void FullSizeWindow::closeWindow(int result) {
    permission_.setCloseAllowed(true);
    done(result);
}

QRect FullSizeWindow::coveredArea() const {
    if (!mainWindow_) {
        QScreen* screen = QGuiApplication::primaryScreen();
        return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    }
    QRect area = mainWindow_->geometry();
    if (const auto* bar = mainWindow_->findChild<QWidget*>(titleBarName_))
        area.setTop(area.top() + bar->geometry().bottom() + 1);
    return area;
}

void FullSizeWindow::done(int result) {
    if (!permission_.closeAllowed())
        return;
    QDialog::done(result);
}

void FullSizeWindow::showEvent(QShowEvent* event) {
    setGeometry(coveredArea());
    permission_.setCloseAllowed(false);
    QDialog::showEvent(event);
}

void FullSizeWindow::closeEvent(QCloseEvent* event) {
    if (!permission_.closeAllowed()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace tallyvex
