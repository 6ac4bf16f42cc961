#include "widget_fixture.h"
#include "widgets/data_grid.h"

#include <QLineEdit>

using namespace tallyvex;
using tallyvex::test::WidgetTest;

namespace {

const QVector<GridColumn> kShooterColumns = {
    {"Nachname", "Nachname", "Last name:", 160},
    {"Vorname", "Vorname", "First name:", 120},
    {"Ort", "Ort:", "Town", 120},
};

QString nameAt(int k) {
    return QStringLiteral("Name%1").arg(k, 6, 10, QLatin1Char('0'));
}

} // namespace

using CursorTableModelTest = WidgetTest;

TEST_F(CursorTableModelTest, AHundredThousandShootersShowWithoutReadingThemAll) {
    addShooters(100000);
    countRowsRead();
    Cursor c(*db, QStringLiteral("C_SHOOTERS"));
    c.setIndexName(QStringLiteral("I_Nachname"));
    c.open();
    DataGrid grid(window.get());
    grid.setColumns(kShooterColumns);
    grid.setCursor(&c);
    grid.resize(800, 500);
    showWindow();
    grid.grab();

    EXPECT_EQ(grid.tableModel()->rowCount(), 100000);
    EXPECT_EQ(grid.tableModel()->index(0, 0).data().toString(), nameAt(0));
    EXPECT_EQ(grid.tableModel()->index(20, 0).data().toString(), nameAt(20));
    EXPECT_LT(rowsRead, 1000) << "the first screen read " << rowsRead << " rows";

    // Jumping far into the list reads around the new place only.
    const qint64 before = rowsRead;
    ASSERT_TRUE(c.moveTo(60000));
    grid.grab();
    EXPECT_EQ(grid.currentIndex().row(), 60000);
    EXPECT_EQ(grid.tableModel()->index(60001, 0).data().toString(), nameAt(60001));
    EXPECT_LT(rowsRead - before, 2000);
}

TEST_F(CursorTableModelTest, TitlesAlignmentAndColoursComeFromTheColumns) {
    Cursor c(*db, QStringLiteral("C_COMPETE"));
    c.open();
    add(c,
        {{"BEZEICHNUNG1", "Frühjahrscup"}, {"ROUNDS", 5}, {"ng1", 12.5}, {"DATUM1", "24.05.25"}});
    CursorTableModel m;
    m.setCursor(&c);
    m.setColumns(
        {{"BEZEICHNUNG1", "Wettkampf-Name:", "Competition name-line1", 300},
         {"ROUNDS", "Runden", "Rounds", 50, false, {}, {}, QColor(Qt::green), QColor(Qt::yellow)},
         {"ng1", "Nenngeld", "Fee", 80, false, Qt::AlignCenter},
         {"DATUM1", "Tag 1:", "Day 1:", 100}});
    EXPECT_EQ(m.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Wettkampf-Name:");
    m.setLanguage(QStringLiteral("EN"));
    EXPECT_EQ(m.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Competition name-line1");
    EXPECT_EQ(m.headerData(1, Qt::Horizontal, Qt::BackgroundRole).value<QBrush>().color(),
              QColor(Qt::yellow));
    EXPECT_FALSE(m.headerData(0, Qt::Horizontal, Qt::BackgroundRole).isValid());

    EXPECT_EQ(m.index(0, 0).data().toString(), "Frühjahrscup");
    EXPECT_EQ(m.index(0, 2).data().toString(), "12,50");
    auto align = [&](int col) {
        return m.index(0, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(align(0), Qt::AlignLeft);
    EXPECT_EQ(align(1), Qt::AlignRight);
    EXPECT_EQ(align(2), Qt::AlignHCenter);
    EXPECT_EQ(align(3), Qt::AlignLeft);
    EXPECT_EQ(m.index(0, 3).data().toString(), "24.05.2025");
    EXPECT_EQ(m.index(0, 1).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::green));
}

TEST_F(CursorTableModelTest, RefusedCellValuesKeepTheStoredValueAndAreShown) {
    Cursor c(*db, QStringLiteral("C_COMPETE"));
    c.open();
    add(c, {{"ROUNDS", 5}, {"ROUNDSDAY1", 3}});
    CursorTableModel m;
    m.setCursor(&c);
    m.setColumns({{"ROUNDS", "Runden", "Rounds"}, {"ROUNDSDAY1", "Tag 1", "Day 1"}});
    m.setEditable(true);

    struct Case {
        int col;
        const char* typed;
        const char* kind;
    } cases[] = {{0, "abc", "ConversionError ==> "},
                 {0, "2,5", "ConversionError ==> "},
                 {1, "11", "RangeError ==> "},
                 {1, "-1", "RangeError ==> "}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.typed);
        shown.clear();
        EXPECT_THROW(m.setCellValue(0, k.col, QString::fromLatin1(k.typed)), Error);
        EXPECT_FALSE(m.setData(m.index(0, k.col), QString::fromLatin1(k.typed), Qt::EditRole));
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].startsWith(QString::fromLatin1(k.kind))) << shown[0].toStdString();
    }
    c.post();
    EXPECT_EQ(db->scalar("SELECT ROUNDS FROM C_COMPETE").toInt(), 5);
    EXPECT_EQ(db->scalar("SELECT ROUNDSDAY1 FROM C_COMPETE").toInt(), 3);

    // A good value goes into the buffer, and is stored when the row is posted.
    EXPECT_TRUE(m.setData(m.index(0, 1), QStringLiteral("10"), Qt::EditRole));
    EXPECT_EQ(c.state(), Cursor::State::Edit);
    c.post();
    EXPECT_EQ(db->scalar("SELECT ROUNDSDAY1 FROM C_COMPETE").toInt(), 10);
}

