#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <vector>

namespace tallyvex {

class Cursor;

/// The rows a printout walks. A printout feeds them from a storage cursor (in the cursor's
/// order and filter, as the window shows them) or from a list built in code.
class RowSource {
public:
    virtual ~RowSource() = default;
    virtual void first() = 0;
    virtual bool atEnd() const = 0;
    virtual void next() = 0;
    virtual QVariant value(const QString& field) const = 0;
    /// The text a field prints; by default the value as text.
    virtual QString text(const QString& field) const { return value(field).toString(); }
};

/// Rows held in a list: one map of field to value per row.
class ListRows final : public RowSource {
public:
    ListRows() = default;
    explicit ListRows(std::vector<QVariantMap> rows) : rows_(std::move(rows)) {}
    void append(QVariantMap row) { rows_.push_back(std::move(row)); }
    std::size_t size() const { return rows_.size(); }

    void first() override { pos_ = 0; }
    bool atEnd() const override { return pos_ >= rows_.size(); }
    void next() override {
        if (pos_ < rows_.size())
            ++pos_;
    }
    QVariant value(const QString& field) const override;

private:
    std::vector<QVariantMap> rows_;
    std::size_t pos_ = 0;
};

/// The rows of a cursor as it stands: its order, filter and master link. Walking moves the
/// cursor, as printing from a data-bound report does; texts use the fields' display formats.
class CursorRows final : public RowSource {
public:
    explicit CursorRows(Cursor& cursor) : cursor_(cursor) {}
    void first() override;
    bool atEnd() const override;
    void next() override;
    QVariant value(const QString& field) const override;
    QString text(const QString& field) const override;

private:
    Cursor& cursor_;
};

/// A row with no values: what a sub-detail printed for a parent without children shows.
class EmptyRow final : public RowSource {
public:
    void first() override {}
    bool atEnd() const override { return false; }
    void next() override {}
    QVariant value(const QString&) const override { return {}; }
};

} // namespace tallyvex
