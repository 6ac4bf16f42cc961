#include "entries/class_choice_dialog.h"
#include "entries/entry_list_window.h"
#include "entries/registration_dialog.h"
#include "entries_fixture.h"
#include "widgets/command_panel.h"
#include "widgets/data_grid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>

using namespace tallyvex;
using namespace tallyvex::test;

namespace {

/// The entry list over the prepared entry cursor, with its questions, messages and dialogs
/// played by the test.
class EntryListTest : public EntriesTest {
protected:
    void openList() {
        preparedEntries();
        list = std::make_unique<TF_I_LIST>(*session, nullptr);
        list->setQuestion([this](QWidget*, const QString& title, const QString& text) {
            questions << title + QStringLiteral(" | ") + text;
            return answer;
        });
        list->setMessage([this](QWidget*, const QString& text) { messages << text; });
        list->setDialogRunner([this](QDialog& dialog) {
            if (auto* reg = qobject_cast<TF_NEUERSCHUETZE*>(&dialog)) {
                if (pickShooter < 0)
                    return int(QDialog::Rejected);
                Cursor& s = tdm().T_TEILNEHMER();
                EXPECT_EQ(s.indexName().toUpper(), QStringLiteral("I_NACHNAME"));
                EXPECT_TRUE(s.locate(QStringLiteral("Autoincrease"), pickShooter));
                reg->chooseLine(s.recNo());
                reg->confirm();
                return reg->result();
            }
            if (auto* choice = qobject_cast<TF_AUSWL*>(&dialog)) {
                if (!pickClass.isEmpty()) {
                    Cursor& c = tdm().T_CLASSES();
                    EXPECT_TRUE(c.locate(QStringLiteral("Klasse"), pickClass));
                    choice->chooseCurrent();
                }
                return choice->result();
            }
            return int(QDialog::Rejected);
        });
        list->prepare();
        list->show(); // the command panels react while they are visible
    }
    void TearDown() override {
        session->setCloseAllowed(true);
        list.reset();
    }

    void addClasses() {
        Cursor& c = tdm().T_CLASSES();
        c.open();
        for (const char* name : {"Herren", "Damen", "Junioren"}) {
            c.append();
            c.setValue(QStringLiteral("Klasse"), QLatin1String(name));
            c.post();
        }
        c.close();
    }

    /// Registers the shooter with the class, as the office does through the dialogs.
    void registerShooter(qint64 shooter, const QString& cls) {
        pickShooter = shooter;
        pickClass = cls;
        list->command(QStringLiteral("PNeuerSchuetze"))->click();
    }

    void clickTitle(const char* field) {
        const int col = list->grid()->tableModel()->columnOfField(QLatin1String(field));
        ASSERT_GE(col, 0);
        Q_EMIT list->grid()->horizontalHeader()->sectionClicked(col);
    }

    QString status() const { return list->statusLine()->text(); }

