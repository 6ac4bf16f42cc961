#include "widget_fixture.h"
#include "widgets/field_binders.h"

#include <QCalendarWidget>
#include <QToolButton>

using namespace tallyvex;
using tallyvex::test::WidgetTest;

namespace {

class FieldBindersTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        comp = std::make_unique<Cursor>(*db, QStringLiteral("C_COMPETE"));
        comp->setShared(true);
        comp->open();
        add(*comp, {{"BEZEICHNUNG1", "Frühjahrscup"}, {"ROUNDS", 5}, {"ROUNDSDAY1", 3}});
        add(*comp, {{"BEZEICHNUNG1", "Herbstcup"}, {"ROUNDS", 8}});
        comp->first();
        other = new QLineEdit(window.get());
        other->move(0, 500);
    }
    void TearDown() override {
        window.reset();
        comp.reset();
        WidgetTest::TearDown();
    }

    template <class T> T* control(const char* field, int y) {
        auto* c = new T(window.get());
        c->bind(comp.get(), QString::fromLatin1(field));
        c->setGeometry(10, y, 200, 24);
        return c;
    }

    /// Types the text into a control as a user would, then moves the focus on.
    void typeAndLeave(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        other->setFocus();
    }

    QVariant stored(const char* field) {
        return db->scalar(QStringLiteral("SELECT %1 FROM C_COMPETE ORDER BY LFN LIMIT 1")
                              .arg(QString::fromLatin1(field)));
    }

    std::unique_ptr<Cursor> comp;
    QLineEdit* other = nullptr;
};

} // namespace

TEST_F(FieldBindersTest, AnEditFollowsTheCursorAndStoresOnLeaving) {
    auto* name = control<DbEdit>("BEZEICHNUNG1", 10);
    showWindow();
    EXPECT_EQ(name->text(), "Frühjahrscup");
    EXPECT_EQ(name->maxLength(), 50);
    comp->next();
    EXPECT_EQ(name->text(), "Herbstcup");
    comp->first();

    name->setFocus();
    QTest::keyClicks(name, QStringLiteral(" 2025"));
    EXPECT_EQ(comp->state(), Cursor::State::Edit) << "typing opens the edit";
    other->setFocus();
    EXPECT_EQ(comp->asString(QStringLiteral("BEZEICHNUNG1")), "Frühjahrscup 2025");
    comp->post();
    EXPECT_EQ(stored("BEZEICHNUNG1").toString(), "Frühjahrscup 2025");
    EXPECT_TRUE(shown.isEmpty());
}

TEST_F(FieldBindersTest, ANumberFieldRefusesWhatIsNoNumberOrOutOfRangeAndKeepsTheFocus) {
    auto* rounds = control<DbEdit>("ROUNDS", 10);
    auto* day1 = control<DbEdit>("ROUNDSDAY1", 40);
    showWindow();
    struct Case {
        DbEdit* edit;
        const char* typed;
        const char* kind;
    } cases[] = {{rounds, "abc", "ConversionError ==> "}, {day1, "11", "RangeError ==> "}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.typed);
        shown.clear();
        typeAndLeave(k.edit, QString::fromLatin1(k.typed));
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown[0].startsWith(QString::fromLatin1(k.kind))) << shown[0].toStdString();
        EXPECT_TRUE(k.edit->hasFocus());
        EXPECT_EQ(k.edit->text(), QString::fromLatin1(k.typed)) << "what was typed stays";
        EXPECT_EQ(k.edit->selectedText(), k.edit->text());
        // Escape takes the typing back, and the field can be left again.
        QTest::keyClick(k.edit, Qt::Key_Escape);
        EXPECT_NE(k.edit->text(), QString::fromLatin1(k.typed));
        other->setFocus();
        EXPECT_TRUE(other->hasFocus());
        EXPECT_EQ(shown.size(), 1);
    }
    comp->post();
    EXPECT_EQ(stored("ROUNDS").toInt(), 5);
    EXPECT_EQ(stored("ROUNDSDAY1").toInt(), 3);

    shown.clear();
    typeAndLeave(day1, QStringLiteral("10"));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_TRUE(other->hasFocus());
    comp->post();
    EXPECT_EQ(stored("ROUNDSDAY1").toInt(), 10);
}

TEST_F(FieldBindersTest, MoneyIsShownFormattedAndReadBack) {
    auto* fee = control<DbEdit>("ng1", 10);
    showWindow();
    typeAndLeave(fee, QStringLiteral("1234,5"));
    EXPECT_EQ(fee->text(), "1.234,50");
    fee->setFocus();
    QTest::keyClick(fee, Qt::Key_End);
    QTest::keyClick(fee, Qt::Key_Backspace); // "1.234,5"
    other->setFocus();
    comp->post();
    EXPECT_DOUBLE_EQ(stored("ng1").toDouble(), 1234.5);
}

