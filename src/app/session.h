#pragma once

#include "widgets/full_size_window.h"

#include "reports/report_context.h"
#include <QDate>

#include <QImage>
#include <QObject>
#include <QTime>
#include <array>
#include <memory>

namespace tallyvex {

class TDM;
class TF_HELP;
class TF_WAIT;
enum class HelpTopic;

/// The copy of the current competition's setup that the windows read instead of going back to
/// the competition table each time. Filled by the selection copy; field names follow the table.
struct CompetitionCopy {
    int ROUNDS = 0;
    std::array<QString, 8> SAR;
    int Rundendauer = 0;
    QString RICHTER;
    std::array<QDate, 4> DATUM; ///< DATUM1, DATUM2, DATUM3, Datum4
    std::array<QTime, 4> Zeit;  ///< start times of the four days (time of day only)
    std::array<int, 4> ROUNDSDAY{};
    QString WETTER;
    std::array<QString, 6> klasse;
    std::array<double, 6> ng{};
    bool ISSPORTING = false;
    bool ISISSF = false;
    bool REPLAY = false;
    std::array<QString, 8> R; ///< names of the rounds
    bool REDO = false;
    double Nenngeld = 0;
    double Nenngeldmanschaft = 0;
    QString JURY;
};

/// What the office's run of the program knows at any moment: the language, the competition
/// being worked on and its setup, the currency, the pictures of the printouts and the shared
/// windows. Every window receives it in its constructor and reads it when shown; a few write
/// parts of it. It also holds the close permission of the full-size windows.
class Session final : public QObject, public ClosePermission {
    Q_OBJECT
public:
    explicit Session(const QString& dataFolder, QObject* parent = nullptr);
    ~Session() override;

    const QString& dataFolder() const { return dataFolder_; }
    /// A file of the data folder.
    QString dataFile(const QString& relative) const;

    /// The data module of the run; raises StorageError when the database could not be opened.
    TDM& tdm() const;
    bool hasDataModule() const { return tdm_ != nullptr; }
    void setDataModule(std::unique_ptr<TDM> tdm);
    /// Closes the database (the quit command).
    void closeDataModule();

    // UI language: "DE" or "EN".
    const QString& language() const { return language_; }
    bool english() const { return language_ == QLatin1String("EN"); }
    void setLanguage(const QString& language);
    /// The text of the session's language.
    QString inLanguage(const QString& german, const QString& englishText) const {
        return english() ? englishText : german;
    }

    // The current competition.
    double competitionKey() const { return competitionKey_; }
    bool hasCompetition() const { return hasCompetition_; }
    void setCompetitionKey(double key);
    /// "INOREF='12'": the filter of every per-competition cursor.
    QString competitionFilter() const;
    CompetitionCopy& competition() { return copy_; }
    const CompetitionCopy& competition() const { return copy_; }
    /// BEZEICHNUNG1, BEZEICHNUNG2 and MODE of the current competition.
    const QString& name1() const { return name1_; }
    const QString& name2() const { return name2_; }
    const QString& mode() const { return mode_; }
    void setNameLines(const QString& name1, const QString& name2, const QString& mode);
    /// Tells the views that the competition copy changed.
    void announceCompetition();

    const QString& currency() const { return currency_; }
    void setCurrency(const QString& currency) { currency_ = currency; }

    bool closeAllowed() const override { return closePermission_; }
    void setCloseAllowed(bool allowed) override { closePermission_ = allowed; }

    int entryCount() const { return entryCount_; }
    void setEntryCount(int count) { entryCount_ = count; }

    /// -1 asks the shooter database to start a new shooter; afterwards the key of its shooter.
    int shooterHandOverKey() const { return shooterHandOverKey_; }
    void setShooterHandOverKey(int key) { shooterHandOverKey_ = key; }

    /// On while the back numbers of the finalists are printed.
    bool finalBackNumberMode() const { return finalBackNumberMode_; }
    void setFinalBackNumberMode(bool on) { finalBackNumberMode_ = on; }

    const QString& webAddress() const { return webAddress_; }
    void setWebAddress(const QString& text);

    // Pictures of the printouts.
    const QImage& logo() const { return logo_; }
    const QImage& confirmation() const { return confirmation_; }
    const QImage& backNumberPicture() const { return backNumberPicture_; }
    /// Loads the logo and the confirmation picture from gfx/; raises FileError for a picture
    /// that is missing or cannot be read.
    void loadPictures();

    /// What a printout's head and foot take from the run: language, pictures, name lines and
    /// web address.
    ReportContext reportContext() const;

    // The shared windows, created on first use and kept for the whole run.
    TF_WAIT& waitWindow();
    TF_HELP& helpWindow();
    /// Shows the help page of a window's topic in the session's language, modally.
    void showHelp(HelpTopic topic);

Q_SIGNALS:
    void languageChanged(const QString& language);
    void competitionChanged();
    void webAddressChanged(const QString& text);

private:
    QString dataFolder_;
    std::unique_ptr<TDM> tdm_;
    QString language_ = QStringLiteral("DE");
    double competitionKey_ = 0;
    bool hasCompetition_ = false;
    CompetitionCopy copy_;
    QString name1_, name2_, mode_;
    QString currency_;
    bool closePermission_ = true;
    int entryCount_ = 0;
    int shooterHandOverKey_ = 0;
    bool finalBackNumberMode_ = false;
    QString webAddress_;
    QImage logo_, confirmation_, backNumberPicture_;
    std::unique_ptr<TF_WAIT> wait_;
    std::unique_ptr<TF_HELP> help_;
};

} // namespace tallyvex