    std::unique_ptr<TF_I_LIST> list;
    QStringList questions, messages;
    bool answer = true;
    qint64 pickShooter = -1;
    QString pickClass;
};

TEST_F(EntryListTest, OpeningAnEmptyCompetitionShowsNoShooters) {
    addEntry(competitionB, QStringLiteral("Becker"), QStringLiteral("Köln"));
    session->setEntryCount(99);
    openList();
    EXPECT_EQ(status(), QStringLiteral("Anzahl Schützen:0"));
    EXPECT_EQ(session->entryCount(), 0);
}

TEST_F(EntryListTest, OpeningNumbersByLastNameInTheUiLanguage) {
    session->setLanguage(QStringLiteral("EN"));
    for (const char* name : {"Zeller", "Müller", "Becker"})
        addEntry(competitionA, QString::fromUtf8(name), QStringLiteral("Köln"));
    openList();
    EXPECT_EQ(status(), QStringLiteral("Number of shooters:3"));
    EXPECT_EQ(session->entryCount(), 3);
    EXPECT_EQ(rows(tdm().T_CD(), "NUMBER", "NACHNAME"),
              (QStringList{"1 Becker", "2 Müller", "3 Zeller"}));
    EXPECT_FALSE(list->command(QStringLiteral("PReorg"))->isVisibleTo(list.get()));
    EXPECT_EQ(list->command(QStringLiteral("PNeuerSchuetze"))->caption(),
              QStringLiteral("Add a shooter to competition"));
}

TEST_F(EntryListTest, RegisteringTheFirstShooterGivesNumberOneAndTheClassFee) {
    addClasses();
    const qint64 shooter =
        addShooter(QStringLiteral("Müller"), QStringLiteral("Jürgen"), QStringLiteral("München"));
    openList();
    registerShooter(shooter, QStringLiteral("Damen"));
    Cursor& cd = tdm().T_CD();
    ASSERT_EQ(cd.recordCount(), 1);
    EXPECT_EQ(cd.asInt(QStringLiteral("SHOOTER")), shooter) << "the new entry is selected";
    EXPECT_EQ(cd.asInt(QStringLiteral("NUMBER")), 1);
    EXPECT_EQ(cd.asString(QStringLiteral("Klasse")), QStringLiteral("Damen"));
    EXPECT_DOUBLE_EQ(cd.asFloat(QStringLiteral("NG")), 50.0);
    EXPECT_EQ(session->entryCount(), 1);
    EXPECT_EQ(status(), QStringLiteral("Anzahl Schützen:1"));
    EXPECT_EQ(list->pendingClass(), QStringLiteral("Damen"));
    EXPECT_FALSE(tdm().T_TEILNEHMER().isOpen());
}

TEST_F(EntryListTest, RegisteringAfterSortingByTownNumbersInTownOrder) {
    addClasses();
    addEntry(competitionA, QStringLiteral("Becker"), QStringLiteral("München"));
    addEntry(competitionA, QStringLiteral("Albers"), QStringLiteral("Augsburg"));
    const qint64 shooter =
        addShooter(QStringLiteral("Zeller"), QStringLiteral("Uwe"), QStringLiteral("Köln"));
    openList();
    clickTitle("ORT");
    registerShooter(shooter, QStringLiteral("Herren"));
    Cursor& cd = tdm().T_CD();
    EXPECT_EQ(cd.asString(QStringLiteral("NACHNAME")), QStringLiteral("Zeller"));
    EXPECT_EQ(cd.asInt(QStringLiteral("NUMBER")), 2);
    EXPECT_EQ(rows(cd, "NUMBER", "ORT"), (QStringList{"1 Augsburg", "2 Köln", "3 München"}));
    EXPECT_EQ(session->entryCount(), 3);
}

TEST_F(EntryListTest, AClassOutsideTheCompetitionCostsNothingAndNoChoiceKeepsThePendingClass) {
    Cursor& classes = tdm().T_CLASSES();
    classes.open();
    classes.append();
    classes.setValue(QStringLiteral("Klasse"), QStringLiteral("Gäste"));
    classes.post();
    classes.close();
    const qint64 first =
        addShooter(QStringLiteral("Albers"), QStringLiteral("Jutta"), QStringLiteral("Graz"));
    const qint64 second =
        addShooter(QStringLiteral("Becker"), QStringLiteral("Uwe"), QStringLiteral("Linz"));
    openList();
    registerShooter(first, QStringLiteral("Gäste"));
    registerShooter(second, QString()); // the class choice closed without a choice
    Cursor& cd = tdm().T_CD();
    EXPECT_EQ(rows(cd, "Klasse", "NG"), (QStringList{"Gäste 0", "Gäste 0"}));
}

TEST_F(EntryListTest, AShooterIsRegisteredOncePerCompetition) {
    addClasses();
    const qint64 shooter =
        addShooter(QStringLiteral("Müller"), QStringLiteral("Jürgen"), QStringLiteral("München"));
    addEntry(competitionB, QStringLiteral("Müller"), QStringLiteral("München"), shooter);
    openList();
    registerShooter(shooter, QStringLiteral("Herren"));
    EXPECT_TRUE(messages.isEmpty()) << "an entry in another competition does not count";
    registerShooter(shooter, QStringLiteral("Herren"));
    EXPECT_EQ(messages,
              QStringList{QStringLiteral(
                  "ACHTUNG! Dieser Schütze ist bereits für diesen Wettkampf angemeldet!")});
    EXPECT_EQ(tdm().T_CD().recordCount(), 1);
    EXPECT_EQ(session->entryCount(), 1);
}

TEST_F(EntryListTest, CancellingTheRegistrationAddsNothing) {
    addShooter(QStringLiteral("Müller"), QStringLiteral("Jürgen"), QStringLiteral("München"));
    openList();
    pickShooter = -1;
    list->command(QStringLiteral("PNeuerSchuetze"))->click();
    EXPECT_EQ(tdm().T_CD().recordCount(), 0);
    EXPECT_EQ(status(), QStringLiteral("Anzahl Schützen:0"));
}

TEST_F(EntryListTest, DeletingNumberThreeOfFiveRenumbersTheRest) {
    for (const char* name : {"Albers", "Becker", "Cramer", "Dörr", "Eisele"})
        addEntry(competitionA, QString::fromUtf8(name), QStringLiteral("Bonn"));
    openList();
    Cursor& cd = tdm().T_CD();
    ASSERT_TRUE(cd.locate(QStringLiteral("NUMBER"), 3));

    answer = false;
    list->command(QStringLiteral("PSchuetzeLoeschen"))->click();
    EXPECT_EQ(questions, QStringList{QStringLiteral(
                             "Löschen? | Wollen Sie wirklich diesen Schützen aus dem Wettkampf "
                             "löschen ? ")});
    EXPECT_EQ(cd.recordCount(), 5) << "Cancel deletes nothing";

    answer = true;
    ASSERT_TRUE(cd.locate(QStringLiteral("NUMBER"), 3));
    list->command(QStringLiteral("PSchuetzeLoeschen"))->click();
    EXPECT_EQ(rows(cd, "NUMBER", "NACHNAME"),
              (QStringList{"1 Albers", "2 Becker", "3 Dörr", "4 Eisele"}));
    EXPECT_EQ(session->entryCount(), 4);
    EXPECT_EQ(status(), QStringLiteral("Anzahl Schützen:4"));
}

TEST_F(EntryListTest, DeleteQuestionInEnglish) {
    session->setLanguage(QStringLiteral("EN"));
    addEntry(competitionA, QStringLiteral("Albers"), QStringLiteral("Bonn"));
    openList();
    answer = false;
    list->command(QStringLiteral("PSchuetzeLoeschen"))->click();
    EXPECT_EQ(questions,
              QStringList{QStringLiteral("Delete? | Do you realy want to delete this shooter?")});
}

TEST_F(EntryListTest, TitlesWithoutAnOrderOnlyRefresh) {
    addEntry(competitionA, QStringLiteral("Becker"), QStringLiteral("Bonn"));
    const qint64 late = addEntry(competitionA, QStringLiteral("Albers"), QStringLiteral("Aue"));
    openList();
    clickTitle("ORT");
    ASSERT_EQ(tdm().T_CD().indexName(), QStringLiteral("I_O"));

    // Another cursor changes an entry; the title click reads it, and keeps the town order.
    auto other = tdm().privateCursor(QStringLiteral("C_COMPDATA"), QStringLiteral("other"));
    other->open();
    ASSERT_TRUE(other->locate(QStringLiteral("AUTOINCREASE"), late));
    other->edit();
    other->setValue(QStringLiteral("ORT"), QStringLiteral("Zwickau"));
    other->post();
    for (const char* field : {"VBN", "STARTNUMMERNEU", "NG"}) {
        clickTitle(field);
        EXPECT_EQ(tdm().T_CD().indexName(), QStringLiteral("I_O")) << field;
    }
    EXPECT_EQ(rows(tdm().T_CD(), "NACHNAME", "ORT"),
              (QStringList{"Becker Bonn", "Albers Zwickau"}));
}

TEST_F(EntryListTest, ColumnEditModeOpensOneYellowColumn) {
    addEntry(competitionA, QStringLiteral("Becker"), QStringLiteral("Bonn"));
    openList();
    ASSERT_TRUE(list->startColumnEdit(QStringLiteral("Klasse")));
    CursorTableModel* model = list->grid()->tableModel();
    const int klasse = model->columnOfField(QStringLiteral("Klasse"));
    for (int col = 0; col < model->columnCount(); ++col)
        EXPECT_EQ(bool(model->flags(model->index(0, col)) & Qt::ItemIsEditable), col == klasse)
            << col;
    EXPECT_FALSE(list->startColumnEdit(QStringLiteral("MANSCHAFT")));
}

} // namespace

