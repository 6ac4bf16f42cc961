#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace tallyvex {

class Cursor;
class CursorTableModel;
class Session;

/// Registration of a shooter for the current competition (`TF_NEUERSCHUETZE`): the office picks
/// the shooter from the shooter database, or adds a new one to it first. Confirming with no
/// shooter picked registers nobody.
class TF_NEUERSCHUETZE : public QDialog {
    Q_OBJECT
public:
    /// shooters is the shooter database cursor, open in last-name order.
    TF_NEUERSCHUETZE(Session& session, Cursor& shooters, QWidget* parent = nullptr);
    ~TF_NEUERSCHUETZE() override;

    /// Opens the shooter database window; it honours the hand-over key the dialog sets.
    void setShooterDatabaseWindow(std::function<void()> window) {
        shooterWindow_ = std::move(window);
    }

    /// The key (`Autoincrease`) of the shooter picked; 0 while none is.
    qint64 chosenShooter() const { return chosen_; }
    /// Picks the shooter at that line of the lookup (in last-name order); -1 picks nobody.
    void chooseLine(int line);
    /// "Datensatz für nicht gespeicherten Schützen anlegen": a new shooter through the shooter
    /// database window, picked here afterwards.
    void addNewShooter();
    /// "Schützen übernehmen": confirms when a shooter is picked.
    void confirm();

    QComboBox* lookup() const { return lookup_; }

private:
    void showChosen();

    Session& session_;
    Cursor& shooters_;
    CursorTableModel* model_;
    QComboBox* lookup_;
    QLabel* chosenLine_;
    QPushButton* newShooter_;
    QPushButton* take_;
    QPushButton* cancel_;
    std::function<void()> shooterWindow_;
    qint64 chosen_ = 0;
};

} // namespace tallyvex
