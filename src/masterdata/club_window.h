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

/// The club list: the clubs whose names the shooter details offer, with contact person and
/// address, edited in place. Like the shooter database it sorts, searches, exports the
/// addresses and prints labels.
class TF_VER : public FullSizeWindow {
    Q_OBJECT
public:
    TF_VER(Session& session, QWidget* parent = nullptr);
    ~TF_VER() override;

    static QVector<GridColumn> gridColumns();
    /// The named order a title click on the column of that field chooses; empty for none.
    static QString indexOfField(const QString& field);

    DataGrid* grid() const { return grid_; }
    DbNavigator* navigator() const { return navigator_; }
    CommandPanel* panel(const QString& name) const { return panels_.value(name); }
    Cursor& clubs() const;

    void sortByField(const QString& field); // title click
    void search();                          // Panel5
    void printLabels();                     // Panel8, Image2
    void exportAddresses();                 // Panel3
    void showHelp();                        // Panel17, Image4
    void closeCommand();                    // Panel4

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showStep();

    Session& session_;
    QLabel* banner_;
    DataGrid* grid_;
    DbNavigator* navigator_;
    QHash<QString, CommandPanel*> panels_;
    bool shown_ = false;
};

} // namespace tallyvex
