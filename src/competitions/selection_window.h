#pragma once

#include "widgets/full_size_window.h"

#include <functional>
#include <optional>

class QLabel;

namespace tallyvex {

class CommandPanel;
class Cursor;
class DataGrid;
class DbNavigator;
class Session;

/// The list of stored competitions the office starts every run with: it takes one of them as
/// the competition of the run, makes a new one (and opens its setup at once) or deletes one.
/// It can only be left by taking a competition, or once a new one has been set up.
class TF_COMPSELECT : public FullSizeWindow {
    Q_OBJECT
public:
    /// Asked before a competition is deleted: parent, title, text; true goes ahead.
    using Question = std::function<bool(QWidget*, const QString&, const QString&)>;
    /// Stands in for the setup window of a new competition (tests); empty: the real window.
    using SetupWindow = std::function<void()>;

    /// mainWindow is the main menu the window covers below its title bar.
    TF_COMPSELECT(Session& session, QWidget* mainWindow);
    ~TF_COMPSELECT() override;

    void setDeleteQuestion(Question question) { question_ = std::move(question); }
    void setSetupWindow(SetupWindow window) { setupWindow_ = std::move(window); }

    DataGrid* grid() const { return grid_; }
    DbNavigator* navigator() const { return navigator_; }
    CommandPanel* panel(const QString& name) const;

    // The commands.
    void rowClicked();                      // a click in GRID
    void takeCompetition(bool closeAnyway); // Panel4 (true) or a double click (false)
    void newCompetition();                  // Panel3
    void deleteCompetition();               // Panel5
    void showHelp();                        // Panel17

    /// Closing by the system's command (allowed once a new competition was set up) after a
    /// take that failed gives the session back the competition whose copy it holds.
    void done(int result) override;

private:
    Cursor& competitions();
    void applyLanguage();
    void release();

    Session& session_;
    QWidget* mainWindow_;
    QLabel* banner_ = nullptr;
    DataGrid* grid_ = nullptr;
    DbNavigator* navigator_ = nullptr;
    CommandPanel* newPanel_ = nullptr;
    CommandPanel* deletePanel_ = nullptr;
    CommandPanel* takePanel_ = nullptr;
    CommandPanel* helpPanel_ = nullptr;
    Question question_;
    SetupWindow setupWindow_;
    // The key whose setup the session copy holds, while a failed take left another key current.
    std::optional<double> keyBeforeFailedTake_;
};

} // namespace tallyvex
