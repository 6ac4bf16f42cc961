#pragma once

#include "widgets/cursor_table_model.h"
#include "widgets/full_size_window.h"

#include <QHash>

class QLabel;

namespace tallyvex {

class CommandPanel;
class Cursor;
class DataGrid;
class DbNavigator;
class Session;

/// The shooter database: the permanent list of shooters the office registers for its
/// competitions. It edits, sorts and searches the list in place, opens the details of one
/// shooter, and writes the addresses to a file or prints them on labels.
///
/// It also creates shooters for the entry list: opened with the session's shooter hand-over
/// key at -1 it appends a shooter and opens its details at once; its close command leaves the
/// key of the shooter it stands on in the hand-over key for the caller to pick up.
class TF_SHO : public FullSizeWindow {
    Q_OBJECT
public:
    TF_SHO(Session& session, QWidget* parent = nullptr);
    ~TF_SHO() override;

    /// The grid's columns as the layout lists them (both languages, yellow sortable titles).
    static QVector<GridColumn> gridColumns();
    /// The named order a title click on the column of that field chooses; empty for none.
    static QString indexOfField(const QString& field);

    DataGrid* grid() const { return grid_; }
    DbNavigator* navigator() const { return navigator_; }
    CommandPanel* panel(const QString& name) const { return panels_.value(name); }
    Cursor& shooters() const;

    // The commands of the window.
    void sortByField(const QString& field); // title click
    void searchByLastName();                // Panel5
    void openDetails();                     // Panel_Detailsanzeigen, double click on the grid
    void printLabels();                     // Panel8, Image2
    void exportAddresses();                 // Panel3
    void showHelp();                        // Panel17, Image4
    void closeCommand();                    // Panel4

    /// Runs once, when the shown window becomes active the first time: starts a new shooter
    /// when the caller asked for one.
    void firstActivation();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showStep();
    void applyLanguage();

    Session& session_;
    QLabel* banner_;
    DataGrid* grid_;
    DbNavigator* navigator_;
    QHash<QString, CommandPanel*> panels_;
    bool shown_ = false;
    bool activated_ = false;
};

} // namespace tallyvex
