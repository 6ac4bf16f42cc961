#include "entry_details_dialog.h"

#include "app/session.h"
#include "data/cursor.h"
#include "widgets/field_binders.h"

#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tallyvex {

TF_WKS_DETAIL::TF_WKS_DETAIL(Session& session, Cursor& entries, Cursor& classes, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      entries_(entries), classes_(classes), classesWereOpen_(classes.isOpen()) {
    setObjectName(QStringLiteral("TF_WKS_DETAIL"));
    const bool en = session.english();
    setWindowTitle(en ? QStringLiteral("Shooter`s details:")
                      : QStringLiteral("Quorvane Tallyvex- Teilnehmerdetails:"));
    if (!classes_.isOpen())
        classes_.open();

    auto* layout = new QVBoxLayout(this);
    auto* note1 = new QLabel(
        en ? QStringLiteral("Note: All changes made within this modul are only relevant for this "
                            "competition,")
           : QStringLiteral("Hinweis: Die hier gemachten Änderungen beziehen sich nur für den "
                            "ausgewählten Wettkampf,"),
        this);
    note1->setObjectName(QStringLiteral("Label14"));
    auto* note2 = new QLabel(
        en ? QStringLiteral("but will not be stored permanently in shooter`s database!")
           : QStringLiteral("werden jedoch nicht in der Schützendatenbank selbst übernommen!"),
        this);
    note2->setObjectName(QStringLiteral("Label15"));
    QFont bold = note1->font();
    bold.setBold(true);
    note1->setFont(bold);
    note2->setFont(bold);
    layout->addWidget(note1);
    layout->addWidget(note2);

    auto* form = new QFormLayout;
    struct Row {
        const char* field;
        const char* de;
        const char* en;
    };
    static const Row rows[] = {
        {"NACHNAME", "Nachname:", "Last name:"},
        {"VORNAME", "Vorname:", "First name:"},
        {"TITEL", "Titel", "Titel:"},
        {"PLZ", "Postleitzahl:", "Zip-Code:"},
        {"ORT", "Stadt:", "City:"},
        {"LLANDK", "Land:", "Country:"},
        {"GEBDAT", "Geburtsdatum", "Day of birth:"},
        {"LBK", "Bundesland:", "State:"},
        {"VBN", "WK-Ausweis-N°:", "Competition license #:"},
        {"Klasse", "Klasse:", "Class:"},
        {"STARTNUMMER", "Startnummer:", "Back number:"},
        {"STARTNUMMERNEU", "Rottenposition:", "Squad position:"},
        {"ROTTE", "Rotte:", "Squad:"},
    };
    for (const Row& r : rows) {
        const QString field = QLatin1String(r.field);
        QWidget* control = nullptr;
        if (field == QLatin1String("Klasse")) {
            auto* box = new DbComboBox(this);
            box->setListSource(&classes_, QStringLiteral("Klasse"));
            box->setTypingAllowed(true);
            box->bind(&entries_, field);
            control = box;
        } else {
            auto* edit = new DbEdit(this);
            edit->bind(&entries_, field);
            control = edit;
        }
        control->setObjectName(QStringLiteral("DB") + field);
        form->addRow(QString::fromUtf8(en ? r.en : r.de), control);
    }
    layout->addLayout(form);

    close_ = new QPushButton(en ? QStringLiteral("Close") : QStringLiteral("SCHLIESSEN"), this);
    close_->setObjectName(QStringLiteral("BitBtn1"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &TF_WKS_DETAIL::closeDetails);
    layout->addWidget(close_, 0, Qt::AlignRight);
    setMinimumWidth(460);
}

TF_WKS_DETAIL::~TF_WKS_DETAIL() = default;

void TF_WKS_DETAIL::closeDetails() {
    if (!FieldLink::commitControls(entries_))
        return;
    entries_.post();
    accept();
}

void TF_WKS_DETAIL::done(int result) {
    // Escape cancels: what was typed into the entry since it was opened is dropped.
    if (result != QDialog::Accepted && entries_.isOpen())
        entries_.cancel();
    if (!classesWereOpen_ && classes_.isOpen())
        classes_.close();
    QDialog::done(result);
}

} // namespace tallyvex
