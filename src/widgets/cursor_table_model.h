#pragma once

#include "data/cursor.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <QWidget>

namespace tallyvex {

/// One column of a grid, described as data the way the window layouts list them: the field,
/// the title in both languages, the width, and how the cells look and may be edited.
struct GridColumn {
    QString field{};
    QString titleDe{};
    QString titleEn{};
    int width = 64;
    bool readOnly = false;
    /// Zero: numbers right, everything else left.
    Qt::Alignment alignment = {};
    /// Offered as a drop-down when the cell is edited; typing stays possible.
    QStringList pickList{};
    /// Background of the cells; invalid: the grid's own.
    QColor color{};
    /// Background of the title (yellow on the titles that sort); invalid: the default.
    QColor titleColor{};
    bool hidden = false;

    QString title(bool english) const { return english && !titleEn.isNull() ? titleEn : titleDe; }
};

/// True for the UI language "EN"; everything else shows the German texts.
inline bool isEnglish(const QString& uiLanguage) {
    return uiLanguage.compare(QLatin1String("EN"), Qt::CaseInsensitive) == 0;
}

/// The rows of a cursor as a table for a grid. Rows are read only when the view asks for them
/// (through the cursor's lazy fetching), so a list of 100,000 shooters costs one count and one
/// screenful to show. While the cursor appends a row, that row is shown after the last one.
///
/// Edits go through the cursor's edit buffer: setCellValue() raises the conversion or range
/// error of the field and leaves the buffer as it was; setData() shows that error through the
/// error presenter and refuses the value.
class CursorTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CursorTableModel(QObject* parent = nullptr);

    void setCursor(Cursor* cursor);
    Cursor* cursor() const { return cursor_; }

    void setColumns(const QVector<GridColumn>& columns);
    const QVector<GridColumn>& columns() const { return columns_; }
    const GridColumn& column(int col) const { return columns_[col]; }
    /// The column showing that field (ignoring case), -1 when none does.
    int columnOfField(const QString& field) const;
    /// Position of the column's field in the cursor's table; -1 when the table has none.
    int fieldIndexOf(int col) const;

    void setLanguage(const QString& uiLanguage);
    bool english() const { return english_; }

    /// In-place editing of the columns not marked read-only.
    void setEditable(bool on);
    bool editable() const { return editable_; }
    /// Column edit mode: only this column may be edited and it is painted in the highlight;
    /// -1 ends it.
    void setSoleEditableColumn(int col, const QColor& highlight = QColor());
    int soleEditableColumn() const { return soleColumn_; }

    /// The model row the cursor stands on (the appended row while inserting); -1 for none.
    int currentRow() const;
    /// The extra row of an append in progress, -1 when there is none.
    int insertRow() const;
    /// Makes the row current on the cursor (storing a changed row it leaves). False when
    /// there is no such row.
    bool moveCursorTo(int row);

    /// Puts the value into the row's field: moves the cursor there, opens the edit and sets the
    /// value. Raises the field's ConversionError or RangeError; the buffer keeps its old value.
    void setCellValue(int row, int col, const QVariant& value);

    /// Where the refusals of setData() are shown.
    void setErrorParent(QWidget* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

Q_SIGNALS:
    /// Another row became current on the cursor (or the rows were read again).
    void cursorRowChanged(int row);

private:
    void reread();
    void mapFields();
    void cursorMoved();
    void cursorStateChanged();
    void cursorFieldChanged(const QString& field);
    QVariant valueAt(int row, int fieldIndex) const;
    QString textAt(int row, int fieldIndex) const;
    bool cursorUsable() const { return cursor_ && cursor_->isOpen(); }

    QPointer<Cursor> cursor_;
    QVector<GridColumn> columns_;
    QVector<int> fieldIndexes_;
    bool english_ = false;
    bool editable_ = false;
    int soleColumn_ = -1;
    QColor soleColor_;
    int lastCurrent_ = -1;
    Cursor::State lastState_ = Cursor::State::Inactive;
    QPointer<QWidget> errorParent_;
    QMetaObject::Connection rowsConn_, currentConn_, stateConn_, fieldConn_, destroyedConn_;
};

} // namespace tallyvex
