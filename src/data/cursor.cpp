#include "cursor.h"

#include "collation.h"
#include "errors.h"
#include "sql_text.h"
#include "values.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace tallyvex {

namespace {
constexpr int kFirstChunk = 64;
constexpr int kLargestChunk = 4096;
constexpr int kBlock = 64; // rows read at once by row id for a grid
constexpr int kCacheLimit = 20000;
} // namespace

Cursor::Cursor(Database& db, const QString& table, const QString& name, QObject* parent)
    : QObject(parent), db_(db), table_(&tableDef(table)) {
    setObjectName(name.isEmpty() ? table_->name : name);
}

Cursor::~Cursor() {
    if (master_)
        master_->details_.removeAll(this);
    for (Cursor* d : std::as_const(details_))
        d->master_ = nullptr;
}

void Cursor::requireOpen() const {
    if (state_ == State::Inactive)
        throw StorageError(
            QStringLiteral("Cannot perform this operation on the closed cursor %1.").arg(name()));
}

int Cursor::fieldIndexOrThrow(const QString& field) const {
    const int i = table_->fieldIndex(field);
    if (i < 0)
        throw StorageError(
            QStringLiteral("Field '%1' not found in table %2.").arg(field, table_->name));
    return i;
}

void Cursor::setFilterIgnoresCase(bool on) {
    filterNoCase_ = on;
    invalidateSql();
    if (isOpen() && filtered_)
        requery(false);
}

// --- SQL pieces ------------------------------------------------------------------------------

void Cursor::invalidateSql() {
    keyExprsValid_ = false;
    selectSql_.clear();
    filterSql_.reset();
    rowByIdSql_[0].clear();
    rowByIdSql_[1].clear();
}

QString Cursor::whereSql(QVariantList& params) const {
    QStringList parts;
    if (filtered_ && !filter_.isEmpty()) {
        // The filter's SQL and values stay the same until the filter changes; walks ask for
        // them once per row.
        if (!filterSql_) {
            QVariantList fp;
            const QString text = filter_.toSql(*table_, filterNoCase_, fp);
            filterSql_ = std::make_pair(text, fp);
        }
        parts << filterSql_->first;
        params << filterSql_->second;
    }
    if (master_) {
        const FieldDef& f = table_->fields[size_t(table_->fieldIndex(detailField_))];
        if (master_->isOpen() && master_->recNo() >= 0) {
            params << master_->value(masterField_);
            parts << sql::keyExpression(f, false) + QStringLiteral(" = coalesce(?,0)");
        } else {
            parts << QStringLiteral("0");
        }
    }
    return parts.isEmpty() ? QStringLiteral("1") : parts.join(QStringLiteral(" AND "));
}

QStringList Cursor::keyExpressions() const {
    if (!keyExprsValid_) {
        keyExprs_.clear();
        if (index_) {
            // Leading keys that the filter or the master link fix to one value order nothing;
            // leaving them out lets the stored index deliver the order (the planner does not
            // see through an ORDER BY term it holds constant).
            QStringList fixed = filtered_ ? filter_.equalityFields() : QStringList();
            if (master_)
                fixed << detailField_;
            int i = 0;
            while (i < index_->fields.size() &&
                   fixed.contains(index_->fields[i], Qt::CaseInsensitive))
                ++i;
            for (; i < index_->fields.size(); ++i)
                keyExprs_ << sql::keyExpression(*table_->field(index_->fields[i]),
                                                index_->ignoreCase);
        }
        keyExprsValid_ = true;
    }
    return keyExprs_;
}

QString Cursor::selectList() const {
    if (selectSql_.isEmpty()) {
        QStringList cols{QStringLiteral("rowid")};
        for (const auto& f : table_->fields)
            cols << sql::ident(f.name);
        selectSql_ = cols.join(QStringLiteral(", "));
    }
    return selectSql_;
}

QString Cursor::orderSql(bool reversed) const {
    QStringList parts;
    const bool desc = index_ && index_->descending;
    for (const auto& k : keyExpressions())
        parts << k + ((desc != reversed) ? QStringLiteral(" DESC") : QStringLiteral(" ASC"));
    parts << (reversed ? QStringLiteral("rowid DESC") : QStringLiteral("rowid ASC"));
    return QStringLiteral(" ORDER BY ") + parts.join(QStringLiteral(", "));
}

