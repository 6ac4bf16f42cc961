#include "cursor_table_model.h"

#include "error_presenter.h"

#include <QBrush>

namespace tallyvex {

CursorTableModel::CursorTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void CursorTableModel::setCursor(Cursor* cursor) {
    beginResetModel();
    for (auto* c : {&rowsConn_, &currentConn_, &stateConn_, &fieldConn_, &destroyedConn_})
        disconnect(*c);
    cursor_ = cursor;
    if (cursor) {
        rowsConn_ = connect(cursor, &Cursor::rowsChanged, this, &CursorTableModel::reread);
        currentConn_ =
            connect(cursor, &Cursor::currentChanged, this, &CursorTableModel::cursorMoved);
        stateConn_ =
            connect(cursor, &Cursor::stateChanged, this, &CursorTableModel::cursorStateChanged);
        fieldConn_ =
            connect(cursor, &Cursor::fieldChanged, this, &CursorTableModel::cursorFieldChanged);
        destroyedConn_ = connect(cursor, &QObject::destroyed, this, [this] {
            beginResetModel();
            endResetModel();
        });
    }
    mapFields();
    lastState_ = cursorUsable() ? cursor_->state() : Cursor::State::Inactive;
    lastCurrent_ = currentRow();
    endResetModel();
}

void CursorTableModel::setColumns(const QVector<GridColumn>& columns) {
    beginResetModel();
    columns_ = columns;
    mapFields();
    endResetModel();
}

void CursorTableModel::mapFields() {
    fieldIndexes_.clear();
    for (const auto& c : columns_)
        fieldIndexes_ << (cursor_ ? cursor_->table().fieldIndex(c.field) : -1);
    if (soleColumn_ >= columns_.size())
        soleColumn_ = -1;
}

int CursorTableModel::columnOfField(const QString& field) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].field.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int CursorTableModel::fieldIndexOf(int col) const {
    return col >= 0 && col < fieldIndexes_.size() ? fieldIndexes_[col] : -1;
}

void CursorTableModel::setLanguage(const QString& uiLanguage) {
    english_ = isEnglish(uiLanguage);
    if (!columns_.isEmpty())
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(columns_.size()) - 1);
}

void CursorTableModel::setEditable(bool on) {
    if (editable_ == on)
        return;
    editable_ = on;
    // Flags are read by the view when it opens an editor; nothing to repaint.
}

void CursorTableModel::setSoleEditableColumn(int col, const QColor& highlight) {
    const int old = soleColumn_;
    soleColumn_ = col >= 0 && col < columns_.size() ? col : -1;
    soleColor_ = highlight;
    const int rows = rowCount();
    for (int c : {old, soleColumn_})
        if (c >= 0 && rows > 0)
            Q_EMIT dataChanged(index(0, c), index(rows - 1, c), {Qt::BackgroundRole});
}

int CursorTableModel::insertRow() const {
    if (!cursorUsable() || cursor_->state() != Cursor::State::Insert)
        return -1;
    return cursor_->recordCount();
}

int CursorTableModel::currentRow() const {
    if (!cursorUsable())
        return -1;
    if (cursor_->state() == Cursor::State::Insert)
        return cursor_->recordCount();
    return cursor_->recNo();
}

bool CursorTableModel::moveCursorTo(int row) {
    if (!cursorUsable())
        return false;
    if (row == insertRow())
        return true;
    if (cursor_->state() != Cursor::State::Insert && row == cursor_->recNo())
        return true;
    return cursor_->moveTo(row);
}

void CursorTableModel::setCellValue(int row, int col, const QVariant& value) {
    const int fi = fieldIndexOf(col);
    if (!cursorUsable() || fi < 0)
        throw StorageError(QStringLiteral("The grid has no field to store this value in."));
    if (!moveCursorTo(row))
        throw StorageError(QStringLiteral("Row %1 of %2 does not exist any more.")
                               .arg(row + 1)
                               .arg(cursor_->table().name));
    if (cursor_->state() == Cursor::State::Browse)
        cursor_->edit();
    cursor_->setValue(fi, value);
}

void CursorTableModel::setErrorParent(QWidget* parent) {
    errorParent_ = parent;
}

int CursorTableModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || !cursorUsable())
        return 0;
    return cursor_->recordCount() + (cursor_->state() == Cursor::State::Insert ? 1 : 0);
}

int CursorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(columns_.size());
}

QVariant CursorTableModel::valueAt(int row, int fi) const {
    if (row == insertRow())
        return cursor_->value(fi);
    return cursor_->valueAt(row, fi);
}

QString CursorTableModel::textAt(int row, int fi) const {
    if (row == insertRow())
        return cursor_->displayText(cursor_->table().fields[size_t(fi)].name);
    return cursor_->displayTextAt(row, fi);
}

