#include "main_window.h"

#include "app/about_window.h"
#include "app/data_folder.h"
#include "app/help_window.h"
#include "app/session.h"
#include "app/settings.h"
#include "app/wait_window.h"
#include "competitions/competition_store.h"
#include "competitions/selection_window.h"
#include "competitions/setup_window.h"
#include "data/tdm.h"
#include "entries/entry_list_window.h"
#include "masterdata/club_window.h"
#include "masterdata/shooter_window.h"
#include "widgets/command_panel.h"
#include "widgets/help_picture.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace tallyvex {

namespace {
struct Command {
    const char* name;
    const char* german;  ///< caption applied for "DE"
    const char* english; ///< caption applied for "EN"
    const char* design;  ///< caption before any language is applied
    void (TF_MAIN::*action)();
};

// In their order in the menu column: ten at the top, five at the bottom.
const Command commandTable[] = {
    {"Panel6", "Wettkampf anlegen/auswählen", "Select/Add new competition",
     "Wettkampf auswählen  / anlegen", &TF_MAIN::selectCompetition},
    {"Panel7", "Wettkampfdaten erfassen/ändern", "Edit competition setup", nullptr,
     &TF_MAIN::editCompetitionSetup},
    {"Panel8", "Teilnehmerliste", "Entry list", nullptr, &TF_MAIN::openEntryList},
    {"Panel9", "Anlage Teams", "Team list", nullptr, &TF_MAIN::openTeams},
    {"Panel14", "Zeitplan/Rottenzettel", "Timetable + scoresheets", "Zeitplan / Rottenzettel",
     &TF_MAIN::openTimetable},
    {"Panel18", "Ergebnisse erfassen", "Enter results", nullptr, &TF_MAIN::openScoreEntry},
    {"Panel16", "Ergebnisse Teams", "Results teams", nullptr, &TF_MAIN::openTeamResults},
    {"Panel11", "Ergebnisse einzel", "Results individual shooters", "Ergebnisse Einzel",
     &TF_MAIN::openIndividualResults},
    {"Panel2", "Wettkampfstatistik I.", "Competition stats", "WK-Statistiken - Ergebnisse",
     &TF_MAIN::printClassStatistics},
    {"Pstat", "Wettkampfstatistik II.", "Competition stats/classes",
     "WK-Statistiken - Teilnehmer/Klassen", &TF_MAIN::printNationStatistics},
    {"Panel55", "About Tallyvex", "About Tallyvex", nullptr, &TF_MAIN::showAbout},
    {"Panel17", "Hilfe", "Help", nullptr, &TF_MAIN::showHelp},
    {"PanelVereine", "Vereinsverwaltung", "Club administration", "Vereine verwalten",
     &TF_MAIN::openClubs},
    {"Panel10", "Schützendatenbank", "Shooter`s database", "Schützen-Datenbank",
     &TF_MAIN::openShooterDatabase},
    {"Panel19", "Ende", "Quit Tallyvex", "Programmende", &TF_MAIN::quit},
};
constexpr int topCommands = 10;

// Usable from the start: the commands that need no competition.
const char* const alwaysUsable[] = {"Panel6",       "Panel55", "Panel17",
                                    "PanelVereine", "Panel10", "Panel19"};
// Usable once the selection window has closed.
const char* const competitionCommands[] = {"Panel7",  "Panel8",  "Panel2",  "Pstat",  "Panel9",
                                           "Panel14", "Panel18", "Panel16", "Panel11"};
// Not offered for a competition shot again under REDO.
const char* const notForRedo[] = {"Pstat", "Panel2", "Panel16", "Panel9", "Panel14"};

QString latin(const char* s) {
    return QString::fromUtf8(s);
}

/// Runs the closing part of the selection command however the window ended.
class AfterSelection final {
public:
    explicit AfterSelection(std::function<void()> then) : then_(std::move(then)) {}
    ~AfterSelection() { then_(); }
    AfterSelection(const AfterSelection&) = delete;
    AfterSelection& operator=(const AfterSelection&) = delete;

private:
    std::function<void()> then_;
};
} // namespace

const QStringList& TF_MAIN::commandNames() {
    static const QStringList names = [] {
        QStringList l;
        for (const auto& c : commandTable)
            l << latin(c.name);
        return l;
    }();
    return names;
}