QString Cursor::boundaryCondition(bool after, const QVariantList& keys, qint64 rowid,
                                  QVariantList& params) const {
    const QStringList exprs = keyExpressions();
    const bool desc = index_ && index_->descending;
    // Rows after the boundary: a greater first key (smaller, for a descending order), or an
    // equal one and rows after it by the next key, down to the row id.
    const bool greater = after != desc;
    const QString strict = greater ? QStringLiteral(" > ?") : QStringLiteral(" < ?");
    const QString wide = greater ? QStringLiteral(" >= ?") : QStringLiteral(" <= ?");
    QString cond = after ? QStringLiteral("rowid > ?") : QStringLiteral("rowid < ?");
    QVariantList tail{rowid};
    for (int i = int(exprs.size()) - 1; i >= 0; --i) {
        cond = QStringLiteral("(%1%2 OR (%1 = ? AND %3))").arg(exprs[i], strict, cond);
        QVariantList p{keys.value(i), keys.value(i)};
        p << tail;
        tail = p;
    }
    if (!exprs.isEmpty()) {
        // A plain range on the first key lets the stored index find the boundary at once.
        cond = exprs[0] + wide + QStringLiteral(" AND ") + cond;
        tail.prepend(keys.value(0));
    }
    params << tail;
    return cond;
}

std::vector<Cursor::Keyed> Cursor::fetch(const QString& extra, const QVariantList& extraParams,
                                         bool reversed, int limit, int offset) {
    forgetCacheIfChangedElsewhere();
    QVariantList params;
    QString sqlText = QStringLiteral("SELECT ") + selectList() + QStringLiteral(" FROM ") +
                      sql::ident(table_->name) + QStringLiteral(" WHERE (") + whereSql(params) +
                      QLatin1Char(')');
    if (!extra.isEmpty()) {
        sqlText += QStringLiteral(" AND (") + extra + QLatin1Char(')');
        params << extraParams;
    }
    sqlText += orderSql(reversed) + QStringLiteral(" LIMIT ? OFFSET ?");
    params << limit << offset;

    std::vector<Keyed> rows;
    const int nf = int(table_->fields.size());
    Statement& st = db_.prepare(sqlText).bindAll(params);
    while (st.step()) {
        Keyed k;
        k.rowid = st.columnInt64(0);
        k.values.reserve(nf);
        for (int i = 0; i < nf; ++i)
            k.values << st.column(1 + i);
        rows.push_back(std::move(k));
    }
    st.reset();
    return rows;
}

QVariantList Cursor::keysOf(qint64 rowid) {
    // Only the rows at the ends of a fetched stretch need their keys; reading them apart keeps
    // the sort keys from being worked out for every row fetched.
    const QStringList exprs = keyExpressions();
    if (exprs.isEmpty())
        return {};
    const QString sqlText = QStringLiteral("SELECT ") + exprs.join(QStringLiteral(", ")) +
                            QStringLiteral(" FROM ") + sql::ident(table_->name) +
                            QStringLiteral(" WHERE rowid = ?");
    Statement& st = db_.prepare(sqlText).bindAll({rowid});
    QVariantList keys;
    if (st.step())
        for (int i = 0; i < exprs.size(); ++i)
            keys << st.column(i);
    st.reset();
    return keys;
}

Cursor::Keyed Cursor::readRow(const QString& condition, const QVariantList& condParams) {
    auto rows = fetch(condition, condParams, false, 1);
    return rows.empty() ? Keyed{} : rows.front();
}

Cursor::Keyed Cursor::readRowById(qint64 rowid, bool onlyVisible) {
    // No ORDER BY: with one row there is nothing to order, and an order would tempt the
    // planner to walk the whole index instead of going to the row.
    forgetCacheIfChangedElsewhere();
    QVariantList params{rowid};
    QString& sqlText = rowByIdSql_[onlyVisible ? 1 : 0];
    QVariantList whereParams;
    const QString where = onlyVisible ? whereSql(whereParams) : QString();
    if (sqlText.isEmpty() || master_) {
        sqlText = QStringLiteral("SELECT ") + selectList() + QStringLiteral(" FROM ") +
                  sql::ident(table_->name) + QStringLiteral(" WHERE rowid = ?");
        if (onlyVisible)
            sqlText += QStringLiteral(" AND (") + where + QLatin1Char(')');
    }
    params << whereParams;
    Keyed k;
    const int nf = int(table_->fields.size());
    Statement& st = db_.prepare(sqlText).bindAll(params);
    if (st.step()) {
        k.rowid = st.columnInt64(0);
        for (int i = 0; i < nf; ++i)
            k.values << st.column(1 + i);
    }
    st.reset();
    return k;
}

