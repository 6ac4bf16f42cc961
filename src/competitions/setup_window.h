#pragma once

#include "widgets/full_size_window.h"

#include <QHash>
#include <QVector>

class QFrame;
class QLabel;

namespace tallyvex {

class CommandPanel;
class Cursor;
class Session;

/// The setup of one competition: names, officials, days and start times, rounds, clays and
/// minutes per round, the shooting sequence of each round, the classes with their fees, and the
/// switches for Sporting round names and "Kugel" competitions. Every control edits the row the
/// competition cursor stands on; closing stores it and makes it the session's copy, so every
/// other window sees what the office typed here. Yellow fields are filled in when the
/// competition is made, green ones may wait.
class TF_COMPDETAIL : public FullSizeWindow {
    Q_OBJECT
public:
    /// The thirteen shooting sequences offered for every round.
    static const QStringList& sequences();

    /// The competition cursor stands on the row to edit; the class table is open.
    TF_COMPDETAIL(Session& session, QWidget* mainWindow);
    ~TF_COMPDETAIL() override;

    /// The control bound to a field of the competition (by the field's name, ignoring case).
    QWidget* fieldControl(const QString& field) const;
    CommandPanel* panel(const QString& name) const;

    void closeCommand(); // Panel4
    void showHelp();     // HELPPANEL

private:
    struct Caption {
        QLabel* label;
        QString german;
        QString english;
    };

    Cursor& competition();
    QLabel* label(QWidget* parent, const char* german, const char* english);
    template <class Control> Control* bound(QWidget* parent, const char* field, bool yellow);
    QWidget* buildGeneral(QWidget* parent);
    QWidget* buildDays(QWidget* parent);
    QWidget* buildOptions(QWidget* parent);
    QWidget* buildSequences(QWidget* parent);
    QWidget* buildClasses(QWidget* parent);
    QWidget* buildRoundNames(QWidget* parent);
    void applyLanguage();
    void unbindAll();

    Session& session_;
    QLabel* banner_ = nullptr;
    QFrame* redoStrip_ = nullptr;
    CommandPanel* helpPanel_ = nullptr;
    CommandPanel* closePanel_ = nullptr;
    QVector<Caption> captions_;
    QHash<QString, QWidget*> controls_; // by upper-case field name
};

} // namespace tallyvex
