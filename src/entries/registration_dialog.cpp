#include "registration_dialog.h"

#include "app/session.h"
#include "data/cursor.h"
#include "widgets/cursor_table_model.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

namespace tallyvex {

namespace {
const QString kKey = QStringLiteral("Autoincrease");
}

TF_NEUERSCHUETZE::TF_NEUERSCHUETZE(Session& session, Cursor& shooters, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      session_(session), shooters_(shooters) {
    setObjectName(QStringLiteral("TF_NEUERSCHUETZE"));
    const bool en = session.english();
    setWindowTitle(en ? QStringLiteral("Add a shooter to this competition")
                      : QStringLiteral("Neuen Schützen dem Wettkampf hinzufügen"));

    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(en ? QStringLiteral("Name:") : QStringLiteral("Schütze:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    grid->addWidget(label, 0, 0);

    // The lookup lists the shooters line by line from the cursor, so a database of many
    // thousands costs one screenful to open.
    model_ = new CursorTableModel(this);
    model_->setColumns({
        GridColumn{QStringLiteral("Nachname"), {}, {}, 150},
        GridColumn{QStringLiteral("Vorname"), {}, {}, 120},
        GridColumn{QStringLiteral("Geburtsdatum"), {}, {}, 90},
        GridColumn{QStringLiteral("Postleitzahl"), {}, {}, 60},
        GridColumn{QStringLiteral("Ort"), {}, {}, 150},
    });
    model_->setCursor(&shooters_);
    lookup_ = new QComboBox(this);
    lookup_->setObjectName(QStringLiteral("DBLookupComboBox1"));
    auto* view = new QTableView(lookup_);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setShowGrid(false);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 4);
    lookup_->setModel(model_);
    lookup_->setView(view);
    int width = 0;
    for (int c = 0; c < model_->columnCount(); ++c) {
        view->setColumnWidth(c, model_->column(c).width);
        width += model_->column(c).width;
    }
    view->setMinimumWidth(width + 24);
    // Ten lines, also in the styles that would otherwise open the list over the whole screen.
    lookup_->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    lookup_->setMaxVisibleItems(10);
    lookup_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lookup_->setMinimumContentsLength(40);
    lookup_->setCurrentIndex(-1);
    connect(lookup_, qOverload<int>(&QComboBox::activated), this, &TF_NEUERSCHUETZE::chooseLine);
    grid->addWidget(lookup_, 0, 1, 1, 2);

    chosenLine_ = new QLabel(this);
    chosenLine_->setObjectName(QStringLiteral("LChosen"));
    grid->addWidget(chosenLine_, 1, 1, 1, 2);

    newShooter_ = new QPushButton(en ? QStringLiteral("Add a new shooter to main database")
                                     : QStringLiteral("&Datensatz für nicht gespeicherten "
                                                      "Schützen anlegen"),
                                  this);
    newShooter_->setObjectName(QStringLiteral("BitBtn3"));
    newShooter_->setAutoDefault(false);
    connect(newShooter_, &QPushButton::clicked, this, &TF_NEUERSCHUETZE::addNewShooter);
    grid->addWidget(newShooter_, 2, 0, 1, 3);

    take_ = new QPushButton(
        en ? QStringLiteral("Add selected shooter") : QStringLiteral("&Schützen übernehmen"), this);
    take_->setObjectName(QStringLiteral("BitBtn1"));
    take_->setDefault(true);
    connect(take_, &QPushButton::clicked, this, &TF_NEUERSCHUETZE::confirm);
    cancel_ = new QPushButton(en ? QStringLiteral("Cancel") : QStringLiteral("A&bbruch"), this);
    cancel_->setObjectName(QStringLiteral("BitBtn2"));
    cancel_->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    grid->addWidget(take_, 3, 1);
    grid->addWidget(cancel_, 3, 2);

    lookup_->setFocus();
    showChosen();
}

TF_NEUERSCHUETZE::~TF_NEUERSCHUETZE() = default;

void TF_NEUERSCHUETZE::chooseLine(int line) {
    if (line < 0 || !model_->moveCursorTo(line)) {
        chosen_ = 0;
        lookup_->setCurrentIndex(-1);
    } else {
        chosen_ = shooters_.asInt(kKey);
        lookup_->setCurrentIndex(line);
    }
    showChosen();
}

void TF_NEUERSCHUETZE::addNewShooter() {
    session_.setShooterHandOverKey(-1);
    if (shooterWindow_)
        shooterWindow_();
    // The shooter window may have changed the cursor's order and filter, or closed it.
    if (!shooters_.isOpen())
        shooters_.open();
    shooters_.setIndexName(QStringLiteral("I_NACHNAME"));
    shooters_.clearFilter();
    shooters_.refresh();
    const int key = session_.shooterHandOverKey();
    if (key > 0 && shooters_.locate(kKey, key))
        chooseLine(shooters_.recNo());
    else
        chooseLine(-1);
}

void TF_NEUERSCHUETZE::confirm() {
    if (chosen_ > 0)
        accept();
}

void TF_NEUERSCHUETZE::showChosen() {
    if (chosen_ <= 0) {
        chosenLine_->setText(QString());
        take_->setEnabled(false);
        return;
    }
    QStringList parts;
    for (const char* f : {"Nachname", "Vorname", "Geburtsdatum", "Postleitzahl", "Ort"})
        parts << shooters_.displayText(QLatin1String(f));
    chosenLine_->setText(parts.join(QStringLiteral("  ")));
    take_->setEnabled(true);
}

} // namespace tallyvex
