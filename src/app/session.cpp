#include "session.h"

#include "app/help_window.h"
#include "app/pictures.h"
#include "app/wait_window.h"
#include "data/errors.h"
#include "data/tdm.h"

#include <QDir>
#include <QFileInfo>

namespace tallyvex {

Session::Session(const QString& dataFolder, QObject* parent)
    : QObject(parent), dataFolder_(dataFolder), backNumberPicture_(drawBackNumberPicture()) {
    setObjectName(QStringLiteral("Session"));
}

Session::~Session() = default;

QString Session::dataFile(const QString& relative) const {
    return QDir(dataFolder_).filePath(relative);
}

TDM& Session::tdm() const {
    if (!tdm_)
        throw StorageError(QStringLiteral("The database %1 is not open.")
                               .arg(QDir::toNativeSeparators(dataFile(QStringLiteral("DBX.db")))));
    return *tdm_;
}

void Session::setDataModule(std::unique_ptr<TDM> tdm) {
    tdm_ = std::move(tdm);
}

void Session::closeDataModule() {
    if (tdm_)
        tdm_->closeAll();
    tdm_.reset();
}

void Session::setLanguage(const QString& language) {
    const QString lang = language.trimmed().toUpper() == QLatin1String("EN") ? QStringLiteral("EN")
                                                                             : QStringLiteral("DE");
    if (lang == language_)
        return;
    language_ = lang;
    Q_EMIT languageChanged(language_);
}

void Session::setCompetitionKey(double key) {
    competitionKey_ = key;
    hasCompetition_ = true;
}

QString Session::competitionFilter() const {
    return QStringLiteral("INOREF='%1'").arg(qint64(competitionKey_));
}

void Session::setNameLines(const QString& name1, const QString& name2, const QString& mode) {
    name1_ = name1;
    name2_ = name2;
    mode_ = mode;
}

void Session::announceCompetition() {
    Q_EMIT competitionChanged();
}

void Session::setWebAddress(const QString& text) {
    webAddress_ = text;
    Q_EMIT webAddressChanged(text);
}

namespace {
QImage loadPicture(const QString& path) {
    if (!QFileInfo::exists(path))
        throw FileError(
            QStringLiteral("The picture %1 does not exist.").arg(QDir::toNativeSeparators(path)));
    QImage image(path);
    if (image.isNull())
        throw FileError(
            QStringLiteral("The picture %1 cannot be read.").arg(QDir::toNativeSeparators(path)));
    return image;
}
} // namespace

void Session::loadPictures() {
    logo_ = loadPicture(dataFile(QStringLiteral("gfx/logo.jpg")));
    confirmation_ = loadPicture(dataFile(QStringLiteral("gfx/confirmation.jpg")));
}

TF_WAIT& Session::waitWindow() {
    if (!wait_)
        wait_ = std::make_unique<TF_WAIT>();
    return *wait_;
}

TF_HELP& Session::helpWindow() {
    if (!help_)
        help_ = std::make_unique<TF_HELP>();
    return *help_;
}

void Session::showHelp(HelpTopic topic) {
    TF_HELP& help = helpWindow();
    help.showPage(helpPagePath(dataFolder_, topic, language_));
    help.exec();
}

ReportContext Session::reportContext() const {
    ReportContext c;
    c.language = language_;
    c.logo = logo_;
    c.confirmation = confirmation_;
    c.banner = backNumberPicture_;
    c.nameLine1 = name1_;
    c.nameLine2 = name2_;
    c.webAddress = webAddress_;
    return c;
}

} // namespace tallyvex
