#include "class_choice_dialog.h"

#include "app/session.h"
#include "data/cursor.h"
#include "widgets/data_grid.h"
#include "widgets/db_navigator.h"
#include "widgets/field_binders.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace tallyvex {

TF_AUSWL::TF_AUSWL(Session& session, Cursor& classes, QWidget* parent)
    : QDialog(parent), classes_(classes), wasOpen_(classes.isOpen()) {
    setObjectName(QStringLiteral("TF_AUSWL"));
    const bool en = session.english();
    setWindowTitle(en ? QStringLiteral("Assign class to shooter:")
                      : QStringLiteral("Klasse auswählen:"));
    if (!classes_.isOpen())
        classes_.open();
    classes_.first();

    auto* layout = new QVBoxLayout(this);
    auto* header = new QLabel(en ? QStringLiteral("Double-click for class assignment:")
                                 : QStringLiteral("Klasse zum Auswählen doppelt anklicken"),
                              this);
    header->setObjectName(QStringLiteral("Label1"));
    QFont bold = header->font();
    bold.setBold(true);
    header->setFont(bold);
    layout->addWidget(header);

    grid_ = new DataGrid(this);
    grid_->setObjectName(QStringLiteral("DBGrid1"));
    grid_->setColumns({GridColumn{QStringLiteral("Klasse"), QStringLiteral("Klasse"),
                                  QStringLiteral("Class:"), 240}});
    grid_->setCursor(&classes_);
    grid_->setLanguage(session.language());
    grid_->setEditing(true);
    grid_->installEventFilter(this);
    layout->addWidget(grid_, 1);
    connect(grid_, &DataGrid::gridDoubleClicked, this, &TF_AUSWL::chooseCurrent);

    navigator_ = new DbNavigator(this);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->setCursor(&classes_);
    navigator_->setVisibleButtons(DbNavigator::allButtons());
    navigator_->setLanguage(session.language());
    layout->addWidget(navigator_);

    setFixedSize(300, 360);
}

TF_AUSWL::~TF_AUSWL() = default;

void TF_AUSWL::chooseCurrent() {
    if (classes_.recNo() < 0 && classes_.state() != Cursor::State::Insert)
        return;
    if (!FieldLink::commitControls(classes_))
        return;
    chosen_ = classes_.asString(QStringLiteral("Klasse"));
    accept();
}

bool TF_AUSWL::eventFilter(QObject* watched, QEvent* event) {
    // Enter on a row chooses it; while a cell is edited the editor has the key instead.
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseCurrent();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TF_AUSWL::done(int result) {
    // The list is kept as edited: what the grid still holds is stored before it closes.
    if (classes_.isOpen()) {
        classes_.post();
        if (!wasOpen_)
            classes_.close();
    }
    QDialog::done(result);
}

} // namespace tallyvex
