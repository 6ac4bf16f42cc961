#include "entry_list_window.h"

#include "app/help_window.h"
#include "app/session.h"
#include "app/wait_window.h"
#include "data/cursor.h"
#include "data/tdm.h"
#include "entries/class_choice_dialog.h"
#include "entries/entry_details_dialog.h"
#include "entries/entry_operations.h"
#include "entries/registration_dialog.h"
#include "widgets/colors.h"
#include "widgets/command_panel.h"
#include "widgets/data_grid.h"
#include "widgets/db_navigator.h"
#include "widgets/field_binders.h"

#include <QApplication>

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tallyvex {

namespace {

struct CommandDef {
    const char* name;
    int group;
    const char* german;
    const char* english;
    const char* hint;
};

// The command column, top to bottom; the groups are set apart by thin bars.
const CommandDef commandDefs[] = {
    {"PNeuerSchuetze", 1, "Neuen Schützen anlegen", "Add a shooter to competition", nullptr},
    {"PSchuetzeLoeschen", 1, "Schützen löschen", "Delete Shooter from competition", nullptr},
    {"PStartnummerAuslosen", 1, "Autom. Startnummer auslosen", "Autom. drawing of bibs", nullptr},
    {"PRottenpositionAuto", 1, "Autom. Rottenposition festlegen", "Autom. positioning in squads",
     nullptr},
    {"PRottenzuteilungAuto", 1, "Autom. Rottenzuteilung", "Autom. squading", nullptr},
    {"PStartnummernLoeschen", 2, "Startnummern löschen", "Delete all start numbers",
     "Never use this button after competition has started!"},
    {"PRottenpositionenLoeschen", 2, "Rottenpositionen löschen", "Delete squad pos. numbers",
     nullptr},
    {"PRottenzuteilungLoeschen", 2, "Rottenzuteilung löschen", "Delete squad numbers", nullptr},
    {"PKlassenzuordnung", 3, "Klassenzuordnung ändern", "Change class", nullptr},
    {"PTeilnehmerdetails", 3, "Teilnehmerdetails editieren", "Change shooter´s data", nullptr},
    {"PStartnummernManuell", 4, "Manuell: Startnummern vorsetzen", "Man. preset start/back n°",
     "Pre-Set Starting Numbers for special shooters"},
    {"PRottenpositionManuell", 4, "Manuell: Rottenposition", "Man. change Squad pos",
     "Pre-Set Starting Numbers for special shooters"},
    {"PRottendefinitionManuell", 4, "Manuell: Rottendefinition", "Man. change squad n°", nullptr},
    {"PDruckHoch", 5, "Startnummern-Druck Hoch", "Print back numbers port.", nullptr},
    {"PDruckQuer", 5, "Startnummern-Druck Quer", "Print back numbers land.", nullptr},
    {"PNenngeldBestaetigung", 5, "Nenngeld-Bestätigung", "Print receipt", nullptr},
    {"PStarterliste", 5, "Starterliste", "Print starter list", nullptr},
    {"PStarterlisteNenngeld", 5, "Starterliste/Klassen/Nenngeld", "Print list with receipt rem.",
     nullptr},
    {"PReorg", 6, "Reorg.  Jagdl. Trap f.2.Tag", nullptr, nullptr},
    {"PKlasseneinteilung", 7, "Automatisierte Klasseneinteilung", "Aut. Class reassignment",
     nullptr},
};

struct MenuDef {
    const char* name;
    const char* german;
    const char* english;
};

const MenuDef menuDefs[] = {
    {"MNeuerSchuetze", "Neuer Schütze", "Add new shooter to competition"},
    {"MSchuetzeLoeschen", "Schützen löschen", "Delete shooter from competition"},
    {"MKlassenzuordnung", "Klassenzuordnung ändern", "Change class assignment"},
    {"MTeilnehmerdetails", "Teilnehmerdetails editieren", "Change shooter`s details"},
    {"MStartnummerManuell", "Manuell:Startnummer vorsetzen", "Manually preset start back numbers"},
    {"MRottenpositionManuell", "Manuell: Rottenposition vorsetzen",
     "Manually preset position within squad"},
    {"MRottendefinitionManuell", "Manuell: Rottendefinition ändern",
     "Manually preset squad number"},
    {"MStartnummerHoch", "Startnummer - Hoch für ausgew. Teilnehmer",
     "Print back number for selected shooter-portrait"},
    {"MStartnummerQuer", "Startnummer - Quer für ausgew. Teilnehmer",
     "Print back number for selected shooter-landscape"},
    {"MNenngeldBestaetigung", "Nenngeldbestätigung für ausgew. Teilnehmer",
     "Print money receipt confirmation for selected shooter"},
};

// Menu entries that are the same commands as panels of the column.
const std::pair<const char*, const char*> menuAliases[] = {
    {"MKlassenzuordnung", "PKlassenzuordnung"},
    {"MStartnummerManuell", "PStartnummernManuell"},
    {"MRottenpositionManuell", "PRottenpositionManuell"},
    {"MRottendefinitionManuell", "PRottendefinitionManuell"},
};

QString text(const char* s) {
    return QString::fromUtf8(s);
}

QFrame* groupBar(QWidget* parent) {
    auto* bar = new QFrame(parent);
    bar->setFixedHeight(4);
    bar->setAutoFillBackground(true);
    QPalette p = bar->palette();
    p.setColor(QPalette::Window, QColor(0x80, 0x80, 0x80));
    bar->setPalette(p);
    return bar;
}

} // namespace

const QVector<GridColumn>& TF_I_LIST::entryColumns() {
    static const QVector<GridColumn> columns = [] {
        struct C {
            const char* field;
            const char* de;
            const char* en;
            int width;
        };
        static const C list[] = {
            {"NUMBER", "N°.:", "N°.:", 40},
            {"STARTNUMMER", "Start-#:", "Start-N°:", 56},
            {"STARTNUMMERNEU", "Rot.Pos.", "Sq.pos:", 56},
            {"ROTTE", "Rotte", "Squad:", 48},
            {"NACHNAME", "Nachname", "Last name:", 130},
            {"VORNAME", "Vorname", "First name:", 110},
            {"Klasse", "Klasse:", "Class:", 90},
            {"VBN", "WK-Ausweis", "Comp.ID", 90},
            {"TOTAL", "Ergebniss:", "Result", 64},
            {"PLZ", "Postleitzahl:", "Zip-Code", 72},
            {"GEBDAT", "Geburtsdatum:", "Date of birth", 88},
            {"ORT", "Ort:", "Town:", 140},
            {"LLANDK", "Land:", "Country", 48},
            {"TITEL", "Titel", "Title:", 56},
            {"NG", "Nenngeld:", "entry fee", 80},
        };
        QVector<GridColumn> out;
        for (const C& c : list) {
            GridColumn col;
            col.field = QLatin1String(c.field);
            col.titleDe = text(c.de);
            col.titleEn = text(c.en);
            col.width = c.width;
            if (!entryOrderForField(col.field).isEmpty())
                col.titleColor = colors::panelYellow();
            out << col;
        }
        return out;
    }();
    return columns;
}

TF_I_LIST::TF_I_LIST(Session& session, QWidget* mainWindow)
    : FullSizeWindow(mainWindow, session), session_(session) {
    setObjectName(QStringLiteral("TF_I_LIST"));
    question_ = [](QWidget* parent, const QString& title, const QString& text) {
        return QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                     QMessageBox::Cancel) == QMessageBox::Ok;
    };
    message_ = [](QWidget* parent, const QString& text) {
        QMessageBox::information(parent, QApplication::applicationName(), text);
    };
    runDialog_ = [](QDialog& dialog) { return dialog.exec(); };
    build();
}

