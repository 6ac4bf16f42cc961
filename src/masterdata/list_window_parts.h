#pragma once

#include "address_export.h"

#include "widgets/cursor_table_model.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <functional>
#include <span>

class QLabel;
class QWidget;

namespace tallyvex {

class CommandPanel;
class Cursor;
class DataGrid;
class DbNavigator;
class Session;

/// A command panel at the foot of a list window, with its German and English caption.
struct PanelCaption {
    const char* panel;
    const char* german;
    const char* english;
};

/// The green banner with yellow bold text at the top of the shooter and club windows.
QLabel* makeBanner(const QString& objectName, QWidget* parent);

/// The window a full-size window covers: the main window at the top of the parent chain, also
/// when the shooter database is opened from a dialog of the entry list.
QWidget* mainWindowOf(QWidget* parent);

/// The grid of a list window: the cursor's rows, every cell editable in place, Tab moving from
/// cell to cell, deleting only after the window's question.
DataGrid* makeListGrid(QWidget* window, const Session& session, Cursor& cursor,
                       const QVector<GridColumn>& columns);

/// The navigator of a list window with all its buttons, deleting only after the question.
DbNavigator* makeListNavigator(QWidget* window, const Session& session, Cursor& cursor);

/// The bar of command panels at the foot of a list window (`Panel2`); the panels are entered
/// into panels by name, the help panel `Panel17` gets its picture.
QWidget* makeCommandBar(QWidget* window, std::span<const PanelCaption> captions,
                        QHash<QString, CommandPanel*>& panels);

/// Ends the grid's open cell editor, handing what was typed to the cursor's edit buffer.
void closeGridEditor(DataGrid* grid);

/// Runs a command; an error it raises is shown (and logged) like every other error, and the
/// window goes on.
void runCommand(QWidget* window, const std::function<void()>& command);

/// The question before a row of the grid or the navigator is deleted.
bool confirmRowDelete(QWidget* window, const Session& session);

/// Address export of the cursor's rows into the list's file in the data folder, with the wait
/// window while it runs and the notice afterwards.
void exportAddressesOf(QWidget* window, Session& session, Cursor& cursor, AddressList list);

/// Address labels of the cursor's rows in the print preview.
void previewAddressLabels(QWidget* window, Session& session, Cursor& cursor, AddressList list);

} // namespace tallyvex
