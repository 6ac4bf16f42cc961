#include "field_binders.h"

#include "data/errors.h"
#include "data/values.h"
#include "error_presenter.h"

#include <QCalendarWidget>
#include <QFocusEvent>
#include <QHash>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace tallyvex {

namespace {

/// The links of every bound control, by cursor, so that a post or a move can first store
/// what is still being typed.
QMultiHash<Cursor*, FieldLink*>& registry() {
    static QMultiHash<Cursor*, FieldLink*> links;
    return links;
}

/// Focus that goes to a pop-up (a calendar, a drop-down list) or away with the whole window
/// (a message box, another program) does not leave the field.
bool leavesField(const QFocusEvent* event) {
    return event->reason() != Qt::PopupFocusReason &&
           event->reason() != Qt::ActiveWindowFocusReason;
}

} // namespace

// --- FieldLink -------------------------------------------------------------------------------

FieldLink::FieldLink(BoundControl* control, QObject* parent) : QObject(parent), control_(control) {}

FieldLink::~FieldLink() {
    if (cursor_)
        registry().remove(cursor_, this);
    for (const auto& c : std::as_const(connections_))
        disconnect(c);
}

void FieldLink::bind(Cursor* cursor, const QString& field) {
    if (cursor_)
        registry().remove(cursor_, this);
    for (const auto& c : std::as_const(connections_))
        disconnect(c);
    connections_.clear();
    cursor_ = cursor;
    field_ = field;
    if (cursor) {
        if (cursor->table().fieldIndex(field) < 0)
            throw StorageError(QStringLiteral("Field '%1' not found in table %2.")
                                   .arg(field, cursor->table().name));
        registry().insert(cursor, this);
        connections_ << connect(cursor, &Cursor::currentChanged, this, &FieldLink::reload)
                     << connect(cursor, &Cursor::rowsChanged, this, &FieldLink::reload)
                     << connect(cursor, &Cursor::stateChanged, this, &FieldLink::stateChanged)
                     << connect(cursor, &Cursor::fieldChanged, this, &FieldLink::fieldChanged)
                     << connect(cursor, &QObject::destroyed, this, [this](QObject* gone) {
                            registry().remove(static_cast<Cursor*>(gone), this);
                        });
    }
    reload();
}

const FieldDef* FieldLink::fieldDef() const {
    return cursor_ ? cursor_->table().field(field_) : nullptr;
}

bool FieldLink::hasRow() const {
    return cursor_ && cursor_->isOpen() &&
           (cursor_->recNo() >= 0 || cursor_->state() == Cursor::State::Insert);
}

QVariant FieldLink::value() const {
    return hasRow() ? cursor_->value(field_) : QVariant();
}

QString FieldLink::displayText() const {
    return hasRow() ? cursor_->displayText(field_) : QString();
}

bool FieldLink::beginEdit() {
    refused_ = false;
    if (!cursor_ || !cursor_->isOpen())
        return false;
    if (cursor_->state() != Cursor::State::Browse)
        return true;
    writing_ = true;
    try {
        cursor_->edit();
    } catch (const Error& e) {
        writing_ = false;
        presentError(control_->controlWidget(), e);
        return false;
    }
    writing_ = false;
    return true;
}

void FieldLink::write(const QVariant& value) {
    if (!cursor_ || !cursor_->isOpen())
        throw StorageError(
            QStringLiteral("The field '%1' is not connected to an open table.").arg(field_));
    writing_ = true;
    try {
        if (cursor_->state() == Cursor::State::Browse)
            cursor_->edit();
        cursor_->setValue(field_, value);
    } catch (...) {
        writing_ = false;
        throw;
    }
    writing_ = false;
}

bool FieldLink::storePending(bool reportAgain) {
    if (!control_->hasPendingInput())
        return true;
    try {
        control_->storeField();
    } catch (const Error& e) {
        const bool news = reportAgain || !refused_;
        refused_ = true;
        QWidget* w = control_->controlWidget();
        if (news)
            presentError(w, e);
        w->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->selectAll();
        else if (auto* box = qobject_cast<QComboBox*>(w); box && box->lineEdit())
            box->lineEdit()->selectAll();
        return false;
    }
    refused_ = false;
    control_->showField();
    return true;
}

bool FieldLink::leave() {
    return storePending(true);
}

bool FieldLink::commitControls(Cursor& cursor) {
    const QList<FieldLink*> links = registry().values(&cursor);
    for (FieldLink* l : links)
        if (!l->storePending(false))
            return false;
    return true;
}

void FieldLink::reload() {
    if (writing_)
        return;
    refused_ = false;
    control_->showField();
}

void FieldLink::stateChanged() {
    if (writing_)
        return;
    // Opening the edit from elsewhere keeps what is being typed here; storing or cancelling
    // shows the row as it now is.
    if (control_->hasPendingInput() && cursor_ && cursor_->isOpen() &&
        cursor_->state() != Cursor::State::Browse)
        return;
    reload();
}

void FieldLink::fieldChanged(const QString& field) {
    if (!writing_ && field.compare(field_, Qt::CaseInsensitive) == 0)
        reload();
}