TF_I_LIST::~TF_I_LIST() = default;

Cursor& TF_I_LIST::entries() const {
    return session_.tdm().T_CD();
}

void TF_I_LIST::build() {
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colors::windowLime());
    setPalette(pal);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("Panel1"));
    title_->setFrameShape(QFrame::Panel);
    title_->setFrameShadow(QFrame::Raised);
    title_->setAutoFillBackground(true);
    QPalette tp = title_->palette();
    tp.setColor(QPalette::Window, colors::bannerGreen());
    tp.setColor(QPalette::WindowText, Qt::white);
    title_->setPalette(tp);
    QFont tf = title_->font();
    tf.setBold(true);
    tf.setPixelSize(20);
    title_->setFont(tf);
    title_->setMargin(6);
    outer->addWidget(title_);

    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("PageControl1"));
    auto* listPage = new QWidget(tabs_);
    listPage->setObjectName(QStringLiteral("TabSheet1"));
    auto* listLayout = new QVBoxLayout(listPage);
    grid_ = new DataGrid(listPage);
    grid_->setObjectName(QStringLiteral("GRID"));
    grid_->setColumns(entryColumns());
    grid_->setCursor(&entries());
    grid_->setSelectionAlwaysVisible(true);
    grid_->setToolTip(QStringLiteral("Rechte Maustaste für erweitere Funktionalität"));
    listLayout->addWidget(grid_, 1);
    navigator_ = new DbNavigator(listPage);
    navigator_->setObjectName(QStringLiteral("DBNavigator1"));
    navigator_->setVisibleButtons(DbNavigator::moveButtons());
    navigator_->setCursor(&entries());
    listLayout->addWidget(navigator_, 0, Qt::AlignLeft);
    tabs_->addTab(listPage, QString());
    // The fee summary of this page belongs to the fee accounting.
    auto* feePage = new QWidget(tabs_);
    feePage->setObjectName(QStringLiteral("TabSheet2"));
    new QVBoxLayout(feePage);
    tabs_->addTab(feePage, QString());
    body->addWidget(tabs_, 1);

    auto* column = new QFrame(this);
    column->setObjectName(QStringLiteral("Panel2"));
    column->setFrameShape(QFrame::Panel);
    column->setFrameShadow(QFrame::Raised);
    column->setFixedWidth(250);
    buildCommandColumn(column);
    body->addWidget(column);

    connect(grid_, &DataGrid::titleClicked, this, &TF_I_LIST::sortByField);
    connect(grid_, &DataGrid::gridDoubleClicked, this, &TF_I_LIST::editEntryDetails);
    buildContextMenu();
    connect(grid_, &DataGrid::contextMenuWanted, this,
            [this](const QPoint& pos) { menu_->popup(pos); });

    // The window's own commands; the others wait for their parts of the program.
    setCommand(QStringLiteral("PNeuerSchuetze"), [this] { registerShooter(); });
    setCommand(QStringLiteral("PSchuetzeLoeschen"), [this] { deleteSelectedEntry(); });
    setCommand(QStringLiteral("PTeilnehmerdetails"), [this] { editEntryDetails(); });
    setCommand(QStringLiteral("MNeuerSchuetze"), [this] { registerShooter(); });
    setCommand(QStringLiteral("MSchuetzeLoeschen"), [this] { deleteSelectedEntry(); });
    setCommand(QStringLiteral("MTeilnehmerdetails"), [this] { editEntryDetails(); });
}

