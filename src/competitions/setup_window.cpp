#include "setup_window.h"

#include "app/help_window.h"
#include "app/selection_copy.h"
#include "app/session.h"
#include "widgets/help_picture.h"
#include "data/errors.h"
#include "data/tdm.h"
#include "widgets/colors.h"
#include "widgets/command_panel.h"
#include "widgets/error_presenter.h"
#include "widgets/field_binders.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace tallyvex {

namespace {

QString text(const char* s) {
    return QString::fromUtf8(s);
}

QFrame* block(QWidget* parent, const char* name) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    return f;
}

void paintField(QWidget* w, const QColor& colour) {
    QPalette p = w->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Button, colour);
    w->setPalette(p);
}

} // namespace

const QStringList& TF_COMPDETAIL::sequences() {
    static const QStringList list = {"123456", "216543", "234561", "321654", "341256",
                                     "345612", "432165", "456123", "561234", "563412",
                                     "564321", "612345", "654321"};
    return list;
}

TF_COMPDETAIL::TF_COMPDETAIL(Session& session, QWidget* mainWindow)
    : FullSizeWindow(mainWindow, session), session_(session) {
    setObjectName(QStringLiteral("TF_COMPDETAIL"));
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

    auto* bannerFrame = block(this, "Panel1");
    bannerFrame->setAutoFillBackground(true);
    QPalette bp = bannerFrame->palette();
    bp.setColor(QPalette::Window, colors::bannerGreen());
    bp.setColor(QPalette::WindowText, Qt::yellow);
    bannerFrame->setPalette(bp);
    auto* bannerRow = new QHBoxLayout(bannerFrame);
    banner_ = new QLabel(bannerFrame);
    QFont bf = font();
    bf.setPixelSize(15);
    bf.setBold(true);
    banner_->setFont(bf);
    banner_->setWordWrap(true);
    banner_->setAlignment(Qt::AlignCenter);
    bannerRow->addWidget(banner_);
    layout->addWidget(bannerFrame);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(4);
    auto* left = block(this, "Panel5");
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->addWidget(buildGeneral(left));
    leftLayout->addWidget(buildDays(left));
    leftLayout->addWidget(buildOptions(left));
    leftLayout->addStretch(1);
    middle->addWidget(left, 1);

    auto* right = block(this, "Panel3");
    right->setFixedWidth(500);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->addWidget(buildSequences(right));
    rightLayout->addWidget(buildClasses(right));
    rightLayout->addStretch(1);
    middle->addWidget(right);
    layout->addLayout(middle, 1);

    layout->addWidget(buildRoundNames(this));

    auto* bar = block(this, "Panel2");
    bar->setFixedHeight(45);
    auto* barRow = new QHBoxLayout(bar);
    barRow->setContentsMargins(4, 4, 4, 4);
    helpPanel_ = new CommandPanel(QStringLiteral("HELPPANEL"), QStringLiteral(" H E L P"),
                                  QStringLiteral(" H E L P"), bar);
    helpPanel_->setPicture(helpPanelPicture());
    helpPanel_->setFixedWidth(160);
    closePanel_ = new CommandPanel(QStringLiteral("Panel4"), QStringLiteral("SCHLIESSEN"),
                                   QStringLiteral("Close"), bar);
    barRow->addWidget(helpPanel_);
    barRow->addWidget(closePanel_, 1);
    layout->addWidget(bar);

    connect(helpPanel_, &CommandPanel::clicked, this, &TF_COMPDETAIL::showHelp);
    connect(closePanel_, &CommandPanel::clicked, this, &TF_COMPDETAIL::closeCommand);

    applyLanguage();
}

TF_COMPDETAIL::~TF_COMPDETAIL() = default;

Cursor& TF_COMPDETAIL::competition() {
    return session_.tdm().T_COMPETITION();
}

QWidget* TF_COMPDETAIL::fieldControl(const QString& field) const {
    return controls_.value(field.toUpper());
}

