#pragma once

#include "cursor_table_model.h"

#include <QTableView>
#include <functional>

namespace tallyvex {

/// The data-aware grid of the windows: a table view over one cursor whose current row and the
/// view's current row follow each other both ways. A click on a title reports the column's
/// field (the window maps it to a named order); in-place editing can be switched on for the
/// columns not marked read-only, or for exactly one column in the entry list's column edit
/// mode, which ends as soon as the focus leaves that column or the grid.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    void setCursor(Cursor* cursor);
    Cursor* cursor() const { return model_->cursor(); }
    CursorTableModel* tableModel() const { return model_; }

    void setColumns(const QVector<GridColumn>& columns);
    /// Applies the titles of the UI language ("DE" or "EN").
    void setLanguage(const QString& uiLanguage);

    /// Whole-row selection (the default) or single cells.
    void setRowSelect(bool on);
    bool rowSelect() const { return rowSelect_; }
    /// In-place editing of the columns not marked read-only (off by default).
    void setEditing(bool on);
    bool editing() const { return editing_; }
    /// Opens the cell editor as soon as a cell becomes current, not only on a key or a click.
    void setAlwaysShowEditor(bool on);
    /// The highlighted row stays visible in the office's colours while the grid has no focus.
    void setSelectionAlwaysVisible(bool on);
    /// Asked before Ctrl+Del deletes the current row while editing is on; without it the
    /// grid does not delete from the keyboard.
    void setConfirmDelete(std::function<bool()> confirm) { confirmDelete_ = std::move(confirm); }

    /// The entry list's column edit mode: the grid is reset to read-only row selection, then
    /// only this field's column becomes editable, painted yellow, with the focus in it.
    /// False when the grid shows no such field.
    bool startColumnEdit(const QString& field);
    void endColumnEdit();
    bool inColumnEdit() const { return editColumn_ >= 0; }
    int columnEditColumn() const { return editColumn_; }

    /// Hands what was typed into the open cell editor to the cursor's edit buffer and closes
    /// the editor; call it before a command moves or re-orders the cursor. An editor open on
    /// a row that has since moved writes nothing.
    void commitEditor();

    /// Makes the view's current row the cursor's again (after the window moved the cursor
    /// while the grid was detached).
    void syncFromCursor();

Q_SIGNALS:
    /// A title was clicked; the field of its column.
    void titleClicked(const QString& field);
    /// A press anywhere in the grid, on a row or on the empty area below the rows.
    void gridClicked();
    void gridDoubleClicked();
    void contextMenuWanted(const QPoint& globalPos);
    void columnEditEnded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void viewRowChanged(const QModelIndex& current, const QModelIndex& previous);
    void applyColumnLayout();
    void applyEditTriggers();
    void focusMoved(QWidget* now);
    bool tryAction(const std::function<void()>& action);

    CursorTableModel* model_;
    QVector<int> widths_;
    bool rowSelect_ = true;
    bool editing_ = false;
    bool alwaysShowEditor_ = false;
    bool syncing_ = false;
    bool resetting_ = false; ///< the model is being read again
    bool applyingLayout_ = false;
    int editColumn_ = -1;
    std::function<bool()> confirmDelete_;
    QMetaObject::Connection focusConn_;
};

} // namespace tallyvex