int Cursor::countWith(const QString& extra, const QVariantList& extraParams) {
    QVariantList params;
    QString sqlText = QStringLiteral("SELECT count(*) FROM ") + sql::ident(table_->name) +
                      QStringLiteral(" WHERE (") + whereSql(params) + QLatin1Char(')');
    if (!extra.isEmpty()) {
        sqlText += QStringLiteral(" AND (") + extra + QLatin1Char(')');
        params << extraParams;
    }
    return int(db_.scalar(sqlText, params).toLongLong());
}

int Cursor::countBefore(const Keyed& row) {
    const QStringList exprs = keyExpressions();
    QVariantList p;
    if (exprs.isEmpty())
        return countWith(QStringLiteral("rowid < ?"), {row.rowid});
    // Rows with a first key before this row's, counted on the stored index as a plain range,
    // plus the few rows that share its first key and come before it.
    const bool desc = index_->descending;
    const int wholeRange = countWith(
        exprs[0] + (desc ? QStringLiteral(" > ?") : QStringLiteral(" < ?")), {row.keys.value(0)});
    QVariantList q{row.keys.value(0)};
    QString tail = QStringLiteral("rowid < ?");
    QVariantList tailParams{row.rowid};
    for (int i = int(exprs.size()) - 1; i >= 1; --i) {
        tail = QStringLiteral("(%1%2 OR (%1 = ? AND %3))")
                   .arg(exprs[i], desc ? QStringLiteral(" > ?") : QStringLiteral(" < ?"), tail);
        QVariantList np{row.keys.value(i), row.keys.value(i)};
        np << tailParams;
        tailParams = np;
    }
    q << tailParams;
    return wholeRange + countWith(exprs[0] + QStringLiteral(" = ? AND ") + tail, q);
}

bool Cursor::rowVisible(qint64 rowid) {
    if (!(filtered_ && !filter_.isEmpty()) && !master_)
        return true;
    QVariantList params{rowid};
    const QString sqlText = QStringLiteral("SELECT 1 FROM ") + sql::ident(table_->name) +
                            QStringLiteral(" WHERE rowid = ? AND (") + whereSql(params) +
                            QLatin1Char(')');
    return db_.scalar(sqlText, params).isValid();
}

// --- the fetched stretch ---------------------------------------------------------------------

void Cursor::resetRows() {
    seg_.clear();
    segStart_ = 0;
    segFirstKeys_.clear();
    segLastKeys_.clear();
    segAtBegin_ = segAtEnd_ = false;
    count_.reset();
    valueCache_.clear();
    chunk_ = kFirstChunk;
}

void Cursor::forgetCacheIfChangedElsewhere() {
    const qint64 now = db_.changeCount();
    if (now != cacheChangeCount_) {
        valueCache_.clear();
        cacheChangeCount_ = now;
    }
}

void Cursor::cacheValues(qint64 rowid, const QVariantList& values) {
    if (valueCache_.size() >= kCacheLimit)
        valueCache_.clear();
    valueCache_.insert(rowid, values);
}

bool Cursor::extendForward(int minRows) {
    if (segAtEnd_)
        return false;
    const int limit = std::max(chunk_, minRows);
    chunk_ = std::min(chunk_ * 2, kLargestChunk);
    std::vector<Keyed> rows;
    if (seg_.isEmpty()) {
        segStart_ = 0;
        segAtBegin_ = true;
        rows = fetch({}, {}, false, limit);
    } else {
        QVariantList p;
        const QString c = boundaryCondition(true, segLastKeys_, seg_.last(), p);
        rows = fetch(c, p, false, limit);
    }
    if (int(rows.size()) < limit)
        segAtEnd_ = true;
    if (rows.empty())
        return false;
    if (seg_.isEmpty())
        segFirstKeys_ = keysOf(rows.front().rowid);
    for (auto& r : rows) {
        seg_ << r.rowid;
        cacheValues(r.rowid, r.values);
    }
    segLastKeys_ = keysOf(rows.back().rowid);
    return true;
}