namespace {

using RegistrationDialogTest = EntriesTest;

TEST_F(RegistrationDialogTest, NewShooterPathPicksTheShooterHandedOver) {
    addShooter(QStringLiteral("Becker"), QStringLiteral("Uwe"), QStringLiteral("Linz"));
    Cursor& shooters = tdm().T_TEILNEHMER();
    shooters.open();
    shooters.setIndexName(QStringLiteral("I_NACHNAME"));
    TF_NEUERSCHUETZE dialog(*session, shooters);
    EXPECT_EQ(dialog.chosenShooter(), 0) << "no shooter is picked at first";
    dialog.confirm();
    EXPECT_NE(dialog.result(), int(QDialog::Accepted)) << "confirming nobody registers nobody";

    int handOverSeen = 0;
    qint64 added = 0;
    dialog.setShooterDatabaseWindow([&] {
        handOverSeen = session->shooterHandOverKey();
        // The shooter window leaves its cursor in another order when it closes.
        shooters.setIndexName(QStringLiteral("I_Ort"));
        added =
            addShooter(QStringLiteral("Albers"), QStringLiteral("Jutta"), QStringLiteral("Graz"));
        session->setShooterHandOverKey(int(added));
    });
    dialog.addNewShooter();
    EXPECT_EQ(handOverSeen, -1);
    EXPECT_EQ(dialog.chosenShooter(), added);
    EXPECT_EQ(dialog.lookup()->currentIndex(), 0) << "first in last-name order";
    EXPECT_EQ(shooters.indexName().toUpper(), QStringLiteral("I_NACHNAME"));

    // Closed with no shooter to hand over: nobody is picked.
    dialog.setShooterDatabaseWindow([&] { session->setShooterHandOverKey(0); });
    dialog.addNewShooter();
    EXPECT_EQ(dialog.chosenShooter(), 0);
}

} // namespace