void TF_I_LIST::buildCommandColumn(QWidget* column) {
    auto* stack = new QVBoxLayout(column);
    stack->setContentsMargins(3, 3, 3, 3);
    stack->setSpacing(2);
    int group = 1;
    for (const CommandDef& c : commandDefs) {
        if (c.group != group) {
            stack->addWidget(groupBar(column));
            group = c.group;
        }
        const QString name = QLatin1String(c.name);
        auto* panel = new CommandPanel(name, text(c.german),
                                       c.english ? text(c.english) : text(c.german), column);
        panel->setFixedHeight(26);
        if (c.hint)
            panel->setToolTip(text(c.hint));
        stack->addWidget(panel);
        connect(panel, &CommandPanel::clicked, this, [this, name] { runCommand(name); });
        panels_.insert(name, panel);
        panelOrder_ << name;
    }
    stack->addStretch(1);

    status_ = new QLabel(column);
    status_->setObjectName(QStringLiteral("StatusLine"));
    status_->setFrameShape(QFrame::Panel);
    status_->setFrameShadow(QFrame::Sunken);
    status_->setAlignment(Qt::AlignCenter);
    status_->setMinimumHeight(26);
    QFont bold = status_->font();
    bold.setBold(true);
    status_->setFont(bold);
    stack->addWidget(status_);

    auto* help = new CommandPanel(QStringLiteral("PHelp"), QStringLiteral(" H E L P"),
                                  QStringLiteral(" H E L P"), column);
    help->setFixedHeight(30);
    connect(help, &CommandPanel::clicked, this, &TF_I_LIST::showHelp);
    stack->addWidget(help);
    panels_.insert(help->objectName(), help);

    auto* close = new CommandPanel(QStringLiteral("PClose"), QStringLiteral("SCHLIESSEN"),
                                   QStringLiteral("CLOSE"), column);
    close->setFixedHeight(35);
    connect(close, &CommandPanel::clicked, this, &TF_I_LIST::closeList);
    stack->addWidget(close);
    panels_.insert(close->objectName(), close);
}

