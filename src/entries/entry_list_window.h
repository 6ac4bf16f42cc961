#pragma once

#include "widgets/cursor_table_model.h"
#include "widgets/full_size_window.h"

#include <QHash>
#include <QStringList>
#include <functional>

class QDialog;
class QLabel;
class QMenu;
class QTabWidget;

namespace tallyvex {

class CommandPanel;
class Cursor;
class DataGrid;
class DbNavigator;
class Session;

/// The entry list of the current competition (`TF_I_LIST`): every shooter registered for it,
/// with running number, start number, squad and class. The office registers and deletes
/// entries here, edits their details, sorts the list by a column title, and starts every other
/// entry command (drawing, squading, classes, fees, printouts) from its command column.
///
/// It works on the data module's entry cursor, which the main window has filtered to the
/// current competition before the window opens. After opening and after every registration and
/// deletion the visible entries are numbered 1..N in the current order and the session's entry
/// count is N.
class TF_I_LIST : public FullSizeWindow {
    Q_OBJECT
public:
    /// Asks a question with OK and Cancel; true for OK.
    using Question =
        std::function<bool(QWidget* parent, const QString& title, const QString& text)>;
    /// Shows a message with one OK button.
    using Message = std::function<void(QWidget* parent, const QString& text)>;
    /// Runs a dialog modally and returns its result.
    using DialogRunner = std::function<int(QDialog& dialog)>;

    TF_I_LIST(Session& session, QWidget* mainWindow);
    ~TF_I_LIST() override;

    /// The opening steps: captions of the UI language, renumbering, first entry, status line.
    void prepare();

    // Operations other entry commands use.
    /// `durchnummerieren`: running numbers 1..N in the current order, entry count N.
    void renumber();
    /// `Checkout`: stores the selected entry.
    void checkout();
    /// Column edit mode: only that field's column is editable (yellow) until the focus leaves
    /// it. False when the grid shows no such field.
    bool startColumnEdit(const QString& field);
    /// The class the next registration gives (set by the class choice, and by the fee walks).
    const QString& pendingClass() const { return pendingClass_; }
    void setPendingClass(const QString& className) { pendingClass_ = className; }
    /// Wires a command of the column or the context menu (by its object name) that another part
    /// of the program carries out; until wired it does nothing.
    void setCommand(const QString& name, std::function<void()> action);

    // The window's own commands.
    void registerShooter();     ///< "Neuen Schützen anlegen"
    void deleteSelectedEntry(); ///< "Schützen löschen"
    void editEntryDetails();    ///< "Teilnehmerdetails editieren", double click
    void sortByField(const QString& field);
    void showHelp();
    void closeList(); ///< "SCHLIESSEN"

    /// Opens the shooter database window for the "new shooter" path of the registration.
    void setShooterDatabaseWindow(std::function<void()> window) {
        shooterWindow_ = std::move(window);
    }
    void setQuestion(Question question) { question_ = std::move(question); }
    void setMessage(Message message) { message_ = std::move(message); }
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    DataGrid* grid() const { return grid_; }
    DbNavigator* navigator() const { return navigator_; }
    QLabel* statusLine() const { return status_; }
    CommandPanel* command(const QString& name) const { return panels_.value(name); }
    /// The panels of the command column, top to bottom.
    const QStringList& commandNames() const { return panelOrder_; }
    QMenu* contextMenu() const { return menu_; }

    /// The entry grid's columns (field, titles), in order.
    static const QVector<GridColumn>& entryColumns();

private:
    void build();
    void buildCommandColumn(QWidget* column);
    void buildContextMenu();
    void applyLanguage();
    void runCommand(const QString& name);
    void showCount(bool afterRegistration = false);
    Cursor& entries() const;

    Session& session_;
    DataGrid* grid_ = nullptr;
    DbNavigator* navigator_ = nullptr;
    QLabel* title_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QLabel* status_ = nullptr;
    QMenu* menu_ = nullptr;
    QHash<QString, CommandPanel*> panels_;
    QStringList panelOrder_;
    QHash<QString, std::function<void()>> actions_;
    QString pendingClass_;
    std::function<void()> shooterWindow_;
    Question question_;
    Message message_;
    DialogRunner runDialog_;
};

} // namespace tallyvex