QVariant CursorTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !cursorUsable())
        return {};
    const GridColumn& col = columns_[index.column()];
    const int fi = fieldIndexes_[index.column()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return fi >= 0 ? QVariant(textAt(index.row(), fi)) : QVariant(QString());
    case Qt::TextAlignmentRole: {
        Qt::Alignment a = col.alignment;
        if (!(a & Qt::AlignHorizontal_Mask)) {
            // Amounts and counts line up on the right; texts, dates and times read from the left.
            const FieldType t =
                fi >= 0 ? cursor_->table().fields[size_t(fi)].type : FieldType::Text;
            const bool number = t == FieldType::Float || t == FieldType::Int16 ||
                                t == FieldType::Int32 || t == FieldType::AutoInc;
            a |= number ? Qt::AlignRight : Qt::AlignLeft;
        }
        if (!(a & Qt::AlignVertical_Mask))
            a |= Qt::AlignVCenter;
        return QVariant::fromValue(a);
    }
    case Qt::BackgroundRole:
        if (index.column() == soleColumn_ && soleColor_.isValid())
            return QBrush(soleColor_);
        if (col.color.isValid())
            return QBrush(col.color);
        return {};
    case Qt::ForegroundRole:
        if ((index.column() == soleColumn_ && soleColor_.isValid()) || col.color.isValid())
            return QBrush(Qt::black);
        return {};
    default:
        return {};
    }
}

QVariant CursorTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columns_.size())
            return {};
        const GridColumn& col = columns_[section];
        if (role == Qt::DisplayRole)
            return col.title(english_);
        if (role == Qt::BackgroundRole && col.titleColor.isValid())
            return QBrush(col.titleColor);
        if (role == Qt::ForegroundRole && col.titleColor.isValid())
            return QBrush(Qt::black);
        return {};
    }
    // The row indicator: where the cursor stands, and whether that row is being edited.
    if (role == Qt::DisplayRole) {
        if (!cursorUsable() || section != currentRow())
            return QString();
        switch (cursor_->state()) {
        case Cursor::State::Insert:
            return QStringLiteral("*");
        case Cursor::State::Edit:
            return QStringLiteral("I");
        default:
            return QStringLiteral("\u25b6");
        }
    }
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    return {};
}

Qt::ItemFlags CursorTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int fi = fieldIndexes_[index.column()];
    if (!editable_ || fi < 0 || !cursorUsable())
        return f;
    if (cursor_->table().fields[size_t(fi)].type == FieldType::AutoInc)
        return f;
    const bool open =
        soleColumn_ >= 0 ? index.column() == soleColumn_ : !columns_[index.column()].readOnly;
    return open ? f | Qt::ItemIsEditable : f;
}

bool CursorTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int fi = fieldIndexes_[index.column()];
    // An editor closed without a change hands back the shown text: that is no edit.
    if (value.toString() == textAt(index.row(), fi))
        return true;
    try {
        setCellValue(index.row(), index.column(), value);
    } catch (const Error& e) {
        presentError(errorParent_, e);
        return false;
    }
    return true;
}

void CursorTableModel::reread() {
    beginResetModel();
    lastState_ = cursorUsable() ? cursor_->state() : Cursor::State::Inactive;
    endResetModel();
    lastCurrent_ = currentRow();
    Q_EMIT cursorRowChanged(lastCurrent_);
}

void CursorTableModel::cursorMoved() {
    const int now = currentRow();
    const int before = lastCurrent_;
    lastCurrent_ = now;
    const int rows = rowCount();
    for (int r : {before, now})
        if (r >= 0 && r < rows)
            Q_EMIT headerDataChanged(Qt::Vertical, r, r);
    if (now != before)
        Q_EMIT cursorRowChanged(now);
}

void CursorTableModel::cursorStateChanged() {
    const Cursor::State now = cursorUsable() ? cursor_->state() : Cursor::State::Inactive;
    const bool rowsDiffer =
        (now == Cursor::State::Insert) != (lastState_ == Cursor::State::Insert) ||
        (now == Cursor::State::Inactive) != (lastState_ == Cursor::State::Inactive);
    if (rowsDiffer) {
        reread();
        return;
    }
    lastState_ = now;
    const int r = currentRow();
    if (r >= 0 && r < rowCount() && !columns_.isEmpty()) {
        Q_EMIT dataChanged(index(r, 0), index(r, int(columns_.size()) - 1));
        Q_EMIT headerDataChanged(Qt::Vertical, r, r);
    }
}

void CursorTableModel::cursorFieldChanged(const QString&) {
    const int r = currentRow();
    if (r >= 0 && r < rowCount() && !columns_.isEmpty())
        Q_EMIT dataChanged(index(r, 0), index(r, int(columns_.size()) - 1));
}

} // namespace tallyvex
