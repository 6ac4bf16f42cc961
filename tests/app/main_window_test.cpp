#include "app/main_window.h"

#include "app/data_folder.h"
#include "app/settings.h"
#include "app_fixture.h"
#include "data/errors.h"
#include "widgets/command_panel.h"

#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>

namespace tallyvex::test {
namespace {

class MainWindowTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        prepareDataFolder(dir.path());
        window = std::make_unique<TF_MAIN>(*session);
        window->setFirstStart(true);
    }
    CommandPanel* panel(const char* name) { return window->command(QString::fromLatin1(name)); }
    QString label(const char* name) {
        return window->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    /// Names of the commands that are usable and visible.
    QStringList usable() {
        QStringList l;
        for (const QString& n : TF_MAIN::commandNames())
            if (window->command(n)->isUsable() && !window->command(n)->isHidden())
                l << n;
        return l;
    }
    QStringList hidden() {
        QStringList l;
        for (const QString& n : TF_MAIN::commandNames())
            if (window->command(n)->isHidden())
                l << n;
        return l;
    }

    std::unique_ptr<TF_MAIN> window;
};

const QStringList startUsable = {"Panel6",  "Panel55",      "Panel17",
                                 "Panel10", "PanelVereine", "Panel19"};

TEST_F(MainWindowTest, EnablingFollowsTheSelectionOfTheCompetition) {
    window->show();
    window->showStep();
    QStringList expected = startUsable;
    QStringList got = usable();
    expected.sort();
    got.sort();
    EXPECT_EQ(got, expected);

    // Inert panels do not react: a competition command cannot be clicked before the selection.
    int setupRuns = 0;
    QObject::connect(panel("Panel7"), &CommandPanel::clicked, [&] { ++setupRuns; });
    panel("Panel7")->click();
    EXPECT_EQ(setupRuns, 0);

    bool panel6DuringSelection = true;
    window->setSelectionWindow([&] {
        panel6DuringSelection = panel("Panel6")->isUsable();
        session->setCompetitionKey(1);
    });
    panel("Panel6")->click();
    EXPECT_FALSE(panel6DuringSelection);
    EXPECT_TRUE(window->competitionChosen());
    EXPECT_EQ(usable().size(), 14); // every command but Panel6
    EXPECT_FALSE(panel("Panel6")->isUsable());
    EXPECT_TRUE(hidden().isEmpty());

    // A competition is chosen once per run.
    int secondRuns = 0;
    window->setSelectionWindow([&] { ++secondRuns; });
    panel("Panel6")->click();
    window->selectCompetition();
    EXPECT_EQ(secondRuns, 0);
}

TEST_F(MainWindowTest, SelectionWindowEndingInAnErrorStillOpensTheCommands) {
    window->show();
    window->showStep();
    window->setSelectionWindow([&] {
        session->setCompetitionKey(1);
        throw ConversionError(QStringLiteral("ROUNDS empty"));
    });
    EXPECT_THROW(window->selectCompetition(), ConversionError);
    EXPECT_TRUE(panel("Panel8")->isUsable());
    EXPECT_FALSE(panel("Panel6")->isUsable());
}

TEST_F(MainWindowTest, RedoCompetitionHidesStatisticsTeamsAndTimetable) {
    window->show();
    window->showStep();
    window->setSelectionWindow([&] {
        session->setCompetitionKey(1);
        session->competition().REDO = true;
    });
    window->selectCompetition();
    QStringList h = hidden();
    h.sort();
    EXPECT_EQ(h, (QStringList{"Panel14", "Panel16", "Panel2", "Panel9", "Pstat"}));
    EXPECT_TRUE(panel("Panel8")->isUsable());
    EXPECT_FALSE(panel("Panel8")->isHidden());
}

TEST_F(MainWindowTest, LeavingTheSelectionWithoutACompetitionKeepsTheCommandsOff) {
    window->show();
    window->showStep();
    QStringList expected = startUsable;
    expected.sort();
    // An empty list closed with Panel4 (key 0), and a window that took nothing at all.
    const std::function<void()> endings[] = {[&] { session->setCompetitionKey(0); }, [] {}};
    for (const auto& ending : endings) {
        window->setSelectionWindow(ending);
        panel("Panel6")->click();
        QStringList got = usable();
        got.sort();
        EXPECT_EQ(got, expected);
        EXPECT_FALSE(window->competitionChosen());
        EXPECT_EQ(label("L_NAME1"), QStringLiteral("nicht ausgewählt"));
        // The label follows the language like before any selection.
        window->image5Click();
        EXPECT_EQ(label("L_NAME1"), QStringLiteral("not selected"));
        window->image3Click();
    }
    // The office can still make or take one.
    window->setSelectionWindow([&] { session->setCompetitionKey(4); });
    panel("Panel6")->click();
    EXPECT_TRUE(window->competitionChosen());
    EXPECT_TRUE(panel("Panel8")->isUsable());
    EXPECT_FALSE(panel("Panel6")->isUsable());
}

TEST_F(MainWindowTest, CaptionsInBothLanguages) {
    struct Case {
        const char* panel;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {"Panel6", "Wettkampf anlegen/auswählen", "Select/Add new competition"},
        {"Panel7", "Wettkampfdaten erfassen/ändern", "Edit competition setup"},
        {"Panel8", "Teilnehmerliste", "Entry list"},
        {"Panel9", "Anlage Teams", "Team list"},
        {"Panel14", "Zeitplan/Rottenzettel", "Timetable + scoresheets"},
        {"Panel18", "Ergebnisse erfassen", "Enter results"},
        {"Panel16", "Ergebnisse Teams", "Results teams"},
        {"Panel11", "Ergebnisse einzel", "Results individual shooters"},
        {"Panel2", "Wettkampfstatistik I.", "Competition stats"},
        {"Pstat", "Wettkampfstatistik II.", "Competition stats/classes"},
        {"Panel55", "About Tallyvex", "About Tallyvex"},
        {"Panel17", "Hilfe", "Help"},
        {"PanelVereine", "Vereinsverwaltung", "Club administration"},
        {"Panel10", "Schützendatenbank", "Shooter`s database"},
        {"Panel19", "Ende", "Quit Tallyvex"},
    };
    // Before any language is applied the design captions show.
    EXPECT_EQ(panel("Panel19")->caption(), QStringLiteral("Programmende"));
    EXPECT_EQ(panel("Panel6")->caption(), QStringLiteral("Wettkampf auswählen  / anlegen"));

    window->show();
    window->showStep();
    for (const auto& c : cases)
        EXPECT_EQ(panel(c.panel)->caption(), QString::fromUtf8(c.german)) << c.panel;
    EXPECT_EQ(label("Label7"), QStringLiteral("Ausgewählter Wettkampf:"));
    EXPECT_EQ(label("L_NAME1"), QStringLiteral("nicht ausgewählt"));

    window->image5Click();
    for (const auto& c : cases)
        EXPECT_EQ(panel(c.panel)->caption(), QString::fromUtf8(c.english)) << c.panel;
    EXPECT_EQ(label("Label7"), QStringLiteral("Competition selected:"));
    EXPECT_EQ(label("L_NAME1"), QStringLiteral("not selected"));
}

TEST_F(MainWindowTest, LanguageChoiceIsStoredAndAppliedAtTheNextStart) {
    window->show();
    window->showStep();
    window->findChild<QToolButton*>(QStringLiteral("Image5"))->click();
    EXPECT_EQ(readGeneralSettings(tdm()).language, QStringLiteral("EN"));

    // The next start reads it back.
    TF_MAIN next(*session);
    session->setLanguage(QStringLiteral("DE"));
    next.showStep();
    EXPECT_EQ(session->language(), QStringLiteral("EN"));
    EXPECT_EQ(next.command(QStringLiteral("Panel8"))->caption(), QStringLiteral("Entry list"));

    // --lang wins over the stored choice.
    TF_MAIN overridden(*session);
    overridden.setLanguageOverride(QStringLiteral("DE"));
    overridden.showStep();
    EXPECT_EQ(session->language(), QStringLiteral("DE"));
    EXPECT_EQ(readGeneralSettings(tdm()).language, QStringLiteral("EN"));
}

TEST_F(MainWindowTest, CompetitionNameFollowsTheSessionInEitherLanguage) {
    window->show();
    window->showStep();
    session->setCompetitionKey(3);
    session->setNameLines(QStringLiteral("Grand Prix"), QStringLiteral("Trap"),
                          QStringLiteral("Trap"));
    session->announceCompetition();
    EXPECT_EQ(label("L_NAME1"), QStringLiteral("Grand Prix"));
    EXPECT_EQ(label("L_NAME2"), QStringLiteral("Trap"));
    // Switching language keeps the chosen competition's name.
    window->image5Click();
    EXPECT_EQ(label("L_NAME1"), QStringLiteral("Grand Prix"));
}

TEST_F(MainWindowTest, ShowStepReadsSettingsAndStopsAtAMissingPicture) {
    window->showStep();
    EXPECT_EQ(session->currency(), QStringLiteral("EUR"));
    EXPECT_EQ(label("Label1"), QStringLiteral("www.tallyvex.org"));
    EXPECT_FALSE(session->logo().isNull());

    QFile::remove(dir.filePath(QStringLiteral("gfx/logo.jpg")));
    Session other(dir.path());
    TF_MAIN broken(other);
    EXPECT_THROW(broken.showStep(), FileError);
    // The steps after the pictures were not done: design captions, no currency.
    EXPECT_EQ(broken.command(QStringLiteral("Panel19"))->caption(), QStringLiteral("Programmende"));
    EXPECT_TRUE(other.currency().isEmpty());
}

TEST_F(MainWindowTest, QuitClosesTheDatabaseAndTheWindow) {
    window->show();
    window->showStep();
    panel("Panel19")->click();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(session->hasDataModule());
    EXPECT_THROW(session->tdm(), StorageError);
}

} // namespace
} // namespace tallyvex::test
