#include "widget_fixture.h"
#include "widgets/colors.h"
#include "widgets/data_grid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>

using namespace tallyvex;
using tallyvex::test::WidgetTest;

namespace {

class DataGridTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        entries = std::make_unique<Cursor>(*db, QStringLiteral("C_COMPDATA"));
        entries->setShared(true);
        entries->setIndexName(QStringLiteral("I_NN"));
        entries->open();
        for (int i = 1; i <= 8; ++i)
            add(*entries, {{"NUMBER", i},
                           {"NACHNAME", QStringLiteral("Schütze %1").arg(i)},
                           {"ROTTE", 1 + i / 6}});
        entries->first();
        grid = new DataGrid(window.get());
        grid->setObjectName(QStringLiteral("GRID"));
        grid->setColumns(
            {{"NUMBER", "N°.:", "N°.:", 40, true},
             {"NACHNAME", "Nachname", "Last name:", 160, true, {}, {}, {}, colors::panelYellow()},
             {"ROTTE", "Rotte", "Squad:", 60, true}});
        grid->setCursor(entries.get());
        grid->resize(500, 300);
        other = new QLineEdit(window.get());
        other->move(0, 320);
    }
    void TearDown() override {
        window.reset();
        entries.reset();
        WidgetTest::TearDown();
    }

    std::unique_ptr<Cursor> entries;
    DataGrid* grid = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace

TEST_F(DataGridTest, GridAndCursorCurrentRowsFollowEachOther) {
    showWindow();
    EXPECT_EQ(grid->currentIndex().row(), 0);

    entries->moveTo(5);
    EXPECT_EQ(grid->currentIndex().row(), 5);
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(5, {}));

    const QRect r = grid->visualRect(grid->tableModel()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(entries->recNo(), 2);
    EXPECT_EQ(entries->asString(QStringLiteral("NACHNAME")), "Schütze 3");

    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(entries->recNo(), 3);

    // Rows read again (another order) keep the grid on the cursor's row.
    entries->setIndexName(QStringLiteral("I_N"));
    EXPECT_EQ(grid->currentIndex().row(), entries->recNo());
    EXPECT_EQ(grid->tableModel()->index(grid->currentIndex().row(), 1).data().toString(),
              "Schütze 4");
}

TEST_F(DataGridTest, ATitleClickReportsTheFieldOfItsColumn) {
    showWindow();
    QSignalSpy spy(grid, &DataGrid::titleClicked);
    QHeaderView* h = grid->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(2) + 5, h->height() / 2));
    ASSERT_EQ(spy.size(), 1);
    EXPECT_EQ(spy[0][0].toString(), "ROTTE");
    EXPECT_EQ(entries->indexName(), "I_NN") << "the grid itself chooses no order";
}

