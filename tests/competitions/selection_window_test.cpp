#include "competitions/selection_window.h"

#include "app/selection_copy.h"
#include "competitions/setup_window.h"
#include "competitions_fixture.h"
#include "widgets/command_panel.h"
#include "widgets/data_grid.h"
#include "widgets/field_binders.h"

#include <QHeaderView>

namespace tallyvex::test {
namespace {

class SelectionWindowTest : public CompetitionsTest {
protected:
    void SetUp() override {
        CompetitionsTest::SetUp();
        Cursor& c = tdm().T_COMPETITION();
        addCompetition(c, {{"BEZEICHNUNG1", "Frühjahrscup"}, {"ROUNDS", 4}, {"MODE", "Trap"}});
        addCompetition(c, {{"BEZEICHNUNG1", "Landesmeisterschaft"},
                           {"BEZEICHNUNG2", "Compak"},
                           {"ROUNDS", 8},
                           {"ISSPORTING", true}});
        c.close();
    }
    void open() {
        window = std::make_unique<TF_COMPSELECT>(*session, nullptr);
        window->setDeleteQuestion([this](QWidget*, const QString& title, const QString& text) {
            asked << title << text;
            return answer;
        });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    CommandPanel* panel(const char* name) { return window->panel(QString::fromLatin1(name)); }
    /// A click on the grid's row as the office would do it.
    void clickRow(int row) {
        DataGrid* g = window->grid();
        const QRect r = g->visualRect(g->model()->index(row, 2));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, r.center());
    }
    void addEntry(qint64 competition) {
        Cursor& cd = tdm().T_CD();
        if (!cd.isOpen())
            cd.open();
        cd.append();
        cd.setValue(QStringLiteral("INOREF"), double(competition));
        cd.setValue(QStringLiteral("NACHNAME"), QStringLiteral("Huber"));
        cd.post();
    }

    std::unique_ptr<TF_COMPSELECT> window;
    QStringList asked;
    bool answer = true;
};

TEST_F(SelectionWindowTest, ColumnsAndCaptionsInBothLanguages) {
    struct Case {
        const char* lang;
        const char* title2;
        const char* take;
        const char* remove;
    };
    const Case cases[] = {
        {"DE", "Wettkampf-Name:", "OK", "Wettkampf löschen"},
        {"EN", "Competition name-line1", "Close", "Delete marked competition"},
    };
    for (const auto& c : cases) {
        session->setLanguage(QString::fromLatin1(c.lang));
        open();
        DataGrid* g = window->grid();
        EXPECT_EQ(g->model()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(),
                  QString::fromUtf8(c.title2));
        EXPECT_EQ(panel("Panel4")->caption(), QString::fromUtf8(c.take));
        EXPECT_EQ(panel("Panel5")->caption(), QString::fromUtf8(c.remove));
        EXPECT_TRUE(g->isColumnHidden(1)) << "MODE";
        EXPECT_EQ(g->columnWidth(0), 50);
        EXPECT_EQ(g->columnWidth(2), 300);
        EXPECT_EQ(g->model()->rowCount(), 2);
        window->closeWindow();
    }
}

TEST_F(SelectionWindowTest, TakingACompetitionCopiesItAndClosesTheList) {
    open();
    EXPECT_FALSE(panel("Panel4")->isUsable()) << "inert until a row is clicked";
    EXPECT_FALSE(panel("Panel5")->isUsable());
    // The window refuses to close before a competition is taken.
    window->close();
    EXPECT_TRUE(window->isVisible());

    clickRow(1);
    ASSERT_TRUE(panel("Panel4")->isUsable());
    panel("Panel4")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(session->competitionKey(), 2.0);
    EXPECT_EQ(session->competition().ROUNDS, 8);
    EXPECT_TRUE(session->competition().ISSPORTING);
    EXPECT_EQ(session->name1(), QStringLiteral("Landesmeisterschaft"));
    EXPECT_FALSE(tdm().T_COMPETITION().isOpen());
}

TEST_F(SelectionWindowTest, DoubleClickTakesTheRowAndAnEmptyRoundsKeepsTheWindowOpen) {
    Cursor& c = tdm().T_COMPETITION();
    addCompetition(c, {{"BEZEICHNUNG1", "Ohne Runden"}});
    c.close();
    open();
    window->grid()->setFocus();
    c.last();
    window->takeCompetition(false);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("ConversionError ==> ")))
        << shown[0].toStdString();
    EXPECT_EQ(session->competitionKey(), 3.0) << "the key is taken before the copy fails";
    EXPECT_TRUE(c.isOpen());