// --- DbEdit ----------------------------------------------------------------------------------

DbEdit::DbEdit(QWidget* parent) : QLineEdit(parent), link_(this) {
    connect(this, &QLineEdit::textEdited, this, &DbEdit::userChanged);
}

void DbEdit::bind(Cursor* cursor, const QString& field) {
    link_.bind(cursor, field);
    if (const FieldDef* f = link_.fieldDef()) {
        const int n = maxLengthFor(*f);
        setMaxLength(n > 0 ? n : 32767);
    }
}

int DbEdit::maxLengthFor(const FieldDef& field) const {
    return field.type == FieldType::Text ? field.width : 0;
}

void DbEdit::userChanged() {
    pending_ = true;
    link_.inputChanged();
    link_.beginEdit();
}

void DbEdit::showField() {
    pending_ = false;
    setText(link_.displayText());
    setModified(false);
}

QVariant DbEdit::typedValue() const {
    QString t = text();
    // Money fields show their unit after the amount ("12,50 €"); typing it back is fine.
    if (const FieldDef* f = link_.fieldDef();
        f && f->displayFormat.startsWith(QLatin1String("#,##.00"))) {
        const QString unit = f->displayFormat.mid(7).trimmed();
        if (!unit.isEmpty() && t.trimmed().endsWith(unit))
            t = t.trimmed().chopped(unit.size());
    }
    return t.trimmed().isEmpty() && link_.fieldDef() && link_.fieldDef()->isNumeric() ? QVariant()
                                                                                      : QVariant(t);
}

void DbEdit::storeField() {
    link_.write(typedValue());
    pending_ = false;
}

void DbEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (pending_ && leavesField(event))
        link_.leave();
}

void DbEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && pending_) {
        // Escape takes back what was typed into this field.
        showField();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// --- dates and times -------------------------------------------------------------------------

std::optional<QDate> readTypedDate(const QString& text, const QDate& today) {
    const QString s = text.trimmed();
    if (s == QLatin1String("."))
        return today;
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})[./-](\\d{1,2})(?:[./-](\\d{2}|\\d{4})?)?$"));
    const auto m = re.match(s);
    if (!m.hasMatch())
        return std::nullopt;
    int year = today.year();
    if (const QString y = m.captured(3); !y.isEmpty())
        year = y.size() == 2 ? 2000 + y.toInt() : y.toInt();
    const QDate d(year, m.captured(2).toInt(), m.captured(1).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<QTime> readTypedTime(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt());
    if (!t.isValid())
        return std::nullopt;
    return t;
}

DbDateEdit::DbDateEdit(QWidget* parent) : DbEdit(parent), button_(new QToolButton(this)) {
    button_->setObjectName(QStringLiteral("calendarButton"));
    button_->setCursor(Qt::ArrowCursor);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setText(QStringLiteral("\u25be"));
    button_->setAutoRaise(true);
    setPlaceholderText(QStringLiteral("dd.mm.yyyy"));
    connect(button_, &QToolButton::clicked, this, &DbDateEdit::showCalendar);
}

void DbDateEdit::resizeEvent(QResizeEvent* event) {
    DbEdit::resizeEvent(event);
    const int w = height() - 2;
    button_->setGeometry(width() - w - 1, 1, w, height() - 2);
    setTextMargins(0, 0, w, 0);
}

QVariant DbDateEdit::typedValue() const {
    if (text().trimmed().isEmpty())
        return QVariant();
    const auto d = readTypedDate(text(), QDate::currentDate());
    if (!d)
        throw ConversionError(QStringLiteral("'%1' is not a valid date for field '%2'. Type day "
                                             "and month (dd.mm.yyyy), or \".\" for today.")
                                  .arg(text(), link_.field()));
    return *d;
}

void DbDateEdit::showCalendar() {
    if (!popup_) {
        popup_ = new QWidget(this, Qt::Popup);
        auto* lay = new QVBoxLayout(popup_);
        lay->setContentsMargins(1, 1, 1, 1);
        calendar_ = new QCalendarWidget(popup_);
        calendar_->setObjectName(QStringLiteral("calendar"));
        calendar_->setGridVisible(true);
        calendar_->setFirstDayOfWeek(Qt::Monday);
        lay->addWidget(calendar_);
        connect(calendar_, &QCalendarWidget::clicked, this, &DbDateEdit::dateChosen);
        connect(calendar_, &QCalendarWidget::activated, this, &DbDateEdit::dateChosen);
    }
    const auto shown = readTypedDate(text(), QDate::currentDate());
    calendar_->setSelectedDate(shown ? *shown : QDate::currentDate());
    popup_->adjustSize();
    popup_->move(mapToGlobal(QPoint(0, height())));
    popup_->show();
    calendar_->setFocus();
}

void DbDateEdit::dateChosen(const QDate& date) {
    if (popup_)
        popup_->hide();
    setText(date.toString(QStringLiteral("dd.MM.yyyy")));
    userChanged();
    link_.leave();
    setFocus(Qt::OtherFocusReason);
}

DbTimeEdit::DbTimeEdit(QWidget* parent) : DbEdit(parent) {
    setPlaceholderText(QStringLiteral("hh:nn"));
}