void TF_I_LIST::buildContextMenu() {
    menu_ = new QMenu(this);
    menu_->setObjectName(QStringLiteral("PopupMenu1"));
    for (const MenuDef& m : menuDefs) {
        const QString name = QLatin1String(m.name);
        QAction* action = menu_->addAction(text(m.german));
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, name] { runCommand(name); });
    }
}

void TF_I_LIST::setCommand(const QString& name, std::function<void()> action) {
    actions_.insert(name, std::move(action));
}

void TF_I_LIST::runCommand(const QString& name) {
    QString target = name;
    for (const auto& [menu, panel] : menuAliases)
        if (name == QLatin1String(menu) && !actions_.contains(name))
            target = QLatin1String(panel);
    const auto it = actions_.constFind(target);
    if (it != actions_.constEnd() && *it)
        (*it)();
}

void TF_I_LIST::applyLanguage() {
    const bool en = session_.english();
    const QString& lang = session_.language();
    title_->setText(en ? QStringLiteral("Entry list of shooters")
                       : QStringLiteral("Teilnehmerverwaltung:"));
    tabs_->setTabText(0, en ? QStringLiteral("Entry List") : QStringLiteral("Teilnehmerliste"));
    tabs_->setTabText(1,
                      en ? QStringLiteral("Money received") : QStringLiteral("Nenngeldabrechnung"));
    for (auto* panel : std::as_const(panels_))
        panel->applyLanguage(lang);
    panels_.value(QStringLiteral("PReorg"))->setVisible(!en);
    for (const MenuDef& m : menuDefs)
        if (auto* action = menu_->findChild<QAction*>(QLatin1String(m.name)))
            action->setText(text(en ? m.english : m.german));
    grid_->setLanguage(lang);
    navigator_->setLanguage(lang);
}

void TF_I_LIST::prepare() {
    applyLanguage();
    renumber();
    entries().first();
    grid_->syncFromCursor();
    showCount();
}

void TF_I_LIST::renumber() {
    session_.setEntryCount(renumberEntries(entries()));
}

void TF_I_LIST::checkout() {
    if (FieldLink::commitControls(entries()))
        entries().post();
}

bool TF_I_LIST::startColumnEdit(const QString& field) {
    return grid_->startColumnEdit(field);
}

void TF_I_LIST::showCount(bool afterRegistration) {
    status_->setText(entryCountText(session_.english(), session_.entryCount(), afterRegistration));
}