CommandPanel* TF_COMPDETAIL::panel(const QString& name) const {
    return findChild<CommandPanel*>(name);
}

QLabel* TF_COMPDETAIL::label(QWidget* parent, const char* german, const char* english) {
    auto* l = new QLabel(text(german), parent);
    captions_.push_back({l, text(german), english ? text(english) : QString()});
    return l;
}

template <class Control>
Control* TF_COMPDETAIL::bound(QWidget* parent, const char* field, bool yellow) {
    auto* c = new Control(parent);
    const QString name = QString::fromLatin1(field);
    c->setObjectName(name);
    c->bind(&competition(), name);
    paintField(c, yellow ? colors::fieldYellow() : colors::fieldGreen());
    controls_.insert(name.toUpper(), c);
    return c;
}

QWidget* TF_COMPDETAIL::buildGeneral(QWidget* parent) {
    auto* panel = block(parent, "Panel6");
    auto* g = new QGridLayout(panel);
    int row = 0;
    // Numbers get a short field with their unit right behind it; texts take the whole width.
    auto line = [&](const char* de, const char* en, QWidget* control,
                    const char* suffixDe = nullptr, const char* suffixEn = nullptr) {
        g->addWidget(label(panel, de, en), row, 0);
        const FieldDef* f = competition().table().field(control->objectName());
        if (f && f->isNumeric()) {
            control->setFixedWidth(90);
            auto* h = new QHBoxLayout;
            h->addWidget(control);
            if (suffixDe)
                h->addWidget(label(panel, suffixDe, suffixEn));
            h->addStretch(1);
            g->addLayout(h, row, 1);
        } else {
            g->addWidget(control, row, 1);
        }
        ++row;
    };
    line("Wettkampfname 1:", "Competition name-line1:", bound<DbEdit>(panel, "BEZEICHNUNG1", true));
    line("Wettkampfname 2:", "Competition name-line2:", bound<DbEdit>(panel, "BEZEICHNUNG2", true));
    line("Int. Name:", "Int. Name:", bound<DbEdit>(panel, "MODE", true));
    line("Anzahl Runden:", "# of rounds:", bound<DbEdit>(panel, "ROUNDS", true));
    line("Team-Wertung über:", "# rounds for teams", bound<DbEdit>(panel, "TEAMCOUNT", true),
         "Runden", "rounds");
    line("Anzahl Wettkampftage:", "# of competition days",
         bound<DbEdit>(panel, "SHOOTINGDAYS", true));
    auto* clays = bound<DbComboBox>(panel, "Anzahlwurfscheiben", true);
    clays->setItems({QStringLiteral("25"), QStringLiteral("50")});
    line("Anzahl Wurfscheiben", "# of clays", clays, "pro Runde", "per round");
    line("Dauer pro Rotte:", "time in min. per round", bound<DbEdit>(panel, "Rundendauer", true),
         "min", "min");
    line("Richter:", "name of referees:", bound<DbEdit>(panel, "RICHTER", false));
    line("Jury:", "jury members:", bound<DbEdit>(panel, "JURY", false));
    line("Seitenrichter:", "side referees:", bound<DbEdit>(panel, "Seitenrichter", false));
    line("Wurfscheiben:", "type of clays:", bound<DbEdit>(panel, "Tauben", false));
    line("Wetter:", "weather:", bound<DbEdit>(panel, "WETTER", false));
    g->setColumnStretch(1, 1);
    return panel;
}

