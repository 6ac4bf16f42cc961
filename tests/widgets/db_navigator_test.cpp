#include "widget_fixture.h"
#include "widgets/db_navigator.h"
#include "widgets/field_binders.h"

#include <QToolButton>

using namespace tallyvex;
using tallyvex::test::WidgetTest;
using B = DbNavigator::Button;

namespace {

class DbNavigatorTest : public WidgetTest {
protected:
    void SetUp() override {
        WidgetTest::SetUp();
        clubs = std::make_unique<Cursor>(*db, QStringLiteral("C_Vereine"));
        clubs->setIndexName(QStringLiteral("I_N"));
        nav = new DbNavigator(window.get());
        nav->setCursor(clubs.get());
    }
    void TearDown() override {
        window.reset();
        clubs.reset();
        WidgetTest::TearDown();
    }

    /// The enabled buttons, in the strip's order, as letters: F P N L I D E S C R.
    std::string enabled() const {
        std::string s;
        const std::pair<B, char> all[] = {
            {B::First, 'F'},  {B::Prior, 'P'}, {B::Next, 'N'}, {B::Last, 'L'},   {B::Insert, 'I'},
            {B::Delete, 'D'}, {B::Edit, 'E'},  {B::Post, 'S'}, {B::Cancel, 'C'}, {B::Refresh, 'R'}};
        for (auto [b, letter] : all)
            s += nav->isButtonEnabled(b) ? letter : '.';
        return s;
    }

    std::unique_ptr<Cursor> clubs;
    DbNavigator* nav = nullptr;
};

} // namespace

TEST_F(DbNavigatorTest, ButtonsAreEnabledByTheCursorsState) {
    EXPECT_EQ(enabled(), "..........") << "closed";
    clubs->open();
    EXPECT_EQ(enabled(), "....I....R") << "empty";
    for (const char* n : {"Adler", "Birke", "Eiche"})
        add(*clubs, {{"Vereinsname", n}});
    clubs->first();
    EXPECT_EQ(enabled(), "..NLIDE..R") << "first row";
    clubs->next();
    EXPECT_EQ(enabled(), "FPNLIDE..R") << "middle row";
    clubs->last();
    EXPECT_EQ(enabled(), "FP..IDE..R") << "last row";
    clubs->edit();
    EXPECT_EQ(enabled(), "FP...D.SC.") << "editing";
    clubs->cancel();
    clubs->append();
    EXPECT_EQ(enabled(), "FP...D.SC.") << "appending";
}

TEST_F(DbNavigatorTest, ButtonsActOnTheCursorAndDeleteAsksTheWindowsQuestion) {
    clubs->open();
    for (const char* n : {"Adler", "Birke", "Eiche"})
        add(*clubs, {{"Vereinsname", n}});
    nav->press(B::First);
    nav->press(B::Next);
    EXPECT_EQ(clubs->asString(QStringLiteral("Vereinsname")), "Birke");

    bool answer = false;
    nav->setConfirmDelete([&] { return answer; });
    nav->press(B::Delete);
    EXPECT_EQ(clubs->recordCount(), 3);
    answer = true;
    nav->button(B::Delete)->click();
    EXPECT_EQ(clubs->recordCount(), 2);

    nav->press(B::Insert);
    EXPECT_EQ(clubs->state(), Cursor::State::Insert);
    clubs->setValue(QStringLiteral("Vereinsname"), QStringLiteral("Ulme"));
    nav->press(B::Post);
    EXPECT_EQ(clubs->state(), Cursor::State::Browse);
    EXPECT_EQ(db->scalar("SELECT count(*) FROM C_Vereine WHERE Vereinsname = 'Ulme'").toInt(), 1);
}

TEST_F(DbNavigatorTest, PostWaitsForTheFieldThatRefusesItsText) {
    Cursor comp(*db, QStringLiteral("C_COMPETE"));
    comp.open();
    add(comp, {{"ROUNDS", 5}});
    nav->setCursor(&comp);
    auto* rounds = new DbEdit(window.get());
    rounds->bind(&comp, QStringLiteral("ROUNDS"));
    showWindow();
    rounds->setFocus();
    rounds->selectAll();
    QTest::keyClicks(rounds, QStringLiteral("fuenf"));
    ASSERT_EQ(comp.state(), Cursor::State::Edit);
    nav->press(B::Post);
    EXPECT_EQ(comp.state(), Cursor::State::Edit) << "nothing was stored";
    EXPECT_EQ(shown.size(), 1);
    EXPECT_TRUE(rounds->hasFocus());

    nav->press(B::Cancel);
    EXPECT_EQ(comp.state(), Cursor::State::Browse);
    EXPECT_EQ(rounds->text(), "5") << "cancelling shows the stored value again";
}