TEST_F(CursorTableModelTest, TypingARefusedValueIntoTheGridCellShowsTheMessage) {
    Cursor c(*db, QStringLiteral("C_COMPETE"));
    c.open();
    add(c, {{"ROUNDS", 5}});
    DataGrid grid(window.get());
    grid.setColumns({{"ROUNDS", "Runden", "Rounds"}});
    grid.setCursor(&c);
    grid.setEditing(true);
    showWindow();
    grid.setFocus();
    const QModelIndex cell = grid.tableModel()->index(0, 0);
    grid.setCurrentIndex(cell);
    grid.edit(cell);
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(cell));
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("viele"));
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // the editor hands its text over once it closes
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("ConversionError ==> "));
    EXPECT_EQ(cell.data().toString(), "5");
    c.post();
    EXPECT_EQ(db->scalar("SELECT ROUNDS FROM C_COMPETE").toInt(), 5);
}

TEST_F(CursorTableModelTest, AnAppendedRowShowsAfterTheLastWhileTheCurrentRowKeepsItsValues) {
    Cursor c(*db, QStringLiteral("C_Vereine"));
    c.setIndexName(QStringLiteral("I_N"));
    c.open();
    add(c, {{"Vereinsname", "Adler"}});
    add(c, {{"Vereinsname", "Birke"}});
    CursorTableModel m;
    m.setCursor(&c);
    m.setColumns({{"Vereinsname", "Vereinsname", "Club name:"}});
    c.moveTo(1);
    c.append();
    c.setValue(QStringLiteral("Vereinsname"), QStringLiteral("Zeder"));
    EXPECT_EQ(m.rowCount(), 3);
    EXPECT_EQ(m.currentRow(), 2);
    EXPECT_EQ(m.index(1, 0).data().toString(), "Birke");
    EXPECT_EQ(m.index(2, 0).data().toString(), "Zeder");
    EXPECT_EQ(m.headerData(2, Qt::Vertical, Qt::DisplayRole).toString(), "*");
    c.cancel();
    EXPECT_EQ(m.rowCount(), 2);
    EXPECT_EQ(m.currentRow(), 1);
}
