#pragma once

#include <QHash>
#include <QWidget>
#include <functional>

class QLabel;
class QToolButton;

namespace tallyvex {

class CommandPanel;
class Session;

/// The main menu of the competition office: the program's title bar and the column of
/// commands. It stays open for the whole run; every command opens its window modally over it.
/// A competition is chosen once per run: until then only the commands that need none are
/// usable, afterwards the competition commands are and the choice is closed.
class TF_MAIN : public QWidget {
    Q_OBJECT
public:
    explicit TF_MAIN(Session& session, QWidget* parent = nullptr);
    ~TF_MAIN() override;

    /// The fifteen commands in their order in the menu column.
    static const QStringList& commandNames();
    /// A command panel by its name (Panel6 ... Panel19).
    CommandPanel* command(const QString& name) const;

    /// Runs after the window is shown: web address, pictures, the database and its settings,
    /// captions of the language. An error ends it where it happens (the caller shows it); the
    /// window stays as far as it got.
    void showStep();
    /// The data folder was prepared for the first time (its settings row and classes are made).
    void setFirstStart(bool first) { firstStart_ = first; }
    /// The language asked for on the command line; wins over the stored one.
    void setLanguageOverride(const QString& language) { languageOverride_ = language; }

    /// Shows the captions of the session's language.
    void applyCaptions();

    /// Stands in for the selection window until it exists, and lets tests play it.
    void setSelectionWindow(std::function<void()> window) { selectionWindow_ = std::move(window); }
    bool competitionChosen() const { return selectionDone_; }

    /// A second start of the program asked for this window.
    void bringToFront();

    // The commands of the menu.
    void selectCompetition();     // Panel6
    void editCompetitionSetup();  // Panel7
    void openEntryList();         // Panel8
    void openTeams();             // Panel9
    void openTimetable();         // Panel14
    void openScoreEntry();        // Panel18
    void openTeamResults();       // Panel16
    void openIndividualResults(); // Panel11
    void printClassStatistics();  // Panel2
    void printNationStatistics(); // Pstat
    void showAbout();             // Panel55
    void showHelp();              // Panel17
    void openClubs();             // PanelVereine
    void openShooterDatabase();   // Panel10
    void quit();                  // Panel19

    // The language operations of the title bar.
    void image3Click(); // German
    void image5Click(); // English

private:
    void buildTitleBar();
    void buildMenuColumn();
    void setStartState();
    void setSelectionState();
    void setChosenState();
    void showCompetition();
    void switchLanguage(const QString& language);

    Session& session_;
    QHash<QString, CommandPanel*> commands_;
    QLabel* label1_ = nullptr;
    QLabel* label7_ = nullptr;
    QLabel* name1_ = nullptr;
    QLabel* name2_ = nullptr;
    QLabel* label10_ = nullptr;
    QLabel* mode_ = nullptr;
    QToolButton* german_ = nullptr;
    QToolButton* english_ = nullptr;
    std::function<void()> selectionWindow_;
    bool selectionDone_ = false;
    bool firstStart_ = false;
    QString languageOverride_;
};

} // namespace tallyvex
