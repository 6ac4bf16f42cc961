#include "shooter_window.h"

#include "app/help_window.h"
#include "app/session.h"
#include "data/tdm.h"
#include "list_window_parts.h"
#include "masterdata_prompts.h"
#include "shooter_details.h"
#include "widgets/colors.h"
#include "widgets/command_panel.h"
#include "widgets/data_grid.h"
#include "widgets/db_navigator.h"
#include "widgets/field_binders.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace tallyvex {

namespace {
struct ShooterColumn {
    const char* field;
    const char* german;
    const char* english;
    const char* index; ///< chosen by a click on the title; null: the title does not sort
    int width;
};

const ShooterColumn shooterColumns[] = {
    {"Nachname", "Nachname", "Last name:", "I_Nachname", 150},
    {"Vorname", "Vorname", "First name:", "I_Vorname", 130},
    {"TITEL", "Titel", "B.N°:", nullptr, 70},
    {"Geburtsdatum", "Geburtsdatum", "Date of Birth", nullptr, 100},
    {"Strasse", "Strasse", "Street", nullptr, 160},
    {"Postleitzahl", "Postleitzahl", "ZIP", "I_PLZ", 85},
    {"Ort", "Ort:", "Town", "I_Ort", 130},
    {"Land", "Land", "Country", "I_LAND", 60},
    {"WK_BUNDESLAND", "Bundesland", "State", "I_BUNDESLAND", 85},
    {"WK_VERBANDSNUMMER", "Verbandsnummer", "Reg.N°", "I_WETTKAMPF", 110},
    {"WK_VEREIN", "Verein", "Club", "I_Verein", 170},
};

const PanelCaption bottomBar[] = {
    {"Panel17", " H E L P", " H E L P"},
    {"Panel8", "Etiketten drucken", "Print labels"},
    {"Panel3", "Adressen exportieren", "Export Adresses"},
    {"Panel5", "Nach Nachname suchen", "Search by last name"},
    {"Panel_Detailsanzeigen", "Schützendetails", "Details"},
    {"Panel4", "SCHLIESSEN", "Close"},
};
} // namespace

QVector<GridColumn> TF_SHO::gridColumns() {
    QVector<GridColumn> columns;
    for (const ShooterColumn& c : shooterColumns) {
        GridColumn g;
        g.field = QString::fromUtf8(c.field);
        g.titleDe = QString::fromUtf8(c.german);
        g.titleEn = QString::fromUtf8(c.english);
        g.width = c.width;
        if (c.index)
            g.titleColor = colors::panelYellow();
        columns << g;
    }
    return columns;
}

QString TF_SHO::indexOfField(const QString& field) {
    for (const ShooterColumn& c : shooterColumns)
        if (field.compare(QLatin1String(c.field), Qt::CaseInsensitive) == 0)
            return c.index ? QString::fromLatin1(c.index) : QString();
    return {};
}

