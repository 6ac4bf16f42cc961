#include "selection_window.h"

#include "app/help_window.h"
#include "app/selection_copy.h"
#include "app/session.h"
#include "competitions/competition_store.h"
#include "competitions/setup_window.h"
#include "data/errors.h"
#include "data/tdm.h"
#include "widgets/colors.h"
#include "widgets/command_panel.h"
#include "widgets/data_grid.h"
#include "widgets/db_navigator.h"
#include "widgets/error_presenter.h"
#include "widgets/help_picture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QVBoxLayout>

namespace tallyvex {

namespace {

QVector<GridColumn> selectionColumns() {
    const QColor green = colors::cellLightGreen();
    const Qt::Alignment centred = Qt::AlignCenter;
    return {
        {.field = QStringLiteral("LFN"),
         .titleDe = QStringLiteral("N°.:"),
         .titleEn = QStringLiteral("N°.:"),
         .width = 50,
         .readOnly = true,
         .alignment = centred,
         .color = colors::silver()},
        {.field = QStringLiteral("MODE"),
         .titleDe = QStringLiteral("Wettkampfart"),
         .titleEn = QStringLiteral("Type of competition:"),
         .width = 250,
         .readOnly = true,
         .hidden = true},
        {.field = QStringLiteral("BEZEICHNUNG1"),
         .titleDe = QStringLiteral("Wettkampf-Name:"),
         .titleEn = QStringLiteral("Competition name-line1"),
         .width = 300,
         .readOnly = true,
         .color = green},
        {.field = QStringLiteral("BEZEICHNUNG2"),
         .titleDe = QStringLiteral("Wettkampf-Name - 2. Zeile:"),
         .titleEn = QStringLiteral("Competition name-line2"),
         .width = 300,
         .readOnly = true},
        {.field = QStringLiteral("DATUM1"),
         .titleDe = QStringLiteral("Tag 1:"),
         .titleEn = QStringLiteral("Day 1:"),
         .width = 100,
         .readOnly = true,
         .alignment = centred,
         .color = green},
        {.field = QStringLiteral("DATUM2"),
         .titleDe = QStringLiteral("Tag 2:"),
         .titleEn = QStringLiteral("Day 2:"),
         .width = 100,
         .readOnly = true,
         .alignment = centred},
        {.field = QStringLiteral("DATUM3"),
         .titleDe = QStringLiteral("Tag 3:"),
         .titleEn = QStringLiteral("Day 3:"),
         .width = 100,
         .readOnly = true,
         .alignment = centred,
         .color = green},
        {.field = QStringLiteral("Datum4"),
         .titleDe = QStringLiteral("Tag 4:"),
         .titleEn = QStringLiteral("Day 4:"),
         .readOnly = true,
         .alignment = centred},
    };
}

bool askOkCancel(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::question(parent, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Cancel) == QMessageBox::Ok;
}

/// Closes the class table again however the setup window ended.
class ClassesOpen final {
public:
    explicit ClassesOpen(Cursor& classes) : classes_(classes) {
        if (!classes_.isOpen())
            classes_.open();
    }
    ~ClassesOpen() { classes_.close(); }
    ClassesOpen(const ClassesOpen&) = delete;
    ClassesOpen& operator=(const ClassesOpen&) = delete;

private:
    Cursor& classes_;
};

} // namespace

TF_COMPSELECT::TF_COMPSELECT(Session& session, QWidget* mainWindow)
    : FullSizeWindow(mainWindow, session), session_(session), mainWindow_(mainWindow),
      question_(askOkCancel) {
    setObjectName(QStringLiteral("TF_COMPSELECT"));
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colors::windowLime());
    setPalette(pal);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    auto* bannerFrame = new QFrame(this);
    bannerFrame->setObjectName(QStringLiteral("Panel1"));
    bannerFrame->setFrameShape(QFrame::Panel);
    bannerFrame->setFrameShadow(QFrame::Raised);
    bannerFrame->setAutoFillBackground(true);
    QPalette bp = bannerFrame->palette();
    bp.setColor(QPalette::Window, colors::bannerGreen());
    bp.setColor(QPalette::WindowText, Qt::yellow);
    bannerFrame->setPalette(bp);
    bannerFrame->setMinimumHeight(41);
    auto* bannerRow = new QHBoxLayout(bannerFrame);
    banner_ = new QLabel(bannerFrame);
    QFont bf = font();
    bf.setPixelSize(16);
    bf.setBold(true);
    banner_->setFont(bf);
    banner_->setAlignment(Qt::AlignCenter);
    banner_->setWordWrap(true);
    bannerRow->addWidget(banner_);
    layout->addWidget(bannerFrame);

