#include "shooter_details.h"

#include "app/session.h"
#include "data/errors.h"
#include "data/tdm.h"
#include "list_window_parts.h"
#include "widgets/colors.h"
#include "widgets/command_panel.h"
#include "widgets/field_binders.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>

namespace tallyvex {

namespace {
enum class Control { Text, Date, Club };
struct DetailRow {
    const char* german;
    const char* english;
    const char* field;
    Control control;
};
const DetailRow detailRows[] = {
    {"Nachname:", "Last name:", "Nachname", Control::Text},
    {"Vorname:", "First name:", "Vorname", Control::Text},
    {"Titel", "Titel:", "TITEL", Control::Text},
    {"Strasse", "Street:", "Strasse", Control::Text},
    {"Postleitzahl:", "Zip-Code:", "Postleitzahl", Control::Text},
    {"Stadt:", "City:", "Ort", Control::Text},
    {"Land:", "Country:", "Land", Control::Text},
    {"Geburtsdatum", "Day of birth:", "Geburtsdatum", Control::Date},
    {"Bundesland:", "State:", "WK_BUNDESLAND", Control::Text},
    {"Wettkampfausweis:", "Competition license #:", "WK_VERBANDSNUMMER", Control::Text},
    {"Klub:", "Club:", "WK_VEREIN", Control::Club},
};

/// A birth date lies in the past century as often as in this one, so the year is never
/// guessed: "12.05.65" or "12.05" would store a date in the future. It is typed in full.
class BirthDateEdit final : public DbDateEdit {
public:
    using DbDateEdit::DbDateEdit;

protected:
    QVariant typedValue() const override {
        static const QRegularExpression fullYear(
            QStringLiteral("^\\s*\\d{1,2}[./-]\\d{1,2}[./-]\\d{4}\\s*$"));
        if (!text().trimmed().isEmpty() && !fullYear.match(text()).hasMatch())
            throw ConversionError(
                QStringLiteral("'%1' is not a valid date of birth for field '%2'. Type day, "
                               "month and the year in four digits (dd.mm.yyyy).")
                    .arg(text(), link_.field()));
        return DbDateEdit::typedValue();
    }
};

void paintYellow(QWidget* w) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, colors::fieldYellow());
    w->setPalette(pal);
}
} // namespace

TF_SHO_DETAIL::TF_SHO_DETAIL(Session& session, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), session_(session) {
    setObjectName(QStringLiteral("TF_SHO_DETAIL"));
    setModal(true);
    const bool en = session.english();
    setWindowTitle(en ? QStringLiteral("Shooter`s details:")
                      : QStringLiteral("Quorvane Tallyvex- Schützendetails:"));

    TDM& tdm = session.tdm();
    Cursor& shooters = tdm.T_TEILNEHMER();
    // The club list is read here, so it offers the clubs even when the club window was never
    // opened in this run.
    Cursor& clubs = tdm.Vereine();
    if (!clubs.isOpen())
        clubs.open();

    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const DetailRow& r : detailRows) {
        const QString field = QString::fromLatin1(r.field);
        auto* label =
            new QLabel(en ? QString::fromUtf8(r.english) : QString::fromUtf8(r.german), this);
        labels_.insert(field, label);
        QWidget* control = nullptr;
        switch (r.control) {
        case Control::Text: {
            auto* e = new DbEdit(this);
            e->bind(&shooters, field);
            control = e;
            break;
        }
        case Control::Date: {
            auto* e = new BirthDateEdit(this);
            e->bind(&shooters, field);
            control = e;
            break;
        }
        case Control::Club: {
            club_ = new DbComboBox(this);
            club_->bind(&shooters, field);
            club_->setTypingAllowed(true);
            club_->setListSource(&clubs, QStringLiteral("Vereinsname"));
            control = club_;
            break;
        }
        }
        control->setObjectName(field);
        control->setMinimumWidth(240);
        paintYellow(control);
        label->setBuddy(control);
        controls_.insert(field, control);
        grid->addWidget(label, row, 0);
        grid->addWidget(control, row, 1);
        ++row;
    }
    panel1_ = new CommandPanel(QStringLiteral("Panel1"), QStringLiteral("SCHLIESSEN"),
                               QStringLiteral("Close"), this);
    panel1_->applyLanguage(session.language());
    panel1_->setMinimumHeight(32);
    grid->addWidget(panel1_, row, 0, 1, 2);
    connect(panel1_, &CommandPanel::clicked, this,
            [this] { runCommand(this, [this] { storeAndClose(); }); });

    setFixedSize(sizeHint());
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TF_SHO_DETAIL::~TF_SHO_DETAIL() {
    try {
        closeClubs();
    } catch (...) {
        // Freed while an error is on its way out; the club list is closed by the next user.
    }
}

void TF_SHO_DETAIL::storeAndClose() {
    Cursor& shooters = session_.tdm().T_TEILNEHMER();
    if (!FieldLink::commitControls(shooters))
        return;
    if (shooters.state() == Cursor::State::Browse && shooters.recNo() >= 0)
        shooters.edit();
    shooters.post();
    accept();
}

void TF_SHO_DETAIL::done(int result) {
    // Closed by the title bar or Escape: nothing is stored, but what was typed into the field
    // that still has the focus goes into the pending edit of the shooter, as the other fields'
    // input already did, instead of vanishing with the dialog. A refused value keeps the dialog
    // open with its error shown.
    if (result != QDialog::Accepted) {
        Cursor& shooters = session_.tdm().T_TEILNEHMER();
        if (shooters.isOpen() && !FieldLink::commitControls(shooters))
            return;
    }
    closeClubs();
    QDialog::done(result);
}

void TF_SHO_DETAIL::closeClubs() {
    if (club_)
        club_->setListSource(nullptr, {});
    Cursor& clubs = session_.tdm().Vereine();
    if (clubs.isOpen())
        clubs.close();
}

} // namespace tallyvex
