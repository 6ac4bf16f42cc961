#pragma once

#include <QDialog>
#include <QStringList>

class QTextBrowser;

namespace tallyvex {

/// The windows that have a help page of their own.
enum class HelpTopic {
    MainMenu,
    CompetitionSelection,
    CompetitionSetup,
    ShooterDatabase,
    Clubs,
    EntryList,
    Teams,
    Timetable,
    ScoreEntry,
    IndividualResults,
    TeamResults,
};

/// File name of a topic's page in help/ for the language ("DE" or "EN").
QString helpPageName(HelpTopic topic, const QString& language);
/// Full path of that page in the data folder.
QString helpPagePath(const QString& dataFolder, HelpTopic topic, const QString& language);
/// Every page of the help folder, German and English.
QStringList allHelpPageNames();

/// The help window: the page of the window the office is in, in a browser view. Created once
/// and kept; it shows its last page until the next help command.
class TF_HELP : public QDialog {
    Q_OBJECT
public:
    explicit TF_HELP(QWidget* parent = nullptr);

    /// Shows a local page; a page that does not exist shows a short notice instead.
    void showPage(const QString& path);
    /// The page asked for last.
    const QString& page() const { return page_; }
    QTextBrowser* browser() const { return web_; }

private:
    QTextBrowser* web_;
    QString page_;
};

} // namespace tallyvex