bool Cursor::extendBackward() {
    if (segAtBegin_ || seg_.isEmpty() || segStart_ <= 0) {
        segAtBegin_ = true;
        return false;
    }
    const int limit = std::min(chunk_, segStart_);
    chunk_ = std::min(chunk_ * 2, kLargestChunk);
    QVariantList p;
    const QString c = boundaryCondition(false, segFirstKeys_, seg_.first(), p);
    auto rows = fetch(c, p, true, limit);
    if (rows.empty()) {
        segAtBegin_ = true;
        segStart_ = 0;
        return false;
    }
    QVector<qint64> before;
    before.reserve(int(rows.size()));
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
        before << it->rowid;
        cacheValues(it->rowid, it->values);
    }
    seg_ = before + seg_;
    segFirstKeys_ = keysOf(rows.back().rowid);
    segStart_ = std::max(0, segStart_ - int(rows.size()));
    if (segStart_ == 0)
        segAtBegin_ = true;
    return true;
}

bool Cursor::ensureRow(int row) {
    if (row < 0)
        return false;
    if (count_ && row >= *count_)
        return false;
    auto inSeg = [&] { return row >= segStart_ && row < segStart_ + seg_.size(); };
    if (inSeg())
        return true;
    const int reach = 4 * chunk_;
    if (seg_.isEmpty()
            ? row < reach
            : (row >= segStart_ + seg_.size() && row - (segStart_ + int(seg_.size())) < reach)) {
        while (!inSeg() && extendForward(row - (segStart_ + int(seg_.size())) + 1)) {
        }
        return inSeg();
    }
    if (!seg_.isEmpty() && row < segStart_ && segStart_ - row < reach) {
        while (!inSeg() && extendBackward()) {
        }
        return inSeg();
    }
    // Far away: start a new stretch at that position.
    auto rows = fetch({}, {}, false, chunk_, row);
    if (rows.empty())
        return false;
    seg_.clear();
    segStart_ = row;
    segAtBegin_ = row == 0;
    segAtEnd_ = int(rows.size()) < chunk_;
    for (auto& r : rows) {
        seg_ << r.rowid;
        cacheValues(r.rowid, r.values);
    }
    segFirstKeys_ = keysOf(rows.front().rowid);
    segLastKeys_ = keysOf(rows.back().rowid);
    return true;
}

const QVariantList* Cursor::cachedValues(int row) {
    forgetCacheIfChangedElsewhere();
    const qint64 rid = seg_[row - segStart_];
    auto it = valueCache_.constFind(rid);
    if (it != valueCache_.constEnd())
        return &*it;
    // Read a block of rows around it by row id.
    const int from = std::max(segStart_, row - kBlock / 2);
    const int to = std::min(segStart_ + int(seg_.size()), from + kBlock);
    QVariantList ids;
    for (int r = from; r < to; ++r)
        ids << seg_[r - segStart_];
    while (ids.size() < kBlock)
        ids << qint64(-1);
    QStringList cols{QStringLiteral("rowid")};
    for (const auto& f : table_->fields)
        cols << sql::ident(f.name);
    QStringList marks;
    for (int i = 0; i < kBlock; ++i)
        marks << QStringLiteral("?");
    const QString sqlText = QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
                                .arg(cols.join(QStringLiteral(", ")), sql::ident(table_->name),
                                     marks.join(QLatin1Char(',')));
    Statement& st = db_.prepare(sqlText).bindAll(ids);
    const int nf = int(table_->fields.size());
    while (st.step()) {
        QVariantList v;
        v.reserve(nf);
        for (int i = 0; i < nf; ++i)
            v << st.column(1 + i);
        cacheValues(st.columnInt64(0), v);
    }
    st.reset();
    it = valueCache_.constFind(rid);
    return it != valueCache_.constEnd() ? &*it : nullptr;
}

void Cursor::setCurrent(int row) {
    pos_ = row;
    const QVariantList* v = cachedValues(row);
    current_ = v ? *v : QVariantList();
    eof_ = bof_ = false;
    moved();
}

void Cursor::positionOnRow(Keyed row) {
    if (row.keys.isEmpty())
        row.keys = keysOf(row.rowid);
    const int pos = countBefore(row);
    if (!(pos >= segStart_ && pos < segStart_ + seg_.size() &&
          seg_[pos - segStart_] == row.rowid)) {
        const auto keepCount = count_;
        resetRows();
        count_ = keepCount;
        seg_ << row.rowid;
        segStart_ = pos;
        segAtBegin_ = pos == 0;
        segFirstKeys_ = segLastKeys_ = row.keys;
    }
    cacheValues(row.rowid, row.values);
    setCurrent(pos);
}

bool Cursor::positionOnRowId(qint64 rowid) {
    Keyed row = readRowById(rowid, true);
    if (row.rowid == 0)
        return false;
    positionOnRow(row);
    return true;
}

