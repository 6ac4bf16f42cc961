#include "data_grid.h"

#include "colors.h"
#include "error_presenter.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace tallyvex {

namespace {

/// Cell editors that keep to the field: texts no longer than the field's width, and a
/// drop-down for the columns with a pick list.
class GridDelegate final : public QStyledItemDelegate {
public:
    GridDelegate(CursorTableModel* model, QObject* parent)
        : QStyledItemDelegate(parent), model_(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const GridColumn& col = model_->column(index.column());
        const int width = fieldWidth(index.column());
        if (!col.pickList.isEmpty()) {
            auto* box = new QComboBox(parent);
            box->setEditable(true);
            box->addItems(col.pickList);
            if (width > 0)
                box->lineEdit()->setMaxLength(width);
            box->setProperty(kRowOfEditor, rowIdentity(index.row()));
            return box;
        }
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* edit = qobject_cast<QLineEdit*>(w); edit && width > 0)
            edit->setMaxLength(width);
        if (w)
            w->setProperty(kRowOfEditor, rowIdentity(index.row()));
        return w;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor))
            box->setCurrentText(index.data(Qt::EditRole).toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
        editor->setProperty(kTextShown, editorText(editor));
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override {
        const QVariant text = editorText(editor);
        if (!text.isValid()) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        // An editor left as it was opened writes nothing: the row may have changed since
        // (another window stored it) and the old text must not come back over it.
        if (text == editor->property(kTextShown))
            return;
        // The rows may have been put in another order (a title click, a search) while the
        // editor stayed open; its row number then means another shooter, who must not get
        // this text.
        if (editor->property(kRowOfEditor) != rowIdentity(index.row()))
            return;
        model->setData(index, text, Qt::EditRole);
    }

private:
    static constexpr const char* kRowOfEditor = "tallyvexRowOfEditor";
    static constexpr const char* kTextShown = "tallyvexTextShown";

    static QVariant editorText(QWidget* editor) {
        if (auto* box = qobject_cast<QComboBox*>(editor))
            return box->currentText();
        if (auto* edit = qobject_cast<QLineEdit*>(editor))
            return edit->text();
        return {};
    }

    /// What a row number stands for: the stored row there, or the row being appended.
    QVariant rowIdentity(int row) const {
        Cursor* c = model_->cursor();
        if (!c || !c->isOpen())
            return {};
        if (row == model_->insertRow())
            return qint64(-1);
        return c->rowIdAt(row);
    }

    int fieldWidth(int col) const {
        const int fi = model_->fieldIndexOf(col);
        if (fi < 0 || !model_->cursor())
            return 0;
        const FieldDef& f = model_->cursor()->table().fields[size_t(fi)];
        return f.type == FieldType::Text ? f.width : 0;
    }

    CursorTableModel* model_;
};

} // namespace

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), model_(new CursorTableModel(this)) {
    model_->setErrorParent(this);
    setModel(model_);
    setItemDelegate(new GridDelegate(model_, this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setWordWrap(false);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setMinimumWidth(18);
    verticalHeader()->setHighlightSections(false);
    applyEditTriggers();

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (section < 0 || section >= model_->columns().size())
            return;
        // The title takes no focus, so the editor has not handed over what was typed; it
        // must reach its own row before the window puts the rows in another order.
        commitEditor();
        Q_EMIT titleClicked(model_->column(section).field);
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int size) {
                if (!applyingLayout_ && section < widths_.size() && size > 0)
                    widths_[section] = size;
            });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &DataGrid::viewRowChanged);
    connect(model_, &CursorTableModel::cursorRowChanged, this, &DataGrid::syncFromCursor);
    // While the model is read again the view hides the open cell editor and passes its focus
    // on as if Tab had been pressed; that move is no choice of the user's and must not make
    // the cursor leave its row (it would drop a row just appended).
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, [this] { resetting_ = true; });
    // A reset of the model forgets the title layout; put the office's widths back.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        resetting_ = false;
        applyColumnLayout();
        syncFromCursor();
    });
    focusConn_ = connect(qApp, &QApplication::focusChanged, this,
                         [this](QWidget*, QWidget* now) { focusMoved(now); });
}

DataGrid::~DataGrid() {
    disconnect(focusConn_);
}

void DataGrid::setCursor(Cursor* cursor) {
    model_->setCursor(cursor);
    syncFromCursor();
}

void DataGrid::setColumns(const QVector<GridColumn>& columns) {
    editColumn_ = -1;
    model_->setSoleEditableColumn(-1);
    widths_.clear();
    for (const auto& c : columns)
        widths_ << c.width;
    model_->setColumns(columns);
    applyColumnLayout();
}

void DataGrid::setLanguage(const QString& uiLanguage) {
    model_->setLanguage(uiLanguage);
}

void DataGrid::applyColumnLayout() {
    applyingLayout_ = true;
    const auto& cols = model_->columns();
    for (int i = 0; i < cols.size(); ++i) {
        setColumnWidth(i, widths_.value(i, cols[i].width));
        setColumnHidden(i, cols[i].hidden);
    }
    applyingLayout_ = false;
}

void DataGrid::setRowSelect(bool on) {
    rowSelect_ = on;
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    if (!syncing_)
        syncFromCursor();
}

