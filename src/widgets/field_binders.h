#pragma once

#include "data/cursor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <optional>

class QToolButton;
class QCalendarWidget;

namespace tallyvex {

class FieldLink;

/// What a control bound to one field offers its link.
class BoundControl {
public:
    virtual ~BoundControl() = default;
    /// Shows the field's value of the cursor's current row.
    virtual void showField() = 0;
    /// Writes what the user typed into the cursor's edit buffer; raises the field's
    /// ConversionError or RangeError and leaves the buffer as it was.
    virtual void storeField() = 0;
    /// The user changed the control and it has not been stored yet.
    virtual bool hasPendingInput() const = 0;
    virtual QWidget* controlWidget() = 0;
};

/// The tie between a control and one field of a cursor: it shows the current row's value
/// whenever another row becomes current or the row is read again, opens the cursor's edit as
/// soon as the user types, and stores the input when the field is left. A refused value is
/// shown through the error presenter and the control keeps the focus with its text selected,
/// so nothing half-typed is lost and nothing wrong is stored.
class FieldLink final : public QObject {
    Q_OBJECT
public:
    explicit FieldLink(BoundControl* control, QObject* parent = nullptr);
    ~FieldLink() override;

    void bind(Cursor* cursor, const QString& field);
    Cursor* cursor() const { return cursor_; }
    QString field() const { return field_; }
    /// The field's definition; nullptr while unbound.
    const FieldDef* fieldDef() const;
    /// The cursor is open and stands on a row (or appends one).
    bool hasRow() const;
    QVariant value() const;
    QString displayText() const;

    /// The user started changing the control: puts the cursor into edit mode. False, after
    /// showing the error, when that is refused.
    bool beginEdit();
    /// Hands a value to the field (opening the edit first). Raises the field's errors.
    void write(const QVariant& value);
    /// The field is being left: stores pending input. On refusal shows the error, gives the
    /// focus back to the control and returns false.
    bool leave();
    /// The input was changed again after a refusal: the next refusal is news again.
    void inputChanged() { refused_ = false; }

    /// Stores the pending input of every control bound to the cursor (before a post, a move
    /// or closing a window). False, with the refusing control focused and its error shown,
    /// when one of them refuses.
    static bool commitControls(Cursor& cursor);

private:
    void reload();
    void stateChanged();
    void fieldChanged(const QString& field);
    bool storePending(bool reportAgain);

    BoundControl* control_;
    QPointer<Cursor> cursor_;
    QString field_;
    bool writing_ = false;
    bool refused_ = false;
    QList<QMetaObject::Connection> connections_;
};

/// A line edit bound to a text or number field. Texts are cut to the field's width as they
/// are typed; a number field refuses a text that is no number, or a value out of range.
class DbEdit : public QLineEdit, public BoundControl {
    Q_OBJECT
public:
    explicit DbEdit(QWidget* parent = nullptr);
    void bind(Cursor* cursor, const QString& field);
    FieldLink& link() { return link_; }

    void showField() override;
    void storeField() override;
    bool hasPendingInput() const override { return pending_; }
    QWidget* controlWidget() override { return this; }

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    /// The value to store for the typed text; the date and time edits read it by their rules.
    virtual QVariant typedValue() const;
    virtual int maxLengthFor(const FieldDef& field) const;
    void userChanged();

    FieldLink link_;
    bool pending_ = false;
};

/// Reads a date typed into a date field: day and month are required ("24.12" is this year's
/// 24 December), a two-digit year is a year of the 2000s, "." is today and an empty text is no
/// date. Returns nullopt for anything else.
std::optional<QDate> readTypedDate(const QString& text, const QDate& today);
/// Reads a start time typed as "hh:nn" ("9:05" too); nullopt when it is none.
std::optional<QTime> readTypedTime(const QString& text);

/// A date field with a calendar pop-up and the office's date input rules.
class DbDateEdit : public DbEdit {
    Q_OBJECT
public:
    explicit DbDateEdit(QWidget* parent = nullptr);
    QToolButton* calendarButton() const { return button_; }
    /// Opens the calendar below the field, on the shown date (today when there is none).
    void showCalendar();
    QCalendarWidget* calendar() const { return calendar_; }

protected:
    QVariant typedValue() const override;
    int maxLengthFor(const FieldDef&) const override { return 10; }
    void resizeEvent(QResizeEvent* event) override;

private:
    void dateChosen(const QDate& date);

    QToolButton* button_;
    QWidget* popup_ = nullptr;
    QCalendarWidget* calendar_ = nullptr;
};

/// A time field "hh:nn", at most five characters.
class DbTimeEdit : public DbEdit {
    Q_OBJECT
public:
    explicit DbTimeEdit(QWidget* parent = nullptr);

protected:
    QVariant typedValue() const override;
    int maxLengthFor(const FieldDef&) const override { return 5; }
};

/// A check box bound to a boolean field; a click stores at once.
class DbCheckBox : public QCheckBox, public BoundControl {
    Q_OBJECT
public:
    explicit DbCheckBox(QWidget* parent = nullptr);
    void bind(Cursor* cursor, const QString& field);
    FieldLink& link() { return link_; }

    void showField() override;
    void storeField() override;
    bool hasPendingInput() const override { return false; }
    QWidget* controlWidget() override { return this; }

private:
    FieldLink link_;
};

/// A drop-down bound to a field, fed from a fixed list or from a field of another cursor
/// (the class names of `C_Classes`, the club names of `C_Vereine`), in that cursor's order.
/// Choosing an entry stores it at once; where typed text is allowed it is stored on leaving.
class DbComboBox : public QComboBox, public BoundControl {
    Q_OBJECT
public:
    explicit DbComboBox(QWidget* parent = nullptr);
    void bind(Cursor* cursor, const QString& field);
    FieldLink& link() { return link_; }

    /// A fixed list of entries.
    void setItems(const QStringList& items);
    /// The entries are the values of the field in every row of that cursor, read again when
    /// its rows change; the source's current row is left where it is.
    void setListSource(Cursor* source, const QString& field);
    /// Typed text is allowed (cut to the field's width).
    void setTypingAllowed(bool on);

    void showField() override;
    void storeField() override;
    bool hasPendingInput() const override { return pending_; }
    QWidget* controlWidget() override { return this; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    void fillFromSource();
    void chosen(int index);
    void applyMaxLength();

    FieldLink link_;
    QPointer<Cursor> source_;
    QString sourceField_;
    QList<QMetaObject::Connection> sourceConns_;
    bool pending_ = false;
    bool showing_ = false;
};

/// A memo: several lines of text bound to a field, stored on leaving.
class DbMemo : public QPlainTextEdit, public BoundControl {
    Q_OBJECT
public:
    explicit DbMemo(QWidget* parent = nullptr);
    void bind(Cursor* cursor, const QString& field);
    FieldLink& link() { return link_; }

    void showField() override;
    void storeField() override;
    bool hasPendingInput() const override { return pending_; }
    QWidget* controlWidget() override { return this; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    FieldLink link_;
    bool pending_ = false;
    bool showing_ = false;
};

} // namespace tallyvex