TEST_F(DataGridTest, ColumnEditModeOpensOneYellowColumnAndEndsWhenTheFocusLeaves) {
    showWindow();
    entries->moveTo(3);
    QSignalSpy ended(grid, &DataGrid::columnEditEnded);
    ASSERT_TRUE(grid->startColumnEdit(QStringLiteral("ROTTE")));
    CursorTableModel* m = grid->tableModel();
    EXPECT_TRUE(grid->hasFocus());
    EXPECT_EQ(grid->currentIndex(), m->index(3, 2));
    EXPECT_TRUE(m->flags(m->index(3, 2)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m->flags(m->index(3, 1)) & Qt::ItemIsEditable);
    EXPECT_EQ(m->index(0, 2).data(Qt::BackgroundRole).value<QBrush>().color(),
              colors::panelYellow());

    // Typing into the column and going down a row stores the value.
    QTest::keyClicks(grid, QStringLiteral("7"));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(db->scalar("SELECT ROTTE FROM C_COMPDATA WHERE NUMBER = 4").toInt(), 7);
    EXPECT_TRUE(grid->inColumnEdit()) << "moving down the column keeps the mode";

    // A pick list's pop-up is a window of its own: the focus comes back from it.
    QWidget popup(grid, Qt::Popup);
    auto* inPopup = new QLineEdit(&popup);
    popup.show();
    inPopup->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), inPopup);
    EXPECT_TRUE(grid->inColumnEdit());
    popup.hide();

    other->setFocus();
    EXPECT_FALSE(grid->inColumnEdit());
    EXPECT_EQ(ended.size(), 1);
    EXPECT_FALSE(m->flags(m->index(3, 2)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m->index(0, 2).data(Qt::BackgroundRole).isValid());
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(DataGridTest, ColumnEditModeEndsWhenAnotherColumnBecomesCurrent) {
    showWindow();
    ASSERT_TRUE(grid->startColumnEdit(QStringLiteral("ROTTE")));
    grid->setCurrentIndex(grid->tableModel()->index(4, 1));
    EXPECT_FALSE(grid->inColumnEdit());
    EXPECT_EQ(entries->recNo(), 4) << "the move itself still takes place";
    EXPECT_FALSE(grid->startColumnEdit(QStringLiteral("VBN"))) << "a field the grid does not show";
}

TEST_F(DataGridTest, ReadOnlyColumnsStayClosedWhileEditingIsOn) {
    grid->setColumns(
        {{"NUMBER", "N°.:", "N°.:", 40, true}, {"NACHNAME", "Nachname", "Last name:"}});
    CursorTableModel* m = grid->tableModel();
    EXPECT_FALSE(m->flags(m->index(0, 1)) & Qt::ItemIsEditable) << "editing is off by default";
    grid->setEditing(true);
    EXPECT_FALSE(m->flags(m->index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(m->flags(m->index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(DataGridTest, CtrlDeleteAsksTheWindowsQuestionFirst) {
    showWindow();
    grid->setEditing(true);
    grid->setFocus();
    bool answer = false;
    int asked = 0;
    grid->setConfirmDelete([&] {
        ++asked;
        return answer;
    });
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(entries->recordCount(), 8);
    answer = true;
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(entries->recordCount(), 7);
    EXPECT_EQ(grid->tableModel()->rowCount(), 7);
}

namespace {

/// Shooters whose order by town is the reverse of their order by name, in a grid that edits in
/// place with the editor always shown, the way the shooter database has it.
class GridEditorReorderTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        shooters = std::make_unique<Cursor>(*db, QStringLiteral("C_SHOOTERS"));
        shooters->setIndexName(QStringLiteral("I_Nachname"));
        shooters->open();
        const QStringList names{"Adler", "Berger", "Huber", "Moser", "Wolf"};
        const QStringList towns{"Zell", "Wels", "Linz", "Graz", "Enns"};
        for (int i = 0; i < names.size(); ++i)
            add(*shooters, {{"Nachname", names[i]}, {"Ort", towns[i]}});
        shooters->first();
        grid = new DataGrid(window.get());
        grid->setColumns(
            {{"Nachname", "Nachname", "Last name:", 120}, {"Ort", "Ort:", "Town", 120}});
        grid->setCursor(shooters.get());
        grid->setRowSelect(false);
        grid->setEditing(true);
        grid->setAlwaysShowEditor(true);
        grid->resize(400, 300);
        // The window's answer to a title click: the named order of that column.
        QObject::connect(grid, &DataGrid::titleClicked, grid, [this](const QString& field) {
            if (field == QLatin1String("Ort"))
                shooters->setIndexName(QStringLiteral("I_Ort"));
        });
        other = new QLineEdit(window.get());
        other->move(0, 320);
        showWindow();
    }
    void TearDown() override {
        window.reset();
        shooters.reset();
        WidgetTest::TearDown();
    }

    QString stored() const {
        return db
            ->scalar(QStringLiteral("SELECT group_concat(Nachname || '/' || Ort, ' ') FROM "
                                    "(SELECT Nachname, Ort FROM C_SHOOTERS ORDER BY rowid)"))
            .toString();
    }
    void clickTitle(int section) {
        QHeaderView* h = grid->horizontalHeader();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(section) + 5, h->height() / 2));
    }
    QLineEdit* openEditor() const {
        return qobject_cast<QLineEdit*>(grid->indexWidget(grid->currentIndex()));
    }

    static constexpr const char* kAsStored =
        "Adler/Zell Berger/Wels Huber/Linz Moser/Graz Wolf/Enns";
    std::unique_ptr<Cursor> shooters;
    DataGrid* grid = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace

TEST_F(GridEditorReorderTest, AnEditorWithoutFocusWritesNothingWhenTheRowsAreReordered) {
    // A dialog on top (the shooter's details) types into the cursor's row while the grid's
    // editor stays open behind it with the old text.
    QWidget dialog;
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    shooters->moveTo(1); // Berger
    ASSERT_NE(openEditor(), nullptr) << "the editor is always shown";
    ASSERT_FALSE(openEditor()->hasFocus());
    shooters->edit();
    shooters->setValue(QStringLiteral("Nachname"), QStringLiteral("Zach"));
    dialog.hide(); // closed without storing: the edit stays pending on the cursor

    // Another order and a search on it: the row is stored as the dialog left it, and no other
    // shooter receives the grid's old text.
    shooters->setIndexName(QStringLiteral("I_Ort"));
    shooters->findNearest(QStringLiteral("H"));
    EXPECT_EQ(shooters->asString(QStringLiteral("Nachname")), "Huber");
    grid->setCurrentIndex(grid->tableModel()->index(0, 0));
    shooters->post();
    EXPECT_EQ(stored(), "Adler/Zell Zach/Wels Huber/Linz Moser/Graz Wolf/Enns");
}

TEST_F(GridEditorReorderTest, TextTypedBeforeATitleClickIsStoredInItsOwnRow) {
    shooters->moveTo(1); // Berger, in Wels
    grid->setFocus();
    grid->setCurrentIndex(grid->tableModel()->index(1, 1));
    QLineEdit* editor = openEditor();
    ASSERT_NE(editor, nullptr);
    editor->setFocus();
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("Steyr"));

    clickTitle(1);
    shooters->post();
    EXPECT_EQ(stored(), "Adler/Zell Berger/Steyr Huber/Linz Moser/Graz Wolf/Enns");
    EXPECT_EQ(shooters->indexName(), "I_Ort");
    EXPECT_EQ(shooters->asString(QStringLiteral("Nachname")), "Berger");
}