void Cursor::requery(bool keepCurrent) {
    const qint64 rid = currentRowId();
    const int oldPos = pos_;
    resetRows();
    if (keepCurrent && rid > 0 && positionOnRowId(rid)) {
        changed();
        return;
    }
    if (keepCurrent && oldPos > 0) {
        const int n = recordCount();
        if (n > 0) {
            moveTo(std::min(oldPos, n - 1));
            changed();
            return;
        }
    }
    first();
    changed();
}

// --- notifications ---------------------------------------------------------------------------

void Cursor::changed() {
    if (disabled_ > 0)
        pending_ = true;
    else
        Q_EMIT rowsChanged();
}

void Cursor::moved() {
    for (Cursor* d : std::as_const(details_))
        d->masterMoved();
    if (disabled_ > 0)
        pending_ = true;
    else
        Q_EMIT currentChanged();
}

void Cursor::stateWasChanged() {
    if (disabled_ > 0)
        pending_ = true;
    else
        Q_EMIT stateChanged();
}

void Cursor::disableControls() {
    ++disabled_;
}

void Cursor::enableControls() {
    if (disabled_ == 0)
        return;
    if (--disabled_ == 0 && pending_) {
        pending_ = false;
        Q_EMIT rowsChanged();
        Q_EMIT currentChanged();
        Q_EMIT stateChanged();
    }
}

void Cursor::masterMoved() {
    if (!isOpen())
        return;
    if (state_ != State::Browse)
        cancel();
    resetRows();
    first();
    changed();
}

// --- public operations -----------------------------------------------------------------------

namespace {
// Moving away from a row being edited stores it when something was changed, as the windows
// expect of a data-aware cursor; an untouched edit is simply left.
struct BrowseMode {
    static void check(Cursor& c, const QVector<bool>& modified) {
        if (c.state() == Cursor::State::Edit || c.state() == Cursor::State::Insert) {
            if (std::any_of(modified.begin(), modified.end(), [](bool m) { return m; }))
                c.post();
            else
                c.cancel();
        }
    }
};
} // namespace

void Cursor::open() {
    if (isOpen())
        return;
    state_ = State::Browse;
    resetRows();
    first();
    stateWasChanged();
    changed();
}

void Cursor::close() {
    if (!isOpen())
        return;
    BrowseMode::check(*this, modified_);
    state_ = State::Inactive;
    resetRows();
    pos_ = -1;
    eof_ = bof_ = true;
    current_.clear();
    for (Cursor* d : std::as_const(details_))
        d->masterMoved();
    stateWasChanged();
    changed();
}

void Cursor::setIndexName(const QString& name) {
    const IndexDef* ix = nullptr;
    if (!name.trimmed().isEmpty()) {
        ix = table_->index(name.trimmed());
        if (!ix)
            throw StorageError(
                QStringLiteral("Index '%1' not found for table %2.").arg(name, table_->name));
    }
    if (isOpen())
        BrowseMode::check(*this, modified_);
    index_ = ix;
    invalidateSql();
    if (isOpen())
        requery(true);
}

QString Cursor::indexName() const {
    return index_ ? index_->name : QString();
}

void Cursor::setFilterText(const QString& text) {
    setFilter(Filter::parse(text));
}

void Cursor::setFilter(const Filter& filter) {
    if (isOpen())
        BrowseMode::check(*this, modified_);
    filter_ = filter;
    invalidateSql();
    if (isOpen() && filtered_)
        requery(false);
}

void Cursor::setFiltered(bool on) {
    if (filtered_ == on)
        return;
    if (isOpen())
        BrowseMode::check(*this, modified_);
    filtered_ = on;
    invalidateSql();
    if (isOpen())
        requery(false);
}

void Cursor::clearFilter() {
    filter_ = Filter();
    invalidateSql();
    if (isOpen() && filtered_)
        requery(false);
}

void Cursor::first() {
    requireOpen();
    BrowseMode::check(*this, modified_);
    if (seg_.isEmpty() || segStart_ != 0) {
        const auto keepCount = count_;
        resetRows();
        count_ = keepCount;
        extendForward(1);
    }
    if (seg_.isEmpty()) {
        pos_ = -1;
        current_.clear();
        eof_ = bof_ = true;
        count_ = 0;
        moved();
        return;
    }
    setCurrent(0);
    bof_ = true;
}

