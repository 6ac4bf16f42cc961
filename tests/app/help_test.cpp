#include "app/help_window.h"

#include "app_fixture.h"

#include <QDir>
#include <QFile>
#include <QTextBrowser>
#include <QTimer>

namespace tallyvex::test {
namespace {

TEST(HelpPages, PagePerTopicAndLanguage) {
    struct Case {
        HelpTopic topic;
        const char* german;
        const char* english;
    };
    const Case cases[] = {
        {HelpTopic::MainMenu, "index.htm", "en_index.html"},
        {HelpTopic::CompetitionSelection, "ger_selectcompetition.htm", "en_selectcompetition.htm"},
        {HelpTopic::CompetitionSetup, "ger_compedit.htm", "en_compedit.htm"},
        {HelpTopic::ShooterDatabase, "ger_editshooters.htm", "en_editshooters.htm"},
        {HelpTopic::Clubs, "ger_verein.htm", "en_verein.htm"},
        {HelpTopic::EntryList, "ger_compshooter.htm", "en_compshooter.htm"},
        {HelpTopic::Teams, "ger_teamedit.htm", "en_teamedit.htm"},
        {HelpTopic::Timetable, "ger_sequenz.htm", "en_sequenz.htm"},
        {HelpTopic::ScoreEntry, "ger_manualedit.htm", "en_manualedit.htm"},
        {HelpTopic::IndividualResults, "ger_singlescore.htm", "en_singlescore.htm"},
        {HelpTopic::TeamResults, "ger_teamscore.htm", "en_teamscore.htm"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(helpPageName(c.topic, QStringLiteral("DE")), QString::fromLatin1(c.german));
        EXPECT_EQ(helpPageName(c.topic, QStringLiteral("EN")), QString::fromLatin1(c.english));
    }
    EXPECT_EQ(allHelpPageNames().size(), 22);
    EXPECT_EQ(allHelpPageNames().removeDuplicates(), 0);
}

class HelpWindowTest : public SessionTest {
protected:
    void writePage(const QString& name, const QByteArray& html) {
        QDir().mkpath(dir.filePath(QStringLiteral("help")));
        QFile f(dir.filePath(QStringLiteral("help/") + name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(html);
    }
    /// Runs a help command; the modal window is closed again once it shows.
    void runHelp(HelpTopic topic) {
        QTimer::singleShot(0, [this] { session->helpWindow().close(); });
        session->showHelp(topic);
    }
    QString shownText() { return session->helpWindow().browser()->toPlainText(); }
};

TEST_F(HelpWindowTest, ShowsThePageOfTheTopicInTheSessionsLanguage) {
    writePage(QStringLiteral("ger_verein.htm"), "<p>Vereine verwalten</p>");
    writePage(QStringLiteral("en_verein.htm"), "<p>Managing clubs</p>");
    writePage(QStringLiteral("en_teamedit.htm"), "<p>Forming teams</p>");

    session->setLanguage(QStringLiteral("EN"));
    runHelp(HelpTopic::Clubs);
    EXPECT_EQ(session->helpWindow().page(), dir.filePath(QStringLiteral("help/en_verein.htm")));
    EXPECT_TRUE(shownText().contains(QStringLiteral("Managing clubs")));
    EXPECT_FALSE(session->helpWindow().isVisible());

    // A second help command from another window shows that window's page.
    runHelp(HelpTopic::Teams);
    EXPECT_TRUE(shownText().contains(QStringLiteral("Forming teams")));

    session->setLanguage(QStringLiteral("DE"));
    runHelp(HelpTopic::Clubs);
    EXPECT_TRUE(shownText().contains(QStringLiteral("Vereine verwalten")));
}

TEST_F(HelpWindowTest, MissingPageShowsANoticeAndRaisesNothing) {
    EXPECT_NO_THROW(runHelp(HelpTopic::ScoreEntry));
    EXPECT_TRUE(shownText().contains(QStringLiteral("Page not found")));
    EXPECT_TRUE(shownText().contains(QStringLiteral("ger_manualedit.htm")));
}

TEST_F(HelpWindowTest, WindowShape) {
    TF_HELP& help = session->helpWindow();
    EXPECT_EQ(help.windowTitle(), QStringLiteral("QUORVANE TALLYVEX HELP"));
    EXPECT_EQ(help.size(), QSize(860, 969));
    EXPECT_FALSE(help.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(help.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(help.findChild<QTextBrowser*>(QStringLiteral("WEB1")), nullptr);
}

} // namespace
} // namespace tallyvex::test
