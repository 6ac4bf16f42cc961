#pragma once

#include "address_export.h"

#include <QString>
#include <functional>

class QLabel;
class QWidget;

namespace tallyvex {

class Cursor;
class DataGrid;
class Session;

/// The green banner with yellow bold text at the top of the shooter and club windows.
QLabel* makeBanner(const QString& objectName, QWidget* parent);

/// The window a full-size window covers: the main window at the top of the parent chain, also
/// when the shooter database is opened from a dialog of the entry list.
QWidget* mainWindowOf(QWidget* parent);

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