    grid_ = new DataGrid(this);
    grid_->setObjectName(QStringLiteral("GRID"));
    grid_->setColumns(selectionColumns());
    grid_->setRowSelect(true);
    grid_->setEditing(false);
    grid_->setSelectionAlwaysVisible(true);
    layout->addWidget(grid_, 1);

    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("Panel2"));
    bar->setFrameShape(QFrame::Panel);
    bar->setFrameShadow(QFrame::Raised);
    bar->setFixedHeight(45);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 4, 4, 4);
    navigator_ = new DbNavigator(bar);
    navigator_->setObjectName(QStringLiteral("DBN1"));
    navigator_->setVisibleButtons(DbNavigator::moveButtons());
    row->addWidget(navigator_);
    auto makePanel = [&](const char* name, const char* de, const char* en) {
        auto* p = new CommandPanel(QString::fromLatin1(name), QString::fromUtf8(de),
                                   QString::fromUtf8(en), bar);
        row->addWidget(p, 1);
        return p;
    };
    newPanel_ = makePanel("Panel3", "Neuer Wettkampf", "Create a new one");
    deletePanel_ = makePanel("Panel5", "Wettkampf löschen", "Delete marked competition");
    takePanel_ = makePanel("Panel4", "OK", "Close");
    helpPanel_ = makePanel("Panel17", " H E L P", " H E L P");
    helpPanel_->setPicture(helpPanelPicture());
    layout->addWidget(bar);

    // Deleting and taking wait until the office has pointed at a competition.
    deletePanel_->setUsable(false);
    takePanel_->setUsable(false);

    connect(grid_, &DataGrid::gridClicked, this, &TF_COMPSELECT::rowClicked);
    connect(grid_, &DataGrid::gridDoubleClicked, this, [this] { takeCompetition(false); });
    connect(newPanel_, &CommandPanel::clicked, this, &TF_COMPSELECT::newCompetition);
    connect(deletePanel_, &CommandPanel::clicked, this, &TF_COMPSELECT::deleteCompetition);
    connect(takePanel_, &CommandPanel::clicked, this, [this] { takeCompetition(true); });
    connect(helpPanel_, &CommandPanel::clicked, this, &TF_COMPSELECT::showHelp);

    applyLanguage();

    // The list in the order the competitions were made.
    Cursor& c = competitions();
    if (!c.isOpen())
        c.open();
    c.setIndexName(QString());
    c.refresh();
    grid_->setCursor(&c);
    navigator_->setCursor(&c);
}

TF_COMPSELECT::~TF_COMPSELECT() {
    release();
}

Cursor& TF_COMPSELECT::competitions() {
    return session_.tdm().T_COMPETITION();
}

CommandPanel* TF_COMPSELECT::panel(const QString& name) const {
    return findChild<CommandPanel*>(name);
}

void TF_COMPSELECT::applyLanguage() {
    const QString& lang = session_.language();
    banner_->setText(session_.inLanguage(
        QStringLiteral("Bitte wählen Sie einen vorhandenen Wettkampf aus oder klicken Sie auf "
                       "\"Neuer Wettkampf\":"),
        QStringLiteral("Please select a stored competition or create a new one:")));
    grid_->setLanguage(lang);
    navigator_->setLanguage(lang);
    for (auto* p : {newPanel_, deletePanel_, takePanel_, helpPanel_})
        p->applyLanguage(lang);
}

void TF_COMPSELECT::release() {
    if (grid_)
        grid_->setCursor(nullptr);
    if (navigator_)
        navigator_->setCursor(nullptr);
}

void TF_COMPSELECT::rowClicked() {
    deletePanel_->setUsable(true);
    takePanel_->setUsable(true);
}

void TF_COMPSELECT::takeCompetition(bool closeAnyway) {
    Cursor& c = competitions();
    const qint64 key = competition_store::highlightedKey(c);
    // A double click beside the rows means nothing.
    if (key < 1 && !closeAnyway)
        return;
    const bool hadCompetition = session_.hasCompetition();
    const double before = session_.competitionKey();
    session_.setCompetitionKey(double(key));
    if (key >= 1) {
        try {
            selectionCopy(c, session_);
        } catch (const Error& e) {
            // An empty ROUNDS: the office has to fix the setup first; the window stays. The
            // copy still holds the competition before, so leaving now must give its key back.
            if (hadCompetition && !keyBeforeFailedTake_)
                keyBeforeFailedTake_ = before;
            presentError(this, e);
            return;
        }
        release();
        c.close();
    }
    keyBeforeFailedTake_.reset();
    closeWindow();
}

void TF_COMPSELECT::newCompetition() {
    Cursor& c = competitions();
    const qint64 key = competition_store::createCompetition(c);
    session_.setCompetitionKey(double(key));
    keyBeforeFailedTake_.reset();
    {
        ClassesOpen classes(session_.tdm().T_CLASSES());
        if (setupWindow_) {
            setupWindow_();
        } else {
            TF_COMPDETAIL setup(session_, mainWindow_);
            setup.exec();
        }
    }
    // The setup may have moved nothing, but show the new competition highlighted.
    if (c.isOpen() && competition_store::highlightedKey(c) != key)
        competition_store::moveToCompetition(c, key);
    grid_->syncFromCursor();
    rowClicked();
}

void TF_COMPSELECT::deleteCompetition() {
    Cursor& c = competitions();
    if (competition_store::highlightedKey(c) < 1)
        return;
    const bool go = question_(
        this, session_.inLanguage(QStringLiteral("Löschen?"), QStringLiteral("Delete?")),
        session_.inLanguage(QStringLiteral("Wollen Sie wirklich diesen Wettkampf löschen ?"),
                            QStringLiteral("Are you sure about deleting marked competition ?")));
    if (!go)
        return;
    const qint64 gone = competition_store::deleteCompetition(c);
    // A competition made current in this window and deleted again is current no more.
    if (gone >= 1 && qint64(session_.competitionKey()) == gone)
        session_.setCompetitionKey(0);
    if (keyBeforeFailedTake_ && qint64(*keyBeforeFailedTake_) == gone)
        keyBeforeFailedTake_ = 0;
}

void TF_COMPSELECT::done(int result) {
    if (keyBeforeFailedTake_ && session_.closeAllowed()) {
        session_.setCompetitionKey(*keyBeforeFailedTake_);
        keyBeforeFailedTake_.reset();
    }
    FullSizeWindow::done(result);
}

void TF_COMPSELECT::showHelp() {
    session_.showHelp(HelpTopic::CompetitionSelection);
}

} // namespace tallyvex
