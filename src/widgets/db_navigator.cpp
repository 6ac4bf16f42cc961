#include "db_navigator.h"

#include "cursor_table_model.h"
#include "error_presenter.h"
#include "field_binders.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace tallyvex {

namespace {

struct ButtonInfo {
    DbNavigator::Button button;
    const char* name;
    const char* hintDe;
    const char* hintEn;
};

const ButtonInfo kButtons[] = {
    {DbNavigator::First, "nbFirst", "Erster Datensatz", "First record"},
    {DbNavigator::Prior, "nbPrior", "Vorheriger Datensatz", "Prior record"},
    {DbNavigator::Next, "nbNext", "Nächster Datensatz", "Next record"},
    {DbNavigator::Last, "nbLast", "Letzter Datensatz", "Last record"},
    {DbNavigator::Insert, "nbInsert", "Datensatz einfügen", "Insert record"},
    {DbNavigator::Delete, "nbDelete", "Datensatz löschen", "Delete record"},
    {DbNavigator::Edit, "nbEdit", "Datensatz bearbeiten", "Edit record"},
    {DbNavigator::Post, "nbPost", "Bearbeitung speichern", "Post edit"},
    {DbNavigator::Cancel, "nbCancel", "Bearbeitung abbrechen", "Cancel edit"},
    {DbNavigator::Refresh, "nbRefresh", "Daten aktualisieren", "Refresh data"},
};

int indexOf(DbNavigator::Button b) {
    for (int i = 0; i < int(std::size(kButtons)); ++i)
        if (kButtons[i].button == b)
            return i;
    return -1;
}

/// The button faces, drawn rather than taken from a theme so they look alike everywhere.
QIcon faceOf(DbNavigator::Button b, const QColor& ink) {
    const int s = 16;
    QPixmap pm(s, s);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    auto triangle = [&](qreal x0, qreal x1) { // points from x0 towards x1
        QPainterPath path;
        path.moveTo(x0, 3);
        path.lineTo(x0, 13);
        path.lineTo(x1, 8);
        path.closeSubpath();
        p.drawPath(path);
    };
    switch (b) {
    case DbNavigator::First:
        p.drawRect(QRectF(3, 3, 2, 10));
        triangle(12, 5);
        break;
    case DbNavigator::Prior:
        triangle(11, 4);
        break;
    case DbNavigator::Next:
        triangle(5, 12);
        break;
    case DbNavigator::Last:
        triangle(4, 11);
        p.drawRect(QRectF(11, 3, 2, 10));
        break;
    case DbNavigator::Insert:
        p.drawRect(QRectF(7, 3, 2, 10));
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DbNavigator::Delete:
        p.drawRect(QRectF(3, 7, 10, 2));
        break;
    case DbNavigator::Edit: {
        QPainterPath path;
        path.moveTo(3, 11);
        path.lineTo(13, 11);
        path.lineTo(8, 4);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case DbNavigator::Post:
        p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(3, 8), QPointF(6.5, 12), QPointF(13, 4)}));
        break;
    case DbNavigator::Cancel:
        p.setPen(QPen(ink, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case DbNavigator::Refresh: {
        p.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 3, 10, 10), 90 * 16, 270 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        QPainterPath head;
        head.moveTo(8, 0.5);
        head.lineTo(12, 3);
        head.lineTo(8, 5.5);
        head.closeSubpath();
        p.drawPath(head);
        break;
    }
    }
    return QIcon(pm);
}

} // namespace

DbNavigator::DbNavigator(QWidget* parent) : QWidget(parent) {
    auto* lay = new QHBoxLayout(this);
    lay->setContentsMargins(0, 0, 0, 0);
    lay->setSpacing(1);
    for (const auto& info : kButtons) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(info.name));
        b->setIcon(faceOf(info.button, QColor(0x20, 0x20, 0x60)));
        b->setIconSize(QSize(16, 16));
        b->setMinimumSize(28, 25);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        // Taking the focus on a click makes the grid's open cell editor and the bound fields
        // hand over what is typed before the button acts.
        b->setFocusPolicy(Qt::StrongFocus);
        const Button which = info.button;
        connect(b, &QToolButton::clicked, this, [this, which] { press(which); });
        lay->addWidget(b);
        buttons_ << b;
    }
    setLanguage(QStringLiteral("DE"));
    updateButtons();
}

