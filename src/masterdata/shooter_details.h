#pragma once

#include <QDialog>
#include <QHash>

class QLabel;

namespace tallyvex {

class CommandPanel;
class DbComboBox;
class Session;

/// The details of one shooter: every field of the current shooter of the database in one
/// small dialog, the club chosen from the club list. Its close panel stores the shooter; the
/// title-bar button closes without storing, leaving the change pending on the shooter list.
class TF_SHO_DETAIL : public QDialog {
    Q_OBJECT
public:
    TF_SHO_DETAIL(Session& session, QWidget* parent = nullptr);
    ~TF_SHO_DETAIL() override;

    /// The control bound to a field of `C_SHOOTERS`, by the field's name.
    QWidget* control(const QString& field) const { return controls_.value(field); }
    DbComboBox* clubList() const { return club_; }
    CommandPanel* closePanel() const { return panel1_; }
    /// The label in front of a field's control.
    QLabel* label(const QString& field) const { return labels_.value(field); }

    /// Panel1: stores the shooter and closes.
    void storeAndClose();

    void done(int result) override;

private:
    void closeClubs();

    Session& session_;
    QHash<QString, QWidget*> controls_;
    QHash<QString, QLabel*> labels_;
    DbComboBox* club_ = nullptr;
    CommandPanel* panel1_ = nullptr;
};

} // namespace tallyvex