QWidget* TF_COMPDETAIL::buildDays(QWidget* parent) {
    auto* panel = block(parent, "Panel7");
    auto* g = new QGridLayout(panel);
    g->addWidget(label(panel, "Wettkampftag:", "Competition date:"), 0, 1);
    g->addWidget(label(panel, "Beginn:", "begin of competition:"), 0, 2);
    g->addWidget(label(panel, "Anzahl Runden:", "# of rounds"), 0, 3);
    const char* dates[] = {"DATUM1", "DATUM2", "DATUM3", "Datum4"};
    const char* times[] = {"Zeit1", "Zeit2", "Zeit3", "Zeit4"};
    const char* rounds[] = {"ROUNDSDAY1", "ROUNDSDAY2", "ROUNDSDAY3", "ROUNDSDAY4"};
    const char* daysDe[] = {"Tag 1:", "Tag 2:", "Tag 3:", "Tag 4:"};
    const char* daysEn[] = {"Day 1:", "Day 2:", "Day 3:", "Day 4:"};
    for (int i = 0; i < 4; ++i) {
        g->addWidget(label(panel, daysDe[i], daysEn[i]), i + 1, 0);
        auto* date = bound<DbDateEdit>(panel, dates[i], true);
        date->setFixedWidth(130);
        g->addWidget(date, i + 1, 1);
        auto* time = bound<DbTimeEdit>(panel, times[i], true);
        time->setFixedWidth(70);
        g->addWidget(time, i + 1, 2);
        auto* count = bound<DbEdit>(panel, rounds[i], true);
        count->setFixedWidth(70);
        g->addWidget(count, i + 1, 3);
    }
    g->setColumnStretch(4, 1);
    return panel;
}

QWidget* TF_COMPDETAIL::buildOptions(QWidget* parent) {
    auto* holder = new QWidget(parent);
    auto* v = new QVBoxLayout(holder);
    v->setContentsMargins(0, 0, 0, 0);
    auto strip = [&](const char* name, const char* de, const char* en, const char* field) {
        auto* s = block(holder, name);
        auto* row = new QHBoxLayout(s);
        row->addWidget(label(s, de, en));
        auto* box = bound<DbCheckBox>(s, field, true);
        paintField(box, colors::windowLime());
        row->addWidget(box);
        row->addStretch(1);
        v->addWidget(s);
        return s;
    };
    strip("Panel22", "Eigene Rundennamen verwenden:", "Comp. is Sporting Comp.:", "ISSPORTING");
    // The drawing of lots by ISSF rules is kept as stored; the office does not change it here.
    QFrame* issf =
        strip("Panel21", "Auslosung gem. ISSF-Reglements:", "ISSF-drwaing of lots:", "ISISSF");
    fieldControl(QStringLiteral("ISISSF"))->setEnabled(false);
    issf->hide();
    redoStrip_ = strip("Panel23", "Kugel-WK mit Wiederholung:", nullptr, "REDO");
    return holder;
}

QWidget* TF_COMPDETAIL::buildSequences(QWidget* parent) {
    auto* panel = block(parent, "Panel13");
    auto* g = new QGridLayout(panel);
    auto* heading = label(panel, "Festlegen der Rottenposition von Schützen innerhalb Rotte/Runde:",
                          "Sequence within squads:");
    heading->setWordWrap(true);
    g->addWidget(heading, 0, 0, 1, 2);
    QStringList items{QString()};
    items += sequences();
    items.sort();
    for (int i = 1; i <= 8; ++i) {
        const QByteArray de = QStringLiteral("Runde %1:").arg(i).toUtf8();
        const QByteArray en = QStringLiteral("Round %1:").arg(i).toUtf8();
        g->addWidget(label(panel, de.constData(), en.constData()), i, 0);
        const QByteArray field = QStringLiteral("SAR%1").arg(i).toLatin1();
        auto* list = bound<DbComboBox>(panel, field.constData(), true);
        list->setItems(items);
        list->setTypingAllowed(true);
        g->addWidget(list, i, 1);
    }
    g->setColumnStretch(1, 1);
    return panel;
}