void DbNavigator::setCursor(Cursor* cursor) {
    for (const auto& c : std::as_const(conns_))
        disconnect(c);
    conns_.clear();
    cursor_ = cursor;
    if (cursor) {
        conns_ << connect(cursor, &Cursor::currentChanged, this, &DbNavigator::updateButtons)
               << connect(cursor, &Cursor::rowsChanged, this, &DbNavigator::updateButtons)
               << connect(cursor, &Cursor::stateChanged, this, &DbNavigator::updateButtons)
               << connect(cursor, &Cursor::fieldChanged, this, &DbNavigator::updateButtons)
               << connect(cursor, &QObject::destroyed, this, &DbNavigator::updateButtons,
                          Qt::QueuedConnection);
    }
    updateButtons();
}

void DbNavigator::setVisibleButtons(Buttons buttons) {
    visible_ = buttons;
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setVisible(buttons.testFlag(kButtons[i].button));
}

void DbNavigator::setLanguage(const QString& uiLanguage) {
    const bool en = isEnglish(uiLanguage);
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setToolTip(QString::fromUtf8(en ? kButtons[i].hintEn : kButtons[i].hintDe));
}

QToolButton* DbNavigator::button(Button which) const {
    const int i = indexOf(which);
    return i >= 0 ? buttons_[i] : nullptr;
}

bool DbNavigator::isButtonEnabled(Button which) const {
    const QToolButton* b = button(which);
    return b && b->isEnabled();
}

void DbNavigator::updateButtons() {
    const bool open = cursor_ && cursor_->isOpen();
    bool on[std::size(kButtons)] = {};
    if (open) {
        const Cursor::State st = cursor_->state();
        const bool inserting = st == Cursor::State::Insert;
        const bool editing = inserting || st == Cursor::State::Edit;
        const int n = cursor_->recordCount();
        const int pos = cursor_->recNo();
        // The row being appended stands after the last one.
        const bool canBack = inserting ? n > 0 : pos > 0;
        const bool canForward = !inserting && pos >= 0 && pos < n - 1;
        on[indexOf(First)] = on[indexOf(Prior)] = canBack;
        on[indexOf(Next)] = on[indexOf(Last)] = canForward;
        on[indexOf(Insert)] = !editing;
        on[indexOf(Delete)] = inserting || pos >= 0;
        on[indexOf(Edit)] = !editing && pos >= 0;
        on[indexOf(Post)] = on[indexOf(Cancel)] = editing;
        on[indexOf(Refresh)] = !editing;
    }
    for (int i = 0; i < buttons_.size(); ++i)
        buttons_[i]->setEnabled(on[i]);
}

void DbNavigator::press(Button which) {
    if (!cursor_ || !isButtonEnabled(which))
        return;
    Cursor& c = *cursor_;
    try {
        // Cancelling and deleting drop what is typed; every other action keeps it.
        if (which != Cancel && which != Delete && !FieldLink::commitControls(c))
            return;
        switch (which) {
        case First:
            c.first();
            break;
        case Prior:
            if (c.state() == Cursor::State::Insert)
                c.last(); // leaving the new row: store or drop it, then stand on the last one
            else
                c.prior();
            break;
        case Next:
            c.next();
            break;
        case Last:
            c.last();
            break;
        case Insert:
            c.append();
            break;
        case Delete:
            if (confirmDelete_ && !confirmDelete_())
                return;
            c.remove();
            break;
        case Edit:
            c.edit();
            break;
        case Post:
            c.post();
            break;
        case Cancel:
            c.cancel();
            break;
        case Refresh:
            c.refresh();
            break;
        }
    } catch (const Error& e) {
        presentError(this, e);
        updateButtons();
        return;
    }
    updateButtons();
    Q_EMIT actionDone(which);
}

} // namespace tallyvex
