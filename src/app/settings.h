#pragma once

#include <QByteArray>
#include <QString>

namespace tallyvex {

class TDM;

/// The web address printed at the head of every printout when the office has not set its own.
QString defaultWebAddress();
/// The settings file of the data folder, tallyvex.ini.
QString settingsPath(const QString& dataFolder);
/// The contents of a new settings file.
QByteArray defaultSettingsFile();
/// The web address of tallyvex.ini (key webAddress), else the default.
QString readWebAddress(const QString& dataFolder);

/// The settings row of GENERELL as the start reads it.
struct GeneralSettings {
    QString currency;
    QString language;
};
/// Reads WAEHRUNG and LANGUAGE of the first GENERELL row; empty texts when there is none.
GeneralSettings readGeneralSettings(TDM& tdm);
/// Stores the UI language in GENERELL.LANGUAGE for the next start (adding the row if missing).
void storeLanguage(TDM& tdm, const QString& language);

} // namespace tallyvex