QWidget* TF_COMPDETAIL::buildClasses(QWidget* parent) {
    auto* panel = block(parent, "Panel15");
    auto* g = new QGridLayout(panel);
    g->addWidget(label(panel, "Nenngelder für Klassen:", "Entry fee per class:"), 0, 0, 1, 3);
    Cursor& classes = session_.tdm().T_CLASSES();
    for (int i = 1; i <= 6; ++i) {
        g->addWidget(label(panel, "Klasse:", "class:"), i, 0);
        const QByteArray klasse = QStringLiteral("klasse%1").arg(i).toLatin1();
        const QByteArray ng = QStringLiteral("ng%1").arg(i).toLatin1();
        auto* list = bound<DbComboBox>(panel, klasse.constData(), true);
        list->setListSource(&classes, QStringLiteral("Klasse"));
        list->setTypingAllowed(true);
        g->addWidget(list, i, 1);
        auto* fee = bound<DbEdit>(panel, ng.constData(), true);
        fee->setAlignment(Qt::AlignRight);
        g->addWidget(fee, i, 2);
    }
    g->addWidget(label(panel, "Nenngeld Teams:", "entry fee/teams:"), 7, 0);
    g->addWidget(bound<DbEdit>(panel, "Nenngeldmanschaft", false), 7, 2);
    g->addWidget(label(panel, "Protestgebühr:", "protest fee:"), 8, 0);
    g->addWidget(bound<DbEdit>(panel, "Protest", false), 8, 2);
    g->setColumnStretch(1, 1);
    return panel;
}

QWidget* TF_COMPDETAIL::buildRoundNames(QWidget* parent) {
    auto* panel = block(parent, "Panel14");
    auto* row = new QHBoxLayout(panel);
    row->addWidget(label(panel, "Namen für Runden::", "Name of Rounds - for Sporting only:"));
    for (int i = 1; i <= 8; ++i) {
        const QByteArray field = QStringLiteral("R%1").arg(i).toLatin1();
        const QByteArray caption = field + ':';
        row->addWidget(label(panel, caption.constData(), caption.constData()));
        row->addWidget(bound<DbEdit>(panel, field.constData(), false), 1);
    }
    return panel;
}

void TF_COMPDETAIL::applyLanguage() {
    const bool en = session_.english();
    banner_->setText(
        en ? QStringLiteral("Please fill in all fields with yellow background; fields with green "
                            "background may be filled in later....")
           : QStringLiteral("Füllen Sie nun alle gelb hinterlegten Felder aus; die grün "
                            "hinterlegten Felder können zu einem späteren Zeitpunkt ausgefüllt "
                            "werden."));
    for (const Caption& c : std::as_const(captions_))
        c.label->setText(en && !c.english.isNull() ? c.english : c.german);
    // The "Kugel" option is offered to German users only; its stored value stays as it is.
    redoStrip_->setVisible(!en);
    helpPanel_->applyLanguage(session_.language());
    closePanel_->applyLanguage(session_.language());
}

void TF_COMPDETAIL::closeCommand() {
    Cursor& c = competition();
    // What is still being typed is stored first; a field that refuses keeps the window open.
    if (!FieldLink::commitControls(c))
        return;
    try {
        selectionCopy(c, session_);
    } catch (const ConversionError& e) {
        if (!c.isNull(QStringLiteral("ROUNDS"))) {
            presentError(this, e);
            return;
        }
        // The row is stored by now; only the number of rounds is missing.
        presentError(this, ConversionError(session_.inLanguage(
                               QStringLiteral("\"Anzahl Runden:\" ist leer. Bitte tragen Sie die "
                                              "Anzahl der Runden als ganze Zahl ein."),
                               QStringLiteral("\"# of rounds:\" is empty. Please enter the number "
                                              "of rounds as a whole number."))));
        if (QWidget* rounds = fieldControl(QStringLiteral("ROUNDS")))
            rounds->setFocus(Qt::OtherFocusReason);
        return;
    } catch (const Error& e) {
        presentError(this, e);
        return;
    }
    closeWindow();
}

void TF_COMPDETAIL::showHelp() {
    session_.showHelp(HelpTopic::CompetitionSetup);
}

} // namespace tallyvex
