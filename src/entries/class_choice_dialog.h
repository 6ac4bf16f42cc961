#pragma once

#include <QDialog>
#include <optional>

namespace tallyvex {

class Cursor;
class DataGrid;
class DbNavigator;
class Session;

/// The class choice of a registration (`TF_AUSWL`): the class list of the range, which can be
/// kept up to date right here, and a double click (or Enter) on the class the new shooter
/// shoots in. The class list is open only while the dialog is.
class TF_AUSWL : public QDialog {
    Q_OBJECT
public:
    TF_AUSWL(Session& session, Cursor& classes, QWidget* parent = nullptr);
    ~TF_AUSWL() override;

    /// The class chosen by a double click or Enter; none when the dialog was closed otherwise.
    const std::optional<QString>& chosenClass() const { return chosen_; }
    /// Takes the class of the current row, as a double click on it does.
    void chooseCurrent();

    DataGrid* grid() const { return grid_; }
    DbNavigator* navigator() const { return navigator_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    Cursor& classes_;
    bool wasOpen_;
    DataGrid* grid_;
    DbNavigator* navigator_;
    std::optional<QString> chosen_;
};

} // namespace tallyvex