TF_MAIN::TF_MAIN(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), session_(session) {
    setObjectName(QStringLiteral("TF_MAIN"));
    setWindowTitle(QStringLiteral("Quorvane Tallyvex"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildTitleBar();
    buildMenuColumn();
    setStartState();

    connect(&session_, &Session::competitionChanged, this, &TF_MAIN::showCompetition);
    connect(&session_, &Session::webAddressChanged, label1_, &QLabel::setText);

    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    else
        resize(1280, 900);
}

TF_MAIN::~TF_MAIN() = default;

void TF_MAIN::buildTitleBar() {
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("Panel1"));
    bar->setFrameShape(QFrame::Panel);
    bar->setFrameShadow(QFrame::Raised);
    bar->setFixedHeight(41);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(8, 0, 8, 0);

    label1_ = new QLabel(bar);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont small = font();
    small.setPixelSize(11);
    small.setBold(true);
    label1_->setFont(small);
    label1_->setMinimumWidth(160);
    row->addWidget(label1_);

    auto* caption = new QLabel(QStringLiteral("QUORVANE TALLYVEX  2007 Version 1.0"), bar);
    caption->setObjectName(QStringLiteral("Caption"));
    QFont big = font();
    big.setPixelSize(24);
    big.setBold(true);
    caption->setFont(big);
    caption->setAlignment(Qt::AlignCenter);
    row->addWidget(caption, 1);

    auto makeLanguageButton = [&](const char* name, const char* text, const char* tip) {
        auto* b = new QToolButton(bar);
        b->setObjectName(latin(name));
        b->setText(latin(text));
        b->setToolTip(latin(tip));
        b->setCheckable(true);
        b->setAutoRaise(true);
        b->setFixedSize(34, 26);
        b->setFont(small);
        row->addWidget(b);
        return b;
    };
    german_ = makeLanguageButton("Image3", "DE", "Deutsch");
    english_ = makeLanguageButton("Image5", "EN", "English");
    connect(german_, &QToolButton::clicked, this, &TF_MAIN::image3Click);
    connect(english_, &QToolButton::clicked, this, &TF_MAIN::image5Click);

    layout()->addWidget(bar);
}

void TF_MAIN::buildMenuColumn() {
    auto* body = new QWidget(this);
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    auto* column = new QFrame(body);
    column->setObjectName(QStringLiteral("Panel3"));
    column->setFrameShape(QFrame::Panel);
    column->setFrameShadow(QFrame::Raised);
    column->setFixedWidth(273);
    auto* stack = new QVBoxLayout(column);
    stack->setContentsMargins(2, 2, 2, 2);
    stack->setSpacing(2);

    auto* box = new QFrame(column);
    box->setObjectName(QStringLiteral("Panel4"));
    box->setFrameShape(QFrame::Panel);
    box->setFrameShadow(QFrame::Sunken);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(6, 6, 6, 6);
    QFont bold = font();
    bold.setBold(true);
    auto label = [&](const char* name, const QString& text, Qt::Alignment align) {
        auto* l = new QLabel(text, box);
        l->setObjectName(latin(name));
        l->setAlignment(align);
        l->setWordWrap(true);
        boxLayout->addWidget(l);
        return l;
    };
    label7_ = label("Label7", QStringLiteral("Ausgewählter Wettkampf:"), Qt::AlignLeft);
    label7_->setFont(bold);
    name1_ = label("L_NAME1", QStringLiteral("nicht ausgewählt"), Qt::AlignCenter);
    name2_ = label("L_NAME2", QStringLiteral("-"), Qt::AlignCenter);
    label10_ = label("Label10", QStringLiteral("Modus:"), Qt::AlignLeft);
    mode_ = label("L_MODE", QString(), Qt::AlignCenter);
    label10_->hide();
    mode_->hide();
    stack->addWidget(box);

    int i = 0;
    for (const auto& c : commandTable) {
        auto* panel = new CommandPanel(latin(c.name), latin(c.german), latin(c.english), column);
        panel->setCaption(latin(c.design ? c.design : c.german));
        panel->setFixedHeight(35);
        if (i == topCommands)
            stack->addStretch(1);
        stack->addWidget(panel);
        connect(panel, &CommandPanel::clicked, this, c.action);
        commands_.insert(panel->objectName(), panel);
        ++i;
    }
    commands_.value(QStringLiteral("Panel17"))->setPicture(helpPanelPicture());

    row->addWidget(column);
    row->addStretch(1);
    layout()->addWidget(body);
}

CommandPanel* TF_MAIN::command(const QString& name) const {
    return commands_.value(name);
}

void TF_MAIN::setStartState() {
    for (auto* panel : std::as_const(commands_))
        panel->setUsable(false);
    for (const char* name : alwaysUsable)
        command(latin(name))->setUsable(true);
}

void TF_MAIN::setSelectionState() {
    command(QStringLiteral("Panel6"))->setUsable(false);
}

void TF_MAIN::setChosenState() {
    // Leaving the selection without a competition (an empty list, no row taken) leaves the
    // competition commands off and the selection open for another try.
    if (!session_.hasCompetition() || session_.competitionKey() < 1) {
        command(QStringLiteral("Panel6"))->setUsable(true);
        name1_->setText(session_.inLanguage(QStringLiteral("nicht ausgewählt"),
                                            QStringLiteral("not selected")));
        name2_->setText(QStringLiteral("-"));
        mode_->clear();
        return;
    }
    selectionDone_ = true;
    for (const char* name : competitionCommands)
        command(latin(name))->setUsable(true);
    command(QStringLiteral("Panel6"))->setUsable(false);
    if (session_.competition().REDO)
        for (const char* name : notForRedo)
            command(latin(name))->hide();
}

void TF_MAIN::showStep() {
    // The start language: the stored setting, unless the command line asked for another.
    session_.setLanguage(QStringLiteral("DE"));
    session_.setWebAddress(readWebAddress(session_.dataFolder()));
    session_.loadPictures();
    label1_->setText(session_.webAddress());

    if (!session_.hasDataModule())
        session_.setDataModule(TDM::open(databasePath(session_.dataFolder())));
    prepareDatabase(session_.tdm(), firstStart_);
    const GeneralSettings settings = readGeneralSettings(session_.tdm());
    session_.setCurrency(settings.currency);
    session_.setLanguage(languageOverride_.isEmpty() ? settings.language : languageOverride_);

    QCoreApplication::processEvents();
    applyCaptions();
    session_.setFinalBackNumberMode(false);
    CompetitionCopy& copy = session_.competition();
    copy.ISSPORTING = copy.ISISSF = copy.REPLAY = copy.REDO = false;
}

void TF_MAIN::applyCaptions() {
    const QString& lang = session_.language();
    const bool en = session_.english();
    label7_->setText(en ? QStringLiteral("Competition selected:")
                        : QStringLiteral("Ausgewählter Wettkampf:"));
    // A selection left with key 0 has chosen nothing either: the label still says so.
    if (!session_.hasCompetition() || session_.competitionKey() < 1)
        name1_->setText(en ? QStringLiteral("not selected") : QStringLiteral("nicht ausgewählt"));
    for (auto* panel : std::as_const(commands_))
        if (panel->objectName() != QLatin1String("Panel55"))
            panel->applyLanguage(lang);
    german_->setChecked(!en);
    english_->setChecked(en);
}

void TF_MAIN::showCompetition() {
    if (!session_.hasCompetition())
        return;
    name1_->setText(session_.name1());
    name2_->setText(session_.name2());
    mode_->setText(session_.mode());
}

void TF_MAIN::switchLanguage(const QString& language) {
    session_.setLanguage(language);
    applyCaptions();
    storeLanguage(session_.tdm(), session_.language());
}

void TF_MAIN::image3Click() {
    switchLanguage(QStringLiteral("DE"));
}
void TF_MAIN::image5Click() {
    switchLanguage(QStringLiteral("EN"));
}

void TF_MAIN::bringToFront() {
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    qInfo("Tallyvex: a second start brought the running window to the front.");
}

void TF_MAIN::selectCompetition() {
    if (selectionDone_)
        return;
    setSelectionState();
    // The competition commands open whatever happens in the selection window.
    AfterSelection after([this] { setChosenState(); });
    if (selectionWindow_) {
        selectionWindow_();
    } else {
        TF_COMPSELECT selection(session_, this);
        selection.exec();
    }
}

void TF_MAIN::editCompetitionSetup() {
    Cursor& competitions = session_.tdm().T_COMPETITION();
    if (!competitions.isOpen())
        competitions.open();
    competitions.refresh();
    // Never edit whatever row the cursor stands on: only the current competition's.
    if (!competition_store::moveToCompetition(competitions, qint64(session_.competitionKey()))) {
        QMessageBox::information(
            this, QStringLiteral("Tallyvex"),
            session_.inLanguage(QStringLiteral("Der ausgewählte Wettkampf ist nicht mehr "
                                               "gespeichert."),
                                QStringLiteral("The selected competition is no longer stored.")));
        return;
    }
    Cursor& classes = session_.tdm().T_CLASSES();
    if (!classes.isOpen())
        classes.open();
    AfterSelection closeClasses([&classes] { classes.close(); });
    TF_COMPDETAIL setup(session_, this);
    setup.exec();
}

void TF_MAIN::openEntryList() {
    // The entry cursor shows the current competition in last-name order; the list window
    // hides the wait window once it has numbered the entries.
    WaitGuard wait(session_.waitWindow(), session_.language());
    Cursor& entries = session_.tdm().T_CD();
    if (!entries.isOpen())
        entries.open();
    entries.setFilterText(session_.competitionFilter());
    entries.setFiltered(true);
    entries.setIndexName(QStringLiteral("I_N"));
    entries.refresh();
    TF_I_LIST list(session_, this);
    list.setShooterDatabaseWindow([this] { openShooterDatabase(); });
    list.prepare();
    wait.release();
    list.exec();
}

// The windows of these commands come with their own parts of the program.
void TF_MAIN::openTeams() {}
void TF_MAIN::openTimetable() {}
void TF_MAIN::openScoreEntry() {}
void TF_MAIN::openTeamResults() {}
void TF_MAIN::openIndividualResults() {}
void TF_MAIN::printClassStatistics() {}
void TF_MAIN::printNationStatistics() {}

void TF_MAIN::openClubs() {
    TF_VER window(session_, this);
    window.exec();
}

void TF_MAIN::openShooterDatabase() {
    TF_SHO window(session_, this);
    window.exec();
}

void TF_MAIN::showAbout() {
    TFAB about(session_, this);
    about.exec();
}

void TF_MAIN::showHelp() {
    session_.showHelp(HelpTopic::MainMenu);
}

void TF_MAIN::quit() {
    session_.closeDataModule();
    close();
}

} // namespace tallyvex
