#include "help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace tallyvex {

namespace {
struct HelpPages {
    HelpTopic topic;
    const char* german;
    const char* english;
};

constexpr HelpPages pages[] = {
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
} // namespace

QString helpPageName(HelpTopic topic, const QString& language) {
    for (const auto& p : pages)
        if (p.topic == topic)
            return QString::fromLatin1(language == QLatin1String("EN") ? p.english : p.german);
    return QString::fromLatin1(pages[0].german);
}

QString helpPagePath(const QString& dataFolder, HelpTopic topic, const QString& language) {
    return QDir(dataFolder).filePath(QStringLiteral("help/") + helpPageName(topic, language));
}

QStringList allHelpPageNames() {
    QStringList names;
    for (const auto& p : pages)
        names << QString::fromLatin1(p.german) << QString::fromLatin1(p.english);
    return names;
}

TF_HELP::TF_HELP(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TF_HELP"));
    setWindowTitle(QStringLiteral("QUORVANE TALLYVEX HELP"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    web_ = new QTextBrowser(this);
    web_->setObjectName(QStringLiteral("WEB1"));
    web_->setOpenExternalLinks(true);
    web_->setOpenLinks(true);
    layout->addWidget(web_);
    setFixedSize(860, 969);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + qMax(0, (area.width() - width()) / 2), area.top() + 8);
    }
}

void TF_HELP::showPage(const QString& path) {
    page_ = path;
    if (QFileInfo::exists(path)) {
        web_->setSearchPaths({QFileInfo(path).absolutePath()});
        web_->setSource(QUrl::fromLocalFile(path));
        return;
    }
    web_->setHtml(QStringLiteral("<h2>Seite nicht gefunden / Page not found</h2><p>%1</p>")
                      .arg(QDir::toNativeSeparators(path).toHtmlEscaped()));
}

} // namespace tallyvex