TF_SHO::TF_SHO(Session& session, QWidget* parent)
    : FullSizeWindow(mainWindowOf(parent), session), session_(session) {
    setObjectName(QStringLiteral("TF_SHO"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colors::windowLime());
    setPalette(pal);

    auto* layout = new QVBoxLayout(this);
    banner_ = makeBanner(QStringLiteral("Panel1"), this);
    banner_->setText(QStringLiteral("Schützenverwaltung:"));
    layout->addWidget(banner_);

    grid_ = makeListGrid(this, session_, shooters(), gridColumns());
    layout->addWidget(grid_, 1);
    navigator_ = makeListNavigator(this, session_, shooters());
    layout->addWidget(navigator_, 0, Qt::AlignLeft);
    layout->addWidget(makeCommandBar(this, bottomBar, panels_));
    panels_[QStringLiteral("Panel8")]->setPicture(
        style()->standardPixmap(QStyle::SP_FileDialogDetailedView)); // Image2

    auto command = [this](const char* name, void (TF_SHO::*action)()) {
        connect(panels_[QString::fromLatin1(name)], &CommandPanel::clicked, this,
                [this, action] { runCommand(this, [this, action] { (this->*action)(); }); });
    };
    command("Panel17", &TF_SHO::showHelp);
    command("Panel8", &TF_SHO::printLabels);
    command("Panel3", &TF_SHO::exportAddresses);
    command("Panel5", &TF_SHO::searchByLastName);
    command("Panel_Detailsanzeigen", &TF_SHO::openDetails);
    command("Panel4", &TF_SHO::closeCommand);
    connect(grid_, &DataGrid::titleClicked, this, [this](const QString& field) {
        runCommand(this, [this, field] { sortByField(field); });
    });
    connect(grid_, &DataGrid::gridDoubleClicked, this,
            [this] { runCommand(this, [this] { openDetails(); }); });
}

TF_SHO::~TF_SHO() = default;

Cursor& TF_SHO::shooters() const {
    return session_.tdm().T_TEILNEHMER();
}

void TF_SHO::showEvent(QShowEvent* event) {
    FullSizeWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    runCommand(this, [this] { showStep(); });
    QTimer::singleShot(0, this, [this] { runCommand(this, [this] { firstActivation(); }); });
}

void TF_SHO::showStep() {
    // No cell editor may be open while the rows take their order: the view would hand its
    // text to whatever row then stands in its place.
    grid_->setEditing(false);
    Cursor& c = shooters();
    if (!c.isOpen())
        c.open();
    c.setIndexName(QStringLiteral("I_Nachname"));
    c.refresh();
    c.first();
    grid_->setEditing(true);
    applyLanguage();
}

void TF_SHO::applyLanguage() {
    const bool en = session_.english();
    banner_->setText(en ? QStringLiteral("Shooter´s Database:")
                        : QStringLiteral("Schützenverwaltung:"));
    grid_->setLanguage(session_.language());
    navigator_->setLanguage(session_.language());
    for (CommandPanel* p : std::as_const(panels_))
        p->applyLanguage(session_.language());
}

void TF_SHO::firstActivation() {
    if (activated_)
        return;
    activated_ = true;
    if (session_.shooterHandOverKey() != -1) {
        session_.setShooterHandOverKey(0);
        return;
    }
    Cursor& c = shooters();
    closeGridEditor(grid_);
    if (!FieldLink::commitControls(c))
        return;
    c.post();
    c.append();
    openDetails();
}

void TF_SHO::sortByField(const QString& field) {
    const QString index = indexOfField(field);
    if (index.isEmpty())
        return;
    closeGridEditor(grid_);
    Cursor& c = shooters();
    c.setIndexName(index);
    c.refresh();
}

void TF_SHO::searchByLastName() {
    closeGridEditor(grid_);
    const QString text =
        askText(this, QStringLiteral("QUORVANE-V5-SCORING"), QStringLiteral("Last Name:"));
    shooters().findNearest(text);
}

void TF_SHO::openDetails() {
    closeGridEditor(grid_);
    // The details edit the row themselves. A cell editor left open in the grid would follow
    // the row's text but stay at its place when storing moves the row into its sorted place,
    // and hand that text to the shooter who then stands there.
    struct GridEditorsClosed {
        DataGrid* grid;
        explicit GridEditorsClosed(DataGrid* g) : grid(g) {
            grid->setEditing(false);
            grid->reset();
            grid->syncFromCursor();
        }
        ~GridEditorsClosed() { grid->setEditing(true); }
    } editorsClosed(grid_);
    TF_SHO_DETAIL details(session_, this);
    runDialog(details);
}

void TF_SHO::printLabels() {
    closeGridEditor(grid_);
    previewAddressLabels(this, session_, shooters(), AddressList::Shooters);
}

void TF_SHO::exportAddresses() {
    closeGridEditor(grid_);
    exportAddressesOf(this, session_, shooters(), AddressList::Shooters);
}

void TF_SHO::showHelp() {
    session_.showHelp(HelpTopic::ShooterDatabase);
}

void TF_SHO::closeCommand() {
    closeGridEditor(grid_);
    Cursor& c = shooters();
    if (!FieldLink::commitControls(c))
        return;
    // Stored before the key is read: a shooter typed straight into a new grid row has its key
    // only once it is stored, and the caller must find exactly that shooter.
    c.post();
    session_.setShooterHandOverKey(c.recNo() >= 0 ? int(c.asInt(QStringLiteral("Autoincrease")))
                                                  : 0);
    closeWindow();
}

} // namespace tallyvex