void Cursor::last() {
    requireOpen();
    BrowseMode::check(*this, modified_);
    const int n = recordCount();
    if (n == 0) {
        first();
        return;
    }
    if (!(n - 1 >= segStart_ && n - 1 < segStart_ + seg_.size())) {
        auto rows = fetch({}, {}, true, kFirstChunk);
        if (rows.empty()) {
            first();
            return;
        }
        resetRows();
        count_ = n;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            seg_ << it->rowid;
            cacheValues(it->rowid, it->values);
        }
        segStart_ = std::max(0, n - int(rows.size()));
        segAtBegin_ = segStart_ == 0;
        segAtEnd_ = true;
        segFirstKeys_ = keysOf(rows.back().rowid);
        segLastKeys_ = keysOf(rows.front().rowid);
    }
    setCurrent(segStart_ + int(seg_.size()) - 1);
    eof_ = true;
}

void Cursor::next() {
    requireOpen();
    BrowseMode::check(*this, modified_);
    if (pos_ < 0 || !ensureRow(pos_ + 1)) {
        eof_ = true;
        return;
    }
    setCurrent(pos_ + 1);
}

void Cursor::prior() {
    requireOpen();
    BrowseMode::check(*this, modified_);
    if (pos_ <= 0 || !ensureRow(pos_ - 1)) {
        bof_ = true;
        return;
    }
    setCurrent(pos_ - 1);
}

bool Cursor::isEmpty() {
    requireOpen();
    if (!seg_.isEmpty())
        return false;
    return recordCount() == 0;
}

int Cursor::recordCount() {
    requireOpen();
    if (!count_) {
        if (segAtBegin_ && segAtEnd_ && segStart_ == 0)
            count_ = int(seg_.size());
        else
            count_ = countWith({}, {});
    }
    return *count_;
}

bool Cursor::moveTo(int row) {
    requireOpen();
    BrowseMode::check(*this, modified_);
    if (!ensureRow(row))
        return false;
    setCurrent(row);
    return true;
}

bool Cursor::locate(const QString& field, const QVariant& value) {
    requireOpen();
    fieldIndexOrThrow(field);
    BrowseMode::check(*this, modified_);
    const FieldDef& f = *table_->field(field);
    QVariantList p;
    QString c;
    try {
        c = Filter::equals(field, value).toSql(*table_, false, p);
    } catch (const ConversionError&) {
        return false; // no number field holds a text that is no number
    }
    if (f.type == FieldType::AutoInc) {
        // The key is the row id: go straight to the row.
        c = QStringLiteral("rowid = ?");
    } else if (f.isText()) {
        // Rows equal to the value are equal to it ignoring case too: the sort-key condition
        // lets a stored order on the field find them without reading every row.
        c += QStringLiteral(" AND ") + sql::keyExpression(f, true) + QStringLiteral(" = ") +
             QLatin1String(kSortKeyFunction) + QStringLiteral("(?)");
        p << value.toString();
    }
    Keyed row = readRow(c, p);
    if (row.rowid == 0)
        return false;
    positionOnRow(row);
    return true;
}

bool Cursor::findNearest(const QString& text) {
    requireOpen();
    BrowseMode::check(*this, modified_);
    if (!index_) {
        first();
        return !isEmpty();
    }
    const FieldDef& f = *table_->field(index_->fields.first());
    QVariant v;
    if (f.isText())
        v = index_->ignoreCase ? QVariant(sortKey(text)) : QVariant(text);
    else
        v = parseNumber(text).value_or(0.0);
    const QString c = sql::keyExpression(f, index_->ignoreCase) +
                      (index_->descending ? QStringLiteral(" <= ?") : QStringLiteral(" >= ?"));
    Keyed row = readRow(c, {v});
    if (row.rowid == 0) {
        last();
        return false;
    }
    positionOnRow(row);
    return true;
}

void Cursor::append() {
    requireOpen();
    BrowseMode::check(*this, modified_);
    const int nf = int(table_->fields.size());
    buffer_ = QVariantList();
    buffer_.reserve(nf);
    for (int i = 0; i < nf; ++i)
        buffer_ << QVariant();
    modified_ = QVector<bool>(nf, false);
    if (master_ && master_->isOpen() && master_->recNo() >= 0) {
        const int di = table_->fieldIndex(detailField_);
        buffer_[di] = toStoredValue(table_->fields[size_t(di)], master_->value(masterField_));
        modified_[di] = true;
    }
    state_ = State::Insert;
    stateWasChanged();
}

