#include "competitions/setup_window.h"

#include "competitions_fixture.h"
#include "widgets/command_panel.h"
#include "widgets/field_binders.h"

#include <QLabel>

namespace tallyvex::test {
namespace {

class SetupWindowTest : public CompetitionsTest {
protected:
    void SetUp() override {
        CompetitionsTest::SetUp();
        Cursor& c = tdm().T_COMPETITION();
        addCompetition(c, {{"BEZEICHNUNG1", "Frühjahrscup"},
                           {"ROUNDS", 5},
                           {"ISISSF", true},
                           {"SAR1", "123456"}});
        tdm().T_CLASSES().open();
    }
    void TearDown() override {
        window.reset();
        tdm().T_CLASSES().close();
    }
    void open(const char* language = "DE") {
        session->setLanguage(QString::fromLatin1(language));
        window = std::make_unique<TF_COMPDETAIL>(*session, nullptr);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    template <class T = DbEdit> T* control(const char* field) {
        auto* w = qobject_cast<T*>(window->fieldControl(QString::fromLatin1(field)));
        EXPECT_NE(w, nullptr) << field;
        return w;
    }
    /// Types into a field as the office would and moves on to the first name line.
    void type(const char* field, const QString& text) {
        QLineEdit* edit = control(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        control("BEZEICHNUNG2")->setFocus();
    }
    bool hasLabel(const QString& text) {
        for (auto* l : window->findChildren<QLabel*>())
            if (l->text() == text && l->isVisibleTo(window.get()))
                return true;
        return false;
    }
    QWidget* strip(const char* name) {
        return window->findChild<QWidget*>(QString::fromLatin1(name));
    }
    void closeWindow() { window->panel(QStringLiteral("Panel4"))->click(); }

    std::unique_ptr<TF_COMPDETAIL> window;
};

TEST_F(SetupWindowTest, LabelsBannerAndOptionsFollowTheLanguage) {
    struct Case {
        const char* lang;
        const char* labels[5];
        const char* close;
        bool redoOffered;
    };
    const Case cases[] = {
        {"DE",
         {"Anzahl Runden:", "Tag 4:", "Runde 8:", "Eigene Rundennamen verwenden:",
          "Kugel-WK mit Wiederholung:"},
         "SCHLIESSEN",
         true},
        {"EN",
         {"# of rounds:", "Day 4:", "Round 8:", "Comp. is Sporting Comp.:", "class:"},
         "Close",
         false},
    };
    for (const auto& c : cases) {
        open(c.lang);
        for (const char* l : c.labels)
            EXPECT_TRUE(hasLabel(QString::fromUtf8(l))) << c.lang << ": " << l;
        EXPECT_EQ(window->panel(QStringLiteral("Panel4"))->caption(), QString::fromUtf8(c.close));
        EXPECT_EQ(strip("Panel23")->isVisibleTo(window.get()), c.redoOffered) << c.lang;
        EXPECT_FALSE(strip("Panel21")->isVisibleTo(window.get())) << "ISISSF is never offered";
        EXPECT_TRUE(control<DbCheckBox>("ISSPORTING")->isVisibleTo(window.get()));
        const QString banner =
            window->findChild<QWidget*>(QStringLiteral("Panel1"))->findChild<QLabel*>()->text();
        EXPECT_TRUE(banner.startsWith(QString::fromUtf8(
            c.redoOffered ? "Füllen Sie nun alle gelb" : "Please fill in all fields")));
        window.reset();
    }
}

TEST_F(SetupWindowTest, ListsOfSequencesClaysAndClasses) {
    open();
    auto* sar = control<DbComboBox>("SAR1");
    ASSERT_EQ(sar->count(), 14);
    EXPECT_EQ(sar->itemText(0), QString()) << "the empty entry comes first";
    EXPECT_EQ(sar->itemText(13), QStringLiteral("654321"));
    EXPECT_EQ(sar->currentText(), QStringLiteral("123456"));
    EXPECT_EQ(sar->lineEdit()->maxLength(), 6);

    // Choosing the empty entry stores an empty sequence.
    sar->setFocus();
    sar->activated(0);
    closeWindow();
    EXPECT_TRUE(stored(1, "SAR1").toString().isEmpty());

    open();
    auto* klasse = control<DbComboBox>("klasse1");
    EXPECT_EQ(klasse->count(), 3);
    EXPECT_EQ(klasse->itemText(1), QStringLiteral("Damen"));
    klasse->setFocus();
    klasse->activated(1);
    type("ng1", QStringLiteral("12,50"));
    auto* clays = control<DbComboBox>("Anzahlwurfscheiben");
    EXPECT_EQ(clays->count(), 2);
    clays->activated(1);
    closeWindow();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(stored(1, "klasse1").toString(), QStringLiteral("Damen"));
    EXPECT_DOUBLE_EQ(stored(1, "ng1").toDouble(), 12.5);
    EXPECT_EQ(stored(1, "Anzahlwurfscheiben").toInt(), 50);
    EXPECT_EQ(session->competition().klasse[0], QStringLiteral("Damen"));
    EXPECT_DOUBLE_EQ(session->competition().ng[0], 12.5);
}

TEST_F(SetupWindowTest, DatesTimesAndRangesFollowTheInputRules) {
    open();
    type("DATUM1", QStringLiteral("."));
    type("DATUM2", QStringLiteral("3.5.25"));
    type("Zeit1", QStringLiteral("08:30"));
    type("ROUNDSDAY4", QStringLiteral("12")); // day 4 has no range check
    EXPECT_EQ(control("Zeit1")->maxLength(), 5);
    ASSERT_TRUE(shown.isEmpty()) << shown.join('\n').toStdString();

    struct Refused {
        const char* field;
        const char* text;
    };
    for (const Refused r : {Refused{"ROUNDSDAY1", "11"}, Refused{"ROUNDSDAY3", "11"},
                            Refused{"ROUNDS", "five"}, Refused{"DATUM3", "12"}}) {
        shown.clear();
        type(r.field, QString::fromUtf8(r.text));
        EXPECT_EQ(shown.size(), 1) << r.field;
        EXPECT_TRUE(control(r.field)->hasFocus()) << r.field << " keeps the focus";
        control(r.field)->setFocus();
        control(r.field)->clear();
        QTest::keyClicks(control(r.field), QStringLiteral("2"));
        control("BEZEICHNUNG2")->setFocus();
    }
    shown.clear();
    type("DATUM3", QStringLiteral("24.12.26"));
    closeWindow();
    ASSERT_TRUE(shown.isEmpty()) << shown.join('\n').toStdString();
    const CompetitionCopy& k = session->competition();
    EXPECT_EQ(k.DATUM[0], QDate::currentDate());
    EXPECT_EQ(k.DATUM[1], QDate(2025, 5, 3));
    EXPECT_EQ(k.DATUM[2], QDate(2026, 12, 24));
    EXPECT_EQ(k.Zeit[0], QTime(8, 30));
    EXPECT_EQ(k.ROUNDSDAY[0], 2);
    EXPECT_EQ(k.ROUNDSDAY[3], 12);
    EXPECT_EQ(k.ROUNDS, 2);
}

TEST_F(SetupWindowTest, AnEmptyRoundsKeepsTheWindowOpenWithTheEditsStored) {
    open("EN");
    type("BEZEICHNUNG1", QStringLiteral("Herbstcup"));
    control("ROUNDS")->setFocus();
    control("ROUNDS")->clear();
    QTest::keyClicks(control("ROUNDS"), QStringLiteral("x"));
    QTest::keyClick(control("ROUNDS"), Qt::Key_Backspace);
    closeWindow();
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].contains(QStringLiteral("# of rounds:"))) << shown[0].toStdString();
    EXPECT_TRUE(control("ROUNDS")->hasFocus());
    EXPECT_EQ(stored(1, "BEZEICHNUNG1").toString(), QStringLiteral("Herbstcup"));
    EXPECT_TRUE(stored(1, "ROUNDS").isNull());
    EXPECT_EQ(session->competitionKey(), 1.0);
    // Other means of closing are refused meanwhile.
    window->close();
    EXPECT_TRUE(window->isVisible());

    QTest::keyClicks(control("ROUNDS"), QStringLiteral("3"));
    closeWindow();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(session->competition().ROUNDS, 3);
    EXPECT_EQ(session->name1(), QStringLiteral("Herbstcup"));
}

TEST_F(SetupWindowTest, RedoIsKeptInEnglishAndIssfIsNeverChanged) {
    open("DE");
    auto* redo = control<DbCheckBox>("REDO");
    redo->click();
    control<DbCheckBox>("ISSPORTING")->click();
    closeWindow();
    EXPECT_TRUE(session->competition().REDO);
    EXPECT_TRUE(session->competition().ISSPORTING);
    EXPECT_TRUE(session->competition().ISISSF) << "copied as stored";

    open("EN");
    type("R1", QStringLiteral("Stand A - zu lang"));
    closeWindow();
    EXPECT_EQ(stored(1, "REDO").toBool(), true);
    EXPECT_EQ(stored(1, "ISISSF").toBool(), true);
    EXPECT_EQ(session->competition().R[0], QStringLiteral("Stand A - "));
    EXPECT_FALSE(control<DbCheckBox>("ISISSF")->isEnabled());
}

} // namespace
} // namespace tallyvex::test
