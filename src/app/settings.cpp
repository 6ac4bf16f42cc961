#include "settings.h"

#include "data/tdm.h"

#include <QDir>
#include <QSettings>

namespace tallyvex {

QString defaultWebAddress() {
    return QStringLiteral("www.tallyvex.org");
}

QString settingsPath(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("tallyvex.ini"));
}

QByteArray defaultSettingsFile() {
    return "; Settings of this Tallyvex installation.\n"
           "; webAddress: the web address printed at the head of every printout,\n"
           "; for example the address of your club.\n"
           "[General]\n"
           "webAddress=" +
           defaultWebAddress().toUtf8() + "\n";
}

QString readWebAddress(const QString& dataFolder) {
    QSettings ini(settingsPath(dataFolder), QSettings::IniFormat);
    const QString text = ini.value(QStringLiteral("webAddress")).toString().trimmed();
    return text.isEmpty() ? defaultWebAddress() : text;
}

namespace {
/// Opens GENERAL for a moment and leaves it as it was found.
class OpenForAMoment final {
public:
    explicit OpenForAMoment(Cursor& c) : c_(c), wasOpen_(c.isOpen()) { c_.open(); }
    ~OpenForAMoment() {
        if (!wasOpen_) {
            try {
                c_.close();
            } catch (...) {
            }
        }
    }
    OpenForAMoment(const OpenForAMoment&) = delete;
    OpenForAMoment& operator=(const OpenForAMoment&) = delete;

private:
    Cursor& c_;
    bool wasOpen_;
};
} // namespace

GeneralSettings readGeneralSettings(TDM& tdm) {
    Cursor& general = tdm.GENERAL();
    OpenForAMoment guard(general);
    general.first();
    GeneralSettings s;
    if (general.eof())
        return s;
    s.currency = general.asString(QStringLiteral("WAEHRUNG"));
    s.language = general.asString(QStringLiteral("LANGUAGE")).trimmed().toUpper();
    return s;
}

void storeLanguage(TDM& tdm, const QString& language) {
    Cursor& general = tdm.GENERAL();
    OpenForAMoment guard(general);
    general.first();
    if (general.eof())
        general.append();
    else
        general.edit();
    general.setValue(QStringLiteral("LANGUAGE"), language);
    general.post();
}

} // namespace tallyvex