void Cursor::edit() {
    requireOpen();
    if (state_ == State::Edit || state_ == State::Insert)
        return;
    if (pos_ < 0) {
        append();
        return;
    }
    const qint64 rid = currentRowId();
    // The stored row as it is now: the cached values when nothing was written since they were
    // read, else afresh, since another cursor may have changed it.
    forgetCacheIfChangedElsewhere();
    Keyed fresh;
    if (auto it = valueCache_.constFind(rid); it != valueCache_.constEnd()) {
        fresh.rowid = rid;
        fresh.values = *it;
    } else {
        fresh = readRowById(rid, false);
    }
    if (fresh.rowid == 0) {
        refresh();
        throw StorageError(
            QStringLiteral("The row of %1 was deleted meanwhile; the list was read again.")
                .arg(table_->name));
    }
    current_ = fresh.values;
    cacheValues(rid, fresh.values);
    buffer_ = fresh.values;
    modified_ = QVector<bool>(int(table_->fields.size()), false);
    state_ = State::Edit;
    stateWasChanged();
}

void Cursor::setValue(const QString& field, const QVariant& value) {
    setValue(fieldIndexOrThrow(field), value);
}

void Cursor::setValue(int i, const QVariant& value) {
    requireOpen();
    if (state_ != State::Edit && state_ != State::Insert)
        throw StorageError(QStringLiteral("Cursor %1 is not in edit or insert mode.").arg(name()));
    const FieldDef& f = table_->fields[size_t(i)];
    if (f.type == FieldType::AutoInc)
        throw StorageError(QStringLiteral("Field '%1' cannot be modified.").arg(f.name));
    const QVariant stored = toStoredValue(f, value);
    if (f.range && (!f.range->sharedCursorOnly || shared_))
        checkRange(f, stored);
    buffer_[i] = stored;
    modified_[i] = true;
    Q_EMIT fieldChanged(f.name);
}

void Cursor::post() {
    requireOpen();
    if (state_ == State::Browse)
        return;
    const int nf = int(table_->fields.size());
    const FieldDef* key = table_->keyField();
    const int keyIndex = key ? table_->fieldIndex(key->name) : -1;
    qint64 rid = 0;
    bool keepPlace = false;
    forgetCacheIfChangedElsewhere();
    if (state_ == State::Insert) {
        QStringList cols, marks;
        QVariantList params;
        for (int i = 0; i < nf; ++i) {
            if (i == keyIndex)
                continue;
            cols << sql::ident(table_->fields[size_t(i)].name);
            marks << QStringLiteral("?");
            params << buffer_[i];
        }
        db_.run(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(sql::ident(table_->name), cols.join(QStringLiteral(", ")),
                         marks.join(QStringLiteral(", "))),
                params);
        rid = db_.lastInsertRowId();
        if (keyIndex >= 0)
            buffer_[keyIndex] = rid;
    } else {
        rid = currentRowId();
        QStringList sets;
        QVariantList params;
        bool keysChanged = false, filterFieldChanged = false;
        const QStringList filterFields = filtered_ ? filter_.fieldNames() : QStringList();
        for (int i = 0; i < nf; ++i) {
            if (!modified_[i] || i == keyIndex)
                continue;
            const QString& n = table_->fields[size_t(i)].name;
            sets << sql::ident(n) + QStringLiteral(" = ?");
            params << buffer_[i];
            if ((index_ && index_->fields.contains(n, Qt::CaseInsensitive)) ||
                (master_ && n.compare(detailField_, Qt::CaseInsensitive) == 0))
                keysChanged = true;
            if (filterFields.contains(n, Qt::CaseInsensitive))
                filterFieldChanged = true;
        }
        if (!sets.isEmpty()) {
            params << rid;
            db_.run(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                        .arg(sql::ident(table_->name), sets.join(QStringLiteral(", "))),
                    params);
        }
        keepPlace = !keysChanged && (!filterFieldChanged || rowVisible(rid));
    }
    // This cursor's own write: its cache, updated with the stored row below, stays valid.
    cacheChangeCount_ = db_.changeCount();
    state_ = State::Browse;
    modified_.clear();
    const QVariantList stored = buffer_;
    buffer_.clear();
    if (keepPlace) {
        current_ = stored;
        cacheValues(rid, stored);
    } else {
        const int oldPos = pos_;
        resetRows();
        if (!positionOnRowId(rid)) {
            const int n = recordCount();
            if (n == 0 || !moveTo(std::clamp(oldPos, 0, n - 1)))
                first();
        }
    }
    stateWasChanged();
    changed();
}