    c.first();
    const QRect r = window->grid()->visualRect(window->grid()->model()->index(0, 2));
    QTest::mouseDClick(window->grid()->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(session->competitionKey(), 1.0);
}

TEST_F(SelectionWindowTest, AnEmptyListLetsPanel4CloseWithKeyZero) {
    tdm().db().run(QStringLiteral("DELETE FROM C_COMPETE"));
    open();
    // A double click on the empty grid does nothing.
    QTest::mouseDClick(window->grid()->viewport(), Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(session->hasCompetition());

    clickRow(0); // the empty area
    ASSERT_TRUE(panel("Panel4")->isUsable());
    panel("Panel4")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(session->competitionKey(), 0.0);
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(SelectionWindowTest, ANewCompetitionIsCurrentAsSoonAsItsSetupCloses) {
    session->setLanguage(QStringLiteral("EN"));
    open();
    bool sawClasses = false;
    whenShownModally<TF_COMPDETAIL>([&](TF_COMPDETAIL* setup) {
        sawClasses = tdm().T_CLASSES().isOpen();
        auto* name = qobject_cast<DbEdit*>(setup->fieldControl(QStringLiteral("BEZEICHNUNG1")));
        auto* rounds = qobject_cast<DbEdit*>(setup->fieldControl(QStringLiteral("ROUNDS")));
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Herbstcup"));
        rounds->setFocus();
        QTest::keyClicks(rounds, QStringLiteral("6"));
        setup->panel(QStringLiteral("Panel4"))->click();
    });
    panel("Panel3")->click();

    EXPECT_TRUE(sawClasses) << "the class lists need C_Classes";
    EXPECT_FALSE(tdm().T_CLASSES().isOpen()) << "closed again after the setup";
    EXPECT_TRUE(shown.isEmpty()) << shown.join('\n').toStdString();
    EXPECT_EQ(session->competitionKey(), 3.0);
    EXPECT_EQ(session->competition().ROUNDS, 6);
    EXPECT_EQ(session->name1(), QStringLiteral("Herbstcup"));
    EXPECT_EQ(stored(3, "BEZEICHNUNG1").toString(), QStringLiteral("Herbstcup"));
    // Still open, on the new row; now the system's close is allowed too.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(tdm().T_COMPETITION().asInt(QStringLiteral("LFN")), 3);
    EXPECT_TRUE(panel("Panel4")->isUsable());
    window->close();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(SelectionWindowTest, DeletingAsksInTheLanguageAndLeavesTheEntries) {
    addEntry(2);
    open();
    clickRow(1);
    Cursor& c = tdm().T_COMPETITION();
    ASSERT_EQ(c.asInt(QStringLiteral("LFN")), 2);

    answer = false;
    panel("Panel5")->click();
    EXPECT_EQ(asked, (QStringList{"Löschen?", "Wollen Sie wirklich diesen Wettkampf löschen ?"}));
    EXPECT_EQ(tdm().db().scalar(QStringLiteral("SELECT COUNT(*) FROM C_COMPETE")).toInt(), 2);

    answer = true;
    panel("Panel5")->click();
    EXPECT_EQ(tdm().db().scalar(QStringLiteral("SELECT COUNT(*) FROM C_COMPETE")).toInt(), 1);
    EXPECT_EQ(tdm()
                  .db()
                  .scalar(QStringLiteral("SELECT COUNT(*) FROM C_COMPDATA WHERE INOREF = 2"))
                  .toInt(),
              1);

    // The next competition gets a key of its own, so the old entries stay out of sight.
    window->setSetupWindow([] {});
    panel("Panel3")->click();
    EXPECT_EQ(session->competitionKey(), 3.0);

    session->setLanguage(QStringLiteral("EN"));
    window->closeWindow();
    asked.clear();
    open();
    clickRow(0);
    answer = false;
    panel("Panel5")->click();
    EXPECT_EQ(asked, (QStringList{"Delete?", "Are you sure about deleting marked competition ?"}));
}

TEST_F(SelectionWindowTest, LeavingAfterAFailedTakeKeepsTheKeyOfTheCopiedCompetition) {
    Cursor& c = tdm().T_COMPETITION();
    addCompetition(c, {{"BEZEICHNUNG1", "Ohne Runden"}});
    c.close();
    open();
    // A new competition set up: the copy is its own and the system's close is allowed.
    window->setSetupWindow([this] {
        Cursor& k = tdm().T_COMPETITION();
        k.edit();
        k.setValue(QStringLiteral("ROUNDS"), 6);
        ASSERT_TRUE(selectionCopy(k, *session));
        session->setCloseAllowed(true);
    });
    panel("Panel3")->click();
    ASSERT_EQ(session->competitionKey(), 4.0);

    clickRow(2); // "Ohne Runden"
    panel("Panel4")->click();
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(session->competitionKey(), 3.0) << "the key is taken before the copy fails";
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(session->competitionKey(), 4.0) << "the key of the copy the session holds";
    EXPECT_EQ(session->competition().ROUNDS, 6);
}

TEST_F(SelectionWindowTest, DeletingTheCompetitionJustMadeLeavesNoneCurrent) {
    open();
    window->setSetupWindow([] {});
    panel("Panel3")->click();
    ASSERT_EQ(session->competitionKey(), 3.0);
    panel("Panel5")->click();
    EXPECT_EQ(session->competitionKey(), 0.0);
    EXPECT_EQ(tdm().db().scalar(QStringLiteral("SELECT COUNT(*) FROM C_COMPETE")).toInt(), 2);
}

} // namespace
} // namespace tallyvex::test