void TF_I_LIST::sortByField(const QString& field) {
    Cursor& cd = entries();
    cd.post();
    const QString order = entryOrderForField(field);
    if (!order.isEmpty())
        cd.setIndexName(order);
    cd.refresh();
    grid_->syncFromCursor();
}

void TF_I_LIST::registerShooter() {
    TDM& tdm = session_.tdm();
    Cursor& shooters = tdm.T_TEILNEHMER();
    Cursor& cd = entries();
    // The shooter database is open only for the registration.
    struct CloseAfter {
        Cursor& c;
        ~CloseAfter() {
            if (c.isOpen())
                c.close();
        }
    } closeShooters{shooters};
    if (!shooters.isOpen())
        shooters.open();
    shooters.setIndexName(QStringLiteral("I_NACHNAME"));
    shooters.clearFilter();
    shooters.first();

    qint64 shooterKey = 0;
    {
        TF_NEUERSCHUETZE dialog(session_, shooters, this);
        dialog.setShooterDatabaseWindow([this] {
            if (!shooterWindow_)
                return;
            shooterWindow_();
            // The shooter window gave the close permission back when it closed; this window is
            // still open and keeps refusing other ways of closing.
            session_.setCloseAllowed(false);
        });
        if (runDialog_(dialog) == QDialog::Accepted)
            shooterKey = dialog.chosenShooter();
    }
    // Only the shooter picked is registered, never whatever row the cursor stands on.
    if (shooterKey <= 0 || !shooters.locate(QStringLiteral("Autoincrease"), shooterKey)) {
        showCount(true);
        return;
    }
    const double key = session_.competitionKey();
    if (shooterIsRegistered(tdm.db(), key, double(shooterKey))) {
        shooters.close();
        message_(this, session_.inLanguage(
                           QStringLiteral("ACHTUNG! Dieser Schütze ist bereits für diesen "
                                          "Wettkampf angemeldet!"),
                           QStringLiteral("Shooter has already been assigned to competition!")));
        return;
    }

    {
        TF_AUSWL choice(session_, tdm.T_CLASSES(), this);
        runDialog_(choice);
        if (choice.chosenClass())
            pendingClass_ = *choice.chosenClass();
    }

    checkout();
    const CompetitionCopy& comp = session_.competition();
    const qint64 entryKey = appendEntry(cd, shooters, key, pendingClass_,
                                        feeOfClass(comp.klasse, comp.ng, pendingClass_));
    shooters.close();
    {
        WaitGuard wait(session_.waitWindow(), session_.language());
        renumber();
    }
    goToEntry(cd, entryKey);
    grid_->syncFromCursor();
    showCount(true);
}

void TF_I_LIST::deleteSelectedEntry() {
    Cursor& cd = entries();
    if (cd.recNo() >= 0 &&
        question_(this, session_.inLanguage(QStringLiteral("Löschen?"), QStringLiteral("Delete?")),
                  session_.inLanguage(
                      QStringLiteral("Wollen Sie wirklich diesen Schützen aus dem Wettkampf "
                                     "löschen ? "),
                      QStringLiteral("Do you realy want to delete this shooter?")))) {
        grid_->endColumnEdit();
        if (deleteEntry(cd)) {
            WaitGuard wait(session_.waitWindow(), session_.language());
            renumber();
        }
        grid_->syncFromCursor();
    }
    showCount();
}

void TF_I_LIST::editEntryDetails() {
    Cursor& cd = entries();
    if (cd.recNo() < 0)
        return;
    grid_->endColumnEdit();
    TF_WKS_DETAIL details(session_, cd, session_.tdm().T_CLASSES(), this);
    runDialog_(details);
    grid_->syncFromCursor();
}

void TF_I_LIST::showHelp() {
    session_.showHelp(HelpTopic::EntryList);
}

void TF_I_LIST::closeList() {
    grid_->endColumnEdit();
    checkout();
    closeWindow();
}

} // namespace tallyvex
