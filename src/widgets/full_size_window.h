#pragma once

#include <QDialog>

namespace tallyvex {

/// The run's close permission as a full-size window sees it. The session holds it; the widget
/// kit only asks and sets it, so it needs to know nothing of the session.
class ClosePermission {
public:
    virtual ~ClosePermission() = default;
    virtual bool closeAllowed() const = 0;
    virtual void setCloseAllowed(bool allowed) = 0;
};

/// The base of the big working windows of the main menu (selection, setup, entry list, teams,
/// timetable, score entry, results, clubs, shooters). They have no frame, are modal and cover
/// the main window below its title bar, so the office sees the program's name all the time.
/// Such a window closes only through its own closing command: showing it takes the close
/// permission away, closeWindow() gives it back; until then the close box, Alt+F4 and Escape
/// are refused.
class FullSizeWindow : public QDialog {
    Q_OBJECT
public:
    /// mainWindow is the window to cover; its child named titleBarName stays visible.
    FullSizeWindow(QWidget* mainWindow, ClosePermission& permission,
                   const QString& titleBarName = QStringLiteral("Panel1"));

    /// The window's own closing command: gives the close permission back and closes.
    void closeWindow(int result = QDialog::Accepted);

    /// The screen area the window covers: the main window less its title bar.
    QRect coveredArea() const;

    void done(int result) override;

protected:
    ClosePermission& permission() { return permission_; }
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* mainWindow_;
    ClosePermission& permission_;
    QString titleBarName_;
};

} // namespace tallyvex