TEST(TypedDateTest, DayAndMonthAreRequiredAndShortYearsLieInThe2000s) {
    const QDate today(2025, 3, 14);
    struct Case {
        const char* typed;
        QDate expected; // invalid: refused
    } cases[] = {
        {".", today},
        {" . ", today},
        {"24.12.2024", QDate(2024, 12, 24)},
        {"24.12.24", QDate(2024, 12, 24)},
        {"1.2.99", QDate(2099, 2, 1)},
        {"24.12", QDate(2025, 12, 24)},
        {"24.12.", QDate(2025, 12, 24)},
        {"24", QDate()},
        {"24.", QDate()},
        {"31.02.2024", QDate()},
        {"24.12.202", QDate()},
        {"heute", QDate()},
        {"", QDate()},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.typed);
        const auto d = readTypedDate(QString::fromLatin1(k.typed), today);
        if (k.expected.isValid()) {
            ASSERT_TRUE(d.has_value());
            EXPECT_EQ(*d, k.expected);
        } else {
            EXPECT_FALSE(d.has_value());
        }
    }
}

TEST_F(FieldBindersTest, DateAndTimeFieldsKeepToTheirInputRules) {
    auto* day = control<DbDateEdit>("DATUM1", 10);
    auto* start = control<DbTimeEdit>("Zeit1", 40);
    showWindow();
    EXPECT_EQ(start->maxLength(), 5);

    typeAndLeave(day, QStringLiteral("24.12.24"));
    typeAndLeave(start, QStringLiteral("9:05"));
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(day->text(), "24.12.2024");
    EXPECT_EQ(start->text(), "09:05");

    typeAndLeave(day, QStringLiteral("24"));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith("ConversionError ==> "));
    EXPECT_TRUE(day->hasFocus());
    typeAndLeave(day, QStringLiteral("."));
    EXPECT_EQ(day->text(), QDate::currentDate().toString("dd.MM.yyyy"));

    typeAndLeave(start, QStringLiteral("9:61"));
    EXPECT_EQ(shown.size(), 2);
    EXPECT_TRUE(start->hasFocus());
    typeAndLeave(start, QStringLiteral("10:30"));
    comp->post();
    EXPECT_EQ(comp->asDate(QStringLiteral("DATUM1")), QDate::currentDate());
    EXPECT_EQ(comp->asTime(QStringLiteral("Zeit1")), QTime(10, 30));

    // Emptying the field stores no date.
    typeAndLeave(day, QString());
    QTest::keyClick(day, Qt::Key_Delete);
    day->setFocus();
    day->selectAll();
    QTest::keyClick(day, Qt::Key_Backspace);
    other->setFocus();
    comp->post();
    EXPECT_TRUE(stored("DATUM1").isNull());
}

TEST_F(FieldBindersTest, TheCalendarPopUpStoresThePickedDate) {
    auto* day = control<DbDateEdit>("DATUM2", 10);
    showWindow();
    day->setFocus();
    day->showCalendar();
    ASSERT_NE(day->calendar(), nullptr);
    Q_EMIT day->calendar()->clicked(QDate(2025, 6, 7));
    EXPECT_EQ(day->text(), "07.06.2025");
    comp->post();
    EXPECT_EQ(comp->asDate(QStringLiteral("DATUM2")), QDate(2025, 6, 7));
}

TEST_F(FieldBindersTest, ACheckBoxStoresItsClickAtOnce) {
    auto* box = control<DbCheckBox>("ISSPORTING", 10);
    showWindow();
    EXPECT_FALSE(box->isChecked());
    box->click();
    EXPECT_EQ(comp->state(), Cursor::State::Edit);
    comp->post();
    EXPECT_EQ(stored("ISSPORTING").toInt(), 1);
    comp->next();
    EXPECT_FALSE(box->isChecked());
}

TEST_F(FieldBindersTest, AComboBoxIsFedByAnotherCursorAndFollowsItsRows) {
    Cursor classes(*db, QStringLiteral("C_Classes"));
    classes.open();
    for (const char* k : {"Herren", "Damen", "Junioren"})
        add(classes, {{"Klasse", k}});
    auto* cls = control<DbComboBox>("klasse1", 10);
    cls->setListSource(&classes, QStringLiteral("Klasse"));
    showWindow();
    ASSERT_EQ(cls->count(), 3);
    EXPECT_EQ(cls->itemText(1), "Damen");
    EXPECT_EQ(cls->currentIndex(), -1) << "no class chosen yet";

    add(classes, {{"Klasse", "Senioren"}});
    EXPECT_EQ(cls->count(), 4);

    Q_EMIT cls->activated(3);
    comp->post();
    EXPECT_EQ(stored("klasse1").toString(), "Senioren");
    comp->next();
    EXPECT_EQ(cls->currentIndex(), -1);
    comp->first();
    EXPECT_EQ(cls->currentText(), "Senioren");
}

TEST_F(FieldBindersTest, ASequenceListTakesTypedTextCutToTheFieldWidth) {
    auto* seq = control<DbComboBox>("SAR1", 10);
    seq->setItems({"", "123456", "654321"});
    seq->setTypingAllowed(true);
    showWindow();
    EXPECT_EQ(seq->lineEdit()->maxLength(), 6);
    seq->setFocus();
    QTest::keyClicks(seq->lineEdit(), QStringLiteral("1234567"));
    other->setFocus();
    comp->post();
    EXPECT_EQ(stored("SAR1").toString(), "123456");

    Q_EMIT seq->activated(0); // the empty entry
    comp->post();
    EXPECT_TRUE(stored("SAR1").isNull());
}