QVariant DbTimeEdit::typedValue() const {
    if (text().trimmed().isEmpty())
        return QVariant();
    const auto t = readTypedTime(text());
    if (!t)
        throw ConversionError(QStringLiteral("'%1' is not a valid time for field '%2'. Type "
                                             "hours and minutes as hh:nn.")
                                  .arg(text(), link_.field()));
    return *t;
}

// --- DbCheckBox ------------------------------------------------------------------------------

DbCheckBox::DbCheckBox(QWidget* parent) : QCheckBox(parent), link_(this) {
    connect(this, &QCheckBox::clicked, this, [this] {
        try {
            storeField();
        } catch (const Error& e) {
            presentError(this, e);
            showField();
        }
    });
}

void DbCheckBox::bind(Cursor* cursor, const QString& field) {
    link_.bind(cursor, field);
}

void DbCheckBox::showField() {
    const QVariant v = link_.value();
    setChecked(!v.isNull() && v.toDouble() != 0);
}

void DbCheckBox::storeField() {
    link_.write(isChecked());
}

// --- DbComboBox ------------------------------------------------------------------------------

DbComboBox::DbComboBox(QWidget* parent) : QComboBox(parent), link_(this) {
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, &DbComboBox::chosen);
}

void DbComboBox::bind(Cursor* cursor, const QString& field) {
    link_.bind(cursor, field);
    applyMaxLength();
}

void DbComboBox::applyMaxLength() {
    const FieldDef* f = link_.fieldDef();
    if (lineEdit() && f && f->type == FieldType::Text && f->width > 0)
        lineEdit()->setMaxLength(f->width);
}

void DbComboBox::setTypingAllowed(bool on) {
    setEditable(on);
    if (on) {
        connect(lineEdit(), &QLineEdit::textEdited, this, [this] {
            pending_ = true;
            link_.inputChanged();
            link_.beginEdit();
        });
        applyMaxLength();
    }
    showField();
}

void DbComboBox::setItems(const QStringList& items) {
    for (const auto& c : std::as_const(sourceConns_))
        disconnect(c);
    sourceConns_.clear();
    source_ = nullptr;
    showing_ = true;
    clear();
    addItems(items);
    showing_ = false;
    showField();
}

void DbComboBox::setListSource(Cursor* source, const QString& field) {
    for (const auto& c : std::as_const(sourceConns_))
        disconnect(c);
    sourceConns_.clear();
    source_ = source;
    sourceField_ = field;
    if (source) {
        if (source->table().fieldIndex(field) < 0)
            throw StorageError(QStringLiteral("Field '%1' not found in table %2.")
                                   .arg(field, source->table().name));
        sourceConns_ << connect(source, &Cursor::rowsChanged, this, &DbComboBox::fillFromSource)
                     << connect(source, &Cursor::stateChanged, this, &DbComboBox::fillFromSource);
    }
    fillFromSource();
}

void DbComboBox::fillFromSource() {
    if (!source_ || source_->state() == Cursor::State::Edit ||
        source_->state() == Cursor::State::Insert)
        return;
    QStringList items;
    if (source_->isOpen()) {
        const int fi = source_->table().fieldIndex(sourceField_);
        const int n = source_->recordCount();
        items.reserve(n);
        for (int r = 0; r < n; ++r)
            items << source_->displayTextAt(r, fi);
    }
    showing_ = true;
    clear();
    addItems(items);
    showing_ = false;
    showField();
}

void DbComboBox::showField() {
    showing_ = true;
    pending_ = false;
    const QString text = link_.displayText();
    const int i = findText(text);
    setCurrentIndex(i);
    if (isEditable())
        setEditText(text);
    showing_ = false;
}

void DbComboBox::chosen(int index) {
    if (showing_ || index < 0)
        return;
    showing_ = true;
    setCurrentIndex(index);
    showing_ = false;
    link_.inputChanged();
    if (!link_.beginEdit()) {
        showField();
        return;
    }
    pending_ = true;
    link_.leave();
}

void DbComboBox::storeField() {
    link_.write(currentText());
    pending_ = false;
}

void DbComboBox::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (pending_ && leavesField(event))
        link_.leave();
}

// --- DbMemo ----------------------------------------------------------------------------------

DbMemo::DbMemo(QWidget* parent) : QPlainTextEdit(parent), link_(this) {
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        if (showing_)
            return;
        pending_ = true;
        link_.inputChanged();
        link_.beginEdit();
    });
}

void DbMemo::bind(Cursor* cursor, const QString& field) {
    link_.bind(cursor, field);
}

void DbMemo::showField() {
    showing_ = true;
    pending_ = false;
    setPlainText(link_.displayText());
    showing_ = false;
}

void DbMemo::storeField() {
    QString t = toPlainText();
    if (const FieldDef* f = link_.fieldDef(); f && f->type == FieldType::Text && f->width > 0)
        t = t.left(f->width);
    link_.write(t);
    pending_ = false;
}

void DbMemo::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    if (pending_ && leavesField(event))
        link_.leave();
}

} // namespace tallyvex