void DataGrid::setEditing(bool on) {
    editing_ = on;
    model_->setEditable(on);
    applyEditTriggers();
}

void DataGrid::setAlwaysShowEditor(bool on) {
    alwaysShowEditor_ = on;
    applyEditTriggers();
}

void DataGrid::applyEditTriggers() {
    if (!editing_) {
        setEditTriggers(QAbstractItemView::NoEditTriggers);
        return;
    }
    EditTriggers t = QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                     QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked;
    if (alwaysShowEditor_)
        t |= QAbstractItemView::CurrentChanged;
    setEditTriggers(t);
}

void DataGrid::setSelectionAlwaysVisible(bool on) {
    QPalette p = palette();
    if (on) {
        p.setColor(QPalette::Inactive, QPalette::Highlight,
                   p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Active, QPalette::HighlightedText));
    } else {
        p = QApplication::palette(this);
    }
    setPalette(p);
}

bool DataGrid::startColumnEdit(const QString& field) {
    const int col = model_->columnOfField(field);
    endColumnEdit();
    if (col < 0)
        return false;
    setEditing(true);
    setRowSelect(false);
    model_->setSoleEditableColumn(col, colors::panelYellow());
    editColumn_ = col;
    const int row = std::max(0, model_->currentRow());
    if (row < model_->rowCount()) {
        syncing_ = true;
        setCurrentIndex(model_->index(row, col));
        syncing_ = false;
    }
    setFocus(Qt::OtherFocusReason);
    return true;
}

void DataGrid::commitEditor() {
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void DataGrid::endColumnEdit() {
    const bool was = editColumn_ >= 0;
    editColumn_ = -1;
    if (state() == QAbstractItemView::EditingState)
        if (QWidget* editor = indexWidget(currentIndex()); editor)
            commitData(editor);
    model_->setSoleEditableColumn(-1);
    setEditing(false);
    setRowSelect(true);
    if (was)
        Q_EMIT columnEditEnded();
}

void DataGrid::focusMoved(QWidget* now) {
    // A window losing activation (a message box, another program) hands the focus to nobody;
    // that is not the user leaving the column.
    if (editColumn_ < 0 || !now || now == this || isAncestorOf(now))
        return;
    // A pop-up (the pick list of the cell editor) is a window of its own; the focus comes
    // back when it closes.
    if (now->window()->windowType() == Qt::Popup)
        return;
    endColumnEdit();
}

void DataGrid::syncFromCursor() {
    if (syncing_)
        return;
    syncing_ = true;
    const int row = model_->currentRow();
    if (row >= 0 && row < model_->rowCount() && model_->columnCount() > 0) {
        int col = currentIndex().isValid() ? currentIndex().column() : 0;
        while (col < model_->columnCount() - 1 && isColumnHidden(col))
            ++col;
        const QModelIndex idx = model_->index(row, col);
        if (idx != currentIndex())
            selectionModel()->setCurrentIndex(idx, QItemSelectionModel::NoUpdate);
        QItemSelectionModel::SelectionFlags how = QItemSelectionModel::ClearAndSelect;
        if (rowSelect_)
            how |= QItemSelectionModel::Rows;
        selectionModel()->select(idx, how);
        scrollTo(idx);
    } else {
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
    }
    syncing_ = false;
}

void DataGrid::viewRowChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (syncing_ || resetting_ || !current.isValid())
        return;
    syncing_ = true;
    // Leaving the edited column ends the mode; the move itself still takes place.
    if (editColumn_ >= 0 && current.column() != editColumn_)
        endColumnEdit();
    if (!previous.isValid() || current.row() != previous.row())
        tryAction([&] { model_->moveCursorTo(current.row()); });
    syncing_ = false;
    syncFromCursor();
}

bool DataGrid::tryAction(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const Error& e) {
        presentError(this, e);
        return false;
    }
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    Cursor* c = cursor();
    if (c && c->isOpen() && state() != QAbstractItemView::EditingState) {
        const bool ctrl = event->modifiers() & Qt::ControlModifier;
        if (editing_ && editColumn_ < 0) {
            if (event->key() == Qt::Key_Delete && ctrl) {
                if (confirmDelete_ && c->recNo() >= 0 && confirmDelete_())
                    tryAction([c] { c->remove(); });
                return;
            }
            if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
                tryAction([c] { c->append(); });
                return;
            }
            if (event->key() == Qt::Key_Down && event->modifiers() == Qt::NoModifier &&
                c->state() == Cursor::State::Browse &&
                model_->currentRow() == model_->rowCount() - 1) {
                // Arrowing past the last row starts a new one, as the office is used to.
                tryAction([c] { c->append(); });
                return;
            }
        }
        if (event->key() == Qt::Key_Escape &&
            (c->state() == Cursor::State::Edit || c->state() == Cursor::State::Insert)) {
            c->cancel();
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    Q_EMIT gridClicked();
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    Q_EMIT gridDoubleClicked();
}

void DataGrid::contextMenuEvent(QContextMenuEvent* event) {
    Q_EMIT contextMenuWanted(event->globalPos());
    event->accept();
}

} // namespace tallyvex
