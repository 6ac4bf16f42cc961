#pragma once

#include "data/cursor.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QToolButton;

namespace tallyvex {

/// The record navigator of the windows: a strip of buttons that move through a cursor's rows
/// and edit them. Each button is enabled by the cursor's state (store and cancel only while a
/// row is edited, no moving past either end). Before acting it stores what the bound fields
/// still hold; a field that refuses stops the action. Deleting asks nothing unless the window
/// gives it its own question.
class DbNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button {
        First = 0x001,
        Prior = 0x002,
        Next = 0x004,
        Last = 0x008,
        Insert = 0x010,
        Delete = 0x020,
        Edit = 0x040,
        Post = 0x080,
        Cancel = 0x100,
        Refresh = 0x200,
    };
    Q_DECLARE_FLAGS(Buttons, Button)
    static constexpr Buttons moveButtons() { return Buttons(First | Prior | Next | Last); }
    static constexpr Buttons allButtons() { return Buttons(0x3ff); }

    explicit DbNavigator(QWidget* parent = nullptr);

    void setCursor(Cursor* cursor);
    Cursor* cursor() const { return cursor_; }
    void setVisibleButtons(Buttons buttons);
    Buttons visibleButtons() const { return visible_; }
    /// Hints of the UI language ("DE" or "EN").
    void setLanguage(const QString& uiLanguage);
    /// Asked before the delete button deletes; a false answer deletes nothing.
    void setConfirmDelete(std::function<bool()> confirm) { confirmDelete_ = std::move(confirm); }

    QToolButton* button(Button which) const;
    bool isButtonEnabled(Button which) const;
    /// Does what the button does (when it is enabled); errors are shown, not raised.
    void press(Button which);

Q_SIGNALS:
    /// The button's action has been carried out.
    void actionDone(tallyvex::DbNavigator::Button which);

private:
    void updateButtons();

    QPointer<Cursor> cursor_;
    Buttons visible_ = allButtons();
    std::function<bool()> confirmDelete_;
    QList<QToolButton*> buttons_;
    QList<QMetaObject::Connection> conns_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(DbNavigator::Buttons)

} // namespace tallyvex
