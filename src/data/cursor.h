#pragma once

#include "database.h"
#include "filter.h"
#include "schema.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QVector>
#include <optional>

namespace tallyvex {

/// A table cursor: the windows' way to the rows of one table. It has its own current row,
/// named order, filter and edit buffer; two cursors on one table see each other's stored
/// changes after a refresh.
///
/// Rows are fetched lazily in chunks along the current order, so opening a cursor on 100,000
/// shooters reads only what is shown. Positions (recNo) count from 0 in the current order.
class Cursor : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Cursor(Database& db, const QString& table, const QString& name = {}, QObject* parent = nullptr);
    ~Cursor() override;

    const TableDef& table() const { return *table_; }
    Database& database() const { return db_; }
    QString name() const { return objectName(); }

    /// The shared cursors of the data module enforce the ranges that only they check
    /// (`ROTTE` 0..9999 on the entry cursor).
    void setShared(bool shared) { shared_ = shared; }
    bool isShared() const { return shared_; }
    /// Captions of boolean fields as "true;false", for example "*;-"; empty: the field's own.
    void setBoolCaptions(const QString& captions) { boolCaptions_ = captions; }
    /// Text comparisons of the filter ignore case (the club cursor).
    void setFilterIgnoresCase(bool on);

    // Open and close.
    void open();
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    State state() const { return state_; }

    // Named order; the empty name is natural order. Names ignore case. The current row stays
    // current.
    void setIndexName(const QString& name);
    QString indexName() const;
    const IndexDef* index() const { return index_; }

    // Filter. Changing it moves to the first row.
    void setFilterText(const QString& text);
    void setFilter(const Filter& filter);
    QString filterText() const { return filter_.toText(); }
    const Filter& filter() const { return filter_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    void clearFilter();

    // Moving.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty();
    /// Rows that pass the filter (and the master link).
    int recordCount();
    /// Position of the current row in the current order; -1 when there is none.
    int recNo() const { return pos_; }
    /// Makes the row at that position current; false when there is no such row.
    bool moveTo(int row);

    /// Moves to the first row (current order) whose field equals the value exactly: texts
    /// compare case-sensitively, a text "12" matches a number field holding 12. False and no
    /// move when there is none.
    bool locate(const QString& field, const QVariant& value);
    /// Moves to the first row whose first key field of the current order is equal to or after
    /// the text; to the last row when every row lies before it.
    bool findNearest(const QString& text);

    // Editing.
    void append();
    void edit();
    /// Stores the row being edited or appended; does nothing when none is.
    void post();
    void cancel();
    /// Deletes the current row (an appended row not yet stored is just dropped).
    void remove();

    // Field values of the current row (the edit buffer while editing). An empty number reads
    // as 0, an empty text as "", an empty boolean as false, an empty date as 30.12.1899.
    QVariant value(const QString& field) const;
    QVariant value(int fieldIndex) const;
    bool isNull(const QString& field) const { return value(field).isNull(); }
    qint64 asInt(const QString& field) const;
    double asFloat(const QString& field) const;
    QString asString(const QString& field) const;
    bool asBool(const QString& field) const;
    QDate asDate(const QString& field) const;
    QTime asTime(const QString& field) const;
    QDateTime asDateTime(const QString& field) const;
    QString displayText(const QString& field) const;
    /// Sets a field of the row being edited: texts are cut to the field's width; a value that
    /// does not fit the field raises ConversionError or RangeError and leaves the buffer as it
    /// was (the edit stays open).
    void setValue(const QString& field, const QVariant& value);
    void setValue(int fieldIndex, const QVariant& value);

    /// Re-reads rows and order; the current row stays current when it still passes the filter.
    void refresh();
    /// Empties the whole table; its numbering starts again at 1.
    void emptyTable();

    /// Shows only the rows whose detailField equals masterField of the master's current row,
    /// following the master; rows appended here receive the master's key.
    void setMasterLink(Cursor* master, const QString& masterField, const QString& detailField);
    void clearMasterLink();

    /// Holds back the notifications of the views bound to the cursor while a long walk runs;
    /// calls nest. The last enableControls() tells the views once that everything changed.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

    // Reading rows without moving (for grids).
    QVariant valueAt(int row, int fieldIndex);
    QString displayTextAt(int row, int fieldIndex);
    qint64 rowIdAt(int row);
    /// Row id of the current row; 0 when there is none.
    qint64 currentRowId() const;

Q_SIGNALS:
    /// The rows, their order or their values changed: views re-read.
    void rowsChanged();
    /// Another row became current.
    void currentChanged();
    void stateChanged();
    /// A field of the edit buffer was set.
    void fieldChanged(const QString& field);

private:
    struct Keyed {
        qint64 rowid = 0;
        QVariantList values;
        QVariantList keys;
    };

    void requireOpen() const;
    void invalidateSql();
    int fieldIndexOrThrow(const QString& field) const;
    QString whereSql(QVariantList& params) const;
    QStringList keyExpressions() const;
    QString selectList() const;
    QString orderSql(bool reversed) const;
    QString boundaryCondition(bool after, const QVariantList& keys, qint64 rowid,
                              QVariantList& params) const;
    std::vector<Keyed> fetch(const QString& extraCondition, const QVariantList& extraParams,
                             bool reversed, int limit, int offset = 0);
    Keyed readRow(const QString& sqlText, const QVariantList& params);
    Keyed readRowById(qint64 rowid, bool onlyVisible);
    int countBefore(const Keyed& row);
    void resetRows();
    bool extendForward(int minRows);
    bool extendBackward();
    bool ensureRow(int row);
    void setCurrent(int row);
    void positionOnRow(Keyed row);
    QVariantList keysOf(qint64 rowid);
    bool positionOnRowId(qint64 rowid);
    int countWith(const QString& extraCondition, const QVariantList& extraParams);
    const QVariantList* cachedValues(int row);
    void cacheValues(qint64 rowid, const QVariantList& values);
    void forgetCacheIfChangedElsewhere();
    void requery(bool keepCurrent);
    bool rowVisible(qint64 rowid);
    void changed();
    void moved();
    void stateWasChanged();
    void masterMoved();

    Database& db_;
    const TableDef* table_;
    const IndexDef* index_ = nullptr;
    Filter filter_;
    bool filtered_ = false;
    bool filterNoCase_ = false;
    bool shared_ = false;
    QString boolCaptions_;
    State state_ = State::Inactive;

    // The fetched stretch of the ordered rows: positions segStart_ .. segStart_+size-1.
    QVector<qint64> seg_;
    int segStart_ = 0;
    QVariantList segFirstKeys_, segLastKeys_;
    bool segAtBegin_ = false, segAtEnd_ = false;
    std::optional<int> count_;
    QHash<qint64, QVariantList> valueCache_;
    qint64 cacheChangeCount_ = -1; ///< the database's change count the cache agrees with

    int pos_ = -1;
    bool eof_ = true, bof_ = true;
    QVariantList current_;
    QVariantList buffer_;
    QVector<bool> modified_;

    QPointer<Cursor> master_;
    QString masterField_, detailField_;
    QVector<Cursor*> details_;

    // SQL texts built once per order and filter.
    mutable QString selectSql_;
    mutable QStringList keyExprs_;
    mutable bool keyExprsValid_ = false;
    mutable std::optional<std::pair<QString, QVariantList>> filterSql_;
    QString rowByIdSql_[2];

    int disabled_ = 0;
    bool pending_ = false;
    int chunk_ = 64;
};

} // namespace tallyvex