void Cursor::cancel() {
    if (state_ != State::Edit && state_ != State::Insert)
        return;
    state_ = State::Browse;
    buffer_.clear();
    modified_.clear();
    stateWasChanged();
}

void Cursor::remove() {
    requireOpen();
    if (state_ == State::Insert) {
        cancel();
        return;
    }
    if (state_ == State::Edit)
        cancel();
    if (pos_ < 0)
        return;
    const qint64 rid = currentRowId();
    const int oldPos = pos_;
    db_.run(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(sql::ident(table_->name)), {rid});
    resetRows();
    const int n = recordCount();
    if (n == 0 || !moveTo(std::min(oldPos, n - 1)))
        first();
    changed();
}

void Cursor::refresh() {
    requireOpen();
    BrowseMode::check(*this, modified_);
    requery(true);
}

void Cursor::emptyTable() {
    if (state_ == State::Edit || state_ == State::Insert)
        cancel();
    {
        Transaction tx(db_);
        db_.run(QStringLiteral("DELETE FROM %1").arg(sql::ident(table_->name)));
        db_.run(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"), {table_->name});
        tx.commit();
    }
    resetRows();
    if (isOpen()) {
        first();
        changed();
    }
}

void Cursor::setMasterLink(Cursor* master, const QString& masterField, const QString& detailField) {
    clearMasterLink();
    fieldIndexOrThrow(detailField);
    master->fieldIndexOrThrow(masterField);
    master_ = master;
    masterField_ = masterField;
    detailField_ = detailField;
    invalidateSql();
    master->details_ << this;
    if (isOpen())
        masterMoved();
}

void Cursor::clearMasterLink() {
    if (master_)
        master_->details_.removeAll(this);
    master_ = nullptr;
    invalidateSql();
    if (isOpen())
        requery(false);
}

// --- values ----------------------------------------------------------------------------------

QVariant Cursor::value(int i) const {
    requireOpen();
    const QVariantList& row =
        (state_ == State::Edit || state_ == State::Insert) ? buffer_ : current_;
    return row.value(i);
}

QVariant Cursor::value(const QString& field) const {
    return value(fieldIndexOrThrow(field));
}

qint64 Cursor::asInt(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? 0 : qint64(std::llround(v.toDouble()));
}

double Cursor::asFloat(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? 0.0 : v.toDouble();
}

bool Cursor::asBool(const QString& field) const {
    const QVariant v = value(field);
    return !v.isNull() && v.toDouble() != 0;
}

QDate Cursor::asDate(const QString& field) const {
    return daysToDate(asFloat(field));
}
QTime Cursor::asTime(const QString& field) const {
    return dayFractionToTime(asFloat(field));
}
QDateTime Cursor::asDateTime(const QString& field) const {
    return daysToDateTime(asFloat(field));
}

QString Cursor::asString(const QString& field) const {
    const int i = fieldIndexOrThrow(field);
    const FieldDef& f = table_->fields[size_t(i)];
    const QVariant v = value(i);
    if (f.type == FieldType::Boolean)
        return asBool(field) ? QStringLiteral("True") : QStringLiteral("False");
    if (v.isNull())
        return {};
    if (f.type == FieldType::Float)
        return QLocale::c().toString(v.toDouble(), 'g', 15);
    return tallyvex::displayText(f, v);
}

QString Cursor::displayText(const QString& field) const {
    const int i = fieldIndexOrThrow(field);
    return tallyvex::displayText(table_->fields[size_t(i)], value(i), boolCaptions_);
}

QVariant Cursor::valueAt(int row, int fieldIndex) {
    requireOpen();
    // The edit buffer stands for the current row only while that row is edited; an appended
    // row is not in the list yet, and the current row keeps showing what is stored.
    if (row == pos_ && state_ != State::Insert)
        return value(fieldIndex);
    if (!ensureRow(row))
        return {};
    const QVariantList* v = cachedValues(row);
    return v ? v->value(fieldIndex) : QVariant();
}

QString Cursor::displayTextAt(int row, int fieldIndex) {
    return tallyvex::displayText(table_->fields[size_t(fieldIndex)], valueAt(row, fieldIndex),
                                 boolCaptions_);
}

qint64 Cursor::rowIdAt(int row) {
    requireOpen();
    if (!ensureRow(row))
        return 0;
    return seg_[row - segStart_];
}

qint64 Cursor::currentRowId() const {
    if (pos_ < 0 || pos_ < segStart_ || pos_ >= segStart_ + seg_.size())
        return 0;
    return seg_[pos_ - segStart_];
}

} // namespace tallyvex
